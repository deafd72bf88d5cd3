#pragma once
// The settings dialog: the default album folder, whether it follows the last used folder, and the
// snapshot browser's warning and sorting. It loads the settings in memory when it is made and
// copies them back only on OK; nothing is stored before the application ends.

#include <QDialog>

class AppState;
class QCheckBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;

class frmConfigure : public QDialog {
    Q_OBJECT
public:
    explicit frmConfigure(AppState& state, QWidget* parent = nullptr);

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

    AppState& m_state;
};
