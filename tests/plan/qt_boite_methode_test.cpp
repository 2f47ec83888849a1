#include <gtest/gtest.h>

#include <QMouseEvent>
#include <QScrollBar>
#include <QTextEdit>
#include <QWidget>

#include <string>

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

// The page surface under the box, recording the presses it receives.
class SurfaceTest final : public QWidget {
public:
    QPoint presse{-1, -1};

protected:
    void mousePressEvent(QMouseEvent* e) override { presse = e->position().toPoint(); }
};

// The box finds the character under a point of the surface through its own
// layout and scroll; presses over its text go through to the surface.
TEST(QtBoiteMethode, TheCharacterUnderAPointAndPressesGoingThroughToThePage) {
    platform::ApplicationTest();
    SurfaceTest surface;
    surface.resize(640, 480);
    surface.show();
    QtBoiteMethode boite(&surface, 15);
    std::string rtf = "{\\rtf1\\ansi{\\fonttbl{\\f0\\fswiss Arial;}}\\f0\\fs20 ";
    for (int i = 10; i < 40; ++i) rtf += "Ligne " + std::to_string(i) + "\\par ";
    rtf += "Fin}";
    ASSERT_TRUE(boite.Boite().TexteRtfFixer(rtf));
    boite.Placer(40, 60, 300, 100);
    boite.Montrer(true);
    EXPECT_EQ(boite.PositionAuPoint(300, 70) / 9, 0) << "first line";
    const QTextEdit* edition = surface.findChild<QTextEdit*>();
    ASSERT_NE(edition, nullptr);
    const int hauteurLigne = edition->fontMetrics().lineSpacing();
    ASSERT_GT(hauteurLigne, 5);
    // Each line "Ligne NN" holds 8 characters and its end: 9 positions.
    const int y = 60 + 4 + hauteurLigne * 3 + hauteurLigne / 2;  // the fourth line
    const int x = 40 + 4 + 2;  // its first character
    EXPECT_EQ(boite.PositionAuPoint(x, y), 27);
    EXPECT_EQ(boite.PositionAuPoint(300, y), 35) << "past the line's end: its end";
    boite.Defiler(hauteurLigne * 2);
    ASSERT_GT(edition->verticalScrollBar()->value(), 0);
    const int descendu = boite.PositionAuPoint(x, y);
    EXPECT_GT(descendu, 27) << "scrolled: a lower line under the same point";
    EXPECT_EQ(descendu % 9, 0);

    QWidget* sous = surface.childAt(x, y);
    ASSERT_NE(sous, nullptr);
    QMouseEvent presse(QEvent::MouseButtonPress, QPointF(sous->mapFrom(&surface, QPoint(x, y))),
                       QPointF(surface.mapToGlobal(QPoint(x, y))), Qt::LeftButton, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(sous, &presse);
    EXPECT_EQ(surface.presse, QPoint(x, y));
}

}  // namespace
}  // namespace korv::plan
