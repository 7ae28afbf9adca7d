#pragma once

#include <filesystem>
#include <map>
#include <optional>
#include <string>

#include "tests/support/core/TempWorkDir.h"

namespace korvane::test {

// A working directory as TempWorkDirTest gives, and a home folder of its own outside it, with
// HOME, XDG_CONFIG_HOME and XDG_DATA_HOME pointing into it; all restored and removed afterwards.
class TempUserFoldersTest : public TempWorkDirTest {
protected:
    void SetUp() override;
    void TearDown() override;

    const std::filesystem::path& Home() const { return Home_; }
    std::filesystem::path ConfigDir() const { return Home_ / ".config"; }
    std::filesystem::path ApplicationsDir() const { return Home_ / ".local/share/applications"; }

private:
    std::filesystem::path Users_;
    std::filesystem::path Home_;
    std::map<std::string, std::optional<std::string>> Saved_;
};

} // namespace korvane::test
