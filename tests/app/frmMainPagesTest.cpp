// Opening an album and turning its pages, in a headless main window: the messages of the open
// command, the page display with its captions and placeholder, and the navigation guards.

#include "AlbumText.h"
#include "AppFixture.h"
#include "MainWindowProbe.h"
#include "OpenThroughDialog.h"
#include "frmMain.h"
#include "platform/Controls.h"
#include "platform/PictureArea.h"
#include "platform/StoryTextBox.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QImage>

#include <gtest/gtest.h>

namespace {

const QColor kPageColors[] = {QColor(200, 40, 40), QColor(40, 160, 40), QColor(40, 40, 200)};

// An album folder with a plain-coloured snapshot per page.
struct AlbumFolder {
    explicit AlbumFolder(int pages, std::string name = "Storybook.xml") {
        for (int p = 0; p < pages; ++p) {
            const std::string snapshot = "snapshot_4c1e9b07_0000000" + std::to_string(p + 1) + ".jpg";
            std::string story = "Story of page " + std::to_string(p + 1);
            if (p == 1)
                story += "\nsecond line\nthird line";
            album.pages.push_back({"Page " + std::to_string(p + 1), snapshot, story});
            QImage image(320, 240, QImage::Format_RGB32);
            image.fill(kPageColors[p % 3]);
            image.save(QString::fromStdString(file(snapshot)), "JPG", 95);
        }
        path = write(name, album.bytes());
    }
    std::string file(const std::string& name) const { return folder.path().toStdString() + "/" + name; }
    std::string write(const std::string& name, const std::string& bytes) const {
        QFile out(QString::fromStdString(file(name)));
        out.open(QIODevice::WriteOnly);
        out.write(bytes.data(), static_cast<qint64>(bytes.size()));
        return file(name);
    }

    QTemporaryDir folder;
    AlbumText album;
    std::string path;
};

// The share of pixels in a rectangle of the picture area close to a colour.
double shareOf(frmMain& window, const QRect& pixels, const QColor& color) {
    const QImage shown = controls(window).pbxShow->shownImage();
    int close = 0;
    for (int y = pixels.top(); y <= pixels.bottom(); ++y) {
        for (int x = pixels.left(); x <= pixels.right(); ++x) {
            const QColor pixel = shown.pixelColor(x, y);
            if (std::abs(pixel.red() - color.red()) < 40 && std::abs(pixel.green() - color.green()) < 40 &&
                std::abs(pixel.blue() - color.blue()) < 40)
                ++close;
        }
    }
    return double(close) / (pixels.width() * pixels.height());
}

const QRect kPageNumber(350, 0, 50, 25);    // around x 5250 twips, y 1
const QRect kModified(318, 18, 60, 16);     // around (4800, 300) twips
const QRect kMiddle(150, 120, 100, 40);     // the snapshot, clear of every caption
const QRect kFileName(5, 0, 120, 18);       // from (100, 1) twips
const QRect kSnapshotName(5, 272, 250, 20); // from (100, 92% of the height less 15) twips
const QRect kPlaceholderX(176, 86, 40, 50); // the blue X at (2650, 1300) twips

class Pages : public ::testing::Test {
protected:
    Pages() {
        app.seam.modalActions.push_back([](QDialog&) { return ModalResult::Accepted; });
    }

    void openFromDialog(const std::string& path) { openThroughDialog(app, window, path); }
    std::vector<SeamRequest> messages() const { return app.seam.requestsOf(SeamCall::Message); }

    AppFixture app;
    frmMain window{app.state};
};

} // namespace

