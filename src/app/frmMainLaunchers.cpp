// The about box and the outside documents: help, home page and licence text.

#include "frmMain.h"

#include "dialogs/frmAbout.h"
#include "platform/PlatformSeam.h"

void frmMain::ShowAboutBox() {
    DrawStartScreen();
    refresh();
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
    PlatformSeam& seam = m_state.seam();
    const std::string path = aboutBox().applicationFolder() + "/kvl-fsla.txt";
    // The path is not checked first: a missing licence is the editor's to report, and here the
    // editor's failure is reported for it.
    seam.openInTextEditor(path, [&seam, path] {
        if (frmAbout::FileExists(path))
            frmAbout::reportNoProgram(seam, path)();
        else
            seam.messageBox("Licence text not found: " + path, MessageButtons::Ok, MessageIcon::Critical,
                            "Invalid Path");
    });
}
