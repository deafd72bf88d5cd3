// What the browser shows of the current row: its name, the counter, its thumbnail or why it cannot be
// used, and the commit buttons that follow; and the rows found gone, which leave the list.

#include "frmLoadSnapshot.h"

#include "DisplayedName.h"
#include "FileAccess.h"
#include "document/FileNames.h"
#include "document/XmlText.h"
#include "platform/Controls.h"
#include "platform/ImageDecoder.h"
#include "platform/PictureArea.h"
#include "platform/QtText.h"
#include "platform/Twips.h"

#include <QFontMetrics>
#include <QLineEdit>

#include <algorithm>

namespace {

const QColor kWhite(255, 255, 255);

constexpr double kNameProblemPoints = 8.25;

// Words into lines no wider than width pixels, each led by a blank as the browser's other texts are,
// joined by CR LF for print().
std::string wrapped(std::string_view text, double points, int width) {
    const QFontMetrics metrics(fontForPoints(kSansFamily, points));
    std::string lines;
    std::string line;
    std::size_t at = 0;
    while (at < text.size()) {
        const std::size_t end = std::min(text.find(' ', at), text.size());
        const std::string word(text.substr(at, end - at));
        at = end + 1;
        const std::string longer = line + " " + word;
        if (!line.empty() && metrics.horizontalAdvance(qText(longer)) > width) {
            lines += line + "\r\n";
            line = " " + word;
        } else {
            line = longer;
        }
    }
    return lines + line;
}

} // namespace

void frmLoadSnapshot::NavigateSnapshots(std::string_view word) {
    if (m_scanning)
        return;
    const ListedRows rows{m_input.scan.strSnapshotArray, m_loaded.strLoadedSnapshotArray};
    int from = m_current;
    Navigation move = ::NavigateSnapshots(rows, m_filter, from, word);
    // A listed file deleted since the scan leaves the list when it comes to be shown, and the move
    // goes on as if it had never been listed.
    while (move.outcome == NavigationOutcome::Shown && isGone(move.current)) {
        dropRow(move.current);
        if (move.current < from)
            --from;
        from = std::clamp(from, 1, std::max(rows.count(), 1));
        move = ::NavigateSnapshots(rows, m_filter, from, word);
    }
    m_current = move.current;
    if (move.outcome == NavigationOutcome::Shown) {
        showRow(m_current);
        ShowThumbnail();
    } else if (move.outcome == NavigationOutcome::NoMatch) {
        // The filter has no row: nothing is shown, so nothing can be committed.
        clearShownRow();
        SetCommitButtonsEnabled(false);
    }
    const int count = rows.count();
    if (count == 0) {
        clearShownRow();
        SetCommitButtonsEnabled(false);
    }
    showCounter(qText(counterText(m_current, count)));
}

// The counter's own size fits "503 of 503"; longer counts of large folders take a smaller size
// rather than lose their digits at the box's edges.
void frmLoadSnapshot::showCounter(const QString& text) {
    double points = kCounterPoints;
    QFont font = fontForPoints(kSansFamily, points);
    const int room = txtNofN->contentsRect().width() - 8;
    while (points > 8 && QFontMetrics(font).horizontalAdvance(text) > room) {
        points -= 0.75;
        font = fontForPoints(kSansFamily, points);
    }
    txtNofN->setFont(font);
    txtNofN->setText(text);
    txtNofN->setCursorPosition(0);
}

void frmLoadSnapshot::showRow(int row) {
    m_shownName = listedName(row);
    m_nameProblem = storableNameProblem(m_shownName);
    txtCurrentFN->setText(displayedName(m_shownName));
    txtCurrentFN->setCursorPosition(0);
}

void frmLoadSnapshot::clearShownRow() {
    m_shownName.clear();
    m_nameProblem.clear();
    m_thumbnailFailed = false;
    txtCurrentFN->clear();
    pbxThumbnail->clearPicture();
}

void frmLoadSnapshot::ShowThumbnail() {
    if (!m_loaded.strLoadedSnapshotArray.empty()) {
        if (m_shownName.empty()) {
            // A filter without rows: the display stays empty.
            pbxThumbnail->clearPicture();
            SetCommitButtonsEnabled(false);
            return;
        }
        m_thumbnailFailed = false;
        if (!m_nameProblem.empty()) {
            // Listed, so the user sees why it is never offered; refused like an invalid thumbnail.
            const std::string why = "This name cannot be stored in the album. " + m_nameProblem;
            printInPicture(0, 60, kNameProblemPoints,
                           wrapped(why, kNameProblemPoints, pbxThumbnail->width() - 4));
            SetCommitButtonsEnabled(false);
            return;
        }
        // Drawn at its own size from the top-left corner: only the part the box shows is decoded.
        const std::string path = m_input.varStorybookFolder + thumbnailNameFor(m_shownName);
        const QImage thumbnail = decodePictureCorner(path, pbxThumbnail->size());
        m_thumbnailFailed = thumbnail.isNull();
        if (m_thumbnailFailed) {
            printInPicture(530, 340, 14, "Invalid");
            pbxThumbnail->setCurrentX(250);
            pbxThumbnail->setPersistentDrawing(true);
            pbxThumbnail->print("Thumbnail");
            pbxThumbnail->setPersistentDrawing(false);
            SetCommitButtonsEnabled(false);
            return;
        }
        pbxThumbnail->setPicture(thumbnail);
    }
    SetCommitButtonsEnabled(true);
}

// White words on the cleared picture, kept across repaints.
void frmLoadSnapshot::printInPicture(int left, int top, double points, const std::string& text) {
    pbxThumbnail->clearPicture();
    pbxThumbnail->setPersistentDrawing(true);
    pbxThumbnail->setFontSize(points);
    pbxThumbnail->setForeColor(kWhite);
    pbxThumbnail->setPosition(left, top);
    pbxThumbnail->print(text);
    pbxThumbnail->setPersistentDrawing(false);
}

void frmLoadSnapshot::SetCommitButtonsEnabled(bool enabled) {
    cmdInsert[0]->setEnabled(enabled);
    cmdReplace->setEnabled(enabled);
}

const std::string& frmLoadSnapshot::listedName(int row) const {
    const int position = m_loaded.strLoadedSnapshotArray[static_cast<std::size_t>(row - 1)];
    return m_input.scan.strSnapshotArray[static_cast<std::size_t>(position)].name;
}

bool frmLoadSnapshot::isGone(int row) const {
    return fileAccess(m_input.varStorybookFolder + listedName(row)) == FileAccess::Missing;
}

// The kept scan forgets the file too, so the next showing does not offer it again. The lot list
// stays as it is until it is next built: taking an item away under the user's choice would move it.
void frmLoadSnapshot::dropRow(int row) {
    dropListedSnapshot(m_loaded, m_input.scan, row);
}
