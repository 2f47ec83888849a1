#include "programme/textes_methode_programme.h"

#include "display/affichage.h"
#include "display/sprites.h"
#include "display/surface_twips.h"
#include "display/texte_riche.h"
#include "engine/attente_boucle.h"
#include "engine/declencheurs_objets.h"
#include "engine/moteur.h"
#include "engine/objets_affiches.h"
#include "engine/recherche.h"
#include "formula/variables.h"
#include "plan/methode/textes_methode_souris.h"
#include "platform/tooltip.h"
#include "rtf/document.h"
#include "rtf/ecrivain.h"
#include "rtf/marqueurs.h"
#include "rtf/qt_document.h"

namespace korv::programme {

namespace {
constexpr std::string_view kMenuSav = "MENUSAV";
constexpr std::string_view kTexteMet = "TEXTEMET";
constexpr std::string_view kTexteMethodeMaj = "TEXTEMETHODEMAJ";
constexpr std::string_view kPageGlossaire = "GLOSSAIRE";
constexpr std::string_view kObjetGlossaire = "TEXTE";
constexpr std::string_view kVariableMot = "MOTGLOSSAIRE";
constexpr std::int16_t kSuitTexteMethode = 16;
}  // namespace

TextesMethodeProgramme::TextesMethodeProgramme(engine::Moteur& moteur, display::AffichagePage& affichage,
                                               display::TableSprites& sprites, platform::FenetreBulle* bulle)
    : moteur_(moteur), affichage_(affichage), sprites_(sprites), bulle_(bulle) {}

int TextesMethodeProgramme::Affiche(std::string_view nom, std::int32_t x, std::int32_t y) const {
    if (!affichage_.ModeJeu()) return 0;
    const auto& liste = moteur_.affiches;
    int premier = 0;
    for (int i = 1; i <= liste.Nombre(); ++i) {
        const engine::ObjetAffiche& e = liste.Entree(i);
        if (e.page != moteur_.jeu.PageCourante || !moteur_.scene.ObjetExiste(e.page, e.objet)) continue;
        if (moteur_.scene.Page(e.page).Objet(e.objet).nom != nom) continue;
        if (engine::ObjetAffichePointDedans(liste, moteur_.scene, i, x, y, affichage_.Tpp())) return i;
        if (premier == 0) premier = i;
    }
    return premier;
}

std::int32_t TextesMethodeProgramme::CaractereAuPoint(int affiche, std::int32_t x, std::int32_t y,
                                                      rtf::Document& texte) const {
    if (affiche == 0) return -1;
    const engine::ObjetAffiche& e = moteur_.affiches.Entree(affiche);
    const engine::ObjetPage& o = moteur_.scene.Page(e.page).Objet(e.objet);
    texte = display::TexteRicheObjet(o);
    // The part the display draws: the shown section of a paged text.
    const std::u32string brut = texte.TexteBrut();
    rtf::LimitesMorceau morceau;
    if (e.ligneTexteLong < 1) {
        morceau = rtf::MorceauLimites(brut, e.morceauTexte);
    } else {
        morceau = rtf::MorceauCourantLimites(brut, e.ligneTexteLong).value_or(rtf::LimitesMorceau{});
    }
    const engine::TwipsParPixel t = affichage_.Tpp();
    return rtf::PositionAuPoint(texte, affichage_.PxX(o.largeur), morceau.debut, morceau.fin,
                                display::PixelsDepuisTwips(std::int64_t{x} - e.gauche, t.x),
                                display::PixelsDepuisTwips(std::int64_t{y} - e.haut, t.y), t.x);
}

int TextesMethodeProgramme::MouseMoveTexteMethode(std::int32_t x, std::int32_t y) {
    rtf::Document texte;
    const std::int32_t c = CaractereAuPoint(Affiche(kMenuSav, x, y), x, y, texte);
    return plan::MenuSavSurvol(texte.TexteBrut(), c);
}

int TextesMethodeProgramme::MouseMoveTexteGlossaire(std::int32_t x, std::int32_t y) {
    rtf::Document texte;
    const std::int32_t c = CaractereAuPoint(Affiche(kTexteMet, x, y), x, y, texte);
    return plan::GlossaireSurvol(texte, c);
}

void TextesMethodeProgramme::MousedownTexteMethode(std::int32_t x, std::int32_t y) {
    rtf::Document menu;
    const std::int32_t c = CaractereAuPoint(Affiche(kMenuSav, x, y), x, y, menu);
    if (c <= 0) return;
    const std::u32string ligne = plan::MenuSavLigneTexte(menu.TexteBrut(), c);
    const int page = moteur_.jeu.PageCourante;
    if (!moteur_.scene.PageExiste(page)) return;
    for (int i = 1; i <= moteur_.scene.Page(page).ObjetNb(); ++i) {
        if (moteur_.scene.Page(page).Objet(i).nom != kTexteMet) continue;
        const rtf::Document texte = display::TexteRicheObjet(moteur_.scene.Page(page).Objet(i));
        const std::optional<int> k = plan::MenuSavSection(texte.TexteBrut(), ligne);
        if (!k) continue;
        const int n = engine::ObjetAfficheNObjetVersNAffiche(moteur_.affiches, page, i);
        if (n <= 0) continue;
        moteur_.affiches.Entree(n).morceauTexte = static_cast<std::int16_t>(std::min(*k, 32767));
        for (int j = 1; j <= moteur_.scene.Page(page).ObjetNb(); ++j) {
            if (moteur_.scene.Page(page).Objet(j).nom == kTexteMethodeMaj) {
                engine::EvenementObjetEnAttenteDEvenementAjoute(moteur_, page, j);
            }
        }
        affichage_.SpriteSupprimerTous();
        display::MajZonePageJeuEntiere(affichage_);
        display::JeuBoutonPageMaj(affichage_, page);
        ObjetsSpriteMethodeMaj();
    }
}

void TextesMethodeProgramme::MousedownTexteGlossaire(std::int32_t x, std::int32_t y) {
    rtf::Document texte;
    const std::int32_t c = CaractereAuPoint(Affiche(kTexteMet, x, y), x, y, texte);
    if (const std::optional<std::u32string> mot = plan::GlossaireMot(texte, c)) GlossaireBulleAfficher(*mot, x, y);
}

void TextesMethodeProgramme::GlossaireBulleAfficher(std::u32string_view mot, std::int32_t x, std::int32_t y) {
    const int page = engine::NumeroDePage(moteur_.scene, kPageGlossaire);
    const int objet = page > 0 ? engine::NumeroObjet(moteur_.scene, page, kObjetGlossaire) : 0;
    if (objet <= 0) return;
    const plan::DefinitionGlossaire d =
        plan::GlossaireDefinitionChercher(display::TexteRicheObjet(moteur_.scene.Page(page).Objet(objet)), mot);
    // A word the glossary lacks empties the bubble's text: nothing is shown.
    if (d.etat != plan::DefinitionGlossaire::Etat::Trouvee) return;
    BulleMontrer(d.definition, x, y);
}

void TextesMethodeProgramme::GlossaireAfficheDefinition() {
    const int page = engine::NumeroDePage(moteur_.scene, kPageGlossaire);
    const int objet = page > 0 ? engine::NumeroObjet(moteur_.scene, page, kObjetGlossaire) : 0;
    if (objet <= 0) return;
    const formula::Valeur v = moteur_.ScriptsDuMoteur().Variables().VarValeur(kVariableMot);
    // A value that is no number (or Null) names no piece: no bubble.
    if (v.estNul() || v.estErreur() || !v.EstNumerique()) return;
    const double d = v.EnDouble();
    if (!(d > -32768.5 && d < 32767.5)) return;
    const std::optional<rtf::Document> morceau =
        plan::GlossaireMorceau(display::TexteRicheObjet(moteur_.scene.Page(page).Objet(objet)), v.EnEntier());
    if (!morceau) return;
    BulleMontrer(*morceau, moteur_.souris.SourisX, moteur_.souris.SourisY);
}

void TextesMethodeProgramme::BulleMontrer(const rtf::Document& definition, std::int32_t x, std::int32_t y) {
    if (bulle_ == nullptr) return;
    const engine::TwipsParPixel t = affichage_.Tpp();
    bulle_->AfficherRtf(display::PixelsDepuisTwips(x, t.x) - affichage_.DecalageAffichageX,
                        display::PixelsDepuisTwips(y, t.y) - affichage_.DecalageAffichageY, rtf::EcrireRtf(definition));
}

void TextesMethodeProgramme::ObjetsSpriteMethodeMaj() {
    if (!affichage_.ModeJeu()) return;
    auto& liste = moteur_.affiches;
    for (int i = 1; i <= liste.Nombre(); ++i) {
        const engine::ObjetAffiche e = liste.Entree(i);
        if (e.role != kSuitTexteMethode) continue;
        for (int essai = 0; essai < 2; ++essai) {
            if (const int n = sprites_.SpriteNObjetVersNSprite(e.page, e.objet); n > 0) {
                sprites_.SpriteDeplacerPourcentageY(n, 0);
                break;
            }
            engine::DeclencheDivers(moteur_, e.page, e.objet, 1, 0, -1);
        }
        if (!liste.Existe(i)) break;
    }
}

bool TextesMethodeProgramme::MenuSavVisible() const { return Affiche(kMenuSav, 0, 0) > 0; }
bool TextesMethodeProgramme::TexteMethodeVisible() const { return Affiche(kTexteMet, 0, 0) > 0; }

}  // namespace korv::programme
