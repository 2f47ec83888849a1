#include "display/boite3d.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace korv::display {
namespace {

constexpr Couleur kFace = Rgb(100, 100, 100);
constexpr Couleur kClair = Rgb(150, 150, 150);
constexpr Couleur kSombre = Rgb(50, 50, 50);
constexpr Couleur kFond = Rgb(0, 0, 255);

// The surface as rows of letters: F face, C light, S dark, . background,
// ? any other colour.
std::vector<std::string> Dessin(const Surface& s) {
    std::vector<std::string> lignes;
    for (int y = 0; y < s.Hauteur(); ++y) {
        std::string l;
        for (int x = 0; x < s.Largeur(); ++x) {
            const Couleur c = s.Pixel(x, y);
            l += c == kFace ? 'F' : c == kClair ? 'C' : c == kSombre ? 'S' : c == kFond ? '.' : '?';
        }
        lignes.push_back(l);
    }
    return lignes;
}

TEST(Boite3D, BordsEnReliefEtEnfonce) {
    struct Cas {
        const char* quoi;
        bool enfonce;
        std::int32_t profondeur;  // twips, 15 a pixel
        bool redessinAuto;
        std::vector<std::string> attendu;
    };
    const Cas cas[] = {
        {"raised, 2 pixels deep", false, 30, true,
         {"..........",
          ".CCCCCCCC.",
          ".CCCCCCSC.",  // the upper-right mitre lines stop short of their end
          ".CCFFFFSS.",
          ".CCFFFFSS.",
          ".CSSSSSSS.",
          ".SSSSSSSS.",
          ".........."}},
        {"sunken, 2 pixels deep", true, 30, true,
         {"..........",
          ".SSSSSSSS.",
          ".SSSSSSCS.",
          ".SSFFFFCC.",
          ".SSFFFFCC.",
          ".SCCCCCCC.",
          ".CCCCCCCC.",
          ".........."}},
        {"1 twip is one pixel", false, 1, true,
         {"..........",
          ".CCCCCCCC.",
          ".CFFFFFFS.",
          ".CFFFFFFS.",
          ".CFFFFFFS.",
          ".CFFFFFFS.",
          ".SSSSSSSS.",
          ".........."}},
        {"depth 0 draws nothing", false, 0, true,
         {"..........", "..........", "..........", "..........", "..........", "..........", "..........",
          ".........."}},
        {"without automatic redraw, one pixel more", false, 15, false,
         {"..........",
          ".CCCCCCCCC",
          ".CFFFFFFFS",
          ".CFFFFFFFS",
          ".CFFFFFFFS",
          ".CFFFFFFFS",
          ".CFFFFFFFS",
          ".SSSSSSSSS"}},
    };
    for (const Cas& c : cas) {
        Surface s(10, 8, kFond);
        s.DefinirRedessinAuto(c.redessinAuto);
        if (c.enfonce) {
            Carre3DEnfonce(s, 15, 15, 8 * 15, 6 * 15, c.profondeur, kFace);
        } else {
            Carre3D(s, 15, 15, 8 * 15, 6 * 15, c.profondeur, kFace);
        }
        EXPECT_EQ(Dessin(s), c.attendu) << c.quoi;
    }
}

TEST(Boite3D, AspectEnfonceChoisi) {
    struct Cas {
        std::uint8_t aspect;
        std::int32_t style;
        std::uint8_t forme;
        AspectEnfonce attendu;
    };
    const Cas cas[] = {
        {2, 0, 1, AspectEnfonce::Carre3DEnfonce},    {2, 4, 2, AspectEnfonce::Carre3DEnfonce},
        {0, 1, 2, AspectEnfonce::Carre3DEnfonce},    {0, 2, 1, AspectEnfonce::RectangleEclairci},
        {3, 1, 1, AspectEnfonce::RectangleEclairci}, {3, 0, 2, AspectEnfonce::PolygoneEclairci},
        {0, 2, 2, AspectEnfonce::Aucun},             {1, 1, 1, AspectEnfonce::Aucun},
        {4, 0, 1, AspectEnfonce::Aucun},
    };
    for (const Cas& c : cas) {
        ObjetEnfonce o;
        o.aspectEnfonce = c.aspect;
        o.styleCadre = c.style;
        o.forme = c.forme;
        EXPECT_EQ(ChoisirAspectEnfonce(o), c.attendu) << int(c.aspect) << " " << c.style << " " << int(c.forme);
    }
}

TEST(Boite3D, AspectEnfonceDessineSurLEcran) {
    // The object at (3, 2) pixels of the page, 4 x 3; the window scrolled by
    // (1, 1): it shows at (2, 1).
    ObjetEnfonce o{45, 30, 60, 45, 2, 15, kFace, 0, 1};
    for (const bool nt : {true, false}) {
        const SystemeAffichage systeme{nt, false};
        Surface ecran(8, 6, Rgb(100, 100, 100));
        EXPECT_EQ(DessinerEnfonceObjet(systeme, ecran, o, QPoint(1, 1)), AspectEnfonce::RectangleEclairci);
        for (int y = 0; y < 6; ++y) {
            for (int x = 0; x < 8; ++x) {
                const bool eclairci = !nt && x >= 2 && x <= 5 && y >= 1 && y <= 3;
                EXPECT_EQ(ecran.Pixel(x, y), eclairci ? Rgb(150, 150, 150) : Rgb(100, 100, 100))
                    << "NT " << nt << " " << x << "," << y;
            }
        }
        // Sunk: the same box on either system.
        ObjetEnfonce b = o;
        b.styleCadre = 1;
        Surface boite(8, 6, kFond);
        EXPECT_EQ(DessinerEnfonceObjet(systeme, boite, b, QPoint(1, 1)), AspectEnfonce::Carre3DEnfonce);
        EXPECT_EQ(Dessin(boite), (std::vector<std::string>{"........", "..SSSS..", "..SFFC..", "..CCCC..", "........",
                                                           "........"}))
            << "NT " << nt;
    }
}

TEST(Boite3D, ZoneEnfonceeEclaircieSurSaBoiteEnglobante) {
    // Three rectangles (twips) and a fourth that is ignored.
    const RectangleZone zones[] = {{30, 15, 60, 30}, {15, 45, 45, 60}, {60, 30, 90, 45}, {0, 0, 120, 90}};
    for (const bool nt : {true, false}) {
        Surface ecran(8, 6, Rgb(100, 100, 100));
        DessinerEnfonceZone(SystemeAffichage{nt, false}, ecran, zones, QPoint(0, 0));
        for (int y = 0; y < 6; ++y) {
            for (int x = 0; x < 8; ++x) {
                const bool eclairci = !nt && x >= 1 && x <= 5 && y >= 1 && y <= 3;
                EXPECT_EQ(ecran.Pixel(x, y), eclairci ? Rgb(150, 150, 150) : Rgb(100, 100, 100))
                    << "NT " << nt << " " << x << "," << y;
            }
        }
    }
}

}  // namespace
}  // namespace korv::display
