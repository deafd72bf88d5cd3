#pragma once
// How a key is written in the command table: on key-down or key-up, under which held Ctrl and Alt,
// in which control and, where it differs from its row's, under which guard. The guard is tested
// when the key's command is reached, since a command before it on the same key may have changed
// the mode. The held flags follow the Ctrl and Alt keys themselves (frmMainKeys.cpp).

#include "controller/MainController.h"
#include "platform/KeyCodes.h"

#include <cstdint>
#include <map>

enum class KeyEdge { Down, Up };

// The three controls whose keys are acted on.
enum class KeyControl { Picture, NavButton, TextBox };

enum class HeldKeys { Any, NoCtrl, NoCtrlNoAlt, Ctrl, Alt, CtrlOrAlt };
enum class KeyPlace { Any, PictureOrNavButton, Picture };

// A test of the state that says whether a command may run now.
using Guard = bool (MainController::*)() const;

struct KeyBinding {
    KeyEdge edge;
    std::int16_t keyCode;
    HeldKeys held = HeldKeys::Any;
    KeyPlace place = KeyPlace::Any;
    // None: the row's guard. A key's own guard is always narrower or wider for a reason the row says.
    Guard guard = nullptr;
};

bool keyMatches(const KeyBinding& key, KeyEdge edge, std::int16_t keyCode, bool ctrlHeld, bool altHeld,
                KeyControl control);

// What a key does to the held Ctrl and Alt flags; besides, a key-up that raises a command lets go
// of both.
enum class HeldChange { None, HoldCtrl, HoldAlt, ReleaseCtrl, ReleaseAlt };
HeldChange heldChange(KeyEdge edge, std::int16_t keyCode);

// The shift word each key went down with. A key-up command is judged by the Ctrl and Alt held as
// its key went down, not by those at its release: a typist rolling off Ctrl, a remote-desktop
// client or a scripted ctrl+s lets Ctrl go a moment before the letter. Repeats change nothing (a
// held Ctrl+S still saves once, on its last release); a key-up whose key-down was never seen keeps
// its own modifiers. Shift, Ctrl and Alt are not remembered: their own key-ups set the flags.
class HeldAtKeyDown {
public:
    std::int16_t shiftFor(KeyEdge edge, const KeyStroke& stroke);
    // The keyboard went to another window, which gets the key-ups of the keys held now.
    void forget() { m_shiftAtDown.clear(); }

private:
    std::map<std::int16_t, std::int16_t> m_shiftAtDown;
};
