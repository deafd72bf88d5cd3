#include "AppFixture.h"
#include "AppVersion.h"
#include "MainWindowProbe.h"
#include "frmMain.h"
#include "platform/Controls.h"
#include "platform/PictureArea.h"
#include "platform/PopupMenu.h"
#include "platform/StoryTextBox.h"

#include <QFile>
#include <QLabel>

#include <gtest/gtest.h>

#include <optional>

namespace {
// Small glyphs are all antialiased edge; a tolerance admits their nearly full pixels.
bool hasColor(const QImage& image, const QRect& within, const QColor& color, int tolerance = 0) {
    const QRect area = within.intersected(image.rect());
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x)
            if (const QColor found = image.pixelColor(x, y);
                std::abs(found.red() - color.red()) <= tolerance &&
                std::abs(found.green() - color.green()) <= tolerance &&
                std::abs(found.blue() - color.blue()) <= tolerance)
                return true;
    return false;
}

class frmMainWindowTest : public ::testing::Test {
protected:
    AppFixture app;
    frmMain window{app.state};
};
} // namespace

TEST_F(frmMainWindowTest, StartScreenTextsStandAtTheirPlacesInTheirColours) {
    window.Form_Load(); // a first run: the about box opens over the start screen
    const QImage shown = controls(window).pbxShow->shownImage();

    struct Expectation {
        const char* what;
        QRect pixels;
        QColor color;
        int tolerance = 0;
    };
    const Expectation expectations[] = {
        {"white title on the second line", {0, 18, 200, 24}, QColor(255, 255, 255)},
        {"black title shadow", {0, 18, 200, 24}, QColor(0, 0, 0)},
        {"version line", {0, 40, 200, 20}, QColor(220, 220, 220)},
        {"credits and description", {0, 60, 400, 230}, QColor(180, 180, 180)},
        {"white F1", {269, 56, 70, 70}, QColor(255, 255, 255)},
        {"black F1 shadow", {266, 53, 70, 70}, QColor(0, 0, 0)},
        {"white For Help", {268, 114, 90, 26}, QColor(255, 255, 255)},
        {"toolbar captions", {132, 0, 268, 14}, QColor(180, 180, 200), 20},
    };
    for (const Expectation& row : expectations)
        EXPECT_TRUE(hasColor(shown, row.pixels, row.color, row.tolerance)) << row.what;

    EXPECT_FALSE(hasColor(shown, {0, 0, 130, 14}, QColor(180, 180, 200), 20))
        << "captions start at x = 1980 twips";
    EXPECT_FALSE(hasColor(shown, {360, 56, 40, 60}, QColor(255, 255, 255)))
        << "nothing right of the F1 block";
    EXPECT_FALSE(controls(window).pbxShow->persistentDrawing());
}

TEST_F(frmMainWindowTest, StartScreenPrintsOverAShownPageAndStays) {
    QImage page(400, 300, QImage::Format_RGB32);
    page.fill(QColor(0, 160, 0));
    controls(window).pbxShow->setPersistentDrawing(true);
    controls(window).pbxShow->paintPictureOverArea(page);
    controls(window).pbxShow->setPersistentDrawing(false);

    window.runCommand(Command::ShowAboutBox);
    controls(window).pbxShow->print("loose text drawn afterwards");
    const QImage shown = controls(window).pbxShow->shownImage();
    EXPECT_TRUE(hasColor(shown, {380, 280, 20, 20}, QColor(0, 160, 0))) << "the page is not cleared";
    EXPECT_TRUE(hasColor(shown, {269, 56, 70, 70}, QColor(255, 255, 255)));
}

TEST_F(frmMainWindowTest, HighlightFollowsTheHotspot) {
    using C = Command;
    const auto hotspot = [&](Command command) { return control<ImageHotspot>(window, command); };
    std::vector<ImageHotspot*> all;
    for (const Command command : {C::OpenStorybook, C::SaveStorybook, C::SaveStorybookAs, C::ToggleEditMode,
                                  C::ShowSnapshotBrowser, C::ToggleToolButtons, C::ExitApplication})
        all.push_back(hotspot(command));
    window.HighlightButton(hotspot(C::OpenStorybook));
    window.HighlightButton(hotspot(C::SaveStorybook));
    EXPECT_EQ(hotspot(C::OpenStorybook)->highlight(), 1) << "a new highlight leaves the old one";
    EXPECT_EQ(hotspot(C::SaveStorybook)->highlight(), 1);
    EXPECT_EQ(hotspot(C::ToggleEditMode)->highlight(), 0);

    for (ImageHotspot* hotspot : all)
        hotspot->setHighlight(1);
    window.HighlightButton(nullptr);
    for (ImageHotspot* hotspot : all)
        EXPECT_EQ(hotspot->highlight(), 0) << "none clears " << hotspot->objectName().toStdString();
}

