#include "rating/NotRatingForm.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

#include "data/ChangeLog.h"
#include "data/ChangeText.h"
#include "platform/ui/ChangeMessages.h"
#include "platform/ui/CodePage.h"
#include "platform/ui/HelpWindow.h"
#include "platform/ui/MessageBox.h"
#include "platform/ui/RadioGroup.h"
#include "platform/ui/ScreenKit.h"

namespace korvane {

namespace {

constexpr int HelpContextNumber = 190;
// The items of the radio group.
enum { Recused, Abstained, RatingAfterAll };

} // namespace

TNotRatingForm::TNotRatingForm(QWidget* owner) : QDialog(owner) {
    setObjectName(QStringLiteral("NotRatingForm"));
    setWindowTitle(QStringLiteral("Not Rating"));
    MakeFixedDialog(this, QSize(344, 204));
    setFont(ScreenFont());
    SetHelpContext(this, HelpContextNumber);

    Pair = NewLabel(this, "Pair", QString(), QRect(8, 8, 328, 32));
    Pair->setWordWrap(true);

    RadioGroup1 =
        new TRadioGroup(QStringLiteral("Decision"),
                        {QStringLiteral("&Recused (A Conflict Of Interest)"),
                         QStringLiteral("&Abstained"), QStringLiteral("Rating After A&ll")},
                        this);
    RadioGroup1->setObjectName(QStringLiteral("RadioGroup1"));
    RadioGroup1->setGeometry(8, 44, 328, 84);
    for (const QRadioButton* button : RadioGroup1->findChildren<QRadioButton*>()) {
        connect(button, &QRadioButton::toggled, this, &TNotRatingForm::ChoiceChanged);
    }

    QLabel* label = NewLabel(this, "Label1", QStringLiteral("Reas&on:"), QRect(8, 139, 48, 16));
    Reason = new QLineEdit(this);
    Reason->setObjectName(QStringLiteral("Reason"));
    Reason->setMaxLength(static_cast<int>(MaxReasonLength));
    Reason->setGeometry(60, 136, 276, 22);
    label->setBuddy(Reason);

    OkBtn = NewButton(this, "OkBtn", "OK", QRect(8, 170, 100, 25));
    CancelBtn = NewButton(this, "CancelBtn", "Cancel", QRect(122, 170, 100, 25));
    HelpBtn = NewButton(this, "HelpBtn", "&Help", QRect(236, 170, 100, 25));
    OkBtn->setDefault(true);
    connect(OkBtn, &QPushButton::clicked, this, &TNotRatingForm::OkBtnClick);
    connect(CancelBtn, &QPushButton::clicked, this, &QDialog::reject);
    connect(HelpBtn, &QPushButton::clicked, this, [] { ShowHelpTopic(HelpContextNumber); });
    RadioGroup1->SetItemIndex(Recused);
}

void TNotRatingForm::SetPair(const QString& Member, const QString& Applicant,
                             const TDecision* Decision) {
    Pair->setText(QStringLiteral("Committee Member %1 On Applicant %2").arg(Member, Applicant));
    RadioGroup1->SetItemIndex(
        Decision != nullptr && Decision->Kind == TDecisionKind::Abstained ? Abstained : Recused);
    Reason->setText(Decision != nullptr ? FromCodePage(Decision->Reason) : QString());
    // Arrows change the choice from here; Tab goes on to the reason.
    for (QRadioButton* button : RadioGroup1->findChildren<QRadioButton*>()) {
        if (button->isChecked()) {
            button->setFocus();
        }
    }
}

std::optional<TDecisionKind> TNotRatingForm::Kind() const {
    switch (RadioGroup1->ItemIndex()) {
    case Recused:
        return TDecisionKind::Recused;
    case Abstained:
        return TDecisionKind::Abstained;
    default:
        return std::nullopt;
    }
}

QString TNotRatingForm::ReasonText() const {
    return Kind() ? Reason->text().trimmed() : QString();
}

void TNotRatingForm::ChoiceChanged() {
    Reason->setEnabled(Kind().has_value());
}

void TNotRatingForm::OkBtnClick() {
    if (Kind() == TDecisionKind::Recused && ReasonText().isEmpty()) {
        ShowError(QStringLiteral("Error: A Recusal Needs A Reason"), this);
        activateWindow(); // back from the message
        Reason->setFocus();
        return;
    }
    accept();
}

void LogDecision(const char* Command, const TDecision* Before, const TDecision* After,
                 QWidget* Parent) {
    const TDecision* pair = After ? After : Before;
    if (!LogChange({Command, DecisionChange(Before, After), pair->ApplicantID, pair->CommitteeID})
             .Ok()) {
        ShowChangeNotLogged(Parent);
    }
}

} // namespace korvane
