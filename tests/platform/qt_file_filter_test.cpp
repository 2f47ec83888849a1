#include <gtest/gtest.h>

#include <QRegularExpression>

#include "platform/file_dialog_filter.h"
#include "platform/qt_cp1252.h"

namespace korv::platform {
namespace {

// The patterns we hand to Qt, read with Qt's own wildcard rules, match
// names whatever their case, as the Windows dialog did.
TEST(QtFiltreFichier, MotifsSansCasseAvecLesJokersDeQt) {
    struct Cas {
        const char* motif;
        const char* nom;
        bool correspond;
    };
    const Cas cas[] = {
        {"*.SCE", "x.sce", true},   {"*.SCE", "X.SCE", true},      {"*.sce", "PLAN.ScE", true},
        {"*.SCE", "x.sce2", false}, {"*.SCE", "x.tvr", false},     {"*", "SANSPOINT", true},
        {"A?.BMP", "a1.bmp", true}, {"A?.BMP", "a12.bmp", false},  {"x[1]", "X[1]", true},
        {"x[1]", "x1", false},      {"mon fichier", "MON FICHIER", true},
    };
    for (const Cas& c : cas) {
        const QString motif = VersQString(MotifSansCasse(c.motif));
        const QRegularExpression re(QRegularExpression::wildcardToRegularExpression(motif));
        ASSERT_TRUE(re.isValid()) << c.motif;
        EXPECT_EQ(re.match(QString::fromUtf8(c.nom)).hasMatch(), c.correspond) << c.motif << " / " << c.nom;
    }
}

}  // namespace
}  // namespace korv::platform
