#include "AlbumCheck.h"

#include "document/StorybookParser.h"
#include "document/StorybookReader.h"

namespace {

// Stands in for the main window while parsing: any message or request to end is a fault.
class RecordingHost : public StorybookHost {
public:
    QStringList messages;

    MessageAnswer messageBox(std::string_view text, MessageButtons, MessageIcon, std::string_view) override {
        messages << "message: " + QString::fromStdString(std::string(text));
        return MessageAnswer::Ok;
    }
    void endApplication() override { messages << "asked to end the application"; }
    void showSavingPicture() override {}
    void hideSavingPicture() override {}
    void setApplicationMode(std::string_view) override {}
    void refreshDisplay(std::string_view) override {}
    void focusPicture() override {}
    std::string clearStoryText() override { return {}; }
    std::string timeStampNow() override { return {}; }
    std::int16_t currentPage() const override { return 0; }
    void setCurrentPage(std::int16_t) override {}
    bool storybookSaved() const override { return true; }
    void setStorybookSaved(bool) override {}
    std::string selectedSnapshot() const override { return {}; }
};

std::string bytes(const QString& text) {
    return text.toUtf8().toStdString();
}

void compare(QStringList& faults, const QString& what, const std::string& found, const QString& expected) {
    if (found != bytes(expected))
        faults << QString("%1: found \"%2\", expected \"%3\"")
                      .arg(what, QString::fromStdString(found), expected);
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
    RecordingHost host;
    ParseAlbumGlobals(*book);
    if (ParseStorybookRecords(*book, host) != ParseOutcome::Complete)
        faults << "the parse did not complete";
    faults << host.messages;
    if (book->varPageCount != static_cast<int>(album.pages.size()))
        faults << QString("%1 pages parsed, %2 written").arg(book->varPageCount).arg(album.pages.size());
    compare(faults, "family name", book->strFamilyName, album.familyName);
    compare(faults, "neighborhood name", book->strNeighborhoodName, album.neighborhoodName);
    compare(faults, "lot name", book->strLotName, album.lotName);
    compare(faults, "title", book->strTitle, album.title);
    comparePages(faults, *book, album);
    return faults;
}
