// Page display: the current page's story in the text box and its snapshot over the picture area,
// the overlay captions, the side-button groups, committing an edit and the mode setter.

#include "document/ApplicationModes.h"
#include "document/FileNames.h"
#include "document/StoredText.h"
#include "document/TextUtil.h"
#include "frmMain.h"
#include "platform/QtText.h"

#include "platform/Controls.h"
#include "platform/PictureArea.h"
#include "platform/PlatformSeam.h"
#include "platform/StoryTextBox.h"

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

// The pages the six navigation buttons go to from this one, and the two after the next one (so a
// held key for the next page finds its pages decoded even when one decode outlasts a key repeat),
// nearest first (forward before back at the same distance), each once and without the page shown.
std::vector<int> navigationTargets(int current, int count) {
    const auto clamped = [count](int page) { return std::clamp(page, 0, count - 1); };
    std::vector<int> targets;
    for (const int page :
         {clamped(current + 1), clamped(current - 1), clamped(current + 2), clamped(current + 3),
          clamped(current + 10), clamped(current - 10), count - 1, 0}) {
        if (page != current && std::find(targets.begin(), targets.end(), page) == targets.end())
            targets.push_back(page);
    }
    std::stable_sort(targets.begin(), targets.end(),
                     [current](int a, int b) { return std::abs(a - current) < std::abs(b - current); });
    return targets;
}

// The navigation buttons' pages, decoded ahead at the painted size while the user reads this one.
// The worker gets plain paths: names that could leave the album's folder are never handed to it.
void decodeTargetsAhead(const AppState& state, SnapshotCache& snapshots, const QSize& size) {
    const Storybook& book = state.storybook();
    if (state.varStorybookFolder.empty())
        return;
    std::vector<QString> paths;
    for (const int page : navigationTargets(state.intCurrentPage, book.varPageCount)) {
        const std::string_view name = trimBlanks(book.content(page, album::Snapshot));
        if (name.empty() || !isPlainFileName(name))
            continue;
        QString path = qText(state.varStorybookFolder + std::string(name));
        if (std::find(paths.begin(), paths.end(), path) == paths.end())
            paths.push_back(std::move(path));
    }
    snapshots.decodeAhead(std::move(paths), size);
}

} // namespace

std::string frmMain::currentStoryText() const {
    const std::string_view content = m_state.storybook().content(m_state.intCurrentPage, album::Text);
    return unwrapCdata(content);
}

void frmMain::DisplayCurrentPage() {
    const Storybook& book = m_state.storybook();
    if (book.varPageCount <= 0) {
        pbxShow->clearPicture();
        return;
    }
    rtbViewer->clear();
    rtbViewer->insertAtCaret(currentStoryText());
    // Caret behind the first character, so a long story shows from its beginning.
    rtbViewer->setSelectionStart(1);
    if (!m_state.blnSticky) {
        rtbViewer->setColors(kWhite, kDarkBlue);
        rtbViewer->setLocked(true);
        rtbViewer->setVerticalScrollBarShown(rtbViewer->displayLineCount() >= 8);
    }
    const std::string_view snapshot = book.content(m_state.intCurrentPage, album::Snapshot);
    if (!trimBlanks(snapshot).empty() && !m_state.varStorybookFolder.empty())
        ShowPageImage();
    RefreshDisplay("display");
    decodeTargetsAhead(m_state, m_snapshots, pbxShow->size());
}

