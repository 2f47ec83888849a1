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

std::vector<QPoint> Points(std::span<const engine::PolylignePoint> points) {
    std::vector<QPoint> q;
    q.reserve(points.size());
    for (const engine::PolylignePoint& p : points) q.emplace_back(p.x, p.y);
    return q;
}

QPolygon Polygone(std::span<const engine::PolylignePoint> points) {
    const std::vector<QPoint> q = Points(points);
    return QPolygon(QList<QPoint>(q.begin(), q.end()));
}

}  // namespace

void PolyligneAfficher(AffichagePage& a, Surface& surface, int page, int objet, Couleur couleur, int epaisseur) {
    const engine::ObjetPage* o = a.Objet(page, objet);
    if (!o || o->chemin.points.empty()) return;
    // Every surface holds the page in page pixels (the visible page too: the
    // copy to the window applies the scroll origin), so points go unshifted.
    const std::vector<QPoint> q = Points(o->chemin.points);
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
    // The visible page is in page pixels like the buffer: the scroll origin
    // belongs to the copy to the window, not to the polygon.
    surface.PousserClip(QRegion(Polygone(o->chemin.points), Qt::OddEvenFill));
    Ombre(a.reglages.systeme, surface, a.PxX(o->gauche), a.PxY(o->haut), a.PxX(o->largeur), a.PxY(o->hauteur),
          kEclaircissement);
    surface.RetirerClip();
}

std::optional<QRegion> PolyligneSpriteClipping(AffichagePage& a, int page, int sprite) {
    const auto masques = engine::PolyligneMasquesDuSprite(a.moteur.scene, page, sprite);
    if (masques.empty()) return std::nullopt;
    QRegion union_;
    for (const auto& m : masques) union_ += QRegion(Polygone(m), Qt::OddEvenFill);
    const engine::EnteteScene& e = a.moteur.scene.entete;
    return QRegion(0, 0, e.pageLargeur, e.pageHauteur).subtracted(union_);
}

}  // namespace korv::display
