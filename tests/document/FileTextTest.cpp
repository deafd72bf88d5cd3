#include "TempFolder.h"

#include "document/FileText.h"

#include <chrono>
#include <filesystem>
#include <gtest/gtest.h>
#include <memory>
#include <vector>

#ifndef _WIN32
#include <sys/stat.h>
#endif

namespace fs = std::filesystem;

#ifdef _WIN32
// Wine makes no symbolic links, and Windows itself only with a privilege.
#define SKIP_WITHOUT_SYMBOLIC_LINKS() GTEST_SKIP() << "no symbolic links on Windows"
constexpr bool kPosixPermissions = false;
#else
#define SKIP_WITHOUT_SYMBOLIC_LINKS()
constexpr bool kPosixPermissions = true;
#endif

TEST(AtomicFileWriter, ReplacesInOneStepAndKeepsPermissions) {
    TempFolder folder;
    const std::string path = folder.write("page.html", "old");
    fs::permissions(path, fs::perms::owner_read | fs::perms::owner_write);
    ASSERT_TRUE(writeFileAtomically(path, "new bytes\n").ok);
    EXPECT_EQ(TempFolder::read(path), "new bytes\n");
    if (kPosixPermissions) {
        EXPECT_EQ(fs::status(path).permissions() & fs::perms::all,
                  fs::perms::owner_read | fs::perms::owner_write);
    }
}

TEST(AtomicFileWriter, AbandonedWriteLeavesTheTargetAndNoTemporaryFile) {
    TempFolder folder;
    const std::string path = folder.write("album.xml", "old");
    {
        AtomicFileWriter writer(path);
        ASSERT_TRUE(writer.write("half of something").ok);
        EXPECT_TRUE(fs::exists(writer.temporaryPath()));
    }
    EXPECT_EQ(TempFolder::read(path), "old");
    EXPECT_EQ(std::distance(fs::directory_iterator(folder.path()), fs::directory_iterator()), 1);
}

TEST(AtomicFileWriter, CopyAndReadReportMissingFiles) {
    TempFolder folder;
    EXPECT_FALSE(readWholeFile(folder.file("none")).has_value());
    EXPECT_FALSE(copyFileAtomically(folder.file("none"), folder.file("copy")).ok);
    EXPECT_FALSE(fs::exists(folder.file("copy")));
    const std::string source = folder.write("a.xml", std::string("with\0nul", 8));
    ASSERT_TRUE(copyFileAtomically(source, folder.file("a.bak")).ok);
    EXPECT_EQ(TempFolder::read(folder.file("a.bak")), std::string("with\0nul", 8));
}

TEST(UnflushedCopy, ReplacesTheTargetWholeOrLeavesItAlone) {
    TempFolder folder;
    std::string image(300000, '\0');
    for (std::size_t i = 0; i < image.size(); ++i)
        image[i] = static_cast<char>(i * 7);
    const std::string source = folder.write("snapshot.jpg", image);
    const std::string target = folder.write("copy.jpg", "older copy");
    fs::permissions(target, fs::perms::owner_read | fs::perms::owner_write);
    ASSERT_TRUE(copyFileAtomically(source, target, FileFlush::Skip).ok);
    EXPECT_EQ(TempFolder::read(target), image);
    if (kPosixPermissions) {
        EXPECT_EQ(fs::status(target).permissions() & fs::perms::all,
                  fs::perms::owner_read | fs::perms::owner_write);
    }

    fs::permissions(target, fs::perms::owner_read);
    EXPECT_FALSE(copyFileAtomically(source, target, FileFlush::Skip).ok) << "a read-only copy stays";
    EXPECT_FALSE(copyFileAtomically(folder.file("missing.jpg"), folder.file("new.jpg"), FileFlush::Skip).ok);
    EXPECT_FALSE(copyFileAtomically(source, folder.file("no/such/folder.jpg"), FileFlush::Skip).ok);
    EXPECT_EQ(std::distance(fs::directory_iterator(folder.path()), fs::directory_iterator()), 2)
        << "no temporary file is left behind";
}

