// Bringing the application up and taking it down: the load and unload handlers of the main
// window, the settings read at start and written at exit, and closing the other windows.

#include "controller/AppMode.h"
#include "frmMain.h"

#include "AppVersion.h"
#include "platform/Controls.h"
#include "platform/StoryTextBox.h"
#include "settings/Settings.h"

#include <QApplication>
#include <QCloseEvent>

void frmMain::Form_Load() {
    SetWindowMode();
    LoadSettings();
    const std::string& commandLine = m_state.environment().commandLineText;
    // An album given on the command line covers the start screen and its captions before anything
    // is seen; every open that fails clears the picture and draws the start screen itself.
    if (m_state.settings.lngRunsForThisVersion == 0)
        ShowAboutBox();
    else if (commandLine.empty())
        DrawStartScreen();
    if (commandLine.empty())
        DrawToolbarLabels();
    lblBragBox->setText(QStringLiteral("Brindlecove for The Sims 2 `") + QStringLiteral(" ver") +
                        QString::fromStdString(versionNumbers()));
    showStory(StoryShown::Nothing);
    setMode(AppMode::Initialized);
    m_state.settings.strLastUsedPath = m_state.settings.strDefaultStorybookPath;
    if (!commandLine.empty()) {
        // The path keeps its letter case: on this file system another case names another file.
        varCommandLineFile = commandLine;
        OpenStorybook();
    }
    refresh();
}

void frmMain::LoadSettings() {
    m_state.settings.strReleaseNote = kReleaseNote;
    m_state.controller().setCurrentPage(0);
    m_state.storybook().varPageCount = 0;
    m_state.controller().setSaved(true);
    blnCtrlKeyDown = false;
    m_state.blnShowPageNumber = true;
    m_state.blnFullScreen = false;
    setMode(AppMode::Initializing);
    LoadStoredSettings(m_state);
}

void frmMain::SaveSettings() {
    ::SaveSettings(m_state);
}

// Only an explicit No drops unsaved changes: when the save asked for fails, or the question goes
// unanswered, the unload stops with the album open and unsaved, so the user can save again, save
// elsewhere or leave again and answer No.
void frmMain::Form_Unload(bool& cancel) {
    switch (askAboutUnsavedChanges(UnsavedChoices::SaveOrDiscard)) {
    case UnsavedOutcome::SaveFailed:
    case UnsavedOutcome::Cancelled:
        cancel = true;
        returnToViewing();
        return;
    case UnsavedOutcome::Discarded:
        setMode(AppMode::DiscardModifications);
        break;
    case UnsavedOutcome::NoChanges:
    case UnsavedOutcome::Saved:
        break;
    }
    SaveSettings();
    UnloadAllForms("");
}

void frmMain::UnloadAllForms(std::string FormToIgnore) {
    if (FormToIgnore.empty())
        FormToIgnore = "frmMain";
    const QString ignored = QString::fromStdString(FormToIgnore);
    for (QWidget* window : QApplication::topLevelWidgets()) {
        const QString name = window->objectName();
        // Only the application's own windows carry a form name.
        if (name.startsWith(QLatin1String("frm")) && name != ignored)
            window->close();
    }
}

// The window manager's close leaves as the Exit button does, and stays open as it does.
void frmMain::closeEvent(QCloseEvent* event) {
    if (!m_endRequested && !m_unloaded) {
        finishWorkInProgress();
        bool cancel = false;
        Form_Unload(cancel);
        refresh();
        if (cancel) {
            event->ignore();
            return;
        }
        m_unloaded = true;
    }
    event->accept();
}
