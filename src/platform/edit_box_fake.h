#pragma once
// Edit box for tests: the text a test types, its selection, the focus it
// takes and the key that ends it.

#include <algorithm>
#include <functional>
#include <string>
#include <string_view>
#include <utility>

#include "platform/edit_box.h"

namespace korv::platform {

class BoiteEditionFactice final : public BoiteEdition {
public:
    void Ouvrir(int x_, int y_, int l, int h, std::string_view t, std::string_view, int, bool tout) override {
        x = x_, y = y_, largeur = l, hauteur = h;
        texte = std::string(t);
        toutSelectionne = tout;
        debut = tout ? 0 : static_cast<int>(texte.size());
        longueur = tout ? static_cast<int>(texte.size()) : 0;
        visible = true;
        ++ouvertures;
    }
    void Placer(int x_, int y_, int l, int h) override { x = x_, y = y_, largeur = l, hauteur = h; }
    void Fermer() override {
        PerdreFocus();
        visible = false;
    }
    bool Visible() const override { return visible; }
    std::string Texte() const override { return texte; }
    void SurTouche(std::function<bool(int, int)> f) override { touche = std::move(f); }
    void SurFocusPerte(std::function<void()> f) override { focusPerte = std::move(f); }
    void FondFixer(std::int32_t c) override { fond = c; }
    void LongueurMaxFixer(int n) override { longueurMax = n; }
    void SurFocus(std::function<void()> f) override { focus = std::move(f); }
    void TexteFixer(std::string_view t) override {
        texte = std::string(t);
        debut = static_cast<int>(texte.size());
        longueur = 0;
    }
    int SelectionDebut() const override { return debut; }
    int SelectionLongueur() const override { return longueur; }
    void SelectionFixer(int d, int l) override { debut = d, longueur = l; }
    bool AFocus() const override { return visible && aFocus; }
    void Copier() override { ++copies; }
    void Coller() override { ++collages; }

    // What the user does once the box has the focus: types over the
    // selection, then ends with a key.
    void PrendreFocus() {
        aFocus = true;
        if (focus) focus();
    }
    void Taper(std::string_view t) {
        const auto d = static_cast<std::size_t>(std::clamp(debut, 0, static_cast<int>(texte.size())));
        const auto n = std::min(static_cast<std::size_t>(std::max(longueur, 0)), texte.size() - d);
        texte.replace(d, n, t);
        debut = static_cast<int>(d + t.size());
        longueur = 0;
        toutSelectionne = false;
    }
    void Terminer(int code) { Touche(code, 0); }
    // A key going down in the box: true when it ended the edit.
    bool Touche(int code, int maj) { return touche && touche(code, maj); }
    void PerdreFocus() {
        if (!aFocus) return;
        aFocus = false;
        if (focusPerte) focusPerte();
    }

    int x = 0, y = 0, largeur = 0, hauteur = 0;
    std::string texte;
    bool toutSelectionne = false;
    int debut = 0, longueur = 0;
    bool aFocus = false;
    int copies = 0, collages = 0;
    bool visible = false;
    int ouvertures = 0;
    std::int32_t fond = 0xFFFFFF;
    int longueurMax = 0;
    std::function<bool(int, int)> touche;
    std::function<void()> focus;
    std::function<void()> focusPerte;
};

}  // namespace korv::platform
