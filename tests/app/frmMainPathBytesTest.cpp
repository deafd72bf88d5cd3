// An album in a folder or under a name of any bytes, through the window: opened from the command
// line, its pictures shown, saved, exported and saved as into other such folders with its pictures
// copied.

#include "AlbumText.h"
#include "MainWindowProbe.h"
#include "PlaceNames.h"
#include "ScriptedSeam.h"
#include "TempFolder.h"
#include "frmMain.h"
#include "platform/Controls.h"
#include "platform/PictureArea.h"
#include "platform/StoryTextBox.h"

#include <QBuffer>
#include <QImage>

#include <gtest/gtest.h>

#include <filesystem>

namespace {

const QColor kPageColors[] = {QColor(200, 40, 40), QColor(40, 160, 40)};
const char* const kPictures[] = {"snapshot_4c1e9b07_00000001.jpg", "thumbnail_4c1e9b07_00000001.jpg",
                                 "snapshot_4c1e9b07_00000002.jpg", "thumbnail_4c1e9b07_00000002.jpg"};

std::string jpegOf(const QColor& color) {
    QImage image(64, 48, QImage::Format_RGB32);
    image.fill(color);
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "JPG", 95);
    return bytes.toStdString();
}

bool shows(frmMain& window, const QColor& color) {
    const QImage shown = controls(window).pbxShow->shownImage();
    const QColor pixel = shown.pixelColor(shown.width() / 2, shown.height() / 2);
    return std::abs(pixel.red() - color.red()) < 40 && std::abs(pixel.green() - color.green()) < 40 &&
           std::abs(pixel.blue() - color.blue()) < 40;
}

// Runs in the album's folder: a bare name on the command line is taken there.
struct WorkingFolder {
    explicit WorkingFolder(const std::string& folder) { std::filesystem::current_path(pathOf(folder)); }
    ~WorkingFolder() { std::filesystem::current_path(before); }
    std::filesystem::path before = std::filesystem::current_path();
};

} // namespace

TEST(PathBytes, TheWindowOpensShowsSavesExportsAndSavesAsEveryName) {
    const std::vector<PlaceName> names = placeNames();
    for (std::size_t row = 0; row < names.size(); ++row) {
        const PlaceName& name = names[row];
        SCOPED_TRACE(name.what);
        TempFolder root;
        const std::string folder = root.file(name.folder);
        std::filesystem::create_directory(pathOf(folder));
        AlbumText album;
        for (int page = 0; page < 2; ++page) {
            album.pages.push_back({"Page", kPictures[2 * page], "Story"});
            root.write(name.folder + "/" + kPictures[2 * page], jpegOf(kPageColors[page]));
            root.write(name.folder + "/" + kPictures[2 * page + 1], jpegOf(kPageColors[page]));
        }
        const std::string path = root.write(name.folder + "/" + name.file, album.bytes());

        ScriptedSeam seam;
        RecordingSettingsStore store;
        seam.modalActions.push_back([](QDialog&) { return ModalResult::Accepted; });
        AppState state(seam, store, Environment{"/home/tester/Documents", "/opt/brindlecove", name.file});
        frmMain window(state);
        {
            const WorkingFolder working(folder);
            window.Form_Load();
        }
        ASSERT_EQ(modeText(state.controller().mode()), "View Storybook");
        EXPECT_EQ(state.varStorybookFolder + state.varStorybookFile, path);
        EXPECT_TRUE(shows(window, kPageColors[0]));
        controls(window).cmdNav[3]->click();
        EXPECT_TRUE(shows(window, kPageColors[1])) << "decoded ahead";

        state.controller().setMode(AppMode::EditStorybook);
        state.controller().setSaved(false);
        controls(window).rtbViewer->setText("Saved here");
        window.runCommand(Command::SaveStorybook);
        EXPECT_EQ(modeText(state.controller().mode()), "Storybook Saved");
        EXPECT_NE(TempFolder::read(path).find("Saved here"), std::string::npos);

        // Into the next row's folder under its file name, the pictures copied.
        const PlaceName& next = names[(row + 1) % names.size()];
        const std::string target = root.file("to " + next.folder) + "/" + next.file;
        std::filesystem::create_directory(pathOf(root.file("to " + next.folder)));
        const auto saveAs = [&](const std::string& chosenPath, int filterIndex) {
            FileDialogResult chosen;
            chosen.chosen = true;
            chosen.path = chosenPath;
            chosen.filterIndex = filterIndex;
            seam.dialogResults.push_back(chosen);
            seam.messageAnswers = {MessageAnswer::Yes};
            window.runCommand(Command::SaveStorybookAs);
        };
        // A web page into a folder named like this one, with its own copies of the pictures.
        const std::string web = root.file("web " + name.folder);
        std::filesystem::create_directory(pathOf(web));
        saveAs(web + "/" + name.file, 2);
        EXPECT_NE(TempFolder::read(web + "/" + name.file + ".html").find("<html"), std::string::npos);
        EXPECT_EQ(TempFolder::read(web + "/" + kPictures[0]), TempFolder::read(folder + "/" + kPictures[0]));
        EXPECT_EQ(state.varStorybookFolder + state.varStorybookFile, path);

        saveAs(target, 1);
        EXPECT_EQ(state.varStorybookFolder + state.varStorybookFile, target);
        EXPECT_EQ(TempFolder::read(target), TempFolder::read(path));
        for (const char* picture : kPictures) {
            EXPECT_EQ(TempFolder::read(root.file("to " + next.folder) + "/" + picture),
                      TempFolder::read(folder + "/" + picture))
                << picture;
            std::filesystem::remove(pathOf(folder + "/" + picture));
        }
        controls(window).cmdNav[2]->click();
        EXPECT_TRUE(shows(window, kPageColors[0])) << "from the album's new folder";
        EXPECT_EQ(seam.requestsOf(SeamCall::Message).size(), 2u) << "only the copy questions";
    }
}
