#include "AppFixture.h"
#include "dialogs/frmAbout.h"
#include "frmMain.h"
#include "platform/Controls.h"
#include "platform/StoryTextBox.h"

#include <QDialog>

#include <gtest/gtest.h>

namespace {
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
    EXPECT_EQ(app.state.strApplicationMode, "Initialized");
    EXPECT_EQ(window.lblApplicationMode->text(), QStringLiteral("Initialized"));
    EXPECT_EQ(window.lblBragBox->text(), QStringLiteral("Brindlecove for The Sims 2 ` ver0.8.0"));
    EXPECT_TRUE(window.rtbViewer->text().empty());
    EXPECT_TRUE(window.rtbViewer->locked());
    EXPECT_EQ(app.state.strLastUsedPath, app.state.strDefaultStorybookPath);
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
    EXPECT_EQ(second->lngRunsForThisVersion, 1);
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
    app.state.blnStorybookSaved = false;
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
    EXPECT_EQ(app.state.strApplicationMode, "Discard Modifications");
    EXPECT_EQ(window.lblApplicationMode->text(), QStringLiteral("Discard Modifications"));
    EXPECT_FALSE(QFile::exists(app.programFolder.filePath(QStringLiteral("family.xml"))));
    EXPECT_EQ(app.store.values["RunsForThisVersion"], "1") << "settings are written whatever the answer";
}

TEST(frmMainStartupTest, AnsweringYesSavesBeforeTheSettingsAreWritten) {
    AppFixture app;
    frmMain window(app.state);
    window.Form_Load();
    app.state.storybook().varPageCount = 1;
    app.state.blnStorybookSaved = false;
    app.state.varStorybookFile = "family.xml";
    app.state.varStorybookFolder = app.programFolder.path().toStdString() + "/";
    app.seam.messageAnswers = {MessageAnswer::Yes, MessageAnswer::Ok, MessageAnswer::Ok};
    std::vector<std::size_t> writesAtEachMessage;
    app.store.writes.clear();
    app.seam.onRequest = [&](const SeamRequest&) { writesAtEachMessage.push_back(app.store.writes.size()); };
    window.close();

    // This album has no records, so the save reports its failure; it does so before any setting.
    ASSERT_GE(writesAtEachMessage.size(), 2u);
    EXPECT_EQ(writesAtEachMessage[1], 0u);
    EXPECT_EQ(writtenNames(app.store), kValueOrder);
}

TEST(frmMainStartupTest, NoQuestionWithoutPages) {
    AppFixture app;
    frmMain window(app.state);
    window.Form_Load();
    app.state.blnStorybookSaved = false;
    window.close();
    EXPECT_TRUE(app.seam.requestsOf(SeamCall::Message).empty());
}

TEST(frmMainStartupTest, EndingAtOnceSavesNothing) {
    AppFixture app;
    frmMain window(app.state);
    window.Form_Load();
    app.state.storybook().varPageCount = 2;
    app.state.blnStorybookSaved = false;
    app.store.writes.clear();
    window.endApplication();
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
    frmAbout& about = window.aboutBox();
    about.show();
    ASSERT_TRUE(about.isVisible());
    window.close();
    EXPECT_FALSE(about.isVisible());
}
