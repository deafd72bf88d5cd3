// The control table, the popup menu and its enabling rule, the tool panel, the exit and the
// unsaved-changes question, in a headless main window.

#include "CommandTable.h"
#include "CommandWindow.h"
#include "PagedAlbum.h"
#include "platform/Controls.h"
#include "platform/PictureArea.h"
#include "platform/PopupMenu.h"
#include "platform/StoryTextBox.h"

#include <QMenu>
#include <QTimer>

#include <set>

namespace {

struct ExpectedRow {
    const char* control;
    std::vector<Command> commands;
    const char* highlighted; // the hotspot lit while the command runs, or nullptr
};

// What each control's click must reach, in order; the two exits come last since they close the window.
const std::vector<ExpectedRow> kExpectedRows = {
    {"btnLoad", {Command::OpenStorybook}, "btnLoad"},
    {"btnSave", {Command::SaveStorybook}, "btnSave"},
    {"btnSaveAs", {Command::SaveStorybookAs}, "btnSaveAs"},
    {"btnView", {Command::CycleOverlayCaptions}, nullptr},
    {"btnEdit", {Command::ToggleEditMode}, "btnEdit"},
    {"btnImage", {Command::ShowSnapshotBrowser}, "btnImage"},
    {"btnTools", {Command::ToggleToolButtons}, "btnTools"},
    {"mnuPopupHelpHelp", {Command::ShowHelpFile}, nullptr},
    {"mnuPopupHelpAbout", {Command::ShowAboutBox}, nullptr},
    {"mnuPopupHelpFSLA", {Command::ShowLicenseAgreement}, nullptr},
    {"mnuPopupHelpWeb", {Command::ShowHomePage}, nullptr},
    {"mnuPopupOpen", {Command::OpenStorybook}, nullptr},
    {"mnuPopupSave", {Command::SaveStorybook}, nullptr},
    {"mnuPopupSaveAs", {Command::SaveStorybookAs}, nullptr},
    {"mnuPopupEditText", {Command::ToggleEditMode}, nullptr},
    {"mnuPopupEditMovePage", {Command::ToggleEditMode, Command::BeginRelocatePage}, nullptr},
    {"mnuPopupEditDelete", {Command::ConfirmDeletePage}, nullptr},
    {"mnuPopupSnapshot", {Command::ShowSnapshotBrowser}, nullptr},
    {"mnuPopupView", {Command::DoPluginImageInfo}, nullptr},
    {"mnuPopupFullScreen", {Command::ToggleFullScreen}, nullptr},
    {"mnuPopupWindowMode", {Command::ToggleFullScreen}, nullptr},
    {"mnuPopupOptionsReverse", {Command::ConfirmReversePages}, nullptr},
    {"mnuPopupOptionsSettings", {Command::ShowSettingsDialog}, nullptr},
    {"sbtnDelete", {Command::ConfirmDeletePage}, nullptr},
    {"sbtnMovePg", {Command::BeginRelocatePage}, nullptr},
    {"sbtnSticky", {Command::PinPageButtons}, nullptr},
    {"sbtnStuck", {Command::UnpinPageButtons}, nullptr},
    {"sbtnTools1", {Command::ShowSettingsDialog}, nullptr},
    {"sbtnTools2", {Command::ToggleToolButtons}, nullptr},
    {"sbtnTools3", {Command::ToggleToolButtons}, nullptr},
    {"sbtnTools4", {Command::ToggleToolButtons}, nullptr},
    {"sbtnTools5", {Command::ConfirmReversePages}, nullptr},
    {"pbxThumbnail", {Command::DropRelocatedPage}, nullptr},
    {"mnuPopupExit", {Command::ExitApplication}, nullptr},
    {"btnExit", {Command::ExitApplication}, "btnExit"},
};

const std::vector<std::string> kAlbumItems = {
    "mnuPopupEditMovePage", "mnuPopupSave",      "mnuPopupSaveAs", "mnuPopupEditText",
    "mnuPopupEditDelete",   "mnuPopupSnapshot",  "mnuPopupView",   "mnuPopupOptionsReverse",
    "mnuPopupFullScreen",   "mnuPopupWindowMode"};
const std::vector<std::string> kAlwaysItems = {
    "mnuPopupHelp", "mnuPopupHelpHelp", "mnuPopupHelpAbout",       "mnuPopupHelpFSLA", "mnuPopupHelpWeb",
    "mnuPopupOpen", "mnuPopupEdit",     "mnuPopupOptionsSettings", "mnuPopupOptions",  "mnuPopupExit"};

// A click as the user gives it; controls that start hidden or disabled are first made clickable.
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

class Commands : public CommandWindow {
protected:
    // The enabled items of the popup menu as it opens after a press, or none when no menu opened.
    std::optional<std::set<std::string>> popupAfter(const std::function<void()>& press) {
        std::optional<std::set<std::string>> enabled;
        QMenu* menu = window.mnuPopup->menu();
        const auto shown = QObject::connect(menu, &QMenu::aboutToShow, menu, [&] {
            enabled.emplace();
            for (const auto& names : {kAlbumItems, kAlwaysItems})
                for (const std::string& item : names)
                    if (window.mnuPopup->itemEnabled(QString::fromStdString(item)))
                        enabled->insert(item);
            QTimer::singleShot(0, menu, &QMenu::close);
        });
        press();
        QObject::disconnect(shown);
        return enabled;
    }
};

std::set<std::string> enabledSet(bool albumItems, bool save) {
    std::set<std::string> out(kAlwaysItems.begin(), kAlwaysItems.end());
    if (albumItems)
        for (const std::string& item : kAlbumItems)
            if (item != "mnuPopupSave" || save)
                out.insert(item);
    return out;
}

} // namespace

