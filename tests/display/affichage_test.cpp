#include "display/affichage.h"

#include <gtest/gtest.h>

#include "page_fabrique.h"

#include <memory>
#include <string>
#include <vector>

#include "display/dessin.h"
#include "display/dessin_champs.h"
#include "display/surface_application.h"
#include "display/zone.h"
#include "engine/erreur.h"
#include "engine/moteur.h"

namespace korv::display {
namespace {

using engine::ObjetPage;
using engine::TypeObjet;

class FenetreTrace final : public FenetreAffichage {
public:
    void Rafraichir(const QRect& zone) override { zones.push_back(zone); }
    void MessagePourcentage(std::int32_t valeur) override { pourcentages.push_back(valeur); }
    std::int32_t TexteMethodeHauteurTwips() override { return hauteurTexte; }
    std::vector<QRect> zones;
    std::vector<std::int32_t> pourcentages;
    std::int32_t hauteurTexte = 0;
};

struct Banc {
    engine::Moteur moteur;
    FenetreTrace fenetre;
    std::unique_ptr<AffichagePage> a;

    explicit Banc(int largeur = 200, int hauteur = 150, bool nt = true) {
        test::ApplicationAffichage();
        moteur.scene.entete.pageLargeur = static_cast<std::int16_t>(largeur);
        moteur.scene.entete.pageHauteur = static_cast<std::int16_t>(hauteur);
        moteur.scene.pages.resize(1);
        moteur.jeu.PageCourante = 1;
        ReglagesAffichage r;
        r.systeme.SystemeWindowsNT = nt;
        a = std::make_unique<AffichagePage>(moteur, r);
        a->DefinirFenetre(&fenetre);
        Ajouter(TypeObjet::Fond, 0, 0, 3000, 2250).nom = "METHODE";
    }
    ObjetPage& Ajouter(TypeObjet type, int g, int h, int l, int ht) {
        return test::AjouterObjet(moteur.scene, type, g, h, l, ht);
    }
    int Dernier() const { return moteur.scene.Page(1).ObjetNb(); }
};

TEST(Affichage, EffetCopieLeRectangleDuTamponAuMemeEndroit) {
    Banc b;
    b.a->PageTampon.Remplir(Rgb(1, 2, 3));
    Effet(*b.a, 7, 100, 40, 10, 5);
    EXPECT_EQ(b.a->PageEcran.Pixel(100, 40), Rgb(1, 2, 3));
    EXPECT_EQ(b.a->PageEcran.Pixel(109, 44), Rgb(1, 2, 3));
    EXPECT_EQ(b.a->PageEcran.Pixel(110, 44), kBlanc);
    EXPECT_EQ(b.a->PageEcran.Pixel(99, 40), kBlanc);
    ASSERT_EQ(b.fenetre.zones.size(), 1u);
    EXPECT_EQ(b.fenetre.zones[0], QRect(100, 40, 10, 5));

    // The engine's whole-page form, and a rectangle partly off the page.
    b.a->Effet(0);
    EXPECT_EQ(b.a->PageEcran.Pixel(199, 149), Rgb(1, 2, 3));
    EXPECT_EQ(b.fenetre.zones.back(), QRect(0, 0, 200, 150));
    Effet(*b.a, 0, 190, 140, 50, 50);
    EXPECT_EQ(b.fenetre.zones.back(), QRect(190, 140, 10, 10));
}

TEST(Affichage, CopiesSansSurfacesSignalentLeurErreur) {
    struct Cas {
        const char* source;
        void (*copie)(AffichagePage&);
    };
    const Cas cas[] = {
        {"A20", [](AffichagePage& a) { Effet(a, 0, 0, 0, 10, 10); }},
        {"A116", [](AffichagePage& a) { MajFenetreJeu(a); }},
        {"A115", [](AffichagePage& a) { PageJeuReafficheEnEntier(a); }},
    };
    for (const Cas& c : cas) {
        Banc b(0, 0);
        try {
            c.copie(*b.a);
            ADD_FAILURE() << c.source << " not raised";
        } catch (const engine::ErreurMoteur& e) {
            EXPECT_EQ(e.numero(), engine::kErreurProgramme);
            EXPECT_STREQ(e.what(), c.source);
        }
    }
}

TEST(Affichage, PourcentagesDeLaFenetreDeProgression) {
    Banc b;
    for (const std::int32_t v : {50, 0, 100, 200, -200, 101, -1, 199, -201, 1000}) MessagePourcentageAffiche(*b.a, v);
    const std::vector<std::int32_t> attendus = {50, 0, 100, 200, -200};
    EXPECT_EQ(b.fenetre.pourcentages, attendus);
}

TEST(Affichage, EchellesEcran) {
    struct Cas {
        double dpi, echelle;
    };
    for (const Cas c : {Cas{96, 1.0}, Cas{120, 1.25}, Cas{0, 1.0}, Cas{-5, 1.0}, Cas{192, 2.0}}) {
        EXPECT_DOUBLE_EQ(EchelleDepuisPointsParPouce(c.dpi), c.echelle) << c.dpi;
    }
    engine::Moteur m;
    ReglagesAffichage r;
    r.echelleEcranX = 0.0;
    r.echelleEcranY = 1.25;
    AffichagePage a(m, r);
    EXPECT_DOUBLE_EQ(EchelleEcranX(a), 1.0);
    EXPECT_DOUBLE_EQ(EchelleEcranY(a), 1.25);
}

TEST(Affichage, HauteurDuTexteDeMethode) {
    Banc b;
    EXPECT_FALSE(TexteMetHauteur(*b.a, 1).has_value());
    b.Ajouter(TypeObjet::TexteRtf, 0, 0, 100, 900).nom = "texteMet";
    EXPECT_FALSE(TexteMetHauteur(*b.a, 1).has_value());  // the comparison keeps the case
    b.Ajouter(TypeObjet::TexteRtf, 0, 0, 100, 1200).nom = "TEXTEMET";
    b.Ajouter(TypeObjet::TexteRtf, 0, 0, 100, 1500).nom = "TEXTEMET";
    EXPECT_EQ(TexteMetHauteur(*b.a, 1), std::optional<std::int16_t>(1200));
    EXPECT_FALSE(TexteMetHauteur(*b.a, 9).has_value());
}

TEST(Affichage, BoutonsDeMethodeSelonLaPlaceDuTexte) {
    struct Cas {
        bool panneau;             // the page has its "TEXTEMET"
        std::int32_t texte;       // height of the method text, twips
        bool montreAuDepart;
        bool montreALaFin;
    };
    const Cas cas[] = {
        {true, 1000, false, true},   // the text fits: the button is shown
        {true, 3000, true, false},   // it does not: the button goes
        {true, 3000, false, false},
        {false, 0, true, false},     // no panel: panel height 0, nothing fits
    };
    for (const Cas& c : cas) {
        Banc b;
        b.moteur.jeu.ModeProgramme = engine::kModeJeu;
        b.fenetre.hauteurTexte = c.texte;
        if (c.panneau) b.Ajouter(TypeObjet::TexteRtf, 0, 0, 1500, 3000).nom = "TEXTEMET";
        ObjetPage& bouton = b.Ajouter(TypeObjet::Bouton, 300, 300, 300, 300);
        bouton.G[3] = 16;
        bouton.C1 = 2;
        bouton.D1 = static_cast<std::int32_t>(Rgb(0, 0, 255));
        const int n = b.Dernier();
        if (c.montreAuDepart) MajDessinObjet(*b.a, 1, n, {});
        JeuBoutonPageMaj(*b.a, 1);
        const bool montre = engine::ObjetAfficheNObjetVersNAffiche(b.moteur.affiches, 1, n) > 0;
        EXPECT_EQ(montre, c.montreALaFin) << c.panneau << " " << c.texte << " " << c.montreAuDepart;
        EXPECT_EQ(b.a->PageEcran.Pixel(25, 25) == Rgb(0, 0, 255), c.montreALaFin);
    }
}

TEST(Affichage, MontrerPasseParLeDeclencheurQuandIlEstBranche) {
    Banc b;
    std::vector<int> declenches;
    b.a->crochets.DeclencheDivers = [&](int page, int objet) { declenches.push_back(page * 100 + objet); };
    ObjetMontrer(*b.a, 1, 1);
    EXPECT_EQ(declenches, std::vector<int>{101});
    EXPECT_EQ(b.moteur.affiches.Nombre(), 0);
}

TEST(Affichage, AspectEnfonceSurLaPageVisibleSeulement) {
    Banc b(200, 150, false);
    b.moteur.jeu.ModeProgramme = engine::kModeJeu;
    ObjetPage& bouton = b.Ajouter(TypeObjet::Bouton, 300, 300, 900, 600);
    bouton.C1 = champs::kCadre3D;
    bouton.C2 = 60;
    bouton.D1 = static_cast<std::int32_t>(Rgb(120, 120, 120));
    MajDessinObjet(*b.a, 1, b.Dernier(), {});
    b.a->Effet(0);
    ASSERT_EQ(b.a->PageEcran.Pixel(50, 21), Rgb(170, 170, 170));

    b.a->EnfonceEffet(1, 0);
    EXPECT_EQ(b.a->PageEcran.Pixel(50, 21), Rgb(70, 70, 70));  // top band now darker
    EXPECT_EQ(b.a->PageTampon.Pixel(50, 21), Rgb(170, 170, 170));
    EXPECT_EQ(b.moteur.affiches.Entree(1).enfonce, -1);
    b.a->MajFenetreJeu();  // the next copy takes the look away
    EXPECT_EQ(b.a->PageEcran.Pixel(50, 21), Rgb(170, 170, 170));
}

TEST(Affichage, AspectEnfonceDUneZoneDeLien) {
    for (bool nt : {true, false}) {
        Banc b(200, 150, nt);
        b.a->PageTampon.Remplir(Rgb(100, 100, 100));
        b.a->MajFenetreJeu();
        engine::EvenementAttente e;
        e.TypeObjet = engine::kTypeZoneLien;
        e.Zone.Numero = 2;
        e.Zone.Gauche1 = 150, e.Zone.Haut1 = 150, e.Zone.Droite1 = 450, e.Zone.Bas1 = 300;
        e.Zone.Gauche2 = 300, e.Zone.Haut2 = 300, e.Zone.Droite2 = 600, e.Zone.Bas2 = 450;
        b.moteur.attente.entrees.push_back(e);
        b.a->EnfonceEffet(0, 1);
        EXPECT_EQ(b.moteur.attente.Entree(1).Enfonce, -1);
        // The bounding box of both rectangles is lightened, except on "Windows NT".
        const Couleur attendu = nt ? Rgb(100, 100, 100) : Rgb(150, 150, 150);
        EXPECT_EQ(b.a->PageEcran.Pixel(35, 12), attendu) << nt;
        EXPECT_EQ(b.a->PageEcran.Pixel(5, 5), Rgb(100, 100, 100));
    }
}

}  // namespace
}  // namespace korv::display
