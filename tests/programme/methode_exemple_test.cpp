// The sample's guided method: its texts as the build lays them beside the
// scene's folder (every step has its method text; every learn-more menu
// line leads to its own section; every glossary word of the texts is in the
// glossary), and its pages as a user walks them on the composed program:
// each page of a step shows the step's title, texts, tabs and seen mark, a
// learn-more line turns the text to its section, a glossary word shows its
// definition, what the user writes for the step goes into the plan document
// and comes back, and each step's tool tables are shown, printed and
// exported.

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <optional>
#include <set>
#include <utility>
#include <vector>
#include <string>

#include "display/affichage.h"
#include "engine/fichier_nom.h"
#include "engine/moteur.h"
#include "engine/objets_affiches.h"
#include "engine/page_jeu.h"
#include "engine/recherche.h"
#include "grid/feuille.h"
#include "grid/magasin_grilles.h"
#include "grid/tableau.h"
#include "plan/arbre_plan.h"
#include "plan/barre_rtf.h"
#include "plan/entree_page.h"
#include "plan/methode/etapes_methode.h"
#include "plan/methode/redaction_imprimee.h"
#include "plan/methode/textes_methode.h"
#include "plan/methode/textes_methode_souris.h"
#include "platform/cp1252.h"
#include "print/feuille_imprimee.h"
#include "print/travail.h"
#include "programme/pilote_programme.h"
#include "rtf/lecteur.h"
#include "rtf/marqueurs.h"

