#include "AlbumCheck.h"

#include "document/StorybookParser.h"
#include "document/StorybookReader.h"

namespace {

std::string bytes(const QString& text) {
    return text.toUtf8().toStdString();
}

void compare(QStringList& faults, const QString& what, std::string_view found, const QString& expected) {
    if (found != bytes(expected))
        faults << QString("%1: found \"%2\", expected \"%3\"")
                      .arg(what, QString::fromStdString(std::string(found)), expected);
}

void comparePages(QStringList& faults, const Storybook& book, const SampleAlbum& album) {
    for (int e = 0; e < static_cast<int>(album.pages.size()) && e < book.varPageCount; ++e) {
        const SamplePage& page = album.pages[static_cast<size_t>(e)];
        const QString at = QString("page %1 ").arg(e + 1);
        compare(faults, at + "title", book.content(e, album::Title), "<![CDATA[" + page.title + "]]>");
        compare(faults, at + "thumbnail", book.content(e, album::ThumbnailFilename),
                page.snapshot.thumbnailName());
        compare(faults, at + "snapshot", book.content(e, album::Snapshot), page.snapshot.snapshotName());
        compare(faults, at + "story", book.content(e, album::Text),
                "<![CDATA[" + page.storyLines.join("\r\n") + "]]>");
        compare(faults, at + "time stamp", book.content(e, album::TimeStamp), page.timeStamp);
    }
}

} // namespace

QStringList checkWrittenAlbum(const QString& path, const SampleAlbum& album) {
    QStringList faults;
    const std::string file = bytes(path);
    if (!CheckStorybookStructure(file))
        faults << "the structure check rejects the file";
    auto book = makeStorybook();
    if (!ReadStorybookLines(*book, file))
        return faults << "the line reader cannot read the file";
    ParseAlbumGlobals(*book);
    const ParseResult parsed = ParseStorybookRecords(*book);
    if (parsed.outcome != ParseOutcome::Complete)
        faults << "the parse did not complete";
    if (parsed.message)
        faults << "message: " + QString::fromStdString(parsed.message->text);
    if (parsed.endsApplication())
        faults << "asked to end the application";
    if (book->varPageCount != static_cast<int>(album.pages.size()))
        faults << QString("%1 pages parsed, %2 written").arg(book->varPageCount).arg(album.pages.size());
    compare(faults, "family name", book->strFamilyName, album.familyName);
    compare(faults, "neighborhood name", book->strNeighborhoodName, album.neighborhoodName);
    compare(faults, "lot name", book->strLotName, album.lotName);
    compare(faults, "title", book->strTitle, album.title);
    comparePages(faults, *book, album);
    return faults;
}
