#include "programme/redaction_programme.h"

#include <functional>
#include <string>

#include "display/affichage.h"
#include "display/surface_twips.h"
#include "display/texte_riche.h"
#include "engine/fichier_nom.h"
#include "engine/liste_std.h"
#include "engine/moteur.h"
#include "engine/recherche.h"
#include "plan/barre_rtf.h"
#include "plan/boite_riche.h"
#include "plan/etat_plan.h"
#include "plan/methode/etapes_methode.h"
#include "plan/panneau_redaction.h"
#include "plan/regle_bulle.h"
#include "programme/edition_programme.h"
#include "programme/recepteur_moteur.h"
#include "programme/texte_illisible.h"
#include "rtf/ecrivain.h"

namespace korv::programme {

namespace {
constexpr int kBarreRedaction = 0;
constexpr std::int16_t kActionPanneauMethode = 16;
constexpr std::int16_t kSaisieLectureSeule = 2;
constexpr std::string_view kSourceEtape = "METAUTO";

// The writing-panel object of a page: its first action of type 16.
int PanneauMethode(const engine::Scene& scene, int page) {
    if (!scene.PageExiste(page)) return 0;
    const engine::PageScene& p = scene.Page(page);
    for (int i = 1; i <= p.ObjetNb(); ++i) {
        const engine::ObjetPage& o = p.Objet(i);
        if (o.Type() == engine::TypeObjet::Action && o.A1 == kActionPanneauMethode) return i;
    }
    return 0;
}
}  // namespace

RedactionProgramme::RedactionProgramme(engine::Moteur& moteur, display::AffichagePage& affichage,
                                       plan::EtatPlan& plan, plan::MethodeEtapes& etapes, plan::BarresRTF& barres,
                                       EditionProgramme& edition, plan::PanneauRedaction* panneau)
    : moteur_(moteur),
      affichage_(affichage),
      plan_(plan),
      etapes_(etapes),
      barres_(barres),
      edition_(edition),
      panneau_(panneau) {
    if (panneau_) {
        panneau_->Boite().SurEvenement([this](plan::EvenementRiche e) {
            Signaler(moteur_, "Ec", [&] { Evenement(e); });
        });
    }
}

RedactionProgramme::~RedactionProgramme() {
    if (panneau_) panneau_->Boite().SurEvenement({});
}

bool RedactionProgramme::ALeFocus() const { return panneau_ && panneau_->Boite().AFocus(); }

void RedactionProgramme::TexteSauver(bool detacher) {
    if (source_.empty()) return;
    RedactionTexteSauver(source_);
    if (!detacher) return;
    // The step is forgotten with the source, until a page loads one again.
    if (source_ == kSourceEtape) etapes_.EtapeRedigeeCode.clear();
    source_.clear();
    refus_.reset();
}

void RedactionProgramme::ObjetRecharge(std::int16_t page, std::int16_t objet) {
    if (!panneau_ || !panneau_->EstVisible() || source_.empty()) return;
    // The box shows that object when its source names it.
    int p = 0, o = 0;
    if (!Cible(source_, p, o) || p != page || o != objet) return;
    BoiteCharger(moteur_.scene.Page(p).Objet(o).texte);
}

void RedactionProgramme::EtapesRecharge() {
    if (!panneau_ || !panneau_->EstVisible() || source_ != kSourceEtape) return;
    const int i = etapes_.NumeroEtape(etapes_.EtapeRedigeeCode);
    if (i == 0) return;
    BoiteCharger(etapes_.Etape(i).TexteRedige);
}

bool RedactionProgramme::Cible(std::string_view source, int& page, int& objet) const {
    page = engine::NumeroDePage(moteur_.scene, engine::ListeStdElementValeur(source, 1));
    objet = page > 0 ? engine::NumeroObjet(moteur_.scene, page, engine::ListeStdElementValeur(source, 2)) : 0;
    return page > 0 && objet > 0 && moteur_.scene.ObjetExiste(page, objet);
}

void RedactionProgramme::PageConstruire(int page) {
    if (!panneau_) return;
    refus_.reset();
    // Shown again (after a save), a page says nothing it said already.
    if (page != pageConstruite_) refusDit_.clear();
    pageConstruite_ = page;
    barres_.Enregistrer(kBarreRedaction, nullptr);
    const int objet = PanneauMethode(moteur_.scene, page);
    if (objet < 1) {
        barres_.Visible(kBarreRedaction, false);
        panneau_->Montrer(false);
        return;
    }
    source_ = moteur_.scene.Page(page).Objet(objet).texte;
    PageMethodeAutoLireRTF(source_);
    PanneauxMethodePlacer(page, objet);
    barres_.MAJMenuRTF(kBarreRedaction);
    panneau_->Montrer(true);
}

void RedactionProgramme::PanneauxMethodeMaj() {
    if (moteur_.jeu.ModeProgramme != engine::kModeJeu) return;
    const int page = moteur_.jeu.PageCourante;
    if (const int objet = PanneauMethode(moteur_.scene, page); objet > 0) PanneauxMethodePlacer(page, objet);
}

void RedactionProgramme::PageMethodeAutoLireRTF(std::string_view source) {
    if (!panneau_) return;
    plan::BoiteTexteRiche& boite = panneau_->Boite();
    refus_.reset();
    if (source == kSourceEtape) {
        // The current step's written text, kept with the step it came from.
        const int i = etapes_.NumeroEtape(etapes_.EtapeCouranteCode());
        if (i == 0) {
            boite.TexteRtfFixer("");
            return;
        }
        BoiteCharger(etapes_.Etape(i).TexteRedige);
        boite.VerrouilleFixer(false);
        etapes_.EtapeRedigeeCode = etapes_.EtapeCouranteCode();
        return;
    }
    int page = 0, objet = 0;
    if (!Cible(source, page, objet)) {
        boite.TexteRtfFixer("");
        return;
    }
    const engine::ObjetPage& o = moteur_.scene.Page(page).Objet(objet);
    if (o.G[2] & display::kDrapeauTexteUtilisateur) {
        BoiteCharger(o.texte);
    } else if (!o.fichier.empty() && engine::FileExist(o.fichier)) {
        std::string erreur;
        const rtf::Document d = display::TexteRicheObjet(o, &erreur);
        if (erreur.empty()) {
            boite.TexteRtfFixer(rtf::EcrireRtf(d));
        } else {
            boite.TexteRtfFixer("");
            TexteIllisibleDire(moteur_.Services().messages);
        }
    }
    boite.VerrouilleFixer(o.A3 == kSaisieLectureSeule);
}

void RedactionProgramme::BoiteCharger(std::string_view texte) {
    refus_ = TexteRicheCharger(panneau_->Boite(), texte);
    if (!refus_) return;
    // The page says it once, not again when a save shows it anew.
    const std::string dit = source_ + '\n' + std::to_string(std::hash<std::string_view>{}(texte));
    if (dit == refusDit_) return;
    refusDit_ = dit;
    TexteIllisibleDire(moteur_.Services().messages);
}

void RedactionProgramme::RedactionTexteSauver(std::string_view source) {
    if (!panneau_) return;
    // A text the box could not show stays as its source holds it until
    // the user writes into the box.
    if (refus_ && panneau_->Boite().TexteRtf() == *refus_) return;
    if (source == kSourceEtape) {
        // The step stays the box's while it is shown: what is typed after a
        // store that stays on the page goes to it too.
        const int i = etapes_.NumeroEtape(etapes_.EtapeRedigeeCode);
        if (i == 0) return;
        etapes_.Etape(i).TexteRedige = panneau_->Boite().TexteRtf();
        return;
    }
    int page = 0, objet = 0;
    if (!Cible(source, page, objet)) return;
    engine::ObjetPage& o = moteur_.scene.Page(page).Objet(objet);
    // A text that came from a file is never written back.
    if (o.G[2] & display::kDrapeauTexteUtilisateur) o.texte = panneau_->Boite().TexteRtf();
}

void RedactionProgramme::PanneauxMethodePlacer(int page, int objet) {
    const engine::PageScene& p = moteur_.scene.Page(page);
    const engine::ObjetPage& panneau = p.Objet(objet);
    if (panneau.elements.empty()) return;
    const int cible = panneau.elements.front().ObjetCible;
    if (cible < 1 || cible > p.ObjetNb()) return;
    const engine::ObjetPage& o = p.Objet(cible);
    const std::int32_t tx = affichage_.PageTampon.TwipsParPixelX();
    const std::int32_t ty = affichage_.PageTampon.TwipsParPixelY();
    plan::BoiteTexteRiche& boite = panneau_->Boite();
    if (!boite.Verrouille()) {
        barres_.Enregistrer(kBarreRedaction, &boite);
        barres_.PolicesListesRemplir();
        barres_.Visible(kBarreRedaction, true);
    } else {
        barres_.Visible(kBarreRedaction, false);
    }
    panneau_->Placer(display::PixelsDepuisTwips(o.gauche, tx) - affichage_.DecalageAffichageX,
                     display::PixelsDepuisTwips(o.haut, ty) - affichage_.DecalageAffichageY,
                     display::PixelsDepuisTwips(o.largeur, tx), display::PixelsDepuisTwips(o.hauteur, ty));
}

void RedactionProgramme::Evenement(plan::EvenementRiche e) {
    switch (e) {
    case plan::EvenementRiche::FocusEntree:
        // A cell or text edit still open ends first, unvalidated.
        if (edition_.EditionVisible()) {
            edition_.TexteEditeParUtilisateurFin();
            return;
        }
        if (barres_.Etat(kBarreRedaction).visible) barres_.MAJMenuRTF(kBarreRedaction);
        return;
    case plan::EvenementRiche::SelectionChange:
        if (barres_.Etat(kBarreRedaction).visible) barres_.MAJMenuRTF(kBarreRedaction);
        return;
    case plan::EvenementRiche::FocusPerte: plan_.PlanAffaireModifieFixer(true); return;
    case plan::EvenementRiche::SourisDeplacee:
        if (moteur_.jeu.ModeProgramme == engine::kModeJeu && regleBulle) regleBulle->Deplacement();
        return;
    }
}

bool RedactionProgramme::CopierDansBoite() {
    if (!ALeFocus()) return false;
    panneau_->Boite().Copier();
    return true;
}

bool RedactionProgramme::CollerDansBoite() {
    if (!ALeFocus()) return false;
    panneau_->Boite().Coller();
    return true;
}

}  // namespace korv::programme