#include <QImage>

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
        // The bullet file beside the program, as the build lays it.
        fs::copy_file(DossierProgramme() / "boulertf.txt", fs::path(p.DossierProgramme()) / "boulertf.txt",
                      fs::copy_options::overwrite_existing);
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

    // From the start page to the method page of step 332, as a user goes.
    void VersEtape332() {
        if (PageCourante() != "DEBUT") {
            engine::SauteALaPage(p.Moteur(), 1);
            p.ExecuterJusquARepos();
        }
        for (const char* objet : {"VERS_METHODE", "COMMENCER", "INVISTEXT4", "INVISTEXT3", "INVISTEXT2"}) {
            Cliquer(objet);
        }
        ASSERT_EQ(PageCourante(), "METAUTOMET");
        ASSERT_EQ(p.Moteur().jeu.EtapeCourante, "332");
    }
    const engine::ObjetPage& Objet(std::string_view nom) {
        const auto& m = p.Moteur();
        return m.scene.Page(m.jeu.PageCourante).Objet(engine::NumeroObjet(m.scene, m.jeu.PageCourante, nom));
    }
    // The left edge (twips) of a tab of the current page's tab bar, past
    // the folded tabs.
    std::int32_t OngletGauche(int colonne) {
        const auto& m = p.Moteur();
        const int o = engine::NumeroObjet(m.scene, m.jeu.PageCourante, "ONGLETAUTO");
        const grid::TableauClasse* g = p.Programme().Grilles().Cherche(m.jeu.PageCourante, o);
        std::int32_t x = Objet("ONGLETAUTO").gauche;
        for (int c = 1; g != nullptr && c < colonne; ++c) {
            if (g->Colonne(c).Pliee == 0) x += g->Colonne(c).Taille;
        }
        return x;
    }
    void Onglet(int colonne) {
        const std::int64_t t = p.Horloge().Maintenant();
        p.Clic(t + 10, OngletGauche(colonne) + 300, Objet("ONGLETAUTO").haut + 150);
        p.ExecuterJusqua(t + 400);
    }
    // The current page is the table page `nom`: its grid (the one the
    // page's name calls for) and its "Retour" are shown, and the grid's
    // captions are drawn.
    void OutilMontre(std::string_view nom) {
        ASSERT_EQ(PageCourante(), nom);
        const auto& m = p.Moteur();
        const int page = m.jeu.PageCourante;
        const std::string grille(plan::TableauPageGrille(nom));
        ASSERT_FALSE(grille.empty()) << nom;
        for (const std::string& objet : {grille, std::string("RETOUR")}) {
            const int o = engine::NumeroObjet(m.scene, page, objet);
            ASSERT_GT(o, 0) << objet;
            EXPECT_GT(engine::ObjetAfficheNObjetVersNAffiche(m.affiches, page, o), 0) << objet << " is not shown";
        }
        const grid::TableauClasse* g = p.Programme().Grilles().Cherche(page, engine::NumeroObjet(m.scene, page, grille));
        ASSERT_NE(g, nullptr);
        EXPECT_GE(g->LigneNb(), 2);
        const QImage zone = Zone(grille);
        int fonces = 0;
        for (int y = 0; y < zone.height(); ++y) {
            for (int x = 0; x < zone.width(); ++x) fonces += qGray(zone.pixel(x, y)) < 100 ? 1 : 0;
        }
        EXPECT_GT(fonces, 200) << "the grid's captions are drawn";
    }
    QImage Tampon() { return p.Programme().Affichage().PageTampon.Image().convertToFormat(QImage::Format_RGB32); }
    // The page's pixels over an object's rectangle.
    QImage Zone(std::string_view nom) {
        const engine::ObjetPage& o = Objet(nom);
        return Tampon().copy(o.gauche / 15, o.haut / 15, o.largeur / 15, o.hauteur / 15);
    }
    // The seen mark as drawn, and a mark picture, both but their last row
    // and column (the page's picture leaves those out of the 20-pixel
    // rectangle).
    QImage Marque() { return Zone("VUPASVU").copy(0, 0, 19, 19); }
    static QImage Image(const char* nom) {
        return QImage(QString::fromStdString((DossierProgramme() / "IMAGES" / "TABLEAU" / nom).string()))
            .convertToFormat(QImage::Format_RGB32)
            .copy(0, 0, 19, 19);
    }
    // Section n (from 1) of a method file, UTF-8.
    static std::string Section(const char* fichier, int n) {
        const auto d = Lire(DossierProgramme() / "TEXTES" / "V21" / fichier);
        if (!d) return "<absent>";
        std::u32string brut = d->TexteBrut();
        for (int i = 1; i < n; ++i) brut = brut.substr(std::min(brut.size(), brut.find(rtf::kMarqueurPage) + 1));
        brut = brut.substr(0, brut.find(rtf::kMarqueurPage));
        return Utf8(brut.substr(std::min(brut.find_first_not_of(U"\r\n"), brut.size())));
    }
    // What a method box shows, from its first line that is not empty.
    static std::string Montre(const testsupport::BoiteMethodeFactice& b) {
        const std::string t = platform::Cp1252VersUtf8(b.boite.Texte());
        return t.substr(std::min(t.find_first_not_of("\r\n"), t.size()));
    }
    // A point of the page (twips) in the middle of line `ligne` (from 0) of
    // what a method box shows, found through the box's own layout.
    std::optional<std::pair<int, int>> PointDeLigne(const testsupport::BoiteMethodeFactice& b, int ligne) {
        std::vector<int> debuts{0};
        const std::string texte = b.boite.Texte();
        for (std::size_t i = 0, q = 0; i < texte.size(); ++i, ++q) {
            if (texte.compare(i, 2, "\r\n") == 0) {
                ++i;
                debuts.push_back(static_cast<int>(q) + 1);
            }
        }
        if (ligne + 1 >= static_cast<int>(debuts.size())) return std::nullopt;
        std::optional<int> haut, bas;
        for (int y = b.y; y < b.y + b.hauteur; ++y) {
            const int c = b.PositionAuPoint(b.x + b.largeur / 2, y);
            if (c >= debuts[ligne] && c < debuts[ligne + 1]) {
                if (!haut) haut = y;
                bas = y;
            }
        }
        if (!haut) return std::nullopt;
        // A point of its words, where the hand shows (the bullet shows it
        // too, but names no section).
        const int y = (*haut + *bas) / 2 * 15 + 7;
        std::vector<int> main;
        for (int x = b.x; x < b.x + b.largeur; ++x) {
            if (p.Moteur().Plan().MouseMoveTexteMethode(x * 15 + 7, y) == 255) main.push_back(x * 15 + 7);
        }
        if (main.empty()) return std::nullopt;
        return std::pair{main[main.size() * 3 / 4], y};
    }
    // The first point of the method text where the mouse finds a glossary
    // word (the hand).
    std::optional<std::pair<int, int>> MotGlossaire() {
        const auto& b = p.TexteMethode();
        for (int y = b.y; y < b.y + b.hauteur; y += 2) {
            for (int x = b.x; x < b.x + b.largeur; x += 2) {
                if (p.Moteur().Plan().MouseMoveTexteGlossaire(x * 15 + 7, y * 15 + 7) == 255) {
                    return std::pair{x * 15 + 37, y * 15 + 7};
                }
            }
        }
        return std::nullopt;
    }

    PiloteProgramme p;
};

