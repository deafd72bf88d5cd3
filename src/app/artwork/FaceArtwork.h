#pragma once
// The window's artwork, built into the program as raw pixels: shown without decoding, so no image
// reader (and none of Qt's image format plugins) is loaded for it.

#include <QImage>

#include <string_view>

// The artwork of that name (the asset's file name without ".png"); a null image for any other name.
QImage builtInArtwork(std::string_view name);
inline QImage backgroundFace() {
    return builtInArtwork("background");
}
