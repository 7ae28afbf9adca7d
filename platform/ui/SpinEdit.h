#pragma once

#include <QSpinBox>

namespace korvane {

// A numeric entry with up and down buttons over a range. Whatever is typed stays in the field
// until it is read: Value() holds a typed number outside the range to its nearer end and reads
// text that is no whole number as the lowest value, so nothing typed is ever refused.
//
// With strict entry, text that is neither empty nor a whole number in the range is refused
// instead: focus does not leave the field by Tab, a click or a shortcut (Refused is signalled, and
// the field keeps what was typed), and Acceptable() tells the owner not to store it.
class TSpinEdit : public QSpinBox {
    Q_OBJECT
public:
    TSpinEdit(int minimum, int maximum, QWidget* parent = nullptr);

    // The value of the text in the field now, held to the range.
    int Value() const;

    void SetStrict(bool Strict) { Strict_ = Strict; }
    // Empty (the lowest value), or a whole number in the range.
    bool Acceptable() const;

Q_SIGNALS:
    // Focus was about to leave a strict field holding text it does not accept; it stays.
    void Refused();

protected:
    QValidator::State validate(QString& input, int& pos) const override;
    int valueFromText(const QString& text) const override;
    void focusOutEvent(QFocusEvent* event) override;

private:
    bool Strict_ = false;
};

} // namespace korvane
