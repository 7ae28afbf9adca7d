#pragma once

#include <QDialog>
#include <QString>

class QLineEdit;
class QPushButton;

namespace korvane {

// New Position: asks for a folder and a title and makes the folder a position. A folder that
// already holds one is kept as it is. Closes with Ok once the folder holds a position.
class TNewPositionForm : public QDialog {
    Q_OBJECT
public:
    explicit TNewPositionForm(QWidget* owner = nullptr);

    QLineEdit* FolderEdit;
    QLineEdit* TitleEdit;
    QPushButton* BrowseBtn;
    QPushButton* OkBtn;
    QPushButton* CancelBtn;

    // The folder typed, made absolute (a relative name counts from the home folder).
    QString Folder() const;

    void OkBtnClick();

private:
    void BrowseBtnClick();
    void UpdateOkBtn();
};

} // namespace korvane
