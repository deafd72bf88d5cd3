#pragma once
// Moving a caption-less window by its face, from the point where the left button went down on it
// until the button is released. On X11 the window follows the mouse by moves of its own: the same
// with a window manager and without one, and nothing of the keyboard is taken while it moves.
// Wayland lets no window place itself, so there the compositor is asked to move it.

#include <Qt>

class QWidget;

// The button word the handlers take: 1 left, 2 right, 4 middle, added together.
int buttonWord(Qt::MouseButtons buttons);

// Watches the window's presses, moves and releases; call once, before the first press.
void trackWindowDrag(QWidget& window);

enum class DragRoad { None, OwnMoves, Compositor };

// Called from a mouse move with the left button held: puts the window where the mouse has taken it
// since the press, or hands the move to the compositor once per press. Does nothing when the press
// was not on the window itself. Says which road it took.
DragRoad startWindowDrag(QWidget& window);
