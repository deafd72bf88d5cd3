#pragma once
// Writing the album back: the line image rebuilt from the records and the entry table, its bytes
// read back in memory before anything is written, and the new file put in place only after it passes
// the structure check, with the old one kept as the backup. Never leaves the album file or its
// backup truncated or half-written; a refused save leaves both as they were.

#include "Storybook.h"
#include "StorybookHost.h"

#include <string>

bool RebuildLogFileArray(Storybook& album);

// The backup beside the album: the file name with ".xml" replaced by ".bak"; a name that holds no
// ".xml" (such as "Album.XML") gets ".bak" added, so that every album has its backup.
std::string BackupPathFor(const std::string& path);

// BackupRefused: the backup could not be made and the user chose not to save without it.
enum class SaveOutcome { Saved, RebuildFailed, WriteFailed, CheckFailed, BackupRefused };
SaveOutcome BackupAndSave(Storybook& album, StorybookHost& host, const std::string& path);
