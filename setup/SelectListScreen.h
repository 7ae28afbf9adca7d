#pragma once

#include <memory>

#include "data/DataBase.h"
#include "data/SelectDataBase.h"
#include "setup/ListScreen.h"

namespace korvane {

class TCriteriaEditDialog;

// A list screen over a selection of sample criteria (Required.dat, Preferre.dat): two files,
// the selections in the order they were made, each holding only the ID of its sample criterion,
// at most 12 of them. An edit writes the selection back in its place.
class TSelectListScreen : public TListScreen {
    Q_OBJECT
public:
    ~TSelectListScreen() override;

    void FormCreate();
    void FormDestroy();
    // The rule of the list screens, and Add only while fewer than 12 are selected.
    void UpdateListState() override;

    // The sample criteria in file order as the dialog's choices.
    void FillCriteriaList();
    // The selection of the current row into record and the dialog: the choice of its sample
    // criterion, or the last choice when that criterion is gone.
    virtual void LoadDialog(TSelectRecord& record);
    // The chosen sample criterion's ID into record.
    virtual void StoreDialog(TSelectRecord& record);

    const TSelectDataBase* List() const { return List_.get(); }
    QString CellText(int col, int row) override;

    static constexpr int MaxSelections = 12;

protected:
    TSelectListScreen(QWidget* owner, const TListScreenLayout& layout, TListPrintout printout,
                      const char* listFileName, const char* sampleFileName, TSelectionList kind);

    // Grid text of column col, and printout text of printout column col, for a selection.
    virtual QString SelectionText(const TSelectRecord& record, int col) = 0;
    virtual QString PrintText(const TSelectRecord& record, int col) = 0;

    // Whether the selection at Index may change from Before to After; the edit asks no question.
    virtual bool ConfirmEdit(int /*Index*/, const TSelectRecord& /*Before*/,
                             const TSelectRecord& /*After*/) {
        return true;
    }

    int ListLastIndex() const override;
    void PrepareDialog() override;
    void LoadCurrentRecord() override;
    void AddRecord() override;
    void EditRecord(int Index) override;
    bool DeleteRecord(int Index) override;
    void PrintRows(TReportPreviewForm& report) override;

    TCriteriaEditDialog* CriteriaDialog() const;
    TDataBase& Samples() { return *Samples_; }
    TSelectDataBase& Selections() { return *List_; }
    const char* ListFileName() const { return ListFileName_; }
    // The selection at Index (blank when there is none).
    TSelectRecord SelectionAt(int Index);
    // Logs a change of the selection numbered Number: Before null for an add, After null for a
    // delete.
    void LogSelectionChange(int Number, const TSelectRecord* Before, const TSelectRecord* After,
                            const std::string& More = {});

private:
    // False, with the message shown, when the dialog offers no criterion to store.
    bool HasChoice();

    const char* ListFileName_;
    const char* SampleFileName_;
    TSelectionList Kind_;
    std::unique_ptr<TSelectDataBase> List_;
    std::unique_ptr<TDataBase> Samples_;
};

} // namespace korvane
