#pragma once
// Changing the order and number of pages in the entry table. Pages move as whole entries, so a moved
// page keeps its tags and indentation.

#include "Storybook.h"
#include "StorybookHost.h"

// Opens an empty slot at the current page. False, changing nothing, when the table is full.
bool OpenPageSlot(Storybook& album, StorybookHost& host);
// Inserts a new page for the selected snapshot at the current page. False when the table is full.
bool FillNewPage(Storybook& album, StorybookHost& host);
void DeleteCurrentPage(Storybook& album, StorybookHost& host);
void ReversePageOrder(Storybook& album);
