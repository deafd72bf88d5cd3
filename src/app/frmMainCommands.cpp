// The command table of the main window, the binding of its controls, and carrying out a command.

#include "CommandTable.h"
#include "controller/AppMode.h"
#include "frmMain.h"

#include "platform/Controls.h"
#include "platform/PictureArea.h"
#include "platform/PopupMenu.h"
#include "platform/QtText.h"
#include "platform/StoryTextBox.h"

#include <QAction>
#include <QEvent>

namespace {

// Calls back when the watched control takes the keyboard focus.
class FocusInWatcher : public QObject {
public:
    FocusInWatcher(QObject* watched, std::function<void()> onFocusIn)
        : QObject(watched), m_onFocusIn(std::move(onFocusIn)) {
        watched->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() == QEvent::FocusIn)
            m_onFocusIn();
        return false;
    }

private:
    std::function<void()> m_onFocusIn;
};

template <auto member> void call(frmMain& window) {
    (window.*member)();
}

KeyBinding down(std::int16_t key, HeldKeys held = HeldKeys::Any, KeyPlace place = KeyPlace::Any,
                KeyMode mode = KeyMode::Any) {
    return {KeyEdge::Down, key, held, place, mode};
}
KeyBinding up(std::int16_t key, HeldKeys held) {
    return {KeyEdge::Up, key, held, KeyPlace::Any, KeyMode::Any};
}
// The page keys turn pages while viewing and while a page is moved.
KeyBinding pageKey(std::int16_t key) {
    return down(key, HeldKeys::Any, KeyPlace::Any, KeyMode::ViewingOrRelocating);
}

} // namespace

