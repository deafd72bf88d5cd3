#pragma once
// Where the main window's controls stand, in twips as the window lays them out, so the artwork
// puts its icons under the hotspots and its frames around the controls.

#include "Glyphs.h"

#include <QRectF>

#include <array>

namespace art {

inline constexpr int kTwipsPerPixel = 15;

// A rectangle given in twips, as a rectangle in pixels.
constexpr QRectF twips(int left, int top, int width, int height) {
    return {static_cast<qreal>(left) / kTwipsPerPixel, static_cast<qreal>(top) / kTwipsPerPixel,
            static_cast<qreal>(width) / kTwipsPerPixel, static_cast<qreal>(height) / kTwipsPerPixel};
}

inline constexpr QSize kBackgroundSize(488, 562);

inline constexpr QRectF kPictureArea = twips(650, 885, 6000, 4500);
inline constexpr QRectF kStoryText = twips(615, 5880, 6120, 2160);
inline constexpr QRectF kNavigationRow = twips(615, 5500, 6360 + 390 - 615, 315);
inline constexpr QRectF kModeLine = twips(675, 8100, 2040, 195);
inline constexpr QRectF kBragLine = twips(3060, 8100, 3750, 255);
inline constexpr QRectF kViewHotspot = twips(90, 630, 420, 390);

struct Hotspot {
    QRectF rect;
    Glyph glyph;
};

inline constexpr std::array<Hotspot, 7> kToolbar = {{
    {twips(2655, 405, 420, 420), Glyph::OpenBook},
    {twips(3180, 405, 420, 420), Glyph::Disk},
    {twips(3690, 405, 420, 420), Glyph::DiskAs},
    {twips(4215, 405, 420, 420), Glyph::Quill},
    {twips(4695, 405, 420, 420), Glyph::Camera},
    {twips(5220, 405, 420, 420), Glyph::Gear},
    {twips(6255, 405, 420, 420), Glyph::Door},
}};

} // namespace art
