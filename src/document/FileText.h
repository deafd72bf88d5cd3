#pragma once
// File access for the document and the export: whole-file reads and writes that never leave a
// target half-written. Bytes are kept as they are.

#include <optional>
#include <string>
#include <string_view>

struct FileResult {
    bool ok = false;
    std::string error; // a sentence for the user when !ok
};

bool fileExists(const std::string& path);
// The whole file, or nothing when it cannot be found or read.
std::optional<std::string> readWholeFile(const std::string& path);

// Writes bytes to a temporary file beside path and flushes it to disk; commit() renames it into
// place in one step, and a writer destroyed without commit() removes the temporary file.
class AtomicFileWriter {
public:
    explicit AtomicFileWriter(std::string path);
    ~AtomicFileWriter();
    AtomicFileWriter(const AtomicFileWriter&) = delete;
    AtomicFileWriter& operator=(const AtomicFileWriter&) = delete;

    FileResult write(std::string_view bytes); // the whole content, then fsync
    const std::string& temporaryPath() const { return m_tempPath; }
    FileResult commit();

private:
    std::string m_path;
    std::string m_tempPath;
    bool m_committed = false;
};

FileResult writeFileAtomically(const std::string& path, std::string_view bytes);
// Copies source over target through a temporary file, so target is either the old or the new copy.
FileResult copyFileAtomically(const std::string& source, const std::string& target);

// The same copy without flushing to disk: for a file whose original stays where it was, so a crash
// can at worst lose the copy, never leave half of it under the target's name.
FileResult copyFileAtomicallyUnflushed(const std::string& source, const std::string& target);
