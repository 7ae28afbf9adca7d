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
    const std::string programFile = (WorkDir() / "program/WinKVN.EXE").string();
    ASSERT_TRUE(ScheduleRunOnce(ProgramRemovalCommands(programFile), programFile, store).Ok());
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

enum class TStoreKind { Fifo, LinkToDevZero, Folder };

struct TStoreCase {
    const char* Name;
    TStoreKind Kind;
};

class UnusualStoreTest : public RunOnceTest, public ::testing::WithParamInterface<TStoreCase> {};

// A store that is no plain file is read as empty, at once, and never replaced by a partial copy.
TEST_P(UnusualStoreTest, TheCleanUpReadsNothingAndEndsAtOnce) {
    const fs::path store = TRegistry::DefaultPath();
    fs::create_directories(store.parent_path());
    switch (GetParam().Kind) {
    case TStoreKind::Fifo:
        MakeFifo(store);
        break;
    case TStoreKind::LinkToDevZero:
        fs::create_symlink("/dev/zero", store);
        break;
    case TStoreKind::Folder:
        fs::create_directory(store);
        break;
    }
    WriteFile("keep.gid", "x");
    fs::create_directories(fs::path(RunOnceAutostartPath()).parent_path());
    WriteFile(RunOnceAutostartPath(), "[Desktop Entry]\n");

    const test::TRun run = test::RunKorvane({QStringLiteral("--run-once")});
    EXPECT_EQ(run.ExitCode, 0) << run.Errors.toStdString();
    EXPECT_FALSE(fs::exists(RunOnceAutostartPath()));
    EXPECT_TRUE(fs::exists("keep.gid"));
    TRegistry values;
    EXPECT_TRUE(values.Values(RunOnceKey).empty());
    EXPECT_FALSE(values.WriteString(RunOnceKey, "Delete Me1", "x"));
    EXPECT_TRUE(fs::exists(fs::symlink_status(store))) << "left in place";
    EXPECT_FALSE(fs::is_regular_file(fs::symlink_status(store)));
}

INSTANTIATE_TEST_SUITE_P(Stores, UnusualStoreTest,
                         ::testing::Values(TStoreCase{"Fifo", TStoreKind::Fifo},
                                           TStoreCase{"LinkToDevZero", TStoreKind::LinkToDevZero},
                                           TStoreCase{"Folder", TStoreKind::Folder}),
                         [](const auto& test) { return std::string(test.param.Name); });

} // namespace
} // namespace korvane
