// Start-up and shutdown: the AUTOSCE.TXT rules, the command line, the
// choice of the scene and its failures, and the save question of Fin.

#include "engine/demarrage.h"
#include "engine/services_neutres.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <iterator>

#include "engine/erreur.h"
#include "engine/moteur.h"
#include "engine/objet_type_noms.h"
#include "engine/scene_fichier.h"
#include "platform/cp1252.h"
#include "platform/file_dialog_fake.h"
#include "platform/message_box_fake.h"

namespace korv::engine {
namespace {

namespace fs = std::filesystem;
using platform::Utf8VersCp1252;

// What the services saw of the shutdown.
struct Journal {
    int questions = 0;
    int fermetures = 0;
    bool dechargement = false;
    int videoArretee = 0;
    int spritesSupprimes = 0;
    int palettesLiberees = 0;
    int dispositions = 0;
    std::vector<int> pourcents;
};

class PlanFactice final : public PlanAffaireNeutre {
public:
    explicit PlanFactice(Journal& j) : j_(j) {}
    bool PlanAffaireModifie() override { return modifie; }
    int DialogueFichierEnregistrerDemande() override {
        ++j_.questions;
        return reponse;
    }
    void SplashAffiche(int pourcent) override { j_.pourcents.push_back(pourcent); }
    bool modifie = false;
    int reponse = 7;

private:
    Journal& j_;
};

class FenetreFactice final : public FenetrePrincipaleNeutre {
public:
    FenetreFactice(Journal& j, Moteur& m) : j_(j), m_(m) {}
    void FermerFenetres(bool decharger) override {
        ++j_.fermetures;
        j_.dechargement = decharger;
        // Unloading the main window raises its close request.
        if (fermetureRentre) {
            fermetureRentre = false;
            resultatRentree = Fin(m_, false, true);
        }
    }
    bool fermetureRentre = false;
    std::optional<bool> resultatRentree;

private:
    Journal& j_;
    Moteur& m_;
};

class AffichageFactice final : public AffichageNeutre {
public:
    explicit AffichageFactice(Journal& j) : j_(j) {}
    void MajTailleFenetre(bool) override { ++j_.dispositions; }
    void VideoArreter() override { ++j_.videoArretee; }
    void SpriteSupprimerTous() override { ++j_.spritesSupprimes; }
    void PaletteLiberer() override { ++j_.palettesLiberees; }

private:
    Journal& j_;
};

class DemarrageTest : public ::testing::Test {
protected:
    void SetUp() override {
        dossier_ = fs::temp_directory_path() / ("demarrage_" + std::to_string(::getpid()) + "_" +
                                                ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(dossier_);
        fs::create_directories(dossier_);
        moteur_.dossierProgramme = dossier_.string();
        auto& s = moteur_.Services();
        s.messages = &messages_;
        s.dialogues = &dialogues_;
        s.plan = &plan_;
        s.fenetre = &fenetre_;
        s.affichage = &affichage_;
        options_.lecteurs = LecteursDemarrage{{}, {"C:"}};
        options_.joue = [this](Moteur&, std::string_view document) { joues_.emplace_back(document); };
    }
    void TearDown() override { fs::remove_all(dossier_); }

    std::string Ecrit(const std::string& nom, const std::string& octets) {
        fs::create_directories((dossier_ / nom).parent_path());
        std::ofstream(dossier_ / nom, std::ios::binary) << octets;
        return (dossier_ / nom).string();
    }

    static std::string SceneValide() {
        Scene s;
        s.entete.pageNb = 1;
        auto& o = s.pages.emplace_back().objets.emplace_back();
        o.type = 1;
        o.nom = "DEBUT";
        return EcritScene(s, FormeObjets::Bloc);
    }

    std::vector<std::string> Messages() const {
        std::vector<std::string> r;
        for (const auto& m : messages_.messages) r.push_back(platform::Cp1252VersUtf8(m.texte));
        return r;
    }

    fs::path dossier_;
    Moteur moteur_;
    Journal journal_;
    platform::BoiteMessageFactice messages_;
    platform::DialogueFichierFactice dialogues_;
    PlanFactice plan_{journal_};
    FenetreFactice fenetre_{journal_, moteur_};
    AffichageFactice affichage_{journal_};
    DemarrageOptions options_;
    std::vector<std::string> joues_;
};

TEST_F(DemarrageTest, AutoSceTokens) {
    fs::create_directories(dossier_ / "cd1");
    Ecrit("cd2/SCENES/DEMO.SCE", "x");
    const std::string cd1 = (dossier_ / "cd1").string();
    const std::string cd2 = (dossier_ / "cd2").string();
    struct Cas {
        std::string valeur;
        LecteursDemarrage lecteurs;
        std::string attendu;
    };
    const LecteursDemarrage unDisque{{}, {"C:"}};
    const Cas cas[] = {
        {"$APPPATH:\\SCENES\\DEMO.SCE", unDisque, "/opt/korv\\SCENES\\DEMO.SCE"},
        {"$APPPATH:DEMO.SCE", unDisque, "/opt/korv\\DEMO.SCE"},
        {"$FIXEDDISK1:\\DATA\\X.SCE", unDisque, "C:\\DATA\\X.SCE"},
        {"$FIXEDDISK2:\\DATA\\X.SCE", unDisque, ""},
        {"$FIXEDDISK2:\\DATA\\X.SCE", {{}, {"C:", "D:"}}, "D:\\DATA\\X.SCE"},
        {"$CDROM:\\SCENES\\DEMO.SCE", unDisque, ""},
        {"$CDROM:\\SCENES\\DEMO.SCE", {{cd1, cd2}, {}}, cd2 + "\\SCENES\\DEMO.SCE"},
        {"$CDROM:\\SCENES\\AUTRE.SCE", {{cd1, cd2}, {}}, ""},
        // A one-letter token is a drive letter; other texts are used as read.
        {"C:\\SCENES\\X.SCE", unDisque, "C:\\SCENES\\X.SCE"},
        {"$cdrom:\\X.SCE", {{cd2}, {}}, "$cdrom:\\X.SCE"},
        {"$APPPATHX:\\X.SCE", unDisque, "$APPPATHX:\\X.SCE"},
        {"\\\\SERVEUR\\X.SCE", unDisque, "\\\\SERVEUR\\X.SCE"},
        {":X.SCE", unDisque, ":X.SCE"},
    };
    for (const auto& c : cas) {
        EXPECT_EQ(NomSceneAutoSce(c.valeur, "/opt/korv", c.lecteurs), c.attendu) << c.valeur;
    }
}

TEST_F(DemarrageTest, AutoSceFirstValue) {
    const std::pair<std::string, std::string> cas[] = {
        {"C:\\A.SCE\r\nD:\\B.SCE", "C:\\A.SCE"},
        {"  C:\\A.SCE  , D:\\B.SCE", "C:\\A.SCE"},
        {"\"C:\\MES SCENES, 2\\A.SCE\" , x", "C:\\MES SCENES, 2\\A.SCE"},
        {"\xEF\xBB\xBF$APPPATH:\\A.SCE\n", "$APPPATH:\\A.SCE"},
        {"", ""},
        {"\r\n", ""},
    };
    for (const auto& [contenu, attendu] : cas) EXPECT_EQ(PremiereValeurAutoSce(contenu), attendu) << contenu;
}

TEST_F(DemarrageTest, StartSceneFromAutoSce) {
    const std::string scene = Ecrit("SCENES/DEMO.SCE", "x");
    Ecrit("autosce.txt", "$APPPATH:\\SCENES\\DEMO.SCE\r\n");
    EXPECT_EQ(SceneDeDemarrage(moteur_, *options_.lecteurs), moteur_.dossierProgramme + "\\SCENES\\DEMO.SCE");
    EXPECT_TRUE(messages_.messages.empty());

    // No second fixed disk: the message names no file and the name is empty.
    Ecrit("autosce.txt", "$FIXEDDISK2:\\SCENES\\DEMO.SCE\r\n");
    EXPECT_EQ(SceneDeDemarrage(moteur_, *options_.lecteurs), "");
    ASSERT_EQ(Messages().size(), 1u);
    EXPECT_EQ(Messages()[0],
              "Le fichier  spécifié comme scène de démarrage\r\nn'existe pas ou n'est pas accessible");
    EXPECT_EQ(messages_.messages[0].style, platform::style::Ok);

    fs::remove(dossier_ / "autosce.txt");
    EXPECT_EQ(SceneDeDemarrage(moteur_, *options_.lecteurs), "");
    EXPECT_EQ(Messages().size(), 1u);
}

TEST_F(DemarrageTest, CommandLineDocument) {
    const std::pair<std::string, std::string> cas[] = {
        {"/home/u/mon plan.bpx", "/home/u/mon plan.bpx"},
        {"\"/home/u/mon plan.bpx\"", "/home/u/mon plan.bpx"},
        {"  \"C:\\MES PLANS\\A B.BPX\"  ", "C:\\MES PLANS\\A B.BPX"},
        {"\" lead space.bpx\"", " lead space.bpx"},
        {"\"a\" \"b\"", "\"a\" \"b\""},
        {"\"non ferme", "\"non ferme"},
        {"\"\"", ""},
        {"", ""},
    };
    for (const auto& [ligne, attendu] : cas) EXPECT_EQ(DocumentDeLigneCommande(ligne), attendu) << ligne;
}

// Each start from AUTOSCE.TXT or the open dialog, to play or to the end.
TEST_F(DemarrageTest, StartPaths) {
    struct Cas {
        const char* nom;
        std::optional<std::string> autoSce;             // content of AUTOSCE.TXT
        std::optional<std::string> choixDialogue;       // file chosen, relative to the folder
        std::string ligne;                              // command line
        std::optional<std::string> documentJoue;        // play expected, with this document
        std::vector<std::string> messages;              // expected, in order
        bool dialogue;                                  // the open dialog shown
        int code;                                       // the exit code
    };
    const std::string endommage = "Ce fichier de scène est endommagé";
    const Cas cas[] = {
        {"autosce", "$APPPATH:\\SCENES\\DEMO.SCE", {}, "", "", {}, false, 0},
        {"dialogue, lower-case extension", {}, "scenes/demo2.sce", "", "", {}, true, 0},
        {"document with spaces and quotes", "$APPPATH:\\SCENES\\DEMO.SCE", {}, "\"@/mon plan.bpx\"", "@/mon plan.bpx", {}, false, 0},
        {"missing document", "$APPPATH:\\SCENES\\DEMO.SCE", {}, "@/absent.bpx", "", {}, false, 0},
        {"dialogue cancelled", {}, {}, "", {}, {}, true, 0},
        {"not a scene", {}, "notes.txt", "", {}, {"Scène non existante ou mauvais format"}, true, 1},
        {"scene missing", "C:\\NULLE\\PART.SCE", {}, "", {},
         {"Le fichier C:\\NULLE\\PART.SCE spécifié comme scène de démarrage\r\nn'existe pas ou n'est pas accessible"},
         true, 1},
        // Named under the program's folder: one kind of separator in the message.
        {"scene missing beside the program", "$APPPATH:\\SCENES\\ABSENT.SCE", {}, "", {},
         {"Le fichier @/SCENES/ABSENT.SCE spécifié comme scène de démarrage\r\nn'existe pas ou n'est pas accessible"},
         true, 1},
        {"damaged scene", "$APPPATH:\\SCENES\\ABIME.SCE", {}, "", {}, {endommage}, false, 1},
    };
    for (const auto& c : cas) {
        SCOPED_TRACE(c.nom);
        fs::remove_all(dossier_);
        fs::create_directories(dossier_);
        Ecrit("SCENES/DEMO.SCE", SceneValide());
        Ecrit("SCENES/DEMO2.SCE", SceneValide());
        Ecrit("SCENES/ABIME.SCE", SceneValide().substr(0, 40));
        Ecrit("NOTES.TXT", "x");
        Ecrit("mon plan.bpx", "plan");
        if (c.autoSce) Ecrit("AUTOSCE.TXT", *c.autoSce + "\r\n");
        dialogues_.appels.clear();
        dialogues_.reponses.clear();
        if (c.choixDialogue) {
            dialogues_.reponses.push_back(Utf8VersCp1252((dossier_ / *c.choixDialogue).string()));
        } else {
            dialogues_.reponses.push_back(std::nullopt);
        }
        messages_.messages.clear();
        joues_.clear();
        journal_ = {};
        moteur_.fin = {};
        moteur_.jeu.PageDebutNom = "AUTRE";
        std::string ligne = c.ligne;
        if (const auto p = ligne.find('@'); p != std::string::npos) ligne.replace(p, 1, dossier_.string());
        options_.ligneCommande = ligne;

        EXPECT_EQ(Demarre(moteur_, options_), c.code);
        EXPECT_TRUE(moteur_.fin.demandee);
        if (c.documentJoue) {
            std::string attendu = *c.documentJoue;
            if (const auto p = attendu.find('@'); p != std::string::npos) attendu.replace(p, 1, dossier_.string());
            ASSERT_EQ(joues_.size(), 1u);
            EXPECT_EQ(joues_[0], attendu);
            EXPECT_EQ(moteur_.scene.PageNb(), 1);
        } else {
            EXPECT_TRUE(joues_.empty());
            // Ended through Fin(False, False): windows hidden, not unloaded.
            EXPECT_EQ(journal_.fermetures, 1);
            EXPECT_FALSE(journal_.dechargement);
        }
        EXPECT_EQ(moteur_.jeu.PageDebutNom, ligne.empty() ? "AUTRE" : "");
        const auto recus = Messages();
        ASSERT_EQ(recus.size(), c.messages.size());
        for (std::size_t i = 0; i < recus.size(); ++i) {
            std::string attendu = c.messages[i];
            if (const auto p = attendu.find('@'); p != std::string::npos) attendu.replace(p, 1, dossier_.string());
            EXPECT_EQ(recus[i].substr(0, attendu.size()), attendu);
        }
        EXPECT_EQ(journal_.questions, 0);
        EXPECT_EQ(dialogues_.appels.size(), c.dialogue ? 1u : 0u);
    }
}

TEST_F(DemarrageTest, OpenDialogRequest) {
    options_.ligneCommande.clear();
    Demarre(moteur_, options_);
    ASSERT_EQ(dialogues_.appels.size(), 1u);
    const auto& d = dialogues_.appels[0].demande;
    EXPECT_FALSE(dialogues_.appels[0].enregistrer);
    EXPECT_EQ(d.TitreDialogue, Utf8VersCp1252("Exécuter scène..."));
    EXPECT_EQ(d.Filtre, Utf8VersCp1252("scènes (*.sce)|*.SCE"));
    EXPECT_EQ(d.IndexFiltre, 1);
    EXPECT_EQ(d.RepertoireInitial, moteur_.dossierProgramme);
}

TEST_F(DemarrageTest, ErrorDuringStartIsReportedUnderMain) {
    Ecrit("SCENES/DEMO.SCE", SceneValide());
    Ecrit("AUTOSCE.TXT", "$APPPATH:\\SCENES\\DEMO.SCE");
    options_.joue = [](Moteur&, std::string_view) { throw ErreurMoteur(kErreurProgramme, "A20"); };
    moteur_.ModeErreur = 2;  // start-up sets it back to 0
    EXPECT_EQ(Demarre(moteur_, options_), 0);
    EXPECT_TRUE(moteur_.fin.demandee);
    std::ifstream f(dossier_ / "ERROR.TXT", std::ios::binary);
    const std::string journal(std::istreambuf_iterator<char>(f), {});
    EXPECT_NE(journal.find("Erreur module:Main"), std::string::npos) << journal;
    EXPECT_EQ(journal_.fermetures, 1);
}

TEST_F(DemarrageTest, InitialState) {
    moteur_.ModeErreur = 3;
    moteur_.scene.entete.version = kVersionChamps;
    moteur_.scene.entete.modeEsc = 1;
    moteur_.scene.entete.pageLargeur = 800;
    moteur_.jeu.LangueCourante = 4;
    Initialisations(moteur_);
    const auto& h = moteur_.scene.entete;
    EXPECT_EQ(moteur_.ModeErreur, 0);
    EXPECT_EQ(h.version, kVersionBloc);
    EXPECT_EQ(h.modeEsc, 0);
    EXPECT_EQ(h.pageLargeur, 640);
    EXPECT_EQ(h.pageHauteur, 480);
    EXPECT_EQ(h.langues, std::vector<std::string>{"FRANCAIS\\"});
    EXPECT_EQ(h.langueNb, 1);
    EXPECT_EQ(moteur_.jeu.LangueCourante, 1);
    EXPECT_EQ(journal_.dispositions, 1);
}

TEST(ObjetTypeNoms, NameOfEachKind) {
    const std::pair<TypeObjet, const char*> noms[] = {
        {TypeObjet::Fond, "fond"},         {TypeObjet::Image, "image"},
        {TypeObjet::Bouton, "bouton"},     {TypeObjet::Texte, "texte"},
        {TypeObjet::Video, "video"},       {TypeObjet::Son, "son"},
        {TypeObjet::Chrono, "chrono"},     {TypeObjet::Polyligne, "polyligne"},
        {TypeObjet::Action, "action"},     {TypeObjet::Sprite, "sprite"},
        {TypeObjet::Tableau, "Tableau"},   {TypeObjet::TexteRtf, "Texte RTF"},
        {TypeObjet::Graphique, "Graphique"},
    };
    for (const auto& [type, nom] : noms) EXPECT_EQ(ObjetTypeNom(static_cast<int>(type)), nom) << nom;
    for (int sansNom : {0, 11, 15, -1, 255}) EXPECT_EQ(ObjetTypeNom(sansNom), "") << sansNom;
}

// Fin with and without the save question.
TEST_F(DemarrageTest, FinSaveQuestion) {
    struct Cas {
        const char* nom;
        bool demander;
        bool modifie;
        int reponse;
        bool resultat;
        int questions;
    };
    const Cas cas[] = {
        {"not modified: nothing asked", true, false, 2, true, 0},
        {"modified, Cancel keeps running", true, true, 2, false, 1},
        {"modified, No", true, true, 7, true, 1},
        {"modified, saved", true, true, 6, true, 1},
        {"no question asked for", false, true, 2, true, 0},
    };
    for (const auto& c : cas) {
        SCOPED_TRACE(c.nom);
        journal_ = {};
        moteur_.fin = {};
        moteur_.attente.entrees.assign(3, EvenementAttente{});
        plan_.modifie = c.modifie;
        plan_.reponse = c.reponse;
        EXPECT_EQ(Fin(moteur_, true, c.demander), c.resultat);
        EXPECT_EQ(journal_.questions, c.questions);
        EXPECT_EQ(moteur_.fin.demandee, c.resultat);
        if (c.resultat) {
            EXPECT_EQ(moteur_.fin.code, 0);
            EXPECT_EQ(moteur_.attente.Nombre(), 0);
            EXPECT_EQ(journal_.videoArretee, 1);
            EXPECT_EQ(journal_.spritesSupprimes, 1);
            EXPECT_EQ(journal_.palettesLiberees, 1);
            EXPECT_EQ(journal_.fermetures, 1);
            EXPECT_TRUE(journal_.dechargement);
        } else {
            // Everything as it was.
            EXPECT_EQ(moteur_.attente.Nombre(), 3);
            EXPECT_EQ(journal_.videoArretee + journal_.spritesSupprimes + journal_.fermetures, 0);
        }
    }
}

TEST_F(DemarrageTest, FinReenteredByCloseRequestAsksOnce) {
    plan_.modifie = true;
    plan_.reponse = 7;
    fenetre_.fermetureRentre = true;
    EXPECT_TRUE(Fin(moteur_, true, true));
    EXPECT_EQ(journal_.questions, 1);
    EXPECT_EQ(journal_.fermetures, 1);
    ASSERT_TRUE(fenetre_.resultatRentree.has_value());
    EXPECT_TRUE(*fenetre_.resultatRentree);  // the window may close
}

}  // namespace
}  // namespace korv::engine
