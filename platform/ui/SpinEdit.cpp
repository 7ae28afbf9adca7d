#include "platform/ui/SpinEdit.h"

#include <QLineEdit>
#include <QRegularExpression>

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

} // namespace korvane
