#include "engine/calcul_grilles.h"

#include "engine/moteur.h"
#include "engine/scripts_moteur.h"
#include "formula/script.h"

namespace korv::engine {

const formula::ServicesFormule& CalculGrillesMoteur::Formules() { return m_.ScriptsDuMoteur().Formule(); }

namespace {

// Cell scripts run for the current page and no object.
class ScriptCaseMoteur final : public grid::ScriptCase {
public:
    ScriptCaseMoteur(Moteur& moteur, std::string_view texte) : m_(moteur) { m_.ScriptsDuMoteur().Compile(script_, texte); }
    std::int16_t Execute(std::string_view evenement) override {
        return m_.ScriptsDuMoteur().Execute(script_, m_.jeu.PageCourante, -1, evenement);
    }

private:
    Moteur& m_;
    formula::ScriptClasse script_;
};

}  // namespace

std::shared_ptr<grid::ScriptCase> CalculGrillesMoteur::ScriptCaseCompile(std::string_view script) {
    return std::make_shared<ScriptCaseMoteur>(m_, script);
}

void CalculGrillesMoteur::MajFenetreJeu() { m_.Ecran().MajFenetreJeu(); }
void CalculGrillesMoteur::EditionValider() { m_.Plan().PlanAffaireEditionValider(); }
bool CalculGrillesMoteur::ConversionMonnaieEnCours() const { return m_.jeu.ConversionEnCours != 0; }

}  // namespace korv::engine
