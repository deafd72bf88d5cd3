#pragma once
// The pictures of the window artwork, each drawn at the size the windows show it.

#include "Glyphs.h"

#include <QImage>

namespace art {

enum class TabGroup { Page, Tool };

QImage drawBackground();
QImage drawSideButton(Glyph glyph, TabGroup group);
QImage drawSavingPicture();
QImage drawAboutBackground();
// The image information window's face, 358 x 222: leather with a gilt edge.
QImage drawInfoBackground();
QImage drawApplicationIcon();

} // namespace art
