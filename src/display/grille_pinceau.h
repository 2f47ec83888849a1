#pragma once
// The grid's drawing calls on a page surface: page twips to the surface's
// pixels, the clip kept on the surface's clip stack.

#include <cstdint>
#include <string>
#include <string_view>
#include <utility>

#include "grid/grille_dessin.h"

namespace korv::display {

class Surface;
struct ContexteImages;

class PinceauSurface final : public grid::PinceauGrille {
public:
    // Cell pictures are read through `images`, their names resolved in the
    // scene's folder `dossierScene`.
    PinceauSurface(Surface& surface, ContexteImages& images, std::string dossierScene)
        : s_(surface), images_(images), dossier_(std::move(dossierScene)) {}
    ~PinceauSurface() override;
    PinceauSurface(const PinceauSurface&) = delete;
    PinceauSurface& operator=(const PinceauSurface&) = delete;

    std::int32_t PixelX() const override;
    std::int32_t PixelY() const override;
    void Pointille(bool actif) override { pointille_ = actif; }
    void Clip(std::int32_t gauche, std::int32_t haut, std::int32_t droite, std::int32_t bas) override;
    void ClipEnlever() override;
    void Boite(std::int32_t x1, std::int32_t y1, std::int32_t x2, std::int32_t y2, std::int32_t couleur) override;
    void Cadre(std::int32_t x1, std::int32_t y1, std::int32_t x2, std::int32_t y2, std::int32_t couleur,
               int epaisseur) override;
    void Ligne(std::int32_t x1, std::int32_t y1, std::int32_t x2, std::int32_t y2, std::int32_t couleur,
               int epaisseur) override;
    void Inverser(std::int32_t x1, std::int32_t y1, std::int32_t x2, std::int32_t y2) override;
    void Texte(int gauche, int haut, int droite, int bas, std::string_view texte, const grid::PoliceCase& police,
               std::int32_t couleur, grid::AlignementCase alignement) override;
    int LargeurTexte(std::string_view texte, const grid::PoliceCase& police) override;
    void MarqueBulle(std::int32_t droite, std::int32_t haut) override;
    void Image(std::string_view fichier, std::int32_t gauche, std::int32_t haut, std::int32_t droite,
               std::int32_t bas, int dx, int dy) override;

private:
    int X(std::int32_t twips) const;
    int Y(std::int32_t twips) const;
    void PointsPointilles(int x1, int y1, int x2, int y2, std::int32_t couleur, bool dernier);

    Surface& s_;
    ContexteImages& images_;
    std::string dossier_;
    int clips_ = 0;
    bool pointille_ = false;
};

}  // namespace korv::display
