#pragma once
// Reads picture files at the size they are shown, never larger. A JPEG streams from its file through
// the library's scaled decoding straight into the image, so neither a huge picture nor a huge file
// costs more than the picture shown; the header is read first, and a picture that would still pass
// kMaxDecodedPixels at the size it is decoded at, or a progressive one whose coefficients alone would
// pass kMaxCoefficientBytes, is refused before any of it is decoded. A JPEG that ends before its
// picture does is refused too, rather than decoded on as grey. Other formats go through Qt's readers
// under the same bound. Paths are the file system's own bytes; only regular files are read, so a
// FIFO or a device never blocks the window. A picture that cannot be shown is a null image.

#include <QImage>
#include <QSize>

#include <cstddef>
#include <cstdint>
#include <string>

inline constexpr std::int64_t kMaxDecodedPixels = 64'000'000;
inline constexpr std::size_t kMaxCoefficientBytes = std::size_t{128} << 20;

struct PictureHeader {
    int width = 0;
    int height = 0;
    // Why the file cannot be shown as a JPEG, as a sentence ("It is empty."); empty when it can at
    // some size.
    std::string problem;
};

// Reads no more of the file than its JPEG header.
PictureHeader readJpegHeader(const std::string& path);

// The whole picture stretched to size, ignoring its aspect ratio; an empty size gives it at its own.
QImage decodePicture(const std::string& path, const QSize& size);

// What a picture drawn at its own size from the top-left corner of a box shows: its top-left part, no
// larger than box. Only the rows shown are decoded.
QImage decodePictureCorner(const std::string& path, const QSize& box);
