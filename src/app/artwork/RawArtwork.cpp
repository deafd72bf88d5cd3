// Build step: turns a PNG into a C++ source that holds its raw pixels as an array in the program's
// read-only data, so the first frame needs no image decoder and every compiler takes it. Layout:
// width, height and Qt's image format as 32-bit little-endian numbers, then the rows. An opaque
// picture is kept without alpha, so painting it on the window is a plain copy rather than a blend
// (which Qt spreads over a pool of new threads).
#include <QFile>
#include <QImage>

#include <cstdio>
#include <string>

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
    if (argc != 4) {
        std::fprintf(stderr, "usage: %s input.png output.cpp name\n", argv[0]);
        return 2;
    }
    const QImage read(QString::fromLocal8Bit(argv[1]));
    if (read.isNull()) {
        std::fprintf(stderr, "cannot read %s\n", argv[1]);
        return 1;
    }
    const QImage image = read.convertToFormat(
        read.hasAlphaChannel() && !opaque(read) ? QImage::Format_ARGB32_Premultiplied : QImage::Format_RGB32);
    QByteArray raw;
    const auto addNumber = [&raw](quint32 value) {
        for (int shift = 0; shift < 32; shift += 8)
            raw.append(char((value >> shift) & 0xff));
    };
    addNumber(static_cast<quint32>(image.width()));
    addNumber(static_cast<quint32>(image.height()));
    addNumber(static_cast<quint32>(image.format()));
    for (int y = 0; y < image.height(); ++y)
        raw.append(reinterpret_cast<const char*>(image.constScanLine(y)), image.width() * 4);

    const std::string symbol = std::string("brindlecoveArt_") + argv[3];
    QByteArray source = "// Made from " + QByteArray(argv[3]) + ".png at build time.\n#include <cstddef>\n\n";
    source += "extern const unsigned char " + QByteArray::fromStdString(symbol) + "[];\n";
    source += "extern const std::size_t " + QByteArray::fromStdString(symbol) + "_size;\n";
    source += "alignas(16) const unsigned char " + QByteArray::fromStdString(symbol) + "[] = {\n";
    for (qsizetype at = 0; at < raw.size(); ++at) {
        source += QByteArray::number(static_cast<unsigned char>(raw[at]));
        source += at % 32 == 31 ? ",\n" : ",";
    }
    source += "};\nconst std::size_t " + QByteArray::fromStdString(symbol) + "_size = sizeof " +
              QByteArray::fromStdString(symbol) + ";\n";
    QFile output(QString::fromLocal8Bit(argv[2]));
    if (!output.open(QIODevice::WriteOnly | QIODevice::Truncate))
        return 1;
    output.write(source);
    return output.error() == QFileDevice::NoError ? 0 : 1;
}
