#include "app/ReopenFinalForm.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include "platform/ui/HelpWindow.h"
#include "platform/ui/MessageBox.h"
#include "platform/ui/ScreenKit.h"

namespace korvane {

namespace {
constexpr int FinaliseHelpContext = 560;
// Long enough for a sentence, short enough to stay one line of the log.
constexpr int MaxReasonLength = 200;
} // namespace

TReopenFinalForm::TReopenFinalForm(QWidget* owner, const QString& Finalised) : QDialog(owner) {
    setObjectName(QStringLiteral("ReopenFinalForm"));
    setWindowTitle(QStringLiteral("Reopen Final Rating"));
    setFont(ScreenFont());
    MakeFixedDialog(this, QSize(420, 132));
    SetHelpContext(this, FinaliseHelpContext);

    Label1 = NewLabel(this, "Label1",
                      QStringLiteral("The Final Rating Was Finalised On ") + Finalised +
                          QStringLiteral(".\nWhy Is It Reopened?"),
                      QRect(8, 8, 404, 32));
    NewLabel(this, "Label2", QStringLiteral("Reason:"), QRect(8, 55, 50, 16));
    Reason = new QLineEdit(this);
    Reason->setObjectName(QStringLiteral("Reason"));
    Reason->setMaxLength(MaxReasonLength);
    Reason->setGeometry(60, 52, 352, 22);

    ReopenBtn = NewButton(this, "ReopenBtn", "&Reopen", QRect(130, 96, 80, 25));
    CancelBtn = NewButton(this, "CancelBtn", "Cancel", QRect(220, 96, 80, 25));
    ReopenBtn->setEnabled(false);
    // Enter reopens, but only once a reason is typed.
    ReopenBtn->setDefault(true);
    connect(Reason, &QLineEdit::textChanged, this,
            [this] { ReopenBtn->setEnabled(!ReasonText().isEmpty()); });
    connect(ReopenBtn, &QPushButton::clicked, this, &QDialog::accept);
    connect(CancelBtn, &QPushButton::clicked, this,
            [this] { CloseWith(*this, TModalResult::Cancel); });
    Reason->setFocus();
}

QString TReopenFinalForm::ReasonText() const {
    return Reason->text().simplified();
}

} // namespace korvane
