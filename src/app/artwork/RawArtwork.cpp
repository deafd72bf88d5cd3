// Build step: turns a PNG into the raw pixels the program maps straight from its own image, so the
// first frame needs no image decoder. Layout: width, height and Qt's image format as 32-bit
// little-endian numbers, then the rows. An opaque picture is kept without alpha, so painting it on
// the window is a plain copy rather than a blend (which Qt spreads over a pool of new threads).
#include <QFile>
#include <QImage>

#include <cstdio>

namespace {
bool opaque(const QImage& image) {
    const QImage argb = image.convertToFormat(QImage::Format_ARGB32);
    for (int y = 0; y < argb.height(); ++y) {
        const auto* line = reinterpret_cast<const QRgb*>(argb.constScanLine(y));
        for (int x = 0; x < argb.width(); ++x)
            if (qAlpha(line[x]) != 255)
                return false;
    }
    return true;
}
} // namespace

int main(int argc, char* argv[]) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: %s input.png output.raw\n", argv[0]);
        return 2;
    }
    const QImage read(QString::fromLocal8Bit(argv[1]));
    if (read.isNull()) {
        std::fprintf(stderr, "cannot read %s\n", argv[1]);
        return 1;
    }
    const QImage image = read.convertToFormat(
        read.hasAlphaChannel() && !opaque(read) ? QImage::Format_ARGB32_Premultiplied : QImage::Format_RGB32);
    QFile output(QString::fromLocal8Bit(argv[2]));
    if (!output.open(QIODevice::WriteOnly | QIODevice::Truncate))
        return 1;
    const auto writeNumber = [&output](quint32 value) {
        const char bytes[4] = {char(value & 0xff), char((value >> 8) & 0xff), char((value >> 16) & 0xff),
                               char((value >> 24) & 0xff)};
        output.write(bytes, 4);
    };
    writeNumber(static_cast<quint32>(image.width()));
    writeNumber(static_cast<quint32>(image.height()));
    writeNumber(static_cast<quint32>(image.format()));
    for (int y = 0; y < image.height(); ++y)
        output.write(reinterpret_cast<const char*>(image.constScanLine(y)), image.width() * 4);
    return output.error() == QFileDevice::NoError ? 0 : 1;
}
