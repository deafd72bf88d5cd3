#pragma once
// The few file system calls the document, the export and the snapshot scan make, with one
// implementation for POSIX and one for Windows. Paths are the file system's own bytes on POSIX, and
// UTF-8 on Windows, whose side widens them at its API. Nothing here follows a link where it creates,
// links or removes a name.

#include <cstdint>
#include <ctime>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <system_error>

namespace files {

enum class Kind { Missing, File, Folder, Link, Other };

struct Entry {
    Kind kind = Kind::Missing;
    std::uint64_t size = 0;
    std::int64_t modified = 0;     // nanoseconds since 1970, UTC
    bool writable = false;         // not marked read-only, and this process may write it
    std::uint32_t permissions = 0; // POSIX mode bits; 0 where the system has none
};

enum class Links { Follow, Keep };
// What is at path. With Links::Keep a link is reported as Kind::Link.
Entry lookUp(const std::string& path, Links links);

enum class ReadStatus { Read, Missing, NotAFile, TooLarge, Failed };
// The whole of a regular file into bytes (reused). Anything else is refused before a byte is read,
// and opening never waits (a FIFO, a device). A file over limit bytes is TooLarge.
ReadStatus readFile(const std::string& path, std::string& bytes, std::uint64_t limit, std::error_code& error);

// A file created new for writing: never an existing name, never through a link at the name. While
// it is open it holds a lock that tells clearStale a living writer has it.
class NewFile {
public:
    NewFile() = default;
    ~NewFile();
    NewFile(const NewFile&) = delete;
    NewFile& operator=(const NewFile&) = delete;

    // std::errc::file_exists when the name is taken; permissions 0 gives the usual ones.
    std::error_code create(const std::string& path, std::uint32_t permissions);
    std::error_code write(std::string_view bytes);
    // The bytes reach the disk before anything else happens to the file.
    std::error_code flush();
    // Sets the bytes on their way to the disk without waiting for them, where the system allows; a
    // flush() then waits for less.
    void startFlush();
    std::error_code setModified(std::int64_t nanoseconds);
    // Releases the lock; a file renamed while open keeps its new name.
    std::error_code close();
    bool isOpen() const { return m_handle != kNone; }

private:
    static constexpr std::intptr_t kNone = -1;
    std::intptr_t m_handle = kNone;
};

// An existing file held under the same lock, so that clearStale leaves its name alone: a name this
// program made for a file it did not create (a second name of one) is safe from the others only
// while it is held.
class HeldFile {
public:
    HeldFile() = default;
    ~HeldFile();
    HeldFile(const HeldFile&) = delete;
    HeldFile& operator=(const HeldFile&) = delete;

    // Opens the file at path, never through a link, and waits for its lock: a few seconds at most,
    // then std::errc::device_or_resource_busy. std::errc::no_such_file_or_directory when the name is
    // gone, or names another file, once the lock is taken.
    std::error_code hold(const std::string& path);
    // Whether path names the held file.
    bool isAt(const std::string& path) const;
    void release();

private:
    static constexpr std::intptr_t kNone = -1;
    std::intptr_t m_handle = kNone;
};

// Removes what is at path unless it is a file that a living NewFile or HeldFile holds; a file is only
// removed while this call holds its lock. True when the name is free afterwards.
bool clearStale(const std::string& path);
// Puts from in place of to in one step: a reader finds the old file or the new one, never neither.
std::error_code replace(const std::string& from, const std::string& to);
// A second name for a file; std::errc::file_exists when the name is taken.
std::error_code hardLink(const std::string& existing, const std::string& name);
// Removes a name (a link itself, never what it points to).
std::error_code remove(const std::string& path);
// Makes the names in folder as durable as the files' bytes; nothing where the system needs no call.
void syncFolder(const std::string& folder);
// Where a symbolic link points, as stored; nothing when path is no link.
std::optional<std::string> linkTarget(const std::string& path);

// Every entry of folder but "." and "..", links followed (a link to nothing is Kind::Missing). The
// kind is always told; size and time only for the names details accepts, since they may cost a
// look-up each. The listing ends where visit returns false. False when the folder cannot be listed.
bool listFolder(const std::string& folder, const std::function<bool(std::string_view name)>& details,
                const std::function<bool(std::string_view name, const Entry& entry)>& visit);

// The local time of a moment; false when the system cannot tell it.
bool localTime(std::time_t time, std::tm& local);

} // namespace files
