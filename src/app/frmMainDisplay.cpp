// Page display: the current page's story in the text box and its snapshot over the picture area,
// the overlay captions, the side-button groups, committing an edit and the mode setter.

#include "controller/AppMode.h"
#include "document/FileNames.h"
#include "document/StoredText.h"
#include "document/TextUtil.h"
#include "frmMain.h"
#include "platform/QtText.h"

#include "platform/Controls.h"
#include "platform/PictureArea.h"
#include "platform/PlatformSeam.h"
#include "platform/StoryTextBox.h"

#include <QCoreApplication>
#include <QEvent>
#include <QLabel>

#include <algorithm>
#include <cmath>

namespace {

const QColor kBlack(0, 0, 0);
const QColor kWhite(255, 255, 255);
const QColor kYellow(255, 255, 0);
const QColor kRed(255, 0, 0);
const QColor kBlue(0, 0, 255);
const QColor kDarkBlue(0, 0, 64);
// Asks the window to decode the navigation buttons' pages ahead.
const QEvent::Type kDecodeAheadEvent = static_cast<QEvent::Type>(QEvent::registerEventType());

void printAt(PictureArea& area, double points, const QColor& color, int x, int y, std::string_view text) {
    area.setFontSize(points);
    area.setForeColor(color);
    area.setPosition(x, y);
    area.print(text);
}

void showButton(PictureButton* button, bool shown) {
    button->setVisible(shown);
    button->setEnabled(shown);
}

// The navigation buttons' pages, decoded ahead at the painted size while the user reads this one.
// The worker gets plain paths: names that could leave the album's folder are never handed to it.
void decodeTargetsAhead(const AppState& state, SnapshotCache& snapshots, const QSize& size) {
    const Storybook& book = state.storybook();
    if (state.varStorybookFolder.empty())
        return;
    std::vector<std::string> paths;
    for (const int page : state.controller().navigationTargets()) {
        const std::string_view name = trimBlanks(book.content(page, album::Snapshot));
        if (name.empty() || !isPlainFileName(name))
            continue;
        std::string path = state.varStorybookFolder + std::string(name);
        if (std::find(paths.begin(), paths.end(), path) == paths.end())
            paths.push_back(std::move(path));
    }
    snapshots.decodeAhead(std::move(paths), size);
}

} // namespace

std::string frmMain::currentStoryText() const {
    const std::string_view content =
        m_state.storybook().content(m_state.controller().currentPage(), album::Text);
    return unwrapCdata(content);
}

void frmMain::DisplayCurrentPage() {
    const Storybook& book = m_state.storybook();
    if (book.varPageCount <= 0) {
        showNoPage();
        return;
    }
    showStory(StoryShown::PageStory);
    showPageAfresh();
    m_targetsStale = true;
}

void frmMain::showStory(StoryShown shown) {
    m_storyShown = shown;
    m_storyStale = true;
    m_storyCaret = 1;
}

void frmMain::caretToStart() {
    if (m_storyStale)
        m_storyCaret = 0;
    else
        rtbViewer->setSelectionStart(0);
}

// The story box as the state has it: the text it is to show, once, and then its look, open for
// typing in edit mode (dark on white, the scroll bar always there) and otherwise locked (light on
// dark blue, the scroll bar only for a story of eight display lines or more).
void frmMain::refreshStory() {
    const bool open = m_state.controller().mode() == AppMode::EditStorybook;
    const bool loaded = m_storyStale;
    if (m_storyStale) {
        m_storyStale = false;
        switch (m_storyShown) {
        case StoryShown::Nothing:
            rtbViewer->setText("");
            break;
        case StoryShown::PageStory: {
            // A page with the story already shown (the same words, or none, as pages often have)
            // keeps its layout: laying the box out again costs a page turn more than its picture.
            const std::string story = currentStoryText();
            if (!rtbViewer->showsGiven(story))
                rtbViewer->setText(story);
            // Behind the first character, so a long story shows from its beginning; at the start
            // for typing.
            rtbViewer->setSelectionStart(m_storyCaret);
            break;
        }
        case StoryShown::FileLines:
            rtbViewer->setText("");
            rtbViewer->insertAtCaret(m_fileLines);
            break;
        }
    }
    rtbViewer->setColors(open ? kBlack : kWhite, open ? kWhite : kDarkBlue);
    // Set only on a change: each setting sends the box events, and the refresh follows every key.
    if (rtbViewer->locked() != !open)
        rtbViewer->setLocked(!open);
    if (open)
        rtbViewer->setVerticalScrollBarShown(true);
    else if (loaded && m_storyShown == StoryShown::PageStory)
        rtbViewer->setVerticalScrollBarShown(rtbViewer->displayLineCount() >= 8);
}

void frmMain::showNoPage() {
    pbxShow->clearPicture();
    m_pageStale = false;
    m_targetsStale = false;
}

void frmMain::refreshPage() {
    if (m_pageStale) {
        m_pageStale = false;
        drawPage();
    }
    decodeStaleTargetsAfterFrame();
}

void frmMain::decodeStaleTargetsAfterFrame() {
    if (!m_targetsStale || m_decodingAheadHeld || m_decodeAfterFramePosted)
        return;
    // Below the priority of the window's own update request, so it comes after the paint and flush.
    m_decodeAfterFramePosted = true;
    QCoreApplication::postEvent(this, new QEvent(kDecodeAheadEvent), Qt::LowEventPriority - 1);
}

bool frmMain::event(QEvent* event) {
    if (event->type() != kDecodeAheadEvent)
        return FramelessWindow::event(event);
    m_decodeAfterFramePosted = false;
    decodeStaleTargets();
    return true;
}

