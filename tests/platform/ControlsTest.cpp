#include "platform/PopupMenu.h"
#include "platform/StoryTextBox.h"
#include "platform/Twips.h"

#include <QTest>
#include <QWidget>

#include <gtest/gtest.h>

TEST(StoryTextBoxTest, LineCountIncludesWrappedLines) {
    QWidget window;
    StoryTextBox box(&window);
    box.setGeometry(twipsRect(615, 5880, 6120, 2160));
    box.setFont(fontForPoints(kSansFamily, 12));
    window.show();

    box.setText("one\ntwo\nthree");
    EXPECT_EQ(box.displayLineCount(), 3);

    box.setText(std::string(60, 'x').append(" ").append(std::string(200, 'y')));
    EXPECT_GT(box.displayLineCount(), 2) << "a long paragraph wraps over several display lines";
}

TEST(StoryTextBoxTest, SelectionAndInsertWorkOnTheText) {
    StoryTextBox box;
    box.setText("Hello world");
    box.setSelectionStart(6);
    box.setSelectionLength(5);
    EXPECT_EQ(box.selectionStart(), 6);
    EXPECT_EQ(box.selectionLength(), 5);
    EXPECT_EQ(box.selectedText(), "world");

    box.insertAtCaret("there");
    EXPECT_EQ(box.text(), "Hello there");

    box.setText("line one\nline two");
    box.setSelectionStart(0);
    box.setSelectionLength(17);
    EXPECT_EQ(box.selectedText(), "line one\r\nline two");
}

TEST(StoryTextBoxTest, TextKeepsItsUtf8Bytes) {
    StoryTextBox box;
    const std::string text = "Caf\xC3\xA9 \xE2\x80\x94 story";
    box.setText(text);
    EXPECT_EQ(box.text(), text);
}

// A page turn keeps the box as it is only while it shows the very text, untouched since it went in.
TEST(StoryTextBoxTest, ShowsGivenOnlyTheUntouchedText) {
    StoryTextBox box;
    box.insertAtCaret("A day");
    EXPECT_TRUE(box.showsGiven("A day"));
    EXPECT_FALSE(box.showsGiven("A day out"));
    QTest::keyClick(&box, Qt::Key_X);
    EXPECT_FALSE(box.showsGiven("A day")) << "typed";
    QTest::keyClick(&box, Qt::Key_Backspace);
    ASSERT_EQ(box.text(), "A day");
    EXPECT_FALSE(box.showsGiven("A day")) << "typed and taken back: its undo would bring the typing back";
    box.setText(std::string(StoryTextBox::kLongestShownLine + 1, 'x'));
    EXPECT_FALSE(box.showsGiven(std::string(StoryTextBox::kLongestShownLine + 1, 'x'))) << "shown cut";
}

// Text is laid out unshaped only where that draws it right: Arabic joins its letters, and a story
// that gets some typed in is shaped from then on.
TEST(StoryTextBoxTest, ShapesOnlyTheTextsThatNeedIt) {
    const struct {
        const char* text;
        bool glyphByGlyph;
    } texts[] = {
        {"A day, page 12", true},
        {"Caf\xC3\xA9 e\xCC\x81 \xE2\x80\x94 \xCE\xB1\xCE\xB2 \xD0\xB4\xD0\xB0", true},
        {"\xE6\x97\xA5\xE6\x9C\xAC \xE3\x81\x8B\xE3\x82\xAB", true},
        {"\xF0\x9F\x91\xA9\xE2\x80\x8D\xF0\x9F\x91\xA7", false},
        {"Salam \xD9\x85\xD8\xB1\xD8\xAD\xD8\xA8\xD8\xA7", false},
        {"\xD7\xA9\xD7\x9C\xD7\x95\xD7\x9D", false},
        {"\xE0\xA4\xA8\xE0\xA4\xAE\xE0\xA4\xB8\xE0\xA5\x8D\xE0\xA4\xA4\xE0\xA5\x87", false},
    };
    StoryTextBox box;
    for (const auto& row : texts) {
        EXPECT_EQ(drawnGlyphByGlyph(QString::fromUtf8(row.text)), row.glyphByGlyph) << row.text;
        box.setText(row.text);
        EXPECT_EQ(bool(box.font().styleStrategy() & QFont::PreferNoShaping), row.glyphByGlyph) << row.text;
    }
    box.setText("A day");
    box.setSelectionStart(5);
    box.insertAtCaret(" \xD9\x85\xD8\xB1");
    QCoreApplication::sendPostedEvents();
    EXPECT_FALSE(box.font().styleStrategy() & QFont::PreferNoShaping) << "typed Arabic";
}

// Only a caret would draw white on the empty box; the locked box keeps it for the scroll keys. The
// focus comes back to the locked box, as it does after a dialog.
TEST(StoryTextBoxTest, ALockedBoxWithTheFocusDrawsNoCaret) {
    QWidget window;
    StoryTextBox box(&window);
    box.setGeometry(0, 0, 200, 80);
    box.setColors(QColor(255, 255, 255), QColor(0, 0, 64));
    QWidget elsewhere(&window);
    elsewhere.setFocusPolicy(Qt::StrongFocus);
    window.show();
    window.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
    const auto caretAfterRefocus = [&](bool locked) {
        box.setLocked(locked);
        elsewhere.setFocus();
        box.setFocus();
        const QImage shown = box.viewport()->grab().toImage();
        int white = 0;
        for (int y = 0; y < shown.height(); ++y)
            for (int x = 0; x < shown.width(); ++x)
                white += shown.pixelColor(x, y).lightness() > 200;
        return white > 0;
    };
    EXPECT_TRUE(caretAfterRefocus(false)) << "the caret of an open box";
    EXPECT_FALSE(caretAfterRefocus(true));
}

TEST(PopupMenuTest, EnabledAndAvailableAreSeparateStates) {
    QWidget owner;
    PopupMenu menu(&owner);
    menu.addSubmenu(QStringLiteral("mnuOptions"), QStringLiteral("Options"));
    menu.addItem(QStringLiteral("mnuFull"), QStringLiteral("Full-Screen Mode"), QStringLiteral("mnuOptions"));

    menu.setItemAvailable(QStringLiteral("mnuFull"), false);
    menu.setItemEnabled(QStringLiteral("mnuFull"), true);
    EXPECT_FALSE(menu.itemAvailable(QStringLiteral("mnuFull")));
    EXPECT_TRUE(menu.itemEnabled(QStringLiteral("mnuFull")));

    menu.setItemAvailable(QStringLiteral("mnuFull"), true);
    menu.setItemEnabled(QStringLiteral("mnuFull"), false);
    EXPECT_TRUE(menu.itemAvailable(QStringLiteral("mnuFull")));
    EXPECT_FALSE(menu.itemEnabled(QStringLiteral("mnuFull")));
    EXPECT_EQ(menu.caption(QStringLiteral("mnuFull")), QStringLiteral("Full-Screen Mode"));
}
