#pragma once

#include <QDialog>

class QLabel;
class QPushButton;

namespace korvane {

class TAboutBox : public QDialog {
    Q_OBJECT
public:
    explicit TAboutBox(QWidget* owner = nullptr);

    QLabel* ProgramIcon;
    QLabel* ProductName;
    QLabel* Version;
    QPushButton* OKButton;
};

} // namespace korvane
