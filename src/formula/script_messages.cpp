#include "formula/script_messages.h"

#include <array>

#include "platform/cp1252.h"

namespace korv::formula {

namespace {

struct MessageFixe {
    std::string_view motCle;
    std::array<std::string_view, 7> lignes;  // UTF-8; unused ones are empty
};

// Texts of the program's own explanations, as the player reads them.
const std::array<MessageFixe, 8> kMessages{{
    {"EXPLICPARITEINVALIDE",
     {"Cette valeur ne peut être",
      "ni nulle ni négative."}},
    {"EXPLICPARITESORTVIDE",
     {"Pour pouvoir sélectionner une autre monnaie",
      "saisissez d'abord la parité avec l'euro",
      "de la monnaie actuellement sélectionnée."}},
    {"EXPLICPARITERENTREVIDE",
     {"Pour pouvoir sélectionner cette monnaie",
      "saisissez d'abord sa parité avec l'euro."}},
    {"EXPLICFIXEOUTILSEUIL",
     {"Vous avez choisi d'enregistrer ce tableau isolément.",
      "Avant l'enregistrement, les valeurs provenant",
      "d'autres tableaux seront fixées, c'est à dire",
      "saisies directement dans chaque case.",
      "Pour rendre à nouveau une case liée",
      "aux autres tableaux effacez simplement",
      "son contenu."}},
    {"EXPLICDETAIL",
     {"Vous avez choisi de saisir des valeurs mensuelles.",
      "Si ensuite vous décidez de modifier les valeurs annuelles",
      "déjà saisies elles seront différentes de la somme des valeurs mensuelles.",
      "Ces dernières s'afficheront alors en grisé.",
      "Attention ! Dans ce cas, pour retrouver un niveau détaillé cohérent,",
      "vous devrez vérifier que plus aucune ligne n'est grisée dans votre prévisionnel."}},
    {"EXPLICDETAILGLOBAL1",
     {"Attention, l'ensemble des montants des «VENTES» n'apparaitra pas en trésorie si vous saisissez à la fois en vue détaillée et en vue générale.",
      "Si vous voulez avoir le tableau de trésorerie juste ne saisissez que les vues détaillées"}},
    {"EXPLICDETAILGLOBAL2",
     {"Attention, l'ensemble des montants des «FRAIS GENERAUX» n'apparaitra pas en trésorie si vous saisissez à la fois en vue détaillée et en vue générale.",
      "Si vous voulez avoir le tableau de trésorerie juste ne saisissez que les vues détaillées"}},
    {"EXPLICDETAILGLOBAL3",
     {"Attention, l'ensemble des montants des «INVESTISSEMENTS» n'apparaitra pas en trésorie si vous saisissez à la fois en vue détaillée et en vue générale.",
      "Si vous voulez avoir le tableau de trésorerie juste ne saisissez que les vues détaillées"}},
}};

}  // namespace

std::optional<std::string> MessageIntegre(std::string_view motCle) {
    for (const auto& m : kMessages) {
        if (m.motCle != motCle) continue;
        std::string texte;
        for (const std::string_view ligne : m.lignes) {
            if (ligne.empty()) break;
            if (!texte.empty()) texte += "\r\n";
            texte += ligne;
        }
        return platform::Utf8VersCp1252(texte);
    }
    return std::nullopt;
}

}  // namespace korv::formula
