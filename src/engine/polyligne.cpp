#include "engine/polyligne.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include "engine/geometrie.h"

namespace korv::engine {

namespace {

constexpr std::size_t kElementsMasqueMax = 255;

std::int32_t Borne32(double v) {
    if (std::isnan(v)) return 0;
    return static_cast<std::int32_t>(std::clamp(v, double{std::numeric_limits<std::int32_t>::min()},
                                                double{std::numeric_limits<std::int32_t>::max()}));
}

std::int16_t Borne16(double v) {
    if (std::isnan(v)) return 0;
    return static_cast<std::int16_t>(std::clamp(v, -32768.0, 32767.0));
}

std::int32_t Arrondi32(double v) { return Borne32(ArrondiBanquier(v)); }

double Segment(const PointTwips32& a, const PointTwips32& b) {
    const double dx = static_cast<double>(std::int64_t{b.x} - a.x);
    const double dy = static_cast<double>(std::int64_t{b.y} - a.y);
    return std::sqrt(dx * dx + dy * dy);
}

// The running sum of the segment lengths from point 1 to point `jusqua`,
// rounded after each addition.
double SommeSegments(const Polyligne& p, int jusqua, TwipsParPixel tpp) {
    double total = 0.0;
    for (int i = 1; i < jusqua; ++i) {
        total = ArrondiBanquier(total + Segment(PolylignePointTwips(p, i, tpp), PolylignePointTwips(p, i + 1, tpp)));
    }
    return total;
}

void DefinirPoint(Polyligne& p, int i, std::optional<std::int32_t> x, std::optional<std::int32_t> y,
                  TwipsParPixel tpp) {
    PolylignePoint& pt = p.points[static_cast<std::size_t>(i - 1)];
    if (x && tpp.x > 0) pt.x = Borne16(ArrondiBanquier(static_cast<double>(*x) / tpp.x));
    if (y && tpp.y > 0) pt.y = Borne16(ArrondiBanquier(static_cast<double>(*y) / tpp.y));
}

void Rafraichir(ObjetPage& o, TwipsParPixel tpp) {
    PolyligneMajLongueurs(o.chemin, tpp);
    PolyligneMajCentre(o, tpp);
}

bool EstSprite(const Scene& scene, int page, int objet) {
    return scene.ObjetExiste(page, objet) && scene.Page(page).Objet(objet).Type() == TypeObjet::Sprite;
}

}  // namespace

int PolyligneNbPoint(const Polyligne& p) { return static_cast<int>(p.points.size()); }

PointTwips32 PolylignePointTwips(const Polyligne& p, int i, TwipsParPixel tpp) {
    if (i < 1 || i > PolyligneNbPoint(p)) return {};
    const PolylignePoint& pt = p.points[static_cast<std::size_t>(i - 1)];
    return {pt.x * tpp.x, pt.y * tpp.y};
}

std::int32_t PolyligneL(const ObjetPage& o, int i) {
    if (o.decoupe != kFormePolyligne || i < 1 || i > PolyligneNbPoint(o.chemin)) return 0;
    // A damaged record may hold fewer lengths than points.
    if (static_cast<std::size_t>(i) > o.chemin.longueurs.size()) return 0;
    return std::int32_t{o.chemin.longueurs[static_cast<std::size_t>(i - 1)]} * 100;
}

std::int32_t PolyligneLongueur(const Polyligne& p, TwipsParPixel tpp) {
    return Borne32(SommeSegments(p, PolyligneNbPoint(p), tpp));
}

std::int32_t PolyligneLongueurJusqua(const Polyligne& p, int i, TwipsParPixel tpp) {
    return Borne32(SommeSegments(p, std::min(i, PolyligneNbPoint(p)), tpp));
}

void PolyligneMajLongueurs(Polyligne& p, TwipsParPixel tpp) {
    const int n = PolyligneNbPoint(p);
    p.longueurs.assign(static_cast<std::size_t>(n), 0);
    double total = 0.0;
    for (int i = 1; i <= n; ++i) {
        if (i > 1) {
            const double d = Segment(PolylignePointTwips(p, i - 1, tpp), PolylignePointTwips(p, i, tpp));
            total = ArrondiBanquier(total + d);
        }
        const double centaines = std::clamp(ArrondiBanquier(total / 100.0), 0.0, double{kLongueurStockeeMax});
        p.longueurs[static_cast<std::size_t>(i - 1)] = static_cast<std::int16_t>(centaines);
    }
    p.longueurTotale = total;
}

PointTwips32 PolylignePointALongueur(const ObjetPage& o, std::int64_t longueur, TwipsParPixel tpp) {
    const Polyligne& p = o.chemin;
    const int n = PolyligneNbPoint(p);
    if (n < 1) return {};
    // Lengths start at 0: nothing lies before the first point.
    if (longueur < 0) return PolylignePointTwips(p, 1, tpp);
    std::int64_t precedente = 0;
    for (int i = 1; i <= n; ++i) {
        const std::int64_t li = PolyligneL(o, i);
        if (li > longueur) {
            if (i == 1) return PolylignePointTwips(p, 1, tpp);
            const PointTwips32 a = PolylignePointTwips(p, i - 1, tpp);
            const PointTwips32 b = PolylignePointTwips(p, i, tpp);
            const double part = static_cast<double>(li - longueur) / static_cast<double>(std::llabs(li - precedente));
            return {Arrondi32(b.x - (static_cast<double>(b.x) - a.x) * part),
                    Arrondi32(b.y - (static_cast<double>(b.y) - a.y) * part)};
        }
        precedente = li;
    }
    return PolylignePointTwips(p, n, tpp);
}

PointSurChemin PolylignePointLePlusProche(const ObjetPage& o, std::int32_t x, std::int32_t y, TwipsParPixel tpp) {
    const Polyligne& p = o.chemin;
    const int n = PolyligneNbPoint(p);
    if (n < 1) return {x, y, 0};
    if (n == 1) {
        const PointTwips32 seul = PolylignePointTwips(p, 1, tpp);
        return {seul.x, seul.y, PolyligneL(o, 1)};
    }
    PointSurChemin resultat{x, y, 0};
    double meilleure = 0.0;
    bool trouve = false;
    for (int i = 1; i < n; ++i) {
        const PointTwips32 a = PolylignePointTwips(p, i, tpp);
        const PointTwips32 b = PolylignePointTwips(p, i + 1, tpp);
        PointEntier f{a.x, a.y};
        const DroiteEquation droite = CalculeEquationDroite(a.x, a.y, b.x, b.y);
        // Two equal ends make no line: the segment is that one point.
        if (droite != DroiteEquation{}) {
            const DroiteEquation perpendiculaire = CalculeEquationDroiteOrthogonalePassantPar(droite, x, y);
            if (perpendiculaire != DroiteEquation{}) {
                f = CalculeDansSegment(CalculeIntersectionDroite(droite, perpendiculaire), a.x, a.y, b.x, b.y);
            }
        }
        const double distance = CalculeDistance(x, y, f.x, f.y);
        if (!trouve || distance < meilleure) {
            resultat = {f.x, f.y, Arrondi32(PolyligneL(o, i) + CalculeDistance(a.x, a.y, f.x, f.y))};
            meilleure = distance;
            trouve = true;
        }
    }
    return resultat;
}

bool PolylignePointDedans(std::span<const PolylignePoint> points, std::int32_t twipsParPixelX,
                          std::int32_t twipsParPixelY, std::int32_t x, std::int32_t y) {
    // Fewer than three points enclose nothing.
    if (points.size() < 3 || twipsParPixelX < 1 || twipsParPixelY < 1) return false;
    struct P {
        std::int64_t x, y;
    };
    const auto twips = [&](const PolylignePoint& p) {
        return P{std::int64_t{p.x} * twipsParPixelX, std::int64_t{p.y} * twipsParPixelY};
    };
    const std::int64_t px = x, py = y;
    const std::size_t n = points.size();
    P p1 = twips(points[0]);
    int croisements = 0;
    for (std::size_t i = 0; i <= n; ++i) {
        const P p2 = twips(points[i < n ? i : 0]);
        // Half-open in y, so a vertex shared by an edge above and an edge
        // below is crossed once.
        if (py > std::min(p1.y, p2.y) && py <= std::max(p1.y, p2.y) && px <= std::max(p1.x, p2.x) && p1.y != p2.y) {
            const double xi = static_cast<double>(py - p1.y) * static_cast<double>(p2.x - p1.x) /
                                  static_cast<double>(p2.y - p1.y) +
                              static_cast<double>(p1.x);
            if (p1.x == p2.x || static_cast<double>(px) <= xi) ++croisements;
        }
        p1 = p2;
    }
    return croisements % 2 == 1;
}

bool PolylignePointDedans(const Scene& scene, int page, int objet, std::int32_t twipsParPixelX,
                          std::int32_t twipsParPixelY, std::int32_t x, std::int32_t y) {
    if (!scene.ObjetExiste(page, objet)) return false;
    return PolylignePointDedans(scene.Page(page).Objet(objet).chemin.points, twipsParPixelX, twipsParPixelY, x, y);
}

std::optional<BoitePolyligne> PolyligneBoite(const Polyligne& p, TwipsParPixel tpp) {
    const int n = PolyligneNbPoint(p);
    if (n < 3) return std::nullopt;
    PointTwips32 min = PolylignePointTwips(p, 1, tpp);
    PointTwips32 max = min;
    for (int i = 2; i <= n; ++i) {
        const PointTwips32 q = PolylignePointTwips(p, i, tpp);
        min = {std::min(min.x, q.x), std::min(min.y, q.y)};
        max = {std::max(max.x, q.x), std::max(max.y, q.y)};
    }
    return BoitePolyligne{min.x, min.y, max.x - min.x, max.y - min.y};
}

void PolyligneMajCentre(ObjetPage& o, TwipsParPixel tpp) {
    const auto boite = PolyligneBoite(o.chemin, tpp);
    if (!boite) return;
    o.gauche = Borne16(boite->gauche);
    o.haut = Borne16(boite->haut);
    o.largeur = Borne16(boite->largeur);
    o.hauteur = Borne16(boite->hauteur);
}

void PolyligneDefinirX(ObjetPage& o, int i, std::int32_t x, TwipsParPixel tpp) {
    if (i < 1 || i > PolyligneNbPoint(o.chemin)) return;
    DefinirPoint(o.chemin, i, x, std::nullopt, tpp);
    Rafraichir(o, tpp);
}

void PolyligneDefinirY(ObjetPage& o, int i, std::int32_t y, TwipsParPixel tpp) {
    if (i < 1 || i > PolyligneNbPoint(o.chemin)) return;
    DefinirPoint(o.chemin, i, std::nullopt, y, tpp);
    Rafraichir(o, tpp);
}

void PolyligneMultiplie(ObjetPage& o, double dx, double dy, double fx, double fy, TwipsParPixel tpp) {
    const int n = PolyligneNbPoint(o.chemin);
    if (n == 0) return;
    for (int i = 1; i <= n; ++i) {
        const PointTwips32 q = PolylignePointTwips(o.chemin, i, tpp);
        DefinirPoint(o.chemin, i, Arrondi32(q.x * fx + dx), Arrondi32(q.y * fy + dy), tpp);
    }
    Rafraichir(o, tpp);
}

int PathPolyligneRelieeAuSprite(const Scene& scene, int page, int sprite) {
    if (!EstSprite(scene, page, sprite)) return 0;
    const PageScene& pg = scene.Page(page);
    for (int j = 1; j <= pg.ObjetNb(); ++j) {
        const ObjetPage& o = pg.Objet(j);
        if (o.chemin.points.empty()) continue;
        for (const ObjetPageElement& e : o.elements) {
            if (e.PageCible == page && e.ObjetCible == sprite && e.Parametre == kLienChemin) return j;
        }
    }
    return 0;
}

int PolyligneCheminQuelSprite(const Scene& scene, int page, int objet) {
    if (!scene.ObjetExiste(page, objet)) return 0;
    const ObjetPage& o = scene.Page(page).Objet(objet);
    if (o.decoupe != kFormePolyligne) return 0;
    for (const ObjetPageElement& e : o.elements) {
        if (e.PageCible == page && e.Parametre == kLienChemin && EstSprite(scene, page, e.ObjetCible)) {
            return e.ObjetCible;
        }
    }
    return 0;
}

std::vector<std::span<const PolylignePoint>> PolyligneMasquesDuSprite(const Scene& scene, int page, int sprite) {
    std::vector<std::span<const PolylignePoint>> masques;
    if (!scene.PageExiste(page)) return masques;
    for (const ObjetPage& o : scene.Page(page).objets) {
        if (o.decoupe != kFormePolyligne || o.chemin.points.size() <= 2) continue;
        const std::size_t n = std::min(o.elements.size(), kElementsMasqueMax);
        for (std::size_t k = 0; k < n; ++k) {
            const ObjetPageElement& e = o.elements[k];
            if (e.PageCible == page && e.ObjetCible == sprite && e.Parametre == kLienMasque) {
                masques.emplace_back(o.chemin.points);
                break;
            }
        }
    }
    return masques;
}

}  // namespace korv::engine
