#pragma once

#include <QString>
#include <QStringList>

#include <functional>
#include <optional>

class QDialog;
class QWidget;

namespace korvane {

// The modal results the screens work with.
enum class TModalResult { None, Ok, Cancel, Yes, No };

// Shows a dialog modally and gives the result it closed with (see CloseWith); a dialog closed by
// Esc or its title bar gives Cancel, one closed by accept() gives Ok.
TModalResult ShowModal(QDialog& dialog);
// Closes a modal dialog with a result.
void CloseWith(QDialog& dialog, TModalResult result);

enum class TMessageKind { Error, Warning, Question, Information };

enum class TMessageButtons { Ok, OkCancel, YesNo, YesNoCancel };

// The answer Enter gives to a question. No unless the caller asks otherwise: a Yes that deletes
// or overwrites must be chosen, never given by a stray Enter.
enum class TDefaultAnswer { No, Yes };

// Every message the user sees goes through here: caption "Korvane", the kind's icon, the
// buttons asked for. Returns the button pressed (Cancel or No when the box is closed otherwise).
// Captions, when given, replace the buttons' own in their order (Yes, No, Cancel).
TModalResult ShowMessage(const QString& text, TMessageKind kind,
                         TMessageButtons buttons = TMessageButtons::Ok, QWidget* parent = nullptr,
                         TDefaultAnswer defaultAnswer = TDefaultAnswer::No,
                         const QStringList& Captions = {});

// Test seam: asked before a message box is shown, with its text, kind and buttons. An answer
// given here is taken at once and no box is shown; none shows the box. An empty function (the
// default) shows every box.
using TMessageAnswerer =
    std::function<std::optional<TModalResult>(const QString&, TMessageKind, TMessageButtons)>;
void SetMessageAnswerer(TMessageAnswerer answerer);
// The answer of a box closed without a button: No, Ok or Cancel as the buttons have them.
TModalResult SafeAnswer(TMessageButtons buttons);

// A name that a message quotes (a position title from a disk, a folder), elided to a width that
// keeps the box and its buttons on the screen however long the name is.
QString ElidedInMessage(const QString& name);

// While one of these lives (a run with no display), messages go to standard error instead of a
// window, and every question is answered with its safe button (No, Cancel).
class TMessagesToStandardError {
public:
    TMessagesToStandardError();
    ~TMessagesToStandardError();
    TMessagesToStandardError(const TMessagesToStandardError&) = delete;
    TMessagesToStandardError& operator=(const TMessagesToStandardError&) = delete;

private:
    bool Before_;
};

inline void ShowError(const QString& text, QWidget* parent = nullptr) {
    ShowMessage(text, TMessageKind::Error, TMessageButtons::Ok, parent);
}

inline void ShowInformation(const QString& text, QWidget* parent = nullptr) {
    ShowMessage(text, TMessageKind::Information, TMessageButtons::Ok, parent);
}

inline bool AskYesNo(const QString& text, QWidget* parent = nullptr,
                     TDefaultAnswer defaultAnswer = TDefaultAnswer::No) {
    return ShowMessage(text, TMessageKind::Question, TMessageButtons::YesNo, parent,
                       defaultAnswer) == TModalResult::Yes;
}

} // namespace korvane
