#pragma once
// What a key does in the main window, as data: on key-down or key-up, under which held Ctrl and
// Alt, in which control, the steps that follow (a command, a navigation button press, a scroll of
// the story text, a change of the held flags). Each step names the modes it runs in; the mode is
// tested when the step is reached, since a step before it may have changed it. frmMain carries the
// steps out (frmMainKeys.cpp).

#include "Commands.h"

#include <cstdint>
#include <string_view>
#include <vector>

enum class KeyEdge { Down, Up };

// The three controls whose keys are acted on.
enum class KeyControl { Picture, NavButton, TextBox };

enum class HeldKeys { Any, NoCtrl, NoCtrlNoAlt, Ctrl, Alt, CtrlOrAlt };
enum class KeyPlace { Any, PictureOrNavButton, Picture };
enum class KeyMode { Any, Viewing, ViewingOrRelocating, Relocating };

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
bool keyModeAllows(KeyMode mode, std::string_view applicationMode);
