// Any script text compiles and runs to its end without crashing or hanging,
// whatever the owner and the event, even when the objects it fires run it
// again. The input is the text itself, or (first byte odd) a list of bytes
// each choosing a piece of script, so that the search reaches the
// statements without a seed corpus.
#include <array>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "../tests/formula/fakes.h"
#include "formula/script.h"
#include "formula/script_impression.h"
#include "formula/script_programme.h"
#include "formula/services_script_fake.h"
#include "formula/travail_impression_fake.h"

using namespace korv::formula;

namespace {

constexpr std::array<std::string_view, 48> kMorceaux{
    "\r\n", "\r\n", "\r\n", "\r", "\n", " ", "DECLARE A", "DECLARE B", "QUE A = ", "QUE B = A + 1", "SI ",
    "SINON", "FINSI", "SI 1", "SI 0", "DECLENCHE CLIC", "DECLENCHE", "DECLENCHE DEBUT.BOUTON.CLIC",
    "DECLENCHE DEBUT.BOUTON", "MESSAGE ", "MESSAGE EXPLICDETAIL", "VAPAGE SUITE", "VAPAGE DEBUT", "VAPAGE $MET",
    "VAPAGE GLOSSAIRE", "VAPAGE $OUTILMET", "RETOUR", "SUR CLIC", "SUR INIT", "FINPROC", "CHANGEMETHODE x",
    "CHANGESELVO", "' c", "1", "0", "A", "'t'", " = ", " > ", "&", "(", ")", ";",
    "IMPRIMEOBJET('DEBUT';'TEXTE';'T';1)", "IMPRIMEOPTION(1)", "EXPORTEOBJET('DEBUT';'RTF_TEXTE';'O')",
    "IMPRIMEMARGES(1;2;3;4;5;6)", "QUESTION('q';4;'t')"};

std::string Texte(std::string_view octets) {
    if (octets.empty() || (static_cast<unsigned char>(octets[0]) & 1) == 0) return std::string(octets);
    std::string t;
    for (const char c : octets.substr(1)) t += kMorceaux[static_cast<unsigned char>(c) % kMorceaux.size()];
    return t;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    // Scripts are short; long inputs only slow the search down.
    if (size > 2048) return 0;
    const std::string texte = Texte(std::string_view(reinterpret_cast<const char*>(data), size));

    test::Environnement env;
    const auto debut = env.scene.AjoutePage("DEBUT");
    env.scene.AjouteObjet(debut, "FOND", 1);
    env.scene.AjouteObjet(debut, "BOUTON", 3);
    env.scene.AjouteObjet(debut, "TEXTE", 4);
    env.scene.AjoutePage("SUITE");
    env.scene.AjouteObjet(2, "FOND", 1);
    env.variables.VarCree("N", Valeur::Chaine("5"), 1);

    ServicesScriptFactice services;
    TravailImpressionFactice travail;
    services.impression = &travail;
    services.pageMenuMethode = "SUITE";
    services.tableauxEtape = {2};
    services.elements[{1, 2}] = {{3, 0, "CLIC"}, {2, 0, "CLIC"}, {1, 0, "INIT"}};
    FonctionsImpression impression(env.scene, services, &env.actions);
    ServicesFormule formule{env.scene, env.systeme, env.variables, &impression};
    ProgrammationInterne programme(formule, services);
    // Every run compiles the text again: keep a cascade's work small.
    programme.LignesMax = 2000;

    services.surSaut = [&](int page) { env.scene.pageCourante = static_cast<std::int16_t>(page); };
    // The object fired runs the same script again (and again, up to the nesting guard).
    services.surDeclenche = [&](int, int objet, int) {
        if (objet == 2) (void)programme.ProgScriptExecute(texte, 1, 2, "SUR CLIC");
    };

    // The targets of the SINON lines, computed in one pass, are those of the search.
    ScriptClasse script;
    script.Compile(texte, programme);
    for (int i = 1; i <= script.NombreLignes(); ++i) {
        if (script.Code(i) == CodeInstruction::Sinon &&
            script.Argument(i) != std::to_string(script.NLigneFinsiAssocie(i))) {
            std::abort();
        }
    }

    struct Appel {
        int page;
        int objet;
        const char* evenement;
    };
    for (const Appel a : {Appel{0, 0, ""}, Appel{1, 2, ""}, Appel{1, 2, "SUR CLIC"}, Appel{1, -1, "SUR INIT"}}) {
        env.scene.pageCourante = 1;
        const std::int16_t r = programme.ProgScriptExecute(texte, a.page, a.objet, a.evenement);
        if (r < -1 || r > 1) std::abort();
        if (programme.Profondeur() != 0) std::abort();
    }
    return 0;
}
