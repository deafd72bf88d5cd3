#include "FileSystem.h"

#include <array>
#include <cerrno>
#include <chrono>
#include <climits>
#include <thread>

#include <dirent.h>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace files {
namespace {

std::error_code lastError() {
    return {errno, std::generic_category()};
}

Entry entryOf(const struct stat& info, bool writable) {
    Entry entry;
    if (S_ISREG(info.st_mode))
        entry.kind = Kind::File;
    else if (S_ISDIR(info.st_mode))
        entry.kind = Kind::Folder;
    else if (S_ISLNK(info.st_mode))
        entry.kind = Kind::Link;
    else
        entry.kind = Kind::Other;
    entry.size = static_cast<std::uint64_t>(info.st_size);
    entry.modified = std::int64_t(info.st_mtim.tv_sec) * 1'000'000'000 + info.st_mtim.tv_nsec;
    // The owner's write bit counts even where the process could write anyway (as root): the user
    // marked the file read-only.
    entry.writable = writable && (info.st_mode & S_IWUSR) != 0;
    entry.permissions = info.st_mode & 07777;
    return entry;
}

bool readAll(int fd, std::string& bytes, std::size_t expected, std::uint64_t limit) {
    // One byte more than the file holds, so the end shows without growing the buffer.
    bytes.resize(expected + 1);
    std::size_t done = 0;
    for (;;) {
        if (done == bytes.size()) {
            if (done > limit)
                return false; // grown past the limit since it was looked up
            bytes.resize(bytes.size() * 2);
        }
        const ssize_t got = ::read(fd, bytes.data() + done, bytes.size() - done);
        if (got < 0 && errno == EINTR)
            continue;
        if (got < 0)
            return false;
        if (got == 0)
            break;
        done += static_cast<std::size_t>(got);
    }
    bytes.resize(done);
    return done <= limit;
}

bool sameFile(const struct stat& a, const struct stat& b) {
    return a.st_ino == b.st_ino && a.st_dev == b.st_dev;
}

// Whether path names the file open at fd.
bool names(const std::string& path, int fd) {
    struct stat open {};
    struct stat named {};
    return ::fstat(fd, &open) == 0 && ::lstat(path.c_str(), &named) == 0 && sameFile(open, named);
}

// A descriptor only for taking the file's lock: a file its owner may write but not read is opened for
// writing, which changes nothing in it.
int openToLock(const std::string& path) {
    constexpr int kFlags = O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC | O_NOCTTY;
    const int fd = ::open(path.c_str(), O_RDONLY | kFlags);
    if (fd < 0 && errno == EACCES)
        return ::open(path.c_str(), O_WRONLY | kFlags);
    return fd;
}

bool lock(int fd, int how) {
    int locked = 0;
    while ((locked = ::flock(fd, how)) != 0 && errno == EINTR) {
    }
    return locked == 0;
}

} // namespace

Entry lookUp(const std::string& path, Links links) {
    struct stat info {};
    const int found = links == Links::Follow ? ::stat(path.c_str(), &info) : ::lstat(path.c_str(), &info);
    if (found != 0)
        return {};
    return entryOf(info, ::access(path.c_str(), W_OK) == 0);
}

ReadStatus readFile(const std::string& path, std::string& bytes, std::uint64_t limit,
                    std::error_code& error) {
    // Non-blocking, so that opening a FIFO returns at once instead of waiting for a writer.
    const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY);
    if (fd < 0) {
        error = lastError();
        return errno == ENOENT || errno == ENOTDIR ? ReadStatus::Missing : ReadStatus::Failed;
    }
    struct stat info {};
    ReadStatus status = ReadStatus::Read;
    if (::fstat(fd, &info) != 0) {
        error = lastError();
        status = ReadStatus::Failed;
    } else if (!S_ISREG(info.st_mode)) {
        status = ReadStatus::NotAFile;
    } else if (static_cast<std::uint64_t>(info.st_size) > limit) {
        status = ReadStatus::TooLarge;
    } else if (!readAll(fd, bytes, static_cast<std::size_t>(info.st_size), limit)) {
        error = lastError();
        status = bytes.size() > limit ? ReadStatus::TooLarge : ReadStatus::Failed;
    }
    ::close(fd);
    return status;
}

NewFile::~NewFile() {
    close();
}

std::error_code NewFile::create(const std::string& path, std::uint32_t permissions) {
    close();
    const int fd =
        ::open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, permissions ? 0600 : 0666);
    if (fd < 0)
        return lastError();
    // A clearing writer may have caught the name between its creation and this lock and removed it;
    // the name is then no longer this file's.
    if (!lock(fd, LOCK_EX) || !names(path, fd)) {
        ::close(fd);
        return std::make_error_code(std::errc::file_exists);
    }
    m_handle = fd;
    if (permissions != 0 && ::fchmod(fd, permissions) != 0)
        return lastError();
    return {};
}

std::error_code NewFile::write(std::string_view bytes) {
    std::size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t put = ::write(int(m_handle), bytes.data() + done, bytes.size() - done);
        if (put < 0 && errno == EINTR)
            continue;
        if (put < 0)
            return lastError();
        done += static_cast<std::size_t>(put);
    }
    return {};
}

