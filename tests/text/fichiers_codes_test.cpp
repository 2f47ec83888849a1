#include "text/fichiers_codes.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <string>

#include <unistd.h>

#include "text/codeur.h"
#include "text/requetes.h"
#include "text/source.h"
#include "text/write.h"

namespace korv::text {
namespace {

namespace fs = std::filesystem;

fs::path Dossier(const std::string& nom) {
    const fs::path d = fs::path(::testing::TempDir()) / ("korv_txm_" + std::to_string(::getpid())) / nom;
    fs::remove_all(d);
    fs::create_directories(d);
    return d;
}

int NombreTxm(const fs::path& d) {
    int n = 0;
    std::error_code ec;
    for (const auto& e : fs::directory_iterator(d, ec)) n += e.path().extension() == ".TXM";
    return n;
}

TEST(FichiersCodes, NomsDesFichiersCodes) {
    const fs::path d = Dossier("noms");
    EXPECT_EQ(NomFichierTexteCode(d, "C:\\SCENE\\TEXTES\\LONGTEXTE.WRI").filename(), "LONG0.TXM");
    // The four characters come from the name without its extension.
    EXPECT_EQ(NomFichierTexteCode(d, "AB.TXT").filename(), "AB0.TXM");
    ASSERT_TRUE(TexteVersFichier(d / "LONG0.TXM", "x"));
    ASSERT_TRUE(TexteVersFichier(d / "LONG1.TXM", "x"));
    EXPECT_EQ(NomFichierTexteCode(d, "LONGTEXTE.WRI").filename(), "LONG2.TXM");
}

TEST(FichiersCodes, ReferenceParLangue) {
    EXPECT_EQ(NomReferenceLangue("CODAGE:A0.TXM|CODAGE:A1.TXM", 2, 2), "A1.TXM");
    EXPECT_EQ(NomReferenceLangue("CODAGE:A0.TXM|CODAGE:A1.TXM", 1, 2), "A0.TXM");
    EXPECT_EQ(NomReferenceLangue("CODAGE:A0.TXM|CODAGE:A1.TXM", 1, 1), "A0.TXM");
    EXPECT_EQ(NomReferenceLangue("<Zone10>texte", 1, 1), "");
}

TEST(FichiersCodes, PasseDeNettoyageEtLiens) {
    EXPECT_EQ(TextePrepareAffichageEnleve("<Zone300><LigneNumero1><X0><Y225><BaseLine180><Gras1>ab"
                                          "<Formatage1><Gras1><Formatage0><Cr><LigneNumero2><Y450>cd"),
              "<Gras1>ab<Cr>cd");
    EXPECT_EQ(InsereTagHypertexteDansTexte("voir la ga<Gras1>lerie, la galerie", "00007galerie"),
              "voir la <Lien1>ga<Gras1>lerie<Lien0>, la <Lien1>galerie<Lien0>");
    // A damaged list stops at the damage.
    EXPECT_EQ(InsereTagHypertexteDansTexte("abc", "0009"), "abc");
    EXPECT_EQ(InsereTagHypertexteDansTexte("abc", "00099abc"), "abc");
}

// A text coded once holds its links: coded again (at another width), each
// link stays single, so that its closing tag gives the line its colour back.
TEST(FichiersCodes, LienDejaPoseNonRedouble) {
    const std::string une = InsereTagHypertexteDansTexte("Ouvrez la galerie pour voir", "00007galerie");
    EXPECT_EQ(une, "Ouvrez la <Lien1>galerie<Lien0> pour voir");
    EXPECT_EQ(InsereTagHypertexteDansTexte(une, "00007galerie"), une);
    // An occurrence outside the link is still linked.
    EXPECT_EQ(InsereTagHypertexteDansTexte(une + " la galerie", "00007galerie"),
              "Ouvrez la <Lien1>galerie<Lien0> pour voir la <Lien1>galerie<Lien0>");
}

TEST(FichiersCodes, LitteralCodeParLangue) {
    MesureurFixe m;
    Codage c{m, 3000, {}, 2, {}};
    EXPECT_EQ(TexteCodeDirect("Oui|Yes", c),
              "<Zone3000><LigneNumero1><X0><Y225><BaseLine180>Oui|<Zone3000><LigneNumero1><X0><Y225><BaseLine180>Yes");
    // Recoding a coded text lays out its source again.
    c.nbLangues = 1;
    c.largeur = 2000;
    EXPECT_EQ(TexteCodeDirect("<Zone3000><LigneNumero1><X0><Y225><BaseLine180>Oui", c),
              "<Zone2000><LigneNumero1><X0><Y225><BaseLine180>Oui");
    c.nbLangues = 0;
    EXPECT_EQ(TexteCodeDirect("Oui", c), "<Zone2000><LigneNumero1><X0><Y225><BaseLine180>Oui");
}

struct BancCodage {
    fs::path dossier;
    fs::path source;
    fs::path cache;
    MesureurFixe m;
    BancCodage(const std::string& nom) : dossier(Dossier(nom)), source(dossier / "LONGTEXTE.TXT"), cache(dossier / "cache") {}
    std::string Coder(int langues = 1) {
        CodageFichier f{source, cache, "P1O2", {}, "ARIAL"};
        Codage c{m, 10'000'000, {}, langues, {}};
        return CodageCompletTexte(f, c);
    }
    // The coded length of a source of n letters on one line.
    std::size_t Longueur(std::size_t n) {
        return TextePrecodeAffichage(PrecodeFichierTexte(std::string(n, 'a'), {}, "ARIAL"), m, 10'000'000, {}).size();
    }
};

TEST(FichiersCodes, SeuilEnLigneOuFichiers) {
    BancCodage b("seuil");
    const std::size_t base = b.Longueur(1) - 1;  // a line with text: one byte per letter
    // One language: coded length + 1 separator against 51200.
    const std::size_t n = kSeuilTexteLong - 2 - base;
    ASSERT_EQ(b.Longueur(n) + 1, 51199u);
    ASSERT_TRUE(TexteVersFichier(b.source, std::string(n, 'a')));
    const std::string enLigne = b.Coder();
    EXPECT_FALSE(enLigne.starts_with("CODAGE:"));
    EXPECT_EQ(enLigne.size() + 1, 51199u);
    EXPECT_EQ(NombreTxm(b.cache), 0);

    ASSERT_TRUE(TexteVersFichier(b.source, std::string(n + 1, 'a')));
    const std::string reference = b.Coder();
    EXPECT_EQ(reference, "CODAGE:LONG0.TXM");
    std::string contenu;
    ASSERT_TRUE(FichierVersTexte(b.cache / "LONG0.TXM", contenu));
    EXPECT_EQ(contenu.size() + 1, 51200u);
}

TEST(FichiersCodes, FichiersReutilisesTantQueLaSourceNeChangePas) {
    BancCodage b("reutilise");
    ASSERT_TRUE(TexteVersFichier(b.source, std::string(60000, 'a')));
    EXPECT_EQ(b.Coder(2), "CODAGE:LONG0.TXM|CODAGE:LONG1.TXM");
    // Unchanged: the same files, nothing new.
    EXPECT_EQ(b.Coder(2), "CODAGE:LONG0.TXM|CODAGE:LONG1.TXM");
    EXPECT_EQ(NombreTxm(b.cache), 2);
    // Changed source: the old files go, new ones come; they never pile up.
    ASSERT_TRUE(TexteVersFichier(b.source, std::string(60001, 'b')));
    EXPECT_EQ(b.Coder(2), "CODAGE:LONG0.TXM|CODAGE:LONG1.TXM");
    EXPECT_EQ(NombreTxm(b.cache), 2);
    std::string contenu;
    ASSERT_TRUE(FichierVersTexte(b.cache / "LONG1.TXM", contenu));
    EXPECT_NE(contenu.find("bbb"), std::string::npos);
    // A missing source: nothing coded and nothing left behind.
    fs::remove(b.source);
    EXPECT_EQ(b.Coder(2), "");
    EXPECT_EQ(NombreTxm(b.cache), 0);
}

// A layout measured with other metrics is not reused: the default format,
// the font standing for missing ones and the twips per pixel of either axis
// each make the coding start again.
TEST(FichiersCodes, MesuresDifferentesRecodent) {
    struct Cas {
        const char* nom;
        std::function<void(CodageFichier&, Codage&, MesureurFixe::Reglages&)> changer;
    };
    const Cas cas[] = {
        {"rien", [](CodageFichier&, Codage&, MesureurFixe::Reglages&) {}},
        {"format", [](CodageFichier&, Codage& c, MesureurFixe::Reglages&) { c.depart.police = "TIMES NEW ROMAN"; }},
        {"taille", [](CodageFichier&, Codage& c, MesureurFixe::Reglages&) { c.depart.taille = 14; }},
        {"police", [](CodageFichier& f, Codage&, MesureurFixe::Reglages&) { f.policeDefaut = "COURIER NEW"; }},
        {"tppx", [](CodageFichier&, Codage&, MesureurFixe::Reglages& r) { r.twipsParPixelX = 12; }},
        {"tppy", [](CodageFichier&, Codage&, MesureurFixe::Reglages& r) { r.twipsParPixelY = 12; }},
    };
    for (const Cas& k : cas) {
        const fs::path d = Dossier(std::string("mesures_") + k.nom);
        const fs::path source = d / "LONGTEXTE.TXT";
        const fs::path cache = d / "cache";
        ASSERT_TRUE(TexteVersFichier(source, std::string(60000, 'a')));
        auto coder = [&](bool changer) {
            CodageFichier f{source, cache, "P1O2", {}, "ARIAL"};
            MesureurFixe::Reglages r;
            MesureurFixe premier;
            Codage c{premier, 10'000'000, {}, 1, {}};
            if (changer) k.changer(f, c, r);
            MesureurFixe m(r);
            Codage avec{m, c.largeur, c.depart, c.nbLangues, {}};
            return CodageCompletTexte(f, avec);
        };
        ASSERT_EQ(coder(false), "CODAGE:LONG0.TXM");
        // A mark in the coded file shows whether it is coded again.
        ASSERT_TRUE(TexteVersFichier(cache / "LONG0.TXM", "marque"));
        ASSERT_EQ(coder(true), "CODAGE:LONG0.TXM");
        std::string contenu;
        ASSERT_TRUE(FichierVersTexte(cache / "LONG0.TXM", contenu));
        EXPECT_EQ(contenu == "marque", std::string(k.nom) == "rien") << k.nom;
    }
}

TEST(FichiersCodes, CacheImpossibleDonneLaFormeEnLigne) {
    BancCodage b("impossible");
    ASSERT_TRUE(TexteVersFichier(b.source, std::string(60000, 'a')));
    // The cache folder's place is taken by a file: nothing can be written there.
    ASSERT_TRUE(TexteVersFichier(b.cache, "fichier"));
    const std::string r = b.Coder();
    EXPECT_FALSE(r.starts_with("CODAGE:"));
    EXPECT_NE(r.find("aaaa"), std::string::npos);
}

TEST(FichiersCodes, MorceauxDeTexteLongAuDelaDe32Ko) {
    // A coded text with bold switched off after 33000 bytes, then page 2.
    std::string t = "<Zone5000><PageNombre000002><PageNumero1><LigneNumero1><X0><Y225><BaseLine180><Gras1>";
    t += std::string(33000, 'a');
    t += "<Gras0><Taille14>";
    t += std::string(2000, 'b');
    t += "<PageNumero2><LigneNumero2><X0><Y450><BaseLine405>fin";
    SourceChaine s(t);
    const std::string morceau = TexteLongMorceau(s, 2, 0);
    EXPECT_TRUE(morceau.ends_with("<PageNumero2><LigneNumero2><X0><Y450><BaseLine405>fin"));
    EXPECT_EQ(morceau.find("<Gras1>"), std::string::npos);
    EXPECT_NE(morceau.find("<Gras0>"), std::string::npos);
    EXPECT_NE(morceau.find("<Taille14>"), std::string::npos);
    EXPECT_TRUE(morceau.starts_with("<Zone5000><PageNombre000002>"));
    // A missing marker gives the piece from the start.
    EXPECT_TRUE(TexteLongMorceau(s, 9, 0).starts_with("<Zone5000><PageNombre000002><PageNumero1>"));
    // The piece stops before a tag cut by its end.
    EXPECT_EQ(TexteLongMorceau(s, 1, 0).back(), 'a');
}

}  // namespace
}  // namespace korv::text
