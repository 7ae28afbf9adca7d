#pragma once

#include "platform/ui/Animation.h"

namespace korvane {

// A small "searching" picture: a magnifying glass circling over a sheet of paper.
class TSearchAnimation : public TAnimation {
    Q_OBJECT
public:
    explicit TSearchAnimation(QWidget* parent = nullptr);

    QSize sizeHint() const override { return {80, 50}; }

protected:
    void paintEvent(QPaintEvent* event) override;
};

} // namespace korvane
