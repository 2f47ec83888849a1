#include "display/grille_pinceau.h"

#include <algorithm>
#include <cstdlib>
#include <string>

#include "display/images.h"
#include "display/surface.h"
#include "display/surface_twips.h"
#include "engine/fichier_nom.h"

namespace korv::display {

namespace {
Couleur VersCouleur(std::int32_t rgb) { return static_cast<Couleur>(rgb) & 0xFFFFFFu; }
}  // namespace

PinceauSurface::~PinceauSurface() {
    // A clip left by an interrupted drawing never outlives the drawing.
    while (clips_ > 0) ClipEnlever();
}

std::int32_t PinceauSurface::PixelX() const { return s_.TwipsParPixelX(); }
std::int32_t PinceauSurface::PixelY() const { return s_.TwipsParPixelY(); }
int PinceauSurface::X(std::int32_t twips) const { return PixelsDepuisTwips(twips, s_.TwipsParPixelX()); }
int PinceauSurface::Y(std::int32_t twips) const { return PixelsDepuisTwips(twips, s_.TwipsParPixelY()); }

void PinceauSurface::Clip(std::int32_t gauche, std::int32_t haut, std::int32_t droite, std::int32_t bas) {
    // A region's right and bottom edges are outside it.
    s_.PousserClip(QRect(QPoint(X(gauche), Y(haut)), QPoint(X(droite) - 1, Y(bas) - 1)));
    ++clips_;
}

void PinceauSurface::ClipEnlever() {
    if (clips_ == 0) return;
    s_.RetirerClip();
    --clips_;
}

void PinceauSurface::Boite(std::int32_t x1, std::int32_t y1, std::int32_t x2, std::int32_t y2, std::int32_t couleur) {
    s_.RemplirBoite(X(x1), Y(y1), X(x2), Y(y2), VersCouleur(couleur));
}

void PinceauSurface::PointsPointilles(int x1, int y1, int x2, int y2, std::int32_t couleur, bool dernier) {
    // One pixel on, one off, counted from the line's start.
    const int dx = x2 > x1 ? 1 : (x2 < x1 ? -1 : 0);
    const int dy = y2 > y1 ? 1 : (y2 < y1 ? -1 : 0);
    const int n = std::max(std::abs(x2 - x1), std::abs(y2 - y1)) + (dernier ? 1 : 0);
    const QRegion clip = s_.Clip();
    for (int i = 0; i < n; i += 2) {
        const int x = x1 + i * dx, y = y1 + i * dy;
        if (x >= 0 && y >= 0 && x < s_.Largeur() && y < s_.Hauteur() && clip.contains(QPoint(x, y))) {
            s_.DefinirPixel(x, y, VersCouleur(couleur));
        }
    }
}

void PinceauSurface::Cadre(std::int32_t x1, std::int32_t y1, std::int32_t x2, std::int32_t y2, std::int32_t couleur,
                           int epaisseur) {
    if (pointille_ && epaisseur <= 1) {
        const int a = X(x1), b = Y(y1), c = X(x2), d = Y(y2);
        PointsPointilles(a, b, c, b, couleur, true);
        PointsPointilles(a, d, c, d, couleur, true);
        PointsPointilles(a, b, a, d, couleur, true);
        PointsPointilles(c, b, c, d, couleur, true);
        return;
    }
    s_.Cadre(X(x1), Y(y1), X(x2), Y(y2), VersCouleur(couleur), epaisseur);
}

void PinceauSurface::Ligne(std::int32_t x1, std::int32_t y1, std::int32_t x2, std::int32_t y2, std::int32_t couleur,
                           int epaisseur) {
    if (pointille_ && epaisseur <= 1) {
        PointsPointilles(X(x1), Y(y1), X(x2), Y(y2), couleur, false);
        return;
    }
    s_.Ligne(QPoint(X(x1), Y(y1)), QPoint(X(x2), Y(y2)), VersCouleur(couleur), epaisseur);
}

void PinceauSurface::Inverser(std::int32_t x1, std::int32_t y1, std::int32_t x2, std::int32_t y2) {
    s_.Inverser(RectangleDepuisCoins(X(x1), Y(y1), X(x2), Y(y2)).intersected(s_.Rectangle()));
}

namespace {
Police PoliceDeCase(const grid::PoliceCase& police) {
    Police p;
    p.nom = police.nom;
    p.taillePoints = police.taille;
    p.gras = police.gras;
    p.souligne = police.souligne;
    return p;
}
}  // namespace

int PinceauSurface::LargeurTexte(std::string_view texte, const grid::PoliceCase& police) {
    return s_.MesurerTexte(texte, PoliceDeCase(police)).width();
}

void PinceauSurface::Texte(int gauche, int haut, int droite, int bas, std::string_view texte,
                           const grid::PoliceCase& police, std::int32_t couleur, grid::AlignementCase alignement) {
    if (droite <= gauche || bas <= haut) return;
    std::string lignes(texte);
    std::replace(lignes.begin(), lignes.end(), '\r', '\n');
    Police p;
    p.nom = police.nom;
    p.taillePoints = police.taille;
    p.gras = police.gras;
    p.souligne = police.souligne;
    AlignementTexte h = AlignementTexte::CentreH;
    if (alignement == grid::AlignementCase::Gauche) h = AlignementTexte::Gauche;
    if (alignement == grid::AlignementCase::Droite) h = AlignementTexte::Droite;
    s_.TexteDansRectangle(QRect(QPoint(gauche, haut), QPoint(droite - 1, bas - 1)), lignes, p, VersCouleur(couleur),
                          h | AlignementTexte::Haut);
}

void PinceauSurface::MarqueBulle(std::int32_t droite, std::int32_t haut) {
    // A small dark red triangle in the cell's top-right corner, drawn by us:
    // the mark only has to show that the cell has a tooltip.
    const int d = X(droite), h = Y(haut);
    const int n = grid::kLargeurMarqueBulle;
    for (int k = 0; k < n - 1; ++k) {
        s_.Ligne(QPoint(d - (n - 1) + k, h + 1 + k), QPoint(d, h + 1 + k), Rgb(160, 0, 0), 1, false);
    }
}

void PinceauSurface::Image(std::string_view fichier, std::int32_t gauche, std::int32_t haut, std::int32_t droite,
                           std::int32_t bas, int dx, int dy) {
    // The picture's origin is placed, never a source point outside it: the
    // cell's clip cuts what falls outside the cell.
    Clip(gauche, haut, droite, bas);
    PlacementImage p;
    p.x = X(gauche) + dx;
    p.y = Y(haut) + dy;
    ChargeImage(images_, engine::NomFichierAbsolu(fichier, dossier_), s_, p, OperationRaster::SrcCopy);
    ClipEnlever();
}

}  // namespace korv::display
