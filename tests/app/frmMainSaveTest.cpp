// Save and Save As in a headless main window: what is written where, the questions and messages
// by their exact texts, and where the album lives afterwards.

#include "AlbumText.h"
#include "AppFixture.h"
#include "AppVersion.h"
#include "MainWindowProbe.h"
#include "OpenThroughDialog.h"
#include "RealSaveDialog.h"
#include "TempFolder.h"
#include "document/FileText.h"
#include "export/HtmlExport.h"
#include "frmMain.h"
#include "platform/QtSeam.h"
#include "platform/StoryTextBox.h"

#include <QApplication>
#include <QComboBox>
#include <QFileDialog>
#include <QLabel>
#include <QLineEdit>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

#include <filesystem>

namespace {

const char* const kCopyQuestionEnd =
    "\r\n\r\nDo you wish to copy all of the associated\r\nsnapshots and thumbnails too? (recommend yes)";

std::string snapshotName(int page) {
    return "snapshot_4c1e9b07_0000000" + std::to_string(page) + ".jpg";
}
std::string thumbnailName(int page) {
    return "thumbnail_4c1e9b07_0000000" + std::to_string(page) + ".jpg";
}

// A three-page album whose images are small files of known bytes. "{folder}" in the first page's
// snapshot name stands for the name of the album's own folder.
struct SourceAlbum {
    explicit SourceAlbum(std::string firstSnapshot = snapshotName(1)) {
        if (const auto at = firstSnapshot.find("{folder}"); at != std::string::npos)
            firstSnapshot.replace(at, 8, std::filesystem::path(folder.path()).filename().string());
        for (int page = 1; page <= 3; ++page) {
            const std::string snapshot = page == 1 ? firstSnapshot : snapshotName(page);
            album.pages.push_back(
                {"Page " + std::to_string(page), snapshot, "Story " + std::to_string(page)});
            folder.write(snapshotName(page), "snapshot bytes " + std::to_string(page));
            folder.write(thumbnailName(page), "thumbnail bytes " + std::to_string(page));
        }
        path = folder.write("Storybook.xml", album.bytes());
    }
    TempFolder folder;
    AlbumText album;
    std::string path;
};

class Save : public ::testing::Test {
protected:
    void open(const std::string& path) {
        openThroughDialog(app, window, path);
        ASSERT_EQ(modeText(app.state.controller().mode()), "View Storybook");
        app.seam.requests.clear();
    }
    void saveAs(const std::string& path, int filterIndex) {
        FileDialogResult chosen;
        chosen.chosen = true;
        chosen.path = path;
        chosen.fileTitle = path.substr(path.find_last_of('/') + 1);
        chosen.filterIndex = filterIndex;
        app.seam.dialogResults.push_back(chosen);
        window.runCommand(Command::SaveStorybookAs);
    }
    std::vector<SeamRequest> messages() const { return app.seam.requestsOf(SeamCall::Message); }
    std::string albumPath() const { return app.state.varStorybookFolder + app.state.varStorybookFile; }
    void expectStayedAt(const std::string& path) {
        EXPECT_EQ(albumPath(), path);
        EXPECT_EQ(modeText(app.state.controller().mode()), "View Storybook");
        EXPECT_FALSE(app.state.controller().saved());
    }

