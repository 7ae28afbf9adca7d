#include <cmath>
#include <filesystem>

#include "data/PositionFile.h"
#include "platform/ui/SystemPrinter.h"
#include "reports/FirstLevelScreeningForm.h"
#include "tests/reports/SheetTestSupport.h"
#include "tests/setup/SetupTestSupport.h"
#include "tests/support/core/ScopedProcessState.h"

namespace korvane {
namespace {

using test::PdfPages;
using test::PdfPageText;
using test::PdfTopsOf;
using test::TPdfWord;

class ScreeningSheetTest : public test::SheetTest {
protected:
    void SetUp() override {
        SheetTest::SetUp();
        AddMembers({1, 2, 3});
    }

    // Required criteria: sample criteria 1, 2 and 3, selected as given (an ID without a sample
    // criterion is selected all the same).
    static void Required(std::initializer_list<std::int32_t> IDs) {
        test::InsertRecords(SampleRequiredFileName,
                            {{1, "TYPING"}, {2, "DRIVER LICENCE"}, {3, "DIPLOMA"}});
        TSelectDataBase selected(RequiredFileName);
        for (const std::int32_t id : IDs) {
            TSelectRecord rec{id, 0, 0};
            bool added = false;
            selected.Insert(rec, added);
        }
    }

    static QString Header(int member, int page, const QString& criteria) {
        return QStringLiteral("Korvane Version 1.3 County Of Example First Level Screening "
                              "Required Criteria Committee ID Number: %1 ")
                   .arg(member) +
               PrintedDateText() +
               QStringLiteral(" CLERK TYPIST II Page: %1 Required Criteria").arg(page) + criteria +
               QStringLiteral(" Criteria Number(s) Continue To Applicant Name For Being "
                              "Eliminated Next Level");
    }
};

TEST_F(ScreeningSheetTest, OneMemberGetsThePoolAndAllMembersGetEveryApplicant) {
    Required({2, 7});
    AddApplicant(1, "ADAMS, LEE");
    AddApplicant(2, "BAKER, SAM", 0, 3);
    AddApplicant(3, "CRUZ, ANA");
    const QString criteria =
        QStringLiteral(" #1 DRIVER LICENCE #2 Description For ID Number Not Found");

    // The first member of the committee unless one is named.
    auto words = Print("screening");
    ASSERT_EQ(PdfPages(words), 1);
    EXPECT_EQ(PdfPageText(words, 1),
              Header(1, 1, criteria) + QStringLiteral(" ADAMS, LEE Y N CRUZ, ANA Y N"));
    words = Print("screening", {QStringLiteral("--member"), QStringLiteral("3")});
    EXPECT_EQ(PdfPageText(words, 1),
              Header(3, 1, criteria) + QStringLiteral(" ADAMS, LEE Y N CRUZ, ANA Y N"));

    words = Print("screening", {QStringLiteral("--all")});
    ASSERT_EQ(PdfPages(words), 3);
    for (int member = 1; member <= 3; ++member) {
        EXPECT_EQ(PdfPageText(words, member),
                  Header(member, 1, criteria) +
                      QStringLiteral(" ADAMS, LEE Y N BAKER, SAM Y N CRUZ, ANA Y N"));
    }
}

// Two pages for every member; each member's pages count from 1.
TEST_F(ScreeningSheetTest, AllMembersEachStartAtPageOne) {
    Required({1});
    for (int i = 1; i <= 40; ++i) {
        AddApplicant(i, QStringLiteral("ROW %1").arg(i, 3, 10, QLatin1Char('0')).toStdString());
    }
    const auto words = Print("screening", {QStringLiteral("--all")});
    ASSERT_EQ(PdfPages(words), 6);
    for (int page = 1; page <= 6; ++page) {
        const int member = (page + 1) / 2;
        EXPECT_TRUE(PdfPageText(words, page)
                        .startsWith(Header(member, 2 - page % 2, QStringLiteral(" #1 TYPING"))))
            << page;
    }
}

// With one criterion more the header is a line taller, so in one of the two cases the page
// breaks between the two lines of a row: the new page gets its header all the same, and the
// next row stands one line lower.
TEST_F(ScreeningSheetTest, PageBreakInsideARowDrawsTheHeader) {
    for (int i = 1; i <= 40; ++i) {
        AddApplicant(i, QStringLiteral("ROW %1").arg(i, 3, 10, QLatin1Char('0')).toStdString());
    }
    std::vector<double> gaps;
    for (const auto criteria :
         {std::initializer_list<std::int32_t>{1}, std::initializer_list<std::int32_t>{1, 3}}) {
        std::filesystem::remove(RequiredFileName);
        Required(criteria);
        const auto words = Print("screening");
        ASSERT_EQ(PdfPages(words), 2);
        const QString page2 = PdfPageText(words, 2);
        EXPECT_TRUE(page2.startsWith(Header(1, 2,
                                            criteria.size() == 1
                                                ? QStringLiteral(" #1 TYPING")
                                                : QStringLiteral(" #1 TYPING #2 DIPLOMA"))))
            << page2.toStdString();
        const QStringList rows = Rows(words, 1) + Rows(words, 2);
        ASSERT_EQ(rows.size(), 40);
        EXPECT_EQ(rows.back(), QStringLiteral("040"));
        gaps.push_back(PdfTopsOf(words, 2, QStringLiteral("ROW"))[0] -
                       PdfTopsOf(words, 2, QStringLiteral("Applicant"))[0]);
    }
    const auto words = test::ReadPdfWords(PdfPath());
    const auto rows = PdfTopsOf(words, 1, QStringLiteral("ROW"));
    const double line = (rows[1] - rows[0]) / 2;
    EXPECT_NEAR(std::abs(gaps[1] - gaps[0]), line, 0.5);
}

// The menu command refuses a position with no required criteria; the sheet itself prints the
// box with its heading and two empty lines.
TEST_F(ScreeningSheetTest, CriteriaBoxWithNoRequiredCriterion) {
    AddApplicant(1, "ADAMS, LEE");
    const test::ScopedProcessState saved;
    LoadSettings();
    ReadPositionTitle();
    SetPrinterPdfOutput(PdfPath());
    PrintScreeningSheets(nullptr, PdfFileDestination(), {false, 2});
    const auto words = test::ReadPdfWords(PdfPath());
    EXPECT_EQ(PdfPageText(words, 1), Header(2, 1, QString()) + QStringLiteral(" ADAMS, LEE Y N"));
    // Heading, two empty lines and the blank line under the box come before the band.
    const double heading = PdfTopsOf(words, 1, QStringLiteral("Required"))[1];
    const double band = PdfTopsOf(words, 1, QStringLiteral("Number(s)"))[0];
    const double row = PdfTopsOf(words, 1, QStringLiteral("Y"))[0];
    const double applicant = PdfTopsOf(words, 1, QStringLiteral("Applicant"))[0];
    const double pitch = (row - applicant) / 2;
    EXPECT_NEAR(band - heading, 4 * pitch, 1.0);

    // The headless route runs the command's check and prints nothing.
    const test::TRun run = PrintRun("screening");
    EXPECT_NE(run.ExitCode, 0);
    EXPECT_TRUE(run.Errors.contains(QStringLiteral("Error: No Required Criteria Selected")))
        << run.Errors.toStdString();
}

} // namespace
} // namespace korvane
