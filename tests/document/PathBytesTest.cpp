// Albums whose folder or file name is any name the file system holds: opened, saved with a backup
// beside them and saved under another such name, all by the names' own bytes.
#include "AlbumText.h"
#include "PlaceNames.h"
#include "TempFolder.h"

#include "document/StorybookParser.h"
#include "document/StorybookReader.h"
#include "document/StorybookWriter.h"

#include <filesystem>
#include <gtest/gtest.h>

TEST(PathBytes, AlbumsOpenSaveAndSaveAsUnderEveryName) {
    TempFolder root;
    AlbumText album;
    album.pages = {{"Arrival", "snapshot_4c1e9b07_00000001.jpg", "We moved in."}};
    const std::vector<PlaceName> names = placeNames();
    for (std::size_t row = 0; row < names.size(); ++row) {
        const PlaceName& name = names[row];
        SCOPED_TRACE(name.what);
        std::filesystem::create_directory(pathOf(root.file(name.folder)));
        const std::string path = root.write(name.folder + "/" + name.file, album.bytes());

        auto book = makeStorybook();
        LineScan scan;
        CheckAndReadStorybook(*book, path, scan);
        ASSERT_TRUE(scan.checked && scan.read) << scan.refusal;
        ParseAlbumGlobals(*book);
        ASSERT_EQ(ParseStorybookRecords(*book, scan).outcome, ParseOutcome::Complete);

        book->varEntryArray[0][album::Text][album::Content] = "<![CDATA[Saved here]]>";
        ASSERT_TRUE(BackupAndSave(*book, path).saved());
        EXPECT_NE(TempFolder::read(path).find("Saved here"), std::string::npos);
        EXPECT_EQ(TempFolder::read(BackupPathFor(path)), album.bytes());

        // Into the next row's folder, under the next row's file name.
        const PlaceName& next = names[(row + 1) % names.size()];
        const std::string elsewhere = root.file("to " + next.folder);
        std::filesystem::create_directory(pathOf(elsewhere));
        ASSERT_TRUE(BackupAndSave(*book, elsewhere + "/" + next.file).saved());
        EXPECT_EQ(TempFolder::read(elsewhere + "/" + next.file), TempFolder::read(path));
    }
}
