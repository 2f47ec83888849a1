// The scene tool's description: one description stored in both forms lists
// the same, and every stored scene reads back to the same bytes.

#include "description.h"

#include <gtest/gtest.h>

#include "dump.h"
#include "engine/scene_fichier.h"

namespace korv::scenetool {
namespace {

using engine::FormeObjets;

constexpr const char* kDescription = R"(# a page with every kind of stored data
scene width=800 height=600 esc=1 compiled=-1 layout=2 palette="DEFAUT.PAL" colours=1,2,3
language "FRANÇAIS\\"
language "ENGLISH\\"
start text=<<FIN
GLOBAL A
SI A = 1
FINSI
FIN
page sub=3 subarray=4,5
object kind=fond name="DEBUT" rect=0,0,9600,7200 file="FOND.BMP" G2=32 text="Pages \x80"
  element page=1 object=2 param=1 value="1000,500" text="lien" events=10
object kind=tableau name="T1" rect=100,100,3000,2000 gridflag=0 A1=3
  grid cols=3 rows=2 coloffset=1 rowoffset=1 bottom=-1
  column 1 width=1200 fold=0 lock=1 sort=2 print=1,2,3,4,5,6,7,8
  row 2 height=300 print=8,7,6,5,4,3,2,1
  cell col=1 row=1 text="Total"
  cell col=2 row=1 text="=1+2"
    token kind=4 num=1
    token kind=4 num=2.5
    token kind=1 byte=1
    token kind=7 str="\x01\x02\x0A\x01\x01"
    si -1
    ref 1,2,1,1,1,1
  result col=2 row=1 type=1 value="3,5"
  attribute col=1 row=1 editable=-1 type=2 name="TOT" tooltip="bulle" bg=16777215 script="SUR CLIC"
  attribute col=2 row=2 kind=partiel type=1 subformat=2
object kind=polyligne name="P" rect=0,0,10,10 clip=2
  path points=1,2;3,4;5,6 lengths=0,1,2 total=12.5 closed=-1
page
object kind=fond name="IMPRESSION"
)";

std::string Octets(FormeObjets forme) { return engine::EcritScene(ConstruitScene(kDescription, forme), forme); }

engine::Scene Relit(const std::string& octets) {
    return engine::LitScene({reinterpret_cast<const std::uint8_t*>(octets.data()), octets.size()});
}

TEST(Description, BothFormsListTheSame) {
    const auto bloc = Relit(Octets(FormeObjets::Bloc));
    const auto champs = Relit(Octets(FormeObjets::ChampParChamp));
    EXPECT_EQ(bloc.entete.version, 4600);
    EXPECT_EQ(champs.entete.version, 4500);
    const std::string liste = DumpScene(bloc);
    EXPECT_EQ(liste, DumpScene(champs));
    EXPECT_NE(liste.find("page 1 \"DEBUT\" objects=3"), std::string::npos) << liste;
    EXPECT_NE(liste.find("text=\"Pages €\""), std::string::npos) << liste;
    EXPECT_NE(liste.find("grid cols=3 rows=2 texts=2 results=1 attributes=2 formulas=1"), std::string::npos);
    EXPECT_NE(liste.find("language \"FRANÇAIS\\\\\""), std::string::npos) << liste;
}

TEST(Description, BuildReadWriteGivesTheSameBytes) {
    for (auto forme : {FormeObjets::Bloc, FormeObjets::ChampParChamp}) {
        const std::string octets = Octets(forme);
        EXPECT_EQ(engine::EcritScene(Relit(octets), forme), octets);
    }
}

TEST(Description, FormulasGoWhereTheFormStoresThem) {
    const auto bloc = Relit(Octets(FormeObjets::Bloc));
    const auto& t = bloc.Page(1).Objet(2);
    ASSERT_EQ(t.formules.size(), 1u);
    EXPECT_EQ(t.formules[0].colonne, 2);
    EXPECT_EQ(t.formules[0].expression.contientSi, -1);
    EXPECT_EQ(std::get<std::string>(t.formules[0].expression.jetons[3].valeur), std::string("\x01\x02\x0A\x01\x01"));

    const auto champs = Relit(Octets(FormeObjets::ChampParChamp));
    const auto& g = *champs.Page(1).Objet(2).grille;
    ASSERT_TRUE(g.textes[1].formule);
    EXPECT_EQ(g.textes[1].formule->references.size(), 1u);
    EXPECT_EQ(g.attributs.size(), 2u);
    EXPECT_EQ(g.attributs[1].genre, grid::GenreAttribut::Complet) << "the complete record has one entry kind";
}

TEST(Description, StartProgramKeepsItsLinesWithCrLf) {
    const auto s = ConstruitScene(kDescription, FormeObjets::Bloc);
    EXPECT_EQ(s.entete.programmeDemarrage, "GLOBAL A\r\nSI A = 1\r\nFINSI");
    EXPECT_EQ(s.entete.langues[0], "FRAN\xC7" "AIS\\");
}

TEST(Description, MistakesNameTheirLine) {
    const std::pair<const char*, int> cas[] = {
        {"scene width=abc", 1},
        {"page\nobject name=\"x\"", 2},
        {"page\nobject kind=fond\n  grid cols=2 rows=2", 3},
        {"page\nobject kind=tableau\n  grid cols=2 rows=2\n  cell col=3 row=1 text=\"x\"", 4},
        {"page\nobject kind=fond frobnicate=1", 2},
        {"start text=<<END\nnever ended", 2},
        {"object kind=fond", 1},
        {"page\nobject kind=tableau\n  grid cols=1 rows=1\n  token kind=4 num=1", 4},
    };
    for (const auto& [texte, ligne] : cas) {
        try {
            ConstruitScene(texte, FormeObjets::Bloc);
            ADD_FAILURE() << "accepted: " << texte;
        } catch (const ErreurDescription& e) {
            EXPECT_EQ(e.ligne(), ligne) << texte << " -> " << e.what();
        }
    }
}

}  // namespace
}  // namespace korv::scenetool

