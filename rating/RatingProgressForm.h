#pragma once

#include <QDialog>
#include <QString>

#include <cstdint>
#include <optional>
#include <span>

#include "data/RatingProgress.h"
#include "platform/ui/RecordGrid.h"

class QLabel;
class QPushButton;
class QTreeWidget;
class QTreeWidgetItem;

namespace korvane {

// Where the rating stands: one row per committee member with how many applicants of the pool
// the member rated fully, partly, not at all, abstained from and is recused from, and the totals.
// The tree lists the chosen member's applicants by name in each state; the decisions there, and
// those naming someone no longer there, can be lifted. Made for the keyboard: arrows choose the
// member, Tab goes to the tree, Alt+L lifts, Alt+P prints.
class TRatingProgressForm : public QDialog {
    Q_OBJECT
public:
    explicit TRatingProgressForm(QWidget* owner = nullptr);

    TRecordGrid* DrawGrid1; // members, then the totals row
    QLabel* Summary;        // the pool, and what is missing
    QTreeWidget* TreeView1; // the chosen member's applicants by state
    QPushButton* LiftBtn;
    QPushButton* PrintBtn;
    QPushButton* HelpBtn;
    QPushButton* CloseBtn;

    const TRatingProgress& Progress() const { return *Progress_; }
    // Text of a grid cell; row 1 is the first member, the last row the totals.
    QString CellText(int col, int row) const;

    // Lifts the decision of the tree's current item, after asking.
    void LiftBtnClick();
    void PrintBtnClick();
    void HelpBtnClick();

    // The decision the tree's current item stands for, or nullptr.
    const TDecision* CurrentDecision() const;

private:
    void FormCreate();
    // Reads the files afresh; the grid keeps its row.
    void Reload();
    void FillTree();
    QTreeWidgetItem* AddGroup(const QString& Caption, int Count);

    std::optional<TRatingProgress> Progress_;
};

// Opens the progress screen modally over owner.
void ShowRatingProgress(QWidget* owner);

} // namespace korvane
