#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <unordered_map>
#include <vector>

#include "data/FileNames.h"

namespace korvane {

class TFilesChange;

// Why a committee member gives an applicant no rating.
enum class TDecisionKind {
    Recused,   // a conflict of interest; the member's ratings of the applicant never count
    Abstained, // the member deliberately gives none; counts as not rated
};

inline constexpr std::size_t MaxReasonLength = 60;

// "Recused" or "Abstained".
const char* DecisionKindText(TDecisionKind Kind);

// A recorded decision on one pair of applicant and member.
struct TDecision {
    std::int32_t ApplicantID = 0;
    std::int32_t CommitteeID = 0;
    TDecisionKind Kind = TDecisionKind::Recused;
    std::string Reason; // code-page bytes, at most MaxReasonLength

    bool operator==(const TDecision&) const = default;
};

// The line of a decision without its line end: "ApplicantID,CommitteeID,R|A,reason".
std::string DecisionLine(const TDecision& Decision);
// The decision a line holds; nullopt for a damaged line: fewer than four fields, an ID that is
// not a whole number from 1 to 2147483647, a kind other than "R" or "A". The reason is the rest
// of the line after the third comma (it may hold commas), cut to MaxReasonLength.
std::optional<TDecision> DecisionFromLine(const std::string& Line);

// How a change of the file ended.
enum class TDecisionsWrite {
    Written,
    Damaged,    // refused: the file has damaged lines, and a rewrite would lose them
    Unreadable, // refused: the file is there but could not be read to its end
    Failed,     // the file could not be written; it is as it was
};

// Recusal.dat: the decisions of a position, code-page text, one line each, CR LF line ends.
// Read whole into memory, changed there and written whole through the atomic replacement of the
// record files; a file read with damaged lines, or not read to its end, is never written back.
// The first line of a pair counts; a decision naming an applicant or member that is gone stays.
class TRecusalFile {
public:
    // No decisions: a position without the file.
    TRecusalFile() = default;

    // Reads the file at Path (Recusal.dat of the working directory by default). A missing file
    // gives no decisions; empty lines are skipped; damaged lines are skipped and noted by number.
    static TRecusalFile Read(const std::string& Path = RecusalFileName);

    // In file order, damaged lines left out.
    const std::vector<TDecision>& Decisions() const { return Decisions_; }
    // Line numbers (from 1) of the damaged lines.
    const std::vector<int>& DamagedLines() const { return DamagedLines_; }
    // The file is there but could not be opened or read to its end.
    bool Unreadable() const { return Unreadable_; }
    // What was read is the whole file: it may be written back.
    bool Whole() const { return !Unreadable_ && DamagedLines_.empty(); }

    // The decision on the pair, or nullptr.
    const TDecision* Find(std::int32_t ApplicantID, std::int32_t CommitteeID) const;

    // Records the decision on its pair: the pair's line is replaced (any later line of the pair
    // goes), or a line is added at the end. The reason is cut to MaxReasonLength.
    void Set(TDecision Decision);
    // Takes every line of the pair out; false when there was none.
    bool Lift(std::int32_t ApplicantID, std::int32_t CommitteeID);

    // The file's bytes.
    std::string Text() const;
    // Writes the file whole, unless it was not read whole.
    TDecisionsWrite Write() const;
    // Stages the file's new content in a change of several files; false when it was not read
    // whole or the stage failed.
    bool Stage(TFilesChange& Change) const;

private:
    void IndexPairs();

    std::string Path_ = RecusalFileName;
    std::vector<TDecision> Decisions_;
    std::vector<int> DamagedLines_;
    bool Unreadable_ = false;
    std::unordered_map<std::uint64_t, std::size_t> Pairs_; // the first decision of each pair
};

} // namespace korvane