TEST(OpenFromTheCommandLine, LoadsThePathWithoutQuotesAndKeepsItsCase) {
    AlbumFolder folder(3, "Our Album.xml");
    ScriptedSeam seam;
    RecordingSettingsStore store;
    AppState state(seam, store,
                   Environment{"/home/tester/Documents", "/opt/brindlecove", "\"" + folder.path + "\""});
    seam.modalActions.push_back([](QDialog&) { return ModalResult::Accepted; });
    frmMain window(state);
    window.Form_Load();

    EXPECT_EQ(modeText(state.controller().mode()), "View Storybook");
    EXPECT_EQ(state.varStorybookFile, "Our Album.xml");
    EXPECT_EQ(state.varStorybookFolder, folder.folder.path().toStdString() + "/");
    EXPECT_EQ(state.storybook().varPageCount, 3);
    EXPECT_EQ(controls(window).rtbViewer->text(), "Story of page 1");
    EXPECT_GT(shareOf(window, kMiddle, kPageColors[0]), 0.9);
    EXPECT_GT(shareOf(window, kPageNumber, QColor(255, 255, 0)), 0.02);
    EXPECT_TRUE(seam.requestsOf(SeamCall::FileDialog).empty());

    // The command line is used once: the next Open asks the dialog.
    seam.dialogResults.push_back({});
    window.runCommand(Command::OpenStorybook);
    EXPECT_EQ(seam.requestsOf(SeamCall::FileDialog).size(), 1u);
    EXPECT_EQ(modeText(state.controller().mode()), "View Storybook");
}

TEST_F(Pages, OpenDialogCancelledValidFailingAndUnreadable) {
    app.seam.dialogResults.push_back({});
    window.runCommand(Command::OpenStorybook);
    EXPECT_EQ(modeText(app.state.controller().mode()), "Nothing Loaded");
    const auto dialogs = app.seam.requestsOf(SeamCall::FileDialog);
    ASSERT_EQ(dialogs.size(), 1u);
    EXPECT_EQ(dialogs[0].title, "Open File");

    AlbumFolder folder(3);
    openFromDialog(folder.path);
    EXPECT_EQ(modeText(app.state.controller().mode()), "View Storybook");
    EXPECT_EQ(controls(window).lblApplicationMode->text(), QStringLiteral("View Storybook"));

    const std::string broken =
        folder.write("Broken.xml", "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<StoryCreator>\n");
    app.seam.messageAnswers = {MessageAnswer::Ok, MessageAnswer::Ok};
    openFromDialog(broken);
    ASSERT_EQ(messages().size(), 1u);
    EXPECT_EQ(messages()[0].text, "XML Integrity Check Failed!\r\n\r\nThe storybook you are attempting\r\n"
                                  "to load is in an invalid format.  ");
    EXPECT_EQ(messages()[0].icon, MessageIcon::Critical);
    EXPECT_EQ(messages()[0].title, "load operation failed");
    EXPECT_EQ(modeText(app.state.controller().mode()), "Nothing Loaded");
    EXPECT_TRUE(app.state.controller().saved());
    EXPECT_EQ(app.state.storybook().varPageCount, 0)
        << "the last album must not stay open under the new name";

    // Passes the check but holds more lines than the line image.
    std::string tooLong = folder.album.bytes() + "\n";
    tooLong.append(10000, '\n');
    openFromDialog(folder.write("Long.xml", tooLong));
    ASSERT_EQ(messages().size(), 2u);
    EXPECT_EQ(messages()[1].text, "Unable to load this file.");
    EXPECT_EQ(messages()[1].title, "load operation aborted");
    EXPECT_EQ(messages()[1].icon, MessageIcon::Critical);

    // With nothing open, a cancelled dialog stays with nothing loaded.
    app.seam.dialogResults.push_back({});
    window.runCommand(Command::OpenStorybook);
    EXPECT_EQ(modeText(app.state.controller().mode()), "Nothing Loaded");
}

