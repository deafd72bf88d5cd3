#include "PageOperations.h"
#include "ApplicationModes.h"

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

bool OpenPageSlot(Storybook& album, StorybookHost& host) {
    const int current = host.currentPage();
    if (album.varPageCount >= album::kEntrySlots || current < 0 || current > album.varPageCount)
        return false;
    for (int k = album.varPageCount; k >= current + 1; --k)
        album.varEntryArray[k] = album.varEntryArray[k - 1];
    ++album.varPageCount;
    album.entriesInUse = std::max(album.entriesInUse, album.varPageCount);
    return true;
}

bool FillNewPage(Storybook& album, StorybookHost& host) {
    const std::string timeStamp = host.timeStampNow();
    if (!OpenPageSlot(album, host))
        return false;

    const std::string snapshot = host.selectedSnapshot();
    const std::string thumbnail = thumbnailNameFor(snapshot);

    EntryCells& entry = album.varEntryArray[host.currentPage()];
    fillMissingTags(entry);
    entry[album::Title][album::Content] = wrapInCdata("");
    entry[album::ThumbnailFilename][album::Content] = thumbnail;
    entry[album::Snapshot][album::Content] = snapshot;
    std::string story = host.clearStoryText();
    makeStorableXmlText(story);
    entry[album::Text][album::Content] = wrapInCdata(story);
    entry[album::TextResourceId][album::Content] = "0x00000001";
    entry[album::TimeStamp][album::Content] = timeStamp;
    return true;
}

void DeleteCurrentPage(Storybook& album, StorybookHost& host) {
    if (album.varPageCount <= 1)
        return;
    const int current = std::max<int>(host.currentPage(), 0);
    for (int k = current + 1; k <= album.varPageCount - 1; ++k)
        album.varEntryArray[k - 1] = album.varEntryArray[k];
    --album.varPageCount;
    host.setStorybookSaved(false);
    if (host.currentPage() >= album.varPageCount)
        host.setCurrentPage(static_cast<std::int16_t>(album.varPageCount - 1));
    host.setApplicationMode(modes::kViewStorybook);
    host.refreshDisplay("display");
    host.focusPicture();
}

void ReversePageOrder(Storybook& album) {
    std::reverse(album.varEntryArray.begin(), album.varEntryArray.begin() + album.varPageCount);
}
