#include "StorybookParser.h"

#include "LineScanner.h"
#include "StorybookReader.h"
#include "TextUtil.h"

#include <algorithm>
#include <cstring>

namespace {

using album::kIndentWidth;

enum class State { InvalidXml, ClientEnv, MetaHead, Entry, Footer, BetweenEntries };

constexpr std::string_view kCannotContinue = "cannot continue";

bool storeEntryField(Storybook& album, int e, int f, std::string_view line, int indent, int tagLength,
                     bool kept);

ParseResult fault(ParseOutcome outcome, std::string_view text, MessageIcon icon, std::string_view title) {
    return {outcome, Message{std::string(text), icon, std::string(title)}};
}

ParseResult tagMismatch() {
    return fault(ParseOutcome::EndApplication, "error: parsed array strings do not match!", MessageIcon::None,
                 "");
}

// Mid$(text, start, count) with a 1-based start; a negative count gives the empty text.
std::string_view mid(std::string_view text, int start, int count) {
    if (count <= 0 || start < 1 || static_cast<std::size_t>(start) > text.size())
        return {};
    return text.substr(static_cast<std::size_t>(start - 1), static_cast<std::size_t>(count));
}

std::string_view right(std::string_view text, std::size_t count) {
    return text.size() <= count ? text : text.substr(text.size() - count);
}

// True when the last five characters of text, once every LF is taken out of it, are ending.
bool endsWithoutLineFeedsIn(std::string_view text, std::string_view ending) {
    // Nearly always no LF stands among the last five bytes, and they are compared as they are.
    if (text.size() >= 5 && ending.size() == 5) {
        const char* tail = text.data() + text.size() - 5;
        bool lineFeed = false;
        for (int i = 0; i < 5; ++i)
            lineFeed |= tail[i] == '\n';
        if (!lineFeed)
            return std::memcmp(tail, ending.data(), 5) == 0;
    }
    char last[5];
    std::size_t count = 0;
    for (auto pos = text.size(); pos > 0 && count < sizeof last; --pos) {
        if (text[pos - 1] != '\n')
            last[sizeof last - 1 - count++] = text[pos - 1];
    }
    if (count != ending.size())
        return false;
    // Five bytes at most, on every field of every page: compared in place rather than by a library call.
    for (std::size_t i = 0; i < count; ++i) {
        if (last[sizeof last - count + i] != ending[i])
            return false;
    }
    return true;
}

struct GlobalField {
    std::string Storybook::*text;
    int line;
    std::size_t threshold;
    int start;
    int markup;
};

constexpr GlobalField kGlobals[] = {
    {&Storybook::strFamilyName, 12, 37, 22, 43},
    {&Storybook::strNeighborhoodName, 15, 49, 28, 55},
    {&Storybook::strLotName, 17, 31, 19, 37},
    {&Storybook::strTitle, 18, 27, 17, 33},
};

template <std::size_t N> void resetRecord(std::array<Cell, N>& record) {
    for (Cell& cell : record)
        cell.reset();
}

// A cell refers to the parsed file's bytes where the text lies in them, and holds a copy otherwise.
void store(const Storybook& album, Cell& cell, std::string_view text) {
    if (liesWithin(text, album.cellBytes))
        cell.setView(text);
    else
        cell.set(text);
}

// Appends a line to a verbatim record; false once the record is full.
template <std::size_t N>
bool storeRecordLine(const Storybook& album, std::array<Cell, N>& record, int& n, std::string_view line) {
    if (n >= static_cast<int>(N) - 1)
        return false;
    store(album, record[n++], line);
    return true;
}

// Many editors put a UTF-8 byte order mark before the declaration; the line keeps it, so the file
// is written back as it was.
bool isDeclarationAfterByteOrderMark(std::string_view line) {
    constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";
    return line.starts_with(kByteOrderMark) && line.substr(kByteOrderMark.size()) == album::kXmlDeclaration;
}

class RecordParser {
public:
    // Entries below entriesSet may hold fields of the last parse.
    RecordParser(Storybook& album, const std::uint32_t* tags, const LineScan::Span* spans, int entriesSet)
        : m_album(album), m_tags(tags), m_spans(spans), m_base(spans ? album.lineBytes->data() : nullptr),
          m_entriesSet(entriesSet) {}
    // Whatever way the parse ends, no entry is left holding a field of the last parse.
    ~RecordParser() {
        resetEntriesBelow(m_entriesSet);
        m_album.entriesInUse = std::max(entriesStored(), m_album.varPageCount);
    }
    ParseResult run();

private:
    // Entries below this index may hold fields stored by this parse.
    int entriesStored() const { return std::min(m_entry + 1, album::kEntrySlots); }
    // An entry's cells of the last parse are reset as the parse comes to it, so each entry is gone
    // over once while it is at hand.
    void resetEntriesBelow(int end) {
        for (; m_entriesReset < std::min(end, m_entriesSet); ++m_entriesReset) {
            for (auto& field : m_album.varEntryArray[m_entriesReset]) {
                for (Cell& cell : field)
                    cell.reset();
            }
        }
    }
    // Complete, or the outcome of the fault it keeps in m_fault. Called for every line of every
    // entry, so nothing is built for a line that is in order.
    ParseOutcome entryLine(int index, std::string_view line, std::uint32_t tags);
    std::string_view joinText(int index, std::string_view line);
    std::string& joinedBlockWithRoomFor(std::size_t size);
    static ParseResult stop(std::string_view text, std::string_view title) {
        return fault(ParseOutcome::Stopped, text, MessageIcon::Critical, title);
    }
    // The line the scan found, read from its list rather than from the line image's table.
    std::string_view lineAt(int index) const {
        if (!m_spans)
            return m_album.strLogFileArray[index].text();
        return std::string_view(m_base + m_spans[index].offset, m_spans[index].length);
    }
    ParseOutcome keep(ParseResult fault) {
        m_fault = std::move(fault);
        return m_fault.outcome;
    }