TEST(AtomicFileWriter, NeverWritesThroughALinkAtTheTemporaryName) {
    SKIP_WITHOUT_SYMBOLIC_LINKS();
    TempFolder folder;
    const std::string path = folder.write("album.xml", "old");
    const std::string victim = folder.write("victim.txt", "not yours");
    for (const char* slot : {".saving~", ".saving~1"})
        fs::create_symlink(victim, path + slot);
    ASSERT_TRUE(writeFileAtomically(path, "new").ok);
    EXPECT_EQ(TempFolder::read(path), "new");
    EXPECT_EQ(TempFolder::read(victim), "not yours");
    EXPECT_FALSE(fs::is_symlink(path + ".saving~")) << "leftovers are cleared";
}

TEST(AtomicFileWriter, ALinkedTargetKeepsItsLinkAndGetsTheBytes) {
    SKIP_WITHOUT_SYMBOLIC_LINKS();
    TempFolder folder;
    fs::create_directory(folder.file("real"));
    const std::string real = folder.write("real/album.xml", "old");
    const std::string link = folder.file("album.xml");
    fs::create_symlink("real/album.xml", link);
    AtomicFileWriter writer(link);
    ASSERT_TRUE(writer.write("new").ok);
    EXPECT_EQ(fs::path(writer.temporaryPath()).parent_path(), fs::path(real).parent_path());
    EXPECT_TRUE(writer.keepBackup(folder.file("album.bak")));
    ASSERT_TRUE(writer.commit().ok);
    EXPECT_TRUE(fs::is_symlink(link));
    EXPECT_EQ(TempFolder::read(real), "new");
    EXPECT_EQ(TempFolder::read(folder.file("album.bak")), "old");
    // A link to a file not made yet gets the file where it points.
    fs::create_symlink("real/new.xml", folder.file("new.xml"));
    ASSERT_TRUE(writeFileAtomically(folder.file("new.xml"), "made").ok);
    EXPECT_TRUE(fs::is_symlink(folder.file("new.xml")));
    EXPECT_EQ(TempFolder::read(folder.file("real/new.xml")), "made");
}

TEST(AtomicFileWriter, StaleTemporaryFilesOfAKilledWriterNeitherBlockNorStay) {
    TempFolder folder;
    const std::string path = folder.write("album.xml", "old");
    for (int slot = 0; slot < 8; ++slot)
        folder.write(std::string("album.xml.saving~") + (slot ? std::to_string(slot) : ""), "half a save");
    ASSERT_TRUE(writeFileAtomically(path, "new").ok);
    EXPECT_EQ(TempFolder::read(path), "new");
    EXPECT_EQ(std::distance(fs::directory_iterator(folder.path()), fs::directory_iterator()), 1);
}

TEST(AtomicFileWriter, BackupThatIsAlreadyALinkToTheFileLeavesNoStagedName) {
    TempFolder folder;
    const std::string path = folder.write("album.xml", "old");
    fs::create_hard_link(path, folder.file("album.bak")); // as a save killed before its rename leaves it
    AtomicFileWriter writer(path);
    ASSERT_TRUE(writer.write("new").ok);
    EXPECT_TRUE(writer.keepBackup(folder.file("album.bak")));
    ASSERT_TRUE(writer.commit().ok);
    EXPECT_EQ(TempFolder::read(folder.file("album.bak")), "old");
    EXPECT_EQ(std::distance(fs::directory_iterator(folder.path()), fs::directory_iterator()), 2);
}

