#pragma once
// Moving a caption-less window by its face: the window system's own move, started from a press
// or move with the left button alone.

#include <Qt>

class QWidget;

// The button word the handlers take: 1 left, 2 right, 4 middle, added together.
int buttonWord(Qt::MouseButtons buttons);

void startWindowDrag(QWidget& window);
