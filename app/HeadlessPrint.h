#pragma once

#include <QString>
#include <QStringList>

#include <cstdint>
#include <optional>
#include <span>
#include <string>

namespace korvane {

// What the command line adds to a printout; only the sheets of committee members take these.
struct THeadlessOptions {
    std::string Folder;            // DIR: the position to print from; empty for the current one
    std::optional<QString> Member; // --member ID: that member's sheets
    bool All = false;              // --all: every member's sheets
    bool Totals = false;           // --totals: the rating sheets with the members' totals
};

class TRatingProgress;

// Printouts that `korvane --print WHAT --pdf FILE` can write.
QStringList HeadlessPrintouts();

// Writes the printout WHAT of the position in options.Folder (the working directory when empty)
// into the PDF file, through the same code as its Print button, with no window shown. A folder
// that holds no position is refused before any of its files is touched. A sheet for committee
// members is printed for the member of the screen's first row unless the options choose. Returns
// the process exit status; errors are written to standard error.
int RunHeadlessPrint(const QString& what, const QString& pdfFile,
                     const THeadlessOptions& options = {});

// What a printout resting on ratings warns of before it goes on, on standard error: the ratings
// of these members (every member when none is named) still missing.
void WarnOfMissingRatings(const TRatingProgress& Progress,
                          std::span<const std::int32_t> Members = {});

} // namespace korvane
