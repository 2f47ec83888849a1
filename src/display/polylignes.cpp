#include "display/polylignes.h"

#include <vector>

#include <QPoint>
#include <QPolygon>

#include "display/affichage.h"
#include "display/composition.h"
#include "engine/moteur.h"
#include "engine/polyligne.h"

namespace korv::display {

namespace {

constexpr int kEclaircissement = 50;

std::vector<QPoint> Points(std::span<const engine::PolylignePoint> points, QPoint decalage) {
    std::vector<QPoint> q;
    q.reserve(points.size());
    for (const engine::PolylignePoint& p : points) q.emplace_back(QPoint(p.x, p.y) - decalage);
    return q;
}

QPoint DecalageSur(const AffichagePage& a, const Surface& surface) {
    return &surface == &a.PageEcran ? QPoint(a.DecalageAffichageX, a.DecalageAffichageY) : QPoint(0, 0);
}

QPolygon Polygone(std::span<const engine::PolylignePoint> points, QPoint decalage) {
    const std::vector<QPoint> q = Points(points, decalage);
    return QPolygon(QList<QPoint>(q.begin(), q.end()));
}

}  // namespace

void PolyligneAfficher(AffichagePage& a, Surface& surface, int page, int objet, Couleur couleur, int epaisseur) {
    const engine::ObjetPage* o = a.Objet(page, objet);
    if (!o || o->chemin.points.empty()) return;
    const std::vector<QPoint> q = Points(o->chemin.points, DecalageSur(a, surface));
    if (o->chemin.fermee != 0) {
        surface.Polygone(q, std::nullopt, couleur, epaisseur);
    } else {
        surface.Polyligne(q, couleur, epaisseur);
    }
}

void PolyligneEclaircir(AffichagePage& a, Surface& surface, int page, int objet) {
    const engine::ObjetPage* o = a.Objet(page, objet);
    if (a.reglages.systeme.SystemeWindowsNT || !o || o->decoupe != engine::kFormePolyligne ||
        o->chemin.points.empty()) {
        return;
    }
    // The polygon and the lightened rectangle move together, by the scroll
    // origin on the visible page only.
    const QPoint decalage = DecalageSur(a, surface);
    surface.PousserClip(QRegion(Polygone(o->chemin.points, decalage), Qt::OddEvenFill));
    Ombre(a.reglages.systeme, surface, a.PxX(o->gauche) - decalage.x(), a.PxY(o->haut) - decalage.y(),
          a.PxX(o->largeur), a.PxY(o->hauteur), kEclaircissement);
    surface.RetirerClip();
}

std::optional<QRegion> PolyligneSpriteClipping(AffichagePage& a, int page, int sprite) {
    const auto masques = engine::PolyligneMasquesDuSprite(a.moteur.scene, page, sprite);
    if (masques.empty()) return std::nullopt;
    QRegion union_;
    for (const auto& m : masques) union_ += QRegion(Polygone(m, QPoint(0, 0)), Qt::OddEvenFill);
    const engine::EnteteScene& e = a.moteur.scene.entete;
    return QRegion(0, 0, e.pageLargeur, e.pageHauteur).subtracted(union_);
}

}  // namespace korv::display
