// The main window as the album document's host.

#include "artwork/FaceArtwork.h"
#include "controller/AppMode.h"
#include "frmMain.h"

#include "platform/Controls.h"
#include "platform/PictureArea.h"
#include "platform/PlatformSeam.h"
#include "platform/StoryTextBox.h"

#include <QApplication>
#include <QDateTime>
#include <QLabel>
#include <QLocale>

MessageAnswer frmMain::messageBox(std::string_view text, MessageButtons buttons, MessageIcon icon,
                                  std::string_view title) {
    return m_state.seam().messageBox(text, buttons, icon, title);
}

void frmMain::endApplication() {
    // Ending at once saves nothing, settings included; the unload handler is skipped.
    m_endRequested = true;
    hide();
    QMetaObject::invokeMethod(qApp, &QCoreApplication::quit, Qt::QueuedConnection);
}

void frmMain::showSavingPicture() {
    if (imgSaving->pixmap().isNull())
        imgSaving->setPixmap(QPixmap::fromImage(builtInArtwork("saving")));
    imgSaving->show();
    imgSaving->repaint();
}

void frmMain::hideSavingPicture() {
    imgSaving->hide();
}

// The document's mode changes go through the window's mode setter, which shows the page again when
// the mode returns to viewing.
void frmMain::setApplicationMode(std::string_view mode) {
    const std::optional<AppMode> named = modeNamed(mode);
    if (named == AppMode::ViewStorybook)
        returnToViewing();
    else if (named)
        setMode(*named);
}

void frmMain::refreshDisplay(std::string_view action) {
    if (action == "display")
        RefreshDisplay(DisplayAction::Display);
}

void frmMain::focusPicture() {
    pbxShow->setFocus();
}

std::string frmMain::clearStoryText() {
    rtbViewer->clear();
    return rtbViewer->text();
}

std::string frmMain::timeStampNow() {
    const QDateTime now = QDateTime::currentDateTime();
    const QString stamp = QLocale::system().toString(now.date(), QLocale::ShortFormat) + QLatin1Char(' ') +
                          now.time().toString(QStringLiteral("HH:mm:ss"));
    return stamp.toUtf8().toStdString();
}

std::int16_t frmMain::currentPage() const {
    return m_state.controller().currentPage();
}
void frmMain::setCurrentPage(std::int16_t page) {
    m_state.controller().setCurrentPage(page);
}
bool frmMain::storybookSaved() const {
    return m_state.controller().saved();
}
void frmMain::setStorybookSaved(bool saved) {
    m_state.controller().setSaved(saved);
}
std::string frmMain::selectedSnapshot() const {
    return m_state.varSelectedSnapshot;
}
