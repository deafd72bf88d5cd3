// The right-button popup menu and the pin of the page buttons.

#include "frmMain.h"

#include "platform/PopupMenu.h"

#include <QCursor>

void frmMain::ShowPopupMenu() {
    updateActions();
    mnuPopup->popup(QCursor::pos());
}

void frmMain::pbxShow_MouseDown(int Button) {
    if (Button == 2)
        ShowPopupMenu();
}

void frmMain::pbxBlanket_MouseDown(int Button) {
    if (Button == 2)
        ShowPopupMenu();
}

void frmMain::Form_MouseDown(int Button) {
    if (Button == 2)
        ShowPopupMenu();
}

// Pinned, page turns keep editing and the page buttons stay in view.
void frmMain::sbtnSticky_Click() {
    m_state.blnSticky = true;
    ShowToolButtons("hide");
    ShowPageButtons("display");
}

void frmMain::sbtnStuck_Click() {
    m_state.blnSticky = false;
    ShowToolButtons("hide");
    ShowPageButtons("display");
}
