// The Open command: protecting unsaved changes, taking the album's path from the command line or
// the Open dialog, checking and reading the file, parsing it and showing its first page.

#include "controller/AppMode.h"
#include "frmMain.h"

#include "dialogs/CDCOpenSave.h"
#include "document/AlbumLoad.h"
#include "document/PathSplit.h"
#include "platform/PictureArea.h"
#include "platform/StoryTextBox.h"

#include <algorithm>
#include <filesystem>

namespace {

// A path without a folder is taken in the working folder, the one the program was started in, by
// the folder's own bytes (a name Qt decodes would lose those that are no UTF-8).
std::string withFolder(std::string path) {
    if (path.find('/') != std::string::npos)
        return path;
    std::error_code error;
    const std::filesystem::path working = std::filesystem::current_path(error);
    return error ? path : working.native() + "/" + path;
}

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
    if (!varCommandLineFile.empty()) {
        path = varCommandLineFile;
        std::erase(path, '"');
        path = withFolder(path);
        varCommandLineFile.clear();
    } else {
        OpenFileNameParams params;
        params.FileMustExist = true;
        params.Filter = "Storybook Files (*.xml)|*.xml";
        params.FilterIndex = 1;
        params.InitDir = m_state.settings.strLastUsedPath;
        params.DlgTitle = "Open File";
        refresh();
        dialog.VBGetOpenFileName(params);
        path = params.Filename;
    }
    if (path.empty()) {
        setMode(m_state.varStorybookFile.empty() ? AppMode::NothingLoaded : AppMode::ViewStorybook);
        return;
    }

    PathParts parts = splitPath(path);
    m_state.settings.strLastUsedPath =
        parts.folder.empty() ? std::string() : parts.folder.substr(0, parts.folder.size() - 1);
    m_state.varStorybookFolder = std::move(parts.folder);
    m_state.varStorybookFile = std::move(parts.name);

    AlbumLoad load = LoadAlbumFile(path);
    if (load.failure) {
        failLoad(*load.failure);
        return;
    }
    const ParseResult& parsed = load.parsed;
    // The raw lines of the file are what the story box shows behind a parser message; an album that
    // parses cleanly never pays for a text the first page replaces unseen.
    if (parsed.message) {
        ShowLogFileText(*load.album);
        showMessage(*parsed.message);
    }
    switch (parsed.outcome) {
    case ParseOutcome::EndApplication:
        endApplication();
        return;
    case ParseOutcome::Stopped:
        // The parser said why; a part of the album is not the album, and saving it would cut the file.
        leaveNothingOpen();
        DrawStartScreen();
        return;
    case ParseOutcome::Complete:
        break;
    }
    // Whole, the new album takes the place of the one open.
    m_state.storybook() = std::move(*load.album);
    // Without a page nothing replaces the raw lines: they stay to be seen.
    if (m_state.storybook().varPageCount <= 0 && !parsed.message)
        ShowLogFileText(m_state.storybook());
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
    showStory(StoryShown::Nothing);
    m_state.controller().setSaved(true);
    m_state.storybook().varPageCount = 0;
    m_state.controller().setCurrentPage(0);
    m_state.varStorybookFolder.clear();
    m_state.varStorybookFile.clear();
}

void frmMain::failLoad(const Message& failure) {
    leaveNothingOpen();
    showMessage(failure);
    DrawStartScreen();
}

void frmMain::ShowLogFileText(const Storybook& book) {
    m_fileLines.clear();
    for (int line = 1; line <= book.intLogFileLastLine; ++line) {
        m_fileLines += book.strLogFileArray[line];
        m_fileLines += "\r\n";
    }
    showStory(StoryShown::FileLines);
}
