#include "tests/reports/SheetTestSupport.h"
#include "tests/setup/SetupTestSupport.h"

namespace korvane {
namespace {

class DisagreementsSheetTest : public test::SheetTest {};

// The agenda from `korvane --print disagreements`: the final sheet's order (DAVIS, ADAMS,
// BAKER), the applicant named on its first line, no fill-in under a member who left a rating
// blank, the spread from the settings, a recusal from Recusal.dat left out; then every member's
// ratings and mean difference.
TEST_F(DisagreementsSheetTest, AgendaLinesAndMembersSection) {
    AgendaPosition();
    test::InsertRecords(SamplePreferredFileName, {{1, "TYPING"}});
    const QString head =
        QStringLiteral(" Or More Points, Applicants In Final Rating Sheet Order Applicant "
                       "Preferred Criterion MEMBER 1 MEMBER 2 MEMBER 3 Spread ");
    const QString members = QStringLiteral(" Committee Member Ratings Given Mean Difference ");
    const struct {
        const char* Support;
        const char* Decisions;
        QString Lines;
    } cases[] = {
        {"", "",
         QStringLiteral("2") + head +
             QStringLiteral("*DAVIS #1 TYPING 4 2 2 #3 TYPING 1 4 3 *ADAMS #1 TYPING 1 5 3 4 "
                            "#3 TYPING 4 2 2 *BAKER #1 TYPING 2 5 2 3 #3 TYPING 2 5 3 3") +
             members + QStringLiteral("MEMBER 1 9 -0.83 MEMBER 2 8 +1.19 MEMBER 3 6 -0.33 Mean")},
        {"DISAGREEMENT=3\r\n", "",
         QStringLiteral("3") + head +
             QStringLiteral("*DAVIS #3 TYPING 1 4 3 *ADAMS #1 TYPING 1 5 3 4 "
                            "*BAKER #1 TYPING 2 5 2 3 #3 TYPING 2 5 3 3") +
             members},
        {"", "2,2,R,BROTHER\r\n",
         QStringLiteral("2") + head +
             QStringLiteral("*DAVIS #1 TYPING 4 2 2 #3 TYPING 1 4 3 *ADAMS #1 TYPING 1 5 3 4 "
                            "#3 TYPING 4 2 2") +
             members + QStringLiteral("MEMBER 1 9 -0.61 MEMBER 2 5 +0.90 MEMBER 3 6 +0.17 Mean")},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Support + std::string(c.Decisions));
        Support(std::string("FILLINBLANKRATTINGS=TRUE\r\n") + c.Support);
        WriteFile("Recusal.dat", c.Decisions);
        const auto words = Print("disagreements");
        ASSERT_EQ(test::PdfPages(words), 1);
        const QString text = test::PdfPageText(words, 1);
        EXPECT_TRUE(text.startsWith(QStringLiteral("Korvane Version 1.3 County Of Example Rating "
                                                   "Disagreements CLERK TYPIST II")))
            << text.toStdString();
        EXPECT_TRUE(text.contains(QStringLiteral("Differ By ") + c.Lines)) << text.toStdString();
    }
}

} // namespace
} // namespace korvane
