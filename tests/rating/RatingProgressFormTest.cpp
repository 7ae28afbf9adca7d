#include <QApplication>
#include <QLabel>
#include <QPushButton>
#include <QTreeWidget>

#include <string>
#include <vector>

#include "data/ProcessState.h"
#include "rating/RatingProgressForm.h"
#include "reports/PrintFinalForm.h"
#include "tests/rating/RatingTestSupport.h"
#include "tests/support/ModalScript.h"
#include "tests/support/core/ScopedProcessState.h"

namespace korvane {
namespace {

using test::ModalScript;
using test::Type;

class RatingProgressFormTest : public test::RatingFilesTest {
protected:
    // BAKER rated ADAMS fully and CRUZ partly and is recused from DIAZ; CLARK rated all three and
    // abstained from the eliminated BROWN; a decision names the applicant 9, who is gone.
    void SetUp() override {
        RatingFilesTest::SetUp();
        AddPeople();
        SelectCriteria(2);
        for (const auto& [applicant, member, first, second] :
             std::vector<std::array<std::int32_t, 4>>{
                 {3, 1, 1, 1}, {4, 1, 1, 0}, {3, 2, 2, 2}, {4, 2, 2, 2}, {6, 2, 2, 2}}) {
            TRateRecord rec = BlankRating(applicant, member);
            rec.Rate[0] = first;
            rec.Rate[1] = second;
            TRateDataBase file(RatingFileName);
            bool added = false;
            file.Insert(rec, added);
        }
        WriteFile(RecusalFileName, "6,1,R,SISTER\r\n5,2,A,\r\n9,1,A,GONE\r\n");
    }

