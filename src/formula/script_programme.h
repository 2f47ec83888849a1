#pragma once
// The one-shot entry points into scripts and formulas (`ProgScriptExecute`,
// `ProgExprEvalue`) and what every script run shares: the services, and the
// guards that keep scripts that fire each other from running without end
// (a nesting depth, and a budget of lines for one outermost run).

#include <cstdint>
#include <string>
#include <string_view>

#include "formula/services.h"

namespace korv::formula {

class ScriptClasse;
class ServicesScript;

class ProgrammationInterne {
public:
    static constexpr int kProfondeurMax = 32;
    static constexpr long kLignesMaxParDefaut = 1'000'000;

    ProgrammationInterne(const ServicesFormule& formule, ServicesScript& services)
        : formule_(formule), services_(services) {}

    // Compiles and runs a script text once; the result of Execute.
    std::int16_t ProgScriptExecute(std::string_view texte, int page, int objet, std::string_view evenement);
    // The two halves, for a script kept compiled between its runs. A
    // failure of the compiling is reported, leaves the script empty and
    // gives false.
    bool ScriptCompile(ScriptClasse& script, std::string_view texte);
    std::int16_t ScriptExecute(ScriptClasse& script, int page, int objet, std::string_view evenement);
    // The value of a formula text in its text form; "" when it does not
    // compile or its value is Empty.
    std::string ProgExprEvalue(std::string_view texte);

    const ServicesFormule& Formule() const { return formule_; }
    ServicesScript& Services() { return services_; }

    // Lines that one outermost run and the runs nested in it may execute.
    long LignesMax = kLignesMaxParDefaut;

    // One script run in progress; Entree() is false when it may not start
    // (too deep: the error has been reported and the outermost run is
    // stopped).
    class Niveau {
    public:
        explicit Niveau(ProgrammationInterne& p);
        ~Niveau();
        Niveau(const Niveau&) = delete;
        Niveau& operator=(const Niveau&) = delete;
        bool Entree() const { return entree_; }

    private:
        ProgrammationInterne& p_;
        bool entree_ = false;
    };

    // Counts one line about to run; false once the budget is spent (the
    // error is reported once, and every nested run stops).
    bool LigneAutorisee();
    // A guard stopped the current outermost run: every nested run ends.
    bool Interrompu() const { return epuise_; }
    int Profondeur() const { return profondeur_; }

private:
    ServicesFormule formule_;
    ServicesScript& services_;
    int profondeur_ = 0;
    long lignes_ = 0;
    bool epuise_ = false;
};

}  // namespace korv::formula
