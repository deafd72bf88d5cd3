#include "ExportAlbums.h"

std::unique_ptr<Storybook> makeAlbum(const AlbumNames& names, const std::vector<TestPage>& pages) {
    auto album = makeStorybook();
    album->strTitle = names.title;
    album->strFamilyName = names.family;
    album->strNeighborhoodName = names.neighborhood;
    album->strLotName = names.lot;
    for (std::size_t i = 0; i < pages.size(); ++i) {
        auto& entry = album->varEntryArray[i];
        std::string thumbnail = pages[i].snapshot;
        if (thumbnail.starts_with("snapshot_"))
            thumbnail.replace(0, 9, "thumbnail_");
        entry[album::Title][album::Content] = "<![CDATA[]]>";
        entry[album::ThumbnailFilename][album::Content] = thumbnail;
        entry[album::Snapshot][album::Content] = pages[i].snapshot;
        entry[album::Text][album::Content] = "<![CDATA[" + pages[i].text + "]]>";
        entry[album::TextResourceId][album::Content] = "0x00000001";
        entry[album::TimeStamp][album::Content] = "1/2/2005 10:11:12";
    }
    album->varPageCount = static_cast<int>(pages.size());
    return album;
}

std::unique_ptr<Storybook> makeTwoPageAlbum() {
    return makeAlbum({"Summer & <i>Sun</i>", "Goth", "Pleasantview", "Goth Manor"},
                     {{"snapshot_5e4a7f10_0001.jpg", "Mortimer said \"hello\"\r\nto <b>Cassandra</b>'s cat"},
                      {"snapshot_5e4a7f10_0002.jpg", "The end."}});
}
