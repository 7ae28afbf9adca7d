#include "app/NewPositionForm.h"

#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include "app/PositionFolder.h"
#include "data/PositionFile.h"
#include "platform/ui/CodePage.h"
#include "platform/ui/HelpWindow.h"
#include "platform/ui/MessageBox.h"
#include "setup/ListScreen.h"

namespace korvane {

namespace {
constexpr int NewPositionHelpContext = 510;
} // namespace

TNewPositionForm::TNewPositionForm(QWidget* owner) : QDialog(owner) {
    setObjectName(QStringLiteral("NewPositionForm"));
    setWindowTitle(QStringLiteral("New Position"));
    setFont(ScreenFont());
    SetHelpContext(this, NewPositionHelpContext);

    TitleEdit = new QLineEdit(this);
    TitleEdit->setObjectName(QStringLiteral("TitleEdit"));
    TitleEdit->setMaxLength(80);
    FolderEdit = new QLineEdit(this);
    FolderEdit->setObjectName(QStringLiteral("FolderEdit"));
    FolderEdit->setMinimumWidth(300);
    BrowseBtn = new QPushButton(QStringLiteral("&Browse..."), this);
    BrowseBtn->setObjectName(QStringLiteral("BrowseBtn"));
    BrowseBtn->setAutoDefault(false);
    OkBtn = new QPushButton(QStringLiteral("OK"), this);
    OkBtn->setObjectName(QStringLiteral("OkBtn"));
    OkBtn->setDefault(true);
    CancelBtn = new QPushButton(QStringLiteral("Cancel"), this);
    CancelBtn->setObjectName(QStringLiteral("CancelBtn"));
    CancelBtn->setAutoDefault(false);

    auto* folderRow = new QHBoxLayout;
    folderRow->addWidget(FolderEdit);
    folderRow->addWidget(BrowseBtn);
    // A row of a layout gets no buddy of its own: the label is given one.
    auto* folderLabel = new QLabel(QStringLiteral("&Folder:"), this);
    folderLabel->setBuddy(FolderEdit);
    auto* form = new QFormLayout;
    form->addRow(QStringLiteral("&Title:"), TitleEdit);
    form->addRow(folderLabel, folderRow);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(OkBtn);
    buttons->addWidget(CancelBtn);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addLayout(buttons);
    setFixedSize(sizeHint());

    connect(TitleEdit, &QLineEdit::textChanged, this, &TNewPositionForm::UpdateOkBtn);
    connect(FolderEdit, &QLineEdit::textChanged, this, &TNewPositionForm::UpdateOkBtn);
    connect(BrowseBtn, &QPushButton::clicked, this, &TNewPositionForm::BrowseBtnClick);
    connect(OkBtn, &QPushButton::clicked, this, &TNewPositionForm::OkBtnClick);
    connect(CancelBtn, &QPushButton::clicked, this, &QDialog::reject);
    UpdateOkBtn();
}

QString TNewPositionForm::Folder() const {
    QString folder = FolderEdit->text().trimmed();
    if (folder == QStringLiteral("~") || folder.startsWith(QStringLiteral("~/"))) {
        folder = QDir::homePath() + folder.mid(1);
    }
    return QDir::cleanPath(QDir::home().absoluteFilePath(folder));
}

void TNewPositionForm::UpdateOkBtn() {
    OkBtn->setEnabled(!TitleEdit->text().trimmed().isEmpty() &&
                      !FolderEdit->text().trimmed().isEmpty());
}

void TNewPositionForm::BrowseBtnClick() {
    const QString folder = QFileDialog::getExistingDirectory(
        this, QStringLiteral("Folder Of The New Position"),
        FolderEdit->text().isEmpty() ? QDir::homePath() : Folder());
    if (!folder.isEmpty()) {
        FolderEdit->setText(folder);
    }
}

void TNewPositionForm::OkBtnClick() {
    const std::string folder = QFile::encodeName(Folder()).toStdString();
    std::string error;
    switch (CreatePosition(folder, ToCodePage(TitleEdit->text().trimmed()), error)) {
    case TNewPosition::Failed:
        ShowError(QString::fromStdString(error), this);
        return;
    case TNewPosition::Existing:
        ShowInformation(QStringLiteral("The Folder ") + Folder() +
                            QStringLiteral(" Already Holds The Position \"") +
                            FromCodePage(PositionTitleIn(folder + "/")) +
                            QStringLiteral("\"; It Is Opened As It Is."),
                        this);
        break;
    case TNewPosition::Created:
        break;
    }
    accept();
}

} // namespace korvane
