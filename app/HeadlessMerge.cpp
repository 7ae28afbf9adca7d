#include "app/HeadlessMerge.h"

#include <cstdio>
#include <filesystem>

#include "app/PositionFolder.h"
#include "data/FileNames.h"
#include "data/PositionFile.h"
#include "data/ProcessState.h"
#include "data/RatingMerge.h"
#include "platform/sys/CodePageText.h"

namespace korvane {

namespace {

int Refuse(int Status, const std::string& Message) {
    std::fprintf(stderr, "korvane: %s\n", Utf8FromCodePage(Message).c_str());
    return Status;
}

} // namespace

int RunMergeRatings(const std::string& DiskFolder, const std::string& Folder,
                    const std::string& Prefer) {
    // The disk is named from where the program was started, before the position's folder is.
    std::error_code error;
    const std::string disk = std::filesystem::absolute(DiskFolder, error).string() + "/";
    if (std::string refused = OpenPositionFolder(Folder); !refused.empty()) {
        return Refuse(MergeRefused, refused);
    }
    ReadPositionTitle();
    const auto title = PositionTitleOn(disk);
    if (!title) {
        return Refuse(MergeRefused, "Error: Position File Not Found On This Disk");
    }
    if (*title != PositionTitle) {
        return Refuse(MergeOtherPosition,
                      "The Disk Holds The Position " + *title + "; No Rating Was Merged");
    }
    TRatingMerge merge;
    if (std::string refused = merge.Read(disk); !refused.empty()) {
        return Refuse(MergeRefused, refused);
    }
    if (!merge.Conflicts().empty()) {
        if (Prefer.empty()) {
            return Refuse(MergeUndecided,
                          std::to_string(merge.Conflicts().size()) +
                              " Conflicts; --prefer ours or --prefer theirs decides them. No "
                              "Rating Was Merged");
        }
        merge.DecideAll(Prefer == "theirs");
    }
    if (merge.Changes()) {
        TRateDataBase ratings(RatingFileName);
        if (!merge.Commit(ratings)) {
            return Refuse(MergeRefused, MergeNotWritten);
        }
    }
    std::printf("%s\n", MergeSummary(merge.Counts()).c_str());
    for (const std::string& line : merge.SkippedLines()) {
        std::printf("Skipped %s\n", line.c_str());
    }
    return 0;
}

} // namespace korvane
