#pragma once

#include <QLabel>

namespace korvane {

// A one-line label whose text may be longer than the label is wide: it shows the text cut with
// "…" and the whole text as its tooltip. text() stays the whole text.
class TElidedLabel : public QLabel {
    Q_OBJECT
public:
    using QLabel::QLabel;

    // The text as the label shows it.
    QString ShownText() const;

protected:
    void paintEvent(QPaintEvent* event) override;
    bool event(QEvent* event) override;

private:
    QRect TextRect() const;
};

} // namespace korvane
