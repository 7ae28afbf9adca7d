#include "data/ChangeLog.h"
#include "tests/reports/SheetTestSupport.h"

namespace korvane {
namespace {

class ChangeLogFormTest : public test::SheetTest {
protected:
    void SetUp() override {
        SheetTest::SetUp();
        std::string log;
        const TChange changes[] = {
            {"Applicants", "applicant 4711 \"SMITH JOHN\" added", 4711},
            {"Rating Sheet", "rating of applicant 4711 by member 3", 4711, 3},
            {"Committee Members", "member 3 \"BAKER\" added", 0, 3},
            {"Rating Sheet", "rating of applicant 4712 by member 3", 4712, 3},
            {"Update", Long, 0, 0}};
        int second = 10;
        for (const TChange& change : changes) {
            log += ChangeLine({"2025-03-04T10:11:" + std::to_string(second++) + "Z", "ann",
                               change.Command == "Update", change});
            if (second == 12) {
                log += "a damaged line\n";
            }
        }
        WriteFile(ChangeLogFileName, log);
    }
    // Long enough to take three lines of the printout.
    static constexpr const char* Long =
        "\"Korvane Updated\": 214 applicants, and a text that goes on and on so that it cannot "
        "stand on one line of the printed log but takes a second one and then even a third one, "
        "ending here";
};

// The printout lists the entries newest first, a long one over several lines, and says which
// lines it could not read.
TEST_F(ChangeLogFormTest, PrintsTheLogNewestFirst) {
    const auto words = Print("changelog");
    ASSERT_EQ(test::PdfPages(words), 1);
    const QString text = test::PdfPageText(words, 1);
    QStringList expected = {QStringLiteral("Change Log"), QStringLiteral("Time (UTC)"),
                            QStringLiteral("What Changed"),
                            QStringLiteral("2025-03-04T10:11:14Z ann Admin Update")};
    expected << QString::fromLatin1(Long).split(QLatin1Char(' '));
    expected << QStringLiteral("2025-03-04T10:11:13Z") << QStringLiteral("4712")
             << QStringLiteral("2025-03-04T10:11:10Z")
             << QStringLiteral("Damaged Lines Not Shown: 3");
    qsizetype from = 0;
    for (const QString& piece : expected) {
        const qsizetype at = text.indexOf(piece, from);
        ASSERT_GE(at, 0) << "missing or out of order: " << piece.toStdString() << "\nin "
                         << text.toStdString();
        from = at + piece.size();
    }
    const auto tops = test::PdfTopsOf(words, 1, QStringLiteral("ending"));
    const auto first = test::PdfTopsOf(words, 1, QStringLiteral("\"Korvane"));
    ASSERT_EQ(tops.size(), 1u);
    ASSERT_EQ(first.size(), 1u);
    EXPECT_GT(tops[0], first[0] + 15) << "the long entry takes more than two lines";
}

} // namespace
} // namespace korvane
