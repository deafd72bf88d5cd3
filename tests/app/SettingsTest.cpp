#include "settings/Settings.h"
#include "AppFixture.h"
#include "AppVersion.h"
#include "settings/modREgKeYmAker.h"

#include <gtest/gtest.h>

#include <map>

namespace {
const std::string kVersion = "Version 0.8.0 - official alpha release.";

struct LoadCase {
    const char* what;
    std::map<std::string, std::string> stored;
    std::string defaultPath;
    bool setDefaultToLastUsed;
    std::string cacheWarningText;
    bool cacheWarning;
    bool sortByDate;
    std::int32_t runs;
};

const std::string kDefaultPath = "/home/tester/Documents/EA Games/The Sims 2/Storytelling";

const LoadCase kLoadCases[] = {
    {"nothing stored", {}, kDefaultPath, false, "True", true, true, 0},
    {"empty path falls back", {{"DefaultStorybookPath", ""}}, kDefaultPath, false, "True", true, true, 0},
    {"stored path", {{"DefaultStorybookPath", "/albums"}}, "/albums", false, "True", true, true, 0},
    {"path cut at a NUL",
     {{"DefaultStorybookPath", std::string("/albums\0junk", 12)}},
     "/albums",
     false,
     "True",
     true,
     true,
     0},
    {"exact True", {{"SetDefaultToLastUsedPath", "True"}}, kDefaultPath, true, "True", true, true, 0},
    {"lower-case true is off",
     {{"SetDefaultToLastUsedPath", "true"}},
     kDefaultPath,
     false,
     "True",
     true,
     true,
     0},
    {"warning text kept as stored",
     {{"LoadImageCacheWarning", "false"}},
     kDefaultPath,
     false,
     "false",
     false,
     true,
     0},
    {"warning False", {{"LoadImageCacheWarning", "False"}}, kDefaultPath, false, "False", false, true, 0},
    {"only exact False stops sorting",
     {{"LoadImageSortByDate", "false"}},
     kDefaultPath,
     false,
     "True",
     true,
     true,
     0},
    {"sorting off", {{"LoadImageSortByDate", "False"}}, kDefaultPath, false, "True", true, false, 0},
    {"counter with matching version",
     {{"ApplicationVersion", kVersion}, {"RunsForThisVersion", "4"}},
     kDefaultPath,
     false,
     "True",
     true,
     true,
     4},
    {"version matched with blanks around",
     {{"ApplicationVersion", "  " + kVersion + " "}, {"RunsForThisVersion", "2"}},
     kDefaultPath,
     false,
     "True",
     true,
     true,
     2},
    {"counter rounded down",
     {{"ApplicationVersion", kVersion}, {"RunsForThisVersion", "3.9"}},
     kDefaultPath,
     false,
     "True",
     true,
     true,
     3},
    {"counter of letters",
     {{"ApplicationVersion", kVersion}, {"RunsForThisVersion", "many"}},
     kDefaultPath,
     false,
     "True",
     true,
     true,
     0},
    {"counter too large",
     {{"ApplicationVersion", kVersion}, {"RunsForThisVersion", "2147483648"}},
     kDefaultPath,
     false,
     "True",
     true,
     true,
     0},
    {"counter missing", {{"ApplicationVersion", kVersion}}, kDefaultPath, false, "True", true, true, 0},
    {"other version",
     {{"ApplicationVersion", "Version 0.7.0 - official alpha release."}, {"RunsForThisVersion", "9"}},
     kDefaultPath,
     false,
     "True",
     true,
     true,
     0},
    {"version of other case",
     {{"ApplicationVersion", "version 0.8.0 - official alpha release."}, {"RunsForThisVersion", "9"}},
     kDefaultPath,
     false,
     "True",
     true,
     true,
     0},
};
} // namespace

