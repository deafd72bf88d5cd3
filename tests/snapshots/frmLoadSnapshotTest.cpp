// The browser window in a headless run: what it opens on, its filters and keys, the thumbnail, the
// commit buttons and their refusals, closing, and the scan kept between showings.

#include "snapshots/frmLoadSnapshot.h"
#include "ScriptedSeam.h"
#include "SnapshotFolder.h"
#include "document/Storybook.h"
#include "platform/Controls.h"
#include "platform/PictureArea.h"

#include <QCheckBox>
#include <QImage>
#include <QLineEdit>
#include <QListWidget>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

namespace {

class Browser : public ::testing::Test {
protected:
    // A snapshot with its thumbnail (unless told otherwise), minutes apart by age.
    void snapshot(const std::string& name, int minute, bool withThumbnail = true) {
        folder.touch(name, 1110204309 + minute * 60L);
        QImage thumbnail(160, 120, QImage::Format_RGB32);
        thumbnail.fill(QColor(200, 150, 40));
        if (withThumbnail)
            thumbnail.save(QString::fromStdString(folder.file("thumbnail_" + name.substr(9))), "JPG");
    }
    std::unique_ptr<frmLoadSnapshot> open() {
        auto browser = std::make_unique<frmLoadSnapshot>(
            SnapshotBrowserInput{seam, *album, scan, cachePath, folder.folder(), true});
        browser->Form_Activate();
        return browser;
    }
    static std::string shown(const frmLoadSnapshot& browser) {
        return browser.txtCurrentFN->text().toStdString() + " | " + browser.txtNofN->text().toStdString();
    }
    static std::string commits(const frmLoadSnapshot& browser) {
        std::string enabled;
        for (const QWidget* button :
             {browser.cmdInsert[0], browser.cmdInsert[1], browser.cmdInsert[2], browser.cmdReplace})
            enabled += button->isEnabled() ? "+" : "-";
        return enabled;
    }
    std::vector<std::string> messages() const {
        std::vector<std::string> texts;
        for (const SeamRequest& request : seam.requestsOf(SeamCall::Message))
            texts.push_back(request.text);
        return texts;
    }

    SnapshotFolder folder;
    ScriptedSeam seam;
    std::unique_ptr<Storybook> album = makeStorybook();
    SnapshotScan scan;
    std::string cachePath;
};

} // namespace

TEST_F(Browser, OpensOnTheNewestUnusedSnapshotAndFilters) {
    snapshot("snapshot_aaaaaaaa_1.jpg", 1);
    snapshot("snapshot_aaaaaaaa_2.jpg", 4);
    snapshot("snapshot_bbbbbbbb_1.jpg", 3);
    snapshot("snapshot_00000000_1.jpg", 2);
    album->varEntryArray[album->varPageCount++][album::Snapshot][album::Content] = "snapshot_aaaaaaaa_2.jpg";

    auto browser = open();
    EXPECT_TRUE(browser->chkShowUnused->isChecked());
    EXPECT_EQ(browser->lbxLots->count(), 4);
    EXPECT_EQ(browser->lbxLots->item(3)->text(), QStringLiteral("Sim Lot ID: bbbbbbbb"));
    EXPECT_EQ(shown(*browser), "snapshot_bbbbbbbb_1.jpg | 3 of 3");
    EXPECT_EQ(browser->pbxThumbnail->picture().size(), QSize(160, 120)) << "drawn at its own size";
    EXPECT_EQ(commits(*browser), "++-+");
    EXPECT_TRUE(browser->txtCurrentFN->isReadOnly());

    browser->chkShowUnused->setChecked(false);
    EXPECT_EQ(shown(*browser), "snapshot_aaaaaaaa_2.jpg | 4 of 4");
    browser->lbxLots->setCurrentRow(2);
    browser->btnBack->click();
    EXPECT_EQ(shown(*browser), "snapshot_aaaaaaaa_1.jpg | 1 of 4");
    browser->lbxLots->setCurrentRow(1);
    EXPECT_EQ(shown(*browser), "snapshot_00000000_1.jpg | 2 of 4");

    // No row of the filter: nothing shown, nothing to commit, the counter stays.
    browser->chkShowUnused->setChecked(true);
    album->varEntryArray[album->varPageCount++][album::Snapshot][album::Content] = "snapshot_00000000_1.jpg";
    browser->chkShowUnused->setChecked(false);
    browser->chkShowUnused->setChecked(true);
    browser->lbxLots->setCurrentRow(1);
    EXPECT_EQ(shown(*browser), " | 2 of 2");
    EXPECT_EQ(commits(*browser), "-+--");
}

