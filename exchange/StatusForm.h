#pragma once

#include <QDialog>
#include <QString>

#include <memory>

class QLabel;

namespace korvane {

class TCopyAnimation;

// The progress window of an export or an applicant import: a moving picture of files being
// copied and one line of text. The work runs inside a button handler with no events processed,
// so every change is painted explicitly.
class TStatusForm : public QDialog {
    Q_OBJECT
public:
    explicit TStatusForm(QWidget* owner);

    TCopyAnimation* Animate1;
    QLabel* Label1;

    // Creates the window over owner, shows it without making it modal and paints it at once.
    // The window goes when the pointer is released.
    static std::unique_ptr<TStatusForm> ShowProgress(QWidget* owner);
    // Shows text as the progress line and paints it at once.
    void SetProgressText(const QString& text);
    // Sets the caption and paints it at once.
    void SetProgressCaption(const QString& caption);
    // Stops the picture and hides the window (the export does this before its closing message).
    void StopProgress();
    // Stops and hides the picture, the line and the window.
    void CloseProgress();

private:
    void PaintNow();
};

} // namespace korvane
