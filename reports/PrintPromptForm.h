#pragma once

#include <QDialog>
#include <QString>

#include "reports/PrintDestination.h"
#include "reports/RatingWarnings.h"

class QLabel;
class QPushButton;

namespace korvane {

// A Yes/No question before a printout of the whole position's ratings: Yes prints it (after the
// warning when ratings are missing, and the print dialog when it goes to the printer), No does
// not; either closes the question.
class TPrintPromptForm : public QDialog {
    Q_OBJECT
public:
    using TPrintRun = void (*)(QWidget* owner, const TPrintDestination& to);

    // title: the window's caption; the question is the title with a question mark.
    TPrintPromptForm(QWidget* owner, const char* name, const QString& title, int helpContext,
                     TPrintRun print);

    QLabel* Label1;
    QPushButton* YesBtn;
    QPushButton* NoBtn;
    // What the warning's Show button opens; set by whoever opens the prompt.
    TShowProgress ShowProgress;

    void YesBtnClick();

private:
    TPrintRun Print_;
};

} // namespace korvane
