#include "AlbumText.h"
#include "AppFixture.h"
#include "MainWindowProbe.h"
#include "OpenThroughDialog.h"
#include "TempFolder.h"
#include "frmMain.h"
#include "platform/Controls.h"
#include "platform/PictureArea.h"
#include "platform/PopupMenu.h"
#include "platform/StoryTextBox.h"

#include <QAction>
#include <QDialog>
#include <QTest>

#include <gtest/gtest.h>

#include <filesystem>

namespace {
const std::string kTyped = "typed before leaving";

// A shown window with a two-page album open and a story typed, still in edit mode.
struct UnsavedAlbum {
    UnsavedAlbum() {
        album.pages = {{"One", "snapshot_4c1e9b07_00000001.jpg", "first"},
                       {"Two", "snapshot_4c1e9b07_00000002.jpg", "second"}};
        path = folder.write("Storybook.xml", album.bytes());
        window.Form_Load();
        window.show();
        openThroughDialog(app, window, path);
        window.runCommand(Command::ToggleEditMode);
        controls(window).rtbViewer->setText(kTyped);
        app.seam.requests.clear();
        app.store.writes.clear();
    }
    void leave(std::string_view way) {
        if (way == "close")
            window.close();
        else if (way == "btnExit")
            emit control<ImageHotspot>(window, Command::ExitApplication)->clicked();
        else
            controls(window).menuItem(way)->trigger();
    }
    std::string saved() const { return TempFolder::read(path); }

    TempFolder folder; // outlives the window
    AlbumText album;
    std::string path;
    AppFixture app;
    frmMain window{app.state};
};

const std::vector<std::string> kValueOrder = {
    "ApplicationName",      "ApplicationTitle",         "ApplicationVersion",
    "DefaultStorybookPath", "SetDefaultToLastUsedPath", "LoadImageCacheWarning",
    "LoadImageSortByDate",  "CreateBackupOnSave",       "RunsForThisVersion"};

std::vector<std::string> writtenNames(const RecordingSettingsStore& store) {
    std::vector<std::string> names;
    for (const auto& write : store.writes)
        names.push_back(write.valueName);
    return names;
}
} // namespace

TEST(frmMainStartupTest, FirstRunShowsTheAboutBoxBeforeTheMainWindow) {
    AppFixture app;
    frmMain window(app.state);
    bool mainVisibleMeanwhile = true;
    app.seam.modalActions.push_back([&](QDialog& dialog) {
        mainVisibleMeanwhile = window.isVisible();
        EXPECT_EQ(dialog.objectName(), QStringLiteral("frmAbout"));
        return ModalResult::Accepted;
    });
    window.Form_Load();

    ASSERT_EQ(app.seam.requestsOf(SeamCall::Modal).size(), 1u);
    EXPECT_FALSE(mainVisibleMeanwhile);
    EXPECT_EQ(modeText(app.state.controller().mode()), "Initialized");
    EXPECT_EQ(controls(window).lblApplicationMode->text(), QStringLiteral("Initialized"));
    EXPECT_EQ(controls(window).lblBragBox->text(), QStringLiteral("Brindlecove for The Sims 2 ` ver0.8.0"));
    EXPECT_TRUE(controls(window).rtbViewer->text().empty());
    EXPECT_TRUE(controls(window).rtbViewer->locked());
    EXPECT_EQ(app.state.settings.strLastUsedPath, app.state.settings.strDefaultStorybookPath);
}

TEST(frmMainStartupTest, SecondRunOfTheSameVersionSkipsTheAboutBox) {
    AppFixture app;
    {
        frmMain first(app.state);
        first.Form_Load();
        first.close();
    }
    app.seam.requests.clear();
    auto second = app.nextRun();
    frmMain window(*second);
    window.Form_Load();
    EXPECT_TRUE(app.seam.requestsOf(SeamCall::Modal).empty());
    EXPECT_EQ(second->settings.lngRunsForThisVersion, 1);
}

TEST(frmMainStartupTest, AChangedVersionShowsTheAboutBoxAgainAndRestartsTheCount) {
    AppFixture app;
    app.store.values["ApplicationVersion"] = "Version 0.7.9 - official alpha release.";
    app.store.values["RunsForThisVersion"] = "12";
    frmMain window(app.state);
    window.Form_Load();
    EXPECT_EQ(app.seam.requestsOf(SeamCall::Modal).size(), 1u);
    window.close();
    EXPECT_EQ(app.store.values["RunsForThisVersion"], "1");
    EXPECT_EQ(app.store.values["ApplicationVersion"], "Version 0.8.0 - official alpha release.");
}

