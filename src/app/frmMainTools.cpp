// The tool panel of side buttons and the way out of the application.

#include "controller/AppMode.h"
#include "frmMain.h"

#include "platform/Controls.h"

void frmMain::ToggleToolButtons() {
    if (m_state.controller().mode() == AppMode::EditStorybook)
        CommitTextEdit();
    if (m_state.controller().mode() != AppMode::ViewStorybook) {
        ShowSettingsDialog();
        return;
    }
    showSidePanel(m_sidePanel == SidePanel::ToolButtons ? SidePanel::None : SidePanel::ToolButtons);
}

// The keyboard's exit is refused while there are unsaved changes (its guard); the Exit button and the menu
// item leave at once, and the unload asks about the changes. An unload that kept the album open
// (its save failed) leaves the window as it was before the exit, Exit no longer lit.
void frmMain::ExitApplication(ExitConfirmation confirmation) {
    if (confirmation == ExitConfirmation::Ask) {
        if (messageBox("Exit the Brindlecove?", MessageButtons::YesNoCancel, MessageIcon::None,
                       "Confirm Exit") != MessageAnswer::Yes)
            return;
    }
    finishWorkInProgress();
    if (!close())
        HighlightButton(nullptr);
}

// Every way out (the exit command, the window manager's close) first commits an edit in progress
// and puts a page being moved back, so a save at the unload never misses text or a page.
void frmMain::finishWorkInProgress() {
    if (m_state.controller().mode() == AppMode::EditStorybook)
        CommitTextEdit();
    if (m_state.controller().mode() == AppMode::RelocatePage)
        DropRelocatedPage();
    if (m_state.controller().mode() != AppMode::Exit)
        setMode(AppMode::Exit);
}
