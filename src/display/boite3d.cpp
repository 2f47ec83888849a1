#include "display/boite3d.h"

#include <algorithm>

#include "display/composition.h"

namespace korv::display {

namespace {

constexpr std::uint8_t kEcartTeinte = 50;
constexpr int kEclaircissement = 50;

// Draws in twips on a surface in pixels, as the window toolkit's line
// operation did on a surface scaled in twips.
struct PinceauTwips {
    Surface& s;
    std::int32_t t, u;
    int X(std::int32_t x) const { return PixelsDepuisTwips(x, t); }
    int Y(std::int32_t y) const { return PixelsDepuisTwips(y, u); }
    void Boite(std::int32_t x1, std::int32_t y1, std::int32_t x2, std::int32_t y2, Couleur c) const {
        s.RemplirBoite(X(x1), Y(y1), X(x2), Y(y2), c);
    }
    void Trait(std::int32_t x1, std::int32_t y1, std::int32_t x2, std::int32_t y2, Couleur c) const {
        s.Ligne(QPoint(X(x1), Y(y1)), QPoint(X(x2), Y(y2)), c);
    }
};

void Boite3D(Surface& surface, std::int32_t x, std::int32_t y, std::int32_t w, std::int32_t h,
             std::int32_t profondeur, Couleur face, Couleur hautGauche, Couleur basDroite) {
    if (profondeur < 1) return;
    const std::int32_t t = surface.TwipsParPixelX(), u = surface.TwipsParPixelY();
    const std::int32_t d = std::max(profondeur / t * t, t);
    if (!surface.RedessinAuto()) {
        w += t;
        h += u;
    }
    const PinceauTwips p{surface, t, u};
    p.Boite(x, y, x + w - t, y + h - u, face);
    p.Boite(x, y, x + w - t, y + d - u, hautGauche);
    p.Boite(x, y, x + d - t, y + h - u, hautGauche);
    for (std::int32_t i = 0; i <= d - t; i += t) p.Trait(x + d - t, y + h - d, x + i, y + h, basDroite);
    p.Boite(x + d, y + h - d, x + w - t, y + h - u, basDroite);
    for (std::int32_t i = 0; i <= d - t; i += t) p.Trait(x + w - d, y + d - u, x + w - t, y + i, basDroite);
    p.Boite(x + w - d, y + d, x + w - t, y + h - u, basDroite);
}

}  // namespace

void Carre3D(Surface& surface, std::int32_t x, std::int32_t y, std::int32_t w, std::int32_t h,
             std::int32_t profondeur, Couleur couleur) {
    Boite3D(surface, x, y, w, h, profondeur, couleur, CouleurPlusClaire(couleur, kEcartTeinte),
            CouleurPlusSombre(couleur, kEcartTeinte));
}

void Carre3DEnfonce(Surface& surface, std::int32_t x, std::int32_t y, std::int32_t w, std::int32_t h,
                    std::int32_t profondeur, Couleur couleur) {
    Boite3D(surface, x, y, w, h, profondeur, couleur, CouleurPlusSombre(couleur, kEcartTeinte),
            CouleurPlusClaire(couleur, kEcartTeinte));
}

AspectEnfonce ChoisirAspectEnfonce(const ObjetEnfonce& objet) {
    const std::uint8_t s = objet.aspectEnfonce;
    if (s == 2 || (s == 0 && objet.styleCadre == 1)) return AspectEnfonce::Carre3DEnfonce;
    if (s == 3 || (s == 0 && objet.forme == 1)) {
        return objet.forme == 2 ? AspectEnfonce::PolygoneEclairci : AspectEnfonce::RectangleEclairci;
    }
    return AspectEnfonce::Aucun;
}

AspectEnfonce DessinerEnfonceObjet(const SystemeAffichage& systeme, Surface& ecran, const ObjetEnfonce& objet,
                                   QPoint decalage) {
    const std::int32_t t = ecran.TwipsParPixelX(), u = ecran.TwipsParPixelY();
    const AspectEnfonce aspect = ChoisirAspectEnfonce(objet);
    switch (aspect) {
        case AspectEnfonce::Carre3DEnfonce:
            Carre3DEnfonce(ecran, objet.gauche - t * decalage.x(), objet.haut - u * decalage.y(), objet.largeur,
                           objet.hauteur, objet.profondeur3D, objet.remplissage);
            break;
        case AspectEnfonce::RectangleEclairci:
            Ombre(systeme, ecran, PixelsDepuisTwips(objet.gauche, t) - decalage.x(),
                  PixelsDepuisTwips(objet.haut, u) - decalage.y(), PixelsDepuisTwips(objet.largeur, t),
                  PixelsDepuisTwips(objet.hauteur, u), kEclaircissement);
            break;
        case AspectEnfonce::PolygoneEclairci:
        case AspectEnfonce::Aucun:
            break;
    }
    return aspect;
}

void DessinerEnfonceZone(const SystemeAffichage& systeme, Surface& ecran, std::span<const RectangleZone> rectangles,
                         QPoint decalage) {
    if (rectangles.empty()) return;
    const auto premiers = rectangles.first(std::min<std::size_t>(rectangles.size(), 3));
    RectangleZone b = premiers.front();
    for (const RectangleZone& r : premiers) {
        b.gauche = std::min(b.gauche, r.gauche);
        b.haut = std::min(b.haut, r.haut);
        b.droite = std::max(b.droite, r.droite);
        b.bas = std::max(b.bas, r.bas);
    }
    const std::int32_t t = ecran.TwipsParPixelX(), u = ecran.TwipsParPixelY();
    Ombre(systeme, ecran, PixelsDepuisTwips(b.gauche, t) - decalage.x(), PixelsDepuisTwips(b.haut, u) - decalage.y(),
          PixelsDepuisTwips(std::int64_t{b.droite} - b.gauche, t), PixelsDepuisTwips(std::int64_t{b.bas} - b.haut, u),
          kEclaircissement);
}

}  // namespace korv::display
