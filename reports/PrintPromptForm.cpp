#include "reports/PrintPromptForm.h"

#include <QLabel>
#include <QPushButton>

#include <algorithm>

#include "platform/ui/Display.h"
#include "platform/ui/HelpWindow.h"
#include "platform/ui/ScreenKit.h"

namespace korvane {

TPrintPromptForm::TPrintPromptForm(QWidget* owner, const char* name, const QString& title,
                                   int helpContext, TPrintRun print)
    : QDialog(owner), Print_(print) {
    setObjectName(QString::fromLatin1(name));
    setWindowTitle(title);
    setWindowFlags(FixedDialogFlags());
    setFont(ScreenFont());
    SetHelpContext(this, helpContext);

    Label1 = new QLabel(title + QLatin1Char('?'), this);
    Label1->setObjectName(QStringLiteral("Label1"));
    QFont large = ScreenFont();
    large.setPixelSize(20);
    large.setBold(true);
    Label1->setFont(large);
    Label1->setAlignment(Qt::AlignCenter);
    // A longer question widens the window rather than losing its ends.
    const int width = std::max(320, Label1->sizeHint().width() + 32);
    setFixedSize(width, 120);
    Label1->setGeometry(8, 16, width - 16, 32);

    const int middle = width / 2;
    YesBtn = new QPushButton(QStringLiteral("&Yes"), this);
    YesBtn->setObjectName(QStringLiteral("YesBtn"));
    YesBtn->setGeometry(middle - 88, 76, 75, 25);
    YesBtn->setDefault(true);
    NoBtn = new QPushButton(QStringLiteral("&No"), this);
    NoBtn->setObjectName(QStringLiteral("NoBtn"));
    NoBtn->setGeometry(middle + 12, 76, 75, 25);
    connect(YesBtn, &QPushButton::clicked, this, &TPrintPromptForm::YesBtnClick);
    connect(NoBtn, &QPushButton::clicked, this, &QDialog::reject);
    CentreOnScreen(this);
}

void TPrintPromptForm::YesBtnClick() {
    const TPrintDestination to = SettingsDestination();
    if (ConfirmMissingRatings(this, {}, ShowProgress) && ConfirmPrint(this, to)) {
        Print_(this, to);
    }
    accept();
}

} // namespace korvane
