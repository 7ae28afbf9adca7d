#pragma once

#include <QDialog>

#include "reports/PrintDestination.h"
#include "reports/RatingWarnings.h"

class QLabel;
class QPushButton;

namespace korvane {

// The final rating sheet of the working directory's position: the committee's points per
// criterion, totals and final scores of every applicant, best first, on landscape pages.
void PrintFinalRatingSheet(QWidget* owner, const TPrintDestination& to);

// The prompt of the Final Rating Sheet command: Yes prints the sheet (after the warning when
// ratings are missing, and the print dialog when it goes to the printer), No does not; either
// closes the prompt.
class TPrintFinalForm : public QDialog {
    Q_OBJECT
public:
    explicit TPrintFinalForm(QWidget* owner = nullptr);

    QLabel* Label1;
    QPushButton* YesBtn;
    QPushButton* NoBtn;
    // What the warning's Show button opens; set by whoever opens the prompt.
    TShowProgress ShowProgress;

    void YesBtnClick();
};

} // namespace korvane
