#include <algorithm>
#include <cmath>
#include <cstdint>
#include <limits>

#include "display/fenetre.h"
#include "engine/geometrie.h"

namespace korv::display {

namespace {

constexpr std::int32_t kTwipsMax = std::numeric_limits<std::int16_t>::max();

// Rounded half to even and held within [bas, haut]: where the layout stores
// a value in a narrower field, it saturates instead of failing.
std::int32_t ArrondiBorne(double v, std::int32_t bas, std::int32_t haut) {
    if (std::isnan(v)) return bas;
    const double r = engine::ArrondiBanquier(v);
    if (r < bas) return bas;
    if (r > haut) return haut;
    return static_cast<std::int32_t>(r);
}

std::int32_t Positif(std::int64_t v) {
    return static_cast<std::int32_t>(std::clamp<std::int64_t>(v, 0, std::numeric_limits<std::int32_t>::max()));
}

void Pas(BarreDefilement& b, double etendue) {
    b.maximum = ArrondiBorne(std::fabs(etendue), 0, kTwipsMax);
    b.petitPas = b.maximum / 100 + 1;
    b.grandPas = b.maximum / 10 + 1;
}

}  // namespace

std::int32_t PageLargeurMax(std::int32_t twipsParPixel) {
    return twipsParPixel > 0 ? kTwipsMax / twipsParPixel : kTwipsMax;
}

DispositionFenetre CalculeDisposition(const EntreesDisposition& e) {
    const MesuresFenetre& f = e.fenetre;
    const std::int32_t tx = std::max(1, e.twipsParPixelX);
    const std::int32_t ty = std::max(1, e.twipsParPixelY);
    DispositionFenetre d;

    // The plan panel docks on the left; a panel too narrow to hold its
    // content still leaves a 30-twip margin.
    if (f.planVisible) {
        d.x0 = f.planLargeur > 30 ? Positif(std::int64_t{f.gauche} + f.planLargeur + 4 * std::int64_t{tx}) : 30;
    }
    const std::int32_t w = Positif(std::int64_t{f.largeur} - d.x0 - tx);
    const std::int32_t h = Positif(std::int64_t{f.hauteur} - ty);
    d.cadre = {d.x0, f.haut, w, h};

    // Two passes: one bar takes room that the other side may then miss.
    const std::int64_t pageTx = std::int64_t{e.pageLargeur} * tx;
    const std::int64_t pageTy = std::int64_t{e.pageHauteur} * ty;
    const std::int32_t av = std::max(0, f.largeurAscVer);
    const std::int32_t ah = std::max(0, f.hauteurAscHor);
    bool bv = false;
    bool bh = false;
    for (int passe = 0; passe < 2; ++passe) {
        if (w - (bv ? av : 0) < pageTx) bh = true;
        if (h - (bh ? ah : 0) < pageTy) bv = true;
    }

    const std::int32_t ws = Positif(std::int64_t{w} - (bv ? av : 0));
    const std::int32_t hs = Positif(std::int64_t{h} - (bh ? ah : 0));
    if (bv) d.ver = {true, {Positif(std::int64_t{w} - av), 0, av, hs}, 0, 1, 1};
    if (bh) d.hor = {true, {0, Positif(std::int64_t{h} - ah), ws, ah}, 0, 1, 1};

    d.espace = {0, 0, ws, hs};
    if (!e.modeJeu) {
        // Outside play the surface never exceeds the page.
        d.espace.largeur = static_cast<std::int32_t>(std::min<std::int64_t>(ws, pageTx));
        d.espace.hauteur = static_cast<std::int32_t>(std::min<std::int64_t>(hs, pageTy));
    }
    if (bv) Pas(d.ver, static_cast<double>(pageTy) * e.echelleY - d.espace.hauteur + ty);
    if (bh) Pas(d.hor, static_cast<double>(pageTx) * e.echelleX - d.espace.largeur + tx);

    std::int32_t largeur = e.pageLargeur;
    std::int32_t hauteur = e.pageHauteur;
    if (e.modeJeu) {
        // The page follows the frame on each side that needs no bar, then
        // the screen scale; it stays within what 16-bit twips address.
        const double lx = bh ? largeur : static_cast<double>(w) / tx;
        const double ly = bv ? hauteur : static_cast<double>(h) / ty;
        if (!bh) d.espace.largeur = w;
        if (!bv) d.espace.hauteur = h;
        largeur = ArrondiBorne(ArrondiBorne(lx, 0, kTwipsMax) * e.echelleX, 1, PageLargeurMax(tx));
        hauteur = ArrondiBorne(ArrondiBorne(ly, 0, kTwipsMax) * e.echelleY, 1, PageLargeurMax(ty));
    }
    d.pageLargeur = static_cast<std::int16_t>(std::clamp<std::int32_t>(largeur, 0, kTwipsMax));
    d.pageHauteur = static_cast<std::int16_t>(std::clamp<std::int32_t>(hauteur, 0, kTwipsMax));
    return d;
}

}  // namespace korv::display