void frmMain::releaseDecodingAhead() {
    m_decodingAheadHeld = false;
    decodeStaleTargets();
}

void frmMain::decodeStaleTargets() {
    if (m_targetsStale && !m_decodingAheadHeld) {
        m_targetsStale = false;
        decodeTargetsAhead(m_state, m_snapshots, pbxShow->size());
    }
}

void frmMain::ShowPageImage() {
    const std::string_view snapshot =
        m_state.storybook().content(m_state.controller().currentPage(), album::Snapshot);
    const std::string_view name = trimBlanks(snapshot);
    pbxShow->setPersistentDrawing(true);
    QImage picture;
    // A name from the album that is no plain file name in its folder is shown as a missing file.
    if (isPlainFileName(name)) {
        const std::string path = m_state.varStorybookFolder + std::string(name);
        picture = m_snapshots.picture(path, pbxShow->size());
    }
    if (!picture.isNull()) {
        pbxShow->paintPictureOverArea(picture);
        pbxShow->setPersistentDrawing(m_state.blnFullScreen);
        return;
    }
    pbxShow->clearPicture();
    pbxShow->setPersistentDrawing(true);
    printAt(*pbxShow, 48, kBlue, 2650, 1300, "X");
    printAt(*pbxShow, 18, kRed, 190, 2650, "\r\n error: missing image file");
    printAt(*pbxShow, 18, kWhite, 170, 2635, "\r\n error: missing image file");
    printAt(*pbxShow, 12, kBlack, 120, 4165, snapshot);
    printAt(*pbxShow, 12, kWhite, 100, 4150, snapshot);
    pbxShow->setPersistentDrawing(false);
}

// The overlay captions in turn: page number, then the file name, then the snapshot name, then none.
void frmMain::stepOverlayCaptions() {
    if (!m_state.blnShowPageNumber) {
        m_state.blnShowPageNumber = true;
    } else if (!m_state.blnShowFileName) {
        m_state.blnShowFileName = true;
    } else if (m_state.blnShowSnapshotName) {
        m_state.blnShowPageNumber = false;
        m_state.blnShowFileName = false;
        m_state.blnShowSnapshotName = false;
    } else {
        m_state.blnShowSnapshotName = true;
    }
}

// The page is drawn afresh by the next refresh. The pinned page buttons stay; the others go.
void frmMain::showPageAfresh() {
    if (!blnSticky || m_sidePanel != SidePanel::PageButtons)
        m_sidePanel = SidePanel::None;
    m_pageStale = true;
}

// The page's picture with the overlays the flags ask for and the "Modified" mark.
void frmMain::drawPage() {
    ShowPageImage();
    pbxShow->setPersistentDrawing(true);
    // Banker's rounding, as the column is computed in full-screen mode.
    const int x =
        m_state.blnFullScreen ? static_cast<int>(std::nearbyint(pbxShow->widthTwips() * 0.9)) : 5250;
    if (m_state.blnShowPageNumber) {
        const auto number = static_cast<std::int16_t>(m_state.controller().currentPage() + 1);
        pbxShow->setFontSize(16);
        pbxShow->setForeColor(kBlack);
        pbxShow->setPosition(x + 10, 15);
        pbxShow->printNumber(number);
        pbxShow->setForeColor(kYellow);
        pbxShow->setPosition(x, 1);
        pbxShow->printNumber(number);
        if (!m_state.controller().saved()) {
            printAt(*pbxShow, 12, kBlack, 4820, 315, "Modified");
            printAt(*pbxShow, 12, kRed, 4800, 300, "Modified");
        }
    }
    if (m_state.blnShowFileName) {
        printAt(*pbxShow, 12, kBlack, 120, 15, m_state.varStorybookFile);
        printAt(*pbxShow, 12, kWhite, 100, 1, m_state.varStorybookFile);
    }
    if (m_state.blnShowSnapshotName) {
        const std::string snapshot(
            m_state.storybook().content(m_state.controller().currentPage(), album::Snapshot));
        const int h = static_cast<int>(pbxShow->heightTwips() * 0.92);
        printAt(*pbxShow, 12, kBlack, 120, h, snapshot);
        printAt(*pbxShow, 12, kWhite, 100, h - 15, snapshot);
    }
    pbxShow->setPersistentDrawing(false);
}

void frmMain::showSidePanel(SidePanel panel) {
    m_sidePanel = panel;
}

void frmMain::refreshSideButtons() {
    const bool pageButtons = m_sidePanel == SidePanel::PageButtons;
    const bool toolButtons = m_sidePanel == SidePanel::ToolButtons;
    showButton(sbtnDelete, pageButtons);
    showButton(sbtnMovePg, pageButtons);
    showButton(sbtnStuck, pageButtons && blnSticky);
    showButton(sbtnSticky, pageButtons && !blnSticky);
    showButton(sbtnTools1, toolButtons);
    showButton(sbtnTools5, toolButtons);
    for (PictureButton* button : {sbtnTools2, sbtnTools3, sbtnTools4})
        showButton(button, false);
}

void frmMain::CommitTextEdit() {
    if (m_state.controller().mode() != AppMode::EditStorybook)
        return;
    blnSticky = false;
    storeStoryText();
    returnToViewing();
    showPageAfresh();
}

// Back to viewing, the text box locked and the page shown afresh.
void frmMain::returnToViewing() {
    setMode(AppMode::ViewStorybook);
    DisplayCurrentPage();
}

void frmMain::setMode(AppMode mode) {
    m_state.controller().setMode(mode);
}

void frmMain::rtbViewer_MouseUp() {
    m_state.seam().setClipboardText(rtbViewer->selectedText());
    pbxShow->setFocus();
}
