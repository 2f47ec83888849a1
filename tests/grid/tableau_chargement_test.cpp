// Grids built from their stored records, the normalisation after a load,
// the block form's formulas, the size estimate and the older text form.

#include <gtest/gtest.h>

#include "formula/expression.h"
#include "grid/tableau.h"
#include "grille_fabrique.h"
#include "platform/cp1252.h"
#include "platform/message_box_fake.h"

namespace korv::grid {
namespace {

TEST(TableauChargement, EmptyListsGiveDefaultCells) {
    auto g = test::Enregistrement(2, 3);
    g.decalageColonne = 0;  // raised to 1
    g.decalageLigne = 9;    // cut to the count
    auto t = test::Grille(g);
    EXPECT_EQ(t->DecalageColonne(), 1);
    EXPECT_EQ(t->DecalageLigne(), 3);
    for (int c = 1; c <= 2; ++c) {
        for (int r = 1; r <= 3; ++r) {
            EXPECT_FALSE(t->Case(c, r)->AttributPropre());
            EXPECT_EQ(t->CaseEditeur(c, r), "");
            EXPECT_EQ(t->CaseResultatInterne(c, r), "");
        }
    }
}

TEST(TableauChargement, CompleteRecordCellsAndNormalisation) {
    auto g = test::Enregistrement(3, 2);
    g.lignesBasColleesEnBas = -1;
    g.colonnes[1] = {2400, -1, 2, 1, {0, 1, 0, 0, 0, 0, 0, 0}};
    g.lignes[1] = {300, 0, -1, {0, 1, 0, 0, 1, 0, 0, 0}};
    test::Texte(g, 1, 1, "12.5");
    test::Attribut(g, 1, 1).typeAffichage = 1;
    test::Texte(g, 2, 1, "=2*3");
    g.textes.back().formule = formula::ExpressionEnregistrement{};
    g.textes.back().formule->jetons = {{4, 2.0}, {4, 3.0}, {1, std::uint8_t{3}}};
    g.resultats.push_back({2, 1, 3, "6"});
    auto& a = test::Attribut(g, 3, 2);
    a.editable = -1;
    a.nom = "Total";
    a.bulle = "aide";
    a.invalidation = 83;
    auto t = test::Grille(g);

    EXPECT_EQ(t->LignesBasColleesEnBasValeur(), -1);
    EXPECT_EQ(t->ColonneLargeur(2), 2400);
    EXPECT_EQ(t->Colonne(2).Pliee, -1);
    EXPECT_EQ(t->Colonne(2).Marque1, 2);
    EXPECT_EQ(t->Colonne(2).Marque3, 1);
    EXPECT_EQ(t->Colonne(2).AttributImpression.Imprimable, 1);
    EXPECT_EQ(t->Ligne(2).Marque2, -1);
    EXPECT_EQ(t->Ligne(2).AttributImpression.ImprimeFond, 1);

    EXPECT_EQ(t->CaseEditeur(1, 1), "12,5") << "the decimal comma of display";
    EXPECT_EQ(t->CaseResultatInterne(1, 1), "12,5") << "a plain cell not editable shows its entry";
    EXPECT_EQ(t->CaseResultatType(1, 1), 0);
    EXPECT_EQ(t->CaseEditeur(2, 1), "=2*3");
    ASSERT_NE(t->Case(2, 1)->Formule, nullptr);
    EXPECT_EQ(t->Case(2, 1)->Formule->NombreJetons(), 3);
    EXPECT_EQ(t->CaseResultatType(2, 1), 2) << "a formula not editable is to be computed";
    EXPECT_EQ(t->CaseResultatInterne(2, 1), "");
    EXPECT_EQ(t->CaseNom(3, 2), "TOTAL");
    EXPECT_EQ(t->CaseBulle(3, 2), "aide");
    EXPECT_TRUE(t->CaseEstEditable(3, 2));
    EXPECT_EQ(t->CaseInvalidationStockee(3, 2), 83);
}

TEST(TableauChargement, QuickRecordForms) {
    GrilleEnregistrement g;
    g.forme = FormeGrille::Rapide;
    g.reduit = true;
    g.colonneNb = 2;
    g.ligneNb = 2;
    g.lignesBasColleesEnBas = 2;
    g.textes.push_back({1, 1, "a", std::nullopt});
    g.textes.push_back({2, 2, "=x+1", std::nullopt});
    g.resultats.push_back({1, 2, 1, ""});
    AttributCaseFichier r;
    r.genre = GenreAttribut::Reduit;
    r.colonne = 2;
    r.ligne = 1;
    r.typeAffichage = 2;
    r.couleurFond = -14;
    r.nom = "taux";
    g.attributs.push_back(r);
    AttributCaseFichier p;
    p.genre = GenreAttribut::Partiel;
    p.colonne = 1;
    p.ligne = 2;
    p.editable = 2;
    p.couleurFond = 16777215;
    p.invalidation = 1;
    g.attributs.push_back(p);
    formula::ExpressionUDT u{2, 2, {}};
    u.expression.jetons = {{4, 1.0}};
    formula::ExpressionUDT sansTexte{1, 1, {}};
    auto t = test::Grille(g, 5000, 5000, {u});

    EXPECT_EQ(t->LignesBasColleesEnBasValeur(), -1);
    EXPECT_EQ(t->ColonneLargeur(1), 0) << "a reduced record has no column sizes";
    EXPECT_EQ(t->LigneHauteur(2), 0);
    EXPECT_EQ(t->CaseType(2, 1), 2);
    EXPECT_EQ(t->CaseCouleurFond(2, 1), -14);
    EXPECT_EQ(t->CaseNom(2, 1), "TAUX");
    EXPECT_TRUE(t->CaseEstEditable(1, 2)) << "an editable byte of 2 is true";
    EXPECT_EQ(t->Case(1, 2)->Attribut().Editable, -1);
    EXPECT_EQ(t->CaseResultatInterne(1, 2), "") << "a result of length 0";
    EXPECT_EQ(t->CaseResultatType(1, 2), 1);
    EXPECT_EQ(t->CaseEditeur(2, 2), "=#") << "a block formula shows no source, whatever text the record gave";
    ASSERT_NE(t->Case(2, 2)->Formule, nullptr);
    EXPECT_EQ(t->CaseResultatType(2, 2), 2);
    EXPECT_FALSE(t->Case(2, 2)->AttributPropre()) << "cells without attribute entry share the defaults";

    auto t2 = test::Grille(g, 5000, 5000, {sansTexte});
    EXPECT_EQ(t2->CaseEditeur(1, 1), "=#") << "a formula whose source the file did not keep";
    ASSERT_NE(t2->Case(1, 1)->Formule, nullptr);
}

TEST(TableauChargement, SizeEstimate) {
    auto t = test::Grille(test::Enregistrement(3, 4));
    EXPECT_EQ(t->TailleEnOctets(), 208);
}

TEST(TableauChargement, OlderTextForm) {
    platform::BoiteMessageFactice messages;
    TableauClasse t;
    // 2 columns, 3 rows: widths at 4 and 7, heights at 10, 13 and 16; cells from 19.
    std::string liste = "2,3,0,900,0,0,1100,0,0,300,0,0,310,0,0,320,0,0,";
    liste += "#TC1L1#Total \xA7 1.5,";
    liste += "#RC2L1#E42,";
    liste += "#RC2L2#Z1,";
    liste += "#AC2L2#R2!E1!F255!T9!CDOC.TXT!SCHANGEATTRIBUT,";
    liste += "#AC1L2#R5!X1,";
    liste += "#PL3,";
    liste += "#TC9L9#hors,";
    liste += "n'importe quoi";
    t.DeCodageTxtAncien(liste, &messages);

    EXPECT_EQ(t.ColonneNb(), 2);
    EXPECT_EQ(t.LigneNb(), 3);
    EXPECT_EQ(t.ColonneLargeur(1), 900);
    EXPECT_EQ(t.ColonneLargeur(2), 1100);
    EXPECT_EQ(t.LigneHauteur(3), 320);
    EXPECT_EQ(t.CaseEditeur(1, 1), "Total . 1.5");
    EXPECT_EQ(t.CaseResultatInterne(2, 1), "42");
    EXPECT_EQ(t.CaseResultatType(2, 1), 1);
    EXPECT_EQ(t.CaseType(2, 2), 2);
    EXPECT_EQ(t.CaseCouleurFond(2, 2), 255);
    EXPECT_EQ(t.CaseCouleurTexte(2, 2), 9);
    EXPECT_TRUE(t.CaseEstEditable(2, 2));
    EXPECT_EQ(t.CaseFichier(2, 2), "DOC.TXT");
    EXPECT_EQ(t.CaseScript(2, 2), "CaseChangeFichier");
    EXPECT_EQ(t.Ligne(3).Pliee, -1);
    std::vector<std::string> textes;
    for (const auto& m : messages.messages) textes.push_back(platform::Cp1252VersUtf8(m.texte));
    EXPECT_EQ(textes, (std::vector<std::string>{
                          "Import tableau.Type de résultat inconnu",
                          "Import tableau.Attribut de type d'affichage inconnu",
                          "Import tableau.Attribut inconnu",
                          "Import tableau.Contenu de case non compris:'n'importe quoi'\r\nContenu ignoré.",
                      }));
}

}  // namespace
}  // namespace korv::grid
