#include <filesystem>
#include <functional>
#include <string>

#include "data/DataBase.h"
#include "data/FileNames.h"
#include "data/SelectDataBase.h"
#include "platform/sys/OutputPath.h"
#include "platform/ui/FailureText.h"
#include "tests/support/ProgramRun.h"
#include "tests/support/core/ApplicantRecords.h"
#include "tests/support/core/TempWorkDir.h"

#include <sys/stat.h>
#include <sys/sysmacros.h>

namespace korvane {
namespace {

namespace fs = std::filesystem;

class OutputPathTest : public test::TempWorkDirTest {
protected:
    // What stands at a path, without following a link or opening a pipe: its type, a link's
    // target, the bytes of a regular file or of the file a link leads to.
    static std::string Entry(const fs::path& Path) {
        std::error_code error;
        const fs::file_type type = fs::symlink_status(Path, error).type();
        std::string entry = std::to_string(static_cast<int>(type));
        if (type == fs::file_type::symlink) {
            entry += " -> " + fs::read_symlink(Path, error).string();
        }
        return fs::is_regular_file(Path, error) ? entry + ": " + ReadFile(Path) : entry;
    }
};

// The ranking file and a headless printout go only to a regular file or a new name; anything
// else stays exactly as it was.
TEST_F(OutputPathTest, OnlyARegularFileOrANewNameIsWritten) {
    // The smallest position the final rating takes: a member, an applicant, a criterion.
    WriteFile(PositionFileName, "Clerk\r\n");
    {
        TDataBase committee(CommitteeFileName);
        TDataRecord member{1, "BAKER"};
        bool added = false;
        committee.Insert(member, added);
        TDataBase samples(SamplePreferredFileName);
        TDataRecord sample{10, "TYPING"};
        samples.Insert(sample, added);
        TSelectDataBase preferred(PreferredFileName);
        TSelectRecord selection{10, 5, 0};
        preferred.Insert(selection, added);
    }
    test::InsertApplicant(1, "ADAMS");
    const std::string out = "out.csv";
    // A character device like /dev/null, made here where the test may (as root); otherwise
    // /dev/null itself, which a user without those rights cannot replace either.
    const fs::path node = WorkDir() / "null-device";
    const std::string device =
        ::mknod(node.c_str(), S_IFCHR | 0666, makedev(1, 3)) == 0 ? node.string() : "/dev/null";
    const struct {
        const char* Name;
        std::function<std::string()> Make; // makes the entry, gives its path
        std::string Refusal;
    } cases[] = {
        {"not there yet", [&] { return out; }, ""},
        {"regular file", [&] { return WriteFile(out, "older"), out; }, ""},
        {"folder", [&] { return fs::create_directory(out), out; }, "is a folder"},
        {"link to a file",
         [&] {
             WriteFile("target.txt", "keep me");
             return fs::create_symlink("target.txt", out), out;
         },
         "is a link"},
        {"dangling link", [&] { return fs::create_symlink("nowhere", out), out; }, "is a link"},
        {"pipe", [&] { return MakeFifo(out), out; }, "is not a regular file"},
        {"device", [&] { return device; }, "is not a regular file"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Name);
        fs::remove_all(out);
        const std::string path = c.Make();
        EXPECT_EQ(OutputRefusalText(OutputPathCheck(path)).toStdString(), c.Refusal);
        const std::string before = Entry(path);
        for (const QStringList& arguments :
             {QStringList{QStringLiteral("--ranking"), QString::fromStdString(path)},
              QStringList{QStringLiteral("--print"), QStringLiteral("testpage"),
                          QStringLiteral("--pdf"), QString::fromStdString(path)}}) {
            const test::TRun run = test::RunKorvane(arguments);
            if (c.Refusal.empty()) {
                EXPECT_EQ(run.ExitCode, 0) << run.Errors.toStdString();
                EXPECT_TRUE(fs::is_regular_file(fs::symlink_status(path)));
                EXPECT_NE(Entry(path), before);
            } else {
                EXPECT_NE(run.ExitCode, 0);
                EXPECT_TRUE(run.Errors.contains(QString::fromStdString(c.Refusal)))
                    << run.Errors.toStdString();
                EXPECT_EQ(Entry(path), before);
            }
        }
    }
}

} // namespace
} // namespace korvane
