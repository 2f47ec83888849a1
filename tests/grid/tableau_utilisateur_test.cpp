// The grid's user record in the plan document: the exact bytes, what the
// reader does to the cells, older versions, and damaged records.

#include <gtest/gtest.h>

#include <sstream>
#include <string>

#include "grid/donnees_utilisateur.h"
#include "grid/tableau.h"
#include "banc_calcul.h"
#include "grille_fabrique.h"
#include "platform/binary_reader.h"
#include "platform/binary_writer.h"

namespace korv::grid {
namespace {

using namespace std::string_literals;

std::string Ecrit(const TableauClasse& t) {
    BinaryWriter out;
    t.SauverUtilisateur(out);
    return out.take();
}

void Charge(TableauClasse& t, const std::string& octets, OptionsChargementUtilisateur o = {}) {
    BinaryReader in(octets);
    t.ChargerUtilisateur(in, o);
    EXPECT_TRUE(in.atEnd()) << "the reader stops at the record's end";
}

// Everything of a grid the reader may change, as text.
std::string Etat(const TableauClasse& t) {
    std::ostringstream s;
    s << int(t.DecalageColonne()) << ',' << int(t.DecalageLigne()) << '|';
    for (int c = 1; c <= t.ColonneNb(); ++c) s << t.Colonne(c).Pliee << ',';
    for (int r = 1; r <= t.LigneNb(); ++r) s << t.Ligne(r).Pliee << ',';
    for (int c = 1; c <= t.ColonneNb(); ++c) {
        for (int r = 1; r <= t.LigneNb(); ++r) {
            const CaseTableau* x = t.Case(c, r);
            const auto& a = x->Attribut();
            s << '[' << x->Texte << '/' << x->Valeur << '/' << int(x->ResultatType) << '/' << a.Fichier << '/'
              << int(a.Invalidation) << '/' << a.CouleurFond << '/' << int(a.Fusion) << ']';
        }
    }
    return s.str();
}

// The 2×2 grid of the fixture: an editable cell, a formula, and a cell
// that a plan action coloured.
std::unique_ptr<TableauClasse> GrilleDeuxParDeux() {
    auto g = test::Enregistrement(2, 2);
    test::Attribut(g, 1, 1).editable = -1;
    test::Texte(g, 2, 1, "=A1");
    return test::Grille(g);
}

// Entry "12" in (1, 1), a value "7" typed over the formula of (2, 1),
// colour -20 on (1, 2).
const std::string kFixture =
    "\x01\x01"                          // offsets
    "\x00\x00\x00\x00"                  // column folds
    "\x00\x00\x00\x00"                  // row folds
    "\x01\x01\x02\x00\x00\x00" "12" "\x00"  // entries
    "\x02\x01\x01\x01\x00\x00\x00" "7" "\x00"  // entries over formulas
    "\x00"                              // files
    "\x00"                              // invalidated cells
    "\x01\x02\xEC\xFF\xFF\xFF\x00"      // colours
    "\x00"s;                            // merge marks

TEST(DonneesUtilisateur, FixtureOfTheTwoByTwoGrid) {
    ASSERT_EQ(kFixture.size(), 38u);
    auto t = GrilleDeuxParDeux();
    Charge(*t, kFixture);
    EXPECT_EQ(t->Case(1, 1)->Texte, "12");
    EXPECT_EQ(t->Case(2, 1)->Texte, "=A1") << "the formula stays";
    EXPECT_EQ(t->Case(2, 1)->Valeur, "7");
    EXPECT_EQ(t->Case(2, 1)->ResultatType, resultat::kEntreeSurFormule);
    EXPECT_EQ(t->CaseCouleurFond(1, 2), -20);
    EXPECT_EQ(Ecrit(*t), kFixture) << "written back byte for byte";
}

TEST(DonneesUtilisateur, UntouchedGridWritesItsPlainTextsAndSixZeros) {
    auto g = test::Enregistrement(2, 3);
    test::Texte(g, 1, 2, "Titre");
    test::Texte(g, 2, 2, "=1+1");
    auto t = test::Grille(g);
    const std::string attendu = "\x01\x01"s + std::string(10, '\0') + "\x01\x02\x05\x00\x00\x00Titre\x00"s +
                                std::string(5, '\0');
    EXPECT_EQ(Ecrit(*t), attendu);
}

TEST(DonneesUtilisateur, WriterChoosesTheFixedCellsUsersMayHaveChanged) {
    auto g = test::Enregistrement(1, 4);
    test::Attribut(g, 1, 1).couleurFond = -15;  // white text, even empty
    test::Attribut(g, 1, 2).couleurFond = -14;  // toggle on
    test::Texte(g, 1, 2, "1");
    test::Attribut(g, 1, 3).editable = -1;      // editable, even empty
    auto t = test::Grille(g);
    const std::string octets = Ecrit(*t);
    BinaryReader in(octets);
    const auto d = LitDonneesUtilisateur(in, 1, 4, 1, 4, {});
    ASSERT_EQ(d.entrees.size(), 3u);
    EXPECT_EQ(d.entrees[0], (CaseTexteUtilisateur{1, 1, ""}));
    EXPECT_EQ(d.entrees[1], (CaseTexteUtilisateur{1, 2, "1"}));
    EXPECT_EQ(d.entrees[2], (CaseTexteUtilisateur{1, 3, ""}));
}

// A grid with every kind of user data, from its scene record.
GrilleEnregistrement Riche() {
    auto g = test::Enregistrement(3, 40);
    g.decalageColonne = 2;
    g.decalageLigne = 5;
    g.colonnes[2].pliee = -1;
    g.lignes[10].pliee = -1;
    for (int r = 1; r <= 40; r += 3) {
        test::Attribut(g, 1, r).editable = -1;
        test::Texte(g, 1, r, "saisie " + std::to_string(r));
    }
    test::Texte(g, 2, 1, "=A1*2");
    g.resultats.push_back({2, 1, resultat::kEntreeSurFormule, "99"});
    test::Texte(g, 2, 2, "=A1*3");
    test::Attribut(g, 3, 1).fichier = "../images/a.bmp";
    test::Attribut(g, 3, 2).invalidation = 2 | 64;
    test::Attribut(g, 3, 3).couleurFond = -23;
    test::Attribut(g, 3, 4).couleurFond = -18;
    test::Attribut(g, 3, 5).couleurFond = -17;  // not a plan-action colour
    test::Attribut(g, 2, 39).fusion = 1;
    test::Attribut(g, 3, 39).fusion = 2;
    return g;
}

TEST(DonneesUtilisateur, WriteThenReadRestoresTheUserState) {
    auto a = test::Grille(Riche());
    const std::string octets = Ecrit(*a);
    // The same grid fresh from the scene, then changed everywhere the
    // record reaches, before the record is read over it.
    auto scene = Riche();
    scene.decalageColonne = 1;
    scene.decalageLigne = 1;
    scene.colonnes[2].pliee = 0;
    scene.lignes[10].pliee = 0;
    scene.lignes[20].pliee = -1;
    auto b = test::Grille(scene);
    b->CaseFichierChange(3, 1, "");
    b->CaseCouleurFondChange(3, 3, 0);
    Charge(*b, octets);
    EXPECT_EQ(Ecrit(*b), octets);
    EXPECT_EQ(Etat(*b), Etat(*a));
    EXPECT_EQ(b->Colonne(3).Pliee, -1);
    EXPECT_EQ(b->Ligne(21).Pliee, 0);
    EXPECT_EQ(b->CaseFichier(3, 1), "../images/a.bmp");
    EXPECT_EQ(b->CaseInvalidationStockee(3, 2) & 7, 2);
    EXPECT_EQ(b->CaseInvalidationStockee(3, 2) & 64, 64) << "the other bits are the scene's";
    EXPECT_EQ(b->CaseCouleurFond(3, 5), -17);
}

TEST(DonneesUtilisateur, ReaderResetsCellsBeforeTheLists) {
    auto g = test::Enregistrement(2, 2);
    test::Texte(g, 1, 1, "=1+1");
    g.resultats.push_back({1, 1, resultat::kCalcule, "2"});
    test::Attribut(g, 2, 1).couleurFond = -14;
    test::Texte(g, 2, 1, "1");
    test::Attribut(g, 1, 2).editable = -1;
    test::Texte(g, 1, 2, "vieux");
    test::Attribut(g, 2, 2).invalidation = 2;
    auto t = test::Grille(g);
    const std::string vide = "\x01\x01"s + std::string(8, '\0') + std::string(6, '\0');
    Charge(*t, vide);
    EXPECT_EQ(t->Case(1, 1)->Valeur, "");
    EXPECT_EQ(t->Case(1, 1)->ResultatType, resultat::kACalculer) << "the formula computes again";
    EXPECT_EQ(t->Case(2, 1)->Texte, "0") << "a toggle not saved is off";
    EXPECT_EQ(t->Case(1, 2)->Texte, "vieux") << "an entry not saved keeps the scene's text";
    EXPECT_EQ(t->Case(1, 2)->ResultatType, resultat::kEntree);
    EXPECT_EQ(t->CaseInvalidationStockee(2, 2) & 7, 1);
    EXPECT_EQ(t->Case(2, 1)->Valeur, "0") << "fixed cells show their content";
}

// A record for a 2-column, 50-row grid with one entry per list.
std::string RecordUneCaseParListe(int ligneEntree, int ligneCouleur, bool couleurs, bool fusions) {
    BinaryWriter w;
    w.u8(1);
    w.u8(1);
    w.zeros(2 * (2 + 50));
    for (int liste = 0; liste < 4; ++liste) {
        w.u8(1);
        w.u8(static_cast<std::uint8_t>(ligneEntree));
        if (liste == 1) w.u8(1);
        if (liste != 3) w.fileString("x");
        w.u8(0);
    }
    if (couleurs) {
        w.u8(2);
        w.u8(static_cast<std::uint8_t>(ligneCouleur));
        w.i32(-19);
        w.u8(0);
    }
    if (fusions) {
        w.u8(2);
        w.u8(static_cast<std::uint8_t>(ligneCouleur));
        w.u8(1);
        w.u8(0);
    }
    return w.take();
}

TEST(DonneesUtilisateur, ShiftOfOlderDocumentsAndVersionLists) {
    struct Cas {
        std::int32_t version;
        bool decalage;
        int ligneLue;
        int ligneAttendue;
        bool couleurs;
        bool fusions;
    };
    const Cas cas[] = {
        {300, false, 40, 40, true, true},  {300, true, 40, 45, true, true}, {300, true, 33, 33, true, true},
        {300, true, 34, 39, true, true},   {22, true, 45, 50, true, false}, {21, false, 2, 2, false, false},
        {2, false, 2, 2, false, false},
    };
    for (const Cas& k : cas) {
        SCOPED_TRACE(testing::Message() << "version " << k.version << " row " << k.ligneLue);
        const std::string octets = RecordUneCaseParListe(k.ligneLue, 40, k.couleurs, k.fusions);
        BinaryReader in(octets);
        OptionsChargementUtilisateur o;
        o.version = k.version;
        o.decalage = k.decalage;
        const auto d = LitDonneesUtilisateur(in, 2, 50, 2, 50, o);
        EXPECT_TRUE(in.atEnd());
        ASSERT_EQ(d.entrees.size(), 1u);
        EXPECT_EQ(d.entrees[0].ligne, k.ligneAttendue);
        EXPECT_EQ(d.resultats[0].ligne, k.ligneAttendue);
        EXPECT_EQ(d.fichiers[0].ligne, k.ligneAttendue);
        EXPECT_EQ(d.invalidees[0].ligne, k.ligneAttendue);
        EXPECT_EQ(d.couleurs.size(), k.couleurs ? 1u : 0u);
        EXPECT_EQ(d.fusions.size(), k.fusions ? 1u : 0u);
        if (k.couleurs) {
            EXPECT_EQ(d.couleurs[0].ligne, 40) << "colours are never shifted";
        }
        if (k.fusions) {
            EXPECT_EQ(d.fusions[0].ligne, 40) << "merge marks are never shifted";
        }
    }
}

TEST(DonneesUtilisateur, EntriesOverFormulasAndEditableOnly) {
    auto g = test::Enregistrement(3, 1);
    test::Texte(g, 1, 1, "=2");
    test::Texte(g, 2, 1, "fixe");
    test::Attribut(g, 3, 1).editable = -1;
    const std::string octets = "\x01\x01"s + std::string(8, '\0') + "\x01\x01\x01\x00\x00\x00" "5"s +
                               "\x02\x01\x01\x00\x00\x00" "n"s + "\x03\x01\x01\x00\x00\x00" "e"s +
                               std::string(6, '\0');
    {
        auto t = test::Grille(g);
        Charge(*t, octets);
        EXPECT_EQ(t->Case(1, 1)->Valeur, "5");
        EXPECT_EQ(t->Case(1, 1)->ResultatType, resultat::kEntreeSurFormule);
        EXPECT_EQ(t->Case(2, 1)->Texte, "n");
        EXPECT_EQ(t->Case(2, 1)->Valeur, "n") << "final pass: fixed cells show their content";
        EXPECT_EQ(t->Case(3, 1)->Texte, "e");
    }
    {
        auto t = test::Grille(g);
        OptionsChargementUtilisateur o;
        o.editablesSeuls = true;
        Charge(*t, octets, o);
        EXPECT_EQ(t->Case(1, 1)->ResultatType, resultat::kACalculer) << "dropped: the formula is not editable";
        EXPECT_EQ(t->Case(2, 1)->Texte, "fixe");
        EXPECT_EQ(t->Case(3, 1)->Texte, "e");
    }
}

TEST(DonneesUtilisateur, OffsetsAreLimitedToTheGrid) {
    auto t = GrilleDeuxParDeux();
    std::string octets = kFixture;
    octets[0] = '\x09';
    octets[1] = '\x00';
    Charge(*t, octets);
    EXPECT_EQ(t->DecalageColonne(), 2);
    EXPECT_EQ(t->DecalageLigne(), 1);
}

TEST(DonneesUtilisateur, DamagedRecordsLeaveTheGridUnchanged) {
    std::vector<std::string> endommages;
    for (std::size_t n = 0; n < kFixture.size(); ++n) endommages.push_back(kFixture.substr(0, n));
    const std::string tete = "\x01\x01"s + std::string(8, '\0');
    endommages.push_back(tete + "\x09\x09\x00\x00\x00\x00\x00"s + std::string(5, '\0'));  // cell (9, 9)
    endommages.push_back(tete + "\x01\x03\x00\x00\x00\x00\x00"s + std::string(5, '\0'));  // row 3 of 2
    endommages.push_back(tete + "\x00\x01\x01\x09\x00\x00\x00\x00\x00"s + std::string(4, '\0'));  // type 9
    endommages.push_back(tete + std::string(5, '\0') + "\x01\x01\x07\x00"s);  // merge mark 7
    endommages.push_back(tete + "\x01\x01\xFF\xFF\xFF\x7F"s + "x" + std::string(6, '\0'));  // huge length
    for (const std::string& octets : endommages) {
        SCOPED_TRACE(testing::Message() << "record of " << octets.size() << " bytes");
        auto t = GrilleDeuxParDeux();
        Charge(*t, kFixture);
        const std::string avant = Etat(*t);
        BinaryReader in(octets);
        EXPECT_THROW(t->ChargerUtilisateur(in), ReadError);
        EXPECT_EQ(Etat(*t), avant);
    }
}

TEST(DonneesUtilisateur, ShiftedRowPastTheGridIsRefused) {
    // Row 252 shifted lands on 257: beyond a byte and beyond the grid.
    const std::string octets = RecordUneCaseParListe(252, 1, true, true);
    BinaryReader in(octets);
    OptionsChargementUtilisateur o;
    o.decalage = true;
    EXPECT_THROW(LitDonneesUtilisateur(in, 2, 50, 2, 255, o), ReadError);
    const std::string octets2 = RecordUneCaseParListe(48, 1, true, true);
    BinaryReader in2(octets2);
    EXPECT_THROW(LitDonneesUtilisateur(in2, 2, 50, 2, 50, o), ReadError) << "48 + 5 is past 50 rows";
}

// Records written for a larger grid (older documents): every list's cells
// beyond today's grid are read and dropped, the rest kept, the stream left at
// the record's end; a record whose bytes break is still refused.
TEST(DonneesUtilisateur, CellsBeyondTheGridReadAndDroppedForOlderSizes) {
    OptionsChargementUtilisateur o;
    o.horsGrilleIgnorees = true;
    o.decalage = true;
    const struct {
        int ligne;
        std::size_t gardees;
    } cas[] = {{10, 1}, {30, 1}, {33, 1}, {34, 0}, {48, 0}, {252, 0}};
    for (const auto& k : cas) {
        SCOPED_TRACE(testing::Message() << "row " << k.ligne);
        // Read into a grid of 1 column and 38 rows: column 2 (colours, merges)
        // is always beyond it; row 34 and more move to 39 and more.
        const std::string octets = RecordUneCaseParListe(k.ligne, 3, true, true);
        BinaryReader in(octets);
        const auto d = LitDonneesUtilisateur(in, 2, 50, 1, 38, o);
        EXPECT_TRUE(in.atEnd());
        EXPECT_EQ(d.entrees.size(), k.gardees);
        EXPECT_EQ(d.resultats.size(), k.gardees);
        EXPECT_EQ(d.fichiers.size(), k.gardees);
        EXPECT_EQ(d.invalidees.size(), k.gardees);
        EXPECT_TRUE(d.couleurs.empty());
        EXPECT_TRUE(d.fusions.empty());
        EXPECT_EQ(d.plisColonnes.size(), 2u) << "the record's own fold count is read";
        if (k.gardees) {
            EXPECT_EQ(d.entrees[0].texte, "x");
            EXPECT_EQ(d.entrees[0].ligne, k.ligne);
        }
    }
    const std::string bon = RecordUneCaseParListe(40, 3, true, true);
    for (std::size_t n = 0; n < bon.size(); ++n) {
        BinaryReader in(std::string_view(bon).substr(0, n));
        EXPECT_THROW(LitDonneesUtilisateur(in, 2, 50, 1, 38, o), ReadError) << n;
    }
}

TEST(DonneesUtilisateur, OlderCountsDifferentFromTheGrid) {
    // A caller's counts above the grid: the extra fold flags are read and dropped.
    auto t = GrilleDeuxParDeux();
    BinaryWriter w;
    w.u8(1);
    w.u8(1);
    for (int i = 0; i < 3; ++i) w.i16(-1);
    for (int i = 0; i < 2; ++i) w.i16(0);
    w.zeros(6);
    OptionsChargementUtilisateur o;
    o.colonnes = 3;
    Charge(*t, w.take(), o);
    EXPECT_EQ(t->Colonne(1).Pliee, -1);
    EXPECT_EQ(t->Colonne(2).Pliee, -1);
}

TEST(DonneesUtilisateur, Version230FixesGuardSmallGrids) {
    // On a grid with its formula services, as in the program: marks count
    // generations, so the conversion's marks must follow the current one.
    test::BancCalcul banc;
    banc.MarquesReinit();
    banc.MarquesReinit();
    // Page 43 grid of 69 rows but only 5 columns: the fill of columns 2..13
    // stops at the grid's edge.
    TableauClasse& t = banc.Ajoute(43, 1, 5, 69);
    BinaryWriter w;
    w.u8(1);
    w.u8(1);
    w.zeros(2 * (5 + 55));
    w.zeros(6);
    OptionsChargementUtilisateur o;
    o.version230 = true;
    o.pageEnChargement = 43;
    Charge(t, w.take(), o);
    EXPECT_EQ(t.Case(5, 60)->Valeur, "") << "fixed cells show their (empty) content";
    EXPECT_EQ(t.Case(2, 55)->ResultatType, resultat::kEntree);
    EXPECT_TRUE(t.ParcouruRecalcul(2, 56)) << "the converted cells are visited in this generation";

    // Page 25 grid of 23 columns and 10 rows: the new column's cells stop at row 10.
    TableauClasse& t2 = banc.Ajoute(25, 1, 23, 10);
    BinaryWriter w2;
    w2.u8(1);
    w2.u8(1);
    w2.zeros(2 * (22 + 10));
    w2.zeros(6);
    o.pageEnChargement = 25;
    Charge(t2, w2.take(), o);
    EXPECT_EQ(t2.Case(23, 3)->Texte, "=45");
    EXPECT_EQ(t2.Case(23, 10)->Texte, "=45");
    EXPECT_NE(t2.Case(23, 3)->Formule, nullptr) << "the new cells' formula is compiled";
    EXPECT_FALSE(t2.ParcouruRecalcul(23, 3));
    EXPECT_EQ(t2.CaseCouleurFond(23, 10), -1);
    EXPECT_EQ(t2.DecalageColonne(), 3);
}

}  // namespace
}  // namespace korv::grid
