// The browser window in a headless run: what it opens on, its filters and keys, the thumbnail, the
// commit buttons and their refusals, closing, and the scan kept between showings.

#include "snapshots/frmLoadSnapshot.h"
#include "JpegFiles.h"
#include "PlaceNames.h"
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

#include <sys/stat.h>
#include <unistd.h>

namespace {

class Browser : public ::testing::Test {
protected:
    // A snapshot with its thumbnail (unless told otherwise), minutes apart by age.
    void snapshot(const std::string& name, int minute, bool withThumbnail = true,
                  const std::string& bytes = jpegBytes(64, 48)) {
        folder.write(name, bytes);
        dateAndThumbnail(name, minute, withThumbnail);
    }
    void dateAndThumbnail(const std::string& name, int minute, bool withThumbnail = true) {
        const long time = 1110204309 + minute * 60L;
        const auto at = std::chrono::file_clock::from_sys(std::chrono::system_clock::from_time_t(time));
        std::filesystem::last_write_time(pathOf(folder.file(name)), at);
        if (withThumbnail)
            folder.write("thumbnail_" + name.substr(9), jpegBytes(160, 120));
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
    static int whitePixels(frmLoadSnapshot& browser) {
        const QImage shown = browser.pbxThumbnail->shownImage();
        int white = 0;
        for (int y = 0; y < shown.height(); ++y)
            for (int x = 0; x < shown.width(); ++x)
                white += shown.pixelColor(x, y).lightness() > 200 ? 1 : 0;
        return white;
    }
    std::vector<std::string> messages() const {
        std::vector<std::string> texts;
        for (const SeamRequest& request : seam.requestsOf(SeamCall::Message))
            texts.push_back(request.text);
        return texts;
    }
    static std::string refusal(const std::string& shownName, const std::string& reason) {
        return "This snapshot cannot be added to the album:\r\n\r\n" + shownName + "\r\n\r\n" + reason;
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
    EXPECT_EQ(browser->pbxThumbnail->picture().size(), QSize(132, 100)) << "the part the box shows";
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
    EXPECT_EQ(browser->choice(), SnapshotChoice::Browsing);
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
    EXPECT_GT(whitePixels(*browser), 50) << "the words Invalid and Thumbnail";

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
    EXPECT_EQ(browser->choice(), SnapshotChoice::Browsing);

    browser->btnBack->click();
    browser->cmdInsert[1]->click();
    EXPECT_EQ(browser->choice(), SnapshotChoice::InsertBeginning);
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

// Folders are told apart by their bytes: "\xFE" and "\xFF" look the same once decoded.
TEST_F(Browser, FoldersOfAnyBytesAreScannedAndShowTheirThumbnails) {
    std::vector<std::string> folders;
    for (const PlaceName& name : placeNames()) {
        folders.push_back(name.folder);
        if (name.folder == "\xFF")
            folders.push_back("\xFE");
    }
    for (std::size_t row = 0; row < folders.size(); ++row) {
        SCOPED_TRACE(row);
        const std::string snapshot = "snapshot_aaaaaaaa_" + std::to_string(row) + ".jpg";
        std::filesystem::create_directory(pathOf(folder.file(folders[row])));
        folder.write(folders[row] + "/" + snapshot, jpegBytes(64, 48));
        folder.write(folders[row] + "/thumbnail_" + snapshot.substr(9), jpegBytes(160, 120));
        frmLoadSnapshot browser(
            SnapshotBrowserInput{seam, *album, scan, cachePath, folder.file(folders[row]) + "/", true});
        browser.Form_Activate();
        EXPECT_EQ(shown(browser), snapshot + " | 1 of 1");
        EXPECT_EQ(browser.pbxThumbnail->picture().size(), QSize(132, 100));
        EXPECT_EQ(commits(browser), "++-+");
        browser.cmdOther->click();
        ASSERT_EQ(cachePath, folder.file(folders[row]) + "/") << "the scan is kept for this folder";
    }
}

// Root may read every file: the commit is then checked as nobody, for whom the folder is closed.
class Unprivileged {
public:
    Unprivileged() : m_dropped(::geteuid() == 0 && ::seteuid(65534) == 0) {}
    ~Unprivileged() {
        if (m_dropped)
            static_cast<void>(::seteuid(0));
    }

private:
    bool m_dropped;
};

TEST_F(Browser, ACommitTakesOnlyASnapshotThatCanBeShownAndSaysWhyNot) {
    const std::string good = jpegBytes(64, 48);
    const struct {
        const char* name;
        std::string bytes;
        const char* reason;
    } refused[] = {
        {"snapshot_aaaaaaaa_empty.jpg", "", "It is empty."},
        {"snapshot_aaaaaaaa_unreadable.jpg", good, "It cannot be opened for reading."}, // checked as nobody
        {"snapshot_aaaaaaaa_cut.jpg", good.substr(0, 300),
         "Its JPEG header is damaged (Premature end of JPEG file)."},
        {"snapshot_aaaaaaaa_text.jpg", "not a picture\n", "It is not a JPEG picture."},
        {"snapshot_aaaaaaaa_fifo.jpg", "", "It is not a regular file."},
        {"snapshot_aaaaaaaa_huge.jpg", headerOnlyJpeg(65000, 65000),
         "It is too large to show (65000 x 65000 pixels)."},
    };
    const std::string fifo = folder.file(refused[4].name);
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0644), 0);
    for (int i = 0; i < static_cast<int>(std::size(refused)); ++i) {
        if (i == 4)
            dateAndThumbnail(refused[i].name, i);
        else
            snapshot(refused[i].name, i, true, refused[i].bytes);
    }
    ::chmod(folder.file(refused[1].name).c_str(), 0);

    auto browser = open();
    browser->NavigateSnapshots("home");
    for (const auto& snapshot : refused) {
        seam.messageAnswers = {MessageAnswer::Ok};
        ASSERT_EQ(commits(*browser), "++-+") << snapshot.name << ": its thumbnail is good";
        if (&snapshot == &refused[1]) {
            const Unprivileged nobody;
            browser->cmdInsert[0]->click();
        } else {
            browser->cmdInsert[0]->click();
        }
        ASSERT_FALSE(messages().empty()) << snapshot.name;
        EXPECT_EQ(messages().back(), refusal(snapshot.name, snapshot.reason));
        EXPECT_EQ(browser->choice(), SnapshotChoice::Browsing);
        EXPECT_EQ(browser->txtCurrentFN->text().toStdString(), snapshot.name) << "the browser stays on it";
        browser->NavigateSnapshots("forward");
    }
}

TEST_F(Browser, NamesTheAlbumCannotStoreAreListedButNeverCommitted) {
    const std::string marks = "The file name holds \"&\", \"<\" or \">\", which the album cannot store.";
    const struct {
        std::string name;
        std::string shown;
        std::string reason;
    } names[] = {
        {"snapshot_lf000001_a\nb.jpg", "snapshot_lf000001_a\u240Ab.jpg",
         "The file name holds a line break or a tab."},
        {"snapshot_ctl\x01"
         "0001_a.jpg",
         "snapshot_ctl\u24010001_a.jpg", "The file name holds the control character U+0001."},
        {"snapshot_lat00001_\xE9.jpg", "snapshot_lat00001_\uFFFD.jpg",
         "The file name holds a byte that is not UTF-8 (0xE9)."},
        {"snapshot_amp00001_a&b.jpg", "snapshot_amp00001_a&b.jpg", marks},
        {"snapshot_lt000001_<b>.jpg", "snapshot_lt000001_<b>.jpg", marks},
        {"snapshot_cd000001_]]>.jpg", "snapshot_cd000001_]]>.jpg", marks},
    };
    for (int i = 0; i < static_cast<int>(std::size(names)); ++i)
        snapshot(names[i].name, i);

    auto browser = open();
    EXPECT_EQ(browser->lbxLots->count(), 2 + static_cast<int>(std::size(names))) << "their lots are listed";
    EXPECT_EQ(
        browser->lbxLots->findItems(QString::fromUtf8("Sim Lot ID: ctl\u24010001"), Qt::MatchExactly).size(),
        1);
    browser->NavigateSnapshots("home");
    for (const auto& name : names) {
        EXPECT_EQ(browser->txtCurrentFN->text().toStdString(), name.shown);
        EXPECT_EQ(commits(*browser), "-+--") << name.shown;
        EXPECT_FALSE(browser->pbxThumbnail->hasPicture()) << name.shown << ": the reason stands in its place";
        EXPECT_GT(whitePixels(*browser), 50) << name.shown;
        seam.messageAnswers = {MessageAnswer::Ok};
        browser->cmdInsert[1]->click();
        ASSERT_FALSE(messages().empty());
        EXPECT_EQ(messages().back(), refusal(name.shown, name.reason));
        browser->NavigateSnapshots("forward");
    }
    EXPECT_EQ(browser->txtNofN->text().toStdString(), "6 of 6")
        << "each found in the folder by its own bytes";
    EXPECT_EQ(browser->choice(), SnapshotChoice::Browsing);
}

TEST_F(Browser, AListedFileFoundGoneLeavesTheListAndTheKeptScan) {
    snapshot("snapshot_aaaaaaaa_1.jpg", 1);
    snapshot("snapshot_bbbbbbbb_1.jpg", 2);
    snapshot("snapshot_aaaaaaaa_2.jpg", 3);
    auto browser = open();
    EXPECT_EQ(shown(*browser), "snapshot_aaaaaaaa_2.jpg | 3 of 3");

    // Noticed at its thumbnail: the move goes on to the next row.
    std::remove(folder.file("snapshot_bbbbbbbb_1.jpg").c_str());
    browser->btnBack->click();
    EXPECT_EQ(shown(*browser), "snapshot_aaaaaaaa_1.jpg | 1 of 2");

    // Noticed at the commit.
    std::remove(folder.file("snapshot_aaaaaaaa_1.jpg").c_str());
    seam.messageAnswers = {MessageAnswer::Ok};
    browser->cmdReplace->click();
    EXPECT_EQ(messages(), (std::vector<std::string>{
                              refusal("snapshot_aaaaaaaa_1.jpg", "It is no longer in the album's folder.")}));
    EXPECT_EQ(shown(*browser), "snapshot_aaaaaaaa_2.jpg | 1 of 1");
    browser->cmdOther->click();

    EXPECT_EQ(open()->loadedSnapshots().strLoadedSnapshotArray.size(), 1u) << "the kept scan forgot them";
    EXPECT_EQ(scan.strLotIDArray, std::vector<std::string>{"aaaaaaaa"});
}
