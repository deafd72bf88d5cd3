// The command table, the popup menu's enabling rule, the exits and the unsaved-changes question.

#include "CommandTable.h"
#include "CommandWindow.h"
#include "MainWindowProbe.h"
#include "platform/Controls.h"
#include "platform/PictureArea.h"
#include "platform/PopupMenu.h"
#include "platform/StoryTextBox.h"

#include <QAction>
#include <QMenu>
#include <QTimer>

#include <map>
#include <set>
#include <tuple>

namespace {

// Enabled only while an album is shown; the rest of the menu always is.
const std::set<std::string> kAlbumItems = {
    "Move Page",        "Save Storybook", "Save As (xml or html)", "Edit Story Text",  "Delete Page",
    "Snapshot Browser", "View Details",   "Reverse page Order",    "Full-Screen Mode", "Window Mode"};
const std::set<std::string> kAlwaysItems = {
    "Help!",          "Help File", "About Brindlecove",    "License Agreement",    "Internet Web Site",
    "Open Storybook", "Edit Mode", "Application Settings", "Options and Settings", "Exit"};

// A click as the user gives it; controls that start hidden or disabled are made clickable first.
// Right presses open the popup menu, which the popup tests look at.
void raise(const CommandControl& control) {
    if (auto* hotspot = std::get_if<ImageHotspot*>(&control)) {
        emit(*hotspot)->clicked();
    } else if (auto* button = std::get_if<PictureButton*>(&control)) {
        (*button)->show();
        (*button)->setEnabled(true);
        (*button)->click();
    } else if (auto* navButton = std::get_if<ColorButton*>(&control)) {
        (*navButton)->click();
    } else if (auto* picture = std::get_if<PictureArea*>(&control)) {
        emit(*picture)->clicked();
    } else if (auto* release = std::get_if<MouseUp>(&control)) {
        emit release->on->mouseReleased(1);
    }
}

// The enabled items of the popup menu as a press opens it; nothing when no menu opened.
std::optional<std::set<std::string>> popupAfter(frmMain& window, const std::function<void()>& press) {
    std::optional<std::set<std::string>> enabled;
    QMenu* menu = controls(window).mnuPopup->menu();
    const auto shown = QObject::connect(menu, &QMenu::aboutToShow, menu, [&] {
        enabled.emplace();
        for (const auto& items : {kAlbumItems, kAlwaysItems})
            for (const std::string& item : items)
                if (controls(window).mnuPopup->itemEnabled(controls(window).menuItem(item)))
                    enabled->insert(item);
        QTimer::singleShot(0, menu, &QMenu::close);
    });
    press();
    QObject::disconnect(shown);
    return enabled;
}

using Commands = CommandWindow;

} // namespace

TEST_F(Commands, EveryControlOfARowRaisesItsCommandWithTheHotspotLitMeanwhile) {
    QFile(app.programFolder.filePath(QStringLiteral("helpfile.html"))).open(QIODevice::WriteOnly);
    app.seam.messageAnswers.assign(8, MessageAnswer::No);
    app.seam.dialogResults.assign(4, FileDialogResult{});
    std::vector<Command> reached;
    std::vector<int> litMeanwhile;
    ImageHotspot* raisedBy = nullptr;
    window.observeCommands([&](Command command) {
        reached.push_back(command);
        if (raisedBy)
            litMeanwhile.push_back(raisedBy->highlight());
    });
    // The exit closes the window, so it comes last.
    std::vector<const CommandRow*> rows;
    for (const CommandRow& row : window.commands())
        rows.insert(row.command == Command::ExitApplication ? rows.end() : rows.begin(), &row);
    for (const CommandRow* row : rows) {
        for (const CommandControl& control : row->controls) {
            if (std::holds_alternative<RightPress>(control))
                continue;
            SCOPED_TRACE(int(row->command));
            auto* const* hotspot = std::get_if<ImageHotspot*>(&control);
            raisedBy = hotspot ? *hotspot : nullptr;
            reached.clear();
            litMeanwhile.clear();
            window.HighlightButton(nullptr);
            raise(control);
            EXPECT_EQ(reached, std::vector<Command>{row->command});
            if (raisedBy) {
                EXPECT_EQ(litMeanwhile, std::vector<int>{row->lit == Lit::No ? 0 : 1});
            }
            int litAfter = 0;
            for (ImageHotspot* each : window.findChildren<ImageHotspot*>())
                litAfter += each->highlight();
            EXPECT_EQ(litAfter, raisedBy && row->lit == Lit::Stays ? 1 : 0)
                << "only Exit keeps its highlight";
        }
        raisedBy = nullptr;
        for (const MenuItem& item : row->items) {
            reached.clear();
            QAction* action = controls(window).menuItem(item.text);
            controls(window).mnuPopup->setItemEnabled(action, true);
            action->trigger();
            EXPECT_EQ(reached, std::vector<Command>{row->command}) << item.text;
        }
    }
    EXPECT_EQ(mode(), "Exit");
}

