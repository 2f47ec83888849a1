// Reading scene files: hand-laid files of both forms, write/read round trips
// and a table of damaged files.

#include "engine/scene_fichier.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>

#include "scene_octets.h"

namespace korv::engine {
namespace {

using test::Octets;

Octets EnteteOctets(std::int32_t version, std::int16_t pages) {
    Octets o;
    o.l(0x02F84410).l(0x0B5FF740);
    o.l(version).i(pages).i(800).i(600).i(1).i(0).i(-1).l(0).i(1).ss("PROG");
    o.z(8).tab(1).ss("FRANCAIS\\").tab(0).ss("").ss("");
    for (int k = 0; k < 16; ++k) o.l(k);
    o.b(1).z(14).ss("DEFAUT.PAL");
    return o;
}

void PolyligneVide(Octets& o) { o.i(0).tab(0).tab(0).d(0).i(0); }

// Block form: page of a background and a grid, with one formula.
Octets Scene4600() {
    Octets o = EnteteOctets(4600, 1);
    o.i(2).i(0).tab(0).i(0).i(7);
    // object 1: background "DEBUT" with one element
    o.z(4).b(1).i(0).i(0).i(9600).i(7200).z(8).i(0).i(0).z(4).i(0).i(0).i(0);
    o.i(1).tab(1).i(1).i(2).i(0).ss("v").ss("t").l(2);
    o.i(0).i(0).i(0).l(0).l(0).i(0).b(0).i(0).i(32).i(0).i(0).b(0).b(0).b(0).i(0).i(0);
    o.ss("DEBUT");
    PolyligneVide(o);
    PolyligneVide(o);
    o.ss("FOND.BMP").ss("").b(1);
    // object 2: grid "T1"
    o.z(4).b(12).i(100).i(200).i(3000).i(2000).z(8).i(0).i(0).z(4).i(0).i(0).i(0);
    o.i(0).tab(0);
    o.i(0).i(0).i(0).l(0).l(0).i(0).b(0).i(0).i(0).i(0).i(0).b(0).b(0).b(0).i(0).i(0);
    o.ss("T1");
    PolyligneVide(o);
    PolyligneVide(o);
    o.ss("").ss("").b(1);
    // its quick grid record
    o.b(2).b(2).b(1).b(1).b(2);
    for (int c = 0; c < 2; ++c) {
        o.i(1200).i(0).i(0).i(0);
        for (int k = 0; k < 8; ++k) o.i(static_cast<std::int16_t>(k));
    }
    for (int r = 0; r < 2; ++r) {
        o.i(300).i(0).i(0);
        for (int k = 0; k < 8; ++k) o.i(0);
    }
    o.l(2).b(1).b(1).ss("10").b(2).b(1).ss("=A");
    o.l(1).b(2).b(1).b(1).ss("10");
    o.l(1).b(1).b(1).b(1).b(2).l(0xFFFFFF).l(0).b(0).ss("").ss("").ss("nom").i(0).b(0).ss("").b(0);
    o.l(1).b(2).b(2).b(0).b(1).l(5).b(0).i(3);
    // formula block: one formula, for object 2
    o.l(1).l(0).l(0).l(1);
    o.b(2).b(1).i(1).tab(1).b(4).i(5).d(10.0).i(0).i(0).tab(0);
    return o;
}

// Field-by-field form: one grid object with its complete record.
Octets Scene4500() {
    Octets o = EnteteOctets(4500, 1);
    o.i(1).i(0).tab(0).i(0).i(0);
    o.b(12).i(10).i(20).i(30).i(40).i(1).i(2).i(3).i(4).b(5).i(6).i(7);
    o.i(1).i(1).i(1).i(0).sl("valeur").sl("texte").l(2);
    o.i(8).i(9).i(10).l(11).l(12).i(13).i(14).b(15);
    for (int g = 16; g < 22; ++g) o.i(static_cast<std::int16_t>(g));
    o.b(22).b(23).b(24).i(0).i(25).i(26).sl("GRILLE");
    o.i(2).tab(2).i(1).i(2).i(3).i(4).tab(2).i(0).i(1).d(2.5).i(-1);
    o.b(27).sl("IMAGE.BMP").sl("du texte").b(2).b(28).b(29).b(30).i(31);
    // complete grid record
    o.b(1).b(1).i(99).b(1).b(1).i(-1);
    o.i(900).i(0).i(0).i(0);
    for (int k = 0; k < 8; ++k) o.i(1);
    o.i(250).i(0).i(0);
    for (int k = 0; k < 8; ++k) o.i(2);
    o.b(1).b(1).sl("=1").i(1).b(4).i(5).d(1.0).i(0).i(0);
    o.b(0);
    o.b(1).b(1).b(1).sl("1");
    o.b(0);
    o.b(1).b(1).i(-1).b(0).sl("").sl("").l(0).l(0).sl("N").i(0).b(0).sl("").b(0).b(0);
    o.b(0);
    return o;
}

Scene Lit(const Octets& o, const OptionsLecture& options = {}) { return LitScene(o.data(), options); }

TEST(SceneFichier, BlockFormLaidByHandLoads) {
    const Scene s = Lit(Scene4600());
    EXPECT_EQ(s.entete.version, 4600);
    EXPECT_EQ(s.entete.pageLargeur, 800);
    EXPECT_EQ(s.entete.programmeDemarrage, "PROG");
    ASSERT_EQ(s.entete.langues.size(), 1u);
    EXPECT_EQ(s.entete.langues[0], "FRANCAIS\\");
    EXPECT_EQ(s.entete.couleursPerso[15], 15);
    EXPECT_EQ(s.entete.fichierPalette, "DEFAUT.PAL");
    ASSERT_EQ(s.PageNb(), 1);
    const auto& p = s.Page(1);
    EXPECT_EQ(p.entier2, 0) << "cleared after loading";
    ASSERT_EQ(p.ObjetNb(), 2);
    EXPECT_EQ(p.Objet(1).nom, "DEBUT");
    EXPECT_EQ(p.Objet(1).G[1], 32);
    EXPECT_EQ(p.Objet(1).fichier, "FOND.BMP");
    ASSERT_EQ(p.Objet(1).elements.size(), 1u);
    EXPECT_EQ(p.Objet(1).elements[0].ObjetCible, 2);
    EXPECT_EQ(p.Objet(1).elements[0].Valeur, "v");
    EXPECT_EQ(p.Objet(1).elements[0].Evenements, 2);
    const auto& t = p.Objet(2);
    EXPECT_EQ(t.Type(), TypeObjet::Tableau);
    EXPECT_EQ(t.largeur, 3000);
    ASSERT_TRUE(t.grille);
    EXPECT_EQ(t.grille->forme, grid::FormeGrille::Rapide);
    EXPECT_EQ(t.grille->lignesBasColleesEnBas, 2);
    EXPECT_EQ(t.grille->colonnes[1].impression[7], 7);
    ASSERT_EQ(t.grille->textes.size(), 2u);
    EXPECT_EQ(t.grille->textes[1].contenu, "=A");
    EXPECT_FALSE(t.grille->textes[1].formule) << "quick records carry no formula";
    ASSERT_EQ(t.grille->attributs.size(), 2u);
    EXPECT_EQ(t.grille->attributs[0].genre, grid::GenreAttribut::Complet);
    EXPECT_EQ(t.grille->attributs[0].nom, "nom");
    EXPECT_EQ(t.grille->attributs[1].genre, grid::GenreAttribut::Partiel);
    EXPECT_EQ(t.grille->attributs[1].sousFormat, 3);
    ASSERT_EQ(t.formules.size(), 1u);
    EXPECT_EQ(t.formules[0].colonne, 2);
    EXPECT_EQ(std::get<double>(t.formules[0].expression.jetons[0].valeur), 10.0);
    EXPECT_TRUE(p.Objet(1).formules.empty());
}

TEST(SceneFichier, FieldByFieldFormLaidByHandLoads) {
    const Scene s = Lit(Scene4500());
    const auto& o = s.Page(1).Objet(1);
    EXPECT_EQ(o.A4, 4);
    EXPECT_EQ(o.B1, 5);
    EXPECT_EQ(o.B2, 6);
    EXPECT_EQ(o.E2, 14);
    EXPECT_EQ(o.G[5], 21);
    EXPECT_EQ(o.I1, 25);
    EXPECT_EQ(o.J1, 27);
    EXPECT_EQ(o.elements[0].Texte, "texte");
    ASSERT_EQ(o.chemin.points.size(), 2u);
    EXPECT_EQ(o.chemin.points[1].y, 4);
    EXPECT_EQ(o.chemin.longueurTotale, 2.5);
    EXPECT_EQ(o.chemin.fermee, -1);
    EXPECT_EQ(o.fichier, "IMAGE.BMP");
    EXPECT_EQ(o.decoupe, 2);
    EXPECT_EQ(o.K3, 31);
    ASSERT_TRUE(o.grille);
    EXPECT_EQ(o.grille->forme, grid::FormeGrille::Complete);
    EXPECT_EQ(o.grille->reserve, 99);
    ASSERT_TRUE(o.grille->textes[0].formule);
    EXPECT_EQ(o.grille->textes[0].formule->jetons.size(), 1u);
    EXPECT_EQ(o.grille->resultats[0].valeur, "1");
    EXPECT_EQ(o.grille->attributs[0].editable, -1);
}

// A cell text's formula is held outside the entry: copies must own theirs.
TEST(SceneFichier, ACopiedCellTextOwnsItsFormula) {
    const grid::TexteCaseFichier t{1, 1, "=1", formula::ExpressionEnregistrement{{{4, 1.0}}, 0, {}}};
    grid::TexteCaseFichier copie = t;
    EXPECT_EQ(copie, t);
    copie.formule->jetons.push_back({1, std::uint8_t{1}});
    EXPECT_NE(copie, t);
    EXPECT_EQ(t.formule->jetons.size(), 1u);
    grid::TexteCaseFichier sans{1, 1, "=1", std::nullopt};
    EXPECT_NE(sans, t) << "an entry without a formula differs from one with it";
    sans = t;
    EXPECT_EQ(sans, t);
    sans = grid::TexteCaseFichier{1, 1, "=1", std::nullopt};
    EXPECT_FALSE(sans.formule);
}

TEST(SceneFichier, BothFormsWriteBackTheSameBytes) {
    for (const auto& octets : {Scene4600(), Scene4500()}) {
        Scene s = Lit(octets);
        // The reader clears the page's second Integer; give back the stored
        // value so that the bytes compare whole.
        s.Page(1).entier2 = octets.data() == Scene4600().data() ? 7 : 0;
        const std::string ecrit = EcritScene(s, FormePourVersion(s.entete.version));
        EXPECT_EQ(std::vector<std::uint8_t>(ecrit.begin(), ecrit.end()), octets.data());
    }
}

TEST(SceneFichier, FormulaBlockDescriptorsWriteBackTheSameBytes) {
    // The block's one formula with its tokens counted from 0 and an empty
    // reference array that still has its one dimension.
    auto bytes = Scene4600().data();
    const std::size_t fin = bytes.size();
    ASSERT_EQ(bytes[fin - 21], 1);  // lower bound of the token array
    bytes[fin - 21] = 0;
    bytes.resize(fin - 2);  // the reference array without dimension
    Octets o;
    o.raw(std::string(bytes.begin(), bytes.end()));
    o.i(1).l(0).l(5);
    Scene s = Lit(o);
    s.Page(1).entier2 = 7;
    const std::string ecrit = EcritScene(s, FormeObjets::Bloc);
    EXPECT_EQ(std::vector<std::uint8_t>(ecrit.begin(), ecrit.end()), o.data());
}

TEST(SceneFichier, UnknownVersionAskedAndReadAsBlockForm) {
    Octets o = Scene4600();
    auto bytes = o.data();
    bytes[8] = 0x5C;  // 4700 = 0x125C
    bytes[9] = 0x12;
    int demandes = 0;
    OptionsLecture oui;
    oui.accepterVersionInconnue = [&](std::int32_t v) { ++demandes; EXPECT_EQ(v, 4700); return true; };
    EXPECT_EQ(LitScene(bytes, oui).Page(1).ObjetNb(), 2);
    EXPECT_EQ(demandes, 1);

    OptionsLecture non;
    non.accepterVersionInconnue = [](std::int32_t) { return false; };
    try {
        LitScene(bytes, non);
        FAIL();
    } catch (const SceneInvalide& e) {
        EXPECT_EQ(e.echec(), EchecScene::VersionRefusee);
    }
}

TEST(SceneFichier, ProgressReportsEachPage) {
    std::vector<std::pair<int, int>> vus;
    OptionsLecture options;
    options.progression = [&](int i, int n) { vus.emplace_back(i, n); };
    Lit(Scene4600(), options);
    EXPECT_EQ(vus, (std::vector<std::pair<int, int>>{{1, 1}}));
}

TEST(SceneFichier, ProgressShownBeforeEachPageIsRead) {
    // The page itself is missing: its percentage was shown all the same.
    std::vector<std::pair<int, int>> vus;
    OptionsLecture options;
    options.progression = [&](int i, int n) { vus.emplace_back(i, n); };
    EXPECT_THROW(LitScene(EnteteOctets(4600, 1).data(), options), SceneInvalide);
    EXPECT_EQ(vus, (std::vector<std::pair<int, int>>{{1, 1}}));
}

EchecScene EchecDe(const std::vector<std::uint8_t>& bytes) {
    OptionsLecture options;
    options.accepterVersionInconnue = [](std::int32_t) { return true; };
    try {
        LitScene(bytes, options);
    } catch (const SceneInvalide& e) {
        return e.echec();
    }
    ADD_FAILURE() << "damaged scene accepted";
    return EchecScene::VersionRefusee;
}

TEST(SceneFichier, EveryTruncationIsRefusedAsDamaged) {
    for (const auto& complet : {Scene4600().data(), Scene4500().data()}) {
        for (std::size_t n = 8; n < complet.size(); ++n) {
            const std::vector<std::uint8_t> court(complet.begin(), complet.begin() + static_cast<long>(n));
            ASSERT_EQ(EchecDe(court), EchecScene::Endommagee) << "cut at " << n;
        }
    }
}

// Offsets into Scene4600(): the header is 8 (magic) + 18 + "PROG" ... laid
// out by the builders above; each case patches one field.
struct Degat {
    const char* nom;
    std::function<Octets()> fichier;
    EchecScene attendu;
};

// The sample page with one byte of its formula block replaced.
Octets Scene4600Modifiee(std::size_t depuisLaFin, std::uint8_t valeur) {
    auto bytes = Scene4600().data();
    bytes[bytes.size() - depuisLaFin] = valeur;
    Octets o;
    o.raw(std::string(bytes.begin(), bytes.end()));
    return o;
}

// Bytes of the one formula element that ends Scene4600().
constexpr std::size_t kOctetsFormule = 2 + 2 + 10 + 11 + 2 + 2 + 2;

TEST(SceneFichier, DamagedFilesAreRefused) {
    const Degat cas[] = {
        // L(0 .. 2) = 0, 2, 1 still starts at 0 and ends at M = 1.
        {"formula bounds go down", [] { return Scene4600Modifiee(kOctetsFormule + 8, 2); }, EchecScene::Endommagee},
        {"empty", [] { return Octets(); }, EchecScene::PasUneScene},
        {"swapped magic", [] { return Octets().l(0x0B5FF740).l(0x02F84410).l(4600); }, EchecScene::PasUneScene},
        {"negative page count", [] { return EnteteOctets(4600, -1); }, EchecScene::Endommagee},
        {"more pages than bytes", [] { return EnteteOctets(4600, 30000); }, EchecScene::Endommagee},
        {"language count disagrees",
         [] {
             Octets o;
             o.l(0x02F84410).l(0x0B5FF740).l(4600).i(0).i(640).i(480).i(2).i(0).i(0).l(0).i(0).ss("");
             o.z(8).tab(1).ss("FRANCAIS\\");
             return o;
         },
         EchecScene::Endommagee},
        {"huge string length",
         [] {
             Octets o;
             o.l(0x02F84410).l(0x0B5FF740).l(4600).i(0).i(640).i(480).i(0).i(0).i(0).l(0).i(0).i(-2);
             return o;
         },
         EchecScene::Endommagee},
        {"two-dimensional array",
         [] {
             Octets o;
             o.l(0x02F84410).l(0x0B5FF740).l(4600).i(0).i(640).i(480).i(0).i(0).i(0).l(0).i(0).ss("");
             o.z(8).i(2).l(1).l(1).l(1).l(1);
             return o;
         },
         EchecScene::Endommagee},
        {"grid cell outside the grid",
         [] {
             Octets o = EnteteOctets(4500, 1);
             o.i(1).i(0).tab(0).i(0).i(0);
             o.b(12).z(8).z(8).b(0).i(0).i(0).i(0).z(6).z(8).z(2).z(2).b(0).z(12).z(3).i(0).z(4).sl("G");
             PolyligneVide(o);
             o.b(0).sl("").sl("").b(0).z(2).b(0).i(0);
             o.b(1).b(1).i(0).b(1).b(1).i(0).z(24).z(22);
             o.b(2).b(1).sl("x");  // column 2 of a one-column grid
             return o;
         },
         EchecScene::Endommagee},
    };
    for (const auto& c : cas) {
        EXPECT_EQ(EchecDe(c.fichier().data()), c.attendu) << c.nom;
    }
}

TEST(SceneFichier, FormulaBoundsThatDisagreeAreRefused) {
    // Patch L(2) of the formula block from 1 to 2: the bounds no longer end at M.
    auto bytes = Scene4600().data();
    const std::size_t fin = bytes.size();
    const std::size_t udt = kOctetsFormule;
    const std::size_t l2 = fin - udt - 4;
    ASSERT_EQ(bytes[l2], 1);
    bytes[l2] = 2;
    EXPECT_EQ(EchecDe(bytes), EchecScene::Endommagee);
}

TEST(SceneFichier, ElementCountMustMatchItsArray) {
    auto bytes = Scene4600().data();
    // The first object's element count sits right before its array descriptor
    // (dimension count 1, count 1, lower bound 1).
    const std::vector<std::uint8_t> motif = {1, 0, 1, 0, 1, 0, 0, 0, 1, 0, 0, 0};
    auto it = std::search(bytes.begin(), bytes.end(), motif.begin(), motif.end());
    ASSERT_NE(it, bytes.end());
    *it = 3;
    EXPECT_EQ(EchecDe(bytes), EchecScene::Endommagee);
}

}  // namespace
}  // namespace korv::engine
