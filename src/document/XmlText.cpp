#include "XmlText.h"

#include "FileNames.h"

#include <cstdint>
#include <cstdio>

namespace {

// The code point starting at text[at] and its length in bytes, or length 0 for invalid UTF-8.
struct Decoded {
    std::uint32_t code = 0;
    std::size_t length = 0;
};

Decoded decodeAt(std::string_view text, std::size_t at) {
    const auto byte = [&](std::size_t k) { return static_cast<unsigned char>(text[at + k]); };
    const unsigned char lead = byte(0);
    if (lead < 0x80)
        return {lead, 1};
    std::size_t length = 0;
    std::uint32_t code = 0;
    std::uint32_t least = 0;
    if ((lead & 0xE0) == 0xC0) {
        length = 2, code = lead & 0x1F, least = 0x80;
    } else if ((lead & 0xF0) == 0xE0) {
        length = 3, code = lead & 0x0F, least = 0x800;
    } else if ((lead & 0xF8) == 0xF0) {
        length = 4, code = lead & 0x07, least = 0x10000;
    } else {
        return {};
    }
    if (at + length > text.size())
        return {};
    for (std::size_t k = 1; k < length; ++k) {
        if ((byte(k) & 0xC0) != 0x80)
            return {};
        code = (code << 6) | (byte(k) & 0x3F);
    }
    if (code < least || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF))
        return {};
    return {code, length};
}

bool allowedCode(std::uint32_t code) {
    if (code < 0x20)
        return code == '\t' || code == '\n' || code == '\r';
    return code != 0xFFFE && code != 0xFFFF;
}

} // namespace

std::size_t firstDisallowedXmlChar(std::string_view text) {
    for (std::size_t at = 0; at < text.size();) {
        // Plain ASCII is by far the most of an album: step over it without decoding.
        const auto c = static_cast<unsigned char>(text[at]);
        if (c >= 0x20 && c < 0x80) {
            ++at;
            continue;
        }
        const Decoded d = decodeAt(text, at);
        if (d.length == 0 || !allowedCode(d.code))
            return at;
        at += d.length;
    }
    return std::string_view::npos;
}

std::string describeDisallowedXmlChar(std::string_view text, std::size_t at) {
    char buffer[64];
    const Decoded d = at < text.size() ? decodeAt(text, at) : Decoded{};
    if (d.length == 0)
        std::snprintf(buffer, sizeof buffer, "a byte that is not UTF-8 (0x%02X)",
                      at < text.size() ? static_cast<unsigned char>(text[at]) : 0u);
    else if (d.code < 0x20)
        std::snprintf(buffer, sizeof buffer, "the control character U+%04X", static_cast<unsigned>(d.code));
    else
        std::snprintf(buffer, sizeof buffer, "the non-character U+%04X", static_cast<unsigned>(d.code));
    return buffer;
}

std::string storableNameProblem(std::string_view name) {
    if (!isPlainFileName(name))
        return "The file name is not a plain file name.";
    if (const std::size_t at = firstDisallowedXmlChar(name); at != std::string_view::npos)
        return "The file name holds " + describeDisallowedXmlChar(name, at) + ".";
    if (name.find_first_of("\r\n\t") != std::string_view::npos)
        return "The file name holds a line break or a tab.";
    if (name.find_first_of("&<>") != std::string_view::npos)
        return "The file name holds \"&\", \"<\" or \">\", which the album cannot store.";
    return {};
}
