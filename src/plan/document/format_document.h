#pragma once
// The plan document's bytes: a header (version word, save kind, part page),
// then per page the texts of the rich-text objects kept in the plan and the
// user records of the grids, in the scene's order, then (whole plans only)
// the method steps. The document holds no names or counts, so it is read
// against the scene that wrote it. Reading parses everything first and
// checks every length, count and cell against the bytes left and the
// scene; applying comes after, only once the whole parse succeeded.

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "grid/donnees_utilisateur.h"
#include "plan/methode/etapes_methode.h"

namespace korv {
class BinaryReader;
class BinaryWriter;
}  // namespace korv
namespace korv::engine {
struct Scene;
}
namespace korv::grid {
class TableauClasse;
}

namespace korv::plan {

inline constexpr std::int32_t kVersionDocument = 300;
inline constexpr std::int32_t kVersion230 = 230;
inline constexpr std::int16_t kSauvegardeComplete = 1;
inline constexpr std::int16_t kSauvegardePartie = 2;
// Flags bit of a rich-text object whose text the plan keeps.
inline constexpr std::int16_t kDrapeauTextePlan = 2;

// What the format reaches of the scene.
struct SceneDocument {
    const engine::Scene& scene;
    // The grid of a grid object, null when it has none (then the object
    // has no record, both ways).
    std::function<grid::TableauClasse*(int page, int objet)> grille;
};

// The page's name (its first object's), "" for a page without objects.
std::string NomPage(const engine::Scene& scene, int page);
// The pages a part of `page` holds: that page, and after "BILDON" the pages
// "BILANA" and "RENTANA" that exist.
std::vector<int> PagesDeLaPartie(const engine::Scene& scene, int page);
// A rich-text object whose text the plan keeps.
bool ObjetTexteDuPlan(const engine::Scene& scene, int page, int objet);

struct TexteLu {
    std::int16_t objet = 0;
    std::string texte;
};
struct GrilleLue {
    std::int16_t objet = 0;
    grid::DonneesUtilisateur donnees;
};
struct PageLue {
    std::int16_t page = 0;
    std::vector<TexteLu> textes;
    std::vector<GrilleLue> grilles;
};

// `PageUtilisateurEcrire`: one page's user data (nothing for a page below 1
// or named "CHARGEV2" in any case).
void PageUtilisateurEcrire(BinaryWriter& out, const SceneDocument& s, int page);
// `PageUtilisateurLire` as a parse: the page's data checked against it.
// Version-230 documents read only the first 8 objects of page 121.
PageLue PageUtilisateurLire(BinaryReader& in, const SceneDocument& s, int page,
                            const grid::OptionsChargementUtilisateur& options);

// A whole document: header, the pages of the part or of the plan
// (`pourcentage` gets each page's share 1..100), the steps of a plan.
std::string DocumentEcrire(const SceneDocument& s, const MethodeEtapes& etapes, std::int16_t page,
                           const std::function<void(int)>& pourcentage = {});

}  // namespace korv::plan