TEST(AtomicFileWriter, LeavesTheTemporaryFilesOfLivingWritersAlone) {
    TempFolder folder;
    const std::string path = folder.write("album.xml", "old");
    AtomicFileWriter first(path);
    ASSERT_TRUE(first.write("first").ok);
    ASSERT_TRUE(writeFileAtomically(path, "second").ok);
    EXPECT_EQ(TempFolder::read(path), "second");
    ASSERT_TRUE(first.commit().ok) << "the other save did not take this one's file";
    EXPECT_EQ(TempFolder::read(path), "first");

    // With every temporary name held, a further save fails and says which file it could not save.
    std::vector<std::unique_ptr<AtomicFileWriter>> living;
    for (int writer = 0; writer < 8; ++writer) {
        living.push_back(std::make_unique<AtomicFileWriter>(path));
        ASSERT_TRUE(living.back()->write("held").ok);
    }
    const FileResult refused = writeFileAtomically(path, "late");
    EXPECT_FALSE(refused.ok);
    EXPECT_NE(refused.error.find("\"" + path + "\""), std::string::npos) << refused.error;
    EXPECT_EQ(refused.error.find(".saving~"), std::string::npos) << refused.error;
    EXPECT_EQ(TempFolder::read(path), "first");
}

TEST(FileText, PathsBeyondAsciiAreKeptAsTheyAre) {
    TempFolder folder;
    const std::string family = "Fam\xC3\xADlia \xE5\x86\x99\xE7\x9C\x9F/";
    fs::create_directory(pathOf(folder.file(family)));
    const std::string path = folder.write(family + "\xC3\x84lbum.xml", "old");
    AtomicFileWriter writer(path);
    ASSERT_TRUE(writer.write("new").ok);
    ASSERT_TRUE(writer.keepBackup(folder.file(family + "\xC3\x84lbum.bak")));
    ASSERT_TRUE(writer.commit().ok);
    EXPECT_EQ(readWholeFile(path).value_or(""), "new");
    EXPECT_EQ(TempFolder::read(folder.file(family + "\xC3\x84lbum.bak")), "old");
}

TEST(FileText, CopiesKeepTheModificationTimeOfTheirSource) {
    TempFolder folder;
    const std::string source = folder.write("snapshot_1.jpg", "picture");
    const auto taken = fs::file_time_type::clock::now() - std::chrono::hours(24 * 400);
    fs::last_write_time(pathOf(source), taken);
    const std::string copy = folder.file("copy.jpg");
    ASSERT_TRUE(copyFileAtomically(source, copy, FileFlush::Skip).ok);
    const auto apart = fs::last_write_time(pathOf(copy)) - taken;
    EXPECT_LT(std::chrono::abs(apart), std::chrono::seconds(1));
}

// Only a regular file of an album's size is read; anything else is named and refused unread.
TEST(FileText, AnAlbumIsReadOnlyFromARegularFileOfAnAlbumsSize) {
    TempFolder folder;
    const std::string huge = folder.write("huge.xml", "");
    fs::resize_file(pathOf(huge), kLargestAlbumBytes + 1);
    fs::create_directory(pathOf(folder.file("folder.xml")));
    struct Case {
        std::string path;
        std::string message; // empty: read
    };
    std::vector<Case> cases = {
        {folder.write("album.xml", "<StoryCreator>"), ""},
        {folder.file("none.xml"), "does not exist"},
        {folder.file("folder.xml"), "is not a file"},
        {huge, "larger than 64 MB"},
    };
#ifndef _WIN32
    // A FIFO would block a reader that waited for a writer.
    ASSERT_EQ(::mkfifo(folder.file("fifo.xml").c_str(), 0600), 0);
    cases.push_back({folder.file("fifo.xml"), "is not a file"});
    cases.push_back({"/dev/null", "is not a file"});
#endif
    for (const Case& test : cases) {
        std::string bytes;
        const FileResult read = readAlbumFile(test.path, bytes);
        EXPECT_EQ(read.ok, test.message.empty()) << test.path;
        if (test.message.empty())
            continue;
        EXPECT_NE(read.error.find(test.message), std::string::npos) << read.error;
        EXPECT_NE(read.error.find("\"" + test.path + "\""), std::string::npos) << read.error;
    }
}
