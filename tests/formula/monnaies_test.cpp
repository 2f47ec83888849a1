#include "formula/monnaies.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "fakes.h"
#include "formula/convertisseur_monnaie.h"
#include "formula/valeur.h"
#include "platform/message_box_fake.h"
#include "platform/settings_fake.h"

namespace korv::formula {
namespace {

using platform::BoiteMessageFactice;
using platform::MagasinReglagesFactice;

std::optional<double> Reference(const MagasinReglagesFactice& m, std::string_view nom) {
    return m.LireReel("FERNOLIT", "REF", nom);
}

void MetReference(MagasinReglagesFactice& m, std::string_view nom, double taux) {
    ASSERT_TRUE(m.EcrireReel("FERNOLIT", "REF", nom, taux));
}

TEST(Monnaies, Defaults) {
    const TableMonnaies t;
    EXPECT_EQ(t.MonnaieNomGet(1), "Euro");
    EXPECT_EQ(t.MonnaieTauxGet(1), 1);
    EXPECT_EQ(t.MonnaieNomGet(8), "Franc Fran\xE7" "ais");
    EXPECT_EQ(t.MonnaieTauxGet(8), 6.55957);
    EXPECT_EQ(t.MonnaieNomGet(16), "Couronne Su\xE9" "doise");
    EXPECT_EQ(t.MonnaieTauxGet(16), 8.25);
    EXPECT_EQ(t.MonnaieNomGet(17), "Dollar US");
    EXPECT_EQ(t.MonnaieTauxGet(17), 0.9106);
    EXPECT_EQ(t.MonnaieTauxGet(18), 6.55957 / 1000);  // the quotient, to the last bit
    EXPECT_EQ(t.MonnaieNomGet(19), "A personnaliser");
    EXPECT_EQ(t.MonnaieTauxGet(19), 1);
    for (std::uint8_t i = 1; i <= TableMonnaies::kNombre; ++i) {
        EXPECT_GT(t.MonnaieTauxGet(i), 0) << int{i};
        EXPECT_FALSE(t.MonnaieNomGet(i).empty()) << int{i};
    }
}

TEST(Monnaies, OutOfRangeIndexes) {
    TableMonnaies t;
    EXPECT_EQ(t.MonnaieTauxGet(0), 1.0);
    EXPECT_EQ(t.MonnaieTauxGet(20), 1.0);
    EXPECT_EQ(t.MonnaieNomGet(0), "");
    EXPECT_EQ(t.MonnaieNomGet(20), "");
    struct Cas {
        Valeur index;
        double taux;
    };
    const Cas cas[] = {
        {Valeur::Long(0), 0},          {Valeur::Long(20), 0},           {Valeur::Nul(), 0},
        {Valeur{}, 0},                 {Valeur::Chaine("abc"), 0},      {Valeur::Erreur(1), 0},
        {Valeur::Booleen(true), 0},    {Valeur::Entier(3), 40.3399},    {Valeur::Chaine("3"), 40.3399},
        {Valeur::Double(2.5), 13.7603}, {Valeur::Double(19.4), 0},      {Valeur::Double(18.6), 1},
        {Valeur::Double(0.9), 0},      {Valeur::Long(19), 1},  // the user's own currency, last of the table
    };
    for (const auto& c : cas) EXPECT_EQ(t.MonnaieTauxVarGet(c.index), c.taux) << c.index.EnTexte();
    t.MonnaieTauxSet(0, 5);
    t.MonnaieTauxSet(20, 5);
    t.MonnaieNomSet(0, "X");
    t.MonnaieNomSet(20, "X");
    EXPECT_EQ(t.MonnaieTauxGet(20), 1.0);
    EXPECT_EQ(t.MonnaieNomGet(20), "");
}

TEST(Monnaies, RatesNotAboveZeroAreRefused) {
    TableMonnaies t;
    BoiteMessageFactice boite;
    for (double taux : {0.0, -2.0, std::numeric_limits<double>::quiet_NaN()}) {
        t.MonnaieTauxSet(3, taux);  // silently
        EXPECT_EQ(t.MonnaieTauxGet(3), 40.3399);
    }
    EXPECT_TRUE(boite.messages.empty());

    t.MonnaieDefinir(3, 0, "Nouveau", boite);
    ASSERT_EQ(boite.messages.size(), 1u);
    EXPECT_EQ(boite.messages[0].texte, "Un taux de conversion \xE9gal \xE0 z\xE9ro ou n\xE9gatif n'est pas autoris\xE9");
    EXPECT_EQ(boite.messages[0].titre, "Corvanne Rarevive Zaru");
    EXPECT_EQ(boite.messages[0].style, 0);  // OK, no icon
    EXPECT_EQ(t.MonnaieTauxGet(3), 40.3399);
    EXPECT_EQ(t.MonnaieNomGet(3), "Franc Belge");

    t.MonnaieDefinir(20, -1, "Hors table", boite);  // out of range: not even the message
    EXPECT_EQ(boite.messages.size(), 1u);
}

TEST(Monnaies, ChangesLastUntilTheReset) {
    TableMonnaies t;
    BoiteMessageFactice boite;
    t.MonnaieTauxSet(3, 41);
    t.MonnaieNomSet(19, "Yen");
    t.MonnaieDefinir(2, 14, "Schilling", boite);
    EXPECT_EQ(t.MonnaieTauxGet(3), 41);
    EXPECT_EQ(t.MonnaieNomGet(19), "Yen");
    EXPECT_EQ(t.MonnaieNomGet(2), "Schilling");
    EXPECT_EQ(t.MonnaieTauxGet(2), 14);
    t.MonnaiesInitialiser();
    EXPECT_EQ(t.MonnaieTauxGet(3), 40.3399);
    EXPECT_EQ(t.MonnaieNomGet(19), "A personnaliser");
    EXPECT_EQ(t.MonnaieNomGet(2), "Schiling Autrichien");
}

TEST(Monnaies, PlanSymbol) {
    struct Cas {
        const char* nom;
        const char* symbole;
    };
    const Cas cas[] = {
        {"Franc Fran\xE7" "ais", "FF"}, {"Euro", "\x80"},   {"Dollar US", "$"},
        {"franc fran\xE7" "ais", "franc fran\xE7" "ais"},    {"EURO", "EURO"},  {"Yen", "Yen"},
    };
    for (const auto& c : cas) {
        test::FakeScene scene;
        const auto page = scene.AjoutePage("PREVISION");
        const auto objet = scene.AjouteObjet(page, "COMPTE", 12);
        scene.GrilleDe(page, objet).Met(1, 2, Valeur::Chaine(c.nom));
        EXPECT_EQ(TableMonnaies::MonnaiePlanSymbole(scene), c.symbole) << c.nom;
    }
    test::FakeScene sansPage;
    sansPage.AjoutePage("AUTRE");
    EXPECT_EQ(TableMonnaies::MonnaiePlanSymbole(sansPage), "");
    test::FakeScene sansObjet;
    sansObjet.AjouteObjet(sansObjet.AjoutePage("PREVISION"), "AUTRE", 12);
    EXPECT_EQ(TableMonnaies::MonnaiePlanSymbole(sansObjet), "");
    test::FakeScene pasUneGrille;
    pasUneGrille.AjouteObjet(pasUneGrille.AjoutePage("PREVISION"), "COMPTE", 2);
    EXPECT_EQ(TableMonnaies::MonnaiePlanSymbole(pasUneGrille), "");
}

class Conversion : public ::testing::Test {
protected:
    TableMonnaies table;
    MagasinReglagesFactice reglages;
};

TEST_F(Conversion, BracketSavesReplacesAndRestores) {
    MetReference(reglages, "USD", 1.1);
    MetReference(reglages, "SEK", 9.5);
    EXPECT_TRUE(table.ConversionDebut(Valeur::Long(17), Valeur::Long(18), reglages));
    EXPECT_EQ(Reference(reglages, "USD"), 0.9106);
    EXPECT_EQ(Reference(reglages, "SEK"), 6.55957 / 1000);  // 8-byte doubles read back bit for bit
    EXPECT_EQ(table.Sauvegarde()[0], platform::TexteReel(1.1));
    EXPECT_TRUE(table.ConversionFin(reglages));
    EXPECT_EQ(Reference(reglages, "USD"), 1.1);
    EXPECT_EQ(Reference(reglages, "SEK"), 9.5);
    EXPECT_EQ(table.Sauvegarde()[0], "");
    EXPECT_EQ(table.Sauvegarde()[1], "");
}

TEST_F(Conversion, SecondStartSavesTheRatesOfTheFirst) {
    MetReference(reglages, "USD", 1.1);
    MetReference(reglages, "SEK", 9.5);
    ASSERT_TRUE(table.ConversionDebut(Valeur::Long(17), Valeur::Long(16), reglages));
    ASSERT_TRUE(table.ConversionDebut(Valeur::Long(1), Valeur::Long(8), reglages));
    ASSERT_TRUE(table.ConversionFin(reglages));
    EXPECT_EQ(Reference(reglages, "USD"), 0.9106);
    EXPECT_EQ(Reference(reglages, "SEK"), 8.25);
}

TEST_F(Conversion, EndWithoutStartWritesNothing) {
    EXPECT_TRUE(table.ConversionFin(reglages));
    EXPECT_EQ(reglages.Nombre(), 0u);
    EXPECT_TRUE(table.EuroMonnaieRegConserve("AUTRE", reglages));
    EXPECT_EQ(reglages.Nombre(), 0u);
}

TEST_F(Conversion, AValueThatDidNotExistKeepsTheWrittenRate) {
    MetReference(reglages, "SEK", 9.5);
    ASSERT_TRUE(table.ConversionDebut(Valeur::Long(17), Valeur::Long(16), reglages));
    ASSERT_TRUE(table.ConversionFin(reglages));
    EXPECT_EQ(Reference(reglages, "USD"), 0.9106);
    EXPECT_EQ(Reference(reglages, "SEK"), 9.5);
}

TEST_F(Conversion, OutOfRangeIndexesWriteARateOfZeroThatTheConverterRefuses) {
    ASSERT_TRUE(table.ConversionDebut(Valeur::Long(0), Valeur::Long(20), reglages));
    EXPECT_EQ(Reference(reglages, "USD"), 0.0);
    EXPECT_EQ(Reference(reglages, "SEK"), 0.0);
    const ConvertisseurMonnaie convertisseur(reglages);
    EXPECT_EQ(convertisseur.Taux(ConvertisseurMonnaie::kCodeSek), 0);
    EXPECT_EQ(convertisseur.Convertit(100, 16, 15), std::nullopt);
}

TEST_F(Conversion, FailedWritesAreReportedAndTheSavedValuesKept) {
    MetReference(reglages, "USD", 1.1);
    MetReference(reglages, "SEK", 9.5);
    reglages.refuseEcriture = true;
    EXPECT_FALSE(table.ConversionDebut(Valeur::Long(17), Valeur::Long(16), reglages));
    EXPECT_FALSE(table.ConversionFin(reglages));
    EXPECT_EQ(table.Sauvegarde()[0], platform::TexteReel(1.1));
    reglages.refuseEcriture = false;
    EXPECT_TRUE(table.ConversionFin(reglages));
    EXPECT_EQ(Reference(reglages, "USD"), 1.1);
    EXPECT_EQ(table.Sauvegarde()[0], "");
}

TEST_F(Conversion, ConverterUsesTheTwoReferenceRates) {
    MetReference(reglages, "USD", 0.9106);
    MetReference(reglages, "SEK", 8.25);
    const ConvertisseurMonnaie c(reglages);
    EXPECT_EQ(c.Taux(15), 0.9106);
    EXPECT_EQ(c.Taux(16), 8.25);
    EXPECT_EQ(c.Taux(1), 0);
    EXPECT_DOUBLE_EQ(*c.Convertit(825, 16, 15), 91.06);  // x × rate(15) / rate(16)
    EXPECT_DOUBLE_EQ(*c.Convertit(91.06, 15, 16), 825);
    EXPECT_EQ(c.Convertit(1, 16, 1), std::nullopt);
    EXPECT_EQ(c.Convertit(1e308, 15, 16), std::nullopt);  // not finite
}

TEST_F(Conversion, ConverterRefusesUnusableRates) {
    const char* const valeurs[] = {"0", "-8,25", "nan", "inf", "abc", "-0"};
    for (const char* v : valeurs) {
        MagasinReglagesFactice m;
        ASSERT_TRUE(m.EcrireReel("FERNOLIT", "REF", "USD", 1));
        ASSERT_TRUE(m.EcrireTexte("FERNOLIT", "REF", "SEK", v));
        const ConvertisseurMonnaie c(m);
        EXPECT_EQ(c.Convertit(100, 16, 15), std::nullopt) << v;
        EXPECT_EQ(c.Convertit(100, 15, 16), std::nullopt) << v;
    }
    const ConvertisseurMonnaie vide(reglages);  // nothing stored
    EXPECT_EQ(vide.Convertit(100, 16, 15), std::nullopt);
}

}  // namespace
}  // namespace korv::formula
