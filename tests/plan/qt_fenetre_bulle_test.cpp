#include "plan/qt_fenetre_bulle.h"

#include <gtest/gtest.h>

#include <QTextDocument>
#include <QWidget>

#include "platform/qt_test_app.h"

namespace korv::plan {
namespace {

// The tooltip shows a rich text with its formatting, and a plain text after
// it as plain text again (its angle brackets are no markup); a refused RTF
// text shows an empty tooltip.
TEST(QtFenetreBulleTest, RichTextThenPlainText) {
    platform::ApplicationTest();
    QWidget fenetre;
    fenetre.resize(640, 480);
    QtFenetreBulle bulle(&fenetre, nullptr);

    bulle.AfficherRtf(100, 100, R"({\rtf1\ansi Le seuil : {\b tr\'e8s} simple.})");
    EXPECT_EQ(bulle.textFormat(), Qt::RichText);
    EXPECT_NE(bulle.text().indexOf(QString::fromUtf8("très")), -1);
    EXPECT_NE(bulle.text().indexOf("font-weight"), -1) << bulle.text().toStdString();
    EXPECT_TRUE(bulle.Visible());

    bulle.Afficher(100, 100, "<b>x</b>");
    EXPECT_EQ(bulle.textFormat(), Qt::PlainText);
    EXPECT_EQ(bulle.text(), "<b>x</b>");

    bulle.AfficherRtf(100, 100, "{\\rtf1\\bin99999 x}");
    EXPECT_EQ(bulle.textFormat(), Qt::RichText);
    QTextDocument lu;
    lu.setHtml(bulle.text());
    EXPECT_EQ(lu.toPlainText(), "");
}

}  // namespace
}  // namespace korv::plan
