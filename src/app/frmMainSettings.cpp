// The settings command: the settings dialog, made afresh for each showing.

#include "frmMain.h"

#include "platform/PlatformSeam.h"
#include "settings/frmConfigure.h"

void frmMain::ShowSettingsDialog() {
    frmConfigure dialog({m_state.strDefaultStorybookPath, m_state.blnSetDefaultToLastUsedPath,
                         m_state.strLoadImageCacheWarning, m_state.blnLoadImageSortByDate});
    refresh();
    m_state.seam().runModal(dialog);
    if (dialog.sortTouched())
        m_state.strStorybookCachePath.clear();
    if (dialog.result() != QDialog::Accepted)
        return;
    const ConfigureValues& values = dialog.values();
    m_state.strDefaultStorybookPath = values.defaultStorybookPath;
    m_state.blnSetDefaultToLastUsedPath = values.setDefaultToLastUsedPath;
    m_state.strLoadImageCacheWarning = values.loadImageCacheWarning;
    m_state.blnLoadImageCacheWarning = values.loadImageCacheWarning == "True";
    m_state.blnLoadImageSortByDate = values.loadImageSortByDate;
}