// On each of the step's three pages: its numbered title (in the object and
// drawn), its text in the method box (the first section only), on the
// learn-more page the menu with its bullets, its tab lit among grey ones,
// and the seen mark's picture, which a click turns to the other one.
TEST_F(MethodeExempleJeu, EachPageOfAStepShowsItsTitleTextsTabsAndSeenMark) {
    VersEtape332();
    plan::MethodeEtapes& etapes = p.Programme().Etapes();
    const int i332 = etapes.NumeroEtape("332");
    const std::string titre = platform::Cp1252VersUtf8(etapes.EtapeNumeroTexte(i332));
    // Chapter 3's steps are numbered from its second: 332 is "3.2.2.".
    ASSERT_EQ(titre, "3.2.2. Analyse qualitative et segmentation");
    const QRgb allume = qRgb(0xFF, 0xFF, 0xE0), gris = qRgb(0xC0, 0xC0, 0xC0);
    struct Cas {
        int onglet;  // the tab of the page (column of the tab bar)
        const char* page;
        const char* fichier;
        int section;  // of the file, the first the page shows
    };
    const Cas cas[] = {
        {3, "METAUTOEXP", "EXP332.RTF", 1},
        {4, "METAUTOSAV", "SAV332.RTF", 2},  // the menu comes first
        {2, "METAUTOMET", "MET332.RTF", 1},
    };
    for (const Cas& c : cas) {
        SCOPED_TRACE(c.page);
        Onglet(c.onglet);
        ASSERT_EQ(PageCourante(), c.page);
        EXPECT_NE(Objet("METTITRE").texte.find(etapes.EtapeNumeroTexte(i332)), std::string::npos);
        const QImage zoneTitre = Zone("METTITRE");
        int fonces = 0;
        for (int y = 0; y < zoneTitre.height(); ++y) {
            for (int x = 0; x < zoneTitre.width(); ++x) fonces += qGray(zoneTitre.pixel(x, y)) < 100 ? 1 : 0;
        }
        EXPECT_GT(fonces, 40) << "the title is drawn";

        ASSERT_TRUE(p.TexteMethode().visible);
        const std::string section = Section(c.fichier, c.section);
        ASSERT_GT(section.size(), 10u);
        EXPECT_EQ(Montre(p.TexteMethode()).rfind(section, 0), 0u) << Montre(p.TexteMethode());
        EXPECT_EQ(Montre(p.TexteMethode()).find(Section(c.fichier, c.section + 1).substr(0, 12)), std::string::npos);
        const engine::ObjetPage& texteMet = Objet("TEXTEMET");
        EXPECT_EQ(p.TexteMethode().x, texteMet.gauche / 15);
        EXPECT_EQ(p.TexteMethode().largeur, texteMet.largeur / 15);
        EXPECT_GE(p.TexteMethode().y, texteMet.haut / 15);
        EXPECT_LE(p.TexteMethode().y + p.TexteMethode().hauteur, (texteMet.haut + texteMet.hauteur) / 15 + 1);

        const bool savoir = std::string_view(c.page) == "METAUTOSAV";
        EXPECT_EQ(p.MenuSav().visible, savoir);
        if (savoir) {
            const std::string menu = Montre(p.MenuSav());
            for (const char* ligne : {"Pourquoi cette étape ?", "Les erreurs à éviter", "Pour aller plus loin"}) {
                EXPECT_NE(menu.find(ligne), std::string::npos) << ligne << " in " << menu;
            }
            EXPECT_EQ(menu.find("(boule)"), std::string::npos) << menu;
            EXPECT_EQ(menu.rfind("•\tPourquoi", 0), 0u) << "the bullet takes its place: " << menu;
        }

        const QImage tampon = Tampon();
        const int yOnglet = (Objet("ONGLETAUTO").haut + 60) / 15;
        for (const int onglet : {2, 3, 4}) {
            EXPECT_EQ(tampon.pixel(OngletGauche(onglet) / 15 + 3, yOnglet), onglet == c.onglet ? allume : gris)
                << "tab " << onglet;
        }

        // Not seen on the first page, seen on the second, not on the third:
        // each click turns the mark.
        const bool vu = std::string_view(c.page) == "METAUTOSAV";
        EXPECT_EQ(etapes.Etape(i332).Vu, vu ? 1 : 0);
        EXPECT_EQ(Marque(), Image(vu ? "VU.BMP" : "PASVU.BMP"));
        Cliquer("VUPASVU");
        EXPECT_EQ(etapes.Etape(i332).Vu, vu ? 0 : 1);
        EXPECT_EQ(Marque(), Image(vu ? "PASVU.BMP" : "VU.BMP"));
    }
    EXPECT_EQ(p.JournalErreurs(), "");
}

