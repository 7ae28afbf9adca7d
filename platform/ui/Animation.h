#pragma once

#include <QElapsedTimer>
#include <QTimer>
#include <QWidget>

namespace korvane {

// A small moving picture of a busy window. The frame follows the time since Start, so a
// window that is repainted explicitly while the program is busy still shows it moving; a
// subclass draws the frame in its paintEvent.
class TAnimation : public QWidget {
    Q_OBJECT
public:
    void Start();
    void Stop();
    bool Active() const { return Timer_.isActive(); }
    // Frame shown now, 0 .. FrameCount() - 1.
    int Frame() const;
    int FrameCount() const { return FrameCount_; }

protected:
    TAnimation(int frameCount, int frameMilliseconds, QWidget* parent);

private:
    int FrameCount_;
    int FrameMilliseconds_;
    QTimer Timer_;
    QElapsedTimer Clock_;
    int StoppedFrame_ = 0;
};

} // namespace korvane