    Storybook& m_album;
    const std::uint32_t* m_tags;   // each line's tags when known already
    const LineScan::Span* m_spans; // and where each line lies in the bytes read
    const char* m_base;
    State m_state = State::InvalidXml;
    int m_n = 0;
    int m_entry = 0;
    const int m_entriesSet;
    int m_entriesReset = 0;
    ParseResult m_fault;
};

ParseResult RecordParser::run() {
    for (int i = 0; i <= m_album.intLogFileLastLine; ++i) {
        const std::string_view line = lineAt(i);
        const std::uint32_t tags = m_tags ? m_tags[i] : scanTags(line);
        if (line == album::kXmlDeclaration || (i == 0 && isDeclarationAfterByteOrderMark(line))) {
            m_state = State::ClientEnv;
            m_n = 0;
        }
        if (tags & tag::ExchangeMetadata) {
            m_state = State::MetaHead;
            m_n = 0;
        }
        if (tags & tag::Entry) {
            m_state = State::Entry;
            m_n = 0;
        }
        if (tags & tag::KeywordList) {
            m_state = State::Footer;
            m_n = 0;
        }

        switch (m_state) {
        case State::InvalidXml:
            return stop("Invalid Storybook XML      ", "cannot open file");
        case State::ClientEnv:
            if (!storeRecordLine(m_album, m_album.strXClientEnv, m_n, line))
                return stop("StoryCreator: unexpected record length.     ", kCannotContinue);
            break;
        case State::MetaHead:
            if (!storeRecordLine(m_album, m_album.strXMetaHead, m_n, line))
                return stop("ExchangeMetadata: unexpected record length.     ", kCannotContinue);
            break;
        case State::Footer:
            if (!storeRecordLine(m_album, m_album.strXFooter, m_n, line))
                return fault(ParseOutcome::EndApplication, "KeywordList: unexpected record length.     ",
                             MessageIcon::Critical, kCannotContinue);
            break;
        case State::Entry:
            if (entryLine(i, line, tags) != ParseOutcome::Complete)
                return std::move(m_fault);
            break;
        case State::BetweenEntries:
            break;
        }
    }
    return {};
}

ParseOutcome RecordParser::entryLine(int index, std::string_view line, std::uint32_t tags) {
    if (tags & tag::EntryEnd) {
        if (m_album.varPageCount >= album::kEntrySlots)
            return keep(stop("Storybook: too many pages.     ", kCannotContinue));
        ++m_album.varPageCount;
        m_state = State::BetweenEntries;
        return ParseOutcome::Complete;
    }
    int field = -1;
    for (int f : {album::Title, album::ThumbnailFilename, album::Snapshot, album::Text, album::TextResourceId,
                  album::TimeStamp}) {
        if (tags & tag::fieldOpen(f)) {
            field = f;
            break;
        }
    }
    if (field < 0)
        return ParseOutcome::Complete;
    if (m_entry >= album::kEntrySlots)
        return keep(stop("Storybook: too many pages.     ", kCannotContinue));

    std::string_view text = line;
    bool kept = liesWithin(line, m_album.cellBytes);
    if (field == album::Text && !line.ends_with("</Text>")) {
        text = joinText(index, line);
        kept = true;
    }
    const int tagLength = static_cast<int>(album::kOpeningTags[field].size());
    resetEntriesBelow(m_entry + 1);
    if (!storeEntryField(m_album, m_entry, field, text, kIndentWidth, tagLength, kept))
        return keep(tagMismatch());
    if (field == album::TimeStamp)
        ++m_entry;
    return ParseOutcome::Complete;
}

// A story of several lines runs on until a line ends in "</Text>", but never past the last line.
// It is joined into the model's blocks of joined stories, where the cells then refer to it.
std::string_view RecordParser::joinText(int index, std::string_view line) {
    constexpr std::string_view kTextEnd = "</Text>";
    // No line end holds "</Text>", so the joined text ends in it just when its last line does; the
    // size is known before the first byte is copied.
    int last = index;
    std::size_t size = line.size();
    while (last < m_album.intLogFileLastLine && !lineAt(last).ends_with(kTextEnd))
        size += 2 + lineAt(++last).size();
    std::string& block = joinedBlockWithRoomFor(size);
    const std::size_t start = block.size();
    block += line;
    for (int next = index + 1; next <= last; ++next) {
        block += "\r\n";
        block += lineAt(next);
    }
    return std::string_view(block).substr(start);
}

// The block in use if the text fits in the room left in it, else the next one, emptied, with room
// for the text. Most stories share a block, so a load makes few.
std::string& RecordParser::joinedBlockWithRoomFor(std::size_t size) {
    constexpr std::size_t kBlockBytes = 16 * 1024;
    auto& blocks = m_album.joinedTexts;
    if (m_album.joinedInUse > 0) {
        std::string& block = blocks[m_album.joinedInUse - 1];
        if (block.capacity() - block.size() >= size)
            return block;
    }
    if (m_album.joinedInUse == blocks.size())
        blocks.emplace_back();
    std::string& block = blocks[m_album.joinedInUse++];
    block.clear();
    block.reserve(std::max(size, kBlockBytes));
    return block;
}

} // namespace

