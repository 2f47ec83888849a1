#pragma once
// The edit box as a line edit over the page surface.

#include <functional>
#include <string>
#include <string_view>

#include <QLineEdit>

#include "platform/edit_box.h"

namespace korv::plan {

class QtBoiteEdition final : public QLineEdit, public platform::BoiteEdition {
public:
    explicit QtBoiteEdition(QWidget* surface);
    void Ouvrir(int x, int y, int largeur, int hauteur, std::string_view texte, std::string_view police, int taille,
                bool toutSelectionner) override;
    void Placer(int x, int y, int largeur, int hauteur) override;
    void Fermer() override;
    bool Visible() const override { return isVisible(); }
    std::string Texte() const override;
    void SurFin(std::function<void(int touche)> fin) override { fin_ = std::move(fin); }
    void SurFocus(std::function<void()> focus) override { focus_ = std::move(focus); }
    void TexteFixer(std::string_view texte) override;
    int SelectionDebut() const override;
    int SelectionLongueur() const override;
    void SelectionFixer(int debut, int longueur) override;
    bool AFocus() const override { return isVisible() && hasFocus(); }
    void Copier() override { copy(); }
    void Coller() override { paste(); }

protected:
    void keyPressEvent(QKeyEvent* e) override;
    bool focusNextPrevChild(bool) override { return false; }  // Tab ends the edit instead
    void focusInEvent(QFocusEvent* e) override;

private:
    std::function<void(int)> fin_;
    std::function<void()> focus_;
};

}  // namespace korv::plan
