#pragma once

#include <QDialog>

#include <cstdint>
#include <memory>
#include <span>
#include <vector>

#include "data/DataBase.h"
#include "platform/ui/RecordGrid.h"
#include "reports/PrintDestination.h"

class QPushButton;

namespace korvane {

// Whose sheets a print run makes: one committee member, or every member of committee.dat in file
// order.
struct TMemberChoice {
    bool All = false;
    std::int32_t Member = 0; // when not All

    // The member chosen, or none for every member.
    std::span<const std::int32_t> Named() const {
        return All ? std::span<const std::int32_t>() : std::span<const std::int32_t>(&Member, 1);
    }
};

// The common part of the screens that print sheets for one or every committee member: the grid
// of the members (row r shows record r - 1 of committee.dat, kept open while the screen lives),
// Print, Help and Cancel. Print shows the print dialog first for the printer, prints for the
// choice made on the screen and closes the screen.
class TCommitteePrintForm : public QDialog {
    Q_OBJECT
public:
    ~TCommitteePrintForm() override;

    TRecordGrid* DrawGrid1;
    QPushButton* PrintBtn;
    QPushButton* HelpBtn;
    QPushButton* CancelBtn;

    void PrintBtnClick();

    // Makes the first member with the ID the grid's current row; false when no member has it.
    bool SelectMember(std::int32_t ID);
    // Whether every member is to be printed, as the screen's options say.
    virtual bool AllMembers() const = 0;
    virtual void SetAllMembers(bool all) = 0;
    // What the screen prints now: every member, or the member of the grid's current row.
    TMemberChoice Choice();
    // Prints that choice to the destination, with no dialog.
    virtual void Print(const TPrintDestination& to) = 0;
    // Asked before the print dialog; false prints nothing.
    virtual bool ReadyToPrint() { return true; }

protected:
    // The options of a screen stand right of the grid, in a box of optionsHeight pixels.
    TCommitteePrintForm(QWidget* owner, const char* caption, int helpContext,
                        std::vector<int> colWidths, int optionsHeight);
    // The room for the options.
    QRect OptionsPlace() const { return OptionsPlace_; }

private:
    void FormCreate();
    void FormDestroy();
    TDataRecord RecordAt(int index);

    int HelpContext_;
    QRect OptionsPlace_;
    std::unique_ptr<TDataBase> File_;
};

} // namespace korvane
