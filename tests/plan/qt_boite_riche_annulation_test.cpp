// Undo in the rich-text boxes goes back over what the user typed, never
// over the text the program put in: a step's or an object's text shown in
// the writing box stays whole under Ctrl+Z, and is stored whole.

#include <functional>
#include <memory>
#include <string>

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QKeyEvent>
#include <QTextEdit>
#include <QWidget>

#include "plan/qt_boite_edition.h"
#include "plan/qt_redaction.h"
#include "platform/qt_test_app.h"

namespace korv::plan {
namespace {

constexpr const char* kPremier = "{\\rtf1\\ansi{\\fonttbl{\\f0 Arial;}}\\pard\\plain\\f0\\fs20 Mon \\b texte\\b0  du plan\\par}";
constexpr const char* kSecond = "{\\rtf1\\ansi{\\fonttbl{\\f0 Arial;}}\\pard\\plain\\f0\\fs20 Autre\\par}";

void CtrlZ(QTextEdit& e) {
    QKeyEvent z(QEvent::KeyPress, Qt::Key_Z, Qt::ControlModifier, QStringLiteral("\x1a"));
    QCoreApplication::sendEvent(&e, &z);
}

TEST(BoiteRicheAnnulation, UndoNeverTakesBackALoadedText) {
    platform::ApplicationTest();
    struct Boite {
        const char* nom;
        std::function<std::unique_ptr<QTextEdit>(QWidget*)> creer;
    };
    const Boite boites[] = {
        {"writing box", [](QWidget* s) { return std::make_unique<QtTexteRiche>(s, 15); }},
        {"edit box", [](QWidget* s) { return std::make_unique<QtBoiteEdition>(s, 15); }},
    };
    struct Cas {
        const char* nom;
        bool deuxChargements;  // another text was shown in the box before
        const char* tape;      // typed at the end, then undone
    };
    const Cas cas[] = {
        {"undo right after the load", false, ""},
        {"undo after typing", false, " encore"},
        {"undo after a second load", true, ""},
        {"undo after a second load and typing", true, " encore"},
    };
    for (const Boite& b : boites) {
        for (const Cas& c : cas) {
            SCOPED_TRACE(std::string(b.nom) + ", " + c.nom);
            QWidget surface;
            const auto edition = b.creer(&surface);
            auto& boite = dynamic_cast<BoiteRicheQt&>(*edition);
            if (c.deuxChargements) {
                ASSERT_TRUE(boite.TexteRtfFixer(kSecond));
                boite.SelectionFixer(boite.Longueur(), 0);
                boite.SelectionTexteFixer("!");
            }
            ASSERT_TRUE(boite.TexteRtfFixer(kPremier));
            const std::string charge = boite.TexteRtf();
            ASSERT_EQ(boite.Texte(), "Mon texte du plan");
            if (*c.tape != '\0') {
                boite.SelectionFixer(boite.Longueur(), 0);
                boite.SelectionTexteFixer(c.tape);
                ASSERT_EQ(boite.Texte(), std::string("Mon texte du plan") + c.tape);
            }
            for (int i = 0; i < 4; ++i) CtrlZ(*edition);
            EXPECT_EQ(boite.Texte(), "Mon texte du plan");
            EXPECT_EQ(boite.TexteRtf(), charge);
        }
    }
}

}  // namespace
}  // namespace korv::plan
