// The settings command: the settings dialog, made afresh for each showing.

#include "frmMain.h"

#include "platform/PlatformSeam.h"
#include "settings/frmConfigure.h"

void frmMain::ShowSettingsDialog() {
    frmConfigure dialog(m_state);
    m_state.seam().runModal(dialog);
}