void ParseAlbumGlobals(Storybook& album) {
    for (const GlobalField& global : kGlobals) {
        std::string& text = album.*global.text;
        text.clear();
        // Lines past the end of the file hold what an earlier, longer file left there.
        if (global.line > album.intLogFileLastLine)
            continue;
        const std::string_view line = album.strLogFileArray[global.line];
        const std::string_view trimmed = trimBlanks(line);
        if (trimmed.size() > global.threshold)
            text = mid(trimmed, global.start, static_cast<int>(line.size()) - global.markup);
    }
}

namespace {

// The cells are about to refer to the bytes the line image refers to; the bytes they referred to
// before are let go once nothing refers to them.
void takeLineBytes(Storybook& album) {
    // The page being moved keeps its texts.
    for (auto& field : album.varPageBuffer) {
        for (Cell& cell : field)
            cell.ownText();
    }
    // Lines written from the cells may refer to their bytes or to their joined texts: whatever
    // they refer to beside the bytes read last is about to go or be overwritten.
    if (album.linesReferToCellBytes) {
        for (std::size_t slot = 0; slot < album.strLogFileArray.made(); ++slot) {
            Cell& line = album.strLogFileArray[slot];
            if (!line.holdsOwnText() && !liesWithin(line.text(), album.lineBytes))
                line.set(line.text());
        }
        album.linesReferToCellBytes = false;
    }
    album.joinedInUse = 0;
    if (album.cellBytes == album.lineBytes)
        return;
    album.spareBytes = std::move(album.cellBytes);
    album.cellBytes = album.lineBytes;
}

ParseResult parseRecords(Storybook& album, const std::uint32_t* tags, const LineScan::Span* spans) {
    const int entriesSet = std::min(std::max(album.entriesInUse, album.varPageCount), album::kEntrySlots);
    album.varPageCount = 0;
    resetRecord(album.strXFooter);
    resetRecord(album.strXMetaHead);
    resetRecord(album.strXClientEnv);
    takeLineBytes(album);
    return RecordParser(album, tags, spans, entriesSet).run();
}

// True when the line of the line image lies where the scan found it: the scan is of the bytes read last.
bool spanIsLine(const Storybook& album, LineScan::Span span, int index) {
    const std::string_view line = album.strLogFileArray[index].text();
    return album.lineBytes && line.data() == album.lineBytes->data() + span.offset &&
           line.size() == span.length;
}

} // namespace

