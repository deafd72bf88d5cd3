#pragma once
// Small text helpers shared by the libraries above the document; all work on bytes.

#include <string>
#include <string_view>

#if defined(__SSE2__)
#include <emmintrin.h>

// A bit for each byte of the block that is one of the bytes, the first byte's lowest.
template <char... Bytes> unsigned blockHits(__m128i block) {
    __m128i found = _mm_setzero_si128();
    ((found = _mm_or_si128(found, _mm_cmpeq_epi8(block, _mm_set1_epi8(Bytes)))), ...);
    return static_cast<unsigned>(_mm_movemask_epi8(found));
}
#endif

// The first place from pos on that holds one of the bytes, or npos. Inline and a block of bytes at a
// time: on the short lines of an album a call to the library costs more than the search, and a search
// for any of a set makes a call for every byte.
template <char... Bytes> std::size_t findFirstOf(std::string_view text, std::size_t pos = 0) {
    const char* data = text.data();
    const std::size_t size = text.size();
#if defined(__SSE2__)
    for (; pos + 16 <= size; pos += 16) {
        const __m128i block = _mm_loadu_si128(reinterpret_cast<const __m128i*>(data + pos));
        if (const unsigned hits = blockHits<Bytes...>(block); hits != 0)
            return pos + static_cast<std::size_t>(__builtin_ctz(hits));
    }
#endif
    for (; pos < size; ++pos) {
        if (((data[pos] == Bytes) || ...))
            return pos;
    }
    return std::string_view::npos;
}

// Copies the text to out up to the first of the bytes, that byte included, and returns where it
// stands, or the text's size (all of it copied) when it holds none of them: one pass for a copy
// that stops where the text needs a look. Never reads or writes past either end.
template <char... Bytes> std::size_t copyToFirstOf(char* out, std::string_view text) {
    const char* in = text.data();
    const std::size_t size = text.size();
    std::size_t pos = 0;
#if defined(__SSE2__)
    if (size >= 16) {
        for (; pos + 16 <= size; pos += 16) {
            const __m128i block = _mm_loadu_si128(reinterpret_cast<const __m128i*>(in + pos));
            _mm_storeu_si128(reinterpret_cast<__m128i*>(out + pos), block);
            if (const unsigned hits = blockHits<Bytes...>(block); hits != 0)
                return pos + static_cast<std::size_t>(__builtin_ctz(hits));
        }
        if (pos < size) {
            // The last block ends with the text and overlaps the one before.
            const std::size_t last = size - 16;
            const __m128i block = _mm_loadu_si128(reinterpret_cast<const __m128i*>(in + last));
            _mm_storeu_si128(reinterpret_cast<__m128i*>(out + last), block);
            if (const unsigned hits = blockHits<Bytes...>(block) >> (pos - last); hits != 0)
                return pos + static_cast<std::size_t>(__builtin_ctz(hits));
        }
        return size;
    }
#endif
    for (; pos < size; ++pos) {
        out[pos] = in[pos];
        if (((in[pos] == Bytes) || ...))
            return pos;
    }
    return size;
}

// Appends the text with every occurrence of from, left to right, replaced by to; one pass, so the
// time grows with the text's length, whatever the number of replacements.
inline void appendReplacedAll(std::string& out, std::string_view text, std::string_view from,
                              std::string_view to) {
    if (from.empty()) {
        out.append(text);
        return;
    }
    std::size_t done = 0;
    for (auto pos = text.find(from); pos != std::string_view::npos; pos = text.find(from, done)) {
        out.append(text.substr(done, pos - done));
        out.append(to);
        done = pos + from.size();
    }
    out.append(text.substr(done));
}

// The same, as a text of its own.
inline std::string replacedAll(std::string_view text, std::string_view from, std::string_view to) {
    std::string out;
    out.reserve(text.size());
    appendReplacedAll(out, text, from, to);
    return out;
}

// Replaces every occurrence of from, left to right, without rescanning what was put in.
inline void replaceAll(std::string& text, std::string_view from, std::string_view to) {
    if (from.empty() || text.find(from) == std::string::npos)
        return;
    text = replacedAll(text, from, to);
}

// The text without the blanks at its two ends (only the space character counts as a blank).
inline std::string_view trimBlanks(std::string_view text) {
    const auto first = text.find_first_not_of(' ');
    if (first == std::string_view::npos)
        return {};
    return text.substr(first, text.find_last_not_of(' ') - first + 1);
}

// The text with A to Z as a to z; every other byte as it is.
inline std::string asciiLowerCased(std::string_view text) {
    std::string lowered(text);
    for (char& c : lowered)
        if (c >= 'A' && c <= 'Z')
            c = static_cast<char>(c - 'A' + 'a');
    return lowered;
}
