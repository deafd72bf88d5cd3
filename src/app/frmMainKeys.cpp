// The keyboard: the key events of the picture area, the story text box, the navigation buttons and
// the floating thumbnail, the two dispatchers that look a key up in the key table, and the story
// text scroll. A key is never consumed here: the focused control still handles it afterwards.

#include "controller/AppMode.h"
#include "frmMain.h"

#include "KeyTable.h"
#include "platform/Controls.h"
#include "platform/KeyCodes.h"
#include "platform/PictureArea.h"
#include "platform/StoryTextBox.h"

#include <QApplication>
#include <QFocusEvent>
#include <QKeyEvent>

#include <optional>

namespace {
bool isFocusKey(const QKeyEvent& event) {
    return event.key() == Qt::Key_Tab || event.key() == Qt::Key_Backtab;
}

// A dialog, the popup menu or another window takes the keyboard: key-ups go there now.
bool keyboardLeftTheWindow(const QEvent& event) {
    if (event.type() != QEvent::FocusOut)
        return false;
    const Qt::FocusReason reason = static_cast<const QFocusEvent&>(event).reason();
    return reason == Qt::ActiveWindowFocusReason || reason == Qt::PopupFocusReason;
}

std::optional<KeyControl> keyControlNamed(std::string_view name) {
    if (name == "pbxShow")
        return KeyControl::Picture;
    if (name == "cmdNav")
        return KeyControl::NavButton;
    if (name == "rtbViewer")
        return KeyControl::TextBox;
    return std::nullopt;
}
} // namespace

void frmMain::connectKeys() {
    pbxShow->installEventFilter(this);
    rtbViewer->installEventFilter(this);
    pbxThumbnail->installEventFilter(this);
    for (ColorButton* button : cmdNav)
        button->installEventFilter(this);
}

bool frmMain::eventFilter(QObject* watched, QEvent* event) {
    if (keyboardLeftTheWindow(*event))
        m_heldAtKeyDown.forget();
    const bool press = event->type() == QEvent::KeyPress;
    if (!press && event->type() != QEvent::KeyRelease)
        return FramelessWindow::eventFilter(watched, event);
    // A key that a side button left alone travels on to the picture area; it was handled (or not)
    // where it arose.
    const QWidget* focus = QApplication::focusWidget();
    if (watched == pbxShow && focus && focus != pbxShow && pbxShow->isAncestorOf(focus))
        return false;
    const auto& keyEvent = *static_cast<QKeyEvent*>(event);
    const KeyStroke key = keyStroke(keyEvent);
    // A held key repeats as releases and presses; only its last release counts.
    if (!press && key.repeat)
        return false;
    const KeyEdge edge = press ? KeyEdge::Down : KeyEdge::Up;
    followHeldKeys(m_heldAtKeyDown.shiftFor(edge, key));

    if (watched == pbxShow) {
        press ? pbxShow_KeyDown(key.keyCode, key.shift) : pbxShow_KeyUp(key.keyCode, key.shift);
    } else if (watched == rtbViewer) {
        press ? rtbViewer_KeyDown(key.keyCode, key.shift) : rtbViewer_KeyUp(key.keyCode, key.shift);
    } else if (watched == pbxThumbnail) {
        if (press)
            pbxThumbnail_KeyDown(key.keyCode, key.shift);
        // The thumbnail's keys end here. Passed on, they would reach the picture area, its parent,
        // and run a second time, since the command has often moved the focus there (Left would
        // turn two pages). Only Tab keeps Qt's own focus move.
        return !isFocusKey(keyEvent);
    } else {
        for (std::size_t index = 0; index < cmdNav.size(); ++index)
            if (watched == cmdNav[index])
                press ? cmdNav_KeyDown(static_cast<int>(index), key.keyCode, key.shift)
                      : cmdNav_KeyUp(static_cast<int>(index), key.keyCode, key.shift);
    }
    return false;
}

