#include "programme/souris_textes_methode_programme.h"

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
#include "programme/textes_methode_programme.h"
#include "rtf/document.h"
#include "rtf/ecrivain.h"
#include "rtf/lecteur.h"

namespace korv::programme {

namespace {
constexpr std::string_view kTexteMet = "TEXTEMET";
constexpr std::string_view kTexteMethodeMaj = "TEXTEMETHODEMAJ";
constexpr std::string_view kPageGlossaire = "GLOSSAIRE";
constexpr std::string_view kObjetGlossaire = "TEXTE";
constexpr std::string_view kVariableMot = "MOTGLOSSAIRE";
constexpr std::int16_t kSuitTexteMethode = 16;
}  // namespace

SourisTextesMethodeProgramme::SourisTextesMethodeProgramme(engine::Moteur& moteur, display::AffichagePage& affichage,
                                                           display::TableSprites& sprites,
                                                           const TextesMethodeProgramme& boites,
                                                           platform::FenetreBulle* bulle)
    : moteur_(moteur), affichage_(affichage), sprites_(sprites), boites_(boites), bulle_(bulle) {}

int SourisTextesMethodeProgramme::MouseMoveTexteMethode(std::int32_t x, std::int32_t y) {
    return plan::MenuSavSurvol(boites_.MenuSavTexte().TexteBrut(), boites_.MenuSavCaractere(x, y));
}

int SourisTextesMethodeProgramme::MouseMoveTexteGlossaire(std::int32_t x, std::int32_t y) {
    return plan::GlossaireSurvol(boites_.TexteMethodeTexte(), boites_.TexteMethodeCaractere(x, y));
}

void SourisTextesMethodeProgramme::MousedownTexteMethode(std::int32_t x, std::int32_t y) {
    const std::int32_t c = boites_.MenuSavCaractere(x, y);
    if (c <= 0) return;
    // A copy: turning the method text redraws the page, which shows the
    // menu again.
    const std::u32string ligne = plan::MenuSavLigneTexte(boites_.MenuSavTexte().TexteBrut(), c);
    const int page = moteur_.jeu.PageCourante;
    if (!moteur_.scene.PageExiste(page)) return;
    for (int i = 1; i <= moteur_.scene.Page(page).ObjetNb(); ++i) {
        if (moteur_.scene.Page(page).Objet(i).nom != kTexteMet) continue;
        // The text the method-text box shows its sections of.
        const std::optional<rtf::Document> texte = rtf::LireTexteRiche(moteur_.scene.Page(page).Objet(i).texte);
        if (!texte) continue;
        const std::optional<int> k = plan::MenuSavSection(texte->TexteBrut(), ligne);
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

void SourisTextesMethodeProgramme::MousedownTexteGlossaire(std::int32_t x, std::int32_t y) {
    const std::int32_t c = boites_.TexteMethodeCaractere(x, y);
    if (const std::optional<std::u32string> mot = plan::GlossaireMot(boites_.TexteMethodeTexte(), c)) {
        GlossaireBulleAfficher(*mot, x, y);
    }
}

void SourisTextesMethodeProgramme::GlossaireBulleAfficher(std::u32string_view mot, std::int32_t x, std::int32_t y) {
    const int page = engine::NumeroDePage(moteur_.scene, kPageGlossaire);
    const int objet = page > 0 ? engine::NumeroObjet(moteur_.scene, page, kObjetGlossaire) : 0;
    if (objet <= 0) return;
    const plan::DefinitionGlossaire d =
        plan::GlossaireDefinitionChercher(display::TexteRicheObjet(moteur_.scene.Page(page).Objet(objet)), mot);
    // A word the glossary lacks empties the bubble's text: nothing is shown.
    if (d.etat != plan::DefinitionGlossaire::Etat::Trouvee) return;
    BulleMontrer(d.definition, x, y);
}

void SourisTextesMethodeProgramme::GlossaireAfficheDefinition() {
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

void SourisTextesMethodeProgramme::BulleMontrer(const rtf::Document& definition, std::int32_t x, std::int32_t y) {
    if (bulle_ == nullptr) return;
    const engine::TwipsParPixel t = affichage_.Tpp();
    bulle_->AfficherRtf(display::PixelsDepuisTwips(x, t.x) - affichage_.DecalageAffichageX,
                        display::PixelsDepuisTwips(y, t.y) - affichage_.DecalageAffichageY, rtf::EcrireRtf(definition));
}

void SourisTextesMethodeProgramme::ObjetsSpriteMethodeMaj() {
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

}  // namespace korv::programme
