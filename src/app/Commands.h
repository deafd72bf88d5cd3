#pragma once
// The main window's commands, as the controls and keys name them. frmMain::runCommand carries one
// out and then refreshes what the window shows and enables.

enum class Command {
    OpenStorybook,
    SaveStorybook,
    SaveStorybookAs,
    CycleOverlayCaptions,
    ToggleEditMode,
    ShowSnapshotBrowser,
    ToggleToolButtons,
    ExitApplication,          // at once (toolbar button, menu item)
    ExitApplicationConfirmed, // after "Confirm Exit" (keys)
    ShowHelpFile,
    ShowAboutBox,
    ShowLicenseAgreement,
    ShowHomePage,
    BeginRelocatePage,
    DropRelocatedPage,
    ConfirmDeletePage,
    ConfirmReversePages,
    PinPageButtons,   // the pin side button
    UnpinPageButtons, // the unpin side button
    DoPluginImageInfo,
    ToggleFullScreen,
    ShowSettingsDialog,
    EmptyProcedure,
};

enum class ExitConfirmation { None, Ask };
