#pragma once

#include <QDialog>
#include <QString>

class QLabel;
class QLineEdit;
class QPushButton;

namespace korvane {

// Asks why the finalised final rating is to be reopened; Reopen is pressed only with a reason.
class TReopenFinalForm : public QDialog {
    Q_OBJECT
public:
    // Finalised: when and by whom, as the user reads it.
    explicit TReopenFinalForm(QWidget* owner = nullptr, const QString& Finalised = {});

    QLabel* Label1;
    QLineEdit* Reason;
    QPushButton* ReopenBtn;
    QPushButton* CancelBtn;

    // The reason typed, without the blanks around it.
    QString ReasonText() const;
};

} // namespace korvane