// On each page of a step, the first click on "Suivante" turns the method
// text to its next section, and "Précédente" turns it back: the text starts
// on its first section, not before it.
TEST_F(MethodeExempleJeu, TheFirstClickOnSuivanteTurnsTheMethodText) {
    VersEtape332();
    struct Cas {
        int onglet;
        const char* page;
        const char* fichier;
        int section;  // of the file, the first the page shows
    };
    const Cas cas[] = {
        {2, "METAUTOMET", "MET332.RTF", 1},
        {3, "METAUTOEXP", "EXP332.RTF", 1},
        {4, "METAUTOSAV", "SAV332.RTF", 2},
    };
    for (const Cas& c : cas) {
        SCOPED_TRACE(c.page);
        Onglet(c.onglet);
        ASSERT_EQ(PageCourante(), c.page);
        ASSERT_EQ(Montre(p.TexteMethode()).rfind(Section(c.fichier, c.section), 0), 0u);
        Cliquer("SUIVANTE");
        EXPECT_EQ(Montre(p.TexteMethode()).rfind(Section(c.fichier, c.section + 1), 0), 0u)
            << Montre(p.TexteMethode());
        Cliquer("PRECEDENTE");
        EXPECT_EQ(Montre(p.TexteMethode()).rfind(Section(c.fichier, c.section), 0), 0u)
            << Montre(p.TexteMethode());
    }
    EXPECT_EQ(p.JournalErreurs(), "");
}

