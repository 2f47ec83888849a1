#include "programme/textes_methode_programme.h"

#include "display/affichage.h"
#include "display/surface_twips.h"
#include "engine/moteur.h"
#include "engine/texte_casse.h"
#include "plan/boite_methode.h"
#include "plan/boite_riche.h"
#include "rtf/document.h"
#include "rtf/ecrivain.h"

namespace korv::programme {

namespace {
// The first object of the page whose upper-case name is `nom`.
const engine::ObjetPage* ObjetNomme(const engine::Scene& scene, int page, std::string_view nom) {
    if (!scene.PageExiste(page)) return nullptr;
    for (const engine::ObjetPage& o : scene.Page(page).objets) {
        if (engine::MajusculeCp1252(o.nom) == nom) return &o;
    }
    return nullptr;
}
}  // namespace

TextesMethodeProgramme::TextesMethodeProgramme(engine::Moteur& moteur, display::AffichagePage& affichage,
                                               plan::BoiteMethode* texteMethode, plan::BoiteMethode* menuSav)
    : moteur_(moteur), affichage_(affichage), texteMethode_(texteMethode), menuSav_(menuSav) {}

void TextesMethodeProgramme::Placer(plan::BoiteMethode& boite, std::int32_t gauche, std::int32_t haut,
                                    std::int32_t largeur, std::int32_t hauteur) {
    const std::int32_t tx = affichage_.PageTampon.TwipsParPixelX();
    const std::int32_t ty = affichage_.PageTampon.TwipsParPixelY();
    boite.Placer(display::PixelsDepuisTwips(gauche, tx) - affichage_.DecalageAffichageX,
                 display::PixelsDepuisTwips(haut, ty) - affichage_.DecalageAffichageY,
                 display::PixelsDepuisTwips(largeur, tx), display::PixelsDepuisTwips(hauteur, ty));
}

void TextesMethodeProgramme::MenuSavMontrer(const rtf::Document& texte, const display::RectangleTwips& place) {
    if (!menuSav_) return;
    menuSavTexte_ = texte;
    menuSav_->Boite().TexteRtfFixer(rtf::EcrireRtf(texte));
    Placer(*menuSav_, place.gauche, place.haut, place.largeur, place.hauteur);
    menuSav_->Montrer(true);
}

void TextesMethodeProgramme::TexteMethodeMontrer(const rtf::Document& texte, const display::RectangleTwips& place) {
    if (!texteMethode_) return;
    texteMethode_->Montrer(false);
    texteMethodeTexte_ = texte;
    texteMethodeLargeur_ = place.largeur;
    texteMethode_->Boite().TexteRtfFixer(rtf::EcrireRtf(texte));
    Placer(*texteMethode_, place.gauche, place.haut, place.largeur, place.hauteur);
    texteMethode_->Boite().SelectionFixer(0, 0);
    texteMethode_->Montrer(true);
}

void TextesMethodeProgramme::MenuSavTexteMetPlacer() {
    if (moteur_.jeu.ModeProgramme != engine::kModeJeu) return;
    const int page = moteur_.jeu.PageCourante;
    if (texteMethode_) {
        if (const engine::ObjetPage* o = ObjetNomme(moteur_.scene, page, "TEXTEMET")) {
            const std::int32_t hauteurBoite = texteMethode_->Hauteur() * affichage_.PageTampon.TwipsParPixelY();
            if (hauteurBoite < o->hauteur) {
                Placer(*texteMethode_, o->gauche, o->haut + (o->hauteur - hauteurBoite) / 2, o->largeur, hauteurBoite);
            } else {
                Placer(*texteMethode_, o->gauche, o->haut, o->largeur, o->hauteur);
            }
        }
    }
    if (!menuSav_) return;
    if (const engine::ObjetPage* o = ObjetNomme(moteur_.scene, page, "MENUSAV")) {
        Placer(*menuSav_, o->gauche, o->haut, o->largeur, o->hauteur);
    }
}

void TextesMethodeProgramme::Cacher() {
    if (texteMethode_) texteMethode_->Montrer(false);
    if (menuSav_) menuSav_->Montrer(false);
}

void TextesMethodeProgramme::MethodeTextesVider() {
    texteMethodeTexte_ = rtf::DocumentDepuisTexte({});
    menuSavTexte_ = rtf::DocumentDepuisTexte({});
    if (texteMethode_) texteMethode_->Boite().TexteRtfFixer("");
    if (menuSav_) menuSav_->Boite().TexteRtfFixer("");
}

bool TextesMethodeProgramme::MenuSavVisible() const { return menuSav_ && menuSav_->EstVisible(); }
bool TextesMethodeProgramme::TexteMethodeVisible() const { return texteMethode_ && texteMethode_->EstVisible(); }

std::int32_t TextesMethodeProgramme::Caractere(const plan::BoiteMethode* boite, const rtf::Document& texte,
                                               std::int32_t x, std::int32_t y) const {
    if (boite == nullptr || !boite->EstVisible()) return -1;
    const std::int32_t tx = affichage_.PageTampon.TwipsParPixelX();
    const std::int32_t ty = affichage_.PageTampon.TwipsParPixelY();
    const int position = boite->PositionAuPoint(display::PixelsDepuisTwips(x, tx) - affichage_.DecalageAffichageX,
                                                display::PixelsDepuisTwips(y, ty) - affichage_.DecalageAffichageY);
    return position < 0 ? -1 : rtf::PositionBrute(texte, position);
}

std::int32_t TextesMethodeProgramme::MenuSavCaractere(std::int32_t x, std::int32_t y) const {
    return Caractere(menuSav_, menuSavTexte_, x, y);
}

std::int32_t TextesMethodeProgramme::TexteMethodeCaractere(std::int32_t x, std::int32_t y) const {
    return Caractere(texteMethode_, texteMethodeTexte_, x, y);
}

std::int32_t TextesMethodeProgramme::TexteMethodeHauteurTexte() const {
    if (!texteMethode_) return 0;
    return display::TexteRicheHauteurMesure(texteMethodeTexte_, texteMethodeLargeur_,
                                            affichage_.PageTampon.TwipsParPixelY());
}

void TextesMethodeProgramme::TexteMethodeDefiler(std::int32_t y) {
    if (texteMethode_) texteMethode_->Defiler(y);
}

}  // namespace korv::programme
