#pragma once

#include <QDialog>
#include <QElapsedTimer>
#include <QString>

#include <memory>

class QLabel;
class QPushButton;

namespace korvane {

class TCopyAnimation;

// The progress window of an export or an applicant import: a moving picture of files being
// copied, one line of text and, for work that may stop half way, a Cancel button. The work
// runs inside a button handler, so every change is painted explicitly.
class TStatusForm : public QDialog {
    Q_OBJECT
public:
    enum class TStop { NotAllowed, Cancel };

    explicit TStatusForm(QWidget* owner, TStop stop = TStop::NotAllowed);
    ~TStatusForm() override;

    TCopyAnimation* Animate1;
    QLabel* Label1;
    QPushButton* CancelBtn; // only with TStop::Cancel

    // Creates the window over owner, shows it without making it modal and paints it at once.
    // The window goes when the pointer is released. With TStop::Cancel the user's input reaches
    // this window alone while it is up: Cancel (or Esc) asks the work to stop.
    static std::unique_ptr<TStatusForm> ShowProgress(QWidget* owner,
                                                     TStop stop = TStop::NotAllowed);
    // Shows text as the progress line and paints it at once.
    void SetProgressText(const QString& text);
    // Sets the caption and paints it at once.
    void SetProgressCaption(const QString& caption);
    // Whether a new progress line is worth painting now: always in the first moments, so that a
    // short list shows every count, and then a few times a second, since painting takes far
    // longer than the step it reports.
    bool PaintDue() const;
    // Whether the user asked the work to stop.
    bool Cancelled() const { return Cancelled_; }
    // Stops the picture and hides the window (the export does this before its closing message).
    void StopProgress();
    // Stops and hides the picture, the line and the window.
    void CloseProgress();

    void reject() override;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void PaintNow();

    TStop Stop_;
    bool Cancelled_ = false;
    QElapsedTimer Shown_;
    QElapsedTimer Painted_;
};

} // namespace korvane
