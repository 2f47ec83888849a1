// Documents of the program's 2.x versions, without the program around them
// (so that the sanitizer build runs them too): a synthetic version-2.2
// document written from the old layout loads to its last byte into a scene
// keeping a few of the old pages; items find their objects by their own
// type or go to the scratch grid; versions 2.0 and 2.1, part saves, other
// kinds and every broken byte stream are refused and change nothing.

#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <memory>
#include <span>
#include <string>
#include <vector>

#include "engine/moteur.h"
#include "formula/monnaies.h"
#include "grid/grid_record.h"
#include "grid/tableau.h"
#include "plan/document/chargeur_ancien.h"
#include "plan/document/document_plan.h"
#include "plan/etat_plan.h"
#include "plan/methode/etapes_methode.h"
#include "platform/binary_reader.h"
#include "platform/binary_writer.h"
#include "platform/message_box_fake.h"

namespace korv::plan {
namespace {

// A grid of `c` columns and `r` rows; the rows `editables` says are editable
// in every column.
std::unique_ptr<grid::TableauClasse> Grille(int c, int r, bool (*editables)(int ligne) = nullptr) {
    grid::GrilleEnregistrement g;
    g.forme = grid::FormeGrille::Complete;
    g.colonneNb = static_cast<std::uint8_t>(c);
    g.ligneNb = static_cast<std::uint8_t>(r);
    g.colonnes.resize(static_cast<std::size_t>(c));
    for (auto& x : g.colonnes) x.taille = 1200;
    g.lignes.resize(static_cast<std::size_t>(r));
    for (auto& x : g.lignes) x.taille = 300;
    for (int l = 1; l <= r; ++l) {
        for (int k = 1; k <= c; ++k) {
            grid::AttributCaseFichier a;
            a.colonne = static_cast<std::uint8_t>(k);
            a.ligne = static_cast<std::uint8_t>(l);
            a.editable = !editables || editables(l) ? -1 : 0;
            g.attributs.push_back(a);
        }
    }
    auto t = std::make_unique<grid::TableauClasse>();
    t->InitialiseRectangleParent(0, 0, 5000, 5000);
    t->Charge(g, {});
    return t;
}

engine::ObjetPage Objet(engine::TypeObjet type, std::string nom, std::int16_t drapeaux = 0, const char* texte = "") {
    engine::ObjetPage o;
    o.type = static_cast<std::uint8_t>(type);
    o.nom = std::move(nom);
    o.G[2] = drapeaux;
    o.texte = texte;
    return o;
}

using TO = engine::TypeObjet;

// A scene keeping a few of the old pages, at today's sizes: VENTE (a kept
// text, a 3 x 5 grid where the old record was 18 x 37), BFR (grid BFRS of 45
// rows), HDBILSAI (grid SAISIE, row 21 alone editable), HDBIL and TDBPAC,
// the conversion page with its two grids, and NOUVELLE, a page no old
// document knows.
struct Plan {
    struct PageTest {
        const char* nom;
        std::vector<engine::ObjetPage> objets;
    };
    Plan() {
        const PageTest pages[] = {
            {"VENTE", {Objet(TO::Tableau, "G"), Objet(TO::TexteRtf, "T", 2, "{\\rtf1 scene}")}},
            {"BFR", {Objet(TO::Tableau, "BFRS")}},
            {"HDBILSAI", {Objet(TO::Tableau, "SAISIE")}},
            {"HDBIL", {Objet(TO::Tableau, "G")}},
            {"TDBPAC", {Objet(TO::TexteRtf, "T", 2, "{\\rtf1 pac}"), Objet(TO::Tableau, "G")}},
            {"CHARGEV2", {Objet(TO::Tableau, "DUMMY"), Objet(TO::Tableau, "Objetid2")}},
            {"NOUVELLE", {Objet(TO::Tableau, "G")}},
        };
        for (const PageTest& p : pages) {
            engine::PageScene s;
            s.objets.push_back(Objet(TO::Fond, p.nom));
            for (const auto& o : p.objets) s.objets.push_back(o);
            moteur.scene.pages.push_back(std::move(s));
        }
        grilles[{1, 2}] = Grille(3, 5);
        grilles[{2, 2}] = Grille(1, 45);
        grilles[{3, 2}] = Grille(1, 21, [](int l) { return l == 21; });
        grilles[{4, 2}] = Grille(2, 12);
        grilles[{5, 3}] = Grille(4, 41);
        grilles[{6, 2}] = Grille(2, 2);
        grilles[{6, 3}] = Grille(2, 2);
        grilles[{7, 2}] = Grille(2, 2);
        etapes.MethodePlanDefautCreer();
        ServicesDocument s;
        s.moteur = &moteur;
        s.grille = [this](int page, int objet) -> grid::TableauClasse* {
            const auto it = grilles.find({page, objet});
            return it != grilles.end() ? it->second.get() : nullptr;
        };
        s.etat = &etat;
        s.etapes = &etapes;
        s.messages = &messages;
        document = std::make_unique<DocumentPlan>(s);
        document->PolicesDefautInitialiser();
    }
    grid::TableauClasse& G(int page, int objet) { return *grilles.at({page, objet}); }
    SceneDocument Scene() {
        return SceneDocument{moteur.scene, [this](int page, int objet) -> grid::TableauClasse* {
                                 const auto it = grilles.find({page, objet});
                                 return it != grilles.end() ? it->second.get() : nullptr;
                             }};
    }

