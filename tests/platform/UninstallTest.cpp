#include <filesystem>
#include <set>

#include "platform/sys/Registry.h"
#include "platform/sys/RunOnce.h"
#include "platform/sys/Shortcuts.h"
#include "platform/sys/Uninstall.h"
#include "tests/support/core/TempUserFolders.h"

namespace korvane {
namespace {

namespace fs = std::filesystem;

class UninstallTest : public test::TempUserFoldersTest {
protected:
    // Every file and link below Folder, as paths relative to it.
    static std::set<std::string> Tree(const fs::path& Folder) {
        std::set<std::string> paths;
        for (const auto& entry : fs::recursive_directory_iterator(Folder)) {
            if (!entry.is_directory() || entry.is_symlink()) {
                paths.insert(entry.path().lexically_relative(Folder).string());
            }
        }
        return paths;
    }
};

TEST_F(UninstallTest, DeletesTheFilesAndLinksButNotSubfoldersNorLinkTargets) {
    fs::create_directories("install/Sub");
    fs::create_directories("elsewhere/folder");
    for (const char* name : {"install/Applicant.Dat", "install/.hidden", "install/Sub/keep.txt",
                             "elsewhere/target.txt", "elsewhere/folder/inner.txt"}) {
        WriteFile(name, "x");
    }
    fs::create_symlink(WorkDir() / "elsewhere/target.txt", "install/link.txt");
    fs::create_directory_symlink(WorkDir() / "elsewhere/folder", "install/folder-link");
    fs::create_symlink(WorkDir() / "nowhere", "install/dangling");
    WriteFile("install/korvane", "the running program");
    fs::create_symlink(WorkDir() / "install/korvane", "install/program-link");

    const auto result =
        DeleteAllFiles((WorkDir() / "install").string(), (WorkDir() / "install/korvane").string());
    EXPECT_TRUE(result.Ok());
    EXPECT_EQ(result.Deleted, 6);
    EXPECT_EQ(Tree("install"), (std::set<std::string>{"Sub/keep.txt", "korvane"}));
    EXPECT_EQ(Tree("elsewhere"), (std::set<std::string>{"target.txt", "folder/inner.txt"}));

    WriteFile("Rating.dat", "x");
    fs::remove_all("install");
    fs::remove_all("elsewhere");
    EXPECT_EQ(DeleteAllFiles().Deleted, 1) << "no folder: the working directory";
    EXPECT_FALSE(fs::exists("Rating.dat"));
}

TEST_F(UninstallTest, RefusesTheRootTheHomeFolderAndAboveAndSystemFolders) {
    WriteFile(Home() / "precious.txt", "x");
    for (const fs::path& folder :
         {Home(), Home().parent_path(), Home().parent_path().parent_path(), fs::path("/"),
          fs::path("/usr"), fs::path("/usr/bin"), fs::path("/etc"), fs::path("/var/lib"),
          fs::path("/tmp"), Home() / "no-such-folder"}) {
        ASSERT_TRUE(IsProtectedFolder(folder.string())) << folder;
        const auto result = DeleteAllFiles(folder.string());
        EXPECT_EQ(result.Reason, TUninstallFailure::ProtectedFolder) << folder;
        EXPECT_EQ(result.Deleted, 0) << folder;
        EXPECT_EQ(result.Subject, folder.string());
    }
    fs::current_path(Home());
    EXPECT_FALSE(DeleteAllFiles().Ok());
    EXPECT_TRUE(fs::exists(Home() / "precious.txt"));
    fs::create_directories(ConfigDir());
    EXPECT_FALSE(IsProtectedFolder((Home() / ".config").string())) << "below home is allowed";
    EXPECT_FALSE(IsProtectedFolder(WorkDir().string()));
}

TEST_F(UninstallTest, ShellFoldersComeFromTheUserFolders) {
    EXPECT_EQ(ShellFolder("Programs"), ApplicationsDir().string());
    EXPECT_EQ(ShellFolder("Desktop"), (Home() / "Desktop").string());
    fs::create_directories(ConfigDir());
    WriteFile(ConfigDir() / "user-dirs.dirs",
              "# written by xdg-user-dirs-update\nXDG_DESKTOP_DIR=\"$HOME/Schreib tisch\"\n");
    EXPECT_EQ(ShellFolder("Desktop"), (Home() / "Schreib tisch").string());
    WriteFile(ConfigDir() / "user-dirs.dirs", "XDG_DESKTOP_DIR=\"/srv/desk/\"\n");
    EXPECT_EQ(ShellFolder("Desktop"), "/srv/desk");
    EXPECT_EQ(ShellFolder("Fonts"), "");
}

struct TTitleCase {
    std::string Title;
    std::string FileName;
    friend void PrintTo(const TTitleCase& Case, std::ostream* Out) {
        *Out << ::testing::PrintToString(Case.Title.substr(0, 20));
    }
};

class ShortcutTitleTest : public UninstallTest, public ::testing::WithParamInterface<TTitleCase> {};

TEST_P(ShortcutTitleTest, RemovesOnlyTheTwoShortcutsInsideTheirFolders) {
    const std::string& title = GetParam().Title;
    const std::string name = ShortcutFileName(title);
    if (!GetParam().FileName.empty()) {
        EXPECT_EQ(name, GetParam().FileName);
    }
    EXPECT_LE(name.size(), 255u);
    EXPECT_EQ(name.find('/'), std::string::npos);
    EXPECT_NE(name.front(), '.');

    // The shortcuts, another shortcut in the group, and files where a path built from the bare
    // title would reach.
    const fs::path group = ApplicationsDir() / "Korvane";
    const fs::path desktop = Home() / "Desktop";
    fs::create_directories(group / "a");
    fs::create_directories(desktop / "a");
    WriteFile(ShortcutPath(group.string(), title), "[Desktop Entry]\n");
    WriteFile(ShortcutPath(desktop.string(), title), "[Desktop Entry]\n");
    for (const fs::path& bait :
         {group / "Other Position.desktop", Home() / "x.desktop", Home() / ".local/x.desktop",
          ApplicationsDir() / "x.desktop", group / "a/b.desktop", desktop / "a/b.desktop",
          group / ".hidden.desktop", desktop / ".hidden.desktop", desktop / "..desktop"}) {
        WriteFile(bait, "bait");
    }
    const auto before = Tree(Home());

    RemoveShortcuts(title);
    auto expected = before;
    expected.erase(fs::path(ShortcutPath(group.string(), title)).lexically_relative(Home()));
    expected.erase(fs::path(ShortcutPath(desktop.string(), title)).lexically_relative(Home()));
    EXPECT_EQ(expected.size(), before.size() - 2);
    EXPECT_EQ(Tree(Home()), expected);
    EXPECT_TRUE(fs::is_directory(group)) << "the group still holds another shortcut";
}

INSTANTIATE_TEST_SUITE_P(
    Titles, ShortcutTitleTest,
    ::testing::Values(TTitleCase{"No Position Found", "No Position Found.desktop"},
                      TTitleCase{"../../x", "______x.desktop"}, TTitleCase{"a/b", "a_b.desktop"},
                      TTitleCase{".hidden", "_hidden.desktop"}, TTitleCase{"..", "__.desktop"},
                      TTitleCase{"Sr. Analyst...", "Sr. Analyst___.desktop"},
                      TTitleCase{"C:\\Tab\tBell\x07\xC2\x85", "C:_Tab_Bell__.desktop"},
                      TTitleCase{"", "_.desktop"}, TTitleCase{std::string(300, 'T'), ""},
                      TTitleCase{std::string(246, 'T') + "\xC3\xA9",
                                 std::string(246, 'T') + ".desktop"}));

TEST_F(UninstallTest, TheEmptyProgramGroupGoesWithTheLastShortcut) {
    const fs::path group = ApplicationsDir() / "Korvane";
    fs::create_directories(group);
    WriteFile(group / "Budget Analyst.desktop", "x");
    RemoveShortcuts("Budget Analyst");
    EXPECT_FALSE(fs::exists(group));
    EXPECT_TRUE(fs::exists(ApplicationsDir()));
}

TEST_F(UninstallTest, RunOnceValuesNameTheProgramByItsOwnName) {
    EXPECT_EQ(ProgramRemovalCommands("/home/clerk/clerk typist/korvane"),
              (std::vector<TRunOnceValue>{
                  {"Delete Me1", "Command.com /c del \"/home/clerk/clerk typist/korvane\""},
                  {"Delete Me2", "Command.com /c del \"/home/clerk/clerk typist/*.gid\""},
                  {"Delete Me3", "Command.com /c rd \"/home/clerk/clerk typist\""}}));
}

struct TProgramCase {
    const char* Name;
    const char* ProgramFile; // below the working directory unless absolute
    const char* PositionFolder;
    TProgramRemoval Program;
};

class ProgramRemovalTest : public UninstallTest,
                           public ::testing::WithParamInterface<TProgramCase> {};

// Only a program in the position's own folder is removed at the next login; a packaged one is
// left to its package, one elsewhere stays where it is.
TEST_P(ProgramRemovalTest, TheNextLoginRemovesOnlyAProgramInThePositionFolder) {
    const TProgramCase& c = GetParam();
    fs::create_directories("position");
    fs::create_directories("elsewhere");
    for (const char* name : {"position/korvane", "position/kvn.gid", "position/OLD.GID",
                             "elsewhere/korvane", "elsewhere/kvn.gid"}) {
        WriteFile(name, "x");
    }
    const std::string programFile = fs::path(c.ProgramFile).is_absolute()
                                        ? std::string(c.ProgramFile)
                                        : (WorkDir() / c.ProgramFile).string();
    const fs::path desktop = Home() / "Desktop";
    fs::create_directories(desktop);
    WriteFile(desktop / "Budget Analyst.desktop", "x");

    const auto result =
        RemoveInstallation("Budget Analyst", programFile, (WorkDir() / c.PositionFolder).string());
    ASSERT_TRUE(result.Ok());
    EXPECT_EQ(result.Program, c.Program);
    EXPECT_FALSE(fs::exists(desktop / "Budget Analyst.desktop"));
    TRegistry store;
    const std::string folder = fs::path(programFile).parent_path().string();
    const bool scheduled = c.Program == TProgramRemoval::AtNextLogin;
    EXPECT_EQ(store.Values(RunOnceKey),
              scheduled ? (TRegistry::TValues{
                              {"Delete Me1", "Command.com /c del \"" + programFile + "\""},
                              {"Delete Me2", "Command.com /c del \"" + folder + "/*.gid\""},
                              {"Delete Me3", "Command.com /c rd \"" + folder + "\""}})
                        : TRegistry::TValues{});
    EXPECT_EQ(fs::exists(RunOnceAutostartPath()), scheduled);
    if (scheduled) {
        EXPECT_NE(
            ReadFile(RunOnceAutostartPath()).find("\nExec=\"" + programFile + "\" --run-once\n"),
            std::string::npos);
    }

    EXPECT_EQ(RunPendingCommands(store), scheduled ? 3 : 0);
    EXPECT_EQ(fs::exists("position"), !scheduled);
    EXPECT_EQ(Tree("elsewhere"), (std::set<std::string>{"korvane", "kvn.gid"}));
    EXPECT_TRUE(store.Values(RunOnceKey).empty());
    EXPECT_TRUE(store.Values(RunOnceFoldersKey).empty());
    EXPECT_FALSE(fs::exists(RunOnceAutostartPath()));
}

INSTANTIATE_TEST_SUITE_P(Places, ProgramRemovalTest,
                         ::testing::Values(TProgramCase{"InThePositionFolder", "position/korvane",
                                                        "position", TProgramRemoval::AtNextLogin},
                                           TProgramCase{"Packaged", "/usr/bin/korvane", "position",
                                                        TProgramRemoval::WithPackage},
                                           TProgramCase{"Elsewhere", "elsewhere/korvane",
                                                        "position", TProgramRemoval::LeftInPlace}),
                         [](const auto& test) { return std::string(test.param.Name); });

TEST_F(UninstallTest, TheProgramFolderStaysWhileOtherFilesAreInIt) {
    fs::create_directories("bin/sub");
    for (const char* name :
         {"bin/WinKVN.EXE", "bin/a.gid", "bin/korvane", "bin/sub/b.gid", "bin/gid", "bin/a.gidx"}) {
        WriteFile(name, "x");
    }
    TRegistry store;
    const std::string programFile = (WorkDir() / "bin/korvane").string();
    ASSERT_TRUE(ScheduleRunOnce(ProgramRemovalCommands(programFile), programFile, store).Ok());
    RunPendingCommands(store);
    EXPECT_EQ(Tree("bin"), (std::set<std::string>{"WinKVN.EXE", "sub/b.gid", "gid", "a.gidx"}));
}

TEST_F(UninstallTest, TheInterpreterRefusesWhatItDoesNotKnow) {
    fs::create_directories("dir/empty");
    fs::create_directories("other");
    fs::create_directory_symlink(WorkDir() / "dir/empty", "dir/link");
    WriteFile("dir/file", "x");
    WriteFile("other/file.gid", "x");
    WriteFile(Home() / "precious.gid", "x");
    const std::string dir = (WorkDir() / "dir").string();
    const std::vector<std::string> recorded = {dir, dir + "/empty/", dir + "/link", Home().string(),
                                               "/usr"};
    for (const std::string& command : std::vector<std::string>{
             "Command.com /c format c:", "Command.com /c del \"dir/file\"",
             "Command.com /c del \"" + dir + "/file\" & rm -rf /",
             "Command.com /c del \"" + Home().string() + "/*.gid\"", "Command.com /c rd \"/usr\"",
             "Command.com /c rd \"" + dir + "/link\"", "Command.com /c del \"" + dir + "/\"",
             "Command.com /c del \"" + (WorkDir() / "other").string() + "/*.gid\"",
             "Command.com /c rd \"" + (WorkDir() / "other").string() + "\""}) {
        EXPECT_FALSE(RunOnceCommand(command, recorded)) << command;
    }
    EXPECT_TRUE(RunOnceCommand("Command.com /c del \"" + dir + "/$(touch pwned)\"", recorded));
    EXPECT_TRUE(RunOnceCommand("Command.com /c rd \"" + dir + "\"", recorded))
        << "understood, not empty";
    EXPECT_TRUE(RunOnceCommand("rd " + dir + "/empty/", recorded));
    EXPECT_EQ(Tree("dir"), (std::set<std::string>{"file", "link"}));
    EXPECT_TRUE(fs::exists(Home() / "precious.gid"));
    EXPECT_TRUE(fs::exists("other/file.gid")) << "not a recorded folder";
    EXPECT_FALSE(fs::exists("pwned"));
}

TEST_F(UninstallTest, ARunOnceValueThatCannotBeWrittenIsReported) {
    fs::create_directories(ConfigDir());
    fs::create_directories("prog");
    WriteFile(ConfigDir() / "korvane", "a file where the store's folder belongs");
    const std::string folder = (WorkDir() / "prog").string();
    const auto result = RemoveInstallation("Budget Analyst", folder + "/korvane", folder);
    EXPECT_EQ(result.Reason, TUninstallFailure::NotScheduled);
    EXPECT_EQ(result.Subject, folder + "/korvane\n" + folder + "/*.gid\n" + folder);
    EXPECT_FALSE(fs::exists(RunOnceAutostartPath()));
    EXPECT_EQ(RemoveInstallation("Budget Analyst", "").Reason, TUninstallFailure::ProgramNotFound);
}

TEST_F(UninstallTest, TheStoreKeepsValuesThroughTheFile) {
    TRegistry store;
    ASSERT_TRUE(store.WriteString("Some\\Key", "Path", "C:\\PROGRAM\\x\nnext"));
    ASSERT_TRUE(store.WriteString("some\\KEY", "Other", "2"));
    EXPECT_FALSE(store.WriteString("Some\\Key", "a=b", "x"));
    EXPECT_EQ(TRegistry().Values("SOME\\key"),
              (TRegistry::TValues{{"Path", "C:\\PROGRAM\\x\nnext"}, {"Other", "2"}}));
    EXPECT_TRUE(store.DeleteValue("Some\\Key", "PATH") && store.DeleteValue("Some\\Key", "Other"));
    EXPECT_EQ(ReadFile(TRegistry::DefaultPath()), "") << "a key goes with its last value";
}

TEST_F(UninstallTest, TheAutostartEntryQuotesAnUnusualProgramPath) {
    TRegistry store;
    ASSERT_TRUE(ScheduleRunOnce({}, "/x/my prog$\\50%/korvane", store).Ok());
    EXPECT_NE(ReadFile(RunOnceAutostartPath())
                  .find("\nExec=\"/x/my prog\\\\$\\\\\\\\50%%/korvane\" --run-once\n"),
              std::string::npos)
        << ReadFile(RunOnceAutostartPath());
}

} // namespace
} // namespace korvane