// A line of the learn-more menu, clicked where the menu box shows it, turns
// the method text to that line's section.
TEST_F(MethodeExempleJeu, ALearnMoreLineShowsItsSection) {
    VersEtape332();
    Onglet(4);
    ASSERT_EQ(PageCourante(), "METAUTOSAV");
    const auto& m = p.Moteur();
    const int k = engine::ObjetAfficheNObjetVersNAffiche(m.affiches, m.jeu.PageCourante,
                                                         engine::NumeroObjet(m.scene, m.jeu.PageCourante, "TEXTEMET"));
    ASSERT_GT(k, 0);
    struct Cas {
        int ligne;
        int section;  // of the file (the menu is its first)
    };
    for (const Cas c : {Cas{1, 3}, Cas{2, 4}, Cas{0, 2}}) {
        const auto point = PointDeLigne(p.MenuSav(), c.ligne);
        ASSERT_TRUE(point.has_value()) << c.ligne;
        const std::int64_t t = p.Horloge().Maintenant();
        p.Clic(t + 10, point->first, point->second);
        p.ExecuterJusqua(t + 400);
        EXPECT_EQ(m.affiches.Entree(k).morceauTexte, c.section - 1) << c.ligne;
        EXPECT_EQ(Montre(p.TexteMethode()).rfind(Section("SAV332.RTF", c.section), 0), 0u)
            << c.ligne << ": " << Montre(p.TexteMethode());
    }
    EXPECT_EQ(p.JournalErreurs(), "");
}

// The red underlined word of the step's text shows the hand, and a click on
// it shows its definition from the glossary, where it was clicked.
TEST_F(MethodeExempleJeu, AGlossaryWordShowsItsDefinition) {
    VersEtape332();
    const auto mot = MotGlossaire();
    ASSERT_TRUE(mot.has_value());
    const std::int64_t t = p.Horloge().Maintenant();
    p.Souris(t + 10, 3, 0, 0, mot->first, mot->second);
    p.ExecuterJusqua(t + 100);
    EXPECT_EQ(p.Fenetre().curseur, engine::FormeCurseur::Pointe);
    EXPECT_FALSE(p.Bulle().visible);
    p.Clic(t + 200, mot->first, mot->second);
    p.ExecuterJusqua(t + 600);
    ASSERT_TRUE(p.Bulle().visible);
    const auto definition = rtf::LireTexteRiche(p.Bulle().rtf);
    ASSERT_TRUE(definition.has_value());
    EXPECT_EQ(Utf8(definition->TexteBrut()), " le découpage du marché en groupes de clients aux besoins proches.");
    EXPECT_EQ(p.Bulle().x, mot->first / 15);
    EXPECT_EQ(p.Bulle().y, mot->second / 15);
}

// What the user writes in the writing box of a step, and its seen mark, go
// into the plan document with File > Enregistrer sous, are gone with a new
// plan, and come back on the step's page after File > Ouvrir.
TEST_F(MethodeExempleJeu, TheTextWrittenForAStepIsSavedAndComesBack) {
    VersEtape332();
    auto& boite = p.Redaction().boite;
    ASSERT_TRUE(p.Redaction().visible);
    EXPECT_EQ(boite.Texte(), "");
    boite.FocusDonner();
    boite.Taper("Trois segments : artisans, PME, collectivit\xe9s.");
    Cliquer("VUPASVU");
    const std::string chemin = (fs::path(p.DossierProgramme()) / "segments.tvr").string();
    p.RepondreFichier(chemin);
    p.Programme().Recepteur().MenuFichier(plan::CommandeFichier::EnregistrerSous);
    ASSERT_TRUE(fs::exists(chemin));

    p.Programme().Recepteur().MenuFichier(plan::CommandeFichier::Nouveau);
    VersEtape332();
    EXPECT_EQ(boite.Texte(), "") << "a new plan's step has no text";
    EXPECT_EQ(Marque(), Image("PASVU.BMP"));

    p.RepondreFichier(chemin);
    p.Programme().Recepteur().MenuFichier(plan::CommandeFichier::Ouvrir);
    VersEtape332();
    EXPECT_EQ(boite.Texte(), "Trois segments : artisans, PME, collectivit\xe9s.");
    EXPECT_EQ(Marque(), Image("VU.BMP"));
    EXPECT_TRUE(p.Messages().messages.empty());
    EXPECT_EQ(p.JournalErreurs(), "");
}

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

