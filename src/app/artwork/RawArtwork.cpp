// Build step: turns a PNG into the raw pixels the program maps straight from its own image, so the
// first frame needs no image decoder. Layout: width and height as 32-bit little-endian numbers,
// then the rows in Qt's premultiplied 32-bit ARGB format.
#include <QFile>
#include <QImage>

#include <cstdio>

int main(int argc, char* argv[]) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: %s input.png output.raw\n", argv[0]);
        return 2;
    }
    const QImage image =
        QImage(QString::fromLocal8Bit(argv[1])).convertToFormat(QImage::Format_ARGB32_Premultiplied);
    if (image.isNull()) {
        std::fprintf(stderr, "cannot read %s\n", argv[1]);
        return 1;
    }
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
    for (int y = 0; y < image.height(); ++y)
        output.write(reinterpret_cast<const char*>(image.constScanLine(y)), image.width() * 4);
    return output.error() == QFileDevice::NoError ? 0 : 1;
}
