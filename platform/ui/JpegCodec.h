#pragma once

#include <QImage>
#include <QString>

namespace korvane {

// Page images of the preview as JPEG files (TurboJPEG).

// Writes the image to file; false when it could not be encoded or written.
bool SaveJpeg(const QImage& image, const QString& file, int quality = 90);

// Reads a JPEG file; a null image when the file is missing or not a JPEG.
QImage LoadJpeg(const QString& file);

} // namespace korvane
