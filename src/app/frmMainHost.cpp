// The main window's side of the album document: it shows the messages the document reports, in the
// order the user is to see them, and acts on its outcomes.

#include "artwork/FaceArtwork.h"
#include "document/ApplicationModes.h"
#include "frmMain.h"

#include "document/PageOperations.h"
#include "platform/Controls.h"
#include "platform/PictureArea.h"
#include "platform/PlatformSeam.h"

#include <QApplication>
#include <QDateTime>
#include <QLabel>
#include <QLocale>

MessageAnswer frmMain::messageBox(std::string_view text, MessageButtons buttons, MessageIcon icon,
                                  std::string_view title) {
    return m_state.seam().messageBox(text, buttons, icon, title);
}

MessageAnswer frmMain::showMessage(const Message& message) {
    return messageBox(message.text, message.buttons, message.icon, message.title);
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

// Mode changes that return to viewing go through the window's mode setter, which shows the page again.
void frmMain::setApplicationMode(std::string_view mode) {
    if (mode == modes::kViewStorybook)
        SetApplicationMode(mode);
    else
        showMode(mode);
}

// A failure is told while the saving picture is still up; a warning about a saved album once the
// album shows as saved.
SaveOutcome frmMain::saveAlbum(const std::string& path) {
    showSavingPicture();
    const SaveResult result = BackupAndSave(
        m_state.storybook(), path, [this](const Message& question) { return showMessage(question); });
    if (!result.saved()) {
        if (result.message)
            showMessage(*result.message);
        hideSavingPicture();
        return result.outcome;
    }
    m_state.blnStorybookSaved = true;
    setApplicationMode(modes::kStorybookSaved);
    hideSavingPicture();
    if (result.message)
        showMessage(*result.message);
    return result.outcome;
}

void frmMain::deleteShownPage() {
    const DeleteResult result = DeleteCurrentPage(m_state.storybook(), m_state.intCurrentPage);
    if (!result.deleted)
        return;
    m_state.blnStorybookSaved = false;
    m_state.intCurrentPage = result.currentPage;
    setApplicationMode(modes::kViewStorybook);
    RefreshDisplay("display");
    pbxShow->setFocus();
}

std::string frmMain::timeStampNow() {
    const QDateTime now = QDateTime::currentDateTime();
    const QString stamp = QLocale::system().toString(now.date(), QLocale::ShortFormat) + QLatin1Char(' ') +
                          now.time().toString(QStringLiteral("HH:mm:ss"));
    return stamp.toUtf8().toStdString();
}
