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
#include <QMenu>

#include <map>

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
                Guard guard = nullptr) {
    return {KeyEdge::Down, key, held, place, guard};
}
KeyBinding up(std::int16_t key, HeldKeys held, Guard guard = nullptr) {
    return {KeyEdge::Up, key, held, KeyPlace::Any, guard};
}
// In edit mode the page keys are the text box's own: they turn pages while viewing and while a
// page is moved, and the navigation buttons turn them in every mode.
KeyBinding pageKey(std::int16_t key) {
    return down(key, HeldKeys::Any, KeyPlace::Any, &MainController::turningPages);
}

} // namespace

// The popup items stand in the order of their rows, so the rows with items come first, in the
// menu's order.
std::vector<CommandRow> frmMain::commandTable() {
    using C = Command;
    using H = HeldKeys;
    using P = KeyPlace;
    using S = Submenu;
    using MC = MainController;
    const auto nav = [this](int index) -> CommandControl { return cmdNav[std::size_t(index)]; };
    const auto page = [](int index) { return [index](frmMain& window) { window.cmdNav_Click(index); }; };
    return {
        {C::ShowHelpFile, call<&frmMain::ShowHelpFile>, nullptr, {}, {{"Help File", S::Help}}},
        {C::ShowAboutBox,
         call<&frmMain::ShowAboutBox>,
         nullptr,
         {},
         {{"About Brindlecove", S::Help, true}},
         {down(vk::kF1, H::NoCtrl)}},
        {C::ShowLicenseAgreement,
         call<&frmMain::ShowLicenseAgreement>,
         nullptr,
         {},
         {{"License Agreement", S::Help}}},
        {C::ShowHomePage, call<&frmMain::ShowHomePage>, nullptr, {}, {{"Internet Web Site", S::Help, true}}},
        {C::OpenStorybook,
         call<&frmMain::OpenStorybook>,
         nullptr,
         {btnLoad},
         {{"Open Storybook", S::None, true}},
         {down(vk::kF2, H::NoCtrl), up(vk::kO, H::Ctrl)},
         Lit::WhileRunning},
        {C::SaveStorybook,
         call<&frmMain::SaveStorybook>,
         &MC::hasChangesShown,
         {btnSave},
         {{"Save Storybook"}},
         {down(vk::kF3, H::NoCtrl), up(vk::kS, H::Ctrl)},
         Lit::WhileRunning},
        {C::SaveStorybookAs,
         call<&frmMain::SaveStorybookAs>,
         &MC::albumShown,
         {btnSaveAs},
         {{"Save As (xml or html)"}},
         {down(vk::kF4, H::NoCtrlNoAlt)},
         Lit::WhileRunning},
        {C::EditStoryText,
         call<&frmMain::EditStoryText>,
         &MC::albumShown,
         {},
         {{"Edit Story Text", S::EditMode, true}}},
        // Ctrl+M also drops a page being moved, as the move's own button would; the menu offers no drop.
        {C::MovePage,
         call<&frmMain::MovePage>,
         &MC::albumShown,
         {},
         {{"Move Page", S::EditMode}},
         {up(vk::kM, H::Ctrl, &MC::albumShownOrMoving)}},
        // The key acts on the picture while viewing only: in the text box Delete is the text's own,
        // and the page buttons offer the delete while editing.
        {C::ConfirmDeletePage,
         call<&frmMain::ConfirmDeletePage>,
         &MC::albumShown,
         {sbtnDelete},
         {{"Delete Page", S::EditMode}},
         {down(vk::kDelete, H::Any, P::Picture, &MC::inViewMode)}},
        // Insert, as Delete, acts on the picture while viewing only.
        {C::ShowSnapshotBrowser,
         call<&frmMain::ShowSnapshotBrowser>,
         &MC::albumShown,
         {btnImage},
         {{"Snapshot Browser"}},
         {down(vk::kInsert, H::Any, P::Picture, &MC::inViewMode), down(vk::kF6, H::NoCtrl)},
         Lit::WhileRunning},
        {C::DoPluginImageInfo,
         call<&frmMain::DoPluginImageInfo>,
         &MC::albumShown,
         {},
         {{"View Details"}},
         {up(vk::kF1, H::Ctrl)}},
        // The keys leave full-screen mode in any mode; the menu items follow the album items.
        {C::ToggleFullScreen,
         call<&frmMain::ToggleFullScreen>,
         &MC::albumShown,
         {},
         {{"Full-Screen Mode", S::Options, true, MenuItem::In::WindowLayout},
          {"Window Mode", S::Options, false, MenuItem::In::FullScreen}},
         {up(vk::kEnter, H::CtrlOrAlt, &MC::anyMode)}},
        {C::ConfirmReversePages,
         call<&frmMain::ConfirmReversePages>,
         &MC::albumShown,
         {sbtnTools5},
         {{"Reverse page Order", S::Options, true}}},
        {C::ShowSettingsDialog,
         call<&frmMain::ShowSettingsDialog>,
         nullptr,
         {sbtnTools1},
         {{"Application Settings", S::Options}}},
        {C::ExitApplication,
         [](frmMain& window) { window.ExitApplication(ExitConfirmation::None); },
         nullptr,
         {btnExit},
         {{"Exit", S::None, true}},
         {},
         Lit::Stays},

        {C::CycleOverlayCaptions,
         call<&frmMain::CycleOverlayCaptions>,
         &MC::viewingOrEditing,
         {btnView, pbxShow}},
        {C::ToggleEditMode,
         call<&frmMain::ToggleEditMode>,
         &MC::albumShown,
         {btnEdit},
         {},
         {down(vk::kF5, H::NoCtrl), up(vk::kE, H::Ctrl)},
         Lit::WhileRunning},
        {C::ToggleToolButtons,
         call<&frmMain::ToggleToolButtons>,
         nullptr,
         {btnTools, sbtnTools2, sbtnTools3, sbtnTools4},
         {},
         {down(vk::kF7, H::NoCtrl)},
         Lit::WhileRunning},
        // The keyboard's exit is refused while there are unsaved changes.
        {C::ExitApplicationConfirmed,
         [](frmMain& window) { window.ExitApplication(ExitConfirmation::Ask); },
         &MC::canExitFromKeyboard,
         {},
         {},
         {down(vk::kEscape, H::Any, P::PictureOrNavButton), down(vk::kF8, H::NoCtrl), up(vk::kF4, H::Alt)}},
        {C::BeginRelocatePage, call<&frmMain::BeginRelocatePage>, &MC::canBeginMove, {sbtnMovePg}},
        // Before the page turns: Enter drops a moved page and, the drop back in viewing, turns a page.
        {C::DropRelocatedPage,
         call<&frmMain::DropRelocatedPage>,
         &MC::moving,
         {pbxThumbnail},
         {},
         {down(vk::kEnter, H::NoCtrlNoAlt)}},
        {C::PinPageButtons, call<&frmMain::sbtnSticky_Click>, nullptr, {sbtnSticky}},
        {C::UnpinPageButtons, call<&frmMain::sbtnStuck_Click>, nullptr, {sbtnStuck}},
        // The navigation buttons turn pages by the controller's rule in every mode (a refused turn
        // still sends the focus on); their keys are the text box's own in edit mode.
        {C::PageBack, page(0), nullptr, {nav(0)}, {}, {pageKey(vk::kLeft)}},
        {C::PageBackTen, page(1), nullptr, {nav(1)}, {}, {pageKey(vk::kPageUp)}},
        {C::FirstPage, page(2), nullptr, {nav(2)}, {}, {pageKey(vk::kHome)}},
        {C::PageForward,
         page(3),
         nullptr,
         {nav(3)},
         {},
         {pageKey(vk::kRight), down(vk::kEnter, H::NoCtrlNoAlt, P::Any, &MC::inViewMode)}},
        {C::PageForwardTen, page(4), nullptr, {nav(4)}, {}, {pageKey(vk::kPageDown)}},
        {C::LastPage, page(5), nullptr, {nav(5)}, {}, {pageKey(vk::kEnd)}},
        {C::ScrollTextUp,
         [](frmMain& window) { window.ScrollViewerText(ScrollDirection::Up); },
         &MC::turningPages,
         {},
         {},
         {down(vk::kUp)}},
        {C::ScrollTextDown,
         [](frmMain& window) { window.ScrollViewerText(ScrollDirection::Down); },
         &MC::turningPages,
         {},
         {},
         {down(vk::kDown)}},
        {C::ShowPopupMenu,
         call<&frmMain::ShowPopupMenu>,
         nullptr,
         {RightPress{pbxShow}, RightPress{pbxBlanket}, RightPress{this}}},
        {C::CopyStorySelection, call<&frmMain::rtbViewer_MouseUp>, &MC::inViewMode, {MouseUp{rtbViewer}}},
        {C::EmptyProcedure, call<&frmMain::EmptyProcedure>, nullptr, {}, {}, {up(vk::kF2, H::Ctrl)}},
    };
}

