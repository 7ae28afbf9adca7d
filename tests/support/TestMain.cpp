
#include <gtest/gtest.h>

#include "app/Application.h"
#include "platform/sys/System.h"

// Test programs with screens: one application object for all tests (with the program's own
// error handler), offscreen unless the caller asked for a display.
int main(int argc, char** argv) {
    if (!korvane::EnvironmentValue("QT_QPA_PLATFORM")) {
        korvane::SetEnvironmentValue("QT_QPA_PLATFORM", "offscreen");
    }
    ::testing::InitGoogleTest(&argc, argv);
    korvane::TApplication app(argc, argv);
    return RUN_ALL_TESTS();
}
