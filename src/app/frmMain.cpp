#include "frmMain.h"

#include "AppVersion.h"
#include "artwork/FaceArtwork.h"
#include "dialogs/frmAbout.h"
#include "platform/Controls.h"
#include "platform/PictureArea.h"
#include "platform/StoryTextBox.h"
#include "platform/Twips.h"

frmMain::frmMain(AppState& state, QWidget* parent) : FramelessWindow(parent), m_state(state) {
    setObjectName(QStringLiteral("frmMain"));
    setFont(fontForPoints(kSansFamily, 8.25));
    QPalette palette = this->palette();
    palette.setColor(QPalette::Window, QColor(0, 0, 64));
    setPalette(palette);
    setFacePicture(backgroundFace());
    createControls();
    connectCommandControls();
    connectKeys();
    connect(this, &FramelessWindow::faceMouseMoved, this, &frmMain::Form_MouseMove);
}

frmMain::~frmMain() = default;

frmAbout& frmMain::aboutBox() {
    if (!m_about)
        m_about = new frmAbout(m_state.seam(), m_state.environment().programFolder, this);
    return *m_about;
}