TEST(frmMainStartupTest, ExitWritesTheNineValuesInOrder) {
    AppFixture app;
    frmMain window(app.state);
    window.Form_Load();
    app.store.writes.clear();
    window.close();
    EXPECT_EQ(writtenNames(app.store), kValueOrder);
    window.close();
    EXPECT_EQ(app.store.writes.size(), kValueOrder.size()) << "the unload runs once";
}

TEST(frmMainStartupTest, ExitWithUnsavedChangesAsksFirst) {
    AppFixture app;
    frmMain window(app.state);
    window.Form_Load();
    app.state.storybook().varPageCount = 3;
    app.state.controller().setSaved(false);
    app.state.varStorybookFile = "family.xml";
    app.state.varStorybookFolder = app.programFolder.path().toStdString() + "/";
    app.seam.messageAnswers.push_back(MessageAnswer::No);
    window.close();

    const auto messages = app.seam.requestsOf(SeamCall::Message);
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0].text, "Do you want to save the changes you made to family.xml?");
    EXPECT_EQ(messages[0].buttons, MessageButtons::YesNo);
    EXPECT_EQ(messages[0].icon, MessageIcon::None);
    EXPECT_EQ(messages[0].title, "Unsaved Modifications");
    EXPECT_EQ(modeText(app.state.controller().mode()), "Discard Modifications");
    EXPECT_EQ(controls(window).lblApplicationMode->text(), QStringLiteral("Discard Modifications"));
    EXPECT_FALSE(QFile::exists(app.programFolder.filePath(QStringLiteral("family.xml"))));
    EXPECT_EQ(app.store.values["RunsForThisVersion"], "1") << "settings are written whatever the answer";
}

TEST(frmMainStartupTest, AnsweringYesSavesTheTypedTextAndLeaves) {
    UnsavedAlbum edited;
    edited.app.seam.messageAnswers = {MessageAnswer::Yes};
    edited.window.close();
    EXPECT_NE(edited.saved().find(kTyped), std::string::npos);
    EXPECT_FALSE(edited.window.isVisible());
    EXPECT_EQ(writtenNames(edited.app.store), kValueOrder);
}

// However the user leaves, a save that fails keeps the window and the album open and unsaved, and
// the user can save again, save elsewhere, or leave again and answer No.
TEST(frmMainStartupTest, AFailedSaveAtExitKeepsTheAlbumOpen) {
    enum class Then { SaveAgain, SaveElsewhere, LeaveAndDiscard };
    struct Row {
        const char* way;
        MessageAnswer answer; // Cancel: the question closed unanswered
        Then then;
    };
    const Row rows[] = {
        {"btnExit", MessageAnswer::Yes, Then::SaveAgain},
        {"Exit", MessageAnswer::Yes, Then::SaveElsewhere},
        {"close", MessageAnswer::Yes, Then::LeaveAndDiscard},
        {"close", MessageAnswer::Cancel, Then::SaveAgain},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(std::string(row.way) + " then " + std::to_string(int(row.then)));
        UnsavedAlbum edited;
        ScriptedSeam& seam = edited.app.seam;
        ASSERT_TRUE(std::filesystem::remove_all(edited.folder.path()) > 0) << "so the save fails";
        seam.messageAnswers = {row.answer, MessageAnswer::Ok};
        edited.leave(row.way);

        const auto told = seam.requestsOf(SeamCall::Message);
        EXPECT_EQ(told.size(), row.answer == MessageAnswer::Yes ? 2u : 1u);
        if (told.size() == 2) {
            EXPECT_TRUE(
                told[1].text.ends_with("Modifications were not saved; the storybook stays open with them.  "))
                << "the failure says what happens next: " << told[1].text;
        }
        EXPECT_TRUE(edited.window.isVisible());
        EXPECT_EQ(modeText(edited.app.state.controller().mode()), "View Storybook");
        EXPECT_FALSE(edited.app.state.controller().saved());
        EXPECT_EQ(edited.app.state.storybook().varPageCount, 2);
        EXPECT_NE(std::string(edited.app.state.storybook().content(0, album::Text)).find(kTyped),
                  std::string::npos);
        EXPECT_EQ(control<ImageHotspot>(edited.window, Command::ExitApplication)->highlight(), 0);
        EXPECT_TRUE(edited.app.store.writes.empty()) << "the settings wait for the real exit";

        seam.requests.clear();
        TempFolder elsewhere;
        std::string savedTo = edited.path;
        switch (row.then) {
        case Then::SaveAgain:
            std::filesystem::create_directory(edited.folder.path());
            edited.window.runCommand(Command::SaveStorybook);
            break;
        case Then::SaveElsewhere:
            savedTo = elsewhere.file("Moved.xml");
            seam.dialogResults.push_back(chosenAlbum(savedTo));
            seam.messageAnswers = {MessageAnswer::No}; // the pictures stay behind
            edited.window.runCommand(Command::SaveStorybookAs);
            break;
        case Then::LeaveAndDiscard:
            seam.messageAnswers = {MessageAnswer::No};
            savedTo.clear();
            break;
        }
        if (!savedTo.empty()) {
            EXPECT_NE(TempFolder::read(savedTo).find(kTyped), std::string::npos);
        }
        edited.leave(row.way);
        EXPECT_FALSE(edited.window.isVisible());
        EXPECT_EQ(writtenNames(edited.app.store), kValueOrder);
        if (row.then == Then::LeaveAndDiscard) {
            EXPECT_EQ(modeText(edited.app.state.controller().mode()), "Discard Modifications");
        }
    }
}

