#include "document/XmlText.h"

#include <gtest/gtest.h>

#include <string>

namespace {

struct CharCase {
    const char* what;
    std::string text;
    std::size_t expected;
};

TEST(XmlText, FindsTheFirstCharacterXmlCannotHold) {
    const std::size_t none = std::string::npos;
    const CharCase cases[] = {
        {"plain text", "Anna's house", none},
        {"tab, LF and CR", "a\tb\nc\rd", none},
        {"two-, three- and four-byte characters", "M\xC3\xBCller \xE2\x80\xA8 \xF0\x9F\x98\x80", none},
        {"no-break space",
         "a\xC2\xA0"
         "b",
         none},
        {"NUL", std::string("ab\0c", 4), 2},
        {"vertical tab", "line\x0Bnext", 4},
        {"escape", "\x1B[0m", 0},
        {"Latin-1 byte", "M\xFCller", 1},
        {"lone continuation byte", "a\x80", 1},
        {"truncated sequence at the end", "ab\xE2\x80", 2},
        {"overlong slash", "a\xC0\xAF", 1},
        {"surrogate", "\xED\xA0\x80", 0},
        {"past U+10FFFF", "\xF4\x90\x80\x80", 0},
        {"U+FFFE", "x\xEF\xBF\xBE", 1},
        {"U+FFFF", "\xEF\xBF\xBF", 0},
    };
    for (const CharCase& c : cases)
        EXPECT_EQ(firstDisallowedXmlChar(c.text), c.expected) << c.what;
}

TEST(XmlText, DescribesWhatItFound) {
    EXPECT_EQ(describeDisallowedXmlChar("a\x0B", 1), "the control character U+000B");
    EXPECT_EQ(describeDisallowedXmlChar("\xE9", 0), "a byte that is not UTF-8 (0xE9)");
    EXPECT_EQ(describeDisallowedXmlChar("\xEF\xBF\xBE", 0), "the non-character U+FFFE");
}

TEST(XmlText, StorableNames) {
    const char* storable[] = {"snapshot_1a2b3c4d_x.jpg", "snapshot_M\xC3\xBCller.jpg", "a b#%?.jpg",
                              "O'Brien.jpg"};
    for (const char* name : storable)
        EXPECT_EQ(storableNameProblem(name), "") << name;
    const char* refused[] = {"",         "..",       "a/b.jpg",  "a\\b.jpg",
                             "a\nb.jpg", "a\rb.jpg", "a\tb.jpg", "Tom & Jerry.jpg",
                             "a<b.jpg",  "a>b.jpg",  "x]]>.jpg", "M\xFCller.jpg",
                             "a\x01.jpg"};
    for (const char* name : refused)
        EXPECT_NE(storableNameProblem(name), "") << name;
}

} // namespace
