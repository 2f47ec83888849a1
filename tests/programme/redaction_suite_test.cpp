// The writing box goes on serving its step or its object after a command
// that stores what was typed and stays on the page: what is typed next is
// stored too when the page is left. Also the new plan and the open that
// follow a save from the save question: the box then shows what they
// brought, not the plan it served before.

#include <algorithm>
#include <filesystem>
#include <functional>
#include <optional>
#include <string>

#include <gtest/gtest.h>

#include "engine/moteur.h"
#include "engine/page_jeu.h"
#include "plan/document/document_plan.h"
#include "plan/entree_page.h"
#include "plan/etat_plan.h"
#include "plan/methode/etapes_methode.h"
#include "programme/pilote_programme.h"
#include "rtf/lecteur.h"

namespace korv::programme {
namespace {

using testsupport::PiloteProgramme;
namespace fs = std::filesystem;

// Page 2 writes the current step's text, page 3 the text of NOTES; both go
// back to page 1 by their button. Escape asks before ending play.
const char* const kScene = R"S(
scene esc=1
page
object kind=fond name="DEBUT" rect=0,0,9600,7200
page
object kind=fond name="METAUTOMET" rect=0,0,9600,7200
object kind=rtf name="REDACTION" rect=600,1500,8400,2700
object kind=action name="PANNEAU" A1=16 text="METAUTO"
  element page=2 object=2 param=0 events=0
object kind=bouton name="RETOUR" rect=600,6000,2400,600 C1=1 C2=60 D1=12632256 text="Retour"
  element page=1 object=1 param=0 events=2
page
object kind=fond name="ECRIRE" rect=0,0,9600,7200
object kind=rtf name="NOTES" rect=600,600,8400,2700 G3=2 text=<<FIN
{\rtf1\ansi\deff0{\fonttbl{\f0 Arial;}}\pard\plain\f0\fs24 Mes notes\par}
FIN
object kind=action name="PANNEAU" A1=16 text="ECRIRE,NOTES"
  element page=3 object=2 param=0 events=0
object kind=bouton name="RETOUR" rect=600,6000,2400,600 C1=1 C2=60 D1=12632256 text="Retour"
  element page=1 object=1 param=0 events=2
page
object kind=fond name="IMPRIMEPAGE" rect=0,0,9600,7200
object kind=action name="DEBUT" text="QUE DUMMY=IMPRIMEPREPAREDEBUT(1)"
object kind=action name="FIN" text="QUE DUMMY=IMPRIMEPREPAREFIN(1)"
)S";

constexpr const char* kEtape = "332";
constexpr int kOui = 6, kNon = 7, kAnnuler = 2;

std::string Brut(const std::string& texte) {
    const auto lu = rtf::LireRtf(texte);
    return lu.document ? rtf::TexteUtf8(lu.document->TexteBrut()) : std::string("<illisible>");
}

enum class Source { Etape, Objet };

struct Banc {
    PiloteProgramme p;
    std::int64_t t = 100;

