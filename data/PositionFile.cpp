#include "data/PositionFile.h"

#include <filesystem>
#include <fstream>

#include "data/FileNames.h"
#include "platform/sys/InOutError.h"

namespace korvane {

std::string PositionTitle = NoPositionFound;

std::string PositionTitleIn(const std::string& Folder) {
    const std::string path = Folder + PositionFileName;
    std::error_code error;
    if (std::filesystem::is_directory(path, error)) {
        return NoPositionFound; // cannot be opened as a text file
    }
    std::ifstream in(path, std::ios::binary);
    if (!in.is_open()) {
        return NoPositionFound;
    }
    std::string line;
    std::getline(in, line);
    if (in.bad()) {
        throw EInOutError("Read error on " + path);
    }
    // A text line ends with CR LF; a lone CR ends it too.
    const auto end = line.find('\r');
    if (end != std::string::npos) {
        line.erase(end);
    }
    return line;
}

void ReadPositionTitle(const std::string& Folder) {
    PositionTitle = PositionTitleIn(Folder);
}

} // namespace korvane
