#include "AlbumText.h"
#include "TempFolder.h"

#include "document/PageOperations.h"
#include "document/StorybookParser.h"
#include "document/StorybookReader.h"
#include "document/StorybookWriter.h"

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

AlbumText sampleAlbum() {
    AlbumText album;
    album.pages = {{"Arrival", "snapshot_4c1e9b07_00000001.jpg", "We moved in."},
                   {"Party", "snapshot_4c1e9b07_00000002.jpg", "First line\nsecond line\nthird line"},
                   {"", "snapshot_77aa0b12_00000003.jpg", ""}};
    album.keywords = {"summer", "", "family"};
    return album;
}

class Writer : public ::testing::Test {
protected:
    // Reads and parses a file the way the open command does.
    void open(const std::string& path) {
        ASSERT_TRUE(CheckStorybookStructure(path));
        ASSERT_TRUE(ReadStorybookLines(*book, path));
        ParseAlbumGlobals(*book);
        ASSERT_EQ(ParseStorybookRecords(*book).outcome, ParseOutcome::Complete);
    }
    std::string& story(int page) { return book->varEntryArray[page][album::Text][album::Content].ownText(); }
    void setStory(int page, const std::string& text) {
        book->varEntryArray[page][album::Text][album::Content] = "<![CDATA[" + text + "]]>";
    }
    void expectSaveFailure(const std::string& path, const std::string& before, const std::string& text) {
        last = BackupAndSave(*book, path);
        EXPECT_EQ(TempFolder::read(path), before) << "the album must be left as it was";
        EXPECT_FALSE(last.saved());
        ASSERT_TRUE(last.message);
        EXPECT_TRUE(last.message->text.starts_with(text)) << last.message->text;
        EXPECT_EQ(last.message->icon, MessageIcon::Critical);
        EXPECT_EQ(last.message->title, "save operation failed");
    }
    // The text of the last refused save's message.
    std::string why() const { return last.message ? last.message->text : ""; }

    TempFolder folder;
    std::unique_ptr<Storybook> book = makeStorybook();
    SaveResult last;
};

} // namespace

TEST_F(Writer, AlbumInTheWritersFormSavesBackByteForByte) {
    const std::string original = sampleAlbum().bytes();
    const std::string path = folder.write("Storybook.xml", original);
    open(path);
    const SaveResult saved = BackupAndSave(*book, path);
    EXPECT_TRUE(saved.saved());
    EXPECT_FALSE(saved.message);
    EXPECT_EQ(TempFolder::read(path), original);
    EXPECT_EQ(TempFolder::read(folder.file("Storybook.bak")), original);
    EXPECT_FALSE(fs::exists(path + ".saving~"));
}

TEST_F(Writer, StoriesOfSeveralLinesSurviveSaveAndReload) {
    const std::string path = folder.write("Storybook.xml", sampleAlbum().bytes());
    open(path);
    setStory(0, "one\r\ntwo\r\nthree");
    setStory(2, "a{vbcrlf}b");
    ASSERT_EQ(BackupAndSave(*book, path).outcome, SaveOutcome::Saved);
    const std::string written = TempFolder::read(path);
    EXPECT_NE(written.find("        <Text><![CDATA[one\ntwo\nthree]]></Text>\n"), std::string::npos);
    EXPECT_NE(written.find("<![CDATA[a\nb]]>"), std::string::npos);
    EXPECT_EQ(book->strLogFileArray[24], "        <Text><![CDATA[one{vbcrlf}two{vbcrlf}three]]></Text>");

    open(path);
    EXPECT_EQ(book->content(0, album::Text), "<![CDATA[one\r\ntwo\r\nthree]]>");
    EXPECT_EQ(book->content(2, album::Text), "<![CDATA[a\r\nb]]>");
}

