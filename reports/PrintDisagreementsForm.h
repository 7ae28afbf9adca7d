#pragma once

#include "reports/PrintPromptForm.h"

namespace korvane {

// The committee's consensus agenda of the working directory's position, on landscape pages: for
// each applicant still in the pool, in the final sheet's order, each criterion whose members'
// ratings spread by the DISAGREEMENT setting or more, every member's rating under the member's
// name; then per member the ratings given and the mean difference from the other members.
// Ratings under a recusal or an abstention count nowhere.
void PrintRatingDisagreements(QWidget* owner, const TPrintDestination& to);

// The prompt of the Rating Disagreements command.
class TPrintDisagreementsForm : public TPrintPromptForm {
    Q_OBJECT
public:
    explicit TPrintDisagreementsForm(QWidget* owner = nullptr);
};

} // namespace korvane
