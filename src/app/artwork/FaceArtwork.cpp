#include "FaceArtwork.h"

#include <cstdint>
#include <cstring>

// The raw file is placed in the program's read-only data at build time.
asm(".section .rodata\n"
    ".balign 16\n"
    "brindlecoveBackgroundRaw:\n"
    ".incbin \"" BRINDLECOVE_BACKGROUND_RAW "\"\n"
    "brindlecoveBackgroundRawEnd:\n"
    ".balign 16\n"
    ".global brindlecoveBackgroundRawStart\n"
    ".set brindlecoveBackgroundRawStart, brindlecoveBackgroundRaw\n"
    ".global brindlecoveBackgroundRawSize\n"
    "brindlecoveBackgroundRawSize: .quad brindlecoveBackgroundRawEnd - brindlecoveBackgroundRaw\n"
    ".previous\n");

extern "C" const unsigned char brindlecoveBackgroundRawStart[];
extern "C" const std::uint64_t brindlecoveBackgroundRawSize;

QImage backgroundFace() {
    const unsigned char* raw = brindlecoveBackgroundRawStart;
    if (brindlecoveBackgroundRawSize < 12)
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
    if (brindlecoveBackgroundRawSize < 12 + std::uint64_t(width) * height * 4)
        return {};
    return QImage(raw + 12, int(width), int(height), int(width * 4), format);
}
