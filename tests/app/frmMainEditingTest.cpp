// The page editing commands: edit and the pin, moving, deleting and reversing pages with their
// questions, and page turns to the ends of a full album.

#include "CommandWindow.h"
#include "MainWindowProbe.h"
#include "document/StoredText.h"
#include "platform/Controls.h"
#include "platform/PictureArea.h"
#include "platform/PopupMenu.h"
#include "platform/StoryTextBox.h"

#include <QApplication>
#include <QClipboard>
#include <QFocusEvent>
#include <QTest>

namespace {

using Stories = std::vector<std::string>;

class Editing : public CommandWindow {
protected:
    Editing() { openThroughDialog(app, window, album.path); }
    // As the popup menu offers it: enabled for the mode, then chosen.
    void choose(const char* item) {
        window.refresh();
        controls(window).menuItem(item)->trigger();
    }
    static bool shown(QWidget* control) { return !control->isHidden(); }
    // The toolbar's Edit hotspot, and the side buttons by the command each raises.
    void clickEdit() { emit control<ImageHotspot>(window, Command::ToggleEditMode)->clicked(); }
    PictureButton* side(Command command) { return control<PictureButton>(window, command); }

    PagedAlbum album{4};
};

} // namespace

TEST_F(Editing, EditOpensTheTextWithThePageButtonsAndStoresItOnLeaving) {
    clickEdit();
    EXPECT_EQ(mode(), "Edit Storybook");
    EXPECT_FALSE(app.state.controller().saved()) << "changed before any typing";
    EXPECT_FALSE(controls(window).rtbViewer->locked());
    EXPECT_TRUE(controls(window).rtbViewer->verticalScrollBarShown());
    EXPECT_EQ(window.focusWidget(), controls(window).rtbViewer);
    EXPECT_TRUE(shown(side(Command::ConfirmDeletePage)) && shown(side(Command::BeginRelocatePage)) &&
                shown(side(Command::PinPageButtons)));

    controls(window).rtbViewer->setText("");
    clickEdit();
    EXPECT_EQ(app.state.storybook().content(0, album::Text), "<![CDATA[]]>");
    EXPECT_EQ(mode(), "View Storybook");
    EXPECT_TRUE(controls(window).rtbViewer->locked());

    // While editing, focus passing from the text to the picture comes back to the text.
    choose("Edit Story Text");
    QFocusEvent out(QEvent::FocusOut);
    QApplication::sendEvent(controls(window).rtbViewer, &out);
    controls(window).pbxShow->setFocus();
    QFocusEvent in(QEvent::FocusIn);
    QApplication::sendEvent(controls(window).pbxShow, &in);
    EXPECT_EQ(window.focusWidget(), controls(window).rtbViewer);
    controls(window).pbxShow->setFocus();
    QApplication::sendEvent(controls(window).pbxShow, &in);
    EXPECT_EQ(window.focusWidget(), controls(window).pbxShow) << "once only";

    EXPECT_EQ(mode(), "Edit Storybook");
    EXPECT_FALSE(shown(side(Command::PinPageButtons)) || shown(side(Command::BeginRelocatePage)) ||
                 shown(side(Command::ConfirmDeletePage)))
        << "from the menu the text is edited without the page buttons";
}

TEST_F(Editing, LeavingEditModeKeepsWhatWasShownAndWhatWasTyped) {
    auto& content = app.state.storybook().varEntryArray[0][album::Text][album::Content];
    // Without typing: bytes that are no UTF-8, no-break spaces, line separators, a lone CR, a stored
    // line-break mark and a story without the wrapper (shown with its references read) all stay as
    // they were.
    const std::string untouched[] = {"<![CDATA[caf\xE9 a\xC2\xA0"
                                     "b\xE2\x80\xA8"
                                     "c\rd{vbcrlf}e]]>",
                                     "Tom &amp; Jerry &#233;\r\n&lt;3", "Anna said the house was perfect."};
    for (const std::string& stored : untouched) {
        content = stored;
        window.DisplayCurrentPage();
        window.refresh();
        clickEdit();
        clickEdit();
        EXPECT_EQ(app.state.storybook().content(0, album::Text), stored);
    }
    EXPECT_EQ(controls(window).rtbViewer->toPlainText().toStdString(), "Anna said the house was perfect.");

    // Typed: every character is kept, a typed mark stays text and a vertical tab becomes a line break.
    clickEdit();
    controls(window).rtbViewer->selectAll();
    controls(window).rtbViewer->insertPlainText(QString::fromUtf8("a\u00A0b\u2028c {vbcrlf} <Entry>\vd"));
    clickEdit();
    EXPECT_EQ(unwrapCdata(app.state.storybook().content(0, album::Text)), "a\xC2\xA0"
                                                                          "b\xE2\x80\xA8"
                                                                          "c {vbcrlf} <Entry>\r\nd");
    EXPECT_TRUE(app.seam.requestsOf(SeamCall::Message).empty());

    // What an album cannot hold is replaced, and the user is told what it was.
    clickEdit();
    controls(window).rtbViewer->insertPlainText(QString(QChar(0x01)));
    app.seam.messageAnswers.push_back(MessageAnswer::Ok);
    clickEdit();
    const auto told = app.seam.requestsOf(SeamCall::Message);
    ASSERT_EQ(told.size(), 1u);
    EXPECT_EQ(told[0].text, "The story text held the control character U+0001, which an album cannot hold. "
                            "It was replaced by the character \xEF\xBF\xBD.");
    EXPECT_NE(app.state.storybook().content(0, album::Text).find("\xEF\xBF\xBD"), std::string::npos);
}

