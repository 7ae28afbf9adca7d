#include "app/CommandLine.h"

#include <algorithm>

namespace korvane {

namespace {

TCommandLine Refused(std::string Error, bool ShowUsage = false) {
    TCommandLine line;
    line.Error = std::move(Error);
    line.ShowUsage = ShowUsage;
    return line;
}

} // namespace

TCommandLine ParseCommandLine(const std::vector<std::string>& Arguments) {
    TCommandLine line;
    std::optional<std::string> what, pdf, ranking, disk, prefer;
    const struct {
        const char* Name;
        std::optional<std::string>* Value;
    } valued[] = {{"--print", &what},         {"--pdf", &pdf},
                  {"--ranking", &ranking},    {"--member", &line.Member},
                  {"--merge-ratings", &disk}, {"--prefer", &prefer}};
    const struct {
        const char* Name;
        TRoute Route;
    } ending[] = {
        {"--help", TRoute::Help}, {"--version", TRoute::Version}, {"--run-once", TRoute::RunOnce}};
    bool folder = false;
    bool progress = false;
    for (std::size_t i = 0; i < Arguments.size(); ++i) {
        const std::string& argument = Arguments[i];
        const auto end = std::find_if(std::begin(ending), std::end(ending),
                                      [&](const auto& option) { return argument == option.Name; });
        if (end != std::end(ending)) {
            TCommandLine ended;
            ended.Route = end->Route;
            return ended;
        }
        const auto option = std::find_if(std::begin(valued), std::end(valued),
                                         [&](const auto& known) { return argument == known.Name; });
        if (option != std::end(valued)) {
            if (i + 1 >= Arguments.size()) {
                return Refused(argument + " needs a value (see --help)");
            }
            *option->Value = Arguments[++i];
        } else if (argument == "--all") {
            line.All = true;
        } else if (argument == "--totals") {
            line.Totals = true;
        } else if (argument == "--progress") {
            progress = true;
        } else if (argument == "/QX") {
            line.Administrative = true;
        } else if (argument.empty() || argument.starts_with('-') || folder) {
            return Refused("unknown argument '" + argument + "'", true);
        } else {
            line.Folder = argument;
            folder = true;
        }
    }
    const bool printOptions = line.Member.has_value() || line.All || line.Totals;
    if (prefer && (!disk || (*prefer != "ours" && *prefer != "theirs"))) {
        return Refused("--prefer is ours or theirs, with --merge-ratings (see --help)");
    }
    if (disk) {
        if (what || pdf || ranking || printOptions || progress) {
            return Refused("--merge-ratings goes alone (see --help)");
        }
        line.Route = TRoute::MergeRatings;
        line.Disk = *disk;
        line.Prefer = prefer.value_or("");
    } else if (progress) {
        if (what || pdf || ranking || printOptions) {
            return Refused("--progress goes alone (see --help)");
        }
        line.Route = TRoute::Progress;
    } else if (ranking) {
        if (what || pdf || printOptions) {
            return Refused("--ranking goes without --print (see --help)");
        }
        line.Route = TRoute::Ranking;
        line.Ranking = *ranking;
    } else if (what || pdf) {
        if (!what || !pdf) {
            return Refused("--print and --pdf go together (see --help)");
        }
        line.Route = TRoute::Print;
        line.What = *what;
        line.Pdf = *pdf;
    } else if (printOptions) {
        return Refused("--member, --all and --totals go with --print (see --help)");
    }
    return line;
}

} // namespace korvane
