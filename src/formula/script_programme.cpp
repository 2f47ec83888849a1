#include "formula/script_programme.h"

#include <exception>

#include "formula/expression.h"
#include "formula/script.h"
#include "formula/services_script.h"
#include "formula/valeur.h"

namespace korv::formula {

namespace {

constexpr int kErreurPile = 28;

// Reports a fault of the run itself (not of one line) and passes it on when
// the error mode says so.
void Signale(ServicesScript& services, const ErreurExecution& erreur) {
    if (services.ErreurSignale(0, "Script.Execute", erreur) == SuiteErreurScript::Relancer) throw erreur;
}

}  // namespace

ProgrammationInterne::Niveau::Niveau(ProgrammationInterne& p) : p_(p) {
    if (p_.profondeur_ == 0) {
        p_.lignes_ = 0;
        p_.epuise_ = false;
    }
    // Once a guard has stopped a cascade of scripts, nothing more of it runs.
    if (p_.epuise_) return;
    if (p_.profondeur_ >= kProfondeurMax) {
        p_.epuise_ = true;
        Signale(p_.services_, ErreurExecution(kErreurPile, "Espace pile insuffisant"));
        return;
    }
    ++p_.profondeur_;
    entree_ = true;
}

ProgrammationInterne::Niveau::~Niveau() {
    if (entree_) --p_.profondeur_;
}

bool ProgrammationInterne::LigneAutorisee() {
    if (epuise_) return false;
    if (++lignes_ <= LignesMax) return true;
    epuise_ = true;
    Signale(services_, ErreurExecution(kErreurPile, "Trop de lignes de script exécutées"));
    return false;
}

std::int16_t ProgrammationInterne::ProgScriptExecute(std::string_view texte, int page, int objet,
                                                     std::string_view evenement) {
    ScriptClasse script;
    if (!ScriptCompile(script, texte)) return 0;
    return ScriptExecute(script, page, objet, evenement);
}

bool ProgrammationInterne::ScriptCompile(ScriptClasse& script, std::string_view texte) {
    try {
        script.Compile(texte, *this);
        return true;
    } catch (const std::exception& e) {
        // Compiling asks the scene for page numbers; a failure there ends
        // this script only.
        script = ScriptClasse();
        if (services_.ErreurSignale(0, "ProgScriptExecute", e) == SuiteErreurScript::Relancer) throw;
        return false;
    }
}

std::int16_t ProgrammationInterne::ScriptExecute(ScriptClasse& script, int page, int objet,
                                                 std::string_view evenement) {
    std::string e(evenement);
    return script.Execute(page, objet, e, *this);
}

std::string ProgrammationInterne::ProgExprEvalue(std::string_view texte) {
    ExpressionClasse expression;
    if (!expression.Code(std::string(texte), formule_)) return {};
    const Valeur v = expression.Evalue(formule_);
    return v.estVide() ? std::string() : v.EnTexte();
}

}  // namespace korv::formula
