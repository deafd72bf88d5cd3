// The page editing commands in a headless main window: edit and the pin, moving, deleting and
// reversing pages, each with its question, and page turns to the ends of a full album.

#include "CommandWindow.h"
#include "PagedAlbum.h"
#include "platform/Controls.h"
#include "platform/PictureArea.h"
#include "platform/PopupMenu.h"
#include "platform/StoryTextBox.h"

namespace {

using Stories = std::vector<std::string>;

class Editing : public CommandWindow {
protected:
    Editing() { open(album.path); }
    // As the popup menu offers it: enabled for the mode, then chosen.
    void choose(const char* item) {
        window.updateActions();
        window.mnuPopup->action(QString::fromLatin1(item))->trigger();
    }
    bool shown(QWidget* control) const { return !control->isHidden(); }

    PagedAlbum album{4};
};

} // namespace

TEST_F(Editing, EditOpensTheTextWithThePageButtonsAndStoresItOnLeaving) {
    emit window.btnEdit->clicked();
    EXPECT_EQ(mode(), "Edit Storybook");
    EXPECT_FALSE(app.state.blnStorybookSaved) << "changed before any typing";
    EXPECT_FALSE(window.rtbViewer->locked());
    EXPECT_TRUE(window.rtbViewer->verticalScrollBarShown());
    EXPECT_EQ(window.rtbViewer->palette().color(QPalette::Base), QColor(255, 255, 255));
    EXPECT_EQ(window.focusWidget(), window.rtbViewer);
    EXPECT_TRUE(shown(window.sbtnDelete) && shown(window.sbtnMovePg) && shown(window.sbtnSticky));
    EXPECT_FALSE(shown(window.sbtnStuck));

    window.rtbViewer->setText("");
    emit window.btnEdit->clicked();
    EXPECT_EQ(app.state.storybook().content(0, album::Text), "<![CDATA[]]>");
    EXPECT_EQ(mode(), "View Storybook");
    EXPECT_FALSE(app.state.blnStorybookSaved);
    EXPECT_TRUE(window.rtbViewer->locked());
    EXPECT_FALSE(shown(window.sbtnDelete));

    // From the menu the text is edited without the page buttons.
    choose("mnuPopupEditText");
    EXPECT_EQ(mode(), "Edit Storybook");
    for (QWidget* button : {window.sbtnSticky, window.sbtnMovePg, window.sbtnStuck, window.sbtnDelete})
        EXPECT_FALSE(shown(button)) << button->objectName().toStdString();
}

TEST_F(Editing, PinKeepsEditingAcrossPageTurnsUntilTheEditEnds) {
    emit window.btnEdit->clicked();
    window.sbtnSticky->click();
    EXPECT_TRUE(app.state.blnSticky);
    EXPECT_TRUE(shown(window.sbtnStuck));
    EXPECT_FALSE(shown(window.sbtnSticky));

    for (int page = 1; page <= 2; ++page) {
        window.rtbViewer->setText("typed on " + std::to_string(page));
        window.cmdNav[3]->click();
        EXPECT_EQ(mode(), "Edit Storybook");
        EXPECT_FALSE(window.rtbViewer->locked());
        EXPECT_EQ(window.focusWidget(), window.rtbViewer);
        EXPECT_TRUE(shown(window.sbtnStuck));
    }
    EXPECT_EQ(stories(), (Stories{"typed on 1", "typed on 2", "page 3", "page 4"}));

    window.sbtnStuck->click();
    EXPECT_FALSE(app.state.blnSticky);
    EXPECT_TRUE(shown(window.sbtnSticky));
    window.sbtnSticky->click();
    window.pbxShow_Click();
    EXPECT_EQ(mode(), "View Storybook");
    EXPECT_FALSE(app.state.blnSticky);
    EXPECT_FALSE(shown(window.sbtnStuck));
    EXPECT_FALSE(shown(window.sbtnDelete));
}

TEST_F(Editing, TakingBAndDroppingItOnDGivesACBD) {
    window.cmdNav[3]->click();
    emit window.sbtnMovePg->clicked();
    EXPECT_EQ(mode(), "View Storybook") << "no move from view mode";

    choose("mnuPopupEditMovePage");
    EXPECT_EQ(mode(), "Relocate Page");
    EXPECT_EQ(stories(), (Stories{"page 1", "page 3", "page 4"}));
    EXPECT_TRUE(shown(window.pbxThumbnail));
    EXPECT_TRUE(window.pbxThumbnail->hasPicture());
    EXPECT_FALSE(app.state.blnStorybookSaved);

    // While the page is up, delete and reverse leave the album alone and ask nothing.
    window.runCommand(Command::ConfirmDeletePage);
    window.runCommand(Command::ConfirmReversePages);
    EXPECT_TRUE(messages().empty());

    window.cmdNav[5]->click();
    emit window.pbxThumbnail->clicked();
    EXPECT_EQ(stories(), (Stories{"page 1", "page 3", "page 2", "page 4"}));
    EXPECT_EQ(app.state.intCurrentPage, 2);
    EXPECT_EQ(window.rtbViewer->text(), "page 2");
    EXPECT_EQ(mode(), "View Storybook");
    EXPECT_FALSE(shown(window.pbxThumbnail));

    // The buffer still holds that page; a drop outside a move must not copy it in again.
    window.runCommand(Command::DropRelocatedPage);
    EXPECT_EQ(stories().size(), 4u);
}

