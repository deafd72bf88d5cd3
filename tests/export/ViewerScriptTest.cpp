#include "export/ViewerScript.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace {

ScriptList filledScript() {
    ScriptList slots;
    BuildViewerScript(slots);
    return slots;
}

TEST(ViewerScript, EverySlotButTheLastHoldsOneLine) {
    ScriptList slots;
    slots.fill("kept");
    BuildViewerScript(slots);
    for (int n = 0; n < kScriptSlotCount - 1; ++n) {
        const std::string& slot = slots[n];
        ASSERT_TRUE(slot.ends_with("\r\n")) << "slot " << n;
        EXPECT_EQ(std::count(slot.begin(), slot.end(), '\n'), 1) << "slot " << n;
        EXPECT_EQ(std::count(slot.begin(), slot.end(), '\r'), 1) << "slot " << n;
        EXPECT_EQ(slot.find('\t'), std::string::npos) << "slot " << n;
    }
    EXPECT_EQ(slots[kScriptSlotCount - 1], "kept");
}

// What the script does in a page is checked in a browser; here, that the slots make one script
// element the page can hold whole.
TEST(ViewerScript, TheSlotsMakeOneScriptElement) {
    const ScriptList slots = filledScript();
    std::string script;
    for (const std::string& slot : slots)
        script += slot;
    EXPECT_TRUE(script.starts_with("<script language=\"JavaScript\">\r\n"));
    EXPECT_TRUE(script.ends_with("</script>\r\n\r\n"));
    EXPECT_EQ(script.find("<script"), script.rfind("<script"));
    EXPECT_EQ(std::count(script.begin(), script.end(), '{'), std::count(script.begin(), script.end(), '}'));
    EXPECT_EQ(std::count(script.begin(), script.end(), '('), std::count(script.begin(), script.end(), ')'));
}

} // namespace
