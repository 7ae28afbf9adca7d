#include <algorithm>
#include <clocale>
#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "app/Application.h"
#include "app/CommandLine.h"
#include "app/HeadlessMerge.h"
#include "app/HeadlessPrint.h"
#include "app/PositionFolder.h"
#include "app/Startup.h"
#include "data/PositionFile.h"
#include "data/ProcessState.h"
#include "data/RankingFile.h"
#include "data/RatingProgress.h"
#include "data/SetupCounts.h"
#include "platform/sys/Registry.h"
#include "platform/sys/RunOnce.h"
#include "platform/sys/System.h"
#include "platform/ui/FailureText.h"
#include "rating/ProgressPrintout.h"
#include "reports/RatingWarnings.h"
#include "setup/SetupPrecheck.h"

namespace {

void PrintUsage(std::FILE* to) {
    std::fprintf(to,
                 "Usage: korvane [/QX] [DIR]\n"
                 "       korvane --print WHAT --pdf FILE [DIR]\n"
                 "       korvane --print screening [--member ID | --all] --pdf FILE [DIR]\n"
                 "       korvane --print ratingsheets [--member ID | --all] [--totals] --pdf FILE "
                 "[DIR]\n"
                 "       korvane --ranking FILE [DIR]\n"
                 "       korvane --progress [DIR]\n"
                 "       korvane --merge-ratings DISK [--prefer ours|theirs] [DIR]\n"
                 "       korvane --run-once\n"
                 "\n"
                 "Starts Korvane on the position in DIR, or in the current directory when it\n"
                 "holds one; otherwise the program asks which position to open.\n"
                 "\n"
                 "  DIR                 the folder of the position (the working directory of\n"
                 "                      the run)\n"
                 "  /QX                 start in the administrative mode\n"
                 "  --print WHAT        write the printout WHAT as a PDF file, with no window\n"
                 "  --pdf FILE          the PDF file to write (with --print)\n"
                 "  --member ID         screening and rating sheets of the member with that ID\n"
                 "                      (without it, of the first member of the committee)\n"
                 "  --all               screening and rating sheets of every member\n"
                 "  --totals            rating sheets with the member's totals\n"
                 "  --ranking FILE      write the final rating as a CSV file, with no window\n"
                 "  --progress          write who still has to rate whom; the exit status is 3\n"
                 "                      when ratings are missing, 0 when none is\n"
                 "  --merge-ratings DISK merge the ratings of the position disk in the folder\n"
                 "                      DISK into the position, with no window; prints the\n"
                 "                      summary. Exit status 3: the disk holds another\n"
                 "                      position; 4: conflicts and no --prefer\n"
                 "  --prefer ours|theirs where both rated a criterion differently, keep this\n"
                 "                      position's ratings or take the disk's\n"
                 "  --run-once          finish an uninstall: remove what was left for the next\n"
                 "                      login (the autostart entry the uninstall writes runs it)\n"
                 "  --help              show this text\n"
                 "  --version           show the version\n"
                 "\n"
                 "WHAT is one of: %s\n",
                 qPrintable(korvane::HeadlessPrintouts().join(QStringLiteral(", "))));
}

int RunDesktop(int argc, char** argv, const korvane::TCommandLine& line) {
    // Refused before any window or display is needed.
    if (const std::string refused = korvane::EnterFolder(line.Folder); !refused.empty()) {
        std::fprintf(stderr, "korvane: %s\n", refused.c_str());
        return 1;
    }
    korvane::TApplication app(argc, argv);
    return korvane::RunDesktop(line.Administrative);
}

int RunHeadless(int argc, char** argv, const korvane::TCommandLine& line) {
    if (!korvane::EnvironmentValue("QT_QPA_PLATFORM")) {
        korvane::SetEnvironmentValue("QT_QPA_PLATFORM", "offscreen");
    }
    korvane::TApplication app(argc, argv);
    korvane::THeadlessOptions options;
    options.Folder = line.Folder;
    if (line.Member) {
        options.Member = QString::fromLocal8Bit(line.Member->c_str());
    }
    options.All = line.All;
    options.Totals = line.Totals;
    try {
        korvane::LoadSettings();
        return korvane::RunHeadlessPrint(QString::fromLocal8Bit(line.What.c_str()),
                                         QString::fromLocal8Bit(line.Pdf.c_str()), options);
    } catch (const std::exception& error) {
        std::fprintf(stderr, "korvane: %s\n", error.what());
        return 1;
    }
}

// The position in line.Folder opened as every run opens it, and checked as the final rating
// sheet's menu command checks it. Empty, or the message why not.
std::string EnterCheckedPosition(const korvane::TCommandLine& line) {
    std::string error = korvane::OpenPositionFolder(line.Folder);
    if (error.empty()) {
        error = korvane::MissingSetupText(korvane::MissingPreferredSetup()).toStdString();
    }
    return error;
}

// What the routes without a window tell of the ratings before they go on: lines of Recusal.dat
// skipped, and (when asked) ratings missing.
void WarnOfRatings(const korvane::TRatingProgress& progress, bool missing) {
    if (const QString damage = korvane::DecisionsDamageText(progress.Decisions());
        !damage.isEmpty()) {
        std::fprintf(stderr, "korvane: %s\n", damage.toLocal8Bit().constData());
    }
    if (missing) {
        korvane::WarnOfMissingRatings(progress);
    }
}

// No Qt at all: the ranking file needs neither a window nor a display.
int RunRanking(const korvane::TCommandLine& line) {
    // What a Qt run takes from the environment without being asked.
    std::setlocale(LC_ALL, "");
    try {
        // The file is named from where the program was started, before the position's folder is.
        const std::string file = std::filesystem::absolute(line.Ranking).string();
        std::string error = EnterCheckedPosition(line);
        if (const auto check = korvane::OutputFileCheck(file); error.empty() && !check.Ok()) {
            error = "Error: " + file + " " + korvane::OutputRefusalText(check).toStdString() +
                    "; the ranking was not written";
        }
        if (error.empty()) {
            korvane::LoadSettings();
            WarnOfRatings(korvane::TRatingProgress::ReadWorkingDirectory(), true);
            const auto written = korvane::WriteRankingFile(file, korvane::Settings);
            if (!written.Ok()) {
                error = written.Reason == korvane::TRankingFailure::Unreadable
                            ? "Error: " + written.Detail
                            : "Error: the ranking file " + file + " could not be written";
            }
        }
        if (!error.empty()) {
            std::fprintf(stderr, "korvane: %s\n", error.c_str());
            return 1;
        }
        return 0;
    } catch (const std::exception& error) {
        std::fprintf(stderr, "korvane: %s\n", error.what());
        return 1;
    }
}

// Who still has to rate whom, as text on standard output: 0 when every pair in the pool is rated
// fully or under a decision, 3 when ratings are missing.
int RunProgress(const korvane::TCommandLine& line) {
    std::setlocale(LC_ALL, "");
    try {
        if (const std::string error = EnterCheckedPosition(line); !error.empty()) {
            std::fprintf(stderr, "korvane: %s\n", error.c_str());
            return 1;
        }
        korvane::ReadPositionTitle();
        const korvane::TRatingProgress progress = korvane::TRatingProgress::ReadWorkingDirectory();
        WarnOfRatings(progress, false);
        std::fputs(korvane::ProgressSummaryText(progress, korvane::PositionTitle)
                       .toLocal8Bit()
                       .constData(),
                   stdout);
        return progress.Missing().Ratings > 0 ? 3 : 0;
    } catch (const std::exception& error) {
        std::fprintf(stderr, "korvane: %s\n", error.what());
        return 1;
    }
}

} // namespace

