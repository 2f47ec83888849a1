#include "engine/sprites_regles.h"

#include <algorithm>
#include <cmath>

#include "engine/fichier_nom.h"
#include "engine/geometrie.h"
#include "engine/polyligne.h"
#include "formula/nombres.h"

namespace korv::engine {

namespace {

std::int32_t Arrondi32(double v) {
    if (std::isnan(v)) return 0;
    return static_cast<std::int32_t>(std::clamp(ArrondiBanquier(v), -2147483648.0, 2147483647.0));
}

int CheminDuSprite(const Scene& scene, int page, int sprite, bool polyligneSeule) {
    if (!scene.PageExiste(page)) return 0;
    const PageScene& pg = scene.Page(page);
    for (int j = 1; j <= pg.ObjetNb(); ++j) {
        const ObjetPage& o = pg.Objet(j);
        if (polyligneSeule && o.decoupe != kFormePolyligne) continue;
        for (const ObjetPageElement& e : o.elements) {
            if (e.ObjetCible == sprite && e.Parametre == kLienChemin) return j;
        }
    }
    return 0;
}

}  // namespace

int SpriteQuelObjetEstChemin(const Scene& scene, int page, int sprite) {
    return CheminDuSprite(scene, page, sprite, false);
}

int SpriteQuellePolyligneEstChemin(const Scene& scene, int page, int sprite) {
    return CheminDuSprite(scene, page, sprite, true);
}

std::int32_t SpriteLongueurRelativePolyligneReliee(const Scene& scene, int page, int sprite, int chemin) {
    if (sprite < 1 || !scene.ObjetExiste(page, chemin)) return 0;
    for (const ObjetPageElement& e : scene.Page(page).Objet(chemin).elements) {
        if (e.PageCible == page && e.ObjetCible == sprite) return std::abs(Arrondi32(formula::Val(e.Valeur)));
    }
    return 0;
}

PositionAutorisee SpriteDetermineCoordonneesAutorisees(const Scene& scene, const SpriteCourse& sprite,
                                                       std::int32_t x, std::int32_t y, TwipsParPixel tpp) {
    PositionAutorisee voulue{x, y, std::nullopt};
    const auto polyligne = [&]() -> const ObjetPage* {
        const int p = SpriteQuellePolyligneEstChemin(scene, sprite.page, sprite.objet);
        return p > 0 ? &scene.Page(sprite.page).Objet(p) : nullptr;
    };
    const auto glissiere = [&]() -> const ObjetPage* {
        const int p = SpriteQuelObjetEstChemin(scene, sprite.page, sprite.objet);
        return p > 0 ? &scene.Page(sprite.page).Objet(p) : nullptr;
    };
    const auto surChemin = [&](const ObjetPage& chemin) {
        const PointSurChemin q = PolylignePointLePlusProche(chemin, x, y, tpp);
        return PositionAutorisee{q.x, q.y, static_cast<double>(q.longueur)};
    };
    switch (static_cast<ModeMouvement>(sprite.mode)) {
    case ModeMouvement::SurChemin:
        if (const ObjetPage* c = polyligne()) return surChemin(*c);
        return voulue;
    case ModeMouvement::DansChemin:
        if (const ObjetPage* c = polyligne()) {
            if (!PolylignePointDedans(c->chemin.points, tpp.x, tpp.y, x, y)) return surChemin(*c);
        }
        return voulue;
    case ModeMouvement::GlissiereVerticale:
        if (const ObjetPage* g = glissiere()) {
            const std::int64_t bas = std::int64_t{g->haut} + g->hauteur - std::int64_t{sprite.hauteur} * tpp.y;
            voulue.x = g->gauche;
            if (y < g->haut) {
                voulue.y = g->haut;
            } else if (y > bas) {
                voulue.y = static_cast<std::int32_t>(std::max<std::int64_t>(bas, g->haut));
            }
        }
        return voulue;
    case ModeMouvement::GlissiereHorizontale:
        if (const ObjetPage* g = glissiere()) {
            const std::int64_t droite = std::int64_t{g->gauche} + g->largeur - std::int64_t{sprite.largeur} * tpp.x;
            voulue.y = g->haut;
            if (x < g->gauche) {
                voulue.x = g->gauche;
            } else if (x > droite) {
                voulue.x = static_cast<std::int32_t>(std::max<std::int64_t>(droite, g->gauche));
            }
        }
        return voulue;
    case ModeMouvement::Libre:
    default: return voulue;
    }
}

std::optional<PointPixels> SpritePositionPourcentage(const Scene& scene, const SpriteCourse& sprite, double p,
                                                     bool horizontale, TwipsParPixel tpp) {
    const int g = SpriteQuelObjetEstChemin(scene, sprite.page, sprite.objet);
    if (g < 1 || tpp.x < 1 || tpp.y < 1) return std::nullopt;
    const ObjetPage& piste = scene.Page(sprite.page).Objet(g);
    p = std::isnan(p) ? 0.0 : std::clamp(p, 0.0, 100.0);
    if (horizontale) {
        const double x = ArrondiBanquier((piste.largeur - static_cast<double>(sprite.largeur) * tpp.x) * p / 100.0 +
                                         piste.gauche);
        return PointPixels{Arrondi32(x / tpp.x), Arrondi32(static_cast<double>(piste.haut) / tpp.y)};
    }
    const double y =
        ArrondiBanquier((piste.hauteur - static_cast<double>(sprite.hauteur) * tpp.y) * p / 100.0 + piste.haut);
    return PointPixels{Arrondi32(static_cast<double>(piste.gauche) / tpp.x), Arrondi32(y / tpp.y)};
}

std::string SpriteImageSuivante(std::string_view fichier, std::int32_t premiere, std::int32_t derniere,
                                const std::function<bool(std::string_view)>& existe) {
    const std::string debut = FichierNumeroNom(fichier, premiere);
    std::string courant(fichier);
    const std::int32_t numero = FichierNumero(courant);
    if (numero < premiere || numero > derniere) courant = debut;
    std::string suivant = NomFichierSuivant(courant);
    if (!existe(suivant) || FichierNumero(suivant) > derniere) suivant = debut;
    return suivant;
}

double SpritePositionSurChemin(double position, std::int32_t longueur, bool boucle) {
    if (std::isnan(position) || longueur <= 0) return 0.0;
    const double l = longueur;
    if (position >= 0.0 && position <= l) return position;
    if (!boucle) return position > l ? l : 0.0;
    // Whole twips round the loop: the end of a looping path is its start.
    const double r = std::fmod(ArrondiBanquier(position), l);
    return r < 0.0 ? r + l : r;
}

}  // namespace korv::engine
