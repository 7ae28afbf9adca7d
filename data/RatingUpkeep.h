#pragma once

#include <cstdint>

#include "data/DataBase.h"
#include "data/RateDataBase.h"
#include "data/SelectDataBase.h"

namespace korvane {

// A rating belongs to its criterion by place (the n-th rating, the n-th selected preferred
// criterion), and to its applicant and its member by ID. The changes that would part a rating
// from what it belongs to take it along in the same change: both files change, or neither, and
// on failure the object whose change was not made has stIOError in its Status.

// Deletes the selected preferred criterion at Index (from 0) from Selections and its ratings
// from Ratings: the ratings of the criteria after it move up one place.
bool DeletePreferredWithRatings(TSelectDataBase& Selections, int Index, TRateDataBase& Ratings);

// Which ID of a rating record names a record of a list.
enum class TRatingRole { Applicant, Member };

// The rating records naming ID in Role that hold a rating (above 0).
int CountRatingsOf(TRateDataBase& Ratings, TRatingRole Role, std::int32_t ID);
// Deletes the record at Index of People, whose ID is ID, with every rating record naming ID in
// Role.
bool DeleteWithRatings(TDataBase& People, std::int32_t Index, std::int32_t ID, TRatingRole Role,
                       TRateDataBase& Ratings);
// The ID for a new applicant or member: one more than the highest below 2000 in People, among
// the IDs in Role of Ratings and among those of Recusal.dat, so that a new record never receives
// ratings or decisions someone else was given.
std::int32_t NextFreeID(TDataBase& People, TRatingRole Role, TRateDataBase& Ratings);

} // namespace korvane
