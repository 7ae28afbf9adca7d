#pragma once

#include <QDialog>

#include <string>

#include "platform/ui/MessageBox.h"

class QListWidget;
class QPushButton;

namespace korvane {

// Merges the ratings of the position disk in a removable drive into this position's: the disk
// is asked for and its position checked as for the export, the conflicts are decided in their
// list, and after the summary is confirmed Rating.dat is replaced once. The disk is only read;
// Cancel at any point changes nothing. Closes with Ok when the ratings were merged, No when the
// merge was refused or failed, Cancel otherwise.
class TMergeRatingsForm : public QDialog {
    Q_OBJECT
public:
    explicit TMergeRatingsForm(QWidget* owner);

    QListWidget* ListBox1;
    QPushButton* MergeBtn;
    QPushButton* BitBtn2; // help
    QPushButton* BitBtn1; // cancel

    void MergeBtnClick();

private:
    void FormCreate();
    // The merge from the disk's folder Root once the disk is accepted; the screen's result.
    TModalResult MergeFrom(const std::string& Root);
};

} // namespace korvane
