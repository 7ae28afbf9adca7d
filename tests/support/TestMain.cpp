#include <QApplication>
#include <QWidget>

#include <gtest/gtest.h>

#include "app/Application.h"
#include "platform/sys/System.h"
#include "tests/support/ModalScript.h"

namespace {

// A test that leaves a window on screen would answer the next test's modal script with the
// wrong window: every test must close what it opened.
class WindowLeakCheck : public ::testing::EmptyTestEventListener {
public:
    void OnTestEnd(const ::testing::TestInfo& test) override {
        for (QWidget* window : QApplication::topLevelWidgets()) {
            if (window->isVisible()) {
                ADD_FAILURE() << test.test_suite_name() << "." << test.name()
                              << " left a window open: " << window->metaObject()->className()
                              << " \"" << window->windowTitle().toStdString() << "\"";
                window->close();
            }
        }
    }
};

} // namespace

// Test programs with screens: one application object for all tests (with the program's own
// error handler), offscreen unless the caller asked for a display.
int main(int argc, char** argv) {
    if (!korvane::EnvironmentValue("QT_QPA_PLATFORM")) {
        korvane::SetEnvironmentValue("QT_QPA_PLATFORM", "offscreen");
    }
    ::testing::InitGoogleTest(&argc, argv);
    korvane::TApplication app(argc, argv);
    ::testing::UnitTest::GetInstance()->listeners().Append(new WindowLeakCheck);
    korvane::test::ModalScript::InstallMessageGuard();
    return RUN_ALL_TESTS();
}
