#include <QImage>
#include <QTest>

#include "data/FileNames.h"
#include "setup/CommitteeForm.h"
#include "tests/setup/SetupTestSupport.h"
#include "tests/support/core/TempWorkDir.h"

namespace korvane {
namespace {

class GridFitTest : public test::TempWorkDirTest {};

// The screens' face is narrow enough for long names to fit the Name column of 214 pixels; a
// name longer still is cut, and the grid keeps it whole for the cell's tooltip.
TEST_F(GridFitTest, LongNamesFitTheNameColumnAndLongerOnesGetATooltip) {
    const char* fits = "MAXIMILIAN WORTHINGTON-MONTGOMERY";
    const char* cut = "MAXIMILIAN WORTHINGTON-MONTGOMERY SMITH";
    test::InsertRecords(CommitteeFileName, {{1, fits}, {2, cut}});
    TCommitteeForm screen(nullptr);
    screen.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&screen));
    QImage image(screen.DrawGrid1->viewport()->size(), QImage::Format_RGB32);
    screen.DrawGrid1->viewport()->render(&image);
    EXPECT_TRUE(screen.DrawGrid1->CutText(1, 1).isEmpty()) << "row 1 is cut";
    EXPECT_EQ(screen.DrawGrid1->CutText(1, 2).toStdString(), cut);
    screen.close();
}

} // namespace
} // namespace korvane
