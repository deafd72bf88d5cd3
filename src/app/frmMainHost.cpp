// The main window's side of the album document: it shows the messages the document reports, in the
// order the user is to see them, and acts on its outcomes.

#include "artwork/FaceArtwork.h"
#include "controller/AppMode.h"
#include "frmMain.h"

#include "document/PageOperations.h"
#include "platform/Controls.h"
#include "platform/PictureArea.h"
#include "platform/PlatformSeam.h"

#include <QApplication>
#include <QDateTime>
#include <QLabel>
#include <QLocale>

// A box asked in the middle of a command stands over the window as the state is then.
MessageAnswer frmMain::messageBox(std::string_view text, MessageButtons buttons, MessageIcon icon,
                                  std::string_view title) {
    refresh();
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
    m_state.controller().setSaved(true);
    setMode(AppMode::StorybookSaved);
    hideSavingPicture();
    if (result.message)
        showMessage(*result.message);
    return result.outcome;
}

void frmMain::deleteShownPage() {
    const DeleteResult result = DeleteCurrentPage(m_state.storybook(), m_state.controller().currentPage());
    if (!result.deleted)
        return;
    m_state.controller().setSaved(false);
    m_state.controller().setCurrentPage(result.currentPage);
    returnToViewing();
    showPageAfresh();
    pbxShow->setFocus();
}

std::string frmMain::timeStampNow() {
    const QDateTime now = QDateTime::currentDateTime();
    const QString stamp = QLocale::system().toString(now.date(), QLocale::ShortFormat) + QLatin1Char(' ') +
                          now.time().toString(QStringLiteral("HH:mm:ss"));
    return stamp.toUtf8().toStdString();
}
