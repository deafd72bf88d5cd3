// Writes the bundled sample album into the samples folder (or the folder given as the one
// argument): the album file, its snapshots and thumbnails, and a few snapshots no page uses. The
// written album is then read back through the document library.

#include "AlbumCheck.h"
#include "SampleAlbum.h"
#include "Scenes.h"

#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QImageWriter>
#include <QSaveFile>

#include <cstdio>

namespace {

constexpr QSize kThumbnailSize(160, 120);
constexpr int kJpegQuality = 85;

bool writeJpeg(const QDir& folder, const QString& name, const QImage& image) {
    QImageWriter writer(folder.filePath(name), "jpeg");
    writer.setQuality(kJpegQuality);
    writer.setOptimizedWrite(true);
    if (!writer.write(image)) {
        std::fprintf(stderr, "cannot write %s: %s\n", qPrintable(name), qPrintable(writer.errorString()));
        return false;
    }
    return true;
}

bool writeSnapshot(const QDir& folder, const SampleSnapshot& snapshot) {
    const unsigned seed = qHash(snapshot.snapshotName());
    const QImage picture = renderScene(snapshot.scene, snapshot.size, seed);
    if (!snapshot.hasThumbnail) {
        QFile::remove(folder.filePath(snapshot.thumbnailName()));
        return writeJpeg(folder, snapshot.snapshotName(), picture);
    }
    const QImage thumbnail = picture.scaled(kThumbnailSize, Qt::KeepAspectRatio, Qt::SmoothTransformation);
    return writeJpeg(folder, snapshot.snapshotName(), picture) &&
           writeJpeg(folder, snapshot.thumbnailName(), thumbnail);
}

bool writeAlbumFile(const QString& path, const SampleAlbum& album) {
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(albumFileText(album)) < 0 || !file.commit()) {
        std::fprintf(stderr, "cannot write %s\n", qPrintable(path));
        return false;
    }
    return true;
}

} // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication application(argc, argv);
    const QStringList arguments = application.arguments();
    const QDir folder(arguments.size() > 1 ? arguments.at(1) : QStringLiteral(BRINDLECOVE_SAMPLES_DIR));
    if (!folder.exists() && !QDir().mkpath(folder.path())) {
        std::fprintf(stderr, "cannot create %s\n", qPrintable(folder.path()));
        return 1;
    }

    const SampleAlbum album = hawthorneAlbum();
    bool written = true;
    for (const SamplePage& page : album.pages)
        written = writeSnapshot(folder, page.snapshot) && written;
    for (const SampleSnapshot& snapshot : album.unusedSnapshots)
        written = writeSnapshot(folder, snapshot) && written;
    const QString path = folder.filePath(album.fileName);
    if (!written || !writeAlbumFile(path, album))
        return 1;

    const QStringList faults = checkWrittenAlbum(path, album);
    for (const QString& fault : faults)
        std::fprintf(stderr, "%s: %s\n", qPrintable(album.fileName), qPrintable(fault));
    if (!faults.isEmpty())
        return 1;
    std::printf("%s: %zu pages, %zu unused snapshots, read back and checked\n", qPrintable(path),
                album.pages.size(), album.unusedSnapshots.size());
    return 0;
}
