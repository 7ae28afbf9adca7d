#pragma once

#include <QGroupBox>
#include <QStringList>

#include <vector>

class QRadioButton;

namespace korvane {

// A framed group of radio buttons, one below the other, of which exactly one is selected.
class TRadioGroup : public QGroupBox {
    Q_OBJECT
public:
    TRadioGroup(const QString& caption, const QStringList& items, QWidget* parent = nullptr);

    // The selected item, from 0.
    int ItemIndex() const;
    void SetItemIndex(int index);
    int Count() const { return static_cast<int>(Buttons_.size()); }
    QString ItemText(int index) const;
    void SetItemText(int index, const QString& text);

private:
    std::vector<QRadioButton*> Buttons_;
};

} // namespace korvane