TEST_F(Pages, UnsavedChangesAreAskedAbout) {
    AlbumFolder first(3);
    AlbumFolder second(1, "Other.xml");
    openFromDialog(first.path);

    struct Row {
        MessageAnswer answer;
        bool loadsSecond;
        bool savesFirst;
    };
    for (const Row& row : {Row{MessageAnswer::Cancel, false, false}, Row{MessageAnswer::No, true, false},
                           Row{MessageAnswer::Yes, true, true}}) {
        SCOPED_TRACE(static_cast<int>(row.answer));
        app.state.controller().setSaved(true);
        openFromDialog(first.path);
        app.seam.dialogResults.clear();
        app.seam.requests.clear();
        app.state.storybook().varEntryArray[0][album::Text][album::Content] = "<![CDATA[changed]]>";
        app.state.controller().setSaved(false);
        app.seam.messageAnswers.push_back(row.answer);
        if (row.loadsSecond)
            app.seam.dialogResults.push_back(chosenAlbum(second.path));
        window.runCommand(Command::OpenStorybook);

        ASSERT_GE(messages().size(), 1u);
        EXPECT_EQ(messages()[0].text, "Do you want to save the changes you made to Storybook.xml?");
        EXPECT_EQ(messages()[0].buttons, MessageButtons::YesNoCancel);
        EXPECT_EQ(messages()[0].title, "Unsaved Modifications");
        EXPECT_EQ(app.state.varStorybookFile, row.loadsSecond ? "Other.xml" : "Storybook.xml");
        EXPECT_EQ(modeText(app.state.controller().mode()), "View Storybook");
        QFile saved(QString::fromStdString(first.path));
        saved.open(QIODevice::ReadOnly);
        EXPECT_EQ(saved.readAll().contains("changed"), row.savesFirst);
        EXPECT_EQ(QFile::exists(QString::fromStdString(first.file("Storybook.bak"))), row.savesFirst);
    }
}

TEST_F(Pages, StoryTextAndScrollBar) {
    AlbumFolder folder(3);
    openFromDialog(folder.path);
    EXPECT_EQ(controls(window).rtbViewer->text(), "Story of page 1");
    EXPECT_TRUE(controls(window).rtbViewer->locked());
    EXPECT_FALSE(controls(window).rtbViewer->verticalScrollBarShown());

    controls(window).cmdNav[3]->click();
    EXPECT_EQ(controls(window).rtbViewer->text(), "Story of page 2\r\nsecond line\r\nthird line");

    auto& text = app.state.storybook().varEntryArray[1][album::Text][album::Content];
    const struct {
        std::string content;
        std::string shown;
    } rows[] = {{"<![CDATA[]]>", ""},
                {"<![CDATA[x]]>", "x"},
                {"abcdefghiSTORYxyz", "abcdefghiSTORYxyz"},
                {"short", "short"}};
    for (const auto& row : rows) {
        text = row.content;
        window.DisplayCurrentPage();
        window.refresh();
        EXPECT_EQ(controls(window).rtbViewer->text(), row.shown) << row.content;
    }

    text = "<![CDATA[1\r\n2\r\n3\r\n4\r\n5\r\n6\r\n7]]>";
    window.DisplayCurrentPage();
    window.refresh();
    EXPECT_FALSE(controls(window).rtbViewer->verticalScrollBarShown()) << "seven display lines fit";
    text = "<![CDATA[1\r\n2\r\n3\r\n4\r\n5\r\n6\r\n7\r\n8]]>";
    window.DisplayCurrentPage();
    window.refresh();
    EXPECT_TRUE(controls(window).rtbViewer->verticalScrollBarShown());
}

TEST_F(Pages, MissingOrBlankSnapshotDrawsThePlaceholder) {
    AlbumFolder folder(3);
    QFile::remove(QString::fromStdString(folder.file("snapshot_4c1e9b07_00000002.jpg")));
    openFromDialog(folder.path);
    EXPECT_LT(shareOf(window, kPlaceholderX, QColor(0, 0, 255)), 0.01);

    controls(window).cmdNav[3]->click();
    EXPECT_GT(shareOf(window, kPlaceholderX, QColor(0, 0, 255)), 0.05);
    EXPECT_LT(shareOf(window, kMiddle, kPageColors[1]), 0.01);

    app.state.storybook().varEntryArray[1][album::Snapshot][album::Content] = "   ";
    window.DisplayCurrentPage();
    window.refresh();
    EXPECT_GT(shareOf(window, kPlaceholderX, QColor(0, 0, 255)), 0.05);
}

