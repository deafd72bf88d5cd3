// Carrying out a command named by a control or a key.

#include "frmMain.h"

void frmMain::runCommand(Command command) {
    switch (command) {
    case Command::OpenStorybook:
        OpenStorybook();
        break;
    case Command::SaveStorybook:
        SaveStorybook();
        break;
    case Command::SaveStorybookAs:
        SaveStorybookAs();
        break;
    case Command::CycleOverlayCaptions:
        CycleOverlayCaptions();
        break;
    case Command::ToggleEditMode:
        ToggleEditMode();
        break;
    case Command::ShowSnapshotBrowser:
        ShowSnapshotBrowser();
        break;
    case Command::ToggleToolButtons:
        ToggleToolButtons();
        break;
    case Command::ExitApplication:
        ExitApplication(ExitConfirmation::None);
        break;
    case Command::ExitApplicationConfirmed:
        ExitApplication(ExitConfirmation::Ask);
        break;
    case Command::ShowHelpFile:
        ShowHelpFile();
        break;
    case Command::ShowAboutBox:
        ShowAboutBox();
        break;
    case Command::ShowLicenseAgreement:
        ShowLicenseAgreement();
        break;
    case Command::ShowHomePage:
        ShowHomePage();
        break;
    case Command::BeginRelocatePage:
        BeginRelocatePage();
        break;
    case Command::DropRelocatedPage:
        DropRelocatedPage();
        break;
    case Command::ConfirmDeletePage:
        ConfirmDeletePage();
        break;
    case Command::ConfirmReversePages:
        ConfirmReversePages();
        break;
    case Command::DoPluginImageInfo:
        DoPluginImageInfo();
        break;
    case Command::ToggleFullScreen:
        ToggleFullScreen();
        break;
    case Command::ShowSettingsDialog:
        ShowSettingsDialog();
        break;
    case Command::EmptyProcedure:
        EmptyProcedure();
        break;
    }
}

void frmMain::EmptyProcedure() {}
