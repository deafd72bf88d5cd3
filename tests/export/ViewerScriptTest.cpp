#include "export/ViewerScript.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace {

ScriptList filledScript() {
    ScriptList slots;
    BuildViewerScript(slots);
    return slots;
}

std::string withoutLineEnd(const std::string& slot) {
    return slot.ends_with("\r\n") ? slot.substr(0, slot.size() - 2) : slot;
}

TEST(ViewerScript, EverySlotButTheLastHoldsOneLine) {
    const ScriptList slots = filledScript();
    for (int n = 0; n < kScriptSlotCount - 1; ++n) {
        const std::string& slot = slots[n];
        ASSERT_TRUE(slot.ends_with("\r\n")) << "slot " << n;
        EXPECT_EQ(std::count(slot.begin(), slot.end(), '\n'), 1) << "slot " << n;
        EXPECT_EQ(std::count(slot.begin(), slot.end(), '\r'), 1) << "slot " << n;
        EXPECT_EQ(slot.find('\t'), std::string::npos) << "slot " << n;
    }
    EXPECT_EQ(slots[121], "");
}

TEST(ViewerScript, SlotsTheDriverAndThePageRelyOn) {
    const ScriptList slots = filledScript();
    const std::pair<int, const char*> expected[] = {
        {0, "<script language=\"JavaScript\">"},
        {1, "var a1 = new Boolean(true); "},
        {2, "var a2 = 'snapshot';"},
        {3, "var a3 = 'snaptext';"},
        {4, "var a4 = new Boolean(false);"}, // the option the two end branches test
        {5, "var a6 = new Boolean(true);"},
        {6, ""},
        {7, "function createRequestObject() {"},
        {36, ""},
        {37, "FORM_DATA = createRequestObject();"},
        {38, ""},
        {39, "var glbCurrentPhoto = 1;"},
        {40, "var photos = new Array ();"},
        {41, "var captions = new Array ();"},
        {42, ""},
        {43, "function getObjectByID(id) {"},
        {50, ""},
        {51, "function showPhoto(index) {"},
        {59, ""},
        {60, "function showNext() {"},
        {62, "    if (a4 == true) {"},
        {71, ""},
        {72, "function showPrevious() {"},
        {74, "    if (a4 == true) {"},
        {83, ""},
        {88, ""},
        {93, ""},
        {94, "function initPhoto() {"},
        {107, ""},
        {108, "function addPhoto(filename, caption) {"},
        {113, ""},
        {114, "if (FORM_DATA[\"photo\"]>0) {"},
        {119, "</script>"},
        {120, ""},
    };
    for (const auto& [slot, line] : expected)
        EXPECT_EQ(withoutLineEnd(slots[slot]), line) << "slot " << slot;
}

} // namespace