TEST_F(Editing, PinKeepsEditingAcrossPageTurnsUntilTheEditEnds) {
    clickEdit();
    side(Command::PinPageButtons)->click();
    EXPECT_TRUE(shown(side(Command::UnpinPageButtons)) && !shown(side(Command::PinPageButtons)));
    for (int page = 1; page <= 2; ++page) {
        controls(window).rtbViewer->setText("typed on " + std::to_string(page));
        controls(window).cmdNav[3]->click();
        EXPECT_EQ(mode(), "Edit Storybook");
        EXPECT_FALSE(controls(window).rtbViewer->locked());
        EXPECT_EQ(window.focusWidget(), controls(window).rtbViewer);
        EXPECT_TRUE(shown(side(Command::UnpinPageButtons)));
    }
    EXPECT_EQ(stories(), (Stories{"typed on 1", "typed on 2", "page 3", "page 4"}));

    side(Command::UnpinPageButtons)->click();
    EXPECT_TRUE(shown(side(Command::PinPageButtons)));
    side(Command::PinPageButtons)->click();
    emit controls(window).pbxShow->clicked();
    EXPECT_EQ(mode(), "View Storybook");
    EXPECT_FALSE(shown(side(Command::UnpinPageButtons)) || shown(side(Command::ConfirmDeletePage)));
    clickEdit();
    EXPECT_TRUE(shown(side(Command::PinPageButtons))) << "the pin is cleared";
}

TEST_F(Editing, TakingBAndDroppingItOnDGivesACBD) {
    controls(window).cmdNav[3]->click();
    emit side(Command::BeginRelocatePage)->clicked();
    EXPECT_EQ(mode(), "View Storybook") << "no move from view mode";

    choose("Move Page");
    EXPECT_EQ(mode(), "Relocate Page");
    EXPECT_EQ(stories(), (Stories{"page 1", "page 3", "page 4"}));
    EXPECT_TRUE(shown(controls(window).pbxThumbnail) && controls(window).pbxThumbnail->hasPicture());

    // While the page is up, delete and reverse leave the album alone and ask nothing.
    window.runCommand(Command::ConfirmDeletePage);
    window.runCommand(Command::ConfirmReversePages);
    EXPECT_TRUE(app.seam.requestsOf(SeamCall::Message).empty());

    controls(window).cmdNav[5]->click();
    emit controls(window).pbxThumbnail->clicked();
    EXPECT_EQ(stories(), (Stories{"page 1", "page 3", "page 2", "page 4"}));
    EXPECT_EQ(controls(window).rtbViewer->text(), "page 2");
    EXPECT_EQ(mode(), "View Storybook");
    EXPECT_FALSE(shown(controls(window).pbxThumbnail));

    // The buffer still holds that page; a drop outside a move must not copy it in again.
    window.runCommand(Command::DropRelocatedPage);
    EXPECT_EQ(stories().size(), 4u);

    // A page whose thumbnail is missing still moves.
    QFile::remove(QString::fromStdString(album.file("thumbnail_4c1e9b07_00000001.jpg")));
    controls(window).cmdNav[2]->click();
    clickEdit();
    emit side(Command::BeginRelocatePage)->clicked();
    EXPECT_EQ(mode(), "Relocate Page");
    EXPECT_FALSE(controls(window).pbxThumbnail->hasPicture());
}

