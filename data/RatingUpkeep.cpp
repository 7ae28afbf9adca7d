#include "data/RatingUpkeep.h"

#include <algorithm>

#include "data/RecusalFile.h"

namespace korvane {

namespace {

std::int32_t IDIn(const TRateRecord& Rec, TRatingRole Role) {
    return Role == TRatingRole::Applicant ? Rec.ApplicantID : Rec.CommitteeID;
}

} // namespace

bool DeletePreferredWithRatings(TSelectDataBase& Selections, int Index, TRateDataBase& Ratings) {
    TFilesChange together;
    Selections.JoinChange(together);
    Ratings.JoinChange(together);
    const std::int32_t before = Selections.LastIndex();
    Selections.Delete(Index);
    return Selections.LastIndex() != before && Ratings.RemoveRating(Index + 1) && together.Commit();
}

int CountRatingsOf(TRateDataBase& Ratings, TRatingRole Role, std::int32_t ID) {
    int count = 0;
    TRateRecord rec;
    Ratings.First(rec);
    while (Ratings.Status() == 0) {
        const bool rated =
            std::any_of(rec.Rate.begin(), rec.Rate.end(), [](auto r) { return r > 0; });
        count += IDIn(rec, Role) == ID && rated ? 1 : 0;
        Ratings.Next(rec);
    }
    return count;
}

bool DeleteWithRatings(TDataBase& People, std::int32_t Index, std::int32_t ID, TRatingRole Role,
                       TRateDataBase& Ratings) {
    TFilesChange together;
    People.JoinChange(together);
    Ratings.JoinChange(together);
    const std::int32_t before = People.LastIndex();
    People.Delete(Index);
    return People.LastIndex() != before &&
           Ratings.RemoveRecords([&](const TRateRecord& Rec) { return IDIn(Rec, Role) == ID; }) &&
           together.Commit();
}

std::int32_t NextFreeID(TDataBase& People, TRatingRole Role, TRateDataBase& Ratings) {
    std::int32_t next = People.NextID();
    const auto passOver = [&next](std::int32_t ID) {
        if (ID >= next && ID < AutomaticIDLimit) {
            next = ID + 1;
        }
    };
    TRateRecord rec;
    Ratings.First(rec);
    while (Ratings.Status() == 0) {
        passOver(IDIn(rec, Role));
        Ratings.Next(rec);
    }
    // A decision on a record that is gone must not pass to a new one either.
    const TRecusalFile decisions = TRecusalFile::Read();
    for (const TDecision& decision : decisions.Decisions()) {
        passOver(Role == TRatingRole::Applicant ? decision.ApplicantID : decision.CommitteeID);
    }
    return next;
}

} // namespace korvane
