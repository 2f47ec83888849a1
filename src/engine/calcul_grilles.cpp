#include "engine/calcul_grilles.h"

#include "engine/moteur.h"
#include "engine/scripts_moteur.h"

namespace korv::engine {

const formula::ServicesFormule& CalculGrillesMoteur::Formules() { return m_.ScriptsDuMoteur().Formule(); }

// Cell scripts run for the current page and no object.
std::int16_t CalculGrillesMoteur::ScriptCaseExecute(std::string_view script, std::string_view evenement) {
    return m_.ScriptsDuMoteur().Execute(script, m_.jeu.PageCourante, -1, evenement);
}

void CalculGrillesMoteur::MajFenetreJeu() { m_.Ecran().MajFenetreJeu(); }
void CalculGrillesMoteur::EditionValider() { m_.Plan().PlanAffaireEditionValider(); }
bool CalculGrillesMoteur::ConversionMonnaieEnCours() const { return m_.jeu.ConversionEnCours != 0; }

}  // namespace korv::engine
