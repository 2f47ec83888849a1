// Program entry point: one instance per user, then the engine on its Qt
// services. A later start hands its command line to the running instance
// and ends with code 0. The play loop is the program's main loop (no
// QApplication::exec): `Demarre` returns once the program is to end.

#include <QApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

#include <exception>
#include <functional>
#include <string>

#include "display/affichage.h"
#include "display/fenetre.h"
#include "engine/demarrage.h"
#include "engine/erreur.h"
#include "engine/jeu.h"
#include "engine/moteur.h"
#include "engine/souris.h"
#include "plan/entree_page.h"
#include "plan/etat_plan.h"
#include "plan/qt_fenetre_principale.h"
#include "platform/clock.h"
#include "platform/cp1252.h"
#include "platform/qt_cp1252.h"
#include "platform/qt_event_pump.h"
#include "platform/qt_file_dialog.h"
#include "platform/qt_instance_unique.h"
#include "platform/qt_message_box.h"
#include "platform/qt_process_launcher.h"
#include "platform/qt_url_opener.h"
#include "platform/qt_settings.h"

namespace {

using namespace korv;

// The command line after the program name (Qt's own options removed), as
// one engine text: the arguments joined by single spaces.
std::string LigneCommande(int argc, char** argv) {
    QString ligne;
    for (int i = 1; i < argc; ++i) {
        if (i > 1) ligne += QLatin1Char(' ');
        ligne += QString::fromLocal8Bit(argv[i]);
    }
    return platform::DepuisQString(ligne);
}

// Reports an error that reached a Qt entry point; it goes no further.
void Signaler(engine::Moteur& moteur, std::string_view procedure, const std::function<void()>& corps) noexcept {
    try {
        engine::AuBord(moteur, procedure, corps);
    } catch (...) {
        // Error mode 2 hands the error back; there is no caller to take it.
        try {
            engine::Fin(moteur, true, false);
        } catch (...) {
            moteur.fin.demandee = true;
        }
    }
}

// The main window as the page display sees it: its inner size and the page
// image it shows.
class FenetreAffichageEc final : public display::FenetreAffichage {
public:
    FenetreAffichageEc(plan::QtFenetrePrincipale& fenetre, int twipsParPixel)
        : fenetre_(fenetre), twips_(twipsParPixel) {}

    display::MesuresFenetre Mesures() const override {
        display::MesuresFenetre m;
        const QWidget* centre = fenetre_.centralWidget();
        const QSize taille = centre ? centre->size() : fenetre_.size();
        m.largeur = taille.width() * twips_;
        m.hauteur = taille.height() * twips_;
        return m;
    }
    void MontrerPage(const QImage* image) override { fenetre_.DefinirPageTampon(image); }
    void Rafraichir(const QRect&) override { fenetre_.MajFenetreJeu(); }

private:
    plan::QtFenetrePrincipale& fenetre_;
    int twips_;
};

// What the main window hands over, on to the engine. Scrolling keeps the
// receiver's default (ignored): the engine has no page-input procedure yet.
class RecepteurMoteur final : public plan::RecepteurPage {
public:
    explicit RecepteurMoteur(engine::Moteur& moteur) : moteur_(moteur) {}

    bool ModeJeu() override { return moteur_.jeu.ModeProgramme == engine::kModeJeu; }

    void ToucheEnfoncee(int code, int maj) override {
        Signaler(moteur_, "Ec", [&] {
            if (code == plan::kToucheEchap) {
                engine::AppuieToucheEsc(moteur_);
            } else {
                engine::TableauxAppuieTouche(moteur_, code, maj, false);
            }
        });
    }
    void Souris(int genre, int bouton, int maj, int xTwips, int yTwips) override {
        Signaler(moteur_, "Ec", [&] { engine::EvenementSourisSurvient(moteur_, genre, bouton, maj, xTwips, yTwips); });
    }
    void ToucheRelachee(int code, int maj) override {
        Signaler(moteur_, "Ec", [&] { engine::AppuieTouche(moteur_, code, maj); });
    }

    // The close box: the save question, whose Cancel keeps the window.
    bool DemandeFermeture() override {
        bool fermer = true;
        Signaler(moteur_, "Ec", [&] { fermer = engine::Fin(moteur_, false, true); });
        return fermer;
    }
    void MenuQuitter() override {
        Signaler(moteur_, "Ec", [&] { engine::Fin(moteur_, true, true); });
    }

