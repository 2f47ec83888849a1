#include <gtest/gtest.h>

#include <memory>

#include <QWidget>

#include "platform/qt_window_access.h"
#include "qt_test_app.h"

namespace korv::platform {
namespace {

TEST(QtAccesFenetre, DesactiveToutPuisRendChaqueEtat) {
    ApplicationTest();
    QWidget principale;
    QWidget deja;  // already disabled before the dialog
    deja.setEnabled(false);
    auto fermee = std::make_unique<QWidget>();
    QWidget enfant(&principale, Qt::Dialog);  // a window owned by another
    {
        AccesFenetre acces;
        EXPECT_FALSE(principale.isEnabled());
        EXPECT_FALSE(deja.isEnabled());
        EXPECT_FALSE(fermee->isEnabled());
        EXPECT_FALSE(enfant.isEnabled());
        fermee.reset();  // closed while the dialog was up
    }
    EXPECT_TRUE(principale.isEnabled());
    EXPECT_FALSE(deja.isEnabled());
    EXPECT_TRUE(enfant.isEnabled());
}

TEST(QtAccesFenetre, RetablirUneSeuleFois) {
    ApplicationTest();
    QWidget w;
    AccesFenetre acces;
    EXPECT_FALSE(w.isEnabled());
    acces.Retablir();
    EXPECT_TRUE(w.isEnabled());
    w.setEnabled(false);  // a later change is not undone by the destructor
    acces.Retablir();
    EXPECT_FALSE(w.isEnabled());
}

}  // namespace
}  // namespace korv::platform
