#pragma once

#include "data/RateDataBase.h"
#include "data/SelectDataBase.h"

namespace korvane {

// A rating belongs to its criterion by place (the n-th rating, the n-th selected preferred
// criterion). Deleting the selected preferred criterion at Index (from 0) from Selections takes
// its ratings out of Ratings in the same change: the ratings of the criteria after it move up one
// place. Both files change, or neither; false, with stIOError in the Status of the object whose
// file could not be written, when the change was not made.
bool DeletePreferredWithRatings(TSelectDataBase& Selections, int Index, TRateDataBase& Ratings);

} // namespace korvane
