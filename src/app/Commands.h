#pragma once
// The main window's commands. Each is one row of the command table (CommandTable.h), which says
// what raises it and when it is enabled; frmMain::runCommand carries one out and then refreshes.

enum class Command {
    OpenStorybook,
    SaveStorybook,
    SaveStorybookAs,
    CycleOverlayCaptions,
    ToggleEditMode,
    EditStoryText, // edit mode for the text alone, without the page buttons
    ShowSnapshotBrowser,
    ToggleToolButtons,
    ExitApplication,          // at once (toolbar button, menu item)
    ExitApplicationConfirmed, // after "Confirm Exit" (keys)
    ShowHelpFile,
    ShowAboutBox,
    ShowLicenseAgreement,
    ShowHomePage,
    MovePage, // from viewing: edit mode, then the move
    BeginRelocatePage,
    DropRelocatedPage,
    ConfirmDeletePage,
    ConfirmReversePages,
    PinPageButtons,   // the pin side button
    UnpinPageButtons, // the unpin side button
    DoPluginImageInfo,
    ToggleFullScreen,
    ShowSettingsDialog,
    PageBack,
    PageBackTen,
    FirstPage,
    PageForward,
    PageForwardTen,
    LastPage,
    ScrollTextUp,
    ScrollTextDown,
    ShowPopupMenu,
    CopyStorySelection,
    EmptyProcedure,
};

enum class ExitConfirmation { None, Ask };