TEST_F(Pages, CaptionCycleAndModifiedMarker) {
    AlbumFolder folder(3);
    openFromDialog(folder.path);
    auto flags = [&] {
        const QColor white(255, 255, 255);
        return std::string(shareOf(window, kPageNumber, QColor(255, 255, 0)) > 0.02 ? "P" : "-") +
               (shareOf(window, kFileName, white) > 0.02 ? "F" : "-") +
               (shareOf(window, kSnapshotName, white) > 0.02 ? "S" : "-");
    };
    EXPECT_EQ(flags(), "P--");
    std::vector<std::string> seen;
    for (int click = 0; click < 4; ++click) {
        emit controls(window).pbxShow->clicked();
        seen.push_back(flags());
    }
    EXPECT_EQ(seen, (std::vector<std::string>{"PF-", "PFS", "---", "P--"}));

    EXPECT_LT(shareOf(window, kModified, QColor(255, 0, 0)), 0.01);
    const double blackUnmarked = shareOf(window, kModified, QColor(0, 0, 0));
    app.state.controller().setSaved(false);
    window.DisplayCurrentPage();
    window.refresh();
    EXPECT_GT(shareOf(window, kModified, QColor(255, 0, 0)), 0.03);
    EXPECT_GT(shareOf(window, kModified, QColor(0, 0, 0)), blackUnmarked + 0.02)
        << "the mark has a black shadow, as the other captions do, so it shows on red photos too";
    app.state.blnShowPageNumber = false;
    window.DisplayCurrentPage();
    window.refresh();
    EXPECT_LT(shareOf(window, kModified, QColor(255, 0, 0)), 0.01) << "no marker without the page number";
    EXPECT_LT(shareOf(window, kPageNumber, QColor(255, 255, 0)), 0.01);
}

TEST_F(Pages, NavigationClampsAtBothEnds) {
    AlbumFolder folder(3);
    folder.album.pages.resize(25, folder.album.pages[0]);
    openFromDialog(folder.write("Long.xml", folder.album.bytes()));
    auto press = [&](int index) {
        controls(window).cmdNav[index]->click();
        return app.state.controller().currentPage();
    };
    EXPECT_EQ(press(0), 0);
    EXPECT_EQ(press(2), 0);
    EXPECT_EQ(press(3), 1);
    EXPECT_EQ(press(3), 2);
    EXPECT_EQ(press(1), 0) << "back ten from page 3 stops at the first page";
    EXPECT_EQ(press(4), 10);
    EXPECT_EQ(press(4), 20);
    EXPECT_EQ(press(4), 24);
    EXPECT_EQ(press(3), 24);
    EXPECT_EQ(press(5), 24);
    EXPECT_EQ(press(2), 0);
    EXPECT_EQ(window.focusWidget(), controls(window).pbxShow);

    app.state.controller().setMode(AppMode::StorybookSaved);
    EXPECT_EQ(press(5), 24);
    EXPECT_EQ(modeText(app.state.controller().mode()), "View Storybook");
    app.state.controller().setMode(AppMode::LoadSnapshot);
    EXPECT_EQ(press(0), 24) << "no move in other modes";
}

