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
    ASSERT_TRUE(copyFileAtomicallyUnflushed(source, target).ok);
    EXPECT_EQ(TempFolder::read(target), image);
    EXPECT_EQ(fs::status(target).permissions() & fs::perms::all,
              fs::perms::owner_read | fs::perms::owner_write);

    fs::permissions(target, fs::perms::owner_read);
    EXPECT_FALSE(copyFileAtomicallyUnflushed(source, target).ok) << "a read-only copy stays";
    EXPECT_FALSE(copyFileAtomicallyUnflushed(folder.file("missing.jpg"), folder.file("new.jpg")).ok);
    EXPECT_FALSE(copyFileAtomicallyUnflushed(source, folder.file("no/such/folder.jpg")).ok);
    EXPECT_EQ(std::distance(fs::directory_iterator(folder.path()), fs::directory_iterator()), 2)
        << "no temporary file is left behind";
}
