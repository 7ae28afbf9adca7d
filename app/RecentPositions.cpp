#include "app/RecentPositions.h"

#include <algorithm>
#include <charconv>
#include <chrono>
#include <filesystem>

#include "app/PositionFolder.h"
#include "platform/sys/FileCopy.h"
#include "platform/sys/InOutError.h"
#include "platform/sys/TextFile.h"
#include "platform/sys/UserFolders.h"

namespace korvane {

namespace fs = std::filesystem;

std::string TRecentPositions::DefaultPath() {
    return ConfigHome() + "/korvane/recent-positions.txt";
}

std::vector<TRecentPosition> TRecentPositions::Positions() const {
    std::vector<TRecentPosition> positions;
    TTextFile file;
    if (!file.Open(Path_)) {
        return positions;
    }
    std::string line;
    try {
        while (positions.size() < Kept && file.ReadLine(line)) {
            const auto tab = line.find('\t');
            if (tab == std::string::npos) {
                continue;
            }
            TRecentPosition position;
            const auto [end, error] =
                std::from_chars(line.data(), line.data() + tab, position.OpenedAt);
            position.Folder = line.substr(tab + 1);
            // A damaged line is skipped, as is a folder that is gone.
            if (error == std::errc() && end == line.data() + tab &&
                position.Folder.starts_with('/') &&
                FolderState(position.Folder) == TFolderState::Position) {
                positions.push_back(position);
            }
        }
    } catch (const EInOutError&) {
        // What was read stands: the list is a convenience.
    }
    return positions;
}

bool TRecentPositions::Remember(const std::string& Folder, std::int64_t OpenedAt) {
    std::error_code error;
    const std::string folder = fs::weakly_canonical(fs::absolute(Folder, error), error).string();
    // A line end or a tab in the name would break the list's lines.
    if (error || folder.find_first_of("\t\r\n") != std::string::npos) {
        return false;
    }
    std::vector<TRecentPosition> positions = Positions();
    std::erase_if(positions, [&folder](const TRecentPosition& p) { return p.Folder == folder; });
    positions.insert(positions.begin(), {folder, OpenedAt});
    positions.resize(std::min(positions.size(), Kept));
    std::string text;
    for (const TRecentPosition& position : positions) {
        text += std::to_string(position.OpenedAt) + "\t" + position.Folder + "\n";
    }
    fs::create_directories(fs::path(Path_).parent_path(), error);
    return WriteFileReplacing(Path_, text);
}

std::int64_t SecondsNow() {
    using namespace std::chrono;
    return duration_cast<seconds>(system_clock::now().time_since_epoch()).count();
}

} // namespace korvane
