#pragma once

#include <QDialog>
#include <QString>

class QPushButton;
class QTreeWidget;

namespace korvane {

// The desktop's ways to a position. Each shows its own messages; when it returns true the
// position is open (the working directory of the run) and first in the recent list.
bool OpenPositionIn(const QString& Folder, QWidget* Parent);
// Asks for a folder (Open Folder..., File > Open Position...).
bool AskAndOpenPosition(QWidget* Parent);
// New Position..., File > New Position...
bool AskAndCreatePosition(QWidget* Parent);
// Puts the working directory's position first in the recent list, opened now.
void RememberOpenedPosition();

// Shown at start-up where no position is: the recent positions, Open Folder..., New
// Position... and Exit. Closes with Ok once a position is open, Cancel on Exit.
class TChoosePositionForm : public QDialog {
    Q_OBJECT
public:
    explicit TChoosePositionForm(QWidget* owner = nullptr);

    QTreeWidget* PositionList; // title, folder, when last opened
    QPushButton* OpenBtn;
    QPushButton* OpenFolderBtn;
    QPushButton* NewPositionBtn;
    QPushButton* ExitBtn;

    void OpenBtnClick();
    void OpenFolderBtnClick();
    void NewPositionBtnClick();

private:
    void FillList();
};

} // namespace korvane