TEST_F(Pages, EditModeKeepsTheEditAndThePinKeepsEditing) {
    AlbumFolder folder(3);
    openFromDialog(folder.path);
    auto beginEdit = [&](const char* text) {
        app.state.controller().setMode(AppMode::EditStorybook);
        controls(window).rtbViewer->setLocked(false);
        controls(window).rtbViewer->setText(text);
    };

    beginEdit("edited one");
    controls(window).cmdNav[3]->click();
    EXPECT_EQ(app.state.storybook().content(0, album::Text), "<![CDATA[edited one]]>");
    EXPECT_EQ(modeText(app.state.controller().mode()), "View Storybook");
    EXPECT_TRUE(controls(window).rtbViewer->locked());
    EXPECT_EQ(window.focusWidget(), controls(window).pbxShow);

    window.runCommand(Command::PinPageButtons);
    beginEdit("edited\r\ntwo");
    controls(window).cmdNav[3]->click();
    EXPECT_EQ(app.state.storybook().content(1, album::Text), "<![CDATA[edited\r\ntwo]]>");
    EXPECT_EQ(modeText(app.state.controller().mode()), "Edit Storybook");
    EXPECT_FALSE(controls(window).rtbViewer->locked());
    EXPECT_EQ(controls(window).rtbViewer->text(), "Story of page 3");
    EXPECT_EQ(window.focusWidget(), controls(window).rtbViewer);

    // A click on the picture ends editing, clears the pin and keeps the text.
    controls(window).rtbViewer->setText("last words");
    emit controls(window).pbxShow->clicked();
    EXPECT_EQ(app.state.storybook().content(2, album::Text), "<![CDATA[last words]]>");
    EXPECT_EQ(modeText(app.state.controller().mode()), "View Storybook");
    window.runCommand(Command::ToggleEditMode);
    EXPECT_TRUE(control<PictureButton>(window, Command::UnpinPageButtons)->isHidden())
        << "the pin is cleared";
}

TEST_F(Pages, UntouchedStoryKeepsBytesThatAreNoUtf8) {
    AlbumFolder folder(3);
    folder.album.pages[0].story = "caf\xe9";
    openFromDialog(folder.write("Latin.xml", folder.album.bytes()));
    window.runCommand(Command::ToggleEditMode);
    window.runCommand(Command::ToggleEditMode);
    EXPECT_EQ(app.state.storybook().content(0, album::Text), "<![CDATA[caf\xe9]]>");
}

TEST_F(Pages, MouseUpInViewModeCopiesTheSelection) {
    AlbumFolder folder(3);
    openFromDialog(folder.path);
    app.seam.clipboard = "old";
    window.runCommand(Command::CopyStorySelection);
    EXPECT_EQ(app.seam.clipboard, "");
    EXPECT_EQ(window.focusWidget(), controls(window).pbxShow);
}

TEST(OpenFromTheCommandLine, PathWithoutAFolderIsTakenInTheWorkingFolder) {
    AlbumFolder folder(1, "Album.xml");
    const QString previous = QDir::currentPath();
    QDir::setCurrent(folder.folder.path());
    ScriptedSeam seam;
    RecordingSettingsStore store;
    AppState state(seam, store, Environment{"/home/tester/Documents", "/opt/brindlecove", "Album.xml"});
    seam.modalActions.push_back([](QDialog&) { return ModalResult::Accepted; });
    frmMain window(state);
    window.Form_Load();
    QDir::setCurrent(previous);
    EXPECT_EQ(modeText(state.controller().mode()), "View Storybook");
    EXPECT_EQ(state.varStorybookFolder, QDir(folder.folder.path()).canonicalPath().toStdString() + "/");
}

TEST_F(Pages, AStoryOfOneMegabyteLineOpensAndIsShown) {
    AlbumFolder folder(3);
    std::string line;
    while (line.size() < 1024 * 1024)
        line += "the longest story ever told goes on and on ";
    folder.album.pages[0].story = line;
    openFromDialog(folder.write("Long.xml", folder.album.bytes()));
    window.show();
    QCoreApplication::processEvents();
    ASSERT_EQ(modeText(app.state.controller().mode()), "View Storybook");
    const QString shown = controls(window).rtbViewer->toPlainText();
    EXPECT_TRUE(shown.startsWith(QString::fromStdString(line.substr(0, 1000))));
    EXPECT_TRUE(shown.contains(QStringLiteral("too long to show whole")));
    EXPECT_EQ(controls(window).rtbViewer->text(), line) << "the box stands for the whole story";

    // Unlocking for an edit leaves a cut story locked, and committing it stores it whole.
    controls(window).rtbViewer->setLocked(false);
    EXPECT_TRUE(controls(window).rtbViewer->locked());
    window.runCommand(Command::ToggleEditMode);
    window.runCommand(Command::ToggleEditMode);
    EXPECT_EQ(app.state.storybook().content(0, album::Text), "<![CDATA[" + line + "]]>");

    controls(window).cmdNav[3]->click();
    EXPECT_EQ(controls(window).rtbViewer->text(), "Story of page 2\r\nsecond line\r\nthird line");
    EXPECT_FALSE(controls(window).rtbViewer->showsCut());
}

