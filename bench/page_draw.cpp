// Preparing and drawing a page as rich as the sample's richest (BMP
// background, masked and unmasked pictures, a JPEG, blends and cross-fades,
// 3D buttons with shadows and outlines) into the page buffer, against one
// full-page copy of the buffer to the visible page.

#include <cstdlib>
#include <filesystem>
#include <memory>
#include <string>

#include <QGuiApplication>
#include <QImage>

#include "display/affichage.h"
#include "display/dessin.h"
#include "display/dessin_champs.h"
#include "display/zone.h"
#include "engine/moteur.h"
#include "engine/recherche.h"
#include "ratio_reporter.h"

namespace {

using namespace korv;
using engine::ObjetPage;
using engine::TypeObjet;

std::filesystem::path Dossier() {
    static const std::filesystem::path d = [] {
        auto p = std::filesystem::temp_directory_path() / "bench_page_draw";
        std::filesystem::create_directories(p);
        return p;
    }();
    return d;
}

// A picture with a pattern, so that no transfer meets a uniform shortcut.
std::string Image(const std::string& nom, int l, int h, const char* format, bool masque = false) {
    QImage i(l, h, QImage::Format_RGB32);
    for (int y = 0; y < h; ++y) {
        for (int x = 0; x < l; ++x) {
            const bool dedans = x > l / 5 && x < 4 * l / 5 && y > h / 5 && y < 4 * h / 5;
            i.setPixel(x, y, masque && !dedans ? 0xFFFFFFFF : qRgb((x * 7) & 0xFF, (y * 5) & 0xFF, (x + y) & 0xFF));
        }
    }
    const auto chemin = Dossier() / nom;
    i.save(QString::fromStdString(chemin.string()), format);
    if (masque) {
        QImage m(l, h, QImage::Format_RGB32);
        for (int y = 0; y < h; ++y) {
            for (int x = 0; x < l; ++x) m.setPixel(x, y, i.pixel(x, y) == 0xFFFFFFFF ? 0xFFFFFFFF : 0xFF000000);
        }
        const auto nomMasque = chemin.parent_path() / (chemin.stem().string() + ".MSK");
        m.convertToFormat(QImage::Format_Mono).save(QString::fromStdString(nomMasque.string()), "BMP");
    }
    return chemin.string();
}

struct Page {
    engine::Moteur moteur;
    std::unique_ptr<display::AffichagePage> affichage;