    // A grid row's cells, and the tree's groups with their items, as text.
    static std::string Row(const TRatingProgressForm& Screen, int Row) {
        QStringList cells;
        for (int col = 0; col < 7; ++col) {
            cells << Screen.CellText(col, Row);
        }
        return cells.join(QLatin1Char(' ')).toStdString();
    }
    static std::string Groups(const TRatingProgressForm& Screen) {
        QStringList groups;
        for (int i = 0; i < Screen.TreeView1->topLevelItemCount(); ++i) {
            const QTreeWidgetItem* group = Screen.TreeView1->topLevelItem(i);
            groups << group->text(0);
            for (int c = 0; c < group->childCount(); ++c) {
                groups.back() += QStringLiteral(" | ") + group->child(c)->text(0);
            }
        }
        return groups.join(QStringLiteral("; ")).toStdString();
    }
};

TEST_F(RatingProgressFormTest, CountsEachMemberListsThePairsAndLiftsADecision) {
    TRatingProgressForm screen(nullptr);
    EXPECT_EQ(Row(screen, 1), "1 BAKER 1 1 0 0 1");
    EXPECT_EQ(Row(screen, 2), "2 CLARK 3 0 0 0 0");
    EXPECT_EQ(Row(screen, 3), " Total 4 1 0 0 1");
    EXPECT_EQ(screen.DrawGrid1->Row(), 1) << "the first member with ratings missing";
    EXPECT_EQ(screen.Summary->text(),
              QStringLiteral("Applicants Still In The Pool: 3. Warning: 1 Rating Is Missing "
                             "(1 Committee Member, 1 Applicant)"));
    const std::string gone = "; Not Counted: Member Or Applicant No Longer There (1) | BAKER On "
                             "ID 9, No Longer An Applicant: Abstained";
    EXPECT_EQ(Groups(screen), "Rated Fully (1) | ADAMS; Rated Partly (1) | CRUZ; Not Rated (0); "
                              "Abstained (0); Recused (1) | DIAZ" +
                                  gone);
    screen.DrawGrid1->SetRow(2);
    EXPECT_EQ(Groups(screen), "Rated Fully (3) | ADAMS | CRUZ | DIAZ; Rated Partly (0); Not Rated "
                              "(0); Abstained (0); Recused (0); Eliminated Applicants (1) | BROWN: "
                              "Abstained" +
                                  gone);

    // BAKER's recusal, lifted from the tree by keyboard.
    screen.DrawGrid1->SetRow(1);
    ModalScript script;
    script
        .Then([&](QWidget*) {
            screen.TreeView1->setFocus();
            screen.TreeView1->setCurrentItem(screen.TreeView1->topLevelItem(4)->child(0));
            EXPECT_TRUE(screen.LiftBtn->isEnabled());
            Type("@L");
            EXPECT_EQ(ReadFile(RecusalFileName), "5,2,A,\r\n9,1,A,GONE\r\n");
            EXPECT_EQ(Row(screen, 1), "1 BAKER 1 1 1 0 0");
            EXPECT_EQ(screen.Summary->text(),
                      QStringLiteral("Applicants Still In The Pool: 3. Warning: 2 Ratings Are "
                                     "Missing (1 Committee Member, 2 Applicants)"));
            screen.TreeView1->setCurrentItem(screen.TreeView1->topLevelItem(0)->child(0));
            EXPECT_FALSE(screen.LiftBtn->isEnabled()) << "a rated pair has nothing to lift";
            Type("\x1b");
        })
        .ThenAnswer(TModalResult::Yes);
    screen.exec();
    EXPECT_EQ(script.Pending(), 0);
    EXPECT_EQ(script.Messages(),
              QStringList{QStringLiteral("Lift The Decision (Recused) Of BAKER On DIAZ?")});
}

// The final sheet's warning walked through by keyboard: the keys typed at each warning, and the
// windows that opened in turn.
struct TWarningWalk {
    const char* Name;
    std::vector<std::string> Keys;
    QStringList Windows;
};

class FinalWarningTest : public RatingProgressFormTest,
                         public ::testing::WithParamInterface<TWarningWalk> {};

TEST_P(FinalWarningTest, ShowOpensTheProgressAndAsksAgainPrintAnywayPrintsCancelStops) {
    const TWarningWalk& walk = GetParam();
    test::ScopedProcessState saved;
    Settings.SendReportsToPrinter = false;
    TPrintFinalForm prompt(nullptr);
    prompt.ShowProgress = ShowRatingProgress; // as the main window opens it
    QStringList windows;
    std::size_t next = 0;
    ModalScript script;
    for (qsizetype w = 0; w < walk.Windows.size(); ++w) {
        script.Then([&](QWidget* window) {
            windows << window->windowTitle();
            if (window->windowTitle() == QStringLiteral("Korvane")) {
                EXPECT_EQ(window->findChild<QLabel*>(QStringLiteral("qt_msgbox_label"))->text(),
                          QStringLiteral("Warning: 1 Rating Is Missing (1 Committee Member, 1 "
                                         "Applicant)"));
                Type(walk.Keys.at(next++));
            } else if (window->windowTitle() == QStringLiteral("Rating Progress")) {
                Type("\x1b");
            } else {
                window->close();
            }
        });
    }
    prompt.YesBtnClick();
    EXPECT_EQ(windows, walk.Windows);
    EXPECT_EQ(next, walk.Keys.size());
    EXPECT_EQ(script.Pending(), 0);
}

const QString Warning = QStringLiteral("Korvane");
const QString Progress = QStringLiteral("Rating Progress");
const QString Preview = QStringLiteral("Report Preview");

INSTANTIATE_TEST_SUITE_P(
    Walks, FinalWarningTest,
    ::testing::Values(
        TWarningWalk{"ShowThenPrintAnyway", {"@S", "@P"}, {Warning, Progress, Warning, Preview}},
        TWarningWalk{"EnterShowsEscCancels", {"\n", "\x1b"}, {Warning, Progress, Warning}},
        TWarningWalk{"PrintAnyway", {"@P"}, {Warning, Preview}},
        TWarningWalk{"Cancel", {"\x1b"}, {Warning}}),
    [](const auto& test) { return std::string(test.param.Name); });

} // namespace
} // namespace korvane
