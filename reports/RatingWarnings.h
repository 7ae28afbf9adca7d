#pragma once

#include <QString>

#include <cstdint>
#include <functional>
#include <span>

#include "data/RatingProgress.h"
#include "data/RecusalFile.h"

class QWidget;

namespace korvane {

// Which lines of Recusal.dat were skipped as damaged ("Error: Lines 3 And 7 Of Recusal.dat Are
// Damaged And Were Skipped"), or that it could not be read; empty when it was read whole.
QString DecisionsDamageText(const TRecusalFile& File);
// Says it in a message box, when there is anything to say.
void ShowDecisionsDamage(const TRecusalFile& File, QWidget* Parent);
// Why a change of Recusal.dat was not made; empty when it was.
QString DecisionsWriteText(TDecisionsWrite Result);

// The names of a decision's member and applicant; one that is gone by its ID ("ID 9, No Longer A
// Member").
QString DecisionMemberText(const TDecisionRow& Row);
QString DecisionApplicantText(const TDecisionRow& Row);

// The warning before a printout that rests on ratings still missing ("Warning: 7 Ratings Are
// Missing (3 Committee Members, 4 Applicants)"); empty when none is missing.
QString MissingRatingsText(const TMissingRatings& Missing);
// The same warning, or the word that nothing is missing.
QString ProgressVerdictText(const TMissingRatings& Missing);

// Opens the screen that shows where the rating stands, modally over Owner.
using TShowProgress = std::function<void(QWidget* Owner)>;

// Before a printout that rests on the ratings: when ratings of these members (every member when
// none is named) are missing, says how many and asks. Show opens the progress screen through
// ShowProgress and asks again after it, Print Anyway (or GoOn) goes on, Cancel stops. True to
// go on.
bool ConfirmMissingRatings(QWidget* Owner, std::span<const std::int32_t> Members,
                           const TShowProgress& ShowProgress,
                           const QString& GoOn = QStringLiteral("&Print Anyway"));

} // namespace korvane
