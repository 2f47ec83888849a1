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
#include "display/graphiques.h"
#include "engine/demarrage.h"
#include "engine/moteur.h"
#include "plan/etat_plan.h"
#include "plan/qt_boite_edition.h"
#include "plan/qt_fenetre_bulle.h"
#include "plan/qt_espace_affichage.h"
#include "plan/qt_fenetre_affichage_ec.h"
#include "plan/qt_fenetre_principale.h"
#include "plan/barre_rtf.h"
#include "plan/qt_boite_methode.h"
#include "plan/qt_redaction.h"
#include "platform/clock.h"
#include "platform/cp1252.h"
#include "platform/qt_clipboard.h"
#include "platform/qt_colour_dialog.h"
#include "platform/qt_cp1252.h"
#include "platform/qt_event_pump.h"
#include "platform/qt_file_dialog.h"
#include "platform/qt_font_catalogue.h"
#include "platform/qt_instance_unique.h"
#include "platform/qt_message_box.h"
#include "platform/qt_process_launcher.h"
#include "platform/qt_url_opener.h"
#include "platform/qt_settings.h"
#include "print/qt_apercu.h"
#include "print/qt_imprimante.h"
#include "print/qt_mesureur.h"
#include "plan/arbre_plan.h"
#include "programme/programme.h"
#include "programme/recepteur_moteur.h"

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
        programme::Signaler(moteur, "DDESOURCE", [&] {
            if (fenetreRecue) {
                if (fenetreRecue->isMinimized()) fenetreRecue->showNormal();
                fenetreRecue->raise();
                fenetreRecue->activateWindow();
            }
            moteur.Plan().PlanAffaireOuvrir(engine::DocumentDeLigneCommande(recue), true, 0);
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
    platform::QtMagasinReglages reglages(platform::QtMagasinReglages::DossierParDefaut());
    platform::QtLanceurProcessus lanceur;
    platform::QtOuvreurUrl navigateur;
    platform::QtCataloguePolices polices;
    platform::QtPressePapier pressePapier;
    constexpr int kTwipsParPixel = 15;
    plan::QtFenetrePrincipale fenetre(kTwipsParPixel, kTwipsParPixel);
    plan::FenetreAffichageEc fenetreAffichage(fenetre, kTwipsParPixel, kTwipsParPixel);

    programme::Plateforme plateforme;
    plateforme.horloge = &horloge;
    plateforme.pompe = &pompe;
    plateforme.messages = &messages;
    plateforme.dialogues = &dialogues;
    plateforme.reglages = &reglages;
    plateforme.lanceur = &lanceur;
    plateforme.navigateur = &navigateur;
    plateforme.fenetre = &fenetre;
    plateforme.fenetreAffichage = &fenetreAffichage;
    plateforme.polices = &polices;
    plateforme.pressePapier = &pressePapier;
    plateforme.chronoDefilement = &fenetre;
    plateforme.chronoBulle = &fenetre.ChronoBulleGrilles();
    plan::QtFenetreBulle bulle(&fenetre, &fenetre.Espace());
    plateforme.bulle = &bulle;
    fenetre.DefinirBulle(&bulle);
    plan::QtBoiteEdition boiteEdition(&fenetre.Espace(), kTwipsParPixel);
    plateforme.boiteEdition = &boiteEdition;
    plateforme.fenetreDocument = &fenetre;
    plateforme.boiteEditionRiche = &boiteEdition;
    plan::QtPanneauRedaction redaction(&fenetre.Espace(), kTwipsParPixel);
    plateforme.redaction = &redaction;
    plan::QtBoiteMethode texteMethode(&fenetre.Espace(), kTwipsParPixel);
    plan::QtBoiteMethode menuSav(&fenetre.Espace(), kTwipsParPixel);
    plateforme.texteMethode = &texteMethode;
    plateforme.menuSav = &menuSav;
    platform::QtDialogueCouleur couleur;
    plateforme.couleur = &couleur;
    plateforme.twipsParPixel = kTwipsParPixel;
    print::QtImprimante imprimante(&fenetre);
    print::QtMesureur mesureur;
    plateforme.imprimante = &imprimante;
    plateforme.mesureur = &mesureur;
    print::QtApercu apercu(&fenetre, imprimante,
                           [](const grid::ContenuGraphique& g, QImage& cible, const QRect& r) {
                               display::GraphiqueDessiner(g, cible, r);
                           });
    plateforme.apercu = &apercu;
    fenetre.DefinirConfigurationImprimante([&imprimante] { imprimante.Configurer(); });
    fenetre.DefinirControlesFinDuJeu([&texteMethode, &menuSav] {
        texteMethode.Montrer(false);
        menuSav.Montrer(false);
    });
    plateforme.executable = QCoreApplication::applicationFilePath().toStdString();
    programme::Programme composition(moteur, plateforme);
    composition.Plan().splash = [&fenetre](int pourcent) { fenetre.Splash().OrvaneSplashAffiche(pourcent); };
    // Toolbar 0 on the writing panel, toolbar 1 over the page for the edit
    // of a rich-text object.
    redaction.Brancher(composition.Barres());
    plan::QtBarreRTF barreEdition(composition.Barres(), 1, &fenetre.Espace());
    composition.Barres().vue = [&redaction, &barreEdition, &fenetre](int n) {
        if (n == 0) {
            if (redaction.Barre()) redaction.Barre()->Montrer();
            redaction.Disposer();
            return;
        }
        barreEdition.setGeometry(0, 0, fenetre.Espace().width(), barreEdition.sizeHint().height());
        barreEdition.Montrer();
        barreEdition.raise();
    };
    composition.SurArbrePlan([&fenetre](const std::vector<plan::NoeudArbre>& noeuds) { fenetre.RemplirArbre(noeuds); });
    fenetre.DefinirRecepteur(&composition.Recepteur());
    fenetreRecue = &fenetre;

    fenetre.Splash().Montrer();
    QCoreApplication::processEvents();

    engine::DemarrageOptions options;
    options.ligneCommande = ligne;
    const int code = engine::Demarre(moteur, options);
    fenetre.DefinirRecepteur(nullptr);
    fenetreRecue = nullptr;
    return code;
}
