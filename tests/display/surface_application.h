#pragma once
// The one Qt application of the display test program: made on first use when
// no other part of the program has made one, and kept to the end of the
// process (destroying it after main is not safe).

#include <cstdlib>

#include <QApplication>
#include <QCoreApplication>

namespace korv::display::test {

inline void ApplicationAffichage() {
    if (QCoreApplication::instance() != nullptr) return;
    // CTest sets it; a direct run of the binary may not.
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    static int argc = 1;
    static char nom[] = "display_tests";
    static char* argv[] = {nom, nullptr};
    new QApplication(argc, argv);
}

}  // namespace korv::display::test
