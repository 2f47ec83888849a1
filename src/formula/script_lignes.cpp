// The line helpers of the script compiler: cutting a text into lines and a
// line into its statement word and argument.

#include <array>
#include <string_view>
#include <utility>

#include "formula/script.h"
#include "formula/valeur.h"

namespace korv::formula {

namespace {

constexpr std::array<std::pair<std::string_view, CodeInstruction>, 25> kMots{{
    {"DECLARE", CodeInstruction::Declare},
    {"QUE", CodeInstruction::Que},
    {"SI", CodeInstruction::Si},
    {"FINSI", CodeInstruction::Finsi},
    {"SINON", CodeInstruction::Sinon},
    {"REPETE", CodeInstruction::Repete},
    {"SORTREPETE", CodeInstruction::SortRepete},
    {"FINREPETE", CodeInstruction::FinRepete},
    {"DECLENCHE", CodeInstruction::Declenche},
    {"'", CodeInstruction::Remarque},
    {"REM", CodeInstruction::Remarque},
    {"REMARQUE", CodeInstruction::Remarque},
    {"MESSAGE", CodeInstruction::Message},
    {"VAPAGE", CodeInstruction::VaPage},
    {"DEBUTPROC", CodeInstruction::DebutProc},
    {"FINPROC", CodeInstruction::FinProc},
    {"APPELPROC", CodeInstruction::AppelProc},
    {"RETOUR", CodeInstruction::Retour},
    {"STOP", CodeInstruction::Stop},
    {"RECHERCHE", CodeInstruction::Recherche},
    {"LINGO", CodeInstruction::Lingo},
    {"NONLINGO", CodeInstruction::NonLingo},
    {"SUR", CodeInstruction::Sur},
    {"CHANGEMETHODE", CodeInstruction::ChangeMethode},
    {"CHANGESELVO", CodeInstruction::ChangeSelVo},
}};

}  // namespace

std::string ProgInstSuivante(std::string_view texte, std::size_t& position) {
    if (position == 0) return {};
    if (position > texte.size()) {
        position = texte.size() + 1;
        return {};
    }
    const std::size_t debut = position - 1;
    const std::size_t fin = texte.find_first_of("\r\n", debut);
    if (fin == std::string_view::npos) {
        position = texte.size() + 1;
        return std::string(Trim(texte.substr(debut)));
    }
    // CR LF is one line end; a CR or a LF alone is one too, so that no
    // character after a lone CR is lost.
    std::size_t suivant = fin + 1;
    if (texte[fin] == '\r' && suivant < texte.size() && texte[suivant] == '\n') ++suivant;
    position = suivant + 1;
    return std::string(Trim(texte.substr(debut, fin - debut)));
}

std::string ProgInstArgument(std::string_view ligne) {
    const std::size_t blanc = ligne.find(' ');
    if (blanc == std::string_view::npos) return {};
    return std::string(ligne.substr(blanc + 1));
}

CodeInstruction ProgInstNum(std::string_view ligne) {
    const std::size_t blanc = ligne.find(' ');
    const std::string mot = Majuscules(Trim(ligne.substr(0, blanc)));
    for (const auto& [texte, code] : kMots) {
        if (texte == mot) return code;
    }
    return CodeInstruction::Aucune;
}

}  // namespace korv::formula