ParseResult ParseStorybookRecords(Storybook& album) {
    return parseRecords(album, nullptr, nullptr);
}

ParseResult ParseStorybookRecords(Storybook& album, const LineScan& scan) {
    const auto lines = static_cast<std::size_t>(album.intLogFileLastLine + 1);
    const bool tagsFit = scan.tags.size() == lines;
    const bool spansFit = tagsFit && scan.lines.size() == lines && lines > 0 &&
                          spanIsLine(album, scan.lines.front(), 0) &&
                          spanIsLine(album, scan.lines.back(), static_cast<int>(lines) - 1);
    return parseRecords(album, tagsFit ? scan.tags.data() : nullptr, spansFit ? scan.lines.data() : nullptr);
}

ParseResult StoreEntryField(Storybook& album, int e, int f, std::string_view line, int indent,
                            int tagLength) {
    if (!storeEntryField(album, e, f, line, indent, tagLength, liesWithin(line, album.cellBytes)))
        return tagMismatch();
    return {};
}

namespace {

// The parts are pieces of the line: they refer to the bytes the line lies in when the model keeps
// those until the next parse, and are copies otherwise.
bool storeEntryField(Storybook& album, int e, int f, std::string_view line, int indent, int tagLength,
                     bool kept) {
    auto& parts = album.varEntryArray[e][f];
    const int length = static_cast<int>(line.size());
    const auto store = [kept](Cell& cell, std::string_view text) {
        if (kept)
            cell.setView(text);
        else
            cell.set(text);
    };
    const std::string_view opening = line.substr(0, std::min<std::size_t>(line.size(), indent + tagLength));
    const std::string_view closing = right(line, static_cast<std::size_t>(tagLength) + 1);
    store(parts[album::WholeLine], line);
    store(parts[album::OpeningPart], opening);
    store(parts[album::Content], mid(line, indent + tagLength + 1, length - indent - 2 * tagLength - 1));
    store(parts[album::ClosingPart], closing);

    return endsWithoutLineFeedsIn(closing, right(opening, 5));
}

} // namespace
