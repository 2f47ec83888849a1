#include "grid/magasin_grilles.h"

#include <limits>

#include "engine/scene.h"
#include "grid/grid_record.h"
#include "grid/non_construit.h"

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

void MagasinGrilles::ParcouruRecalculReinitTous() {
    for (auto& [cle, g] : grilles_) g->ParcouruRecalculTableauReinit();
}

void MagasinGrilles::RedessineSiAffiche(std::int16_t page, std::int16_t objet) {
    if (!services_.redessine) NonConstruit("RedessineSiAffiche (affichage des grilles)");
    services_.redessine(page, objet);
}

bool MagasinGrilles::ASelection(int page, int objet) {
    const TableauClasse* g = Cherche(page, objet);
    return g && g->SelectionEstValide();
}

void MagasinGrilles::SelectionnerRien(int page, int objet) {
    if (TableauClasse* g = Cherche(page, objet)) g->SelectionnerRien();
}

void MagasinGrilles::ReferencesRecreer(const engine::Scene&) { NonConstruit("ReferencesRecreer (dépendances)"); }

void MagasinGrilles::PreparerPourPage(int, int) { NonConstruit("PreparerPourPage (recalcul)"); }

void MagasinGrilles::BoutonAscenseurMaj(int, int) { NonConstruit("BoutonAscenseurMaj (ascenseurs)"); }

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
