#pragma once

#include <optional>
#include <string>
#include <vector>

namespace korvane {

// What a run of the program was asked to do.
enum class TRoute { Desktop, Help, Version, RunOnce, Print, Ranking, MergeRatings, Progress };

struct TCommandLine {
    TRoute Route = TRoute::Desktop;
    std::string Folder;          // DIR: the position to open; empty for the current directory
    bool Administrative = false; // "/QX", before or after DIR
    std::string What;            // --print WHAT
    std::string Pdf;             // --pdf FILE
    std::string Ranking;         // --ranking FILE
    std::string Disk;            // --merge-ratings DIR: the position disk's folder
    std::string Prefer;          // --prefer ours|theirs; empty when not given
    std::optional<std::string> Member;
    bool All = false;
    bool Totals = false;
    // A command line that cannot run: what is wrong with it (the exit status is then 2), and
    // whether the usage follows the message.
    std::string Error;
    bool ShowUsage = false;
};

// Reads the arguments after the program name. --help, --version and --run-once end the reading
// where they stand; any argument the program does not know is an error.
TCommandLine ParseCommandLine(const std::vector<std::string>& Arguments);

} // namespace korvane
