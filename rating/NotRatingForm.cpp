#include "rating/NotRatingForm.h"

#include <QButtonGroup>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include "platform/ui/CodePage.h"
#include "platform/ui/HelpWindow.h"
#include "platform/ui/MessageBox.h"
#include "platform/ui/ScreenKit.h"

namespace korvane {

namespace {

constexpr int HelpContextNumber = 190;

} // namespace

TNotRatingForm::TNotRatingForm(QWidget* owner) : QDialog(owner) {
    setObjectName(QStringLiteral("NotRatingForm"));
    setWindowTitle(QStringLiteral("Not Rating"));
    MakeFixedDialog(this, QSize(344, 204));
    setFont(ScreenFont());
    SetHelpContext(this, HelpContextNumber);

    Pair = NewLabel(this, "Pair", QString(), QRect(8, 8, 328, 32));
    Pair->setWordWrap(true);

    auto* group = new QGroupBox(QStringLiteral("Decision"), this);
    group->setObjectName(QStringLiteral("GroupBox1"));
    group->setGeometry(8, 44, 328, 84);
    RecusedBtn = new QRadioButton(QStringLiteral("&Recused (A Conflict Of Interest)"), group);
    RecusedBtn->setObjectName(QStringLiteral("RecusedBtn"));
    AbstainedBtn = new QRadioButton(QStringLiteral("&Abstained"), group);
    AbstainedBtn->setObjectName(QStringLiteral("AbstainedBtn"));
    RatingBtn = new QRadioButton(QStringLiteral("Rating After A&ll"), group);
    RatingBtn->setObjectName(QStringLiteral("RatingBtn"));
    auto* layout = new QVBoxLayout(group);
    layout->setSpacing(2);
    layout->setContentsMargins(8, 4, 8, 4);
    for (QRadioButton* button : {RecusedBtn, AbstainedBtn, RatingBtn}) {
        layout->addWidget(button);
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
    RecusedBtn->setChecked(true);
}

void TNotRatingForm::SetPair(const QString& Member, const QString& Applicant,
                             const TDecision* Decision) {
    Pair->setText(QStringLiteral("Committee Member %1 On Applicant %2").arg(Member, Applicant));
    if (Decision == nullptr) {
        RecusedBtn->setChecked(true);
        Reason->clear();
    } else {
        (Decision->Kind == TDecisionKind::Recused ? RecusedBtn : AbstainedBtn)->setChecked(true);
        Reason->setText(FromCodePage(Decision->Reason));
    }
    // Arrows change the choice from here; Tab goes on to the reason.
    for (QRadioButton* button : {RecusedBtn, AbstainedBtn, RatingBtn}) {
        if (button->isChecked()) {
            button->setFocus();
        }
    }
}

std::optional<TDecisionKind> TNotRatingForm::Kind() const {
    if (RecusedBtn->isChecked()) {
        return TDecisionKind::Recused;
    }
    if (AbstainedBtn->isChecked()) {
        return TDecisionKind::Abstained;
    }
    return std::nullopt;
}

QString TNotRatingForm::ReasonText() const {
    return Kind() ? Reason->text().trimmed() : QString();
}

void TNotRatingForm::ChoiceChanged() {
    Reason->setEnabled(!RatingBtn->isChecked());
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

} // namespace korvane
