#include "tests/support/core/TempUserFolders.h"

#include <random>

#include "platform/sys/System.h"

namespace korvane::test {

void TempUserFoldersTest::SetUp() {
    TempWorkDirTest::SetUp();
    std::random_device random;
    const auto base = WorkDir().parent_path();
    // Two levels below a folder nobody protects, as /home/user is: the folders above the home
    // folder are refused for being above it, not for being shared.
    do {
        Users_ = base / ("korvane-users-" + std::to_string(random()));
    } while (!std::filesystem::create_directory(Users_));
    Home_ = Users_ / "people" / "home";
    std::filesystem::create_directories(Home_);
    for (const char* name : {"HOME", "XDG_CONFIG_HOME", "XDG_DATA_HOME"}) {
        Saved_[name] = EnvironmentValue(name);
    }
    SetEnvironmentValue("HOME", Home_.string());
    SetEnvironmentValue("XDG_CONFIG_HOME", ConfigDir().string());
    SetEnvironmentValue("XDG_DATA_HOME", (Home_ / ".local/share").string());
}

void TempUserFoldersTest::TearDown() {
    for (const auto& [name, value] : Saved_) {
        if (value) {
            SetEnvironmentValue(name, *value);
        } else {
            UnsetEnvironmentValue(name);
        }
    }
    std::error_code ignored;
    std::filesystem::remove_all(Users_, ignored);
    TempWorkDirTest::TearDown();
}

} // namespace korvane::test
