#pragma once
// The one QApplication of the platform test program, made on first use and
// kept to the end of the process (destroying it after main is not safe).

#include <cstdlib>

#include <QApplication>

namespace korv::platform {

inline QApplication& ApplicationTest() {
    static QApplication* application = [] {
        // CTest sets it; a direct run of the binary may not.
        setenv("QT_QPA_PLATFORM", "offscreen", 0);
        static int argc = 1;
        static char nom[] = "platform_tests";
        static char* argv[] = {nom, nullptr};
        return new QApplication(argc, argv);
    }();
    return *application;
}

}  // namespace korv::platform
