#include "dialogs/CDCOpenSave.h"
#include "ScriptedSeam.h"

#include <gtest/gtest.h>

using namespace std::string_literals;

namespace {
const std::string kSaveAsFilter =
    "Storybook XML (*.xml)|*.xml|Static HTML Linear (*.html)|*.html|JavaScript HTML Popup (*.html)|*.html|"
    "CSS/JS Advanced Viewer (*.html)|*.html";

FileDialogResult chosen(std::string path, std::string title, int filterIndex, bool readOnly = false) {
    return {true, std::move(path), std::move(title), filterIndex, readOnly, 0};
}
} // namespace

TEST(CDCOpenSaveTest, FilterTextBecomesANulSeparatedList) {
    const std::pair<std::string, std::string> cases[] = {
        {"Storybook Files (*.xml)|*.xml", "Storybook Files (*.xml)\0*.xml\0\0"s},
        {"", "\0\0"s},
        {"Time: 10|*.x", "Time\0 10\0*.x\0\0"s},
        {"All (*.*)| *.*", "All (*.*)\0 *.*\0\0"s},
    };
    for (const auto& [filter, list] : cases)
        EXPECT_EQ(CDCOpenSave::BuildFilterList(filter), list) << filter;

    const std::string fourPairs = CDCOpenSave::BuildFilterList(kSaveAsFilter);
    EXPECT_EQ(std::count(fourPairs.begin(), fourPairs.end(), '\0'), 9);
}

TEST(CDCOpenSaveTest, PairLookupByIndex) {
    const std::string list = "A\0a\0B\0b\0\0"s;
    EXPECT_EQ(CDCOpenSave::FilterPairAt(list, 1), "A\0a"s);
    EXPECT_EQ(CDCOpenSave::FilterPairAt(list, 2), "B\0b"s);
    EXPECT_EQ(CDCOpenSave::FilterPairAt(list, 3), "");
    EXPECT_EQ(CDCOpenSave::FilterPairAt(list, 9), "");
    EXPECT_EQ(CDCOpenSave::FilterPairAt(list, 0), "");
    EXPECT_EQ(CDCOpenSave::FilterPairAt("", 1), "");
    EXPECT_EQ(CDCOpenSave::FilterPairAt("A\0a"s, 1), "A\0a"s) << "no closing NUL: the item runs to the end";
    EXPECT_EQ(CDCOpenSave::TextBeforeNul("/x/y.xml\0\0\0"s), "/x/y.xml");
    EXPECT_EQ(CDCOpenSave::TextBeforeNul("plain"), "plain");
}

// The options and the caller's own flags reach the dialog; the hook and template flags never do, and
// are gone from the flags handed back.
TEST(CDCOpenSaveTest, TheOptionsReachTheDialog) {
    constexpr std::int32_t kHooks = OFN_ENABLEHOOK | OFN_ENABLETEMPLATE;
    struct Options {
        bool mustExist, readOnly, hideReadOnly, multiSelect;
    };
    const struct {
        Options given;
        std::int32_t flags;
        Options asked;
    } rows[] = {
        {{true, false, false, false}, 0, {true, false, false, false}},
        {{false, true, true, true}, kHooks, {false, true, true, true}},
        {{false, false, false, false}, OFN_FILEMUSTEXIST | OFN_HIDEREADONLY, {true, false, true, false}},
    };
    for (const auto& [given, flags, asked] : rows) {
        ScriptedSeam seam;
        seam.dialogResults.push_back(chosen("/a/b.xml", "b.xml", 1));
        OpenFileNameParams open;
        open.FileMustExist = given.mustExist;
        open.ReadOnly = given.readOnly;
        open.HideReadOnly = given.hideReadOnly;
        open.MultiSelect = given.multiSelect;
        open.flags = flags;
        ASSERT_TRUE(CDCOpenSave(seam).VBGetOpenFileName(open));
        const FileDialogRequest& request = seam.requests.at(0).dialog;
        EXPECT_EQ(request.fileMustExist, asked.mustExist) << flags;
        EXPECT_EQ(request.readOnlyTicked, asked.readOnly) << flags;
        EXPECT_EQ(request.hideReadOnly, asked.hideReadOnly) << flags;
        EXPECT_EQ(request.multiSelect, asked.multiSelect) << flags;
        EXPECT_EQ(open.flags & kHooks, 0);
    }

    for (const bool prompt : {true, false}) {
        ScriptedSeam seam;
        seam.dialogResults.push_back(chosen("/a/b.xml", "b.xml", 1));
        SaveFileNameParams save;
        save.OverWritePrompt = prompt;
        save.flags = kHooks;
        ASSERT_TRUE(CDCOpenSave(seam).VBGetSaveFileName(save));
        EXPECT_EQ(seam.requests.at(0).dialog.overwritePrompt, prompt);
        EXPECT_TRUE(seam.requests.at(0).dialog.hideReadOnly);
        EXPECT_EQ(save.flags & kHooks, 0);
    }
}

