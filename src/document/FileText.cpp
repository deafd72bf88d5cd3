#include "FileText.h"

#include <array>
#include <cerrno>
#include <climits>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// Temporary names beside a target: the first free one is taken; all are cleared before a write, so
// whatever a killed writer left behind is gone after the next one.
constexpr int kTemporarySlots = 8;

std::string temporaryName(const std::string& target, int slot) {
    std::string name = target + ".saving~";
    if (slot > 0)
        name += static_cast<char>('0' + slot);
    return name;
}

void clearTemporaryNames(const std::string& target) {
    for (int slot = 0; slot < kTemporarySlots; ++slot)
        ::unlink(temporaryName(target, slot).c_str()); // a link is removed, never followed
}

std::string errorText(const char* what, const std::string& path, int error) {
    return std::string(what) + " \"" + path + "\": " + std::strerror(error);
}

std::string folderOf(const std::string& path) {
    const auto slash = path.find_last_of('/');
    if (slash == std::string::npos)
        return ".";
    return slash == 0 ? "/" : path.substr(0, slash);
}

// Makes a rename durable: without syncing the folder a crash can bring back the old name.
void syncFolder(const std::string& folder) {
    const int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd >= 0) {
        ::fsync(fd);
        ::close(fd);
    }
}

bool writeAll(int fd, std::string_view bytes) {
    std::size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t put = ::write(fd, bytes.data() + done, bytes.size() - done);
        if (put < 0) {
            if (errno == EINTR)
                continue;
            return false;
        }
        done += static_cast<std::size_t>(put);
    }
    return true;
}

// Why a file may not be replaced, or nothing; mode receives the permissions to keep.
std::optional<std::string> refusalToReplace(const std::string& target, mode_t& mode) {
    // A file or folder without write permission is left alone even where the process could write it
    // anyway (as root): the user marked it read-only.
    struct stat info {};
    if (::lstat(target.c_str(), &info) == 0) {
        if (!S_ISREG(info.st_mode))
            return "\"" + target + "\" is not a file.";
        if ((info.st_mode & S_IWUSR) == 0 || ::access(target.c_str(), W_OK) != 0)
            return "\"" + target + "\" is read-only.";
        mode = info.st_mode & 07777;
    }
    struct stat folder {};
    const std::string folderPath = folderOf(target);
    if (::stat(folderPath.c_str(), &folder) != 0 || !S_ISDIR(folder.st_mode))
        return "The folder \"" + folderPath + "\" does not exist.";
    if ((folder.st_mode & S_IWUSR) == 0 || ::access(folderPath.c_str(), W_OK) != 0)
        return "The folder \"" + folderPath + "\" is read-only.";
    return std::nullopt;
}

} // namespace

bool fileExists(const std::string& path) {
    struct stat info {};
    return ::stat(path.c_str(), &info) == 0 && S_ISREG(info.st_mode);
}

bool readWholeFileInto(const std::string& path, std::string& bytes) {
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        return false;
    struct stat info {};
    if (::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) {
        ::close(fd);
        return false;
    }
    // One byte more than the file holds, so the end shows without growing the buffer.
    bytes.resize(static_cast<std::size_t>(info.st_size) + 1);
    std::size_t done = 0;
    for (;;) {
        if (done == bytes.size())
            bytes.resize(bytes.size() * 2); // the file has grown since fstat
        const ssize_t got = ::read(fd, bytes.data() + done, bytes.size() - done);
        if (got < 0) {
            if (errno == EINTR)
                continue;
            ::close(fd);
            return false;
        }
        if (got == 0)
            break;
        done += static_cast<std::size_t>(got);
    }
    ::close(fd);
    bytes.resize(done);
    return true;
}

std::optional<std::string> readWholeFile(const std::string& path) {
    std::string bytes;
    if (!readWholeFileInto(path, bytes))
        return std::nullopt;
    return bytes;
}

