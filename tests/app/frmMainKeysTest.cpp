// The key table as data, and keys sent to the window's controls as the window system sends them.

#include "CommandTable.h"
#include "CommandWindow.h"
#include "MainWindowProbe.h"
#include "OpenAlbum.h"
#include "platform/Controls.h"
#include "platform/KeyCodes.h"
#include "platform/PictureArea.h"
#include "platform/StoryTextBox.h"

#include <QApplication>
#include <QKeyEvent>
#include <QTest>

#include <gtest/gtest.h>

#include <map>

namespace {
// clang-format off
const std::map<Command, std::string> kNames = {
    {Command::OpenStorybook, "Open"}, {Command::SaveStorybook, "Save"}, {Command::SaveStorybookAs, "SaveAs"},
    {Command::ToggleEditMode, "Edit"}, {Command::ShowSnapshotBrowser, "Snapshots"}, {Command::ToggleToolButtons, "Tools"},
    {Command::ExitApplicationConfirmed, "Exit?"}, {Command::ShowAboutBox, "About"}, {Command::MovePage, "Edit Move"},
    {Command::DropRelocatedPage, "Drop"}, {Command::ConfirmDeletePage, "Delete"}, {Command::DoPluginImageInfo, "Info"},
    {Command::ToggleFullScreen, "FullScreen"}, {Command::EmptyProcedure, "Empty"},
    {Command::PageBack, "nav0"}, {Command::PageBackTen, "nav1"}, {Command::FirstPage, "nav2"},
    {Command::PageForward, "nav3"}, {Command::PageForwardTen, "nav4"}, {Command::LastPage, "nav5"},
    {Command::ScrollTextUp, "up"}, {Command::ScrollTextDown, "down"},
};
// clang-format on

// The commands a key runs while the mode stays as given, one word each, and what it does to the
// held flags.
std::string decided(frmMain& window, AppState& state, KeyEdge edge, int key, const char* held,
                    KeyControl control, std::string_view mode) {
    MainController& controller = state.controller();
    const bool ctrl = std::string_view(held).find('c') != std::string_view::npos;
    const bool alt = std::string_view(held).find('a') != std::string_view::npos;
    const auto code = static_cast<std::int16_t>(key);
    const std::map<HeldChange, std::string> flags = {{HeldChange::HoldCtrl, "ctrl+"},
                                                     {HeldChange::HoldAlt, "alt+"},
                                                     {HeldChange::ReleaseCtrl, "ctrl-"},
                                                     {HeldChange::ReleaseAlt, "alt-"}};
    if (const HeldChange change = heldChange(edge, code); change != HeldChange::None)
        return flags.at(change);
    controller.setMode(*modeNamed(mode));
    // Editing leaves the album unsaved; the other modes are tried on a saved one.
    controller.setSaved(mode != "Edit Storybook");
    state.storybook().varPageCount = 2;
    std::string words;
    const std::vector<KeyMatch> rows = rowsForKey(window.commands(), edge, code, ctrl, alt, control);
    for (const KeyMatch& match : rows) {
        if (!guardHolds(controller, match.guard))
            continue;
        if (!words.empty())
            words += ' ';
        words += kNames.at(match.row->command);
    }
    if (edge == KeyEdge::Up && !rows.empty())
        words += words.empty() ? "both-" : " both-";
    return words;
}

constexpr auto Pic = KeyControl::Picture;
constexpr auto Nav = KeyControl::NavButton;
constexpr auto Txt = KeyControl::TextBox;
constexpr const char* View = "View Storybook";
constexpr const char* Edit = "Edit Storybook";
constexpr const char* Move = "Relocate Page";
constexpr const char* None = "Nothing Loaded";

struct Row {
    int key;
    const char* held; // "c" Ctrl, "a" Alt
    KeyControl control;
    const char* mode;
    const char* expected;
};

class KeyTableTest : public ::testing::Test {
protected:
    void expectRows(KeyEdge edge, std::initializer_list<Row> rows);
    AppFixture app;
    frmMain window{app.state};
};

void KeyTableTest::expectRows(KeyEdge edge, std::initializer_list<Row> rows) {
    for (const Row& row : rows)
        EXPECT_EQ(decided(window, app.state, edge, row.key, row.held, row.control, row.mode), row.expected)
            << "key " << row.key << " held '" << row.held << "' control " << int(row.control) << " in "
            << row.mode;
}
} // namespace

