#include "platform/sys/Drives.h"

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <fstream>
#include <map>
#include <set>
#include <sstream>

#include "platform/sys/System.h"

namespace korvane {

namespace {

namespace fs = std::filesystem;

constexpr char FirstMountedLetter = 'D';

// Blanks, tabs and backslashes in mount-table fields are written as \ooo.
std::string UnescapeMountField(const std::string& Field) {
    const auto octal = [](char c) { return c >= '0' && c <= '7'; };
    std::string text;
    for (std::size_t i = 0; i < Field.size(); ++i) {
        if (Field[i] == '\\' && i + 3 < Field.size() && octal(Field[i + 1]) &&
            octal(Field[i + 2]) && octal(Field[i + 3])) {
            text.push_back(static_cast<char>((Field[i + 1] - '0') * 64 + (Field[i + 2] - '0') * 8 +
                                             (Field[i + 3] - '0')));
            i += 3;
            continue;
        }
        text.push_back(Field[i]);
    }
    return text;
}

std::string FirstLineOf(const fs::path& Path) {
    std::ifstream in(Path);
    std::string line;
    std::getline(in, line);
    return line;
}

// Whether the block device Name (as in /dev) is a removable disk or one of its partitions.
bool IsRemovableDevice(const std::string& Name, const fs::path& SysRoot) {
    std::error_code error;
    const fs::path entry = SysRoot / "class" / "block" / Name;
    const fs::path device = fs::canonical(entry, error);
    if (error) {
        return false;
    }
    const fs::path disk = fs::exists(device / "partition", error) ? device.parent_path() : device;
    if (FirstLineOf(disk / "device" / "type") == "5") {
        return false; // a CD or DVD drive
    }
    if (FirstLineOf(disk / "removable") == "1") {
        return true;
    }
    // Many USB sticks call themselves fixed; the bus they hang on tells.
    for (const auto& part : device) {
        if (part.string().starts_with("usb")) {
            return true;
        }
    }
    return false;
}

std::string DeviceName(const std::string& Device) {
    std::error_code error;
    fs::path path(Device);
    if (fs::is_symlink(path, error)) {
        const fs::path target = fs::canonical(path, error);
        if (!error) {
            path = target;
        }
    }
    return path.filename().string();
}

} // namespace

std::vector<TDrive> ParseDriveMap(const std::string& Text) {
    std::map<char, std::string> drives;
    std::istringstream entries(Text);
    std::string entry;
    while (std::getline(entries, entry, ';')) {
        const auto equals = entry.find('=');
        if (equals != 1 || entry.size() < 3) {
            continue;
        }
        const char letter = static_cast<char>(std::toupper(static_cast<unsigned char>(entry[0])));
        if (letter < 'A' || letter > 'Z') {
            continue;
        }
        drives.emplace(letter, entry.substr(2));
    }
    std::vector<TDrive> result;
    for (const auto& [letter, folder] : drives) {
        result.push_back({letter, folder});
    }
    return result;
}

std::vector<TDrive> MountedRemovableDrives(const std::string& MountsFile,
                                           const std::string& SysRoot) {
    // A later mount on the same folder hides the earlier one.
    std::map<std::string, std::string> deviceOf;
    std::ifstream mounts(MountsFile);
    std::string line;
    while (std::getline(mounts, line)) {
        std::istringstream fields(line);
        std::string device;
        std::string mountPoint;
        std::string type;
        if (!(fields >> device >> mountPoint >> type)) {
            continue;
        }
        const bool optical = type == "iso9660" || type == "udf";
        deviceOf[UnescapeMountField(mountPoint)] =
            device.starts_with("/dev/") && !optical ? DeviceName(UnescapeMountField(device)) : "";
    }
    // One letter per device, at the first of its mount points.
    std::set<std::string> lettered;
    std::vector<TDrive> result;
    char letter = FirstMountedLetter;
    for (const auto& [mountPoint, name] : deviceOf) {
        if (letter > 'Z') {
            break;
        }
        if (name.empty() || lettered.count(name) != 0 || !IsRemovableDevice(name, SysRoot)) {
            continue;
        }
        lettered.insert(name);
        result.push_back({letter++, mountPoint});
    }
    return result;
}

std::vector<TDrive> RemovableDrives() {
    if (const auto map = EnvironmentValue("KORVANE_DRIVES")) {
        return ParseDriveMap(*map);
    }
    return MountedRemovableDrives("/proc/mounts", "/sys");
}

bool IsRemovableDrive(char Letter) {
    return !DriveRoot(Letter).empty();
}

std::string DriveRoot(char Letter) {
    const char upper = static_cast<char>(std::toupper(static_cast<unsigned char>(Letter)));
    for (const auto& drive : RemovableDrives()) {
        if (drive.Letter == upper) {
            return drive.MountPoint.ends_with('/') ? drive.MountPoint : drive.MountPoint + '/';
        }
    }
    return {};
}

std::vector<std::string> DriveListItems() {
    std::vector<std::string> items;
    for (const auto& drive : RemovableDrives()) {
        // The folder tells one stick from another where letters are handed out in turn.
        items.push_back(std::string("Drive ") + drive.Letter + ": Removable (" + drive.MountPoint +
                        ")");
    }
    return items;
}

char DriveLetterOfItem(const std::string& Item) {
    return Item.size() >= 7 ? Item[6] : '\0';
}

} // namespace korvane
