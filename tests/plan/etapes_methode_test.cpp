// The method's step table: the default outline exactly, its lookups, and
// its section of the plan document.

#include <gtest/gtest.h>

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
    m.EtapeCouranteCode = "3";
    EXPECT_EQ(m.EtapeNumeroDepuisObjet("TITREMETAUTO 423"), m.NumeroEtape("423"));
    EXPECT_EQ(m.EtapeNumeroDepuisObjet("TITREMETAUTOSOUS2"), m.NumeroEtape("32"));
    EXPECT_EQ(m.EtapeNumeroDepuisObjet("TITREMETAUTOX"), 0);
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

}  // namespace
}  // namespace korv::plan
