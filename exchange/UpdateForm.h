#pragma once

#include <QDialog>

#include <string>

#include "data/ApplicantImport.h"

class QListWidget;
class QPushButton;

namespace korvane {

// Brings the official applicant list (App.Ext) from the position disk in a removable drive into
// the applicant file. The main window uses its import, without showing the screen, for a list
// dropped into the working directory.
class TUpdateForm : public QDialog {
    Q_OBJECT
public:
    explicit TUpdateForm(QWidget* owner);

    QListWidget* ListBox1;
    QPushButton* UpdateBtn;
    QPushButton* BitBtn1; // cancel

    void UpdateBtnClick();

    // Imports the list at ListPath with the progress window over this screen, showing the
    // number of applicants loaded; its Cancel stops the import, keeping the applicants stored
    // so far. Shows no message: the caller reports the result (ShowImportFailure) when it
    // chooses to.
    TImportResult ImportApplicants(const std::string& ListPath);

private:
    void FormCreate();
};

// The box of an import that did not read its list to the end (an error, or what a cancelled
// import kept); nothing for one that did.
void ShowImportFailure(const TImportResult& Result, QWidget* Parent);

} // namespace korvane
