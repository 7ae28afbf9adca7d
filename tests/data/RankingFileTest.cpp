#include <cstdlib>
#include <filesystem>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "data/RankingFile.h"
#include "tests/data/RecordTestSupport.h"
#include "tests/data/ScoreTestSupport.h"

namespace korvane {
namespace {

namespace fs = std::filesystem;
using Row = std::vector<std::string>;

// Rows of an RFC 4180 text with CRLF line ends after a UTF-8 byte-order mark; a bare line feed
// or a missing mark fails the test.
std::vector<Row> ParseCsv(const std::string& Marked) {
    const std::string mark = "\xEF\xBB\xBF";
    EXPECT_TRUE(Marked.starts_with(mark)) << "no byte-order mark";
    const std::string Text = Marked.substr(Marked.starts_with(mark) ? mark.size() : 0);
    std::vector<Row> rows;
    Row row;
    std::string field;
    bool quoted = false;
    for (std::size_t i = 0; i < Text.size(); ++i) {
        const char ch = Text[i];
        if (quoted) {
            if (ch == '"' && i + 1 < Text.size() && Text[i + 1] == '"') {
                field += '"';
                ++i;
            } else if (ch == '"') {
                quoted = false;
            } else {
                field += ch;
            }
        } else if (ch == '"' && field.empty()) {
            quoted = true;
        } else if (ch == ',') {
            row.push_back(field);
            field.clear();
        } else if (ch == '\r' && i + 1 < Text.size() && Text[i + 1] == '\n') {
            row.push_back(field);
            rows.push_back(row);
            row.clear();
            field.clear();
            ++i;
        } else {
            EXPECT_NE(ch, '\n') << "a line feed without a carriage return at " << i;
            field += ch;
        }
    }
    EXPECT_TRUE(row.empty() && field.empty()) << "the last row has no line end";
    return rows;
}

class RankingFileTest : public test::ScorePositionTest {
protected:
    void SetUp() override {
        ScorePositionTest::SetUp();
        AddMembers({1, 2});
        AddWeights({10, 20});
        AddApplicant(1, "SMITH, JOHN", 1.0);
        AddApplicant(2, "O\"BRIEN", 0.0, 0, ' ');
        AddApplicant(3, "\xC9LAN \x80", 0.0, 2);
        AddApplicant(4, "=1+41"); // a formula to a spreadsheet
        TDataBase samples(SamplePreferredFileName);
        test::InsertAll(samples, {test::Named(1, "BUDGET, FORECASTING")});
        Rate(1, 1, {5, 5});
        Rate(1, 2, {0, 5}); // filled in
        Rate(2, 1, {5, 5});
        Rate(2, 2, {5, 5});
        Rate(3, 1, {5, 5}); // eliminated: not filled in
        Rate(4, 1, {5, 5});
        Rate(4, 2, {5, 5});
        Settings_.FillInBlankRatings = true;
    }

