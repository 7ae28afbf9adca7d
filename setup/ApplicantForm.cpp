#include "setup/ApplicantForm.h"

#include <QFrame>
#include <QPushButton>

#include "data/FileNames.h"
#include "data/ProcessState.h"
#include "platform/ui/CodePage.h"
#include "setup/ApplicantAddEditForm.h"

namespace korvane {

namespace {

const TListScreenLayout Layout = {
    .Caption = "Applicants",
    .ClientSize = QSize(505, 291),
    .ColWidths = {66, 16, 213, 32, 28},
    .ColHeaders = {"ID", "*", "Name", "Vet", "Eliminate"},
    .GridOptions = goFixedVertLine | goFixedHorzLine | goVertLine | goRowSelect | goThumbTracking,
    .HelpContext = 150,
    .HelpButtonName = "HelpBtn",
    .CloseButtonName = "BitBtn1",
    .EditIsDefault = true,
    .FirstRightAlignedColumn = 3,
    .DoubleClickEdits = true,
    .Resizable = false,
    .CancelRereadsButtons = false,
};

TListPrintout Printout() {
    return {"Applicants",
            1.0,
            7.5,
            {{1.05, "Applicant ID"},
             {2.2, nullptr},
             {2.25, "Applicant Name"},
             {5.95, nullptr},
             {6.0, "Veteran"},
             {6.45, nullptr},
             {6.5, "Eliminated"}},
            {{1, 2.2, false}, {0, 2.15, true}, {2, 2.3, false}, {3, 6.4, true}, {4, 7.45, true}}};
}

} // namespace

TApplicantForm::TApplicantForm(QWidget* owner)
    : TDataListScreen(owner, Layout, Printout(), ApplicantFileName, TNamedList::Applicants) {
    // The frame around the buttons.
    auto* bevel = new QFrame(this);
    bevel->setObjectName(QStringLiteral("Bevel1"));
    bevel->setFrameStyle(QFrame::Box | QFrame::Sunken);
    const QRect buttons = AddBtn->geometry().united(CloseButton->geometry());
    bevel->setGeometry(buttons.adjusted(-6, -4, 6, 4).intersected(rect()));
    bevel->lower();
    DrawGrid1->SetOnSelectCell([this](int col, int row) { return DrawGrid1SelectCell(col, row); });
    FormCreate();
}

std::unique_ptr<TListEditDialog> TApplicantForm::CreateDialog() {
    return std::make_unique<TApplicantAddEditForm>(this);
}

bool TApplicantForm::DrawGrid1SelectCell(int, int row) {
    const int index = row - 1;
    const bool exists = index >= 0 && index <= ListLastIndex();
    DeleteBtn->setEnabled(exists && (AdministrativeMode || RecordAt(index).Mark == '*'));
    return true;
}

void TApplicantForm::UpdateListState() {
    TDataListScreen::UpdateListState();
    DeleteBtn->setEnabled(false);
}

TDataRecord TApplicantForm::NewRecord() const {
    TDataRecord record;
    record.Mark = AdministrativeMode ? ' ' : '*';
    return record;
}

void TApplicantForm::LoadDialog(TDataRecord& record) {
    TDataListScreen::LoadDialog(record);
    auto* dialog = static_cast<TApplicantAddEditForm*>(OpenDialog());
    dialog->SetVeteranChoice(VeteranIndex(record.VeteranPreference));
    dialog->SetStatus(record.ApplicantStatus);
    if (dialog->Mode() == TListEditDialog::EditMode && record.Mark == '*') {
        dialog->SetTextLocked(false);
    }
}

void TApplicantForm::StoreDialog(TDataRecord& record) {
    TDataListScreen::StoreDialog(record);
    auto* dialog = static_cast<TApplicantAddEditForm*>(OpenDialog());
    record.VeteranPreference = dialog->VeteranChoice();
    record.ApplicantStatus = dialog->Status();
}

QString TApplicantForm::RecordText(const TDataRecord& record, int col) const {
    switch (col) {
    case 0:
        return QString::number(record.ID);
    case 1:
        return MarkText(record.Mark);
    case 2:
        return FromCodePage(record.Description);
    case 3:
        return QString::fromStdString(VeteranColumnText(record.VeteranPreference));
    case 4:
        return record.ApplicantStatus >= 1 ? QString::number(record.ApplicantStatus) : QString();
    default:
        return {};
    }
}

QString TApplicantForm::DeleteRatingsQuestion(const TDataRecord& Record, int Count) const {
    return QStringLiteral("Applicant %1 Has Been Rated By %2 Committee Member%3. The Ratings Are "
                          "Deleted With The Applicant. Delete The Applicant?")
        .arg(FromCodePage(Record.Description))
        .arg(Count)
        .arg(Count == 1 ? QString() : QStringLiteral("s"));
}

} // namespace korvane