    platform::BoiteMessageFactice messages;
    engine::Moteur moteur;
    std::map<std::pair<int, int>, std::unique_ptr<grid::TableauClasse>> grilles;
    EtatPlan etat{messages};
    MethodeEtapes etapes;
    std::unique_ptr<DocumentPlan> document;
};

// An old document's body as the old program wrote it: for item k of an
// entry, a grid record of the item's old size (every row folded) holding the entries "NAME k"
// in its first cell, "NAME k bas" in the first cell of its last row and
// "NAME k coin" in its last cell; a rich text "{\rtf1 NAME k}".
void EcrireCorps(BinaryWriter& w, std::span<const EntreeAncienne> entrees, std::int32_t version) {
    for (const EntreeAncienne& e : entrees) {
        int k = 0;
        for (const ElementAncien& x : e.elements) {
            const std::string nom = e.nom + " " + std::to_string(++k);
            if (x.genre == GenreElementAncien::Texte) {
                w.fileString("{\\rtf1 " + nom + "}");
                continue;
            }
            w.u8(1);
            w.u8(1);
            // Columns unfolded, rows folded: the record's counts are told apart.
            w.zeros(2 * std::size_t{x.colonnes});
            for (int r = 0; r < x.lignes; ++r) w.i16(-1);
            w.u8(1);
            w.u8(1);
            w.fileString(nom);
            if (x.lignes > 1) {
                w.u8(1);
                w.u8(x.lignes);
                w.fileString(nom + " bas");
            }
            if (x.colonnes > 1) {
                w.u8(x.colonnes);
                w.u8(x.lignes);
                w.fileString(nom + " coin");
            }
            w.zeros(4);                // results, files, invalidations
            w.zeros(1);                // colours
            if (version > 22) w.u8(0);  // merge marks
        }
    }
}

constexpr int kEtapes = 45;

// A whole version-`version` document from D22, then 45 steps whose written
// text is "etape n"; `limites` gets the truncations that end on a step.
std::string DocumentD22(std::int32_t version, std::int16_t genre = 1, std::vector<std::size_t>* limites = nullptr) {
    BinaryWriter w;
    w.i32(version);
    w.i16(genre);
    w.i16(0);
    EcrireCorps(w, EntreesD22(), version);
    for (int i = 1; i <= kEtapes; ++i) {
        if (limites) limites->push_back(w.data().size());
        w.fileString("etape " + std::to_string(i));
        w.fileString("");
        w.i16(i == kEtapes ? -1 : 0);
    }
    if (limites) limites->push_back(w.data().size());
    return w.take();
}

// Everything a conversion may change, as text.
std::string Etat(Plan& p) {
    std::string s;
    for (const auto& [cle, g] : p.grilles) {
        for (int c = 1; c <= g->ColonneNb(); ++c) {
            for (int r = 1; r <= g->LigneNb(); ++r) s += g->Case(c, r)->Texte + "|";
        }
        s += "#";
    }
    for (int pg = 1; pg <= p.moteur.scene.PageNb(); ++pg) {
        for (const auto& o : p.moteur.scene.Page(pg).objets) s += o.texte + "|";
    }
    for (int i = 1; i <= p.etapes.NombreEtapes(); ++i) s += p.etapes.Etape(i).TexteRedige + "|";
    s += std::to_string(p.moteur.Monnaies.MonnaieTauxGet(19)) + p.moteur.Monnaies.MonnaieNomGet(19);
    return s + (p.etat.PlanAffaireModifie() ? "modifie" : "");
}

TEST(ChargeurAncien, AVersion22DocumentFromTheOldLayoutLoadsToItsLastByte) {
    const std::string doc = DocumentD22(22);
    Plan p;
    BinaryReader in(doc);
    in.skip(8);
    std::vector<int> pourcentages;
    const DocumentAncienLu lu =
        LireDocumentAncien(in, p.Scene(), EntreesD22(), 22, [&](int v) { pourcentages.push_back(v); });
    ASSERT_EQ(pourcentages.size(), 133u);
    EXPECT_EQ(pourcentages.front(), 0) << "1 * 50 / 133, rounded";
    EXPECT_EQ(pourcentages[66], 25) << "67 * 50 / 133, rounded";
    EXPECT_EQ(pourcentages.back(), 50);
    // Given to today's objects: VENTE's grid and text, BFRS, SAISIE, TDBPAC's
    // text and grid; the 260 - 4 other grid records went to the scratch grid.
    EXPECT_EQ(lu.elements.size(), 6u);
    EXPECT_EQ(lu.brouillon, 256);
    EXPECT_TRUE(lu.textesMethode.empty()) << "no old page is MET followed by digits";
    const auto etapes = p.etapes.EtapesLireFichier(in);
    EXPECT_EQ(etapes.size(), std::size_t{kEtapes});
    EXPECT_TRUE(in.atEnd()) << "every byte read";

    p.G(4, 2).CaseUtilisateurChange(1, 1, "avant", false);
    p.G(7, 2).CaseUtilisateurChange(1, 1, "avant", false);
    p.G(6, 2).CaseUtilisateurChange(1, 1, "avant", false);
    p.moteur.Monnaies.MonnaieTauxSet(19, 7.5);
    p.moteur.Monnaies.MonnaieNomSet(19, "Livre");
    EXPECT_EQ(p.document->Charger(doc, 0), "");
    const formula::TableMonnaies defaut;
    EXPECT_EQ(p.moteur.Monnaies.MonnaieTauxGet(19), defaut.MonnaieTauxGet(19)) << "the currency table reset";
    EXPECT_EQ(p.moteur.Monnaies.MonnaieNomGet(19), defaut.MonnaieNomGet(19));
    // VENTE: the old 18 x 37 record in today's 3 x 5 grid; cells beyond it dropped.
    EXPECT_EQ(p.G(1, 2).Case(1, 1)->Texte, "VENTE 1");
    EXPECT_EQ(p.moteur.scene.Page(1).Objet(3).texte, "{\\rtf1 VENTE 2}") << "the text item, second";
    for (int c = 1; c <= 3; ++c) {
        for (int r = 1; r <= 5; ++r) {
            if (c != 1 || r != 1) {
                EXPECT_EQ(p.G(1, 2).Case(c, r)->Texte, "") << c << "," << r;
            }
        }
    }
    // BFRS: rows 34 and beyond moved down by 5 (40 lands on 45).
    EXPECT_EQ(p.G(2, 2).Case(1, 1)->Texte, "BFR 1");
    EXPECT_EQ(p.G(2, 2).Case(1, 45)->Texte, "BFR 1 bas");
    EXPECT_EQ(p.G(2, 2).Case(1, 40)->Texte, "");
    // SAISIE: only its editable cells take entries.
    EXPECT_EQ(p.G(3, 2).Case(1, 1)->Texte, "");
    EXPECT_EQ(p.G(3, 2).Case(1, 21)->Texte, "HDBILSAI 1 bas");
    // TDBPAC: the text, then the grid of the same old size (41 x 4).
    EXPECT_EQ(p.moteur.scene.Page(5).Objet(2).texte, "{\\rtf1 TDBPAC 1}");
    EXPECT_EQ(p.G(5, 3).Case(1, 41)->Texte, "TDBPAC 2 bas");
    EXPECT_EQ(p.G(5, 3).Case(4, 41)->Texte, "TDBPAC 2 coin");
    EXPECT_EQ(p.G(5, 3).Colonne(4).Pliee, 0) << "4 column flags, then 41 row flags";
    EXPECT_EQ(p.G(5, 3).Ligne(41).Pliee, -1);
    // HDBIL and CHARGEV2 exist but take nothing; every page starts afresh.
    EXPECT_EQ(p.G(4, 2).Case(1, 1)->Texte, "");
    EXPECT_EQ(p.G(7, 2).Case(1, 1)->Texte, "") << "a page no old document knows is reset";
    EXPECT_EQ(p.G(6, 2).ColonneNb(), 1) << "the scratch grid ends at one cell";
    EXPECT_EQ(p.G(6, 3).Case(1, 1)->Texte, "");
    EXPECT_EQ(p.etapes.Etape(kEtapes).TexteRedige, "etape 45");
    EXPECT_EQ(p.etapes.Etape(kEtapes).Vu, -1);
    EXPECT_TRUE(p.etat.PlanAffaireModifie()) << "converted: the next save writes today's version";
}

// A scene without the conversion page: the records meant for the scratch
// grid are read and dropped all the same, and no event has a grid to run on.
TEST(ChargeurAncien, ASceneWithoutTheConversionPageStillConverts) {
    Plan p;
    p.moteur.scene.Page(6).Objet(1).nom = "AUTRE";
    EXPECT_EQ(p.document->Charger(DocumentD22(22), 0), "");
    EXPECT_EQ(p.G(1, 2).Case(1, 1)->Texte, "VENTE 1");
    EXPECT_EQ(p.G(5, 3).Case(4, 41)->Texte, "TDBPAC 2 coin");
    EXPECT_EQ(p.etapes.Etape(kEtapes).TexteRedige, "etape 45");
    EXPECT_EQ(p.G(6, 2).ColonneNb(), 2) << "a grid of another page is no scratch grid";
}

// Every version of the 2.2 layout reads its own record form (merge marks
// after 2.2); versions 2.0 and 2.1, part saves and other kinds are refused
// with their message and change nothing.
TEST(ChargeurAncien, VersionsKindsAndPartsOfOldDocuments) {
    const struct {
        std::int32_t version;
        std::int16_t genre;
        std::int16_t page;
        const char* refus;
    } cas[] = {
        {22, 1, 0, ""},
        {23, 1, 0, ""},
        {229, 1, 0, ""},
        {2, 1, 0, "Version de fichier inconnue, ouverture impossible."},
        {21, 1, 0, "Version de fichier inconnue, ouverture impossible."},
        {22, 2, 0,
         "Ce fichier est une sauvegarde partielle d'un plan d'affaire\r\n"
         "La version TOVRA 2.3 ne charge que les sauvegardes compl\xE8tes du SELVO 2.2"},
        {22, 1, 1, "Ce fichier est une sauvegarde d'un plan d'affaire complet"},
        {22, 2, 1, "Ce fichier est une sauvegarde d'un plan d'affaire complet"},
        {22, 3, 0, "Une erreur est survenue pendant le chargement"},
        {22, 0, 0, "Une erreur est survenue pendant le chargement"},
    };
    for (const auto& k : cas) {
        SCOPED_TRACE(testing::Message() << "version " << k.version << " kind " << k.genre << " page " << k.page);
        Plan p;
        p.G(7, 2).CaseUtilisateurChange(1, 1, "avant", false);
        p.moteur.Monnaies.MonnaieTauxSet(19, 7.5);
        p.etat.PlanAffaireModifieFixer(false);
        const std::string avant = Etat(p);
        EXPECT_EQ(p.document->Charger(DocumentD22(k.version, k.genre), k.page), k.refus);
        if (*k.refus) {
            EXPECT_EQ(Etat(p), avant);
        } else {
            EXPECT_EQ(p.G(1, 2).Case(1, 1)->Texte, "VENTE 1");
            EXPECT_EQ(p.etapes.Etape(kEtapes).TexteRedige, "etape 45");
        }
    }
}

// A version-2.2 document cut anywhere (except on a step boundary, where the
// later steps keep their defaults) or holding a length it cannot hold is
// refused, and the plan open before stays as it was.
TEST(ChargeurAncien, BrokenOldDocumentsAreRefusedAndChangeNothing) {
    std::vector<std::size_t> limites;
    const std::string doc = DocumentD22(22, 1, &limites);
    Plan p;
    p.G(1, 2).CaseUtilisateurChange(1, 1, "avant", false);
    p.moteur.scene.Page(1).Objet(3).texte = "{\\rtf1 avant}";
    const std::string avant = Etat(p);
    // Every cut in the header and the first pages, then one in 37, and the
    // whole end of the document.
    std::vector<std::size_t> coupes;
    for (std::size_t n = 0; n < doc.size(); ++n) {
        if (n < 1500 || n % 37 == 0 || n + 800 > doc.size()) coupes.push_back(n);
    }
    for (const std::size_t n : coupes) {
        if (std::find(limites.begin(), limites.end(), n) != limites.end()) continue;
        ASSERT_EQ(p.document->Charger(std::string_view(doc).substr(0, n), 0),
                  "Une erreur est survenue pendant le chargement")
            << n;
        ASSERT_EQ(Etat(p), avant) << n;
    }
    // The first text of the document (IMPCOUV's) with a length past the end.
    std::string enorme = doc;
    const std::size_t texte = doc.find("{\\rtf1 IMPCOUV 1}") - 4;
    for (const std::int32_t longueur : {0x7FFFFFFF, -5}) {
        for (int i = 0; i < 4; ++i) enorme[texte + i] = static_cast<char>((longueur >> (8 * i)) & 0xFF);
        EXPECT_EQ(p.document->Charger(enorme, 0), "Une erreur est survenue pendant le chargement") << longueur;
        EXPECT_EQ(Etat(p), avant);
    }
}

// Items are taken by their own type, in the page's object order: a text
// to the next kept text, a grid record to the next grid; what is left over
// is read and dropped, what is missing leaves its object untouched. Pages
// gone whose name is MET and digits keep their last text as a method text.
TEST(ChargeurAncien, ItemsFindTheirObjectsByTheirOwnType) {
    const struct {
        const char* layout;
        std::vector<std::string> recus;  // page.object <- what, in stream order
        int brouillon;
        std::map<int, std::string> met;
    } cas[] = {
        {"VENTE#R*T'5'3*", {"1.3 {\\rtf1 VENTE 1}", "1.2 VENTE 2"}, 0, {}},
        {"VENTE#T'5'3*R*R*T'1'1*T'1'1*", {"1.2 VENTE 1", "1.3 {\\rtf1 VENTE 2}"}, 2, {}},
        {"VENTE#", {}, 0, {}},
        {"TDBPAC#T'2'2*", {"5.3 TDBPAC 1"}, 0, {}},
        {"IMPRESSION#T'1'5*T'7'2*,HDBIL#T'12'5*R*,CHARGEV2#T'2'1*T'1'1*", {}, 5, {}},
        {"MET5#R*R*,MET#R*,MET1000#R*,METAUTOMET#R*,MET07#T'1'1*,DUMMY3#T'2'2*",
         {},
         2,
         {{5, "{\\rtf1 MET5 2}"}, {7, ""}}},
    };
    for (const auto& k : cas) {
        SCOPED_TRACE(k.layout);
        const auto entrees = AnalyserDescripteurAncien(k.layout);
        ASSERT_TRUE(entrees);
        BinaryWriter w;
        EcrireCorps(w, *entrees, 22);
        w.u8(0x55);  // a byte after the body stays unread
        Plan p;
        BinaryReader in(w.data());
        const DocumentAncienLu lu = LireDocumentAncien(in, p.Scene(), *entrees, 22);
        EXPECT_EQ(in.remaining(), 1u);
        std::vector<std::string> recus;
        for (const ElementAncienLu& e : lu.elements) {
            const std::string quoi = e.grille ? e.donnees.entrees.at(0).texte : e.texte;
            recus.push_back(std::to_string(e.page) + "." + std::to_string(e.objet) + " " + quoi);
        }
        EXPECT_EQ(recus, k.recus);
        EXPECT_EQ(lu.brouillon, k.brouillon);
        EXPECT_EQ(lu.textesMethode, k.met);
    }
}

}  // namespace
}  // namespace korv::plan
