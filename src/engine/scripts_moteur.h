#pragma once
// The page-script language over the engine: the variables of the run, the
// interpreter, the print functions and the services they call (page jumps,
// firing and queuing objects, message boxes, the error reporter, the scene
// tables for formulas). The engine context owns one and uses it unless
// another Scripts service is injected.

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

#include "engine/services.h"

namespace korv::formula {
class BoiteSommaire;
class ScriptClasse;
class ServicesFonctionsAction;
class ProgrammationInterne;
class TableVariables;
class TravailImpression;
struct ServicesFormule;
}  // namespace korv::formula

namespace korv::engine {

class Moteur;

class ScriptsMoteur final : public Scripts {
public:
    explicit ScriptsMoteur(Moteur& moteur);
    ~ScriptsMoteur() override;
    ScriptsMoteur(const ScriptsMoteur&) = delete;
    ScriptsMoteur& operator=(const ScriptsMoteur&) = delete;

    // `ProgScriptExecute`: compiles and runs a script text once.
    void ProgScriptExecute(std::string_view texte, int page, int objet, std::string_view evenement) override;
    // The same, with the run's result: -1 when the script changed or left
    // the page, 1 when no handler names the event, else 0.
    std::int16_t Execute(std::string_view texte, int page, int objet, std::string_view evenement);
    // A script kept compiled between its runs (a cell's): compiled once,
    // its faults told then; run with the same result as above.
    void Compile(formula::ScriptClasse& script, std::string_view texte);
    std::int16_t Execute(formula::ScriptClasse& script, int page, int objet, std::string_view evenement);
    // `ProgExprEvalue`: a formula's value in its text form ("" when it does
    // not compile or is Empty).
    std::string ProgExprEvalue(std::string_view texte);

    void VarSupprimerToutes() override;
    void VarLocalesSupprimer() override;

    formula::TableVariables& Variables();
    // What formulas evaluated by the engine reach (scene, system, variables,
    // the print functions).
    const formula::ServicesFormule& Formule();
    formula::ProgrammationInterne& Programme();
    // The print job that the print functions drive; null: none.
    void Impression(formula::TravailImpression* travail);
    // The table-of-contents box that TEXTERECHERCHEPAGE searches; null: none.
    void Sommaire(formula::BoiteSommaire* boite);
    // The functions that act on grids, asked after the print and rich-text
    // ones; null: none.
    void FonctionsGrilles(formula::ServicesFonctionsAction* fonctions);

private:
    struct Impl;
    std::unique_ptr<Impl> impl_;
};

}  // namespace korv::engine
