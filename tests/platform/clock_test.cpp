#include <gtest/gtest.h>

#include <cstdint>
#include <stdexcept>

#include "platform/clock.h"

namespace korv::platform {
namespace {

TEST(Horloge, FacticeAvanceEtRefuseDeReculer) {
    HorlogeFactice h(1000);
    EXPECT_EQ(h.Maintenant(), 1000);
    h.Avancer(521);
    EXPECT_EQ(h.Maintenant(), 1521);
    h.Avancer(0);
    h.Regler(5000);
    EXPECT_EQ(h.Maintenant(), 5000);
    EXPECT_THROW(h.Regler(4999), std::invalid_argument);
    EXPECT_THROW(h.Avancer(-1), std::invalid_argument);
    EXPECT_EQ(h.Maintenant(), 5000);

    HorlogeFactice fin(INT64_MAX - 1);
    EXPECT_THROW(fin.Avancer(2), std::overflow_error);
}

TEST(Horloge, SystemeNeReculePas) {
    HorlogeSysteme h;
    const std::int64_t a = h.Maintenant();
    const std::int64_t b = h.Maintenant();
    EXPECT_GE(b, a);
}

TEST(Horloge, TickCount32ReprendLesBitsBasSignes) {
    struct Cas {
        std::int64_t ms;
        std::int32_t tick;
    };
    const Cas cas[] = {
        {0, 0},
        {123456, 123456},
        {0x7FFFFFFF, INT32_MAX},
        {0x80000000LL, INT32_MIN},  // after 24.8 days the script's Long goes negative
        {0xFFFFFFFFLL, -1},
        {0x100000000LL, 0},         // and wraps after 49.7 days
        {0x100000000LL + 42, 42},
    };
    for (const Cas& c : cas) EXPECT_EQ(TickCount32(c.ms), c.tick) << c.ms;
    static_assert(TickCount32(0x100000005LL) == 5);
}

}  // namespace
}  // namespace korv::platform
