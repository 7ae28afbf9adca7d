#pragma once

#include "platform/ui/Animation.h"

namespace korvane {

// A small "copying" picture: sheets of paper flying from one folder to another.
class TCopyAnimation : public TAnimation {
    Q_OBJECT
public:
    explicit TCopyAnimation(QWidget* parent = nullptr);

    QSize sizeHint() const override { return {272, 60}; }

protected:
    void paintEvent(QPaintEvent* event) override;
};

} // namespace korvane
