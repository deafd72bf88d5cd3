// The Snapshot command: the large-folder warning, the snapshot browser, and its answer applied to
// the album through the page operations.

#include "controller/AppMode.h"
#include "document/FileNames.h"
#include "document/FileSystem.h"
#include "document/PageOperations.h"
#include "frmMain.h"
#include "snapshots/frmLoadSnapshot.h"

#include "platform/PlatformSeam.h"
#include "platform/StoryTextBox.h"

#include <utility>

namespace {

constexpr int kLargeFolderFiles = 500;

constexpr const char* kCacheWarning = "Note: Snapshot list will be cached on first use.\r\n"
                                      "\r\n"
                                      "If you have many snapshots there will be \r\n"
                                      "a delay while they are being loaded and \r\n"
                                      "cached for the first time.  Do you wish to\r\n"
                                      "proceed?\r\n"
                                      "\r\n"
                                      "(load image cache warning is active)";
constexpr const char* kAlbumFull =
    "This storybook is full: an album holds at most 1025 pages.\r\n\r\nThe snapshot was not added.";
constexpr const char* kNoPageToReplace = "This storybook has no page whose snapshot could be replaced.";

// The mode the browser's choice puts the window in.
AppMode modeOf(SnapshotChoice choice) {
    switch (choice) {
    case SnapshotChoice::Replace:
        return AppMode::ReplaceSnapshot;
    case SnapshotChoice::Insert:
        return AppMode::InsertSnapshot;
    case SnapshotChoice::InsertBeginning:
        return AppMode::InsertBeginning;
    case SnapshotChoice::InsertEnd:
        return AppMode::InsertEnd;
    case SnapshotChoice::Browsing:
        break;
    }
    return AppMode::LoadSnapshot;
}

} // namespace

void frmMain::ShowSnapshotBrowser() {
    CommitTextEdit();
    setMode(AppMode::LoadSnapshot);

    // The count decides the warning only; once the warning is off, a look at the folder itself tells
    // that it is still there, without listing a folder of 100,000 files at every opening.
    const std::optional<int> files =
        m_state.settings.blnLoadImageCacheWarning ? countFolderFiles(m_state.varStorybookFolder)
        : files::lookUp(m_state.varStorybookFolder, files::Links::Follow).kind == files::Kind::Folder
            ? std::optional<int>(0)
            : std::nullopt;
    if (!files) {
        // The folder went away while the album was open: nothing to browse, the album stays as it is.
        messageBox("The album's folder cannot be read, so its snapshots cannot be shown:\r\n\r\n" +
                       m_state.varStorybookFolder,
                   MessageButtons::Ok, MessageIcon::Critical, "");
        returnToViewing();
        return;
    }
    if (*files > kLargeFolderFiles && m_state.settings.blnLoadImageCacheWarning &&
        messageBox(kCacheWarning, MessageButtons::YesNo, MessageIcon::None, "Load Image Cache Warning.") !=
            MessageAnswer::Yes) {
        returnToViewing();
        return;
    }
    m_state.settings.blnLoadImageCacheWarning = false;

    AppMode result = AppMode::LoadSnapshot;
    {
        frmLoadSnapshot browser({m_state.seam(), m_state.storybook(), m_snapshotScan,
                                 m_state.strStorybookCachePath, m_state.varStorybookFolder,
                                 m_state.settings.blnLoadImageSortByDate},
                                this);
        refresh();
        m_state.seam().runModal(browser);
        result = modeOf(browser.choice());
        if (result != AppMode::LoadSnapshot)
            m_state.varSelectedSnapshot = browser.varSelectedSnapshot();
    }
    setMode(result);
    applySnapshotResult(result);
    returnToViewing();
}

void frmMain::applySnapshotResult(AppMode result) {
    Storybook& book = m_state.storybook();
    const std::string& chosen = m_state.varSelectedSnapshot;
    if (result == AppMode::ReplaceSnapshot) {
        const int page = m_state.controller().currentPage();
        if (page < 0 || page >= book.varPageCount) {
            messageBox(kNoPageToReplace, MessageButtons::Ok, MessageIcon::None, "");
            return;
        }
        EntryCells& entry = book.varEntryArray[page];
        entry[album::ThumbnailFilename][album::Content] = thumbnailNameFor(chosen);
        entry[album::Snapshot][album::Content] = chosen;
        m_state.controller().setSaved(false);
        DisplayCurrentPage();
        return;
    }
    const bool beginning = result == AppMode::InsertBeginning;
    const bool end = result == AppMode::InsertEnd;
    if (result != AppMode::InsertSnapshot && !beginning && !end)
        return;
    if (book.varPageCount >= album::kEntrySlots) {
        messageBox(kAlbumFull, MessageButtons::Ok, MessageIcon::None, "");
        return;
    }
    // Moved by the page count, so the first and the last page are reached from anywhere.
    if (beginning)
        m_state.controller().pageBack(book.varPageCount);
    const bool afterLast = end && book.varPageCount > 0;
    if (afterLast)
        m_state.controller().pageForward(book.varPageCount);
    rtbViewer->clear();
    if (!FillNewPage(book, m_state.controller().currentPage(),
                     NewPage{chosen, rtbViewer->text(), timeStampNow()}))
        return;
    if (afterLast) {
        // The new page went in before the last one; the two change places so it follows it, and it
        // keeps the tags of the neighbour it was copied from.
        const int page = m_state.controller().currentPage();
        std::swap(book.varEntryArray[page], book.varEntryArray[page + 1]);
        m_state.controller().setCurrentPage(static_cast<std::int16_t>(page + 1));
    }
    m_state.controller().setSaved(false);
    DisplayCurrentPage();
}
