#pragma once
// The edit box (`TxtTexteEdition`) as a text editor over the page surface:
// plain text for a grid cell or a tagged text, rich text for a rich-text
// object (the box of rich-text toolbar 1).

#include <functional>
#include <string>
#include <string_view>

#include <QTextEdit>

#include "plan/qt_boite_riche.h"
#include "platform/edit_box.h"

namespace korv::plan {

class QtBoiteEdition final : public QTextEdit, public platform::BoiteEdition, public BoiteRicheQt {
public:
    explicit QtBoiteEdition(QWidget* surface, std::int32_t twipsParPixel = 15);
    void Ouvrir(int x, int y, int largeur, int hauteur, std::string_view texte, std::string_view police, int taille,
                bool toutSelectionner) override;
    void Placer(int x, int y, int largeur, int hauteur) override;
    void Fermer() override;
    bool Visible() const override { return isVisible(); }
    std::string Texte() const override { return BoiteRicheQt::Texte(); }
    void SurTouche(std::function<bool(int, int)> touche) override { touche_ = std::move(touche); }
    void SurFocusPerte(std::function<void()> perte) override { perte_ = std::move(perte); }
    void SurFocus(std::function<void()> focus) override { focus_ = std::move(focus); }
    void FondFixer(std::int32_t couleur) override;
    void LongueurMaxFixer(int longueur) override { longueurMax_ = std::max(longueur, 0); }
    void TexteFixer(std::string_view texte) override;
    int SelectionDebut() const override { return BoiteRicheQt::SelectionDebut(); }
    int SelectionLongueur() const override { return BoiteRicheQt::SelectionLongueur(); }
    void SelectionFixer(int debut, int longueur) override { BoiteRicheQt::SelectionFixer(debut, longueur); }
    bool AFocus() const override { return isVisible() && hasFocus(); }
    void Copier() override { copy(); }
    void Coller() override { paste(); }

    // BoiteTexteRiche
    bool Verrouille() const override { return isReadOnly(); }
    void VerrouilleFixer(bool v) override { setReadOnly(v); }
    void FocusDonner() override { setFocus(Qt::OtherFocusReason); }
    void SurEvenement(std::function<void(EvenementRiche)> appel) override { evenement_ = std::move(appel); }

protected:
    void keyPressEvent(QKeyEvent* e) override;
    bool focusNextPrevChild(bool) override { return false; }  // Tab belongs to the edit
    void focusInEvent(QFocusEvent* e) override;
    void focusOutEvent(QFocusEvent* e) override;
    QTextDocument& Doc() const override { return *document(); }
    QTextCursor Curseur() const override { return textCursor(); }
    void CurseurFixer(const QTextCursor& c) override { setTextCursor(c); }

private:
    void Dire(EvenementRiche e) {
        if (evenement_) evenement_(e);
    }
    std::function<bool(int, int)> touche_;
    int longueurMax_ = 0;
    std::function<void()> focus_;
    std::function<void()> perte_;
    std::function<void(EvenementRiche)> evenement_;
};

}  // namespace korv::plan
