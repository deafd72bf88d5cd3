// Pictures read at the size they are shown: what the header tells, what the whole picture and its
// top-left corner decode to, and the files that must come out as no picture without hanging.

#include "platform/ImageDecoder.h"
#include "JpegFiles.h"
#include "TempFolder.h"

#include <QBuffer>
#include <QPainter>

#include <gtest/gtest.h>

#include <functional>

#include <sys/stat.h>

namespace {

// Red in the top-left 200 x 150 of a 400 x 300 picture, blue elsewhere.
std::string quarteredJpeg() {
    QImage picture(400, 300, QImage::Format_RGB32);
    picture.fill(Qt::blue);
    QPainter(&picture).fillRect(0, 0, 200, 150, Qt::red);
    return jpegBytes(picture);
}

std::string pngBytes() {
    QImage picture(50, 40, QImage::Format_RGB32);
    picture.fill(Qt::green);
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    picture.save(&buffer, "PNG");
    return buffer.data().toStdString();
}

} // namespace

TEST(ImageDecoder, DecodesOnlyWhatIsShownAndRefusesWhatCannotBeShown) {
    TempFolder folder;
    const QSize page(40, 30);
    const QSize box(132, 100);
    const QSize none(0, 0); // a null image
    const struct {
        const char* name;
        std::function<std::string()> bytes; // none: a FIFO
        QSize header;
        const char* problem;
        QSize whole;
        QSize corner;
    } files[] = {
        {"small.jpg", [] { return jpegBytes(64, 48); }, {64, 48}, "", page, {64, 48}},
        {"quartered.jpg", quarteredJpeg, {400, 300}, "", page, box},
        {"snapshot_\xE9.jpg", [] { return jpegBytes(64, 48); }, {64, 48}, "", page, {64, 48}},
        {"header_only.jpg", [] { return headerOnlyJpeg(20000, 20000); }, {20000, 20000}, "", none, none},
        {"past_the_bound_at_an_eighth.jpg",
         [] { return headerOnlyJpeg(65000, 65000); },
         {65000, 65000},
         "It is too large to show (65000 x 65000 pixels).",
         none,
         none},
        {"progressive_past_the_coefficient_bound.jpg",
         [] { return headerOnlyJpeg(20000, 20000, JpegScans::Progressive); },
         {20000, 20000},
         "It is too large to show (20000 x 20000 pixels).",
         none,
         none},
        {"cut_at_300_bytes.jpg",
         [] { return jpegBytes(64, 48).substr(0, 300); },
         {0, 0},
         "Its JPEG header is damaged (Premature end of JPEG file).",
         none,
         none},
        {"empty.jpg", [] { return std::string(); }, {0, 0}, "It is empty.", none, none},
        {"text.jpg",
         [] { return std::string("no picture\n"); },
         {0, 0},
         "It is not a JPEG picture.",
         none,
         none},
        {"png_named.jpg", pngBytes, {0, 0}, "It is not a JPEG picture.", page, {50, 40}},
        {"fifo.jpg", nullptr, {0, 0}, "It cannot be opened for reading.", none, none},
    };
    for (const auto& file : files) {
        const std::string path = folder.file(file.name);
        if (file.bytes)
            folder.write(file.name, file.bytes());
        else
            ASSERT_EQ(::mkfifo(path.c_str(), 0644), 0);
        const PictureHeader header = readJpegHeader(path);
        EXPECT_EQ(QSize(header.width, header.height), file.header) << file.name;
        EXPECT_EQ(header.problem, file.problem) << file.name;
        EXPECT_EQ(decodePicture(path, page).size(), file.whole) << file.name;
        EXPECT_EQ(decodePictureCorner(path, box).size(), file.corner) << file.name;
    }

    const QImage corner = decodePictureCorner(folder.file("quartered.jpg"), box);
    EXPECT_GT(corner.pixelColor(box.width() - 1, box.height() - 1).red(), 200)
        << "the top-left part, unscaled";
    const QImage whole = decodePicture(folder.file("quartered.jpg"), page);
    EXPECT_GT(whole.pixelColor(page.width() - 1, page.height() - 1).blue(), 200) << "the whole picture";
    EXPECT_EQ(decodePicture(folder.file("small.jpg"), {}).size(), QSize(64, 48));
}

// The stretch done band by band while decoding gives the stretch of the whole decoded picture, at
// every line (a band that held one row too few would show as a seam).
TEST(ImageDecoder, StretchWhileDecodingMatchesStretchOfTheWholePicture) {
    TempFolder folder;
    QImage picture(400, 300, QImage::Format_RGB32);
    for (int y = 0; y < picture.height(); ++y)
        for (int x = 0; x < picture.width(); ++x)
            picture.setPixel(x, y, qRgb((x * 7 + y * 3) % 256, (x * y) % 256, (y * 11) % 256));
    folder.write("detailed.jpg", jpegBytes(picture));
    const QImage whole = decodePicture(folder.file("detailed.jpg"), {});
    ASSERT_EQ(whole.size(), picture.size());
    // Sizes the picture is decoded for at its own size (an eighth less would not cover them), then
    // shrunk by up to half.
    for (const QSize size : {QSize(380, 290), QSize(351, 151), QSize(399, 161), QSize(360, 299)}) {
        QImage expected(size, QImage::Format_RGB32);
        QPainter painter(&expected);
        painter.setRenderHint(QPainter::SmoothPixmapTransform);
        painter.drawImage(expected.rect(), whole);
        painter.end();
        const QImage stretched = decodePicture(folder.file("detailed.jpg"), size);
        ASSERT_EQ(stretched.size(), size);
        int worst = 0;
        for (int y = 0; y < size.height(); ++y)
            for (int x = 0; x < size.width(); ++x) {
                const QRgb a = stretched.pixel(x, y), b = expected.pixel(x, y);
                worst = std::max({worst, std::abs(qRed(a) - qRed(b)), std::abs(qGreen(a) - qGreen(b)),
                                  std::abs(qBlue(a) - qBlue(b))});
            }
        EXPECT_LE(worst, 2) << size.width() << " x " << size.height();
    }
}