// A line is copied a block of bytes at a time while its breaks are looked for: a break, and a brace
// that starts none, at every place across the blocks of the line, up to its end.
TEST_F(Writer, ABreakWithinAStoryIsWrittenWhereverItStands) {
    const std::string path = folder.write("Storybook.xml", sampleAlbum().bytes());
    open(path);
    for (const std::string lineBreak : {"\r\n", "{vbcrlf}"}) {
        for (const std::string after : {"", "b{vb"}) {
            for (std::size_t at = 0; at <= 40; ++at) {
                std::string before(at, 'a');
                if (at > 3)
                    before[at / 2] = '{';
                setStory(1, before + lineBreak + after);
                ASSERT_EQ(BackupAndSave(*book, path).outcome, SaveOutcome::Saved) << at;
                EXPECT_NE(
                    TempFolder::read(path).find("<Text><![CDATA[" + before + "\n" + after + "]]></Text>\n"),
                    std::string::npos)
                    << lineBreak << " after " << at;
            }
        }
    }
}

TEST_F(Writer, CrLfAlbumIsSavedWithLineFeeds) {
    AlbumText album = sampleAlbum();
    album.lineEnd = "\r\n";
    album.finalLineEnd = true;
    const std::string path = folder.write("Storybook.xml", album.bytes());
    open(path);
    ASSERT_EQ(BackupAndSave(*book, path).outcome, SaveOutcome::Saved);
    EXPECT_EQ(TempFolder::read(path), sampleAlbum().bytes());
}

TEST_F(Writer, DropsLinesOutsideFieldsAndRewritesEntryLines) {
    auto lines = sampleAlbum().lines();
    lines[20] = "\t<Entry>";
    lines.insert(lines.begin() + 22, "        <Unknown>kept?</Unknown>");
    lines.insert(lines.begin() + 29, "      <!-- between entries -->");
    std::string bytes;
    for (const auto& line : lines)
        bytes += line + "\n";
    const std::string path = folder.write("Storybook.xml", bytes);
    open(path);
    ASSERT_EQ(BackupAndSave(*book, path).outcome, SaveOutcome::Saved);
    EXPECT_EQ(TempFolder::read(path), sampleAlbum().bytes());
}

TEST_F(Writer, AlbumWithoutPagesWritesTheRecordsOnly) {
    AlbumText album = sampleAlbum();
    album.pages.clear();
    const std::string path = folder.write("Storybook.xml", album.bytes());
    open(path);
    EXPECT_EQ(book->varPageCount, 0);
    ASSERT_EQ(BackupAndSave(*book, path).outcome, SaveOutcome::Saved);
    EXPECT_EQ(TempFolder::read(path), album.bytes());
}

TEST_F(Writer, StrayLineFeedInAStoryRefusesTheSave) {
    const std::string original = sampleAlbum().bytes();
    const std::string path = folder.write("Storybook.xml", original);
    open(path);
    setStory(1, "pasted\nwith bare line feeds");
    expectSaveFailure(path, original, "LFA update failed        ");
    EXPECT_EQ(why(), "LFA update failed        \r\n\r\nThe text of page 2 holds a CR or LF that "
                     "is not part of a line break.\r\nModifications were not saved; the storybook stays "
                     "open with them.  ");
}

TEST_F(Writer, WrittenFileFailingTheCheckLeavesTheAlbum) {
    const std::string original = sampleAlbum().bytes();
    const std::string path = folder.write("Storybook.xml", original);
    open(path);
    setStory(2, "a story about <Title>"); // no later title line closes it
    expectSaveFailure(path, original, "XML Integrity Check Failed!");
    const std::string reason =
        "Page 3: the story text holds text the album's line reader would take for one of its tags.\r\n\r\n";
    const std::string told = "XML Integrity Check Failed!\r\n\r\n" + reason +
                             "The storybook file was left as it was.\r\nModifications were not saved; the "
                             "storybook stays open with them.  ";
    EXPECT_EQ(why(), told);
    EXPECT_FALSE(fs::exists(folder.file("Storybook.bak")));

    // Nothing is recovered from a backup, so none is named when there is one, and it is left as it was.
    folder.write("Storybook.bak", "older backup");
    expectSaveFailure(path, original, "XML Integrity Check Failed!");
    EXPECT_EQ(why(), told);
    EXPECT_EQ(TempFolder::read(folder.file("Storybook.bak")), "older backup");
    EXPECT_EQ(std::distance(fs::directory_iterator(folder.path()), fs::directory_iterator()), 2);
}

