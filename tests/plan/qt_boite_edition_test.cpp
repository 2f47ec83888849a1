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

// Ctrl+Z takes back what was typed in the box, never the text a cell or a
// text object gave it when the edit opened: the entry Enter then takes
// keeps the cell's text.
TEST(QtBoiteEdition, UndoNeverTakesBackTheTextTheEditOpenedWith) {
    platform::ApplicationTest();
    struct Cas {
        const char* nom;
        bool toutSelectionner;
        const char* tape;      // typed after the opening
        int annulations;       // Ctrl+Z pressed then
        const char* attendu;   // what Enter takes
    };
    const Cas cas[] = {
        {"undo right after the opening", true, "", 1, "1234"},
        {"undo twice, caret at the end", false, "", 2, "1234"},
        {"typed over the selection, undone", true, "5", 1, "1234"},
        {"typed at the end, undone", false, "56", 3, "1234"},
        {"typed, not undone", false, "5", 0, "12345"},
    };
    for (const Cas& c : cas) {
        SCOPED_TRACE(c.nom);
        QWidget surface;
        QtBoiteEdition boite(&surface);
        // An earlier edit in the same box leaves nothing to undo either.
        boite.Ouvrir(0, 0, 200, 40, "ancien", "Arial", 11, true);
        boite.Ouvrir(0, 0, 200, 40, "1234", "Arial", 11, c.toutSelectionner);
        std::string pris = "<none>";
        boite.SurTouche([&](int code, int maj) {
            if (code != 13 || maj != 0) return false;
            pris = boite.Texte();
            return true;
        });
        for (const char* k = c.tape; *k != '\0'; ++k) {
            QKeyEvent e(QEvent::KeyPress, Qt::Key_0 + (*k - '0'), Qt::NoModifier, QString(QChar(*k)));
            QCoreApplication::sendEvent(&boite, &e);
        }
        for (int i = 0; i < c.annulations; ++i) {
            QKeyEvent z(QEvent::KeyPress, Qt::Key_Z, Qt::ControlModifier, QStringLiteral("\x1a"));
            QCoreApplication::sendEvent(&boite, &z);
        }
        QKeyEvent entree(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier, QStringLiteral("\r"));
        QCoreApplication::sendEvent(&boite, &entree);
        EXPECT_EQ(pris, c.attendu);
    }
}

}  // namespace
}  // namespace korv::plan
