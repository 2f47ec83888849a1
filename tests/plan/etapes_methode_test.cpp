// The method's step table: the default outline exactly, its lookups, and
// its section of the plan document.

#include <gtest/gtest.h>

#include <string_view>
#include <vector>

#include "plan/methode/etapes_methode.h"
#include "platform/binary_reader.h"
#include "platform/binary_writer.h"
#include "platform/cp1252.h"

namespace korv::plan {
namespace {

TEST(EtapesMethode, TheDefaultOutline) {
    MethodeEtapes m;
    m.MethodePlanDefautCreer();
    ASSERT_EQ(m.NombreEtapes(), 45);
    EXPECT_EQ(m.Etape(1).Code, "0");
    EXPECT_EQ(m.Etape(1).Titre, "Introduction");
    EXPECT_EQ(m.Etape(45).Titre, "Annexes");
    EXPECT_EQ(m.NumeroEtape("42"), 25);
    EXPECT_EQ(m.Etape(25).NombreEnfants, 5) << "as declared";
    EXPECT_EQ(m.NumeroEtape(""), 0);
    const int i343 = m.NumeroEtape("343");
    ASSERT_GT(i343, 0);
    EXPECT_EQ(m.Etape(i343).Titre,
              platform::Utf8VersCp1252("Les stratégies commerciales et les moyens mis  en oeuvre"));
    EXPECT_EQ(m.Etape(m.NumeroEtape("5")).Titre, "Le calendrier du projet");
    EXPECT_EQ(m.Etape(m.NumeroEtape("321")).Parent, m.NumeroEtape("32"));
    EXPECT_EQ(m.Etape(m.NumeroEtape("3")).Parent, 0);
    for (const char* code : {"0", "11", "12", "31"}) EXPECT_FALSE(m.Etape(m.NumeroEtape(code)).Numerote) << code;
    EXPECT_TRUE(m.Etape(m.NumeroEtape("32")).Numerote);
    m.EtapeCouranteCode() = "3";
    EXPECT_EQ(m.EtapeNumeroDepuisObjet("TITREMETAUTO 423"), m.NumeroEtape("423"));
    EXPECT_EQ(m.EtapeNumeroDepuisObjet("TITREMETAUTOSOUS2"), m.NumeroEtape("32"));
    EXPECT_EQ(m.EtapeNumeroDepuisObjet("TITREMETAUTOX"), 0);
    m.MethodePlanDefautCreer();
    EXPECT_EQ(m.NombreEtapes(), 45) << "built once";
}

TEST(EtapesMethode, TheSectionReadsBackAndMayEndOnAStepBoundary) {
    MethodeEtapes m;
    m.MethodePlanDefautCreer();
    m.PolicesDefautInitialiser();
    m.EtapeTexteFixer("423", "{\\rtf1 R&D}");
    m.Etape(3).Vu = 1;
    BinaryWriter w;
    m.EtapesEcrireFichier(w);
    MethodeEtapes n;
    n.MethodePlanDefautCreer();
    n.PolicesDefautInitialiser();
    BinaryReader in(w.data());
    n.EtapesAppliquer(n.EtapesLireFichier(in));
    EXPECT_EQ(n.Etape(n.NumeroEtape("423")).TexteRedige, "{\\rtf1 R&D}");
    EXPECT_EQ(n.Etape(3).Vu, 1);
    // Two records only: the rest keep their values.
    const std::size_t deux = 2 * 10 + m.Etape(1).TexteRedige.size() + m.Etape(1).TitreRTF.size() +
                             m.Etape(2).TexteRedige.size() + m.Etape(2).TitreRTF.size();
    BinaryReader court(std::string_view(w.data()).substr(0, deux));
    EXPECT_EQ(n.EtapesLireFichier(court).size(), 2U);
    BinaryReader coupe(std::string_view(w.data()).substr(0, deux - 1));
    EXPECT_THROW((void)n.EtapesLireFichier(coupe), ReadError);
}

TEST(EtapesMethode, SectionNumbersRenumberChapterThree) {
    MethodeEtapes m;
    m.MethodePlanDefautCreer();
    const struct {
        const char* code;
        const char* attendu;
    } cas[] = {
        {"0", "Introduction"},
        {"11", "Executive Summary"},
        {"12", "Fiche d'identité de l'entreprise"},
        {"31", "L'étude de marché"},
        {"1", "1. Présentation générale du projet"},
        {"32", "3.1. L'environnement"},
        {"35", "3.4. Opportunité de développement / Avantages concurrentiels"},
        {"321", "3.1.1. L'état de l'art de la technologie"},
        {"423", "4.2.3. Programme de R&D"},
        {"3", "3. Le Marché"},
    };
    for (const auto& c : cas) {
        EXPECT_EQ(m.EtapeNumeroTexte(m.NumeroEtape(c.code)), platform::Utf8VersCp1252(c.attendu)) << c.code;
    }
    EXPECT_EQ(m.EtapeNumeroTexte(0), "");
    EXPECT_EQ(m.EtapeNumeroTexte(46), "");
}

// Every leaf of chapter 3 seen but 333.
void ChapitreTroisVuSauf333(MethodeEtapes& m) {
    for (int i = 1; i <= m.NombreEtapes(); ++i) {
        EtapeMethode& e = m.Etape(i);
        if (e.Code[0] == '3' && e.NombreEnfants == 0 && e.Code != "333") e.Vu = 1;
    }
}

TEST(EtapesMethode, SeenMarksGoUpTheParents) {
    MethodeEtapes m;
    m.MethodePlanDefautCreer();
    ChapitreTroisVuSauf333(m);
    m.EtapesVuMaj();
    EXPECT_EQ(m.Etape(m.NumeroEtape("33")).Vu, 0);
    EXPECT_EQ(m.Etape(m.NumeroEtape("3")).Vu, 0);
    EXPECT_EQ(m.Etape(m.NumeroEtape("32")).Vu, 1);
    EXPECT_EQ(m.Etape(m.NumeroEtape("34")).Vu, 1);

    // Ticking the last leaf marks its parent and the chapter.
    m.EtapeCouranteCode() = "333";
    EXPECT_TRUE(m.EtapeVuBascule());
    EXPECT_EQ(m.Etape(m.NumeroEtape("333")).Vu, 1);
    EXPECT_EQ(m.Etape(m.NumeroEtape("33")).Vu, 1);
    EXPECT_EQ(m.Etape(m.NumeroEtape("3")).Vu, 1);
    EXPECT_EQ(m.Etape(m.NumeroEtape("4")).Vu, 0);

    // A step with children follows them whatever is toggled on it.
    m.EtapeCouranteCode() = "3";
    EXPECT_TRUE(m.EtapeVuBascule());
    EXPECT_EQ(m.Etape(m.NumeroEtape("3")).Vu, 1);

    // Unticking the leaf clears the parents again.
    m.EtapeCouranteCode() = "333";
    EXPECT_TRUE(m.EtapeVuBascule());
    EXPECT_EQ(m.Etape(m.NumeroEtape("33")).Vu, 0);
    EXPECT_EQ(m.Etape(m.NumeroEtape("3")).Vu, 0);

    m.EtapeCouranteCode() = "";
    EXPECT_FALSE(m.EtapeVuBascule());
}

TEST(EtapesMethode, ChangingTheStepAndItsMenuPage) {
    MethodeEtapes m;
    m.MethodePlanDefautCreer();
    const struct {
        const char* courant;
        const char* argument;
        const char* attendu;
    } cas[] = {
        {"423", "SURMET", "42"}, {"4", "SURMET", ""},     {"", "SURMET", ""},       {"3", "sousmet1", "31"},
        {"3", "SOUSMET", "3"},   {"4", "SOUSMET2", "42"}, {"7", "5", "5"},           {"1", "surmet", "surmet"},
        {"42", "SURMET", "4"},
    };
    for (const auto& c : cas) {
        m.EtapeCouranteCode() = c.courant;
        m.MethodeChanger(c.argument);
        EXPECT_EQ(m.EtapeCouranteCode(), c.attendu) << c.courant << " " << c.argument;
    }
    m.ExplicationTitre = "avant";
    m.MethodeChanger("41,Le modèle,de côté");
    EXPECT_EQ(m.EtapeCouranteCode(), "41");
    EXPECT_EQ(m.ExplicationTitre, "Le modèle");
    m.MethodeChanger("42");
    EXPECT_EQ(m.ExplicationTitre, "Le modèle") << "kept until the next comma form";

    const struct {
        const char* code;
        const char* page;
    } pages[] = {{"", "METMENU"},          {"1", "METSOUSMENU1"}, {"3", "METSOUSMENU"},
                 {"423", "METAUTOMET"},    {"99", "METMENU"},     {"42", "METSOUSMENU"},
                 {"0", "METAUTOMET"}};
    for (const auto& p : pages) {
        m.EtapeCouranteCode() = p.code;
        EXPECT_EQ(m.MethodeMenuPageNom(), p.page) << p.code;
    }

    // Up from a section: its chapter's menu.
    m.EtapeCouranteCode() = "42";
    m.MethodeChanger("SURMET");
    EXPECT_EQ(m.MethodeMenuPageNom(), std::string_view("METSOUSMENU"));
}

TEST(EtapesMethode, EachStepWithTablesNamesItsTablePages) {
    using Noms = std::vector<std::string_view>;
    const struct {
        const char* code;
        Noms pages;
    } cas[] = {
        {"7", {"TABSWOT"}},       {"12", {"TABIDENT"}}, {"423", {"TABRD", "TABANVAR"}}, {"342", {"TABCONC"}},
        {"5", {"TABPLANACTION"}}, {"433", {"TABUNIT"}}, {"443", {"TDBPAC"}},            {"61", {"TABEFF"}},
        {"11", {"TABREC01"}},     {"441", {"TABREC0605"}}, {"42", {}}, {"", {}}, {"4233", {}},
    };
    for (const auto& c : cas) EXPECT_EQ(MethodeEtapes::EtapeTableauxPagesNoms(c.code), c.pages) << c.code;
}

TEST(EtapesMethode, TheCurrentStepIsTheOneItIsBoundTo) {
    MethodeEtapes m;
    m.MethodePlanDefautCreer();
    std::string moteur = "42";
    m.EtapeCouranteLier(moteur);
    m.MethodeChanger("SOUSMET3");
    EXPECT_EQ(moteur, "423");
    moteur = "1";
    EXPECT_EQ(m.MethodeMenuPageNom(), "METSOUSMENU1");
}

}  // namespace
}  // namespace korv::plan
