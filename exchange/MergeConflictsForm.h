#pragma once

#include <QDialog>
#include <QString>

class QLabel;
class QPushButton;

namespace korvane {

class TRatingMerge;
class TRecordGrid;

// The pairs that this position and the position disk rated differently on some criterion, one
// row each: member, applicant, each criterion's rating here against the disk's, the comments,
// and which side is kept. The user keeps ours or takes theirs for the selected pairs or for all;
// OK hands the choices to the merge, Cancel merges nothing. Made for the keyboard: the arrows
// choose pairs (Shift extends), Alt+O keeps ours, Alt+T takes theirs, Enter goes on.
class TMergeConflictsForm : public QDialog {
    Q_OBJECT
public:
    TMergeConflictsForm(TRatingMerge& Merge, QWidget* owner);

    QLabel* Label1;
    TRecordGrid* DrawGrid1;
    QPushButton* OursBtn;
    QPushButton* TheirsBtn;
    QPushButton* AllOursBtn;
    QPushButton* AllTheirsBtn;
    QPushButton* OkBtn;
    QPushButton* HelpBtn;
    QPushButton* CancelBtn;

    // The text of a cell; row 1 is the first conflict.
    QString CellText(int Col, int Row) const;

private:
    // The selected rows keep ours or take theirs.
    void DecideSelected(bool TakeTheirs);
    void DecideAll(bool TakeTheirs);
    int CriteriaCount() const;

    TRatingMerge& Merge_;
};

} // namespace korvane
