#pragma once
// Read-only queries over the page tables: names to numbers, object fields,
// page flags and drawing order. Pages and objects are 1-based; 0 = none.

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "engine/scene.h"

namespace korv::engine {

inline constexpr std::int16_t kPageCompilee = 0x20;
inline constexpr std::int16_t kPageAvantPlan = 0x40;

int NumeroDePage(const Scene& scene, std::string_view nom);
int NumeroObjet(const Scene& scene, int page, std::string_view nom);
// Empty text for a page or object outside the tables.
std::string ObjetFichier(const Scene& scene, int page, int objet);
std::string ObjetTexte(const Scene& scene, int page, int objet);
// Booleans as the program stores them: -1 true, 0 false.
int PageCompilee(const Scene& scene, int page);
int PageUtiliseAvantPlan(const Scene& scene, int page);
// Element 0 = object count, element p = the object drawn at position p;
// an element left 0 (duplicate positions) must be skipped by the caller.
std::vector<std::int16_t> ListeObjetsPageEnZOrder(const Scene& scene, int page);

// What the display knows of a text object shown on the current page.
struct EtatTexteAffiche {
    bool affiche = false;
    int pageCourante = 1;  // text page shown
    int pageNb = 1;        // the text's page count
};
using EtatTexte = std::function<EtatTexteAffiche(int page, int objet)>;

int PagePrecedenteRelieABoutonExiste(const Scene& scene, int page, int objet, const EtatTexte& etat);
int PageSuivanteRelieABoutonExiste(const Scene& scene, int page, int objet, const EtatTexte& etat);

}  // namespace korv::engine