    SourceAlbum source;
    TempFolder elsewhere;
    AppFixture app;
    frmMain window{app.state};
};

TEST_F(Save, WritesOnceAndNothingWithoutChangesWhileMovingEmptyOrCancelled) {
    window.runCommand(Command::SaveStorybook); // no pages: asks and writes nothing
    open(source.path);
    app.state.controller().setMode(AppMode::EditStorybook);
    app.state.controller().setSaved(false);
    controls(window).rtbViewer->setText("Typed before saving");
    window.runCommand(Command::SaveStorybook);
    EXPECT_NE(TempFolder::read(source.path).find("<![CDATA[Typed before saving]]>"), std::string::npos);
    EXPECT_EQ(TempFolder::read(source.folder.file("Storybook.bak")), source.album.bytes());
    EXPECT_EQ(modeText(app.state.controller().mode()), "Storybook Saved");
    EXPECT_TRUE(app.state.controller().saved());

    source.folder.write("Storybook.xml", "sentinel");
    window.runCommand(Command::SaveStorybook);
    app.seam.dialogResults.push_back({}); // Save As cancelled
    window.runCommand(Command::SaveStorybookAs);
    EXPECT_EQ(modeText(app.state.controller().mode()), "View Storybook");
    app.state.controller().setSaved(false);
    app.state.controller().setMode(AppMode::RelocatePage);
    window.runCommand(Command::SaveStorybook);
    window.runCommand(Command::SaveStorybookAs); // would fail the test if it showed the dialog
    EXPECT_EQ(TempFolder::read(source.path), "sentinel");
    EXPECT_EQ(albumPath(), source.path);
    EXPECT_TRUE(messages().empty());
}

// The typed name, the filter chosen, and what was written under which name.
TEST_F(Save, AsDecidesTheTargetFromTheTypedNameAndTheFilter) {
    open(source.path);
    struct Row {
        const char* typed;
        int filter;
        const char* written;
        const char* templateName; // nullptr: the album file
    };
    const Row rows[] = {
        {"Album.HTM", 1, "Album.HTMl", webtemplate::kStaticLinear},
        {"album.html", 1, "album.html", webtemplate::kStaticLinear},
        {"Album.XML", 1, "Album.XML", nullptr},
        {"album", 1, "album.xml", nullptr},
        {"notes.txt", 1, "notes.txt.xml", nullptr},
        {"page.html", 2, "page.html.html", webtemplate::kStaticLinear},
        {"popup", 3, "popup.html", webtemplate::kPopup},
        {"viewer.xml", 4, "viewer.xml.html", webtemplate::kAdvancedViewer},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.typed);
        const std::string before = albumPath();
        app.state.controller().setSaved(false);
        saveAs(source.folder.file(row.typed), row.filter);
        const std::string written = source.folder.file(row.written);
        if (row.templateName) {
            EXPECT_EQ(TempFolder::read(written), BuildExportPage(app.state.storybook(), row.templateName));
            expectStayedAt(before);
        } else {
            EXPECT_EQ(TempFolder::read(written), source.album.bytes());
            EXPECT_EQ(albumPath(), written);
            EXPECT_EQ(modeText(app.state.controller().mode()), "Storybook Saved");
        }
    }
    EXPECT_TRUE(messages().empty()) << "one folder: no copy question";

    const auto dialogs = app.seam.requestsOf(SeamCall::FileDialog);
    ASSERT_EQ(dialogs.size(), std::size(rows));
    const FileDialogRequest& first = dialogs[0].dialog;
    EXPECT_EQ(first.title, "Save As");
    EXPECT_TRUE(first.overwritePrompt);
    EXPECT_EQ(first.initialFolder, app.state.settings.strLastUsedPath);
    const std::vector<FileFilter> filters = {{"Sims 2 Storybook File (*.xml)", "*.xml"},
                                             {"Web Export Template (Static HTML Linear)", "*.html"},
                                             {"Web Export Template (JavaScript HTML Popup)", "*.html"},
                                             {"Web Export Template (CSS/JS Advanced Viewer)", "*.html"}};
    EXPECT_EQ(first.filters, filters);
    const char* const proposed[] = {"Storybook", "Storybook", "Storybook", "Album.XML",
                                    "album",     "notes.txt", "notes.txt", "notes.txt"};
    for (std::size_t i = 0; i < std::size(rows); ++i)
        EXPECT_EQ(dialogs[i].text, proposed[i]) << "dialog " << i;

    // After an export the album still names its own file: Save writes that, not the page.
    source.folder.write("notes.txt.xml", "sentinel");
    window.runCommand(Command::SaveStorybook);
    EXPECT_EQ(TempFolder::read(source.folder.file("notes.txt.xml")), source.album.bytes());
}

