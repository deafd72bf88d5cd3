#pragma once
// Where full-screen mode puts the picture area and the story text box, in twips, from the screen's
// size and the window-mode sizes: the picture grows by the window's height over its own height
// (so its size is the same on every screen), centred across with a top margin of 2 % of the screen;
// the text box, as wide as the picture and centred, stands at 98 % of the height left above it.

struct FullScreenLayout {
    double pictureLeft = 0;
    double pictureTop = 0;
    double pictureWidth = 0;
    double pictureHeight = 0;
    double textLeft = 0;
    double textTop = 0;
    double textWidth = 0;
    double textHeight = 0;
};

struct WindowModeSizes {
    double windowHeight;
    double pictureWidth;
    double pictureHeight;
    double textHeight;
};

inline FullScreenLayout fullScreenLayout(double screenWidth, double screenHeight,
                                         const WindowModeSizes& sizes) {
    const double factor = sizes.windowHeight / sizes.pictureHeight;
    FullScreenLayout layout;
    layout.pictureWidth = sizes.pictureWidth * factor;
    layout.pictureHeight = sizes.pictureHeight * factor;
    layout.pictureTop = screenHeight * 0.02;
    layout.pictureLeft = (screenWidth - layout.pictureWidth) / 2;
    layout.textWidth = layout.pictureWidth;
    layout.textHeight = sizes.textHeight;
    layout.textTop = (screenHeight - sizes.textHeight) * 0.98;
    layout.textLeft = (screenWidth - layout.textWidth) / 2;
    return layout;
}
