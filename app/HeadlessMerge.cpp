#include "app/HeadlessMerge.h"

#include <QString>

#include <cstdio>
#include <filesystem>

#include "app/PositionFolder.h"
#include "data/FileNames.h"
#include "data/PositionFile.h"
#include "data/ProcessState.h"
#include "data/RatingMerge.h"
#include "exchange/MergeTexts.h"
#include "platform/ui/CodePage.h"

namespace korvane {

namespace {

int Refuse(int Status, const QString& Message) {
    std::fprintf(stderr, "korvane: %s\n", Message.toLocal8Bit().constData());
    return Status;
}

} // namespace

int RunMergeRatings(const std::string& DiskFolder, const std::string& Folder,
                    const std::string& Prefer) {
    // The disk is named from where the program was started, before the position's folder is.
    std::error_code error;
    const std::string disk = std::filesystem::absolute(DiskFolder, error).string() + "/";
    if (std::string refused = OpenPositionFolder(Folder); !refused.empty()) {
        return Refuse(MergeRefused, QString::fromLocal8Bit(refused));
    }
    ReadPositionTitle();
    const auto title = PositionTitleOn(disk);
    if (!title) {
        return Refuse(MergeRefused, QStringLiteral("Error: Position File Not Found On This Disk"));
    }
    if (*title != PositionTitle) {
        return Refuse(MergeOtherPosition, QStringLiteral("The Disk Holds The Position ") +
                                              FromCodePage(*title) +
                                              QStringLiteral("; No Rating Was Merged"));
    }
    TRatingMerge merge;
    if (const TMergeCheck check = merge.Read(disk); !check.Ok()) {
        return Refuse(MergeRefused, MergeRefusalText(check));
    }
    if (!merge.Conflicts().empty()) {
        if (Prefer.empty()) {
            return Refuse(MergeUndecided,
                          QString::number(merge.Conflicts().size()) +
                              QStringLiteral(" Conflicts Left Undecided (--prefer ours or theirs "
                                             "decides them); No Rating Was Merged"));
        }
        merge.DecideAll(Prefer == "theirs");
    }
    if (merge.Changes()) {
        TRateDataBase ratings(RatingFileName);
        if (!merge.Commit(ratings)) {
            return Refuse(MergeRefused, MergeNotWrittenText());
        }
    }
    std::printf("%s\n", MergeSummaryText(merge.Counts()).toLocal8Bit().constData());
    for (const QString& line : SkippedPairTexts(merge)) {
        std::printf("Skipped %s\n", line.toLocal8Bit().constData());
    }
    return 0;
}

} // namespace korvane
