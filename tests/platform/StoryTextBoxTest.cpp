// Whatever a paste or a drop brings, the story box takes its plain text alone, never a line too long
// to lay out, and never crashes. CTest runs these offscreen and on a real X clipboard under Xvfb,
// where an empty clipboard, or one whose program has quit, brings data with no formats at all.

#include "platform/StoryTextBox.h"

#include <QApplication>
#include <QClipboard>
#include <QDropEvent>
#include <QImage>
#include <QMenu>
#include <QMimeData>
#include <QProcess>
#include <QTest>
#include <QUrl>

#include <gtest/gtest.h>

#include <functional>

namespace {

enum class Road { CtrlV, ShiftInsert, MiddleButton, Drop, MenuPaste };
const Road kRoads[] = {Road::CtrlV, Road::ShiftInsert, Road::MiddleButton, Road::Drop, Road::MenuPaste};
using MakeData = std::function<QMimeData*()>;

MakeData data(const std::function<void(QMimeData&)>& fill) {
    return [fill] {
        auto* made = new QMimeData;
        fill(*made);
        return made;
    };
}

class StoryTextBoxPasteTest : public ::testing::Test {
protected:
    StoryTextBoxPasteTest() {
        box.show();
        (void)QTest::qWaitForWindowExposed(&box);
        QObject::connect(&box, &StoryTextBox::insertRefused, [this](std::size_t bytes) { refused = bytes; });
    }
    // Puts the data on the clipboard and the middle button's selection; no data empties both.
    static void hold(const MakeData& make) {
        for (QClipboard::Mode mode : {QClipboard::Clipboard, QClipboard::Selection})
            if (mode == QClipboard::Clipboard || QApplication::clipboard()->supportsSelection())
                make ? QApplication::clipboard()->setMimeData(make(), mode)
                     : QApplication::clipboard()->clear(mode);
    }
    // Inserts what the clipboard holds by one road, into an empty box.
    void insertBy(Road road) {
        box.setPlainText(QString());
        refused.reset();
        if (road == Road::CtrlV || road == Road::ShiftInsert)
            QTest::keyClick(&box, road == Road::CtrlV ? Qt::Key_V : Qt::Key_Insert,
                            road == Road::CtrlV ? Qt::ControlModifier : Qt::ShiftModifier);
        if (road == Road::MiddleButton)
            QTest::mouseClick(box.viewport(), Qt::MiddleButton, {}, QPoint(2, 2));
        if (road == Road::MenuPaste) {
            const std::unique_ptr<QMenu> menu(box.createStandardContextMenu());
            if (QAction* paste = menu->findChild<QAction*>(QStringLiteral("edit-paste")); paste->isEnabled())
                paste->trigger();
        }
        if (road == Road::Drop) {
            // The clipboard's own data, which on X is read from the program that holds it.
            const QMimeData nothing;
            const QMimeData* held = QApplication::clipboard()->mimeData();
            const QMimeData* dropping = held ? held : &nothing;
            QDragEnterEvent enter(QPoint(2, 2), Qt::MoveAction, dropping, Qt::LeftButton, {});
            QApplication::sendEvent(box.viewport(), &enter);
            QDropEvent dropped(QPoint(2, 2), Qt::MoveAction, dropping, Qt::LeftButton, {});
            QApplication::sendEvent(box.viewport(), &dropped);
            // A move taken is one the program it came from completes by deleting the text.
            dropTaken = dropped.isAccepted() && dropped.dropAction() == Qt::MoveAction;
        }
        QApplication::processEvents();
    }

    StoryTextBox box;
    std::optional<std::size_t> refused;
    bool dropTaken = false;
};

} // namespace