std::error_code NewFile::flush() {
    return ::fsync(int(m_handle)) == 0 ? std::error_code() : lastError();
}

void NewFile::startFlush() {
#if defined(__linux__)
    ::sync_file_range(int(m_handle), 0, 0, SYNC_FILE_RANGE_WRITE);
#endif
}

std::error_code NewFile::setModified(std::int64_t nanoseconds) {
    const struct timespec times[2] = {
        {0, UTIME_OMIT}, {time_t(nanoseconds / 1'000'000'000), long(nanoseconds % 1'000'000'000)}};
    return ::futimens(int(m_handle), times) == 0 ? std::error_code() : lastError();
}

std::error_code NewFile::close() {
    if (m_handle == kNone)
        return {};
    const int fd = int(m_handle);
    m_handle = kNone;
    return ::close(fd) == 0 ? std::error_code() : lastError();
}

HeldFile::~HeldFile() {
    release();
}

std::error_code HeldFile::hold(const std::string& path) {
    release();
    const int fd = openToLock(path);
    if (fd < 0)
        return lastError();
    // Other saves hold it only for a moment; a program that keeps it locked is waited for a few
    // seconds, not for ever.
    const auto giveUp = std::chrono::steady_clock::now() + std::chrono::seconds(5);
    while (!lock(fd, LOCK_EX | LOCK_NB)) {
        const int code = errno;
        if (code != EWOULDBLOCK || std::chrono::steady_clock::now() > giveUp) {
            ::close(fd);
            return code == EWOULDBLOCK ? std::make_error_code(std::errc::device_or_resource_busy)
                                       : std::error_code(code, std::generic_category());
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    m_handle = fd;
    // Whoever held it before may have removed or renamed the name in the meantime.
    if (!isAt(path)) {
        release();
        return std::make_error_code(std::errc::no_such_file_or_directory);
    }
    return {};
}

bool HeldFile::isAt(const std::string& path) const {
    return m_handle != kNone && names(path, int(m_handle));
}

void HeldFile::release() {
    if (m_handle != kNone)
        ::close(int(m_handle));
    m_handle = kNone;
}

bool clearStale(const std::string& path) {
    struct stat named {};
    if (::lstat(path.c_str(), &named) != 0)
        return errno == ENOENT;
    if (!S_ISREG(named.st_mode))
        return ::unlink(path.c_str()) == 0; // a link is removed, never followed
    // A file that cannot be opened is left alone: its name may already be another writer's.
    const int fd = openToLock(path);
    if (fd < 0)
        return errno == ENOENT;
    bool free = false;
    // Removed only while locked and still under this name, so no living writer loses its file.
    if (lock(fd, LOCK_EX | LOCK_NB))
        free = names(path, fd) ? ::unlink(path.c_str()) == 0
                               : ::lstat(path.c_str(), &named) != 0 && errno == ENOENT;
    ::close(fd);
    return free;
}

std::error_code replace(const std::string& from, const std::string& to) {
    return ::rename(from.c_str(), to.c_str()) == 0 ? std::error_code() : lastError();
}

std::error_code hardLink(const std::string& existing, const std::string& name) {
    return ::link(existing.c_str(), name.c_str()) == 0 ? std::error_code() : lastError();
}

std::error_code remove(const std::string& path) {
    return ::unlink(path.c_str()) == 0 ? std::error_code() : lastError();
}

void syncFolder(const std::string& folder) {
    const int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd >= 0) {
        ::fsync(fd);
        ::close(fd);
    }
}

std::optional<std::string> linkTarget(const std::string& path) {
    std::array<char, PATH_MAX> target{};
    const ssize_t length = ::readlink(path.c_str(), target.data(), target.size());
    if (length <= 0 || static_cast<std::size_t>(length) >= target.size())
        return std::nullopt;
    return std::string(target.data(), static_cast<std::size_t>(length));
}

bool listFolder(const std::string& folder, const std::function<bool(std::string_view name)>& details,
                const std::function<bool(std::string_view name, const Entry& entry)>& visit) {
    DIR* dir = ::opendir(folder.empty() ? "." : folder.c_str());
    if (dir == nullptr)
        return false;
    while (const dirent* item = ::readdir(dir)) {
        const char* name = item->d_name;
        if (name[0] == '.' && (name[1] == '\0' || (name[1] == '.' && name[2] == '\0')))
            continue;
        // The listing usually tells the kind; a file's time costs a look-up, made only when asked.
        Entry entry;
        if (item->d_type == DT_REG)
            entry.kind = Kind::File;
        else if (item->d_type == DT_DIR)
            entry.kind = Kind::Folder;
        else if (item->d_type != DT_UNKNOWN && item->d_type != DT_LNK)
            entry.kind = Kind::Other;
        if (entry.kind == Kind::Missing || details(name)) {
            // An entry removed since it was listed, or a link to nothing, is told as missing.
            struct stat info {};
            entry = ::fstatat(::dirfd(dir), name, &info, 0) == 0 ? entryOf(info, true) : Entry{};
        }
        if (!visit(name, entry))
            break;
    }
    ::closedir(dir);
    return true;
}

bool localTime(std::time_t time, std::tm& local) {
    return ::localtime_r(&time, &local) != nullptr;
}

} // namespace files