    Page() {
        moteur.scene.entete.pageLargeur = 640;
        moteur.scene.entete.pageHauteur = 480;
        moteur.scene.pages.resize(1);
        moteur.jeu.PageCourante = 1;
        moteur.jeu.ModeProgramme = engine::kModeJeu;
        display::ReglagesAffichage r;
        r.systeme.SystemeWindowsNT = false;  // shading and blends drawn: the costlier road
        affichage = std::make_unique<display::AffichagePage>(moteur, r);

        const std::string fond = Image("FOND.BMP", 640, 480, "BMP");
        const std::string photo = Image("PHOTO.JPG", 160, 120, "JPG");
        const std::string lutin = Image("LUTIN.BMP", 64, 64, "BMP", true);
        const std::string nu = Image("NU.BMP", 64, 64, "BMP", false);
        const std::string image = Image("IMAGE.BMP", 120, 90, "BMP");

        Ajouter(TypeObjet::Fond, 0, 0, 9600, 7200, [&](ObjetPage& o) {
            o.nom = "ACCUEIL";
            o.fichier = fond;
            o.I2 = -1;
        });
        Ajouter(TypeObjet::Image, 600, 600, 2400, 1800, [&](ObjetPage& o) {
            o.fichier = photo;
            o.C1 = 0;
            o.I2 = -1;
            o.C3 = 2;
            o.D2 = 0x0000FF;
            o.E1 = 4;
        });
        Ajouter(TypeObjet::Image, 3600, 600, 960, 960, [&](ObjetPage& o) {
            o.fichier = lutin;
            o.C1 = display::champs::kCadreTransparent;
        });
        Ajouter(TypeObjet::Image, 4800, 600, 960, 960, [&](ObjetPage& o) {
            o.fichier = nu;
            o.C1 = display::champs::kCadreTransparent;
        });
        Ajouter(TypeObjet::Image, 6000, 600, 1800, 1350, [&](ObjetPage& o) {
            o.fichier = image;
            o.C1 = display::champs::kCadreFondu;
            o.I2 = -1;
        });
        Ajouter(TypeObjet::Image, 600, 3000, 1800, 1350, [&](ObjetPage& o) {
            o.fichier = image;
            o.C1 = display::champs::kCadreAddition;
            o.I2 = -1;
        });
        Ajouter(TypeObjet::Image, 3000, 3000, 1800, 1350, [&](ObjetPage& o) {
            o.fichier = image;
            o.C1 = display::champs::kCadreFonduPourcentage;
            o.C2 = 30;
            o.I2 = -1;
        });
        for (int i = 0; i < 4; ++i) {
            Ajouter(TypeObjet::Bouton, 600 + i * 2250, 5700, 1950, 600, [&](ObjetPage& o) {
                o.C1 = display::champs::kCadre3D;
                o.C2 = 45;
                o.D1 = 0xC0C0C0;
                o.E1 = 3;
                o.C3 = 1;
                o.texte = "Suite";
            });
        }
        Ajouter(TypeObjet::Bouton, 5400, 3000, 1200, 1200, [&](ObjetPage& o) {
            o.C1 = display::champs::kCadre3D;
            o.C2 = 60;
            o.D1 = 0x808080;
            o.fichier = nu;
        });
    }

    template <class F>
    void Ajouter(TypeObjet type, int g, int h, int l, int ht, F reglage) {
        ObjetPage o;
        o.type = static_cast<std::uint8_t>(type);
        o.gauche = static_cast<std::int16_t>(g), o.haut = static_cast<std::int16_t>(h);
        o.largeur = static_cast<std::int16_t>(l), o.hauteur = static_cast<std::int16_t>(ht);
        o.decoupe = display::champs::kFormeRectangle;
        o.G[0] = static_cast<std::int16_t>(moteur.scene.Page(1).objets.size() + 1);
        reglage(o);
        moteur.scene.Page(1).objets.push_back(o);
    }

    // What page preparation does for the display: an empty shown list, then
    // every object drawn in z-order.
    void PreparerEtDessiner() {
        engine::ObjetAfficheSupprimerTous(moteur.affiches);
        affichage->PageTampon.Remplir(display::kBlanc);
        for (const auto n : engine::ListeObjetsPageEnZOrder(moteur.scene, 1)) {
            if (n > 0) display::MajDessinObjet(*affichage, 1, n, {});
        }
    }
};

Page& LaPage() {
    static Page page;
    return page;
}

void CopieTamponVersFenetre(benchmark::State& state) {
    Page& p = LaPage();
    for (auto _ : state) {
        display::MajFenetreJeu(*p.affichage);
        benchmark::DoNotOptimize(p.affichage->PageEcran.Image().constBits());
    }
}
BENCHMARK(CopieTamponVersFenetre)->Unit(benchmark::kMicrosecond);

void PreparerEtDessinerPage(benchmark::State& state) {
    Page& p = LaPage();
    for (auto _ : state) {
        p.PreparerEtDessiner();
        benchmark::DoNotOptimize(p.affichage->PageTampon.Image().constBits());
    }
}
BENCHMARK(PreparerEtDessinerPage)->Unit(benchmark::kMicrosecond);

}  // namespace

int main(int argc, char** argv) {
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    int qtArgc = 1;
    char nom[] = "bench_page_draw";
    char* qtArgv[] = {nom, nullptr};
    QGuiApplication application(qtArgc, qtArgv);
    LaPage().PreparerEtDessiner();  // pictures decoded and cached before any timing
    return korv::bench::RunWithRatios(argc, argv, "CopieTamponVersFenetre");
}