    // A new window size lays the page out again.
    void Redimensionnement() override {
        Signaler(moteur_, "Ec", [&] { moteur_.Ecran().MajTailleFenetre(true); });
    }

    void ErreurInterceptee(std::exception_ptr erreur) noexcept override {
        Signaler(moteur_, "Ec", [&] { std::rethrow_exception(erreur); });
    }

private:
    engine::Moteur& moteur_;
};

}  // namespace

int main(int argc, char** argv) {
    QApplication application(argc, argv);
    // The program speaks French: Qt's own buttons (Oui, Non, Annuler) too.
    QTranslator traductionQt;
    if (traductionQt.load(QLocale(QLocale::French), "qtbase", "_", QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
        QApplication::installTranslator(&traductionQt);
    }
    const std::string ligne = LigneCommande(argc, argv);

    engine::Moteur moteur;
    platform::QtInstanceUnique instance(platform::NomInstanceUnique());
    plan::QtFenetrePrincipale* fenetreRecue = nullptr;
    // `DDESOURCE`: a later start's command line is a plan document to open.
    const auto reception = [&moteur, &fenetreRecue](std::string recue) {
        Signaler(moteur, "DDESOURCE", [&] {
            if (fenetreRecue) {
                if (fenetreRecue->isMinimized()) fenetreRecue->showNormal();
                fenetreRecue->raise();
                fenetreRecue->activateWindow();
            }
            moteur.Plan().PlanAffaireOuvrir(engine::DocumentDeLigneCommande(recue));
        });
    };
    platform::QtBoiteMessage messages;
    switch (instance.Demarre(ligne, reception)) {
    case platform::ResultatInstance::Transmise: return 0;
    case platform::ResultatInstance::Injoignable:
        messages.Afficher(platform::Utf8VersCp1252("Le programme est déjà lancé mais ne répond pas."),
                          platform::style::Ok | platform::style::Exclamation);
        return 1;
    case platform::ResultatInstance::Premiere: break;
    }
    if (!instance.Ecoute()) {
        qWarning("Les démarrages suivants ne pourront pas transmettre leur document.");
    }

    moteur.dossierProgramme = platform::DepuisQString(QCoreApplication::applicationDirPath());

    platform::QtDialogueFichier dialogues;
    platform::HorlogeSysteme horloge;
    platform::QtPompeEvenements pompe;
    plan::QtFenetrePrincipale fenetre;
    plan::EtatPlan etatPlan(messages);
    RecepteurMoteur recepteur(moteur);
    fenetre.DefinirRecepteur(&recepteur);
    etatPlan.splash = [&fenetre](int pourcent) { fenetre.Splash().OrvaneSplashAffiche(pourcent); };
    fenetreRecue = &fenetre;

    auto& services = moteur.Services();
    services.messages = &messages;
    services.dialogues = &dialogues;
    services.horloge = &horloge;
    services.pompe = &pompe;
    services.fenetre = &fenetre;
    services.plan = &etatPlan;
    display::AffichagePage affichage(moteur);
    FenetreAffichageEc fenetreAffichage(fenetre, affichage.reglages.twipsParPixelX);
    platform::QtMagasinReglages reglages(platform::QtMagasinReglages::DossierParDefaut());
    affichage.DefinirFenetre(&fenetreAffichage);
    affichage.DefinirMagasin(&reglages);
    services.affichage = &affichage;
    platform::QtLanceurProcessus lanceur;
    platform::QtOuvreurUrl navigateur;
    auto& declenchement = moteur.Declenchement().Configuration();
    declenchement.lanceur = &lanceur;
    declenchement.navigateur = &navigateur;
    declenchement.programme = QCoreApplication::applicationFilePath().toStdString();
    // Scripts, grids and the trigger dispatch are the engine's own unless a
    // layer replaces them.

    fenetre.Splash().Montrer();
    QCoreApplication::processEvents();

    engine::DemarrageOptions options;
    options.ligneCommande = ligne;
    const int code = engine::Demarre(moteur, options);
    fenetre.DefinirRecepteur(nullptr);
    fenetreRecue = nullptr;
    return code;
}