TEST_F(KeyTableTest, KeyDown) {
    // clang-format off
    expectRows(KeyEdge::Down, {
        {17, "", Txt, None, "ctrl+"}, {18, "c", Nav, Edit, "alt+"}, {13, "", Pic, View, "nav3"},
        {13, "", Txt, Move, "Drop"}, {13, "c", Pic, View, ""}, {13, "a", Pic, View, ""},
        {13, "", Pic, Edit, ""}, {27, "", Pic, View, "Exit?"}, {27, "c", Nav, None, "Exit?"},
        {27, "", Txt, View, ""}, {33, "", Pic, View, "nav1"}, {34, "", Nav, Move, "nav4"},
        {35, "c", Txt, View, "nav5"}, {36, "", Pic, View, "nav2"}, {37, "", Pic, View, "nav0"},
        {39, "", Pic, View, "nav3"}, {39, "", Txt, Edit, ""}, {33, "", Pic, None, ""},
        {36, "", Txt, "Storybook Saved", ""}, {38, "", Txt, View, "up"}, {40, "", Pic, Move, "down"},
        {38, "", Txt, Edit, ""}, {45, "", Pic, View, "Snapshots"}, {45, "", Nav, View, ""},
        {45, "", Pic, Move, ""}, {46, "a", Pic, View, "Delete"}, {46, "", Txt, View, ""},
        {46, "", Pic, Edit, ""}, {112, "a", Txt, None, "About"}, {112, "c", Pic, View, ""},
        {113, "", Pic, View, "Open"}, {113, "c", Pic, View, ""}, {114, "", Nav, Edit, "Save"},
        {115, "", Pic, View, "SaveAs"}, {115, "a", Pic, View, ""}, {115, "c", Pic, View, ""},
        {116, "", Txt, Edit, "Edit"}, {117, "", Pic, None, ""}, {117, "", Pic, View, "Snapshots"}, {118, "", Pic, None, "Tools"},
        {119, "", Pic, View, "Exit?"}, {119, "c", Pic, View, ""}, {83, "c", Pic, View, ""},
        {9, "", Pic, View, ""}, {120, "", Pic, View, ""},
    });
    // clang-format on
    // Enter drops a moved page, then turns a page if the drop went back to viewing.
    const auto enter = rowsForKey(window.commands(), KeyEdge::Down, vk::kEnter, false, false, Pic);
    ASSERT_EQ(enter.size(), 2u);
    EXPECT_EQ(enter[0].row->command, Command::DropRelocatedPage);
    EXPECT_EQ(enter[1].guard, &MainController::inViewMode);
}

TEST_F(KeyTableTest, KeyUp) {
    // clang-format off
    expectRows(KeyEdge::Up, {
        {17, "ca", Pic, View, "ctrl-"}, {18, "ca", Nav, View, "alt-"}, {13, "c", Pic, Edit, "FullScreen both-"},
        {13, "a", Txt, None, "FullScreen both-"}, {13, "", Pic, View, ""}, {69, "c", Pic, View, "Edit both-"},
        {69, "", Pic, View, ""}, {77, "c", Txt, View, "Edit Move both-"}, {79, "c", Nav, None, "Open both-"},
        {83, "c", Pic, View, "both-"}, {83, "c", Pic, Edit, "Save both-"}, {83, "a", Pic, View, ""}, {112, "c", Pic, View, "Info both-"},
        {112, "", Pic, View, ""}, {113, "c", Pic, View, "Empty both-"}, {115, "a", Pic, View, "Exit? both-"},
        {115, "c", Pic, View, ""}, {115, "", Pic, View, ""}, {116, "c", Pic, View, ""},
        {27, "", Pic, View, ""}, {39, "", Pic, View, ""},
    });
    // clang-format on
}

