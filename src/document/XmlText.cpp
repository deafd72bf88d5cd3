#include "XmlText.h"

#include "FileNames.h"
#include "TextUtil.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <optional>
#include <vector>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

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
    const char* data = text.data();
    const std::size_t size = text.size();
    for (std::size_t at = 0; at < size;) {
        // Plain ASCII with line ends is by far the most of an album: step over it a block at a time
        // while no byte in the block is a control character other than tab, LF and CR, or past ASCII.
#if defined(__SSE2__)
        if (at + 16 <= size) {
            const __m128i block = _mm_loadu_si128(reinterpret_cast<const __m128i*>(data + at));
            // Signed, bytes past ASCII are negative, so one compare finds them with the controls.
            const __m128i low = _mm_cmplt_epi8(block, _mm_set1_epi8(0x20));
            const __m128i spaces = _mm_or_si128(_mm_or_si128(_mm_cmpeq_epi8(block, _mm_set1_epi8('\n')),
                                                             _mm_cmpeq_epi8(block, _mm_set1_epi8('\r'))),
                                                _mm_cmpeq_epi8(block, _mm_set1_epi8('\t')));
            const auto hits = static_cast<unsigned>(_mm_movemask_epi8(_mm_andnot_si128(spaces, low)));
            if (hits == 0) {
                at += 16;
                continue;
            }
            at += static_cast<std::size_t>(__builtin_ctz(hits));
        }
#else
        if (at + 8 <= size) {
            std::uint64_t word;
            std::memcpy(&word, data + at, 8);
            constexpr std::uint64_t kHigh = 0x8080808080808080ull;
            const std::uint64_t belowBlank = (word - 0x2020202020202020ull) & ~word & kHigh;
            if (((word & kHigh) | belowBlank) == 0) {
                at += 8;
                continue;
            }
        }
#endif
        const auto c = static_cast<unsigned char>(data[at]);
        if ((c >= 0x20 && c < 0x80) || c == '\t' || c == '\n' || c == '\r') {
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

namespace {

bool isSpace(char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\r';
}

bool isNameStart(std::uint32_t c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || c == '_' || c == ':' ||
           (c >= 0xC0 && c <= 0xD6) || (c >= 0xD8 && c <= 0xF6) || (c >= 0xF8 && c <= 0x2FF) ||
           (c >= 0x370 && c <= 0x37D) || (c >= 0x37F && c <= 0x1FFF) || (c >= 0x200C && c <= 0x200D) ||
           (c >= 0x2070 && c <= 0x218F) || (c >= 0x2C00 && c <= 0x2FEF) || (c >= 0x3001 && c <= 0xD7FF) ||
           (c >= 0xF900 && c <= 0xFDCF) || (c >= 0xFDF0 && c <= 0xFFFD) || (c >= 0x10000 && c <= 0xEFFFF);
}

bool isNameChar(std::uint32_t c) {
    return isNameStart(c) || c == '-' || c == '.' || (c >= '0' && c <= '9') || c == 0xB7 ||
           (c >= 0x300 && c <= 0x36F) || (c >= 0x203F && c <= 0x2040);
}

bool isXmlChar(std::uint32_t c) {
    return c == 0x9 || c == 0xA || c == 0xD || (c >= 0x20 && c <= 0xD7FF) || (c >= 0xE000 && c <= 0xFFFD) ||
           (c >= 0x10000 && c <= 0x10FFFF);
}

// Nesting deeper than any album, and than strict parsers take by default.
constexpr std::size_t kMaxDepth = 256;

// One pass over text that is known to be allowed UTF-8. Each step returns false at the first fault,
// having noted it.
class WellFormedness {
public:
    explicit WellFormedness(std::string_view text) : m_text(text) {}

    XmlFault document();
    XmlFault content();

private:
    bool fail(std::size_t at, std::string what) {
        if (!m_fault)
            m_fault = XmlFault{at, std::move(what)};
        return false;
    }
    bool at(std::string_view s) const { return m_text.substr(m_pos).starts_with(s); }
    bool more() const { return m_pos < m_text.size(); }
    void skipSpace() {
        while (more() && isSpace(m_text[m_pos]))
            ++m_pos;
    }
    bool name(std::string_view& out);
    bool scanName(std::string_view& out); // without noting a fault
    bool declaration();
    bool misc();
    bool comment();
    bool instruction();
    bool cdata();
    bool reference();
    bool attributeValue();
    bool startTag(bool& empty);
    bool endTag();
    bool characterData(bool insideRoot);
    bool element();

    std::string_view m_text;
    std::size_t m_pos = 0;
    std::vector<std::string_view> m_open;
    std::optional<XmlFault> m_fault;
};

bool WellFormedness::name(std::string_view& out) {
    return scanName(out) || fail(m_pos, "a tag or reference without a valid name");
}

// For each byte: 2 when it may start a name, 1 when it may only follow the start, 3 when it starts a
// character past ASCII (to be decoded), 0 when it ends a name.
constexpr auto kNameByte = [] {
    std::array<std::uint8_t, 256> kinds{};
    for (int c = 0; c < 256; ++c) {
        if ((c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || c == '_' || c == ':')
            kinds[c] = 2;
        else if ((c >= '0' && c <= '9') || c == '-' || c == '.')
            kinds[c] = 1;
        else if (c >= 0x80)
            kinds[c] = 3;
    }
    return kinds;
}();

bool WellFormedness::scanName(std::string_view& out) {
    const std::size_t start = m_pos;
    const std::size_t size = m_text.size();
    const auto* bytes = reinterpret_cast<const unsigned char*>(m_text.data());
    // The album's names are ASCII: taken by table until the first byte that is not.
    if (m_pos < size && kNameByte[bytes[m_pos]] == 2) {
        ++m_pos;
        while (m_pos < size && (kNameByte[bytes[m_pos]] == 1 || kNameByte[bytes[m_pos]] == 2))
            ++m_pos;
    }
    while (m_pos < size && kNameByte[bytes[m_pos]] != 0) {
        if (bytes[m_pos] < 0x80) {
            if (m_pos == start && kNameByte[bytes[m_pos]] != 2)
                break;
            ++m_pos;
            continue;
        }
        const Decoded d = decodeAt(m_text, m_pos);
        if (!(m_pos == start ? isNameStart(d.code) : isNameChar(d.code)))
            break;
        m_pos += d.length;
    }
    if (m_pos == start)
        return false;
    out = m_text.substr(start, m_pos - start);
    return true;
}

// '<?xml' version, encoding, standalone, '?>'; the album's bytes are UTF-8, so no other encoding.
bool WellFormedness::declaration() {
    const std::size_t start = m_pos;
    m_pos += 5;
    static constexpr std::string_view kKeys[] = {"version", "encoding", "standalone"};
    std::size_t next = 0; // the first key that may still come
    for (;;) {
        const std::size_t before = m_pos;
        skipSpace();
        if (at("?>")) {
            m_pos += 2;
            return next > 0 || fail(start, "an XML declaration without a version");
        }
        std::string_view key;
        if (m_pos == before || !name(key))
            return fail(before, "a malformed XML declaration");
        std::size_t k = next;
        while (k < 3 && kKeys[k] != key)
            ++k;
        if (k == 3 || (next == 0 && k != 0))
            return fail(before, "a malformed XML declaration");
        skipSpace();
        if (!at("="))
            return fail(m_pos, "a malformed XML declaration");
        ++m_pos;
        skipSpace();
        const char quote = more() ? m_text[m_pos] : '\0';
        const std::size_t close =
            (quote == '"' || quote == '\'') ? m_text.find(quote, m_pos + 1) : std::string_view::npos;
        if (close == std::string_view::npos)
            return fail(m_pos, "a malformed XML declaration");
        std::string value(m_text.substr(m_pos + 1, close - m_pos - 1));
        m_pos = close + 1;
        if (k == 1) {
            for (char& c : value)
                c = static_cast<char>(c >= 'a' && c <= 'z' ? c - 'a' + 'A' : c);
        }
        const bool good = k == 0   ? value == "1.0"
                          : k == 1 ? value == "UTF-8"
                                   : value == "yes" || value == "no";
        if (!good)
            return fail(before, "an XML declaration this album cannot hold (" + std::string(key) + ")");
        next = k + 1;
    }
}

bool WellFormedness::comment() {
    const std::size_t start = m_pos;
    const std::size_t end = m_text.find("--", m_pos + 4);
    if (end == std::string_view::npos || end + 2 >= m_text.size() || m_text[end + 2] != '>')
        return fail(start, "a comment that is not closed properly");
    m_pos = end + 3;
    return true;
}

bool WellFormedness::instruction() {
    const std::size_t start = m_pos;
    m_pos += 2;
    std::string_view target;
    if (!name(target))
        return false;
    if (target.size() == 3 && (target[0] | 0x20) == 'x' && (target[1] | 0x20) == 'm' &&
        (target[2] | 0x20) == 'l')
        return fail(start, "an XML declaration that is not at the start");
    if (!at("?>") && !(more() && isSpace(m_text[m_pos])))
        return fail(start, "a malformed processing instruction");
    const std::size_t end = m_text.find("?>", m_pos);
    if (end == std::string_view::npos)
        return fail(start, "a processing instruction that is not closed");
    m_pos = end + 2;
    return true;
}

// Comments, processing instructions and blanks, which may stand outside the root element.
bool WellFormedness::misc() {
    for (;;) {
        skipSpace();
        if (at("<!--")) {
            if (!comment())
                return false;
        } else if (at("<?")) {
            if (!instruction())
                return false;
        } else {
            return true;
        }
    }
}

bool WellFormedness::cdata() {
    const std::size_t end = m_text.find("]]>", m_pos + 9);
    if (end == std::string_view::npos)
        return fail(m_pos, "a CDATA section that is not closed");
    m_pos = end + 3;
    return true;
}

bool WellFormedness::reference() {
    const std::size_t start = m_pos;
    const std::string_view rest = m_text.substr(m_pos);
    if (rest.starts_with("&#")) {
        const bool hex = rest.starts_with("&#x");
        std::size_t k = hex ? 3 : 2;
        std::uint32_t code = 0;
        const std::size_t first = k;
        for (; k < rest.size() && k < 16; ++k) {
            const char c = rest[k];
            const int digit = c >= '0' && c <= '9'          ? c - '0'
                              : hex && c >= 'a' && c <= 'f' ? c - 'a' + 10
                              : hex && c >= 'A' && c <= 'F' ? c - 'A' + 10
                                                            : -1;
            if (digit < 0)
                break;
            code = code * (hex ? 16 : 10) + static_cast<std::uint32_t>(digit);
        }
        if (k == first || k >= rest.size() || rest[k] != ';' || !isXmlChar(code))
            return fail(start, "an \"&\" that starts no reference to an allowed character");
        m_pos += k + 1;
        return true;
    }
    ++m_pos;
    std::string_view entity;
    if (!scanName(entity) || !at(";"))
        return fail(start, "an \"&\" that starts no reference");
    ++m_pos;
    if (entity != "amp" && entity != "lt" && entity != "gt" && entity != "quot" && entity != "apos")
        return fail(start, "a reference to the unknown entity \"" + std::string(entity) + "\"");
    return true;
}

bool WellFormedness::attributeValue() {
    const char quote = more() ? m_text[m_pos] : '\0';
    if (quote != '"' && quote != '\'')
        return fail(m_pos, "an attribute without a quoted value");
    ++m_pos;
    while (more() && m_text[m_pos] != quote) {
        if (m_text[m_pos] == '<')
            return fail(m_pos, "a \"<\" inside an attribute value");
        if (m_text[m_pos] == '&') {
            if (!reference())
                return false;
        } else {
            ++m_pos;
        }
    }
    if (!more())
        return fail(m_pos, "an attribute value that is not closed");
    ++m_pos;
    return true;
}

bool WellFormedness::startTag(bool& empty) {
    const std::size_t start = m_pos++;
    std::string_view tagName;
    if (!name(tagName))
        return false;
    // The usual case: no attributes and no blank before ">".
    if (more() && m_text[m_pos] == '>') {
        ++m_pos;
        empty = false;
        if (m_open.size() >= kMaxDepth)
            return fail(start, "elements nested too deep");
        m_open.push_back(tagName);
        return true;
    }
    std::vector<std::string_view> attributes;
    for (;;) {
        const std::size_t before = m_pos;
        skipSpace();
        if (at("/>") || at(">")) {
            empty = at("/>");
            m_pos += empty ? 2 : 1;
            break;
        }
        if (m_pos == before || !more())
            return fail(start, "a tag that is not closed properly");
        std::string_view attribute;
        if (!name(attribute))
            return false;
        for (std::string_view seen : attributes) {
            if (seen == attribute)
                return fail(before, "an attribute given twice");
        }
        attributes.push_back(attribute);
        skipSpace();
        if (!at("="))
            return fail(m_pos, "an attribute without a value");
        ++m_pos;
        skipSpace();
        if (!attributeValue())
            return false;
    }
    if (!empty) {
        if (m_open.size() >= kMaxDepth)
            return fail(start, "elements nested too deep");
        m_open.push_back(tagName);
    }
    return true;
}

bool WellFormedness::endTag() {
    const std::size_t start = m_pos;
    m_pos += 2;
    // The usual case, the name of the open element right before ">", needs no scan of the name.
    if (!m_open.empty()) {
        const std::string_view due = m_open.back();
        const std::size_t close = m_pos + due.size();
        if (close < m_text.size() && m_text[close] == '>' && m_text.compare(m_pos, due.size(), due) == 0) {
            m_pos = close + 1;
            m_open.pop_back();
            return true;
        }
    }
    std::string_view tagName;
    if (!name(tagName))
        return false;
    skipSpace();
    if (!at(">"))
        return fail(start, "a closing tag that is not closed properly");
    ++m_pos;
    if (m_open.empty() || m_open.back() != tagName)
        return fail(start,
                    "the closing tag </" + std::string(tagName) + "> where " +
                        (m_open.empty() ? std::string("none") : "</" + std::string(m_open.back()) + ">") +
                        " was due");
    m_open.pop_back();
    return true;
}

// The first "<", "&" or "]" from pos on, or the text's size when there is none.
std::size_t nextMarkup(std::string_view text, std::size_t pos) {
    const std::size_t found = findFirstOf<'<', '&', ']'>(text, pos);
    return found == std::string_view::npos ? text.size() : found;
}

// Text up to the next "<" or "&"; it may not hold "]]>", and outside the root only blanks.
bool WellFormedness::characterData(bool insideRoot) {
    const std::size_t start = m_pos;
    std::size_t close = std::string_view::npos;
    std::size_t end = nextMarkup(m_text, start);
    for (; end < m_text.size() && m_text[end] == ']'; end = nextMarkup(m_text, end + 1)) {
        if (close == std::string_view::npos && m_text.compare(end, 3, "]]>") == 0)
            close = end;
    }
    m_pos = end;
    if (!insideRoot) {
        for (std::size_t k = start; k < end; ++k) {
            if (!isSpace(m_text[k]))
                return fail(k, "text outside the root element");
        }
    }
    if (close != std::string_view::npos)
        return fail(close, "\"]]>\" outside a CDATA section");
    return true;
}

// The root element and all it holds, without recursion.
bool WellFormedness::element() {
    if (!at("<"))
        return fail(m_pos, more() ? "text outside the root element" : "no root element");
    bool empty = false;
    if (!startTag(empty))
        return false;
    while (!m_open.empty()) {
        if (!characterData(true))
            return false;
        if (!more())
            return fail(m_pos, "the element <" + std::string(m_open.back()) + "> is not closed");
        // At "&" or "<": the byte after tells what follows.
        const char next = m_pos + 1 < m_text.size() ? m_text[m_pos + 1] : '\0';
        bool good = false;
        if (m_text[m_pos] == '&')
            good = reference();
        else if (next == '/')
            good = endTag();
        else if (next == '!' && at("<![CDATA["))
            good = cdata();
        else if (next == '!' && at("<!--"))
            good = comment();
        else if (next == '?')
            good = instruction();
        else
            good = startTag(empty);
        if (!good)
            return false;
    }
    return true;
}

XmlFault WellFormedness::document() {
    if (const std::size_t bad = firstDisallowedXmlChar(m_text); bad != std::string_view::npos)
        return {bad, describeDisallowedXmlChar(m_text, bad)};
    if (at("\xEF\xBB\xBF"))
        m_pos += 3;
    if (at("<?xml") && m_pos + 5 < m_text.size() && isSpace(m_text[m_pos + 5]))
        declaration();
    if (!m_fault && at("<!DOCTYPE"))
        fail(m_pos, "a document type declaration");
    if (!m_fault && misc() && element() && misc() && more())
        characterData(false) && more() && fail(m_pos, "markup after the root element");
    return m_fault.value_or(XmlFault{});
}

XmlFault WellFormedness::content() {
    if (const std::size_t bad = firstDisallowedXmlChar(m_text); bad != std::string_view::npos)
        return {bad, describeDisallowedXmlChar(m_text, bad)};
    while (!m_fault && more()) {
        if (!characterData(true) || !more())
            break;
        if (at("&"))
            reference();
        else if (at("<![CDATA["))
            cdata();
        else
            fail(m_pos, "a \"<\" that starts no CDATA section");
    }
    return m_fault.value_or(XmlFault{});
}

} // namespace

XmlFault firstXmlFault(std::string_view document) {
    return WellFormedness(document).document();
}

XmlFault firstXmlContentFault(std::string_view content) {
    return WellFormedness(content).content();
}

std::string makeStorableXmlText(std::string& text) {
    std::size_t at = firstDisallowedXmlChar(text);
    if (at == std::string::npos)
        return {};
    std::string found;
    std::string out(text, 0, at);
    while (at < text.size()) {
        const Decoded d = decodeAt(text, at);
        if (d.length > 0 && allowedCode(d.code)) {
            out.append(text, at, d.length);
            at += d.length;
        } else if (d.length == 1 && (d.code == 0x0B || d.code == 0x0C)) {
            out += "\r\n";
            ++at;
        } else {
            if (found.empty())
                found = describeDisallowedXmlChar(text, at);
            out += "\xEF\xBF\xBD";
            at += d.length > 0 ? d.length : 1;
        }
    }
    text = std::move(out);
    return found;
}
