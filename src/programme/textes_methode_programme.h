#pragma once
// The two method-text boxes of the main window over a method page: the
// step's explanation (`TexteMethode`, over the object "TEXTEMET") and the
// learn-more menu (`MenuSav`, over "MENUSAV"). The page display hands them
// the texts it would otherwise draw; the method hides them when a page is
// built and empties them before each page change. Without boxes of the
// platform the display draws those texts into the page itself.

#include "display/texte_riche.h"

namespace korv::engine {
class Moteur;
}
namespace korv::display {
class AffichagePage;
}
namespace korv::plan {
class BoiteMethode;
}

namespace korv::programme {

class TextesMethodeProgramme final : public display::BoitesTexteMethode {
public:
    TextesMethodeProgramme(engine::Moteur& moteur, display::AffichagePage& affichage, plan::BoiteMethode* texteMethode,
                           plan::BoiteMethode* menuSav);

    // Both boxes exist.
    bool Existent() const { return texteMethode_ && menuSav_; }

    void MenuSavMontrer(const rtf::Document& texte, const display::RectangleTwips& place) override;
    void TexteMethodeMontrer(const rtf::Document& texte, const display::RectangleTwips& place) override;
    // `MenuSavTexteMetPlacer`: in play, each box over its object of the
    // current page, shifted by the page's scroll; the explanation box, when
    // lower than its object, keeps its height and is centred on it.
    void MenuSavTexteMetPlacer() override;

    // Both boxes hidden (a page being built).
    void Cacher();
    // `MethodeTextesVider`: both boxes emptied (a page change).
    void MethodeTextesVider();

    // Each box shown, and with what text (the part of the method text it
    // shows; empty once emptied).
    bool MenuSavVisible() const;
    bool TexteMethodeVisible() const;
    const rtf::Document& MenuSavTexte() const { return menuSavTexte_; }
    const rtf::Document& TexteMethodeTexte() const { return texteMethodeTexte_; }
    // The character of that box's text under a point of the page (twips), as
    // a position of its plain text (CR LF counts two); -1 when none.
    std::int32_t MenuSavCaractere(std::int32_t x, std::int32_t y) const;
    std::int32_t TexteMethodeCaractere(std::int32_t x, std::int32_t y) const;
    // The height in pixels of the method text at its box's width, and the
    // box scrolled to that vertical position (pixels).
    std::int32_t TexteMethodeHauteurTexte() const;
    void TexteMethodeDefiler(std::int32_t y);

private:
    std::int32_t Caractere(const plan::BoiteMethode* boite, const rtf::Document& texte, std::int32_t x,
                           std::int32_t y) const;
    void Placer(plan::BoiteMethode& boite, std::int32_t gauche, std::int32_t haut, std::int32_t largeur,
                std::int32_t hauteur);

    engine::Moteur& moteur_;
    display::AffichagePage& affichage_;
    plan::BoiteMethode* texteMethode_;
    plan::BoiteMethode* menuSav_;
    rtf::Document texteMethodeTexte_;
    rtf::Document menuSavTexte_;
    std::int32_t texteMethodeLargeur_ = 0;  // twips
};

}  // namespace korv::programme
