#pragma once
// The main window: a caption-less face of artwork with the picture area, the story text box, the
// navigation buttons, the toolbar hotspots, the side buttons, the mode line and the popup menu.
// One class whose handlers live in files by area (frmMainLayout.cpp, frmMainStartup.cpp, ...).
// It shows what the album document reports and works on the shared state it is given.

#include "AppState.h"
#include "Commands.h"
#include "KeyTable.h"
#include "SnapshotCache.h"
#include "document/Message.h"
#include "document/StorybookWriter.h"
#include "platform/FramelessWindow.h"
#include "snapshots/SnapshotScan.h"

#include <QPointer>

#include <array>
#include <functional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

class ColorButton;
class ImageHotspot;
class PictureArea;
class PictureButton;
class PopupMenu;
class QLabel;
class StoryTextBox;
class TransparentLabel;
class frmAbout;
class plgnImageInfo;
struct CommandStep;

// How the unsaved-changes question may be answered, and what came of it.
enum class UnsavedChoices { SaveOrDiscard, SaveDiscardOrCancel };
enum class UnsavedOutcome { NoChanges, Saved, SaveFailed, Discarded, Cancelled };

class frmMain : public FramelessWindow {
    Q_OBJECT
public:
    explicit frmMain(AppState& state, QWidget* parent = nullptr);
    ~frmMain() override;

    AppState& state() { return m_state; }

    // Start-up and shut-down (frmMainStartup.cpp).
    void Form_Load();
    void Form_Unload(bool& cancel);
    void UnloadAllForms(std::string FormToIgnore);
    void LoadSettings();
    void SaveSettings();
    // True once the application was asked to end at once (nothing is saved then).
    bool endRequested() const { return m_endRequested; }

    // Layout, start screen and toolbar (frmMainLayout.cpp, frmMainStartScreen.cpp).
    void SetWindowMode();
    void DrawStartScreen();
    void DrawToolbarLabels();
    void HighlightButton(std::string_view name);
    void Form_MouseMove(int Button);

    // Help, about box and outside documents (frmMainLaunchers.cpp).
    void ShowAboutBox();
    void ShowHelpFile();
    void ShowHomePage();
    void ShowLicenseAgreement();

    // Page display (frmMainDisplay.cpp).
    void DisplayCurrentPage();
    void ShowPageImage();
    void RefreshDisplay(std::string_view strAction);
    void ShowPageButtons(std::string_view strAction);
    void ShowToolButtons(std::string_view strAction);
    void CommitTextEdit();
    void SetApplicationMode(std::string_view mode);
    void pbxShow_Click();
    void rtbViewer_MouseUp();
    void rtbViewer_DblClick();
    void pbxDynaStretch();

    // Page navigation (frmMainNavigation.cpp).
    void cmdNav_Click(int Index);
    void PageBack(int pages);
    void PageForward(int pages);

    // The Open command (frmMainOpen.cpp).
    void OpenStorybook();
    void LoadStorybook();
    void ShowLogFileText();

    // Commands (frmMainCommands.cpp): every control and key reaches a command through runCommand.
    void runCommand(Command command);
    // The calls a control's click makes, from the command table.
    void clickControl(std::string_view control);
    void runSteps(std::span<const CommandStep> steps);
    // Brings what the controls enable in line with the mode, after every command.
    void updateActions();
    void EmptyProcedure();
    void rtbViewer_LostFocus();
    void pbxShow_GotFocus();
    // Told of each command as it begins.
    std::function<void(Command)> onCommand;

    // The popup menu and the pin (frmMainPopup.cpp).
    void ShowPopupMenu();
    void pbxShow_MouseDown(int Button);
    void pbxBlanket_MouseDown(int Button);
    void Form_MouseDown(int Button);
    void sbtnSticky_Click();
    void sbtnStuck_Click();

    // The one question about unsaved changes (frmMainUnsaved.cpp).
    bool hasUnsavedChanges() const;
    UnsavedOutcome askAboutUnsavedChanges(UnsavedChoices choices);

    // Page editing (frmMainEditing.cpp).
    void ToggleEditMode();
    void BeginRelocatePage();
    void CopyPageToBuffer();
    void DropRelocatedPage();
    void ConfirmDeletePage();
    void ConfirmReversePages();
    void CycleOverlayCaptions();

    // Tool panel, settings and exit (frmMainTools.cpp).
    void ToggleToolButtons();
    void ShowSettingsDialog();
    void ExitApplication(ExitConfirmation confirmation);

    // Save and Save As (frmMainSave.cpp).
    void SaveStorybook();
    void SaveStorybookAs();
    // The names of the pictures that could not be copied; the others are copied all the same.
    std::vector<std::string> CopyStorybookImages(const std::string& sourceFolder);

    // The snapshot command (frmMainSnapshot.cpp).
    void ShowSnapshotBrowser();

