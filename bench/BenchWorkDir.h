#pragma once

#include <QCoreApplication>

#include <filesystem>
#include <string>

namespace korvane::bench {

// A working directory of its own for one benchmark (Name tells whose), entered on creation and
// left and removed afterwards.
class TBenchWorkDir {
public:
    explicit TBenchWorkDir(const std::string& Name) : Old_(std::filesystem::current_path()) {
        Folder_ =
            std::filesystem::temp_directory_path() /
            ("korvane-bench-" + Name + "-" + std::to_string(QCoreApplication::applicationPid()));
        std::filesystem::create_directories(Folder_);
        std::filesystem::current_path(Folder_);
    }
    ~TBenchWorkDir() {
        std::filesystem::current_path(Old_);
        std::error_code ignored;
        std::filesystem::remove_all(Folder_, ignored);
    }
    TBenchWorkDir(const TBenchWorkDir&) = delete;
    TBenchWorkDir& operator=(const TBenchWorkDir&) = delete;

private:
    std::filesystem::path Old_;
    std::filesystem::path Folder_;
};

} // namespace korvane::bench
