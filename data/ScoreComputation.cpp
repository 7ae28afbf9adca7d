#include "data/ScoreComputation.h"

#include <algorithm>
#include <cmath>
#include <compare>
#include <fstream>

#include "data/DecidedRatings.h"
#include "data/FileNames.h"

namespace korvane {

namespace {

// Every whole record of a file, read in one go. The record-file object is created first so that
// a missing file is created empty and a file it cannot open counts as empty, as for every reader.
template <class TFile, class Codec>
std::vector<typename Codec::TRecord> ReadAll(const char* FileName) {
    std::vector<typename Codec::TRecord> records;
    std::int32_t count = 0;
    {
        const TFile file(FileName);
        if (!file.Opened() || file.LastIndex() < 0) {
            return records;
        }
        count = file.LastIndex() + 1;
    }
    std::vector<unsigned char> bytes(static_cast<std::size_t>(count) * Codec::Size);
    std::ifstream in(FileName, std::ios::binary);
    in.read(reinterpret_cast<char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    const auto whole = static_cast<std::size_t>(in.gcount()) / Codec::Size;
    records.resize(whole);
    for (std::size_t i = 0; i < whole; ++i) {
        Codec::Decode(bytes.data() + i * Codec::Size, records[i]);
    }
    return records;
}

// Sum / Count (Count > 0, Sum >= 0) to the nearest integer, halves to even.
std::int64_t RoundedAverage(std::int64_t Sum, std::int64_t Count) {
    std::int64_t quotient = Sum / Count;
    const std::int64_t twice = 2 * (Sum % Count);
    if (twice > Count || (twice == Count && quotient % 2 != 0)) {
        ++quotient;
    }
    return quotient;
}

// Unsigned 128-bit arithmetic from 64-bit halves, enough for the veteran product.
struct TWide {
    std::uint64_t High = 0;
    std::uint64_t Low = 0;

    friend bool operator==(const TWide&, const TWide&) = default;
    friend auto operator<=>(const TWide& A, const TWide& B) {
        return A.High != B.High ? A.High <=> B.High : A.Low <=> B.Low;
    }
};

TWide Multiply(std::uint64_t A, std::uint64_t B) {
    const std::uint64_t a0 = A & 0xFFFFFFFFu, a1 = A >> 32;
    const std::uint64_t b0 = B & 0xFFFFFFFFu, b1 = B >> 32;
    const std::uint64_t p00 = a0 * b0, p01 = a0 * b1, p10 = a1 * b0, p11 = a1 * b1;
    const std::uint64_t middle = (p00 >> 32) + (p01 & 0xFFFFFFFFu) + (p10 & 0xFFFFFFFFu);
    return {p11 + (p01 >> 32) + (p10 >> 32) + (middle >> 32), (p00 & 0xFFFFFFFFu) | middle << 32};
}

// Value >> Shift, for 0 < Shift < 128.
TWide ShiftRight(TWide Value, int Shift) {
    if (Shift >= 64) {
        return {0, Value.High >> (Shift - 64)};
    }
    return {Value.High >> Shift, Value.Low >> Shift | Value.High << (64 - Shift)};
}

// The low Shift bits of Value, for 0 < Shift < 128.
TWide LowBits(TWide Value, int Shift) {
    if (Shift >= 64) {
        const int high = Shift - 64;
        return {high == 0 ? 0 : Value.High & ((std::uint64_t{1} << high) - 1), Value.Low};
    }
    return {0, Value.Low & ((std::uint64_t{1} << Shift) - 1)};
}

// 2 to the power Bit, for 0 <= Bit < 128.
TWide PowerOfTwo(int Bit) {
    return Bit >= 64 ? TWide{std::uint64_t{1} << (Bit - 64), 0} : TWide{0, std::uint64_t{1} << Bit};
}

std::string EliminationComment(std::int32_t ApplicantStatus) {
    if (ApplicantStatus <= 0) {
        return {};
    }
    return ("Eliminated In Level " + std::to_string(ApplicantStatus)).substr(0, MaxCommentsLength);
}

// What distinguishes a member's rating sheet from the final sheet.
struct TScoreRule {
    // The cells of the one member whose points, and comments, go on the lines; nullptr for the
    // whole committee's points and the elimination comments.
    const std::vector<TRatingCell>* Member = nullptr;
    std::int32_t MemberID = 0;
    const TRecusalFile* Decisions = nullptr;
    bool FillIn = false;
    bool FillRecused = true; // a recused member's criteria take the average
    bool Scored = true;      // the lines carry their total with veteran points
    bool InPoolOnly = false;
};

std::vector<TScoreLine> Compute(const TRatingData& Data, const TSettings& Settings,
                                const TScoreRule& Rule) {
    std::array<std::int64_t, RatingCount> weights{};
    for (std::size_t n = 0; n < RatingCount; ++n) {
        weights[n] = Data.Weight(n + 1);
    }
    const std::size_t members = Data.CommitteeIDs().size();
    const std::vector<TDataRecord>& applicants = Data.Applicants();
    std::vector<TScoreLine> lines;
    lines.reserve(applicants.size());
    for (std::size_t i = 0; i < applicants.size(); ++i) {
        const TDataRecord& applicant = applicants[i];
        const TDecidedRatings decided(*Rule.Decisions, applicant.ID, Data.CommitteeIDs(),
                                      Data.CommitteeCells(i));
        const TDecidedRatings own = Rule.Member != nullptr
                                        ? TDecidedRatings(*Rule.Decisions, applicant.ID,
                                                          {&Rule.MemberID, 1}, &(*Rule.Member)[i])
                                        : decided;
        const TRatingCell* committee = decided.Cells();
        const bool fillIn = Rule.FillIn && applicant.ApplicantStatus == 0;
        // The committee's average per criterion, over the ratings given.
        std::array<std::int64_t, RatingCount> average{};
        if (fillIn || (Rule.FillRecused && own.AnyRecused())) {
            std::array<std::int64_t, RatingCount> sum{}, count{};
            for (std::size_t m = 0; m < members; ++m) {
                for (std::size_t n = 0; n < RatingCount; ++n) {
                    const std::int32_t r = CountedRating(committee[m].Rate[n]);
                    if (r > 0) {
                        sum[n] += r;
                        ++count[n];
                    }
                }
            }
            for (std::size_t n = 0; n < RatingCount; ++n) {
                average[n] = count[n] > 0 ? RoundedAverage(sum[n], count[n]) : 0;
            }
        }
        const TRatingCell* summed = own.Cells();
        const std::size_t summedCount = Rule.Member != nullptr ? 1 : members;
        TScoreLine line;
        std::int64_t maximumBase = 0;
        for (std::size_t m = 0; m < summedCount; ++m) {
            for (std::size_t n = 0; n < RatingCount; ++n) {
                std::int64_t& value = line.Values[n];
                bool marked = value < 0;
                std::int64_t r = CountedRating(summed[m].Rate[n]);
                if ((fillIn && r == 0) || (Rule.FillRecused && own.Recused(m))) {
                    r = average[n];
                    marked = true; // an average of 0 as well: it leaves the value 0
                }
                value = std::abs(value) + weights[n] * r;
                line.Total += weights[n] * r;
                if (Settings.ComputeVetOnMaxPoints && (!Settings.VetPrefOnRatedScores || r > 0)) {
                    maximumBase += weights[n] * 5;
                }
                if (marked) {
                    value = -value;
                }
            }
        }
        if (Rule.Scored) {
            const std::int64_t base = Settings.ComputeVetOnMaxPoints ? maximumBase : line.Total;
            line.VeteranPoints =
                VeteranPoints(VeteranRate(Settings, applicant.VeteranPreference), base);
            line.Score = line.Total + line.VeteranPoints;
        }
        if (Rule.Member == nullptr) {
            line.Comments = EliminationComment(applicant.ApplicantStatus);
        } else if (own.Decision(0) != nullptr) {
            line.Comments = own.Recused(0) ? "Recused" : "Abstained";
        } else if (summed->Record != nullptr) {
            line.Comments = summed->Record->Comments;
        }
        // The sheet prints the first applicant record with the ID.
        const TDataRecord& shown = *Data.Applicant(applicant.ID);
        line.ApplicantID = applicant.ID;
        line.Mark = shown.Mark;
        line.Name = shown.Description;
        line.ApplicantStatus = shown.ApplicantStatus;
        if (!Rule.InPoolOnly || line.ApplicantStatus == 0) {
            lines.push_back(std::move(line));
        }
    }
    std::stable_sort(lines.begin(), lines.end(),
                     [](const TScoreLine& A, const TScoreLine& B) { return A.Score > B.Score; });
    return lines;
}

} // namespace

TRatingData TRatingData::ReadWorkingDirectory() {
    TRatingData data;
    data.Applicants_ = ReadAll<TDataBase, TDataRecordCodec>(ApplicantFileName);
    for (std::size_t i = 0; i < data.Applicants_.size(); ++i) {
        data.ApplicantIndex_.emplace(data.Applicants_[i].ID, i);
    }
    for (const TDataRecord& member : ReadAll<TDataBase, TDataRecordCodec>(CommitteeFileName)) {
        data.MemberIndex_.emplace(member.ID, data.CommitteeIDs_.size());
        data.CommitteeIDs_.push_back(member.ID);
    }
    data.Criteria_ = ReadAll<TSelectDataBase, TSelectRecordCodec>(PreferredFileName);
    for (std::size_t n = 0; n < data.Weights_.size() && n < data.Criteria_.size(); ++n) {
        data.Weights_[n] = data.Criteria_[n].Weight;
    }
    data.Ratings_ = ReadAll<TRateDataBase, TRateRecordCodec>(RatingFileName);

    // One pass over the ratings fills the table; the first record of a pair wins.
    const std::size_t members = data.CommitteeIDs_.size();
    data.Cells_.assign(data.Applicants_.size() * members, TRatingCell{});
    for (const TRateRecord& rating : data.Ratings_) {
        const auto applicant = data.ApplicantIndex_.find(rating.ApplicantID);
        const auto member = data.MemberIndex_.find(rating.CommitteeID);
        if (applicant == data.ApplicantIndex_.end() || member == data.MemberIndex_.end()) {
            continue;
        }
        TRatingCell& cell = data.Cells_[applicant->second * members + member->second];
        if (cell.Record == nullptr) {
            cell = {rating.Rate, &rating};
        }
    }
    // Applicants or members that share an ID share the cells of the first of them.
    for (std::size_t i = 0; i < data.Applicants_.size(); ++i) {
        const std::size_t first = data.ApplicantIndex_.at(data.Applicants_[i].ID);
        if (first != i) {
            std::copy_n(data.Cells_.begin() + static_cast<std::ptrdiff_t>(first * members), members,
                        data.Cells_.begin() + static_cast<std::ptrdiff_t>(i * members));
        }
    }
    for (std::size_t m = 0; m < members; ++m) {
        const std::size_t first = data.MemberIndex_.at(data.CommitteeIDs_[m]);
        for (std::size_t i = 0; first != m && i < data.Applicants_.size(); ++i) {
            data.Cells_[i * members + m] = data.Cells_[i * members + first];
        }
    }
    return data;
}

const TDataRecord* TRatingData::Applicant(std::int32_t ID) const {
    const auto found = ApplicantIndex_.find(ID);
    return found == ApplicantIndex_.end() ? nullptr : &Applicants_[found->second];
}

int TRatingData::Weight(std::size_t N) const {
    return N >= 1 && N <= Weights_.size() ? Weights_[N - 1] : 0;
}

const TRateRecord* TRatingData::Rating(std::int32_t ApplicantID, std::int32_t CommitteeID) const {
    const auto applicant = ApplicantIndex_.find(ApplicantID);
    const auto member = MemberIndex_.find(CommitteeID);
    if (applicant != ApplicantIndex_.end() && member != MemberIndex_.end()) {
        return Cells_[applicant->second * CommitteeIDs_.size() + member->second].Record;
    }
    for (const TRateRecord& rating : Ratings_) {
        if (rating.ApplicantID == ApplicantID && rating.CommitteeID == CommitteeID) {
            return &rating;
        }
    }
    return nullptr;
}

std::vector<TRatingCell> TRatingData::MemberCells(std::int32_t CommitteeID) const {
    std::vector<TRatingCell> cells(Applicants_.size());
    const auto member = MemberIndex_.find(CommitteeID);
    if (member != MemberIndex_.end()) {
        for (std::size_t i = 0; i < cells.size(); ++i) {
            cells[i] = CommitteeCells(i)[member->second];
        }
        return cells;
    }
    for (const TRateRecord& rating : Ratings_) {
        const auto applicant = ApplicantIndex_.find(rating.ApplicantID);
        if (rating.CommitteeID == CommitteeID && applicant != ApplicantIndex_.end() &&
            cells[applicant->second].Record == nullptr) {
            cells[applicant->second] = {rating.Rate, &rating};
        }
    }
    for (std::size_t i = 0; i < cells.size(); ++i) {
        cells[i] = cells[ApplicantIndex_.at(Applicants_[i].ID)];
    }
    return cells;
}

bool TScoreLine::Marked() const {
    return std::any_of(Values.begin(), Values.end(), [](std::int64_t v) { return v < 0; });
}

std::vector<TScoreLine> ComputeFinalRating(const TRatingData& Data, const TSettings& Settings,
                                           const TRecusalFile& Decisions) {
    TScoreRule rule;
    rule.Decisions = &Decisions;
    rule.FillIn = Settings.FillInBlankRatings;
    return Compute(Data, Settings, rule);
}

std::vector<TScoreLine> ComputeMemberRating(const TRatingData& Data, const TSettings& Settings,
                                            std::int32_t CommitteeID, bool PrintTotals,
                                            const TRecusalFile& Decisions) {
    const std::vector<TRatingCell> cells = Data.MemberCells(CommitteeID);
    TScoreRule rule;
    rule.Member = &cells;
    rule.MemberID = CommitteeID;
    rule.Decisions = &Decisions;
    rule.FillRecused = PrintTotals;
    rule.FillIn = Settings.FillInBlankRatings && PrintTotals;
    rule.Scored = PrintTotals;
    rule.InPoolOnly = true;
    return Compute(Data, Settings, rule);
}

std::int64_t VeteranPoints(double Rate, std::int64_t Base) {
    if (!(Rate > 0.0 && Rate <= 1.0) || Base <= 0) {
        return 0;
    }
    // Rate = mantissa × 2^-shift exactly, with a mantissa below 2^53.
    int exponent = 0;
    const double fraction = std::frexp(Rate, &exponent);
    const auto mantissa = static_cast<std::uint64_t>(std::ldexp(fraction, 53));
    const int shift = 53 - exponent; // 52 or more, since Rate <= 1
    const TWide product = Multiply(mantissa, static_cast<std::uint64_t>(Base)); // below 2^116
    if (shift > 116) {
        return 0; // below one half
    }
    auto rounded = static_cast<std::int64_t>(ShiftRight(product, shift).Low);
    const TWide rest = LowBits(product, shift);
    const TWide half = PowerOfTwo(shift - 1);
    if (rest > half || (rest == half && rounded % 2 != 0)) {
        ++rounded;
    }
    return rounded;
}

double VeteranRate(const TSettings& Settings, double VeteranPreference) {
    const int index = VeteranIndex(VeteranPreference);
    // VeteranIndex keeps to the table today; a later choice without a rate gets none.
    return index >= 0 && static_cast<std::size_t>(index) < Settings.VeteranRates.size()
               ? Settings.VeteranRates[static_cast<std::size_t>(index)]
               : 0.0;
}

} // namespace korvane
