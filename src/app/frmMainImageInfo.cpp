// The image information window's command: one window at most, shown beside the main window and
// filled afresh each time it is called.

#include "controller/AppMode.h"
#include "frmMain.h"

#include "dialogs/plgnImageInfo.h"

void frmMain::DoPluginImageInfo() {
    if (!m_imageInfo)
        m_imageInfo = new plgnImageInfo(m_state.seam(), m_state.storybook(), m_state.controller(), this);
    m_imageInfo->show();
    m_imageInfo->raise();
    m_imageInfo->activateWindow();
    // A window manager may keep the focus where it is; the fields are filled all the same.
    m_imageInfo->Form_Activate();
}

plgnImageInfo* frmMain::imageInfo() const {
    return m_imageInfo;
}
