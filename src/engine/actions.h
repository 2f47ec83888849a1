#pragma once
// Action objects: invisible page objects that do one thing when triggered
// (run a program, switch the language, close the foreground page, go back,
// end the play, jump, run a script, open a web link, ...) and then, for
// most action types, wait in the list so that their own elements fire
// right after the action.

#include <cstdint>

namespace korv::engine {

class Moteur;

// Action types (the object's field A1).
enum class TypeAction : std::int16_t {
    Rien = 0,
    Programme = 1,
    Langue = 2,
    DocumentPlan = 3,
    Retour = 4,
    FinDuJeu = 5,
    FermerAvantPlan = 6,
    ArreterChronos = 7,
    Video = 8,
    ProcedureVide = 9,
    SautPage = 10,
    Script = 11,
    Relais = 12,
    SonArreter = 13,
    OublierPagePrecedente = 14,
    PanneauPlan = 17,
    LienWeb = 19,
};

// `DeclencheAction`: performs the action of the action object (page, objet)
// and registers it in the waiting list, except after going back, ending the
// play, a successful jump, a script and the plan panel.
void DeclencheAction(Moteur& moteur, int page, int objet);

}  // namespace korv::engine
