#include "formula/fonctions_texte_riche.h"

#include <gtest/gtest.h>

#include <string>

#include "fakes.h"
#include "formula/script_programme.h"
#include "formula/services_script_fake.h"

namespace korv::formula::test {
namespace {

// Page DEBUT: a rich text with text, an empty one (formatting only), a
// tagged text; method pages MET05 (text), MET0601 (empty), MET0602 (text).
struct Banc {
    Environnement env;
    ServicesScriptFactice services;
    FonctionsTexteRiche riche{env.scene, services, &env.actions};
    ServicesFormule formule{env.scene, env.systeme, env.variables, &riche};
    ProgrammationInterne programme{formule, services};

    Banc() {
        const auto p = env.scene.AjoutePage("DEBUT");
        env.scene.AjouteObjet(p, "PLEIN", 13);
        env.scene.AjouteObjet(p, "VIDE", 13);
        env.scene.AjouteObjet(p, "BALISE", 4);
        services.textes[{1, 1}] = R"({\rtf1{\fonttbl{\f0 Arial;}}\pard\plain\f0 Mon plan\par})";
        services.textes[{1, 2}] = R"({\rtf1{\fonttbl{\f0 Arial;}}\pard\plain\b\fs40\par})";
        services.textes[{1, 3}] = "du texte";
        Methode("MET05", R"({\rtf1 Chapitre cinq})");
        Methode("MET0601", R"({\rtf1 \par})");
        Methode("MET0602", R"({\rtf1 suite})");
        Methode("MET07", "");
    }
    void Methode(const std::string& page, const std::string& texte) {
        const auto p = env.scene.AjoutePage(page);
        env.scene.AjouteObjet(p, "FOND", 1);
        const auto o = env.scene.AjouteObjet(p, "MET", 13);
        services.textes[{p, o}] = texte;
    }
    std::string Evalue(const std::string& texte) { return programme.ProgExprEvalue(texte); }
};

TEST(FonctionsTexteRiche, TexteEstIlVide) {
    Banc b;
    const struct {
        const char* formule;
        const char* resultat;
    } cas[] = {
        {"TEXTEESTILVIDE('DEBUT';'PLEIN')", "'FAUX'"},
        {"TEXTEESTILVIDE('debut';'plein')", "'FAUX'"},
        {"TEXTEESTILVIDE('DEBUT';'VIDE')", "'VRAI'"},    // formatting alone
        {"TEXTEESTILVIDE('DEBUT';'BALISE')", "'VRAI'"},  // not a rich text
        {"TEXTEESTILVIDE('DEBUT';'AUCUN')", "'VRAI'"},
        {"TEXTEESTILVIDE('AILLEURS';'PLEIN')", "'VRAI'"},
    };
    for (const auto& c : cas) EXPECT_EQ(b.Evalue(c.formule), c.resultat) << c.formule;
}

TEST(FonctionsTexteRiche, ChapitreEstIlVide) {
    Banc b;
    const struct {
        const char* formule;
        const char* resultat;
    } cas[] = {
        {"CHAPITREESTILVIDE(5;0)", "'FAUX'"},  // only MET05
        {"CHAPITREESTILVIDE(6;1)", "'VRAI'"},  // only MET0601
        {"CHAPITREESTILVIDE(6;2)", "'FAUX'"},  // MET0601 and MET0602, not MET06
        {"CHAPITREESTILVIDE(7;0)", "'VRAI'"},
        {"CHAPITREESTILVIDE(8;3)", "'VRAI'"},  // no such pages
    };
    for (const auto& c : cas) EXPECT_EQ(b.Evalue(c.formule), c.resultat) << c.formule;
}

TEST(FonctionsTexteRiche, TexteVideOuNon) {
    EXPECT_TRUE(TexteRicheEstVide(""));
    EXPECT_TRUE(TexteRicheEstVide("{\\rtf1 {\\b}}"));
    EXPECT_FALSE(TexteRicheEstVide("{\\rtf1 \\par\\par}"));  // an empty line is a character
    EXPECT_FALSE(TexteRicheEstVide("simple"));
    EXPECT_FALSE(TexteRicheEstVide("{\\rtf1 " + std::string(300, '{')));  // refused: not known to be empty
}

struct Sommaire final : BoiteSommaire {
    std::u32string texte = U"Sommaire\r\n[TITRE] page 1\r\n[titre] page 2\r\nfin";
    std::int32_t debut = 0;
    std::int32_t longueur = 7;
    std::u32string TexteBrut() const override { return texte; }
    std::int32_t SelectionDebut() const override { return debut; }
    void Selectionner(std::int32_t d, std::int32_t l) override {
        debut = d;
        longueur = l;
    }
};

TEST(FonctionsTexteRiche, RechercheDansLeSommaire) {
    Banc b;
    Sommaire s;
    EXPECT_EQ(b.Evalue("TEXTERECHERCHEPAGE('[TITRE]')"), "'[TITRE]'") << "without a box: not available";
    b.riche.Sommaire(&s);
    EXPECT_EQ(b.Evalue("TEXTERECHERCHEPAGE('[TITRE]')"), "0");
    EXPECT_EQ(s.debut, 10);
    EXPECT_EQ(s.longueur, 7);
    b.Evalue("TEXTERECHERCHEPAGE('[TITRE]')");
    EXPECT_EQ(s.debut, 26) << "the next one, without case";
    b.Evalue("TEXTERECHERCHEPAGE('[TITRE]')");
    EXPECT_EQ(s.debut, 10) << "round to the first again";
    b.Evalue("TEXTERECHERCHEPAGE('absent')");
    EXPECT_EQ(s.debut, 10);
    EXPECT_EQ(s.longueur, 0) << "not found: the selection stays, with length 0";
    s.debut = 999;
    b.Evalue("TEXTERECHERCHEPAGE('SOMMAIRE')");
    EXPECT_EQ(s.debut, 0);
}

}  // namespace
}  // namespace korv::formula::test
