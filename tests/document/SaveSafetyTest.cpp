// Saves that meet a backup they cannot make, and saves of other programs at the same time.
#include "AlbumText.h"
#include "TempFolder.h"

#include "document/FileText.h"
#include "document/StorybookParser.h"
#include "document/StorybookReader.h"
#include "document/StorybookWriter.h"

#include <chrono>
#include <csignal>
#include <filesystem>
#include <gtest/gtest.h>
#include <set>
#ifndef _WIN32
#include <sys/wait.h>
#include <unistd.h>
#endif

namespace {

namespace fs = std::filesystem;

class SaveSafety : public ::testing::Test {
protected:
    void SetUp() override {
        AlbumText album;
        album.pages = {{"Arrival", "snapshot_4c1e9b07_00000001.jpg", "We moved in."}};
        original = album.bytes();
        path = folder.write("Storybook.xml", original);
        ASSERT_TRUE(ReadStorybookLines(*book, path));
        ParseAlbumGlobals(*book);
        ASSERT_EQ(ParseStorybookRecords(*book).outcome, ParseOutcome::Complete);
    }
    void setStory(const std::string& text) {
        book->varEntryArray[0][album::Text][album::Content] = "<![CDATA[" + text + "]]>";
    }

    TempFolder folder;
    std::unique_ptr<Storybook> book = makeStorybook();
    std::string original;
    std::string path;
};

} // namespace

TEST_F(SaveSafety, ABackupThatCannotBeMadeIsToldBeforeTheAlbumIsReplaced) {
    fs::create_directory(pathOf(folder.file("Storybook.bak")));
    setStory("changed");
    std::vector<Message> asked;
    MessageAnswer answer = MessageAnswer::No;
    const SaveQuestion ask = [&](const Message& question) {
        asked.push_back(question);
        return answer;
    };
    const SaveResult refused = BackupAndSave(*book, path, ask);
    EXPECT_EQ(refused.outcome, SaveOutcome::BackupRefused);
    EXPECT_FALSE(refused.message) << "the question was the message";
    ASSERT_EQ(asked.size(), 1u);
    EXPECT_EQ(asked[0].buttons, MessageButtons::YesNo);
    EXPECT_NE(asked[0].text.find("\"" + folder.file("Storybook.bak") + "\""), std::string::npos)
        << asked[0].text;
    EXPECT_EQ(TempFolder::read(path), original) << "No keeps the album as it was";
    EXPECT_EQ(BackupAndSave(*book, path).outcome, SaveOutcome::BackupRefused) << "no one to ask: No";

    answer = MessageAnswer::Yes;
    EXPECT_EQ(BackupAndSave(*book, path, ask).outcome, SaveOutcome::Saved);
    EXPECT_NE(TempFolder::read(path), original);
    EXPECT_TRUE(fs::is_directory(pathOf(folder.file("Storybook.bak"))));
}

// Two programs save the same album in a loop while a third reads it: every read finds a whole album.
TEST_F(SaveSafety, ConcurrentSavesNeverDamageTheAlbum) {
#ifdef _WIN32
    GTEST_SKIP() << "the saving programs are forked copies of the test, and Windows has no fork";
#else
    std::set<std::string> versions = {original};
    for (const char* story : {"first saver", "second saver"}) {
        setStory(story);
        ASSERT_EQ(BackupAndSave(*book, path).outcome, SaveOutcome::Saved);
        versions.insert(TempFolder::read(path));
    }
    pid_t savers[2];
    for (int saver = 0; saver < 2; ++saver) {
        savers[saver] = ::fork();
        ASSERT_GE(savers[saver], 0);
        if (savers[saver] == 0) {
            setStory(saver ? "second saver" : "first saver");
            for (;;)
                BackupAndSave(*book, path);
        }
    }
    int reads = 0;
    int damaged = 0;
    const auto end = std::chrono::steady_clock::now() + std::chrono::seconds(2);
    while (std::chrono::steady_clock::now() < end) {
        ++reads;
        damaged += !versions.contains(readWholeFile(path).value_or("(missing)"));
    }
    for (pid_t saver : savers) {
        ::kill(saver, SIGKILL);
        ::waitpid(saver, nullptr, 0);
    }
    EXPECT_EQ(damaged, 0) << "of " << reads << " reads";
    EXPECT_TRUE(versions.contains(TempFolder::read(folder.file("Storybook.bak"))));
    setStory("after the others");
    EXPECT_EQ(BackupAndSave(*book, path).outcome, SaveOutcome::Saved)
        << "what the killed savers left never blocks";
    std::set<std::string> names;
    for (const auto& entry : fs::directory_iterator(pathOf(folder.path())))
        names.insert(utf8Of(entry.path().filename()));
    EXPECT_EQ(names, (std::set<std::string>{"Storybook.bak", "Storybook.xml"}));
#endif
}
