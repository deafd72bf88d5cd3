#include "platform/PictureArea.h"
#include "platform/Twips.h"

#include <QImage>

#include <gtest/gtest.h>

#include <optional>

namespace {
const QColor kBack(96, 96, 146);
const QColor kRed(255, 0, 0);

// The bounding box, in pixels, of every pixel of one colour.
std::optional<QRect> inkBox(const QImage& image, const QColor& color, const QRect& within = {}) {
    const QRect area = within.isNull() ? image.rect() : within.intersected(image.rect());
    std::optional<QRect> box;
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x)
            if (image.pixelColor(x, y) == color)
                box = box ? box->united(QRect(x, y, 1, 1)) : QRect(x, y, 1, 1);
    return box;
}

class PictureAreaTest : public ::testing::Test {
protected:
    void SetUp() override {
        area.setGeometryTwips(0, 0, 6000, 4500);
        area.setBackColor(kBack);
        area.setFontSize(12);
        area.setForeColor(kRed);
    }
    PictureArea area;
};
} // namespace

TEST_F(PictureAreaTest, TextStandsBelowAndRightOfThePosition) {
    area.setPersistentDrawing(true);
    area.setPosition(1500, 1500);
    area.print("M");
    const auto box = inkBox(area.shownImage(), kRed);
    ASSERT_TRUE(box);
    EXPECT_GE(box->left(), 100);
    EXPECT_LE(box->left(), 103);
    EXPECT_GE(box->top(), 100);
    EXPECT_LE(box->bottom(), 100 + twipsToPixels(area.textHeightTwips()));
}

TEST_F(PictureAreaTest, PrintMovesToTheStartOfTheNextLine) {
    area.setPosition(900, 300);
    area.print("abc");
    EXPECT_EQ(area.currentX(), 0);
    EXPECT_EQ(area.currentY(), 300 + area.textHeightTwips());

    area.setPosition(900, 300);
    area.print("one\r\ntwo\r\n");
    EXPECT_EQ(area.currentX(), 0);
    EXPECT_EQ(area.currentY(), 300 + 3 * area.textHeightTwips());
}

TEST_F(PictureAreaTest, LineBreakContinuesAtTheLeftEdge) {
    area.setPersistentDrawing(true);
    area.setPosition(3000, 0);
    area.print("\r\nW");
    const int line = twipsToPixels(area.textHeightTwips());
    const auto box = inkBox(area.shownImage(), kRed);
    ASSERT_TRUE(box);
    EXPECT_LT(box->left(), 5);
    EXPECT_GE(box->top(), line);
}

TEST_F(PictureAreaTest, NumbersCarryABlankEitherSide) {
    area.setPersistentDrawing(true);
    area.setPosition(0, 0);
    area.printNumber(7);
    const QImage asNumber = area.shownImage();

    area.clearDrawing();
    area.print(" 7 ");
    EXPECT_EQ(area.shownImage(), asNumber);

    area.clearDrawing();
    area.printNumber(-7);
    const QImage negative = area.shownImage();
    area.clearDrawing();
    area.print("-7 ");
    EXPECT_EQ(area.shownImage(), negative);
}

TEST_F(PictureAreaTest, LooseDrawingGivesWayToPersistentDrawing) {
    area.setPersistentDrawing(false);
    area.setPosition(0, 0);
    area.print("loose");
    EXPECT_TRUE(inkBox(area.shownImage(), kRed));

    area.setPersistentDrawing(true);
    area.setForeColor(QColor(0, 255, 0));
    area.setPosition(0, 2000);
    area.print("kept");
    EXPECT_FALSE(inkBox(area.shownImage(), kRed)) << "loose text should be gone";
    EXPECT_TRUE(inkBox(area.shownImage(), QColor(0, 255, 0)));

    area.setPersistentDrawing(false);
    EXPECT_TRUE(inkBox(area.shownImage(), QColor(0, 255, 0))) << "persistent text stays";
}

TEST_F(PictureAreaTest, ClearingThePictureShowsTheBackground) {
    QImage picture(400, 300, QImage::Format_RGB32);
    picture.fill(QColor(10, 200, 10));
    area.setPicture(picture);
    area.setPersistentDrawing(true);
    area.print("text");
    area.clearDrawing();
    EXPECT_EQ(area.shownImage().pixelColor(200, 150), QColor(10, 200, 10))
        << "drawing clears back to the picture";
    EXPECT_FALSE(inkBox(area.shownImage(), kRed));

    area.clearPicture();
    EXPECT_FALSE(area.hasPicture());
    EXPECT_EQ(area.shownImage().pixelColor(200, 150), kBack);
}

TEST_F(PictureAreaTest, PaintingStretchesOverTheWholeArea) {
    QImage quarters(2, 2, QImage::Format_RGB32);
    quarters.setPixelColor(0, 0, Qt::red);
    quarters.setPixelColor(1, 0, Qt::green);
    quarters.setPixelColor(0, 1, Qt::blue);
    quarters.setPixelColor(1, 1, Qt::yellow);
    area.setPersistentDrawing(true);
    area.paintPictureOverArea(quarters);
    const QImage shown = area.shownImage();
    EXPECT_EQ(shown.pixelColor(20, 20), QColor(Qt::red));
    EXPECT_EQ(shown.pixelColor(380, 20), QColor(Qt::green));
    EXPECT_EQ(shown.pixelColor(20, 280), QColor(Qt::blue));
    EXPECT_EQ(shown.pixelColor(380, 280), QColor(Qt::yellow));
}

TEST_F(PictureAreaTest, ThePaintedAreaIsWhatItShows) {
    // Painted first: asking what it shows makes the area's image.
    const auto paintedIsShown = [this] {
        const QImage painted = area.grab().toImage().convertToFormat(QImage::Format_RGB32);
        return painted == area.shownImage().convertToFormat(QImage::Format_RGB32);
    };
    EXPECT_TRUE(paintedIsShown()) << "nothing drawn: the background alone";

    QImage picture(100, 80, QImage::Format_RGB32);
    picture.fill(QColor(10, 200, 10));
    area.setPicture(picture);
    EXPECT_TRUE(paintedIsShown()) << "the picture at the top left";

    area.print("loose text");
    EXPECT_TRUE(paintedIsShown()) << "loose drawing over the picture";
}

TEST_F(PictureAreaTest, APageAtTheAreasSizeStaysSharedUnderItsCaptions) {
    QImage page(area.size(), QImage::Format_RGB32);
    page.fill(QColor(10, 200, 10));
    area.setPersistentDrawing(true);
    area.paintPictureOverArea(page);
    area.setPosition(100, 100);
    area.print("caption");
    area.setPersistentDrawing(false);
    EXPECT_FALSE(page.isDetached()) << "the page is shown as given, not copied for its captions";
    EXPECT_TRUE(inkBox(area.shownImage(), kRed));
    EXPECT_EQ(area.grab().toImage().convertToFormat(QImage::Format_RGB32),
              area.shownImage().convertToFormat(QImage::Format_RGB32));
    EXPECT_EQ(page.pixelColor(10, 10), QColor(10, 200, 10));

    // Drawn for keeps afterwards, a picture lies over the captions printed before it.
    area.setPersistentDrawing(true);
    area.paintPicture(page, 0, 0, 6000, 4500);
    EXPECT_FALSE(inkBox(area.shownImage(), kRed));
    EXPECT_EQ(page.pixelColor(120, 20), QColor(10, 200, 10)) << "the given page is never drawn on";
}
