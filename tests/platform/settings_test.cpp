#include <gtest/gtest.h>

#include <bit>
#include <cmath>
#include <limits>
#include <stdexcept>

#include "platform/settings_fake.h"

namespace korv::platform {
namespace {

TEST(Reglages, TexteDesReelsExact) {
    const double valeurs[] = {0.0, -0.0, 0.1, 1.0 / 3.0, -1234.5678, 1e308, 4.9406564584124654e-324,
                              std::numeric_limits<double>::max(), std::numeric_limits<double>::infinity(),
                              -std::numeric_limits<double>::infinity()};
    for (double v : valeurs) {
        const auto relu = ReelDepuisTexte(TexteReel(v));
        ASSERT_TRUE(relu.has_value()) << TexteReel(v);
        EXPECT_EQ(std::bit_cast<std::uint64_t>(*relu), std::bit_cast<std::uint64_t>(v)) << TexteReel(v);
    }
    const auto nan = ReelDepuisTexte(TexteReel(std::numeric_limits<double>::quiet_NaN()));
    ASSERT_TRUE(nan.has_value());
    EXPECT_TRUE(std::isnan(*nan));
    for (const char* mauvais : {"", "1,5", "12abc", " 3", "abc", "0x10"})
        EXPECT_FALSE(ReelDepuisTexte(mauvais).has_value()) << mauvais;
}

TEST(Reglages, FacticeLitEcritSansCasse) {
    MagasinReglagesFactice m;
    EXPECT_FALSE(m.LireTexte("KORVELIS", "Options", "Langue").has_value());
    EXPECT_EQ(m.LireTexteOuDefaut("KORVELIS", "Options", "Langue", "FR"), "FR");

    ASSERT_TRUE(m.EcrireTexte("KORVELIS", "Options", "Langue", "EN"));
    EXPECT_EQ(m.LireTexte("korvelis", "OPTIONS", "langue"), "EN");
    ASSERT_TRUE(m.EcrireTexte("Korvelis", "options", "LANGUE", ""));  // same value, emptied
    EXPECT_EQ(m.LireTexte("KORVELIS", "Options", "Langue"), "");
    EXPECT_EQ(m.Nombre(), 1u);

    ASSERT_TRUE(m.EcrireTexte("KORVELIS", "Pr\xE9" "f\xC9rences", "Cl\xE9", "\x80 valeur"));
    EXPECT_EQ(m.LireTexte("KORVELIS", "PR\xC9" "F\xE9RENCES", "CL\xC9"), "\x80 valeur");

    ASSERT_TRUE(m.EcrireReel("KORVELIS", "Fen\xEAtre", "Zoom", 1.25));
    EXPECT_EQ(m.LireReel("KORVELIS", "Fen\xEAtre", "Zoom"), 1.25);
    EXPECT_FALSE(m.LireReel("KORVELIS", "Options", "Langue").has_value());  // not a number
    EXPECT_FALSE(m.LireReel("KORVELIS", "Fen\xEAtre", "Absent").has_value());
}

TEST(Reglages, FacticeErreursExplicites) {
    MagasinReglagesFactice m;
    EXPECT_THROW((void)m.LireTexte("", "s", "c"), std::invalid_argument);
    EXPECT_THROW((void)m.EcrireTexte("a", "", "c", "v"), std::invalid_argument);
    EXPECT_THROW((void)m.LireReel("a", "s", ""), std::invalid_argument);
    m.refuseEcriture = true;
    EXPECT_FALSE(m.EcrireTexte("a", "s", "c", "v"));
    EXPECT_FALSE(m.LireTexte("a", "s", "c").has_value());
}

}  // namespace
}  // namespace korv::platform