std::vector<KeyMatch> rowsForKey(const std::vector<CommandRow>& table, KeyEdge edge, std::int16_t keyCode,
                                 bool ctrlHeld, bool altHeld, KeyControl control) {
    std::vector<KeyMatch> rows;
    for (const CommandRow& row : table)
        for (const KeyBinding& key : row.keys)
            if (keyMatches(key, edge, keyCode, ctrlHeld, altHeld, control)) {
                rows.push_back({&row, key.guard ? key.guard : row.guard});
                break;
            }
    return rows;
}

void frmMain::connectCommandControls() {
    m_commands = commandTable();
    createPopupItems();
    for (const CommandRow& row : m_commands) {
        const Command command = row.command;
        for (const CommandControl& control : row.controls) {
            if (auto* hotspot = std::get_if<ImageHotspot*>(&control)) {
                ImageHotspot* raised = *hotspot;
                connect(raised, &ImageHotspot::clicked, this,
                        [this, &row, raised] { runRow(row, row.guard, raised); });
            } else if (auto* button = std::get_if<PictureButton*>(&control)) {
                connect(*button, &QAbstractButton::clicked, this, [this, command] { runCommand(command); });
            } else if (auto* navButton = std::get_if<ColorButton*>(&control)) {
                connect(*navButton, &QAbstractButton::clicked, this,
                        [this, command] { runCommand(command); });
            } else if (auto* picture = std::get_if<PictureArea*>(&control)) {
                connect(*picture, &PictureArea::clicked, this, [this, command] { runCommand(command); });
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

// Each row's popup items, in the order of the rows; a submenu is made with its first item.
void frmMain::createPopupItems() {
    QMenu* const top = mnuPopup->menu();
    std::map<Submenu, QMenu*> submenus;
    const std::map<Submenu, const char*> submenuTexts = {{Submenu::Help, "Help!"},
                                                         {Submenu::EditMode, "Edit Mode"},
                                                         {Submenu::Options, "Options and Settings"}};
    for (const CommandRow& row : m_commands) {
        for (const MenuItem& item : row.items) {
            QMenu* into = top;
            if (item.submenu != Submenu::None) {
                QMenu*& submenu = submenus[item.submenu];
                if (!submenu) {
                    if (item.lineBefore)
                        top->addSeparator();
                    submenu = top->addMenu(QString::fromLatin1(submenuTexts.at(item.submenu)));
                } else if (item.lineBefore) {
                    submenu->addSeparator();
                }
                into = submenu;
            } else if (item.lineBefore) {
                top->addSeparator();
            }
            QAction* action = into->addAction(QString::fromLatin1(item.text));
            const Command command = row.command;
            connect(action, &QAction::triggered, this, [this, command] { runCommand(command); });
            m_popupItems.push_back({action, &row, item.in});
        }
    }
}

const CommandRow& frmMain::commandRow(Command command) const {
    for (const CommandRow& row : m_commands)
        if (row.command == command)
            return row;
    // Every command has its row; a missing one is a fault of the table.
    std::abort();
}

void frmMain::runCommand(Command command) {
    const CommandRow& row = commandRow(command);
    runRow(row, row.guard);
}

// The hotspot lights as it is clicked, whether or not the guard lets the command run.
void frmMain::runRow(const CommandRow& row, Guard guard, ImageHotspot* raisedBy) {
    const bool lit = raisedBy && row.lit != Lit::No;
    if (lit)
        HighlightButton(raisedBy);
    if (m_onCommand)
        m_onCommand(row.command);
    if (guardHolds(m_state.controller(), guard))
        row.run(*this);
    if (lit && row.lit == Lit::WhileRunning)
        HighlightButton(nullptr);
    refresh();
}

bool frmMain::runBody(Command command) {
    const CommandRow& row = commandRow(command);
    if (!guardHolds(m_state.controller(), row.guard))
        return false;
    row.run(*this);
    return true;
}

// The one place that brings what the window shows and enables in line with the state, after every
// command and before every box and dialog: the mode line, the story box, the page picture with its
// overlays and "Modified" mark, the side buttons and the popup items, each enabled by its row's
// guard.
void frmMain::refresh() {
    const MainController& controller = m_state.controller();
    lblApplicationMode->setText(qText(modeText(controller.mode())));
    refreshStory();
    refreshPage();
    refreshSideButtons();
    for (const PopupItem& item : m_popupItems) {
        mnuPopup->setItemEnabled(item.action, guardHolds(controller, item.row->guard));
        if (item.in != MenuItem::In::AnyLayout)
            mnuPopup->setItemAvailable(item.action,
                                       (item.in == MenuItem::In::FullScreen) == m_state.blnFullScreen);
    }
}

void frmMain::EmptyProcedure() {}

// Together the two focus handlers send the focus back to the story text when, while editing, it
// passes from the text to the page picture.
void frmMain::rtbViewer_LostFocus() {
    if (m_state.controller().mode() == AppMode::EditStorybook)
        intTextHadFocus = 1;
}

void frmMain::pbxShow_GotFocus() {
    if (m_state.controller().mode() == AppMode::EditStorybook && intTextHadFocus == 1) {
        rtbViewer->setFocus();
        intTextHadFocus = 0;
    }
}
