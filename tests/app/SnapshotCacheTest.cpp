// Pictures decoded ahead: a file changed on disk is shown as it is now, the window never waits for
// a picture other than the one it asks for, nothing is decoded twice, and memory stays bounded.

#include "SnapshotCache.h"
#include "AlbumText.h"
#include "AppFixture.h"
#include "MainWindowProbe.h"
#include "OpenThroughDialog.h"
#include "frmMain.h"
#include "platform/Controls.h"
#include "platform/ImageDecoder.h"
#include "platform/PictureArea.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QFile>
#include <QImage>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <atomic>
#include <future>
#include <map>
#include <thread>

namespace {

const QSize kShown(40, 30);

std::string writePicture(const QTemporaryDir& folder, const QString& name, const QColor& color,
                         int quality = 90) {
    const QString path = folder.filePath(name);
    QImage image(64, 48, QImage::Format_RGB32);
    image.fill(color);
    image.save(path, "JPG", quality);
    return path.toStdString();
}

// That many gray snapshots in folder; their paths.
std::vector<std::string> grayPictures(const QTemporaryDir& folder, std::size_t count) {
    std::vector<std::string> paths;
    for (std::size_t i = 0; i < count; ++i)
        paths.push_back(writePicture(folder, QStringLiteral("snapshot_%1.jpg").arg(i), Qt::gray));
    return paths;
}

// The album as Storybook.xml in folder; its path.
std::string writeAlbum(const QTemporaryDir& folder, const AlbumText& album) {
    const std::string path = folder.filePath(QStringLiteral("Storybook.xml")).toStdString();
    QFile out(QString::fromStdString(path));
    out.open(QIODevice::WriteOnly);
    const std::string bytes = album.bytes();
    out.write(bytes.data(), static_cast<qint64>(bytes.size()));
    return path;
}

// Rewrites a picture with other bytes and a later time, as an editor saving over it would.
void overwrite(const std::string& path, const QColor& color) {
    QImage image(64, 48, QImage::Format_RGB32);
    image.fill(color);
    image.save(QString::fromStdString(path), "JPG", 50);
    QFile file(QString::fromStdString(path));
    file.open(QIODevice::ReadWrite);
    file.setFileTime(QDateTime::currentDateTime().addSecs(5), QFileDevice::FileModificationTime);
}

bool isColor(const QImage& image, const QColor& color) {
    const QColor pixel = image.pixelColor(image.width() / 2, image.height() / 2);
    return std::abs(pixel.red() - color.red()) < 40 && std::abs(pixel.green() - color.green()) < 40 &&
           std::abs(pixel.blue() - color.blue()) < 40;
}

// A decoder that holds up any file named "slow" until released, and counts what it decodes.
struct HeldDecoder {
    std::promise<void> entered;
    std::promise<void> release;
    std::shared_future<void> released = release.get_future().share();
    std::mutex mutex;
    std::map<std::string, int> decoded;

