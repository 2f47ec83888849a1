// The cell under the mouse for the tooltip timer, and the text search in a cell.

#include <string>

#include "formula/valeur.h"
#include "grid/tableau.h"
#include "platform/grid_tooltip_timer.h"

namespace korv::grid {

bool TableauClasse::InfoBulleGere(int colonne, int ligne) {
    if (derniereCaseSurvolee_ == std::pair{colonne, ligne}) return false;
    if (chronoBulle_) chronoBulle_->Arreter();
    derniereCaseSurvolee_ = {colonne, ligne};
    return true;
}

bool TableauClasse::CaseContientTexte(std::uint8_t colonne, std::uint8_t ligne, std::string_view texte) const {
    const CaseTableau* c = Case(colonne, ligne);
    if (!c) return false;
    const std::string cherche = formula::Majuscules(texte);
    // An empty text occurs in any text that is not empty.
    const auto contient = [&cherche](std::string_view dans) {
        return !dans.empty() && formula::Majuscules(dans).find(cherche) != std::string::npos;
    };
    return contient(c->Valeur) || contient(c->Texte) || contient(Attribut(colonne, ligne).Script);
}

}  // namespace korv::grid
