// The about box and the outside documents: help, home page and licence text.

#include "frmMain.h"

#include "dialogs/frmAbout.h"
#include "platform/PlatformSeam.h"

void frmMain::ShowAboutBox() {
    DrawStartScreen();
    m_state.seam().runModal(aboutBox());
    // The box is destroyed when it closes; the next showing builds it afresh.
    delete m_about;
}

void frmMain::ShowHelpFile() {
    aboutBox().LaunchWebBrowser("helpfile.html");
}

void frmMain::ShowHomePage() {
    aboutBox().LaunchWebBrowser("HOMEPAGE");
}

void frmMain::ShowLicenseAgreement() {
    m_state.seam().openInTextEditor(aboutBox().applicationFolder() + "/kvl-fsla.txt");
}
