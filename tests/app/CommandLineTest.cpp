#include <QStringList>

#include <filesystem>
#include <set>
#include <string>
#include <vector>

#include "app/CommandLine.h"
#include "data/FileNames.h"
#include "tests/setup/SetupTestSupport.h"
#include "tests/support/ProgramRun.h"
#include "tests/support/core/TempWorkDir.h"

namespace korvane {
namespace {

namespace fs = std::filesystem;

struct TParseCase {
    std::vector<std::string> Arguments;
    TRoute Route;
    std::string Folder;
    bool Administrative;
    std::string Error; // a part of it; empty when the line is sound
    friend void PrintTo(const TParseCase& Case, std::ostream* Out) {
        *Out << ::testing::PrintToString(Case.Arguments);
    }
};

class ParseCommandLineTest : public ::testing::TestWithParam<TParseCase> {};

TEST_P(ParseCommandLineTest, ReadsTheRouteTheFolderAndTheMode) {
    const TParseCase& c = GetParam();
    const TCommandLine line = ParseCommandLine(c.Arguments);
    EXPECT_EQ(line.Error.find(c.Error) == std::string::npos, false) << line.Error;
    EXPECT_EQ(line.Error.empty(), c.Error.empty()) << line.Error;
    if (c.Error.empty()) {
        EXPECT_EQ(line.Route, c.Route);
        EXPECT_EQ(line.Folder, c.Folder);
        EXPECT_EQ(line.Administrative, c.Administrative);
    }
    EXPECT_EQ(line.ShowUsage, c.Error.starts_with("unknown argument"));
}

using R = TRoute;
INSTANTIATE_TEST_SUITE_P(
    Lines, ParseCommandLineTest,
    ::testing::Values(
        TParseCase{{}, R::Desktop, "", false, ""}, TParseCase{{"/QX"}, R::Desktop, "", true, ""},
        TParseCase{{"pos", "/QX"}, R::Desktop, "pos", true, ""},
        TParseCase{{"/QX", "/srv/pos"}, R::Desktop, "/srv/pos", true, ""},
        TParseCase{{"/qx"}, R::Desktop, "/qx", false, ""},
        TParseCase{{"--print", "final", "--pdf", "f.pdf", "pos"}, R::Print, "pos", false, ""},
        TParseCase{{"pos", "--ranking", "r.csv"}, R::Ranking, "pos", false, ""},
        TParseCase{{"--help", "--bogus"}, R::Help, "", false, ""},
        TParseCase{{"--run-once"}, R::RunOnce, "", false, ""},
        TParseCase{{"pos", "--progress"}, R::Progress, "pos", false, ""},
        TParseCase{
            {"--progress", "--ranking", "r.csv"}, R::Progress, "", false, "--progress goes alone"},
        TParseCase{{"--progress", "--merge-ratings", "d"},
                   R::Progress,
                   "",
                   false,
                   "--merge-ratings goes alone"},
        TParseCase{{"--bogus"}, R::Desktop, "", false, "unknown argument '--bogus'"},
        TParseCase{{"pos", "other"}, R::Desktop, "", false, "unknown argument 'other'"},
        TParseCase{{"-"}, R::Desktop, "", false, "unknown argument '-'"},
        TParseCase{{"--ranking"}, R::Ranking, "", false, "--ranking needs a value"},
        TParseCase{{"--print", "final"}, R::Print, "", false, "--print and --pdf go together"},
        TParseCase{{"--ranking", "r.csv", "--all"},
                   R::Ranking,
                   "",
                   false,
                   "--ranking goes without --print"},
        TParseCase{{"--totals"}, R::Desktop, "", false, "go with --print"},
        TParseCase{{"--merge-ratings", "disk", "pos"}, R::MergeRatings, "pos", false, ""},
        TParseCase{{"--merge-ratings", "d", "--pdf", "f"}, R::Desktop, "", false, "goes alone"},
        TParseCase{
            {"--merge-ratings", "d", "--prefer", "mine"}, R::Desktop, "", false, "ours or"}));

class CommandLineRunTest : public test::TempWorkDirTest {};

struct TRefusalCase {
    QStringList Arguments;
    int ExitCode;
    QString Message;
};

// In a folder with no position nothing is opened and nothing is written; every route says why
// and ends with a status other than 0.
TEST_F(CommandLineRunTest, NoRouteCreatesAFileWhereNoPositionIs) {
    const QString folder = QString::fromStdString(WorkDir().string());
    const QString noPosition = QStringLiteral("korvane: Error: The Folder ") + folder +
                               QStringLiteral(" Holds No Position.");
    const QString pdf = QStringLiteral("--pdf");
    const QString out = QStringLiteral("out.pdf");
    const std::vector<TRefusalCase> cases = {
        {{QStringLiteral("--ranking"), QStringLiteral("out.csv")}, 1, noPosition},
        {{QStringLiteral("--progress")}, 1, noPosition},
        {{QStringLiteral("--print"), QStringLiteral("progress"), pdf, out}, 1, noPosition},
        {{QStringLiteral("--print"), QStringLiteral("final"), pdf, out}, 1, noPosition},
        {{QStringLiteral("--print"), QStringLiteral("committee"), pdf, out}, 1, noPosition},
        {{QStringLiteral("--print"), QStringLiteral("applicants"), pdf, out}, 1, noPosition},
        {{QStringLiteral("--print"), QStringLiteral("screening"), QStringLiteral("--all"), pdf,
          out},
         1,
         noPosition},
        {{QStringLiteral("--print"), QStringLiteral("ratingsheets"), pdf, out, folder},
         1,
         noPosition},
        {{QStringLiteral("--bogus")}, 2, QStringLiteral("korvane: unknown argument '--bogus'")},
        {{QStringLiteral("no-such-folder")},
         1,
         QStringLiteral("korvane: Error: The Folder ") + folder +
             QStringLiteral("/no-such-folder Does Not Exist.")},
    };
    for (const TRefusalCase& c : cases) {
        SCOPED_TRACE(c.Arguments.join(QLatin1Char(' ')).toStdString());
        const test::TRun run = test::RunKorvane(c.Arguments);
        EXPECT_EQ(run.ExitCode, c.ExitCode);
        EXPECT_TRUE(run.Errors.split(QLatin1Char('\n')).contains(c.Message))
            << run.Errors.toStdString();
        std::set<std::string> left;
        for (const auto& entry : fs::directory_iterator(WorkDir())) {
            left.insert(entry.path().filename().string());
        }
        EXPECT_EQ(left, std::set<std::string>{"tmp"});
    }
    EXPECT_TRUE(test::RunKorvane({QStringLiteral("--bogus")})
                    .Errors.contains(QStringLiteral("\nUsage: korvane [/QX] [DIR]\n")));
}

// The ranking refuses what the final rating sheet refuses, in the same words.
TEST_F(CommandLineRunTest, TheRankingRefusesWhatTheFinalSheetRefuses) {
    WriteFile(PositionFileName, "Clerk\r\n");
    const std::vector<QString> expected = {
        QStringLiteral("korvane: Error: No Applicants Are Loaded"),
        QStringLiteral("korvane: Error: No Committee Members Are Entered"),
        QStringLiteral("korvane: Error: No Preferred Criteria Selected")};
    const std::vector<const char*> added = {ApplicantFileName, CommitteeFileName};
    for (std::size_t step = 0; step < expected.size(); ++step) {
        SCOPED_TRACE(step);
        if (step > 0) {
            test::InsertRecords(added[step - 1], {{1, "ADAMS, LEE"}});
        }
        const test::TRun ranking =
            test::RunKorvane({QStringLiteral("--ranking"), QStringLiteral("r.csv")});
        const test::TRun final =
            test::RunKorvane({QStringLiteral("--print"), QStringLiteral("final"),
                              QStringLiteral("--pdf"), QStringLiteral("f.pdf")});
        EXPECT_EQ(ranking.ExitCode, 1);
        EXPECT_EQ(final.ExitCode, 1);
        for (const test::TRun& run : {ranking, final}) {
            EXPECT_TRUE(run.Errors.split(QLatin1Char('\n')).contains(expected[step]))
                << run.Errors.toStdString();
        }
        EXPECT_FALSE(fs::exists("r.csv"));
    }
}

} // namespace
} // namespace korvane
