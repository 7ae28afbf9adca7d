#include "exchange/ExportForm.h"

#include <QListWidget>
#include <QPushButton>

#include <filesystem>
#include <string>

#include "data/FileNames.h"
#include "data/ProcessState.h"
#include "exchange/PositionDisk.h"
#include "exchange/StatusForm.h"
#include "platform/sys/Drives.h"
#include "platform/ui/CodePage.h"
#include "platform/ui/HelpWindow.h"
#include "platform/ui/MessageBox.h"
#include "platform/ui/ScreenKit.h"

namespace korvane {

namespace {

constexpr int ExportHelpContext = 480;

struct TExportedFile {
    const char* Name;
    const char* Description;
    bool Always; // copied (and missed) even when it is not there
};

// In the order they are copied and listed.
constexpr TExportedFile ExportedFiles[] = {
    {PositionFileName, "Setup File", true},
    {CommitteeFileName, "Committee List", false},
    {ApplicantFileName, "Applicant List", false},
    {SampleRequiredFileName, "Sample Required List", false},
    {SamplePreferredFileName, "Sample Preferred List", false},
    {RequiredFileName, "Selected Required List", false},
    {PreferredFileName, "Selected Preferred List", false},
    {RatingFileName, "Rating Data", false},
    {RecusalFileName, "Recusals And Abstentions", false},
};

bool Exists(const char* Name) {
    std::error_code error;
    return std::filesystem::exists(Name, error);
}

} // namespace

TExportForm::TExportForm(QWidget* owner) : QDialog(owner) {
    setObjectName(QStringLiteral("ExportForm"));
    setWindowTitle(QStringLiteral("Export"));
    setWindowFlags(FixedDialogFlags());
    setFixedSize(297, 258);
    setFont(ScreenFont());

    ListBox1 = new QListWidget(this);
    ListBox1->setObjectName(QStringLiteral("ListBox1"));
    ListBox1->setGeometry(8, 8, 281, 201);
    ExportBtn = NewButton(this, "ExportBtn", "&Export", QRect(8, 223, 89, 25));
    BitBtn2 = NewButton(this, "BitBtn2", "&Help", QRect(104, 223, 89, 25));
    BitBtn1 = NewButton(this, "BitBtn1", "Cancel", QRect(200, 223, 89, 25));
    ExportBtn->setDefault(true);

    connect(ExportBtn, &QPushButton::clicked, this, &TExportForm::ExportBtnClick);
    connect(BitBtn2, &QPushButton::clicked, this, [] { ShowHelpTopic(ExportHelpContext); });
    connect(BitBtn1, &QPushButton::clicked, this,
            [this] { CloseWith(*this, TModalResult::Cancel); });
    FormCreate();
}

void TExportForm::FormCreate() {
    SetHelpContext(this, ExportHelpContext);
    FillDriveList(ListBox1, ExportBtn);
}

void TExportForm::ExportBtnClick() {
    const char letter = SelectedDriveLetter(ListBox1);
    if (letter == 0) {
        return;
    }
    const std::string root = DriveRoot(letter);
    ShowInformation(QStringLiteral("Please Insert Disk #2 For Position ") +
                        ElidedInMessage(FromCodePage(PositionTitle)) +
                        QStringLiteral(". In Drive ") + QLatin1Char(letter) + QLatin1Char(':'),
                    this);
    // A stick that is no position disk yet can become one here; a disk still missing is asked
    // for again once the progress window is up.
    OfferPositionDisk(letter, this);
    WaitForDisk(PositionDiskNumber, root, this);
    if (!CheckDiskPosition(letter, this)) {
        CloseWith(*this, TModalResult::No);
        return;
    }

    auto progress = TStatusForm::ShowProgress(this);
    bool copied = true;
    QString failure;
    if (!WaitForDisk(PositionDiskNumber, root, this)) {
        copied = false;
        failure = QStringLiteral("Disk #2 Not Inserted");
    } else {
        progress->SetProgressCaption(QStringLiteral("Exporting Data"));
        failure = QStringLiteral("The Following Files Could Not Be Copied:\n\n");
        for (const auto& file : ExportedFiles) {
            progress->SetProgressText(QStringLiteral("Exporting File: ") +
                                      QString::fromLatin1(file.Name));
            if ((file.Always || Exists(file.Name)) && !CopyDataFile(file.Name, root + file.Name)) {
                failure += QString::fromLatin1(file.Description) + QLatin1Char('\n');
                copied = false;
            }
        }
    }
    // The closing message stands alone, whichever way the export ended.
    progress->StopProgress();
    if (copied) {
        ShowInformation(QStringLiteral("Export Compleated!"), this);
    } else {
        ShowError(failure, this);
    }
    progress.reset();
    CloseWith(*this, copied ? TModalResult::Ok : TModalResult::No);
}

} // namespace korvane
