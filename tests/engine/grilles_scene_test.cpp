// The grids of a loaded scene: the grid store built after a scene load,
// the same grids from both scene forms, and damaged grid records refused
// with the bad-scene message, leaving the tables and the grids as they were.

#include <gtest/gtest.h>

#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <stdexcept>
#include <string>
#include <vector>

#include "description.h"
#include "engine/calcul_grilles.h"
#include "engine/moteur.h"
#include "engine/scene_charge.h"
#include "engine/scene_fichier.h"
#include "formula/expression.h"
#include "grid/grid_record.h"
#include "grid/magasin_grilles.h"
#include "platform/binary_reader.h"
#include "platform/binary_writer.h"
#include "platform/cp1252.h"
#include "platform/message_box_fake.h"
#include "scene_octets.h"

namespace korv::engine {
namespace {

namespace fs = std::filesystem;
using grid::MagasinGrilles;
using grid::TableauClasse;

std::string LitFichier(const fs::path& p) {
    std::ifstream in(p, std::ios::binary);
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
}

Scene SceneDe(const std::string& octets) {
    return LitScene({reinterpret_cast<const std::uint8_t*>(octets.data()), octets.size()});
}

// Everything a cell holds that both forms carry.
void CompareGrilles(const TableauClasse& a, const TableauClasse& b) {
    ASSERT_EQ(a.ColonneNb(), b.ColonneNb());
    ASSERT_EQ(a.LigneNb(), b.LigneNb());
    EXPECT_EQ(a.DecalageColonne(), b.DecalageColonne());
    EXPECT_EQ(a.LignesAfficheesNb(), b.LignesAfficheesNb());
    EXPECT_EQ(a.ColonnesAfficheesNb(), b.ColonnesAfficheesNb());
    for (int c = 1; c <= a.ColonneNb(); ++c) {
        EXPECT_EQ(a.ColonneGauche(c), b.ColonneGauche(c));
        EXPECT_EQ(a.ColonneDroite(c), b.ColonneDroite(c));
        for (int r = 1; r <= a.LigneNb(); ++r) {
            const auto& x = *a.Case(c, r);
            const auto& y = *b.Case(c, r);
            // A formula of the block form keeps no source: "=#".
            if (y.Texte == "=#") {
                EXPECT_TRUE(x.Texte.starts_with('=')) << c << "," << r;
            } else {
                EXPECT_EQ(x.Texte, y.Texte) << c << "," << r;
            }
            EXPECT_EQ(x.Valeur, y.Valeur) << c << "," << r;
            EXPECT_EQ(x.ResultatType, y.ResultatType) << c << "," << r;
            EXPECT_EQ(x.Attribut(), y.Attribut()) << c << "," << r;
            EXPECT_EQ(x.Formule != nullptr, y.Formule != nullptr) << c << "," << r;
            if (x.Formule && y.Formule) {
                EXPECT_TRUE(std::ranges::equal(x.Formule->Jetons(), y.Formule->Jetons()));
            }
        }
    }
    for (int r = 1; r <= a.LigneNb(); ++r) {
        EXPECT_EQ(a.LigneHaut(r), b.LigneHaut(r));
        EXPECT_EQ(a.LigneBas(r), b.LigneBas(r));
    }
}

TEST(GrillesScene, BothFormsOfTheSampleGiveTheSameGrids) {
    const std::string description = LitFichier(fs::path(KORV_TEST_DATA).parent_path().parent_path() / "scenes" /
                                               "sample" / "sample.scene");
    ASSERT_FALSE(description.empty());
    MagasinGrilles champs({}), bloc({});
    const Scene sceneChamps = SceneDe(EcritScene(scenetool::ConstruitScene(description, FormeObjets::ChampParChamp),
                                                 FormeObjets::ChampParChamp));
    champs.Construit(sceneChamps);
    bloc.Construit(SceneDe(EcritScene(scenetool::ConstruitScene(description, FormeObjets::Bloc), FormeObjets::Bloc)));
    // The treasury grid, the chart page's parameter and data grids, and the
    // financial page's forecast, the commercial action plan's dashboard, the
    // tab bars of the method's three automatic pages, the currency page's
    // table, conversion and amounts, the identity sheet and the nine tool
    // tables of the method's steps.
    ASSERT_EQ(champs.Nombre(), 21u);
    ASSERT_EQ(bloc.Nombre(), 21u);
    for (int page = 1; page <= sceneChamps.entete.pageNb; ++page) {
        for (int o = 1; o <= sceneChamps.Page(page).ObjetNb(); ++o) {
            TableauClasse* g = champs.Grille(static_cast<std::int16_t>(page), static_cast<std::int16_t>(o));
            if (g == nullptr) continue;
            TableauClasse* h = bloc.Grille(static_cast<std::int16_t>(page), static_cast<std::int16_t>(o));
            ASSERT_NE(h, nullptr);
            CompareGrilles(*g, *h);
        }
    }
    std::int16_t objet = 0;
    for (int o = 1; o <= sceneChamps.Page(1).ObjetNb(); ++o) {
        if (sceneChamps.Page(1).Objet(o).nom == "TRESORERIE") objet = static_cast<std::int16_t>(o);
    }
    TableauClasse* a = champs.Grille(1, objet);
    TableauClasse* b = bloc.Grille(1, objet);
    ASSERT_NE(a, nullptr);
    ASSERT_NE(b, nullptr);
    CompareGrilles(*a, *b);
    EXPECT_EQ(a->CaseEditeur(2, 2), "15000");
    EXPECT_EQ(a->CaseNomCoordonnees("total"), (formula::CaseCoord{2, 4}));
    EXPECT_EQ(a->CaseResultatType(2, 4), 2) << "the total is to be computed";
    EXPECT_EQ(a->CaseValeurInternePendantCalcul(2, 2), formula::Valeur::Double(15000));
    EXPECT_EQ(a->ColonneDroite(1), 3585);
    EXPECT_EQ(champs.Grille(1, 1), nullptr) << "not a grid";
}

// The sample's grids built twice over the engine's formula services: a
// grid whose first cell has a script runs its load event when user data is
// read.
struct GrillesExemple {
    GrillesExemple() {
        const std::string description = LitFichier(fs::path(KORV_TEST_DATA).parent_path().parent_path() /
                                                   "scenes" / "sample" / "sample.scene");
        moteur.scene =
            SceneDe(EcritScene(scenetool::ConstruitScene(description, FormeObjets::Bloc), FormeObjets::Bloc));
        avant.Construit(moteur.scene);
        apres.Construit(moteur.scene);
    }
    grid::ServicesGrilles Services() {
        grid::ServicesGrilles s;
        s.calcul = &calcul;
        return s;
    }
    Moteur moteur;
    CalculGrillesMoteur calcul{moteur};
    MagasinGrilles avant{Services()}, apres{Services()};
};

// Every grid of the sample: user data put in through a record (entries,
// folds, a plan-action colour, a merge, a file, an invalidated cell) is
// written and read back into the same grid of a fresh load unchanged.
TEST(GrillesScene, UserDataOfEverySampleGridReadsBack) {
    GrillesExemple exemple;
    const Scene& scene = exemple.moteur.scene;
    MagasinGrilles& avant = exemple.avant;
    MagasinGrilles& apres = exemple.apres;
    int vues = 0;
    for (int page = 1; page <= scene.entete.pageNb; ++page) {
        for (int o = 1; o <= scene.Page(page).ObjetNb(); ++o) {
            TableauClasse* a = avant.Grille(static_cast<std::int16_t>(page), static_cast<std::int16_t>(o));
            if (a == nullptr) continue;
            ++vues;
            const int nc = a->ColonneNb();
            const int nl = a->LigneNb();
            BinaryWriter w;
            w.u8(static_cast<std::uint8_t>(nc));
            w.u8(1);
            for (int c = 1; c <= nc; ++c) w.i16(c == nc && nc > 1 ? -1 : 0);
            for (int r = 1; r <= nl; ++r) w.i16(r == 2 ? -1 : 0);
            for (int c = 1; c <= nc; ++c) {
                for (int r = 1; r <= nl; ++r) {
                    if (!a->CaseEstEditable(c, r)) continue;
                    w.u8(static_cast<std::uint8_t>(c));
                    w.u8(static_cast<std::uint8_t>(r));
                    w.fileString("saisie " + std::to_string(c) + "," + std::to_string(r));
                }
            }
            w.u8(0);
            w.u8(0);
            w.u8(1);
            w.u8(1);
            w.fileString("IMAGES\\ETOILE.BMP");
            w.u8(0);
            w.u8(1);
            w.u8(static_cast<std::uint8_t>(nl));
            w.u8(0);
            w.u8(1);
            w.u8(1);
            w.i32(-20);
            w.u8(0);
            w.u8(1);
            w.u8(1);
            w.u8(1);
            w.u8(0);
            const std::string saisie = w.take();
            BinaryReader in(saisie);
            a->ChargerUtilisateur(in);

            BinaryWriter sortie;
            a->SauverUtilisateur(sortie);
            TableauClasse* b = apres.Grille(static_cast<std::int16_t>(page), static_cast<std::int16_t>(o));
            ASSERT_NE(b, nullptr);
            BinaryReader relu(sortie.data());
            b->ChargerUtilisateur(relu);
            SCOPED_TRACE(scene.Page(page).Objet(o).nom);
            CompareGrilles(*a, *b);
            for (int c = 1; c <= nc; ++c) EXPECT_EQ(a->Colonne(c).Pliee, b->Colonne(c).Pliee);
            for (int r = 1; r <= nl; ++r) EXPECT_EQ(a->Ligne(r).Pliee, b->Ligne(r).Pliee);
            EXPECT_EQ(b->CaseCouleurFond(1, 1), -20);
            EXPECT_EQ(b->Case(1, 1)->Attribut().Fusion, 1);
            EXPECT_EQ(b->CaseFichier(1, 1), "IMAGES\\ETOILE.BMP");
            EXPECT_EQ(b->CaseInvalidationStockee(1, nl) & 7, 2);
            EXPECT_EQ(b->DecalageColonne(), nc);
            BinaryWriter encore;
            b->SauverUtilisateur(encore);
            EXPECT_EQ(encore.data(), sortie.data());
        }
    }
    EXPECT_EQ(vues, 21);  // every grid of the sample, the method's three tab bars included
}

// Every grid of the sample: plan-action cells (background codes -23 to
// -18) whose content begins with a frame code (control characters 1 to 15),
// and a merged run across the first row, go through the record and back.
TEST(GrillesScene, FramesOfPlanActionCellsAndMergedRunsOfEverySampleGridReadBack) {
    GrillesExemple exemple;
    const Scene& scene = exemple.moteur.scene;
    MagasinGrilles& avant = exemple.avant;
    MagasinGrilles& apres = exemple.apres;
    int vues = 0;
    for (int page = 1; page <= scene.entete.pageNb; ++page) {
        for (int o = 1; o <= scene.Page(page).ObjetNb(); ++o) {
            TableauClasse* a = avant.Grille(static_cast<std::int16_t>(page), static_cast<std::int16_t>(o));
            if (a == nullptr) continue;
            ++vues;
            SCOPED_TRACE(scene.Page(page).Objet(o).nom);
            const int nc = a->ColonneNb();
            const int nl = a->LigneNb();
            ASSERT_GE(nc, 2);
            // Plain cells in column order, each with its frame code 1, 2, ... 15.
            struct Cadre {
                int c, r;
                std::string texte;
                std::int32_t fond;
            };
            std::vector<Cadre> cadres;
            for (int c = 1; c <= nc && cadres.size() < 15; ++c) {
                for (int r = 1; r <= nl && cadres.size() < 15; ++r) {
                    if (!a->Case(c, r)->Texte.empty() && a->Case(c, r)->Texte.front() == '=') continue;
                    const int k = static_cast<int>(cadres.size());
                    cadres.push_back({c, r, std::string(1, static_cast<char>(k + 1)) + "action " + std::to_string(k),
                                      -23 + k % 6});
                }
            }
            ASSERT_GE(cadres.size(), 6u) << "every plan-action code";
            const int fin = std::min(nc, 3);

            BinaryWriter w;
            w.u8(1);
            w.u8(1);
            w.zeros(2 * static_cast<std::size_t>(nc + nl));
            for (const auto& x : cadres) {
                w.u8(static_cast<std::uint8_t>(x.c));
                w.u8(static_cast<std::uint8_t>(x.r));
                w.fileString(x.texte);
            }
            w.u8(0);
            w.u8(0);  // results
            w.u8(0);  // files
            w.u8(0);  // invalidated
            for (const auto& x : cadres) {
                w.u8(static_cast<std::uint8_t>(x.c));
                w.u8(static_cast<std::uint8_t>(x.r));
                w.i32(x.fond);
            }
            w.u8(0);
            for (int c = 1; c <= fin; ++c) {
                w.u8(static_cast<std::uint8_t>(c));
                w.u8(1);
                w.u8(c == 1 ? 1 : 2);
            }
            w.u8(0);
            const std::string saisie = w.take();
            BinaryReader in(saisie);
            a->ChargerUtilisateur(in);

            BinaryWriter sortie;
            a->SauverUtilisateur(sortie);
            TableauClasse* b = apres.Grille(static_cast<std::int16_t>(page), static_cast<std::int16_t>(o));
            ASSERT_NE(b, nullptr);
            BinaryReader relu(sortie.data());
            b->ChargerUtilisateur(relu);
            CompareGrilles(*a, *b);
            for (const auto& x : cadres) {
                EXPECT_EQ(b->Case(x.c, x.r)->Texte, x.texte) << x.c << "," << x.r;
                EXPECT_EQ(b->CaseCouleurFond(x.c, x.r), x.fond) << x.c << "," << x.r;
            }
            for (int c = 1; c <= fin; ++c) {
                EXPECT_EQ(b->FusionPremiereColonne(c, 1), 1) << c;
                EXPECT_EQ(b->FusionDerniereColonne(c, 1), fin) << c;
            }
            if (nc > fin) {
                EXPECT_EQ(b->FusionPremiereColonne(fin + 1, 1), 0);
            }
            BinaryWriter encore;
            b->SauverUtilisateur(encore);
            EXPECT_EQ(encore.data(), sortie.data());
        }
    }
    EXPECT_EQ(vues, 21);  // every grid of the sample, the method's three tab bars included
}

TEST(GrillesScene, StoreAnswersTheEngineAndSaysWhatIsNotBuilt) {
    Scene s;
    s.entete.pageNb = 1;
    auto& o = s.pages.emplace_back().objets.emplace_back();
    o.type = static_cast<std::uint8_t>(TypeObjet::Tableau);
    o.largeur = 5000;
    o.hauteur = 3000;
    o.grille = grid::GrilleEnregistrement{};
    o.grille->colonnes.resize(1);
    o.grille->lignes.resize(1);
    MagasinGrilles m({});
    m.Construit(s);
    ASSERT_NE(m.Grille(1, 1), nullptr);
    Grilles& g = m;
    EXPECT_FALSE(g.ASelection(1, 1));
    EXPECT_FALSE(g.ASelection(7, 7));
    grid::SelectionTableau sel;
    sel.Valide = -1;
    m.Grille(1, 1)->SelectionChange(sel);
    EXPECT_TRUE(g.ASelection(1, 1));
    g.SelectionnerRien(1, 1);
    EXPECT_FALSE(g.ASelection(1, 1));
    EXPECT_THROW(g.ReferencesRecreer(s), std::logic_error);
    m.Grille(1, 1)->SelectionChange(sel);
    g.PreparerPourPage(1, 1);
    EXPECT_FALSE(g.ASelection(1, 1)) << "the page's preparation clears the selection";
    EXPECT_THROW(g.BoutonAscenseurMaj(1, 1), std::logic_error);
    // A store given no drawing says so when it is asked to draw.
    EXPECT_THROW(g.Affiche(1, 1), std::logic_error);
    // Outside play the mouse and the keys change no cell, and the cursor
    // over a cell away from its borders is the plain one.
    EXPECT_NO_THROW(g.AppuieTouche(1, 1, 39, 0));
    EXPECT_NO_THROW(g.MouseMoveConsultation(1, 1, 1, 600, 250));
    EXPECT_NO_THROW(g.MouseUpConsultation(1, 1, 600, 250));
    EXPECT_EQ(g.QuelCurseurDeSouris(1, 1, 600, 250), 0);
    EXPECT_EQ(g.QuelCurseurDeSouris(7, 7, 600, 250), 0);
}

// A fill whose corner names no stored cell changes nothing.
TEST(GrillesScene, AFillOutsideTheGridDoesNothing) {
    Scene s;
    s.entete.pageNb = 1;
    auto& o = s.pages.emplace_back().objets.emplace_back();
    o.type = static_cast<std::uint8_t>(TypeObjet::Tableau);
    o.largeur = 5000;
    o.hauteur = 3000;
    o.grille = grid::GrilleEnregistrement{};
    o.grille->colonnes.resize(2);
    o.grille->lignes.resize(2);
    int modifications = 0, dessins = 0;
    grid::ServicesGrilles services;
    services.enJeu = [] { return true; };
    services.redessine = [&](std::int16_t, std::int16_t) { ++dessins; };
    services.planModifie = [&] { ++modifications; };
    MagasinGrilles m(std::move(services));
    m.Construit(s);
    grid::SelectionTableau sel;
    sel.Valide = -1;
    sel.HautGaucheColonne = sel.BasDroiteColonne = 200;
    sel.HautGaucheLigne = sel.BasDroiteLigne = 1;
    m.Grille(1, 1)->SelectionChange(sel);
    m.Grille(1, 1)->ExtensionEnCoursChange(true);
    EXPECT_NO_THROW(m.MouseUpConsultation(1, 1, -100, -100));
    EXPECT_FALSE(m.Grille(1, 1)->ExtensionEnCours());
    EXPECT_EQ(modifications, 0);
    EXPECT_EQ(dessins, 0);
}

// A scene whose last object is a 2 × 2 grid; its record is laid by hand at
// the end of the file (field-by-field form) or before the formula block
// (block form).
class GrillesEndommagees : public ::testing::Test {
protected:
    void SetUp() override {
        dossier_ = fs::temp_directory_path() /
                   ("grilles_scene_" + std::to_string(::getpid()) + "_" +
                    ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::create_directories(dossier_);
        services_.messages = &messages_;
        services_.construireGrilles = [this](const Scene& s) { magasin_.Construit(s); };
    }
    void TearDown() override { fs::remove_all(dossier_); }

    static Scene Exemple(std::int32_t version) {
        Scene s;
        s.entete.version = version;
        s.entete.pageNb = 1;
        auto& o = s.pages.emplace_back().objets.emplace_back();
        o.type = static_cast<std::uint8_t>(TypeObjet::Tableau);
        o.nom = "GRILLE";
        o.largeur = 5000;
        o.hauteur = 3000;
        auto& g = o.grille.emplace();
        g.forme = version == kVersionChamps ? grid::FormeGrille::Complete : grid::FormeGrille::Rapide;
        g.colonneNb = 2;
        g.ligneNb = 2;
        g.colonnes.resize(2);
        g.lignes.resize(2);
        g.textes.push_back({1, 1, "bon", std::nullopt});
        return s;
    }

    // The file without its grid record (and, in the block form, without the
    // formula block's count that follows it).
    static std::string Prefixe(std::int32_t version) {
        const Scene s = Exemple(version);
        const auto forme = FormePourVersion(version);
        const std::string tout = EcritScene(s, forme);
        BinaryWriter w;
        grid::EcritGrille(w, *s.Page(1).Objet(1).grille);
        const std::size_t fin = w.data().size() + (forme == FormeObjets::Bloc ? 4 : 0);
        return tout.substr(0, tout.size() - fin);
    }

    std::string Ecrit(const std::string& nom, const std::string& octets) {
        std::ofstream(dossier_ / nom, std::ios::binary) << octets;
        return (dossier_ / nom).string();
    }

    fs::path dossier_;
    platform::BoiteMessageFactice messages_;
    ServicesChargement services_;
    MagasinGrilles magasin_{{}};
};

std::string Texte(const test::Octets& o) { return std::string(o.data().begin(), o.data().end()); }

// Complete record of a 2 × 2 grid up to its text list.
test::Octets DebutComplet(std::int16_t verrouColonne = 0, std::int16_t verrouLigne = 0) {
    test::Octets o;
    o.b(2).b(2).i(0).b(1).b(1).i(0);
    for (int c = 0; c < 2; ++c) o.i(1200).i(0).i(verrouColonne).i(0).z(16);
    for (int r = 0; r < 2; ++r) o.i(500).i(0).i(verrouLigne).z(16);
    return o;
}

// Quick record of a 2 × 2 grid up to its text count.
test::Octets DebutRapide() {
    test::Octets o;
    o.b(2).b(2).b(1).b(1).b(0);
    for (int c = 0; c < 2; ++c) o.i(1200).i(0).i(0).i(0).z(16);
    for (int r = 0; r < 2; ++r) o.i(500).i(0).i(0).z(16);
    return o;
}

TEST_F(GrillesEndommagees, AreRefusedAndChangeNothing) {
    Scene scene;
    const std::string bon = EcritScene(Exemple(kVersionBloc), FormeObjets::Bloc);
    ASSERT_TRUE(SceneCharge(scene, Ecrit("bon.sce", bon), services_));
    ASSERT_NE(magasin_.Grille(1, 1), nullptr);
    ASSERT_EQ(magasin_.Grille(1, 1)->CaseEditeur(1, 1), "bon");
    const Scene avant = scene;

    const std::string champs = Prefixe(kVersionChamps);
    const std::string blocs = Prefixe(kVersionBloc);
    struct Cas {
        const char* nom;
        std::string octets;
        const char* detail;  // what the message names
    };
    std::string complet = Texte(DebutComplet().b(1).b(1).sl("x").b(0).b(0).b(0));
    const Cas cas[] = {
        {"complete record truncated", champs + complet.substr(0, complet.size() - 1), "fin de fichier"},
        {"cell (9,9) of a 2 x 2 grid", champs + Texte(DebutComplet().b(9).b(9).sl("x").b(0).b(0).b(0)), "case (9, 9) hors de la grille"},
        {"string past the end", champs + Texte(DebutComplet().b(1).b(1).l(1000).raw("court")), "fin de fichier"},
        {"result of a cell outside", champs + Texte(DebutComplet().b(0).b(3).b(1).b(0).sl("").b(0).b(0)), "case (3, 1) hors de la grille"},
        {"column lock 300", champs + Texte(DebutComplet(300, 0).b(0).b(0).b(0)), "verrou de colonne"},
        {"column lock -1", champs + Texte(DebutComplet(-1, 0).b(0).b(0).b(0)), "verrou de colonne"},
        {"row lock -300", champs + Texte(DebutComplet(0, -300).b(0).b(0).b(0)), "verrou de ligne"},
        {"text count 2^31-1", blocs + Texte(DebutRapide().l(0x7FFFFFFF).b(1).b(1).ss("x")), "textes de cases"},
        {"quick cell (9,9)", blocs + Texte(DebutRapide().l(1).b(9).b(9).ss("x").l(0).l(0).l(0).l(0)), "case (9, 9) hors de la grille"},
        {"quick string past the end", blocs + Texte(DebutRapide().l(1).b(1).b(1).i(500).raw("x")), "fin de fichier"},
        {"block formula outside its grid",
         blocs + Texte(DebutRapide().l(0).l(0).l(0).l(0).l(1).l(0).l(1).b(9).b(9).i(1).tab(1).b(4).i(5).d(1.0).i(0).i(0)
                           .tab(0)), "case (9, 9) hors de la grille"},
    };
    for (const auto& c : cas) {
        messages_.messages.clear();
        EXPECT_FALSE(SceneCharge(scene, Ecrit("abime.sce", c.octets), services_)) << c.nom;
        EXPECT_EQ(scene, avant) << c.nom;
        ASSERT_EQ(messages_.messages.size(), 1u) << c.nom;
        const std::string message = platform::Cp1252VersUtf8(messages_.messages.back().texte);
        EXPECT_EQ(message.rfind("Ce fichier de scène est endommagé", 0), 0u) << c.nom << ": " << message;
        EXPECT_NE(message.find(c.detail), std::string::npos) << c.nom << ": " << message;
        ASSERT_NE(magasin_.Grille(1, 1), nullptr) << c.nom;
        EXPECT_EQ(magasin_.Grille(1, 1)->CaseEditeur(1, 1), "bon") << c.nom;
    }

    // The same prefixes with a sound record load.
    EXPECT_TRUE(SceneCharge(scene, Ecrit("champs.sce", champs + complet), services_));
    EXPECT_EQ(magasin_.Grille(1, 1)->CaseEditeur(1, 1), "x");
    EXPECT_TRUE(SceneCharge(scene, Ecrit("bloc.sce", blocs + Texte(DebutRapide().l(1).b(2).b(2).ss("y").l(0).l(0).l(0).l(0))),
                            services_));
    EXPECT_EQ(magasin_.Grille(1, 1)->CaseEditeur(2, 2), "y");
    // A grid may have no column and no row: its scene loads.
    EXPECT_TRUE(SceneCharge(scene, Ecrit("vide.sce", champs + Texte(test::Octets().b(0).b(0).i(0).b(1).b(1).i(0).b(0).b(0).b(0))),
                            services_));
    ASSERT_NE(magasin_.Grille(1, 1), nullptr);
    EXPECT_EQ(magasin_.Grille(1, 1)->ColonneNb(), 0);
    EXPECT_EQ(magasin_.Grille(1, 1)->LigneNb(), 0);
}

}  // namespace
}  // namespace korv::engine
