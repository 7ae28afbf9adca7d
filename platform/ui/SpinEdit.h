#pragma once

#include <QSpinBox>

namespace korvane {

// A numeric entry with up and down buttons over a range. Whatever is typed stays in the field
// until it is read: Value() holds a typed number outside the range to its nearer end and reads
// text that is no whole number as the lowest value, so nothing typed is ever refused.
class TSpinEdit : public QSpinBox {
    Q_OBJECT
public:
    TSpinEdit(int minimum, int maximum, QWidget* parent = nullptr);

    // The value of the text in the field now, held to the range.
    int Value() const;

protected:
    QValidator::State validate(QString& input, int& pos) const override;
    int valueFromText(const QString& text) const override;
};

} // namespace korvane
