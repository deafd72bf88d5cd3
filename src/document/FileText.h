#pragma once
// File access for the document and the export: whole-file reads and writes that never leave a
// target half-written. Bytes are kept as they are. Messages name the file the caller gave, never a
// temporary name.

#include "FileSystem.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

struct FileResult {
    bool ok = false;
    std::string error; // a sentence for the user when !ok
    explicit operator bool() const { return ok; }
};

// Whether path names a regular file (links followed).
bool fileExists(const std::string& path);

// Far above the largest album the layout allows, so that no valid album is refused and no huge file
// is read only to be turned away.
inline constexpr std::uint64_t kLargestAlbumBytes = std::uint64_t(64) << 20;
// The whole file that is to be opened as an album. Refused before a byte is read, with a sentence
// naming the path: a missing file, anything but a regular file (opening never waits on a FIFO), a
// file over kLargestAlbumBytes.
FileResult readAlbumFile(const std::string& path, std::string& bytes);

// The whole regular file, or nothing when it cannot be found or read.
std::optional<std::string> readWholeFile(const std::string& path);
// The same into a buffer the caller keeps, so reading again costs no new allocation. False when the
// file cannot be found or read.
bool readWholeFileInto(const std::string& path, std::string& bytes);

// The file a path stands for once the symbolic links it ends in are followed (also a link to a file
// not made yet); the path itself when it names no link.
std::string resolvedFilePath(const std::string& path);

// Whether a commit also flushes the folder, so that after a crash the new name is there as surely as
// the new bytes. Without it a crash soon after may bring back the older file, whole; never a part.
enum class FolderFlush { Flush, Skip };

// Whether the new bytes reach the disk before they take the target's name. A copy whose original stays
// where it was may skip it: a crash can at worst lose the copy, never leave half of it in place.
// Started: they are set on their way at once and waited for by commit(), so the caller may do other
// work meanwhile.
enum class FileFlush { Flush, Started, Skip };

// Writes bytes to a temporary file beside the real file the path stands for and flushes it to disk;
// commit() renames it into place in one step, and a writer destroyed without commit() removes it.
// The temporary file is always created new (never through a link, never an existing file) under a
// name no other living writer holds; the leftovers of writers that were killed are cleared, those of
// writers still at work are left alone. A path that is a link keeps its link: the link's target is
// replaced.
class AtomicFileWriter {
public:
    explicit AtomicFileWriter(std::string path);
    ~AtomicFileWriter();
    AtomicFileWriter(const AtomicFileWriter&) = delete;
    AtomicFileWriter& operator=(const AtomicFileWriter&) = delete;

    // The whole content in one write, then (unless skipped) fsync.
    FileResult write(std::string_view bytes, FileFlush flush = FileFlush::Flush);
    // Gives the file written next this modification time (nanoseconds since 1970) instead of now.
    void setModifiedTime(std::int64_t nanoseconds) { m_modified = nanoseconds; }
    const std::string& temporaryPath() const { return m_tempPath; }
    // Before commit(): makes backupPath hold the file as it is now (a hard link where the file system
    // allows, else a synced copy), replacing an older backup in one step. Succeeds at once when there
    // is no file to back up; fails with a sentence naming the backup when it cannot be made. The file
    // itself is never touched.
    FileResult keepBackup(const std::string& backupPath);
    // Waits for the bytes if their flush was started, renames the new file into place and flushes the
    // folder once (and the backup's, if elsewhere).
    FileResult commit(FolderFlush flush = FolderFlush::Flush);

private:
    std::string m_path;   // as given
    std::string m_target; // the real file
    std::string m_tempPath;
    files::NewFile m_file; // open, and so locked, from write() until commit
    std::string m_backupFolder;
    std::optional<std::int64_t> m_modified;
    bool m_committed = false;
    bool m_flushStarted = false;
};

FileResult writeFileAtomically(const std::string& path, std::string_view bytes,
                               FolderFlush flush = FolderFlush::Flush);
// Copies source over target through a temporary file, so target is either the old or the new copy,
// never a part; the copy keeps the source's modification time. The error names source or target.
FileResult copyFileAtomically(const std::string& source, const std::string& target,
                              FileFlush flush = FileFlush::Flush);
