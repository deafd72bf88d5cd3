#include "FileText.h"

#include "PathSplit.h"

#include <limits>

namespace {

// Temporary names beside a target, one to each writer at work: the first free one is taken. Before
// that, every name whose writer is gone is cleared, so whatever a killed writer left is gone after
// the next write.
constexpr int kTemporarySlots = 8;
// Rounds over the slots for a backup's staged name, which other writers may clear before it is held.
constexpr int kStagingAttempts = 4 * kTemporarySlots;

std::string temporaryName(const std::string& target, int slot) {
    std::string name = target + ".saving~";
    if (slot > 0)
        name += static_cast<char>('0' + slot);
    return name;
}

void clearStaleNames(const std::string& target) {
    for (int slot = 0; slot < kTemporarySlots; ++slot)
        files::clearStale(temporaryName(target, slot));
}

std::string quoted(const std::string& path) {
    return "\"" + path + "\"";
}

std::string errorText(const char* what, const std::string& path, std::error_code error) {
    return std::string(what) + " " + quoted(path) + ": " + error.message();
}

std::string folderOf(const std::string& path) {
    std::string folder = splitPath(path).folder;
    if (folder.empty())
        return ".";
    // The separator goes unless it is the root's ("/", "C:\").
    if (folder.size() > 1 && folder[folder.size() - 2] != ':')
        folder.pop_back();
    return folder;
}

bool isAbsolute(const std::string& path) {
#ifdef _WIN32
    return path.size() > 1 && (path[1] == ':' || kPathSeparators.find(path[0]) != std::string::npos);
#else
    return !path.empty() && path.front() == '/';
#endif
}

// Why a file may not be replaced, or nothing; permissions receives those to keep. The message names
// path, the name the caller gave.
std::optional<std::string> refusalToReplace(const std::string& path, const std::string& target,
                                            std::uint32_t& permissions) {
    const files::Entry file = files::lookUp(target, files::Links::Keep);
    if (file.kind != files::Kind::Missing) {
        if (file.kind != files::Kind::File)
            return quoted(path) + " is not a file.";
        if (!file.writable)
            return quoted(path) + " is read-only.";
        permissions = file.permissions;
    }
    const std::string folderPath = folderOf(target);
    const files::Entry folder = files::lookUp(folderPath, files::Links::Follow);
    if (folder.kind != files::Kind::Folder)
        return "The folder " + quoted(folderPath) + " does not exist.";
    if (!folder.writable)
        return "The folder " + quoted(folderPath) + " is read-only.";
    return std::nullopt;
}

} // namespace

bool fileExists(const std::string& path) {
    return files::lookUp(path, files::Links::Follow).kind == files::Kind::File;
}

bool readWholeFileInto(const std::string& path, std::string& bytes) {
    std::error_code error;
    return files::readFile(path, bytes, std::numeric_limits<std::uint64_t>::max(), error) ==
           files::ReadStatus::Read;
}

std::optional<std::string> readWholeFile(const std::string& path) {
    std::string bytes;
    if (!readWholeFileInto(path, bytes))
        return std::nullopt;
    return bytes;
}

FileResult readAlbumFile(const std::string& path, std::string& bytes) {
    std::error_code error;
    switch (files::readFile(path, bytes, kLargestAlbumBytes, error)) {
    case files::ReadStatus::Read:
        return {true, {}};
    case files::ReadStatus::Missing:
        return {false, "The file " + quoted(path) + " does not exist."};
    case files::ReadStatus::NotAFile:
        return {false, quoted(path) + " is not a file."};
    case files::ReadStatus::TooLarge:
        return {false, "The file " + quoted(path) + " is larger than 64 MB, too large for a storybook."};
    case files::ReadStatus::Failed:
        break;
    }
    return {false, errorText("Cannot read", path, error) + "."};
}

std::string resolvedFilePath(const std::string& path) {
    std::string current = path;
    // Beyond this many links the path is a loop; the writer then refuses it as no file.
    for (int hop = 0; hop < 40; ++hop) {
        const auto link = files::linkTarget(current);
        if (!link || link->empty())
            return current;
        current = isAbsolute(*link) ? *link : splitPath(current).folder + *link;
    }
    return current;
}

AtomicFileWriter::AtomicFileWriter(std::string path)
    : m_path(std::move(path)), m_target(resolvedFilePath(m_path)) {}

AtomicFileWriter::~AtomicFileWriter() {
    // Removed while still held, so no other writer can have taken the name in between.
    if (!m_committed && !m_tempPath.empty())
        files::remove(m_tempPath);
}