std::vector<CommandRow> frmMain::commandTable() {
    using C = Command;
    using H = HeldKeys;
    using P = KeyPlace;
    using M = KeyMode;
    constexpr auto albumShown = &MainController::albumShown;
    const MenuItems& m = m_items;
    const auto nav = [this](int index) -> CommandControl { return cmdNav[std::size_t(index)]; };
    const auto page = [](int index) { return [index](frmMain& window) { window.cmdNav_Click(index); }; };
    return {
        {C::OpenStorybook,
         call<&frmMain::OpenStorybook>,
         {btnLoad, m.open},
         {down(vk::kF2, H::NoCtrl), up(vk::kO, H::Ctrl)},
         nullptr,
         Lit::WhileRunning},
        {C::SaveStorybook,
         call<&frmMain::SaveStorybook>,
         {btnSave, m.save},
         {down(vk::kF3, H::NoCtrl), up(vk::kS, H::Ctrl)},
         &MainController::hasChangesShown,
         Lit::WhileRunning},
        {C::SaveStorybookAs,
         call<&frmMain::SaveStorybookAs>,
         {btnSaveAs, m.saveAs},
         {down(vk::kF4, H::NoCtrlNoAlt)},
         albumShown,
         Lit::WhileRunning},
        {C::CycleOverlayCaptions, call<&frmMain::CycleOverlayCaptions>, {btnView, pbxShow}, {}},
        {C::ToggleEditMode,
         call<&frmMain::ToggleEditMode>,
         {btnEdit},
         {down(vk::kF5, H::NoCtrl), up(vk::kE, H::Ctrl)},
         nullptr,
         Lit::WhileRunning},
        {C::EditStoryText, call<&frmMain::EditStoryText>, {m.editText}, {}, albumShown},
        {C::ShowSnapshotBrowser,
         call<&frmMain::ShowSnapshotBrowser>,
         {btnImage, m.snapshot},
         {down(vk::kInsert, H::Any, P::Picture, M::Viewing), down(vk::kF6, H::NoCtrl)},
         albumShown,
         Lit::WhileRunning},
        {C::ToggleToolButtons,
         call<&frmMain::ToggleToolButtons>,
         {btnTools, sbtnTools2, sbtnTools3, sbtnTools4},
         {down(vk::kF7, H::NoCtrl)},
         nullptr,
         Lit::WhileRunning},
        {C::ExitApplication,
         [](frmMain& window) { window.ExitApplication(ExitConfirmation::None); },
         {btnExit, m.exit},
         {},
         nullptr,
         Lit::Stays},
        {C::ExitApplicationConfirmed,
         [](frmMain& window) { window.ExitApplication(ExitConfirmation::Ask); },
         {},
         {down(vk::kEscape, H::Any, P::PictureOrNavButton), down(vk::kF8, H::NoCtrl), up(vk::kF4, H::Alt)}},
        {C::ShowHelpFile, call<&frmMain::ShowHelpFile>, {m.helpFile}, {}},
        {C::ShowAboutBox, call<&frmMain::ShowAboutBox>, {m.about}, {down(vk::kF1, H::NoCtrl)}},
        {C::ShowLicenseAgreement, call<&frmMain::ShowLicenseAgreement>, {m.licence}, {}},
        {C::ShowHomePage, call<&frmMain::ShowHomePage>, {m.homePage}, {}},
        {C::MovePage, call<&frmMain::MovePage>, {m.movePage}, {up(vk::kM, H::Ctrl)}, albumShown},
        {C::BeginRelocatePage, call<&frmMain::BeginRelocatePage>, {sbtnMovePg}, {}},
        // Before the page turns: Enter drops a moved page and, the drop back in viewing, turns a page.
        {C::DropRelocatedPage,
         call<&frmMain::DropRelocatedPage>,
         {pbxThumbnail},
         {down(vk::kEnter, H::NoCtrlNoAlt, P::Any, M::Relocating)}},
        {C::ConfirmDeletePage,
         call<&frmMain::ConfirmDeletePage>,
         {m.deletePage, sbtnDelete},
         {down(vk::kDelete, H::Any, P::Picture, M::Viewing)},
         albumShown},
        {C::ConfirmReversePages,
         call<&frmMain::ConfirmReversePages>,
         {m.reverse, sbtnTools5},
         {},
         albumShown},
        {C::PinPageButtons, call<&frmMain::sbtnSticky_Click>, {sbtnSticky}, {}},
        {C::UnpinPageButtons, call<&frmMain::sbtnStuck_Click>, {sbtnStuck}, {}},
        {C::DoPluginImageInfo,
         call<&frmMain::DoPluginImageInfo>,
         {m.view},
         {up(vk::kF1, H::Ctrl)},
         albumShown},
        {C::ToggleFullScreen,
         call<&frmMain::ToggleFullScreen>,
         {m.fullScreen, m.windowMode},
         {up(vk::kEnter, H::CtrlOrAlt)},
         albumShown},
        {C::ShowSettingsDialog, call<&frmMain::ShowSettingsDialog>, {m.settings, sbtnTools1}, {}},
        {C::PageBack, page(0), {nav(0)}, {pageKey(vk::kLeft)}},
        {C::PageBackTen, page(1), {nav(1)}, {pageKey(vk::kPageUp)}},
        {C::FirstPage, page(2), {nav(2)}, {pageKey(vk::kHome)}},
        {C::PageForward,
         page(3),
         {nav(3)},
         {pageKey(vk::kRight), down(vk::kEnter, H::NoCtrlNoAlt, P::Any, M::Viewing)}},
        {C::PageForwardTen, page(4), {nav(4)}, {pageKey(vk::kPageDown)}},
        {C::LastPage, page(5), {nav(5)}, {pageKey(vk::kEnd)}},
        {C::ScrollTextUp,
         [](frmMain& window) { window.ScrollViewerText(ScrollDirection::Up); },
         {},
         {pageKey(vk::kUp)}},
        {C::ScrollTextDown,
         [](frmMain& window) { window.ScrollViewerText(ScrollDirection::Down); },
         {},
         {pageKey(vk::kDown)}},
        {C::ShowPopupMenu,
         call<&frmMain::ShowPopupMenu>,
         {RightPress{pbxShow}, RightPress{pbxBlanket}, RightPress{this}},
         {}},
        {C::CopyStorySelection, call<&frmMain::rtbViewer_MouseUp>, {MouseUp{rtbViewer}}, {}},
        {C::EmptyProcedure, call<&frmMain::EmptyProcedure>, {}, {up(vk::kF2, H::Ctrl)}},
    };
}

std::vector<KeyMatch> rowsForKey(const std::vector<CommandRow>& table, KeyEdge edge, std::int16_t keyCode,
                                 bool ctrlHeld, bool altHeld, KeyControl control) {
    std::vector<KeyMatch> rows;
    for (const CommandRow& row : table)
        for (const KeyBinding& key : row.keys)
            if (keyMatches(key, edge, keyCode, ctrlHeld, altHeld, control)) {
                rows.push_back({&row, key.mode});
                break;
            }
    return rows;
}

