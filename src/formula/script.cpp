// Compilation of script texts and the searches of their conditional lines.

#include "formula/script.h"

#include <string>

#include "formula/script_programme.h"
#include "formula/services.h"
#include "formula/services_script.h"
#include "formula/valeur.h"

namespace korv::formula {

namespace {

std::string Majuscule(std::string_view s) { return Majuscules(Trim(s)); }

// Text of the compile-time messages (Windows-1252).
constexpr std::string_view kManqueEgal = "Manque signe = dans expression 'que'";
constexpr std::string_view kManqueFinsi = "Manque finsi associ\xE9";

}  // namespace

CodeInstruction ScriptClasse::Code(int ligne) const {
    if (ligne < 1 || ligne > NombreLignes()) return CodeInstruction::Aucune;
    return Ligne(ligne).code;
}

void ScriptClasse::Compile(std::string_view texte, ProgrammationInterne& programme) {
    std::vector<std::string> gardees;
    std::size_t position = 1;
    do {
        std::string ligne = ProgInstSuivante(texte, position);
        const CodeInstruction code = ProgInstNum(ligne);
        if (code != CodeInstruction::Aucune && code != CodeInstruction::Remarque) gardees.push_back(std::move(ligne));
    } while (position <= texte.size());

    lignes_.clear();
    lignes_.resize(gardees.size());
    // Every code first: the SINON searches read the lines after their own.
    for (std::size_t i = 0; i < gardees.size(); ++i) lignes_[i].code = ProgInstNum(gardees[i]);
    FinsisDesSinons();
    for (std::size_t i = 0; i < gardees.size(); ++i) {
        lignes_[i].argument = std::string(Trim(ProgInstArgument(gardees[i])));
        CompileArgument(static_cast<int>(i + 1), programme);
    }
}

void ScriptClasse::CompileArgument(int i, ProgrammationInterne& programme) {
    LigneScript& l = Ligne(i);
    const ServicesFormule& formule = programme.Formule();
    ServicesScript& services = programme.Services();
    const std::string argument = std::move(l.argument);
    l.argument.clear();
    switch (l.code) {
    case CodeInstruction::Declare:
    case CodeInstruction::Declenche:
    case CodeInstruction::Sur: l.argument = Majuscule(argument); break;
    case CodeInstruction::Message:
    case CodeInstruction::ChangeMethode: l.argument = argument; break;
    case CodeInstruction::Que: {
        const std::size_t egal = argument.find('=');
        if (egal == std::string::npos) {
            services.Message(kManqueEgal, 0, {});
            break;
        }
        l.argument = std::string(Trim(std::string_view(argument).substr(0, egal)));
        AffecteExpression(l.expression, std::string_view(argument).substr(egal + 1), formule);
        break;
    }
    case CodeInstruction::Si: AffecteExpression(l.expression, argument, formule); break;
    case CodeInstruction::Sinon:
        l.argument = std::to_string(l.nombre);
        if (l.nombre == 0) services.Message(kManqueFinsi, 0, {});
        break;
    case CodeInstruction::VaPage:
        if (!argument.empty() && argument.front() == '$') {
            l.argument = argument;
        } else if (Majuscule(argument) == "GLOSSAIRE") {
            l.argument = "$GLOSSAIRE";
        } else {
            l.nombre = formule.scene.NumeroDePage(Majuscule(argument));
            l.argument = std::to_string(l.nombre);
        }
        break;
    default: break;
    }
}

// NLigneFinsiAssocie of every SINON line in one backward pass, so that a
// long text compiles in linear time. With b(k) the count of SI less the
// count of FINSI in lines 1 to k, the FINSI of the SINON at line i is the
// first line k >= i where b(k) falls to b(i - 1) - 1; when there is none,
// the search ends one past the last line if b ends where it started, and
// fails (0) if a SI is left open.
void ScriptClasse::FinsisDesSinons() {
    const int n = NombreLignes();
    std::vector<int> solde(static_cast<std::size_t>(n) + 1, 0);
    for (int k = 1; k <= n; ++k) {
        const CodeInstruction c = Code(k);
        solde[static_cast<std::size_t>(k)] =
            solde[static_cast<std::size_t>(k - 1)] + (c == CodeInstruction::Si ? 1 : c == CodeInstruction::Finsi ? -1 : 0);
    }
    // First line at or after the current one where the balance takes each
    // value (values range over -n .. n).
    std::vector<int> premiere(static_cast<std::size_t>(2 * n) + 3, 0);
    const auto indice = [n](int valeur) { return static_cast<std::size_t>(valeur + n + 1); };
    for (int i = n; i >= 1; --i) {
        premiere[indice(solde[static_cast<std::size_t>(i)])] = i;
        if (Code(i) != CodeInstruction::Sinon) continue;
        const int depart = solde[static_cast<std::size_t>(i - 1)];
        const int k = premiere[indice(depart - 1)];
        if (k != 0) {
            Ligne(i).nombre = k;
        } else {
            Ligne(i).nombre = solde[static_cast<std::size_t>(n)] == depart ? n + 1 : 0;
        }
    }
}

int ScriptClasse::NLigneFinsiAssocie(int ligne) const {
    int profondeur = 1;
    int j = ligne;
    for (; j <= NombreLignes(); ++j) {
        const CodeInstruction c = Code(j);
        if (c == CodeInstruction::Finsi) {
            if (profondeur == 1) break;
            --profondeur;
        } else if (c == CodeInstruction::Si) {
            ++profondeur;
        }
    }
    return profondeur == 1 ? j : 0;
}

int ScriptClasse::NLigneFinsiOuSinonAssocie(int ligne) const {
    int profondeur = 0;
    int j = ligne;
    for (; j <= NombreLignes(); ++j) {
        const CodeInstruction c = Code(j);
        if (c == CodeInstruction::Si) {
            ++profondeur;
        } else if (c == CodeInstruction::Finsi) {
            if (profondeur == 1) break;
            --profondeur;
        } else if (c == CodeInstruction::Sinon && profondeur == 1) {
            break;
        }
    }
    return profondeur == 1 ? j : 0;
}

void ScriptClasse::AffecteExpression(ExpressionClasse& expression, std::string_view texte,
                                     const ServicesFormule& services) {
    ExpressionClasse nouvelle;
    if (nouvelle.Code(std::string(texte), services)) expression = std::move(nouvelle);
}

std::string ScriptClasse::EvalueExpressionScript(ExpressionClasse& expression, const ServicesFormule& services) {
    if (expression.NombreJetons() == 0) return {};
    const Valeur v = expression.Evalue(services);
    return v.estVide() ? std::string() : v.EnTexte();
}

}  // namespace korv::formula
