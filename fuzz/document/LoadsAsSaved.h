#pragma once
// What a fuzz target asserts after every save that claims success: the file on disk loads, through
// the open road, into the pages, records and album values that were saved. Written apart from the
// writer's own read-back so that the one checks the other.

#include "XmlOracle.h"

#include "document/FileText.h"
#include "document/StorybookParser.h"
#include "document/StorybookReader.h"
#include "document/TextUtil.h"
#include "document/XmlText.h"

#include <cstdio>
#include <cstdlib>

inline void failFuzz(const char* what) {
    std::fprintf(stderr, "saved album does not load as saved: %s\n", what);
    std::abort();
}

template <std::size_t N>
void expectSameRecord(const std::array<Cell, N>& saved, const std::array<Cell, N>& loaded) {
    for (std::size_t slot = 0; slot < N; ++slot) {
        if (saved[slot].isSet() != loaded[slot].isSet() || saved[slot].text() != loaded[slot].text())
            failFuzz("a verbatim record");
    }
}

// The album's well-formedness check never takes what a strict standard parser refuses.
inline void expectCheckAgreesWithLibxml2(std::string_view bytes) {
    if (!firstXmlFault(bytes) && !readWithLibxml2(bytes).wellFormed)
        failFuzz("the well-formedness check took what libxml2 refuses");
}

// A saved file is well-formed to a strict standard parser unless the album was not when it was opened
// (the save then says so: mayCarryFault).
inline void expectWellFormedAsSaved(const std::string& path, bool mayCarryFault) {
    const std::string bytes = readWholeFile(path).value_or("");
    expectCheckAgreesWithLibxml2(bytes);
    if (!mayCarryFault && !readWithLibxml2(bytes).wellFormed)
        failFuzz("a saved album libxml2 refuses");
}

inline void expectLoadsAsSaved(const Storybook& saved, const std::string& path) {
    static auto loaded = makeStorybook();
    if (!CheckStorybookStructure(path))
        failFuzz("the structure check");
    if (!ReadStorybookLines(*loaded, path))
        failFuzz("the line reader");
    ParseAlbumGlobals(*loaded);
    if (ParseStorybookRecords(*loaded).outcome != ParseOutcome::Complete)
        failFuzz("the parser");
    if (loaded->varPageCount != saved.varPageCount)
        failFuzz("the page count");
    expectSameRecord(saved.strXClientEnv, loaded->strXClientEnv);
    expectSameRecord(saved.strXMetaHead, loaded->strXMetaHead);
    expectSameRecord(saved.strXFooter, loaded->strXFooter);
    for (int e = 0; e < saved.varPageCount; ++e) {
        for (int f = 0; f < album::kFieldCount; ++f) {
            for (int part = album::OpeningPart; part <= album::ClosingPart; ++part) {
                // A "{vbcrlf}" in memory is written as the line break it stands for.
                const std::string expected =
                    replacedAll(std::string(saved.varEntryArray[e][f][part].text()), "{vbcrlf}", "\r\n");
                if (loaded->varEntryArray[e][f][part].text() != expected)
                    failFuzz("a page's field");
            }
        }
    }
    if (saved.strFamilyName != loaded->strFamilyName ||
        saved.strNeighborhoodName != loaded->strNeighborhoodName || saved.strLotName != loaded->strLotName ||
        saved.strTitle != loaded->strTitle)
        failFuzz("the album values");
}

// Two models loaded from the same bytes: every line, record, cell, count and album value.
inline void expectSameModels(const Storybook& a, const Storybook& b) {
    // Above the marker each model keeps what its own history left there.
    if (a.intLogFileLastLine != b.intLogFileLastLine)
        failFuzz("the line image");
    for (int line = 0; line <= a.intLogFileLastLine + 1; ++line) {
        if (a.strLogFileArray[line] != b.strLogFileArray[line])
            failFuzz("the line image");
    }
    expectSameRecord(a.strXClientEnv, b.strXClientEnv);
    expectSameRecord(a.strXMetaHead, b.strXMetaHead);
    expectSameRecord(a.strXFooter, b.strXFooter);
    for (int e = 0; e < album::kEntrySlots; ++e) {
        for (int f = 0; f < album::kFieldCount; ++f)
            expectSameRecord(a.varEntryArray[e][f], b.varEntryArray[e][f]);
    }
    if (a.varPageCount != b.varPageCount || a.strFamilyName != b.strFamilyName ||
        a.strNeighborhoodName != b.strNeighborhoodName || a.strLotName != b.strLotName ||
        a.strTitle != b.strTitle)
        failFuzz("the page count or album values");
}
