#include "platform/sys/Shortcuts.h"

#include <filesystem>

#include "platform/sys/UserFolders.h"

namespace korvane {

namespace {

namespace fs = std::filesystem;

constexpr std::size_t LongestFileName = 255;

bool IsControl(unsigned char C) {
    return C < 0x20 || C == 0x7F;
}

// U+0080 to U+009F, written as C2 80 to C2 9F.
bool IsControlPair(const std::string& Text, std::size_t At) {
    return static_cast<unsigned char>(Text[At]) == 0xC2 && At + 1 < Text.size() &&
           static_cast<unsigned char>(Text[At + 1]) >= 0x80 &&
           static_cast<unsigned char>(Text[At + 1]) <= 0x9F;
}

void DeleteFileOrLink(const std::string& Path) {
    std::error_code error;
    const auto status = fs::symlink_status(Path, error);
    if (!error && (fs::is_regular_file(status) || fs::is_symlink(status))) {
        fs::remove(Path, error);
    }
}

} // namespace

std::string ShortcutFileName(const std::string& Title) {
    std::string stem;
    for (std::size_t i = 0; i < Title.size(); ++i) {
        const auto c = static_cast<unsigned char>(Title[i]);
        if (IsControlPair(Title, i)) {
            stem.push_back('_');
            ++i;
        } else if (IsControl(c) || c == '/' || c == '\\') {
            stem.push_back('_');
        } else {
            stem.push_back(Title[i]);
        }
    }
    const std::string dots = stem;
    for (std::size_t i = 0; i < dots.size(); ++i) {
        const bool run =
            (i + 1 < dots.size() && dots[i + 1] == '.') || (i > 0 && dots[i - 1] == '.');
        if (dots[i] == '.' && (i == 0 || i + 1 == dots.size() || run)) {
            stem[i] = '_';
        }
    }
    const std::string extension = ShortcutExtension;
    if (stem.size() > LongestFileName - extension.size()) {
        std::size_t cut = LongestFileName - extension.size();
        while (cut > 0 && (static_cast<unsigned char>(stem[cut]) & 0xC0) == 0x80) {
            --cut; // not inside a character
        }
        stem.resize(cut);
    }
    return (stem.empty() ? "_" : stem) + extension;
}

std::string ShortcutPath(const std::string& Folder, const std::string& Title) {
    if (Folder.empty()) {
        return {};
    }
    std::error_code error;
    const fs::path folder = fs::weakly_canonical(Folder, error);
    if (error) {
        return {};
    }
    const fs::path path = (folder / ShortcutFileName(Title)).lexically_normal();
    if (path.parent_path() != folder.lexically_normal() || path.filename() == "." ||
        path.filename() == "..") {
        return {};
    }
    return path.string();
}

std::string ProgramGroupFolder() {
    return ShellFolder("Programs") + "/" + ProgramGroupName;
}

void RemoveShortcuts(const std::string& Title) {
    const std::string group = ProgramGroupFolder();
    if (const std::string shortcut = ShortcutPath(group, Title); !shortcut.empty()) {
        DeleteFileOrLink(shortcut);
    }
    std::error_code error;
    if (fs::is_directory(fs::symlink_status(group, error))) {
        fs::remove(group, error); // only when empty
    }
    if (const std::string shortcut = ShortcutPath(ShellFolder("Desktop"), Title);
        !shortcut.empty()) {
        DeleteFileOrLink(shortcut);
    }
}

} // namespace korvane
