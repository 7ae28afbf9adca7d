#pragma once

#include <QDialog>

class QFrame;
class QLabel;
class QProgressBar;

namespace korvane {

// The window shown while the program starts.
class TSplashForm : public QDialog {
    Q_OBJECT
public:
    explicit TSplashForm(QWidget* owner = nullptr);

    QFrame* Panel1;
    QLabel* Image1;
    QLabel* Image2;
    QLabel* ProductName;
    QLabel* Version;
    QProgressBar* Gauge1;
    QLabel* Label1;
};

// Shows a new splash window (hiding a previous one); its gauge is hidden when Maximum <= 0.
void ShowSplash(int Maximum);
// Hides and releases the splash window, if any.
void CloseSplash();
// The splash window now on screen, or nullptr.
TSplashForm* SplashForm();

} // namespace korvane
