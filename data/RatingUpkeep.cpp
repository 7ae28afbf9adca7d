#include "data/RatingUpkeep.h"

namespace korvane {

bool DeletePreferredWithRatings(TSelectDataBase& Selections, int Index, TRateDataBase& Ratings) {
    TFilesChange together;
    Selections.JoinChange(together);
    Ratings.JoinChange(together);
    const std::int32_t before = Selections.LastIndex();
    Selections.Delete(Index);
    return Selections.LastIndex() != before && Ratings.RemoveRating(Index + 1) && together.Commit();
}

} // namespace korvane
