#include "platform/ui/JpegCodec.h"

#include <QFile>

#include <turbojpeg.h>

namespace korvane {

namespace {

// One TurboJPEG handle for the duration of a call.
class THandle {
public:
    explicit THandle(bool compress) : Handle_(compress ? tjInitCompress() : tjInitDecompress()) {}
    ~THandle() {
        if (Handle_ != nullptr) {
            tjDestroy(Handle_);
        }
    }
    THandle(const THandle&) = delete;
    THandle& operator=(const THandle&) = delete;
    tjhandle Get() const { return Handle_; }

private:
    tjhandle Handle_;
};

// QImage's 32-bit formats hold 0xAARRGGBB words: blue comes first in memory on little-endian
// machines.
constexpr int PixelFormat = Q_BYTE_ORDER == Q_LITTLE_ENDIAN ? TJPF_BGRX : TJPF_XRGB;

// Pages are black, white and grey for the most part: colour at half resolution and the fast
// transforms cost nothing a reader sees, and halve the time a page takes.
constexpr int Subsampling = TJSAMP_420;
constexpr int Flags = TJFLAG_FASTDCT | TJFLAG_FASTUPSAMPLE;

} // namespace

bool SaveJpeg(const QImage& image, const QString& file, int quality) {
    if (image.isNull()) {
        return false;
    }
    const QImage pixels = image.format() == QImage::Format_RGB32
                              ? image
                              : image.convertToFormat(QImage::Format_RGB32);
    THandle handle(true);
    if (handle.Get() == nullptr) {
        return false;
    }
    unsigned char* encoded = nullptr;
    unsigned long size = 0;
    const int failed = tjCompress2(handle.Get(), pixels.constBits(), pixels.width(),
                                   static_cast<int>(pixels.bytesPerLine()), pixels.height(),
                                   PixelFormat, &encoded, &size, Subsampling, quality, Flags);
    bool written = false;
    if (failed == 0) {
        QFile out(file);
        written = out.open(QIODevice::WriteOnly | QIODevice::Truncate) &&
                  out.write(reinterpret_cast<const char*>(encoded), static_cast<qint64>(size)) ==
                      static_cast<qint64>(size);
        if (written) {
            written = out.flush();
        }
        out.close();
        if (!written) {
            out.remove();
        }
    }
    tjFree(encoded);
    return written;
}

QImage LoadJpeg(const QString& file) {
    QFile in(file);
    if (!in.open(QIODevice::ReadOnly)) {
        return {};
    }
    QByteArray bytes = in.readAll();
    THandle handle(false);
    if (handle.Get() == nullptr || bytes.isEmpty()) {
        return {};
    }
    auto* data = reinterpret_cast<unsigned char*>(bytes.data());
    const auto size = static_cast<unsigned long>(bytes.size());
    int width = 0;
    int height = 0;
    int subsampling = 0;
    int colourspace = 0;
    if (tjDecompressHeader3(handle.Get(), data, size, &width, &height, &subsampling,
                            &colourspace) != 0 ||
        width <= 0 || height <= 0) {
        return {};
    }
    QImage image(width, height, QImage::Format_RGB32);
    if (image.isNull()) {
        return {};
    }
    if (tjDecompress2(handle.Get(), data, size, image.bits(), width,
                      static_cast<int>(image.bytesPerLine()), height, PixelFormat, Flags) != 0) {
        return {};
    }
    return image;
}

} // namespace korvane
