#include "FileText.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <filesystem>
#include <sys/stat.h>
#include <unistd.h>

namespace {

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
void syncFolder(const std::string& path) {
    const int fd = ::open(folderOf(path).c_str(), O_RDONLY | O_DIRECTORY);
    if (fd >= 0) {
        ::fsync(fd);
        ::close(fd);
    }
}

} // namespace

bool fileExists(const std::string& path) {
    struct stat info {};
    return ::stat(path.c_str(), &info) == 0 && S_ISREG(info.st_mode);
}

std::optional<std::string> readWholeFile(const std::string& path) {
    const int fd = ::open(path.c_str(), O_RDONLY);
    if (fd < 0)
        return std::nullopt;
    struct stat info {};
    if (::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) {
        ::close(fd);
        return std::nullopt;
    }
    std::string bytes;
    bytes.resize(static_cast<std::size_t>(info.st_size));
    std::size_t done = 0;
    for (;;) {
        if (done == bytes.size())
            bytes.resize(bytes.size() + 65536); // the file may have grown since fstat
        const ssize_t got = ::read(fd, bytes.data() + done, bytes.size() - done);
        if (got < 0) {
            if (errno == EINTR)
                continue;
            ::close(fd);
            return std::nullopt;
        }
        if (got == 0)
            break;
        done += static_cast<std::size_t>(got);
    }
    ::close(fd);
    bytes.resize(done);
    return bytes;
}

AtomicFileWriter::AtomicFileWriter(std::string path) : m_path(std::move(path)) {
    m_tempPath = m_path + ".saving~";
}

AtomicFileWriter::~AtomicFileWriter() {
    if (!m_committed)
        ::unlink(m_tempPath.c_str());
}

FileResult AtomicFileWriter::write(std::string_view bytes) {
    // Keep the permissions of the file being replaced; a new file gets the usual ones.
    // A file or folder without write permission is left alone even where the process could write it
    // anyway (as root): the user marked it read-only.
    mode_t mode = 0666;
    struct stat info {};
    if (::stat(m_path.c_str(), &info) == 0) {
        if (!S_ISREG(info.st_mode))
            return {false, "\"" + m_path + "\" is not a file."};
        if ((info.st_mode & S_IWUSR) == 0 || ::access(m_path.c_str(), W_OK) != 0)
            return {false, "\"" + m_path + "\" is read-only."};
        mode = info.st_mode & 07777;
    }
    struct stat folder {};
    const std::string folderPath = folderOf(m_path);
    if (::stat(folderPath.c_str(), &folder) != 0 || !S_ISDIR(folder.st_mode))
        return {false, "The folder \"" + folderPath + "\" does not exist."};
    if ((folder.st_mode & S_IWUSR) == 0 || ::access(folderPath.c_str(), W_OK) != 0)
        return {false, "The folder \"" + folderPath + "\" is read-only."};
    const int fd = ::open(m_tempPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, mode);
    if (fd < 0)
        return {false, errorText("Cannot create", m_tempPath, errno)};
    std::size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t put = ::write(fd, bytes.data() + done, bytes.size() - done);
        if (put < 0) {
            if (errno == EINTR)
                continue;
            const int error = errno;
            ::close(fd);
            return {false, errorText("Cannot write", m_tempPath, error)};
        }
        done += static_cast<std::size_t>(put);
    }
    if (::fsync(fd) != 0) {
        const int error = errno;
        ::close(fd);
        return {false, errorText("Cannot write", m_tempPath, error)};
    }
    if (::close(fd) != 0)
        return {false, errorText("Cannot write", m_tempPath, errno)};
    return {true, {}};
}

FileResult AtomicFileWriter::commit() {
    if (::rename(m_tempPath.c_str(), m_path.c_str()) != 0)
        return {false, errorText("Cannot replace", m_path, errno)};
    m_committed = true;
    syncFolder(m_path);
    return {true, {}};
}

FileResult writeFileAtomically(const std::string& path, std::string_view bytes) {
    AtomicFileWriter writer(path);
    FileResult result = writer.write(bytes);
    if (!result.ok)
        return result;
    return writer.commit();
}

FileResult copyFileAtomically(const std::string& source, const std::string& target) {
    const auto bytes = readWholeFile(source);
    if (!bytes)
        return {false, "Cannot read \"" + source + "\"."};
    return writeFileAtomically(target, *bytes);
}

namespace {

// Moves every byte from one descriptor to the other; in the kernel where it can.
bool copyBytes(int from, int to) {
    bool kernelCopy = true;
    char buffer[65536];
    for (;;) {
        ssize_t moved = -1;
        if (kernelCopy) {
            moved = ::copy_file_range(from, nullptr, to, nullptr, 1 << 30, 0);
            if (moved < 0 && (errno == EXDEV || errno == ENOSYS || errno == EINVAL || errno == EOPNOTSUPP)) {
                kernelCopy = false;
                continue;
            }
        } else {
            moved = ::read(from, buffer, sizeof buffer);
            for (ssize_t done = 0; moved > 0 && done < moved;) {
                const ssize_t put = ::write(to, buffer + done, static_cast<std::size_t>(moved - done));
                if (put < 0 && errno != EINTR)
                    return false;
                done += put > 0 ? put : 0;
            }
        }
        if (moved == 0)
            return true;
        if (moved < 0 && errno != EINTR)
            return false;
    }
}

} // namespace

FileResult copyFileAtomicallyUnflushed(const std::string& source, const std::string& target) {
    const int from = ::open(source.c_str(), O_RDONLY | O_CLOEXEC);
    struct stat info {};
    if (from < 0 || ::fstat(from, &info) != 0 || !S_ISREG(info.st_mode)) {
        if (from >= 0)
            ::close(from);
        return {false, "Cannot read \"" + source + "\"."};
    }
    // A file the user marked read-only is left alone, as the album writer leaves it.
    mode_t mode = info.st_mode & 0666;
    struct stat old {};
    if (::stat(target.c_str(), &old) == 0) {
        const char* refusal = !S_ISREG(old.st_mode)          ? "\" is not a file."
                              : (old.st_mode & S_IWUSR) == 0 ? "\" is read-only."
                                                             : nullptr;
        if (refusal) {
            ::close(from);
            return {false, "\"" + target + refusal};
        }
        mode = old.st_mode & 07777;
    }
    std::string temporary = target + ".copying~XXXXXX";
    const int to = ::mkstemp(temporary.data()); // created new and exclusive
    if (to < 0) {
        const int error = errno;
        ::close(from);
        return {false, errorText("Cannot create", temporary, error)};
    }
    const bool copied = copyBytes(from, to) && ::fchmod(to, mode) == 0;
    const int error = errno;
    ::close(from);
    const bool closed = ::close(to) == 0;
    if (!copied || !closed) {
        ::unlink(temporary.c_str());
        return {false, errorText("Cannot write", temporary, copied ? EIO : error)};
    }
    if (::rename(temporary.c_str(), target.c_str()) != 0) {
        const int renameError = errno;
        ::unlink(temporary.c_str());
        return {false, errorText("Cannot replace", target, renameError)};
    }
    return {true, {}};
}
