// The right-button popup menu and the pin of the page buttons.

#include "frmMain.h"

#include "platform/PopupMenu.h"

#include <QCursor>

void frmMain::ShowPopupMenu() {
    refresh();
    mnuPopup->popup(QCursor::pos());
}

// Pinned, page turns keep editing and the page buttons stay in view.
void frmMain::sbtnSticky_Click() {
    blnSticky = true;
    showSidePanel(SidePanel::PageButtons);
}

void frmMain::sbtnStuck_Click() {
    blnSticky = false;
    showSidePanel(SidePanel::PageButtons);
}