TEST_F(Writer, AlbumsAreSavedAsTheyWereOpenedWithWhatTheyHeld) {
    // A byte order mark stays; an album that was no XML when opened keeps its fault and is told so.
    AlbumText ampersand = sampleAlbum();
    ampersand.pages[1].snapshot = "snapshot_Tom & Jerry.jpg";
    const std::pair<std::string, std::string> albums[] = {
        {"\xEF\xBB\xBF" + sampleAlbum().bytes(), ""},
        {ampersand.bytes(), "Line 31 (page 2) holds an \"&\" that starts no reference."}};
    for (const auto& [original, fault] : albums) {
        const std::string path = folder.write("Storybook.xml", original);
        open(path);
        const SaveResult saved = BackupAndSave(*book, path);
        ASSERT_TRUE(saved.saved());
        EXPECT_EQ(TempFolder::read(path), original);
        if (fault.empty()) {
            EXPECT_FALSE(saved.message);
            continue;
        }
        ASSERT_TRUE(saved.message);
        EXPECT_TRUE(saved.message->text.ends_with(fault)) << saved.message->text;
    }

    // In an album that was well-formed, a name that would make it no XML is refused, naming its page.
    const std::string original = sampleAlbum().bytes();
    const std::string path = folder.write("Storybook.xml", original);
    open(path);
    book->varEntryArray[1][album::Snapshot][album::Content] = "snapshot_a<b.jpg";
    expectSaveFailure(path, original,
                      "XML Integrity Check Failed!\r\n\r\nPage 2: the snapshot name holds a \"<\"");
}

TEST_F(Writer, UnwritableTargetsLeaveTheAlbumAndClaimNothing) {
    const std::string original = sampleAlbum().bytes();
    const std::string path = folder.write("Storybook.xml", original);
    open(path);

    fs::permissions(path, fs::perms::owner_write | fs::perms::group_write | fs::perms::others_write,
                    fs::perm_options::remove);
    expectSaveFailure(path, original, "The storybook file could not be written.");
    fs::permissions(path, fs::perms::owner_write, fs::perm_options::add);

#ifndef _WIN32 // Windows makes files in a folder marked read-only all the same
    fs::permissions(folder.path(), fs::perms::owner_write | fs::perms::group_write | fs::perms::others_write,
                    fs::perm_options::remove);
    expectSaveFailure(path, original, "The storybook file could not be written.");
    fs::permissions(folder.path(), fs::perms::owner_write, fs::perm_options::add);
#endif

    const std::string missing = folder.file("gone/Storybook.xml");
    EXPECT_EQ(BackupAndSave(*book, missing).outcome, SaveOutcome::WriteFailed);
    EXPECT_FALSE(fs::exists(missing));
}

TEST_F(Writer, EveryAlbumNameHasABackupBesideIt) {
    EXPECT_EQ(BackupPathFor("/home/me/albums.xml/Storybook.xml"), "/home/me/albums.xml/Storybook.bak");
    EXPECT_EQ(BackupPathFor("/home/me/Storybook.xml.xml"), "/home/me/Storybook.bak.bak");
    EXPECT_EQ(BackupPathFor("/home/me/Storybook.XML"), "/home/me/Storybook.XML.bak");
    EXPECT_EQ(BackupPathFor("Storybook.xml"), "Storybook.bak");

    const std::string original = sampleAlbum().bytes();
    const std::string path = folder.write("Storybook.XML", original);
    open(path);
    setStory(0, "changed");
    ASSERT_EQ(BackupAndSave(*book, path).outcome, SaveOutcome::Saved);
    EXPECT_EQ(TempFolder::read(path + ".bak"), original);
}

TEST_F(Writer, SaveAsToANewNameMakesNoBackup) {
    const std::string path = folder.write("Storybook.xml", sampleAlbum().bytes());
    open(path);
    const std::string copy = folder.file("Copy.xml");
    ASSERT_EQ(BackupAndSave(*book, copy).outcome, SaveOutcome::Saved);
    EXPECT_EQ(TempFolder::read(copy), sampleAlbum().bytes());
    EXPECT_FALSE(fs::exists(folder.file("Copy.bak")));
}

