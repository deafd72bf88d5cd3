#include "frmLoadSnapshot.h"

#include "DisplayedName.h"
#include "FileAccess.h"
#include "platform/Controls.h"
#include "platform/ImageDecoder.h"
#include "platform/KeyCodes.h"
#include "platform/PictureArea.h"
#include "platform/PlatformSeam.h"

#include <QCheckBox>
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QKeyEvent>
#include <QLineEdit>
#include <QListWidget>
#include <QTimer>

#include <algorithm>

namespace {

const QColor kWhite(255, 255, 255);

// While the scan runs the window is repainted at most this often; painting after every file would
// cost more than the scan.
constexpr int kYieldMilliseconds = 20;

constexpr const char* kNoFileSelected = "No File Selected";
constexpr const char* kThumbnailAbsent =
    "The thumbnail associated with this image is absent.  Please select another image to load.";

} // namespace

frmLoadSnapshot::frmLoadSnapshot(SnapshotBrowserInput input, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint), m_input(std::move(input)) {
    setObjectName(QStringLiteral("frmLoadSnapshot"));
    setWindowTitle(QStringLiteral("Load Snapshot"));
    setModal(true);
    createControls();
}

frmLoadSnapshot::~frmLoadSnapshot() {
    Form_Unload();
}

void frmLoadSnapshot::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    // Once the window is on the screen, so the caching message is seen while the scan runs.
    if (!m_activated)
        QTimer::singleShot(0, this, [this] { Form_Activate(); });
}

void frmLoadSnapshot::Form_Activate() {
    if (m_activated)
        return;
    m_activated = true;
    ShowCachingMessage();
    InitSnapshotBrowser();
    if (m_closeRequested) {
        QDialog::reject();
        return;
    }
    chkShowUnused->setChecked(true);
}

void frmLoadSnapshot::ShowCachingMessage() {
    pbxThumbnail->clearPicture();
    pbxThumbnail->setPersistentDrawing(true);
    pbxThumbnail->setFontSize(12);
    pbxThumbnail->setForeColor(kWhite);
    pbxThumbnail->setPosition(0, 280);
    pbxThumbnail->print(" Caching\r\n thumbnails,\r\n please wait...");
    pbxThumbnail->setPersistentDrawing(false);
}

void frmLoadSnapshot::InitSnapshotBrowser() {
    m_current = 0;
    ScanSnapshotFolder();
    if (m_closeRequested)
        return;
    chkShowUnused->setEnabled(true);
    for (ColorButton* enabled : {cmdInsert[0], cmdInsert[1], cmdReplace})
        enabled->setEnabled(true);
    cmdInsert[2]->setEnabled(false);
    // The lists are built when the box is ticked next, which the activation always does: building
    // them here for the unticked box as well would only be thrown away unseen.
}

void frmLoadSnapshot::ScanSnapshotFolder() {
    if (m_input.varStorybookFolder == m_input.strStorybookCachePath) {
        m_scanComplete = true;
        return;
    }
    // The kept scan is about to be overwritten: until this one finishes it belongs to no folder.
    m_input.strStorybookCachePath.clear();
    QElapsedTimer sinceYield;
    bool yielded = false;
    // The counter is only seen when the window paints, so the latest count is put in it just before
    // each yield (and once at the end), rather than every time the scan gives one.
    int countDue = 0;
    const auto showCountDue = [&] {
        if (countDue > 0)
            showCounter(QString::number(countDue));
        countDue = 0;
    };
    const ScanProgress progress = [&](int shownCount) {
        if (shownCount > 0)
            countDue = shownCount;
        if (!yielded || sinceYield.elapsed() >= kYieldMilliseconds) {
            showCountDue();
            QCoreApplication::processEvents();
            yielded = true;
            sinceYield.restart();
        }
        return !m_closeRequested;
    };
    m_scanning = true;
    const ScanOutcome outcome = ::ScanSnapshotFolder(m_input.varStorybookFolder, m_input.scan, progress);
    showCountDue();
    m_scanning = false;
    m_scanComplete = outcome == ScanOutcome::Complete;
    if (!m_scanComplete)
        m_input.scan = {};
}

