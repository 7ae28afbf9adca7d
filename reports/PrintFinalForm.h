#pragma once

#include "reports/PrintPromptForm.h"

namespace korvane {

// The final rating sheet of the working directory's position: the committee's points per
// criterion, totals and final scores of every applicant, best first, on landscape pages; below
// the lines, the applicants whose final scores are equal and the rule that ordered them.
void PrintFinalRatingSheet(QWidget* owner, const TPrintDestination& to);

// The prompt of the Final Rating Sheet command.
class TPrintFinalForm : public TPrintPromptForm {
    Q_OBJECT
public:
    explicit TPrintFinalForm(QWidget* owner = nullptr);
};

} // namespace korvane