int main(int argc, char** argv) {
    const korvane::TCommandLine line =
        korvane::ParseCommandLine(std::vector<std::string>(argv + std::min(argc, 1), argv + argc));
    if (!line.Error.empty()) {
        std::fprintf(stderr, "korvane: %s\n", line.Error.c_str());
        if (line.ShowUsage) {
            std::fprintf(stderr, "\n");
            PrintUsage(stderr);
        }
        return 2;
    }
    switch (line.Route) {
    case korvane::TRoute::RunOnce: {
        // At login, with no display needed: no Qt object is made.
        korvane::TRegistry store;
        korvane::RunPendingCommands(store);
        return 0;
    }
    case korvane::TRoute::Help:
        PrintUsage(stdout);
        return 0;
    case korvane::TRoute::Version:
        std::printf("Korvane Version 1.3\n");
        return 0;
    case korvane::TRoute::Ranking:
        return RunRanking(line);
    case korvane::TRoute::Progress:
        return RunProgress(line);
    case korvane::TRoute::MergeRatings:
        std::setlocale(LC_ALL, "");
        try {
            return korvane::RunMergeRatings(line.Disk, line.Folder, line.Prefer);
        } catch (const std::exception& error) {
            std::fprintf(stderr, "korvane: %s\n", error.what());
            return 1;
        }
    case korvane::TRoute::Print:
        return RunHeadless(argc, argv, line);
    case korvane::TRoute::Desktop:
        break;
    }
    return RunDesktop(argc, argv, line);
}
