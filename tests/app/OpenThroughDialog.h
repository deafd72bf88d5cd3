#pragma once
// Opening an album as the user does: the Open command, its file dialog choosing the path under the
// album filter.

#include "AppFixture.h"
#include "frmMain.h"

#include <string>

inline FileDialogResult chosenAlbum(const std::string& path) {
    FileDialogResult chosen;
    chosen.chosen = true;
    chosen.path = path;
    chosen.filterIndex = 1;
    return chosen;
}

inline void openThroughDialog(AppFixture& app, frmMain& window, const std::string& path) {
    app.seam.dialogResults.push_back(chosenAlbum(path));
    window.runCommand(Command::OpenStorybook);
}