// The "Glossaire" tab of each page of a step leads to the glossary page,
// also where folded tabs come before it, and "Retour" comes back to the
// step's page.
TEST_F(MethodeExempleJeu, TheGlossaryTabLeadsToTheGlossaryPage) {
    struct Cas {
        const char* etape;
        int onglet;  // the tab that shows the step's page first
        const char* page;
        std::vector<int> plies;  // the tabs folded away on that step
    };
    const Cas cas[] = {
        {"332", 2, "METAUTOMET", {5}},   {"332", 3, "METAUTOEXP", {5}}, {"332", 4, "METAUTOSAV", {5}},
        {"0", 2, "METAUTOMET", {3, 5}},  {"0", 4, "METAUTOSAV", {3, 5}},
    };
    for (const Cas& c : cas) {
        SCOPED_TRACE(std::string(c.etape) + " " + c.page);
        p.Programme().Recepteur().NoeudPlan(std::string("METAUTO.") + c.etape);
        p.ExecuterJusquARepos();
        Onglet(c.onglet);
        ASSERT_EQ(PageCourante(), c.page);
        const auto& m = p.Moteur();
        const grid::TableauClasse* g =
            p.Programme().Grilles().Cherche(m.jeu.PageCourante, engine::NumeroObjet(m.scene, m.jeu.PageCourante, "ONGLETAUTO"));
        ASSERT_NE(g, nullptr);
        std::vector<int> plies;
        for (int colonne = 1; colonne <= 7; ++colonne) {
            if (g->Colonne(colonne).Pliee != 0) plies.push_back(colonne);
        }
        EXPECT_EQ(plies, c.plies);
        Onglet(6);
        EXPECT_EQ(PageCourante(), "GLOSSAIRE");
        EXPECT_EQ(m.jeu.EtapeCourante, c.etape);
        Cliquer("RETOUR");
        EXPECT_EQ(PageCourante(), c.page);
    }
    EXPECT_FALSE(p.Bulle().visible);
    EXPECT_EQ(p.JournalErreurs(), "");
}

// An empty step's writing box writes in Arial 10, as the toolbar shows, and
// what is typed there keeps that size in the step's text.
TEST_F(MethodeExempleJeu, AnEmptyStepIsWrittenInArial10) {
    VersEtape332();
    auto& boite = p.Redaction().boite;
    ASSERT_TRUE(p.Redaction().visible);
    ASSERT_EQ(boite.Texte(), "");
    boite.FocusDonner();
    const plan::EtatBarreRTF& barre = p.Programme().Barres().Etat(0);
    EXPECT_EQ(barre.police, "Arial");
    EXPECT_EQ(barre.taille, "10");
    boite.Taper("Trois segments.");
    Onglet(3);
    ASSERT_EQ(PageCourante(), "METAUTOEXP");
    plan::MethodeEtapes& etapes = p.Programme().Etapes();
    const std::string texte = etapes.Etape(etapes.NumeroEtape("332")).TexteRedige;
    EXPECT_NE(texte.find("Trois segments."), std::string::npos) << texte;
    EXPECT_NE(texte.find("\\fs20"), std::string::npos) << texte;
    EXPECT_EQ(texte.find("\\fs24"), std::string::npos) << texte;
}

