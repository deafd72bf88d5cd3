// A path a dialog chose, found by its bytes although Qt decoded them.
#include "platform/ChosenPath.h"
#include "TempFolder.h"

#include <filesystem>
#include <gtest/gtest.h>

TEST(ChosenPath, NamesQtCannotDecodeAreFoundWhenOnlyOneEntryReadsAlike) {
    TempFolder folder;
    for (const char* made : {"caf\xE9", "two\xE9", "two\xFF", "real\xEF\xBF\xBD"})
        std::filesystem::create_directory(pathOf(folder.file(made)));
    for (const char* made : {"caf\xE9/alb\xE9.xml", "caf\xE9/plain.xml", "two\xE9/a.xml"})
        folder.write(made, "x");
    const struct {
        const char* chosen; // under the folder, U+FFFD as Qt decodes a byte that is no UTF-8
        const char* found;
    } rows[] = {
        {"caf\xEF\xBF\xBD/alb\xEF\xBF\xBD.xml", "caf\xE9/alb\xE9.xml"},
        {"caf\xEF\xBF\xBD/plain.xml", "caf\xE9/plain.xml"},
        {"real\xEF\xBF\xBD", "real\xEF\xBF\xBD"},           // the name as it is
        {"two\xEF\xBF\xBD/a.xml", "two\xEF\xBF\xBD/a.xml"}, // two folders read alike
        {"caf\xEF\xBF\xBD/gone\xEF\xBF\xBD.xml", "caf\xEF\xBF\xBD/gone\xEF\xBF\xBD.xml"}, // none
    };
    for (const auto& row : rows)
        EXPECT_EQ(chosenPathOnDisk(QString::fromUtf8(folder.file(row.chosen))), folder.file(row.found))
            << row.chosen;
}
