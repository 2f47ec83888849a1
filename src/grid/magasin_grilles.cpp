#include "grid/magasin_grilles.h"

#include <limits>

#include "engine/scene.h"
#include "grid/grid_record.h"
#include "formula/services.h"
#include "grid/service_absent.h"

namespace korv::grid {

void MagasinGrilles::Construit(const engine::Scene& scene) {
    decltype(grilles_) nouvelles;
    for (int p = 1; p <= scene.PageNb(); ++p) {
        const auto& page = scene.Page(p);
        for (int o = 1; o <= page.ObjetNb(); ++o) {
            const engine::ObjetPage& objet = page.Objet(o);
            if (objet.Type() != engine::TypeObjet::Tableau || !objet.grille) continue;
            auto g = std::make_unique<TableauClasse>();
            g->Identite(static_cast<std::int16_t>(p), static_cast<std::int16_t>(o));
            g->Environnement(this);
            g->Calcul(services_.calcul);
            g->ChronoBulle(services_.chronoBulle);
            g->EtatCalculPartage(&etat_);
            g->InitialiseRectangleParent(objet.gauche, objet.haut, objet.gauche + objet.largeur,
                                         objet.haut + objet.hauteur);
            g->Charge(*objet.grille, objet.formules);
            nouvelles.emplace(std::pair{static_cast<std::int16_t>(p), static_cast<std::int16_t>(o)}, std::move(g));
        }
    }
    grilles_ = std::move(nouvelles);
}

TableauClasse* MagasinGrilles::Grille(std::int16_t page, std::int16_t objet) {
    const auto it = grilles_.find({page, objet});
    return it == grilles_.end() ? nullptr : it->second.get();
}

TableauClasse* MagasinGrilles::Cherche(int page, int objet) {
    constexpr int max = std::numeric_limits<std::int16_t>::max();
    if (page < 1 || page > max || objet < 1 || objet > max) return nullptr;
    return Grille(static_cast<std::int16_t>(page), static_cast<std::int16_t>(objet));
}

// The marks of every grid hold the generation they were set in.
void MagasinGrilles::ParcouruRecalculReinitTous() { ++etat_.generation; }

bool MagasinGrilles::FinEditionCase(int page, int objet, int colonne, int ligne, std::string texte) {
    TableauClasse* g = Cherche(page, objet);
    if (!g || !g->DansGrille(colonne, ligne)) return true;
    ParcouruRecalculReinitTous();
    g->CaseUtilisateurChangeRef(colonne, ligne, texte, true);
    if (Cherche(page, objet) != g) return false;
    return !g->CaseUtilisateurChangeDeclenche(colonne, ligne);
}

void MagasinGrilles::RecalculerPage(int page) {
    if (page < 1 || page > std::numeric_limits<std::int16_t>::max()) return;
    const auto p = static_cast<std::int16_t>(page);
    for (auto it = grilles_.lower_bound({p, 0}); it != grilles_.end() && it->first.first == p; ++it) {
        it->second->RecalculSansInit();
    }
}

void MagasinGrilles::RedessineSiAffiche(std::int16_t page, std::int16_t objet) {
    if (!services_.redessine) ServiceAbsent("RedessineSiAffiche (affichage des grilles)");
    services_.redessine(page, objet);
}

void MagasinGrilles::PageCouranteRecalculSansInit() {
    if (!services_.pageCourante) ServiceAbsent("PageCourante (grilles de la page)");
    RecalculerPage(services_.pageCourante());
}

bool MagasinGrilles::ASelection(int page, int objet) {
    const TableauClasse* g = Cherche(page, objet);
    return g && g->SelectionEstValide();
}

void MagasinGrilles::SelectionnerRien(int page, int objet) {
    if (TableauClasse* g = Cherche(page, objet)) g->SelectionnerRien();
}

// Every list is emptied before any formula adds to one.
void MagasinGrilles::ReferencesRecreer(const engine::Scene&) { TableauxReferencesRecreer(); }

void MagasinGrilles::TableauxReferencesRecreer() {
    if (!services_.calcul) ServiceAbsent("ReferencesRecreer (aucun service de formules)");
    for (auto& [cle, g] : grilles_) g->ReferenceDeSupprimerToutes();
    auto& scene = services_.calcul->Formules().scene;
    for (auto& [cle, g] : grilles_) g->ReferenceDeCreer(cle.first, cle.second, scene);
}

// Formulas that read no cell are computed again each time their page is
// shown. The marks are reset first: those left by the last change on
// another page would stop the invalidation of this page's dependants.
void MagasinGrilles::PreparerPourPage(int page, int objet) {
    TableauClasse* g = Cherche(page, objet);
    if (!g) return;
    g->SelectionnerRien();
    ParcouruRecalculReinitTous();
    g->RecalculInvaliderCalculIndependants();
    g->RecalculSansInit();
}

void MagasinGrilles::Recalculer(int page, int objet) {
    if (TableauClasse* g = Cherche(page, objet)) g->RecalculSansInit();
}

void MagasinGrilles::BoutonAscenseurMaj(int, int) { ServiceAbsent("BoutonAscenseurMaj (ascenseurs)"); }

void MagasinGrilles::Affiche(int page, int objet) {
    if (Cherche(page, objet)) RedessineSiAffiche(static_cast<std::int16_t>(page), static_cast<std::int16_t>(objet));
}

std::string MagasinGrilles::TexteAffiche(TableauClasse& g, int c, int r) {
    if (services_.texteAffiche) return services_.texteAffiche(g, c, r);
    return g.CaseValeurAAfficher(static_cast<std::uint8_t>(c), static_cast<std::uint8_t>(r));
}

formula::ServiceGrille* MagasinGrilles::GrilleDe(int page, int objet) {
    if (page < 1 || page > 32767 || objet < 1 || objet > 32767) return nullptr;
    return Grille(static_cast<std::int16_t>(page), static_cast<std::int16_t>(objet));
}

}  // namespace korv::grid
