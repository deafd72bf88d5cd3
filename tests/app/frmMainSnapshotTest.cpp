// The Snapshot command in a headless main window: the large-folder warning, the browser's answers
// applied to the album, and the refusals that leave the album as it was.

#include "AlbumText.h"
#include "AppFixture.h"
#include "OpenThroughDialog.h"
#include "frmMain.h"
#include "platform/PictureArea.h"
#include "snapshots/frmLoadSnapshot.h"

#include <QDir>
#include <QFile>
#include <QImage>
#include <QLineEdit>

#include <gtest/gtest.h>

#include <functional>

namespace {

const std::string kUnused = "snapshot_7a2f3d16_00000001.jpg";

class SnapshotCommand : public ::testing::Test {
protected:
    SnapshotCommand() {
        for (int p = 1; p <= 3; ++p) {
            const std::string name = "snapshot_4c1e9b07_0000000" + std::to_string(p) + ".jpg";
            album.pages.push_back({"Page " + std::to_string(p), name, "Story " + std::to_string(p)});
            picture(name);
            picture("thumbnail_4c1e9b07_0000000" + std::to_string(p) + ".jpg");
        }
        picture(kUnused);
        picture("thumbnail_7a2f3d16_00000001.jpg");
        QFile out(folder.filePath("Storybook.xml"));
        out.open(QIODevice::WriteOnly);
        out.write(QByteArray::fromStdString(album.bytes()));
        out.close();
        openThroughDialog(app, window, folder.filePath("Storybook.xml").toStdString());
        app.state.settings.blnLoadImageCacheWarning = true;
    }
    void picture(const std::string& name) {
        QImage image(160, 120, QImage::Format_RGB32);
        image.fill(Qt::darkGreen);
        image.save(folder.filePath(QString::fromStdString(name)), "JPG");
    }
    // The browser's next showing runs act on it.
    void browse(std::function<void(frmLoadSnapshot&)> act) {
        app.seam.modalActions.push_back([act](QDialog& dialog) {
            auto& browser = dynamic_cast<frmLoadSnapshot&>(dialog);
            browser.Form_Activate();
            act(browser);
            return ModalResult::Accepted;
        });
    }
    std::string snapshotOf(int page) const {
        return std::string(app.state.storybook().content(page, album::Snapshot));
    }
    int modals() const { return static_cast<int>(app.seam.requestsOf(SeamCall::Modal).size()); }
    std::vector<SeamRequest> messages() const { return app.seam.requestsOf(SeamCall::Message); }

    QTemporaryDir folder;
    AlbumText album;
    AppFixture app;
    frmMain window{app.state};
};

} // namespace

TEST_F(SnapshotCommand, WarnsAboutFoldersOfMoreThanFiveHundredFilesOnceARun) {
    for (int i = static_cast<int>(QDir(folder.path()).entryList(QDir::Files).size()); i < 500; ++i)
        QFile(folder.filePath(QString("note_%1.txt").arg(i))).open(QIODevice::WriteOnly);
    QDir(folder.path()).mkdir("subfolder");
    window.runCommand(Command::ShowSnapshotBrowser);
    EXPECT_TRUE(messages().empty()) << "500 files";
    EXPECT_EQ(modals(), 1);
    EXPECT_FALSE(app.state.settings.blnLoadImageCacheWarning) << "off once the browser was shown";

    QFile(folder.filePath("note_last.txt")).open(QIODevice::WriteOnly);
    app.state.settings.blnLoadImageCacheWarning = true;
    app.seam.messageAnswers = {MessageAnswer::No};
    window.runCommand(Command::ShowSnapshotBrowser);
    ASSERT_EQ(messages().size(), 1u);
    EXPECT_EQ(messages()[0].text,
              "Note: Snapshot list will be cached on first use.\r\n\r\n"
              "If you have many snapshots there will be \r\na delay while they are being "
              "loaded and \r\ncached for the first time.  Do you wish to\r\nproceed?\r\n\r\n"
              "(load image cache warning is active)");
    EXPECT_EQ(messages()[0].title, "Load Image Cache Warning.");
    EXPECT_EQ(messages()[0].buttons, MessageButtons::YesNo);
    EXPECT_EQ(modals(), 1) << "No shows no browser";
    EXPECT_TRUE(app.state.settings.blnLoadImageCacheWarning);
    EXPECT_EQ(modeText(app.state.controller().mode()), "View Storybook");

    app.seam.messageAnswers = {MessageAnswer::Yes};
    window.runCommand(Command::ShowSnapshotBrowser);
    window.runCommand(Command::ShowSnapshotBrowser);
    EXPECT_EQ(messages().size(), 2u);
    EXPECT_EQ(modals(), 3);
}

