// The one question about unsaved changes, asked by every road that would drop them: the Open
// command, the exit and the window's close.

#include "frmMain.h"

bool frmMain::hasUnsavedChanges() const {
    return m_state.storybook().varPageCount > 0 && !m_state.blnStorybookSaved;
}

UnsavedOutcome frmMain::askAboutUnsavedChanges(UnsavedChoices choices) {
    if (!hasUnsavedChanges())
        return UnsavedOutcome::NoChanges;
    const MessageButtons buttons =
        choices == UnsavedChoices::SaveDiscardOrCancel ? MessageButtons::YesNoCancel : MessageButtons::YesNo;
    const MessageAnswer answer =
        messageBox("Do you want to save the changes you made to " + m_state.varStorybookFile + "?", buttons,
                   MessageIcon::None, "Unsaved Modifications");
    switch (answer) {
    case MessageAnswer::Yes:
        return saveAlbum(m_state.varStorybookFolder + m_state.varStorybookFile) == SaveOutcome::Saved
                   ? UnsavedOutcome::Saved
                   : UnsavedOutcome::SaveFailed;
    case MessageAnswer::No:
        return UnsavedOutcome::Discarded;
    default:
        // Closing the box counts as Cancel; only an explicit No drops the changes.
        return UnsavedOutcome::Cancelled;
    }
}
