#pragma once
// A rich-text box on a QTextDocument and a cursor in it: the selection's
// attributes read and set through our rich-text model. The writing box and
// the edit box are such boxes in a text editor widget; `BoiteRicheDocument`
// is one without a window (the headless driver's box, a scratch box).

#include <cstdint>
#include <functional>

#include <QTextCursor>
#include <QTextDocument>

#include "plan/boite_riche.h"

namespace korv::plan {

class BoiteRicheQt : public BoiteTexteRiche {
public:
    explicit BoiteRicheQt(std::int32_t twipsParPixel) : tpp_(twipsParPixel) {}

    std::string TexteRtf() const override;
    bool TexteRtfFixer(std::string_view rtf) override;
    std::string Texte() const override;
    int Longueur() const override;
    int SelectionDebut() const override;
    int SelectionLongueur() const override;
    void SelectionFixer(int debut, int longueur) override;
    void SelectionTexteFixer(std::string_view texte) override;
    std::optional<bool> SelGras() const override;
    std::optional<bool> SelItalique() const override;
    std::optional<bool> SelSouligne() const override;
    std::optional<int> SelAlignement() const override;
    std::optional<std::int32_t> SelCouleur() const override;
    std::optional<std::string> SelPolice() const override;
    std::optional<double> SelTaille() const override;
    void SelGrasFixer(bool oui) override;
    void SelItaliqueFixer(bool oui) override;
    void SelSouligneFixer(bool oui) override;
    void SelAlignementFixer(int alignement) override;
    void SelCouleurFixer(std::int32_t couleur) override;
    void SelPoliceFixer(std::string_view police) override;
    void SelTailleFixer(double points) override;

protected:
    virtual QTextDocument& Doc() const = 0;
    virtual QTextCursor Curseur() const = 0;
    virtual void CurseurFixer(const QTextCursor& curseur) = 0;
    // The change applied to every run of the selection, or to what the
    // caret types next when nothing is selected.
    void FormatAppliquer(const std::function<void(QTextCharFormat&)>& changer);
    std::int32_t Tpp() const { return tpp_; }

private:
    std::int32_t tpp_;
};

class BoiteRicheDocument final : public BoiteRicheQt {
public:
    explicit BoiteRicheDocument(std::int32_t twipsParPixel = 15);

    bool Verrouille() const override { return verrouille_; }
    void VerrouilleFixer(bool v) override { verrouille_ = v; }
    bool Visible() const override { return visible_; }
    void FocusDonner() override;
    bool AFocus() const override { return focus_; }
    void Copier() override { ++copies; }
    void Coller() override { ++collages; }
    void SurEvenement(std::function<void(EvenementRiche)> appel) override { appel_ = std::move(appel); }
    void SelectionFixer(int debut, int longueur) override;

    void VisibleFixer(bool v) { visible_ = v; }
    // What a user does: types over the selection (nothing when locked),
    // leaves the box.
    void Taper(std::string_view texte);
    void PerdreFocus();
    void DeplacerSouris() { Dire(EvenementRiche::SourisDeplacee); }

    int copies = 0, collages = 0;

protected:
    QTextDocument& Doc() const override { return doc_; }
    QTextCursor Curseur() const override { return curseur_; }
    void CurseurFixer(const QTextCursor& c) override { curseur_ = c; }

private:
    void Dire(EvenementRiche e) {
        if (appel_) appel_(e);
    }
    mutable QTextDocument doc_;
    QTextCursor curseur_;
    bool verrouille_ = false, visible_ = true, focus_ = false;
    std::function<void(EvenementRiche)> appel_;
};

}  // namespace korv::plan