// The keyboard's exits are refused while changes are unsaved; once saved, they ask to confirm.
TEST(frmMainStartupTest, TheExitKeysLeaveNoUnsavedChangesBehind) {
    const std::pair<Qt::Key, Qt::KeyboardModifiers> keys[] = {
        {Qt::Key_Escape, Qt::NoModifier}, {Qt::Key_F8, Qt::NoModifier}, {Qt::Key_F4, Qt::AltModifier}};
    UnsavedAlbum edited;
    edited.window.runCommand(Command::ToggleEditMode);
    for (const auto& [key, modifiers] : keys) {
        QTest::keyClick(controls(edited.window).pbxShow, key, modifiers);
        EXPECT_TRUE(edited.app.seam.requests.empty()) << key;
        EXPECT_TRUE(edited.window.isVisible()) << key;
    }
    edited.window.runCommand(Command::SaveStorybook);
    for (const auto& [key, modifiers] : keys) {
        edited.app.seam.requests.clear();
        edited.app.seam.messageAnswers = {MessageAnswer::Cancel};
        QTest::keyClick(controls(edited.window).pbxShow, key, modifiers);
        EXPECT_EQ(edited.app.seam.requestsOf(SeamCall::Message).size(), 1u) << key;
    }
}

TEST(frmMainStartupTest, NoQuestionWithoutPages) {
    AppFixture app;
    frmMain window(app.state);
    window.Form_Load();
    app.state.controller().setSaved(false);
    window.close();
    EXPECT_TRUE(app.seam.requestsOf(SeamCall::Message).empty());
}

TEST(frmMainStartupTest, EndingAtOnceSavesNothing) {
    AppFixture app;
    frmMain window(app.state);
    window.Form_Load();
    TempFolder folder;
    AlbumText album;
    album.pages = {{"Arrival", "snapshot_4c1e9b07_00000001.jpg", "We moved in."}};
    album.keywords.assign(10, "word"); // its parse ends the application
    app.seam.messageAnswers = {MessageAnswer::Ok};
    openThroughDialog(app, window, folder.write("Long.xml", album.bytes()));
    app.state.storybook().varPageCount = 2;
    app.state.controller().setSaved(false);
    app.store.writes.clear();
    app.seam.requests.clear();
    window.close();
    EXPECT_TRUE(window.endRequested());
    EXPECT_TRUE(app.store.writes.empty());
    EXPECT_TRUE(app.seam.requestsOf(SeamCall::Message).empty());
}

TEST(frmMainStartupTest, UnloadClosesTheOtherWindows) {
    AppFixture app;
    frmMain window(app.state);
    window.Form_Load();
    window.show();
    // Another of the application's windows, still up as the main window goes.
    QWidget about;
    about.setObjectName(QStringLiteral("frmAbout"));
    about.show();
    window.close();
    EXPECT_FALSE(about.isVisible());
}

