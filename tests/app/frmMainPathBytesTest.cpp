// An album in a folder or under a name of any bytes, through the window: opened from the command
// line, its pictures shown, saved, exported and saved as into other such folders with its pictures
// copied.

#include "AlbumText.h"
#include "JpegFiles.h"
#include "MainWindowProbe.h"
#include "OpenThroughDialog.h"
#include "PlaceNames.h"
#include "ScriptedSeam.h"
#include "TempFolder.h"
#include "frmMain.h"
#include "platform/Controls.h"
#include "platform/PictureArea.h"
#include "platform/StoryTextBox.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace {

const QColor kPageColors[] = {QColor(200, 40, 40), QColor(40, 160, 40)};
const char* const kPictures[] = {"snapshot_4c1e9b07_00000001.jpg", "thumbnail_4c1e9b07_00000001.jpg",
                                 "snapshot_4c1e9b07_00000002.jpg", "thumbnail_4c1e9b07_00000002.jpg"};

bool shows(frmMain& window, const QColor& color) {
    const QImage shown = controls(window).pbxShow->shownImage();
    const QColor pixel = shown.pixelColor(shown.width() / 2, shown.height() / 2);
    return std::abs(pixel.red() - color.red()) + std::abs(pixel.green() - color.green()) +
               std::abs(pixel.blue() - color.blue()) <
           60;
}

} // namespace

TEST(PathBytes, TheWindowOpensShowsSavesExportsAndSavesAsEveryName) {
    const std::vector<PlaceName> names = placeNames();
    for (std::size_t row = 0; row < names.size(); ++row) {
        const PlaceName& name = names[row];
        SCOPED_TRACE(name.what);
        TempFolder root;
        const std::string folder = root.file(name.folder) + "/";
        const std::string to = root.file("to " + names[(row + 1) % names.size()].folder) + "/";
        const std::string web = root.file("web " + name.folder) + "/";
        for (const std::string& made : {folder, to, web})
            std::filesystem::create_directory(pathOf(made));
        AlbumText album;
        for (int picture = 0; picture < 4; ++picture)
            root.write(name.folder + "/" + kPictures[picture], jpegBytes(64, 48, kPageColors[picture / 2]));
        album.pages = {{"Page", kPictures[0], "Story"}, {"Page", kPictures[2], "Story"}};
        const std::string path = root.write(name.folder + "/" + name.file, album.bytes());

        ScriptedSeam seam;
        RecordingSettingsStore store;
        seam.modalActions.push_back([](QDialog&) { return ModalResult::Accepted; });
        // A bare name on the command line is taken in the working folder.
        AppState state(seam, store, Environment{"/home/tester/Documents", "/opt/brindlecove", name.file});
        frmMain window(state);
        const std::filesystem::path working = std::filesystem::current_path();
        std::filesystem::current_path(pathOf(folder));
        window.Form_Load();
        std::filesystem::current_path(working);
        ASSERT_EQ(modeText(state.controller().mode()), "View Storybook");
        EXPECT_EQ(state.varStorybookFolder + state.varStorybookFile, path);
        EXPECT_TRUE(shows(window, kPageColors[0]));
        controls(window).cmdNav[3]->click();
        EXPECT_TRUE(shows(window, kPageColors[1])) << "decoded ahead";

        state.controller().setMode(AppMode::EditStorybook);
        state.controller().setSaved(false);
        controls(window).rtbViewer->setText("Saved here");
        window.runCommand(Command::SaveStorybook);
        EXPECT_NE(TempFolder::read(path).find("Saved here"), std::string::npos);

        const auto saveAs = [&](const std::string& chosen, int filterIndex) {
            FileDialogResult result = chosenAlbum(chosen);
            result.filterIndex = filterIndex;
            seam.dialogResults.push_back(result);
            seam.messageAnswers = {MessageAnswer::Yes}; // copy the pictures
            window.runCommand(Command::SaveStorybookAs);
        };
        saveAs(web + name.file, 2);
        EXPECT_NE(TempFolder::read(web + name.file + ".html").find("<html"), std::string::npos);
        EXPECT_EQ(state.varStorybookFolder + state.varStorybookFile, path);
        const std::string target = to + names[(row + 1) % names.size()].file;
        saveAs(target, 1);
        EXPECT_EQ(state.varStorybookFolder + state.varStorybookFile, target);
        EXPECT_EQ(TempFolder::read(target), TempFolder::read(path));
        for (const char* picture : kPictures) {
            EXPECT_EQ(TempFolder::read(web + picture), TempFolder::read(folder + picture)) << picture;
            EXPECT_EQ(TempFolder::read(to + picture), TempFolder::read(folder + picture)) << picture;
            std::filesystem::remove(pathOf(folder + picture));
        }
        controls(window).cmdNav[2]->click();
        EXPECT_TRUE(shows(window, kPageColors[0])) << "from the album's new folder";
        EXPECT_EQ(seam.requestsOf(SeamCall::Message).size(), 2u) << "only the copy questions";
    }
}
