#pragma once

#include <QString>
#include <QStringList>

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

// Every message the user sees goes through here: caption "Korvane", the kind's icon, the
// buttons asked for. Returns the button pressed (Cancel or No when the box is closed otherwise).
// Captions, when given, replace the buttons' own in their order (Yes, No, Cancel).
TModalResult ShowMessage(const QString& text, TMessageKind kind,
                         TMessageButtons buttons = TMessageButtons::Ok, QWidget* parent = nullptr,
                         const QStringList& Captions = {});

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

inline bool AskYesNo(const QString& text, QWidget* parent = nullptr) {
    return ShowMessage(text, TMessageKind::Question, TMessageButtons::YesNo, parent) ==
           TModalResult::Yes;
}

} // namespace korvane