TEST(CDCOpenSaveTest, ChoosingTheThirdFilterReturnsItsPair) {
    ScriptedSeam seam;
    seam.dialogResults.push_back(chosen("/out/album.html", "album.html", 3));
    CDCOpenSave dialog(seam);
    SaveFileNameParams params;
    params.Filename = "album";
    params.Filter = kSaveAsFilter;
    params.FilterIndex = 2;
    params.InitDir = "/out";
    params.DlgTitle = "Save Storybook As";
    params.DefaultExt = "xml";

    ASSERT_TRUE(dialog.VBGetSaveFileName(params));
    EXPECT_EQ(params.Filename, "/out/album.html");
    EXPECT_EQ(params.FileTitle, "album.html");
    EXPECT_EQ(params.FilterIndex, 3);
    EXPECT_EQ(params.Filter, "JavaScript HTML Popup (*.html)\0*.html"s);
    EXPECT_EQ(params.flags, OFN_OVERWRITEPROMPT | OFN_HIDEREADONLY);
    EXPECT_EQ(dialog.APIReturn(), 1);

    ASSERT_EQ(seam.requests.size(), 1u);
    const FileDialogRequest& request = seam.requests[0].dialog;
    EXPECT_EQ(request.kind, FileDialogKind::Save);
    ASSERT_EQ(request.filters.size(), 4u);
    EXPECT_EQ(request.filters[3], (FileFilter{"CSS/JS Advanced Viewer (*.html)", "*.html"}));
    EXPECT_EQ(request.filterIndex, 2);
    EXPECT_EQ(request.initialFolder, "/out");
    EXPECT_EQ(request.title, "Save Storybook As");
    EXPECT_EQ(request.fileName, "album");
    EXPECT_EQ(request.defaultExtension, "xml");
    EXPECT_TRUE(request.overwritePrompt);
}

TEST(CDCOpenSaveTest, CancelClearsTheOutputsAndKeepsTheRest) {
    ScriptedSeam seam;
    seam.dialogResults.push_back({});
    seam.dialogResults.push_back({false, {}, {}, 0, false, 0x3002});
    CDCOpenSave dialog(seam);

    OpenFileNameParams open;
    open.Filename = "old.xml";
    open.FileTitle = "old";
    open.InitDir = "/albums";
    open.DlgTitle = "Open Storybook";
    open.DefaultExt = "xml";
    open.Owner = 7;
    open.flags = 0x8;
    EXPECT_FALSE(dialog.VBGetOpenFileName(open));
    EXPECT_EQ(open.Filename, "");
    EXPECT_EQ(open.FileTitle, "");
    EXPECT_EQ(open.Filter, "");
    EXPECT_EQ(open.FilterIndex, -1);
    EXPECT_EQ(open.flags, 0);
    EXPECT_EQ(open.InitDir, "/albums");
    EXPECT_EQ(open.DlgTitle, "Open Storybook");
    EXPECT_EQ(open.DefaultExt, "xml");
    EXPECT_EQ(open.Owner, 7);
    EXPECT_EQ(dialog.ExtendedError(), 0);

    SaveFileNameParams save;
    save.Filename = "x";
    EXPECT_FALSE(dialog.VBGetSaveFileName(save));
    EXPECT_EQ(save.FilterIndex, 0);
    EXPECT_EQ(save.Filename, "");
    EXPECT_EQ(dialog.APIReturn(), 0);
    EXPECT_EQ(dialog.ExtendedError(), 0x3002) << "a failed dialog is told apart from a cancel";
}

TEST(CDCOpenSaveTest, ReadOnlyChoiceOnlyEverTurnsOn) {
    ScriptedSeam seam;
    seam.dialogResults.push_back(chosen("/a/b.xml", "b.xml", 1, true));
    seam.dialogResults.push_back(chosen("/a/b.xml", "b.xml", 1, false));
    CDCOpenSave dialog(seam);

    OpenFileNameParams ticked;
    ticked.Filename = "b.xml";
    ASSERT_TRUE(dialog.VBGetOpenFileName(ticked));
    EXPECT_TRUE(ticked.ReadOnly);
    EXPECT_TRUE(ticked.flags & OFN_READONLY);
    EXPECT_EQ(ticked.Filter, "All (*.*)\0 *.*"s);

    OpenFileNameParams alreadySet;
    alreadySet.Filename = "b.xml";
    alreadySet.ReadOnly = true;
    ASSERT_TRUE(dialog.VBGetOpenFileName(alreadySet));
    EXPECT_TRUE(alreadySet.ReadOnly) << "an unticked box leaves the caller's value";
}

TEST(CDCOpenSaveTest, NamesLongerThanTheBufferAreRefusedBeforeAnyDialog) {
    ScriptedSeam seam;
    seam.dialogResults.push_back(chosen("/a/b.xml", "b.xml", 1));
    CDCOpenSave dialog(seam);

    OpenFileNameParams fits;
    fits.Filename = std::string(260, 'n');
    EXPECT_TRUE(dialog.VBGetOpenFileName(fits));

    OpenFileNameParams tooLong;
    tooLong.Filename = std::string(261, 'n');
    tooLong.FilterIndex = 2;
    EXPECT_FALSE(dialog.VBGetOpenFileName(tooLong));
    EXPECT_EQ(tooLong.Filename.size(), 261u);
    EXPECT_EQ(tooLong.FilterIndex, 2);
    EXPECT_EQ(seam.requestsOf(SeamCall::FileDialog).size(), 1u);

    SaveFileNameParams longTitle;
    longTitle.FileTitle = std::string(261, 't');
    EXPECT_FALSE(dialog.VBGetSaveFileName(longTitle));
    EXPECT_EQ(seam.requestsOf(SeamCall::FileDialog).size(), 1u);
}
