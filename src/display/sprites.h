#pragma once
// The sprite table (`Sprites`): the live sprites of the page, each a
// picture drawn transparently into the page buffer over a saved copy of the
// pixels beneath it, so that it can be lifted off again without redrawing
// the objects under it. Moves and animation steps show the changed
// rectangles on the visible page at once; nothing here reads a clock (the
// triggers and the mouse decide when to move).

#include <cstdint>
#include <optional>
#include <random>
#include <string>
#include <string_view>
#include <vector>

#include <QRegion>

#include "display/surface.h"
#include "engine/declencheur_sprite.h"
#include "engine/declenchement_services.h"
#include "engine/services.h"

namespace korv::display {

class AffichagePage;

// `SpriteDescripteur`: one sprite, its position and size in page pixels.
struct SpriteDescripteur {
    std::int16_t objet = 0;
    std::int16_t page = 0;
    std::int32_t X = 0;
    std::int32_t Y = 0;
    std::int32_t largeur = 0;  // drawn and saved size; 0 for an object too small to show
    std::int32_t hauteur = 0;
    std::string fichier;       // the picture shown now
    std::int32_t decalageImageX = 0;
    std::int32_t decalageImageY = 0;
    std::optional<QRegion> clip;  // the page less its masks
    double positionSurChemin = 0.0;  // twips along its path
    std::int32_t premiereImage = 0;
    std::int32_t derniereImage = 0;  // 0 or less: no series on moves
    Surface dessous;                 // the page buffer's pixels under it
    std::uint8_t modeMouvement = 0;
    std::int32_t longueurChemin = 0;
    std::int32_t longueurRelative = 0;  // the start position read from the path's link
    std::int16_t etirement = 0;
    bool trainee = false;
};

class TableSprites final : public engine::TableSpritesJeu {
public:
    explicit TableSprites(AffichagePage& affichage);
    TableSprites(const TableSprites&) = delete;
    TableSprites& operator=(const TableSprites&) = delete;

    int Nombre() const { return static_cast<int>(sprites_.size()); }
    bool Existe(int n) const { return n >= 1 && n <= Nombre(); }
    // 1-based; the caller checks the number.
    SpriteDescripteur& Entree(int n) { return sprites_[static_cast<std::size_t>(n - 1)]; }

    // `SpriteCreer`: appends the record of (page, objet) and saves the
    // pixels under it; does not draw it. Returns its number, 0 when the
    // object does not exist.
    int SpriteCreer(int page, int objet);
    // `SpriteAfficher`: draws sprite n into the page buffer, within its clip.
    void SpriteAfficher(int n);
    // `SpriteMemoriserDessous` / `SpriteDisparait`: saves the buffer under
    // the sprite, or puts the saved pixels back (errors "A76" / "A75" when
    // there is no page buffer).
    void SpriteMemoriserDessous(int n);
    void SpriteDisparait(int n);
    // `SpriteDeplacerPourcentageX` / `Y`: at p percent of its track.
    void SpriteDeplacerPourcentageX(int n, double p);
    void SpriteDeplacerPourcentageY(int n, double p);
    // `SpriteDetermineCoordonneesAutorisees` (twips); on a path the length
    // of the point becomes the sprite's position on it.
    engine::Affichage::PointTwips SpriteDetermineCoordonneesAutorisees(int n, std::int32_t x, std::int32_t y);
    // `SpriteSupprimerTous`: last first.
    void SpriteSupprimerTous();

    // The page display's hooks: the sprite kind routine, lifting every
    // sprite off the buffer and putting them back (zone redraw), and moving
    // the sprite of an object (window layout).
    void ObjetSpriteDessine(int page, int objet);
    void SpritesDisparaissent();
    void SpritesReapparaissent();
    void SpriteDeplacerObjet(int page, int objet, std::int32_t x, std::int32_t y);

    // --- engine::TableSpritesJeu ---
    int SpriteNObjetVersNSprite(int page, int objet) override;
    engine::SpriteVue Sprite(int n) override;
    std::string SpriteFichier(int n) override;
    void SpriteFichierDefinir(int n, std::string fichier) override;
    void SpritePositionSurCheminDefinir(int n, double position) override;
    // `SpriteDeplacer` (pixels, limited to -32000 .. 32000). A move to the
    // place it stands draws nothing.
    void SpriteDeplacer(int n, std::int32_t x, std::int32_t y) override;
    // `SpriteAnimer`: shows another picture at the same place (the object's
    // own when that file does not exist).
    void SpriteAnimer(int n, std::string_view fichier) override;
    // `SpriteSupprimer`: lifts the sprite off and drops its record; the
    // last record takes its number. A number outside the table does nothing.
    void SpriteSupprimer(int n) override;
    double Hasard() override;

private:
    // Copies a rectangle of the buffer to the visible page.
    void Montrer(const QRect& r, const char* source);

    AffichagePage& a_;
    std::vector<SpriteDescripteur> sprites_;
    std::mt19937 hasard_;
};

// Plugs the table into the page display: the sprite and polyline hooks and
// the drag services of engine::Affichage.
void BrancherSprites(AffichagePage& affichage, TableSprites& sprites);

// The sprite members of the triggers' neighbour services, served by the
// table; every other member goes to `autres` (its neutral default when
// null).
class VoisinsSprites : public engine::ServicesDeclencheurs {
public:
    VoisinsSprites(engine::Moteur& moteur, TableSprites& sprites, engine::ServicesDeclencheurs* autres = nullptr)
        : moteur_(moteur), sprites_(sprites), autres_(autres) {}

    int SpriteNombre() override { return sprites_.Nombre(); }
    engine::SpriteVue Sprite(int n) override { return sprites_.Sprite(n); }
    int SpriteNObjetVersNSprite(int page, int objet) override { return sprites_.SpriteNObjetVersNSprite(page, objet); }
    int PolyligneCheminQuelSprite(int page, int objet) override;
    bool SpriteFondSauver(int n) override;
    void DeclencheSprite(engine::Moteur& moteur, int page, int objet, std::string& valeur, int action, int mode,
                         int source, int autre) override;

    bool TamponVersPermanent(int x, int y, int largeur, int hauteur) override;
    bool PermanentVersTampon() override;
    void DeclencheTableau(engine::Moteur& moteur, int page, int objet, std::string& valeur, int action, int mode,
                          int source) override;
    void DeclencheTexteRTF(engine::Moteur& moteur, int page, int objet, std::string& valeur, int action, int mode,
                           int source) override;
    void DeclencheGraphique(engine::Moteur& moteur, int page, int objet, std::string& valeur, int action, int mode,
                            int source) override;
    std::string PasseValeur() override;
    bool PlanVisible() override;
    void ObjetsSpriteMethodeMaj() override { Autres().ObjetsSpriteMethodeMaj(); }

private:
    engine::ServicesDeclencheurs& Autres() { return autres_ ? *autres_ : neutres_; }

    engine::Moteur& moteur_;
    TableSprites& sprites_;
    engine::ServicesDeclencheurs* autres_;
    engine::ServicesDeclencheursNeutres neutres_;
};

}  // namespace korv::display
