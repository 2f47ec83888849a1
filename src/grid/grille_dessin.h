#pragma once
// Drawing a grid onto a page surface: the white ground, then every
// displayed cell (`CaseAfficher`) with its fill code, rules, frame sides,
// text and the selection look (`CaseAfficherSelection`). The surface is
// reached through `PinceauGrille`, which the display fills over its own
// surfaces; coordinates are page twips unless said otherwise.

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <utility>

namespace korv::grid {

class TableauClasse;

// Width of a cell's tooltip mark, in pixels; a press or the cursor within
// it at a cell's right end reaches the tooltip.
inline constexpr int kLargeurMarqueBulle = 8;

// What a figure too wide for its cell shows.
inline constexpr std::string_view kChiffreTropLarge = "###";

enum class AlignementCase : std::uint8_t { Gauche, Centre, Droite };

struct PoliceCase {
    std::string nom = "Arial";  // Windows-1252 bytes
    double taille = 10.0;
    bool gras = false;
    bool souligne = false;
};

// Colours are RGB longs (red in the low byte). Rectangles of `Boite` and
// `Cadre` include both corners; a `Ligne` leaves out its last point.
class PinceauGrille {
public:
    virtual ~PinceauGrille() = default;
    // Twips per pixel across and down.
    virtual std::int32_t PixelX() const = 0;
    virtual std::int32_t PixelY() const = 0;
    // While on, one-pixel lines and outlines are dotted (the grid lines' pen).
    virtual void Pointille(bool actif) = 0;
    virtual void Clip(std::int32_t gauche, std::int32_t haut, std::int32_t droite, std::int32_t bas) = 0;
    virtual void ClipEnlever() = 0;
    virtual void Boite(std::int32_t x1, std::int32_t y1, std::int32_t x2, std::int32_t y2, std::int32_t couleur) = 0;
    virtual void Cadre(std::int32_t x1, std::int32_t y1, std::int32_t x2, std::int32_t y2, std::int32_t couleur,
                       int epaisseur) = 0;
    virtual void Ligne(std::int32_t x1, std::int32_t y1, std::int32_t x2, std::int32_t y2, std::int32_t couleur,
                       int epaisseur) = 0;
    // The not-XOR pen with black: every pixel of the box inverted.
    virtual void Inverser(std::int32_t x1, std::int32_t y1, std::int32_t x2, std::int32_t y2) = 0;
    // Text in a pixel rectangle, top-aligned, lines broken at character 13.
    virtual void Texte(int gauche, int haut, int droite, int bas, std::string_view texte, const PoliceCase& police,
                       std::int32_t couleur, AlignementCase alignement) = 0;
    // Width in pixels of a one-line text in that font.
    virtual int LargeurTexte(std::string_view texte, const PoliceCase& police) = 0;
    // The tooltip mark of a cell, its top-right corner at (droite, haut):
    // `kLargeurMarqueBulle` pixels square.
    virtual void MarqueBulle(std::int32_t droite, std::int32_t haut) = 0;
    // A picture file of the scene, unscaled, its origin dx, dy pixels right
    // of and below the cell's top-left corner, clipped to the cell. A
    // missing or damaged picture draws nothing.
    virtual void Image(std::string_view fichier, std::int32_t gauche, std::int32_t haut, std::int32_t droite,
                       std::int32_t bas, int dx, int dy) = 0;
};

class DessinGrille {
public:
    // `texte` gives a cell's display text (stored column, row).
    DessinGrille(TableauClasse& grille, PinceauGrille& pinceau, std::function<std::string(int, int)> texte,
                 bool enJeu);

    // `Affiche`: the whole grid, clipped to its rectangle.
    void Affiche(bool quadrillage);
    // `CaseAfficher` and `CaseAfficherSelection`, by displayed position.
    void CaseAfficher(int colonneAffichee, int ligneAffichee, bool quadrillage, bool reglagePropre);
    void CaseAfficherSelection(int colonneAffichee, int ligneAffichee);
    // `CaseFondEffacer`: the cell's area white again.
    void CaseFondEffacer(int colonneAffichee, int ligneAffichee);
    // The default text font (sub-format 2 draws its texts in it, bold).
    void PoliceDefaut(PoliceCase police) { policeDefaut_ = std::move(police); }

private:
    struct Zone;
    int AfficheeDeColonne(int stockee) const;
    void DessineTexte(const Zone& z, int c, int r, std::int32_t code, std::int32_t couleurTexte);
    void DessineImage(const Zone& z, const std::string& fichier, std::string_view affiche);

    TableauClasse& g_;
    PinceauGrille& p_;
    std::function<std::string(int, int)> texte_;
    bool enJeu_;
    PoliceCase policeDefaut_;
};

}  // namespace korv::grid