    // Full-screen mode and the image information window (frmMainFullScreen.cpp, frmMainImageInfo.cpp).
    void ToggleFullScreen();
    void DoPluginImageInfo();
    plgnImageInfo* imageInfo() const;

    // The keyboard (frmMainKeys.cpp).
    void HandleKeyDown(std::string_view strControl, std::int16_t KeyCode, std::int16_t Shift);
    void HandleKeyUp(std::string_view strControl, std::int16_t KeyCode, std::int16_t Shift);
    void ScrollViewerText(std::string_view strDirection);
    void cmdNav_KeyDown(int Index, std::int16_t KeyCode, std::int16_t Shift);
    void pbxShow_KeyDown(std::int16_t KeyCode, std::int16_t Shift);
    void rtbViewer_KeyDown(std::int16_t KeyCode, std::int16_t Shift);
    void pbxThumbnail_KeyDown(std::int16_t KeyCode, std::int16_t Shift);
    void cmdNav_KeyUp(int Index, std::int16_t KeyCode, std::int16_t Shift);
    void pbxShow_KeyUp(std::int16_t KeyCode, std::int16_t Shift);
    void rtbViewer_KeyUp(std::int16_t KeyCode, std::int16_t Shift);

    // What the album document reports, shown and acted on (frmMainHost.cpp).
    MessageAnswer messageBox(std::string_view text, MessageButtons buttons, MessageIcon icon,
                             std::string_view title);
    MessageAnswer showMessage(const Message& message);
    // Ends the application at once, writing nothing.
    void endApplication();
    void showSavingPicture();
    void hideSavingPicture();
    void setApplicationMode(std::string_view mode);
    // Saves the album to path with the saving picture shown, and marks it saved when it was.
    SaveOutcome saveAlbum(const std::string& path);
    // Deletes the page shown and shows the one that takes its place; the only page stays.
    void deleteShownPage();
    // The clock, for a new page: the short date, a blank and the time as "HH:mm:ss".
    static std::string timeStampNow();

    // The controls, by their names.
    PictureArea* pbxShow = nullptr;
    StoryTextBox* rtbViewer = nullptr;
    std::array<ColorButton*, 6> cmdNav{};
    TransparentLabel* lblApplicationMode = nullptr;
    TransparentLabel* lblBragBox = nullptr;
    ImageHotspot* btnLoad = nullptr;
    ImageHotspot* btnSave = nullptr;
    ImageHotspot* btnSaveAs = nullptr;
    ImageHotspot* btnEdit = nullptr;
    ImageHotspot* btnImage = nullptr;
    ImageHotspot* btnTools = nullptr;
    ImageHotspot* btnExit = nullptr;
    ImageHotspot* btnView = nullptr;
    PictureArea* pbxBlanket = nullptr;
    PictureButton* sbtnDelete = nullptr;
    PictureButton* sbtnTools1 = nullptr;
    PictureButton* sbtnMovePg = nullptr;
    PictureButton* sbtnSticky = nullptr;
    PictureButton* sbtnStuck = nullptr;
    PictureButton* sbtnTools2 = nullptr;
    PictureButton* sbtnTools3 = nullptr;
    PictureButton* sbtnTools4 = nullptr;
    PictureButton* sbtnTools5 = nullptr;
    PictureArea* pbxThumbnail = nullptr;
    QLabel* imgSaving = nullptr;
    PopupMenu* mnuPopup = nullptr;

    // The about box instance, created on first use (also when only its launcher is needed).
    frmAbout& aboutBox();
    // The pictures shown and decoded ahead; tests and benchmarks wait on it.
    SnapshotCache& snapshots() { return m_snapshots; }

protected:
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // frmMainLayout.cpp
    void createControls();
    void createToolbar();
    void createNavigationButtons();
    void createSideButtons();
    void createPopupMenu();
    void arrangeStackingAndTabs();
    void connectPageControls();
    void connectCommandControls();
    void showMovedThumbnail();
    void finishWorkInProgress();

    void storeWindowPlace();

    // frmMainKeys.cpp, frmMainFullScreen.cpp
    void connectKeys();
    void followHeldKeys(std::int16_t shift);
    void runKeySteps(const std::vector<KeyStep>& steps);
    QRect screenArea() const;
    void enterFullScreen();
    void leaveFullScreen();

    // frmMainDisplay.cpp, frmMainOpen.cpp
    std::string currentStoryText() const;
    void storeStoryText();
    void showMode(std::string_view mode);
    void failLoad(const Message& failure);
    void leaveNothingOpen();

    // frmMainSnapshot.cpp
    void applySnapshotResult(std::string_view result);

    AppState& m_state;
    QPointer<frmAbout> m_about;
    QPointer<plgnImageInfo> m_imageInfo;
    QPoint m_placeBeforeFullScreen;
    SnapshotCache m_snapshots;
    SnapshotScan m_snapshotScan; // the folder scan, reused while the folder is strStorybookCachePath
    HeldAtKeyDown m_heldAtKeyDown;
    bool m_endRequested = false;
    bool m_unloaded = false;
};
