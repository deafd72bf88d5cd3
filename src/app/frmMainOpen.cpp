// The Open command: protecting unsaved changes, taking the album's path from the command line or
// the Open dialog, checking and reading the file, parsing it and showing its first page.

#include "controller/AppMode.h"
#include "frmMain.h"

#include "dialogs/CDCOpenSave.h"
#include "document/PathSplit.h"
#include "document/StorybookParser.h"
#include "document/StorybookReader.h"
#include "platform/PictureArea.h"
#include "platform/StoryTextBox.h"

#include <QDir>

#include <algorithm>

namespace {

const QColor kWhite(255, 255, 255);
const QColor kDarkBlue(0, 0, 64);

// A path without a folder is taken in the working folder, the one the program was started in.
std::string withFolder(std::string path) {
    if (path.find('/') == std::string::npos)
        path = QDir::currentPath().toStdString() + "/" + path;
    return path;
}

// The parser's host while an album is parsed. The raw lines of the file are what the story box
// shows behind a parser message, so they are put there only when a message is about to be seen;
// an album that parses cleanly never pays for a text the first page replaces unseen.
class RawLinesBehindMessages final : public StorybookHost {
public:
    explicit RawLinesBehindMessages(frmMain& window) : m_window(window) {}
    bool shown() const { return m_shown; }

    MessageAnswer messageBox(std::string_view text, MessageButtons buttons, MessageIcon icon,
                             std::string_view title) override {
        if (!m_shown) {
            m_shown = true;
            m_window.ShowLogFileText();
        }
        return m_window.messageBox(text, buttons, icon, title);
    }
    void endApplication() override { m_window.endApplication(); }
    void showSavingPicture() override { m_window.showSavingPicture(); }
    void hideSavingPicture() override { m_window.hideSavingPicture(); }
    void setApplicationMode(std::string_view mode) override { m_window.setApplicationMode(mode); }
    void refreshDisplay(std::string_view action) override { m_window.refreshDisplay(action); }
    void focusPicture() override { m_window.focusPicture(); }
    std::string clearStoryText() override { return m_window.clearStoryText(); }
    std::string timeStampNow() override { return m_window.timeStampNow(); }
    std::int16_t currentPage() const override { return m_window.currentPage(); }
    void setCurrentPage(std::int16_t page) override { m_window.setCurrentPage(page); }
    bool storybookSaved() const override { return m_window.storybookSaved(); }
    void setStorybookSaved(bool saved) override { m_window.setStorybookSaved(saved); }
    std::string selectedSnapshot() const override { return m_window.selectedSnapshot(); }

private:
    frmMain& m_window;
    bool m_shown = false;
};

} // namespace

void frmMain::OpenStorybook() {
    if (m_state.controller().mode() == AppMode::EditStorybook)
        CommitTextEdit();
    if (!m_state.controller().canOpenAtOnce()) {
        if (m_state.storybook().varPageCount < 1)
            LoadStorybook();
        return;
    }
    switch (askAboutUnsavedChanges(UnsavedChoices::SaveDiscardOrCancel)) {
    case UnsavedOutcome::Cancelled:
        setMode(AppMode::ViewStorybook);
        return;
    case UnsavedOutcome::SaveFailed:
        // The save reported why; the album stays open with its changes rather than be replaced.
        setMode(AppMode::ViewStorybook);
        return;
    case UnsavedOutcome::NoChanges:
    case UnsavedOutcome::Saved:
    case UnsavedOutcome::Discarded:
        LoadStorybook();
        return;
    }
}

void frmMain::LoadStorybook() {
    CDCOpenSave dialog(m_state.seam());
    setMode(AppMode::LoadStorybook);

    std::string path;
    if (!m_state.varCommandLineFile.empty()) {
        path = m_state.varCommandLineFile;
        std::erase(path, '"');
        path = withFolder(path);
        m_state.varCommandLineFile.clear();
    } else {
        OpenFileNameParams params;
        params.FileMustExist = true;
        params.Filter = "Storybook Files (*.xml)|*.xml";
        params.FilterIndex = 1;
        params.InitDir = m_state.strLastUsedPath;
        params.DlgTitle = "Open File";
        dialog.VBGetOpenFileName(params);
        path = params.Filename;
    }
    if (path.empty()) {
        setMode(m_state.varStorybookFile.empty() ? AppMode::NothingLoaded : AppMode::ViewStorybook);
        return;
    }

    PathParts parts = splitPath(path);
    m_state.strLastUsedPath =
        parts.folder.empty() ? std::string() : parts.folder.substr(0, parts.folder.size() - 1);
    m_state.varStorybookFolder = std::move(parts.folder);
    m_state.varStorybookFile = std::move(parts.name);

    Storybook& book = m_state.storybook();
    // The check and the reader in one pass over one read of the file.
    LineScan scan;
    CheckAndReadStorybook(book, path, scan);
    if (!scan.read || !scan.checked) {
        failLoad(scan.checked, scan.refusal);
        return;
    }

    rtbViewer->setColors(kWhite, kDarkBlue);
    ParseAlbumGlobals(book);
    RawLinesBehindMessages host(*this);
    switch (ParseStorybookRecords(book, host, scan)) {
    case ParseOutcome::EndApplication:
        return;
    case ParseOutcome::Stopped:
        // The parser said why; a part of the album is not the album, and saving it would cut the file.
        leaveNothingOpen();
        DrawStartScreen();
        return;
    case ParseOutcome::Complete:
        break;
    }
    // Without a page nothing replaces the raw lines: they stay to be seen.
    if (book.varPageCount <= 0 && !host.shown())
        ShowLogFileText();
    m_state.controller().setCurrentPage(0);
    DisplayCurrentPage();
    setMode(AppMode::ViewStorybook);
    m_state.controller().setSaved(true);
}

// A failed load leaves no album open: the last album is neither shown under the new name nor
// saved over the file that failed.
void frmMain::leaveNothingOpen() {
    setMode(AppMode::NothingLoaded);
    showNoPage();
    rtbViewer->setText("");
    m_state.controller().setSaved(true);
    m_state.storybook().varPageCount = 0;
    m_state.controller().setCurrentPage(0);
    m_state.varStorybookFolder.clear();
    m_state.varStorybookFile.clear();
}

void frmMain::failLoad(bool checked, const std::string& refusal) {
    leaveNothingOpen();
    if (!refusal.empty())
        messageBox(refusal, MessageButtons::Ok, MessageIcon::Critical, "load operation failed");
    else if (checked)
        messageBox("Unable to load this file.", MessageButtons::Ok, MessageIcon::Critical,
                   "load operation aborted");
    else
        messageBox("XML Integrity Check Failed!\r\n\r\nThe storybook you are attempting\r\n"
                   "to load is in an invalid format.  ",
                   MessageButtons::Ok, MessageIcon::Critical, "load operation failed");
    DrawStartScreen();
}

void frmMain::ShowLogFileText() {
    rtbViewer->setText("");
    rtbViewer->setColors(kWhite, kDarkBlue);
    const Storybook& book = m_state.storybook();
    std::string text;
    for (int line = 1; line <= book.intLogFileLastLine; ++line) {
        text += book.strLogFileArray[line];
        text += "\r\n";
    }
    rtbViewer->insertAtCaret(text);
}
