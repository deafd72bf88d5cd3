// The page editing commands: editing the story text, moving a page, deleting one, reversing the
// page order and stepping the overlay captions. Typed text is stored before any of them changes
// the pages, so an edit is never lost to a question or a move.

#include "controller/AppMode.h"
#include "frmMain.h"

#include "document/FileNames.h"
#include "document/PageOperations.h"
#include "document/StoredText.h"
#include "document/TextUtil.h"
#include "document/XmlText.h"
#include "platform/Controls.h"
#include "platform/ImageDecoder.h"
#include "platform/PictureArea.h"
#include "platform/StoryTextBox.h"

// The box hands back an untouched story as the bytes it was shown from, so leaving edit mode without
// typing changes nothing. A typed text is kept in a form that reads back equal; characters an album
// cannot hold are replaced, and the user is told what was found.
void frmMain::storeStoryText() {
    // A story still to be shown was not typed into.
    if (m_storyStale)
        return;
    std::string typed = rtbViewer->text();
    if (typed == currentStoryText())
        return;
    if (const std::string found = makeStorableXmlText(typed); !found.empty())
        messageBox("The story text held " + found +
                       ", which an album cannot hold. It was replaced by the character \xEF\xBF\xBD.",
                   MessageButtons::Ok, MessageIcon::None, "");
    m_state.storybook().varEntryArray[m_state.controller().currentPage()][album::Text][album::Content] =
        wrapInCdata(typed);
}

// While editing, a click on the picture ends the edit instead.
void frmMain::CycleOverlayCaptions() {
    if (m_state.controller().mode() == AppMode::EditStorybook) {
        CommitTextEdit();
        return;
    }
    stepOverlayCaptions();
    showPageAfresh();
}

void frmMain::ToggleEditMode() {
    // Without a page there is no text to edit, and edit mode could not be left again.
    if (!m_state.controller().hasPages())
        return;
    if (m_state.controller().mode() != AppMode::EditStorybook) {
        setMode(AppMode::EditStorybook);
        m_state.controller().setSaved(false);
        rtbViewer->setFocus();
        // The caret goes to the start of the text, as it does on a page turn with the pin.
        caretToStart();
        showSidePanel(SidePanel::PageButtons);
    } else {
        storeStoryText();
        blnSticky = false;
        returnToViewing();
        showPageAfresh();
        pbxShow->setFocus();
    }
}

// Editing the text alone, without the page buttons.
void frmMain::EditStoryText() {
    ToggleEditMode();
    showSidePanel(SidePanel::None);
}

// A move asked for while viewing passes through edit mode, as the page buttons do; asked for while
// editing it ends the edit, and while a page is moved it drops the page.
void frmMain::MovePage() {
    runBody(Command::ToggleEditMode);
    if (!runBody(Command::DropRelocatedPage))
        runBody(Command::BeginRelocatePage);
}

void frmMain::BeginRelocatePage() {
    // The page moves with what was typed on it.
    if (m_state.controller().mode() == AppMode::EditStorybook)
        storeStoryText();
    pbxThumbnail->show();
    pbxThumbnail->setEnabled(true);
    m_state.controller().setSaved(false);
    blnSticky = false;
    showMovedThumbnail();
    CopyPageToBuffer();
    deleteShownPage();
    pbxShow->setFocus();
    setMode(AppMode::RelocatePage);
}

// A thumbnail that cannot be read leaves the box in its own colour; the move goes on.
void frmMain::showMovedThumbnail() {
    const std::string name(trimBlanks(
        m_state.storybook().content(m_state.controller().currentPage(), album::ThumbnailFilename)));
    QImage thumbnail;
    if (isPlainFileName(name)) {
        thumbnail = decodePicture(m_state.varStorybookFolder + name, pbxThumbnail->size());
    }
    if (thumbnail.isNull())
        pbxThumbnail->clearPicture();
    else
        pbxThumbnail->setPicture(thumbnail);
}

void frmMain::CopyPageToBuffer() {
    Storybook& book = m_state.storybook();
    book.varPageBuffer = book.varEntryArray[m_state.controller().currentPage()];
}

// Only while a page is moved (its guard): the buffer is never cleared, so a drop outside a move
// would copy an old page in again.
void frmMain::DropRelocatedPage() {
    pbxThumbnail->hide();
    pbxThumbnail->setEnabled(false);
    pbxShow->setFocus();
    Storybook& book = m_state.storybook();
    // The slot always opens: the page came out of this same table.
    if (OpenPageSlot(book, m_state.controller().currentPage()))
        book.varEntryArray[m_state.controller().currentPage()] = book.varPageBuffer;
    returnToViewing();
    showPageAfresh();
    pbxShow->setFocus();
}

void frmMain::ConfirmDeletePage() {
    const bool editing = m_state.controller().mode() == AppMode::EditStorybook;
    if (editing)
        storeStoryText();
    const MessageAnswer answer =
        messageBox("Do you want to delete this photograph and text?", MessageButtons::YesNoCancel,
                   MessageIcon::None, "Delete Storybook Page");
    if (answer == MessageAnswer::Yes) {
        // A delete that removes a page ends the edit; the last page stays and so does the edit.
        if (editing && m_state.storybook().varPageCount > 1)
            CommitTextEdit();
        deleteShownPage();
    } else if (answer == MessageAnswer::Cancel) {
        if (editing)
            CommitTextEdit();
        else
            setMode(AppMode::ViewStorybook);
    }
}

void frmMain::ConfirmReversePages() {
    const bool editing = m_state.controller().mode() == AppMode::EditStorybook;
    if (editing)
        storeStoryText();
    setMode(AppMode::ReverseStorybook);
    const MessageAnswer answer =
        messageBox("This function will reverse the order of your storybook \r\n"
                   "pages. The first page will become the last and the last page \r\n"
                   "will become the first.  Do you wish to proceed?",
                   MessageButtons::OkCancel, MessageIcon::None, "Reverse Order of Album Pages");
    if (answer == MessageAnswer::Ok) {
        if (m_sidePanel == SidePanel::ToolButtons)
            showSidePanel(SidePanel::None);
        ReversePageOrder(m_state.storybook());
        m_state.controller().setSaved(false);
    }
    // The question ends an edit: the text box is locked again with the page shown afresh.
    if (editing)
        blnSticky = false;
    if (answer == MessageAnswer::Ok || editing)
        returnToViewing();
    else
        setMode(AppMode::ViewStorybook);
}

void frmMain::tellInsertRefused(std::size_t lineBytes) {
    messageBox("The text was not inserted: it would make a line of the story " + std::to_string(lineBytes) +
                   " bytes long, and the story box takes lines of at most " +
                   std::to_string(StoryTextBox::kLongestShownLine) +
                   " bytes. The story is unchanged; the text stays where it was copied or dragged from.",
               MessageButtons::Ok, MessageIcon::None, "");
}
