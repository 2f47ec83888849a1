#pragma once
// Page scripts: texts of lines, each a statement word and its argument,
// written by the scene's author (the start program, the event handlers of
// objects and cells) or generated for printing and export. A text is
// compiled once into a ScriptClasse (statement codes, arguments, compiled
// expressions) and then run for an owner page and object and an event.

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "formula/expression.h"

namespace korv::formula {

class ProgrammationInterne;
struct ServicesFormule;

// `CodeInstruction`.
enum class CodeInstruction : std::uint8_t {
    Aucune = 0,
    Declare = 1,
    Que = 2,
    Si = 3,
    Finsi = 4,
    Sinon = 5,
    Repete = 6,
    SortRepete = 7,
    FinRepete = 8,
    Declenche = 9,
    Remarque = 10,
    Message = 11,
    VaPage = 12,
    DebutProc = 13,
    FinProc = 14,
    AppelProc = 15,
    Retour = 16,
    Stop = 17,
    Recherche = 18,
    Lingo = 19,
    NonLingo = 20,
    Sur = 21,
    ChangeMethode = 22,
    ChangeSelVo = 23,
};

// --- line helpers ------------------------------------------------------------
// The next line of `texte` from 1-based `position`, trimmed; `position`
// moves to the start of the following line, or past the end of the text.
// A position of 0 gives "" and stays. A line ends at CR LF, CR or LF.
std::string ProgInstSuivante(std::string_view texte, std::size_t& position);
// The text after the first blank of the line ("" when none), not trimmed.
std::string ProgInstArgument(std::string_view ligne);
// The statement code of a line: its first word, upper case, compared exactly.
CodeInstruction ProgInstNum(std::string_view ligne);

// Result of Execute.
inline constexpr std::int16_t kScriptPageQuittee = -1;    // the script changed or left the page
inline constexpr std::int16_t kScriptSansGestionnaire = 1;  // no SUR line names the event

class ScriptClasse {
public:
    // Compiles the whole text, replacing what the object held. Faults of
    // the text are told in message boxes; compilation goes on after them.
    void Compile(std::string_view texte, ProgrammationInterne& programme);

    // Runs the lines for the owner page and object (below 1: none) from the
    // SUR line naming the event ("SUR CLIC"), or from the first line when
    // the event is empty. `evenement` is rewritten to its event name ("CLIC").
    // Returns kScriptPageQuittee, kScriptSansGestionnaire or 0. A run-time
    // error of a line is reported through the services and ends the run.
    std::int16_t Execute(int page, int objet, std::string& evenement, ProgrammationInterne& programme);

    // From a SINON line: the line of its FINSI (the line count plus 1 when
    // the text ends first); 0 when a SI opened after it is left open.
    int NLigneFinsiAssocie(int ligne) const;
    // From a SI line: the line of its SINON or FINSI (the line count plus 1
    // when the text ends first); 0 when the search goes wrong.
    int NLigneFinsiOuSinonAssocie(int ligne) const;

    // Stores the compiled text into `expression` only when it compiles.
    static void AffecteExpression(ExpressionClasse& expression, std::string_view texte,
                                  const ServicesFormule& services);
    // "" for an empty expression or an Empty value; else the value's text.
    static std::string EvalueExpressionScript(ExpressionClasse& expression, const ServicesFormule& services);

    // --- contents, lines numbered from 1 ------------------------------------------
    int NombreLignes() const { return static_cast<int>(lignes_.size()); }
    // Aucune outside the lines.
    CodeInstruction Code(int ligne) const;
    const std::string& Argument(int ligne) const { return Ligne(ligne).argument; }
    const ExpressionClasse& Expression(int ligne) const { return Ligne(ligne).expression; }

private:
    struct LigneScript {
        CodeInstruction code = CodeInstruction::Aucune;
        std::string argument;
        ExpressionClasse expression;
        int nombre = 0;  // SINON: its FINSI line; VAPAGE: the target page
    };
    class Execution;

    const LigneScript& Ligne(int ligne) const { return lignes_.at(static_cast<std::size_t>(ligne - 1)); }
    LigneScript& Ligne(int ligne) { return lignes_.at(static_cast<std::size_t>(ligne - 1)); }
    void CompileArgument(int i, ProgrammationInterne& programme);
    void FinsisDesSinons();

    std::vector<LigneScript> lignes_;
};

}  // namespace korv::formula
