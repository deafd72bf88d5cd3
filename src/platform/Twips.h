#pragma once
// Window measures are given in twips, fifteen to a pixel, and font sizes in points as the window
// system realised them at 96 dots per inch (heights rounded to whole pixels).

#include <QColor>
#include <QFont>
#include <QRect>
#include <QString>
#include <QStringView>

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
    font.setBold(weight == FontWeight::Bold);
    return font;
}

// True when every character of text is drawn right glyph by glyph, in a script that needs no
// joining, reordering or placing of marks by the font (Latin, Greek, Cyrillic, Chinese and Japanese
// characters, and the marks and signs all scripts share, emoji aside).
inline bool drawnGlyphByGlyph(QStringView text) {
    for (qsizetype at = 0; at < text.size(); ++at) {
        const char16_t unit = text[at].unicode();
        if (unit < 0x80)
            continue;
        char32_t code = unit;
        if (QChar::isHighSurrogate(unit) && at + 1 < text.size() &&
            QChar::isLowSurrogate(text[at + 1].unicode()))
            code = QChar::surrogateToUcs4(unit, text[++at].unicode());
        // Emoji sequences (joined by U+200D, skin tones, flags) are put together by the font.
        if (code == 0x200D || code >= 0x1F000)
            return false;
        switch (QChar::script(code)) {
        case QChar::Script_Common:
        case QChar::Script_Inherited:
        case QChar::Script_Latin:
        case QChar::Script_Greek:
        case QChar::Script_Cyrillic:
        case QChar::Script_Han:
        case QChar::Script_Hiragana:
        case QChar::Script_Katakana:
            break;
        default:
            return false;
        }
    }
    return true;
}

// The font for drawing text: without OpenType shaping when the text needs none, as the albums' own
// system draws these fonts (no kerning, no ligatures), and in a fraction of the time a page turn
// would spend shaping its story and captions; shaped otherwise (Arabic joins its letters).
inline QFont fontFor(QFont font, QStringView text) {
    const int strategy = font.styleStrategy();
    font.setStyleStrategy(QFont::StyleStrategy(drawnGlyphByGlyph(text) ? strategy | QFont::PreferNoShaping
                                                                       : strategy & ~QFont::PreferNoShaping));
    return font;
}

inline QColor rgb(int red, int green, int blue) {
    return QColor(red, green, blue);
}