FileResult AtomicFileWriter::write(std::string_view bytes, FileFlush flush) {
    std::uint32_t permissions = 0; // a new file gets the usual ones, a replaced one keeps its own
    if (auto refusal = refusalToReplace(m_path, m_target, permissions))
        return {false, *refusal};

    if (!m_tempPath.empty())
        files::remove(m_tempPath);
    m_file.close();
    m_tempPath.clear();
    clearStaleNames(m_target);
    for (int slot = 0; slot < kTemporarySlots && m_tempPath.empty(); ++slot) {
        const std::string name = temporaryName(m_target, slot);
        const std::error_code error = m_file.create(name, permissions);
        if (!error)
            m_tempPath = name;
        else if (error != std::errc::file_exists)
            return {false, errorText("Cannot create a new file beside", m_path, error)};
    }
    if (m_tempPath.empty())
        return {false, quoted(m_path) + " is being saved by other programs; try again later."};

    m_flushStarted = false;
    std::error_code error = m_file.write(bytes);
    if (!error && flush == FileFlush::Flush)
        error = m_file.flush();
    if (!error && flush == FileFlush::Started) {
        m_file.startFlush();
        m_flushStarted = true;
    }
    if (!error && m_modified)
        error = m_file.setModified(*m_modified);
    if (error)
        return {false, errorText("Cannot write", m_path, error)};
    return {true, {}};
}

FileResult AtomicFileWriter::keepBackup(const std::string& backupPath) {
    if (!fileExists(m_target) || backupPath.empty())
        return {true, {}};
    const files::Entry existing = files::lookUp(backupPath, files::Links::Keep);
    if (existing.kind == files::Kind::Folder || existing.kind == files::Kind::Other)
        return {false, "The backup " + quoted(backupPath) + " is not a file."};
    // The old file's bytes are on disk already: a second name for them costs no copy and no sync, and
    // once the new file is renamed into place the backup name keeps the old bytes. The name is staged
    // under a temporary name, then renamed over the backup. Other writers clear a staged name as a
    // leftover unless its file is held, so it is held before it is renamed or removed; one cleared
    // before it was held is staged again.
    clearStaleNames(backupPath);
    std::error_code linked = std::make_error_code(std::errc::file_exists);
    for (int attempt = 0; attempt < kStagingAttempts && linked == std::errc::file_exists; ++attempt) {
        const std::string staged = temporaryName(backupPath, attempt % kTemporarySlots);
        linked = files::hardLink(m_target, staged);
        if (linked)
            continue;
        files::HeldFile held;
        if (const std::error_code lost = held.hold(staged)) {
            if (lost != std::errc::no_such_file_or_directory)
                return {false, errorText("Cannot make the backup", backupPath, lost)};
            linked = std::make_error_code(std::errc::file_exists);
            continue;
        }
        // A backup that is already this file would make the rename do nothing.
        const std::error_code renamed =
            held.isAt(backupPath) ? files::remove(staged) : files::replace(staged, backupPath);
        if (renamed) {
            files::remove(staged);
            return {false, errorText("Cannot replace the backup", backupPath, renamed)};
        }
        m_backupFolder = folderOf(backupPath);
        return {true, {}};
    }
    // File systems without hard links get a copy, in place of a link at the backup name as the
    // rename above would do, never through it.
    if (existing.kind == files::Kind::Link)
        files::remove(backupPath);
    return copyFileAtomically(m_target, backupPath);
}

FileResult AtomicFileWriter::commit(FolderFlush flush) {
    if (m_tempPath.empty())
        return {false, errorText("Cannot replace", m_path, std::make_error_code(std::errc::io_error))};
    if (m_flushStarted) {
        if (const std::error_code error = m_file.flush())
            return {false, errorText("Cannot write", m_path, error)};
        m_flushStarted = false;
    }
    if (const std::error_code error = files::replace(m_tempPath, m_target))
        return {false, errorText("Cannot replace", m_path, error)};
    m_committed = true;
    if (const std::error_code error = m_file.close())
        return {false, errorText("Cannot write", m_path, error)};
    if (flush == FolderFlush::Skip)
        return {true, {}};
    const std::string folder = folderOf(m_target);
    files::syncFolder(folder);
    if (!m_backupFolder.empty() && m_backupFolder != folder)
        files::syncFolder(m_backupFolder);
    return {true, {}};
}

FileResult writeFileAtomically(const std::string& path, std::string_view bytes, FolderFlush flush) {
    AtomicFileWriter writer(path);
    FileResult result = writer.write(bytes);
    if (!result.ok)
        return result;
    return writer.commit(flush);
}

FileResult copyFileAtomically(const std::string& source, const std::string& target, FileFlush flush) {
    const auto bytes = readWholeFile(source);
    const files::Entry original = files::lookUp(source, files::Links::Follow);
    if (!bytes)
        return {false, "Cannot read " + quoted(source) + "."};
    AtomicFileWriter writer(target);
    if (original.kind == files::Kind::File)
        writer.setModifiedTime(original.modified);
    FileResult result = writer.write(*bytes, flush);
    if (!result.ok)
        return result;
    return writer.commit(flush == FileFlush::Flush ? FolderFlush::Flush : FolderFlush::Skip);
}
