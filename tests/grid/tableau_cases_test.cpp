// Cell properties: the invalidation byte, names, user input, cell values as
// the recalculation reads them, and the invalidation of dependants.

#include <gtest/gtest.h>

#include <map>
#include <stdexcept>

#include "formula/valeur.h"
#include "grid/tableau.h"
#include "grille_fabrique.h"

namespace korv::grid {
namespace {

using formula::Valeur;

std::unique_ptr<TableauClasse> AvecInvalidation(std::uint8_t octet, std::string texte = "") {
    auto g = test::Enregistrement(2, 2);
    test::Attribut(g, 1, 1).invalidation = octet;
    if (!texte.empty()) test::Texte(g, 1, 1, texte);
    return test::Grille(g);
}

TEST(TableauCases, InvalidationByteReadsItsModes) {
    auto t = AvecInvalidation(83);
    EXPECT_EQ(t->CaseInvalidationStockee(1, 1), 83) << "the whole byte";
    EXPECT_EQ(t->CaseInvalidationStockee(1, 1) & 7, 3);
    EXPECT_FALSE(t->CaseInvalidationEditionEffaceEntree(1, 1));
    EXPECT_EQ(t->CaseInvalidationParEntreeSens(1, 1), 16);
    EXPECT_TRUE(t->CaseInvalidationParEntree(1, 1));
    EXPECT_FALSE(t->CaseInvalidationParSomme(1, 1));
    EXPECT_EQ(t->CaseInvalidationCalculee(1, 1), 0);
}

TEST(TableauCases, InvalidationSettersKeepTheOtherBits) {
    struct Cas {
        std::uint8_t avant;
        void (*change)(TableauClasse&);
        std::uint8_t apres;
    };
    const Cas cas[] = {
        {201, [](TableauClasse& t) { t.CaseInvalidationStockeeChange(1, 1, 2); }, 202},
        {63, [](TableauClasse& t) { t.CaseInvalidationParEntreeSensChange(1, 1, 32); }, 47},
        {1, [](TableauClasse& t) { t.CaseInvalidationEditionEffaceEntreeChange(1, 1, true); }, 9},
        {9, [](TableauClasse& t) { t.CaseInvalidationEditionEffaceEntreeChange(1, 1, false); }, 1},
        {1, [](TableauClasse& t) { t.CaseInvalidationParEntreeChange(1, 1, true); }, 65},
        {129, [](TableauClasse& t) { t.CaseInvalidationParSommeChange(1, 1, false); }, 1},
    };
    for (const auto& c : cas) {
        auto t = AvecInvalidation(c.avant);
        c.change(*t);
        EXPECT_EQ(t->CaseInvalidationStockee(1, 1), c.apres) << int(c.avant);
    }
    auto t = AvecInvalidation(1);
    t->CaseInvalidationStockeeChange(1, 1, 2);
    EXPECT_EQ(t->CaseInvalidationCalculee(1, 1), 1);
}

TEST(TableauCases, StoredInvalidationChangeInvalidatesDependantsOfACellWithText) {
    for (const std::string texte : {"12", ""}) {
        auto g = test::Enregistrement(2, 2);
        test::Texte(g, 1, 1, texte.empty() ? std::string() : texte);
        test::Texte(g, 2, 1, "=A");
        g.resultats.push_back({2, 1, 3, "12"});
        test::Attribut(g, 2, 1).editable = -1;  // keeps its computed state through the load
        auto t = test::Grille(g);
        ASSERT_EQ(t->CaseResultatType(2, 1), 3);
        t->ReferenceDeAjoute(1, 1, 0, 0, 2, 1);
        t->CaseInvalidationStockeeChange(1, 1, 2);
        EXPECT_EQ(t->CaseResultatType(2, 1), texte.empty() ? 3 : 2) << "text \"" << texte << "\"";
    }
}

TEST(TableauCases, NamesAreFoundTrimmedInUpperCase) {
    auto t = test::Grille(test::Enregistrement(3, 3));
    t->CaseNomChange(2, 3, "apport");
    EXPECT_EQ(t->CaseNom(2, 3), "APPORT");
    EXPECT_EQ(t->CaseNomCoordonnees("  apport "), (formula::CaseCoord{2, 3}));
    EXPECT_EQ(t->CaseNomCoordonnees("total"), std::nullopt);
}

TEST(TableauCases, UserInputPresent) {
    struct Cas {
        const char* nom;
        void (*prepare)(GrilleEnregistrement&);
        bool saisi;
    };
    const Cas cas[] = {
        {"formulas to compute only",
         [](GrilleEnregistrement& g) {
             test::Texte(g, 1, 1, "=A");
             g.resultats.push_back({1, 1, 2, ""});
         },
         false},
        {"plain text, not editable", [](GrilleEnregistrement& g) { test::Texte(g, 1, 1, "x"); }, false},
        {"editable entry",
         [](GrilleEnregistrement& g) {
             test::Texte(g, 1, 1, "x");
             test::Attribut(g, 1, 1).editable = -1;
         },
         true},
        {"entry over a formula",
         [](GrilleEnregistrement& g) {
             test::Texte(g, 1, 1, "=A");
             g.resultats.push_back({1, 1, 1, "5"});
             test::Attribut(g, 1, 1).editable = -1;
         },
         true},
        {"code -7 holding 0", [](GrilleEnregistrement& g) {
             test::Texte(g, 1, 1, "0");
             test::Attribut(g, 1, 1).couleurFond = -7;
         },
         false},
        {"code -7 holding 3", [](GrilleEnregistrement& g) {
             test::Texte(g, 1, 1, "3");
             test::Attribut(g, 1, 1).couleurFond = -7;
         },
         true},
    };
    for (const auto& c : cas) {
        auto g = test::Enregistrement(2, 2);
        c.prepare(g);
        EXPECT_EQ(test::Grille(g)->TableauEstIlSaisi(), c.saisi) << c.nom;
    }
}

TEST(TableauCases, ValuesAsTheRecalculationReadsThem) {
    auto g = test::Enregistrement(8, 1);
    test::Texte(g, 1, 1, "Poste");
    test::Texte(g, 2, 1, "12.5");
    test::Attribut(g, 2, 1).typeAffichage = 1;
    test::Texte(g, 3, 1, "abc");
    test::Attribut(g, 3, 1).typeAffichage = 1;
    test::Texte(g, 4, 1, "7");
    test::Attribut(g, 4, 1).invalidation = 2;
    for (auto [c, type] : {std::pair{5, 4}, {6, 5}, {7, 9}}) {
        test::Texte(g, c, 1, "=A");
        g.resultats.push_back({static_cast<std::uint8_t>(c), 1, static_cast<std::uint8_t>(type), "1"});
        test::Attribut(g, c, 1).editable = -1;
    }
    test::Texte(g, 8, 1, "=A");  // to compute after the load
    auto t = test::Grille(g);
    EXPECT_EQ(t->CaseValeurInternePendantCalcul(1, 1), Valeur::Chaine("Poste"));
    EXPECT_EQ(t->CaseValeurInternePendantCalcul(2, 1), Valeur::Double(12.5));
    EXPECT_EQ(t->CaseValeurInternePendantCalcul(3, 1), Valeur::Erreur(2));
    EXPECT_EQ(t->CaseValeurInternePendantCalcul(4, 1), Valeur::Double(0)) << "invalidated by calculation";
    EXPECT_EQ(t->CaseValeurInternePendantCalcul(5, 1), Valeur::Erreur(1)) << "being computed";
    EXPECT_EQ(t->CaseValeurInternePendantCalcul(6, 1), Valeur::Erreur(0));
    EXPECT_EQ(t->CaseValeurInternePendantCalcul(7, 1), Valeur());
    EXPECT_EQ(t->CaseValeurInternePendantCalcul(9, 1), Valeur::Erreur(0));
    EXPECT_EQ(t->CaseValeurInternePendantCalcul(8, 1), Valeur::Chaine("")) << "no compiled formula: the empty text";
    EXPECT_EQ(t->CaseResultatType(8, 1), 3);
}

// Grids by (page, object) for dependants on other grids.
class Environnement : public EnvironnementGrille {
public:
    std::map<std::pair<int, int>, TableauClasse*> grilles;
    bool EnJeu() const override { return false; }
    TableauClasse* Grille(std::int16_t page, std::int16_t objet) override {
        const auto it = grilles.find({page, objet});
        return it == grilles.end() ? nullptr : it->second;
    }
    void RedessineSiAffiche(std::int16_t, std::int16_t) override {}
};

TEST(TableauCases, DependantsAreInvalidatedAcrossGridsAndCyclesEnd) {
    auto g = test::Enregistrement(3, 1);
    for (int c = 1; c <= 3; ++c) {
        test::Texte(g, c, 1, "=A");
        g.resultats.push_back({static_cast<std::uint8_t>(c), 1, static_cast<std::uint8_t>(c == 2 ? 1 : 3), "v"});
        test::Attribut(g, c, 1).editable = -1;
    }
    auto a = test::Grille(g);
    auto b = test::Grille(g);
    Environnement env;
    env.grilles = {{{1, 1}, a.get()}, {{2, 1}, b.get()}};
    a->Identite(1, 1), b->Identite(2, 1);
    a->Environnement(&env), b->Environnement(&env);
    // a(1,1) -> b(1,1) -> b(3,1) -> a(1,1): a cycle; a(1,1) -> a(2,1) entered over its formula -> a(3,1).
    a->ReferenceDeAjoute(1, 1, 2, 1, 1, 1);
    b->ReferenceDeAjoute(1, 1, 2, 1, 3, 1);
    b->ReferenceDeAjoute(3, 1, 1, 1, 1, 1);
    a->ReferenceDeAjoute(1, 1, 1, 1, 2, 1);
    a->ReferenceDeAjoute(2, 1, 1, 1, 3, 1);

    a->RecalculInvaliderRecursivement(1, 1, false);
    EXPECT_EQ(b->CaseResultatType(1, 1), 2);
    EXPECT_EQ(b->CaseResultatType(3, 1), 2);
    EXPECT_EQ(a->CaseResultatType(1, 1), 2) << "reached again through the cycle";
    EXPECT_EQ(a->CaseResultatType(2, 1), 1) << "an entry over a formula is kept";
    EXPECT_EQ(a->CaseResultatType(3, 1), 3) << "and shields its dependants";
    EXPECT_TRUE(a->ParcouruRecalcul(1, 1));

    a->ParcouruRecalculTableauReinit();
    b->ParcouruRecalculTableauReinit();
    a->RecalculInvaliderRecursivement(2, 1, true);
    EXPECT_EQ(a->CaseResultatType(3, 1), 2) << "forced, it walks its dependants";

    a->ReferenceDeSupprimerToutes();
    EXPECT_TRUE(a->Case(1, 1)->ReferencesDe.empty());
}

TEST(TableauCases, WorkOfLaterPartsSaysSo) {
    TableauClasse t;
    EXPECT_THROW(t.ZonePlier(1, 1, 1, 1), std::logic_error);
    EXPECT_THROW(t.ZoneDeplier(1, 1, 1, 1), std::logic_error);
    EXPECT_THROW(t.MemorisePliageLigne(), std::logic_error);
}

}  // namespace
}  // namespace korv::grid
