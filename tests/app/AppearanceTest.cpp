#include "app/Appearance.h"

#include "tests/support/core/TempWorkDir.h"

namespace korvane {
namespace {

class AppearanceTest : public test::TempWorkDirTest {
protected:
    void TearDown() override {
        BackgroundColor = DefaultBackgroundColor();
        NameColor = DefaultNameColor();
        TempWorkDirTest::TearDown();
    }
};

TEST_F(AppearanceTest, ColoursFallBackToTheDefaultWhenDamaged) {
    WriteFile("support.dat", "BACKGROUNDCOLOR=10,20,30\r\nNAMECOLOR=300,0,0\r\n");
    LoadAppearance();
    EXPECT_EQ(BackgroundColor, QColor(10, 20, 30));
    EXPECT_EQ(NameColor, DefaultNameColor());
    WriteFile("support.dat", "BACKGROUNDCOLOR=red\r\n");
    LoadAppearance();
    EXPECT_EQ(BackgroundColor, DefaultBackgroundColor());
}

} // namespace
} // namespace korvane
