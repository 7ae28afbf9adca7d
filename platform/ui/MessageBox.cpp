#include "platform/ui/MessageBox.h"

#include <QAbstractButton>
#include <QApplication>
#include <QDialog>
#include <QFontMetrics>
#include <QIcon>
#include <QMessageBox>

#include <cstdio>

namespace korvane {

namespace {

QMessageBox::Icon IconOf(TMessageKind kind) {
    switch (kind) {
    case TMessageKind::Error:
        return QMessageBox::Critical;
    case TMessageKind::Warning:
        return QMessageBox::Warning;
    case TMessageKind::Question:
        return QMessageBox::Question;
    case TMessageKind::Information:
        break;
    }
    return QMessageBox::Information;
}

QMessageBox::StandardButtons ButtonsOf(TMessageButtons buttons) {
    switch (buttons) {
    case TMessageButtons::OkCancel:
        return QMessageBox::Ok | QMessageBox::Cancel;
    case TMessageButtons::YesNo:
        return QMessageBox::Yes | QMessageBox::No;
    case TMessageButtons::YesNoCancel:
        return QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel;
    case TMessageButtons::Ok:
        break;
    }
    return QMessageBox::Ok;
}

TModalResult ResultOf(int button, TMessageButtons buttons) {
    switch (button) {
    case QMessageBox::Ok:
        return TModalResult::Ok;
    case QMessageBox::Yes:
        return TModalResult::Yes;
    case QMessageBox::No:
        return TModalResult::No;
    case QMessageBox::Cancel:
        return TModalResult::Cancel;
    default:
        break;
    }
    // Closed by Escape or the title bar: the safe answer of the button set.
    return buttons == TMessageButtons::YesNo ? TModalResult::No
           : buttons == TMessageButtons::Ok  ? TModalResult::Ok
                                             : TModalResult::Cancel;
}

bool ToStandardError = false;
TMessageAnswerer Answerer;

// Wide enough for a long title on one line; a box with it stays well inside a small screen.
constexpr int ElidedNameWidth = 300;

} // namespace

TMessagesToStandardError::TMessagesToStandardError() : Before_(ToStandardError) {
    ToStandardError = true;
}

TMessagesToStandardError::~TMessagesToStandardError() {
    ToStandardError = Before_;
}

TModalResult ShowModal(QDialog& dialog) {
    // The results are numbered so that Rejected (0) and Accepted (1) read as None and Ok.
    static_assert(static_cast<int>(TModalResult::None) == QDialog::Rejected &&
                  static_cast<int>(TModalResult::Ok) == QDialog::Accepted);
    const int code = dialog.exec();
    if (code <= static_cast<int>(TModalResult::None) || code > static_cast<int>(TModalResult::No)) {
        return TModalResult::Cancel;
    }
    return static_cast<TModalResult>(code);
}

void CloseWith(QDialog& dialog, TModalResult result) {
    dialog.done(static_cast<int>(result));
}

TModalResult ShowMessage(const QString& text, TMessageKind kind, TMessageButtons buttons,
                         QWidget* parent, TDefaultAnswer defaultAnswer,
                         const QStringList& Captions) {
    if (ToStandardError) {
        std::fprintf(stderr, "korvane: %s\n", text.toLocal8Bit().constData());
        return ResultOf(QMessageBox::NoButton, buttons);
    }
    if (Answerer) {
        if (const std::optional<TModalResult> answer = Answerer(text, kind, buttons)) {
            return *answer;
        }
    }
    if (parent == nullptr) {
        parent = QApplication::activeWindow();
    }
    QMessageBox box(IconOf(kind), QStringLiteral("Korvane"), text, ButtonsOf(buttons), parent);
    box.setObjectName(QStringLiteral("KorvaneMessageBox"));
    if (buttons == TMessageButtons::YesNo || buttons == TMessageButtons::YesNoCancel) {
        box.setDefaultButton(defaultAnswer == TDefaultAnswer::Yes ? QMessageBox::Yes
                                                                  : QMessageBox::No);
    }
    const QMessageBox::StandardButton order[] = {QMessageBox::Ok, QMessageBox::Yes, QMessageBox::No,
                                                 QMessageBox::Cancel};
    qsizetype next = 0;
    for (const QMessageBox::StandardButton button : order) {
        if (next < Captions.size() && box.button(button) != nullptr) {
            // The standard button's icon says Yes or No, which the caption no longer does.
            box.button(button)->setIcon(QIcon());
            box.button(button)->setText(Captions[next++]);
        }
    }
    return ResultOf(box.exec(), buttons);
}

void SetMessageAnswerer(TMessageAnswerer answerer) {
    Answerer = std::move(answerer);
}

TModalResult SafeAnswer(TMessageButtons buttons) {
    return ResultOf(QMessageBox::NoButton, buttons);
}

QString ElidedInMessage(const QString& name) {
    return QFontMetrics(QApplication::font("QMessageBox"))
        .elidedText(name, Qt::ElideRight, ElidedNameWidth);
}

} // namespace korvane
