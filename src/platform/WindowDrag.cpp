#include "WindowDrag.h"

#include <QWidget>
#include <QWindow>

int buttonWord(Qt::MouseButtons buttons) {
    int word = 0;
    if (buttons & Qt::LeftButton)
        word |= 1;
    if (buttons & Qt::RightButton)
        word |= 2;
    if (buttons & Qt::MiddleButton)
        word |= 4;
    return word;
}

void startWindowDrag(QWidget& window) {
    if (QWindow* handle = window.window()->windowHandle())
        handle->startSystemMove();
}
