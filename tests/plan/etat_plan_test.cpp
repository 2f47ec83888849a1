#include <gtest/gtest.h>

#include <deque>
#include <string>
#include <vector>

#include "plan/etat_plan.h"
#include "platform/cp1252.h"
#include "platform/message_box_fake.h"

namespace korv::plan {
namespace {

// Records the order of the edit validation and the saves.
class EtatPlanTrace final : public EtatPlan {
public:
    explicit EtatPlanTrace(platform::BoiteMessage& boite) : EtatPlan(boite) {
        editionValider = [this] { trace.push_back("valider"); };
    }
    std::vector<std::string> trace;
};

std::string Cp(const char* utf8) { return platform::Utf8VersCp1252(utf8); }

TEST(EtatPlan, DrapeauModifieEtReponse) {
    platform::BoiteMessageFactice boite;
    EtatPlan etat(boite);
    EXPECT_FALSE(etat.PlanAffaireModifie());
    etat.PlanAffaireModifieFixer(true);
    EXPECT_TRUE(etat.PlanAffaireModifie());
    etat.PlanAffaireModifieFixer(false);
    EXPECT_FALSE(etat.PlanAffaireModifie());
    EXPECT_EQ(etat.ReponseUtilisateur(), "");
    etat.ReponseUtilisateurFixer("OUI");
    EXPECT_EQ(etat.ReponseUtilisateur(), "OUI");
}

TEST(EtatPlan, QuestionEnregistrer) {
    struct Cas {
        const char* nom;
        std::deque<int> reponses;        // answers to the successive questions
        bool avecEnregistrer;
        std::deque<int> enregistrements;  // results of the successive saves
        int attendu;
        std::vector<std::string> trace;
        std::size_t questions;
        const char* reponseFinale;
    };
    const Cas cas[] = {
        {"non", {7}, true, {}, 7, {}, 1, "NON"},
        {"annuler", {2}, true, {}, 2, {}, 1, "ANNULER"},
        {"oui puis enregistre", {6}, true, {6}, 6, {"valider", "enregistrer"}, 1, "OUI"},
        {"oui, non enregistre puis enregistre", {6}, true, {7, 6}, 6,
         {"valider", "enregistrer", "enregistrer"}, 1, "OUI"},
        {"oui, refus, la question revient, non", {6, 7}, true, {2}, 7, {"valider", "enregistrer"}, 2, "NON"},
        {"oui, refus, oui, enregistre", {6, 6}, true, {2, 6}, 6,
         {"valider", "enregistrer", "valider", "enregistrer"}, 2, "OUI"},
        {"oui, refus, annuler", {6, 2}, true, {2}, 2, {"valider", "enregistrer"}, 2, "ANNULER"},
        {"sans enregistrement possible, oui revient", {6, 2}, false, {}, 2, {"valider"}, 2, "ANNULER"},
    };
    for (const Cas& c : cas) {
        SCOPED_TRACE(c.nom);
        platform::BoiteMessageFactice boite;
        boite.reponses = c.reponses;
        EtatPlanTrace etat(boite);
        std::deque<int> resultats = c.enregistrements;
        if (c.avecEnregistrer) {
            etat.enregistrer = [&] {
                etat.trace.push_back("enregistrer");
                if (resultats.empty()) throw std::logic_error("enregistrement de trop");
                const int r = resultats.front();
                resultats.pop_front();
                return r;
            };
        }
        EXPECT_EQ(etat.DialogueFichierEnregistrerDemande(), c.attendu);
        EXPECT_EQ(etat.trace, c.trace);
        EXPECT_EQ(boite.messages.size(), c.questions);
        EXPECT_TRUE(resultats.empty());
        EXPECT_EQ(etat.ReponseUtilisateur(), c.reponseFinale);
    }
}

TEST(EtatPlan, TexteDeLaQuestionEnregistrer) {
    platform::BoiteMessageFactice boite;
    boite.reponses = {7, 2};
    EtatPlan etat(boite);
    etat.DialogueFichierEnregistrerDemande();
    etat.NomFichierPlan = Cp("/home/léa/plan.tvr");
    etat.DialogueFichierEnregistrerDemande();
    ASSERT_EQ(boite.messages.size(), 2u);
    EXPECT_EQ(boite.messages[0].texte,
              Cp("Voulez-vous enregistrer les modifications apportées au fichier 'Sans titre' ?"));
    EXPECT_EQ(boite.messages[1].texte,
              Cp("Voulez-vous enregistrer les modifications apportées au fichier '/home/léa/plan.tvr' ?"));
    const auto d = platform::DecodeStyle(boite.messages[0].style);
    EXPECT_TRUE(d.Accepte(6) && d.Accepte(7) && d.Accepte(2));
    EXPECT_EQ(boite.messages[0].titre, "Corvanne Rarevive Zaru");
}

TEST(EtatPlan, QuestionEcraser) {
    struct Cas {
        int reponse;
        int attendu;
        const char* reponseUtilisateur;
    };
    const Cas cas[] = {{6, 6, "OUI"}, {7, 7, "NON"}};
    for (const Cas& c : cas) {
        SCOPED_TRACE(c.reponse);
        platform::BoiteMessageFactice boite;
        boite.reponses = {c.reponse};
        EtatPlan etat(boite);
        EXPECT_EQ(etat.DialogueFichierEcraserDemande("/tmp/a.tvr"), c.attendu);
        EXPECT_EQ(etat.ReponseUtilisateur(), c.reponseUtilisateur);
        ASSERT_EQ(boite.messages.size(), 1u);
        EXPECT_EQ(boite.messages[0].texte, Cp("Le fichier '/tmp/a.tvr' existe déjà. Voulez-vous le remplacer ?"));
    }
    // Unanswered (the box closed): never an overwrite.
    platform::BoiteMessageFactice boite;
    EtatPlan etat(boite);
    EXPECT_EQ(etat.DialogueFichierEcraserDemande("x"), 7);
}

TEST(EtatPlan, SplashParLeCrochet) {
    platform::BoiteMessageFactice boite;
    EtatPlan etat(boite);
    etat.SplashAffiche(10);  // no hook: nothing
    std::vector<int> vus;
    etat.splash = [&](int p) { vus.push_back(p); };
    etat.SplashAffiche(42);
    EXPECT_EQ(vus, std::vector<int>{42});
}

TEST(EtatPlan, ChaineAjoutePointApresCaractere) {
    struct Cas {
        std::string entree;
        std::string attendu;
    };
    const Cas cas[] = {{"423", "4.2.3."}, {"", ""}, {"A1", "A.1."}, {"\xE9", "\xE9."}};
    for (const Cas& c : cas) EXPECT_EQ(ChaineAjoutePointApresCaractere(c.entree), c.attendu) << c.entree;
}

}  // namespace
}  // namespace korv::plan
