#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QFocusEvent>
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

}  // namespace
}  // namespace korv::plan
