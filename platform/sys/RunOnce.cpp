#include "platform/sys/RunOnce.h"

#include <algorithm>
#include <filesystem>

#include "platform/sys/FileCopy.h"
#include "platform/sys/UserFolders.h"

namespace korvane {

namespace {

namespace fs = std::filesystem;

constexpr const char* ProgramFileName = "WinKVN.EXE";
constexpr const char* HelpIndexPattern = "*.gid";
constexpr const char* CommandPrefix = "Command.com /c ";

char Lower(char C) {
    return C >= 'A' && C <= 'Z' ? static_cast<char>(C - 'A' + 'a') : C;
}

bool StartsWithNoCase(const std::string& Text, const std::string& Start) {
    return Text.size() >= Start.size() &&
           std::equal(Start.begin(), Start.end(), Text.begin(),
                      [](char a, char b) { return Lower(a) == Lower(b); });
}

bool Matches(const char* Name, const char* Pattern) {
    for (; *Pattern != '\0'; ++Pattern, ++Name) {
        if (*Pattern == '*') {
            for (const char* rest = Name;; ++rest) {
                if (Matches(rest, Pattern + 1)) {
                    return true;
                }
                if (*rest == '\0') {
                    return false;
                }
            }
        }
        if (*Name == '\0' || (*Pattern != '?' && Lower(*Pattern) != Lower(*Name))) {
            return false;
        }
    }
    return *Name == '\0';
}

// The path argument of a command: one path between double quotes, or one word; absolute, with
// no control characters.
bool PathArgument(const std::string& Text, std::string& Path) {
    if (Text.size() >= 2 && Text.front() == '"' && Text.back() == '"') {
        Path = Text.substr(1, Text.size() - 2);
    } else {
        Path = Text;
    }
    return Path.starts_with('/') && std::none_of(Path.begin(), Path.end(), [](char c) {
               return c == '"' || static_cast<unsigned char>(c) < 0x20;
           });
}

bool DeleteMatching(const std::string& Path) {
    const auto slash = Path.rfind('/');
    const std::string folder = slash == 0 ? "/" : Path.substr(0, slash);
    const std::string pattern = Path.substr(slash + 1);
    if (pattern.empty() || IsProtectedFolder(folder)) {
        return false;
    }
    std::error_code error;
    std::vector<fs::path> doomed;
    for (const auto& entry : fs::directory_iterator(folder, error)) {
        const auto status = entry.symlink_status(error);
        if ((fs::is_regular_file(status) || fs::is_symlink(status)) &&
            Matches(entry.path().filename().c_str(), pattern.c_str())) {
            doomed.push_back(entry.path());
        }
    }
    for (const auto& path : doomed) {
        fs::remove(path, error);
    }
    return true;
}

bool RemoveEmptyFolder(std::string Path) {
    while (Path.size() > 1 && Path.back() == '/') {
        Path.pop_back();
    }
    std::error_code error;
    if (IsProtectedFolder(Path) || !fs::is_directory(fs::symlink_status(Path, error))) {
        return false;
    }
    fs::remove(Path, error); // refused by the system unless empty
    return true;
}

// A desktop entry's Exec argument: between double quotes, with quotes, backquotes, dollars and
// backslashes behind a backslash; then every backslash doubled once more for the entry's string
// syntax, and '%' doubled.
std::string ExecArgument(const std::string& Path) {
    std::string text = "\"";
    for (char c : Path) {
        if (c == '"' || c == '`' || c == '$') {
            text += "\\\\";
            text += c;
        } else if (c == '\\') {
            text += "\\\\\\\\";
        } else if (c == '%') {
            text += "%%";
        } else {
            text += c;
        }
    }
    return text + "\"";
}

std::string AutostartEntry(const std::string& ProgramFile) {
    return "[Desktop Entry]\n"
           "Type=Application\n"
           "Name=Korvane Clean-Up\n"
           "Comment=Removes what is left of an uninstalled Korvane, once\n"
           "Exec=" +
           ExecArgument(ProgramFile) + " " + RunOnceOption +
           "\n"
           "NoDisplay=true\n"
           "X-GNOME-Autostart-enabled=true\n";
}

// The path a command names (between its double quotes).
std::string NamedPath(const std::string& Command) {
    const auto first = Command.find('"');
    const auto last = Command.rfind('"');
    return first < last && last != std::string::npos ? Command.substr(first + 1, last - first - 1)
                                                     : Command;
}

} // namespace

std::vector<TRunOnceValue> ProgramRemovalCommands(const std::string& ProgramFolder) {
    std::string folder = ProgramFolder;
    const std::string del = std::string(CommandPrefix) + "del \"";
    std::vector<TRunOnceValue> values = {
        {"Delete Me1", del + folder + ProgramFileName + "\""},
        {"Delete Me2", del + folder + HelpIndexPattern + "\""},
    };
    if (folder.ends_with('/')) {
        folder.pop_back();
    }
    values.push_back({"Delete Me3", std::string(CommandPrefix) + "rd \"" + folder + "\""});
    return values;
}

std::string RunOnceAutostartPath() {
    return ConfigHome() + "/autostart/korvane-run-once.desktop";
}

TRunOnceResult ScheduleRunOnce(const std::vector<TRunOnceValue>& Values,
                               const std::string& ProgramFile, TRegistry& Store) {
    // Without the program file to start at the next login the commands would never run.
    bool written = ProgramFile.starts_with('/') &&
                   std::none_of(ProgramFile.begin(), ProgramFile.end(),
                                [](char c) { return static_cast<unsigned char>(c) < 0x20; });
    for (const auto& value : Values) {
        written = written && Store.WriteString(RunOnceKey, value.Name, value.Command);
    }
    if (written) {
        const std::string entry = RunOnceAutostartPath();
        std::error_code error;
        fs::create_directories(fs::path(entry).parent_path(), error);
        written = WriteFileReplacing(entry, AutostartEntry(ProgramFile));
    }
    TRunOnceResult result;
    result.Written = written;
    if (!written) {
        result.Message = "Error: The Removal Of The Program Folder At The Next Login Could Not Be "
                         "Arranged.\n\nThe Data Files Are Deleted; Remove These By Hand:";
        for (const auto& value : Values) {
            result.Message += "\n" + NamedPath(value.Command);
        }
    }
    return result;
}

int RunPendingCommands(TRegistry& Store) {
    int done = 0;
    for (const auto& [name, command] : Store.Values(RunOnceKey)) {
        Store.DeleteValue(RunOnceKey, name); // once, even when the command fails
        done += RunOnceCommand(command) ? 1 : 0;
    }
    std::error_code error;
    fs::remove(RunOnceAutostartPath(), error);
    return done;
}

bool RunOnceCommand(const std::string& Command) {
    std::string text = Command;
    if (StartsWithNoCase(text, CommandPrefix)) {
        text.erase(0, std::string(CommandPrefix).size());
    }
    std::string path;
    if (StartsWithNoCase(text, "del ") && PathArgument(text.substr(4), path)) {
        return DeleteMatching(path);
    }
    if (StartsWithNoCase(text, "rd ") && PathArgument(text.substr(3), path)) {
        return RemoveEmptyFolder(path);
    }
    return false;
}

} // namespace korvane