class KeysTest : public ::testing::Test {
protected:
    KeysTest() : book(25) {
        // Each Open a key gives asks the dialog; these are cancelled.
        book.app.seam.dialogResults.assign(4, FileDialogResult{});
        m_opened = int(book.app.seam.requestsOf(SeamCall::FileDialog).size());
    }
    void key(QWidget* control, Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
        QTest::keyClick(control, key, modifiers);
    }
    int dialogs() const { return int(book.app.seam.requestsOf(SeamCall::FileDialog).size()) - m_opened; }
    static void send(QWidget* control, QEvent::Type type, int key, Qt::KeyboardModifiers held,
                     unsigned scanCode = 0, const QString& text = {}) {
        QKeyEvent event(type, key, held, scanCode, 0, 0, text);
        QApplication::sendEvent(control, &event);
    }
    // Ctrl or Alt let go a moment before the key, as a typist rolling off Ctrl does.
    static void rollOff(QWidget* control, Qt::KeyboardModifier held, int key, unsigned scanCode = 0,
                        const QString& text = {}) {
        const int modifierKey = held == Qt::ControlModifier ? Qt::Key_Control : Qt::Key_Alt;
        send(control, QEvent::KeyPress, modifierKey, held);
        send(control, QEvent::KeyPress, key, held, scanCode, text);
        send(control, QEvent::KeyRelease, modifierKey, Qt::NoModifier);
        send(control, QEvent::KeyRelease, key, Qt::NoModifier, scanCode, text);
    }
    OpenAlbum book;
    int m_opened = 0;
    frmMain& window = book.window;
};

TEST_F(KeysTest, NavigationKeysPressTheirButtons) {
    const struct {
        Qt::Key key;
        int page;
    } turns[] = {{Qt::Key_Right, 1}, {Qt::Key_PageDown, 11}, {Qt::Key_End, 24}, {Qt::Key_Right, 24},
                 {Qt::Key_Left, 23}, {Qt::Key_PageUp, 13},   {Qt::Key_Home, 0}, {Qt::Key_Enter, 1}};
    for (const auto& turn : turns) {
        key(controls(window).pbxShow, turn.key);
        EXPECT_EQ(book.page(), turn.page) << turn.key;
    }
    key(controls(window).cmdNav[0], Qt::Key_Return);
    EXPECT_EQ(book.page(), 2) << "keys on a navigation button count too";
    EXPECT_EQ(window.focusWidget(), controls(window).pbxShow) << "the button's own focus rule ran";

    book.setMode("Storybook Saved");
    key(controls(window).rtbViewer, Qt::Key_Right);
    EXPECT_EQ(book.mode(), "View Storybook");
    EXPECT_EQ(book.page(), 3);
    book.setMode("Storybook Saved");
    key(controls(window).pbxShow, Qt::Key_F9);
    EXPECT_EQ(book.mode(), "View Storybook") << "every key-down leaves the saved mode";
}

TEST_F(KeysTest, KeyDownAgainstKeyUp) {
    QTest::keyPress(controls(window).pbxShow, Qt::Key_F2);
    EXPECT_EQ(dialogs(), 1) << "F2 opens on key-down";
    QTest::keyRelease(controls(window).pbxShow, Qt::Key_F2);
    QTest::keyPress(controls(window).pbxShow, Qt::Key_O, Qt::ControlModifier);
    EXPECT_EQ(dialogs(), 1);
    QTest::keyRelease(controls(window).pbxShow, Qt::Key_O, Qt::ControlModifier);
    EXPECT_EQ(dialogs(), 2) << "Ctrl+O opens on key-up";
    key(controls(window).pbxShow, Qt::Key_F2, Qt::ControlModifier);
    EXPECT_EQ(dialogs(), 2) << "Ctrl+F2 does nothing";
    key(controls(window).pbxShow, Qt::Key_F2);
    EXPECT_EQ(dialogs(), 3) << "Ctrl no longer counts as held";
}

