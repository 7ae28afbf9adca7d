#include <clocale>
#include <cstdio>
#include <cstring>
#include <string>

#include "app/Application.h"
#include "app/HeadlessPrint.h"
#include "app/Startup.h"
#include "data/PositionFile.h"
#include "data/ProcessState.h"
#include "data/RankingFile.h"
#include "platform/sys/Registry.h"
#include "platform/sys/RunOnce.h"
#include "platform/sys/System.h"
#include "platform/ui/MessageBox.h"

namespace {

constexpr const char* InterruptedChangeText =
    "Error: A Change Of This Position Was Interrupted And Could Not Be Completed; Its Files May "
    "Not Belong Together. Make The Position Folder Writable And Start Korvane Again.";

// Before any file of the position is read: an interrupted change is completed, leftovers go.
bool TidyPosition() {
    if (korvane::TidyPositionFolder() != korvane::TRecovery::Failed) {
        return true;
    }
    std::fprintf(stderr, "korvane: %s\n", InterruptedChangeText);
    return false;
}

void PrintUsage() {
    std::printf("Usage: korvane [/QX]\n"
                "       korvane --print WHAT --pdf FILE\n"
                "       korvane --print screening [--member ID | --all] --pdf FILE\n"
                "       korvane --print ratingsheets [--member ID | --all] [--totals] --pdf FILE\n"
                "       korvane --ranking FILE\n"
                "       korvane --run-once\n"
                "\n"
                "Starts Korvane in the current directory, the folder of one position.\n"
                "\n"
                "  /QX                 start in the administrative mode\n"
                "  --print WHAT        write the printout WHAT as a PDF file, with no window\n"
                "  --pdf FILE          the PDF file to write (with --print)\n"
                "  --member ID         screening and rating sheets of the member with that ID\n"
                "                      (without it, of the first member of the committee)\n"
                "  --all               screening and rating sheets of every member\n"
                "  --totals            rating sheets with the member's totals\n"
                "  --ranking FILE      write the final rating as a CSV file, with no window\n"
                "  --run-once          finish an uninstall: remove what was left for the next\n"
                "                      login (the autostart entry the uninstall writes runs it)\n"
                "  --help              show this text\n"
                "  --version           show the version\n"
                "\n"
                "WHAT is one of: %s\n",
                qPrintable(korvane::HeadlessPrintouts().join(QStringLiteral(", "))));
}

int RunDesktop(int argc, char** argv) {
    korvane::TApplication app(argc, argv);
    if (!TidyPosition()) {
        korvane::ShowError(QString::fromLatin1(InterruptedChangeText));
        return 1;
    }
    return korvane::RunDesktop(QCoreApplication::arguments());
}

int RunHeadless(int argc, char** argv, const char* what, const char* pdf,
                const korvane::THeadlessOptions& options) {
    if (!korvane::EnvironmentValue("QT_QPA_PLATFORM")) {
        korvane::SetEnvironmentValue("QT_QPA_PLATFORM", "offscreen");
    }
    korvane::TApplication app(argc, argv);
    if (!TidyPosition()) {
        return 1;
    }
    try {
        korvane::LoadSettings();
        return korvane::RunHeadlessPrint(QString::fromLocal8Bit(what), QString::fromLocal8Bit(pdf),
                                         options);
    } catch (const std::exception& error) {
        std::fprintf(stderr, "korvane: %s\n", error.what());
        return 1;
    }
}

// No Qt at all: the ranking file needs neither a window nor a display.
int RunRanking(const char* file) {
    // What a Qt run takes from the environment without being asked.
    std::setlocale(LC_ALL, "");
    if (!TidyPosition()) {
        return 1;
    }
    try {
        korvane::LoadSettings();
        const std::string error = korvane::WriteRankingFile(file, korvane::Settings);
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

} // namespace

int main(int argc, char** argv) {
    const char* what = nullptr;
    const char* pdf = nullptr;
    const char* ranking = nullptr;
    const char* member = nullptr;
    bool all = false;
    bool totals = false;
    // The options of the runs with no window. Anything else is left to the desktop program.
    const struct {
        const char* Name;
        const char** Value;
    } valued[] = {
        {"--print", &what}, {"--pdf", &pdf}, {"--ranking", &ranking}, {"--member", &member}};
    const struct {
        const char* Name;
        bool* Value;
    } flags[] = {{"--all", &all}, {"--totals", &totals}};
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], korvane::RunOnceOption) == 0) {
            // At login, with no display needed: no Qt object is made.
            korvane::TRegistry s;
            korvane::RunPendingCommands(s);
            return 0;
        }
        if (std::strcmp(argv[i], "--help") == 0) {
            PrintUsage();
            return 0;
        }
        if (std::strcmp(argv[i], "--version") == 0) {
            std::printf("Korvane Version 1.3\n");
            return 0;
        }
        bool taken = false;
        for (const auto& option : valued) {
            if (std::strcmp(argv[i], option.Name) == 0) {
                if (i + 1 >= argc) {
                    std::fprintf(stderr, "korvane: %s needs a value (see --help)\n", argv[i]);
                    return 2;
                }
                *option.Value = argv[++i];
                taken = true;
                break;
            }
        }
        for (const auto& flag : flags) {
            if (!taken && std::strcmp(argv[i], flag.Name) == 0) {
                *flag.Value = true;
            }
        }
    }
    const bool printOptions = member != nullptr || all || totals;
    if (ranking != nullptr) {
        if (what != nullptr || pdf != nullptr || printOptions) {
            std::fprintf(stderr, "korvane: --ranking goes without --print (see --help)\n");
            return 2;
        }
        return RunRanking(ranking);
    }
    if (what != nullptr || pdf != nullptr) {
        if (what == nullptr || pdf == nullptr) {
            std::fprintf(stderr, "korvane: --print and --pdf go together (see --help)\n");
            return 2;
        }
        korvane::THeadlessOptions options;
        if (member != nullptr) {
            options.Member = QString::fromLocal8Bit(member);
        }
        options.All = all;
        options.Totals = totals;
        return RunHeadless(argc, argv, what, pdf, options);
    }
    if (printOptions) {
        std::fprintf(stderr,
                     "korvane: --member, --all and --totals go with --print (see --help)\n");
        return 2;
    }
    return RunDesktop(argc, argv);
}
