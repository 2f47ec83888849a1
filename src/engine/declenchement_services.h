#pragma once
// What the trigger routines need from the modules around the engine beyond
// the main services (Affichage, FenetrePrincipale, Scripts): the saved page
// picture, the sprite table, the trigger routines of the kinds that have a
// module of their own (sprites, grids, rich texts, charts), the scripts'
// pass value and whether the plan panel is shown. The program's composition
// implements them; `ServicesDeclencheursNeutres` answers for an engine
// played alone (unit tests). The kind routines' own behaviour, for kinds
// whose module is not connected, shows the object on code 0 (and erases
// grids and charts on code 1).

#include <cstdint>
#include <string>

namespace korv::engine {

class Moteur;

// One sprite as the triggers read it (the display keeps the sprite table).
struct SpriteVue {
    int page = 0;
    int objet = 0;
    int x = 0;  // pixels
    int y = 0;
    int largeur = 0;
    int hauteur = 0;
    int objetChemin = 0;                 // object whose path it follows, 0 when none
    std::int32_t longueurChemin = 0;     // path length
    std::int32_t longueurRelative = 0;   // units in which triggers give positions along it
    double positionSurChemin = 0.0;      // in path-length units
};

class ServicesDeclencheurs {
public:
    virtual ~ServicesDeclencheurs() = default;

    // Saved page picture (what lies under a foreground page). Each copy
    // answers false when it failed.
    virtual bool TamponVersPermanent(int x, int y, int largeur, int hauteur) = 0;
    virtual bool PermanentVersTampon() = 0;

    // Sprites, numbered 1 .. SpriteNombre().
    virtual int SpriteNombre() = 0;
    virtual SpriteVue Sprite(int n) = 0;
    virtual int SpriteNObjetVersNSprite(int page, int objet) = 0;
    // The sprite that moves along the path of (page, objet), 0 when none.
    virtual int PolyligneCheminQuelSprite(int page, int objet) = 0;
    // Takes the page buffer under sprite n as its saved background.
    virtual bool SpriteFondSauver(int n) = 0;

    // Trigger routines of kinds 10, 12, 13 and 14. `autre` is the second
    // object of a sprite move (the path image, or the object to move to).
    virtual void DeclencheSprite(Moteur& moteur, int page, int objet, std::string& valeur, int action, int mode,
                                 int source, int autre);
    virtual void DeclencheTableau(Moteur& moteur, int page, int objet, std::string& valeur, int action, int mode,
                                  int source);
    virtual void DeclencheTexteRTF(Moteur& moteur, int page, int objet, std::string& valeur, int action, int mode,
                                   int source);
    virtual void DeclencheGraphique(Moteur& moteur, int page, int objet, std::string& valeur, int action, int mode,
                                    int source);

    // `ObjetsSpriteMethodeMaj`: the business-plan layer moves the method
    // page's sprites to follow its texts (after a rich text turned a page).
    virtual void ObjetsSpriteMethodeMaj() = 0;

    // The string last given to the script variable PASSEVALEUR.
    virtual std::string PasseValeur() = 0;

    // Whether the plan panel of the main window is shown.
    virtual bool PlanVisible() = 0;
};

// For an engine played alone: copies succeed, no sprite, no pass value, no
// plan panel.
class ServicesDeclencheursNeutres : public ServicesDeclencheurs {
public:
    bool TamponVersPermanent(int, int, int, int) override { return true; }
    bool PermanentVersTampon() override { return true; }
    int SpriteNombre() override { return 0; }
    SpriteVue Sprite(int) override { return {}; }
    int SpriteNObjetVersNSprite(int, int) override { return 0; }
    int PolyligneCheminQuelSprite(int, int) override { return 0; }
    bool SpriteFondSauver(int) override { return true; }
    std::string PasseValeur() override { return {}; }
    bool PlanVisible() override { return false; }
    void ObjetsSpriteMethodeMaj() override {}
};

}  // namespace korv::engine
