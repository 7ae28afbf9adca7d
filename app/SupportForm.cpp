#include "app/SupportForm.h"

#include <QFrame>
#include <QLabel>
#include <QPushButton>

#include <map>

#include "data/ProcessState.h"
#include "platform/ui/CodePage.h"
#include "platform/ui/Display.h"
#include "platform/ui/HelpWindow.h"
#include "platform/ui/ScreenKit.h"

namespace korvane {

TSupportForm::TSupportForm(QWidget* owner) : QDialog(owner) {
    setWindowTitle(QStringLiteral("Support"));
    setWindowFlags(Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowSystemMenuHint |
                   Qt::WindowCloseButtonHint);
    setFixedSize(428, 222);
    SetHelpContext(this, 60);

    Panel1 = new QFrame(this);
    Panel1->setObjectName(QStringLiteral("Panel1"));
    Panel1->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    Panel1->setGeometry(16, 16, 401, 153);

    QFont heading = ScreenFont();
    heading.setPixelSize(13);
    heading.setBold(true);
    Label1 = new QLabel(QStringLiteral("Technical Support:"), Panel1);
    Label1->setObjectName(QStringLiteral("Label1"));
    Label1->setFont(heading);
    Label1->setGeometry(8, 16, 200, 16);
    Label2 = new QLabel(QStringLiteral("Rating Support:"), Panel1);
    Label2->setObjectName(QStringLiteral("Label2"));
    Label2->setFont(heading);
    Label2->setGeometry(8, 80, 200, 16);

    TechName1 = ContactLabel("TechName1", 32, false);
    TechName2 = ContactLabel("TechName2", 48, false);
    TechName3 = ContactLabel("TechName3", 64, false);
    RateName1 = ContactLabel("RateName1", 96, false);
    Ratename2 = ContactLabel("Ratename2", 112, false);
    Ratename3 = ContactLabel("Ratename3", 128, false);
    TechPhone1 = ContactLabel("TechPhone1", 32, true);
    TechPhone2 = ContactLabel("TechPhone2", 48, true);
    TechPhone3 = ContactLabel("TechPhone3", 64, true);
    RatePhone1 = ContactLabel("RatePhone1", 96, true);
    RatePhone2 = ContactLabel("RatePhone2", 112, true);
    RatePhone3 = ContactLabel("RatePhone3", 128, true);
    TechName1->setText(QStringLiteral("No Support File Found"));
    TechName1->setVisible(true);

    OkBtn = new QPushButton(QStringLiteral("OK"), this);
    OkBtn->setObjectName(QStringLiteral("OkBtn"));
    OkBtn->setGeometry(176, 184, 75, 25);
    OkBtn->setDefault(true);
    connect(OkBtn, &QPushButton::clicked, this, &QDialog::accept);

    FormCreate();
    CentreOnScreen(this);
}

QLabel* TSupportForm::ContactLabel(const char* name, int y, bool phone) {
    auto* label = new QLabel(Panel1);
    label->setObjectName(QString::fromLatin1(name));
    if (phone) {
        label->setGeometry(200, y, 190, 16);
        label->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    } else {
        label->setGeometry(24, y, 220, 16);
    }
    label->setVisible(false);
    return label;
}

void TSupportForm::FormCreate() {
    const std::map<QString, QLabel*> labels = {
        {QStringLiteral("TECHNAME1"), TechName1},   {QStringLiteral("TECHNAME2"), TechName2},
        {QStringLiteral("TECHNAME3"), TechName3},   {QStringLiteral("TECHPHONE1"), TechPhone1},
        {QStringLiteral("TECHPHONE2"), TechPhone2}, {QStringLiteral("TECHPHONE3"), TechPhone3},
        {QStringLiteral("RATENAME1"), RateName1},   {QStringLiteral("RATENAME2"), Ratename2},
        {QStringLiteral("RATENAME3"), Ratename3},   {QStringLiteral("RATEPHONE1"), RatePhone1},
        {QStringLiteral("RATEPHONE2"), RatePhone2}, {QStringLiteral("RATEPHONE3"), RatePhone3}};
    ReadSupportFile([&labels](const std::string& key, const std::string& value) {
        const auto found = labels.find(QString::fromLatin1(key));
        if (found != labels.end() && !value.empty()) {
            found->second->setText(FromCodePage(value));
            found->second->setVisible(true);
        }
    });
}

} // namespace korvane
