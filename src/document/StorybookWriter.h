#pragma once
// Writing the album back: the line image rebuilt from the records and the entry table, its bytes
// read back in memory before anything is written, and the new file put in place only after it passes
// the structure check, with the old one kept as the backup. Never leaves the album file or its
// backup truncated or half-written; a refused save leaves both as they were.

#include "Message.h"
#include "Storybook.h"

#include <functional>
#include <optional>
#include <string>

bool RebuildLogFileArray(Storybook& album);

// The backup beside the album: the file name with ".xml" replaced by ".bak"; a name that holds no
// ".xml" (such as "Album.XML") gets ".bak" added, so that every album has its backup.
std::string BackupPathFor(const std::string& path);

// BackupRefused: the backup could not be made and the user chose not to save without it.
enum class SaveOutcome { Saved, RebuildFailed, WriteFailed, CheckFailed, BackupRefused };

// What a save came to. A failed save's message says why and is shown while the saving picture is
// still up; a save that succeeded may carry a warning, shown once the album is marked saved and the
// picture is gone. A refused backup has no message: the question was the message.
struct SaveResult {
    SaveOutcome outcome = SaveOutcome::Saved;
    std::optional<Message> message;
    bool saved() const { return outcome == SaveOutcome::Saved; }
};

// The one question a save may have to ask while it runs, once the new file is written but before it
// replaces the album: whether to go on without a backup. Without anyone to ask, the answer is No.
using SaveQuestion = std::function<MessageAnswer(const Message&)>;

// Saving changes neither the saved flag nor the mode: the caller marks the album saved on Saved.
SaveResult BackupAndSave(Storybook& album, const std::string& path, const SaveQuestion& ask = {});
