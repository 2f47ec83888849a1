#pragma once
// The computed grids of a scene, as play shows them: the scene loaded
// headless, its start program run, each page prepared, the user's entries
// of that page applied as edits, then every displayed cell value listed.

#include <functional>
#include <iosfwd>
#include <string>
#include <vector>

namespace korv::engine {
class Moteur;
}
namespace korv::grid {
class MagasinGrilles;
}

namespace korv::scenetool {

struct SaisieValeurs {
    std::string page;    // name or number
    std::string objet;   // name or number
    int colonne = 0;
    int ligne = 0;
    std::string texte;   // UTF-8
};

// "PAGE:OBJECT:COLUMN:ROW=TEXT"; false when it is not of that form.
bool LitSaisie(const std::string& argument, SaisieValeurs& saisie);

// Writes PAGE<TAB>OBJECT<TAB>COLUMN<TAB>ROW<TAB>DISPLAYED lines (UTF-8)
// for the named page, or every page when `page` is empty. Returns the exit
// code; a damaged scene or an unknown page writes its message to `erreurs`.
// `avant` runs once the grids are built and computed, before the pages are
// listed (a plan document loaded over them); `apres` once they are listed.
// Either returns false to stop with exit code 1.
using CrochetValeurs = std::function<bool(engine::Moteur&, grid::MagasinGrilles&, std::ostream& erreurs)>;

// What the computation runs on: `Composeur` gives `corps` an engine
// composed with its grids module and gives back its exit code.
using CorpsValeurs = std::function<int(engine::Moteur&, grid::MagasinGrilles&)>;
using Composeur = std::function<int(const CorpsValeurs& corps)>;
// The grids and their formula functions alone: what a build without the
// program's modules can compute.
int ComposerGrilles(const CorpsValeurs& corps);

int ValeursScene(const std::string& octets, const std::string& page, const std::vector<SaisieValeurs>& saisies,
                 std::ostream& sortie, std::ostream& erreurs, const CrochetValeurs& avant = {},
                 const CrochetValeurs& apres = {}, const Composeur& composer = ComposerGrilles);

}  // namespace korv::scenetool