namespace korv::scenetool {
namespace {

// A formula written as text alone is compiled with the scene's names, the
// same as its token lines would give; one the compiler does not understand
// names its line.
TEST(Description, FormulaTextsWithoutTokensAreCompiled) {
    const char* texte = R"(page
object kind=fond name="DEBUT"
object kind=tableau name="T" rect=0,0,3000,2000
  grid cols=2 rows=2
  cell col=1 row=1 text="=DEBUT.T.Case[2,2]*2"
  cell col=1 row=2 text="=#"
  cell col=2 row=1 text="=15000*2"
    token kind=4 num=15000
    token kind=4 num=2
    token kind=1 byte=4
)";
    for (auto forme : {FormeObjets::Bloc, FormeObjets::ChampParChamp}) {
        const auto s = ConstruitScene(texte, forme);
        const auto& o = s.Page(1).Objet(2);
        const formula::ExpressionEnregistrement* e = nullptr;
        if (forme == FormeObjets::Bloc) {
            ASSERT_EQ(o.formules.size(), 3u);
            e = &o.formules[0].expression;
            EXPECT_TRUE(o.formules[1].expression.jetons.empty()) << "=# has no source to compile";
        } else {
            ASSERT_TRUE(o.grille->textes[0].formule);
            e = &*o.grille->textes[0].formule;
        }
        ASSERT_EQ(e->jetons.size(), 3u);
        ASSERT_EQ(e->references.size(), 1u);
        EXPECT_EQ(e->references[0].page, 1);
        EXPECT_EQ(e->references[0].objet, 2);
        EXPECT_EQ(e->references[0].colonne1, 2);
    }
    try {
        ConstruitScene("page\nobject kind=tableau name=\"T\"\n  grid cols=1 rows=2\n  cell col=1 row=1 text=\"=INCONNU(1)\"\n"
                       "  cell col=1 row=2 text=\"x\"\n",
                       FormeObjets::Bloc);
        FAIL() << "accepted";
    } catch (const ErreurDescription& e) {
        EXPECT_EQ(e.ligne(), 4);
    }
}

}  // namespace
}  // namespace korv::scenetool
