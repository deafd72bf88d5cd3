#pragma once
// Moving a caption-less window by its face. The window follows the mouse from the point where the
// left button went down on it until the button is released, by moves of its own: the same with a
// window manager and without one, and nothing of the keyboard is taken while it moves.

#include <Qt>

class QWidget;

// The button word the handlers take: 1 left, 2 right, 4 middle, added together.
int buttonWord(Qt::MouseButtons buttons);

// Watches the window's presses, moves and releases; call once, before the first press.
void trackWindowDrag(QWidget& window);

// Called from a mouse move with the left button held: puts the window where the mouse has taken it
// since the press. Does nothing when the press was not on the window itself.
void startWindowDrag(QWidget& window);