std::string resolvedFilePath(const std::string& path) {
    std::string current = path;
    // Beyond this many links the path is a loop; the writer then refuses it as no file.
    for (int hop = 0; hop < 40; ++hop) {
        struct stat info {};
        if (::lstat(current.c_str(), &info) != 0 || !S_ISLNK(info.st_mode))
            return current;
        std::array<char, PATH_MAX> target{};
        const ssize_t length = ::readlink(current.c_str(), target.data(), target.size());
        if (length <= 0 || static_cast<std::size_t>(length) >= target.size())
            return current;
        const std::string link(target.data(), static_cast<std::size_t>(length));
        current = link.front() == '/' ? link : folderOf(current) + "/" + link;
    }
    return current;
}

AtomicFileWriter::AtomicFileWriter(std::string path)
    : m_path(std::move(path)), m_target(resolvedFilePath(m_path)) {}

AtomicFileWriter::~AtomicFileWriter() {
    if (!m_committed && !m_tempPath.empty())
        ::unlink(m_tempPath.c_str());
}

FileResult AtomicFileWriter::write(std::string_view bytes, FileFlush flush) {
    mode_t mode = 0; // a new file gets the usual permissions, a replaced one keeps its own
    if (auto refusal = refusalToReplace(m_target, mode))
        return {false, *refusal};

    if (!m_tempPath.empty())
        ::unlink(m_tempPath.c_str());
    m_tempPath.clear();
    clearTemporaryNames(m_target);
    int fd = -1;
    for (int slot = 0; slot < kTemporarySlots && fd < 0; ++slot) {
        const std::string name = temporaryName(m_target, slot);
        fd = ::open(name.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, mode ? 0600 : 0666);
        if (fd >= 0)
            m_tempPath = name;
        else if (errno != EEXIST)
            return {false, errorText("Cannot create", name, errno)};
    }
    if (fd < 0)
        return {false, errorText("Cannot create", temporaryName(m_target, 0), EEXIST)};

    if ((mode != 0 && ::fchmod(fd, mode) != 0) || !writeAll(fd, bytes) ||
        (flush == FileFlush::Flush && ::fsync(fd) != 0)) {
        const int error = errno;
        ::close(fd);
        return {false, errorText("Cannot write", m_tempPath, error)};
    }
    if (::close(fd) != 0)
        return {false, errorText("Cannot write", m_tempPath, errno)};
    return {true, {}};
}

bool AtomicFileWriter::keepBackup(const std::string& backupPath) {
    if (!fileExists(m_target) || backupPath.empty())
        return false;
    clearTemporaryNames(backupPath);
    // The old file's bytes are on disk already: a second name for them costs no copy and no sync, and
    // once the new file is renamed into place the backup name keeps the old bytes.
    const std::string staged = temporaryName(backupPath, 0);
    if (::link(m_target.c_str(), staged.c_str()) == 0) {
        const bool renamed = ::rename(staged.c_str(), backupPath.c_str()) == 0;
        // A backup that is already a link to the file makes the rename do nothing.
        ::unlink(staged.c_str());
        if (renamed)
            m_backupFolder = folderOf(backupPath);
        return renamed;
    }
    // File systems without hard links get a copy, in place of a link at the backup name as the
    // rename above would do, never through it.
    struct stat info {};
    if (::lstat(backupPath.c_str(), &info) == 0 && S_ISLNK(info.st_mode))
        ::unlink(backupPath.c_str());
    return copyFileAtomically(m_target, backupPath).ok;
}

FileResult AtomicFileWriter::commit(FolderFlush flush) {
    if (m_tempPath.empty())
        return {false, errorText("Cannot replace", m_path, ENOENT)};
    if (::rename(m_tempPath.c_str(), m_target.c_str()) != 0)
        return {false, errorText("Cannot replace", m_path, errno)};
    m_committed = true;
    if (flush == FolderFlush::Skip)
        return {true, {}};
    const std::string folder = folderOf(m_target);
    syncFolder(folder);
    if (!m_backupFolder.empty() && m_backupFolder != folder)
        syncFolder(m_backupFolder);
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
    if (!bytes)
        return {false, "Cannot read \"" + source + "\"."};
    AtomicFileWriter writer(target);
    FileResult result = writer.write(*bytes, flush);
    if (!result.ok)
        return result;
    return writer.commit(flush == FileFlush::Flush ? FolderFlush::Flush : FolderFlush::Skip);
}