TEST_F(Editing, AMovedPageTakesItsTypedTextAlong) {
    QFile::remove(QString::fromStdString(album.file("thumbnail_4c1e9b07_00000001.jpg")));
    emit window.btnEdit->clicked();
    window.rtbViewer->setText("typed before the move");
    emit window.sbtnMovePg->clicked();
    EXPECT_EQ(mode(), "Relocate Page") << "a missing thumbnail does not stop the move";
    EXPECT_FALSE(window.pbxThumbnail->hasPicture());
    window.runCommand(Command::BeginRelocatePage);
    EXPECT_EQ(stories(), (Stories{"typed before the move", "page 2", "page 3", "page 4"}));
}

TEST_F(Editing, DeleteAsksAndActsOnTheAnswer) {
    struct Row {
        MessageAnswer answer;
        bool editing;
        Stories after;
        const char* mode;
    };
    const Row rows[] = {
        {MessageAnswer::Yes, false, {"page 2", "page 3", "page 4"}, "View Storybook"},
        {MessageAnswer::No, false, {"page 1", "page 2", "page 3", "page 4"}, "Storybook Saved"},
        {MessageAnswer::Cancel, false, {"page 1", "page 2", "page 3", "page 4"}, "View Storybook"},
        {MessageAnswer::Yes, true, {"page 2", "page 3", "page 4"}, "View Storybook"},
        {MessageAnswer::No, true, {"typed", "page 2", "page 3", "page 4"}, "Edit Storybook"},
        {MessageAnswer::Cancel, true, {"typed", "page 2", "page 3", "page 4"}, "View Storybook"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(std::to_string(int(row.answer)) + (row.editing ? " editing" : ""));
        app.state.blnStorybookSaved = true;
        open(album.path);
        app.state.strApplicationMode = "Storybook Saved";
        if (row.editing) {
            emit window.btnEdit->clicked();
            window.rtbViewer->setText("typed");
        }
        app.seam.requests.clear();
        app.seam.messageAnswers.push_back(row.answer);
        choose("mnuPopupEditDelete");
        ASSERT_EQ(messages().size(), 1u);
        EXPECT_EQ(messages()[0].text, "Do you want to delete this photograph and text?");
        EXPECT_EQ(messages()[0].buttons, MessageButtons::YesNoCancel);
        EXPECT_EQ(messages()[0].icon, MessageIcon::None);
        EXPECT_EQ(messages()[0].title, "Delete Storybook Page");
        EXPECT_EQ(stories(), row.after);
        EXPECT_EQ(mode(), row.mode);
        EXPECT_EQ(window.rtbViewer->locked(), std::string_view(row.mode) != "Edit Storybook")
            << "no unlocked text in view mode";
    }
}

TEST_F(Editing, ReverseAsksAndKeepsThePageNumber) {
    for (const MessageAnswer answer : {MessageAnswer::Cancel, MessageAnswer::Ok}) {
        SCOPED_TRACE(int(answer));
        app.seam.requests.clear();
        emit window.btnEdit->clicked();
        window.rtbViewer->setText("typed");
        std::string modeWhileAsking;
        app.seam.onRequest = [&](const SeamRequest&) { modeWhileAsking = mode(); };
        app.seam.messageAnswers.push_back(answer);
        window.runCommand(Command::ConfirmReversePages);

        ASSERT_EQ(messages().size(), 1u);
        EXPECT_EQ(messages()[0].text, "This function will reverse the order of your storybook \r\n"
                                      "pages. The first page will become the last and the last page \r\n"
                                      "will become the first.  Do you wish to proceed?");
        EXPECT_EQ(messages()[0].buttons, MessageButtons::OkCancel);
        EXPECT_EQ(messages()[0].icon, MessageIcon::None);
        EXPECT_EQ(messages()[0].title, "Reverse Order of Album Pages");
        EXPECT_EQ(modeWhileAsking, "Reverse Storybook");
        EXPECT_EQ(mode(), "View Storybook");
        EXPECT_TRUE(window.rtbViewer->locked());
    }
    EXPECT_EQ(stories(), (Stories{"page 4", "page 3", "page 2", "typed"}));
    EXPECT_EQ(window.rtbViewer->text(), "page 4") << "page 1 now shows the former last page";
}

TEST_F(Editing, AnAlbumWithOnePageCannotBeMovedAndNoneCannotBeEdited) {
    PagedAlbum single(1);
    open(single.path);
    emit window.btnEdit->clicked();
    emit window.sbtnMovePg->clicked();
    EXPECT_EQ(mode(), "Edit Storybook");
    EXPECT_EQ(stories().size(), 1u);

    app.state.strApplicationMode = "View Storybook";
    app.state.storybook().varPageCount = 0;
    emit window.btnEdit->clicked();
    EXPECT_EQ(mode(), "View Storybook") << "an edit without a page could never be left";
}

TEST(PageTurns, FirstAndLastReachTheEndsOfAFullAlbum) {
    PagedAlbum full(1025, 0);
    AppFixture app;
    frmMain window(app.state);
    app.seam.dialogResults.push_back({true, full.path, "", 1});
    window.OpenStorybook();
    ASSERT_EQ(app.state.storybook().varPageCount, 1025);
    window.cmdNav[5]->click();
    EXPECT_EQ(app.state.intCurrentPage, 1024);
    window.cmdNav[2]->click();
    EXPECT_EQ(app.state.intCurrentPage, 0);
}
