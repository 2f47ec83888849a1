#include "programme/edition_programme.h"

#include <algorithm>

#include "display/affichage.h"
#include "display/surface_twips.h"
#include "engine/moteur.h"
#include "engine/texte_casse.h"
#include "grid/magasin_grilles.h"
#include "plan/etat_plan.h"
#include "platform/edit_box.h"
#include "programme/modules_a_venir.h"
#include "programme/recepteur_moteur.h"

namespace korv::programme {

namespace {
constexpr char kProprietaire = '\xA4';
constexpr std::int32_t kHauteurMin = 259;
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
        boite_->SurFin([this](int touche) { Signaler(moteur_, "Ec", [&] { Fin(touche); }); });
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
    Fin(0);
    modules_.Signaler(module::Edition, "TexteEditeParUtilisateurCommence");
}

void EditionProgramme::CaseEditer(grid::TableauClasse& g, int c, int r) {
    Fin(0);
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
    const std::int32_t tx = affichage_.PageTampon.TwipsParPixelX();
    const std::int32_t ty = affichage_.PageTampon.TwipsParPixelY();
    const std::int32_t sx = affichage_.DecalageAffichageX * tx, sy = affichage_.DecalageAffichageY * ty;
    const std::int32_t L = g.RectangleGauche(), T = g.RectangleHaut();
    const std::int32_t gauche = std::max(L + g.ColonneGauche(c) + 2 * tx - sx, L + 2 * tx - sx);
    const std::int32_t largeur = g.ColonneDroite(c) - g.ColonneGauche(c) - 3 * tx;
    const std::int32_t haut = T + g.LigneHaut(r) + 2 * ty - sy;
    const std::int32_t hauteur = std::max(g.LigneBas(r) - g.LigneHaut(r) - 3 * ty, kHauteurMin);
    boite_->Ouvrir(display::PixelsDepuisTwips(gauche, tx), display::PixelsDepuisTwips(haut, ty),
                   display::PixelsDepuisTwips(largeur, tx), display::PixelsDepuisTwips(hauteur, ty),
                   edition->texte, police_, 11, true);
    page_ = page, objet_ = objet, colonne_ = c, ligne_ = r;
    frappeVersEdition_ = true;
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

void EditionProgramme::Fin(int touche) {
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
    const grid::CaseTableau* x = g->Case(c, r);
    if (x && !x->Texte.empty() && x->Texte.front() == kProprietaire) texte = kProprietaire + engine::Trim(texte);
    plan_.PlanAffaireModifieFixer(true);
    if (!grilles_.FinEditionCase(page, objet, c, r, texte)) return;
    // Tab ends the edit and the selection stays; Enter moves down.
    if (touche == 13) {
        if (grid::TableauClasse* h = grilles_.Cherche(page, objet)) grilles_.AppuieToucheGrille(*h, 40, 0);
    }
    grilles_.RecalculerPage(page);
    grilles_.RedessinerPage(page);
    affichage_.MajFenetreJeu();
}

}  // namespace korv::programme
