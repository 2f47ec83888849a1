#include "formula/script_impression.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "fakes.h"
#include "formula/script_programme.h"
#include "formula/services_script_fake.h"
#include "formula/travail_impression_fake.h"

namespace korv::formula::test {
namespace {

using Appels = std::vector<std::string>;

// Page DEBUT (FOND, TEXTE with its header text) in play, a recording print job.
struct Banc {
    Environnement env;
    ServicesScriptFactice services;
    TravailImpressionFactice travail;
    FonctionsImpression impression{env.scene, services, &env.actions};
    ServicesFormule formule{env.scene, env.systeme, env.variables, &impression};
    ProgrammationInterne programme{formule, services};

    Banc() {
        const auto p = env.scene.AjoutePage("DEBUT");
        env.scene.AjouteObjet(p, "FOND", 1);
        env.scene.AjouteObjet(p, "TEXTE", 4);
        services.textes[{1, 2}] = "<b>Plan</b>";
        services.impression = &travail;
    }
    std::string Evalue(const std::string& texte) { return programme.ProgExprEvalue(texte); }
};

TEST(PrintFunctions, ReachThePrintJob) {
    struct Cas {
        const char* formule;
        bool jeu;               // play mode
        const char* resultat;   // text form of the formula's value
        Appels appels;
    };
    const Cas cas[] = {
        {"IMPRIMEPREPAREDEBUT(1)", true, "1", {"ImprimePrepareDebut 1"}},
        {"IMPRIMEPREPAREDEBUT(1)", false, "1", {}},
        {"IMPRIMEMARGES(10;20;30;40;5;6,5)", true, "0", {"ImprimeMargesFixe 10 20 30 40 5 6,5"}},
        {"IMPRIMEMARGES(10;20;30;40;5;6)", false, "0", {}},
        {"IMPRIMEMARGES(10;20)", true, "", {}},  // too few values: the stack stays, no single value
        {"IMPRIMEENTETE('DEBUT';'TEXTE';1;0)", true, "0", {"ImprimeEnTeteFixe <b>Plan</b> -1 0"}},
        {"IMPRIMEPIEDDEPAGE('debut';'texte';0;1)", true, "0", {"ImprimePiedDePageFixe <b>Plan</b> 0 -1"}},
        {"IMPRIMEENTETE('DEBUT';'AUCUN';1;0)", true, "0", {}},
        {"IMPRIMEOBJET('DEBUT';'TEXTE';'TITRE';'SAUTEPAGE';2)", true, "0",
         {"ImprimeAjouteObjet 1 2 [SAUTEPAGE|TITRE]"}},
        {"IMPRIMEOBJET('DEBUT';'TEXTE';12;1)", true, "0", {"ImprimeAjouteObjet 1 2 [12]"}},
        {"IMPRIMEOBJET('DEBUT';'TEXTE';0)", true, "0", {"ImprimeAjouteObjet 1 2 []"}},
        {"IMPRIMEOBJET('DEBUT';'TEXTE';'TITRE';1)", false, "0", {}},
        {"IMPRIMEOBJET('AILLEURS';'TEXTE';0)", true, "0", {}},
        {"IMPRIMEOBJET('DEBUT';'TEXTE';3)", true, "", {}},  // more options than values: Null
        {"IMPRIMEOBJET('ORVANE';'Redactionnel';0)", true, "0", {"RedactionImprimeExporte REDACTIONNEL 0"}},
        {"IMPRIMEOBJET('ORVANE';'REDACSYNTHETIQUE';0)", true, "0", {"RedactionImprimeExporte REDACSYNTHETIQUE 0"}},
        {"IMPRIMEOBJET('ORVANE';'PAGEMETHODEETAPE3';0)", true, "0",
         {"NumeroEtape ETAPE3", "EtapeImprimeExporte 3 0"}},
        // Without a code: the current step, as the method module answers it.
        {"IMPRIMEOBJET('ORVANE';'PageMethode';0)", true, "0", {"NumeroEtape ", "EtapeImprimeExporte 3 0"}},
        {"IMPRIMESAUTEPAGE(1)", true, "1", {"ImprimeAjoutePage 1"}},
        {"IMPRIMEPREPAREFIN(1)", true, "1",
         {"MessageFenetreFerme", "ImpressionPremierNumeroFixe 1", "ApercuDejaPrepare 0", "Imprime"}},
        {"IMPRIMEPREPAREFIN(1)", false, "1", {}},
        {"EXPORTEDEBUT(4)", true, "4", {"ExportationFenetreOuvre 4"}},
        {"EXPORTEOBJET('DEBUT';'RTF_TEXTE')", true, "0", {"TexteRTFInsereTableaux 1 2 -1"}},
        {"EXPORTEOBJET('DEBUT';'TEXTE';'OPT')", true, "0", {"TexteRTFInsereTableaux 1 2 0"}},
        {"EXPORTEOBJET('DEBUT';'TEXTE')", false, "0", {}},
        {"EXPORTEOBJET('METHODE';'tout')", true, "0", {"MethodeTextesExporte TOUT"}},
        {"EXPORTEOBJET('ORVANE';'REDACTIONNEL')", true, "0", {"RedactionImprimeExporte REDACTIONNEL -1"}},
        {"EXPORTEOBJET('ORVANE';'REDACSYNTHETIQUE')", true, "0", {}},
        {"EXPORTEOBJET('ORVANE';'PAGEMETHODEETAPE3')", true, "0",
         {"NumeroEtape ETAPE3", "EtapeImprimeExporte 3 -1"}},
        {"EXPORTEFIN(2)", true, "2", {"ExporteTextesOuTableaux 2"}},
        {"EXPORTEIMPRIMEPAGE(0)", false, "4", {}},
        {"MAJSOMMAIRE('DEBUT';'TEXTE';2)", true, "0", {"SommaireMettreAJour 1 2 2"}},
        {"MAJSOMMAIRE('DEBUT';'AUCUN';2)", true, "", {}},
    };
    for (const auto& c : cas) {
        Banc b;
        b.env.scene.modeProgramme = c.jeu ? 3 : 0;
        b.travail.mode = 4;
        b.travail.etapeTrouvee = 3;
        EXPECT_EQ(b.Evalue(c.formule), c.resultat) << c.formule;
        EXPECT_EQ(b.travail.appels, c.appels) << c.formule;
    }
}

TEST(PrintFunctions, OptionList) {
    Banc b;
    b.env.scene.modeProgramme = 0;  // filled outside play too
    b.Evalue("IMPRIMEOBJET('DEBUT';'TEXTE';'TITRE';'SAUTEPAGE';2)");
    EXPECT_EQ(b.impression.Options().nombre, 2);
    EXPECT_EQ(b.Evalue("IMPRIMEOPTION(1)"), "SAUTEPAGE");
    EXPECT_EQ(b.Evalue("IMPRIMEOPTION(2)"), "TITRE");
    EXPECT_EQ(b.Evalue("IMPRIMEOPTION(3)"), "");  // outside the list: Null
    EXPECT_EQ(b.Evalue("IMPRIMEOPTION(0)"), "");
    // A count of 0 keeps the earlier elements, not counted: they are out of
    // reach of IMPRIMEOPTION.
    b.Evalue("IMPRIMEOBJET('DEBUT';'TEXTE';0)");
    EXPECT_EQ(b.impression.Options().nombre, 0);
    EXPECT_EQ(b.impression.Options().elements.size(), 2u);
    EXPECT_EQ(b.Evalue("IMPRIMEOPTION(1)"), "");
    b.Evalue("IMPRIMEOBJET('DEBUT';'TEXTE';'A';1)");
    EXPECT_EQ(b.Evalue("IMPRIMEOPTION(1)"), "A");
    EXPECT_EQ(b.Evalue("IMPRIMEOPTION(2)"), "");
    // EXPORTEOBJET's option is kept as it stands, quotes included.
    b.Evalue("EXPORTEOBJET('DEBUT';'TEXTE';'OPT')");
    EXPECT_EQ(b.impression.Options().nombre, 1);
    EXPECT_EQ(b.Evalue("IMPRIMEOPTION(1)"), "'OPT'");
}

TEST(PrintFunctions, APrintScriptInOrder) {
    Banc b;
    b.env.variables.VarCree("R", Valeur{}, 1);
    const std::string script =
        "QUE R = IMPRIMEPREPAREDEBUT(1)\r\n"
        "QUE R = IMPRIMEMARGES(10;10;10;10;5;5)\r\n"
        "QUE R = IMPRIMEENTETE('DEBUT';'TEXTE';1;1)\r\n"
        "QUE R = IMPRIMEOBJET('DEBUT';'TEXTE';'TITRE';1)\r\n"
        "QUE R = IMPRIMESAUTEPAGE(0)\r\n"
        "QUE R = IMPRIMEOBJET('DEBUT';'FOND';0)\r\n"
        "QUE R = IMPRIMEPREPAREFIN(1)";
    b.programme.ProgScriptExecute(script, 1, -1, "");
    EXPECT_EQ(b.travail.appels,
              (Appels{"ImprimePrepareDebut 1", "ImprimeMargesFixe 10 10 10 10 5 5", "ImprimeEnTeteFixe <b>Plan</b> -1 -1",
                      "ImprimeAjouteObjet 1 2 [TITRE]", "ImprimeAjoutePage 0", "ImprimeAjouteObjet 1 1 []",
                      "MessageFenetreFerme", "ImpressionPremierNumeroFixe 1", "ApercuDejaPrepare 0", "Imprime"}));
}

TEST(PrintFunctions, WithoutPrintJobOrForOtherFunctions) {
    Banc b;
    b.services.impression = nullptr;
    EXPECT_EQ(b.Evalue("IMPRIMEOBJET('DEBUT';'TEXTE';'TITRE';1)"), "0");
    EXPECT_EQ(b.Evalue("EXPORTEIMPRIMEPAGE(7)"), "0");
    EXPECT_EQ(b.Evalue("IMPRIMEPREPAREFIN(1)"), "1");
    // Functions that are not about printing go on to the next handler.
    b.Evalue("CASECHANGEVARIABLE('DEBUT';'TEXTE';1;1;'x')");
    EXPECT_EQ(b.env.actions.codes, std::vector<int>{24});
}

}  // namespace
}  // namespace korv::formula::test
