#include "AlbumLoad.h"

#include "LoadFailure.h"
#include "StorybookReader.h"

AlbumLoad LoadAlbumFile(const std::string& path) {
    AlbumLoad load;
    auto album = makeStorybook();
    // The check and the reader in one pass over one read of the file.
    LineScan scan;
    CheckAndReadStorybook(*album, path, scan);
    load.failure = loadFailure(scan);
    if (load.failure)
        return load;
    ParseAlbumGlobals(*album);
    load.parsed = ParseStorybookRecords(*album, scan);
    load.album = std::move(album);
    return load;
}
