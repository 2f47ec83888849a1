#include "engine/declencheurs_texte_riche.h"

#include <algorithm>
#include <cstdint>
#include <limits>

#include "engine/declencheurs_objets.h"
#include "engine/moteur.h"
#include "formula/nombres.h"

namespace korv::engine {

namespace {

std::int64_t Arrondi(double v) {
    v = formula::ArrondiPair(v);
    return static_cast<std::int64_t>(std::clamp(v, double{std::numeric_limits<std::int32_t>::min()},
                                                double{std::numeric_limits<std::int32_t>::max()}));
}

bool Pourcentage(const std::string& valeur) { return !valeur.empty() && valeur.back() == '%'; }

std::int16_t Page16(std::int64_t p) {
    return static_cast<std::int16_t>(std::clamp<std::int64_t>(p, 1, std::numeric_limits<std::int16_t>::max()));
}

}  // namespace

void DeclencheTexteRTF(Moteur& moteur, int page, int objet, const std::string& valeur, int action, int mode,
                       int source) {
    if (!moteur.scene.ObjetExiste(page, objet)) return;
    auto& ecran = moteur.Ecran();
    const int k = ObjetAfficheNObjetVersNAffiche(moteur.affiches, page, objet);
    ObjetAffiche* affiche = k > 0 ? &moteur.affiches.Entree(k) : nullptr;

    switch (action) {
    case 0: {
        if (valeur.empty()) {
            DeclencheDivers(moteur, page, objet, mode, source, -1);
            return;
        }
        const int nombre = ecran.TexteNbPage(page, objet);
        double p = formula::Val(valeur);
        if (Pourcentage(valeur)) p = p / 100.0 * nombre;
        std::int64_t n = Arrondi(p);
        if (n > nombre) n = nombre;
        if (n < 1) n = 1;
        if (affiche) {
            affiche->morceauTexte = Page16(n);
            ecran.MajZoneObjetJeu(k, 0);
        }
        ecran.JeuBoutonPageSuivantePrecedenteMaj(page);
        return;
    }
    case 1:
    case 2: {
        if (!affiche) return;
        const int nombre = ecran.TexteNbPage(page, objet);
        std::int64_t n = std::int64_t{affiche->morceauTexte} + (action == 1 ? 1 : -1);
        if (action == 1 && nombre <= n) n = nombre;
        if (n < 1) n = 1;
        affiche->morceauTexte = Page16(n);
        ecran.MajZoneObjetJeu(k, 0);
        ecran.JeuBoutonPageSuivantePrecedenteMaj(page);
        moteur.Declenchement().Voisins().ObjetsSpriteMethodeMaj();
        return;
    }
    case 3: {
        if (valeur.empty()) return;
        double y = formula::Val(valeur);
        if (Pourcentage(valeur)) y = y / 100.0 * moteur.Fenetre().TexteMethodeHauteurTexte();
        // The method text is the guided method's: it scrolls it.
        moteur.Plan().TexteMethodeDefiler(static_cast<std::int32_t>(Arrondi(y)));
        return;
    }
    default: return;
    }
}

}  // namespace korv::engine
