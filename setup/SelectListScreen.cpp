#include "setup/SelectListScreen.h"

#include <QPushButton>
#include <QStringList>

#include "data/SetupCounts.h"
#include "platform/ui/CodePage.h"
#include "platform/ui/HelpWindow.h"
#include "platform/ui/MessageBox.h"
#include "setup/ListEditDialog.h"

namespace korvane {

TSelectListScreen::TSelectListScreen(QWidget* owner, const TListScreenLayout& layout,
                                     TListPrintout printout, const char* listFileName,
                                     const char* sampleFileName, TSelectionList kind)
    : TListScreen(owner, layout, std::move(printout)), ListFileName_(listFileName),
      SampleFileName_(sampleFileName), Kind_(kind) {}

TSelectListScreen::~TSelectListScreen() {
    FormDestroy();
}

void TSelectListScreen::FormCreate() {
    SetHelpContext(this, HelpContextNumber());
    List_ = std::make_unique<TSelectDataBase>(ListFileName_);
    Samples_ = std::make_unique<TDataBase>(SampleFileName_);
    DrawGrid1->SetDefaultRowHeight(QFontInfo(DrawGrid1->font()).pixelSize() + 4);
    UpdateListState();
    // Nothing to choose from: no selection can be added.
    if (!(Samples_->Opened() && Samples_->LastIndex() >= 0)) {
        AddBtn->setEnabled(false);
    }
}

void TSelectListScreen::FormDestroy() {
    List_.reset();
    Samples_.reset();
}

int TSelectListScreen::ListLastIndex() const {
    return List_ && List_->Opened() ? List_->LastIndex() : -1;
}

void TSelectListScreen::UpdateListState() {
    TListScreen::UpdateListState();
    AddBtn->setEnabled(ListLastIndex() < MaxSelections - 1);
}

QString TSelectListScreen::CellText(int col, int row) {
    if (row - 1 > ListLastIndex()) {
        return {};
    }
    TSelectRecord record;
    List_->GoTo(record, row - 1);
    return SelectionText(record, col);
}

TCriteriaEditDialog* TSelectListScreen::CriteriaDialog() const {
    return static_cast<TCriteriaEditDialog*>(OpenDialog());
}

void TSelectListScreen::PrepareDialog() {
    FillCriteriaList();
}

void TSelectListScreen::FillCriteriaList() {
    QStringList descriptions;
    TDataRecord sample;
    Samples_->First(sample);
    while (Samples_->Status() == 0) {
        descriptions << FromCodePage(sample.Description);
        Samples_->Next(sample);
    }
    CriteriaDialog()->SetCriteria(descriptions);
}

void TSelectListScreen::LoadCurrentRecord() {
    TSelectRecord record;
    LoadDialog(record);
}

void TSelectListScreen::LoadDialog(TSelectRecord& record) {
    List_->GoTo(record, DrawGrid1->Row() - 1);
    // GetDescription leaves the sample file's cursor on the criterion, its index in the list;
    // on the last criterion when it is gone.
    Samples_->GetDescription(record.CriterionID);
    CriteriaDialog()->SetCriterionIndex(Samples_->Cursor());
}

void TSelectListScreen::StoreDialog(TSelectRecord& record) {
    TDataRecord sample;
    Samples_->GoTo(sample, CriteriaDialog()->CriterionIndex());
    record.CriterionID = sample.ID;
}

bool TSelectListScreen::HasChoice() {
    const int index = CriteriaDialog()->CriterionIndex();
    if (index >= 0 && index <= Samples_->LastIndex()) {
        return true;
    }
    // The sample list was emptied while selections remain: there is nothing to store, and a
    // selection of criterion 0 must never be written.
    ShowError(QStringLiteral("Error: There Is No Criterion To Choose From"), this);
    return false;
}

void TSelectListScreen::AddRecord() {
    if (!HasChoice()) {
        return;
    }
    TSelectRecord record;
    StoreDialog(record);
    record.Sequence = 0;
    bool added = false;
    List_->Insert(record, added);
    if (!added) {
        ShowWriteError(ListFileName_);
        return;
    }
    LogSelectionChange(List_->Cursor() + 1, nullptr, &record);
}

void TSelectListScreen::EditRecord(int Index) {
    if (!HasChoice()) {
        return;
    }
    TSelectRecord record;
    List_->First(record); // a fresh status word, so that bit 2 tells of this write alone
    List_->GoTo(record, Index);
    const TSelectRecord before = record;
    StoreDialog(record); // the cursor stays on the selection: it is written back in place
    if (!ConfirmEdit(Index, before, record)) {
        return;
    }
    List_->WriteRecord(record);
    if ((List_->Status() & stIOError) != 0) {
        ShowWriteError(ListFileName_);
        return;
    }
    LogSelectionChange(Index + 1, &before, &record);
}

bool TSelectListScreen::DeleteRecord(int Index) {
    const TSelectRecord record = SelectionAt(Index);
    const int before = List_->LastIndex();
    List_->Delete(Index);
    if (List_->LastIndex() == before) {
        ShowWriteError(ListFileName_);
        return false;
    }
    LogSelectionChange(Index + 1, &record, nullptr);
    return true;
}

TSelectRecord TSelectListScreen::SelectionAt(int Index) {
    TSelectRecord record;
    if (Index >= 0 && Index <= ListLastIndex()) {
        List_->GoTo(record, Index);
    }
    return record;
}

void TSelectListScreen::LogSelectionChange(int Number, const TSelectRecord* Before,
                                           const TSelectRecord* After, const std::string& More) {
    const auto name = [this](const TSelectRecord* Record) {
        return Record != nullptr ? Samples_->GetDescription(Record->CriterionID) : std::string();
    };
    const std::string what =
        SelectionChange(Kind_, Number, Before, After, name(Before), name(After));
    LogListChange(what.empty() ? what : what + More);
}

void TSelectListScreen::PrintRows(TReportPreviewForm& report) {
    TSelectRecord record;
    List_->First(record);
    while (List_->Status() == 0) {
        WriteListRow(report, [&](int col) { return PrintText(record, col); });
        List_->Next(record);
    }
}

} // namespace korvane
