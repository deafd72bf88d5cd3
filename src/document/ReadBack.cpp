#include "ReadBack.h"

#include "SilentHost.h"
#include "StoredText.h"
#include "StorybookParser.h"
#include "StorybookReader.h"

namespace {

using album::kCdataClose;
using album::kCdataOpen;
using album::kLineBreakMark;

// A cell as it reads back once written: each "{vbcrlf}" comes back as the CR LF it is written as.
bool sameOnceWritten(std::string_view inMemory, std::string_view readBack) {
    // A mark never reads back as itself, so equal texts need no further look.
    if (inMemory == readBack)
        return true;
    if (inMemory.find(kLineBreakMark) == std::string_view::npos)
        return false;
    std::string expected;
    appendExpandingLineBreaks(expected, inMemory, "\r\n");
    return expected == readBack;
}

template <std::size_t N> bool sameRecord(const std::array<Cell, N>& a, const std::array<Cell, N>& b) {
    for (std::size_t slot = 0; slot < N; ++slot) {
        if (a[slot].isSet() != b[slot].isSet() || a[slot].text() != b[slot].text())
            return false;
    }
    return true;
}

// A "]]>" inside a CDATA content ends the section early and leaves the file no XML. A field as it
// was read is written back as it was; a changed one must not hold it unless a new section follows.
bool keepsCdataWhole(const std::array<Cell, album::kPartCount>& parts) {
    const std::string_view content = parts[album::Content];
    if (content.size() < kCdataOpen.size() + kCdataClose.size() || !content.starts_with(kCdataOpen) ||
        !content.ends_with(kCdataClose))
        return true;
    const std::string_view inside =
        content.substr(kCdataOpen.size(), content.size() - kCdataOpen.size() - kCdataClose.size());
    // The standard split ("]]]]><![CDATA[>") closes the section and opens the next at once.
    bool split = true;
    for (auto end = inside.find(kCdataClose); end != std::string_view::npos && split;
         end = inside.find(kCdataClose, end + 1))
        split = inside.substr(end + kCdataClose.size()).starts_with(kCdataOpen);
    if (split)
        return true;
    const std::string_view whole = parts[album::WholeLine];
    const std::string_view opening = parts[album::OpeningPart];
    const std::string_view closing = parts[album::ClosingPart];
    return whole.size() == opening.size() + content.size() + closing.size() && whole.starts_with(opening) &&
           whole.substr(opening.size(), content.size()) == content && whole.ends_with(closing);
}

bool samePages(const Storybook& album, const Storybook& back) {
    if (back.varPageCount != album.varPageCount)
        return false;
    for (int e = 0; e < album.varPageCount; ++e) {
        for (int f = 0; f < album::kFieldCount; ++f) {
            const auto& mine = album.varEntryArray[e][f];
            const auto& theirs = back.varEntryArray[e][f];
            for (int part : {album::OpeningPart, album::Content, album::ClosingPart}) {
                if (!sameOnceWritten(mine[part], theirs[part]))
                    return false;
            }
            if ((f == album::Title || f == album::Text) && !keepsCdataWhole(mine))
                return false;
        }
    }
    return true;
}

} // namespace

bool readsBackAs(const Storybook& album, std::string_view bytes) {
    // One scratch model, reused: the model's fixed tables are too large to build on every save.
    static thread_local std::unique_ptr<Storybook> scratch = makeStorybook();
    static thread_local LineScan scan;
    Storybook& back = *scratch;
    SilentHost host;
    CheckAndReadStorybookText(back, bytes, scan);
    if (!scan.checked || !scan.read)
        return false;
    ParseAlbumGlobals(back);
    if (ParseStorybookRecords(back, host, scan) != ParseOutcome::Complete || host.endRequested)
        return false;
    return sameRecord(album.strXClientEnv, back.strXClientEnv) &&
           sameRecord(album.strXMetaHead, back.strXMetaHead) &&
           sameRecord(album.strXFooter, back.strXFooter) && samePages(album, back) &&
           album.strFamilyName == back.strFamilyName &&
           album.strNeighborhoodName == back.strNeighborhoodName && album.strLotName == back.strLotName &&
           album.strTitle == back.strTitle;
}
