#include <QFile>
#include <QPrintDialog>
#include <QPrinter>

#include <filesystem>
#include <string>

#include "platform/sys/OutputPath.h"
#include "platform/ui/SystemPrinter.h"
#include "tests/support/ModalScript.h"
#include "tests/support/ProgramRun.h"
#include "tests/support/core/TempWorkDir.h"

#include <sys/stat.h>
#include <sys/sysmacros.h>

namespace korvane {
namespace {

namespace fs = std::filesystem;

// What stands at a path, without following a link or opening a pipe.
struct TEntry {
    fs::file_type Type = fs::file_type::none;
    std::string LinkTarget;
    std::string Bytes; // of a regular file, or of the file a link leads to

    bool operator==(const TEntry&) const = default;
};

enum class TKind { NotThereYet, RegularFile, Folder, LinkToAFile, DanglingLink, Fifo, Device };

struct TOutputCase {
    const char* Name;
    TKind Kind;
    std::string Refusal;
    friend void PrintTo(const TOutputCase& Case, std::ostream* Out) { *Out << Case.Name; }
};

class OutputPathTest : public test::TempWorkDirTest {
protected:
    // Makes an entry of the kind and gives its path.
    std::string Make(TKind Kind) const {
        const std::string name = "out.csv";
        switch (Kind) {
        case TKind::NotThereYet:
            break;
        case TKind::RegularFile:
            WriteFile(name, "older");
            break;
        case TKind::Folder:
            fs::create_directory(name);
            break;
        case TKind::LinkToAFile:
            WriteFile("target.txt", "keep me");
            fs::create_symlink("target.txt", name);
            break;
        case TKind::DanglingLink:
            fs::create_symlink("nowhere.csv", name);
            break;
        case TKind::Fifo:
            MakeFifo(name);
            break;
        case TKind::Device: {
            // A character device like /dev/null, made here when the test may (as root);
            // otherwise /dev/null itself, which a user without those rights cannot replace.
            const fs::path node = WorkDir() / "null-device";
            return ::mknod(node.c_str(), S_IFCHR | 0666, makedev(1, 3)) == 0 ? node.string()
                                                                             : "/dev/null";
        }
        }
        return name;
    }

    static TEntry EntryAt(const fs::path& Path) {
        TEntry entry;
        std::error_code error;
        entry.Type = fs::symlink_status(Path, error).type();
        if (entry.Type == fs::file_type::symlink) {
            entry.LinkTarget = fs::read_symlink(Path, error).string();
        }
        if (fs::is_regular_file(Path, error)) {
            entry.Bytes = ReadFile(Path);
        }
        return entry;
    }
};

class OutputPathCaseTest : public OutputPathTest,
                           public ::testing::WithParamInterface<TOutputCase> {};

// The ranking file and a headless printout write to the path only when it is a regular file or
// nothing yet; anything else stays exactly as it was.
TEST_P(OutputPathCaseTest, WritesOnlyRegularFilesOrNewNames) {
    const TOutputCase& c = GetParam();
    const std::string path = Make(c.Kind);
    EXPECT_EQ(OutputPathRefusal(path), c.Refusal);
    const TEntry before = EntryAt(path);
    for (const QStringList& arguments :
         {QStringList{QStringLiteral("--ranking"), QString::fromStdString(path)},
          QStringList{QStringLiteral("--print"), QStringLiteral("testpage"),
                      QStringLiteral("--pdf"), QString::fromStdString(path)}}) {
        SCOPED_TRACE(arguments.join(QLatin1Char(' ')).toStdString());
        const test::TRun run = test::RunKorvane(arguments);
        if (c.Refusal.empty()) {
            EXPECT_EQ(run.ExitCode, 0) << run.Errors.toStdString();
            EXPECT_EQ(EntryAt(path).Type, fs::file_type::regular);
            EXPECT_NE(EntryAt(path).Bytes, before.Bytes);
        } else {
            EXPECT_NE(run.ExitCode, 0);
            EXPECT_TRUE(run.Errors.contains(QString::fromStdString(c.Refusal)))
                << run.Errors.toStdString();
            EXPECT_EQ(EntryAt(path), before);
        }
    }
}

INSTANTIATE_TEST_SUITE_P(
    Kinds, OutputPathCaseTest,
    ::testing::Values(TOutputCase{"NotThereYet", TKind::NotThereYet, ""},
                      TOutputCase{"RegularFile", TKind::RegularFile, ""},
                      TOutputCase{"Folder", TKind::Folder, "is a folder"},
                      TOutputCase{"LinkToAFile", TKind::LinkToAFile, "is a link"},
                      TOutputCase{"DanglingLink", TKind::DanglingLink, "is a link"},
                      TOutputCase{"Fifo", TKind::Fifo, "is not a regular file"},
                      TOutputCase{"Device", TKind::Device, "is not a regular file"}),
    [](const auto& info) { return std::string(info.param.Name); });

// A PDF file chosen in the print dialog follows the same rule: the print is refused with a
// message, as if the dialog had been cancelled.
TEST_F(OutputPathTest, ThePrintDialogRefusesALinkAsItsFile) {
    fs::create_symlink("nowhere.pdf", "link.pdf");
    QPrinter& printer = SystemPrinter();
    const QPrinter::OutputFormat format = printer.outputFormat();
    const QString file = printer.outputFileName();
    SetPrinterPdfOutput(QString::fromStdString((WorkDir() / "link.pdf").string()));
    test::ModalScript script;
    script.Then([](QWidget* dialog) { qobject_cast<QPrintDialog*>(dialog)->accept(); });
    script.ThenAnswer(TModalResult::Ok);
    EXPECT_FALSE(RunPrintDialog(nullptr));
    EXPECT_EQ(script.Pending(), 0);
    EXPECT_TRUE(script.Messages().value(0).contains(QStringLiteral("is a link")))
        << script.Messages().join(QLatin1Char('|')).toStdString();
    EXPECT_TRUE(fs::is_symlink("link.pdf"));
    printer.setOutputFormat(format);
    printer.setOutputFileName(file);
}

} // namespace
} // namespace korvane
