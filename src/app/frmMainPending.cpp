// Commands whose work is still being built; each does nothing yet. Delete an entry here when its
// command lands in its own file, and this file once it is empty.

#include "frmMain.h"

void frmMain::ToggleFullScreen() {}
void frmMain::DoPluginImageInfo() {}
