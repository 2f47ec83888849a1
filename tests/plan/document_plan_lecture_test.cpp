// The plan document's reader without the program around it (so that the
// sanitizer build runs it too): every truncation of a document is refused
// and changes nothing, except those that end the step section on a step
// boundary; an accepted document writes back to the same bytes.

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <map>
#include <vector>
#include <memory>
#include <string>

#include "engine/moteur.h"
#include "grid/grid_record.h"
#include "grid/tableau.h"
#include "plan/document/document_plan.h"
#include "plan/etat_plan.h"
#include "plan/methode/etapes_methode.h"
#include "plan/redaction.h"
#include "platform/binary_writer.h"
#include "platform/fichiers_document.h"
#include "platform/message_box_fake.h"

namespace korv::plan {
namespace {

std::unique_ptr<grid::TableauClasse> Grille(int c, int r) {
    grid::GrilleEnregistrement g;
    g.forme = grid::FormeGrille::Complete;
    g.colonneNb = static_cast<std::uint8_t>(c);
    g.ligneNb = static_cast<std::uint8_t>(r);
    g.colonnes.resize(static_cast<std::size_t>(c));
    for (auto& x : g.colonnes) x.taille = 1200;
    g.lignes.resize(static_cast<std::size_t>(r));
    for (auto& x : g.lignes) x.taille = 500;
    for (int i = 1; i <= r; ++i) {
        grid::AttributCaseFichier a;
        a.colonne = 1;
        a.ligne = static_cast<std::uint8_t>(i);
        a.editable = -1;
        g.attributs.push_back(a);
    }
    auto t = std::make_unique<grid::TableauClasse>();
    t->InitialiseRectangleParent(0, 0, 5000, 5000);
    t->Charge(g, {});
    return t;
}

engine::ObjetPage Objet(engine::TypeObjet type, const char* nom, std::int16_t drapeaux = 0, const char* texte = "") {
    engine::ObjetPage o;
    o.type = static_cast<std::uint8_t>(type);
    o.nom = nom;
    o.G[2] = drapeaux;
    o.texte = texte;
    return o;
}

struct Plan {
    Plan() {
        for (const char* nom : {"DEBUT", "SUITE"}) {
            engine::PageScene p;
            p.objets.push_back(Objet(engine::TypeObjet::Fond, nom));
            p.objets.push_back(Objet(engine::TypeObjet::TexteRtf, "T", 2, "{\\rtf1 scene}"));
            p.objets.push_back(Objet(engine::TypeObjet::Tableau, "G"));
            moteur.scene.pages.push_back(std::move(p));
        }
        for (int p = 1; p <= 2; ++p) grilles[p] = Grille(2, 3);
        etapes.MethodePlanDefautCreer();
        ServicesDocument s;
        s.moteur = &moteur;
        s.grille = [this](int page, int objet) -> grid::TableauClasse* {
            return objet == 3 && grilles.count(page) ? grilles[page].get() : nullptr;
        };
        s.etat = &etat;
        s.etapes = &etapes;
        s.messages = &messages;
        document = std::make_unique<DocumentPlan>(s);
        document->PolicesDefautInitialiser();
    }
    platform::BoiteMessageFactice messages;
    engine::Moteur moteur;
    std::map<int, std::unique_ptr<grid::TableauClasse>> grilles;
    EtatPlan etat{messages};
    MethodeEtapes etapes;
    std::unique_ptr<DocumentPlan> document;
};

TEST(DocumentPlanLecture, EveryTruncationIsRefusedAndChangesNothing) {
    Plan p;
    p.grilles[1]->CaseUtilisateurChange(1, 2, "123", false);
    p.moteur.scene.Page(2).Objet(2).texte = "{\\rtf1 mon texte}";
    p.etapes.EtapeTexteFixer("423", "{\\rtf1 R&D}");
    const std::string bon = p.document->Octets(0);
    std::vector<std::size_t> limites{bon.size()};
    std::size_t pas = bon.size();
    for (int i = p.etapes.NombreEtapes(); i >= 1; --i) {
        pas -= 10 + p.etapes.Etape(i).TexteRedige.size() + p.etapes.Etape(i).TitreRTF.size();
        limites.push_back(pas);
    }
    p.document->PlanAffaireNouveau();
    p.grilles[2]->CaseUtilisateurChange(1, 1, "7", false);
    const std::string avant = p.document->Octets(0);
    for (std::size_t n = 0; n < bon.size(); ++n) {
        if (std::find(limites.begin(), limites.end(), n) != limites.end()) continue;
        ASSERT_EQ(p.document->Charger(bon.substr(0, n), 0), "Une erreur est survenue pendant le chargement") << n;
        ASSERT_EQ(p.document->Octets(0), avant) << n;
    }
    EXPECT_EQ(p.document->Charger(bon, 0), "");
    EXPECT_EQ(p.document->Octets(0), bon) << "write, read, write: the same bytes";
    EXPECT_EQ(p.grilles[1]->Case(1, 2)->Texte, "123");
    EXPECT_EQ(p.moteur.scene.Page(2).Objet(2).texte, "{\\rtf1 mon texte}");
    // A new plan gives the scene's own text back.
    p.document->PlanAffaireNouveau();
    EXPECT_EQ(p.moteur.scene.Page(2).Objet(2).texte, "{\\rtf1 scene}");
}

// A version-230 document reads at most the scene's pages (never 134 of a
// smaller scene) and, on page 121, its first 8 objects (never 8 of fewer):
// the texts of the later objects are not in the document.
TEST(DocumentPlanLecture, Version230ReadsNoPageOrObjectTheSceneLacks) {
    const struct {
        int textes;  // rich texts after the background of page 121
        int lus;     // of them, held by the document
    } cas[] = {{4, 4}, {7, 7}, {8, 7}, {12, 7}};
    for (const auto& c : cas) {
        SCOPED_TRACE(c.textes);
        Plan p;
        p.moteur.scene.pages.resize(121);
        auto& page121 = p.moteur.scene.Page(121).objets;
        page121.push_back(Objet(engine::TypeObjet::Fond, "P121"));
        for (int i = 0; i < c.textes; ++i) page121.push_back(Objet(engine::TypeObjet::TexteRtf, "T", 2, "avant"));
        p.document->TextesSceneRetenir();
        BinaryWriter w;
        w.i32(230);
        w.i16(1);
        w.i16(0);
        // Pages 1 and 2: their text and grid (3 + 2 folds, six empty lists).
        for (int page = 1; page <= 2; ++page) {
            w.fileString("t");
            w.u8(1);
            w.u8(1);
            w.zeros(2 * (2 + 3) + 6);
        }
        for (int i = 0; i < c.lus; ++i) w.fileString("lu");
        EXPECT_EQ(p.document->Charger(w.data(), 0), "");
        for (int o = 2; o <= c.textes + 1; ++o) {
            EXPECT_EQ(p.moteur.scene.Page(121).Objet(o).texte, o <= c.lus + 1 ? "lu" : "avant") << o;
        }
        EXPECT_EQ(p.moteur.scene.Page(1).Objet(2).texte, "t");
        ASSERT_EQ(p.messages.messages.size(), 2U) << "the rate and the advice to save under a new name";
        EXPECT_NE(p.messages.messages.back().texte.find("TRES IMPORTANT"), std::string::npos);
    }
}

// The writing box as the document reaches it: a source, its saves.
class RedactionTrace final : public Redaction {
public:
    bool ALeFocus() const override { return focus; }
    bool AUneSource() const override { return source; }
    void TexteSauver(bool detacher) override {
        sauvegardes.push_back(detacher);
        if (detacher) source = false;
    }
    void ObjetRecharge(std::int16_t page, std::int16_t objet) override { recharges.emplace_back(page, objet); }
    void EtapesRecharge() override {}
    bool focus = false;
    bool source = true;
    std::vector<bool> sauvegardes;
    std::vector<std::pair<int, int>> recharges;
};

// A save that stops without showing the page again stores the box's text
// and leaves the box on its source; a complete save then detaches it. A
// load hands the box each kept text it replaced.
TEST(DocumentPlanLecture, TheWritingBoxKeepsItsSourceUntilTheSaveIsDone) {
    Plan p;
    RedactionTrace r;
    r.focus = true;
    platform::FichiersDocumentDisque disque;
    ServicesDocument s;
    s.moteur = &p.moteur;
    s.grille = [&p](int page, int objet) -> grid::TableauClasse* {
        return objet == 3 && p.grilles.count(page) ? p.grilles[page].get() : nullptr;
    };
    s.etat = &p.etat;
    s.etapes = &p.etapes;
    s.messages = &p.messages;
    s.fichiers = &disque;
    s.redaction = &r;
    DocumentPlan d(s);
    EXPECT_EQ(d.PlanAffaireEnregistrer("", true, 0, true), kAnnule) << "no dialog: cancelled";
    EXPECT_EQ(r.sauvegardes, std::vector<bool>{false});
    EXPECT_TRUE(r.source);
    EXPECT_TRUE(p.etat.PlanAffaireModifie()) << "the box had the focus";
    const std::string chemin = (std::filesystem::temp_directory_path() / "korv_redaction_test.tvr").string();
    EXPECT_EQ(d.PlanAffaireEnregistrer(chemin, false, 0, false), kEnregistre);
    EXPECT_EQ(r.sauvegardes, (std::vector<bool>{false, false, true}));
    EXPECT_FALSE(r.source);
    r.recharges.clear();
    d.PlanAffaireOuvrir(chemin, false, 0);
    EXPECT_NE(std::find(r.recharges.begin(), r.recharges.end(), std::pair<int, int>{2, 2}), r.recharges.end());
    std::filesystem::remove(chemin);
}

}  // namespace
}  // namespace korv::plan
