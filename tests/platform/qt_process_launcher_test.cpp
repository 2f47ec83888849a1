// Starting real programs detached and following them until they end.

#include <gtest/gtest.h>
#include <signal.h>
#include <unistd.h>

#include <chrono>
#include <thread>

#include "platform/qt_process_launcher.h"
#include "qt_test_app.h"

namespace korv::platform {
namespace {

// Polls until the process has ended; the bound is only a safety net.
bool FinAttendue(const LanceurProcessus& lanceur, std::int32_t pid) {
    for (int i = 0; i < 1000 && lanceur.EstActif(pid); ++i) std::this_thread::sleep_for(std::chrono::milliseconds(10));
    return !lanceur.EstActif(pid);
}

TEST(QtLanceurProcessus, StartsAndFollowsPrograms) {
    ApplicationTest();
    QtLanceurProcessus lanceur;

    const std::int32_t court = lanceur.Lance({"/bin/true"});
    ASSERT_GT(court, 0);
    EXPECT_TRUE(FinAttendue(lanceur, court));

    const std::int32_t long_ = lanceur.Lance({"sleep", "600"});  // found through PATH
    ASSERT_GT(long_, 0);
    EXPECT_TRUE(lanceur.EstActif(long_));
    ASSERT_EQ(::kill(long_, SIGTERM), 0);
    EXPECT_TRUE(FinAttendue(lanceur, long_));
}

TEST(QtLanceurProcessus, NothingToStartOrFollow) {
    ApplicationTest();
    QtLanceurProcessus lanceur;
    EXPECT_EQ(lanceur.Lance({}), 0);
    EXPECT_EQ(lanceur.Lance({""}), 0);
    EXPECT_EQ(lanceur.Lance({"/nonexistent/korv-program"}), 0);
    EXPECT_FALSE(lanceur.EstActif(0));
    EXPECT_FALSE(lanceur.EstActif(-1));
    EXPECT_TRUE(lanceur.EstActif(static_cast<std::int32_t>(::getpid())));
    EXPECT_EQ(lanceur.ProgrammeAssocie("/nonexistent/file.txt"), "");
    EXPECT_EQ(lanceur.ProgrammeAssocie(""), "");
}

}  // namespace
}  // namespace korv::platform