// The held Ctrl and Alt are re-read from every key event's own modifiers, on purpose: Ctrl or Alt
// let go in another window (a dialog, another program) never reaches these controls, and a flag
// left set would silence F1 to F8 and Enter. A key-up takes the modifiers its key went down with
// (HeldAtKeyDown), so that a command runs when its modifier was held as the letter went down, even
// if Ctrl was let go a moment before the letter.
void frmMain::followHeldKeys(std::int16_t shift) {
    m_state.blnCtrlKeyDown = (shift & kCtrlBit) != 0;
    m_state.blnAltKeyDown = (shift & kAltBit) != 0;
}

void frmMain::cmdNav_KeyDown(int, std::int16_t KeyCode, std::int16_t Shift) {
    HandleKeyDown("cmdNav", KeyCode, Shift);
}
void frmMain::pbxShow_KeyDown(std::int16_t KeyCode, std::int16_t Shift) {
    HandleKeyDown("pbxShow", KeyCode, Shift);
}
void frmMain::rtbViewer_KeyDown(std::int16_t KeyCode, std::int16_t Shift) {
    HandleKeyDown("rtbViewer", KeyCode, Shift);
}
// The thumbnail of a page being moved counts as the text box.
void frmMain::pbxThumbnail_KeyDown(std::int16_t KeyCode, std::int16_t Shift) {
    HandleKeyDown("rtbViewer", KeyCode, Shift);
}
void frmMain::cmdNav_KeyUp(int, std::int16_t KeyCode, std::int16_t Shift) {
    HandleKeyUp("cmdNav", KeyCode, Shift);
}
void frmMain::pbxShow_KeyUp(std::int16_t KeyCode, std::int16_t Shift) {
    HandleKeyUp("pbxShow", KeyCode, Shift);
}
void frmMain::rtbViewer_KeyUp(std::int16_t KeyCode, std::int16_t Shift) {
    HandleKeyUp("rtbViewer", KeyCode, Shift);
}

void frmMain::HandleKeyDown(std::string_view strControl, std::int16_t KeyCode, std::int16_t) {
    const std::optional<KeyControl> control = keyControlNamed(strControl);
    if (!control)
        return;
    if (m_state.controller().mode() == AppMode::StorybookSaved)
        setMode(AppMode::ViewStorybook);
    runKeySteps(keySteps(KeyEdge::Down, KeyCode, m_state.blnCtrlKeyDown, m_state.blnAltKeyDown, *control));
}

void frmMain::HandleKeyUp(std::string_view strControl, std::int16_t KeyCode, std::int16_t) {
    const std::optional<KeyControl> control = keyControlNamed(strControl);
    if (!control)
        return;
    runKeySteps(keySteps(KeyEdge::Up, KeyCode, m_state.blnCtrlKeyDown, m_state.blnAltKeyDown, *control));
}

void frmMain::runKeySteps(const std::vector<KeyStep>& steps) {
    for (const KeyStep& step : steps) {
        if (!m_state.controller().keyAllowed(step.mode))
            continue;
        switch (step.kind) {
        case KeyStep::Kind::Command:
            runCommand(step.command);
            break;
        case KeyStep::Kind::PressNavButton:
            // The button's own click, so a key passes the same guards as the button.
            cmdNav[static_cast<std::size_t>(step.value)]->click();
            break;
        case KeyStep::Kind::ScrollText:
            ScrollViewerText(step.value < 0 ? "up" : "down");
            break;
        case KeyStep::Kind::HoldCtrl:
            m_state.blnCtrlKeyDown = true;
            break;
        case KeyStep::Kind::HoldAlt:
            m_state.blnAltKeyDown = true;
            break;
        case KeyStep::Kind::ReleaseCtrl:
            m_state.blnCtrlKeyDown = false;
            break;
        case KeyStep::Kind::ReleaseAlt:
            m_state.blnAltKeyDown = false;
            break;
        case KeyStep::Kind::ReleaseBoth:
            m_state.blnCtrlKeyDown = false;
            m_state.blnAltKeyDown = false;
            break;
        }
    }
}

void frmMain::ScrollViewerText(std::string_view strDirection) {
    if (strDirection == "up")
        rtbViewer->scrollLines(-1);
    else if (strDirection == "down")
        rtbViewer->scrollLines(1);
}