// Every step the tab bar gives an "Outils" tab: the tab is open and leads
// to the step's first table page, whose grid shows, and its "Retour" comes
// back to the step's method page.
TEST_F(MethodeExempleJeu, EveryOutilsTabShowsItsTablePageAndRetourComesBack) {
    plan::MethodeEtapes& etapes = p.Programme().Etapes();
    std::set<std::string> vues;
    for (int i = 1; i <= etapes.NombreEtapes(); ++i) {
        const std::string code = etapes.Etape(i).Code;
        if (!plan::EtapeAOutils(code)) continue;
        SCOPED_TRACE(code);
        p.Programme().Recepteur().NoeudPlan(std::string(plan::kPrefixeEtape) + code);
        p.ExecuterJusquARepos();
        ASSERT_EQ(PageCourante(), "METAUTOMET");
        const auto& m = p.Moteur();
        const grid::TableauClasse* onglets =
            p.Programme().Grilles().Cherche(m.jeu.PageCourante, engine::NumeroObjet(m.scene, m.jeu.PageCourante, "ONGLETAUTO"));
        ASSERT_NE(onglets, nullptr);
        EXPECT_EQ(onglets->Colonne(5).Pliee, 0) << "the tab is there";
        const auto pages = plan::MethodeEtapes::EtapeTableauxPagesNoms(code);
        ASSERT_FALSE(pages.empty());
        Onglet(5);
        OutilMontre(pages.front());
        vues.insert(PageCourante());
        Cliquer("RETOUR");
        EXPECT_EQ(PageCourante(), "METAUTOMET");
        EXPECT_EQ(m.jeu.EtapeCourante, code);
    }
    EXPECT_EQ(vues, (std::set<std::string>{"TABSWOT", "TABRD", "TABCONC", "TABPLANACTION", "TABUNIT", "TABEFF",
                                           "TDBPAC", "TABREC01", "TABREC0605"}));
    EXPECT_EQ(p.JournalErreurs(), "");
}

// Every node of the plan tree that leads to a table page (the steps' tool
// nodes, the dashboard's, step 12's) shows that page, and its "Retour" comes
// back to the page the click left.
TEST_F(MethodeExempleJeu, EveryToolNodeOfThePlanTreeShowsItsPageAndRetourComesBack) {
    const auto noeuds = plan::PlanArbreRemplir(p.Programme().Etapes(), [](int) { return std::string(); });
    std::set<std::string> vues;
    for (const plan::NoeudArbre& n : noeuds) {
        const std::string code =
            n.cle.starts_with(plan::kPrefixeEtape) ? n.cle.substr(plan::kPrefixeEtape.size()) : std::string();
        const std::string cible = plan::CibleNoeud(n.cle, code);
        if (plan::TableauPageGrille(cible).empty()) continue;
        SCOPED_TRACE(n.cle);
        p.Programme().Recepteur().NoeudPlan("METSOMMAIRE");
        p.ExecuterJusquARepos();
        ASSERT_EQ(PageCourante(), "METSOMMAIRE");
        p.Programme().Recepteur().NoeudPlan(n.cle);
        p.ExecuterJusquARepos();
        OutilMontre(cible);
        vues.insert(cible);
        Cliquer("RETOUR");
        EXPECT_EQ(PageCourante(), "METSOMMAIRE");
    }
    EXPECT_EQ(vues, (std::set<std::string>{"TABSWOT", "TABRD", "TABANVAR", "TABCONC", "TABPLANACTION", "TABUNIT",
                                           "TABEFF", "TDBPAC", "TABREC01", "TABREC0605", "TABIDENT"}));
    EXPECT_EQ(p.JournalErreurs(), "");
}