TEST_F(Commands, NoControlIsLeftOutOfTheTable) {
    std::map<Command, int> rows;
    for (const CommandRow& row : window.commands())
        ++rows[row.command];
    for (int command = 0; command <= int(Command::EmptyProcedure); ++command)
        EXPECT_EQ(rows[Command(command)], 1) << "command " << command << " has one row";

    std::set<const QObject*> bound;
    for (const CommandRow& row : window.commands()) {
        for (const MenuItem& item : row.items)
            bound.insert(controls(window).menuItem(item.text));
        for (const CommandControl& control : row.controls)
            std::visit(
                [&](auto raised) {
                    if constexpr (std::is_pointer_v<decltype(raised)>)
                        bound.insert(raised);
                    else
                        bound.insert(raised.on);
                },
                control);
    }
    std::vector<QObject*> found;
    for (QObject* control : window.findChildren<ImageHotspot*>())
        found.push_back(control);
    for (QObject* control : window.findChildren<QAbstractButton*>())
        found.push_back(control);
    for (QAction* item : controls(window).mnuPopup->menu()->findChildren<QAction*>())
        if (!item->isSeparator() && !item->menu())
            found.push_back(item);
    for (const QObject* control : found)
        EXPECT_TRUE(bound.count(control)) << control->objectName().toStdString();
    EXPECT_TRUE(bound.count(controls(window).pbxShow) && bound.count(controls(window).pbxThumbnail) &&
                bound.count(controls(window).rtbViewer));
}

TEST_F(Commands, PopupEnablesTheAlbumItemsOnlyWhileAnAlbumIsShown) {
    PagedAlbum album(3);
    const auto rightPress = [&] { emit controls(window).pbxShow->mousePressed(2, 100, 100); };
    EXPECT_EQ(popupAfter(window, rightPress), kAlwaysItems) << "nothing open";

    openThroughDialog(app, window, album.path);
    for (const char* mode : {"View Storybook", "Edit Storybook", "Storybook Saved", "Relocate Page",
                             "Nothing Loaded", "Reverse Storybook"}) {
        for (const bool saved : {true, false}) {
            SCOPED_TRACE(std::string(mode) + (saved ? " saved" : " unsaved"));
            app.state.controller().setMode(*modeNamed(mode));
            app.state.controller().setSaved(saved);
            std::set<std::string> expected = kAlwaysItems;
            if (std::set<std::string_view>{"View Storybook", "Edit Storybook", "Storybook Saved"}.count(mode))
                expected.insert(kAlbumItems.begin(), kAlbumItems.end());
            if (saved)
                expected.erase("Save Storybook");
            EXPECT_EQ(popupAfter(window, rightPress), expected);
        }
    }
    EXPECT_TRUE(popupAfter(window, [&] { emit controls(window).pbxBlanket->mousePressed(2, 0, 0); }));
    EXPECT_TRUE(popupAfter(window, [&] { emit window.faceMousePressed(2, 0, 0); }));
    for (int button : {1, 4}) {
        EXPECT_FALSE(
            popupAfter(window, [&] { emit controls(window).pbxShow->mousePressed(button, 100, 100); }));
        EXPECT_FALSE(popupAfter(window, [&] { emit window.faceMousePressed(button, 0, 0); }));
    }
}

// For every command and mode: a command its guard refuses, from whichever control, item or key,
// changes nothing and asks nothing; an enabled popup item and a shown side button offer only a
// command whose guard holds; and a key tests another guard than its row's only where its row
// says why.
TEST_F(Commands, ControlsItemsKeysAndBodiesAgreeInEveryMode) {
    PagedAlbum album(4);
    openThroughDialog(app, window, album.path);
    MainController& controller = app.state.controller();
    const auto seen = [&] {
        return std::make_tuple(controller.mode(), controller.currentPage(), controller.saved(), stories(),
                               controls(window).rtbViewer->text(), controls(window).pbxBlanket->isHidden());
    };
    for (const char* mode :
         {"View Storybook", "Storybook Saved", "Edit Storybook", "Relocate Page", "Nothing Loaded"}) {
        for (const bool saved : {true, false}) {
            for (const CommandRow& row : window.commands()) {
                controller.setMode(*modeNamed(mode));
                controller.setSaved(saved);
                window.refresh();
                const bool holds = guardHolds(controller, row.guard);
                SCOPED_TRACE(std::string(mode) + (saved ? " saved, command " : " unsaved, command ") +
                             std::to_string(int(row.command)));
                for (const MenuItem& item : row.items)
                    EXPECT_EQ(controls(window).mnuPopup->itemEnabled(controls(window).menuItem(item.text)),
                              holds);
                if (holds)
                    continue;
                app.seam.requests.clear();
                const auto before = seen();
                window.runCommand(row.command);
                EXPECT_EQ(seen(), before);
                EXPECT_TRUE(app.seam.requests.empty());
            }
        }
    }

    controller.setMode(AppMode::ViewStorybook);
    window.refresh();
    for (const auto& panel : {control<ImageHotspot>(window, Command::ToggleToolButtons),
                              control<ImageHotspot>(window, Command::ToggleEditMode)}) {
        emit panel->clicked();
        for (const CommandRow& row : window.commands())
            for (const CommandControl& control : row.controls)
                if (auto* const* button = std::get_if<PictureButton*>(&control);
                    button && (*button)->isVisible()) {
                    EXPECT_TRUE(guardHolds(controller, row.guard)) << (*button)->objectName().toStdString();
                }
    }

    using MC = MainController;
    const std::vector<std::pair<Command, Guard>> ownKeyGuards = {
        {Command::MovePage, &MC::albumShownOrMoving},
        {Command::ConfirmDeletePage, &MC::inViewMode},
        {Command::ShowSnapshotBrowser, &MC::inViewMode},
        {Command::ToggleFullScreen, &MC::anyMode},
        {Command::PageForward, &MC::inViewMode}};
    for (const CommandRow& row : window.commands())
        for (const KeyBinding& key : row.keys)
            if (key.guard && key.guard != &MC::turningPages) {
                EXPECT_NE(std::find(ownKeyGuards.begin(), ownKeyGuards.end(),
                                    std::make_pair(row.command, key.guard)),
                          ownKeyGuards.end())
                    << int(row.command);
            }
}

