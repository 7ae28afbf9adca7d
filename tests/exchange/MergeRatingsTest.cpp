#include <QAction>
#include <QApplication>
#include <QMenu>
#include <QMessageBox>
#include <QTest>

#include <cerrno>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "app/MainForm.h"
#include "data/FileNames.h"
#include "data/RateDataBase.h"
#include "exchange/MergeConflictsForm.h"
#include "exchange/MergeRatingsForm.h"
#include "platform/ui/RecordGrid.h"
#include "tests/data/RecordTestSupport.h"
#include "tests/exchange/PositionDiskTestSupport.h"
#include "tests/setup/SetupTestSupport.h"
#include "tests/support/ModalScript.h"
#include "tests/support/core/TempWorkDir.h"

namespace korvane {
namespace {

using test::ModalScript;

const std::string Title = "Clerk";

// A position with two applicants, two members and two criteria; its disk selected the criteria
// the other way round.
class MergeRatingsTest : public test::TempWorkDirTest {
protected:
    void SetUp() override {
        TempWorkDirTest::SetUp();
        Disk_.emplace(WorkDir() / "stick", Title);
        WriteFile(PositionFileName, Title + "\r\n");
        test::InsertRecords(ApplicantFileName, {{1, "ADAMS, ANN"}, {2, "BROWN, BEN"}});
        test::InsertRecords(CommitteeFileName, {{3, "CLARK, CID"}, {4, "DAVIS, DAN"}});
        test::InsertRecords(SamplePreferredFileName, {{11, "WRITING"}, {12, "TEAMWORK"}});
        test::InsertSelections(PreferredFileName, {{11, 10}, {12, 20}});
        test::InsertSelections((Disk().Path() / PreferredFileName).c_str(), {{12, 20}, {11, 10}});
    }
    void TearDown() override {
        TFileFaults::Clear();
        Disk_.reset();
        TempWorkDirTest::TearDown();
    }
    const test::TPositionDisk& Disk() const { return *Disk_; }
    std::string DiskRatings() const { return (Disk().Path() / RatingFileName).string(); }

private:
    std::optional<test::TPositionDisk> Disk_;
};

struct TFlowCase {
    const char* Name;
    std::optional<std::string> DiskTitle; // nullopt: no kvn.dat on the disk
    // Each box by its letter in Boxes, with the answer after it: Y(es), N(o), O(K) or E(nter).
    const char* Boxes;
    TModalResult Result;
};

void PrintTo(const TFlowCase& Case, std::ostream* Out) {
    *Out << Case.Name;
}

const QString Summary = QStringLiteral(
    "Ratings Merged: 1 Added, 1 Combined, 0 Unchanged, 0 Conflicts (0 Taken From The Disk), 0 "
    "Skipped");
const std::map<char, QString> Boxes = {
    {'t', QStringLiteral("The Disk Holds The Position Clerk II; Merge Its Ratings Anyway?")},
    {'f', QStringLiteral("Error: Position File Not Found On This Disk")},
    {'c', Summary + QStringLiteral("\n\nMerge These Ratings Into This Position?")},
    {'s', Summary},
    {'w', QStringLiteral("Error: Rating.dat Could Not Be Written; No Rating Was Merged")}};

const TFlowCase FlowCases[] = {
    {"SameTitle", Title, "cYsO", TModalResult::Ok},
    {"EnterDeclinesTheSummary", Title, "cE", TModalResult::Cancel},
    {"OtherTitleEnter", "Clerk II", "tE", TModalResult::None},
    {"OtherTitleYes", "Clerk II", "tYcYsO", TModalResult::Ok},
    {"NoPositionFile", std::nullopt, "fO", TModalResult::None},
    {"WriteFails", Title, "cYwO", TModalResult::No},
};

class MergeFlowTest : public MergeRatingsTest, public ::testing::WithParamInterface<TFlowCase> {};

// Pair (1, 3) is combined and (2, 4) added: the boxes come in order, and nothing changes unless
// the merge is confirmed and written.
TEST_P(MergeFlowTest, AsksInOrderAndChangesNothingUnlessConfirmed) {
    const TFlowCase& c = GetParam();
    const std::string boxes = c.Boxes;
    test::InsertRatings(RatingFileName, {{1, 3, 4, 0}});
    test::InsertRatings(DiskRatings(), {{1, 3, 5, 0}, {2, 4, 1, 2}});
    std::filesystem::remove(Disk() / PositionFileName);
    if (c.DiskTitle) {
        Disk().Put(PositionFileName, *c.DiskTitle + "\r\n");
    }
    const std::string before = ReadFile(RatingFileName);
    const std::string disk = ReadFile(DiskRatings());
    TMergeRatingsForm form(nullptr);
    ModalScript script;
    QStringList texts, expected;
    for (std::size_t i = 0; i < boxes.size(); i += 2) {
        expected << Boxes.at(boxes[i]);
        script.Then([&, i](QWidget* box) {
            ASSERT_TRUE(qobject_cast<QMessageBox*>(box));
            texts << qobject_cast<QMessageBox*>(box)->text();
            if (boxes.find('w') == i + 2) {
                TFileFaults::FailStep(1, ENOSPC); // the write the answer starts
            }
            const char answer = boxes[i + 1];
            if (answer == 'E') {
                QTest::keyClick(box, Qt::Key_Return);
            } else {
                ModalScript::PressMessageButton(box, answer == 'Y'   ? TModalResult::Yes
                                                     : answer == 'N' ? TModalResult::No
                                                                     : TModalResult::Ok);
            }
        });
    }
    form.MergeBtnClick();
    TFileFaults::Clear();
    EXPECT_EQ(script.Pending(), 0);
    EXPECT_EQ(texts, expected);
    EXPECT_EQ(static_cast<TModalResult>(form.result()), c.Result);
    if (boxes.find('s') != std::string::npos) {
        EXPECT_EQ(test::RatingKeys(RatingFileName), (std::vector<std::int32_t>{2421, 1345}));
    } else {
        EXPECT_EQ(ReadFile(RatingFileName), before);
    }
    EXPECT_EQ(ReadFile(DiskRatings()), disk) << "the disk is only read";
}

INSTANTIATE_TEST_SUITE_P(Flows, MergeFlowTest, ::testing::ValuesIn(FlowCases),
                         [](const auto& test) { return std::string(test.param.Name); });

// From the menu to the message after, by keyboard alone: the second conflict taken from the
// disk, the first kept.
TEST_F(MergeRatingsTest, TheWholeMergeByKeyboard) {
    test::InsertRatings(RatingFileName, {{1, 3, 4, 4}, {2, 3, 2, 0}});
    // The disk's criteria are (12, 11): (1, 3) rates WRITING 3, (2, 3) WRITING 5.
    test::InsertRatings(DiskRatings(), {{1, 3, 0, 3}, {2, 3, 0, 5}});
    TMainForm main(QStringList{QStringLiteral("korvane")});
    main.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&main));
    ModalScript script;
    QStringList seen;
    script.Then([&](QWidget* screen) {
        ASSERT_TRUE(qobject_cast<TMergeRatingsForm*>(screen));
        QTest::keyClick(screen, Qt::Key_Return); // Merge, on the only drive
    });
    script.Then([&](QWidget* list) {
        auto* conflicts = qobject_cast<TMergeConflictsForm*>(list);
        ASSERT_TRUE(conflicts);
        ASSERT_TRUE(QTest::qWaitForWindowActive(conflicts));
        QWidget* grid = QApplication::focusWidget();
        ASSERT_EQ(grid, conflicts->DrawGrid1);
        for (int row = 1; row <= 2; ++row) {
            seen << conflicts->CellText(2, row) + QLatin1Char(' ') + conflicts->CellText(5, row);
        }
        QTest::keyClick(grid, Qt::Key_Down);
        QTest::keyClick(grid, Qt::Key_T, Qt::AltModifier);
        // A mnemonic presses its button a moment later, as a click shown on the screen.
        QTRY_COMPARE(conflicts->CellText(5, 2), QStringLiteral("Theirs"));
        seen << conflicts->CellText(5, 1) + QLatin1Char(' ') + conflicts->CellText(5, 2);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
    });
    script.Then([&](QWidget* box) {
        seen << qobject_cast<QMessageBox*>(box)->text();
        QTest::keyClick(box, Qt::Key_Y, Qt::AltModifier);
    });
    script.Then([&](QWidget* box) {
        seen << qobject_cast<QMessageBox*>(box)->text();
        QTest::keyClick(box, Qt::Key_Return);
    });
    QTest::keyClick(&main, Qt::Key_R, Qt::AltModifier);
    QTRY_VERIFY(main.Rate1->isVisible());
    QTest::keyClick(main.Rate1, Qt::Key_M);
    QTRY_COMPARE(script.Pending(), 0);
    QTRY_VERIFY(QApplication::activeModalWidget() == nullptr);
    const QString summary = QStringLiteral(
        "Ratings Merged: 0 Added, 0 Combined, 0 Unchanged, 2 Conflicts (1 Taken From The Disk), 0 "
        "Skipped");
    EXPECT_EQ(seen, (QStringList{QStringLiteral("2/5 Ours"), QStringLiteral("4/3 Ours"),
                                 QStringLiteral("Ours Theirs"),
                                 summary + QStringLiteral("\n\nMerge These Ratings Into This "
                                                          "Position?"),
                                 summary}));
    EXPECT_EQ(test::RatingKeys(RatingFileName), (std::vector<std::int32_t>{2320, 1334}));
}

} // namespace
} // namespace korvane