TEST_F(StoryTextBoxPasteTest, TakesPlainTextAloneByEveryRoad) {
    std::string megabyteOfLines;
    while (megabyteOfLines.size() < (1 << 20))
        megabyteOfLines += std::string(78, 'x') + "\r\n";
    const std::string megabyteLine(1 << 20, 'x');
    const auto text = [](const std::string& plain) {
        return data([plain](QMimeData& made) { made.setText(QString::fromStdString(plain)); });
    };
    const struct {
        const char* what;
        MakeData make;
        std::string inserted;
        std::optional<std::size_t> refused;
    } rows[] = {
        {"nothing", nullptr, "", std::nullopt},
        {"an image",
         data([](QMimeData& made) { made.setImageData(QImage(4, 4, QImage::Format_RGB32)); }),
         "",
         {}},
        {"a file list",
         data([](QMimeData& made) { made.setUrls({QUrl::fromLocalFile(QStringLiteral("/albums/a.jpg"))}); }),
         "file:///albums/a.jpg",
         {}},
        {"rich text beside plain text",
         data([](QMimeData& made) {
             made.setHtml(QStringLiteral("<b>bold</b> &amp; plain"));
             made.setText(QStringLiteral("bold & plain"));
         }),
         "bold & plain",
         {}},
        {"no-break space and line breaks", text("a\u00A0b\r\nc\rd\ne"), "a\u00A0b\r\nc\r\nd\r\ne", {}},
        {"a megabyte of short lines", text(megabyteOfLines), megabyteOfLines, {}},
        {"a line of a megabyte", text(megabyteLine), "", megabyteLine.size()},
    };
    for (const auto& row : rows) {
        hold(row.make);
        for (Road road : kRoads) {
            SCOPED_TRACE(testing::Message() << row.what << ", road " << static_cast<int>(road));
            if (road == Road::MiddleButton && !QApplication::clipboard()->supportsSelection())
                continue;
            insertBy(road);
            EXPECT_TRUE(box.text() == row.inserted) << box.text().substr(0, 60);
            EXPECT_EQ(refused, row.refused);
            if (road == Road::Drop && (row.refused || !row.inserted.empty())) {
                EXPECT_EQ(dropTaken, !row.refused) << "a refused drop leaves its source as it was";
            }
        }
    }
    EXPECT_EQ(QApplication::clipboard()->text().size(), qsizetype(megabyteLine.size()))
        << "kept to paste elsewhere";
}

TEST_F(StoryTextBoxPasteTest, RefusesAPasteThatMakesALineTooLongToLayOut) {
    const std::size_t limit = StoryTextBox::kLongestShownLine;
    const std::string almost(limit - 4, 'x');
    const struct {
        const char* what;
        std::string before;
        std::size_t caret;
        std::string pasted;
        std::optional<std::size_t> refused;
    } rows[] = {
        {"filling the line to the limit", almost, limit - 4, "abcd", {}},
        {"one byte past it", almost, limit - 4, "abcde", limit + 1},
        {"counted in bytes, not characters", almost, 0, "\xC3\xA9\xC3\xA9\xC3\xA9", limit + 2},
        {"joining the text after the caret", almost + "\r\nnext", 2, "ab\r\ncdefghi", limit + 1},
        {"the line after the caret", almost + "\r\nnext", 0, "abcde\r\n", {}},
        {"on a line of its own", almost + "\r\n", limit - 2, std::string(limit, 'y'), {}},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.what);
        box.setText(row.before);
        box.setSelectionStart(int(row.caret));
        refused.reset();
        QApplication::clipboard()->setText(QString::fromStdString(row.pasted));
        box.paste();
        EXPECT_TRUE(box.text() ==
                    (row.refused ? row.before : std::string(row.before).insert(row.caret, row.pasted)));
        EXPECT_EQ(refused, row.refused);
    }
}

TEST_F(StoryTextBoxPasteTest, AClipboardLeftByAProgramThatQuitPastesNothing) {
    if (QApplication::platformName() != QStringLiteral("xcb"))
        GTEST_SKIP() << "needs a clipboard that another program can own";
    hold(nullptr);
    QProcess owner;
    owner.start(QStringLiteral(BRINDLECOVE_CLIPBOARD_OWNER), {QStringLiteral("from another program")});
    ASSERT_TRUE(owner.waitForReadyRead(10000)) << owner.readAllStandardError().toStdString();
    for (int tries = 0;
         tries < 100 && QApplication::clipboard()->text() != QStringLiteral("from another program"); ++tries)
        QTest::qWait(50);
    insertBy(Road::CtrlV);
    EXPECT_EQ(box.text(), "from another program");

    // The first road finds what this program last heard the clipboard held, its owner gone.
    owner.closeWriteChannel();
    ASSERT_TRUE(owner.waitForFinished(10000));
    for (Road road : kRoads) {
        insertBy(road);
        EXPECT_EQ(box.text(), "") << static_cast<int>(road);
    }
}

TEST_F(StoryTextBoxPasteTest, ACopyPastesBackEveryCharacter) {
    const std::string story = "a\xC2\xA0"
                              "b\xE2\x80\xA8"
                              "c\r\nd";
    box.setText(story);
    box.selectAll();
    box.copy();
    insertBy(Road::CtrlV);
    EXPECT_EQ(box.text(), story) << "no-break space and line separator kept";
}
