#pragma once
// JPEG files for the tests, made in memory: small real pictures, and pictures whose header claims a
// size no test could afford to write, cut off right after the header.

#include <QBuffer>
#include <QImage>
#include <QImageWriter>

#include <string>

enum class JpegScans { Baseline, Progressive };

inline std::string jpegBytes(const QImage& picture, JpegScans scans = JpegScans::Baseline) {
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    QImageWriter writer(&buffer, "jpeg");
    writer.setProgressiveScanWrite(scans == JpegScans::Progressive);
    writer.write(picture);
    return buffer.data().toStdString();
}

inline std::string jpegBytes(int width, int height, QColor color = QColor(200, 150, 40)) {
    QImage picture(width, height, QImage::Format_RGB32);
    picture.fill(color);
    return jpegBytes(picture);
}

// The frame header says width x height; the file ends where the picture's data would begin.
inline std::string headerOnlyJpeg(int width, int height, JpegScans scans = JpegScans::Baseline) {
    QImage tiny(16, 16, QImage::Format_RGB32);
    tiny.fill(Qt::gray);
    std::string bytes = jpegBytes(tiny, scans);
    const std::size_t frame = bytes.find(scans == JpegScans::Baseline ? "\xFF\xC0" : "\xFF\xC2");
    bytes[frame + 5] = static_cast<char>(height >> 8);
    bytes[frame + 6] = static_cast<char>(height & 0xFF);
    bytes[frame + 7] = static_cast<char>(width >> 8);
    bytes[frame + 8] = static_cast<char>(width & 0xFF);
    const std::size_t scan = bytes.find("\xFF\xDA");
    const auto length = static_cast<std::size_t>(static_cast<unsigned char>(bytes[scan + 2]) << 8 |
                                                 static_cast<unsigned char>(bytes[scan + 3]));
    return bytes.substr(0, scan + 2 + length);
}
