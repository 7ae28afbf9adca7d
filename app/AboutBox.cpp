#include "app/AboutBox.h"

#include <QFrame>
#include <QLabel>
#include <QPushButton>

#include "app/ProductPicture.h"
#include "platform/ui/Display.h"
#include "platform/ui/HelpWindow.h"

namespace korvane {

TAboutBox::TAboutBox(QWidget* owner) : QDialog(owner) {
    setWindowTitle(QStringLiteral("About"));
    setWindowFlags(Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowCloseButtonHint);
    setFixedSize(432, 317);
    SetHelpContext(this, 40);

    auto* panel = new QFrame(this);
    panel->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    panel->setGeometry(8, 8, 416, 257);

    const TProductLabels product = AddProductLabels(panel, {136, 16}, {136, 56});
    ProgramIcon = product.Picture;
    ProgramIcon->setObjectName(QStringLiteral("ProgramIcon"));
    ProductName = product.Name;
    Version = product.Version;

    auto* purpose = new QLabel(QStringLiteral("Ranks the applicants for one open position:\n"
                                              "committee, criteria, ratings and the final "
                                              "rating sheet."),
                               panel);
    purpose->setWordWrap(true);
    purpose->setGeometry(136, 84, 270, 60);

    OKButton = new QPushButton(QStringLiteral("OK"), this);
    OKButton->setObjectName(QStringLiteral("OKButton"));
    OKButton->setGeometry(178, 279, 75, 25);
    OKButton->setDefault(true);
    connect(OKButton, &QPushButton::clicked, this, &QDialog::accept);
    CentreOnScreen(this);
}

} // namespace korvane
