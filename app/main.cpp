#include <clocale>
#include <cstdio>
#include <cstring>
#include <string>

#include "app/Application.h"
#include "app/HeadlessPrint.h"
#include "app/Startup.h"
#include "data/ProcessState.h"
#include "data/RankingFile.h"
#include "platform/sys/System.h"

namespace {

void PrintUsage() {
    std::printf("Usage: korvane [/QX]\n"
                "       korvane --print WHAT --pdf FILE\n"
                "       korvane --ranking FILE\n"
                "\n"
                "Starts Korvane in the current directory, the folder of one position.\n"
                "\n"
                "  /QX                 start in the administrative mode\n"
                "  --print WHAT        write the printout WHAT as a PDF file, with no window\n"
                "  --pdf FILE          the PDF file to write (with --print)\n"
                "  --ranking FILE      write the final rating as a CSV file, with no window\n"
                "  --help              show this text\n"
                "  --version           show the version\n"
                "\n"
                "WHAT is one of: %s\n",
                qPrintable(korvane::HeadlessPrintouts().join(QStringLiteral(", "))));
}

int RunDesktop(int argc, char** argv) {
    korvane::TApplication app(argc, argv);
    return korvane::RunDesktop(QCoreApplication::arguments());
}

int RunHeadless(int argc, char** argv, const char* what, const char* pdf) {
    if (!korvane::EnvironmentValue("QT_QPA_PLATFORM")) {
        korvane::SetEnvironmentValue("QT_QPA_PLATFORM", "offscreen");
    }
    korvane::TApplication app(argc, argv);
    try {
        korvane::LoadSettings();
        return korvane::RunHeadlessPrint(QString::fromLocal8Bit(what), QString::fromLocal8Bit(pdf));
    } catch (const std::exception& error) {
        std::fprintf(stderr, "korvane: %s\n", error.what());
        return 1;
    }
}

// No Qt at all: the ranking file needs neither a window nor a display.
int RunRanking(const char* file) {
    // What a Qt run takes from the environment without being asked.
    std::setlocale(LC_ALL, "");
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
    // The options that take a value. Anything else is left to the desktop program.
    const struct {
        const char* Name;
        const char** Value;
    } valued[] = {{"--print", &what}, {"--pdf", &pdf}, {"--ranking", &ranking}};
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--help") == 0) {
            PrintUsage();
            return 0;
        }
        if (std::strcmp(argv[i], "--version") == 0) {
            std::printf("Korvane Version 1.3\n");
            return 0;
        }
        for (const auto& option : valued) {
            if (std::strcmp(argv[i], option.Name) == 0) {
                if (i + 1 >= argc) {
                    std::fprintf(stderr, "korvane: %s needs a value (see --help)\n", argv[i]);
                    return 2;
                }
                *option.Value = argv[++i];
                break;
            }
        }
    }
    if (ranking != nullptr) {
        if (what != nullptr || pdf != nullptr) {
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
        return RunHeadless(argc, argv, what, pdf);
    }
    return RunDesktop(argc, argv);
}
