#include "export/TextConversion.h"

#include <gtest/gtest.h>

namespace {

struct ConversionCase {
    const char* name;
    std::string text;
    std::string list;   // static and popup templates
    std::string viewer; // viewer template, before it goes into the script string
};

void PrintTo(const ConversionCase& c, std::ostream* out) {
    *out << c.name;
}

const ConversionCase kConversionCases[] = {
    {"wrapped two lines", "<![CDATA[one\r\ntwo]]>", "one\r<BR>two", "one<BR>two"},
    {"no wrapper", "one\ntwo", "one<BR>two", "one<BR>two"},
    {"empty", "", "", ""},
    {"empty wrapper", "<![CDATA[]]>", "", ""},
    {"wrapper pieces inside", "a<![CDATA[b]]>c<![CDATA[", "abc", "abc"},
    {"double quotes", "<![CDATA[say \"hi\"]]>", "say \"hi\"", "say hi"},
    {"kept characters", "it's <b>a</b> & \\ done", "it's <b>a</b> & \\ done", "it's <b>a</b> & \\ done"},
    {"lone CR", "a\rb", "a\rb", "ab"},
    {"blank lines", "a\r\n\r\nb", "a\r<BR>\r<BR>b", "a<BR><BR>b"},
    // Each step makes one pass: a wrapper that a removal brings together is not removed again.
    {"opening joined by a removal", "<![CDA<![CDATA[TA[x", "<![CDATA[x", "<![CDATA[x"},
    {"closing joined by a removal", "]]]]>>x", "]]>x", "]]>x"},
    {"closing removed before opening is seen", "<![CDA]]>TA[x", "<![CDATA[x", "<![CDATA[x"},
};

class TextConversion : public testing::TestWithParam<ConversionCase> {};

TEST_P(TextConversion, ListAndViewerMarkup) {
    const ConversionCase& c = GetParam();
    EXPECT_EQ(listTextMarkup(c.text), c.list);
    EXPECT_EQ(viewerTextMarkup(c.text), c.viewer);
}

INSTANTIATE_TEST_SUITE_P(Texts, TextConversion, testing::ValuesIn(kConversionCases), [](const auto& info) {
    std::string name = info.param.name;
    for (char& c : name)
        if (!std::isalnum(static_cast<unsigned char>(c)))
            c = '_';
    return name;
});

TEST(ScriptStringBody, LeavesOrdinaryMarkupAlone) {
    for (const char* markup : {"", "plain", "a<BR>b", "<b>bold</b> & 'it' </i>", "</scrip", "<!-x", "<!"})
        EXPECT_EQ(scriptStringBody(markup), markup) << markup;
}

TEST(ScriptStringBody, EscapesWhatWouldEndTheStringOrTheScript) {
    EXPECT_EQ(scriptStringBody("ends in \\"), "ends in \\\\");
    EXPECT_EQ(scriptStringBody("\\n is not a line break"), "\\\\n is not a line break");
    EXPECT_EQ(scriptStringBody("a</script>b"), "a<\\/script>b");
    EXPECT_EQ(scriptStringBody("</SCRIPT ></Script>"), "<\\/SCRIPT ><\\/Script>");
    EXPECT_EQ(scriptStringBody("<!--<script>"), "<\\!--<script>");
}

} // namespace
