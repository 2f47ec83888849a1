#pragma once
// Edit box for tests: the text a test types, and the key that ends it.

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
        visible = true;
        ++ouvertures;
    }
    void Fermer() override { visible = false; }
    bool Visible() const override { return visible; }
    std::string Texte() const override { return texte; }
    void SurFin(std::function<void(int)> f) override { fin = std::move(f); }

    // What the user does: types over the selection, then ends with a key.
    void Taper(std::string_view t) { texte = toutSelectionne ? std::string(t) : texte + std::string(t); }
    void Terminer(int touche) {
        if (fin) fin(touche);
    }

    int x = 0, y = 0, largeur = 0, hauteur = 0;
    std::string texte;
    bool toutSelectionne = false;
    bool visible = false;
    int ouvertures = 0;
    std::function<void(int)> fin;
};

}  // namespace korv::platform