TEST_F(Pages, SnapshotNamesThatAreNoPlainNamesAreNeverOpened) {
    AlbumFolder folder(3);
    // A picture that would be shown if a name could reach outside the album's folder.
    QTemporaryDir outside;
    QImage image(320, 240, QImage::Format_RGB32);
    image.fill(kPageColors[0]);
    const QString outsidePicture = outside.path() + "/outside.jpg";
    image.save(outsidePicture, "JPG", 95);
    const std::string relative = QDir(folder.folder.path()).relativeFilePath(outsidePicture).toStdString();
    openFromDialog(folder.path);
    auto& snapshot = app.state.storybook().varEntryArray[0][album::Snapshot][album::Content];
    for (const std::string& name :
         {relative, outsidePicture.toStdString(), "..\\" + relative, std::string(".."), std::string("."),
          std::string("snapshot_4c1e9b07_00000001.jpg\0x", 32)}) {
        SCOPED_TRACE(name);
        snapshot = name;
        window.DisplayCurrentPage();
        window.refresh();
        EXPECT_LT(shareOf(window, kMiddle, kPageColors[0]), 0.1) << "a name outside the folder was shown";
        EXPECT_GT(shareOf(window, kPlaceholderX, QColor(0, 0, 255)), 0.05);
    }
    snapshot = "snapshot_4c1e9b07_00000001.jpg";
    window.DisplayCurrentPage();
    window.refresh();
    EXPECT_GT(shareOf(window, kMiddle, kPageColors[0]), 0.9);
}

TEST_F(Pages, ACdataEndTypedIntoAStoryIsKeptAsTheStandardSplit) {
    AlbumFolder folder(3);
    openFromDialog(folder.path);
    window.runCommand(Command::ToggleEditMode);
    controls(window).rtbViewer->setText("a ]]> b");
    window.runCommand(Command::ToggleEditMode);
    EXPECT_EQ(app.state.storybook().content(0, album::Text), "<![CDATA[a ]]]]><![CDATA[> b]]>");
    EXPECT_EQ(controls(window).rtbViewer->text(), "a ]]> b");
}

// Behind a parser message, and in an album without pages, the story box shows the file's lines
// from the second on, each followed by a line end.
TEST_F(Pages, TheFileLinesShowBehindAParserMessageAndInAnAlbumWithoutPages) {
    AlbumFolder folder(2);
    const auto linesFromTheSecond = [](const std::string& bytes) {
        std::string lines;
        for (std::size_t at = bytes.find('\n') + 1; at < bytes.size();) {
            const std::size_t end = std::min(bytes.find('\n', at), bytes.size());
            std::string line = bytes.substr(at, end - at);
            if (line.ends_with('\r'))
                line.pop_back();
            lines += line + "\r\n";
            at = end + 1;
        }
        return lines;
    };
    const std::string bytes = folder.album.bytes();
    const std::string noDeclaration = bytes.substr(bytes.find('\n') + 1);
    std::string behindMessage;
    app.seam.onRequest = [&](const SeamRequest&) { behindMessage = controls(window).rtbViewer->text(); };
    app.seam.messageAnswers = {MessageAnswer::Ok};
    openFromDialog(folder.write("NoDeclaration.xml", noDeclaration));
    ASSERT_EQ(messages().size(), 1u);
    EXPECT_EQ(messages()[0].text, "Invalid Storybook XML      ");
    EXPECT_EQ(behindMessage, linesFromTheSecond(noDeclaration));

    AlbumText empty;
    openFromDialog(folder.write("Empty.xml", empty.bytes()));
    EXPECT_EQ(messages().size(), 1u);
    EXPECT_EQ(app.state.storybook().varPageCount, 0);
    EXPECT_EQ(controls(window).rtbViewer->text(), linesFromTheSecond(empty.bytes()));
}
