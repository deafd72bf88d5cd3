// The committed sample album is what the first run of the application opens: it must be the
// file the tool writes, open cleanly, and have every picture it names in its folder.

#include "make-sample-album/SampleAlbum.h"
#include "make-sample-album/AlbumCheck.h"

#include <QDir>
#include <QFile>
#include <QImageReader>
#include <QSet>

#include <gtest/gtest.h>

namespace {

const QDir kSamples(BRINDLECOVE_SAMPLES_DIR);

QSize storedImageSize(const QString& name) {
    QImageReader reader(kSamples.filePath(name));
    return reader.format() == "jpeg" ? reader.size() : QSize();
}

std::vector<SampleSnapshot> everySnapshot(const SampleAlbum& album) {
    std::vector<SampleSnapshot> snapshots = album.unusedSnapshots;
    for (const SamplePage& page : album.pages)
        snapshots.push_back(page.snapshot);
    return snapshots;
}

} // namespace

TEST(SampleAlbum, CommittedFileIsWhatTheToolWrites) {
    const SampleAlbum album = hawthorneAlbum();
    QFile file(kSamples.filePath(album.fileName));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly)) << "run make-sample-album and commit samples/";
    EXPECT_EQ(file.readAll(), albumFileText(album)) << "samples/ is older than the tool: run it again";
}

TEST(SampleAlbum, OpensThroughTheDocumentLibrary) {
    const SampleAlbum album = hawthorneAlbum();
    const QStringList faults = checkWrittenAlbum(kSamples.filePath(album.fileName), album);
    EXPECT_TRUE(faults.isEmpty()) << qPrintable(faults.join('\n'));
}

TEST(SampleAlbum, EveryPictureIsAJpegOfItsSizeInTheFolder) {
    for (const SampleSnapshot& snapshot : everySnapshot(hawthorneAlbum())) {
        EXPECT_EQ(storedImageSize(snapshot.snapshotName()), snapshot.size)
            << qPrintable(snapshot.snapshotName());
        EXPECT_EQ(storedImageSize(snapshot.thumbnailName()),
                  snapshot.hasThumbnail ? QSize(160, 120) : QSize())
            << qPrintable(snapshot.thumbnailName());
    }
}

TEST(SampleAlbum, LeavesSnapshotsForTheBrowserToOffer) {
    const SampleAlbum album = hawthorneAlbum();
    QSet<QString> onPages;
    QSet<QString> lots;
    for (const SamplePage& page : album.pages) {
        onPages.insert(page.snapshot.snapshotName());
        lots.insert(page.snapshot.lotCode);
    }
    EXPECT_GE(lots.size(), 2) << "the lot list needs a second lot";
    QSet<QString> unusedLots;
    int unlinked = 0;
    int withoutThumbnail = 0;
    for (const SampleSnapshot& snapshot : album.unusedSnapshots) {
        EXPECT_FALSE(onPages.contains(snapshot.snapshotName())) << qPrintable(snapshot.snapshotName());
        if (snapshot.lotCode.startsWith("00000"))
            ++unlinked;
        else
            unusedLots.insert(snapshot.lotCode);
        withoutThumbnail += snapshot.hasThumbnail ? 0 : 1;
    }
    EXPECT_GE(unusedLots.size(), 2) << "unused snapshots of two lots";
    EXPECT_GE(unlinked, 1) << "an unlinked snapshot";
    EXPECT_EQ(withoutThumbnail, 1) << "one snapshot whose thumbnail is missing";
}
