// The control table, the popup menu's enabling rule, the exits and the unsaved-changes question.

#include "CommandTable.h"
#include "CommandWindow.h"
#include "platform/Controls.h"
#include "platform/PictureArea.h"
#include "platform/PopupMenu.h"
#include "platform/StoryTextBox.h"

#include <QMenu>
#include <QTimer>

#include <set>

namespace {

using C = Command;
struct ExpectedRow {
    const char* control;
    std::vector<Command> commands;
};
// The exits come last, since they close the window.
const std::vector<ExpectedRow> kExpectedRows = {
    {"btnLoad", {C::OpenStorybook}},
    {"btnSave", {C::SaveStorybook}},
    {"btnSaveAs", {C::SaveStorybookAs}},
    {"btnView", {C::CycleOverlayCaptions}},
    {"btnEdit", {C::ToggleEditMode}},
    {"btnImage", {C::ShowSnapshotBrowser}},
    {"btnTools", {C::ToggleToolButtons}},
    {"mnuPopupHelpHelp", {C::ShowHelpFile}},
    {"mnuPopupHelpAbout", {C::ShowAboutBox}},
    {"mnuPopupHelpFSLA", {C::ShowLicenseAgreement}},
    {"mnuPopupHelpWeb", {C::ShowHomePage}},
    {"mnuPopupOpen", {C::OpenStorybook}},
    {"mnuPopupSave", {C::SaveStorybook}},
    {"mnuPopupSaveAs", {C::SaveStorybookAs}},
    {"mnuPopupEditText", {C::ToggleEditMode}},
    {"mnuPopupEditMovePage", {C::ToggleEditMode, C::BeginRelocatePage}},
    {"mnuPopupEditDelete", {C::ConfirmDeletePage}},
    {"mnuPopupSnapshot", {C::ShowSnapshotBrowser}},
    {"mnuPopupView", {C::DoPluginImageInfo}},
    {"mnuPopupFullScreen", {C::ToggleFullScreen}},
    {"mnuPopupWindowMode", {C::ToggleFullScreen}},
    {"mnuPopupOptionsReverse", {C::ConfirmReversePages}},
    {"mnuPopupOptionsSettings", {C::ShowSettingsDialog}},
    {"sbtnDelete", {C::ConfirmDeletePage}},
    {"sbtnMovePg", {C::BeginRelocatePage}},
    {"sbtnSticky", {C::PinPageButtons}},
    {"sbtnStuck", {C::UnpinPageButtons}},
    {"sbtnTools1", {C::ShowSettingsDialog}},
    {"sbtnTools2", {C::ToggleToolButtons}},
    {"sbtnTools3", {C::ToggleToolButtons}},
    {"sbtnTools4", {C::ToggleToolButtons}},
    {"sbtnTools5", {C::ConfirmReversePages}},
    {"pbxThumbnail", {C::DropRelocatedPage}},
    {"mnuPopupExit", {C::ExitApplication}},
    {"btnExit", {C::ExitApplication}},
};

// Enabled only while an album is shown; the rest of the menu always is.
const std::set<std::string> kAlbumItems = {
    "mnuPopupEditMovePage", "mnuPopupSave",      "mnuPopupSaveAs", "mnuPopupEditText",
    "mnuPopupEditDelete",   "mnuPopupSnapshot",  "mnuPopupView",   "mnuPopupOptionsReverse",
    "mnuPopupFullScreen",   "mnuPopupWindowMode"};
const std::set<std::string> kAlwaysItems = {
    "mnuPopupHelp", "mnuPopupHelpHelp", "mnuPopupHelpAbout",       "mnuPopupHelpFSLA", "mnuPopupHelpWeb",
    "mnuPopupOpen", "mnuPopupEdit",     "mnuPopupOptionsSettings", "mnuPopupOptions",  "mnuPopupExit"};

// A click as the user gives it; controls that start hidden or disabled are made clickable first.
void click(frmMain& window, const std::string& control) {
    const QString name = QString::fromStdString(control);
    if (window.mnuPopup->action(name)) {
        window.mnuPopup->setItemEnabled(name, true);
        window.mnuPopup->action(name)->trigger();
    } else if (auto* hotspot = window.findChild<ImageHotspot*>(name)) {
        emit hotspot->clicked();
    } else if (auto* button = window.findChild<QAbstractButton*>(name)) {
        button->show();
        button->setEnabled(true);
        button->click();
    } else if (auto* picture = window.findChild<PictureArea*>(name)) {
        emit picture->clicked();
    } else {
        ADD_FAILURE() << "no control " << control;
    }
}

// The enabled items of the popup menu as a press opens it; nothing when no menu opened.
std::optional<std::set<std::string>> popupAfter(frmMain& window, const std::function<void()>& press) {
    std::optional<std::set<std::string>> enabled;
    QMenu* menu = window.mnuPopup->menu();
    const auto shown = QObject::connect(menu, &QMenu::aboutToShow, menu, [&] {
        enabled.emplace();
        for (const auto& items : {kAlbumItems, kAlwaysItems})
            for (const std::string& item : items)
                if (window.mnuPopup->itemEnabled(QString::fromStdString(item)))
                    enabled->insert(item);
        QTimer::singleShot(0, menu, &QMenu::close);
    });
    press();
    QObject::disconnect(shown);
    return enabled;
}

using Commands = CommandWindow;

} // namespace

