#include "platform/sys/UserFolders.h"

#include <algorithm>
#include <array>
#include <filesystem>
#include <fstream>
#include <string_view>
#include <vector>

#include <pwd.h>
#include <unistd.h>

#include "platform/sys/System.h"

namespace korvane {

namespace {

std::string AbsoluteOr(const std::optional<std::string>& Value, const std::string& Fallback) {
    if (Value && !Value->empty() && Value->front() == '/') {
        return *Value;
    }
    return Fallback;
}

// The value of a "XDG_DESKTOP_DIR="$HOME/Desktop"" line; empty when it is not a usable path.
std::string UserDirValue(const std::string& Quoted) {
    if (Quoted.size() < 2 || Quoted.front() != '"' || Quoted.back() != '"') {
        return {};
    }
    std::string value;
    for (std::size_t i = 1; i + 1 < Quoted.size(); ++i) {
        if (Quoted[i] == '\\' && i + 2 < Quoted.size()) {
            ++i;
        }
        value.push_back(Quoted[i]);
    }
    if (value == "$HOME" || value.starts_with("$HOME/")) {
        value = HomeFolder() + value.substr(5);
    }
    while (value.size() > 1 && value.back() == '/') {
        value.pop_back();
    }
    return value.starts_with('/') ? value : std::string();
}

std::string DesktopFolder() {
    std::ifstream dirs(ConfigHome() + "/user-dirs.dirs");
    std::string line;
    const std::string key = "XDG_DESKTOP_DIR=";
    while (std::getline(dirs, line)) {
        if (line.starts_with(key)) {
            const std::string value = UserDirValue(line.substr(key.size()));
            if (!value.empty()) {
                return value;
            }
        }
    }
    return HomeFolder() + "/Desktop";
}

// The system's folders, protected with everything below them.
constexpr std::array<std::string_view, 13> SystemTrees = {
    "/bin",    "/boot", "/dev",  "/etc", "/lib", "/lib32", "/lib64",
    "/libx32", "/proc", "/sbin", "/sys", "/usr", "/var"};
// Shared folders whose subfolders belong to someone: only the folder itself is protected.
constexpr std::array<std::string_view, 9> SharedFolders = {
    "/home", "/media", "/mnt", "/opt", "/root", "/run", "/srv", "/tmp", "/var/tmp"};

bool IsAtOrBelow(const std::string& Folder, std::string_view Top) {
    return Folder == Top ||
           (Folder.starts_with(Top) && Folder.size() > Top.size() && Folder[Top.size()] == '/');
}

} // namespace

bool IsProtectedFolder(const std::string& Folder) {
    namespace fs = std::filesystem;
    std::error_code error;
    const std::string folder = fs::canonical(Folder, error).string();
    if (error || folder.empty() || folder == "/") {
        return true;
    }
    for (std::string_view shared : SharedFolders) {
        if (folder == shared) {
            return true;
        }
    }
    if (IsSystemFolder(folder)) {
        return true;
    }
    const std::string home = fs::weakly_canonical(HomeFolder(), error).string();
    return error || home.empty() || IsAtOrBelow(home, folder);
}

bool IsSystemFolder(const std::string& Folder) {
    std::error_code error;
    const std::string folder = std::filesystem::weakly_canonical(Folder, error).string();
    // Temporary folders under /var/tmp are nobody's system folder.
    if (error || IsAtOrBelow(folder, "/var/tmp")) {
        return false;
    }
    return std::any_of(SystemTrees.begin(), SystemTrees.end(),
                       [&folder](std::string_view tree) { return IsAtOrBelow(folder, tree); });
}

std::string HomeFolder() {
    if (const auto home = EnvironmentValue("HOME"); home && !home->empty()) {
        return *home;
    }
    std::vector<char> buffer(16384);
    passwd entry{};
    passwd* found = nullptr;
    if (::getpwuid_r(::getuid(), &entry, buffer.data(), buffer.size(), &found) == 0 &&
        found != nullptr && found->pw_dir != nullptr) {
        return found->pw_dir;
    }
    return "/";
}

std::string ConfigHome() {
    return AbsoluteOr(EnvironmentValue("XDG_CONFIG_HOME"), HomeFolder() + "/.config");
}

std::string DataHome() {
    return AbsoluteOr(EnvironmentValue("XDG_DATA_HOME"), HomeFolder() + "/.local/share");
}

std::string ShellFolder(const std::string& Name) {
    if (Name == "Programs") {
        return DataHome() + "/applications";
    }
    if (Name == "Desktop") {
        return DesktopFolder();
    }
    return {};
}

std::string RunningProgramFile() {
    std::vector<char> buffer(4096);
    const ssize_t length = ::readlink("/proc/self/exe", buffer.data(), buffer.size());
    if (length <= 0 || static_cast<std::size_t>(length) >= buffer.size()) {
        return {};
    }
    return std::string(buffer.data(), static_cast<std::size_t>(length));
}

} // namespace korvane
