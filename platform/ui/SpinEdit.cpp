#include "platform/ui/SpinEdit.h"

#include <QFocusEvent>
#include <QLineEdit>
#include <QRegularExpression>
#include <QTimer>

#include <algorithm>

namespace korvane {

TSpinEdit::TSpinEdit(int minimum, int maximum, QWidget* parent) : QSpinBox(parent) {
    setRange(minimum, maximum);
    setValue(minimum);
    setCorrectionMode(QAbstractSpinBox::CorrectToNearestValue);
}

QValidator::State TSpinEdit::validate(QString&, int&) const {
    return QValidator::Acceptable;
}

int TSpinEdit::valueFromText(const QString& text) const {
    static const QRegularExpression number(QStringLiteral("^\\s*([+-]?)(\\d+)\\s*$"));
    const auto match = number.match(text);
    if (!match.hasMatch()) {
        return minimum();
    }
    const bool negative = match.captured(1) == QStringLiteral("-");
    bool ok = false;
    const qlonglong value = QString(match.captured(1) + match.captured(2)).toLongLong(&ok);
    if (!ok) {
        return negative ? minimum() : maximum(); // more digits than any range holds
    }
    return static_cast<int>(std::clamp<qlonglong>(value, minimum(), maximum()));
}

int TSpinEdit::Value() const {
    return valueFromText(lineEdit()->text());
}

bool TSpinEdit::Acceptable() const {
    static const QRegularExpression number(QStringLiteral("^\\s*\\+?(\\d{1,9})\\s*$"));
    const QString text = lineEdit()->text();
    if (text.trimmed().isEmpty()) {
        return true;
    }
    const auto match = number.match(text);
    if (!match.hasMatch()) {
        return false;
    }
    const int value = match.captured(1).toInt();
    return value >= minimum() && value <= maximum();
}

void TSpinEdit::focusOutEvent(QFocusEvent* event) {
    const Qt::FocusReason reason = event->reason();
    const bool leaving = reason == Qt::TabFocusReason || reason == Qt::BacktabFocusReason ||
                         reason == Qt::MouseFocusReason || reason == Qt::ShortcutFocusReason ||
                         reason == Qt::OtherFocusReason;
    if (Strict_ && !Acceptable()) {
        // Never corrected to the nearest value, not even when a message takes the focus: the
        // field keeps what was typed, and when the user moves on, the focus.
        if (leaving) {
            setFocus(Qt::OtherFocusReason);
            lineEdit()->selectAll();
            QTimer::singleShot(0, this, [this] { Q_EMIT Refused(); });
        }
        return;
    }
    QSpinBox::focusOutEvent(event);
}

} // namespace korvane
