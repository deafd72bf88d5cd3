// The image information window: when it opens, what it shows after the main window moved on, the
// copy buttons, Escape, and closing with the main window.

#include "dialogs/plgnImageInfo.h"
#include "MainWindowProbe.h"
#include "OpenAlbum.h"
#include "platform/Controls.h"

#include <QApplication>
#include <QLineEdit>
#include <QTest>

#include <gtest/gtest.h>

namespace {
class ImageInfoTest : public ::testing::Test {
protected:
    ImageInfoTest() : book(3) {}
    plgnImageInfo* open() {
        window.runCommand(Command::DoPluginImageInfo);
        return window.imageInfo();
    }
    static void activate(plgnImageInfo& info) {
        QEvent activation(QEvent::WindowActivate);
        QApplication::sendEvent(&info, &activation);
    }
    static void settle() { QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete); }
    OpenAlbum book;
    frmMain& window = book.window;
};
} // namespace

TEST_F(ImageInfoTest, OpensOnlyInTheViewingModes) {
    for (const char* mode : {"Initialized", "Nothing Loaded", "Relocate Page", "Load Snapshot"}) {
        book.setMode(mode);
        EXPECT_EQ(open(), nullptr) << mode;
    }
    for (const char* mode : {"View Storybook", "Edit Storybook", "Storybook Saved"}) {
        book.setMode(mode);
        EXPECT_NE(open(), nullptr) << mode;
    }
}

TEST_F(ImageInfoTest, FieldsAreFilledOnEachActivationAndOneWindowServes) {
    plgnImageInfo* info = open();
    ASSERT_NE(info, nullptr);
    EXPECT_TRUE(info->isVisible());
    EXPECT_EQ(info->txtSnapshot->text(), QStringLiteral("snapshot_4c1e9b07_00000001.jpg"));
    EXPECT_EQ(info->txtThumbnail->text(), QStringLiteral("thumbnail_4c1e9b07_00000001.jpg"));
    EXPECT_EQ(info->txtTitle->text(), QStringLiteral("Our Summer"));
    EXPECT_EQ(info->txtFamilyName->text(), QStringLiteral("Hawthorne"));

    controls(window).cmdNav[3]->click();
    controls(window).cmdNav[3]->click();
    EXPECT_EQ(info->txtSnapshot->text(), QStringLiteral("snapshot_4c1e9b07_00000001.jpg")) << "not followed";
    activate(*info);
    EXPECT_EQ(info->txtSnapshot->text(), QStringLiteral("snapshot_4c1e9b07_00000003.jpg"));

    controls(window).cmdNav[2]->click();
    EXPECT_EQ(open(), info) << "called again, the open window comes forward";
    EXPECT_EQ(info->txtThumbnail->text(), QStringLiteral("thumbnail_4c1e9b07_00000001.jpg"));

    // Another album, then one that fails to load: nothing of a closed album stays on show.
    book.album.family = "Goth";
    book.open(book.write("Other.xml", book.album.bytes()));
    activate(*info);
    EXPECT_EQ(info->txtFamilyName->text(), QStringLiteral("Goth"));
    book.app.seam.messageAnswers.push_back(MessageAnswer::Ok);
    book.open(book.write("Broken.xml", "<?xml version=\"1.0\"?>\n"));
    activate(*info);
    for (QLineEdit* box : {info->txtSnapshot, info->txtThumbnail, info->txtTitle, info->txtNeighborhood,
                           info->txtLotName, info->txtFamilyName})
        EXPECT_TRUE(box->text().isEmpty()) << box->objectName().toStdString();
}

TEST_F(ImageInfoTest, CopyPutsExactlyTheNameOnTheClipboard) {
    plgnImageInfo* info = open();
    book.app.seam.clipboard = "something else";
    info->cmdCopyThumbnail->click();
    EXPECT_EQ(book.app.seam.clipboard, "thumbnail_4c1e9b07_00000001.jpg");
    info->cmdCopySnapshot->click();
    EXPECT_EQ(book.app.seam.clipboard, "snapshot_4c1e9b07_00000001.jpg");
}

TEST_F(ImageInfoTest, EscapeClosesFromTheButtonsAndNameBoxesOnly) {
    const auto controls = [](plgnImageInfo& info) {
        return std::vector<std::pair<QWidget*, bool>>{{info.cmdOk, true},
                                                      {info.cmdCopySnapshot, true},
                                                      {info.cmdCopyThumbnail, true},
                                                      {info.txtSnapshot, true},
                                                      {info.txtThumbnail, true},
                                                      {info.txtTitle, false},
                                                      {info.txtNeighborhood, false},
                                                      {info.txtLotName, false},
                                                      {info.txtFamilyName, false}};
    };
    const std::size_t count = controls(*open()).size();
    for (std::size_t index = 0; index < count; ++index) {
        plgnImageInfo* info = open();
        const auto [control, closes] = controls(*info)[index];
        const std::string name = control->objectName().toStdString();
        QTest::keyClick(control, Qt::Key_Escape);
        settle();
        EXPECT_EQ(window.imageInfo() == nullptr, closes) << name;
    }
}

TEST_F(ImageInfoTest, ClosesWithTheMainWindowAndKeepsNothingRunning) {
    plgnImageInfo* info = open();
    EXPECT_FALSE(info->testAttribute(Qt::WA_QuitOnClose));
    window.close();
    settle();
    EXPECT_EQ(window.imageInfo(), nullptr);
}
