#pragma once

#include <QDialog>
#include <QString>

class QCheckBox;
class QGroupBox;
class QPushButton;

namespace korvane {

// Removes the position's data files, its shortcuts and, at the next login, the program's
// folder, after an optional export onto the position disk. Closes with Ok when it uninstalled,
// No when the user stopped it or it could not start, Cancel when left without uninstalling.
class TUnInstallForm : public QDialog {
    Q_OBJECT
public:
    explicit TUnInstallForm(QWidget* owner);

    QGroupBox* GroupBox1;
    QCheckBox* CheckBox1; // export first
    QPushButton* UnintallBtn;
    QPushButton* BitBtn1; // cancel
    QPushButton* BitBtn2; // help

    void UnintallBtnClick();

    // After an uninstall: what the program says about it (what was removed, what stays).
    const QString& Announcement() const { return Announcement_; }

private:
    void FormCreate();
    // Runs the export screen and asks whether to go on when it did not export; false to stop.
    bool ExportFirst();

    QString Announcement_;
};

} // namespace korvane
