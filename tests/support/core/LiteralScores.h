#pragma once

// The score runs done step by step, as slowly as written: a FindRating per applicant and member,
// SelectedWeight per criterion, the lines ranked by inserting work records one by one into
// TempFile.dat. The reference for the indexed computation in tests and benchmarks.

#include <array>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <limits>
#include <string>
#include <vector>

#include "data/DataBase.h"
#include "data/FileNames.h"
#include "data/ProcessState.h"
#include "data/RateDataBase.h"
#include "data/ScoreComputation.h"
#include "data/SetupCounts.h"

namespace korvane::test {

namespace literal {

inline std::int32_t RoundedAverage(std::int32_t Sum, std::int32_t Count) {
    return static_cast<std::int32_t>(std::nearbyint(static_cast<double>(Sum) / Count));
}

// With a 64-bit mantissa the product of a double and a base below 2^11 is exact.
inline std::int32_t RoundedProduct(double Rate, std::int32_t Base) {
    if constexpr (std::numeric_limits<long double>::digits >= 64) {
        return static_cast<std::int32_t>(std::nearbyint(static_cast<long double>(Rate) * Base));
    } else {
        return static_cast<std::int32_t>(VeteranPoints(Rate, Base));
    }
}

inline double Rate(const TSettings& Settings, double VeteranPreference) {
    const int index = VeteranIndex(VeteranPreference);
    return index <= 2 ? Settings.VeteranRates[static_cast<std::size_t>(index)] : 0.0;
}

// Reads the work file back as the sheet does, with the applicant of each record from
// Applicant.Dat; InPoolOnly keeps the applicants still in the pool.
inline std::vector<TScoreLine> SheetLines(TRateDataBase& Work, bool InPoolOnly, bool Scored) {
    std::vector<TScoreLine> lines;
    TDataBase applicants(ApplicantFileName);
    TRateRecord rec;
    for (Work.First(rec); Work.Status() == 0; Work.Next(rec)) {
        TDataRecord applicant;
        applicants.Find(applicant, rec.ApplicantID);
        if (InPoolOnly && applicant.ApplicantStatus != 0) {
            continue;
        }
        TScoreLine line;
        line.ApplicantID = rec.ApplicantID;
        line.Mark = applicant.Mark;
        line.Name = applicant.Description;
        line.ApplicantStatus = applicant.ApplicantStatus;
        for (std::size_t n = 0; n < RatingCount; ++n) {
            line.Values[n] = rec.Rate[n];
            line.Total += std::abs(rec.Rate[n]);
        }
        line.Score = rec.Sequence;
        line.VeteranPoints = Scored ? rec.Sequence - line.Total : 0;
        line.Comments = rec.Comments;
        lines.push_back(line);
    }
    return lines;
}

} // namespace literal

inline std::vector<TScoreLine> LiteralFinalRating(const TSettings& Settings,
                                                  const std::string& WorkFolder) {
    std::array<int, MaxSelectedCriteria> maxPoints{};
    MaxPoints(maxPoints);
    const std::string workName = WorkFolder + TempFileName;
    std::filesystem::remove(workName);
    std::vector<TScoreLine> lines;
    {
        TRateDataBase work(workName, TFileUse::Scratch);
        TRateDataBase ratings(RatingFileName);
        TDataBase applicants(ApplicantFileName);
        TDataBase committee(CommitteeFileName);
        TDataRecord applicant, member;
        TRateRecord rating;
        for (applicants.First(applicant); applicants.Status() == 0; applicants.Next(applicant)) {
            std::array<std::int32_t, RatingCount> count{}, sum{}, average{};
            if (Settings.FillInBlankRatings) {
                for (committee.First(member); committee.Status() == 0; committee.Next(member)) {
                    ratings.FindRating(rating, applicant.ID, member.ID);
                    for (std::size_t n = 0; n < RatingCount; ++n) {
                        const std::int32_t r = CountedRating(rating.Rate[n]);
                        if (r > 0) {
                            sum[n] += r;
                            ++count[n];
                        }
                    }
                }
                for (std::size_t n = 0; n < RatingCount; ++n) {
                    average[n] = count[n] > 0 ? literal::RoundedAverage(sum[n], count[n]) : 0;
                }
            }
            std::int32_t total = 0, maximumBase = 0;
            committee.First(member);
            TRateRecord record = BlankRating(applicant.ID, committee.Status() == 0 ? member.ID : 0);
            for (committee.First(member); committee.Status() == 0; committee.Next(member)) {
                ratings.FindRating(rating, applicant.ID, member.ID);
                for (std::size_t n = 0; n < RatingCount; ++n) {
                    bool marked = record.Rate[n] < 0;
                    const int w = SelectedWeight(static_cast<int>(n) + 1);
                    std::int32_t r = CountedRating(rating.Rate[n]);
                    if (Settings.FillInBlankRatings && r == 0 && applicant.ApplicantStatus == 0) {
                        r = average[n];
                        marked = true;
                    }
                    record.Rate[n] = std::abs(record.Rate[n]) + w * r;
                    total += w * r;
                    if (Settings.ComputeVetOnMaxPoints &&
                        (!Settings.VetPrefOnRatedScores || r > 0)) {
                        maximumBase += maxPoints[n];
                    }
                    if (marked) {
                        record.Rate[n] = -std::abs(record.Rate[n]);
                    }
                }
            }
            const std::int32_t base = Settings.ComputeVetOnMaxPoints ? maximumBase : total;
            record.Sequence =
                total +
                literal::RoundedProduct(literal::Rate(Settings, applicant.VeteranPreference), base);
            if (applicant.ApplicantStatus > 0) {
                record.Comments =
                    ("Eliminated In Level " + std::to_string(applicant.ApplicantStatus))
                        .substr(0, MaxCommentsLength);
            }
            bool added = false;
            work.Insert(record, added);
        }
        lines = literal::SheetLines(work, false, true);
    }
    std::filesystem::remove(workName);
    return lines;
}

inline std::vector<TScoreLine> LiteralMemberRating(const TSettings& Settings,
                                                   std::int32_t CommitteeID, bool PrintTotals,
                                                   const std::string& WorkFolder) {
    std::array<int, MaxSelectedCriteria> maxPoints{};
    MaxPoints(maxPoints);
    std::vector<std::int32_t> identifiers;
    {
        TDataBase committee(CommitteeFileName);
        TDataRecord member;
        for (committee.First(member); committee.Status() == 0; committee.Next(member)) {
            identifiers.push_back(member.ID);
        }
    }
    const std::string workName = WorkFolder + TempFileName;
    std::filesystem::remove(workName);
    std::vector<TScoreLine> lines;
    {
        TRateDataBase work(workName, TFileUse::Scratch);
        TRateDataBase ratings(RatingFileName);
        TDataBase applicants(ApplicantFileName);
        TDataRecord applicant;
        TRateRecord rating;
        for (applicants.First(applicant); applicants.Status() == 0; applicants.Next(applicant)) {
            std::array<std::int32_t, RatingCount> average{};
            if (Settings.FillInBlankRatings && PrintTotals) {
                std::array<std::int32_t, RatingCount> count{}, sum{};
                for (const std::int32_t id : identifiers) {
                    ratings.FindRating(rating, applicant.ID, id);
                    for (std::size_t n = 0; n < RatingCount; ++n) {
                        const std::int32_t r = CountedRating(rating.Rate[n]);
                        if (r > 0) {
                            sum[n] += r;
                            ++count[n];
                        }
                    }
                }
                for (std::size_t n = 0; n < RatingCount; ++n) {
                    average[n] = count[n] > 0 ? literal::RoundedAverage(sum[n], count[n]) : 0;
                }
            }
            ratings.FindRating(rating, applicant.ID, CommitteeID);
            TRateRecord record = BlankRating(applicant.ID, CommitteeID);
            record.Comments = rating.Comments;
            std::int32_t total = 0, maximumBase = 0;
            for (std::size_t n = 0; n < RatingCount; ++n) {
                const int w = SelectedWeight(static_cast<int>(n) + 1);
                std::int32_t r = CountedRating(rating.Rate[n]);
                if (Settings.FillInBlankRatings && r == 0 && applicant.ApplicantStatus == 0) {
                    r = -average[n];
                }
                record.Rate[n] = w * r;
                total += std::abs(record.Rate[n]);
                if (Settings.ComputeVetOnMaxPoints &&
                    (!Settings.VetPrefOnRatedScores || std::abs(record.Rate[n]) > 0)) {
                    maximumBase += maxPoints[n];
                }
            }
            const std::int32_t base = Settings.ComputeVetOnMaxPoints ? maximumBase : total;
            const std::int32_t veteran =
                literal::RoundedProduct(literal::Rate(Settings, applicant.VeteranPreference), base);
            record.Sequence = PrintTotals ? total + veteran : 0;
            bool added = false;
            work.Insert(record, added);
        }
        lines = literal::SheetLines(work, true, PrintTotals);
    }
    std::filesystem::remove(workName);
    return lines;
}

} // namespace korvane::test
