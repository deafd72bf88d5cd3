#include "export/TextConversion.h"

#include <gtest/gtest.h>

namespace {

struct ConversionCase {
    const char* name;
    std::string text;
    std::string markup; // every template; the viewer then puts it into a script string
};

void PrintTo(const ConversionCase& c, std::ostream* out) {
    *out << c.name;
}

const ConversionCase kConversionCases[] = {
    {"wrapped two lines", "<![CDATA[one\r\ntwo]]>", "one\r<BR>two"},
    {"no wrapper", "one\ntwo", "one<BR>two"},
    {"empty", "", ""},
    {"empty wrapper", "<![CDATA[]]>", ""},
    {"wrapper pieces inside", "a<![CDATA[b]]>c<![CDATA[", "abc"},
    {"double quotes", "<![CDATA[say \"hi\"]]>", "say \"hi\""},
    {"kept characters", "it's <b>a</b> & \\ done", "it's <b>a</b> & \\ done"},
    {"lone CR", "a\rb", "a\rb"},
    // References a story holds without the wrapper reach the page, which shows them as XML reads them.
    {"references without wrapper", "Tom &amp; Jerry &lt;b&gt;", "Tom &amp; Jerry &lt;b&gt;"},
    {"blank lines", "a\r\n\r\nb", "a\r<BR>\r<BR>b"},
    // Each step makes one pass: a wrapper that a removal brings together is not removed again.
    {"opening joined by a removal", "<![CDA<![CDATA[TA[x", "<![CDATA[x"},
    {"closing joined by a removal", "]]]]>>x", "]]>x"},
    {"closing removed before opening is seen", "<![CDA]]>TA[x", "<![CDATA[x"},
    {"closing brought together by an opening's removal", "a]]<![CDATA[>b\n]]>c]", "ab<BR>c]"},
};

class TextConversion : public testing::TestWithParam<ConversionCase> {};

TEST_P(TextConversion, StoryMarkup) {
    const ConversionCase& c = GetParam();
    EXPECT_EQ(storyMarkup(c.text), c.markup);
}

INSTANTIATE_TEST_SUITE_P(Texts, TextConversion, testing::ValuesIn(kConversionCases), [](const auto& info) {
    std::string name = info.param.name;
    for (char& c : name)
        if (!std::isalnum(static_cast<unsigned char>(c)))
            c = '_';
    return name;
});

// Each row: the text, then what stands for it in a script string and in markup.
struct EscapeCase {
    std::string text;
    std::string script; // inside a quoted script string
    std::string html;   // as markup
};

const std::string kLs = "\xE2\x80\xA8";
const std::string kPs = "\xE2\x80\xA9";
const std::string kHyphen = "\xE2\x80\xA7";

const EscapeCase kEscapeCases[] = {
    {"", "", ""},
    {"plain M\xC3\xBCller 100%", "plain M\xC3\xBCller 100%", "plain M\xC3\xBCller 100%"},
    {"a\\b \\n", "a\\\\b \\\\n", "a\\b \\n"},
    {"say \"hi\" it's", "say \\\"hi\\\" it\\'s", "say &#34;hi&#34; it&#39;s"},
    {"one\r\ntwo", "one\\r\\ntwo", "one\r\ntwo"},
    // U+2028 and U+2029 end a string in older engines; U+2027 ends nothing.
    {"a" + kLs + "b" + kPs + "c" + kHyphen, "a\\u2028b\\u2029c" + kHyphen,
     "a" + kLs + "b" + kPs + "c" + kHyphen},
    {"x</script><script>alert(1)</script>", "x<\\/script><script>alert(1)<\\/script>",
     "x&lt;/script&gt;&lt;script&gt;alert(1)&lt;/script&gt;"},
    {"<b>bold</b> & <BR>", "<b>bold<\\/b> & <BR>", "&lt;b&gt;bold&lt;/b&gt; &amp; &lt;BR&gt;"},
    {"<!--<script>", "<\\!--<script>", "&lt;!--&lt;script&gt;"},
    {"<!- <! < /", "<!- <! < /", "&lt;!- &lt;! &lt; /"},
};

TEST(Escapes, ScriptStringAndMarkup) {
    for (const EscapeCase& c : kEscapeCases) {
        EXPECT_EQ(scriptString(c.text), c.script) << c.text;
        EXPECT_EQ(htmlText(c.text), c.html) << c.text;
        // Plain text is stepped over in blocks: each escape at every place in a block.
        for (std::size_t shift = 1; shift < 18; ++shift) {
            const std::string plain(shift, 'p');
            EXPECT_EQ(scriptString(plain + c.text + plain), plain + c.script + plain) << shift << c.text;
        }
    }
}

TEST(PictureAddress, PlainNamesArePercentEncodedOthersAreMissing) {
    const std::pair<std::string, std::string> cases[] = {
        {"snapshot_5e4a7f10_0001.jpg", "snapshot_5e4a7f10_0001.jpg"},
        {"Az09-._~", "Az09-._~"},
        {"a b#c?d%e.jpg", "a%20b%23c%3Fd%25e.jpg"},
        {"javascript:alert(1)", "javascript%3Aalert%281%29"},
        {"it's \"&<>+=;,@!$*", "it%27s%20%22%26%3C%3E%2B%3D%3B%2C%40%21%24%2A"},
        {"M\xC3\xBCller.jpg", "M%C3%BCller.jpg"},
        {"...", "..."},
        {"../../../etc/passwd", ""},
        {"a/b.jpg", ""},
        {"a\\b.jpg", ""},
        {"..", ""},
        {".", ""},
        {"", ""},
        {std::string("a\0b", 3), ""},
        // Long names are looked over a block at a time: a separator past the first block.
        {"snapshot_4c1e9b07_00000001/x.jpg", ""},
        {"snapshot_4c1e9b07_0000000\\1.jpg", ""},
        {std::string("snapshot_4c1e9b07_\0.jpg", 23), ""},
    };
    for (const auto& [name, address] : cases) {
        std::string written = "before ";
        appendPictureAddress(written, name);
        EXPECT_EQ(written, "before " + address) << name;
    }
}

} // namespace
