#include "formula/script.h"

#include <gtest/gtest.h>

#include <functional>
#include <map>
#include <stdexcept>
#include <string>
#include <vector>

#include "fakes.h"
#include "formula/script_impression.h"
#include "formula/script_programme.h"
#include "formula/services_script_fake.h"
#include "platform/message_box_fake.h"

namespace korv::formula::test {
namespace {

std::string Lignes(std::initializer_list<std::string_view> lignes) {
    std::string t;
    for (const auto l : lignes) {
        if (!t.empty()) t += "\r\n";
        t += l;
    }
    return t;
}

// A scene of two pages (DEBUT: FOND, BOUTON, TEXTE; SUITE: FOND) in play,
// on page DEBUT, with the global variables N (5), R, S and T.
struct Banc {
    Environnement env;
    ServicesScriptFactice services;
    FonctionsImpression impression{env.scene, services, &env.actions};
    ServicesFormule formule{env.scene, env.systeme, env.variables, &impression};
    ProgrammationInterne programme{formule, services};

    Banc() {
        const auto debut = env.scene.AjoutePage("DEBUT");
        env.scene.AjouteObjet(debut, "FOND", 1);
        env.scene.AjouteObjet(debut, "BOUTON", 3);
        env.scene.AjouteObjet(debut, "TEXTE", 4);
        const auto suite = env.scene.AjoutePage("SUITE");
        env.scene.AjouteObjet(suite, "FOND", 1);
        env.variables.VarCree("N", Valeur::Chaine("5"), 1);
        for (const char* v : {"R", "S", "T"}) env.variables.VarCree(v, Valeur{}, 1);
        services.surSaut = [this](int page) { env.scene.pageCourante = static_cast<std::int16_t>(page); };
    }