    SnapshotCache::Decoder decoder() {
        return [this](const std::string& path, const QSize& size) {
            {
                const std::lock_guard lock(mutex);
                ++decoded[path];
            }
            if (path.ends_with("slow")) {
                entered.set_value();
                released.wait();
            }
            return decodePicture(path, size);
        };
    }
    int count(const std::string& path) {
        const std::lock_guard lock(mutex);
        return decoded[path];
    }
};

TEST(SnapshotCache, ChangedFileIsDecodedAfresh) {
    for (const bool decodedAhead : {false, true}) {
        SCOPED_TRACE(decodedAhead ? "decoded ahead" : "decoded when shown");
        QTemporaryDir folder;
        const std::string path = writePicture(folder, QStringLiteral("snapshot_a.jpg"), Qt::red);
        SnapshotCache cache;
        if (decodedAhead) {
            cache.decodeAhead({path}, kShown);
            cache.waitUntilIdle();
            ASSERT_EQ(cache.size(), 1u);
        } else {
            ASSERT_TRUE(isColor(cache.picture(path, kShown), Qt::red));
        }
        overwrite(path, Qt::blue);
        const QImage shown = cache.picture(path, kShown);
        EXPECT_EQ(shown.size(), kShown);
        EXPECT_TRUE(isColor(shown, Qt::blue));
    }
}

TEST(SnapshotCache, WindowNeverWaitsBehindTheWorker) {
    QTemporaryDir folder;
    const std::string slow = writePicture(folder, QStringLiteral("slow"), Qt::red);
    const std::string queued = writePicture(folder, QStringLiteral("queued.jpg"), Qt::green);
    const std::string other = writePicture(folder, QStringLiteral("other.jpg"), Qt::blue);
    HeldDecoder held;
    SnapshotCache cache(held.decoder());
    cache.decodeAhead({slow, queued}, kShown);
    held.entered.get_future().wait();

    // While the worker is held: a picture not asked ahead, and one still waiting in its queue.
    EXPECT_TRUE(isColor(cache.picture(other, kShown), Qt::blue));
    EXPECT_TRUE(isColor(cache.picture(queued, kShown), Qt::green));

    held.release.set_value();
    cache.waitUntilIdle();
    EXPECT_EQ(held.count(queued), 1) << "a picture taken from the queue is not decoded again";
    EXPECT_TRUE(isColor(cache.picture(slow, kShown), Qt::red));
    EXPECT_EQ(held.count(slow), 1);
}

// The worker runs only on time the window leaves, so the window does not wait even for the picture
// the worker is decoding (were it to, this would never end).
TEST(SnapshotCache, WindowDecodesThePictureTheWorkerIsOn) {
    QTemporaryDir folder;
    const std::string path = writePicture(folder, QStringLiteral("snapshot_a.jpg"), Qt::red);
    const std::thread::id window = std::this_thread::get_id();
    std::promise<void> entered, release;
    const std::shared_future<void> released = release.get_future().share();
    SnapshotCache cache([&](const std::string& file, const QSize& size) {
        if (std::this_thread::get_id() != window) {
            entered.set_value();
            released.wait();
        }
        return decodePicture(file, size);
    });
    cache.decodeAhead({path}, kShown);
    entered.get_future().wait();
    EXPECT_TRUE(isColor(cache.picture(path, kShown), Qt::red));
    release.set_value();
    cache.waitUntilIdle();
}

// A picture the worker is decoding when the pages ahead change is finished once if still wanted,
// and dropped, pushing out none of the wanted, if not.
TEST(SnapshotCache, PictureDecodingWhenThePagesAheadChange) {
    QTemporaryDir folder;
    const std::string slow = writePicture(folder, QStringLiteral("slow"), Qt::red);
    const std::vector<std::string> others = grayPictures(folder, SnapshotCache::kEntries);
    for (const bool stillWanted : {true, false}) {
        SCOPED_TRACE(stillWanted ? "still wanted" : "no longer wanted");
        HeldDecoder held;
        SnapshotCache cache(held.decoder());
        cache.decodeAhead({slow, others[0]}, kShown);
        held.entered.get_future().wait();
        if (stillWanted) {
            cache.decodeAhead({slow, others[1]}, kShown);
        } else {
            cache.decodeAhead(others, kShown);
            for (const std::string& other : others)
                cache.picture(other, kShown);
        }
        held.release.set_value();
        cache.waitUntilIdle();
        EXPECT_EQ(held.count(slow), 1);
        EXPECT_EQ(cache.holds(slow, kShown), stillWanted);
        EXPECT_EQ(held.count(others[0]), stillWanted ? 0 : 1) << "replaced while waiting in the queue";
        for (std::size_t i = 1; i < (stillWanted ? 2 : others.size()); ++i)
            EXPECT_TRUE(cache.holds(others[i], kShown)) << i;
    }
}

TEST(SnapshotCache, MissingOrUnreadableFileGivesNoPicture) {
    QTemporaryDir folder;
    QFile broken(folder.filePath(QStringLiteral("broken.jpg")));
    broken.open(QIODevice::WriteOnly);
    broken.write("\xFF\xD8 not a picture");
    broken.close();
    SnapshotCache cache;
    const std::string gone = folder.filePath(QStringLiteral("gone.jpg")).toStdString();
    cache.decodeAhead({gone, broken.fileName().toStdString()}, kShown);
    cache.waitUntilIdle();
    EXPECT_EQ(cache.size(), 0u);
    EXPECT_TRUE(cache.picture(broken.fileName().toStdString(), kShown).isNull());
    EXPECT_TRUE(cache.picture(gone, kShown).isNull());
}

TEST(SnapshotCache, KeepsAHandfulOfPictures) {
    QTemporaryDir folder;
    const std::vector<std::string> paths = grayPictures(folder, 12);
    SnapshotCache cache;
    for (const std::string& path : paths)
        cache.picture(path, kShown);
    EXPECT_EQ(cache.size(), SnapshotCache::kEntries);
    cache.decodeAhead(paths, kShown);
    cache.waitUntilIdle();
    EXPECT_EQ(cache.size(), SnapshotCache::kEntries);
    // The last asked ahead are the ones kept.
    HeldDecoder counting;
    SnapshotCache recent(counting.decoder());
    recent.decodeAhead(paths, kShown);
    recent.waitUntilIdle();
    recent.picture(paths.back(), kShown);
    EXPECT_EQ(counting.count(paths.back()), 1);
}

TEST(SnapshotCache, KeepsOnlyThePictureShownAndThoseAskedAheadLast) {
    QTemporaryDir folder;
    const std::vector<std::string> paths = grayPictures(folder, 4);
    HeldDecoder counting;
    SnapshotCache cache(counting.decoder());
    cache.picture(paths[0], kShown);
    cache.decodeAhead({paths[1], paths[2]}, kShown);
    cache.waitUntilIdle();
    EXPECT_EQ(cache.size(), 3u);
    cache.picture(paths[1], kShown);
    cache.decodeAhead({paths[2], paths[3]}, kShown);
    cache.waitUntilIdle();
    EXPECT_EQ(cache.size(), 3u) << "the first picture is neither shown nor asked for";
    for (int i = 1; i < 4; ++i) {
        cache.picture(paths[i], kShown);
        EXPECT_EQ(counting.count(paths[i]), 1) << "picture " << i << " decoded again";
    }
}

// Through the window: the page of every navigation button is decoded ahead at the painted size.
TEST(SnapshotCache, EveryNavigationButtonsPageIsDecodedAhead) {
    QTemporaryDir folder;
    AlbumText album;
    for (int p = 1; p <= 25; ++p) {
        const QString name = QStringLiteral("snapshot_4c1e9b07_%1.jpg").arg(p, 8, 10, QLatin1Char('0'));
        writePicture(folder, name, QColor(10 * p, 0, 0));
        album.pages.push_back({"Page", name.toStdString(), "Story"});
    }
    AppFixture app;
    app.seam.modalActions.push_back([](QDialog&) { return ModalResult::Accepted; });
    frmMain window(app.state);
    openThroughDialog(app, window, writeAlbum(folder, album));
    app.state.controller().setCurrentPage(12);
    window.DisplayCurrentPage();
    window.refresh();
    QCoreApplication::sendPostedEvents(); // the pages ahead are asked for after the frame
    window.snapshots().waitUntilIdle();
    EXPECT_EQ(window.snapshots().size(), SnapshotCache::kEntries);
    // From page 13 the buttons go to 12, 2, 1, 14, 22 and 25 (indexes below).
    const int targets[] = {11, 2, 0, 13, 22, 24};
    for (int button = 0; button < 6; ++button) {
        const std::string target =
            folder.filePath(QString::fromStdString(album.pages[targets[button]].snapshot)).toStdString();
        EXPECT_TRUE(window.snapshots().holds(target, controls(window).pbxShow->size()))
            << "button " << button;
    }
}

// An album of three pages, each a red snapshot in folder.
AlbumText threeRedPages(const QTemporaryDir& folder) {
    AlbumText album;
    for (int p = 1; p <= 3; ++p) {
        const QString name = QStringLiteral("snapshot_4c1e9b07_0000000%1.jpg").arg(p);
        writePicture(folder, name, Qt::red);
        album.pages.push_back({"Page", name.toStdString(), "Story"});
    }
    return album;
}

// Through the window: the page after the one shown is decoded ahead; changed on disk before the
// turn, it is shown as it is now.
TEST(SnapshotCache, PageChangedOnDiskAfterItsNeighbourWasShownIsShownFresh) {
    QTemporaryDir folder;
    const AlbumText album = threeRedPages(folder);
    AppFixture app;
    app.seam.modalActions.push_back([](QDialog&) { return ModalResult::Accepted; });
    frmMain window(app.state);
    openThroughDialog(app, window, writeAlbum(folder, album));
    ASSERT_EQ(app.state.storybook().varPageCount, 3);
    QCoreApplication::sendPostedEvents(); // the pages ahead are asked for after the frame
    window.snapshots().waitUntilIdle();
    ASSERT_EQ(window.snapshots().size(), 3u) << "the page shown, the next and the last one";

    overwrite(folder.filePath(QStringLiteral("snapshot_4c1e9b07_00000002.jpg")).toStdString(), Qt::blue);
    controls(window).cmdNav[3]->click();
    EXPECT_EQ(app.state.controller().currentPage(), 1);
    EXPECT_TRUE(isColor(controls(window).pbxShow->shownImage().copy(150, 120, 100, 40), Qt::blue));
}

// Held, as at start-up until the first frame, the window decodes only the page it shows; released,
// it asks for the pages ahead it put off.
TEST(SnapshotCache, PagesAheadWaitWhileHeld) {
    QTemporaryDir folder;
    const AlbumText album = threeRedPages(folder);
    AppFixture app;
    app.seam.modalActions.push_back([](QDialog&) { return ModalResult::Accepted; });
    frmMain window(app.state);
    window.holdDecodingAhead();
    openThroughDialog(app, window, writeAlbum(folder, album));
    QCoreApplication::sendPostedEvents(); // the pages ahead are asked for after the frame
    window.snapshots().waitUntilIdle();
    EXPECT_EQ(window.snapshots().size(), 1u);
    window.releaseDecodingAhead();
    window.snapshots().waitUntilIdle();
    EXPECT_EQ(window.snapshots().size(), 3u);
}

} // namespace