TEST_F(Save, AsIntoAnotherFolderCopiesTheImagesOnYesOnlyAndCancelWritesNothing) {
    open(source.path);
    app.state.controller().setSaved(false);
    const std::string target = elsewhere.file("Moved.xml");

    app.seam.messageAnswers = {MessageAnswer::Cancel};
    saveAs(target, 1);
    expectStayedAt(source.path);
    ASSERT_EQ(messages().size(), 1u);
    EXPECT_EQ(messages()[0].text, "Saving storybook to an alternate path, \r\n\r\nsource path: " +
                                      source.path + "\r\ndestination path: " + target + kCopyQuestionEnd);
    EXPECT_EQ(messages()[0].title, "Exporting Storybook");
    EXPECT_EQ(messages()[0].buttons, MessageButtons::YesNoCancel);
    EXPECT_EQ(messages()[0].icon, MessageIcon::None);
    EXPECT_FALSE(fileExists(target));

    app.seam.messageAnswers = {MessageAnswer::No};
    saveAs(target, 1);
    EXPECT_EQ(TempFolder::read(target), source.album.bytes());
    EXPECT_FALSE(fileExists(elsewhere.file(snapshotName(1))));
    EXPECT_EQ(albumPath(), target);

    TempFolder third;
    app.seam.messageAnswers = {MessageAnswer::Yes};
    app.state.varStorybookFolder = source.folder.path() + "/"; // back where the images are
    saveAs(third.file("Copied"), 3);
    for (int page = 1; page <= 3; ++page) {
        EXPECT_EQ(TempFolder::read(third.file(snapshotName(page))), "snapshot bytes " + std::to_string(page));
        EXPECT_EQ(TempFolder::read(third.file(thumbnailName(page))),
                  "thumbnail bytes " + std::to_string(page));
    }
    EXPECT_EQ(TempFolder::read(third.file("Copied.html")),
              BuildExportPage(app.state.storybook(), webtemplate::kPopup));
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(third.path()), {}), 7)
        << "no temporary file is left behind";
}

// Pictures that cannot be copied are named in one message; the rest are copied and the album saved.
TEST_F(Save, AsCopiesThePicturesItCanAndNamesTheRest) {
    const std::string t9 = "thumbnail_4c1e9b07_00000009.jpg";
    const std::string s9 = "snapshot_4c1e9b07_00000009.jpg";
    struct Row {
        std::string firstSnapshot;
        bool picturesRemoved;
        std::string message;
        int copied;
    };
    const Row rows[] = {
        {s9, false, "2 pictures could not be copied: " + t9 + ", " + s9, 4},
        {"../{folder}/" + snapshotName(1), false,
         "2 pictures could not be copied: ../{folder}/" + thumbnailName(1) + ", ../{folder}/" +
             snapshotName(1),
         4},
        {snapshotName(1), true,
         "6 pictures could not be copied: " + thumbnailName(1) + ", " + snapshotName(1) + ", " +
             thumbnailName(2) + ", " + snapshotName(2) + ", " + thumbnailName(3) + ", ...",
         0},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.message);
        SourceAlbum broken(row.firstSnapshot);
        if (row.picturesRemoved)
            for (int page = 1; page <= 3; ++page)
                for (const std::string& name : {snapshotName(page), thumbnailName(page)})
                    std::filesystem::remove(broken.folder.file(name));
        TempFolder target;
        open(broken.path);
        app.state.controller().setSaved(false);
        app.seam.messageAnswers = {MessageAnswer::Yes, MessageAnswer::Ok};
        saveAs(target.file("Album.xml"), 1);

        ASSERT_EQ(messages().size(), 2u);
        std::string expected = row.message;
        for (auto at = expected.find("{folder}"); at != std::string::npos; at = expected.find("{folder}"))
            expected.replace(at, 8, std::filesystem::path(broken.folder.path()).filename().string());
        EXPECT_EQ(messages()[1].text, expected);
        EXPECT_EQ(messages()[1].icon, MessageIcon::Critical);
        EXPECT_EQ(messages()[1].buttons, MessageButtons::Ok);
        EXPECT_EQ(TempFolder::read(target.file("Album.xml")), broken.album.bytes());
        EXPECT_EQ(albumPath(), target.file("Album.xml"));
        EXPECT_TRUE(app.state.controller().saved());
        EXPECT_EQ(std::distance(std::filesystem::directory_iterator(target.path()), {}), 1 + row.copied)
            << "the album and the pictures there were, nothing else";
        if (row.copied > 0) {
            EXPECT_EQ(TempFolder::read(target.file(snapshotName(3))), "snapshot bytes 3");
        }
    }
}