// A parse that stops part-way after its message opens nothing: the part is not the album, and the
// album open before it is gone as well.
TEST(frmMainStartupTest, AnAlbumThatStopsPartWayOpensNothing) {
    struct Row {
        const char* message;
        void (*change)(AlbumText&, std::vector<std::string>&);
    };
    const Row rows[] = {
        {"StoryCreator: unexpected record length.     ",
         [](AlbumText&, std::vector<std::string>& lines) {
             lines.insert(lines.begin() + 3, "    <Extra/>");
         }},
        {"ExchangeMetadata: unexpected record length.     ",
         [](AlbumText&, std::vector<std::string>& lines) {
             lines.insert(lines.begin() + 12, "      <Extra/>");
         }},
        {"Storybook: too many pages.     ",
         [](AlbumText& album, std::vector<std::string>& lines) {
             album.pages.assign(1026, album.pages.front());
             lines = album.lines();
         }},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.message);
        UnsavedAlbum edited;
        edited.window.runCommand(Command::ToggleEditMode);
        edited.window.runCommand(Command::SaveStorybook);
        AlbumText album = edited.album;
        std::vector<std::string> lines = album.lines();
        row.change(album, lines);
        std::string bytes;
        for (const std::string& line : lines)
            bytes += line + "\n";
        edited.app.seam.requests.clear();
        edited.app.seam.messageAnswers = {MessageAnswer::Ok};
        openThroughDialog(edited.app, edited.window, edited.folder.write("Partial.xml", bytes));

        const auto messages = edited.app.seam.requestsOf(SeamCall::Message);
        ASSERT_EQ(messages.size(), 1u);
        EXPECT_EQ(messages[0].text, row.message);
        const AppState& state = edited.app.state;
        EXPECT_EQ(modeText(state.controller().mode()), "Nothing Loaded");
        EXPECT_EQ(controls(edited.window).lblApplicationMode->text(), QStringLiteral("Nothing Loaded"));
        EXPECT_EQ(state.storybook().varPageCount, 0);
        EXPECT_TRUE(state.varStorybookFile.empty());
        EXPECT_TRUE(state.controller().saved());
        EXPECT_TRUE(controls(edited.window).rtbViewer->text().empty()) << "the raw lines are gone too";
        edited.window.close();
        EXPECT_FALSE(edited.window.isVisible()) << "nothing left to ask about";
    }
}

TEST(frmMainStartupTest, AnAlbumWhoseParseEndsTheApplicationEndsItAfterTheMessage) {
    AppFixture app;
    frmMain window(app.state);
    window.Form_Load();
    TempFolder folder;
    AlbumText album;
    album.pages = {{"Arrival", "snapshot_4c1e9b07_00000001.jpg", "We moved in."}};
    album.keywords.assign(10, "word"); // a keyword list of 15 lines
    bool endedBeforeTheMessage = true;
    app.seam.onRequest = [&](const SeamRequest&) { endedBeforeTheMessage = window.endRequested(); };
    app.seam.messageAnswers = {MessageAnswer::Ok};
    openThroughDialog(app, window, folder.write("Long.xml", album.bytes()));
    const auto messages = app.seam.requestsOf(SeamCall::Message);
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0].text, "KeywordList: unexpected record length.     ");
    EXPECT_EQ(messages[0].title, "cannot continue");
    EXPECT_FALSE(endedBeforeTheMessage);
    EXPECT_TRUE(window.endRequested());
}

TEST(frmMainStartupTest, AnAlbumOnTheCommandLineThatFailsLeavesTheStartScreen) {
    TempFolder folder;
    AlbumText album;
    album.pages = {{"One", "snapshot_4c1e9b07_00000001.jpg", "first"}};
    std::vector<std::string> lines = album.lines();
    lines.insert(lines.begin() + 3, "    <Extra/>");
    std::string stopped;
    for (const std::string& line : lines)
        stopped += line + "\n";
    const std::string albums[] = {folder.file("Missing.xml"), folder.write("Plain.xml", "not an album\n"),
                                  folder.write("Stopped.xml", stopped)};
    for (const std::string& path : albums) {
        SCOPED_TRACE(path);
        AppFixture app;
        {
            frmMain first(app.state); // the first run, with its about box
            first.Form_Load();
            first.close();
        }
        app.seam.requests.clear();
        app.seam.messageAnswers = {MessageAnswer::Ok};
        AppState state(app.seam, app.store, Environment{"/home/tester/Documents", "/tmp", path});
        frmMain window(state);
        window.Form_Load();
        EXPECT_EQ(app.seam.requestsOf(SeamCall::Message).size(), 1u);
        EXPECT_EQ(state.storybook().varPageCount, 0);
        // The white F1 of the start screen.
        const QImage shown = controls(window).pbxShow->shownImage();
        bool white = false;
        for (int y = 56; y < 126; ++y)
            for (int x = 269; x < 339; ++x)
                white = white || shown.pixelColor(x, y) == QColor(255, 255, 255);
        EXPECT_TRUE(white);
    }
}