// "Imprimer cette page" and "Exporter cette page" on the method page of a
// step with entered tables: the job holds the step's grids, each titled by
// its print event (the identity table's title a blank), and the RTF file
// has them as tables after the step's title; the calendar is an
// action-plan table, its merged runs kept.
TEST_F(MethodeExempleJeu, AStepsPrintAndExportTakeItsTables) {
    struct Cas {
        const char* etape;
        std::vector<std::string> titres;  // of the printed grids, in order
        const char* saisie;               // an entry of its first grid
        std::size_t fusions;              // merged runs of its first grid
    };
    const Cas cas[] = {
        {"7", {"Analyse SWOT"}, "Un boulanger expérimenté et un four neuf", 0},
        {"423", {"Budget de R&D par étapes", "Financement du programme de R&D"}, "Pains sans gluten", 0},
        {"342", {"Produits concurrents"}, "Rayon pain de l'hypermarché", 0},
        {"5", {"Calendrier du projet"}, "Publicité de quartier", 4},
        {"433", {"Coût de revient unitaire"}, "Frais de boutique", 0},
        {"61", {"Effectifs prévisionnels"}, "Apprenti", 0},
        {"11", {"Prévisions résumées"}, "Trésorerie en fin d'année", 0},
        {"441", {"Budget des ventes"}, "Viennoiseries", 0},
        {"12", {" "}, "Boulangerie-pâtisserie de quartier", 0},
    };
    engine::Moteur& m = p.Moteur();
    plan::MethodeEtapes& etapes = p.Programme().Etapes();
    const fs::path sortie = fs::path(p.DossierProgramme()) / "sortie";
    fs::create_directories(sortie);
    for (const Cas& c : cas) {
        SCOPED_TRACE(c.etape);
        etapes.EtapeCouranteCode() = c.etape;
        engine::SauteALaPage(m, engine::NumeroDePage(m.scene, "METAUTOMET"));
        p.ExecuterJusquARepos();
        ASSERT_EQ(PageCourante(), "METAUTOMET");

        p.Programme().Recepteur().MenuPlan(plan::CommandePlan::ImprimerPage);
        p.ExecuterJusquARepos();
        const print::ImpressionTravail& t = p.Programme().TravailImpression();
        std::vector<std::string> titres;
        for (const auto& f : t.feuilles) {
            ASSERT_NE(f->Feuille(), nullptr);
            titres.push_back(platform::Cp1252VersUtf8(f->Feuille()->nom));
        }
        EXPECT_EQ(titres, c.titres);
        ASSERT_FALSE(t.feuilles.empty());
        const grid::Feuille& premiere = *t.feuilles.front()->Feuille();
        bool saisie = false;
        for (int r = 1; r <= premiere.LignesUtilisees(); ++r) {
            for (int k = 1; k <= 8; ++k) {
                const grid::CelluleFeuille* x = premiere.Cellule(r, k);
                saisie = saisie || (x != nullptr && platform::Cp1252VersUtf8(x->texte) == c.saisie);
            }
        }
        EXPECT_TRUE(saisie) << c.saisie;
        EXPECT_EQ(premiere.fusions.size(), c.fusions);

        const fs::path fichier = sortie / (std::string(c.etape) + ".rtf");
        p.RepondreFichier(fichier.string());
        p.Programme().Recepteur().MenuPlan(plan::CommandePlan::ExporterPageRtf);
        p.ExecuterJusquARepos();
        std::ifstream in(fichier, std::ios::binary);
        const std::string octets{std::istreambuf_iterator<char>(in), {}};
        const auto lu = rtf::LireTexteRiche(octets);
        ASSERT_TRUE(lu.has_value()) << fichier;
        const std::string texte = Utf8(lu->TexteBrut());
        const std::string titreEtape = platform::Cp1252VersUtf8(etapes.Etape(etapes.NumeroEtape(c.etape)).Titre);
        EXPECT_EQ(texte.rfind(titreEtape, 0), 0u) << texte.substr(0, 200);
        std::size_t depuis = 0;
        for (const std::string& titre : c.titres) {
            if (titre == " ") continue;
            depuis = texte.find(titre, depuis);
            EXPECT_NE(depuis, std::string::npos) << titre << " in " << texte;
        }
        EXPECT_NE(texte.find(c.saisie), std::string::npos) << texte;
        std::size_t rangees = 0;
        for (std::size_t k = octets.find("\\trowd"); k != std::string::npos; k = octets.find("\\trowd", k + 1)) ++rangees;
        EXPECT_GE(rangees, 4u) << "its rows are a table's";
        // Every row of fixed height: the action plan's layout.
        EXPECT_EQ(octets.find("\\trrh-250") != std::string::npos, c.fusions > 0);
    }
    EXPECT_TRUE(p.Messages().messages.empty());
    EXPECT_EQ(p.JournalErreurs(), "");
}

}  // namespace
}  // namespace korv::programme
