// Page navigation: the six navigation buttons, their guards and the clamping page movers.

#include "document/ApplicationModes.h"
#include "frmMain.h"

#include "platform/Controls.h"
#include "platform/PictureArea.h"
#include "platform/StoryTextBox.h"

void frmMain::cmdNav_Click(int Index) {
    m_state.intTextHadFocus = 0;
    const Storybook& book = m_state.storybook();
    const std::string& mode = m_state.strApplicationMode;
    bool move = false;
    if (book.varPageCount > 0 && rtbViewer->locked() &&
        (mode == modes::kViewStorybook || mode == modes::kStorybookSaved)) {
        showMode(modes::kViewStorybook);
        move = true;
    } else if (book.varPageCount > 0 && mode == modes::kEditStorybook) {
        // The page being left keeps its edit; with the pin set the next page opens for typing too.
        storeStoryText();
        if (!m_state.blnSticky)
            SetApplicationMode(modes::kViewStorybook);
        move = true;
    } else if (mode == modes::kRelocatePage) {
        move = true;
    }

    if (move) {
        switch (Index) {
        case 0:
            PageBack(1);
            break;
        case 1:
            PageBack(10);
            break;
        case 2:
            // As far as the table reaches: a shorter jump would stop short of the ends of a full album.
            PageBack(album::kEntrySlots);
            break;
        case 3:
            PageForward(1);
            break;
        case 4:
            PageForward(10);
            break;
        case 5:
            PageForward(album::kEntrySlots);
            break;
        default:
            break;
        }
        DisplayCurrentPage();
    }

    if (m_state.blnSticky) {
        rtbViewer->setFocus();
        rtbViewer->setSelectionStart(0);
    } else {
        pbxShow->setFocus();
    }
}

void frmMain::PageBack(int pages) {
    const int page = m_state.intCurrentPage - pages;
    m_state.intCurrentPage = static_cast<std::int16_t>(page < 0 ? 0 : page);
}

void frmMain::PageForward(int pages) {
    const int count = m_state.storybook().varPageCount;
    const int page = m_state.intCurrentPage + pages;
    m_state.intCurrentPage = static_cast<std::int16_t>(page >= count ? count - 1 : page);
}