TEST_F(Save, AFailedXmlSaveOrExportLeavesTheAlbumWhereItWas) {
    open(source.path);
    app.state.controller().setSaved(false);
    const std::string missing = elsewhere.file("missing/Album.xml");
    app.seam.messageAnswers = {MessageAnswer::No, MessageAnswer::Ok};
    saveAs(missing, 1);
    ASSERT_EQ(messages().size(), 2u);
    EXPECT_EQ(messages()[1].title, "save operation failed");
    EXPECT_EQ(messages()[1].icon, MessageIcon::Critical);
    expectStayedAt(source.path);

    app.seam.requests.clear();
    app.seam.messageAnswers = {MessageAnswer::No, MessageAnswer::Ok};
    saveAs(elsewhere.file("missing/Album"), 2);
    ASSERT_EQ(messages().size(), 2u);
    EXPECT_EQ(messages()[1].text.rfind("The web page could not be written.", 0), 0u) << messages()[1].text;
    EXPECT_EQ(messages()[1].title, "Save As Failed");
    EXPECT_EQ(messages()[1].icon, MessageIcon::Critical);
    EXPECT_EQ(messages()[1].buttons, MessageButtons::Ok);
    expectStayedAt(source.path);
}

TEST_F(Save, AsAsksBeforeANameItChangedReplacesAFile) {
    open(source.path);
    source.folder.write("Album.xml", "older album");
    source.folder.write("Page.html", "older page");

    app.seam.messageAnswers = {MessageAnswer::No};
    saveAs(source.folder.file("Album"), 1);
    ASSERT_EQ(messages().size(), 1u);
    EXPECT_EQ(messages()[0].text, "Album.xml already exists.\r\nDo you want to replace it?");
    EXPECT_EQ(messages()[0].title, "Save As");
    EXPECT_EQ(messages()[0].buttons, MessageButtons::YesNo);
    EXPECT_EQ(TempFolder::read(source.folder.file("Album.xml")), "older album");
    EXPECT_EQ(albumPath(), source.path);

    app.seam.messageAnswers = {MessageAnswer::Yes};
    saveAs(source.folder.file("Page"), 2);
    EXPECT_EQ(messages()[1].text, "Page.html already exists.\r\nDo you want to replace it?");
    EXPECT_EQ(TempFolder::read(source.folder.file("Page.html")),
              BuildExportPage(app.state.storybook(), webtemplate::kStaticLinear));

    // A name used as chosen was already asked about by the dialog.
    saveAs(source.folder.file("Album.xml"), 1);
    EXPECT_EQ(messages().size(), 2u);
    EXPECT_EQ(TempFolder::read(source.folder.file("Album.xml")), source.album.bytes());
}

TEST_F(Save, FoldersAreComparedAsTheFileSystemSeesThem) {
    open(source.path);
    const std::string link = elsewhere.file("link");
    std::filesystem::create_directory_symlink(source.folder.path(), link);
    saveAs(link + "/ViaLink.xml", 1);
    saveAs(source.folder.path() + "/./Dotted.xml", 1);
    EXPECT_TRUE(messages().empty());
    EXPECT_TRUE(fileExists(source.folder.file("ViaLink.xml")));
    EXPECT_TRUE(fileExists(source.folder.file("Dotted.xml")));

    // Only the letter case differs: another folder on this file system.
    std::filesystem::create_directory(elsewhere.file("Case"));
    std::filesystem::create_directory(elsewhere.file("case"));
    app.seam.messageAnswers = {MessageAnswer::No, MessageAnswer::No};
    saveAs(elsewhere.file("Case/One.xml"), 1);
    saveAs(elsewhere.file("case/Two.xml"), 1);
    ASSERT_EQ(messages().size(), 2u);
    EXPECT_EQ(messages()[1].title, "Exporting Storybook");
    EXPECT_EQ(albumPath(), elsewhere.file("case/Two.xml"));
}

