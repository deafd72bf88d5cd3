#pragma once
// The main window: a caption-less face of artwork with the picture area, the story text box, the
// navigation buttons, the toolbar hotspots, the side buttons, the mode line and the popup menu.
// One class whose handlers live in files by area (frmMainLayout.cpp, frmMainStartup.cpp, ...).
// Every control and key raises a command through the one command table (frmMainCommands.cpp);
// commands change the state, and refresh() then sets what is shown and enabled. The mode, the page
// and the saved flag, with the rules of the commands, are the controller's (MainController). It
// shows what the album document reports and works on the shared state it is given.

#include "AppState.h"
#include "CommandTable.h"
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
class QAction;

// How the unsaved-changes question may be answered, and what came of it.
enum class UnsavedChoices { SaveOrDiscard, SaveDiscardOrCancel };
enum class UnsavedOutcome { NoChanges, Saved, SaveFailed, Discarded, Cancelled };
enum class ScrollDirection { Up, Down };
// The group of side buttons on show.
enum class SidePanel { None, PageButtons, ToolButtons };
// What the story box shows: nothing, the page's story, or the album file's lines (behind a parser
// message, or in an album without pages).
enum class StoryShown { Nothing, PageStory, FileLines };

class frmMain : public FramelessWindow {
    Q_OBJECT
public:
    explicit frmMain(AppState& state, QWidget* parent = nullptr);
    ~frmMain() override;

    // Start-up (frmMainStartup.cpp).
    void Form_Load();
    // True once the application was asked to end at once (nothing is saved then).
    bool endRequested() const { return m_endRequested; }
    // At start-up the pages ahead wait until the first frame is out: decoding them beside it slows
    // the frame more than the work is worth.
    void holdDecodingAhead() { m_decodingAheadHeld = true; }
    void releaseDecodingAhead();

    // Commands (frmMainCommands.cpp): every control, popup item and key runs its row of the command
    // table, as this does. A command whose guard fails does nothing.
    void runCommand(Command command);
    const std::vector<CommandRow>& commands() const { return m_commands; }
    // Brings what the window shows and enables in line with the state, after every command.
    void refresh();
    // Tells the observer of each command as it begins.
    void observeCommands(std::function<void(Command)> observer) { m_onCommand = std::move(observer); }

    // Steps of the window that tests and benchmarks take alone, outside any command.
    // Lights the hotspot; none takes every light off.
    void HighlightButton(ImageHotspot* hotspot);
    // The page shown, its picture and story, drawn afresh at the next refresh.
    void DisplayCurrentPage();