TEST_F(KeysTest, HeldFlagsFollowEachKeyEventAndRepeatsAreIgnored) {
    // Ctrl and Alt let go in another window, their key-ups never seen: the next key event knows better.
    send(controls(window).pbxShow, QEvent::KeyPress, Qt::Key_Control, Qt::ControlModifier);
    send(controls(window).pbxShow, QEvent::KeyPress, Qt::Key_Alt, Qt::ControlModifier | Qt::AltModifier);
    key(controls(window).pbxShow, Qt::Key_Return);
    EXPECT_EQ(book.page(), 1) << "plain Enter turns the page";
    EXPECT_TRUE(controls(window).pbxBlanket->isHidden()) << "nor is it Alt+Enter";

    QTest::keyPress(controls(window).pbxShow, Qt::Key_Control);
    for (int repeat = 0; repeat < 3; ++repeat) {
        QKeyEvent release(QEvent::KeyRelease, Qt::Key_O, Qt::ControlModifier, QStringLiteral("o"), true);
        QApplication::sendEvent(controls(window).pbxShow, &release);
        QKeyEvent press(QEvent::KeyPress, Qt::Key_O, Qt::ControlModifier, QStringLiteral("o"), true);
        QApplication::sendEvent(controls(window).pbxShow, &press);
    }
    EXPECT_EQ(dialogs(), 0) << "a held Ctrl+O opens once, on its last release";
    QTest::keyRelease(controls(window).pbxShow, Qt::Key_O, Qt::ControlModifier);
    EXPECT_EQ(dialogs(), 1);
}

// Under X on a loaded machine a held key's repeats may come unmarked, a release and a press each,
// while the key is still down.
TEST_F(KeysTest, AHeldKeysCommandRunsOnceOnItsLastRelease) {
    QWidget* picture = controls(window).pbxShow;
    const auto hold = [&](Qt::KeyboardModifier held, int key, unsigned scanCode) {
        send(picture, QEvent::KeyPress, held == Qt::ControlModifier ? Qt::Key_Control : Qt::Key_Alt, held);
        send(picture, QEvent::KeyPress, key, held, scanCode);
        book.app.seam.keysHeld = {scanCode};
        for (int repeat = 0; repeat < 3; ++repeat) {
            send(picture, QEvent::KeyRelease, key, held, scanCode);
            send(picture, QEvent::KeyPress, key, held, scanCode);
        }
    };
    const auto letGo = [&](Qt::KeyboardModifier held, int key, unsigned scanCode) {
        book.app.seam.keysHeld.clear();
        send(picture, QEvent::KeyRelease, key, held, scanCode);
        send(picture, QEvent::KeyRelease, held == Qt::ControlModifier ? Qt::Key_Control : Qt::Key_Alt,
             Qt::NoModifier);
    };

    book.app.seam.requests.clear();
    hold(Qt::AltModifier, Qt::Key_F4, 70);
    EXPECT_TRUE(book.app.seam.requestsOf(SeamCall::Message).empty()) << "not asked while F4 is down";
    book.app.seam.messageAnswers.push_back(MessageAnswer::No);
    letGo(Qt::AltModifier, Qt::Key_F4, 70);
    expectBox(book.app, "Exit the Brindlecove?", MessageButtons::YesNoCancel, "Confirm Exit");

    hold(Qt::ControlModifier, Qt::Key_E, 26);
    EXPECT_EQ(book.mode(), "View Storybook");
    letGo(Qt::ControlModifier, Qt::Key_E, 26);
    EXPECT_EQ(book.mode(), "Edit Storybook");
}

TEST_F(KeysTest, ArrowsInEditModeEditTheTextAndUpDownScrollInViewMode) {
    book.setMode("Edit Storybook");
    controls(window).rtbViewer->setLocked(false);
    controls(window).rtbViewer->setText("abc");
    controls(window).rtbViewer->setSelectionStart(0);
    controls(window).rtbViewer->setFocus();
    key(controls(window).rtbViewer, Qt::Key_Right);
    key(controls(window).rtbViewer, Qt::Key_End);
    EXPECT_EQ(book.page(), 0);
    EXPECT_EQ(controls(window).rtbViewer->selectionStart(), 3) << "the caret moved in the text";

    book.setMode("View Storybook");
    controls(window).rtbViewer->setLocked(true);
    std::string story;
    for (int line = 1; line <= 30; ++line)
        story += "line " + std::to_string(line) + "\n";
    controls(window).rtbViewer->setText(story);
    controls(window).rtbViewer->setSelectionStart(0);
    key(controls(window).pbxShow, Qt::Key_Down);
    key(controls(window).pbxShow, Qt::Key_Down);
    key(controls(window).pbxShow, Qt::Key_Up);
    EXPECT_EQ(controls(window).rtbViewer->firstVisibleLine(), 1);
    EXPECT_EQ(controls(window).rtbViewer->selectionStart(), 0) << "scrolling leaves the caret";
    controls(window).rtbViewer->setText(story);
    controls(window).rtbViewer->setSelectionStart(0);
    controls(window).rtbViewer->setFocus();
    key(controls(window).rtbViewer, Qt::Key_Down);
    key(controls(window).rtbViewer, Qt::Key_Down);
    EXPECT_EQ(controls(window).rtbViewer->firstVisibleLine(), 2)
        << "a key in the locked text box scrolls once";
}