TEST_F(Commands, EveryControlReachesItsCommandsInOrderWithItsHighlight) {
    QFile help(app.programFolder.filePath(QStringLiteral("helpfile.html")));
    ASSERT_TRUE(help.open(QIODevice::WriteOnly));
    app.seam.messageAnswers.assign(8, MessageAnswer::No);
    app.seam.dialogResults.assign(3, FileDialogResult{});
    std::vector<Command> reached;
    std::vector<int> highlightMeanwhile;
    const char* lit = nullptr;
    window.onCommand = [&](Command command) {
        reached.push_back(command);
        if (lit)
            highlightMeanwhile.push_back(
                window.findChild<ImageHotspot*>(QString::fromLatin1(lit))->highlight());
    };

    std::set<std::string> bound;
    for (const ControlBinding& binding : controlBindings())
        bound.insert(std::string(binding.control));
    for (const ExpectedRow& row : kExpectedRows) {
        SCOPED_TRACE(row.control);
        EXPECT_EQ(bound.erase(row.control), 1u) << "not in the table";
        reached.clear();
        highlightMeanwhile.clear();
        lit = row.highlighted;
        click(window, row.control);
        EXPECT_EQ(reached, row.commands);
        if (lit) {
            EXPECT_EQ(highlightMeanwhile, std::vector<int>(row.commands.size(), 1));
        }
        const bool exitKeepsIt = std::string_view(row.control) == "btnExit";
        EXPECT_EQ(window.btnExit->highlight(), exitKeepsIt ? 1 : 0);
        for (ImageHotspot* hotspot : {window.btnLoad, window.btnSave, window.btnSaveAs, window.btnEdit,
                                      window.btnImage, window.btnTools})
            EXPECT_EQ(hotspot->highlight(), 0) << hotspot->objectName().toStdString();
    }
    EXPECT_TRUE(bound.empty()) << "a row the controls do not have: " << *bound.begin();
    EXPECT_EQ(mode(), "Exit");
}

TEST_F(Commands, PopupEnablesTheAlbumItemsOnlyWhileAnAlbumIsShown) {
    PagedAlbum album(3);
    const auto rightPress = [&] { emit window.pbxShow->mousePressed(2, 100, 100); };
    EXPECT_EQ(popupAfter(rightPress), enabledSet(false, false)) << "nothing open";

    open(album.path);
    struct Row {
        const char* mode;
        bool saved;
        bool albumItems;
    };
    for (const Row& row : {Row{"View Storybook", true, true}, Row{"View Storybook", false, true},
                           Row{"Edit Storybook", false, true}, Row{"Storybook Saved", true, true},
                           Row{"Relocate Page", false, false}, Row{"Nothing Loaded", true, false},
                           Row{"Reverse Storybook", false, false}}) {
        SCOPED_TRACE(std::string(row.mode) + (row.saved ? " saved" : " unsaved"));
        app.state.strApplicationMode = row.mode;
        app.state.blnStorybookSaved = row.saved;
        EXPECT_EQ(popupAfter(rightPress), enabledSet(row.albumItems, !row.saved));
    }

    app.state.strApplicationMode = "View Storybook";
    EXPECT_TRUE(popupAfter([&] { emit window.pbxBlanket->mousePressed(2, 0, 0); }));
    EXPECT_TRUE(popupAfter([&] { emit window.faceMousePressed(2, 0, 0); }));
    for (int button : {1, 4}) {
        EXPECT_FALSE(popupAfter([&] { emit window.pbxShow->mousePressed(button, 100, 100); }));
        EXPECT_FALSE(popupAfter([&] { emit window.faceMousePressed(button, 0, 0); }));
    }
}

