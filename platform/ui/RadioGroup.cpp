#include "platform/ui/RadioGroup.h"

#include <QButtonGroup>
#include <QRadioButton>
#include <QVBoxLayout>

namespace korvane {

TRadioGroup::TRadioGroup(const QString& caption, const QStringList& items, QWidget* parent)
    : QGroupBox(caption, parent) {
    auto* layout = new QVBoxLayout(this);
    layout->setSpacing(2);
    layout->setContentsMargins(8, 4, 8, 4);
    auto* group = new QButtonGroup(this);
    for (const QString& item : items) {
        auto* button = new QRadioButton(item, this);
        group->addButton(button, static_cast<int>(Buttons_.size()));
        layout->addWidget(button);
        Buttons_.push_back(button);
    }
    layout->addStretch(1);
    SetItemIndex(0);
}

int TRadioGroup::ItemIndex() const {
    for (std::size_t i = 0; i < Buttons_.size(); ++i) {
        if (Buttons_[i]->isChecked()) {
            return static_cast<int>(i);
        }
    }
    return -1;
}

void TRadioGroup::SetItemIndex(int index) {
    if (index >= 0 && index < Count()) {
        Buttons_[static_cast<std::size_t>(index)]->setChecked(true);
    }
}

QString TRadioGroup::ItemText(int index) const {
    return index >= 0 && index < Count() ? Buttons_[static_cast<std::size_t>(index)]->text()
                                         : QString();
}

void TRadioGroup::SetItemText(int index, const QString& text) {
    if (index >= 0 && index < Count()) {
        Buttons_[static_cast<std::size_t>(index)]->setText(text);
    }
}

} // namespace korvane
