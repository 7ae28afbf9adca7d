#include <cstdio>
#include <cstring>

#include "app/Application.h"
#include "app/HeadlessPrint.h"
#include "app/Startup.h"
#include "data/ProcessState.h"
#include "platform/sys/Registry.h"
#include "platform/sys/RunOnce.h"
#include "platform/sys/System.h"

namespace {

void PrintUsage() {
    std::printf("Usage: korvane [/QX]\n"
                "       korvane --print WHAT --pdf FILE\n"
                "       korvane --run-once\n"
                "\n"
                "Starts Korvane in the current directory, the folder of one position.\n"
                "\n"
                "  /QX                 start in the administrative mode\n"
                "  --print WHAT        write the printout WHAT as a PDF file, with no window\n"
                "  --pdf FILE          the PDF file to write (with --print)\n"
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

} // namespace

int main(int argc, char** argv) {
    const char* what = nullptr;
    const char* pdf = nullptr;
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
        if (std::strcmp(argv[i], "--print") == 0 || std::strcmp(argv[i], "--pdf") == 0) {
            if (i + 1 >= argc) {
                std::fprintf(stderr, "korvane: %s needs a value (see --help)\n", argv[i]);
                return 2;
            }
            (std::strcmp(argv[i], "--print") == 0 ? what : pdf) = argv[i + 1];
            ++i;
        }
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
