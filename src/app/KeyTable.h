#pragma once
// What a key does in the main window, as data: on key-down or key-up, under which held Ctrl and
// Alt, in which control, the steps that follow (a command, a navigation button press, a scroll of
// the story text, a change of the held flags). Each step names the modes it runs in; the mode is
// tested when the step is reached, since a step before it may have changed it. frmMain carries the
// steps out (frmMainKeys.cpp).

#include "Commands.h"
#include "controller/MainController.h"
#include "platform/KeyCodes.h"

#include <cstdint>
#include <map>
#include <string_view>
#include <vector>

enum class KeyEdge { Down, Up };

// The three controls whose keys are acted on.
enum class KeyControl { Picture, NavButton, TextBox };

enum class HeldKeys { Any, NoCtrl, NoCtrlNoAlt, Ctrl, Alt, CtrlOrAlt };
enum class KeyPlace { Any, PictureOrNavButton, Picture };

struct KeyStep {
    enum class Kind {
        Command,
        PressNavButton,
        ScrollText,
        HoldCtrl,
        HoldAlt,
        ReleaseCtrl,
        ReleaseAlt,
        ReleaseBoth
    };
    Kind kind = Kind::Command;
    Command command = Command::EmptyProcedure;
    int value = 0; // the navigation button's index, or the lines to scroll (-1 up, +1 down)
    KeyMode mode = KeyMode::Any;
    bool operator==(const KeyStep&) const = default;
};

struct KeyRow {
    KeyEdge edge;
    std::int16_t keyCode;
    HeldKeys held;
    KeyPlace place;
    std::vector<KeyStep> steps;
};

const std::vector<KeyRow>& keyTable();

// The steps of the row that matches, or none; their modes are left for the caller to test.
std::vector<KeyStep> keySteps(KeyEdge edge, std::int16_t keyCode, bool ctrlHeld, bool altHeld,
                              KeyControl control);

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