    // The image information window, once shown.
    plgnImageInfo* imageInfo() const;
    // The pictures shown and decoded ahead; tests and benchmarks wait on it.
    SnapshotCache& snapshots() { return m_snapshots; }

protected:
    void closeEvent(QCloseEvent* event) override;
    bool event(QEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // The controls, by their names. Tests read what the user sees of them through MainWindowProbe
    // and reach the toolbar hotspots and side buttons through the rows of the command table.
    friend class MainWindowProbe;
    PictureArea* pbxShow = nullptr;
    StoryTextBox* rtbViewer = nullptr;
    std::array<ColorButton*, 6> cmdNav{};
    // Holds the navigation buttons, so that full-screen mode hides and shows them in one step.
    QWidget* m_navigationRow = nullptr;
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

    // Start-up and shut-down (frmMainStartup.cpp, frmMainStartScreen.cpp, frmMainLayout.cpp).
    void SetWindowMode();
    void DrawStartScreen();
    void DrawToolbarLabels();
    // A mouse move over the window's face: the left button drags the window; every move remembers
    // where it stands.
    void Form_MouseMove(int Button);
    void Form_Unload(bool& cancel);
    void UnloadAllForms(std::string FormToIgnore);
    void LoadSettings();
    void SaveSettings();

    // The about box instance, created on first use (also when only its launcher is needed).
    frmAbout& aboutBox();
    // The commands, each run by its row of the command table. Help, about box and outside
    // documents (frmMainLaunchers.cpp).
    void ShowAboutBox();
    void ShowHelpFile();
    void ShowHomePage();
    void ShowLicenseAgreement();

    // Page display and navigation (frmMainDisplay.cpp, frmMainNavigation.cpp).
    void ShowPageImage();
    void stepOverlayCaptions();
    // Marks the page picture to be drawn afresh and drops the side panel unless it is pinned.
    void showPageAfresh();
    // Stores the story typed and returns to viewing, when editing.
    void CommitTextEdit();
    void rtbViewer_MouseUp();
    void cmdNav_Click(int Index);

    // The Open command (frmMainOpen.cpp).
    void OpenStorybook();
    void LoadStorybook();
    // The album file's lines in the story box, from the album they were read into.
    void ShowLogFileText(const Storybook& book);

    void EmptyProcedure();
    void rtbViewer_LostFocus();
    void pbxShow_GotFocus();

    // The popup menu and the pin (frmMainPopup.cpp).
    void ShowPopupMenu();
    void sbtnSticky_Click();
    void sbtnStuck_Click();

    // The one question about unsaved changes (frmMainUnsaved.cpp).
    bool hasUnsavedChanges() const;
    UnsavedOutcome askAboutUnsavedChanges(UnsavedChoices choices);

    // Page editing (frmMainEditing.cpp).
    void ToggleEditMode();
    void EditStoryText();
    void MovePage();
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

    // The keyboard (frmMainKeys.cpp).
    void HandleKeyDown(KeyControl control, std::int16_t KeyCode);
    void HandleKeyUp(KeyControl control, std::int16_t KeyCode);
    void ScrollViewerText(ScrollDirection direction);

    // What the album document reports, shown and acted on (frmMainHost.cpp).
    MessageAnswer messageBox(std::string_view text, MessageButtons buttons, MessageIcon icon,
                             std::string_view title);
    MessageAnswer showMessage(const Message& message);
    // Ends the application at once, writing nothing.
    void endApplication();
    void showSavingPicture();
    void hideSavingPicture();
    // Saves the album to path with the saving picture shown, and marks it saved when it was.
    SaveOutcome saveAlbum(const std::string& path);
    // Deletes the page shown and shows the one that takes its place; the only page stays.
    void deleteShownPage();
    // The clock, for a new page: the short date, a blank and the time as "HH:mm:ss".
    static std::string timeStampNow();

    // frmMainLayout.cpp
    void createControls();
    void createToolbar();
    void createNavigationButtons();
    void createSideButtons();
    void arrangeStackingAndTabs();
    void connectCommandControls();
    std::vector<CommandRow> commandTable();
    void createPopupItems();
    const CommandRow& commandRow(Command command) const;
    // Runs the row's body when the guard holds, with the hotspot that raised it lit as the row
    // says, then refreshes.
    void runRow(const CommandRow& row, Guard guard, ImageHotspot* raisedBy = nullptr);
    // A command run as a step of another: its body, when its guard holds (then true).
    bool runBody(Command command);
    void showMovedThumbnail();
    void finishWorkInProgress();

    void storeWindowPlace();

    // frmMainKeys.cpp, frmMainFullScreen.cpp
    void connectKeys();
    void followHeldKeys(std::int16_t shift);
    void runKey(KeyEdge edge, KeyControl control, std::int16_t keyCode);
    QRect screenArea() const;
    void enterFullScreen();
    void leaveFullScreen();

    // frmMainDisplay.cpp, frmMainOpen.cpp
    std::string currentStoryText() const;
    // The story box shows this from the next refresh on.
    void showStory(StoryShown shown);
    // The caret to the start of the story, for typing (once it is shown, if it is still to be).
    void caretToStart();
    void refreshStory();
    void storeStoryText();
    void tellInsertRefused(std::size_t lineBytes);
    void showSidePanel(SidePanel panel);
    void refreshSideButtons();
    void refreshPage();
    // The navigation buttons' pages, decoded ahead once the page changed, unless held; asked for
    // after the frame that shows the page, so the worker wakes once the user sees it.
    void decodeStaleTargets();
    void decodeStaleTargetsAfterFrame();
    void drawPage();
    void showNoPage();
    void setMode(AppMode mode);
    void returnToViewing();
    void failLoad(const Message& failure);
    void leaveNothingOpen();

    // frmMainSnapshot.cpp
    void applySnapshotResult(AppMode result);

    // A popup item and the row it was made from.
    struct PopupItem {
        QAction* action;
        const CommandRow* row;
        MenuItem::In in;
    };

    AppState& m_state;
    std::vector<CommandRow> m_commands;
    std::vector<PopupItem> m_popupItems;
    QPointer<frmAbout> m_about;
    QPointer<plgnImageInfo> m_imageInfo;
    QPoint m_placeBeforeFullScreen;
    SnapshotCache m_snapshots;
    SnapshotScan m_snapshotScan; // the folder scan, reused while the folder is strStorybookCachePath
    // The album named on the command line, opened at start-up in place of the Open dialog.
    std::string varCommandLineFile;
    // The pin: page turns keep editing and the page buttons stay in view (frmMainPopup.cpp).
    bool blnSticky = false;
    HeldAtKeyDown m_heldAtKeyDown;
    KeysDown m_keysDown;
    // The Ctrl and Alt keys held, as the key events of the three controls tell (frmMainKeys.cpp).
    bool blnCtrlKeyDown = false;
    bool blnAltKeyDown = false;
    // 1 while, in edit mode, the focus left the story text for the page picture (frmMainCommands.cpp).
    std::int16_t intTextHadFocus = 0;
    std::function<void(Command)> m_onCommand;
    SidePanel m_sidePanel = SidePanel::None;
    StoryShown m_storyShown = StoryShown::Nothing;
    std::string m_fileLines;     // what the story box shows of the album file's lines
    bool m_storyStale = false;   // the story box is to be filled afresh
    int m_storyCaret = 1;        // where the caret goes then
    bool m_pageStale = false;    // the page picture is to be drawn afresh
    bool m_targetsStale = false; // the navigation buttons' pages are to be decoded ahead
    bool m_decodingAheadHeld = false;
    bool m_decodeAfterFramePosted = false;
    bool m_endRequested = false;
    bool m_unloaded = false;
};
