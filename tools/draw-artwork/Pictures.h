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
QImage drawApplicationIcon();

} // namespace art
