#include "programme/edition_programme.h"

#include <algorithm>
#include <cmath>

#include "display/affichage.h"
#include "display/surface_twips.h"
#include "engine/attente.h"
#include "engine/attente_boucle.h"
#include "engine/moteur.h"
#include "engine/recherche.h"
#include "engine/texte_casse.h"
#include "formula/nombres.h"
#include "formula/valeur.h"
#include "grid/magasin_grilles.h"
#include "grid/tableau.h"
#include "grid/valeur_formatee.h"
#include "plan/etat_plan.h"
#include "platform/edit_box.h"
#include "programme/modules_a_venir.h"
#include "programme/recepteur_moteur.h"

namespace korv::programme {

namespace {
constexpr char kProprietaire = '\xA4';
constexpr std::int32_t kHauteurMin = 259;
constexpr std::string_view kPagePlanAction = "TABPLANACTION";
}  // namespace

EditionProgramme::EditionProgramme(engine::Moteur& moteur, grid::MagasinGrilles& grilles,
                                   display::AffichagePage& affichage, plan::EtatPlan& plan, ModulesAVenir& modules,
                                   platform::BoiteEdition* boite, std::string police)
    : moteur_(moteur),
      grilles_(grilles),
      affichage_(affichage),
      plan_(plan),
      modules_(modules),
      boite_(boite),
      police_(std::move(police)) {
    modules.Declarer(module::Edition);
    if (boite_) {
        boite_->SurFin([this](int touche) { Signaler(moteur_, "Ec", [&] { Fin(touche, true); }); });
        boite_->SurFocus([this] { frappeVersEdition_ = false; });
    }
}

EditionProgramme::~EditionProgramme() {
    if (boite_) {
        boite_->SurFin({});
        boite_->SurFocus({});
    }
}

bool EditionProgramme::EditionVisible() { return boite_ && boite_->Visible(); }

void EditionProgramme::TexteEditeParUtilisateurCommence(int, int, std::string_view) {
    Fin(0, false);
    modules_.Signaler(module::Edition, "TexteEditeParUtilisateurCommence");
}

void EditionProgramme::CaseEditer(grid::TableauClasse& g, int c, int r) {
    Fin(0, false);
    if (!boite_) {
        modules_.Signaler(module::Edition, "CaseEditer");
        return;
    }
    const int page = moteur_.jeu.PageCourante;
    const int objet = g.Objet();
    if (page < 1 || objet < 1 || g.Page() != page) return;
    // The grid decides which cell takes the edit and its starting text: a
    // locked or hidden cell takes none, whichever key or press asked.
    const auto edition = g.CaseEditer(c, r);
    if (!edition) return;
    c = edition->colonne;
    r = edition->ligne;
    std::string texte = edition->texte;
    // A number or percentage that is not whole is offered with its
    // thousands grouped and at most four decimals ("1 234,5", "1,2346").
    const auto type = g.Attribut(c, r).TypeAffichage;
    if (type == 1 || type == 2) {
        if (const auto n = formula::LitNombre(texte); n && *n != std::floor(*n)) {
            texte = grid::FormatDecimalesAuPlus(*n, 4);
        }
    }
    const RectangleTwips z = Positionne(g, c, r);
    const std::int32_t tx = affichage_.PageTampon.TwipsParPixelX();
    const std::int32_t ty = affichage_.PageTampon.TwipsParPixelY();
    boite_->Ouvrir(display::PixelsDepuisTwips(z.gauche, tx), display::PixelsDepuisTwips(z.haut, ty),
                   display::PixelsDepuisTwips(z.largeur, tx), display::PixelsDepuisTwips(z.hauteur, ty), texte,
                   police_, 11, true);
    page_ = page, objet_ = objet, colonne_ = c, ligne_ = r;
    frappeVersEdition_ = true;
}

EditionProgramme::RectangleTwips EditionProgramme::Positionne(const grid::TableauClasse& g, int c, int r) const {
    const std::int32_t tx = affichage_.PageTampon.TwipsParPixelX();
    const std::int32_t ty = affichage_.PageTampon.TwipsParPixelY();
    const std::int32_t sx = affichage_.DecalageAffichageX * tx, sy = affichage_.DecalageAffichageY * ty;
    const std::int32_t L = g.RectangleGauche(), T = g.RectangleHaut();
    RectangleTwips z;
    z.gauche = std::max(L + g.ColonneGauche(c) + 2 * tx - sx, L + 2 * tx - sx);
    z.largeur = g.ColonneDroite(c) - g.ColonneGauche(c) - 3 * tx;
    z.haut = T + g.LigneHaut(r) + 2 * ty - sy;
    z.hauteur = std::max(g.LigneBas(r) - g.LigneHaut(r) - 3 * ty, kHauteurMin);
    // On the action-plan page a box over the first cell of a merged run
    // spans the run, cut at the grid's right edge.
    const int page = g.Page();
    if (moteur_.jeu.ModeProgramme == engine::kModeJeu && page >= 1 &&
        engine::NumeroDePage(moteur_.scene, kPagePlanAction) == page) {
        if (const int derniere = g.FusionDerniereColonne(c, r); derniere != 0) {
            z.largeur = L + g.ColonneDroite(derniere) - sx - z.gauche;
            const std::int32_t bord = g.RectangleDroite() - sx;
            if (z.gauche + z.largeur > bord) z.largeur = bord - z.gauche;
        }
    }
    return z;
}

void EditionProgramme::TexteEditeParUtilisateurDecaleAscenseurs() {
    if (!EditionVisible() || page_ < 1 || objet_ < 1 || colonne_ < 1 || ligne_ < 1) return;
    const grid::TableauClasse* g = grilles_.Cherche(page_, objet_);
    if (!g) return;
    const RectangleTwips z = Positionne(*g, colonne_, ligne_);
    const std::int32_t tx = affichage_.PageTampon.TwipsParPixelX();
    const std::int32_t ty = affichage_.PageTampon.TwipsParPixelY();
    boite_->Placer(display::PixelsDepuisTwips(z.gauche, tx), display::PixelsDepuisTwips(z.haut, ty),
                   display::PixelsDepuisTwips(z.largeur, tx), display::PixelsDepuisTwips(z.hauteur, ty));
}

bool EditionProgramme::CopierDansBoite() {
    if (!boite_ || !boite_->AFocus()) return false;
    boite_->Copier();
    return true;
}

bool EditionProgramme::CollerDansBoite() {
    if (!boite_ || !boite_->AFocus()) return false;
    boite_->Coller();
    return true;
}

bool EditionProgramme::CaseEditeeDans(const grid::TableauClasse& g) {
    return EditionVisible() && colonne_ > 0 && g.Page() == page_ && g.Objet() == objet_;
}

void EditionProgramme::CaractereFenetre(int k) {
    if (!frappeVersEdition_ || !EditionVisible()) return;
    if (k >= 32) FrappeRemplacement(k);
}

void EditionProgramme::FrappeRemplacement(int k) {
    if (!frappeVersEdition_ || !boite_) return;
    std::string texte = boite_->Texte();
    const auto taille = static_cast<int>(texte.size());
    const int debut = std::clamp(boite_->SelectionDebut(), 0, taille);
    const int longueur = std::clamp(boite_->SelectionLongueur(), 0, taille - debut);
    if (longueur > 0) texte.erase(static_cast<std::size_t>(debut), static_cast<std::size_t>(longueur));
    texte.push_back(static_cast<char>(k));
    boite_->TexteFixer(texte);
    boite_->SelectionFixer(static_cast<int>(texte.size()), 0);
}

void EditionProgramme::Fin(int touche, bool evenement) {
    frappeVersEdition_ = false;
    if (!boite_ || !boite_->Visible()) return;
    const int page = page_, objet = objet_, c = colonne_, r = ligne_;
    std::string texte = boite_->Texte();
    // The box goes whatever the commit does, so that a failed or stopped
    // commit never leaves a box nobody can close.
    boite_->Fermer();
    page_ = objet_ = colonne_ = ligne_ = 0;
    grid::TableauClasse* g = grilles_.Cherche(page, objet);
    if (!g || c < 1 || r < 1 || moteur_.jeu.ModeProgramme != engine::kModeJeu) return;
    // A text running over its neighbours keeps its sign: the cell's value
    // tells, whether it is typed or computed.
    const formula::Valeur actuelle = g->CaseValeurInternePendantCalcul(static_cast<std::uint8_t>(c),
                                                                        static_cast<std::uint8_t>(r));
    if (actuelle.estChaine() && actuelle.chaine().starts_with(kProprietaire)) {
        texte = kProprietaire + engine::Trim(texte);
    }
    plan_.PlanAffaireModifieFixer(true);
    if (!grilles_.FinEditionCase(page, objet, c, r, texte)) return;
    // Tab ends the edit and the selection stays; Enter moves down.
    if (touche == 13) {
        if (grid::TableauClasse* h = grilles_.Cherche(page, objet)) grilles_.AppuieToucheGrille(*h, 40, 0);
    }
    grilles_.RecalculerPage(page);
    grilles_.RedessinerPage(page);
    affichage_.MajFenetreJeu();
    if (evenement) EditionFinieSignaler(page, objet);
}

void EditionProgramme::EditionFinieSignaler(int page, int objet) {
    bool arrive = false;
    for (engine::EvenementAttente& e : moteur_.attente.entrees) {
        if (e.Page != page || e.Objet != objet || !(e.EvenementsAttendus & engine::evenement::EditionFinie)) continue;
        e.EvenementsSurvenus |= engine::evenement::EditionFinie;
        arrive = true;
    }
    if (arrive) engine::AttenteReveiller(moteur_);
}

}  // namespace korv::programme