// Through the real Save dialog: the name typed, beyond ASCII too, keeps its own ending and its
// bytes, and the chosen type's extension is added once.
TEST(SaveThroughTheRealDialog, AddsTheChosenTypesExtensionOnceToTheTypedName) {
    struct Row {
        const char* typed;
        std::vector<int> types; // 0-based, in the order chosen
        const char* written;
    };
    const Row rows[] = {{"notes", {1}, "notes.html"},
                        {"Family.v2", {1, 0}, "Family.v2.xml"},
                        {"\xC3\x89t\xC3\xA9 \xE5\x86\x99\xE7\x9C\x9F",
                         {0},
                         "\xC3\x89t\xC3\xA9 \xE5\x86\x99\xE7\x9C\x9F.xml"}};
    for (const Row& row : rows) {
        SCOPED_TRACE(row.typed);
        SourceAlbum source;
        QtSeam seam("Brindlecove");
        RecordingSettingsStore store;
        // Run before: no about box waits at start-up.
        store.values = {{"ApplicationVersion", versionText(kReleaseNote)}, {"RunsForThisVersion", "1"}};
        AppState state(seam, store, Environment{"/home/tester/Documents", source.folder.path(), source.path});
        frmMain window(state);
        window.Form_Load();
        ASSERT_EQ(modeText(state.controller().mode()), "View Storybook");

        answerSaveDialog(row.typed, row.types);
        window.runCommand(Command::SaveStorybookAs);
        EXPECT_TRUE(fileExists(source.folder.file(row.written)));
        EXPECT_EQ(std::distance(std::filesystem::directory_iterator(source.folder.path()), {}), 8)
            << "the album, its six pictures and the one file written";
    }
}

} // namespace

// The saving picture stands while a save asks its question or tells why it failed, and goes with it.
TEST_F(Save, TheSavingPictureStandsWhileTheSaveAsksOrFails) {
    open(source.path);
    std::vector<bool> pictureUp;
    app.seam.onRequest = [&](const SeamRequest&) {
        pictureUp.push_back(!controls(window).imgSaving->isHidden());
    };
    std::filesystem::create_directory(source.folder.file("Storybook.bak")); // no backup can be made
    for (const MessageAnswer answer : {MessageAnswer::No, MessageAnswer::Yes}) {
        SCOPED_TRACE(int(answer));
        app.state.controller().setMode(AppMode::ViewStorybook);
        app.state.controller().setSaved(false);
        app.seam.messageAnswers = {answer};
        window.runCommand(Command::SaveStorybook);
        EXPECT_EQ(messages().back().title, "backup failed");
        EXPECT_EQ(app.state.controller().saved(), answer == MessageAnswer::Yes);
        EXPECT_EQ(modeText(app.state.controller().mode()),
                  answer == MessageAnswer::Yes ? "Storybook Saved" : "View Storybook");
        EXPECT_TRUE(controls(window).imgSaving->isHidden());
    }

    // A title no later line closes would not read back.
    app.state.storybook().varEntryArray[0][album::Text][album::Content] = "<![CDATA[about <Title>]]>";
    app.state.controller().setMode(AppMode::ViewStorybook);
    app.state.controller().setSaved(false);
    app.seam.messageAnswers = {MessageAnswer::Ok};
    window.runCommand(Command::SaveStorybook);
    EXPECT_EQ(messages().back().title, "save operation failed");
    EXPECT_FALSE(app.state.controller().saved());
    EXPECT_TRUE(controls(window).imgSaving->isHidden());
    EXPECT_EQ(pictureUp, (std::vector<bool>{true, true, true}));
}
