#include "maintenance/UnInstallForm.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QPushButton>

#include "data/ProcessState.h"
#include "exchange/ExportForm.h"
#include "platform/sys/Uninstall.h"
#include "platform/ui/CodePage.h"
#include "platform/ui/HelpWindow.h"
#include "platform/ui/MessageBox.h"
#include "platform/ui/ScreenKit.h"

namespace korvane {

namespace {
constexpr int UninstallHelpContext = 490;
} // namespace

TUnInstallForm::TUnInstallForm(QWidget* owner) : QDialog(owner) {
    setObjectName(QStringLiteral("UnInstallForm"));
    setWindowTitle(QStringLiteral("Unintall Korvane"));
    setWindowFlags(FixedDialogFlags());
    setFixedSize(347, 122);
    setFont(ScreenFont());

    GroupBox1 = new QGroupBox(QStringLiteral("Options"), this);
    GroupBox1->setObjectName(QStringLiteral("GroupBox1"));
    GroupBox1->setGeometry(8, 8, 258, 105);
    CheckBox1 = new QCheckBox(QStringLiteral("Export Korvane Data Before Uninstalling"), GroupBox1);
    CheckBox1->setObjectName(QStringLiteral("CheckBox1"));
    CheckBox1->setGeometry(10, 44, 244, 17);
    CheckBox1->setChecked(false);

    UnintallBtn = NewButton(this, "UnintallBtn", "&Uninstall", QRect(272, 14, 67, 25));
    BitBtn1 = NewButton(this, "BitBtn1", "Cancel", QRect(272, 48, 67, 25));
    BitBtn2 = NewButton(this, "BitBtn2", "&Help", QRect(272, 82, 67, 25));
    // Enter and Esc both leave without uninstalling.
    UnintallBtn->setAutoDefault(false);
    BitBtn2->setAutoDefault(false);
    BitBtn1->setDefault(true);

    connect(UnintallBtn, &QPushButton::clicked, this, &TUnInstallForm::UnintallBtnClick);
    connect(BitBtn1, &QPushButton::clicked, this,
            [this] { CloseWith(*this, TModalResult::Cancel); });
    connect(BitBtn2, &QPushButton::clicked, this, [] { ShowHelpTopic(UninstallHelpContext); });
    FormCreate();
}

void TUnInstallForm::FormCreate() {
    SetHelpContext(this, UninstallHelpContext);
}

bool TUnInstallForm::ExportFirst() {
    TModalResult exported = TModalResult::Cancel;
    {
        TExportForm screen(this);
        exported = ShowModal(screen);
    }
    if (exported == TModalResult::Ok) {
        return true;
    }
    return AskYesNo(exported == TModalResult::Cancel
                        ? QStringLiteral("You Canceled The Export, Still Uninstall?")
                        : QStringLiteral("Error During Export, Still Uninstall?"),
                    this);
}

namespace {

// What the program says once the uninstall is done.
QString AnnouncementOf(const TRemovalResult& Removal) {
    const QString removed = QStringLiteral("Korvane Uninstalled\n\n");
    // Elsewhere the program may serve other positions: the uninstall kept to this one.
    const QString data = QStringLiteral("The Position's Data And Shortcuts Are Removed. ");
    if (Removal.Reason == TUninstallFailure::None &&
        Removal.Program == TProgramRemoval::WithPackage) {
        return removed + data + QStringLiteral("The Program Itself Is Removed With Its Package.");
    }
    if (Removal.Reason == TUninstallFailure::None &&
        Removal.Program == TProgramRemoval::LeftInPlace) {
        return removed + data + QStringLiteral("The Program Itself Stays: ") +
               QString::fromStdString(Removal.ProgramFile);
    }
    return removed +
           QStringLiteral("You Must Reboot Your Computer For The Changes To Take Effect.");
}

} // namespace

void TUnInstallForm::UnintallBtnClick() {
    if (!AskYesNo(QStringLiteral("Are You Sure You Want To Uninstall The Korvane?"), this) ||
        (CheckBox1->isChecked() && !ExportFirst())) {
        CloseWith(*this, TModalResult::No);
        return;
    }
    // A program started from the wrong folder must not empty it: then nothing is removed.
    const TDeleteResult deleted = DeleteAllFiles();
    if (!deleted.Ok()) {
        ShowError(QStringLiteral("Error: ") + QString::fromStdString(deleted.Subject) +
                      QStringLiteral(" Is Not The Folder Of A Position; Korvane Does Not Delete "
                                     "Its Files.\n\nNothing Was Deleted."),
                  this);
        CloseWith(*this, TModalResult::No);
        return;
    }
    // Shortcut names are file names, in the file system's own encoding.
    const TRemovalResult removal = RemoveInstallation(FromCodePage(PositionTitle).toStdString());
    if (removal.Reason == TUninstallFailure::ProgramNotFound) {
        ShowError(QStringLiteral("Error: The Program File Could Not Be Found.\n\nThe Data Files "
                                 "Are Deleted; Remove The Program's Folder By Hand."),
                  this);
    } else if (removal.Reason == TUninstallFailure::NotScheduled) {
        ShowError(QStringLiteral("Error: The Removal Of The Program Folder At The Next Login Could "
                                 "Not Be Arranged.\n\nThe Data Files Are Deleted; Remove These By "
                                 "Hand:\n") +
                      QString::fromStdString(removal.Subject),
                  this);
    }
    Announcement_ = AnnouncementOf(removal);
    CloseWith(*this, TModalResult::Ok);
}

} // namespace korvane
