// Full-screen mode: the window covers the screen it stands on, a dark backdrop hides the artwork,
// the picture is enlarged and centred with the story text under it, and the navigation buttons go.
// Leaving returns to the window layout and puts the window back exactly where it stood.

#include "controller/AppMode.h"
#include "frmMain.h"

#include "FullScreenLayout.h"
#include "platform/Controls.h"
#include "platform/PictureArea.h"
#include "platform/PopupMenu.h"
#include "platform/StoryTextBox.h"
#include "platform/Twips.h"

#include <QGuiApplication>
#include <QScreen>

namespace {
QRect twipsToPixelRect(double left, double top, double width, double height) {
    return {twipsToPixels(left), twipsToPixels(top), twipsToPixels(width), twipsToPixels(height)};
}
} // namespace

void frmMain::ToggleFullScreen() {
    if (m_state.blnFullScreen) {
        leaveFullScreen();
        return;
    }
    if (m_state.controller().canEnterFullScreen())
        enterFullScreen();
}

QRect frmMain::screenArea() const {
    const QScreen* shownOn = screen() ? screen() : QGuiApplication::primaryScreen();
    return shownOn ? shownOn->geometry() : QRect(0, 0, width(), height());
}

void frmMain::enterFullScreen() {
    const WindowModeSizes sizes{double(pixelsToTwips(height())), double(pbxShow->widthTwips()),
                                double(pbxShow->heightTwips()), double(pixelsToTwips(rtbViewer->height()))};
    storeWindowPlace();
    // The 16-bit place cannot hold every position on a desktop of several screens; this one can.
    m_placeBeforeFullScreen = pos();

    const QRect screenPixels = screenArea();
    // Asked of the window manager as well, so that no panel of the desktop stays in front.
    setWindowState(windowState() | Qt::WindowFullScreen);
    setFixedSize(screenPixels.size());
    move(screenPixels.topLeft());
    const FullScreenLayout layout =
        fullScreenLayout(pixelsToTwips(screenPixels.width()), pixelsToTwips(screenPixels.height()), sizes);
    pbxShow->setGeometry(
        twipsToPixelRect(layout.pictureLeft, layout.pictureTop, layout.pictureWidth, layout.pictureHeight));
    pbxBlanket->setGeometry(0, 0, width(), height());
    pbxBlanket->show();
    m_navigationRow->hide();
    rtbViewer->setGeometry(
        twipsToPixelRect(layout.textLeft, layout.textTop, layout.textWidth, layout.textHeight));

    m_state.blnFullScreen = true;
    DisplayCurrentPage();
}

void frmMain::leaveFullScreen() {
    setWindowState(windowState() & ~Qt::WindowFullScreen);
    SetWindowMode();
    m_state.blnFullScreen = false;
    showPageAfresh();
    move(m_placeBeforeFullScreen);
}
