// Build step: turns a PNG into a C++ source that holds its raw pixels as an array in the program's
// read-only data, so the first frame needs no image decoder and every compiler takes it. Layout:
// width, height and Qt's image format as 32-bit little-endian numbers, then the rows. An opaque
// picture is kept without alpha, so painting it on the window is a plain copy rather than a blend
// (which Qt spreads over a pool of new threads). Options: --side N makes a smaller square copy;
// --rare puts the pixels of a picture seldom shown (a dialog's) in a section of their own, apart from
// those every window paints, so the pages the system maps in around the latter never hold the former.
#include <QFile>
#include <QImage>

#include <cstdio>
#include <cstdlib>
#include <cstring>
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
    int side = 0;
    bool rare = false;
    for (int at = 4; at < argc; ++at) {
        if (std::strcmp(argv[at], "--rare") == 0)
            rare = true;
        else if (std::strcmp(argv[at], "--side") == 0 && at + 1 < argc)
            side = std::atoi(argv[++at]);
        else
            argc = 0;
    }
    if (argc < 4) {
        std::fprintf(stderr, "usage: %s input.png output.cpp name [--side N] [--rare]\n", argv[0]);
        return 2;
    }
    QImage read(QString::fromLocal8Bit(argv[1]));
    if (read.isNull()) {
        std::fprintf(stderr, "cannot read %s\n", argv[1]);
        return 1;
    }
    if (side > 0) {
        read = read.scaled(side, side, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
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
    if (rare)
        source += "#if defined(__GNUC__)\n__attribute__((section(\".rareart\")))\n#endif\n";
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
