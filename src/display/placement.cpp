#include "display/placement.h"

#include <algorithm>
#include <cmath>
#include <string>
#include <limits>

#include "display/affichage.h"
#include "display/dessin_champs.h"
#include "display/fenetre.h"
#include "engine/geometrie.h"
#include "engine/moteur.h"

namespace korv::display {

namespace {

using engine::ObjetPage;
using engine::TypeObjet;

constexpr std::int16_t kEtirer = -1;

// Scaled page values are stored in 16-bit fields: they saturate there.
std::int16_t Arrondi16(double v) {
    if (std::isnan(v)) return 0;
    const double r = engine::ArrondiBanquier(v);
    if (r > std::numeric_limits<std::int16_t>::max()) return std::numeric_limits<std::int16_t>::max();
    if (r < std::numeric_limits<std::int16_t>::min()) return std::numeric_limits<std::int16_t>::min();
    return static_cast<std::int16_t>(r);
}

std::int32_t Arrondi32(double v) {
    if (std::isnan(v)) return 0;
    const double r = engine::ArrondiBanquier(v);
    if (r > std::numeric_limits<std::int32_t>::max()) return std::numeric_limits<std::int32_t>::max();
    if (r < std::numeric_limits<std::int32_t>::min()) return std::numeric_limits<std::int32_t>::min();
    return static_cast<std::int32_t>(r);
}

// A sprite whose picture is stretched to its object grows with the page as
// a picture does: its path and its drag limits are page geometry and grow,
// so a sprite that kept its size would drift off them (one that runs
// centred on a path would run off it by half its size times the growth).
// A sprite shown at its picture's natural size keeps its size.
bool TailleSuitLaPage(const ObjetPage& o) {
    switch (o.Type()) {
    case TypeObjet::Sprite: return champs::Etirement(o) == kEtirer;
    case TypeObjet::Fond:
    case TypeObjet::Image:
    case TypeObjet::Bouton:
    case TypeObjet::Texte:
    case TypeObjet::Tableau:
    case TypeObjet::TexteRtf:
    case TypeObjet::Graphique: return true;
    default: return false;
    }
}

bool AUneClasse(TypeObjet t) { return t == TypeObjet::Tableau || t == TypeObjet::Graphique; }

bool TailleInitialeConnue(const AffichagePage& a) {
    return a.moteur.jeu.pageLargeurInitiale > 0 && a.moteur.jeu.pageHauteurInitiale > 0;
}

void RectangleParent(AffichagePage& a, int page, int objet, const ObjetPage& o) {
    if (AUneClasse(o.Type()) && a.crochets.RectangleParentMaj) a.crochets.RectangleParentMaj(page, objet);
}

}  // namespace

void PagePlacer(AffichagePage& a, int page, std::int32_t largeur, std::int32_t hauteur, bool redessiner) {
    engine::Moteur& m = a.moteur;
    if (page == 0 || !m.scene.PageExiste(page) || !TailleInitialeConnue(a)) return;
    const std::int32_t tx = a.reglages.twipsParPixelX;
    const std::int32_t ty = a.reglages.twipsParPixelY;
    // A surface wider than 16-bit page twips reach fits the widest page
    // that they do.
    const double w = std::min(static_cast<double>(largeur) / tx, static_cast<double>(PageLargeurMax(tx)));
    const double h = std::min(static_cast<double>(hauteur) / ty, static_cast<double>(PageLargeurMax(ty)));
    const double li = m.jeu.pageLargeurInitiale;
    const double hi = m.jeu.pageHauteurInitiale;
    const bool enX = w >= li;
    const bool enY = h >= hi;
    if (enX) m.scene.entete.pageLargeur = Arrondi16(w);
    if (enY) m.scene.entete.pageHauteur = Arrondi16(h);

    MajTailleFenetre(a, redessiner);

    const double rx = w / li / EchelleEcranX(a);
    const double ry = h / hi / EchelleEcranY(a);
    engine::PageScene& p = m.scene.Page(page);
    for (int i = 1; i <= p.ObjetNb(); ++i) {
        ObjetPage& o = p.Objet(i);
        const TypeObjet t = o.Type();
        if (enX) o.gauche = Arrondi16(o.gaucheInitial * rx);
        if (enY) o.haut = Arrondi16(o.hautInitial * ry);
        if (TailleSuitLaPage(o)) {
            if (enX) o.largeur = Arrondi16(o.largeurInitial * rx);
            const bool hauteurFixe =
                t == TypeObjet::Bouton || (t == TypeObjet::Image && champs::StyleCadre(o) == champs::kCadreCouleur);
            if (!hauteurFixe && enY) o.hauteur = Arrondi16(o.hauteurInitial * ry);
        }
        if (t == TypeObjet::Bouton && champs::OctetDisposition(o) != 1) {
            if (enX) o.A1 = Arrondi16(o.A1Initial * rx);
            if (enY) o.A2 = Arrondi16(o.A2Initial * ry);
        }
        if (champs::OctetForme(o) == champs::kFormePolygone) {
            const double fx = enX ? rx : 1.0;
            const double fy = enY ? ry : 1.0;
            if (fx != 1.0 || fy != 1.0) {
                o.chemin = o.cheminInitial;
                if (a.crochets.PolyligneMultiplie) a.crochets.PolyligneMultiplie(page, i, 0.0, 0.0, fx, fy);
            }
        }
        RectangleParent(a, page, i, o);
    }

    if (a.ModeJeu() && enX) {
        for (engine::EvenementAttente& e : m.attente.entrees) {
            if (e.TypeObjet != engine::kTypeZoneLien) continue;
            const engine::ZoneTexteLien& z0 = e.ZoneInitiale;
            engine::ZoneTexteLien& z = e.Zone;
            z.Haut1 = Arrondi32(z0.Haut1 * ry), z.Haut2 = Arrondi32(z0.Haut2 * ry), z.Haut3 = Arrondi32(z0.Haut3 * ry);
            z.Bas1 = Arrondi32(z0.Bas1 * ry), z.Bas2 = Arrondi32(z0.Bas2 * ry), z.Bas3 = Arrondi32(z0.Bas3 * ry);
            z.Gauche1 = Arrondi32(z0.Gauche1 * rx), z.Gauche2 = Arrondi32(z0.Gauche2 * rx);
            z.Gauche3 = Arrondi32(z0.Gauche3 * rx);
            z.Droite1 = Arrondi32(z0.Droite1 * rx), z.Droite2 = Arrondi32(z0.Droite2 * rx);
            z.Droite3 = Arrondi32(z0.Droite3 * rx);
        }
    }
}

void PageTailleInitialeRestaurer(AffichagePage& a, int page) {
    engine::Moteur& m = a.moteur;
    if (page == 0 || !m.scene.PageExiste(page) || !TailleInitialeConnue(a)) return;
    m.scene.entete.pageLargeur = m.jeu.pageLargeurInitiale;
    m.scene.entete.pageHauteur = m.jeu.pageHauteurInitiale;
    engine::PageScene& p = m.scene.Page(page);
    for (int i = 1; i <= p.ObjetNb(); ++i) {
        ObjetPage& o = p.Objet(i);
        o.gauche = o.gaucheInitial;
        o.haut = o.hautInitial;
        o.largeur = o.largeurInitial;
        o.hauteur = o.hauteurInitial;
        o.A1 = o.A1Initial;
        o.A2 = o.A2Initial;
        if (champs::OctetForme(o) == champs::kFormePolygone) o.chemin = o.cheminInitial;
        RectangleParent(a, page, i, o);
    }
    if (a.ModeJeu()) {
        for (engine::EvenementAttente& e : m.attente.entrees) {
            if (e.TypeObjet != engine::kTypeZoneLien) continue;
            const std::string texte = e.Zone.Texte;
            const std::int16_t numero = e.Zone.Numero;
            e.Zone = e.ZoneInitiale;
            e.Zone.Texte = texte;
            e.Zone.Numero = numero;
        }
    }
}

}  // namespace korv::display
