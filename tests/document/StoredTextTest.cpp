// Whatever a user types is saved so that it reads back equal, through the album's own reader and
// through a strict standard XML parser, and a stored text shows as it was written.

#include "AlbumText.h"
#include "TempFolder.h"
#include "XmlOracle.h"

#include "document/StoredText.h"
#include "document/StorybookParser.h"
#include "document/StorybookReader.h"
#include "document/StorybookWriter.h"
#include "document/TextUtil.h"
#include "document/XmlText.h"

#include <gtest/gtest.h>

namespace {

struct Typed {
    const char* what;
    std::string text;
};

// Texts users paste from web pages and forums, and every kind of line end.
const Typed kHostileTexts[] = {
    {"entry tags", "before <Entry> and </Entry> after"},
    {"field tags", "<Title>a <ThumbnailFilename>b <Snapshot>c <TextResourceId>d <TimeStamp>e"},
    {"closing field tags", "</Title></ThumbnailFilename></Snapshot></TextResourceId></TimeStamp>"},
    {"record tags", "<ExchangeMetadata> and <KeywordList/> and <KeywordList>"},
    {"a line that is the declaration", "first\r\n<?xml version=\"1.0\" encoding=\"UTF-8\"?>\r\nlast"},
    {"a line ending in the story's closing tag", "first line</Text>\r\nsecond line</Text>\r\nthird"},
    {"the story's own tags", "<Text>inside</Text>"},
    {"a lone CR and a lone LF", "a\rb\nc\r\rd\n\ne"},
    {"CR before a line break and LF after one", "a\r\r\nb\r\n\nc"},
    {"CDATA ends", "]]> and ]]]]> and ]]]>> and ]"},
    {"a CDATA start", "<![CDATA[x]]>"},
    {"the join a save writes", "]]><![CDATA[ and ]]>&#13;<![CDATA["},
    {"markup and references", "<b>bold</b> &amp; &lt; & < > \" '"},
    {"a typed line-break mark", "one {vbcrlf} two{vbcrlf}\r\n{vbcrlf}"},
    {"no-break space, line and paragraph separators", "a\xC2\xA0"
                                                      "b\xE2\x80\xA8"
                                                      "c\xE2\x80\xA9"
                                                      "d"},
    {"byte order mark and other characters", "\xEF\xBB\xBF\xF0\x9F\x98\x80 M\xC3\xBCller\ttab"},
    {"line breaks only", "\r\n\r\n"},
    {"empty", ""},
};

class TypedText : public ::testing::Test {
protected:
    TypedText() {
        text.pages = {{"One", "snapshot_4c1e9b07_00000001.jpg", "first"},
                      {"Two", "snapshot_4c1e9b07_00000002.jpg", "second\nstory"},
                      {"Three", "snapshot_4c1e9b07_00000003.jpg", "third"}};
        path = folder.write("Storybook.xml", text.bytes());
    }
    void load(Storybook& book) {
        LineScan scan;
        CheckAndReadStorybook(book, path, scan);
        ASSERT_TRUE(scan.checked && scan.read);
        ParseAlbumGlobals(book);
        ASSERT_EQ(ParseStorybookRecords(book, scan).outcome, ParseOutcome::Complete);
    }

    // Opens the album with one piece of its bytes replaced; the bytes opened.
    std::string openWith(Storybook& book, std::string_view from, std::string_view to) {
        const std::string original = replacedAll(text.bytes(), from, to);
        folder.write("Storybook.xml", original);
        load(book);
        return original;
    }
    // Saves after page 2's story was changed and, when touched, after page 1's was typed on: an
    // untouched story is written back byte for byte, a typed one reads back as the user saw it.
    void saveAndCheck(Storybook& book, const std::string& original, bool touched) {
        const std::string shown = unwrapCdata(book.content(0, album::Text));
        if (touched)
            book.varEntryArray[0][album::Text][album::Content] = wrapInCdata(shown + "!");
        book.varEntryArray[1][album::Text][album::Content] = wrapInCdata("changed");
        const SaveResult result = BackupAndSave(book, path);
        ASSERT_TRUE(result.saved()) << (result.message ? result.message->text : "");
        const std::string saved = TempFolder::read(path);
        if (!touched) {
            EXPECT_EQ(saved, replacedAll(original, "second\nstory", "changed"));
            return;
        }
        EXPECT_FALSE(result.message);
        auto reloaded = makeStorybook();
        load(*reloaded);
        EXPECT_EQ(unwrapCdata(reloaded->content(0, album::Text)), shown + "!");
        if (kXmlOracle) {
            EXPECT_EQ(readWithLibxml2(saved).texts.at(0), replacedAll(shown + "!", "\r\n", "\n"));
        }
    }

    AlbumText text;
    TempFolder folder;
    std::string path;
};

} // namespace

TEST_F(TypedText, EveryTypedTextSavesAndReadsBackEqualAsWellFormedXml) {
    auto book = makeStorybook();
    auto reloaded = makeStorybook();
    for (const Typed& typed : kHostileTexts) {
        SCOPED_TRACE(typed.what);
        folder.write("Storybook.xml", text.bytes());
        load(*book);
        book->varEntryArray[1][album::Text][album::Content] = wrapInCdata(typed.text);
        const SaveResult result = BackupAndSave(*book, path);
        ASSERT_TRUE(result.saved()) << (result.message ? result.message->text : "");
        EXPECT_FALSE(result.message);

        load(*reloaded);
        EXPECT_EQ(unwrapCdata(reloaded->content(1, album::Text)), typed.text);
        const std::string saved = TempFolder::read(path);
        EXPECT_FALSE(firstXmlFault(saved));
        if (!kXmlOracle)
            continue;
        const OracleReading reading = readWithLibxml2(saved);
        ASSERT_TRUE(reading.wellFormed);
        ASSERT_EQ(reading.texts.size(), 3u);
        // An XML reader sees each line break as the LF the file holds.
        EXPECT_EQ(reading.texts[1], replacedAll(typed.text, "\r\n", "\n"));
        EXPECT_EQ(reading.texts[0], "first");
    }
}

