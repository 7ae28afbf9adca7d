#pragma once

#include <QObject>
#include <QPointer>
#include <QString>
#include <QStringList>
#include <QTimer>
#include <QWidget>

#include <deque>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "platform/ui/MessageBox.h"

namespace korvane::test {

// Answers the modal windows a test provokes, in order. Arm it before the click that opens the
// window: "when the next modal window opens, do this". Each step gets the new modal widget and
// must close it (or open the next one, which the following step answers). A message box whose
// step is a ThenAnswer is answered without being shown; a message box that no script expects
// fails the test and takes its safe answer instead of waiting for a click that never comes
// (InstallMessageGuard, from the test programs' main).
class ModalScript : public QObject {
    Q_OBJECT
public:
    using Step = std::function<void(QWidget*)>;

    ModalScript();
    ~ModalScript() override;

    // The next modal window is handed to step.
    ModalScript& Then(Step step);
    // The next modal window is a message box: remember its text and icon, press the button.
    ModalScript& ThenAnswer(TModalResult button);

    // Steps not yet used (a test usually expects 0 at its end).
    int Pending() const { return static_cast<int>(Steps_.size()); }
    // Texts of the message boxes answered so far, and their kinds.
    const QStringList& Messages() const { return Messages_; }
    const QList<TMessageKind>& MessageKinds() const { return Kinds_; }

    // Presses the button of a message box; for use inside steps.
    static void PressMessageButton(QWidget* box, TModalResult button);

    // Routes every message box through the scripts alive at the time.
    static void InstallMessageGuard();

private:
    struct TStep {
        Step Run;
        std::optional<TModalResult> Answer; // a message box answered without being shown
    };
    void Poll();
    static std::optional<TModalResult> AnswerMessage(const QString& Text, TMessageKind Kind,
                                                     TMessageButtons Buttons);

    std::deque<TStep> Steps_;
    QList<QPointer<QWidget>> Handled_;
    QStringList Messages_;
    QList<TMessageKind> Kinds_;
    QTimer Timer_;
};

// Keys as a user types them, each to the widget that has the focus then: "@" and a capital
// letter is Alt with that letter (followed by the pause in which a button's access key presses
// it), "\n" Enter, "\x1b" Esc, any other character itself.
void Type(const std::string& Keys);

// Finds a child by object name and type, failing the test when it is missing.
template <typename T> T* Child(QWidget* parent, const char* name) {
    T* child = parent->findChild<T*>(QString::fromLatin1(name));
    if (child == nullptr) {
        ADD_FAILURE() << "no child named " << name;
    }
    return child;
}

} // namespace korvane::test
