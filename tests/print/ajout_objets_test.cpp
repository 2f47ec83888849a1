#include "print/ajout_objets.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "print/texte_travail.h"
#include "rtf/document.h"
#include "sources_factices.h"

namespace korv::print::test {
namespace {

// The list as words: texts by their plain text in brackets, grids "G<n>",
// charts "C<n>".
std::vector<std::string> Liste(const ImpressionTravail& t) {
    std::vector<std::string> r;
    for (const auto& e : t.TextesAImprimer) {
        if (const auto* s = std::get_if<std::string>(&e)) {
            if (s->rfind("{\\rtf", 0) == 0) {
                TexteTravail b;
                b.DefinirRtf(*s);
                r.push_back("[" + rtf::TexteUtf8(b.TexteBrut()) + "]");
            } else {
                r.push_back(*s);
            }
        } else if (const auto* g = std::get_if<EntreeTableau>(&e)) {
            r.push_back("G" + std::to_string(g->feuille));
        } else if (const auto* c = std::get_if<EntreeGraphique>(&e)) {
            r.push_back("C" + std::to_string(c->graphique));
        } else {
            r.push_back("?");
        }
    }
    return r;
}

using L = std::vector<std::string>;

struct Banc {
    ImpressionTravail t;
    SourcesFactices s;
    AjoutObjets a{t, s};
    void Ajoute(int page, int objet, std::vector<formula::Valeur> options = {}) {
        a.ImprimeAjouteObjet(page, objet, {}, options);
    }
};

TEST(AddingObjects, PageBreakMarkerCutsTheText) {
    struct Cas {
        const char* texte;
        L liste;
    };
    const Cas cas[] = {
        {"AB<...nouvelle page...>CD", {"[AB]", "SAUTDEPAGE", "[CD]"}},
        {"<...nouvelle page...>CD", {"SAUTDEPAGE", "[CD]"}},
        {"AB<...nouvelle page...>", {"[AB]", "SAUTDEPAGE", "[]"}},
        {"AB<...NOUVELLE PAGE...>CD", {"[AB]", "SAUTDEPAGE", "[CD]"}},
        {"A<...nouvelle page...><...nouvelle page...>B", {"[A]", "SAUTDEPAGE", "SAUTDEPAGE", "[B]"}},
        {"AB", {"[AB]"}},
        {"", {}},
    };
    for (const auto& c : cas) {
        Banc b;
        b.s.Texte(1, 1, c.texte);
        b.Ajoute(1, 1);
        EXPECT_EQ(Liste(b.t), c.liste) << c.texte;
    }
}

TEST(AddingObjects, TitleNumbersAndPageBreakOption) {
    Banc b;
    b.s.Texte(1, 1, "Un");
    b.s.Texte(1, 2, "Deux");
    const auto titre = formula::Valeur::Chaine("TITRE");
    b.Ajoute(1, 1, {titre});
    b.Ajoute(1, 2, {titre});
    b.Ajoute(1, 1, {titre});
    // Only element 1 (the last option written) is read.
    b.Ajoute(1, 2, {formula::Valeur::Chaine("SAUTEPAGE"), titre});
    EXPECT_EQ(Liste(b.t), (L{"[1. Un]", "[2. Deux]", "[3. Un]", "[Deux]", "SAUTDEPAGE"}));
}

TEST(AddingObjects, CellReferences) {
    struct Cas {
        const char* texte;
        const char* resultat;
    };
    const Cas cas[] = {
        {"Total : $ident(P,T,TOTAL)$ euros", "Total : 1 200 euros"},
        {"$ident(P,T,INCONNU)$.", "."},  // an unknown cell: empty
        {"$ident(P,T,TOTAL)$ et $ident(P,T,TOTAL)$", "1 200 et 1 200"},
        // Never closed: left as it is, and the scan ends.
        {"Reste $ident(P,T,TOTAL)", "Reste $ident(P,T,TOTAL)"},
        // A value holding a reference is not read again.
        {"$ident(P,T,PIEGE)$ fin", "$ident(P,T,TOTAL)$ fin"},
        {"$ident(P,T,PIEGE)$$ident(P,T,TOTAL)$", "$ident(P,T,TOTAL)$1 200"},
    };
    for (const auto& c : cas) {
        Banc b;
        b.s.cases["P,T,TOTAL"] = "1 200";
        b.s.cases["P,T,PIEGE"] = "$ident(P,T,TOTAL)$";
        b.s.Texte(1, 1, c.texte);
        b.Ajoute(1, 1);
        EXPECT_EQ(Liste(b.t), (L{"[" + std::string(c.resultat) + "]"})) << c.texte;
    }
}

TEST(AddingObjects, PageCommands) {
    Banc b;
    for (int code : {0, 1, 2, 5, 6, 7, 8, 9, 10, 255}) b.a.ImprimeAjouteObjet(-1, code, {}, {});
    b.a.ImprimeAjouteObjet(-1, 5, "Finances", {});
    EXPECT_EQ(Liste(b.t), (L{"SAUTDEPAGE", "DEBUTCENTRAGEVERTICAL", "FINCENTRAGEVERTICAL",
                             "MAJPAGESOMMAIRE <NUMERO DE PAGE RUBRIQUE >", "DEBUTCENTRAGEHORIZONTAL",
                             "FINCENTRAGEHORIZONTAL", "NEPASIMPRIMERBORDS", "IMPRIMERBORDS",
                             "MAJPAGESOMMAIRE <NUMERO DE PAGE RUBRIQUE Finances>"}));
    b.a.ImprimeAjouteObjet(-1, 3, {}, {});
    EXPECT_TRUE(b.t.SommaireActif);
    b.a.ImprimeAjouteObjet(-1, 4, {}, {});
    EXPECT_FALSE(b.t.SommaireActif);
}

TEST(AddingObjects, GridsWithTheirTitle) {
    Banc b;
    b.s.Grille(1, 1, 5, "Tr\xE9sorerie");
    b.s.Grille(1, 2, 1);  // a copy of fewer than two rows is not printed
    b.s.objets[{1, 3}] = {12, 0, {}, {}};  // an object without a grid
    b.Ajoute(1, 1);
    b.Ajoute(1, 2);
    b.Ajoute(1, 3);
    EXPECT_EQ(Liste(b.t), (L{"TITRETABLEAU", "[Trésorerie]", "G1"}));
    ASSERT_EQ(b.t.feuilles.size(), 1u);
    // The title is bold Arial 9 points.
    TexteTravail titre;
    titre.DefinirRtf(std::get<std::string>(b.t.TextesAImprimer[1]));
    const auto& m = titre.Document().paragraphes.front().morceaux.front();
    EXPECT_TRUE(m.format.gras);
    EXPECT_EQ(m.format.taille, 18);
}

// A text without a text of its own after a grid prints nothing, not the
// grid's title left in the working box.
TEST(AddingObjects, ATextWithoutTextDoesNotPrintTheBoxLeftOver) {
    Banc b;
    b.s.Grille(1, 1, 5, "Titre du tableau");
    b.s.objets[{1, 2}] = {13, 0, {}, "ABSENT.RTF"};
    b.Ajoute(1, 1);
    b.Ajoute(1, 2);
    EXPECT_EQ(Liste(b.t), (L{"TITRETABLEAU", "[Titre du tableau]", "G1"}));
    b.s.fichiers["PRESENT.RTF"] = "Du fichier";
    b.s.objets[{1, 3}] = {13, 0, {}, "PRESENT.RTF"};
    b.Ajoute(1, 3);
    EXPECT_EQ(Liste(b.t).back(), "[Du fichier]");
}

TEST(AddingObjects, SummaryModeAddsThePageCommentaryOnce) {
    Banc b;
    b.s.Grille(2, 1, 5, "A");
    b.s.Grille(2, 2, 5, "B");
    b.s.Texte(2, 3, "Commentaire");
    b.s.Graphique(3, 1);
    b.s.Texte(3, 2, "Sur le graphique");
    b.s.Graphique(4, 1);  // a page without commentary
    b.s.Grille(5, 1, 5, "C");
    b.s.Texte(5, 3, "Autre commentaire");  // another page's, at the same object number
    b.a.ImprimeAjouteObjet(-1, 3, {}, {});
    b.Ajoute(2, 1);
    b.Ajoute(2, 2);
    b.Ajoute(5, 1);
    b.Ajoute(3, 1);
    b.Ajoute(4, 1);
    EXPECT_EQ(Liste(b.t), (L{"TITRETABLEAU", "[A]", "G1", "[Commentaire]", "TITRETABLEAU", "[B]", "G2",
                             "TITRETABLEAU", "[C]", "G3", "[Autre commentaire]", "C1", "[Sur le graphique]", "C2"}));
    EXPECT_EQ(b.t.graphiques[0].Tag, "75% PAGE");
    EXPECT_EQ(b.t.graphiques[1].Tag, "PLEINE PAGE");
    EXPECT_EQ(b.t.graphiques[0].contenu.titre, "3.1");
}

TEST(AddingObjects, ChartsTakeTheWholePageOutsideSummaryMode) {
    Banc b;
    b.s.Graphique(3, 1);
    b.s.Texte(3, 2, "Sur le graphique");
    b.Ajoute(3, 1);
    EXPECT_EQ(Liste(b.t), (L{"C1"}));
    EXPECT_EQ(b.t.graphiques[0].Tag, "PLEINE PAGE");
    EXPECT_EQ(b.s.graphiquesCopies, 1);
}

TEST(AddingObjects, FinalPageBreaksRemoved) {
    struct Cas {
        L avant, apres;
    };
    const Cas cas[] = {
        {{"[t]", "SAUTDEPAGE", "FINCENTRAGEVERTICAL", "SAUTDEPAGE"}, {"[t]", "FINCENTRAGEVERTICAL"}},
        {{"SAUTDEPAGE", "SAUTDEPAGE"}, {}},
        {{"[t]", "SAUTDEPAGE", "[u]"}, {"[t]", "SAUTDEPAGE", "[u]"}},
        {{"G1", "SAUTDEPAGE"}, {"G1"}},
        {{}, {}},
    };
    for (const auto& c : cas) {
        ImpressionTravail t;
        for (const auto& e : c.avant) {
            if (e == "G1") {
                t.TextesAImprimer.emplace_back(EntreeTableau{1});
            } else if (e.front() == '[') {
                t.TextesAImprimer.emplace_back(e.substr(1, e.size() - 2));
            } else {
                t.TextesAImprimer.emplace_back(e);
            }
        }
        SautsDePageFinalsRetirer(t);
        L apres;
        for (const auto& e : t.TextesAImprimer) {
            if (std::holds_alternative<EntreeTableau>(e)) {
                apres.push_back("G1");
            } else {
                const auto& s = std::get<std::string>(e);
                apres.push_back(s.size() == 1 ? "[" + s + "]" : s);
            }
        }
        EXPECT_EQ(apres, c.apres);
    }
}

}  // namespace
}  // namespace korv::print::test
