// Page navigation: the six navigation buttons. Where a button may go is the controller's rule.

#include "controller/AppMode.h"
#include "frmMain.h"

#include "platform/Controls.h"
#include "platform/PictureArea.h"
#include "platform/StoryTextBox.h"

void frmMain::cmdNav_Click(int Index) {
    intTextHadFocus = 0;
    MainController& controller = m_state.controller();
    const PageTurn turn = controller.pageTurn(rtbViewer->locked());
    if (turn == PageTurn::FromViewing) {
        setMode(AppMode::ViewStorybook);
    } else if (turn == PageTurn::FromEditing) {
        // The page being left keeps its edit; with the pin set the next page opens for typing too.
        storeStoryText();
        if (!blnSticky)
            returnToViewing();
    }
    if (turn != PageTurn::Refused) {
        if (Index >= 0 && Index < int(cmdNav.size()))
            controller.turnPage(static_cast<NavButton>(Index));
        DisplayCurrentPage();
    }

    if (blnSticky) {
        rtbViewer->setFocus();
        caretToStart();
    } else {
        pbxShow->setFocus();
    }
}
