// Commands whose work is still being built; each does nothing yet. Delete an entry here when its
// command lands in its own file, and this file once it is empty.

#include "frmMain.h"

void frmMain::ToggleEditMode() {}
void frmMain::BeginRelocatePage() {}
void frmMain::CopyPageToBuffer() {}
void frmMain::DropRelocatedPage() {}
void frmMain::ConfirmDeletePage() {}
void frmMain::ConfirmReversePages() {}
void frmMain::CycleOverlayCaptions() {}
void frmMain::ToggleToolButtons() {}
void frmMain::ShowSettingsDialog() {}
void frmMain::ExitApplication(ExitConfirmation) {}
void frmMain::SaveStorybook() {}
void frmMain::SaveStorybookAs() {}
bool frmMain::CopyStorybookImages(const std::string&) {
    return false;
}
void frmMain::ShowSnapshotBrowser() {}
