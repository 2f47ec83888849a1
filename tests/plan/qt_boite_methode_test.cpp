#include <gtest/gtest.h>

#include <QWidget>

#include "plan/boite_riche.h"
#include "plan/qt_boite_methode.h"
#include "platform/qt_test_app.h"

namespace korv::plan {
namespace {

// A method-text box lies where it is placed over the page, shown only when
// asked, and the user cannot change its text.
TEST(QtBoiteMethode, PlacedShownAndReadOnly) {
    platform::ApplicationTest();
    QWidget surface;
    surface.resize(640, 480);
    surface.show();
    QtBoiteMethode boite(&surface, 15);
    EXPECT_FALSE(boite.EstVisible());
    boite.Placer(40, 60, 560, 0);
    EXPECT_EQ(boite.Hauteur(), 1) << "never an empty rectangle";
    boite.Placer(40, 60, 560, 200);
    EXPECT_EQ(boite.Hauteur(), 200);
    boite.Montrer(true);
    EXPECT_TRUE(boite.EstVisible());
    EXPECT_TRUE(boite.Boite().Verrouille());
    ASSERT_TRUE(boite.Boite().TexteRtfFixer("{\\rtf1 Pr\\'e9sentation}"));
    EXPECT_EQ(boite.Boite().Texte(), "Pr\xe9sentation");
    boite.Montrer(false);
    EXPECT_FALSE(boite.EstVisible());
}

}  // namespace
}  // namespace korv::plan