TEST_F(KeysTest, OtherControlsAreNotActedOn) {
    // A key that a side button inside the picture area leaves alone is not the picture's key.
    PictureButton* const move = control<PictureButton>(window, Command::BeginRelocatePage);
    move->show();
    move->setEnabled(true);
    move->setFocus();
    key(move, Qt::Key_Right);
    EXPECT_EQ(book.page(), 0);
}

TEST_F(KeysTest, KeyUpCommandsFollowTheModifiersHeldAsTheKeyWentDown) {
    rollOff(controls(window).pbxShow, Qt::ControlModifier, Qt::Key_O);
    EXPECT_EQ(dialogs(), 1) << "Ctrl+O with Ctrl let go first";
    key(controls(window).pbxShow, Qt::Key_O);
    EXPECT_EQ(dialogs(), 1) << "a plain O afterwards is plain";
    rollOff(controls(window).rtbViewer, Qt::AltModifier, Qt::Key_Return);
    EXPECT_FALSE(controls(window).pbxBlanket->isHidden()) << "Alt+Enter with Alt let go first";

    send(controls(window).pbxShow, QEvent::KeyPress, Qt::Key_O, Qt::NoModifier);
    send(controls(window).pbxShow, QEvent::KeyPress, Qt::Key_Control, Qt::ControlModifier);
    send(controls(window).pbxShow, QEvent::KeyRelease, Qt::Key_O, Qt::ControlModifier);
    EXPECT_EQ(dialogs(), 1) << "O went down before Ctrl";

    send(controls(window).pbxShow, QEvent::KeyPress, Qt::Key_O, Qt::ControlModifier);
    QFocusEvent away(QEvent::FocusOut, Qt::ActiveWindowFocusReason);
    QApplication::sendEvent(controls(window).pbxShow, &away);
    send(controls(window).pbxShow, QEvent::KeyRelease, Qt::Key_O, Qt::NoModifier);
    EXPECT_EQ(dialogs(), 1) << "the keyboard went to another window between O's down and up";
}

TEST_F(KeysTest, CtrlLettersOfANonLatinLayoutGoByTheKeysPosition) {
    // Russian Щ lies on the O key (XKB keycode 32).
    rollOff(controls(window).pbxShow, Qt::ControlModifier, 0x429, 32, QStringLiteral("щ"));
    EXPECT_EQ(dialogs(), 1);
}

TEST_F(KeysTest, KeysOnTheMovedPagesThumbnailRunOnce) {
    for (int turn = 0; turn < 4; ++turn)
        key(controls(window).pbxShow, Qt::Key_Right);
    key(controls(window).pbxShow, Qt::Key_M, Qt::ControlModifier);
    ASSERT_EQ(book.mode(), "Relocate Page");
    ASSERT_EQ(book.page(), 4);

    controls(window).pbxThumbnail->setFocus();
    key(controls(window).pbxThumbnail, Qt::Key_Left);
    EXPECT_EQ(book.page(), 3) << "Left turns one page back";
    controls(window).pbxThumbnail->setFocus();
    key(controls(window).pbxThumbnail, Qt::Key_M, Qt::ControlModifier);
    EXPECT_EQ(book.mode(), "Relocate Page") << "the thumbnail's key-ups do nothing";
    controls(window).pbxThumbnail->setFocus();
    key(controls(window).pbxThumbnail, Qt::Key_Return);
    EXPECT_EQ(book.mode(), "View Storybook");
    EXPECT_EQ(book.page(), 4) << "Enter drops the page and turns one page forward";
}