TEST_F(Commands, EveryControlReachesItsCommandsWithTheHotspotLitMeanwhile) {
    QFile(app.programFolder.filePath(QStringLiteral("helpfile.html"))).open(QIODevice::WriteOnly);
    app.seam.messageAnswers.assign(4, MessageAnswer::No);
    app.seam.dialogResults.assign(2, FileDialogResult{});
    std::vector<Command> reached;
    std::vector<int> litMeanwhile;
    std::string control;
    window.onCommand = [&](Command command) {
        reached.push_back(command);
        if (auto* hotspot = window.findChild<ImageHotspot*>(QString::fromStdString(control)))
            litMeanwhile.push_back(hotspot->highlight());
    };

    std::set<std::string_view> unexpected;
    for (const ControlBinding& binding : controlBindings())
        unexpected.insert(binding.control);
    for (const ExpectedRow& row : kExpectedRows) {
        SCOPED_TRACE(row.control);
        unexpected.erase(row.control);
        control = row.control;
        reached.clear();
        litMeanwhile.clear();
        click(window, control);
        EXPECT_EQ(reached, row.commands);
        if (control.starts_with("btn") && control != "btnView") {
            EXPECT_EQ(litMeanwhile, std::vector<int>{1});
        }
        int litAfter = 0;
        for (ImageHotspot* hotspot : window.findChildren<ImageHotspot*>())
            litAfter += hotspot->highlight();
        EXPECT_EQ(litAfter, control == "btnExit" ? 1 : 0) << "only Exit keeps its highlight";
    }
    EXPECT_TRUE(unexpected.empty());
    EXPECT_EQ(mode(), "Exit");
}

TEST_F(Commands, PopupEnablesTheAlbumItemsOnlyWhileAnAlbumIsShown) {
    PagedAlbum album(3);
    const auto rightPress = [&] { emit window.pbxShow->mousePressed(2, 100, 100); };
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
                expected.erase("mnuPopupSave");
            EXPECT_EQ(popupAfter(window, rightPress), expected);
        }
    }
    EXPECT_TRUE(popupAfter(window, [&] { emit window.pbxBlanket->mousePressed(2, 0, 0); }));
    EXPECT_TRUE(popupAfter(window, [&] { emit window.faceMousePressed(2, 0, 0); }));
    for (int button : {1, 4}) {
        EXPECT_FALSE(popupAfter(window, [&] { emit window.pbxShow->mousePressed(button, 100, 100); }));
        EXPECT_FALSE(popupAfter(window, [&] { emit window.faceMousePressed(button, 0, 0); }));
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
    for (const char* way : {"btnExit", "mnuPopupExit", "close"}) {
        for (const bool moving : {false, true}) {
            SCOPED_TRACE(std::string(way) + (moving ? " moving" : " editing"));
            AppFixture app;
            frmMain window(app.state);
            PagedAlbum album(4);
            openThroughDialog(app, window, album.path);
            window.cmdNav[3]->click();
            click(window, "btnEdit");
            window.rtbViewer->setText("typed at the end");
            if (moving)
                click(window, "sbtnMovePg");
            app.seam.requests.clear();
            app.seam.messageAnswers.push_back(MessageAnswer::Yes);
            if (std::string_view(way) == "close")
                window.close();
            else
                click(window, way);

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