    Banc() {
        p.Moteur().Plan().PlanAffaireInitialisations();
        p.Polices().familles = {{"Arial", false}};
        p.ChargerScene(kScene);
        p.ExecuterJusquARepos();
    }
    void Avancer() {
        t += 100;
        p.ExecuterJusqua(t);
    }
    void Aller(Source s) {
        if (s == Source::Etape) p.Moteur().Plan().MethodeChanger(kEtape);
        engine::SauteALaPage(p.Moteur(), s == Source::Etape ? 2 : 3);
        Avancer();
    }
    // The user clicks into the box and types at the end of its text.
    void Taper(const char* texte) {
        auto& boite = p.Redaction().boite;
        boite.FocusDonner();
        boite.SelectionFixer(boite.Longueur(), 0);
        boite.Taper(texte);
    }
    void Retour() {
        t += 10;
        p.Clic(t, 1800, 6300);
        Avancer();
    }
    std::string Stocke(Source s) {
        if (s == Source::Objet) return Brut(p.Moteur().scene.Page(3).Objet(2).texte);
        plan::MethodeEtapes& e = p.Programme().Etapes();
        return Brut(e.Etape(e.NumeroEtape(kEtape)).TexteRedige);
    }
    void Fichier(plan::CommandeFichier c) { p.Programme().Recepteur().MenuFichier(c); }
    void Plan(plan::CommandePlan c) { p.Programme().Recepteur().MenuPlan(c); }
    std::string Chemin(const char* nom) const { return (fs::path(p.DossierProgramme()) / nom).string(); }
};

TEST(RedactionSuite, WhatIsTypedAfterACommandThatStaysOnThePageIsKept) {
    struct Cas {
        const char* nom;
        std::function<void(Banc&)> agir;
    };
    const Cas cas[] = {
        {"nothing in between", [](Banc&) {}},
        {"Save as, saved",
         [](Banc& b) {
             b.p.RepondreFichier(b.Chemin("plan.tvr"));
             b.Fichier(plan::CommandeFichier::EnregistrerSous);
         }},
        {"Save as, dialog cancelled",
         [](Banc& b) {
             b.p.RepondreFichier(std::nullopt);
             b.Fichier(plan::CommandeFichier::EnregistrerSous);
         }},
        {"New, save question cancelled",
         [](Banc& b) {
             b.p.RepondreMessage(kAnnuler);
             b.Fichier(plan::CommandeFichier::Nouveau);
         }},
        {"Open, not saved, dialog cancelled",
         [](Banc& b) {
             b.p.RepondreMessage(kNon);
             b.p.RepondreFichier(std::nullopt);
             b.Fichier(plan::CommandeFichier::Ouvrir);
         }},
        {"Print this page", [](Banc& b) { b.Plan(plan::CommandePlan::ImprimerPage); }},
        {"Export this page, dialog cancelled",
         [](Banc& b) {
             b.p.RepondreFichier(std::nullopt);
             b.Plan(plan::CommandePlan::ExporterPageRtf);
         }},
        {"Quit, save question cancelled",
         [](Banc& b) {
             b.p.RepondreMessage(kAnnuler);
             b.p.Programme().Recepteur().MenuQuitter();
         }},
        {"Escape, save question cancelled",
         [](Banc& b) {
             b.p.RepondreMessage(kOui);
             b.p.RepondreMessage(kAnnuler);
             b.p.Touche(b.t + 10, 27);
             b.Avancer();
         }},
        {"Escape, not quitting",
         [](Banc& b) {
             b.p.RepondreMessage(kNon);
             b.p.Touche(b.t + 10, 27);
             b.Avancer();
         }},
    };
    for (const Source source : {Source::Etape, Source::Objet}) {
        for (const Cas& c : cas) {
            SCOPED_TRACE(std::string(source == Source::Etape ? "step, " : "object, ") + c.nom);
            Banc b;
            b.Aller(source);
            ASSERT_TRUE(b.p.Redaction().visible);
            auto& boite = b.p.Redaction().boite;
            boite.FocusDonner();
            boite.SelectionFixer(0, boite.Longueur());
            boite.Taper("Premier.");
            c.agir(b);
            ASSERT_FALSE(b.p.Moteur().fin.demandee);
            ASSERT_FALSE(b.p.JeuTermine());
            ASSERT_EQ(b.p.Moteur().jeu.PageCourante, source == Source::Etape ? 2 : 3);
            b.Taper(" Second.");
            EXPECT_EQ(boite.Texte(), "Premier. Second.");
            b.Retour();
            ASSERT_EQ(b.p.Moteur().jeu.PageCourante, 1);
            EXPECT_EQ(b.Stocke(source), "Premier. Second.");
            EXPECT_TRUE(b.p.Messages().reponses.empty()) << "every answer was asked for";
            EXPECT_TRUE(b.p.Dialogues().reponses.empty()) << "every file was asked for";
            EXPECT_EQ(b.p.JournalErreurs(), "");
        }
    }
}

// Saved from the save question, the plan the box served is left for a new
// plan or an opened one: the box takes their text, and leaving the page
// stores that, not the text of the plan left behind.
TEST(RedactionSuite, ANewPlanOrAnOpenAfterTheSaveQuestionKeepTheirOwnText) {
    struct Cas {
        const char* nom;
        plan::CommandeFichier commande;
        const char* etape;  // what the step and the object hold afterwards
        const char* objet;
    };
    const Cas cas[] = {
        {"New", plan::CommandeFichier::Nouveau, "", "Mes notes"},
        {"Open", plan::CommandeFichier::Ouvrir, "Autre.", "Autre."},
    };
    for (const Source source : {Source::Etape, Source::Objet}) {
        for (const Cas& c : cas) {
            SCOPED_TRACE(std::string(source == Source::Etape ? "step, " : "object, ") + c.nom);
            Banc b;
            const std::string autre = b.Chemin("autre.tvr");
            b.Aller(source);
            auto& boite = b.p.Redaction().boite;
            boite.SelectionFixer(0, boite.Longueur());
            boite.Taper("Autre.");
            plan::DocumentPlan& d = b.p.Programme().Document();
            ASSERT_EQ(d.PlanAffaireEnregistrer(autre, false, 0, false), plan::kEnregistre);
            d.PlanAffaireNouveau();
            b.Aller(source);
            boite.FocusDonner();
            boite.SelectionFixer(0, boite.Longueur());
            boite.Taper("Ancien.");

            b.p.RepondreMessage(kOui);
            b.p.RepondreFichier(b.Chemin("ancien.tvr"));
            if (c.commande == plan::CommandeFichier::Ouvrir) b.p.RepondreFichier(autre);
            b.Fichier(c.commande);
            ASSERT_TRUE(fs::exists(b.Chemin("ancien.tvr")));
            const std::string attendu = source == Source::Etape ? c.etape : c.objet;
            if (b.p.Moteur().jeu.PageCourante != 1) b.Retour();
            EXPECT_EQ(b.Stocke(source), attendu);
            b.Aller(source);
            EXPECT_EQ(boite.Texte(), attendu);
            b.Retour();
            EXPECT_EQ(b.Stocke(source), attendu);
            EXPECT_TRUE(b.p.Messages().reponses.empty());
            EXPECT_TRUE(b.p.Dialogues().reponses.empty());
            EXPECT_EQ(b.p.JournalErreurs(), "");
        }
    }
}

// A text the box cannot read (here damaged RTF in an opened plan) is said
// once and shown empty; saving or leaving its page keeps it as the plan
// held it, until the user writes into the box.
TEST(RedactionSuite, ATextTheBoxCannotReadIsKeptUntilTheUserWrites) {
    const std::string abime = "{\\rtf1\\ansi Perdu " + std::string(300, '{') + "x" + std::string(300, '}') + "}";
    ASSERT_FALSE(rtf::LireRtf(abime).document);
    auto brut = [](Banc& b, Source s) -> std::string& {
        if (s == Source::Objet) return b.p.Moteur().scene.Page(3).Objet(2).texte;
        plan::MethodeEtapes& e = b.p.Programme().Etapes();
        return e.Etape(e.NumeroEtape(kEtape)).TexteRedige;
    };
    auto illisibles = [](Banc& b) {
        return std::count_if(b.p.Messages().messages.begin(), b.p.Messages().messages.end(),
                             [](const auto& m) { return m.texte == "Impossible de lire le fichier RTF"; });
    };
    for (const Source source : {Source::Etape, Source::Objet}) {
        for (const bool ecrire : {false, true}) {
            SCOPED_TRACE(std::string(source == Source::Etape ? "step, " : "object, ") +
                         (ecrire ? "written into" : "only looked at"));
            Banc b;
            plan::DocumentPlan& d = b.p.Programme().Document();
            const std::string chemin = b.Chemin("abime.tvr");
            brut(b, source) = abime;
            ASSERT_EQ(d.PlanAffaireEnregistrer(chemin, false, 0, false), plan::kEnregistre);
            d.PlanAffaireNouveau();
            ASSERT_NE(brut(b, source), abime);
            d.PlanAffaireOuvrir(chemin, false, 0);
            ASSERT_EQ(brut(b, source), abime);

            b.Aller(source);
            ASSERT_TRUE(b.p.Redaction().visible);
            auto& boite = b.p.Redaction().boite;
            EXPECT_EQ(illisibles(b), 1);
            EXPECT_EQ(boite.Texte(), "");
            if (ecrire) {
                b.Taper("Nouveau.");
            } else {
                boite.FocusDonner();
            }
            // The save stores the box first, then the page is left.
            ASSERT_EQ(d.PlanAffaireEnregistrer(chemin, false, 0, false), plan::kEnregistre);
            b.Retour();
            ASSERT_EQ(b.p.Moteur().jeu.PageCourante, 1);
            d.PlanAffaireNouveau();
            d.PlanAffaireOuvrir(chemin, false, 0);
            if (ecrire) {
                EXPECT_EQ(b.Stocke(source), "Nouveau.");
            } else {
                EXPECT_EQ(brut(b, source), abime);
            }
            EXPECT_EQ(illisibles(b), 1) << "said once, though the save shows the page again";
            // The page's drawing of the object under the box records its
            // own refusal; nothing else goes wrong.
            std::string journal = b.p.JournalErreurs();
            const std::string dessin =
                "Erreur module:ObjetTexteRTFDessine\r\nDescription:texte RTF illisible : NOTES (groupes "
                "imbriqu\xe9s trop profond\xe9ment)\r\nCode:65000\r\n";
            for (auto i = journal.find(dessin); i != std::string::npos; i = journal.find(dessin)) {
                journal.erase(i, dessin.size());
            }
            EXPECT_EQ(journal, "");
        }
    }
}

}  // namespace
}  // namespace korv::programme