    TSettings Settings_;
};

TEST_F(RankingFileTest, ReplacesAnOlderFileWithRowsThatReadBackAsTheComputedLines) {
    WriteFile("ranking.csv", std::string(100000, 'x'));
    ASSERT_TRUE(WriteRankingFile("ranking.csv", Settings_).Ok());
    const auto lines = ComputeFinalRating(TRatingData::ReadWorkingDirectory(), Settings_);
    ASSERT_EQ(Order(lines), (std::vector<std::int32_t>{1, 4, 2, 3}));
    const std::string text = ReadFile("ranking.csv");
    EXPECT_NE(text.find("\"SMITH, JOHN\""), std::string::npos);
    EXPECT_NE(text.find("\"O\"\"BRIEN\""), std::string::npos);

    const auto rows = ParseCsv(text);
    ASSERT_EQ(rows.size(), lines.size() + 1);
    // Only the two criteria that exist, headed by their descriptions.
    EXPECT_EQ(rows[0], (Row{"Line", "Rank", "ApplicantID", "Mark", "Name", "C1 BUDGET, FORECASTING",
                            "C2 BUDGET, FORECASTING", "Total", "WithVet", "Filled", "WithVetFilled",
                            "Comments"}));

    const std::map<std::int32_t, std::string> names{
        {1, "SMITH, JOHN"}, {2, "O\"BRIEN"}, {3, "\u00C9LAN \u20AC"}, {4, "'=1+41"}};
    for (std::size_t i = 0; i < lines.size(); ++i) {
        const TScoreLine& line = lines[i];
        std::size_t higher = 0;
        for (const TScoreLine& other : lines) {
            higher += other.Score > line.Score ? 1 : 0;
        }
        std::string filled;
        for (std::size_t n = 0; n < line.Values.size(); ++n) {
            if (line.Values[n] < 0) {
                filled += filled.empty() ? "" : " ";
                filled += std::to_string(n + 1);
            }
        }
        const Row expected{std::to_string(i + 1),
                           std::to_string(1 + higher),
                           std::to_string(line.ApplicantID),
                           line.Mark == '*' ? "*" : "",
                           names.at(line.ApplicantID),
                           std::to_string(std::abs(line.Values[0])),
                           std::to_string(std::abs(line.Values[1])),
                           std::to_string(line.Total),
                           std::to_string(line.Score),
                           filled,
                           line.Marked() ? "yes" : "no",
                           line.Comments};
        EXPECT_EQ(rows[i + 1], expected) << "line " << i + 1;
    }
    // The filled-in first line in plain numbers, the tie of the next two, the eliminated last.
    EXPECT_EQ((Row(rows[1].begin() + 5, rows[1].end() - 1)),
              (Row{"100", "200", "300", "315", "1", "yes"}));
    EXPECT_EQ((Row{rows[2][1], rows[3][1], rows[4][1]}), (Row{"2", "2", "4"}));
    EXPECT_EQ((Row{rows[2][10], rows[4][10]}), (Row{"no", "no"}));
    EXPECT_EQ(rows[4][11], "Eliminated In Level 2");

    // A tie rule orders the lines; the rank stays one more than the number of higher scores.
    Settings_.TieBreak = {TTieRule::ID};
    ASSERT_TRUE(WriteRankingFile("ranking.csv", Settings_).Ok());
    const auto ruled = ParseCsv(ReadFile("ranking.csv"));
    ASSERT_EQ(ruled.size(), 5u);
    EXPECT_EQ((Row{ruled[1][2], ruled[2][2], ruled[3][2], ruled[4][2]}), (Row{"1", "2", "4", "3"}));
    EXPECT_EQ((Row{ruled[1][1], ruled[2][1], ruled[3][1], ruled[4][1]}), (Row{"1", "2", "2", "4"}));
}

TEST_F(RankingFileTest, RefusesFilesOfThePositionAndReportsFailures) {
    const std::string applicants = ReadFile(ApplicantFileName);
    for (const char* path : {"Applicant.Dat", "./Rating.dat", "kvn.dat"}) {
        EXPECT_EQ(WriteRankingFile(path, Settings_).Reason, TRankingFailure::Refused) << path;
    }
    EXPECT_EQ(WriteRankingFile("no/such/folder.csv", Settings_).Reason,
              TRankingFailure::NotWritten);
    EXPECT_EQ(ReadFile(ApplicantFileName), applicants);
    EXPECT_FALSE(fs::exists("kvn.dat"));
    std::set<std::string> left;
    for (const auto& entry : fs::directory_iterator(WorkDir())) {
        left.insert(entry.path().filename().string());
    }
    EXPECT_EQ(left, (std::set<std::string>{"Applicant.Dat", "committee.dat", "Preferre.dat",
                                           "Rating.dat", "SamplePr.dat", "tmp"}));
}

} // namespace
} // namespace korvane
