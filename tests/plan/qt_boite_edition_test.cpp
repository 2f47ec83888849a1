#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QFocusEvent>
#include <QKeyEvent>
#include <QWidget>

#include "plan/qt_boite_edition.h"
#include "platform/qt_test_app.h"

namespace korv::plan {
namespace {

TEST(QtBoiteEdition, TexteEtSelectionEnCaracteresWindows1252) {
    platform::ApplicationTest();
    QWidget surface;
    QtBoiteEdition boite(&surface);
    boite.Ouvrir(0, 0, 100, 20, "d\xe9j\xe0", "Arial", 11, true);
    EXPECT_EQ(boite.SelectionDebut(), 0);
    EXPECT_EQ(boite.SelectionLongueur(), 4);
    boite.TexteFixer("caf\xe9" "5");
    boite.SelectionFixer(5, 0);
    EXPECT_EQ(boite.Texte(), "caf\xe9" "5");
    EXPECT_EQ(boite.SelectionDebut(), 5);
    EXPECT_EQ(boite.SelectionLongueur(), 0);
    boite.SelectionFixer(1, 2);
    EXPECT_EQ(boite.SelectionDebut(), 1);
    EXPECT_EQ(boite.SelectionLongueur(), 2);
}

TEST(QtBoiteEdition, LaPriseDuFocusEstDiteApresLEvenementEnCours) {
    platform::ApplicationTest();
    QWidget surface;
    QtBoiteEdition boite(&surface);
    int focus = 0;
    boite.SurFocus([&focus] { ++focus; });
    QFocusEvent entree(QEvent::FocusIn, Qt::OtherFocusReason);
    QCoreApplication::sendEvent(&boite, &entree);
    // The key that opened the box is still being handled by the window.
    EXPECT_EQ(focus, 0);
    QCoreApplication::processEvents();
    EXPECT_EQ(focus, 1);
}

TEST(QtBoiteEdition, AKeyThatEndsTheEditNeverLandsInTheText) {
    platform::ApplicationTest();
    QWidget surface;
    QtBoiteEdition boite(&surface);
    boite.Ouvrir(0, 0, 200, 40, "ligne", "Arial", 11, false);
    std::string stocke;
    boite.SurTouche([&](int code, int maj) {
        if (code != 13 || maj != 0) return false;
        stocke = boite.Texte();
        return true;
    });
    QKeyEvent entree(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier, QStringLiteral("\r"));
    QCoreApplication::sendEvent(&boite, &entree);
    EXPECT_EQ(stocke, "ligne");
    EXPECT_EQ(boite.Texte(), "ligne") << "the key that ended the edit is dropped";
    // A key left to the box goes into it.
    boite.Ouvrir(0, 0, 200, 40, "ligne", "Arial", 11, false);
    QKeyEvent tab(QEvent::KeyPress, Qt::Key_Tab, Qt::NoModifier, QStringLiteral("\t"));
    QCoreApplication::sendEvent(&boite, &tab);
    EXPECT_EQ(boite.Texte(), "ligne\t");
}

TEST(QtBoiteEdition, TypingStopsAtTheLengthLimit) {
    platform::ApplicationTest();
    QWidget surface;
    QtBoiteEdition boite(&surface);
    boite.Ouvrir(0, 0, 200, 40, "abc", "Arial", 11, false);
    boite.LongueurMaxFixer(4);
    QKeyEvent d(QEvent::KeyPress, Qt::Key_D, Qt::NoModifier, QStringLiteral("d"));
    QKeyEvent e(QEvent::KeyPress, Qt::Key_E, Qt::NoModifier, QStringLiteral("e"));
    QCoreApplication::sendEvent(&boite, &d);
    QCoreApplication::sendEvent(&boite, &e);
    EXPECT_EQ(boite.Texte(), "abcd");
    boite.LongueurMaxFixer(0);
    QCoreApplication::sendEvent(&boite, &e);
    EXPECT_EQ(boite.Texte(), "abcde");
}

TEST(QtBoiteEdition, APlainTextAfterARichOneTakesTheBoxsOwnFont) {
    platform::ApplicationTest();
    QWidget surface;
    QtBoiteEdition boite(&surface);
    boite.Ouvrir(0, 0, 200, 40, "", "Arial", 11, false);
    ASSERT_TRUE(boite.TexteRtfFixer("{\\rtf1\\ansi{\\fonttbl{\\f0 Courier New;}}\\pard\\f0\\fs40\\b\\qc Gros\\par}"));
    boite.SelectionFixer(0, 4);
    EXPECT_EQ(boite.SelGras(), std::optional<bool>(true));
    EXPECT_EQ(boite.SelTaille(), std::optional<double>(20.0));
    boite.Ouvrir(0, 0, 200, 40, "1234", "Arial", 11, true);
    EXPECT_EQ(boite.SelGras(), std::optional<bool>(false));
    EXPECT_EQ(boite.SelTaille(), std::optional<double>(11.0));
    EXPECT_EQ(boite.SelAlignement(), std::optional<int>(kAligneGauche));
    EXPECT_EQ(boite.SelPolice(), std::optional<std::string>("Arial"));
}

}  // namespace
}  // namespace korv::plan
