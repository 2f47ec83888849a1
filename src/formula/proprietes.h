#pragma once
// Object-property references of formulas: "page.object.property[arguments]"
// or "page.property" for the page's first object. The compiler packs a
// reference into bytes (page, object, property code, encoded arguments;
// see code_var_scene.h for the two entries it and the evaluator call); the
// value comes from the object through the scene and grid services. Most
// properties read a value; the others act on the object and give a small
// result.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace korv::formula {

class Valeur;
class ServicesScene;

enum class CodeProprieteKOR : std::uint8_t {
    Inconnue = 0,
    DecaleX = 1,
    Texte = 2,
    DernierClicX = 3,
    DernierClicY = 4,
    TextePage = 5,
    TexteLigne = 6,
    TexteSelectionLigne = 7,
    TexteSelectionPage = 8,
    PositionSurChemin = 9,
    Case = 10,
    CaseVideAZero = 11,
    Somme = 12,
    SommeVideAZero = 13,
    Max = 14,
    Reaffiche = 15,
    CaseChangeFichier = 16,
    CaseChange = 17,
    Plier = 18,
    Deplier = 19,
    Visible = 20,
    Invisible = 21,
    EffaceEntreeUtilisateur = 22,
    Invalide = 23,
    Valide = 24,
    CaseResultatType = 25,
    CaseInvalidation = 26,
    DecalageColonne = 27,
    DecalageColonneChange = 28,
    DecalageLigne = 29,
    DecalageLigneChange = 30,
    ColonneTri = 31,
    CaseChangeCouleurTexte = 32,
    BloquerColonne = 33,
    DebloquerColonne = 34,
    TexteChange = 35,
    CaseChangeCouleurFond = 36,
    MemorisePliage = 37,
    DefileAuto = 38,
    CopieSiVide = 39,
};

inline constexpr int kProprieteMax = 39;

// Property code of a name, compared case-insensitively; 0 when unknown.
std::uint8_t ProprieteKORNum(std::string_view nom);

// Codes whose arguments are packed as one cell (column, row) or one zone
// (column 1, row 1, column 2, row 2), one byte each.
bool ProprieteACase(std::uint8_t code);  // 10, 11, 25, 26
bool ProprieteAZone(std::uint8_t code);  // 12, 13, 14, 39

enum class FormeCoordonnees : std::uint8_t { Zone = 1, Case = 2 };

// Packs coordinate arguments. Zone: four numbers separated by "," or ".".
// Cell: two numbers separated by "," (or "."), or else a cell name looked
// up in the grid of (page, objet), two bytes 0 when the name is unknown or
// the object is no grid. nullopt when a number lies outside 0..255: no
// cell of any grid has it, and the reference cannot be packed.
std::optional<std::string> CoordonneesVersCaracteres(ServicesScene& scene, std::int16_t page, std::int16_t objet,
                                                     std::string_view arguments, FormeCoordonnees forme);

// The argument encoding of a property: coordinates for the cell and zone
// codes, the text as written for the others; nullopt as above.
std::optional<std::string> ArgumentsProprieteCoder(ServicesScene& scene, std::int16_t page, std::int16_t objet,
                                                   std::uint8_t code, std::string_view arguments);

// Packs a reference word; two bytes 0 when it names no page or object, or
// when a page, object or coordinate number does not fit in a byte.
std::string CodeVarScene(std::string_view mot, ServicesScene& scene);

// The value of (or the action on) a property of an object. Null for an
// unknown page, object or property, for a grid property of an object that
// is no grid and for a cell that is not in the grid. Throws ErreurExecution
// when an argument cannot be converted or a service fails.
Valeur ObjetValeurConsultationGet(ServicesScene& scene, std::int16_t page, std::int16_t objet,
                                  std::int16_t propriete, std::string_view arguments);

// The value of a packed reference; any error inside gives Null.
Valeur VarSceneValeur(std::string_view packed, ServicesScene& scene);

}  // namespace korv::formula