TEST_F(frmMainWindowTest, ControlsStandAtTheirWindowModePlaces) {
    window.Form_Load();
    struct Place {
        QWidget* control;
        QRect pixels;
    };
    const Place places[] = {
        {controls(window).pbxShow, {43, 59, 400, 300}},
        {controls(window).rtbViewer, {41, 392, 408, 144}},
        {controls(window).lblApplicationMode, {45, 540, 136, 13}},
        {controls(window).lblBragBox, {204, 540, 250, 17}},
        {control<ImageHotspot>(window, Command::OpenStorybook), {177, 27, 28, 28}},
        {control<ImageHotspot>(window, Command::ExitApplication), {417, 27, 28, 28}},
        {control<ImageHotspot>(window, Command::CycleOverlayCaptions), {6, 42, 28, 26}},
        {control<PictureButton>(window, Command::ConfirmDeletePage), {283, 52, 24, 28}},
        {control<PictureButton>(window, Command::BeginRelocatePage), {215, -7, 24, 28}},
        {controls(window).pbxThumbnail, {262, 23, 130, 98}},
        {controls(window).imgSaving, {130, 152, 142, 78}},
    };
    EXPECT_EQ(window.size(), QSize(487, 561));
    for (const Place& place : places)
        EXPECT_EQ(place.control->geometry(), place.pixels) << place.control->objectName().toStdString();
    // The navigation buttons stand in a row of their own; in the window's pixels:
    const Place buttons[] = {
        {controls(window).cmdNav[2], {41, 367, 26, 21}},
        {controls(window).cmdNav[0], {136, 367, 109, 21}},
        {controls(window).cmdNav[5], {424, 367, 26, 21}},
    };
    for (const Place& place : buttons)
        EXPECT_EQ(QRect(place.control->mapTo(&window, QPoint()), place.control->size()), place.pixels)
            << place.control->objectName().toStdString();
    EXPECT_EQ(controls(window).cmdNav[0]->text(), QStringLiteral("<"));
    EXPECT_EQ(controls(window).cmdNav[5]->text(), QStringLiteral(">|"));
    EXPECT_EQ(control<ImageHotspot>(window, Command::SaveStorybookAs)->toolTip(),
              QStringLiteral("Save As (xml or html)"));
    EXPECT_FALSE(control<ImageHotspot>(window, Command::CycleOverlayCaptions)->isEnabled());
    EXPECT_EQ(window.windowTitle(), QStringLiteral("Brindlecove"));
}

TEST_F(frmMainWindowTest, WindowModeHidesTheSideButtonsAndSwapsTheMenuItems) {
    std::vector<PictureButton*> sideButtons;
    for (const Command command : {Command::PinPageButtons, Command::UnpinPageButtons,
                                  Command::ShowSettingsDialog, Command::BeginRelocatePage})
        sideButtons.push_back(control<PictureButton>(window, command));
    for (PictureButton* button : sideButtons) {
        button->setEnabled(true);
        button->show();
    }
    const MainWindowProbe probe = controls(window);
    probe.mnuPopup->setItemAvailable(probe.menuItem("Full-Screen Mode"), false);
    probe.mnuPopup->setItemAvailable(probe.menuItem("Window Mode"), true);
    window.Form_Load();
    window.refresh();
    for (PictureButton* button : sideButtons) {
        EXPECT_TRUE(button->isHidden()) << button->objectName().toStdString();
        EXPECT_FALSE(button->isEnabled()) << button->objectName().toStdString();
    }
    EXPECT_TRUE(probe.mnuPopup->itemAvailable(probe.menuItem("Full-Screen Mode")));
    EXPECT_FALSE(probe.mnuPopup->itemAvailable(probe.menuItem("Window Mode")));
}

