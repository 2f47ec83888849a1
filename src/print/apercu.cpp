#include "print/apercu.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <limits>

#include "print/peinture.h"

namespace korv::print {
namespace {

// A scroll bar's range is 16-bit: rounded halves to even, and held within
// it rather than failing on an extreme page and zoom.
std::int32_t Entier16(double v) {
    const double r = std::nearbyint(v);
    return static_cast<std::int32_t>(std::clamp(r, 0.0, static_cast<double>(std::numeric_limits<std::int16_t>::max())));
}

BarreApercu Barre(double visible, double etendue, std::int32_t twipsParPixel) {
    BarreApercu b;
    if (visible < etendue) {
        b.active = true;
        b.minimum = 0;
        b.maximum = Entier16((etendue - visible) / kTwipsParUniteDefilement);
    }
    b.petitPas = twipsParPixel;
    b.grandPas = 10 * twipsParPixel;
    b.valeur = 0;
    return b;
}

}  // namespace

std::int32_t PageDemandee(std::string_view texte, std::int32_t nombre) {
    while (!texte.empty() && texte.front() == ' ') texte.remove_prefix(1);
    while (!texte.empty() && texte.back() == ' ') texte.remove_suffix(1);
    std::int32_t n = 0;
    const auto [fin, err] = std::from_chars(texte.data(), texte.data() + texte.size(), n);
    if (err != std::errc{} || fin != texte.data() + texte.size() || n < 1 || n > nombre) return nombre > 0 ? 1 : 0;
    return n;
}

DispositionApercu ApercuDisposer(const MesuresApercu& m, std::string_view zoomTexte) {
    DispositionApercu d;
    d.zoom = ZoomApercu(zoomTexte);
    d.outils = {0, 0, m.largeurInterne, m.hauteurOutils};

    // The page keeps its proportions; a page image of no width has none.
    d.affichage.largeur = d.zoom / 100.0 * m.largeurPage;
    d.affichage.hauteur = m.largeurPage > 0 ? m.hauteurPage / m.largeurPage * d.affichage.largeur : 0;
    d.affichage.gauche = 5.0 * m.twipsParPixelX;
    d.affichage.haut = d.outils.haut + d.outils.hauteur + 5.0 * m.twipsParPixelY;

    d.barreHorizontale.hauteur = m.hauteurBarreHorizontale;
    d.barreHorizontale.haut = m.hauteurInterne - m.hauteurBarreHorizontale;
    d.barreVerticale.largeur = m.largeurBarreVerticale;
    d.barreVerticale.gauche = m.largeurInterne - m.largeurBarreVerticale;
    d.barreVerticale.haut = d.affichage.haut;
    const double hauteurVerticale = d.barreHorizontale.haut - d.affichage.haut;
    d.barreVerticale.hauteur = hauteurVerticale > 0 ? hauteurVerticale : m.hauteurBarreVerticale;
    d.barreHorizontale.gauche = 0;
    const double largeurHorizontale = d.barreVerticale.gauche - d.barreHorizontale.gauche;
    d.barreHorizontale.largeur = largeurHorizontale > 0 ? largeurHorizontale : m.largeurBarreHorizontale;
    d.coin.gauche = d.barreHorizontale.gauche + d.barreHorizontale.largeur;
    d.coin.haut = d.barreVerticale.haut + d.barreVerticale.hauteur;
    d.coin.largeur = m.largeurInterne - d.coin.gauche;
    d.coin.hauteur = m.hauteurInterne - d.coin.haut;

    // What the window shows of the page; its inner left is 0.
    const double visibleLargeur = m.largeurInterne - d.barreVerticale.largeur;
    d.horizontale = Barre(visibleLargeur, d.affichage.largeur, m.twipsParPixelX);
    const double visibleHauteur = m.hauteurInterne - d.barreHorizontale.hauteur - d.affichage.haut;
    d.verticale = Barre(visibleHauteur, d.affichage.hauteur, m.twipsParPixelY);
    return d;
}

double DefilementPixels(std::int32_t valeur, std::int32_t twipsParPixel) {
    return twipsParPixel > 0 ? static_cast<double>(valeur) * kTwipsParUniteDefilement / twipsParPixel : 0;
}

double LargeurPageApercu(const ImpressionTravail& t) {
    return std::max(0.0, static_cast<double>(t.ImprimanteDroite) - t.ImprimanteDecalageX);
}

double HauteurPageApercu(const ImpressionTravail& t) {
    return std::max(0.0, static_cast<double>(t.ImprimanteBas) - t.ImprimanteDecalageY);
}

}  // namespace korv::print
