#pragma once

#include <QElapsedTimer>
#include <QTimer>
#include <QWidget>

namespace korvane {

// A small "searching" picture: a magnifying glass circling over a sheet of paper. The position
// follows the time since Start, so a window that is repainted explicitly while the program is
// busy still shows it moving.
class TSearchAnimation : public QWidget {
    Q_OBJECT
public:
    explicit TSearchAnimation(QWidget* parent = nullptr);

    void Start();
    void Stop();
    bool Active() const { return Timer_.isActive(); }
    // Frame shown now, 0 .. FrameCount - 1.
    int Frame() const;
    static constexpr int FrameCount = 16;

    QSize sizeHint() const override { return {80, 50}; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QTimer Timer_;
    QElapsedTimer Clock_;
    int StoppedFrame_ = 0;
};

} // namespace korvane
