// Page display.

#include "frmMain.h"

// FIXME: the page display and its caption cycle come with the open command; until then there is
// nothing to redraw.
void frmMain::RefreshDisplay(std::string_view) {}
