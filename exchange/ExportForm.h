#pragma once

#include <QDialog>

class QListWidget;
class QPushButton;

namespace korvane {

// Copies the position file and the data files onto the position disk in a removable drive. It
// closes with Ok when every copy succeeded, No when the export failed or the disk was refused,
// Cancel when the user left without exporting; the uninstall acts on that result.
class TExportForm : public QDialog {
    Q_OBJECT
public:
    explicit TExportForm(QWidget* owner);

    QListWidget* ListBox1;
    QPushButton* ExportBtn;
    QPushButton* BitBtn2; // help
    QPushButton* BitBtn1; // cancel

    void ExportBtnClick();

private:
    void FormCreate();
};

} // namespace korvane
