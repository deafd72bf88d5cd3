#include "TempFolder.h"

#include "document/FileText.h"

#include <filesystem>
#include <gtest/gtest.h>

namespace fs = std::filesystem;

TEST(AtomicFileWriter, ReplacesInOneStepAndKeepsPermissions) {
    TempFolder folder;
    const std::string path = folder.write("page.html", "old");
    fs::permissions(path, fs::perms::owner_read | fs::perms::owner_write);
    ASSERT_TRUE(writeFileAtomically(path, "new bytes\n").ok);
    EXPECT_EQ(TempFolder::read(path), "new bytes\n");
    EXPECT_EQ(fs::status(path).permissions() & fs::perms::all,
              fs::perms::owner_read | fs::perms::owner_write);
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
    EXPECT_EQ(fs::status(target).permissions() & fs::perms::all,
              fs::perms::owner_read | fs::perms::owner_write);

    fs::permissions(target, fs::perms::owner_read);
    EXPECT_FALSE(copyFileAtomically(source, target, FileFlush::Skip).ok) << "a read-only copy stays";
    EXPECT_FALSE(copyFileAtomically(folder.file("missing.jpg"), folder.file("new.jpg"), FileFlush::Skip).ok);
    EXPECT_FALSE(copyFileAtomically(source, folder.file("no/such/folder.jpg"), FileFlush::Skip).ok);
    EXPECT_EQ(std::distance(fs::directory_iterator(folder.path()), fs::directory_iterator()), 2)
        << "no temporary file is left behind";
}

TEST(AtomicFileWriter, NeverWritesThroughALinkAtTheTemporaryName) {
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
