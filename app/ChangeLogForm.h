#pragma once

#include <QDialog>
#include <QString>

#include <vector>

#include "data/ChangeLog.h"

class QComboBox;
class QLabel;
class QPushButton;

namespace korvane {

class TRecordGrid;
struct TPrintDestination;

// Changes.log of the position, newest first: who changed what and when. The list can be narrowed
// to one applicant, one committee member or one command, and printed as it is shown.
class TChangeLogForm : public QDialog {
    Q_OBJECT
public:
    explicit TChangeLogForm(QWidget* owner = nullptr);

    TRecordGrid* DrawGrid1;
    QComboBox* ApplicantFilter;
    QComboBox* MemberFilter;
    QComboBox* CommandFilter;
    QLabel* Detail;  // the whole entry of the current row
    QLabel* Damaged; // the lines of the log that are no entries
    QPushButton* PrintBtn;
    QPushButton* HelpBtn;
    QPushButton* CloseBtn;

    // The filter of the three choices, and the entries it lets through.
    TChangeFilter Filter() const;
    const std::vector<TChangeEntry>& Shown() const { return Shown_; }
    QString CellText(int col, int row) const;

    void FilterChanged();
    void PrintBtnClick();
    // The entries shown, through the report writer.
    void PrintLog(const TPrintDestination& to);

private:
    void FormCreate();
    void FillFilters();
    void ShowDetail(int row);

    TChangeLog Log_;
    std::vector<TChangeEntry> Shown_;
};

} // namespace korvane
