#pragma once
// The font dialog's window ("Edition de texte") over its state: lists,
// check boxes, alignment, colour swatch and preview. No command of the
// program opens it.

#include <QDialog>

#include "plan/texte_riche_police.h"

class QCheckBox;
class QComboBox;
class QLabel;
class QPushButton;

namespace korv::plan {

class QtTexteRichePolice final : public QDialog {
public:
    explicit QtTexteRichePolice(QWidget* parent = nullptr);
    // `FormInit`: the controls from the target's selection.
    void FormInit(BoiteTexteRiche& cible, const std::vector<std::string>& polices);
    TexteRichePolice& Etat() noexcept { return etat_; }
    QPushButton* BtnOk() const noexcept { return ok_; }
    QLabel* TexteApercu() const noexcept { return apercu_; }

private:
    void Montrer();
    TexteRichePolice etat_;
    QComboBox* police_ = nullptr;
    QComboBox* taille_ = nullptr;
    QCheckBox *gras_ = nullptr, *italique_ = nullptr, *souligne_ = nullptr;
    QComboBox* alignement_ = nullptr;
    QPushButton* couleur_ = nullptr;
    QLabel* apercu_ = nullptr;
    QPushButton* ok_ = nullptr;
};

}  // namespace korv::plan
