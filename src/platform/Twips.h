#pragma once
// Window measures are given in twips, fifteen to a pixel, and font sizes in points as the window
// system realised them at 96 dots per inch (heights rounded to whole pixels).

#include <QColor>
#include <QFont>
#include <QRect>
#include <QString>

#include <cmath>

inline constexpr int kTwipsPerPixel = 15;

inline int twipsToPixels(double twips) {
    return static_cast<int>(std::lround(twips / kTwipsPerPixel));
}
inline int pixelsToTwips(int pixels) {
    return pixels * kTwipsPerPixel;
}

inline QRect twipsRect(int left, int top, int width, int height) {
    return {twipsToPixels(left), twipsToPixels(top), twipsToPixels(width), twipsToPixels(height)};
}

// The faces the windows use: a sans for the interface and the pictures, a monospace for the mode line.
inline const QString kSansFamily = QStringLiteral("Liberation Sans");
inline const QString kMonoFamily = QStringLiteral("Liberation Mono");

enum class FontWeight { Normal, Bold };

inline int pointsToPixels(double points) {
    return static_cast<int>(std::lround(points * 96.0 / 72.0));
}

inline QFont fontForPoints(const QString& family, double points, FontWeight weight = FontWeight::Normal) {
    QFont font(family);
    font.setPixelSize(std::max(1, pointsToPixels(points)));
    // Glyph by glyph, as the albums' own system draws these fonts: OpenType shaping only for the
    // scripts that need it. Laying out a story or a caption takes a fraction of the time.
    font.setStyleStrategy(QFont::PreferNoShaping);
    font.setBold(weight == FontWeight::Bold);
    return font;
}

inline QColor rgb(int red, int green, int blue) {
    return QColor(red, green, blue);
}
