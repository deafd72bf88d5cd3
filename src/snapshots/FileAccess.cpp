#include "FileAccess.h"

#include <cerrno>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

FileAccess fileAccess(const std::string& path) {
    struct stat info {};
    if (::stat(path.c_str(), &info) != 0)
        return errno == ENOENT || errno == ENOTDIR ? FileAccess::Missing : FileAccess::Unreadable;
    if (!S_ISREG(info.st_mode))
        return FileAccess::NotRegular;
    const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0)
        return errno == ENOENT ? FileAccess::Missing : FileAccess::Unreadable;
    ::close(fd);
    return FileAccess::Readable;
}