TEST_F(Writer, NewPageInAnAlbumWithoutPagesIsWrittenInTheLayout) {
    AlbumText album = sampleAlbum();
    album.pages.clear();
    const std::string path = folder.write("Storybook.xml", album.bytes());
    open(path);
    ASSERT_TRUE(FillNewPage(*book, 0, NewPage{"snapshot_4c1e9b07_00000001.jpg", "", "3/14/2026 18:22:41"}));
    ASSERT_EQ(BackupAndSave(*book, path).outcome, SaveOutcome::Saved);
    album.pages = {{"", "snapshot_4c1e9b07_00000001.jpg", ""}};
    EXPECT_EQ(TempFolder::read(path), album.bytes());
}

TEST_F(Writer, BackupHoldsTheAlbumAsItWasBeforeEachSave) {
    const std::string original = sampleAlbum().bytes();
    const std::string path = folder.write("Storybook.xml", original);
    folder.write("Storybook.bak", "older backup");
    open(path);
    setStory(0, "first change");
    ASSERT_EQ(BackupAndSave(*book, path).outcome, SaveOutcome::Saved);
    EXPECT_EQ(TempFolder::read(folder.file("Storybook.bak")), original);
    const std::string firstSave = TempFolder::read(path);
    setStory(0, "second change");
    ASSERT_EQ(BackupAndSave(*book, path).outcome, SaveOutcome::Saved);
    EXPECT_EQ(TempFolder::read(folder.file("Storybook.bak")), firstSave);
    EXPECT_NE(TempFolder::read(path), firstSave);
}

// A save killed at any moment leaves the album and its backup whole: each is one of the versions saved.
TEST_F(Writer, KilledSavesLeaveWholeAlbumsAndBackups) {
#ifdef _WIN32
    GTEST_SKIP() << "the saves are killed in forked copies of the test, and Windows has no fork";
#else
    const std::string original = sampleAlbum().bytes();
    const std::string path = folder.write("Storybook.xml", original);
    open(path);
    std::set<std::string> versions = {original};
    for (const char* story : {"first version", "second version"}) {
        setStory(0, story);
        ASSERT_EQ(BackupAndSave(*book, path).outcome, SaveOutcome::Saved);
        versions.insert(TempFolder::read(path));
    }
    for (int kill = 0; kill < 40; ++kill) {
        const pid_t child = ::fork();
        ASSERT_GE(child, 0);
        if (child == 0) {
            for (int save = 0;; ++save) {
                setStory(0, save % 2 ? "first version" : "second version");
                BackupAndSave(*book, path);
            }
        }
        ::usleep(static_cast<useconds_t>(200 + (kill * 337) % 3000));
        ::kill(child, SIGKILL);
        ::waitpid(child, nullptr, 0);
        EXPECT_TRUE(versions.contains(TempFolder::read(path))) << "album after kill " << kill;
        EXPECT_TRUE(versions.contains(TempFolder::read(folder.file("Storybook.bak"))))
            << "backup after kill " << kill;
    }
    EXPECT_EQ(BackupAndSave(*book, path).outcome, SaveOutcome::Saved) << "leftovers never block a save";
    std::set<std::string> names;
    for (const auto& entry : fs::directory_iterator(folder.path()))
        names.insert(entry.path().filename().string());
    EXPECT_EQ(names, (std::set<std::string>{"Storybook.bak", "Storybook.xml"}));
#endif
}

TEST_F(Writer, BackupIsCopiedWhereItCannotBeLinked) {
#ifdef _WIN32
    GTEST_SKIP() << "needs a second file system at /dev/shm and a symbolic link to reach it";
#else
    if (!fs::is_directory("/dev/shm"))
        GTEST_SKIP() << "no second file system to link across";
    std::string pattern = "/dev/shm/brindlecove-XXXXXX";
    ASSERT_NE(::mkdtemp(pattern.data()), nullptr);
    const fs::path other = pattern;
    const std::string original = sampleAlbum().bytes();
    const std::string real = folder.write("Storybook.xml", original);
    const std::string link = (other / "Storybook.xml").string();
    fs::create_symlink(real, link);
    open(link);
    setStory(0, "changed");
    EXPECT_EQ(BackupAndSave(*book, link).outcome, SaveOutcome::Saved);
    EXPECT_EQ(TempFolder::read((other / "Storybook.bak").string()), original);
    EXPECT_TRUE(fs::is_symlink(link));
    EXPECT_NE(TempFolder::read(real), original);
    fs::remove_all(other);
#endif
}