    std::int16_t Lance(const std::string& texte, int page = 0, int objet = 0, std::string_view evenement = {}) {
        return programme.ProgScriptExecute(texte, page, objet, evenement);
    }
    std::string Var(std::string_view nom) const { return env.variables.VarValeur(nom).EnTexte(); }
};

TEST(ScriptLines, NextLine) {
    struct Cas {
        std::string texte;
        std::vector<std::string> lignes;
    };
    const Cas cas[] = {
        {"A\r\nB", {"A", "B"}},
        {"  A  \rB\nC", {"A", "B", "C"}},  // no character after a lone CR is lost
        {"A\r\n", {"A"}},
        {"", {""}},
        {"\r\n\r\nX ", {"", "", "X"}},
    };
    for (const auto& c : cas) {
        std::vector<std::string> lues;
        std::size_t position = 1;
        do {
            lues.push_back(ProgInstSuivante(c.texte, position));
        } while (position <= c.texte.size());
        EXPECT_EQ(lues, c.lignes) << c.texte;
        EXPECT_EQ(position, c.texte.size() + 1) << c.texte;
    }
    std::size_t zero = 0;
    EXPECT_EQ(ProgInstSuivante("A", zero), "");
    EXPECT_EQ(zero, 0u);
}

TEST(ScriptLines, StatementWordAndArgument) {
    struct Cas {
        const char* ligne;
        CodeInstruction code;
        const char* argument;
    };
    const Cas cas[] = {
        {"DECLARE x", CodeInstruction::Declare, "x"},
        {"que A = 1", CodeInstruction::Que, "A = 1"},
        {"' un commentaire", CodeInstruction::Remarque, "un commentaire"},
        {"REM x", CodeInstruction::Remarque, "x"},
        {"Remarque", CodeInstruction::Remarque, ""},
        {"SI", CodeInstruction::Si, ""},
        {"sur   clic", CodeInstruction::Sur, "  clic"},
        {"MESSAGE 'a b'", CodeInstruction::Message, "'a b'"},
        {"ChangeSelVo", CodeInstruction::ChangeSelVo, ""},
        {"GLOBAL X", CodeInstruction::Aucune, "X"},
        {"QUEX = 1", CodeInstruction::Aucune, "= 1"},
        {"", CodeInstruction::Aucune, ""},
    };
    for (const auto& c : cas) {
        EXPECT_EQ(ProgInstNum(c.ligne), c.code) << c.ligne;
        EXPECT_EQ(ProgInstArgument(c.ligne), c.argument) << c.ligne;
    }
}

TEST(ScriptCompile, KeptLinesAndArguments) {
    Banc b;
    ScriptClasse s;
    s.Compile(Lignes({"' commentaire", "REM autre", "GLOBAL X", "declare compteur", "que compteur = 1 + 2",
                      "SI compteur > 2", "message 'Bonjour'", "SINON", "vapage suite", "FINSI", "vapage glossaire",
                      "VAPAGE $met", "VAPAGE inconnue", "  sur clic  ", "DECLENCHE bouton.clic", "REPETE"}),
              b.programme);
    struct Attendu {
        CodeInstruction code;
        const char* argument;
        bool expression;
    };
    const Attendu attendus[] = {
        {CodeInstruction::Declare, "COMPTEUR", false},
        {CodeInstruction::Que, "compteur", true},
        // COMPTEUR is not declared yet when the script compiles.
        {CodeInstruction::Si, "", false},
        {CodeInstruction::Message, "'Bonjour'", false},
        {CodeInstruction::Sinon, "7", false},
        {CodeInstruction::VaPage, "2", false},
        {CodeInstruction::Finsi, "", false},
        {CodeInstruction::VaPage, "$GLOSSAIRE", false},
        {CodeInstruction::VaPage, "$met", false},
        {CodeInstruction::VaPage, "0", false},
        {CodeInstruction::Sur, "CLIC", false},
        {CodeInstruction::Declenche, "BOUTON.CLIC", false},
        {CodeInstruction::Repete, "", false},
    };
    ASSERT_EQ(s.NombreLignes(), static_cast<int>(std::size(attendus)));
    for (int i = 1; i <= s.NombreLignes(); ++i) {
        const auto& a = attendus[i - 1];
        EXPECT_EQ(s.Code(i), a.code) << i;
        EXPECT_EQ(s.Argument(i), a.argument) << i;
        EXPECT_EQ(s.Expression(i).NombreJetons() > 0, a.expression) << i;
    }
    EXPECT_TRUE(b.services.trace.empty());

    s.Compile("' rien\r\nREM que des commentaires", b.programme);
    EXPECT_EQ(s.NombreLignes(), 0);
    s.Compile("", b.programme);
    EXPECT_EQ(s.NombreLignes(), 0);
}

TEST(ScriptCompile, FaultsAreToldAndCompilationGoesOn) {
    Banc b;
    ScriptClasse s;
    s.Compile(Lignes({"QUE R 1", "SINON", "SI 1", "QUE S = 2"}), b.programme);
    EXPECT_EQ(b.services.trace, (std::vector<std::string>{"message |Manque signe = dans expression 'que'",
                                                          "message |Manque finsi associ\xE9"}));
    ASSERT_EQ(s.NombreLignes(), 4);
    EXPECT_EQ(s.Argument(1), "");
    EXPECT_EQ(s.Argument(2), "0");
    EXPECT_TRUE(s.Expression(4).NombreJetons() > 0);
}

TEST(ScriptCompile, MatchingLineSearches) {
    Banc b;
    struct Cas {
        std::string texte;
        int ligne;
        bool depuisSinon;  // NLigneFinsiAssocie, else NLigneFinsiOuSinonAssocie
        int attendu;
    };
    const std::string imbrique =
        Lignes({"SI 1", "SI 0", "FINSI", "SINON", "SI 1", "FINSI", "FINSI", "SINON", "SI 1"});
    const Cas cas[] = {
        {imbrique, 1, false, 4},  // the SINON of the outer SI, passing over the nested one
        {imbrique, 2, false, 3},
        {imbrique, 5, false, 6},
        {imbrique, 9, false, 10},  // the text ends first: one past the last line
        {imbrique, 4, true, 7},    // the FINSI of the SINON, passing over the nested SI
        {imbrique, 8, true, 0},    // a SI left open after the SINON
        {Lignes({"SI 0", "SI 1", "QUE R = 1"}), 1, false, 0},
        {Lignes({"SINON", "QUE R = 1"}), 1, true, 3},
    };
    for (const auto& c : cas) {
        ScriptClasse s;
        s.Compile(c.texte, b.programme);
        const int j = c.depuisSinon ? s.NLigneFinsiAssocie(c.ligne) : s.NLigneFinsiOuSinonAssocie(c.ligne);
        EXPECT_EQ(j, c.attendu) << c.texte << " line " << c.ligne;
    }
}

TEST(ScriptCompile, StoredElseTargetsMatchTheSearch) {
    // Every text of up to five lines of SI, SINON, FINSI and QUE.
    Banc b;
    const std::string_view mots[] = {"SI 1", "SINON", "FINSI", "QUE R = 1"};
    for (int longueur = 1; longueur <= 5; ++longueur) {
        int combinaisons = 1;
        for (int k = 0; k < longueur; ++k) combinaisons *= 4;
        for (int c = 0; c < combinaisons; ++c) {
            std::string texte;
            for (int k = 0, reste = c; k < longueur; ++k, reste /= 4) texte += std::string(mots[reste % 4]) + "\r\n";
            ScriptClasse s;
            s.Compile(texte, b.programme);
            for (int i = 1; i <= s.NombreLignes(); ++i) {
                if (s.Code(i) != CodeInstruction::Sinon) continue;
                ASSERT_EQ(s.Argument(i), std::to_string(s.NLigneFinsiAssocie(i))) << texte << " line " << i;
            }
        }
    }
}

TEST(ScriptExecute, EachStatement) {
    struct Cas {
        const char* nom;
        std::string texte;
        int page = 0;
        int objet = 0;
        std::string evenement;
        std::int16_t resultat = 0;
        std::vector<std::string> trace;
        std::map<std::string, std::string> variables;
        std::function<void(Banc&)> prepare;
    };
    const std::vector<ElementScript> elementsBouton{{3, 5, "CLIC"}, {4, 0, "AUTRE"}, {1, 7, "CLIC"}};
    const auto avecElements = [&](Banc& b) { b.services.elements[{1, 2}] = elementsBouton; };
    const Cas cas[] = {
        {"assignments", Lignes({"QUE R = 1 + 2", "QUE S = 'x' & 'y'", "QUE T = INCONNU", "QUE INCONNUE = 1"}), 0, 0, "",
         0, {}, {{"R", "3"}, {"S", "'xy'"}, {"T", ""}}, {}},
        {"true condition", Lignes({"SI N > 3", "QUE R = 1", "SINON", "QUE R = 2", "FINSI", "QUE S = 3"}), 0, 0, "", 0,
         {}, {{"R", "1"}, {"S", "3"}}, {}},
        {"false condition", Lignes({"SI N > 9", "QUE R = 1", "SINON", "QUE R = 2", "FINSI", "QUE S = 3"}), 0, 0, "", 0,
         {}, {{"R", "2"}, {"S", "3"}}, {}},
        {"false condition without else", Lignes({"SI N = 4", "QUE R = 1", "FINSI", "QUE S = 3"}), 0, 0, "", 0, {},
         {{"R", ""}, {"S", "3"}}, {}},
        {"nested conditions skipped whole",
         Lignes({"SI 0", "SI 1", "QUE R = 1", "SINON", "QUE R = 2", "FINSI", "QUE R = 3", "FINSI", "QUE S = 4"}), 0, 0,
         "", 0, {}, {{"R", ""}, {"S", "4"}}, {}},
        {"nested condition in the then branch",
         Lignes({"SI 1", "SI 0", "QUE R = 1", "SINON", "QUE R = 2", "FINSI", "SINON", "QUE R = 3", "FINSI"}), 0, 0, "",
         0, {}, {{"R", "2"}}, {}},
        {"text condition is false", Lignes({"SI 'abc'", "QUE R = 1", "FINSI", "QUE S = 2"}), 0, 0, "", 0, {},
         {{"R", ""}, {"S", "2"}}, {}},
        {"uncompiled condition is false", Lignes({"SI INCONNU = 1", "QUE R = 1", "FINSI"}), 0, 0, "", 0, {},
         {{"R", ""}}, {}},
        {"false condition without FINSI ends the run", Lignes({"SI 0", "QUE R = 1", "QUE S = 2"}), 0, 0, "", 0, {},
         {{"R", ""}, {"S", ""}}, {}},
        {"else without its FINSI ends the run", Lignes({"SI 1", "QUE R = 1", "SINON", "SI 1", "QUE S = 2"}), 0, 0, "",
         0, {"message |Manque finsi associ\xE9"}, {{"R", "1"}, {"S", ""}}, {}},
        {"stray else jumps past its FINSI", Lignes({"QUE R = 1", "SINON", "QUE S = 2", "FINSI", "QUE T = 3"}), 0, 0,
         "", 0, {}, {{"R", "1"}, {"S", ""}, {"T", "3"}}, {}},
        {"handler runs to the next SUR",
         Lignes({"QUE R = 1", "SUR CLIC", "QUE S = 2", "SUR MOUSEUP", "QUE T = 3"}), 1, 2, "SUR CLIC", 0, {},
         {{"R", ""}, {"S", "2"}, {"T", ""}}, {}},
        {"no handler for the event", Lignes({"QUE R = 1", "SUR CLIC", "QUE S = 2"}), 1, 2, "SUR INIT",
         kScriptSansGestionnaire, {}, {{"R", ""}, {"S", ""}}, {}},
        {"no event runs up to the first SUR", Lignes({"QUE R = 1", "SUR CLIC", "QUE S = 2"}), 1, 2, "", 0, {},
         {{"R", "1"}, {"S", ""}}, {}},
        {"FINPROC ends", Lignes({"QUE R = 1", "FINPROC", "QUE S = 2"}), 0, 0, "", 0, {}, {{"R", "1"}, {"S", ""}}, {}},
        {"jump to another page", Lignes({"VAPAGE suite", "QUE R = 1"}), 1, 2, "", kScriptPageQuittee, {"jump 2"},
         {{"R", ""}}, {}},
        {"jump to the own page goes on", Lignes({"VAPAGE DEBUT", "QUE R = 1"}), 1, 2, "", 0, {}, {{"R", "1"}}, {}},
        {"jump from the start program", Lignes({"VAPAGE DEBUT", "QUE R = 1"}), 0, 0, "", kScriptPageQuittee,
         {"jump 1"}, {{"R", ""}}, {}},
        {"jump to an unknown page goes on", Lignes({"VAPAGE AILLEURS", "QUE R = 1"}), 1, 2, "", 0, {}, {{"R", "1"}}, {}},
        {"glossary", Lignes({"VAPAGE Glossaire", "QUE R = 1"}), 1, 2, "", 0, {"glossary"}, {{"R", ""}}, {}},
        {"method menu page", Lignes({"VAPAGE $MET"}), 1, 2, "", kScriptPageQuittee, {"jump 2"}, {},
         [](Banc& b) { b.services.pageMenuMethode = "suite"; }},
        {"method menu page that is the own page is prepared again", Lignes({"VAPAGE $MET", "QUE R = 1"}), 1, 2, "",
         kScriptPageQuittee, {"jump 1"}, {{"R", ""}}, [](Banc& b) { b.services.pageMenuMethode = "DEBUT"; }},
        {"method tool page", Lignes({"VAPAGE $OUTILMET"}), 1, 2, "", kScriptPageQuittee, {"jump 2"}, {},
         [](Banc& b) { b.services.tableauxEtape = {2, 1}; }},
        {"unknown $ name keeps the target", Lignes({"VAPAGE $AUTRE", "QUE R = 1"}), 1, 2, "", 0, {}, {{"R", "1"}}, {}},
        {"back", Lignes({"RETOUR", "QUE R = 1"}), 1, 2, "", kScriptPageQuittee, {"back"}, {{"R", ""}}, {}},
        {"fire the owner's elements for an event", Lignes({"DECLENCHE clic", "QUE R = 1"}), 1, 2, "", 0,
         {"fire 1.3 element 1 action 5 mode 1 source 2", "fire 1.1 element 3 action 7 mode 1 source 2"}, {{"R", ""}},
         avecElements},
        {"queue the owner", Lignes({"DECLENCHE", "QUE R = 1"}), 1, 2, "", 0, {"queue 1.2"}, {{"R", ""}}, avecElements},
        {"fire a named object", Lignes({"DECLENCHE debut.bouton.clic"}), 0, 0, "", 0,
         {"fire 1.3 element 1 action 5 mode 1 source 2", "fire 1.1 element 3 action 7 mode 1 source 2"}, {},
         avecElements},
        {"queue a named object", Lignes({"DECLENCHE DEBUT.BOUTON"}), 0, -1, "", 0, {"queue 1.2"}, {}, {}},
        {"fire an unknown page goes on", Lignes({"DECLENCHE AILLEURS.BOUTON.CLIC", "QUE R = 1"}), 0, 0, "", 0, {},
         {{"R", "1"}}, {}},
        {"fire an unknown object goes on", Lignes({"DECLENCHE DEBUT.AUCUN", "QUE R = 1"}), 0, 0, "", 0, {},
         {{"R", "1"}}, {}},
        {"a target that leaves the page stops the firing", Lignes({"DECLENCHE CLIC"}), 1, 2, "", kScriptPageQuittee,
         {"fire 1.3 element 1 action 5 mode 1 source 2"}, {},
         [&](Banc& b) {
             avecElements(b);
             b.services.surDeclenche = [&b](int, int, int) { b.env.scene.pageCourante = 2; };
         }},
        {"built-in message", Lignes({"MESSAGE EXPLICPARITEINVALIDE"}), 0, 0, "", 0,
         {"message Corvanne Rarevive Zaru|Cette valeur ne peut \xEAtre\r\nni nulle ni n\xE9gative."}, {}, {}},
        {"message of a formula", Lignes({"MESSAGE 'Valeur : ' & N", "MESSAGE 1+1", "MESSAGE Bonjour"}), 0, 0, "", 0,
         {"message Message|Valeur : 5", "message Message|2", "message Message|"}, {}, {}},
        {"method and plan", Lignes({"CHANGEMETHODE Etape2", "CHANGESELVO"}), 0, 0, "", 0,
         {"method Etape2", "modified"}, {}, {}},
        {"statements that do nothing", Lignes({"REPETE", "SORTREPETE", "FINREPETE", "DEBUTPROC", "APPELPROC", "STOP",
                                               "RECHERCHE", "LINGO", "NONLINGO", "FINSI", "QUE R = 1"}),
         0, 0, "", 0, {}, {{"R", "1"}}, {}},
        {"refused declaration ends the run", Lignes({"DECLARE TEMPS", "QUE R = 1"}), 0, 0, "", 0, {}, {{"R", ""}}, {}},
    };
    for (const auto& c : cas) {
        Banc b;
        if (c.prepare) c.prepare(b);
        EXPECT_EQ(b.Lance(c.texte, c.page, c.objet, c.evenement), c.resultat) << c.nom;
        EXPECT_EQ(b.services.trace, c.trace) << c.nom;
        for (const auto& [nom, valeur] : c.variables) EXPECT_EQ(b.Var(nom), valeur) << c.nom << " " << nom;
    }
}

TEST(ScriptExecute, EventTextBecomesItsName) {
    Banc b;
    ScriptClasse s;
    s.Compile(Lignes({"SUR FINEDITION", "QUE R = 1"}), b.programme);
    std::string evenement = "sur  finedition ";
    EXPECT_EQ(s.Execute(1, 2, evenement, b.programme), 0);
    EXPECT_EQ(evenement, "FINEDITION");
    EXPECT_EQ(b.Var("R"), "1");
}

TEST(ScriptExecute, GlobalAndLocalVariables) {
    Banc b;
    b.env.variables.PasseValeur = "'p'";
    // Without a page the declarations are global.
    EXPECT_EQ(b.Lance(Lignes({"DECLARE G", "QUE G = 7"})), 0);
    EXPECT_EQ(b.env.variables.PasseValeur, "");
    EXPECT_EQ(b.Lance(Lignes({"DECLARE L", "QUE L = 8"}), 1, 2), 0);
    ASSERT_GE(b.env.variables.VarRang("L"), 1);
    EXPECT_EQ(b.env.variables.Entree(b.env.variables.VarRang("G")).globale, 1);
    EXPECT_EQ(b.env.variables.Entree(b.env.variables.VarRang("L")).globale, 0);

    // An event without its handler runs nothing and keeps the locals.
    EXPECT_EQ(b.Lance("SUR CLIC", 1, 2, "SUR INIT"), kScriptSansGestionnaire);
    EXPECT_EQ(b.Var("L"), "8");
    // Any run deletes them.
    EXPECT_EQ(b.Lance("QUE G = G + 1", 1, 2), 0);
    EXPECT_EQ(b.env.variables.VarRang("L"), 0);
    EXPECT_EQ(b.Var("G"), "8");

    // Declaring the same global twice ends the second script there.
    EXPECT_EQ(b.Lance(Lignes({"DECLARE G", "QUE G = 0"})), 0);
    EXPECT_EQ(b.Var("G"), "8");
}

TEST(ScriptExecute, ExpressionsSeeTheVariablesOfCompileTime) {
    Banc b;
    // X does not exist yet when the script compiles: its use compiles to nothing.
    b.Lance(Lignes({"DECLARE X", "QUE X = 1", "DECLARE Y", "QUE Y = X + 1", "MESSAGE X + 1"}));
    EXPECT_EQ(b.Var("X"), "1");
    EXPECT_EQ(b.Var("Y"), "");
    // MESSAGE compiles its formula when it runs.
    EXPECT_EQ(b.services.trace, std::vector<std::string>{"message Message|2"});
    b.Lance("QUE Y = X + 1");
    EXPECT_EQ(b.Var("Y"), "2");
}

TEST(ScriptExecute, MessagesAnsweredByTheMessageBox) {
    Banc b;
    platform::BoiteMessageFactice boite;
    b.services.boite = &boite;
    b.Lance(Lignes({"MESSAGE 'Premier'", "MESSAGE EXPLICPARITERENTREVIDE"}));
    ASSERT_EQ(boite.messages.size(), 2u);
    EXPECT_EQ(boite.messages[0].texte, "Premier");
    EXPECT_EQ(boite.messages[0].titre, "Message");
    EXPECT_EQ(boite.messages[0].style, platform::style::Ok);
    EXPECT_EQ(boite.messages[0].reponse, platform::Code(platform::Reponse::Ok));
    EXPECT_EQ(boite.messages[1].titre, "Corvanne Rarevive Zaru");
    EXPECT_EQ(boite.messages[1].texte,
              "Pour pouvoir s\xE9lectionner cette monnaie\r\nsaisissez d'abord sa parit\xE9 avec l'euro.");
}

TEST(ScriptExecute, EndOfPlayStopsBeforeTheNextLine) {
    Banc b;
    b.services.surMessage = [&b](int) { b.services.arret = true; };
    b.Lance(Lignes({"QUE R = 1", "MESSAGE 'fin'", "QUE S = 2"}));
    EXPECT_EQ(b.Var("R"), "1");
    EXPECT_EQ(b.Var("S"), "");
    b.Lance("QUE T = 3");
    EXPECT_EQ(b.Var("T"), "");
}

TEST(ScriptExecute, RunTimeErrorEndsTheScriptOnly) {
    Banc b;
    b.services.surSaut = [](int) { throw ErreurExecution(13, "Type incompatible"); };
    EXPECT_EQ(b.Lance(Lignes({"QUE R = 1", "VAPAGE SUITE", "QUE S = 2"}), 1, 2), 0);
    EXPECT_EQ(b.services.trace, (std::vector<std::string>{"jump 2", "error 2 Script.Execute 13"}));
    EXPECT_EQ(b.Var("R"), "1");
    EXPECT_EQ(b.Var("S"), "");

    // Error mode 2: the error goes on to the caller.
    b.services.suiteErreur = SuiteErreurScript::Relancer;
    b.services.surSaut = [](int) { throw std::runtime_error("panne"); };
    EXPECT_THROW(b.Lance("VAPAGE SUITE", 1, 2), std::runtime_error);
}

TEST(ScriptExecute, ScriptsFiringThemselvesStop) {
    const std::string script = "DECLENCHE CLIC";
    {
        // Each run fires the object whose script it is: the nesting is bounded.
        Banc b;
        b.services.elements[{1, 2}] = {{2, 0, "CLIC"}};
        b.services.surDeclenche = [&](int, int, int) { b.Lance(script, 1, 2); };
        b.Lance(script, 1, 2);
        EXPECT_EQ(b.services.Lignes("fire").size(), static_cast<std::size_t>(ProgrammationInterne::kProfondeurMax));
        EXPECT_EQ(b.services.Lignes("error"), std::vector<std::string>{"error 0 Script.Execute 28"});
    }
    {
        // Each run fires two, five deep: the lines of one outermost run are bounded.
        Banc b;
        const std::string compte = Lignes({"QUE R = R + 1", "DECLENCHE CLIC"});
        b.programme.LignesMax = 20;
        b.services.elements[{1, 2}] = {{2, 0, "CLIC"}, {2, 0, "CLIC"}};
        b.services.surDeclenche = [&](int, int, int) {
            if (b.programme.Profondeur() < 6) b.Lance(compte, 1, 2);
        };
        b.Lance(compte, 1, 2);
        EXPECT_EQ(b.Var("R"), "10");
        EXPECT_EQ(b.services.Lignes("error"), std::vector<std::string>{"error 0 Script.Execute 28"});
        // The next outermost run has its full budget again.
        b.services.trace.clear();
        b.services.surDeclenche = nullptr;
        b.Lance(compte, 1, 2);
        EXPECT_EQ(b.Var("R"), "11");
        EXPECT_EQ(b.services.trace, (std::vector<std::string>{"fire 1.2 element 1 action 0 mode 1 source 2",
                                                              "fire 1.2 element 2 action 0 mode 1 source 2"}));
    }
}

TEST(ScriptExprEvalue, OneShotFormulas) {
    Banc b;
    EXPECT_EQ(b.programme.ProgExprEvalue("1+2"), "3");
    EXPECT_EQ(b.programme.ProgExprEvalue("'a' & N"), "'a5'");
    EXPECT_EQ(b.programme.ProgExprEvalue("R"), "");         // Empty
    EXPECT_EQ(b.programme.ProgExprEvalue("INCONNU"), "");   // does not compile
    EXPECT_EQ(b.programme.ProgExprEvalue(""), "");
    EXPECT_EQ(b.programme.ProgExprEvalue("1/0"), "");       // Null
}

}  // namespace
}  // namespace korv::formula::test
