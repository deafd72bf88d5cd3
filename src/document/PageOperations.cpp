#include "PageOperations.h"

#include "FileNames.h"
#include "StoredText.h"
#include "TextUtil.h"
#include "XmlText.h"

#include <algorithm>

namespace {

// A slot with no page copied into it (an album without pages) gets the indentation and tags of the
// album layout, so the new page is written like any other.
void fillMissingTags(EntryCells& entry) {
    for (int f = 0; f < album::kFieldCount; ++f) {
        auto& parts = entry[f];
        if (parts[album::OpeningPart].isSet() && parts[album::ClosingPart].isSet())
            continue;
        parts[album::OpeningPart] =
            std::string(album::kIndentWidth, ' ') + std::string(album::kOpeningTags[f]);
        parts[album::ClosingPart] = album::kClosingTags[f];
    }
}

} // namespace

bool OpenPageSlot(Storybook& album, int page) {
    if (album.varPageCount >= album::kEntrySlots || page < 0 || page > album.varPageCount)
        return false;
    for (int k = album.varPageCount; k >= page + 1; --k)
        album.varEntryArray[k] = album.varEntryArray[k - 1];
    ++album.varPageCount;
    album.entriesInUse = std::max(album.entriesInUse, album.varPageCount);
    return true;
}

bool FillNewPage(Storybook& album, int page, const NewPage& newPage) {
    if (!OpenPageSlot(album, page))
        return false;

    EntryCells& entry = album.varEntryArray[page];
    fillMissingTags(entry);
    entry[album::Title][album::Content] = wrapInCdata("");
    entry[album::ThumbnailFilename][album::Content] = thumbnailNameFor(newPage.snapshot);
    entry[album::Snapshot][album::Content] = newPage.snapshot;
    std::string story = newPage.story;
    makeStorableXmlText(story);
    entry[album::Text][album::Content] = wrapInCdata(story);
    entry[album::TextResourceId][album::Content] = "0x00000001";
    entry[album::TimeStamp][album::Content] = newPage.timeStamp;
    return true;
}

DeleteResult DeleteCurrentPage(Storybook& album, int currentPage) {
    if (album.varPageCount <= 1)
        return {false, static_cast<std::int16_t>(currentPage)};
    const int current = std::max(currentPage, 0);
    for (int k = current + 1; k <= album.varPageCount - 1; ++k)
        album.varEntryArray[k - 1] = album.varEntryArray[k];
    --album.varPageCount;
    return {true, static_cast<std::int16_t>(std::min(currentPage, album.varPageCount - 1))};
}

void ReversePageOrder(Storybook& album) {
    std::reverse(album.varEntryArray.begin(), album.varEntryArray.begin() + album.varPageCount);
}
