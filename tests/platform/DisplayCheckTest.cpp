// Before Qt looks for a screen: a missing compositor or X server gives a sentence, or the other
// platform when one answers, and everything that works is left as it is.

#include "platform/DisplayCheck.h"

#include <gtest/gtest.h>

#include <map>
#include <set>

TEST(DisplayCheckTest, ChoosesFromWhatAnswers) {
    const std::string runtime = "/run/user/1000";
    const std::string compositor = runtime + "/wayland-0";
    const std::string xServer = std::string(1, '\0') + "/tmp/.X11-unix/X0";
    struct Row {
        const char* what;
        std::map<std::string, std::string> environment;
        std::set<std::string> listening;
        bool usable;
        std::string platform;
        std::string noteMentions;
    };
    const Row rows[] = {
        {"Wayland answering",
         {{"QT_QPA_PLATFORM", "wayland"}, {"XDG_RUNTIME_DIR", runtime}},
         {compositor},
         true,
         "",
         ""},
        {"the session's Wayland",
         {{"XDG_SESSION_TYPE", "wayland"}, {"XDG_RUNTIME_DIR", runtime}},
         {compositor},
         true,
         "",
         ""},
        {"X answering", {{"DISPLAY", ":0"}}, {xServer}, true, "", ""},
        {"X on another host", {{"DISPLAY", "far:0"}}, {}, true, "", ""},
        {"no screen needed", {{"QT_QPA_PLATFORM", "offscreen"}}, {}, true, "", ""},
        {"Wayland gone, X there",
         {{"QT_QPA_PLATFORM", "wayland"}, {"XDG_RUNTIME_DIR", runtime}, {"DISPLAY", ":0"}},
         {xServer},
         true,
         "xcb",
         "using the X display :0"},
        {"Wayland gone, nothing else",
         {{"QT_QPA_PLATFORM", "wayland-egl"}, {"XDG_RUNTIME_DIR", runtime}},
         {},
         false,
         "",
         "no Wayland compositor answers at " + compositor},
        {"no runtime folder",
         {{"QT_QPA_PLATFORM", "wayland"}},
         {compositor},
         false,
         "",
         "XDG_RUNTIME_DIR is not set"},
        {"no display at all", {}, {}, false, "", "DISPLAY is empty"},
        {"a stale X display",
         {{"DISPLAY", ":5.0"}},
         {xServer},
         false,
         "",
         "the X display :5.0 does not answer"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.what);
        const DisplayChoice choice = chooseDisplay(
            [&](const char* name) {
                const auto found = row.environment.find(name);
                return found == row.environment.end() ? std::string() : found->second;
            },
            [&](const std::string& socket) { return row.listening.contains(socket); });
        EXPECT_EQ(choice.usable, row.usable);
        EXPECT_EQ(choice.platform, row.platform);
        if (row.noteMentions.empty()) {
            EXPECT_EQ(choice.note, "");
        } else {
            EXPECT_NE(choice.note.find(row.noteMentions), std::string::npos) << choice.note;
        }
    }
}
