#include <filesystem>

#include "platform/sys/Registry.h"
#include "platform/sys/RunOnce.h"
#include "tests/support/ProgramRun.h"
#include "tests/support/core/TempUserFolders.h"

namespace korvane {
namespace {

namespace fs = std::filesystem;

class RunOnceTest : public test::TempUserFoldersTest {};

// What the uninstall leaves for the next login is carried out by the program itself, without a
// display, and only once.
TEST_F(RunOnceTest, TheProgramCarriesOutTheLeftCommandsOnce) {
    fs::create_directories("program");
    for (const char* name : {"program/WinKVN.EXE", "program/kvn.gid"}) {
        WriteFile(name, "x");
    }
    WriteFile("keep.gid", "x");
    TRegistry store;
    ASSERT_TRUE(ScheduleRunOnce(ProgramRemovalCommands((WorkDir() / "program/").string()),
                                (WorkDir() / "program/WinKVN.EXE").string(), store)
                    .Written);
    ASSERT_TRUE(fs::exists(RunOnceAutostartPath()));

    const test::TRun run = test::RunKorvane({QStringLiteral("--run-once")});
    EXPECT_EQ(run.ExitCode, 0) << run.Errors.toStdString();
    EXPECT_FALSE(fs::exists("program"));
    EXPECT_TRUE(fs::exists("keep.gid"));
    EXPECT_TRUE(store.Values(RunOnceKey).empty());
    EXPECT_FALSE(fs::exists(RunOnceAutostartPath()));

    fs::create_directories("program");
    EXPECT_EQ(test::RunKorvane({QStringLiteral("--run-once")}).ExitCode, 0);
    EXPECT_TRUE(fs::exists("program")) << "nothing is left to run a second time";
}

} // namespace
} // namespace korvane