TEST_F(SnapshotCommand, EachResultLandsWhereItSays) {
    const auto commit = [&](int page, const std::function<void(frmLoadSnapshot&)>& press) {
        app.state.controller().setCurrentPage(static_cast<std::int16_t>(page));
        app.state.controller().setSaved(true);
        browse(press);
        window.runCommand(Command::ShowSnapshotBrowser);
        EXPECT_EQ(modeText(app.state.controller().mode()), "View Storybook");
    };

    commit(1, [](frmLoadSnapshot& browser) {
        EXPECT_EQ(browser.txtCurrentFN->text().toStdString(), kUnused);
        browser.cmdReplace_Click();
    });
    EXPECT_EQ(snapshotOf(1), kUnused);
    EXPECT_EQ(app.state.storybook().content(1, album::ThumbnailFilename), "thumbnail_7a2f3d16_00000001.jpg");
    EXPECT_EQ(app.state.storybook().content(1, album::Title), "<![CDATA[Page 2]]>") << "other fields stay";
    EXPECT_FALSE(app.state.controller().saved());

    // The replaced page's snapshot is now unused, and is the one offered.
    const std::string freed = "snapshot_4c1e9b07_00000002.jpg";
    commit(0, [](frmLoadSnapshot& browser) { browser.cmdInsert_Click(0); });
    EXPECT_EQ(app.state.storybook().varPageCount, 4);
    EXPECT_EQ(snapshotOf(0), freed);
    EXPECT_EQ(snapshotOf(1), "snapshot_4c1e9b07_00000001.jpg");
    EXPECT_EQ(app.state.controller().currentPage(), 0);
    EXPECT_FALSE(app.state.controller().saved());

    app.state.storybook().varEntryArray[0][album::Snapshot][album::Content] = "elsewhere.jpg";
    commit(3, [](frmLoadSnapshot& browser) { browser.cmdInsert_Click(1); });
    EXPECT_EQ(snapshotOf(0), freed);
    EXPECT_EQ(app.state.controller().currentPage(), 0);

    app.state.storybook().varEntryArray[0][album::Snapshot][album::Content] = "elsewhere.jpg";
    commit(1, [](frmLoadSnapshot& browser) { browser.cmdInsert_Click(2); });
    EXPECT_EQ(app.state.storybook().varPageCount, 6);
    EXPECT_EQ(snapshotOf(5), freed) << "after the last page";
    EXPECT_EQ(snapshotOf(4), "snapshot_4c1e9b07_00000003.jpg");
    EXPECT_EQ(app.state.controller().currentPage(), 5);
}

TEST_F(SnapshotCommand, CancelEscAndTheCloseBoxChangeNothing) {
    const std::function<void(frmLoadSnapshot&)> ways[] = {
        [](frmLoadSnapshot& browser) { browser.cmdOther_Click(); },
        [](frmLoadSnapshot& browser) { browser.HandleBrowserKey(browser.pbxThumbnail, 27, 0); },
        [](frmLoadSnapshot& browser) { browser.close(); },
    };
    app.state.controller().setCurrentPage(1);
    for (const auto& way : ways) {
        browse(way);
        window.runCommand(Command::ShowSnapshotBrowser);
        EXPECT_EQ(modeText(app.state.controller().mode()), "View Storybook");
        EXPECT_TRUE(app.state.controller().saved());
        EXPECT_EQ(app.state.storybook().varPageCount, 3);
        EXPECT_EQ(snapshotOf(1), "snapshot_4c1e9b07_00000002.jpg");
        EXPECT_TRUE(app.state.varSelectedSnapshot.empty());
    }
    EXPECT_EQ(app.state.strStorybookCachePath, folder.path().toStdString() + "/");
}

TEST_F(SnapshotCommand, RefusalsLeaveTheAlbumAsItWasAndTheFirstPageIsReachedFromAnywhere) {
    Storybook& book = app.state.storybook();
    for (int page = 3; page < 1024; ++page)
        book.varEntryArray[page] = book.varEntryArray[2];
    book.varPageCount = 1024;
    app.state.controller().setCurrentPage(1023);
    browse([](frmLoadSnapshot& browser) { browser.cmdInsert_Click(1); });
    window.runCommand(Command::ShowSnapshotBrowser);
    EXPECT_EQ(book.varPageCount, 1025);
    EXPECT_EQ(snapshotOf(0), kUnused);
    EXPECT_EQ(app.state.controller().currentPage(), 0);

    book.varEntryArray[0][album::Snapshot][album::Content] = "elsewhere.jpg";
    app.state.controller().setSaved(true);
    app.seam.messageAnswers = {MessageAnswer::Ok, MessageAnswer::Ok, MessageAnswer::Ok};
    for (int insert : {0, 2}) {
        browse([insert](frmLoadSnapshot& browser) { browser.cmdInsert_Click(insert); });
        window.runCommand(Command::ShowSnapshotBrowser);
    }
    book.varPageCount = 0;
    browse([](frmLoadSnapshot& browser) { browser.cmdReplace_Click(); });
    window.runCommand(Command::ShowSnapshotBrowser);
    ASSERT_EQ(messages().size(), 3u);
    EXPECT_EQ(
        messages()[0].text,
        "This storybook is full: an album holds at most 1025 pages.\r\n\r\nThe snapshot was not added.");
    EXPECT_EQ(messages()[2].text, "This storybook has no page whose snapshot could be replaced.");
    EXPECT_EQ(snapshotOf(0), "elsewhere.jpg");
    EXPECT_TRUE(app.state.controller().saved());
    EXPECT_EQ(modeText(app.state.controller().mode()), "View Storybook");

    browse([](frmLoadSnapshot& browser) { browser.cmdInsert_Click(2); });
    window.runCommand(Command::ShowSnapshotBrowser);
    EXPECT_EQ(book.varPageCount, 1) << "Insert End into an album without pages makes its first page";
}

TEST_F(SnapshotCommand, AFolderRemovedWhileOpenGivesAMessageAndNoBrowser) {
    ASSERT_TRUE(folder.remove());
    app.seam.messageAnswers = {MessageAnswer::Ok};
    window.runCommand(Command::ShowSnapshotBrowser);
    ASSERT_EQ(messages().size(), 1u);
    EXPECT_NE(messages()[0].text.find("folder cannot be read"), std::string::npos);
    EXPECT_EQ(messages()[0].icon, MessageIcon::Critical);
    EXPECT_EQ(modals(), 0);
    EXPECT_EQ(modeText(app.state.controller().mode()), "View Storybook");
    EXPECT_EQ(app.state.storybook().varPageCount, 3);
}
