#pragma once
// `DeclencheSprite`: the trigger routine of sprite objects (kind 10). It
// shows the object, steps or plays its numbered pictures, moves it to
// another object or along the path of an image, and deletes it. The sprite
// table belongs to the page display; the trigger reaches it through
// TableSpritesJeu.

#include <cstdint>
#include <string>
#include <string_view>

#include "engine/declenchement_services.h"

namespace korv::engine {

class Moteur;

// What the sprite trigger uses of the display's sprite table. Sprites are
// numbered 1 .. count; every call takes a number the table gave.
class TableSpritesJeu {
public:
    virtual ~TableSpritesJeu() = default;
    // The sprite of (page, objet), 0 when it has none.
    virtual int SpriteNObjetVersNSprite(int page, int objet) = 0;
    virtual SpriteVue Sprite(int n) = 0;
    // The picture the sprite shows now, and a new one for it (drawn at the
    // next move or animation).
    virtual std::string SpriteFichier(int n) = 0;
    virtual void SpriteFichierDefinir(int n, std::string fichier) = 0;
    // Its position along its path, in path-length units (twips).
    virtual void SpritePositionSurCheminDefinir(int n, double position) = 0;
    // `SpriteDeplacer` (pixels), `SpriteAnimer`, `SpriteSupprimer`.
    virtual void SpriteDeplacer(int n, std::int32_t x, std::int32_t y) = 0;
    virtual void SpriteAnimer(int n, std::string_view fichier) = 0;
    virtual void SpriteSupprimer(int n) = 0;
    // A random number in [0, 1) for the random picture choice.
    virtual double Hasard() = 0;
};

// Action codes of the sprite trigger.
namespace code_sprite {
inline constexpr int Montrer = 0;
inline constexpr int JouerSerie = 1;
inline constexpr int ImageChoisie = 2;
inline constexpr int VersObjet = 3;
inline constexpr int DecalageObjet = 4;
inline constexpr int Supprimer = 7;
inline constexpr int SurCheminAbsolu = 254;
inline constexpr int SurCheminRelatif = 255;
}  // namespace code_sprite

// `autre` is the second object: the target object of codes 3 and 4, the
// path image of codes 254 and 255. Codes that name no effect do nothing.
void DeclencheSprite(Moteur& moteur, TableSpritesJeu& table, int page, int objet, std::string& valeur, int action,
                     int mode, int source, int autre);

// `autre` handed to the sprite trigger when an element fires a sprite:
// codes 3 and 4 move it to or by the firing object.
int SpriteObjetAutre(int action, int source);

}  // namespace korv::engine
