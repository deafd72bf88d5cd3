#pragma once
// The one table of the main window's commands. A row owns its command: the member function it
// runs, the one guard that says when it may run, the controls and popup items that raise it and its
// keys. The runner refuses a command whose guard fails before its body starts, and the refresh
// enables the row's popup items from the same guard; the bodies do not test the mode again. A key
// adds what is about the key (key-down or key-up, the held Ctrl and Alt, the control with the
// focus) and, where a key acts in other modes than the row's controls, its own guard, said in the
// row.

#include "Commands.h"
#include "KeyTable.h"
#include "controller/MainController.h"

#include <functional>
#include <variant>
#include <vector>

class ColorButton;
class ImageHotspot;
class PictureArea;
class PictureButton;
class QWidget;
class StoryTextBox;
class frmMain;

// A press of the right mouse button on a picture area or on the window's face.
struct RightPress {
    QWidget* on;
};
// The left mouse button let go over the story text.
struct MouseUp {
    StoryTextBox* on;
};
using CommandControl =
    std::variant<ImageHotspot*, PictureButton*, PictureArea*, ColorButton*, RightPress, MouseUp>;

// The popup menu's submenus, in the order they first appear.
enum class Submenu { None, Help, EditMode, Options };
// A popup item made from its row: its text, its submenu, and whether a line stands before it (for
// a submenu's first item, before the submenu). The items stand in the order of their rows.
struct MenuItem {
    const char* text;
    Submenu submenu = Submenu::None;
    bool lineBefore = false;
    // Of "Full-Screen Mode" and "Window Mode" only the one that leads out of the layout shown is there.
    enum class In { AnyLayout, WindowLayout, FullScreen } in = In::AnyLayout;
};

// A toolbar hotspot that raises the command is lit while it runs; Exit keeps its light on.
enum class Lit { No, WhileRunning, Stays };

struct CommandRow {
    Command command;
    std::function<void(frmMain&)> run;
    // No guard: the command may always run.
    Guard guard = nullptr;
    std::vector<CommandControl> controls = {};
    std::vector<MenuItem> items = {};
    std::vector<KeyBinding> keys = {};
    Lit lit = Lit::No;
};

struct KeyMatch {
    const CommandRow* row;
    Guard guard; // the key's own, else the row's
};

// The rows whose keys match, in table order: a key of several rows runs them one after the other,
// each testing its guard when it is reached (a command before it may have changed the mode).
std::vector<KeyMatch> rowsForKey(const std::vector<CommandRow>& table, KeyEdge edge, std::int16_t keyCode,
                                 bool ctrlHeld, bool altHeld, KeyControl control);

// The guard holds now; no guard always does.
inline bool guardHolds(const MainController& controller, Guard guard) {
    return !guard || (controller.*guard)();
}
