#include "FileNames.h"

#include "TextUtil.h"

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

bool isPlainFileName(std::string_view name) {
    if (name.empty() || name == "." || name == "..")
        return false;
    // A block of bytes at a time: every page's names are looked at on every export.
    const char* data = name.data();
    std::size_t at = 0;
#if defined(__SSE2__)
    for (; at + 16 <= name.size(); at += 16) {
        const __m128i block = _mm_loadu_si128(reinterpret_cast<const __m128i*>(data + at));
        const __m128i found = _mm_or_si128(_mm_or_si128(_mm_cmpeq_epi8(block, _mm_set1_epi8('/')),
                                                        _mm_cmpeq_epi8(block, _mm_set1_epi8('\\'))),
                                           _mm_cmpeq_epi8(block, _mm_setzero_si128()));
        if (_mm_movemask_epi8(found) != 0)
            return false;
    }
#endif
    for (; at < name.size(); ++at) {
        if (data[at] == '/' || data[at] == '\\' || data[at] == '\0')
            return false;
    }
    return true;
}

std::string thumbnailNameFor(std::string_view snapshotName) {
    return replacedAll(std::string(snapshotName), "snapshot_", "thumbnail_");
}