TEST_F(frmMainWindowTest, MouseMovesRememberThePlaceWithoutDragging) {
    window.move(100, 50);
    for (const int button : {0, 2, 3, 4}) {
        app.state.intWindowTop = app.state.intWindowLeft = 0;
        emit window.faceMouseMoved(button);
        EXPECT_EQ(app.state.intWindowLeft, 1500) << "button " << button;
        EXPECT_EQ(app.state.intWindowTop, 750) << "button " << button;
    }
    window.move(3000, -2500);
    emit window.faceMouseMoved(0);
    EXPECT_EQ(app.state.intWindowLeft, 32767) << "beyond the 16-bit range the nearest value is kept";
    EXPECT_EQ(app.state.intWindowTop, -32768);
}

TEST_F(frmMainWindowTest, AboutBoxOpensOverAFreshStartScreen) {
    QImage page(400, 300, QImage::Format_RGB32);
    page.fill(QColor(0, 160, 0));
    controls(window).pbxShow->setPersistentDrawing(true);
    controls(window).pbxShow->paintPictureOverArea(page);
    controls(window).pbxShow->setPersistentDrawing(false);
    bool startScreenShown = false;
    app.seam.modalActions.push_back([&](QDialog&) {
        startScreenShown =
            hasColor(controls(window).pbxShow->shownImage(), {269, 56, 70, 70}, QColor(255, 255, 255));
        return ModalResult::Accepted;
    });
    window.runCommand(Command::ShowAboutBox);
    EXPECT_TRUE(startScreenShown);
    EXPECT_EQ(app.seam.requestsOf(SeamCall::Modal).size(), 1u);
}

TEST_F(frmMainWindowTest, HelpAndLicenceOpenFromTheProgramsFolder) {
    const std::string folder = app.programFolder.path().toStdString();
    QFile help(app.programFolder.filePath(QStringLiteral("helpfile.html")));
    ASSERT_TRUE(help.open(QIODevice::WriteOnly));
    help.close();

    window.runCommand(Command::ShowHelpFile);
    window.runCommand(Command::ShowLicenseAgreement);
    window.runCommand(Command::ShowHomePage);
    ASSERT_EQ(app.seam.requests.size(), 3u);
    EXPECT_EQ(app.seam.requests[0].call, SeamCall::OpenDocument);
    EXPECT_EQ(app.seam.requests[0].text, folder + "/helpfile.html");
    EXPECT_EQ(app.seam.requests[1].call, SeamCall::OpenTextEditor);
    EXPECT_EQ(app.seam.requests[1].text, folder + "/kvl-fsla.txt");
    EXPECT_EQ(app.seam.requests[2].call, SeamCall::OpenDocument);
    EXPECT_TRUE(app.seam.requestsOf(SeamCall::Modal).empty()) << "the launcher works without showing the box";
}

TEST_F(frmMainWindowTest, ALaunchTheDesktopCannotMakeNamesWhatItWasFor) {
    const std::string folder = app.programFolder.path().toStdString();
    for (const char* name : {"helpfile.html", "kvl-fsla.txt"}) {
        QFile document(app.programFolder.filePath(QString::fromLatin1(name)));
        ASSERT_TRUE(document.open(QIODevice::WriteOnly));
    }
    app.seam.launchesFail = true;
    struct Row {
        Command command;
        std::string named;
    };
    const Row rows[] = {
        {Command::ShowHelpFile, folder + "/helpfile.html"},
        {Command::ShowLicenseAgreement, folder + "/kvl-fsla.txt"},
        {Command::ShowHomePage, kHomePageAddress},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.named);
        app.seam.requests.clear();
        app.seam.messageAnswers.push_back(MessageAnswer::Ok);
        window.runCommand(row.command);
        const auto messages = app.seam.requestsOf(SeamCall::Message);
        ASSERT_EQ(messages.size(), 1u);
        EXPECT_EQ(messages[0].text.rfind("No program is set to open " + row.named + "\n", 0), 0u)
            << messages[0].text;
    }

    // With the licence gone, the failure is the missing file's.
    ASSERT_TRUE(QFile::remove(app.programFolder.filePath(QStringLiteral("kvl-fsla.txt"))));
    app.seam.requests.clear();
    app.seam.messageAnswers.push_back(MessageAnswer::Ok);
    window.runCommand(Command::ShowLicenseAgreement);
    const auto messages = app.seam.requestsOf(SeamCall::Message);
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0].text, "Licence text not found: " + folder + "/kvl-fsla.txt");
}
