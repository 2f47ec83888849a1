#include <gtest/gtest.h>

#include <string>

#include "platform/qt_cp1252.h"

namespace korv::platform {
namespace {

TEST(QtCp1252, VersEtDepuisQString) {
    std::string tous;
    for (int i = 0; i < 256; ++i) tous.push_back(static_cast<char>(i));
    const QString q = VersQString(tous);
    EXPECT_EQ(q.size(), 256);
    EXPECT_EQ(q.at(0x80), QChar(0x20AC));
    EXPECT_EQ(q.at(0x9F), QChar(0x0178));
    EXPECT_EQ(q.at(0x81), QChar(0x0081));
    EXPECT_EQ(q.at(0xE9), QChar(0x00E9));
    EXPECT_EQ(DepuisQString(q), tous);
    EXPECT_TRUE(EstRepresentableCp1252(q));

    EXPECT_EQ(VersQString("sc\xE8nes \x80"), QStringLiteral(u"scènes €"));
    // One '?' per character, even for one outside the BMP (two UTF-16 units).
    const QString etranger = QStringLiteral(u"a\u0142b\U0001F600c");
    EXPECT_EQ(DepuisQString(etranger), "a?b?c");
    EXPECT_FALSE(EstRepresentableCp1252(etranger));
    EXPECT_FALSE(EstRepresentableCp1252(QStringLiteral(u"\u0080")));
}

}  // namespace
}  // namespace korv::platform
