#pragma once
// The settings dialog: the default album folder, whether it follows the last used folder, and the
// snapshot browser's warning and sorting. It is given the settings in memory when it is made and
// hands them back changed only on OK; nothing is stored before the application ends.

#include "StoredSettings.h"

#include <QDialog>

#include <string>

class QCheckBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;

class frmConfigure : public QDialog {
    Q_OBJECT
public:
    explicit frmConfigure(StoredSettings values, QWidget* parent = nullptr);

    // The values as OK left them (as given while the dialog was not accepted).
    const StoredSettings& values() const { return m_values; }
    // The sort box changed, by the user or by the dialog's own loading: the snapshot browser must
    // scan its folder afresh, whatever the dialog's outcome.
    bool sortTouched() const { return m_sortTouched; }

    QGroupBox* Frame1 = nullptr;
    QLabel* Label1 = nullptr;
    QLineEdit* txtDefaultStorybookPath = nullptr;
    QPushButton* cmdPathDefault = nullptr;
    QCheckBox* chkRevert = nullptr;
    QPushButton* cmdPathCurrent = nullptr;
    QCheckBox* chkLastUsed = nullptr;
    QGroupBox* Frame2 = nullptr;
    QCheckBox* Check1 = nullptr;
    QGroupBox* Frame3 = nullptr;
    QCheckBox* chkSortThumbnails = nullptr;
    QCheckBox* chkImageCache = nullptr;
    QPushButton* cmdOk = nullptr;
    QPushButton* Command2 = nullptr;

private:
    void createControls();
    void Form_Load();
    void cmdOk_Click();
    void Command2_Click();
    void chkLastUsed_Click();
    void chkSortThumbnails_Click();

    StoredSettings m_values;
    bool m_sortTouched = false;
};
