#include <gtest/gtest.h>

#include <string>
#include <vector>

#include <QFrame>
#include <QKeyEvent>
#include <QLabel>
#include <QMouseEvent>
#include <QProgressBar>
#include <QPushButton>

#include "plan/qt_a_propos.h"
#include "plan/qt_fenetre_progression.h"
#include "plan/qt_splash.h"
#include "plan/textes_fenetres.h"
#include "platform/cp1252.h"
#include "platform/qt_cp1252.h"
#include "platform/qt_test_app.h"

namespace korv::plan {
namespace {

TEST(QtFenetreProgression, OuvrirPourcentagesEtFermer) {
    platform::ApplicationTest();
    FenetreProgression progression(15);
    progression.Pourcentage(50);  // not open: nothing, no window
    EXPECT_FALSE(progression.EstOuverte());

    progression.Ouvrir(platform::Utf8VersCp1252("Préparation aperçu"), "En cours...");
    FenetreMessage* f = progression.Fenetre();
    ASSERT_NE(f, nullptr);
    EXPECT_TRUE(f->isVisible());
    EXPECT_EQ(f->windowTitle(), QString("Préparation aperçu"));
    EXPECT_EQ(f->label->text(), QString("En cours..."));
    EXPECT_FALSE(f->pourcentageConteneur->isVisible());
    EXPECT_FALSE(f->ok->isVisible() || f->annuler->isVisible() || f->editer->isVisible());

    struct Cas {
        long valeur;
        bool jaugeVisible;
        int largeurTwips;
    };
    const Cas cas[] = {
        {50, true, 2000}, {0, true, 0},       {100, true, 4000}, {150, true, 4000},  // other values: nothing
        {200, true, 0},   {-200, false, 0},   {-1, false, 0},    {37, true, 1480},
    };
    for (const Cas& c : cas) {
        SCOPED_TRACE(c.valeur);
        progression.Pourcentage(c.valeur);
        EXPECT_EQ(f->pourcentageConteneur->isVisible(), c.jaugeVisible);
        EXPECT_EQ(f->LargeurBarreTwips(), c.largeurTwips);
        EXPECT_EQ(f->pourcentageValeur->width(), (c.largeurTwips + 7) / 15);
    }
    EXPECT_EQ(f->pourcentageConteneur->width(), 267);  // 4000 twips

    // Its close box does nothing; the program closes it.
    EXPECT_FALSE(f->close());
    EXPECT_TRUE(f->isVisible());
    progression.Fermer();
    EXPECT_FALSE(progression.EstOuverte());
    progression.Fermer();  // closing again: nothing
}

TEST(QtFenetreProgression, AnnulerDonneUneReponseQueLOuvertureEfface) {
    platform::ApplicationTest();
    FenetreProgression progression(15);
    progression.Ouvrir("Exportation", "En cours...");
    FenetreMessage* f = progression.Fenetre();
    f->ok->show();
    f->annuler->show();
    f->annuler->click();
    EXPECT_EQ(f->reponse, "ANNULER");
    EXPECT_FALSE(f->ok->isVisible() || f->annuler->isVisible());
    progression.Ouvrir("Exportation", "En cours...");
    EXPECT_EQ(progression.Fenetre()->reponse, "");
}

TEST(QtSplash, PourcentageEtFermetureParLUtilisateur) {
    platform::ApplicationTest();
    SplashDemarrage splash;
    // Before it is shown: the window is made, hidden, with the value.
    splash.OrvaneSplashAffiche(10);
    ASSERT_NE(splash.Fenetre(), nullptr);
    EXPECT_FALSE(splash.Fenetre()->isVisible());
    EXPECT_EQ(splash.Fenetre()->pourcentageValeur->value(), 10);

    splash.Montrer();
    FenetreSplash* f = splash.Fenetre();
    EXPECT_TRUE(f->isVisible());
    EXPECT_EQ(f->lblVersion->text(), QString("Version 3.3 pour Windows"));
    EXPECT_EQ(f->lblLicenseTo->text(), QString("Chargement en cours"));
    EXPECT_FALSE(f->image1->pixmap().isNull());
    EXPECT_EQ(f->label1->text(), QString::fromUtf8("Corvanne Business plan\nest développé par le\nRéseau Corvanne Entreprendre"));
    EXPECT_TRUE(f->windowFlags().testFlag(Qt::FramelessWindowHint));
    struct Cas {
        long pourcent;
        int attendu;
    };
    const Cas cas[] = {{37, 37}, {101, 37}, {-1, 37}, {0, 0}, {100, 100}};
    for (const Cas& c : cas) {
        splash.OrvaneSplashAffiche(c.pourcent);
        EXPECT_EQ(f->pourcentageValeur->value(), c.attendu) << c.pourcent;
    }

    // Escape like any key closes it; loading goes on with it closed.
    QKeyEvent echap(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier);
    QCoreApplication::sendEvent(f, &echap);
    EXPECT_FALSE(f->isVisible());
    splash.OrvaneSplashAffiche(60);
    EXPECT_FALSE(f->isVisible());

    splash.Montrer();
    QMouseEvent clic(QEvent::MouseButtonRelease, QPointF(5, 5), QPointF(5, 5), Qt::LeftButton, Qt::NoButton,
                     Qt::NoModifier);
    QCoreApplication::sendEvent(f, &clic);
    EXPECT_FALSE(f->isVisible());

    splash.Decharger();
    EXPECT_EQ(splash.Fenetre(), nullptr);
}

TEST(QtAPropos, TexteLienEtOk) {
    platform::ApplicationTest();
    FenetreAPropos aPropos;
    EXPECT_EQ(aPropos.windowTitle(), QString("Corvanne Rarevive Zaru Dedazud"));
    EXPECT_EQ(aPropos.lblDisclaimer->text(), platform::VersQString(TexteAPropos()).replace("\r\n", "\n"));
    EXPECT_TRUE(aPropos.lblDisclaimer->text().startsWith("Version 3.3 du 01/10/2010\n"));
    EXPECT_FALSE(aPropos.image1->pixmap().isNull());

    std::vector<std::string> ouverts;
    aPropos.ouvrirLien = [&](std::string_view adresse) { ouverts.emplace_back(adresse); };
    EXPECT_EQ(aPropos.lienUrl->text().toStdString(), std::string(kAdresseProduit));
    aPropos.lienUrl->click();
    EXPECT_EQ(ouverts, std::vector<std::string>{std::string(kAdresseProduit)});

    aPropos.show();
    aPropos.cmdOK->click();
    EXPECT_FALSE(aPropos.isVisible());
    EXPECT_EQ(aPropos.result(), QDialog::Accepted);
}

}  // namespace
}  // namespace korv::plan
