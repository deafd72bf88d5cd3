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
    connectPageControls();
    connectCommandControls();
    connectKeys();
    connect(this, &FramelessWindow::faceMouseMoved, this, &frmMain::Form_MouseMove);
}

void frmMain::connectPageControls() {
    connect(pbxShow, &PictureArea::clicked, this, &frmMain::pbxShow_Click);
    connect(rtbViewer, &StoryTextBox::mouseReleased, this, [this](int) { rtbViewer_MouseUp(); });
    for (std::size_t index = 0; index < cmdNav.size(); ++index)
        connect(cmdNav[index], &QPushButton::clicked, this,
                [this, index] { cmdNav_Click(static_cast<int>(index)); });
}

frmMain::~frmMain() = default;

frmAbout& frmMain::aboutBox() {
    if (!m_about)
        m_about = new frmAbout(m_state, this);
    return *m_about;
}
