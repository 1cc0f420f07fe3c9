#pragma once
// The one QApplication of the windows' test program, made on first use (Qt
// allows one per process, and widget tests need the widget flavour).
#include <QApplication>
#include <cstdlib>

#include <gtest/gtest.h>

namespace numbrix::prueba {

inline QApplication& AplicacionQt() {
    static int argc = 1;
    static char nombre[] = "ui_tests";
    static char* argv[] = {nombre, nullptr};
    if (!std::getenv("QT_QPA_PLATFORM")) setenv("QT_QPA_PLATFORM", "offscreen", 0);
    // Never destroyed: at exit Qt's own registry of input devices goes
    // before a static application would, and the application's destructor
    // would then crash deleting the devices that showing a window made.
    static QApplication* app = new QApplication(argc, argv);
    return *app;
}

// Made before the first test, so a widget test need not ask for it.
struct EntornoQt : ::testing::Environment {
    void SetUp() override { AplicacionQt(); }
};
[[maybe_unused]] static ::testing::Environment* const kEntornoQt = ::testing::AddGlobalTestEnvironment(new EntornoQt);

}  // namespace numbrix::prueba
