#include "FaceArtwork.h"

#include <array>
#include <cstddef>
#include <cstdint>

// Each picture's raw pixels are an array of its own generated source, in the program's read-only data.
#define BRINDLECOVE_EMBED(name)                                                                              \
    extern const unsigned char brindlecoveArt_##name[];                                                      \
    extern const std::size_t brindlecoveArt_##name##_size;

BRINDLECOVE_EMBED(about)
BRINDLECOVE_EMBED(background)
BRINDLECOVE_EMBED(icon)
BRINDLECOVE_EMBED(info)
BRINDLECOVE_EMBED(saving)
BRINDLECOVE_EMBED(sbtnDelete)
BRINDLECOVE_EMBED(sbtnMovePg)
BRINDLECOVE_EMBED(sbtnSticky)
BRINDLECOVE_EMBED(sbtnStuck)
BRINDLECOVE_EMBED(sbtnTools1)
BRINDLECOVE_EMBED(sbtnTools2)
BRINDLECOVE_EMBED(sbtnTools3)
BRINDLECOVE_EMBED(sbtnTools4)
BRINDLECOVE_EMBED(sbtnTools5)
BRINDLECOVE_EMBED(windowIcon)

namespace {

struct Embedded {
    std::string_view name;
    const unsigned char* start;
    const unsigned char* end;
};

#define BRINDLECOVE_ENTRY(name)                                                                              \
    Embedded {                                                                                               \
#name, brindlecoveArt_##name, brindlecoveArt_##name + brindlecoveArt_##name##_size                   \
    }

const std::array kArtwork = {
    BRINDLECOVE_ENTRY(about),      BRINDLECOVE_ENTRY(background), BRINDLECOVE_ENTRY(icon),
    BRINDLECOVE_ENTRY(info),       BRINDLECOVE_ENTRY(saving),     BRINDLECOVE_ENTRY(sbtnDelete),
    BRINDLECOVE_ENTRY(sbtnMovePg), BRINDLECOVE_ENTRY(sbtnSticky), BRINDLECOVE_ENTRY(sbtnStuck),
    BRINDLECOVE_ENTRY(sbtnTools1), BRINDLECOVE_ENTRY(sbtnTools2), BRINDLECOVE_ENTRY(sbtnTools3),
    BRINDLECOVE_ENTRY(sbtnTools4), BRINDLECOVE_ENTRY(sbtnTools5), BRINDLECOVE_ENTRY(windowIcon),
};

// Layout of a raw file: width, height and Qt's image format as 32-bit little-endian numbers, then
// the rows, four bytes to a pixel.
QImage imageOf(const unsigned char* raw, std::uint64_t size) {
    if (size < 12)
        return {};
    const auto number = [raw](int at) {
        return std::uint32_t(raw[at]) | std::uint32_t(raw[at + 1]) << 8 | std::uint32_t(raw[at + 2]) << 16 |
               std::uint32_t(raw[at + 3]) << 24;
    };
    const std::uint32_t width = number(0);
    const std::uint32_t height = number(4);
    const auto format = static_cast<QImage::Format>(number(8));
    if (format != QImage::Format_RGB32 && format != QImage::Format_ARGB32_Premultiplied)
        return {};
    if (size < 12 + std::uint64_t(width) * height * 4)
        return {};
    return QImage(raw + 12, int(width), int(height), int(width * 4), format);
}

} // namespace

QImage builtInArtwork(std::string_view name) {
    for (const Embedded& art : kArtwork) {
        if (art.name == name)
            return imageOf(art.start, static_cast<std::uint64_t>(art.end - art.start));
    }
    return {};
}
