// The settings dialog: what it shows on opening, what OK and Cancel keep, and the ticks that the
// dialog's own loading sets off.

#include "settings/frmConfigure.h"
#include "AppFixture.h"
#include "frmMain.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QPushButton>

#include <gtest/gtest.h>

#include <functional>

namespace {

class Settings : public ::testing::Test {
protected:
    Settings() {
        app.state.settings.strDefaultStorybookPath = "/home/tester/Albums";
        app.state.settings.strLoadImageCacheWarning = "True";
        app.state.settings.blnLoadImageCacheWarning = true;
        app.state.strStorybookCachePath = "/home/tester/Albums/";
    }
    // Runs the settings command with the dialog handed to use as the user would meet it.
    void showSettings(const std::function<void(frmConfigure&)>& use) {
        app.seam.modalActions = {[&](QDialog& dialog) {
            use(dynamic_cast<frmConfigure&>(dialog));
            return ModalResult::Accepted;
        }};
        window.runCommand(Command::ShowSettingsDialog);
    }
    AppFixture app;
    frmMain window{app.state};
};

TEST_F(Settings, ShownModallyByTheCommandAndLoadedAfreshEachTime) {
    std::vector<QString> shownPaths;
    const auto look = [&](QDialog& dialog) {
        auto& settings = dynamic_cast<frmConfigure&>(dialog);
        EXPECT_EQ(settings.windowTitle(), QStringLiteral("Application Settings"));
        shownPaths.push_back(settings.txtDefaultStorybookPath->text());
        settings.txtDefaultStorybookPath->setText(QStringLiteral("/elsewhere"));
        settings.cmdOk->click();
        return ModalResult::Accepted;
    };
    app.seam.modalActions = {look, look};
    window.runCommand(Command::ShowSettingsDialog);
    window.runCommand(Command::ShowSettingsDialog);
    ASSERT_EQ(app.seam.requestsOf(SeamCall::Modal).size(), 2u);
    EXPECT_EQ(app.seam.requests[0].text, "frmConfigure");
    EXPECT_EQ(shownPaths,
              (std::vector<QString>{QStringLiteral("/home/tester/Albums"), QStringLiteral("/elsewhere")}));
}

TEST_F(Settings, OpeningWithDateSortingOnClearsTheScanKeyEvenOnCancel) {
    app.state.settings.blnLoadImageSortByDate = true;
    showSettings([](frmConfigure& dialog) {
        EXPECT_TRUE(dialog.chkSortThumbnails->isChecked());
        dialog.Command2->click();
    });
    EXPECT_EQ(app.state.strStorybookCachePath, "");
    EXPECT_TRUE(app.state.settings.blnLoadImageSortByDate);

    app.state.settings.blnLoadImageSortByDate = false;
    app.state.strStorybookCachePath = "/home/tester/Albums/";
    showSettings([&](frmConfigure& dialog) {
        EXPECT_FALSE(dialog.sortTouched()) << "nothing ticked on opening";
        dialog.chkSortThumbnails->click();
        dialog.chkSortThumbnails->click();
        dialog.Command2->click();
    });
    EXPECT_EQ(app.state.strStorybookCachePath, "");
    EXPECT_FALSE(app.state.settings.blnLoadImageSortByDate);
}

TEST_F(Settings, TheWarningBoxFollowsTheStoredTextNotTheFlag) {
    app.state.settings.blnLoadImageCacheWarning = false; // switched off for this run only
    showSettings([](frmConfigure& dialog) {
        EXPECT_TRUE(dialog.chkImageCache->isChecked());
        dialog.cmdOk->click();
    });
    EXPECT_TRUE(app.state.settings.blnLoadImageCacheWarning);

    app.state.settings.strLoadImageCacheWarning = "false";
    showSettings([](frmConfigure& dialog) {
        EXPECT_FALSE(dialog.chkImageCache->isChecked());
        dialog.Command2->click();
    });
    EXPECT_EQ(app.state.settings.strLoadImageCacheWarning, "false");
    showSettings([](frmConfigure& dialog) { dialog.cmdOk->click(); });
    EXPECT_EQ(app.state.settings.strLoadImageCacheWarning, "False");
    EXPECT_FALSE(app.state.settings.blnLoadImageCacheWarning);
}

TEST_F(Settings, TheLastUsedBoxGreysThePathBoxAndAnEmptyPathIsKept) {
    app.state.settings.blnSetDefaultToLastUsedPath = true;
    showSettings([](frmConfigure& dialog) {
        EXPECT_TRUE(dialog.chkLastUsed->isChecked());
        EXPECT_FALSE(dialog.txtDefaultStorybookPath->isEnabled());
        dialog.chkLastUsed->click();
        EXPECT_TRUE(dialog.txtDefaultStorybookPath->isEnabled());
        dialog.txtDefaultStorybookPath->clear();
        dialog.cmdOk->click();
    });
    EXPECT_FALSE(app.state.settings.blnSetDefaultToLastUsedPath);
    EXPECT_EQ(app.state.settings.strDefaultStorybookPath, "");

    showSettings([](frmConfigure& dialog) {
        EXPECT_TRUE(dialog.txtDefaultStorybookPath->isEnabled());
        dialog.chkLastUsed->click();
        EXPECT_FALSE(dialog.txtDefaultStorybookPath->isEnabled());
        dialog.cmdOk->click();
    });
    EXPECT_TRUE(app.state.settings.blnSetDefaultToLastUsedPath);
}

TEST_F(Settings, TheUnfinishedControlsCannotBeUsed) {
    frmConfigure dialog({});
    for (QWidget* control : std::initializer_list<QWidget*>{dialog.chkRevert, dialog.Check1,
                                                            dialog.cmdPathCurrent, dialog.cmdPathDefault})
        EXPECT_FALSE(control->isEnabled()) << control->metaObject()->className();
    EXPECT_EQ(dialog.Check1->checkState(), Qt::PartiallyChecked);
    dialog.Check1->click();
    EXPECT_EQ(dialog.Check1->checkState(), Qt::PartiallyChecked);
}

} // namespace
