#include "data/ScoreComputation.h"

#include <algorithm>
#include <cmath>
#include <compare>
#include <limits>
#include <memory>

#include "data/DecidedRatings.h"
#include "data/FileNames.h"
#include "platform/sys/BinaryFile.h"
#include "platform/sys/InOutError.h"

namespace korvane {

namespace {

// Every whole record of a file, read with one read. A missing file is created empty through its
// record-file class and a file that cannot be opened counts as empty, as for every reader; a file
// that opens but cannot be read raises EInOutError rather than leaving its records out.
template <class TFile, class Codec>
std::vector<typename Codec::TRecord> ReadAll(const char* FileName) {
    std::vector<typename Codec::TRecord> records;
    TBinaryFile file;
    const TBinaryFile::TOpenOutcome outcome = file.OpenReadWrite(FileName);
    if (outcome == TBinaryFile::TOpenOutcome::Missing) {
        const TFile created(FileName);
    }
    if (outcome != TBinaryFile::TOpenOutcome::Opened) {
        return records;
    }
    const std::int64_t size = file.Size(); // raises EInOutError as the record files do
    // Not cleared first: the read fills it.
    const auto bytes =
        std::make_unique_for_overwrite<unsigned char[]>(static_cast<std::size_t>(size));
    const std::ptrdiff_t got = file.ReadAt(0, bytes.get(), static_cast<std::size_t>(size));
    if (got < 0) {
        throw EInOutError(std::string("Cannot read ") + FileName);
    }
    records.resize(static_cast<std::size_t>(got) / Codec::Size);
    for (std::size_t i = 0; i < records.size(); ++i) {
        Codec::Decode(bytes.get() + i * Codec::Size, records[i]);
    }
    return records;
}

// Sum / Count (Count > 0, Sum >= 0) to the nearest integer, halves to even.
template <class TInteger> TInteger RoundedQuotient(TInteger Sum, TInteger Count) {
    TInteger quotient = Sum / Count;
    const TInteger twice = 2 * (Sum % Count);
    if (twice > Count || (twice == Count && quotient % 2 != 0)) {
        ++quotient;
    }
    return quotient;
}

std::int64_t RoundedAverage(std::int64_t Sum, std::int64_t Count) {
    // A committee's sums fit 32 bits, whose division takes a fraction of the time.
    constexpr std::int64_t Small = std::numeric_limits<std::uint32_t>::max() / 2;
    if (Sum <= Small && Count <= Small) {
        return RoundedQuotient(static_cast<std::uint32_t>(Sum), static_cast<std::uint32_t>(Count));
    }
    return RoundedQuotient(Sum, Count);
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
    // By applicant, the rating record of the one member whose points, and comments, go on the
    // lines; nullptr for the whole committee's points and the elimination comments.
    const std::vector<const TRateRecord*>* Member = nullptr;
    std::int32_t MemberID = 0;
    const TRecusalFile* Decisions = nullptr;
    bool FillIn = false;
    bool FillRecused = true; // a recused member's criteria take the average
    bool Scored = true;      // the lines carry their total with veteran points
    bool InPoolOnly = false;
    // What orders equal scores before the applicant file does.
    std::span<const TTieRule> TieBreak;
};

// A line's place in the ranking: the key of its score, then of each tie rule in turn (lower
// first); rules not used leave 0.
using TRankKey = std::array<std::int64_t, 4>;

TRankKey RankKey(const TScoreLine& Line, std::int64_t VeteranChoice,
                 std::span<const TTieRule> TieBreak) {
    TRankKey key{-Line.Score};
    for (std::size_t r = 0; r < TieBreak.size() && r + 1 < key.size(); ++r) {
        switch (TieBreak[r]) {
        case TTieRule::Veteran:
            key[r + 1] = -VeteranChoice;
            break;
        case TTieRule::Points:
            key[r + 1] = -Line.Total;
            break;
        case TTieRule::ID:
            key[r + 1] = Line.ApplicantID;
            break;
        }
    }
    return key;
}

// The veteran choice of a stored preference as the tie rule ranks it: a choice without a rate
// in the table counts as none, as it earns no points.
std::int64_t VeteranChoice(const TSettings& Rules, double VeteranPreference) {
    const int index = VeteranIndex(VeteranPreference);
    return index > 0 && static_cast<std::size_t>(index) < Rules.VeteranRates.size() ? index : 0;
}

// The ratings given on each criterion by a set of members: their sum and how many there are.
struct TGiven {
    std::array<std::int64_t, RatingCount> Sum{};
    std::array<std::int64_t, RatingCount> Count{};

