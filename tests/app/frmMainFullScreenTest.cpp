// Full-screen mode: when it is entered and left, where the enlarged page stands, and the window
// back in its place afterwards.

#include "FullScreenLayout.h"
#include "MainWindowProbe.h"
#include "OpenAlbum.h"
#include "platform/Controls.h"
#include "platform/PictureArea.h"
#include "platform/PopupMenu.h"
#include "platform/StoryTextBox.h"
#include "platform/Twips.h"

#include <QScreen>
#include <QTest>

#include <gtest/gtest.h>

namespace {
const WindowModeSizes kWindowMode{8415, 6000, 4500, 2160};

QRect pixels(double left, double top, double width, double height) {
    return {twipsToPixels(left), twipsToPixels(top), twipsToPixels(width), twipsToPixels(height)};
}
} // namespace

TEST(FullScreenLayoutTest, PictureKeepsItsSizeOnEveryScreen) {
    const FullScreenLayout large = fullScreenLayout(15360, 11520, kWindowMode);
    EXPECT_DOUBLE_EQ(large.pictureWidth, 11220);
    EXPECT_DOUBLE_EQ(large.pictureHeight, 8415);
    EXPECT_DOUBLE_EQ(large.pictureLeft, 2070);
    EXPECT_DOUBLE_EQ(large.pictureTop, 230.4);
    EXPECT_DOUBLE_EQ(large.textLeft, 2070);
    EXPECT_DOUBLE_EQ(large.textTop, 9172.8);

    // 800 x 600 pixels: the same picture, and the text box over its lower part.
    const FullScreenLayout small = fullScreenLayout(12000, 9000, kWindowMode);
    EXPECT_DOUBLE_EQ(small.pictureWidth, 11220);
    EXPECT_DOUBLE_EQ(small.pictureLeft, 390);
    EXPECT_DOUBLE_EQ(small.pictureTop, 180);
    EXPECT_DOUBLE_EQ(small.textTop, 6703.2);
    EXPECT_LT(small.textTop, small.pictureTop + small.pictureHeight);
}

class FullScreenTest : public ::testing::Test {
protected:
    FullScreenTest() : book(3) {}
    // The blanket covers the screen behind the enlarged page.
    bool full() { return !controls(window).pbxBlanket->isHidden(); }
    OpenAlbum book;
    frmMain& window = book.window;
};

TEST_F(FullScreenTest, EnteredOnlyWhenViewingPagesLeftInAnyMode) {
    for (const char* mode : {"Edit Storybook", "Storybook Saved", "Relocate Page", "Nothing Loaded"}) {
        book.setMode(mode);
        window.runCommand(Command::ToggleFullScreen);
        EXPECT_FALSE(full()) << mode;
    }
    book.setMode("View Storybook");
    window.runCommand(Command::ToggleFullScreen);
    ASSERT_TRUE(full());
    book.setMode("Edit Storybook");
    window.runCommand(Command::ToggleFullScreen);
    EXPECT_FALSE(full()) << "leaving has no mode condition";

    AppFixture empty;
    frmMain unopened(empty.state);
    empty.state.controller().setMode(AppMode::ViewStorybook);
    unopened.runCommand(Command::ToggleFullScreen);
    EXPECT_TRUE(controls(unopened).pbxBlanket->isHidden()) << "no pages, no full screen";
}

TEST_F(FullScreenTest, EnlargedPageStandsWhereTheArithmeticPutsItAndTheWindowComesBack) {
    // Beyond the reach of 16-bit twips, which a desktop of several screens can be.
    window.move(2500, 40);
    const QPoint place = window.pos();
    window.runCommand(Command::ToggleFullScreen);
    ASSERT_TRUE(full());

    const QRect screen = window.screen()->geometry();
    EXPECT_EQ(window.geometry(), screen);
    const FullScreenLayout layout =
        fullScreenLayout(pixelsToTwips(screen.width()), pixelsToTwips(screen.height()), kWindowMode);
    EXPECT_EQ(controls(window).pbxShow->geometry(),
              pixels(layout.pictureLeft, layout.pictureTop, layout.pictureWidth, layout.pictureHeight));
    EXPECT_EQ(controls(window).rtbViewer->geometry(),
              pixels(layout.textLeft, layout.textTop, layout.textWidth, layout.textHeight));
    EXPECT_TRUE(controls(window).pbxBlanket->isVisible());
    EXPECT_EQ(controls(window).pbxBlanket->geometry(), QRect(QPoint(0, 0), screen.size()));
    for (ColorButton* button : controls(window).cmdNav)
        EXPECT_FALSE(button->isVisible());
    EXPECT_FALSE(controls(window).mnuPopup->itemAvailable(controls(window).menuItem("Full-Screen Mode")));
    EXPECT_TRUE(controls(window).mnuPopup->itemAvailable(controls(window).menuItem("Window Mode")));
    EXPECT_EQ(controls(window).pbxShow->shownImage().size(), controls(window).pbxShow->size())
        << "the page was painted anew";

    QTest::keyClick(controls(window).pbxShow, Qt::Key_Right);
    EXPECT_EQ(book.page(), 1) << "the keys turn pages with the buttons hidden";

    window.runCommand(Command::ToggleFullScreen);
    EXPECT_FALSE(full());
    EXPECT_EQ(window.pos(), place);
    EXPECT_EQ(controls(window).pbxShow->geometry(), pixels(650, 885, 6000, 4500));
}

TEST_F(FullScreenTest, CtrlEnterFromTheSavedModeEntersAndAltEnterLeaves) {
    book.setMode("Storybook Saved");
    QTest::keyClick(controls(window).pbxShow, Qt::Key_Return, Qt::ControlModifier);
    EXPECT_TRUE(full()) << "the key-down turned the saved mode into viewing";
    EXPECT_EQ(book.page(), 0) << "Enter with Ctrl turns no page";
    QTest::keyClick(controls(window).rtbViewer, Qt::Key_Enter, Qt::AltModifier);
    EXPECT_FALSE(full());
}
