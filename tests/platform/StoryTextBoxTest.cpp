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

class StoryTextBoxPasteTest : public ::testing::Test {
protected:
    StoryTextBoxPasteTest() {
        box.resize(408, 144);
        box.show();
        box.activateWindow();
        box.setFocus();
        (void)QTest::qWaitForWindowExposed(&box);
        QObject::connect(&box, &StoryTextBox::insertRefused, [this](std::size_t bytes) { refused = bytes; });
    }
    static bool onX() { return QApplication::platformName() == QStringLiteral("xcb"); }
    // What the clipboard and the middle button's selection hold; no data leaves both empty.
    static void hold(const std::function<QMimeData*()>& make) {
        for (QClipboard::Mode mode : {QClipboard::Clipboard, QClipboard::Selection}) {
            if (mode == QClipboard::Selection && !QApplication::clipboard()->supportsSelection())
                continue;
            if (QMimeData* data = make ? make() : nullptr)
                QApplication::clipboard()->setMimeData(data, mode);
            else
                QApplication::clipboard()->clear(mode);
        }
    }
    // Inserts what the clipboard holds by one road; false when the platform has no such road.
    bool insertBy(Road road) {
        switch (road) {
        case Road::CtrlV:
            QTest::keyClick(&box, Qt::Key_V, Qt::ControlModifier);
            return true;
        case Road::ShiftInsert:
            QTest::keyClick(&box, Qt::Key_Insert, Qt::ShiftModifier);
            return true;
        case Road::MiddleButton:
            if (!QApplication::clipboard()->supportsSelection())
                return false;
            QTest::mouseClick(box.viewport(), Qt::MiddleButton, {}, QPoint(2, 2));
            return true;
        case Road::Drop: {
            // The clipboard's own data, which on X is read from the program that holds it.
            const QMimeData* held = QApplication::clipboard()->mimeData();
            QMimeData nothing;
            drop(held ? held : &nothing);
            return true;
        }
        case Road::MenuPaste: {
            const std::unique_ptr<QMenu> menu(box.createStandardContextMenu());
            if (QAction* paste = menu->findChild<QAction*>(QStringLiteral("edit-paste"));
                paste && paste->isEnabled())
                paste->trigger();
            return true;
        }
        }
        return false;
    }
    void drop(const QMimeData* data) {
        const QPoint at(2, 2);
        QDragEnterEvent enter(at, Qt::MoveAction, data, Qt::LeftButton, {});
        QApplication::sendEvent(box.viewport(), &enter);
        QDropEvent dropped(at, Qt::MoveAction, data, Qt::LeftButton, {});
        QApplication::sendEvent(box.viewport(), &dropped);
        dropTaken = dropped.isAccepted() && dropped.dropAction() == Qt::MoveAction;
    }

    StoryTextBox box;
    std::optional<std::size_t> refused;
    bool dropTaken = false; // a move taken, which the program it came from would complete by deleting
};

const Road kRoads[] = {Road::CtrlV, Road::ShiftInsert, Road::MiddleButton, Road::Drop, Road::MenuPaste};

std::string lines(std::size_t bytes) {
    std::string text;
    while (text.size() < bytes)
        text += std::string(78, 'x') + "\r\n";
    return text;
}

} // namespace

