#include "dialogs/frmAbout.h"
#include "AppFixture.h"
#include "AppVersion.h"
#include "EventWait.h"
#include "platform/Controls.h"

#include <QDir>
#include <QFile>
#include <QTest>

#include <gtest/gtest.h>

namespace {
void touch(const QString& path) {
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("x");
}
} // namespace

TEST(frmAboutTest, EnterAndEscapeBothClose) {
    for (const Qt::Key key : {Qt::Key_Return, Qt::Key_Enter, Qt::Key_Escape}) {
        AppFixture app;
        frmAbout about(app.seam, app.state.environment().programFolder);
        about.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&about, kEventLimitMs));
        QTest::keyClick(&about, key);
        EXPECT_FALSE(about.isVisible()) << "key " << key;
    }
}

TEST(frmAboutTest, ShowsTitleVersionAndAGreyedDisclaimer) {
    AppFixture app;
    frmAbout about(app.seam, app.state.environment().programFolder);
    EXPECT_EQ(about.windowTitle(), QStringLiteral("About Brindlecove"));
    EXPECT_EQ(about.lblVersion()->text(), QStringLiteral("Version 0.8.0 - official alpha release."));
    EXPECT_FALSE(about.lblDisclaimer()->isEnabled());
    EXPECT_FALSE(about.lblDisclaimer()->text().isEmpty());
}

TEST(frmAboutTest, HelpDocumentPresentOpensWithoutAQuestion) {
    AppFixture app;
    touch(app.programFolder.filePath(QStringLiteral("helpfile.html")));
    frmAbout about(app.seam, app.state.environment().programFolder);
    QTest::mouseClick(about.helpButton(), Qt::LeftButton);
    ASSERT_EQ(app.seam.requests.size(), 1u);
    EXPECT_EQ(app.seam.requests[0].call, SeamCall::OpenDocument);
    EXPECT_EQ(app.seam.requests[0].text, app.programFolder.path().toStdString() + "/helpfile.html");
}

TEST(frmAboutTest, MissingHelpDocumentAsksForItsPath) {
    AppFixture app;
    const std::string expectedPath = app.programFolder.path().toStdString() + "/helpfile.html";
    const QString elsewhere = app.programFolder.filePath(QStringLiteral("manual.html"));
    touch(elsewhere);

    struct Case {
        const char* what;
        std::string answer;
        std::vector<SeamCall> after; // what follows the input box
    };
    const Case cases[] = {
        {"an existing file is opened", elsewhere.toStdString(), {SeamCall::OpenDocument}},
        {"a missing file is reported", "/nowhere/help.html", {SeamCall::Message}},
        {"a cancelled box opens nothing", "", {}},
    };
    for (const Case& row : cases) {
        SCOPED_TRACE(row.what);
        app.seam.requests.clear();
        app.seam.inputAnswers.push_back(row.answer);
        app.seam.messageAnswers.push_back(MessageAnswer::Ok);
        frmAbout about(app.seam, app.state.environment().programFolder);
        about.LaunchWebBrowser("helpfile.html");

        ASSERT_EQ(app.seam.requests.size(), 1 + row.after.size());
        const SeamRequest& input = app.seam.requests[0];
        EXPECT_EQ(input.call, SeamCall::Input);
        EXPECT_EQ(input.text, "Please enter the path to the help document.");
        EXPECT_EQ(input.title, "Open Help File");
        EXPECT_EQ(input.defaultAnswer, expectedPath);
        for (std::size_t i = 0; i < row.after.size(); ++i)
            EXPECT_EQ(app.seam.requests[1 + i].call, row.after[i]);
        if (!row.after.empty() && row.after[0] == SeamCall::Message) {
            EXPECT_EQ(app.seam.requests[1].text, "Help file not found!");
            EXPECT_EQ(app.seam.requests[1].icon, MessageIcon::Critical);
            EXPECT_EQ(app.seam.requests[1].title, "Invalid Path");
            EXPECT_EQ(app.seam.requests[1].buttons, MessageButtons::Ok);
        } else {
            app.seam.messageAnswers.clear();
        }
    }
}

TEST(frmAboutTest, InstalledDocumentsAreFoundInTheDataFolder) {
    QTemporaryDir prefix;
    ASSERT_TRUE(QDir(prefix.path()).mkpath(QStringLiteral("bin")));
    ASSERT_TRUE(QDir(prefix.path()).mkpath(QStringLiteral("share/brindlecove")));
    ScriptedSeam seam;
    RecordingSettingsStore store;
    AppState state(seam, store,
                   Environment{"", prefix.filePath(QStringLiteral("bin")).toStdString() + " ", ""});
    frmAbout about(seam, state.environment().programFolder);
    EXPECT_EQ(about.applicationFolder(), prefix.filePath(QStringLiteral("share/brindlecove")).toStdString());
}

TEST(frmAboutTest, HomePageOpensTheAddress) {
    AppFixture app;
    frmAbout about(app.seam, app.state.environment().programFolder);
    about.LaunchWebBrowser("HOMEPAGE");
    ASSERT_EQ(app.seam.requests.size(), 1u);
    EXPECT_EQ(app.seam.requests[0].call, SeamCall::OpenDocument);
    EXPECT_EQ(app.seam.requests[0].text, kHomePageAddress);
}

TEST(frmAboutTest, ExistenceTestRefusesFoldersAndEmptyPaths) {
    QTemporaryDir folder;
    EXPECT_FALSE(frmAbout::FileExists(""));
    EXPECT_FALSE(frmAbout::FileExists(folder.path().toStdString()));
    EXPECT_FALSE(frmAbout::FileExists(folder.path().toStdString() + "/absent.html"));
    touch(folder.filePath(QStringLiteral("present.html")));
    EXPECT_TRUE(frmAbout::FileExists(folder.path().toStdString() + "/present.html"));
}
