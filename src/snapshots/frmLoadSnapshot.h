#pragma once
// The snapshot browser: a modal dialog that scans the album's folder (or reuses the last scan), lists
// its snapshots by lot, all or only the unused ones, shows each thumbnail and hands back a result
// word and a file name. It never calls the main window; the caller reads the two values after the
// dialog has closed. Input while the scan runs never closes the dialog under the scan: a close asked
// for then stops the scan first, and a scan that did not finish is not kept. It hands back only a
// snapshot that can become a page: a name the album can store, a readable regular file whose JPEG
// header reads; a listed file found gone leaves the list, and the kept scan, when it is noticed.

#include "SnapshotLists.h"
#include "SnapshotNavigation.h"
#include "SnapshotScan.h"

#include <QDialog>

#include <array>
#include <string>
#include <string_view>
#include <vector>

class ColorButton;
class PictureArea;
class PlatformSeam;
class QCheckBox;
class QLineEdit;
class QListWidget;
struct Storybook;

// What the browser works on. The scan and the cache path outlive the dialog: while the album's folder
// equals strStorybookCachePath the scan is reused.
struct SnapshotBrowserInput {
    PlatformSeam& seam;
    const Storybook& album;
    SnapshotScan& scan;
    std::string& strStorybookCachePath;
    std::string varStorybookFolder; // ends in '/'
    bool blnLoadImageSortByDate = true;
};

// What the user chose: nothing yet (still browsing, or closed), or where the snapshot goes.
enum class SnapshotChoice { Browsing, Replace, Insert, InsertBeginning, InsertEnd };

class frmLoadSnapshot : public QDialog {
    Q_OBJECT
public:
    explicit frmLoadSnapshot(SnapshotBrowserInput input, QWidget* parent = nullptr);
    ~frmLoadSnapshot() override;

    // The result: Browsing unless a commit button closed the dialog, and the chosen file name.
    SnapshotChoice choice() const { return m_choice; }
    const std::string& varSelectedSnapshot() const { return m_selected; }

    // Runs once, when the dialog is first shown: the caching message, the scan and the lists.
    void Form_Activate();

    // Handlers, as the controls and keys reach them.
    void chkShowUnused_Click();
    void lbxLots_Click();
    void btnBack_Click();
    void btnForward_Click();
    void cmdInsert_Click(int Index);
    void cmdReplace_Click();
    void cmdOther_Click();
    // A key pressed on one of the browser's controls.
    void HandleBrowserKey(const QObject* on, int key, int shift);
    void NavigateSnapshots(std::string_view word);

    int intCurrentSnapshot() const { return m_current; }
    const LoadedSnapshots& loadedSnapshots() const { return m_loaded; }
    bool scanning() const { return m_scanning; }

    QListWidget* lbxLots = nullptr;
    ColorButton* btnBack = nullptr;
    QLineEdit* txtNofN = nullptr;
    ColorButton* btnForward = nullptr;
    QCheckBox* chkShowUnused = nullptr;
    QLineEdit* txtCurrentFN = nullptr;
    PictureArea* pbxThumbnail = nullptr;
    std::array<ColorButton*, 3> cmdInsert{};
    ColorButton* cmdReplace = nullptr;
    ColorButton* cmdOther = nullptr;

public slots:
    void done(int result) override;
    void reject() override;

protected:
    void showEvent(QShowEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    enum class FocusMove { None, Before, After };
    static constexpr double kCounterPoints = 13.5;

    // frmLoadSnapshotLayout.cpp
    void createControls();
    QWidget* frame(const char* caption, int left, int top, int width, int height);
    void arrangeTabOrder();
    void connectControls();

    void ShowCachingMessage();
    void InitSnapshotBrowser();
    void ScanSnapshotFolder();
    void rebuildLists();
    void fillLotList();
    // frmLoadSnapshotShow.cpp
    void ShowThumbnail();
    void printInPicture(int left, int top, double points, const std::string& text);
    void SetCommitButtonsEnabled(bool enabled);
    void showCounter(const QString& text);
    void showRow(int row);
    void clearShownRow();
    const std::string& listedName(int row) const;
    bool isGone(int row) const;
    void dropRow(int row);

    void commit(SnapshotChoice choice);
    std::string snapshotProblem(bool& gone) const;
    void refuse(std::string_view reason);
    void CloseSnapshotBrowser();
    void Form_Unload();
    void keyDown(const QObject* on, int key, int shift, FocusMove focus);
    bool isInsertButton(const QObject* control) const;
    void navigateAndFocus(std::string_view word);

    SnapshotBrowserInput m_input;
    LoadedSnapshots m_loaded;
    std::vector<std::string> m_lotItems; // the texts of lbxLots, as bytes
    SnapshotFilter m_filter;
    int m_current = 0;
    std::string m_shownName;   // the listed file shown now; a commit takes this, never typed text
    std::string m_nameProblem; // why the album cannot store m_shownName; empty when it can
    bool m_thumbnailFailed = false;
    SnapshotChoice m_choice = SnapshotChoice::Browsing;
    std::string m_selected;
    bool m_activated = false;
    bool m_scanning = false;
    bool m_scanComplete = false;
    bool m_closeRequested = false;
    bool m_unloaded = false;
};
