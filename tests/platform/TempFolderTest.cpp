#include <filesystem>

#include "platform/sys/InOutError.h"
#include "platform/sys/TempFolder.h"
#include "tests/support/core/TempWorkDir.h"

namespace korvane {
namespace {

namespace fs = std::filesystem;

class TempFolderTest : public test::TempWorkDirTest {};

TEST_F(TempFolderTest, IsAPrivateFolderOfThisUserEndingInSlash) {
    const std::string folder = TempFolder();
    ASSERT_FALSE(folder.empty());
    EXPECT_EQ(folder.back(), '/');
    EXPECT_EQ(fs::path(folder).parent_path().parent_path(), SystemTemp());
    EXPECT_TRUE(fs::is_directory(folder));
    const auto perms = fs::status(folder).permissions();
    EXPECT_EQ(perms & fs::perms::all, fs::perms::owner_all);
    EXPECT_EQ(TempFolder(), folder) << "asking twice gives the same folder";
}

TEST_F(TempFolderTest, RefusesALinkPlantedInItsPlace) {
    const fs::path elsewhere = WorkDir() / "elsewhere";
    fs::create_directory(elsewhere);
    fs::permissions(elsewhere, fs::perms::owner_all, fs::perm_options::replace);
    // Predict the folder name by asking once, then replace it with a link.
    const fs::path folder = fs::path(TempFolder()).parent_path();
    fs::remove(folder);
    fs::create_directory_symlink(elsewhere, folder);
    EXPECT_THROW(TempFolder(), EInOutError);
}

TEST_F(TempFolderTest, RefusesAFolderOthersCanReach) {
    const fs::path folder = fs::path(TempFolder()).parent_path();
    fs::permissions(folder, fs::perms::owner_all | fs::perms::others_all,
                    fs::perm_options::replace);
    EXPECT_THROW(TempFolder(), EInOutError);
}

TEST_F(TempFolderTest, RefusesAPlainFile) {
    const fs::path folder = fs::path(TempFolder()).parent_path();
    fs::remove(folder);
    WriteFile(folder, "x");
    EXPECT_THROW(TempFolder(), EInOutError);
}

} // namespace
} // namespace korvane
