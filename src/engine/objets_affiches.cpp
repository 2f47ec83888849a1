#include "engine/objets_affiches.h"

#include "engine/attente.h"
#include "engine/scene.h"

namespace korv::engine {

namespace {

inline constexpr std::int16_t kTypeChrono = 7;

void RectangleDepuisObjet(ObjetAffiche& e, const ObjetPage& o, TwipsParPixel tpp) {
    // 32-bit sums: a record near the 16-bit limit stays exact here.
    e.haut = o.haut;
    e.bas = std::int32_t{o.haut} + o.hauteur - tpp.y;
    e.gauche = o.gauche;
    e.droite = std::int32_t{o.gauche} + o.largeur - tpp.x;
}

}  // namespace

void ObjetAfficheAjouter(ListeObjetsAffiches& liste, const Scene& scene, int page, int objet, TwipsParPixel tpp) {
    if (!scene.ObjetExiste(page, objet)) return;
    const ObjetPage& o = scene.Page(page).Objet(objet);
    ObjetAffiche e;
    e.page = static_cast<std::int16_t>(page);
    e.objet = static_cast<std::int16_t>(objet);
    RectangleDepuisObjet(e, o, tpp);
    e.morceauTexte = o.C2;
    e.ligneSelectionnee = o.A4;
    e.ligneTexteLong = o.G[4];
    e.role = o.G[3];
    liste.entrees.push_back(e);
}

int ObjetAfficheNObjetVersNAffiche(const ListeObjetsAffiches& liste, int page, int objet) {
    for (int n = 1; n <= liste.Nombre(); ++n) {
        const ObjetAffiche& e = liste.Entree(n);
        if (e.page == page && e.objet == objet) return n;
    }
    return 0;
}

void ObjetAfficheSupprimer(ListeObjetsAffiches& liste, int n) {
    if (!liste.Existe(n)) return;
    liste.entrees.erase(liste.entrees.begin() + (n - 1));
}

void ObjetAfficheSupprimerTous(ListeObjetsAffiches& liste) { liste.entrees.clear(); }

void ObjetAfficheRecalculerPositions(ListeObjetsAffiches& liste, ListeAttente& attente, const Scene& scene,
                                     TwipsParPixel tpp) {
    for (ObjetAffiche& e : liste.entrees) {
        if (!scene.ObjetExiste(e.page, e.objet)) continue;
        RectangleDepuisObjet(e, scene.Page(e.page).Objet(e.objet), tpp);
        e.survol = 0;
        e.enfonce = 0;
    }
    for (EvenementAttente& a : attente.entrees) {
        if (a.TypeObjet == kTypeChrono || !scene.ObjetExiste(a.Page, a.Objet)) continue;
        const ObjetPage& o = scene.Page(a.Page).Objet(a.Objet);
        a.Gauche = o.gauche;
        a.Haut = o.haut;
        a.Largeur = o.largeur;
        a.Hauteur = o.hauteur;
    }
}

}  // namespace korv::engine