TEST_F(Commands, ConfirmedExitAsksOnlyWithoutUnsavedChanges) {
    PagedAlbum album(3);
    openThroughDialog(app, window, album.path);
    app.state.controller().setSaved(false);
    app.seam.requests.clear();
    window.runCommand(Command::ExitApplicationConfirmed);
    EXPECT_TRUE(app.seam.requests.empty()) << "refused at once, no question";

    app.state.controller().setSaved(true);
    for (MessageAnswer answer : {MessageAnswer::No, MessageAnswer::Cancel, MessageAnswer::Yes}) {
        app.seam.requests.clear();
        app.store.writes.clear();
        app.seam.messageAnswers.push_back(answer);
        window.runCommand(Command::ExitApplicationConfirmed);
        expectBox(app, "Exit the Brindlecove?", MessageButtons::YesNoCancel, "Confirm Exit");
        EXPECT_EQ(app.store.writes.empty(), answer != MessageAnswer::Yes) << "the unload writes the settings";
    }
    EXPECT_EQ(mode(), "Exit");
}

// The Exit button, the menu item and the window manager's close all commit typed text and put a
// moved page back before the unsaved-changes question saves.
TEST(WaysOut, KeepTypedTextAndTheMovedPage) {
    for (const char* way : {"btnExit", "Exit", "close"}) {
        for (const bool moving : {false, true}) {
            SCOPED_TRACE(std::string(way) + (moving ? " moving" : " editing"));
            AppFixture app;
            frmMain window(app.state);
            PagedAlbum album(4);
            openThroughDialog(app, window, album.path);
            controls(window).cmdNav[3]->click();
            emit control<ImageHotspot>(window, Command::ToggleEditMode)->clicked();
            controls(window).rtbViewer->setText("typed at the end");
            if (moving)
                control<PictureButton>(window, Command::BeginRelocatePage)->click();
            app.seam.requests.clear();
            app.seam.messageAnswers.push_back(MessageAnswer::Yes);
            if (std::string_view(way) == "close")
                window.close();
            else if (std::string_view(way) == "btnExit")
                emit control<ImageHotspot>(window, Command::ExitApplication)->clicked();
            else
                controls(window).menuItem(way)->trigger();

            expectBox(app, "Do you want to save the changes you made to Storybook.xml?",
                      MessageButtons::YesNo, "Unsaved Modifications");
            const std::string saved = album.text();
            for (const char* story : {"page 1", "typed at the end", "page 3", "page 4"})
                EXPECT_NE(saved.find(story), std::string::npos) << story;
        }
    }
}

TEST_F(Commands, OpenOverChangesThatFailToSaveKeepsTheAlbum) {
    PagedAlbum first(3);
    openThroughDialog(app, window, first.path);
    app.state.controller().setSaved(false);
    ASSERT_TRUE(first.folder.remove()) << "so the save fails";
    app.seam.messageAnswers = {MessageAnswer::Yes, MessageAnswer::Ok};
    window.runCommand(Command::OpenStorybook);
    EXPECT_EQ(app.seam.requestsOf(SeamCall::Message).size(), 2u) << "the question and the failure";
    EXPECT_EQ(app.seam.requestsOf(SeamCall::FileDialog).size(), 1u) << "no second album asked for";
    EXPECT_EQ(app.state.storybook().varPageCount, 3);
    EXPECT_FALSE(app.state.controller().saved());
    EXPECT_EQ(mode(), "View Storybook");
}
