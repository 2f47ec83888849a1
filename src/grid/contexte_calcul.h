#pragma once
// What the recalculation of grids reaches outside them: the services a
// formula is evaluated with, the cell scripts, the window copy after a
// script, and the program's flags that change an entry's effect. Also the
// state the grids of one scene share while they compute.

#include <cstdint>
#include <memory>
#include <string_view>

namespace korv::formula {
struct ServicesFormule;
}

namespace korv::grid {

class TableauClasse;

// A cell's script compiled once (`ScriptCompile`), run at each of its events.
class ScriptCase {
public:
    virtual ~ScriptCase() = default;
    // Runs it on the current page (no object) from the SUR line of
    // `evenement` ("SUR RECALCUL"): -1 when it changed or left the page, 1
    // when no line names the event, else 0.
    virtual std::int16_t Execute(std::string_view evenement) = 0;
};

class ContexteCalcul {
public:
    virtual ~ContexteCalcul() = default;
    virtual const formula::ServicesFormule& Formules() = 0;
    // Compiles a cell's script; the faults of its text are told as the
    // script compiler tells them.
    virtual std::shared_ptr<ScriptCase> ScriptCaseCompile(std::string_view script) = 0;
    // `MajFenetreJeu`: the page buffer copied to the window.
    virtual void MajFenetreJeu() = 0;
    // `PlanAffaireEditionValider`: the edit in progress is taken.
    virtual void EditionValider() = 0;
    // `ChargementPlanEnCours`: a plan document is being loaded.
    virtual bool ChargementPlanEnCours() const = 0;
    // `ConversionMonnaieEnCours`: between CONVINIT and CONVFIN.
    virtual bool ConversionMonnaieEnCours() const = 0;
};

// Nested computations deeper than this read as the being-computed error
// (or are taken again from the cell that met the limit), so that a long
// chain of cells read in reverse cannot exhaust the stack.
inline constexpr int kProfondeurCalculMax = 400;

// Shared by the grids of one scene.
struct EtatCalcul {
    // A cell is walked by the recursive invalidation when its mark equals
    // this; resetting every grid's marks is one increment.
    std::uint64_t generation = 1;
    int profondeur = 0;
    // The cell whose computation met the depth limit, to be computed first.
    struct Cellule {
        TableauClasse* grille = nullptr;
        int c = 0;
        int r = 0;
        bool operator==(const Cellule&) const = default;
    };
    Cellule refusee;
    // Set while a chain longer than the limit turns out to be a cycle: the
    // limit then reads as the being-computed error and nothing is taken again.
    bool sansReprise = false;
};

}  // namespace korv::grid
