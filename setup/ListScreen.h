#pragma once

#include <QDialog>
#include <QFont>
#include <QString>

#include <cstdint>
#include <functional>
#include <memory>
#include <vector>

#include "data/ChangeText.h"
#include "data/DataBase.h"
#include "data/RatingUpkeep.h"
#include "platform/ui/RecordGrid.h"
#include "platform/ui/ScreenKit.h"
#include "setup/ListEditDialog.h"
#include "setup/ListPrintout.h"

class QPushButton;

namespace korvane {

class TReportPreviewForm;
struct TPrintDestination;

// How one list screen looks and behaves: everything that differs between the list screens.
struct TListScreenLayout {
    const char* Caption;
    QSize ClientSize;
    std::vector<int> ColWidths;
    std::vector<const char*> ColHeaders;
    unsigned GridOptions;
    int HelpContext;
    const char* HelpButtonName;
    const char* CloseButtonName;
    bool EditIsDefault;              // Enter in the grid presses Edit
    int FirstRightAlignedColumn = 3; // data cells of this column and up end 4 pixels from the right
    bool DoubleClickEdits = true;    // a double click on a row opens the edit dialog
    bool Resizable = false;          // a sizeable border; the controls keep their places
    bool CancelRereadsButtons = true; // a cancelled Add runs UpdateListState all the same
};

// The common part of the setup list screens: a grid of the records of a file (data row r shows
// record r - 1), Add/Edit/Delete/Print/Help/Close buttons, the add/edit/delete flow through one
// dialog in three modes, the cell drawing rule, the double-click rule, the print dialog rule and
// the list printout. Nothing of the list is kept in memory: every cell drawn reads its record.
// A kind of list supplies its file through the hooks below; a screen supplies its layout.
class TListScreen : public QDialog {
    Q_OBJECT
public:
    ~TListScreen() override;

    TRecordGrid* DrawGrid1;
    QPushButton* AddBtn;
    QPushButton* EditBtn;
    QPushButton* DeleteBtn;
    QPushButton* PrintBtn;
    QPushButton* HelpButton;
    QPushButton* CloseButton;

    void DrawGrid1DrawCell(QPainter& canvas, int col, int row, const QRect& rect,
                           TGridDrawState state);
    void DrawGrid1DblClick();
    void AddBtnClick();
    void EditBtnClick();
    void DeleteBtnClick();
    void PrintBtnClick();
    void HelpBtnClick();

    // Grid rows and button states from the record count.
    virtual void UpdateListState();
    // The whole list through the report writer, to the destination the caller chose.
    void PrintList(const TPrintDestination& to);

    // Text of data cell (col, row); fetched from the file for every cell drawn.
    virtual QString CellText(int col, int row) = 0;

protected:
    TListScreen(QWidget* owner, const TListScreenLayout& layout, TListPrintout printout);

    // Index of the list's last record, -1 for an empty list (or a file that could not be opened).
    virtual int ListLastIndex() const = 0;

    // The dialog of this list; the flow sets its mode.
    virtual std::unique_ptr<TListEditDialog> CreateDialog() = 0;
    // Runs before the dialog shows, in every mode (a criteria list fills its choices here).
    virtual void PrepareDialog() {}
    // Edit and delete modes: the record of the current row into the open dialog.
    virtual void LoadCurrentRecord() = 0;
    // After OK: a new record from the dialog, the record at Index changed by the dialog, the
    // record at Index removed (false when nothing was removed). Each tells the user itself when
    // the file could not take the change.
    virtual void AddRecord() = 0;
    virtual void EditRecord(int Index) = 0;
    virtual bool DeleteRecord(int Index) = 0;

    // The dialog while it is open, else null.
    TListEditDialog* OpenDialog() const { return Dialog_.get(); }

    // The list printout: header on every page, one line per record, the footnote if any.
    void PrintListHeader(TReportPreviewForm& report);
    virtual void PrintRows(TReportPreviewForm& report) = 0;
    // Writes the row cells of the printout, text(col) giving the text of printout column col,
    // then starts the next line, with the page header when that line begins a new page.
    void WriteListRow(TReportPreviewForm& report, const std::function<QString(int col)>& text);

    // The error shown when a change of the list's file did not reach the disk.
    void ShowWriteError(const char* fileName);
    // Logs a change made here under the screen's caption, telling the user when the log missed
    // it; an empty text (nothing changed) is not logged.
    void LogListChange(const std::string& What, std::int32_t ApplicantID = 0,
                       std::int32_t MemberID = 0);

    int HelpContextNumber() const { return Layout_.HelpContext; }

private:
    // Shows the dialog in a mode, loaded with the current row's record unless adding; true when
    // it closed with OK.
    bool RunDialog(std::uint8_t mode);
    // After a delete: the row above, unless the first row was deleted.
    void SelectAfterDelete();

    TListScreenLayout Layout_;
    TListPrintout Printout_;
    // The dialog of one add, edit or delete, from its creation until the change is made.
    std::unique_ptr<TListEditDialog> Dialog_;
};

// A list screen over one record file of named records (committee members, sample criteria,
// applicants): an edit replaces the record, so that a changed name moves to its sorted place.
class TDataListScreen : public TListScreen {
    Q_OBJECT
public:
    ~TDataListScreen() override;

    void FormCreate();
    void FormDestroy();

    // Reads the record of the current row into record and shows it in the open dialog.
    virtual void LoadDialog(TDataRecord& record);
    // Copies the dialog's fields into record.
    virtual void StoreDialog(TDataRecord& record);

    const TDataBase* File() const { return File_.get(); }
    QString CellText(int col, int row) override;

protected:
    TDataListScreen(QWidget* owner, const TListScreenLayout& layout, TListPrintout printout,
                    const char* fileName, TNamedList kind);

    // A record as Add starts it: ID 0 (the next free number), every other byte zero.
    virtual TDataRecord NewRecord() const;
    // The IDs of a list that ratings name (applicants, members); none for the sample lists.
    virtual std::optional<TRatingRole> RatedAs() const { return std::nullopt; }
    // The question before Record, which Count rating records name, is deleted with them.
    virtual QString DeleteRatingsQuestion(const TDataRecord& Record, int Count) const;
    // Text of column col for a record; the printout uses the same texts.
    virtual QString RecordText(const TDataRecord& record, int col) const;

    int ListLastIndex() const override;
    void LoadCurrentRecord() override;
    void AddRecord() override;
    void EditRecord(int Index) override;
    bool DeleteRecord(int Index) override;
    void PrintRows(TReportPreviewForm& report) override;
    // The record at the grid row's index (the record of an empty or unopened file is blank).
    TDataRecord RecordAt(int Index);

private:
    // Logs a change of this list: Before null for an add, After null for a delete.
    void LogRecordChange(const TDataRecord* Before, const TDataRecord* After,
                         const std::string& More = {});

    const char* FileName_;
    TNamedList Kind_;
    std::unique_ptr<TDataBase> File_;
};

} // namespace korvane