TEST_F(Browser, KeysBrowseFromEveryControlButTheLotListAndEscCloses) {
    for (int i = 1; i <= 25; ++i)
        snapshot("snapshot_aaaaaaaa_" + std::to_string(100 + i) + ".jpg", i);
    auto browser = open();
    const struct {
        QWidget* control;
        Qt::Key key;
        const char* counter;
    } presses[] = {
        {browser->pbxThumbnail, Qt::Key_PageUp, "15 of 25"},
        {browser->btnBack, Qt::Key_PageUp, "5 of 25"},
        {browser->txtCurrentFN, Qt::Key_Left, "4 of 25"},
        {browser->cmdReplace, Qt::Key_PageDown, "14 of 25"},
        {browser->chkShowUnused, Qt::Key_Home, "1 of 25"},
        {browser->cmdOther, Qt::Key_End, "25 of 25"},
        {browser->txtNofN, Qt::Key_Right, "25 of 25"},
        {browser->pbxThumbnail, Qt::Key_Up, "25 of 25"},
        {browser->lbxLots, Qt::Key_PageUp, "25 of 25"},
    };
    for (const auto& press : presses) {
        QTest::keyClick(press.control, press.key);
        EXPECT_EQ(browser->txtNofN->text().toStdString(), press.counter)
            << press.control->objectName().toStdString();
    }

    // Esc on the lot list or a button only moves the focus; elsewhere it closes as Cancel does.
    for (QWidget* control :
         {static_cast<QWidget*>(browser->lbxLots), static_cast<QWidget*>(browser->cmdOther),
          static_cast<QWidget*>(browser->cmdInsert[1]), static_cast<QWidget*>(browser->cmdReplace)})
        QTest::keyClick(control, Qt::Key_Escape);
    EXPECT_TRUE(cachePath.empty()) << "still open";
    QTest::keyClick(browser->txtCurrentFN, Qt::Key_Escape);
    EXPECT_EQ(browser->strApplicationMode(), "Load Snapshot");
    EXPECT_EQ(cachePath, folder.folder()) << "closing keeps the scan for the next showing";
}

TEST_F(Browser, CommitsNeedAListedFileWithItsThumbnailStillInTheFolder) {
    folder.touch("Storybook.xml");
    auto browser = open();
    EXPECT_EQ(shown(*browser), " | zero");
    EXPECT_EQ(commits(*browser), "++-+") << "enabled, though there is nothing to insert";
    seam.messageAnswers = {MessageAnswer::Ok, MessageAnswer::Ok};
    browser->cmdInsert[0]->click();
    browser->cmdReplace->click();
    EXPECT_EQ(messages(), (std::vector<std::string>{"No File Selected", "No File Selected"}));

    seam.requests.clear();
    cachePath.clear();
    snapshot("snapshot_aaaaaaaa_1.jpg", 1);
    snapshot("snapshot_aaaaaaaa_2.jpg", 2, false);
    snapshot("snapshot_aaaaaaaa_3.jpg", 0);
    browser = open();
    EXPECT_EQ(shown(*browser), "snapshot_aaaaaaaa_2.jpg | 3 of 3");
    EXPECT_EQ(commits(*browser), "-+--");
    const QImage words = browser->pbxThumbnail->shownImage();
    int white = 0;
    for (int y = 0; y < words.height(); ++y)
        for (int x = 0; x < words.width(); ++x)
            white += words.pixelColor(x, y).lightness() > 200 ? 1 : 0;
    EXPECT_GT(white, 50) << "the words Invalid and Thumbnail";

    seam.messageAnswers = {MessageAnswer::Ok, MessageAnswer::Ok};
    browser->cmdInsert[1]->click();
    browser->btnBack->click();
    EXPECT_EQ(commits(*browser), "++-+");
    QFile::remove(QString::fromStdString(folder.file("snapshot_aaaaaaaa_1.jpg")));
    browser->cmdReplace->click();
    ASSERT_EQ(messages().size(), 2u);
    EXPECT_EQ(messages()[0],
              "The thumbnail associated with this image is absent.  Please select another image to load.");
    EXPECT_NE(messages()[1].find("no longer in the album's folder"), std::string::npos);
    EXPECT_EQ(browser->strApplicationMode(), "Load Snapshot");

    browser->btnBack->click();
    browser->cmdInsert[1]->click();
    EXPECT_EQ(browser->strApplicationMode(), "Insert Beginning");
    EXPECT_EQ(browser->varSelectedSnapshot(), "snapshot_aaaaaaaa_3.jpg");
    EXPECT_EQ(browser->result(), QDialog::Accepted);
}

TEST_F(Browser, TheScanIsReusedUntilAnotherFolderAndAStoppedScanIsNeverKept) {
    snapshot("snapshot_aaaaaaaa_1.jpg", 1);
    snapshot("snapshot_aaaaaaaa_2.jpg", 2);
    // Cancel pressed while the scan yields: the dialog closes once the scan has stopped.
    auto browser = std::make_unique<frmLoadSnapshot>(
        SnapshotBrowserInput{seam, *album, scan, cachePath, folder.folder(), true});
    QTimer::singleShot(0, browser.get(), [&] {
        EXPECT_TRUE(browser->scanning());
        browser->cmdOther->click();
    });
    browser->Form_Activate();
    EXPECT_FALSE(browser->scanning());
    EXPECT_TRUE(browser->loadedSnapshots().strLoadedSnapshotArray.empty());
    browser.reset();
    EXPECT_TRUE(cachePath.empty());
    EXPECT_TRUE(scan.strSnapshotArray.empty());

    open()->cmdOther->click();
    EXPECT_EQ(cachePath, folder.folder());
    snapshot("snapshot_aaaaaaaa_3.jpg", 3);
    EXPECT_EQ(open()->loadedSnapshots().strLoadedSnapshotArray.size(), 2u) << "the kept scan is reused";
    cachePath = "/elsewhere/";
    EXPECT_EQ(open()->loadedSnapshots().strLoadedSnapshotArray.size(), 3u);
}
