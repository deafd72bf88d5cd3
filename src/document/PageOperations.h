#pragma once
// Changing the order and number of pages in the entry table. Pages move as whole entries, so a moved
// page keeps its tags and indentation. The operations change the table only; the caller marks the
// album unsaved, moves to the page they name and shows it.

#include "Storybook.h"

#include <string>

// Opens an empty slot at page. False, changing nothing, when the table is full.
bool OpenPageSlot(Storybook& album, int page);

// A new page for a snapshot chosen in the browser.
struct NewPage {
    std::string snapshot;
    std::string story;     // what the story text box holds once it has been cleared
    std::string timeStamp; // the clock: the short date, a blank and the time as "HH:mm:ss"
};
// Inserts the new page at page, before the page that stood there. False when the table is full.
bool FillNewPage(Storybook& album, int page, const NewPage& newPage);

// What a delete came to: nothing, when the page is the album's only one; otherwise the page to show,
// which is the page after the deleted one or, when the last page went, the new last page.
struct DeleteResult {
    bool deleted = false;
    std::int16_t currentPage = 0;
};
DeleteResult DeleteCurrentPage(Storybook& album, int currentPage);

void ReversePageOrder(Storybook& album);
