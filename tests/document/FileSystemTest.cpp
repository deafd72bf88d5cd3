#include "TempFolder.h"

#include "document/FileSystem.h"

#include <filesystem>
#include <gtest/gtest.h>

namespace fs = std::filesystem;

// A second name for the album, as a save stages its backup under, is cleared as a leftover only
// while no one holds its file: another save's clearing must not take it between link and rename.
TEST(FileSystem, ASecondNameIsClearedOnlyWhileNoOneHoldsItsFile) {
    TempFolder folder;
    const std::string album = folder.write("album.xml", "old");
    const std::string staged = folder.file("album.bak.saving~");
    ASSERT_FALSE(files::hardLink(album, staged));
    {
        files::HeldFile held;
        ASSERT_FALSE(held.hold(staged));
        EXPECT_FALSE(files::clearStale(staged));
        EXPECT_TRUE(held.isAt(staged));
        EXPECT_TRUE(held.isAt(album)) << "both names are the one file";
        EXPECT_FALSE(held.isAt(folder.write("other.xml", "old")));
    }
    EXPECT_TRUE(files::clearStale(staged)) << "released, it is a leftover";
    EXPECT_FALSE(fs::exists(pathOf(staged)));
    EXPECT_EQ(TempFolder::read(album), "old");

    files::HeldFile missing;
    EXPECT_EQ(missing.hold(staged), std::errc::no_such_file_or_directory);
}
