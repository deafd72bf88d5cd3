#pragma once
// The little pictures drawn on the toolbar medallions and the side-button tabs. Each glyph is
// drawn into a square box in one ink colour, so the same shapes serve both sizes.

#include <QColor>
#include <QPainter>
#include <QRectF>

namespace art {

enum class Glyph {
    OpenBook, // open an album
    Disk,     // save it
    DiskAs,   // save it elsewhere or as a web page
    Quill,    // edit the story
    Camera,   // snapshot browser
    Gear,     // options and settings
    Door,     // leave
    Info,     // details
    Trash,    // delete the page
    MovePage, // move the page
    Pin,      // keep the page buttons
    Unpin,    // let them go
    FoldUp,   // close the tool group
    Wrench,   // tool group
    Toolbox,  // tool group
    Reverse,  // reverse the page order
};

void drawGlyph(QPainter& painter, Glyph glyph, const QRectF& box, const QColor& ink);

} // namespace art