// The loaded list by the check box, sorted, then the lot list with "All Lots" selected.
void frmLoadSnapshot::rebuildLists() {
    const SnapshotSelection selection =
        chkShowUnused->isChecked() ? SnapshotSelection::UnusedOnly : SnapshotSelection::All;
    const SnapshotOrder order =
        m_input.blnLoadImageSortByDate ? SnapshotOrder::ByDate : SnapshotOrder::ByName;
    m_loaded = BuildLoadedSnapshotList(m_input.scan, selection, order, m_input.album);
    fillLotList();
    lbxLots->setCurrentRow(0);
}

void frmLoadSnapshot::fillLotList() {
    const QSignalBlocker quiet(lbxLots);
    lbxLots->clear();
    m_lotItems = lotListItems(m_loaded.strLoadedLotArray);
    for (const std::string& item : m_lotItems)
        lbxLots->addItem(displayedName(item));
    // No item is selected yet, so selecting the first runs the list's click behaviour.
    lbxLots->setCurrentRow(-1);
}

void frmLoadSnapshot::chkShowUnused_Click() {
    if (m_scanning)
        return;
    rebuildLists();
    NavigateSnapshots("start");
    ShowThumbnail();
}

void frmLoadSnapshot::lbxLots_Click() {
    // The item's own bytes, not its shown text: a lot code that is no UTF-8 still matches its rows.
    const int row = lbxLots->currentRow();
    const bool listed = row >= 0 && row < static_cast<int>(m_lotItems.size());
    m_filter =
        SnapshotFilter::forItem(row, listed ? m_lotItems[static_cast<std::size_t>(row)] : std::string());
    const int count = static_cast<int>(m_loaded.strLoadedSnapshotArray.size());
    m_current = count >= 2 ? count : 1;
    NavigateSnapshots("start");
}

void frmLoadSnapshot::btnBack_Click() {
    navigateAndFocus("back");
}

void frmLoadSnapshot::btnForward_Click() {
    navigateAndFocus("forward");
}

void frmLoadSnapshot::navigateAndFocus(std::string_view word) {
    NavigateSnapshots(word);
    if (!m_unloaded)
        pbxThumbnail->setFocus();
}

void frmLoadSnapshot::cmdInsert_Click(int Index) {
    static constexpr std::array<SnapshotChoice, 3> kResults = {
        SnapshotChoice::Insert, SnapshotChoice::InsertBeginning, SnapshotChoice::InsertEnd};
    if (Index >= 0 && Index < 3)
        commit(kResults[static_cast<std::size_t>(Index)]);
}

void frmLoadSnapshot::cmdReplace_Click() {
    commit(SnapshotChoice::Replace);
}

// A commit takes the listed file shown now, and only when it can become a page that shows and
// saves. A refused commit names the file and says why, and the browser stays on it.
void frmLoadSnapshot::commit(SnapshotChoice choice) {
    if (m_scanning || m_unloaded)
        return;
    if (m_shownName.empty()) {
        m_input.seam.messageBox(kNoFileSelected, MessageButtons::Ok, MessageIcon::None, "");
        return;
    }
    if (!m_nameProblem.empty()) {
        refuse(m_nameProblem);
        return;
    }
    if (m_thumbnailFailed) {
        m_input.seam.messageBox(kThumbnailAbsent, MessageButtons::Ok, MessageIcon::None, "");
        return;
    }
    bool gone = false;
    if (const std::string problem = snapshotProblem(gone); !problem.empty()) {
        refuse(problem);
        // Showing the row again notices that it is gone and moves on.
        if (gone)
            NavigateSnapshots("start");
        return;
    }
    m_choice = choice;
    m_selected = m_shownName;
    QDialog::accept();
}