    // The ratings of one record, given by Seats places of the committee.
    void Add(const std::array<std::uint8_t, RatingCount>& Rate, std::int64_t Seats) {
        for (std::size_t n = 0; n < RatingCount; ++n) {
            Sum[n] += Rate[n] * Seats;
            Count[n] += Rate[n] > 0 ? Seats : 0;
        }
    }
};

std::vector<TScoreLine> Compute(const TRatingData& Data, const TSettings& Rules,
                                const TScoreRule& Rule) {
    std::array<std::int64_t, RatingCount> weights{};
    for (std::size_t n = 0; n < RatingCount; ++n) {
        weights[n] = Data.Weight(n + 1);
    }
    const std::size_t members = Data.CommitteeIDs().size();
    const std::vector<TDataRecord>& applicants = Data.Applicants();
    std::vector<TScoreLine> lines;
    lines.reserve(applicants.size());
    std::vector<std::int64_t> veteranChoices; // by line, for the tie rules
    veteranChoices.reserve(applicants.size());
    for (std::size_t i = 0; i < applicants.size(); ++i) {
        const TDataRecord& applicant = applicants[i];
        const TRateRecord* own = Rule.Member != nullptr ? (*Rule.Member)[i] : nullptr;
        const bool fillIn = Rule.FillIn && applicant.ApplicantStatus == 0;
        // Under a decision a member's ratings count as not given; recused seats are filled in.
        const TApplicantDecisions decided(*Rule.Decisions, Data, applicant.ID);
        const TDecision* ownDecision = Rule.Member != nullptr ? decided.Of(Rule.MemberID) : nullptr;
        const TRateRecord* ownRatings = ownDecision == nullptr ? own : nullptr;
        std::int64_t recused = 0;
        if (Rule.FillRecused && Rule.Member == nullptr) {
            recused = decided.RecusedSeats();
        } else if (Rule.FillRecused && ownDecision != nullptr) {
            recused = ownDecision->Kind == TDecisionKind::Recused ? 1 : 0;
        }
        // The committee's ratings: what the averages are taken over, and on the final sheet
        // what is summed. A member without a record gave none.
        TGiven given;
        if (fillIn || Rule.Member == nullptr || recused > 0) {
            for (const TMemberRating& rating : Data.CommitteeRatings(i)) {
                if (!decided.Decided(rating.Member)) {
                    given.Add(rating.Rate, Data.Seats(rating.Member));
                }
            }
        }
        // Per criterion: the ratings summed, with each blank filled in by the committee's
        // average (an average of 0 as well: it leaves the value 0 but marks it), and how many
        // of them are above 0.
        std::array<std::int64_t, RatingCount> sum{}, rated{};
        std::array<bool, RatingCount> marked{};
        std::int64_t summed = 1;
        if (Rule.Member == nullptr) {
            summed = static_cast<std::int64_t>(members);
        }
        for (std::size_t n = 0; n < RatingCount; ++n) {
            std::int64_t ratings = 0, blanks = 0;
            if (Rule.Member == nullptr) {
                ratings = given.Sum[n];
                rated[n] = given.Count[n];
                blanks = summed - given.Count[n];
            } else {
                ratings = ownRatings != nullptr ? CountedRating(ownRatings->Rate[n]) : 0;
                rated[n] = ratings > 0 ? 1 : 0;
                blanks = 1 - rated[n];
            }
            const std::int64_t filled = fillIn ? blanks : recused;
            if (filled > 0) {
                const std::int64_t average =
                    given.Count[n] > 0 ? RoundedAverage(given.Sum[n], given.Count[n]) : 0;
                ratings += filled * average;
                rated[n] += average > 0 ? filled : 0;
                marked[n] = true;
            }
            sum[n] = ratings;
        }
        TScoreLine line;
        std::int64_t maximumBase = 0;
        for (std::size_t n = 0; n < RatingCount; ++n) {
            const std::int64_t points = weights[n] * sum[n];
            line.Values[n] = marked[n] ? -points : points;
            line.Total += points;
            if (Rules.ComputeVetOnMaxPoints) {
                maximumBase += weights[n] * 5 * (Rules.VetPrefOnRatedScores ? rated[n] : summed);
            }
        }
        if (Rule.Scored) {
            const std::int64_t base = Rules.ComputeVetOnMaxPoints ? maximumBase : line.Total;
            line.VeteranPoints =
                VeteranPoints(VeteranRate(Rules, applicant.VeteranPreference), base);
            line.Score = line.Total + line.VeteranPoints;
        }
        if (Rule.Member == nullptr) {
            line.Comments = EliminationComment(applicant.ApplicantStatus);
        } else if (ownDecision != nullptr) {
            line.Comments = DecisionKindText(ownDecision->Kind);
        } else if (own != nullptr) {
            line.Comments = own->Comments;
        }
        // The sheet prints the first applicant record with the ID.
        const TDataRecord& shown = *Data.Applicant(applicant.ID);
        line.ApplicantID = applicant.ID;
        line.Mark = shown.Mark;
        line.Name = shown.Description;
        line.ApplicantStatus = shown.ApplicantStatus;
        if (!Rule.InPoolOnly || line.ApplicantStatus == 0) {
            lines.push_back(std::move(line));
            veteranChoices.push_back(VeteranChoice(Rules, applicant.VeteranPreference));
        }
    }
    // Best score first, equal scores by the tie rules and then in applicant-file order; the
    // lines are put in that order where they are, cycle by cycle.
    std::vector<std::pair<TRankKey, std::size_t>> order(lines.size());
    for (std::size_t k = 0; k < order.size(); ++k) {
        order[k] = {RankKey(lines[k], veteranChoices[k], Rule.TieBreak), k};
    }
    std::sort(order.begin(), order.end());
    for (std::size_t start = 0; start < order.size(); ++start) {
        if (order[start].second == start) {
            continue;
        }
        TScoreLine held = std::move(lines[start]);
        std::size_t at = start;
        while (order[at].second != start) {
            const std::size_t from = order[at].second;
            lines[at] = std::move(lines[from]);
            order[at].second = at;
            at = from;
        }
        lines[at] = std::move(held);
        order[at].second = at;
    }
    return lines;
}

} // namespace

TIdIndex::TIdIndex(const std::vector<std::int32_t>& IDs) {
    if (IDs.empty()) {
        return;
    }
    const auto [lowest, highest] = std::minmax_element(IDs.begin(), IDs.end());
    const std::int64_t range = std::int64_t{*highest} - *lowest + 1;
    if (range <= 4 * static_cast<std::int64_t>(IDs.size()) + 1024) {
        Lowest_ = *lowest;
        Table_.assign(static_cast<std::size_t>(range), 0);
        for (std::size_t place = IDs.size(); place-- > 0;) {
            Table_[static_cast<std::size_t>(IDs[place] - Lowest_)] =
                static_cast<std::uint32_t>(place + 1);
        }
        return;
    }
    Map_.reserve(IDs.size());
    for (std::size_t place = 0; place < IDs.size(); ++place) {
        Map_.emplace(IDs[place], place);
    }
}

std::size_t TIdIndex::Find(std::int32_t ID) const {
    if (!Table_.empty()) {
        const std::int64_t at = std::int64_t{ID} - Lowest_;
        if (at < 0 || at >= static_cast<std::int64_t>(Table_.size())) {
            return None;
        }
        const std::uint32_t place = Table_[static_cast<std::size_t>(at)];
        return place == 0 ? None : place - 1;
    }
    const auto found = Map_.find(ID);
    return found == Map_.end() ? None : found->second;
}

TRatingData TRatingData::ReadWorkingDirectory() {
    TRatingData data;
    data.Applicants_ = ReadAll<TDataBase, TDataRecordCodec>(ApplicantFileName);
    std::vector<std::int32_t> ids(data.Applicants_.size());
    for (std::size_t i = 0; i < ids.size(); ++i) {
        ids[i] = data.Applicants_[i].ID;
    }
    data.ApplicantIndex_ = TIdIndex(ids);
    for (const TDataRecord& member : ReadAll<TDataBase, TDataRecordCodec>(CommitteeFileName)) {
        data.CommitteeIDs_.push_back(member.ID);
    }
    data.MemberIndex_ = TIdIndex(data.CommitteeIDs_);
    data.Seats_.assign(data.CommitteeIDs_.size(), 0);
    for (const std::int32_t id : data.CommitteeIDs_) {
        ++data.Seats_[data.MemberIndex_.Find(id)];
    }
    data.Criteria_ = ReadAll<TSelectDataBase, TSelectRecordCodec>(PreferredFileName);
    for (std::size_t n = 0; n < data.Weights_.size() && n < data.Criteria_.size(); ++n) {
        data.Weights_[n] = data.Criteria_[n].Weight;
    }
    data.Ratings_ = ReadAll<TRateDataBase, TRateRecordCodec>(RatingFileName);

    // The records of applicants and members of the files, grouped by applicant in file order (a
    // counting sort); of the records of one pair the first stays.
    constexpr auto Skipped = static_cast<std::uint32_t>(-1);
    std::vector<std::pair<std::uint32_t, std::uint32_t>> places(data.Ratings_.size());
    std::vector<std::uint32_t> starts(data.Applicants_.size() + 1, 0);
    for (std::size_t r = 0; r < data.Ratings_.size(); ++r) {
        const std::size_t applicant = data.ApplicantIndex_.Find(data.Ratings_[r].ApplicantID);
        const std::size_t member = data.MemberIndex_.Find(data.Ratings_[r].CommitteeID);
        if (applicant == TIdIndex::None || member == TIdIndex::None) {
            places[r].first = Skipped;
            continue;
        }
        places[r] = {static_cast<std::uint32_t>(applicant), static_cast<std::uint32_t>(member)};
        ++starts[applicant + 1];
    }
    for (std::size_t i = 1; i < starts.size(); ++i) {
        starts[i] += starts[i - 1];
    }
    data.Entries_.resize(starts.back());
    std::vector<std::uint32_t> next(starts.begin(), starts.end() - 1);
    for (std::size_t r = 0; r < data.Ratings_.size(); ++r) {
        if (places[r].first == Skipped) {
            continue;
        }
        TMemberRating& entry = data.Entries_[next[places[r].first]++];
        entry.Member = places[r].second;
        for (std::size_t n = 0; n < RatingCount; ++n) {
            entry.Rate[n] = static_cast<std::uint8_t>(CountedRating(data.Ratings_[r].Rate[n]));
        }
        entry.Record = &data.Ratings_[r];
    }
    places = {};
    // A later record of a member for the same applicant is left out, closing the group up.
    std::vector<std::uint32_t> seenFor(data.CommitteeIDs_.size(), 0); // applicant place + 1
    data.Ranges_.resize(data.Applicants_.size());
    std::uint32_t kept = 0;
    for (std::uint32_t i = 0; i < data.Applicants_.size(); ++i) {
        const std::uint32_t first = kept;
        for (std::uint32_t e = starts[i]; e < starts[i + 1]; ++e) {
            std::uint32_t& seen = seenFor[data.Entries_[e].Member];
            if (seen != i + 1) {
                seen = i + 1;
                if (kept != e) {
                    data.Entries_[kept] = data.Entries_[e];
                }
                ++kept;
            }
        }
        data.Ranges_[i] = {first, kept};
    }
    data.Entries_.resize(kept);
    // Applicants that share an ID share the ratings of the first of them.
    for (std::size_t i = 0; i < data.Applicants_.size(); ++i) {
        data.Ranges_[i] = data.Ranges_[data.ApplicantIndex_.Find(data.Applicants_[i].ID)];
    }
    return data;
}

const TDataRecord* TRatingData::Applicant(std::int32_t ID) const {
    const std::size_t place = ApplicantIndex_.Find(ID);
    return place == TIdIndex::None ? nullptr : &Applicants_[place];
}

int TRatingData::Weight(std::size_t N) const {
    return N >= 1 && N <= Weights_.size() ? Weights_[N - 1] : 0;
}

std::span<const TMemberRating> TRatingData::CommitteeRatings(std::size_t Index) const {
    const auto [from, to] = Ranges_[Index];
    return {Entries_.data() + from, Entries_.data() + to};
}

const TRateRecord* TRatingData::Rating(std::int32_t ApplicantID, std::int32_t CommitteeID) const {
    const std::size_t applicant = ApplicantIndex_.Find(ApplicantID);
    const std::size_t member = MemberIndex_.Find(CommitteeID);
    if (applicant != TIdIndex::None && member != TIdIndex::None) {
        for (const TMemberRating& rating : CommitteeRatings(applicant)) {
            if (rating.Member == member) {
                return rating.Record;
            }
        }
        return nullptr;
    }
    for (const TRateRecord& rating : Ratings_) {
        if (rating.ApplicantID == ApplicantID && rating.CommitteeID == CommitteeID) {
            return &rating;
        }
    }
    return nullptr;
}

std::vector<const TRateRecord*> TRatingData::MemberRatings(std::int32_t CommitteeID) const {
    std::vector<const TRateRecord*> ratings(Applicants_.size(), nullptr);
    if (MemberIndex_.Find(CommitteeID) != TIdIndex::None) {
        for (std::size_t i = 0; i < ratings.size(); ++i) {
            ratings[i] = Rating(Applicants_[i].ID, CommitteeID);
        }
        return ratings;
    }
    for (const TRateRecord& rating : Ratings_) {
        const std::size_t applicant = ApplicantIndex_.Find(rating.ApplicantID);
        if (rating.CommitteeID == CommitteeID && applicant != TIdIndex::None &&
            ratings[applicant] == nullptr) {
            ratings[applicant] = &rating;
        }
    }
    for (std::size_t i = 0; i < ratings.size(); ++i) {
        ratings[i] = ratings[ApplicantIndex_.Find(Applicants_[i].ID)];
    }
    return ratings;
}

bool TScoreLine::Marked() const {
    return std::any_of(Values.begin(), Values.end(), [](std::int64_t v) { return v < 0; });
}

std::vector<TScoreLine> ComputeFinalRating(const TRatingData& Data, const TSettings& Rules,
                                           const TRecusalFile& Decisions) {
    TScoreRule rule;
    rule.Decisions = &Decisions;
    rule.FillIn = Rules.FillInBlankRatings;
    rule.TieBreak = Rules.TieBreak;
    return Compute(Data, Rules, rule);
}

std::vector<std::pair<std::size_t, std::size_t>>
EqualScoreRuns(const std::vector<TScoreLine>& Lines) {
    std::vector<std::pair<std::size_t, std::size_t>> runs;
    for (std::size_t first = 0; first < Lines.size();) {
        std::size_t end = first + 1;
        while (end < Lines.size() && Lines[end].Score == Lines[first].Score) {
            ++end;
        }
        if (end - first > 1) {
            runs.emplace_back(first, end);
        }
        first = end;
    }
    return runs;
}

std::vector<TScoreLine> ComputeMemberRating(const TRatingData& Data, const TSettings& Rules,
                                            std::int32_t CommitteeID, bool PrintTotals,
                                            const TRecusalFile& Decisions) {
    const std::vector<const TRateRecord*> ratings = Data.MemberRatings(CommitteeID);
    TScoreRule rule;
    rule.Member = &ratings;
    rule.MemberID = CommitteeID;
    rule.Decisions = &Decisions;
    rule.FillRecused = PrintTotals;
    rule.FillIn = Rules.FillInBlankRatings && PrintTotals;
    rule.Scored = PrintTotals;
    rule.InPoolOnly = true;
    return Compute(Data, Rules, rule);
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

double VeteranRate(const TSettings& Rules, double VeteranPreference) {
    return Rules.VeteranRates[static_cast<std::size_t>(VeteranChoice(Rules, VeteranPreference))];
}

} // namespace korvane