TEST_F(Commands, ToolsTogglesThePanelInViewAndOpensTheSettingsOtherwise) {
    PagedAlbum album(3);
    open(album.path);
    click(window, "btnTools");
    EXPECT_FALSE(window.sbtnTools1->isHidden());
    EXPECT_FALSE(window.sbtnTools5->isHidden());
    click(window, "btnTools");
    EXPECT_TRUE(window.sbtnTools1->isHidden());

    app.state.strApplicationMode = "Storybook Saved";
    click(window, "btnTools");
    EXPECT_TRUE(window.sbtnTools1->isHidden()) << "after a save Tools opens the settings";

    app.state.strApplicationMode = "View Storybook";
    click(window, "btnEdit");
    window.rtbViewer->setText("typed");
    click(window, "btnTools");
    EXPECT_EQ(stories()[0], "typed");
    EXPECT_EQ(mode(), "View Storybook");
    EXPECT_FALSE(window.sbtnTools1->isHidden());
    EXPECT_TRUE(window.sbtnDelete->isHidden()) << "the panel takes the page buttons' place";
}

TEST_F(Commands, ConfirmedExitAsksOnlyWithoutUnsavedChanges) {
    PagedAlbum album(3);
    open(album.path);
    app.state.blnStorybookSaved = false;
    window.runCommand(Command::ExitApplicationConfirmed);
    EXPECT_TRUE(messages().empty()) << "refused while there are unsaved changes";

    app.state.blnStorybookSaved = true;
    app.store.writes.clear();
    for (MessageAnswer answer : {MessageAnswer::No, MessageAnswer::Cancel}) {
        app.seam.messageAnswers.push_back(answer);
        window.runCommand(Command::ExitApplicationConfirmed);
        EXPECT_EQ(mode(), "View Storybook");
        EXPECT_TRUE(app.store.writes.empty()) << "still running";
    }
    const auto asked = messages();
    ASSERT_EQ(asked.size(), 2u);
    EXPECT_EQ(asked[0].text, "Exit the Brindlecove?");
    EXPECT_EQ(asked[0].buttons, MessageButtons::YesNoCancel);
    EXPECT_EQ(asked[0].icon, MessageIcon::None);
    EXPECT_EQ(asked[0].title, "Confirm Exit");

    app.seam.messageAnswers.push_back(MessageAnswer::Yes);
    window.runCommand(Command::ExitApplicationConfirmed);
    EXPECT_EQ(mode(), "Exit");
    EXPECT_FALSE(app.store.writes.empty());
}

// The exit button, the menu item and the window manager's close all commit the typed text and put a
// moved page back before the unsaved-changes question saves.
TEST_F(Commands, EveryWayOutKeepsTypedTextAndTheMovedPage) {
    using Leave = std::function<void(frmMain&)>;
    const std::vector<std::pair<const char*, Leave>> ways = {
        {"btnExit", [](frmMain& w) { click(w, "btnExit"); }},
        {"mnuPopupExit", [](frmMain& w) { click(w, "mnuPopupExit"); }},
        {"close", [](frmMain& w) { w.close(); }},
    };
    for (const auto& [name, leave] : ways) {
        for (bool moving : {false, true}) {
            SCOPED_TRACE(std::string(name) + (moving ? " moving" : " editing"));
            AppFixture run;
            frmMain other(run.state);
            other.Form_Load();
            PagedAlbum album(4);
            FileDialogResult chosen{true, album.path, "", 1};
            run.seam.dialogResults.push_back(chosen);
            other.OpenStorybook();
            other.cmdNav[3]->click();
            click(other, "btnEdit");
            other.rtbViewer->setText("typed at the end");
            if (moving)
                click(other, "sbtnMovePg");
            run.seam.messageAnswers.push_back(MessageAnswer::Yes);
            leave(other);

            const auto asked = run.seam.requestsOf(SeamCall::Message);
            ASSERT_EQ(asked.size(), 1u);
            EXPECT_EQ(asked[0].text, "Do you want to save the changes you made to Storybook.xml?");
            EXPECT_EQ(asked[0].buttons, MessageButtons::YesNo);
            EXPECT_EQ(asked[0].title, "Unsaved Modifications");
            const std::string saved = album.text();
            EXPECT_NE(saved.find("typed at the end"), std::string::npos);
            for (const char* story : {"page 1", "page 3", "page 4"})
                EXPECT_NE(saved.find(story), std::string::npos) << story;
            EXPECT_EQ(run.state.storybook().varPageCount, 4);
        }
    }
}

TEST_F(Commands, OpenOverUnsavedChangesActsOnTheSaveOutcome) {
    PagedAlbum first(3);
    PagedAlbum second(2);
    open(first.path);
    app.state.blnStorybookSaved = false;
    // The album's folder is gone, so the save fails and says so.
    ASSERT_TRUE(first.folder.remove());
    app.seam.messageAnswers = {MessageAnswer::Yes, MessageAnswer::Ok};
    window.runCommand(Command::OpenStorybook);
    EXPECT_EQ(messages().size(), 2u);
    EXPECT_EQ(messages()[1].icon, MessageIcon::Critical);
    EXPECT_TRUE(app.seam.requestsOf(SeamCall::FileDialog).size() == 1u) << "nothing more was opened";
    EXPECT_EQ(app.state.storybook().varPageCount, 3) << "the unsaved album stays open";
    EXPECT_FALSE(app.state.blnStorybookSaved);
    EXPECT_EQ(mode(), "View Storybook");
}
