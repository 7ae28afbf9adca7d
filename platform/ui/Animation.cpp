#include "platform/ui/Animation.h"

namespace korvane {

TAnimation::TAnimation(int frameCount, int frameMilliseconds, QWidget* parent)
    : QWidget(parent), FrameCount_(frameCount), FrameMilliseconds_(frameMilliseconds) {
    Timer_.setInterval(FrameMilliseconds_);
    connect(&Timer_, &QTimer::timeout, this, qOverload<>(&QWidget::update));
}

void TAnimation::Start() {
    Clock_.start();
    Timer_.start();
    update();
}

void TAnimation::Stop() {
    StoppedFrame_ = Frame();
    Timer_.stop();
    update();
}

int TAnimation::Frame() const {
    if (!Timer_.isActive() || !Clock_.isValid()) {
        return StoppedFrame_;
    }
    return static_cast<int>((Clock_.elapsed() / FrameMilliseconds_) % FrameCount_);
}

} // namespace korvane
