#pragma once

#include <QElapsedTimer>
#include <QTimer>
#include <QWidget>

namespace korvane {

// A small "copying" picture: sheets of paper flying from one folder to another. The position
// follows the time since Start, so a window that is repainted explicitly while the program is
// busy still shows it moving.
class TCopyAnimation : public QWidget {
    Q_OBJECT
public:
    explicit TCopyAnimation(QWidget* parent = nullptr);

    void Start();
    void Stop();
    bool Active() const { return Timer_.isActive(); }
    // Frame shown now, 0 .. FrameCount - 1.
    int Frame() const;
    static constexpr int FrameCount = 20;

    QSize sizeHint() const override { return {272, 60}; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QTimer Timer_;
    QElapsedTimer Clock_;
    int StoppedFrame_ = 0;
};

} // namespace korvane
