#pragma once

#include <string>

#include "data/ApplicantImport.h"
#include "data/DataBase.h"
#include "data/RateDataBase.h"
#include "data/RatingMerge.h"
#include "data/RecusalFile.h"
#include "data/SelectDataBase.h"

// What a change did, in the program's own terms, for the change log (UTF-8; the names of the
// records are code-page bytes). Each gives the empty text when nothing changed.
namespace korvane {

// The lists of named records.
enum class TNamedList { Members, Applicants, SampleRequired, SamplePreferred };

// An add (no Before), an edit or a delete (no After) of a named record: member 12 "SMITH JOHN"
// added; applicant 4711 status 0 → 2; sample required criterion 3 "DEGREE" deleted.
std::string NamedRecordChange(TNamedList List, const TDataRecord* Before, const TDataRecord* After);

// The lists of selected criteria.
enum class TSelectionList { Required, Preferred };

// An add, edit or delete of the selection numbered Number (from 1), with the descriptions of the
// sample criteria before and after: selected required criterion 2 "DEGREE" added; weight of
// "TEAMWORK" 10 → 20.
std::string SelectionChange(TSelectionList List, int Number, const TSelectRecord* Before,
                            const TSelectRecord* After, const std::string& BeforeName,
                            const std::string& AfterName);

// A deletion that took Count rating records (or ratings) along: ", with 3 rating records".
std::string WithRatings(int Count, const char* What);

// A rating sheet stored over Before (the blank rating of the pair when it was new): rating of
// applicant 4711 by member 3, criterion 2: 3 → 4.
std::string RatingChange(const TRateRecord& Before, const TRateRecord& After, bool New);

// A recusal or abstention recorded over Before (none when new), or lifted (no After): decision
// of member 3 on applicant 4711: none → recused "BROTHER".
std::string DecisionChange(const TDecision* Before, const TDecision* After);

// An import that stored applicants: "Korvane Updated": 214 applicants.
std::string ImportChange(const TImportResult& Result);

// A merge of a disk's ratings that was made: ratings merged: 2 added, 1 combined, 0 unchanged,
// 1 conflict (1 taken from the disk), 0 skipped.
std::string MergeChange(const TMergeCounts& Counts);

} // namespace korvane