TEST(SettingsTest, LoadingFollowsEachValuesRule) {
    for (const LoadCase& row : kLoadCases) {
        AppFixture app;
        app.store.values = row.stored;
        app.state.settings.strReleaseNote = kReleaseNote;
        LoadStoredSettings(app.state);
        SCOPED_TRACE(row.what);
        EXPECT_EQ(app.state.settings.strDefaultStorybookPath, row.defaultPath);
        EXPECT_EQ(app.state.settings.blnSetDefaultToLastUsedPath, row.setDefaultToLastUsed);
        EXPECT_EQ(app.state.settings.strLoadImageCacheWarning, row.cacheWarningText);
        EXPECT_EQ(app.state.settings.blnLoadImageCacheWarning, row.cacheWarning);
        EXPECT_EQ(app.state.settings.blnLoadImageSortByDate, row.sortByDate);
        EXPECT_EQ(app.state.settings.lngRunsForThisVersion, row.runs);
    }
}

TEST(SettingsTest, SavingWritesTheNineValuesInOrder) {
    AppFixture app;
    app.state.settings.strReleaseNote = kReleaseNote;
    app.state.settings.strDefaultStorybookPath = "/albums";
    app.state.settings.strLastUsedPath = "/elsewhere";
    app.state.settings.strLoadImageCacheWarning = "false";
    app.state.settings.blnLoadImageSortByDate = false;
    app.state.settings.lngRunsForThisVersion = 3;
    SaveSettings(app.state);

    const std::vector<std::pair<std::string, std::string>> expected = {{"ApplicationName", "Brindlecove"},
                                                                       {"ApplicationTitle", "Brindlecove"},
                                                                       {"ApplicationVersion", kVersion},
                                                                       {"DefaultStorybookPath", "/albums"},
                                                                       {"SetDefaultToLastUsedPath", "False"},
                                                                       {"LoadImageCacheWarning", "false"},
                                                                       {"LoadImageSortByDate", "False"},
                                                                       {"CreateBackupOnSave", "True"},
                                                                       {"RunsForThisVersion", "4"}};
    ASSERT_EQ(app.store.writes.size(), expected.size());
    for (std::size_t i = 0; i < expected.size(); ++i) {
        EXPECT_EQ(app.store.writes[i].keyPath, "Software\\Halvergate Software\\Brindlecove");
        EXPECT_EQ(app.store.writes[i].valueName, expected[i].first);
        EXPECT_EQ(app.store.writes[i].text, expected[i].second) << expected[i].first;
    }
}

TEST(SettingsTest, DefaultFollowsTheLastUsedFolderWhenAsked) {
    AppFixture app;
    app.state.settings.strDefaultStorybookPath = "/typed/in/dialog";
    app.state.settings.strLastUsedPath = "/opened/from";
    app.state.settings.blnSetDefaultToLastUsedPath = true;
    SaveSettings(app.state);
    EXPECT_EQ(app.store.values["DefaultStorybookPath"], "/opened/from");
    EXPECT_EQ(app.store.values["SetDefaultToLastUsedPath"], "True");
}

TEST(SettingsTest, CounterNeverWrapsRound) {
    EXPECT_EQ(NextRunsCounter(0), 1);
    EXPECT_EQ(NextRunsCounter(2147483647), 2147483647);
    EXPECT_EQ(ParseRunsCounter("-2.5"), -3);
    EXPECT_EQ(ParseRunsCounter(" 12 "), 12);
    EXPECT_EQ(ParseRunsCounter("1e3"), 1000);
    EXPECT_FALSE(ParseRunsCounter("12abc"));
    EXPECT_FALSE(ParseRunsCounter("nan"));
    EXPECT_FALSE(ParseRunsCounter(""));
}

TEST(SettingsTest, OnlyTheUsersRootKeyIsServed) {
    RecordingSettingsStore store;
    modREgKeYmAker registry(store);
    registry.SaveRegString(kHkeyCurrentUser, "Software\\X", "Name", "value");
    registry.SaveRegString(static_cast<std::int32_t>(0x80000002u), "Software\\X", "Name", "machine");
    EXPECT_EQ(store.writes.size(), 1u);
    EXPECT_EQ(registry.GetRegString(kHkeyCurrentUser, "Software\\X", "Name"), "value");
    EXPECT_FALSE(registry.GetRegString(static_cast<std::int32_t>(0x80000002u), "Software\\X", "Name"));
    EXPECT_EQ(modREgKeYmAker::StripNulls(std::string("abc\0def", 7)), "abc");
    EXPECT_EQ(modREgKeYmAker::StripNulls("plain"), "plain");
}
