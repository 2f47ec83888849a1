// The sample's guided method: its texts as the build lays them beside the
// scene's folder (every step has its method text; every learn-more menu
// line leads to its own section; every glossary word of the texts is in the
// glossary), and its pages as a user walks them on the composed program.

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <set>
#include <string>

#include "engine/fichier_nom.h"
#include "engine/moteur.h"
#include "engine/recherche.h"
#include "plan/methode/etapes_methode.h"
#include "plan/methode/textes_methode_souris.h"
#include "platform/cp1252.h"
#include "programme/pilote_programme.h"
#include "rtf/lecteur.h"
#include "rtf/marqueurs.h"

namespace korv::programme {
namespace {

namespace fs = std::filesystem;
using testsupport::PiloteProgramme;

// The folder of the program, beside which the sample's method files lie.
fs::path DossierProgramme() { return fs::path(KORV_SAMPLE_SCE).parent_path().parent_path(); }

std::optional<rtf::Document> Lire(const fs::path& chemin) {
    std::ifstream f(chemin, std::ios::binary);
    if (!f) return std::nullopt;
    return rtf::LireTexteRiche(std::string(std::istreambuf_iterator<char>(f), {}));
}

std::string Utf8(std::u32string_view t) { return platform::Cp1252VersUtf8(platform::U32VersCp1252(t)); }

// The glossary words of a text: its red underlined runs.
std::set<std::u32string> MotsGlossaire(const rtf::Document& d) {
    std::set<std::u32string> mots;
    const auto n = static_cast<std::int32_t>(d.TexteBrut().size());
    for (std::int32_t c = 1; c < n; ++c) {
        if (auto mot = plan::GlossaireMot(d, c)) mots.insert(*mot);
    }
    return mots;
}

TEST(MethodeExemple, EveryStepHasItsTextsAndEveryGlossaryWordItsDefinition) {
    plan::MethodeEtapes etapes;
    etapes.MethodePlanDefautCreer();
    ASSERT_EQ(etapes.NombreEtapes(), 45);
    const fs::path v21 = DossierProgramme() / "TEXTES" / "V21";
    const auto glossaire = Lire(DossierProgramme() / "TEXTES" / "GLOSSAIRE.RTF");
    ASSERT_TRUE(glossaire.has_value());
    EXPECT_EQ(rtf::NombreMarqueurs(glossaire->TexteBrut()), 12) << "a dozen words, one marker each";

    std::set<std::u32string> mots;
    int exemples = 0, savoirs = 0;
    for (int i = 1; i <= etapes.NombreEtapes(); ++i) {
        const std::string& code = etapes.Etape(i).Code;
        const auto met = Lire(v21 / ("MET" + code + ".RTF"));
        ASSERT_TRUE(met.has_value()) << code;
        EXPECT_EQ(rtf::NombrePages(met->TexteBrut()), 3) << code;
        mots.merge(MotsGlossaire(*met));
        if (const auto exp = Lire(v21 / ("EXP" + code + ".RTF"))) {
            ++exemples;
            mots.merge(MotsGlossaire(*exp));
        }
        const auto sav = Lire(v21 / ("SAV" + code + ".RTF"));
        if (!sav) continue;
        ++savoirs;
        // The menu is the text before the first marker; the method text
        // keeps what follows it. Each menu line (after its bullet and tab)
        // leads to the section of its own rank.
        const std::u32string brut = sav->TexteBrut();
        const std::size_t marque = brut.find(rtf::kMarqueurPage);
        ASSERT_NE(marque, std::u32string::npos) << code;
        const std::u32string menu = brut.substr(0, marque), texte = brut.substr(marque + 1);
        int rang = 0;
        for (std::size_t debut = 0; debut < menu.size();) {
            std::size_t fin = menu.find(U"\r\n", debut);
            if (fin == std::u32string::npos) fin = menu.size();
            const std::u32string ligne = menu.substr(debut, fin - debut);
            const std::size_t tab = ligne.find(U'\t');
            ASSERT_NE(tab, std::u32string::npos) << code << ": " << Utf8(ligne);
            EXPECT_EQ(ligne.substr(0, tab), U"(boule)");
            EXPECT_EQ(plan::MenuSavSection(texte, ligne.substr(tab + 1)), ++rang) << code << ": " << Utf8(ligne);
            debut = fin + 2;
        }
        EXPECT_EQ(rang, 3) << code;
    }
    EXPECT_EQ(exemples, 31);  // the steps without sub-steps, less three
    EXPECT_EQ(savoirs, 34);   // the steps without sub-steps
    EXPECT_GE(mots.size(), 8u);
    for (const std::u32string& mot : mots) {
        EXPECT_EQ(plan::GlossaireDefinitionChercher(*glossaire, mot).etat, plan::DefinitionGlossaire::Etat::Trouvee)
            << Utf8(mot);
    }
    for (int n = 1; n <= 12; ++n) EXPECT_TRUE(plan::GlossaireMorceau(*glossaire, n).has_value()) << n;

    EXPECT_TRUE(Lire(DossierProgramme() / "TEXTES" / "aide" / "METHODE.RTF").has_value());
    for (const char* image : {"VU.BMP", "PASVU.BMP", "VU01.BMP", "PASVU01.BMP"}) {
        EXPECT_TRUE(fs::is_regular_file(DossierProgramme() / "IMAGES" / "TABLEAU" / image)) << image;
    }
}

class MethodeExempleJeu : public ::testing::Test {
protected:
    MethodeExempleJeu() {
        p.Moteur().Plan().PlanAffaireInitialisations();
        std::ifstream f(KORV_SAMPLE_SCENE, std::ios::binary);
        p.ChargerScene(std::string(std::istreambuf_iterator<char>(f), {}));
        engine::Scene& scene = p.Moteur().scene;
        const std::string base = engine::FichierNomChemin(KORV_SAMPLE_SCE);
        scene.entete.repertoireScene = base;
        for (auto& page : scene.pages) {
            for (auto& o : page.objets) {
                if (!o.fichier.empty()) o.fichier = engine::NomFichierAbsolu(o.fichier, base);
            }
        }
        p.ExecuterJusquARepos();
    }
    std::string PageCourante() {
        const auto& m = p.Moteur();
        return m.scene.PageExiste(m.jeu.PageCourante) ? m.scene.Page(m.jeu.PageCourante).Objet(1).nom : "";
    }
    // A click in the middle of an object of the current page.
    void Cliquer(std::string_view objet) {
        const auto& m = p.Moteur();
        const int o = engine::NumeroObjet(m.scene, m.jeu.PageCourante, std::string(objet));
        ASSERT_GT(o, 0) << objet << " on " << PageCourante();
        const engine::ObjetPage& r = m.scene.Page(m.jeu.PageCourante).Objet(o);
        const std::int64_t t = p.Horloge().Maintenant();
        p.Clic(t + 10, r.gauche + r.largeur / 2, r.haut + r.hauteur / 2);
        p.ExecuterJusqua(t + 400);
    }

