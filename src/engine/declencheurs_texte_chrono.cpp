#include "engine/declencheurs_texte_chrono.h"

#include <algorithm>
#include <limits>
#include <vector>

#include "engine/attente_boucle.h"
#include "engine/declencheurs_objets.h"
#include "engine/moteur.h"
#include "formula/nombres.h"

namespace korv::engine {

namespace {

std::int32_t Long(double v) {
    v = formula::ArrondiPair(v);
    return static_cast<std::int32_t>(std::clamp(v, double{std::numeric_limits<std::int32_t>::min()},
                                                double{std::numeric_limits<std::int32_t>::max()}));
}

std::int16_t Entier(std::int64_t v) {
    return static_cast<std::int16_t>(
        std::clamp<std::int64_t>(v, std::numeric_limits<std::int16_t>::min(), std::numeric_limits<std::int16_t>::max()));
}

// The text page a value asks for: a number, or a percentage of the pages
// when it ends with "%"; within 1 .. nombre.
int PageDemandee(const std::string& valeur, int nombre) {
    double p = formula::Val(valeur);
    if (valeur.back() == '%') p = p / 100.0 * nombre;
    std::int32_t page = Long(p);
    if (page > nombre) page = nombre;
    if (page < 1) page = 1;
    return page;
}

// Indexes of the waiting entries of (page, objet), in list order.
std::vector<int> EntreesDe(const Moteur& moteur, int page, int objet) {
    std::vector<int> r;
    for (int i = 1; i <= moteur.attente.Nombre(); ++i) {
        const auto& e = moteur.attente.Entree(i);
        if (e.Page == page && e.Objet == objet) r.push_back(i);
    }
    return r;
}

}  // namespace

void DeclencheTexte(Moteur& moteur, int page, int objet, std::string& valeur, int action, int mode, int source) {
    if (!moteur.scene.ObjetExiste(page, objet)) return;
    auto& ecran = moteur.Ecran();
    const int k = ObjetAfficheNObjetVersNAffiche(moteur.affiches, page, objet);
    const int nombre = ecran.TexteNbPage(page, objet);
    const auto redessiner = [&] { ecran.MajZoneObjetJeu(k, 0); };
    const auto boutons = [&] { ecran.JeuBoutonPageSuivantePrecedenteMaj(page); };
    ObjetAffiche* affiche = k > 0 ? &moteur.affiches.Entree(k) : nullptr;

    switch (action) {
    case 0:
        if (valeur.empty()) {
            DeclencheDivers(moteur, page, objet, mode, source, -1);
            break;
        }
        if (affiche) {
            affiche->morceauTexte = Entier(PageDemandee(valeur, nombre));
            redessiner();
        } else {
            DeclencheDivers(moteur, page, objet, mode, source, -1);
        }
        boutons();
        break;
    case 1:
    case 2: {
        if (!affiche) {
            boutons();
            break;
        }
        std::int64_t p = affiche->morceauTexte + (action == 1 ? 1 : -1);
        if (action == 1 ? p >= nombre : p > nombre) p = nombre;
        if (p < 1) p = 1;
        affiche->morceauTexte = Entier(p);
        redessiner();
        boutons();
        break;
    }
    case 3:
        if (affiche) {
            affiche->ligneSelectionnee = Long(formula::Val(valeur));
            redessiner();
        }
        break;
    case 4:
        moteur.scene.Page(page).Objet(objet).texte = valeur;
        if (affiche) {
            redessiner();
        } else {
            DeclencheDivers(moteur, page, objet, mode, source, -1);
        }
        break;
    case 5:
    case 6:
        if (affiche) {
            const std::int64_t ligne = std::int64_t{affiche->ligneTexteLong} + (action == 5 ? 1 : -1);
            affiche->ligneTexteLong = Long(static_cast<double>(action == 6 ? std::max<std::int64_t>(ligne, 1) : ligne));
            redessiner();
        }
        break;
    case 7:
        if (affiche) {
            affiche->ligneTexteLong = Long(formula::Val(valeur));
            redessiner();
        }
        break;
    case 8: {
        if (!affiche) break;
        // From the line after the selected one, so that the same search
        // again goes on to the next match; a match on the selected line
        // itself (the only one, found by wrapping) changes nothing.
        const std::int32_t selection = affiche->ligneSelectionnee;
        const std::int32_t depart = selection < std::numeric_limits<std::int32_t>::max() ? selection + 1 : selection;
        const int trouvee = ecran.TexteRecherche(page, objet, valeur, depart);
        if (trouvee < 1 || trouvee == selection) break;
        const int p = ecran.TexteNLigneVersNPage(page, objet, trouvee);
        // The layout may have drawn (and so grown the shown list) meanwhile:
        // the entry is looked up again rather than reached through `affiche`.
        const int n = ObjetAfficheNObjetVersNAffiche(moteur.affiches, page, objet);
        if (n < 1) break;
        ObjetAffiche& entree = moteur.affiches.Entree(n);
        entree.ligneSelectionnee = trouvee;
        if (p >= 1 && p <= nombre) entree.morceauTexte = Entier(p);
        ecran.MajZoneObjetJeu(n, 0);
        break;
    }
    case 9:
        ObjetEnJeuCacher(moteur, page, objet, true);
        boutons();
        break;
    default: break;
    }
}

void DeclencheChrono(Moteur& moteur, int page, int objet, const std::string& valeur, int action, int source) {
    (void)source;
    if (!moteur.scene.ObjetExiste(page, objet)) return;
    switch (action) {
    case 0: {
        // A running timer is not restarted; one stopped in this same firing
        // (marked for removal) may start again.
        const auto entrees = EntreesDe(moteur, page, objet);
        const bool enMarche = std::any_of(entrees.begin(), entrees.end(),
                                          [&](int i) { return moteur.attente.Entree(i).Etat != -1; });
        if (!enMarche) EvenementObjetEnAttenteDEvenementAjoute(moteur, page, objet);
        break;
    }
    case 1: {
        auto entrees = EntreesDe(moteur, page, objet);
        if (const auto nombre = formula::LitNombre(valeur)) {
            const std::int32_t rang = Long(*nombre);
            if (rang == -1 && !entrees.empty()) {
                entrees = {entrees.back()};
            } else if (rang >= 1 && static_cast<std::size_t>(rang) <= entrees.size()) {
                entrees = {entrees[static_cast<std::size_t>(rang - 1)]};
            } else {
                entrees.clear();
            }
        }
        // Due at the next examination; -1 also ends a repeating timer after it.
        const std::int64_t echeance = moteur.scene.Page(page).Objet(objet).A1 == 0 ? 0 : -1;
        for (int i : entrees) moteur.attente.Entree(i).Gauche = echeance;
        break;
    }
    case 2: EvenementObjetEnAttenteDEvenementAjoute(moteur, page, objet); break;
    default: break;
    }
}

}  // namespace korv::engine