void frmMain::connectCommandControls() {
    m_commands = commandTable();
    for (const CommandRow& row : m_commands) {
        const Command command = row.command;
        for (const CommandControl& control : row.controls) {
            if (auto* hotspot = std::get_if<ImageHotspot*>(&control)) {
                ImageHotspot* raised = *hotspot;
                connect(raised, &ImageHotspot::clicked, this,
                        [this, command, raised] { runCommand(command, raised); });
            } else if (auto* button = std::get_if<PictureButton*>(&control)) {
                connect(*button, &QAbstractButton::clicked, this, [this, command] { runCommand(command); });
            } else if (auto* navButton = std::get_if<ColorButton*>(&control)) {
                connect(*navButton, &QAbstractButton::clicked, this,
                        [this, command] { runCommand(command); });
            } else if (auto* picture = std::get_if<PictureArea*>(&control)) {
                connect(*picture, &PictureArea::clicked, this, [this, command] { runCommand(command); });
            } else if (auto* item = std::get_if<QAction*>(&control)) {
                connect(*item, &QAction::triggered, this, [this, command] { runCommand(command); });
            } else if (auto* press = std::get_if<RightPress>(&control)) {
                const auto onPress = [this, command](int button) {
                    if (button == 2)
                        runCommand(command);
                };
                if (auto* area = qobject_cast<PictureArea*>(press->on))
                    connect(area, &PictureArea::mousePressed, this, onPress);
                else
                    connect(this, &FramelessWindow::faceMousePressed, this, onPress);
            } else if (auto* release = std::get_if<MouseUp>(&control)) {
                connect(release->on, &StoryTextBox::mouseReleased, this,
                        [this, command](int) { runCommand(command); });
            }
        }
    }

    connect(rtbViewer, &StoryTextBox::focusLost, this, &frmMain::rtbViewer_LostFocus);
    // Told once the paste or drop has returned, so that no box waits inside it.
    connect(rtbViewer, &StoryTextBox::insertRefused, this, &frmMain::tellInsertRefused, Qt::QueuedConnection);
    new FocusInWatcher(pbxShow, [this] { pbxShow_GotFocus(); });
}

const CommandRow& frmMain::commandRow(Command command) const {
    for (const CommandRow& row : m_commands)
        if (row.command == command)
            return row;
    // Every command has its row; a missing one is a fault of the table.
    std::abort();
}

void frmMain::runCommand(Command command, ImageHotspot* raisedBy) {
    const CommandRow& row = commandRow(command);
    const bool lit = raisedBy && row.lit != Lit::No;
    if (lit)
        HighlightButton(raisedBy);
    if (m_onCommand)
        m_onCommand(command);
    row.run(*this);
    if (lit && row.lit == Lit::WhileRunning)
        HighlightButton(nullptr);
    refresh();
}

// The one place that brings what the window shows and enables in line with the state, after every
// command: the mode line, the page picture with its overlays and "Modified" mark, the side buttons
// and the menu items. The mode line also follows each change of the mode at once, so a box asked
// in the middle of a command stands over the mode it was asked in.
void frmMain::refresh() {
    const MainController& controller = m_state.controller();
    lblApplicationMode->setText(qText(modeText(controller.mode())));
    refreshPage();
    refreshSideButtons();
    for (const CommandRow& row : m_commands)
        for (const CommandControl& control : row.controls)
            if (auto* item = std::get_if<QAction*>(&control))
                mnuPopup->setItemEnabled(*item, !row.enabled || (controller.*row.enabled)());
}

void frmMain::EmptyProcedure() {}

// Together the two focus handlers send the focus back to the story text when, while editing, it
// passes from the text to the page picture.
void frmMain::rtbViewer_LostFocus() {
    if (m_state.controller().mode() == AppMode::EditStorybook)
        m_state.intTextHadFocus = 1;
}

void frmMain::pbxShow_GotFocus() {
    if (m_state.controller().mode() == AppMode::EditStorybook && m_state.intTextHadFocus == 1) {
        rtbViewer->setFocus();
        m_state.intTextHadFocus = 0;
    }
}