    PiloteProgramme p;
};

TEST_F(MethodeExempleJeu, FromTheStartPageIntoTheMethodAndBack) {
    struct Pas {
        const char* objet;
        const char* page;
        const char* etape;
    };
    const Pas pas[] = {
        {"VERS_METHODE", "METSOMMAIRE", ""},
        {"COMMENCER", "METMENU", ""},
        {"INVISTEXT4", "METSOUSMENU", "3"},      // chapter 3, "Le Marché"
        {"INVISTEXT2", "METSOUSMENU", "32"},     // its second step has sub-steps
        {"INVISTEXT1", "METAUTOMET", "321"},
        {"REMONTER", "METSOUSMENU", "32"},
        {"RETOUR", "METAUTOMET", "321"},        // back in the history, with its step
        {"SOMMAIRE", "METSOMMAIRE", "321"},
        {"VERS_GLOSSAIRE", "GLOSSAIRE", "321"},
        {"RETOUR", "METSOMMAIRE", "321"},
        {"MODE_EMPLOI", "EXPLICGENERIQUE", "METHODE"},
        {"RETOUR", "METSOMMAIRE", "321"},
        {"RETOUR", "METAUTOMET", "321"},
    };
    for (const Pas& s : pas) {
        Cliquer(s.objet);
        EXPECT_EQ(PageCourante(), s.page) << s.objet;
        EXPECT_EQ(p.Moteur().jeu.EtapeCourante, s.etape) << s.objet;
    }
    EXPECT_EQ(p.JournalErreurs().find("Impossible"), std::string::npos) << p.JournalErreurs();
}

}  // namespace
}  // namespace korv::programme
