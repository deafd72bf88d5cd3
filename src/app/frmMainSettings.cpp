// The settings command: the settings dialog, made afresh for each showing.

#include "frmMain.h"

#include "platform/PlatformSeam.h"
#include "settings/frmConfigure.h"

void frmMain::ShowSettingsDialog() {
    frmConfigure dialog(m_state.settings);
    refresh();
    m_state.seam().runModal(dialog);
    if (dialog.sortTouched())
        m_state.strStorybookCachePath.clear();
    if (dialog.result() != QDialog::Accepted)
        return;
    m_state.settings = dialog.values();
}
