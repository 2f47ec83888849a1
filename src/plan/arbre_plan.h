#pragma once
// The plan tree: the fixed nodes of the business plan (method, financial
// file, tools, examples) with the method's steps among them, and the page a
// node click leads to. Texts are Windows-1252 bytes.

#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace korv::plan {

class MethodeEtapes;

struct NoeudArbre {
    std::string cle;
    std::string texte;
    std::string parent;  // "" for the root
    int image = 0;
    int imageOuverte = 0;  // 0: none
    bool operator==(const NoeudArbre&) const = default;
};

// `PlanArbreRemplir`: the nodes in insertion order (each the last child of
// its parent). `numeroTexte` gives a step's section number and title.
std::vector<NoeudArbre> PlanArbreRemplir(const MethodeEtapes& etapes,
                                         const std::function<std::string(int)>& numeroTexte);

inline constexpr std::string_view kPrefixeEtape = "METAUTO.";

// The page name a click on `cle` leads to once the current step is
// `codeEtape` (the step a "METAUTO." key chose).
std::string CibleNoeud(std::string_view cle, std::string_view codeEtape);

// Addresses of the two web nodes and of the failure message.
inline constexpr std::string_view kAdresseSite = "https://www.corvanne.example/";
inline constexpr std::string_view kAdresseExemples = "https://www.corvanne.example/exemples/";
inline constexpr std::string_view kAdresseEditeur = "www.corvanne.example";

}  // namespace korv::plan