TEST_F(Editing, DeleteAsksAndActsOnTheAnswer) {
    const struct {
        MessageAnswer answer;
        bool editing;
        Stories after;
        const char* mode;
    } rows[] = {
        {MessageAnswer::Yes, false, {"page 2", "page 3", "page 4"}, "View Storybook"},
        {MessageAnswer::No, false, {"page 1", "page 2", "page 3", "page 4"}, "Storybook Saved"},
        {MessageAnswer::Cancel, false, {"page 1", "page 2", "page 3", "page 4"}, "View Storybook"},
        {MessageAnswer::Yes, true, {"page 2", "page 3", "page 4"}, "View Storybook"},
        {MessageAnswer::No, true, {"typed", "page 2", "page 3", "page 4"}, "Edit Storybook"},
        {MessageAnswer::Cancel, true, {"typed", "page 2", "page 3", "page 4"}, "View Storybook"},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(std::to_string(int(row.answer)) + (row.editing ? " editing" : ""));
        app.state.controller().setSaved(true);
        openThroughDialog(app, window, album.path);
        app.state.controller().setMode(AppMode::StorybookSaved);
        if (row.editing) {
            clickEdit();
            controls(window).rtbViewer->setText("typed");
        }
        app.seam.requests.clear();
        app.seam.messageAnswers.push_back(row.answer);
        choose("Delete Page");
        expectBox(app, "Do you want to delete this photograph and text?", MessageButtons::YesNoCancel,
                  "Delete Storybook Page");
        EXPECT_EQ(stories(), row.after);
        EXPECT_EQ(mode(), row.mode);
        EXPECT_EQ(controls(window).rtbViewer->locked(), mode() != "Edit Storybook")
            << "no unlocked text in view mode";
    }
}

TEST_F(Editing, ReverseAsksAndKeepsThePageNumber) {
    for (const MessageAnswer answer : {MessageAnswer::Cancel, MessageAnswer::Ok}) {
        SCOPED_TRACE(int(answer));
        app.seam.requests.clear();
        clickEdit();
        controls(window).rtbViewer->setText("typed");
        std::string modeWhileAsking;
        app.seam.onRequest = [&](const SeamRequest&) { modeWhileAsking = mode(); };
        app.seam.messageAnswers.push_back(answer);
        window.runCommand(Command::ConfirmReversePages);
        expectBox(app,
                  "This function will reverse the order of your storybook \r\n"
                  "pages. The first page will become the last and the last page \r\n"
                  "will become the first.  Do you wish to proceed?",
                  MessageButtons::OkCancel, "Reverse Order of Album Pages");
        EXPECT_EQ(modeWhileAsking, "Reverse Storybook");
        EXPECT_EQ(mode(), "View Storybook");
        EXPECT_TRUE(controls(window).rtbViewer->locked());
    }
    EXPECT_EQ(stories(), (Stories{"page 4", "page 3", "page 2", "typed"}));
    EXPECT_EQ(controls(window).rtbViewer->text(), "page 4") << "page 1 now shows the former last page";
}

TEST_F(Editing, OnePageCannotBeMovedAndNoPageCannotBeEdited) {
    PagedAlbum single(1);
    openThroughDialog(app, window, single.path);
    clickEdit();
    emit side(Command::BeginRelocatePage)->clicked();
    EXPECT_EQ(mode(), "Edit Storybook");
    EXPECT_EQ(stories().size(), 1u);

    app.state.controller().setMode(AppMode::ViewStorybook);
    app.state.storybook().varPageCount = 0;
    clickEdit();
    EXPECT_EQ(mode(), "View Storybook") << "an edit without a page could never be left";
}

TEST(PageTurns, FirstAndLastReachTheEndsOfAFullAlbum) {
    PagedAlbum full(1025, 0);
    AppFixture app;
    frmMain window(app.state);
    openThroughDialog(app, window, full.path);
    ASSERT_EQ(app.state.storybook().varPageCount, 1025);
    controls(window).cmdNav[5]->click();
    EXPECT_EQ(app.state.controller().currentPage(), 1024);
    controls(window).cmdNav[2]->click();
    EXPECT_EQ(app.state.controller().currentPage(), 0);
}

TEST_F(Editing, APasteTooLongToShowIsRefusedOnceItHasReturned) {
    clickEdit();
    const QString line(40000, QLatin1Char('x'));
    QApplication::clipboard()->setText(line);
    app.seam.requests.clear();
    app.seam.messageAnswers.push_back(MessageAnswer::Ok);
    QTest::keyClick(controls(window).rtbViewer, Qt::Key_V, Qt::ControlModifier);
    EXPECT_TRUE(app.seam.requestsOf(SeamCall::Message).empty()) << "no box inside the paste";

    QApplication::processEvents();
    expectBox(
        app,
        "The text was not inserted: it would make a line of the story 40006 bytes long, and the story box "
        "takes lines of at most 32768 bytes. The story is unchanged; the text stays where it was copied "
        "or dragged from.",
        MessageButtons::Ok, "");
    clickEdit();
    EXPECT_EQ(stories()[0], "page 1");
    EXPECT_EQ(QApplication::clipboard()->text(), line);
}
