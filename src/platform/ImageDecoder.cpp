#include "ImageDecoder.h"

#include <QFile>
#include <QImageReader>
#include <QPainter>

#include <turbojpeg.h>

#include <memory>

namespace {

#if Q_BYTE_ORDER == Q_LITTLE_ENDIAN
constexpr int kQtPixelFormat = TJPF_BGRX;
#else
constexpr int kQtPixelFormat = TJPF_XRGB;
#endif

struct TurboHandle {
    void operator()(void* handle) const { tjDestroy(handle); }
};

// The smallest of the library's scaling factors that still covers the target size, so the final
// smoothing only ever shrinks.
tjscalingfactor coveringScale(int width, int height, const QSize& target) {
    if (target.isEmpty())
        return {1, 1}; // no size asked for: the picture's own
    int count = 0;
    const tjscalingfactor* factors = tjGetScalingFactors(&count);
    tjscalingfactor best{1, 1};
    int bestWidth = width;
    for (int i = 0; i < count; ++i) {
        const int scaledWidth = TJSCALED(width, factors[i]);
        const int scaledHeight = TJSCALED(height, factors[i]);
        if (scaledWidth >= target.width() && scaledHeight >= target.height() && scaledWidth < bestWidth) {
            best = factors[i];
            bestWidth = scaledWidth;
        }
    }
    return best;
}

QImage decodeJpeg(const QByteArray& bytes, const QSize& target) {
    const std::unique_ptr<void, TurboHandle> handle(tjInitDecompress());
    if (!handle)
        return {};
    auto* data = reinterpret_cast<const unsigned char*>(bytes.constData());
    const auto size = static_cast<unsigned long>(bytes.size());
    int width = 0;
    int height = 0;
    int subsampling = 0;
    int colorspace = 0;
    if (tjDecompressHeader3(handle.get(), data, size, &width, &height, &subsampling, &colorspace) != 0 ||
        width <= 0 || height <= 0)
        return {};
    const tjscalingfactor scale = coveringScale(width, height, target);
    // Qt's own 32-bit layout, so painting the result needs no conversion.
    QImage image(TJSCALED(width, scale), TJSCALED(height, scale), QImage::Format_RGB32);
    if (image.isNull())
        return {};
    // Entropy decoding bounds what is left: no option shortens it. Fast upsampling of the colour
    // planes trims a tenth more, and the smoothing that follows hides its coarser edges.
    if (tjDecompress2(handle.get(), data, size, image.bits(), image.width(),
                      static_cast<int>(image.bytesPerLine()), image.height(), kQtPixelFormat,
                      TJFLAG_FASTDCT | TJFLAG_FASTUPSAMPLE) != 0)
        return {};
    return image;
}

} // namespace

QImage decodePictureForSize(const QString& path, const QSize& size) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    const QByteArray bytes = file.readAll();
    QImage image;
    if (bytes.startsWith("\xFF\xD8"))
        image = decodeJpeg(bytes, size);
    if (image.isNull()) {
        // Not a JPEG, or one the fast road refused: let Qt's readers try.
        QImage full;
        if (!full.loadFromData(bytes))
            return {};
        image = full;
    }
    if (size.isEmpty() || image.size() == size)
        return image;
    // Bilinear filtering: the decode already came within a factor of two of the size, where it looks
    // as good as area averaging at a fraction of the cost. In bands of a few lines: Qt hands a
    // stretch over many lines to a pool of threads, and waking them costs more than the work.
    QImage scaled(size, QImage::Format_RGB32);
    QPainter painter(&scaled);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    constexpr int kBandLines = 16;
    for (int top = 0; top < size.height(); top += kBandLines) {
        painter.setClipRect(QRect(0, top, size.width(), kBandLines));
        painter.drawImage(scaled.rect(), image);
    }
    return scaled;
}
