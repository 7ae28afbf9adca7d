#pragma once

#include <QDialog>
#include <QString>

#include <optional>

#include "data/RecusalFile.h"

class QLabel;
class QLineEdit;
class QPushButton;
namespace korvane {

class TRadioGroup;

// Why a committee member gives an applicant no rating: recused (a conflict of interest; a reason
// is required) or abstained (a reason may be given), or rating after all, which lifts the
// decision. Touches no file: the rating sheet reads the choice when it closes with OK.
class TNotRatingForm : public QDialog {
    Q_OBJECT
public:
    explicit TNotRatingForm(QWidget* owner = nullptr);

    QLabel* Pair;             // member and applicant
    TRadioGroup* RadioGroup1; // Recused, Abstained, Rating After All
    QLineEdit* Reason;
    QPushButton* OkBtn;
    QPushButton* CancelBtn;
    QPushButton* HelpBtn;

    // The pair, and the decision standing on it (nullptr: none).
    void SetPair(const QString& Member, const QString& Applicant, const TDecision* Decision);
    // The choice made: a decision kind, or nullopt for rating after all.
    std::optional<TDecisionKind> Kind() const;
    QString ReasonText() const;

    // Closes with OK, unless a recusal comes without its reason.
    void OkBtnClick();

private:
    void ChoiceChanged();
};

// Logs a decision recorded or lifted (After null) through Command, and warns when the change log
// missed it.
void LogDecision(const char* Command, const TDecision* Before, const TDecision* After,
                 QWidget* Parent);

} // namespace korvane