// A kept scan can name a file deleted or changed since; the page display can show only a JPEG.
std::string frmLoadSnapshot::snapshotProblem(bool& gone) const {
    const std::string path = m_input.varStorybookFolder + m_shownName;
    switch (fileAccess(path)) {
    case FileAccess::Missing:
        gone = true;
        return "It is no longer in the album's folder.";
    case FileAccess::NotRegular:
        return "It is not a regular file.";
    case FileAccess::Unreadable:
        return "It cannot be opened for reading.";
    case FileAccess::Readable:
        break;
    }
    return readJpegHeader(path).problem;
}

void frmLoadSnapshot::refuse(std::string_view reason) {
    m_input.seam.messageBox("This snapshot cannot be added to the album:\r\n\r\n" +
                                displayedName(m_shownName).toStdString() + "\r\n\r\n" + std::string(reason),
                            MessageButtons::Ok, MessageIcon::None, "");
}

void frmLoadSnapshot::cmdOther_Click() {
    CloseSnapshotBrowser();
}

void frmLoadSnapshot::reject() {
    CloseSnapshotBrowser();
}

// Cancel, Esc and the close box. While the scan runs, the close waits for the scan to stop.
void frmLoadSnapshot::CloseSnapshotBrowser() {
    if (m_scanning) {
        m_closeRequested = true;
        return;
    }
    QDialog::reject();
}

void frmLoadSnapshot::done(int result) {
    Form_Unload();
    QDialog::done(result);
}

void frmLoadSnapshot::Form_Unload() {
    if (m_unloaded)
        return;
    m_unloaded = true;
    if (m_scanComplete)
        m_input.strStorybookCachePath = m_input.varStorybookFolder;
}

bool frmLoadSnapshot::isInsertButton(const QObject* control) const {
    return std::find(cmdInsert.begin(), cmdInsert.end(), control) != cmdInsert.end();
}

void frmLoadSnapshot::HandleBrowserKey(const QObject* on, int key, int /*shift*/) {
    if (key < 13 || key > 39)
        return;
    const bool browsing = m_choice == SnapshotChoice::Browsing && on != lbxLots;
    switch (key) {
    case 27:
        if (on == cmdOther || on == lbxLots || isInsertButton(on) || on == cmdReplace)
            pbxThumbnail->setFocus();
        else if (m_choice == SnapshotChoice::Browsing)
            CloseSnapshotBrowser();
        break;
    case 33:
        if (browsing)
            navigateAndFocus("pageup");
        break;
    case 34:
        if (browsing)
            navigateAndFocus("pagedown");
        break;
    case 35:
        if (browsing)
            navigateAndFocus("end");
        break;
    case 36:
        if (browsing)
            navigateAndFocus("home");
        break;
    case 37:
        if (browsing)
            navigateAndFocus("back");
        break;
    case 39:
        if (browsing)
            navigateAndFocus("forward");
        break;
    default:
        break;
    }
}

void frmLoadSnapshot::keyDown(const QObject* on, int key, int shift, FocusMove focus) {
    if (focus == FocusMove::Before)
        pbxThumbnail->setFocus();
    HandleBrowserKey(on, key, shift);
    if (focus == FocusMove::After && !m_unloaded)
        pbxThumbnail->setFocus();
}

bool frmLoadSnapshot::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() != QEvent::KeyPress)
        return QDialog::eventFilter(watched, event);
    const auto* press = static_cast<QKeyEvent*>(event);
    const KeyStroke stroke = keyStroke(*press);
    const int key = stroke.keyCode;
    const int shift = stroke.shift;
    FocusMove focus = FocusMove::None;
    if (isInsertButton(watched) || watched == cmdReplace || watched == chkShowUnused)
        focus = FocusMove::Before;
    else if (watched == txtNofN || watched == btnBack || watched == btnForward || watched == cmdOther)
        focus = FocusMove::After;
    keyDown(watched, key, shift, focus);
    // Esc never reaches the dialog's own handling; the browsing keys stay with the lot list box,
    // which moves its selection by them, and are used up everywhere else.
    if (key == 27)
        return true;
    const bool browsingKey = (key >= 33 && key <= 37) || key == 39;
    return browsingKey && watched != lbxLots;
}
