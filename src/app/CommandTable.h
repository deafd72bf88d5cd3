#pragma once
// The one table of the main window's commands. A row names the command, the member function it
// runs, the controls that raise it, its keys and, for its menu items, when they are enabled. A row
// adds nothing of its own: the command tests the mode itself.

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
class QAction;
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
    std::variant<ImageHotspot*, PictureButton*, PictureArea*, ColorButton*, QAction*, RightPress, MouseUp>;

// A toolbar hotspot that raises the command is lit while it runs; Exit keeps its light on.
enum class Lit { No, WhileRunning, Stays };

struct CommandRow {
    Command command;
    std::function<void(frmMain&)> run;
    std::vector<CommandControl> controls;
    std::vector<KeyBinding> keys;
    // The menu items of the row are enabled while this holds; no test means always.
    bool (MainController::*enabled)() const = nullptr;
    Lit lit = Lit::No;
};

struct KeyMatch {
    const CommandRow* row;
    KeyMode mode;
};

// The rows whose keys match, in table order: a key of several rows runs them one after the other,
// each testing its mode when it is reached.
std::vector<KeyMatch> rowsForKey(const std::vector<CommandRow>& table, KeyEdge edge, std::int16_t keyCode,
                                 bool ctrlHeld, bool altHeld, KeyControl control);
