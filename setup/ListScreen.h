#pragma once

#include <QDialog>

#include <QFont>
#include <QString>
#include <cstdint>

#include <cstdint>
#include <functional>
#include <memory>
#include <vector>

#include "platform/ui/DrawGrid.h"
#include "setup/ListPrintout.h"

class QPushButton;

namespace korvane {

class TDataBase;
struct TDataRecord;
class TListEditDialog;
class TReportPreviewForm;
struct TPrintDestination;

// "MS Sans Serif" 8 pt, the font of every setup screen and dialog.
QFont ScreenFont();
QPushButton* NewButton(QWidget* parent, const char* name, const char* caption, const QRect& place);

// How one list screen looks: everything that differs between the list screens of the setup.
struct TListScreenLayout {
    const char* Caption;
    QSize ClientSize;
    std::vector<int> ColWidths;
    std::vector<const char*> ColHeaders;
    unsigned GridOptions;
    int HelpContext;
    const char* HelpButtonName;
    const char* CloseButtonName;
    bool EditIsDefault; // Enter in the grid presses Edit
};

// The common part of the setup list screens: a grid of the records of one file (data row r
// shows record r - 1), Add/Edit/Delete/Print/Help/Close buttons, the cell drawing rule, the
// double-click rule, the print dialog rule and the list printout. A screen opens its files in
// FormCreate and closes them in FormDestroy; nothing of the list is kept in memory.
class TListScreen : public QDialog {
    Q_OBJECT
public:
    ~TListScreen() override;

    TDrawGrid* DrawGrid1;
    QPushButton* AddBtn;
    QPushButton* EditBtn;
    QPushButton* DeleteBtn;
    QPushButton* PrintBtn;
    QPushButton* HelpButton;
    QPushButton* CloseButton;

    void DrawGrid1DrawCell(QPainter& canvas, int col, int row, const QRect& rect,
                           TGridDrawState state);
    void DrawGrid1DblClick();
    virtual void AddBtnClick() = 0;
    virtual void EditBtnClick() = 0;
    virtual void DeleteBtnClick() = 0;
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
    // Data cells of columns from this index on are right-aligned.
    virtual int FirstRightAlignedColumn() const { return 3; }

    // The list printout: header on every page, one line per record, the footnote if any.
    void PrintListHeader(TReportPreviewForm& report);
    virtual void PrintRows(TReportPreviewForm& report) = 0;
    // Writes the row cells of the printout, text(col) giving the text of grid column col, then
    // starts the next line, with the page header when that line begins a new page.
    void WriteListRow(TReportPreviewForm& report, const std::function<QString(int col)>& text);

    // After a delete: the row above, unless the first row was deleted.
    void SelectAfterDelete();

    int HelpContextNumber() const { return HelpContext_; }

private:
    std::vector<QString> Headers_;
    TListPrintout Printout_;
    int HelpContext_;
};

// A list screen over one record file of named records (committee members, sample criteria,
// applicants): edit is Delete and Insert, so that a changed name moves to its sorted place.
class TDataListScreen : public TListScreen {
    Q_OBJECT
public:
    ~TDataListScreen() override;

    void FormCreate();
    void FormDestroy();
    void AddBtnClick() override;
    void EditBtnClick() override;
    void DeleteBtnClick() override;

    // Reads the record of the current row into record and shows it in the open dialog.
    virtual void LoadDialog(TDataRecord& record);
    // Copies the dialog's fields into record.
    virtual void StoreDialog(TDataRecord& record);

    const TDataBase* File() const { return File_.get(); }
    QString CellText(int col, int row) override;

protected:
    TDataListScreen(QWidget* owner, const TListScreenLayout& layout, TListPrintout printout,
                    const char* fileName);

    virtual std::unique_ptr<TListEditDialog> CreateDialog() = 0;
    // Text of column col for a record; the printout uses the same texts. Most lists show the
    // ID and the description.
    virtual QString RecordText(const TDataRecord& record, int col) const;

    int ListLastIndex() const override;
    void PrintRows(TReportPreviewForm& report) override;
    void PrintListRow(TReportPreviewForm& report, const TDataRecord& record);
    // True when a record other than the one at index carries id.
    bool IdUsedElsewhere(std::int32_t id, int index);

private:
    // Shows the dialog in a mode; true when it closed with OK.
    bool RunDialog(std::uint8_t mode, TDataRecord& record);

    const char* FileName_;
    std::unique_ptr<TDataBase> File_;
    TListEditDialog* Dialog_ = nullptr;
};

} // namespace korvane
