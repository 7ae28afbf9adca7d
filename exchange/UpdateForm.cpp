#include "exchange/UpdateForm.h"

#include <QListWidget>
#include <QPushButton>

#include <memory>

#include "data/ChangeLog.h"
#include "data/ChangeText.h"
#include "data/FileNames.h"
#include "data/FinalRating.h"
#include "exchange/PositionDisk.h"
#include "exchange/StatusForm.h"
#include "platform/sys/Drives.h"
#include "platform/ui/ChangeMessages.h"
#include "platform/ui/CodePage.h"
#include "platform/ui/HelpWindow.h"
#include "platform/ui/MessageBox.h"
#include "platform/ui/ScreenKit.h"

namespace korvane {

namespace {
constexpr int UpdateHelpContext = 30;
} // namespace

TUpdateForm::TUpdateForm(QWidget* owner) : QDialog(owner) {
    setObjectName(QStringLiteral("UpdateForm"));
    setWindowTitle(QStringLiteral("Update Applicants"));
    setWindowFlags(FixedDialogFlags());
    setFixedSize(294, 259);
    setFont(ScreenFont());

    ListBox1 = new QListWidget(this);
    ListBox1->setObjectName(QStringLiteral("ListBox1"));
    ListBox1->setGeometry(8, 8, 278, 201);
    UpdateBtn = NewButton(this, "UpdateBtn", "&Update", QRect(40, 224, 89, 25));
    BitBtn1 = NewButton(this, "BitBtn1", "Cancel", QRect(165, 224, 89, 25));
    UpdateBtn->setDefault(true);

    connect(UpdateBtn, &QPushButton::clicked, this, &TUpdateForm::UpdateBtnClick);
    connect(BitBtn1, &QPushButton::clicked, this,
            [this] { CloseWith(*this, TModalResult::Cancel); });
    FormCreate();
}

void TUpdateForm::FormCreate() {
    SetHelpContext(this, UpdateHelpContext);
    FillDriveList(ListBox1, UpdateBtn);
}

void TUpdateForm::UpdateBtnClick() {
    // Refused before a disk is asked for.
    if (RefusedChange(MayChange(), this)) {
        return;
    }
    const char letter = SelectedDriveLetter(ListBox1);
    if (letter == 0) {
        return;
    }
    const std::string root = DriveRoot(letter);
    if (!WaitForDisk(PositionDiskNumber, root, this)) {
        ShowError(QStringLiteral("Korvane Not Updated."), this);
    } else if (CheckDiskPosition(letter, this)) {
        const TImportResult result = ImportApplicants(root + ApplicantListFileName);
        if (result.Reason == TImportOutcome::Imported) {
            ShowInformation(QStringLiteral("Korvane Updated"), this);
        }
        ShowImportFailure(result, this);
    }
    CloseWith(*this, TModalResult::Ok);
}

TImportResult TUpdateForm::ImportApplicants(const std::string& ListPath, const char* Command) {
    if (const auto refusal = MayChange(); !refusal.Ok()) {
        TImportResult refused;
        refused.Reason = TImportOutcome::Finalised;
        refused.Subject = refusal.Subject;
        return refused;
    }
    // The window comes up with the first applicant stored, so that a missing list is reported
    // without a progress window flashing before it.
    std::unique_ptr<TStatusForm> progress;
    TImportResult result = korvane::ImportApplicants(
        ListPath,
        [&](int Loaded) {
            if (!progress) {
                progress = TStatusForm::ShowProgress(this, TStatusForm::TStop::Cancel);
            }
            if (progress->PaintDue()) {
                progress->SetProgressText(QStringLiteral("Applicants Loaded: ") +
                                          QString::number(Loaded));
            }
        },
        [&] { return progress && progress->Cancelled(); });
    if (progress) {
        progress->CloseProgress();
    }
    result.NotLogged = !LogChange({Command, ImportChange(result)}).Ok();
    return result;
}

namespace {

// The words of an import that stopped (code-page bytes).
std::string ImportFailureText(const TImportResult& Result) {
    const std::string line = std::to_string(Result.LineNumber);
    const std::string loaded = "\n\nApplicants Loaded: " + std::to_string(Result.Loaded);
    switch (Result.Reason) {
    case TImportOutcome::Imported:
        return {};
    case TImportOutcome::ListNotFound:
        return "Update File Not Found";
    case TImportOutcome::BadIdentifier:
        return "Error: Line " + line + " Of The Update File Has No Valid Applicant ID: " + "\"" +
               Result.Subject + "\"" + loaded;
    case TImportOutcome::NotStored:
        if (Result.LineNumber == 0) {
            return std::string("Error: ") + ApplicantFileName +
                   " Could Not Be Opened; No Applicant Was Loaded";
        }
        return "Error: Applicant ID " + Result.Subject + " Of Line " + line +
               " Could Not Be Saved In " + ApplicantFileName + loaded;
    case TImportOutcome::ListReadError:
        return "Error: The Update File Could Not Be Read After Line " + line + loaded;
    case TImportOutcome::Canceled:
        return "Update Canceled: The Applicants Loaded So Far Are Kept, And So Is The Update "
               "File" +
               loaded;
    case TImportOutcome::Finalised:
        break; // the refusal has words of its own
    }
    return {};
}

} // namespace

void ShowImportFailure(const TImportResult& Result, QWidget* Parent) {
    if (Result.Reason == TImportOutcome::Finalised) {
        ShowFinalisedRefusal(Result.Subject, Parent);
    } else if (Result.Reason == TImportOutcome::Canceled) {
        ShowInformation(FromCodePage(ImportFailureText(Result)), Parent);
    } else if (Result.Reason != TImportOutcome::Imported) {
        ShowError(FromCodePage(ImportFailureText(Result)), Parent);
    }
    if (Result.NotLogged) {
        ShowChangeNotLogged(Parent);
    }
}

} // namespace korvane