TEST_F(StoryTextBoxPasteTest, TakesPlainTextAloneByEveryRoad) {
    const std::string megabyteOfLines = lines(1 << 20);
    const std::string megabyteLine(1 << 20, 'x');
    struct Row {
        const char* what;
        std::function<QMimeData*()> make;
        std::string inserted;
        std::optional<std::size_t> refused;
    };
    const auto withText = [](const std::string& text) {
        return [text] {
            auto* data = new QMimeData;
            data->setText(QString::fromStdString(text));
            return data;
        };
    };
    const Row rows[] = {
        {"nothing", nullptr, "", std::nullopt},
        {"an image",
         [] {
             auto* data = new QMimeData;
             data->setImageData(QImage(4, 4, QImage::Format_RGB32));
             return data;
         },
         "", std::nullopt},
        {"a file list",
         [] {
             auto* data = new QMimeData;
             data->setUrls({QUrl::fromLocalFile(QStringLiteral("/albums/snapshot.jpg"))});
             return data;
         },
         "file:///albums/snapshot.jpg", std::nullopt},
        {"rich text beside plain text",
         [] {
             auto* data = new QMimeData;
             data->setHtml(QStringLiteral("<b>bold</b> &amp; <i>plain</i>"));
             data->setText(QStringLiteral("bold & plain"));
             return data;
         },
         "bold & plain", std::nullopt},
        {"no-break space and line breaks", withText("a\u00A0b\r\nc\rd\ne"), "a\u00A0b\r\nc\r\nd\r\ne",
         std::nullopt},
        {"a megabyte of short lines", withText(megabyteOfLines), megabyteOfLines, std::nullopt},
        {"a line of a megabyte", withText(megabyteLine), "", megabyteLine.size()},
    };
    for (const Row& row : rows) {
        hold(row.make);
        for (Road road : kRoads) {
            SCOPED_TRACE(testing::Message() << row.what << ", road " << static_cast<int>(road));
            box.setPlainText(QString());
            refused.reset();
            if (!insertBy(road))
                continue;
            QApplication::processEvents();
            EXPECT_TRUE(box.text() == row.inserted) << box.text().substr(0, 60);
            EXPECT_EQ(refused, row.refused);
            if (road == Road::Drop && (row.refused || !row.inserted.empty()))
                EXPECT_EQ(dropTaken, !row.refused) << "a refused drop leaves its source as it was";
        }
    }
    // A refused text is still there to paste elsewhere.
    EXPECT_EQ(QApplication::clipboard()->text().size(), static_cast<qsizetype>(megabyteLine.size()));
}

TEST_F(StoryTextBoxPasteTest, RefusesAPasteThatMakesALineTooLongToLayOut) {
    const std::size_t limit = StoryTextBox::kLongestShownLine;
    const std::string almost(limit - 4, 'x');
    struct Row {
        const char* what;
        std::string before;
        int caret;
        std::string pasted;
        std::optional<std::size_t> refused;
    };
    const Row rows[] = {
        {"filling the line to the limit", almost, int(limit) - 4, "abcd", std::nullopt},
        {"one byte past it", almost, int(limit) - 4, "abcde", limit + 1},
        {"counted in bytes, not characters", almost, 0, "\xC3\xA9\xC3\xA9\xC3\xA9", limit + 2},
        {"joining the text after the caret", almost + "\r\nnext", 2, "ab\r\ncdefghi", limit + 1},
        {"the line after the caret", almost + "\r\nnext", 0, "abcde\r\n", std::nullopt},
        {"on a line of its own", almost + "\r\n", int(limit) - 2, std::string(limit, 'y'), std::nullopt},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.what);
        box.setText(row.before);
        box.setSelectionStart(row.caret);
        refused.reset();
        QApplication::clipboard()->setText(QString::fromStdString(row.pasted));
        box.paste();
        const std::string expected =
            row.refused ? row.before : std::string(row.before).insert(std::size_t(row.caret), row.pasted);
        EXPECT_TRUE(box.text() == expected) << box.text().size() << " bytes";
        EXPECT_EQ(refused, row.refused);
    }
}

TEST_F(StoryTextBoxPasteTest, AClipboardLeftByAProgramThatQuitPastesNothing) {
    if (!onX())
        GTEST_SKIP() << "needs a clipboard that another program can own";
    hold(nullptr);
    QProcess owner;
    owner.start(QStringLiteral(BRINDLECOVE_CLIPBOARD_OWNER), {QStringLiteral("from another program")});
    ASSERT_TRUE(owner.waitForReadyRead(10000)) << owner.readAllStandardError().toStdString();
    const QString offered = QStringLiteral("from another program");
    for (int tries = 0; tries < 100 && QApplication::clipboard()->text() != offered; ++tries)
        QTest::qWait(50);
    QTest::keyClick(&box, Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(box.text(), "from another program");

    // The first road finds what this program last heard the clipboard held, its owner gone.
    owner.closeWriteChannel();
    ASSERT_TRUE(owner.waitForFinished(10000));
    for (Road road : kRoads) {
        SCOPED_TRACE(static_cast<int>(road));
        box.setPlainText(QString());
        insertBy(road);
        QApplication::processEvents();
        EXPECT_EQ(box.text(), "");
    }
}

TEST_F(StoryTextBoxPasteTest, ACopyPastesBackEveryCharacter) {
    const std::string story = "a\xC2\xA0"
                              "b\xE2\x80\xA8"
                              "c\r\nd";
    box.setText(story);
    box.selectAll();
    box.copy();
    box.setPlainText(QString());
    box.paste();
    EXPECT_EQ(box.text(), story) << "no-break space and line separator kept";
}
