#include "platform/sys/RunOnce.h"

#include <algorithm>
#include <filesystem>
#include <optional>

#include "platform/sys/FileCopy.h"
#include "platform/sys/UserFolders.h"

namespace korvane {

namespace {

namespace fs = std::filesystem;

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

// One of the two commands, taken apart.
struct TCommand {
    bool Delete = false; // del, else rd
    std::string Folder;  // where it acts
    std::string Pattern; // the file names del removes
};

std::optional<TCommand> ParseCommand(const std::string& Command) {
    std::string text = Command;
    if (StartsWithNoCase(text, CommandPrefix)) {
        text.erase(0, std::string(CommandPrefix).size());
    }
    std::string path;
    if (StartsWithNoCase(text, "del ") && PathArgument(text.substr(4), path)) {
        const auto slash = path.rfind('/');
        return TCommand{true, slash == 0 ? "/" : path.substr(0, slash), path.substr(slash + 1)};
    }
    if (StartsWithNoCase(text, "rd ") && PathArgument(text.substr(3), path)) {
        while (path.size() > 1 && path.back() == '/') {
            path.pop_back();
        }
        return TCommand{false, path, {}};
    }
    return std::nullopt;
}

bool IsRecorded(const std::string& Folder, const std::vector<std::string>& Recorded) {
    std::error_code error;
    const fs::path folder = fs::weakly_canonical(Folder, error);
    return !error && std::any_of(Recorded.begin(), Recorded.end(), [&](const std::string& r) {
        std::error_code ignored;
        return fs::weakly_canonical(r, ignored) == folder && !ignored;
    });
}

bool DeleteMatching(const std::string& Folder, const std::string& Pattern) {
    if (Pattern.empty()) {
        return false;
    }
    std::error_code error;
    std::vector<fs::path> doomed;
    for (const auto& entry : fs::directory_iterator(Folder, error)) {
        const auto status = entry.symlink_status(error);
        if ((fs::is_regular_file(status) || fs::is_symlink(status)) &&
            Matches(entry.path().filename().c_str(), Pattern.c_str())) {
            doomed.push_back(entry.path());
        }
    }
    for (const auto& path : doomed) {
        fs::remove(path, error);
    }
    return true;
}

bool RemoveEmptyFolder(const std::string& Path) {
    std::error_code error;
    if (!fs::is_directory(fs::symlink_status(Path, error))) {
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

std::vector<TRunOnceValue> ProgramRemovalCommands(const std::string& ProgramFile) {
    const std::string folder = fs::path(ProgramFile).parent_path().string();
    const std::string del = std::string(CommandPrefix) + "del \"";
    return {{"Delete Me1", del + ProgramFile + "\""},
            {"Delete Me2", del + folder + "/" + HelpIndexPattern + "\""},
            {"Delete Me3", std::string(CommandPrefix) + "rd \"" + folder + "\""}};
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
    // The folders first: a command without its folder would be refused at the next login.
    int number = 0;
    std::vector<std::string> folders;
    for (const auto& value : Values) {
        const auto command = ParseCommand(value.Command);
        if (command &&
            std::find(folders.begin(), folders.end(), command->Folder) == folders.end()) {
            folders.push_back(command->Folder);
            written =
                written && Store.WriteString(RunOnceFoldersKey, "Folder" + std::to_string(++number),
                                             command->Folder);
        }
    }
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
    if (!written) {
        result.Reason = TUninstallFailure::NotScheduled;
        for (const auto& value : Values) {
            result.Subject += (result.Subject.empty() ? "" : "\n") + NamedPath(value.Command);
        }
    }
    return result;
}

int RunPendingCommands(TRegistry& Store) {
    std::vector<std::string> recorded;
    for (const auto& [name, folder] : Store.Values(RunOnceFoldersKey)) {
        recorded.push_back(folder);
    }
    int done = 0;
    for (const auto& [name, command] : Store.Values(RunOnceKey)) {
        Store.DeleteValue(RunOnceKey, name); // once, even when the command fails
        done += RunOnceCommand(command, recorded) ? 1 : 0;
    }
    for (const auto& [name, folder] : Store.Values(RunOnceFoldersKey)) {
        Store.DeleteValue(RunOnceFoldersKey, name);
    }
    std::error_code error;
    fs::remove(RunOnceAutostartPath(), error);
    return done;
}

bool RunOnceCommand(const std::string& Command, const std::vector<std::string>& Recorded) {
    const auto command = ParseCommand(Command);
    if (!command || !IsRecorded(command->Folder, Recorded) || IsProtectedFolder(command->Folder)) {
        return false;
    }
    return command->Delete ? DeleteMatching(command->Folder, command->Pattern)
                           : RemoveEmptyFolder(command->Folder);
}

} // namespace korvane
