#pragma once

#include <QFont>
#include <QFontMetrics>
#include <QGlyphRun>
#include <QHash>
#include <QList>
#include <QRawFont>
#include <QString>

#include <array>

class QPaintDevice;

namespace korvane {

// A text shaped in one font: its width as the font's metrics measure it, and its glyphs placed
// from an origin on the baseline (none when the text must be drawn as a text).
struct TShapedText {
    int Width = 0;
    QList<QGlyphRun> Runs;
};

// One font of a report on its output device, with every text shaped in it so far: a sheet
// draws the same captions and numbers again and again, and each is shaped once. Numbers in a
// font whose digits shape alone as they do in a row are put together from the digits' glyphs.
class TReportFont {
public:
    TReportFont(const QFont& font, const QPaintDevice* device);

    const QFont& Font() const { return Font_; }
    const QFontMetrics& Metrics() const { return Metrics_; }
    int Height() const { return Height_; }
    // From the top of the text to its baseline: the font's ascent rounded up, so that no glyph
    // reaches above the top (the metrics round it to the nearest unit).
    int Ascent() const { return Ascent_; }

    // The text shaped once; the reference holds until the font is released.
    const TShapedText& Shaped(const QString& text);
    int Width(const QString& text) { return Shaped(text).Width; }

private:
    TShapedText Layout(const QString& text) const;
    // The text from the digits' glyphs; false when it is not all digits or the font does not
    // allow it.
    bool FromDigits(const QString& text, TShapedText& shaped) const;

    QFont Font_;
    QFontMetrics Metrics_;
    int Height_;
    int Ascent_;
    bool Decorated_;
    QHash<QString, TShapedText> Texts_;

    bool DigitsAlone_ = false;
    QRawFont DigitFont_;
    std::array<quint32, 10> DigitGlyphs_{};
    std::array<int, 10> DigitAdvances_{}; // in 64ths of a device unit
};

} // namespace korvane
