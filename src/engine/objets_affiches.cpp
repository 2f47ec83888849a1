#include "engine/objets_affiches.h"

#include <algorithm>
#include <limits>

#include "engine/attente.h"
#include "engine/moteur.h"
#include "engine/polyligne.h"
#include "engine/recherche.h"
#include "engine/scene.h"
#include "engine/texte_langue.h"

namespace korv::engine {

namespace {

inline constexpr std::int16_t kTypeChrono = 7;
inline constexpr std::uint8_t kFormePolygone = 2;
inline constexpr std::size_t kRectanglesZoneMax = 3;

// Strictly inside, in 64 bits: sums of twips near the 16-bit limits stay exact.
bool Entre(std::int64_t bas, std::int64_t v, std::int64_t haut) { return bas < v && v < haut; }

bool ObjetTouchable(TypeObjet t) {
    switch (t) {
    case TypeObjet::Fond: case TypeObjet::Image: case TypeObjet::Bouton: case TypeObjet::Texte:
    case TypeObjet::Video: case TypeObjet::Polyligne: case TypeObjet::Sprite: case TypeObjet::Tableau:
    case TypeObjet::TexteRtf: return true;
    default: return false;
    }
}

bool DansPolygone(const Scene& scene, int page, int objet, std::int32_t x, std::int32_t y, TwipsParPixel tpp) {
    return PolylignePointDedans(scene, page, objet, tpp.x, tpp.y, x, y);
}

bool DansZoneLien(const ZoneTexteLien& z, std::int32_t x, std::int32_t y) {
    const std::int32_t gauches[] = {z.Gauche1, z.Gauche2, z.Gauche3};
    const std::int32_t droites[] = {z.Droite1, z.Droite2, z.Droite3};
    const std::int32_t hauts[] = {z.Haut1, z.Haut2, z.Haut3};
    const std::int32_t bass[] = {z.Bas1, z.Bas2, z.Bas3};
    const std::size_t n = z.Numero < 0 ? 0 : std::min<std::size_t>(kRectanglesZoneMax, static_cast<std::size_t>(z.Numero));
    for (std::size_t k = 0; k < n; ++k) {
        if (gauches[k] <= x && x <= droites[k] && hauts[k] <= y && y <= bass[k]) return true;
    }
    return false;
}

std::int16_t Borne16(std::int64_t v) {
    return static_cast<std::int16_t>(
        std::clamp<std::int64_t>(v, std::numeric_limits<std::int16_t>::min(), std::numeric_limits<std::int16_t>::max()));
}

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

bool ObjetAffichePointDedans(const ListeObjetsAffiches& liste, const Scene& scene, int n, std::int32_t x,
                             std::int32_t y, TwipsParPixel tpp) {
    if (!liste.Existe(n)) return false;
    const ObjetAffiche& e = liste.Entree(n);
    if (!scene.ObjetExiste(e.page, e.objet)) return false;
    const ObjetPage& o = scene.Page(e.page).Objet(e.objet);
    if (!ObjetTouchable(o.Type())) return false;
    // Only an object outlined by its path has a polygon; any other shape
    // byte (1, or 0 from a scene written without it) is the rectangle.
    if (o.decoupe == kFormePolygone) return DansPolygone(scene, e.page, e.objet, x, y, tpp);
    return Entre(e.gauche, x, e.droite) && Entre(e.haut, y, e.bas);
}

bool EvePointDedans(const ListeAttente& attente, const ListeObjetsAffiches& liste, const Scene& scene, int i,
                    std::int32_t x, std::int32_t y, TwipsParPixel tpp) {
    if (i < 1 || i > attente.Nombre()) return false;
    const EvenementAttente& e = attente.Entree(i);
    switch (e.TypeObjet) {
    case 2: case 3: case 4: case 5: {
        if (!scene.ObjetExiste(e.Page, e.Objet)) return false;
        if (scene.Page(e.Page).Objet(e.Objet).decoupe == kFormePolygone) return DansPolygone(scene, e.Page, e.Objet, x, y, tpp);
        return Entre(e.Gauche, x, e.Gauche + e.Largeur) && Entre(e.Haut, y, e.Haut + e.Hauteur);
    }
    case 10: return ObjetAffichePointDedans(liste, scene, ObjetAfficheNObjetVersNAffiche(liste, e.Page, e.Objet), x, y, tpp);
    case kTypeZoneLien: return DansZoneLien(e.Zone, x, y);
    default: return false;
    }
}

RectangleTwips BoutonDetermineZoneTexte(const Scene& scene, int page, int objet) {
    if (ObjetTexte(scene, page, objet).empty()) return {};
    const ObjetPage& o = scene.Page(page).Objet(objet);
    const std::int32_t l = o.gauche, t = o.haut, w = o.largeur, h = o.hauteur;
    switch (o.H3) {
    case 1: return {l + o.A1, t + o.A2, l + o.A1 + w, t + o.A2 + h};
    case 0: {
        const std::int32_t m = o.C2;
        RectangleTwips r{l + m, t + m, l + w - m, t + h - m};
        if (!o.fichier.empty()) {
            // The caption goes below the picture.
            r.haut = t + m + o.A4;
            r.bas = t + h;
        }
        return r;
    }
    default: return {};
    }
}

std::string HyperTexteDansObjet(const Scene& scene, int page, int objet, int langue) {
    if (!scene.ObjetExiste(page, objet)) return {};
    const ObjetPage& o = scene.Page(page).Objet(objet);
    if (o.Type() != TypeObjet::Texte) return {};
    std::string r;
    for (const ObjetPageElement& el : o.elements) {
        if (el.Texte.empty()) continue;
        const std::string t = TexteTraduction(el.Texte, langue, scene.entete.langueNb);
        std::string longueur = std::to_string(t.size());
        if (longueur.size() < 5) longueur.insert(0, 5 - longueur.size(), '0');
        r += longueur;
        r += t;
    }
    return r;
}

int NLigneTexteObjetY(Moteur& moteur, int page, int objet, std::int32_t y, int morceau, std::int32_t ligne) {
    if (!moteur.scene.ObjetExiste(page, objet)) return 0;
    return moteur.Ecran().NLigneTexteObjetY(page, objet, y, morceau, ligne);
}

void ImageDecalageLimite(Scene& scene, int page, int objet) {
    if (!scene.ObjetExiste(page, objet)) return;
    ObjetPage& o = scene.Page(page).Objet(objet);
    std::int64_t a = o.A1;
    if (a > 0) a = 0;
    const std::int64_t minimum = std::int64_t{o.largeur} - o.A3;
    if (a < minimum) a = minimum;
    o.A1 = Borne16(a);
}

}  // namespace korv::engine
