#pragma once

#include <QDialog>
#include <QString>

class QLabel;

namespace korvane {

class TSearchAnimation;

// The small status window shown while a report is produced: the heading "Korvane", a moving
// picture and one status line. It is repainted explicitly, since no events are processed
// while a report runs.
class TMessageForm : public QDialog {
    Q_OBJECT
public:
    explicit TMessageForm(QWidget* owner = nullptr);

    // Shows text as the status line and repaints the window at once.
    void SetStatus(const QString& text);
    QString Status() const;

    TSearchAnimation* Animation() const { return Animate1; }

private:
    QLabel* Label2 = nullptr;
    TSearchAnimation* Animate1 = nullptr;
    QLabel* Label1 = nullptr;
};

} // namespace korvane
