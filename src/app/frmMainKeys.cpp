// The keyboard: the key events of the picture area, the story text box, the navigation buttons and
// the floating thumbnail, the held Ctrl and Alt, looking a key up in the command table, and the
// story text scroll. A key is never consumed here: the focused control still handles it afterwards.

#include "controller/AppMode.h"
#include "frmMain.h"

#include "KeyTable.h"
#include "platform/Controls.h"
#include "platform/KeyCodes.h"
#include "platform/PictureArea.h"
#include "platform/PlatformSeam.h"
#include "platform/StoryTextBox.h"

#include <QApplication>
#include <QFocusEvent>
#include <QKeyEvent>

#include <algorithm>

namespace {
bool isFocusKey(const QKeyEvent& event) {
    return event.key() == Qt::Key_Tab || event.key() == Qt::Key_Backtab;
}

// A dialog, the popup menu or another window takes the keyboard: key-ups go there now.
bool hasKeyUpCommandIn(const std::vector<CommandRow>& table, std::int16_t keyCode) {
    return std::any_of(table.begin(), table.end(), [keyCode](const CommandRow& row) {
        return std::any_of(row.keys.begin(), row.keys.end(), [keyCode](const KeyBinding& key) {
            return key.edge == KeyEdge::Up && key.keyCode == keyCode;
        });
    });
}

bool keyboardLeftTheWindow(const QEvent& event) {
    if (event.type() != QEvent::FocusOut)
        return false;
    const Qt::FocusReason reason = static_cast<const QFocusEvent&>(event).reason();
    return reason == Qt::ActiveWindowFocusReason || reason == Qt::PopupFocusReason;
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
    if (keyboardLeftTheWindow(*event)) {
        m_heldAtKeyDown.forget();
        m_keysDown.forget();
    }
    const bool press = event->type() == QEvent::KeyPress;
    if (!press && event->type() != QEvent::KeyRelease)
        return FramelessWindow::eventFilter(watched, event);
    // A key that a side button left alone travels on to the picture area; it was handled (or not)
    // where it arose.
    const QWidget* focus = QApplication::focusWidget();
    if (watched == pbxShow && focus && focus != pbxShow && pbxShow->isAncestorOf(focus))
        return false;
    const auto& keyEvent = *static_cast<QKeyEvent*>(event);
    KeyStroke key = keyStroke(keyEvent);
    key.repeat = m_keysDown.repeats(keyEvent);
    // Only a held key's last release counts. Where X still sends each repeat as a release and a
    // press, a repeat's release comes unmarked when its press has not yet reached the window (on a
    // loaded machine), but the key is still down then: without this a held Ctrl+E ran twice or
    // Alt+F4 asked while F4 was held. Only keys with a key-up command ask, so typing costs no round
    // trips.
    if (!press && (key.repeat || (hasKeyUpCommandIn(m_commands, key.keyCode) &&
                                  m_state.seam().keyHeld(keyEvent.nativeScanCode()))))
        return false;
    const KeyEdge edge = press ? KeyEdge::Down : KeyEdge::Up;
    followHeldKeys(m_heldAtKeyDown.shiftFor(edge, key));

    const auto handle = [&](KeyControl control) {
        press ? HandleKeyDown(control, key.keyCode) : HandleKeyUp(control, key.keyCode);
    };
    if (watched == pbxShow) {
        handle(KeyControl::Picture);
    } else if (watched == rtbViewer) {
        handle(KeyControl::TextBox);
    } else if (watched == pbxThumbnail) {
        // The thumbnail of a page being moved counts as the text box; only its key-downs count.
        if (press)
            HandleKeyDown(KeyControl::TextBox, key.keyCode);
        // The thumbnail's keys end here. Passed on, they would reach the picture area, its parent,
        // and run a second time, since the command has often moved the focus there (Left would
        // turn two pages). Only Tab keeps Qt's own focus move.
        return !isFocusKey(keyEvent);
    } else if (std::find(cmdNav.begin(), cmdNav.end(), watched) != cmdNav.end()) {
        handle(KeyControl::NavButton);
    }
    return false;
}

// The held Ctrl and Alt are re-read from every key event's own modifiers, on purpose: Ctrl or Alt
// let go in another window (a dialog, another program) never reaches these controls, and a flag
// left set would silence F1 to F8 and Enter. A key-up takes the modifiers its key went down with
// (HeldAtKeyDown), so that a command runs when its modifier was held as the letter went down, even
// if Ctrl was let go a moment before the letter.
void frmMain::followHeldKeys(std::int16_t shift) {
    blnCtrlKeyDown = (shift & kCtrlBit) != 0;
    blnAltKeyDown = (shift & kAltBit) != 0;
}

void frmMain::HandleKeyDown(KeyControl control, std::int16_t KeyCode) {
    if (m_state.controller().mode() == AppMode::StorybookSaved) {
        setMode(AppMode::ViewStorybook);
        refresh();
    }
    runKey(KeyEdge::Down, control, KeyCode);
}

void frmMain::HandleKeyUp(KeyControl control, std::int16_t KeyCode) {
    runKey(KeyEdge::Up, control, KeyCode);
}

void frmMain::runKey(KeyEdge edge, KeyControl control, std::int16_t keyCode) {
    switch (heldChange(edge, keyCode)) {
    case HeldChange::HoldCtrl:
        blnCtrlKeyDown = true;
        return;
    case HeldChange::HoldAlt:
        blnAltKeyDown = true;
        return;
    case HeldChange::ReleaseCtrl:
        blnCtrlKeyDown = false;
        return;
    case HeldChange::ReleaseAlt:
        blnAltKeyDown = false;
        return;
    case HeldChange::None:
        break;
    }
    const std::vector<KeyMatch> rows =
        rowsForKey(m_commands, edge, keyCode, blnCtrlKeyDown, blnAltKeyDown, control);
    for (const KeyMatch& match : rows)
        runRow(*match.row, match.guard);
    if (edge == KeyEdge::Up && !rows.empty()) {
        blnCtrlKeyDown = false;
        blnAltKeyDown = false;
    }
}

void frmMain::ScrollViewerText(ScrollDirection direction) {
    rtbViewer->scrollLines(direction == ScrollDirection::Up ? -1 : 1);
}
