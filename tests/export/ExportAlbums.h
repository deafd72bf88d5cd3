#pragma once
// Small albums for the export tests, filled straight into the model the way the parser leaves it:
// contents only, Title and Text inside their CDATA wrapper, line breaks as CR LF.

#include "document/Storybook.h"

#include <memory>
#include <string>
#include <vector>

struct TestPage {
    std::string snapshot;
    std::string text; // without the wrapper
};

struct AlbumNames {
    std::string title;
    std::string family;
    std::string neighborhood;
    std::string lot;
};

// Thumbnail names follow the snapshot names, as in the game's folders.
std::unique_ptr<Storybook> makeAlbum(const AlbumNames& names, const std::vector<TestPage>& pages);

// Two pages with a title and all names: a multi-line text with markup, quotes, an apostrophe and an
// ampersand, and a one-line text.
std::unique_ptr<Storybook> makeTwoPageAlbum();