TEST_F(TypedText, StrayCrAndLfAFileHoldsNeverBlockASave) {
    // Page 1's story as the file holds it, with the bytes a line reader keeps in a line or drops.
    const char* kStories[] = {"a\r\r\nb", "a\r\r\r\nb", "a\rb", "a\r\r\n", "a\r", "\r\r\nb"};
    auto book = makeStorybook();
    for (const std::string stray : kStories) {
        for (const bool wrapped : {true, false}) {
            for (const bool touched : {false, true}) {
                const std::string stored = wrapped ? "<![CDATA[" + stray + "]]>" : stray;
                SCOPED_TRACE(testing::PrintToString(stored) + (touched ? " touched" : ""));
                saveAndCheck(*book, openWith(*book, "<![CDATA[first]]>", stored), touched);
            }
        }
    }
    // The same for a line of the file's head.
    saveAndCheck(*book, openWith(*book, "<Build>1</Build>", "<Build>1</Build>\r\r"), false);
}

TEST_F(TypedText, AStoryWithoutTheWrapperShowsAsXmlReadsIt) {
    const std::pair<std::string, std::string> kStories[] = {
        {"Tom &amp; Jerry", "Tom & Jerry"},
        {"&lt;b&gt; &quot;hi&quot; &apos;s", "<b> \"hi\" 's"},
        {"&#38;&#x26;&#xE9;&#233;", "&&\xC3\xA9\xC3\xA9"},
        {"a <![CDATA[&amp;]]> b", "a &amp; b"},
        {"two&#13;&#10;lines\nthree", "two\r\nlines\r\nthree"},
        // No well-formed element text, which no XML reader reads: it shows as it stands.
        {"Tom & Jerry", "Tom & Jerry"},
        {"&nbsp;", "&nbsp;"},
        {"&#0;", "&#0;"},
    };
    auto book = makeStorybook();
    for (const auto& [stored, shown] : kStories) {
        for (const bool touched : {false, true}) {
            SCOPED_TRACE(stored + (touched ? " touched" : ""));
            const std::string original = openWith(*book, "<![CDATA[first]]>", stored);
            EXPECT_EQ(unwrapCdata(book->content(0, album::Text)), shown);
            saveAndCheck(*book, original, touched);
        }
    }
}

TEST(StoredText, AContentIsUnwrappedOnlyWhenItHoldsTheWrapper) {
    const std::pair<std::string, std::string> cases[] = {
        {"Anna said the house was perfect.", "Anna said the house was perfect."},
        {"<![CDATA[Anna said the house was perfect.]]>", "Anna said the house was perfect."},
        {"<![CDATA[]]>", ""},
        {"<![CDATA[", "<![CDATA["},
        {"<![CDATA[a]]><![CDATA[b]]>", "ab"},
        {"<![CDATA[a]]>&amp;&#x41;&#66;<![CDATA[b]]>", "a&ABb"},
        // Older files hold a "]]>" unsplit; all between the outer wrapper shows as it stands.
        {"<![CDATA[x]]>y]]>", "x]]>y"},
        {"<![CDATA[x]]><b><![CDATA[y]]>", "x]]><b><![CDATA[y"},
        // A stored line-break mark is a line break, as it is when the file is written.
        {"<![CDATA[one{vbcrlf}two]]>", "one\r\ntwo"},
        {"one{vbcrlf}two", "one\r\ntwo"},
        {"<![CDATA[a]]]]]><![CDATA[>b]]]]><![CDATA[>]]>", "a]]]>b]]>"},
        // Marks and section ends past the first sixteen bytes, and braces and brackets that are neither.
        {"<![CDATA[the family {spent} [the] afternoon{vbcrlf}in the garden]]><![CDATA[ and]] "
         "the{vbcrlf}end]]>",
         "the family {spent} [the] afternoon\r\nin the garden and]] the\r\nend"},
    };
    for (const auto& [content, shown] : cases)
        EXPECT_EQ(unwrapCdata(content), shown) << content;
}

TEST(StoredText, ManySplitsAreUndoneInOnePass) {
    // Thousands of "]]>" in one story once took seconds to show; each now costs the same.
    std::string story;
    for (int i = 0; i < 200000; ++i)
        story += "a]]>";
    EXPECT_EQ(unwrapCdata(wrapInCdata(story)), story);
}

TEST(StoredText, CharactersXmlCannotHoldAreReplacedAndNamed) {
    const struct {
        std::string typed;
        std::string kept;
        std::string found;
    } cases[] = {
        {"line\x0Bnext\x0Cpage", "line\r\nnext\r\npage", ""},
        {std::string("a\0b", 3),
         "a\xEF\xBF\xBD"
         "b",
         "the control character U+0000"},
        {"esc\x1B", "esc\xEF\xBF\xBD", "the control character U+001B"},
        {"M\xFCller", "M\xEF\xBF\xBDller", "a byte that is not UTF-8 (0xFC)"},
        {"x\xEF\xBF\xBE", "x\xEF\xBF\xBD", "the non-character U+FFFE"},
        {"plain \xC2\xA0 text\r\n", "plain \xC2\xA0 text\r\n", ""},
    };
    for (const auto& c : cases) {
        std::string text = c.typed;
        EXPECT_EQ(makeStorableXmlText(text), c.found) << c.typed;
        EXPECT_EQ(text, c.kept) << c.typed;
    }
}