void frmMain::ShowPageImage() {
    const std::string_view snapshot = m_state.storybook().content(m_state.intCurrentPage, album::Snapshot);
    const std::string_view name = trimBlanks(snapshot);
    pbxShow->setPersistentDrawing(true);
    QImage picture;
    // A name from the album that is no plain file name in its folder is shown as a missing file.
    if (isPlainFileName(name)) {
        const std::string path = m_state.varStorybookFolder + std::string(name);
        picture = m_snapshots.picture(qText(path), pbxShow->size());
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

void frmMain::RefreshDisplay(std::string_view strAction) {
    if (strAction == "toggle") {
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
        return;
    }
    if (strAction != "display")
        return;

    ShowPageImage();
    if (!m_state.blnSticky)
        ShowPageButtons("hide");
    ShowToolButtons("hide");
    pbxShow->setPersistentDrawing(true);
    // Banker's rounding, as the column is computed in full-screen mode.
    const int x =
        m_state.blnFullScreen ? static_cast<int>(std::nearbyint(pbxShow->widthTwips() * 0.9)) : 5250;
    if (m_state.blnShowPageNumber) {
        const auto number = static_cast<std::int16_t>(m_state.intCurrentPage + 1);
        pbxShow->setFontSize(16);
        pbxShow->setForeColor(kBlack);
        pbxShow->setPosition(x + 10, 15);
        pbxShow->printNumber(number);
        pbxShow->setForeColor(kYellow);
        pbxShow->setPosition(x, 1);
        pbxShow->printNumber(number);
        if (!m_state.blnStorybookSaved)
            printAt(*pbxShow, 12, kRed, 4800, 300, "Modified");
    }
    if (m_state.blnShowFileName) {
        printAt(*pbxShow, 12, kBlack, 120, 15, m_state.varStorybookFile);
        printAt(*pbxShow, 12, kWhite, 100, 1, m_state.varStorybookFile);
    }
    if (m_state.blnShowSnapshotName) {
        const std::string snapshot(m_state.storybook().content(m_state.intCurrentPage, album::Snapshot));
        const int h = static_cast<int>(pbxShow->heightTwips() * 0.92);
        printAt(*pbxShow, 12, kBlack, 120, h, snapshot);
        printAt(*pbxShow, 12, kWhite, 100, h - 15, snapshot);
    }
    pbxShow->setPersistentDrawing(false);
}

void frmMain::ShowPageButtons(std::string_view strAction) {
    if (strAction == "display") {
        showButton(sbtnDelete, true);
        showButton(sbtnMovePg, true);
        showButton(sbtnStuck, m_state.blnSticky);
        showButton(sbtnSticky, !m_state.blnSticky);
        return;
    }
    for (PictureButton* button : {sbtnDelete, sbtnMovePg, sbtnSticky, sbtnStuck})
        showButton(button, false);
}

void frmMain::ShowToolButtons(std::string_view strAction) {
    if (strAction == "display") {
        showButton(sbtnTools1, true);
        showButton(sbtnTools5, true);
        return;
    }
    for (PictureButton* button : {sbtnTools1, sbtnTools2, sbtnTools3, sbtnTools4, sbtnTools5})
        showButton(button, false);
}

void frmMain::CommitTextEdit() {
    if (m_state.strApplicationMode != modes::kEditStorybook)
        return;
    m_state.blnSticky = false;
    storeStoryText();
    SetApplicationMode(modes::kViewStorybook);
    RefreshDisplay("display");
}

void frmMain::SetApplicationMode(std::string_view mode) {
    if (mode == modes::kViewStorybook) {
        m_state.strApplicationMode = modes::kViewStorybook;
        rtbViewer->setLocked(true);
        DisplayCurrentPage();
    }
    showMode(m_state.strApplicationMode);
}

void frmMain::showMode(std::string_view mode) {
    m_state.strApplicationMode = std::string(mode);
    lblApplicationMode->setText(qText(mode));
}

// A click on the picture does what the view button does.
void frmMain::pbxShow_Click() {
    CycleOverlayCaptions();
}

void frmMain::rtbViewer_MouseUp() {
    if (m_state.strApplicationMode != modes::kViewStorybook)
        return;
    m_state.seam().setClipboardText(rtbViewer->selectedText());
    pbxShow->setFocus();
}

void frmMain::rtbViewer_DblClick() {}

// Nothing calls this; it repaints the area's picture stretched over the whole area from a source
// rectangle worked out from the picture's own size.
void frmMain::pbxDynaStretch() {
    if (!pbxShow->hasPicture())
        return;
    const QImage picture = pbxShow->picture();
    const long widthRatio = std::lround(pbxShow->widthTwips() / 5985.0);
    const long heightRatio = std::lround(pbxShow->heightTwips() / 4485.0);
    if (widthRatio == 0 || heightRatio == 0)
        return;
    // The picture's size in hundredths of a millimetre; the source rectangle comes out in twips.
    const double himetricWidth = picture.width() * 2540.0 / 96.0;
    const double himetricHeight = picture.height() * 2540.0 / 96.0;
    const double sourceWidthTwips = himetricWidth / 0.612 / static_cast<double>(widthRatio);
    const double sourceHeightTwips = himetricHeight / 0.612 / static_cast<double>(heightRatio);
    const QRect source =
        QRect(0, 0, static_cast<int>(sourceWidthTwips / 15), static_cast<int>(sourceHeightTwips / 15))
            .intersected(picture.rect());
    pbxShow->setPicture(
        picture.copy(source).scaled(pbxShow->size(), Qt::IgnoreAspectRatio, Qt::SmoothTransformation));
}
