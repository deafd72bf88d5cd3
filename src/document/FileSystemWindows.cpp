#include "FileSystem.h"

#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>

#include <algorithm>
#include <filesystem>

namespace files {
namespace {

// The lock a writer holds lies far past any byte a file can have: Windows locks are mandatory, and
// readers of the file must not be stopped by it.
constexpr DWORD kLockOffsetHigh = 0x7fffffff;

std::error_code lastError() {
    return {static_cast<int>(::GetLastError()), std::system_category()};
}

std::wstring wide(const std::string& path) {
    if (path.empty())
        return {};
    const int length = ::MultiByteToWideChar(CP_UTF8, 0, path.data(), int(path.size()), nullptr, 0);
    std::wstring result(static_cast<std::size_t>(length), L'\0');
    ::MultiByteToWideChar(CP_UTF8, 0, path.data(), int(path.size()), result.data(), length);
    return result;
}

std::string narrow(const wchar_t* text) {
    const int length = ::WideCharToMultiByte(CP_UTF8, 0, text, -1, nullptr, 0, nullptr, nullptr);
    if (length <= 1)
        return {};
    std::string result(static_cast<std::size_t>(length - 1), '\0');
    ::WideCharToMultiByte(CP_UTF8, 0, text, -1, result.data(), length, nullptr, nullptr);
    return result;
}

std::int64_t nanosecondsOf(FILETIME time) {
    // FILETIME counts 100 ns from 1601.
    const std::int64_t ticks = (std::int64_t(time.dwHighDateTime) << 32) | time.dwLowDateTime;
    return (ticks - 116444736000000000LL) * 100;
}

FILETIME fileTimeOf(std::int64_t nanoseconds) {
    const std::uint64_t ticks = std::uint64_t(nanoseconds / 100 + 116444736000000000LL);
    return {DWORD(ticks & 0xffffffffu), DWORD(ticks >> 32)};
}

Entry entryOf(DWORD attributes, DWORD sizeHigh, DWORD sizeLow, FILETIME written) {
    Entry entry;
    if (attributes & FILE_ATTRIBUTE_DIRECTORY)
        entry.kind = Kind::Folder;
    else if (attributes & FILE_ATTRIBUTE_DEVICE)
        entry.kind = Kind::Other;
    else
        entry.kind = Kind::File;
    entry.size = (std::uint64_t(sizeHigh) << 32) | sizeLow;
    entry.modified = nanosecondsOf(written);
    // A folder's read-only mark means nothing to Windows itself: its files can still be made.
    entry.writable = entry.kind == Kind::Folder || (attributes & FILE_ATTRIBUTE_READONLY) == 0;
    return entry;
}

HANDLE openExisting(const std::string& path, DWORD access, DWORD flags) {
    return ::CreateFileW(wide(path).c_str(), access, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                         nullptr, OPEN_EXISTING, flags, nullptr);
}

bool lockFar(HANDLE file, DWORD flags) {
    OVERLAPPED at{};
    at.OffsetHigh = kLockOffsetHigh;
    return ::LockFileEx(file, flags, 0, 1, 0, &at) != 0;
}

bool deletePending(HANDLE file) {
    FILE_STANDARD_INFO info{};
    return ::GetFileInformationByHandleEx(file, FileStandardInfo, &info, sizeof info) && info.DeletePending;
}

// Whether path names the file open as file.
bool names(const std::string& path, HANDLE file) {
    BY_HANDLE_FILE_INFORMATION open{};
    BY_HANDLE_FILE_INFORMATION named{};
    if (!::GetFileInformationByHandle(file, &open))
        return false;
    const HANDLE other = openExisting(path, FILE_READ_ATTRIBUTES, FILE_FLAG_OPEN_REPARSE_POINT);
    if (other == INVALID_HANDLE_VALUE)
        return false;
    const bool found = ::GetFileInformationByHandle(other, &named);
    ::CloseHandle(other);
    return found && open.dwVolumeSerialNumber == named.dwVolumeSerialNumber &&
           open.nFileIndexHigh == named.nFileIndexHigh && open.nFileIndexLow == named.nFileIndexLow;
}

} // namespace

Entry lookUp(const std::string& path, Links links) {
    WIN32_FILE_ATTRIBUTE_DATA data{};
    if (!::GetFileAttributesExW(wide(path).c_str(), GetFileExInfoStandard, &data))
        return {};
    if (links == Links::Keep && (data.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT)) {
        Entry link;
        link.kind = Kind::Link;
        return link;
    }
    return entryOf(data.dwFileAttributes, data.nFileSizeHigh, data.nFileSizeLow, data.ftLastWriteTime);
}

ReadStatus readFile(const std::string& path, std::string& bytes, std::uint64_t limit,
                    std::error_code& error) {
    const Entry entry = lookUp(path, Links::Follow);
    if (entry.kind == Kind::Missing)
        return ReadStatus::Missing;
    if (entry.kind != Kind::File)
        return ReadStatus::NotAFile;
    const HANDLE file = openExisting(path, GENERIC_READ, FILE_FLAG_SEQUENTIAL_SCAN);
    if (file == INVALID_HANDLE_VALUE) {
        error = lastError();
        return ReadStatus::Failed;
    }
    ReadStatus status = ReadStatus::Read;
    LARGE_INTEGER size{};
    if (::GetFileType(file) != FILE_TYPE_DISK) {
        status = ReadStatus::NotAFile; // a device or a pipe behind a file's name
    } else if (!::GetFileSizeEx(file, &size)) {
        error = lastError();
        status = ReadStatus::Failed;
    } else if (std::uint64_t(size.QuadPart) > limit) {
        status = ReadStatus::TooLarge;
    } else {
        bytes.resize(static_cast<std::size_t>(size.QuadPart));
        std::size_t done = 0;
        while (done < bytes.size()) {
            DWORD got = 0;
            const DWORD asked = DWORD(std::min<std::size_t>(bytes.size() - done, 1u << 30));
            if (!::ReadFile(file, bytes.data() + done, asked, &got, nullptr)) {
                error = lastError();
                status = ReadStatus::Failed;
                break;
            }
            if (got == 0)
                break;
            done += got;
        }
        bytes.resize(done);
    }
    ::CloseHandle(file);
    return status;
}

NewFile::~NewFile() {
    close();
}

std::error_code NewFile::create(const std::string& path, std::uint32_t) {
    close();
    // Shared for deleting so that the file can be renamed into place while it is still held.
    const HANDLE file = ::CreateFileW(wide(path).c_str(), GENERIC_WRITE | FILE_WRITE_ATTRIBUTES,
                                      FILE_SHARE_READ | FILE_SHARE_DELETE, nullptr, CREATE_NEW,
                                      FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        const DWORD code = ::GetLastError();
        if (code == ERROR_FILE_EXISTS || code == ERROR_ALREADY_EXISTS)
            return std::make_error_code(std::errc::file_exists);
        return {static_cast<int>(code), std::system_category()};
    }
    // A clearing writer may have caught the name between its creation and this lock and removed it.
    if (!lockFar(file, LOCKFILE_EXCLUSIVE_LOCK) || deletePending(file)) {
        ::CloseHandle(file);
        return std::make_error_code(std::errc::file_exists);
    }
    m_handle = reinterpret_cast<std::intptr_t>(file);
    return {};
}

std::error_code NewFile::write(std::string_view bytes) {
    const HANDLE file = reinterpret_cast<HANDLE>(m_handle);
    std::size_t done = 0;
    while (done < bytes.size()) {
        DWORD put = 0;
        const DWORD asked = DWORD(std::min<std::size_t>(bytes.size() - done, 1u << 30));
        if (!::WriteFile(file, bytes.data() + done, asked, &put, nullptr))
            return lastError();
        done += put;
    }
    return {};
}

std::error_code NewFile::flush() {
    return ::FlushFileBuffers(reinterpret_cast<HANDLE>(m_handle)) ? std::error_code() : lastError();
}

void NewFile::startFlush() {}

std::error_code NewFile::setModified(std::int64_t nanoseconds) {
    const FILETIME written = fileTimeOf(nanoseconds);
    return ::SetFileTime(reinterpret_cast<HANDLE>(m_handle), nullptr, nullptr, &written) ? std::error_code()
                                                                                         : lastError();
}

std::error_code NewFile::close() {
    if (m_handle == kNone)
        return {};
    const HANDLE file = reinterpret_cast<HANDLE>(m_handle);
    m_handle = kNone;
    return ::CloseHandle(file) ? std::error_code() : lastError();
}

HeldFile::~HeldFile() {
    release();
}

std::error_code HeldFile::hold(const std::string& path) {
    release();
    // A file held open cannot be replaced, so a writer waiting for the lock does not keep it open
    // meanwhile: it tries again in a moment, for a few seconds at most.
    const ULONGLONG giveUp = ::GetTickCount64() + 5000;
    HANDLE file = INVALID_HANDLE_VALUE;
    for (;;) {
        file = openExisting(path, GENERIC_READ, FILE_FLAG_OPEN_REPARSE_POINT);
        if (file == INVALID_HANDLE_VALUE) {
            const DWORD code = ::GetLastError();
            if (code == ERROR_FILE_NOT_FOUND || code == ERROR_PATH_NOT_FOUND)
                return std::make_error_code(std::errc::no_such_file_or_directory);
            return {static_cast<int>(code), std::system_category()};
        }
        if (lockFar(file, LOCKFILE_EXCLUSIVE_LOCK | LOCKFILE_FAIL_IMMEDIATELY))
            break;
        const DWORD code = ::GetLastError();
        ::CloseHandle(file);
        if (code != ERROR_LOCK_VIOLATION && code != ERROR_IO_PENDING)
            return {static_cast<int>(code), std::system_category()};
        if (::GetTickCount64() > giveUp)
            return std::make_error_code(std::errc::device_or_resource_busy);
        ::Sleep(1);
    }
    m_handle = reinterpret_cast<std::intptr_t>(file);
    // Whoever held it before may have removed or renamed the name in the meantime.
    if (deletePending(file) || !isAt(path)) {
        release();
        return std::make_error_code(std::errc::no_such_file_or_directory);
    }
    return {};
}

bool HeldFile::isAt(const std::string& path) const {
    return m_handle != kNone && names(path, reinterpret_cast<HANDLE>(m_handle));
}

void HeldFile::release() {
    if (m_handle != kNone)
        ::CloseHandle(reinterpret_cast<HANDLE>(m_handle));
    m_handle = kNone;
}

bool clearStale(const std::string& path) {
    const std::wstring name = wide(path);
    const DWORD attributes = ::GetFileAttributesW(name.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES)
        return ::GetLastError() == ERROR_FILE_NOT_FOUND;
    if (attributes & (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_REPARSE_POINT))
        return ::RemoveDirectoryW(name.c_str()) || ::DeleteFileW(name.c_str());
    const HANDLE file = openExisting(path, GENERIC_READ | DELETE, FILE_FLAG_OPEN_REPARSE_POINT);
    if (file == INVALID_HANDLE_VALUE)
        return ::GetLastError() == ERROR_FILE_NOT_FOUND;
    // Deleted through the handle that holds the lock, so what goes is the file found unheld: a writer
    // that made it but had not locked it yet finds it marked for deletion once it has the lock.
    FILE_DISPOSITION_INFO disposition{};
    disposition.DeleteFile = TRUE;
    const bool free =
        lockFar(file, LOCKFILE_EXCLUSIVE_LOCK | LOCKFILE_FAIL_IMMEDIATELY) &&
        ::SetFileInformationByHandle(file, FileDispositionInfo, &disposition, sizeof disposition);
    ::CloseHandle(file);
    return free;
}

std::error_code replace(const std::string& from, const std::string& to) {
    const std::wstring source = wide(from);
    const std::wstring target = wide(to);
    // A program that holds the target open blocks the rename for a moment (without sharing its
    // deletion, and under Wine even with it), as do other saves holding the album while they make their
    // backups: it is tried again for a few seconds before the save gives up.
    for (int attempt = 0;; ++attempt) {
        if (::MoveFileExW(source.c_str(), target.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
            return {};
        const DWORD code = ::GetLastError();
        if (attempt == 100 || (code != ERROR_ACCESS_DENIED && code != ERROR_SHARING_VIOLATION))
            return {static_cast<int>(code), std::system_category()};
        ::Sleep(50);
    }
}

std::error_code hardLink(const std::string& existing, const std::string& name) {
    if (::CreateHardLinkW(wide(name).c_str(), wide(existing).c_str(), nullptr))
        return {};
    const DWORD code = ::GetLastError();
    if (code == ERROR_ALREADY_EXISTS || code == ERROR_FILE_EXISTS)
        return std::make_error_code(std::errc::file_exists);
    return {static_cast<int>(code), std::system_category()};
}

std::error_code remove(const std::string& path) {
    return ::DeleteFileW(wide(path).c_str()) ? std::error_code() : lastError();
}

void syncFolder(const std::string&) {
    // The rename was made with write-through: Windows has nothing more to flush for a name.
}

std::optional<std::string> linkTarget(const std::string& path) {
    std::error_code error;
    const std::filesystem::path link(wide(path));
    if (!std::filesystem::is_symlink(link, error))
        return std::nullopt;
    const std::filesystem::path target = std::filesystem::read_symlink(link, error);
    if (error)
        return std::nullopt;
    return narrow(target.c_str());
}

bool listFolder(const std::string& folder, const std::function<bool(std::string_view name)>&,
                const std::function<bool(std::string_view name, const Entry& entry)>& visit) {
    std::string pattern = folder.empty() ? std::string(".") : folder;
    if (pattern.back() != '/' && pattern.back() != '\\')
        pattern += '\\';
    pattern += '*';
    WIN32_FIND_DATAW found{};
    // The listing carries every entry's time and size, so nothing is looked up one by one.
    const HANDLE search = ::FindFirstFileExW(wide(pattern).c_str(), FindExInfoBasic, &found,
                                             FindExSearchNameMatch, nullptr, FIND_FIRST_EX_LARGE_FETCH);
    if (search == INVALID_HANDLE_VALUE)
        return ::GetLastError() == ERROR_FILE_NOT_FOUND; // an empty drive root
    do {
        const std::string name = narrow(found.cFileName);
        if (name == "." || name == "..")
            continue;
        if (!visit(name, entryOf(found.dwFileAttributes, found.nFileSizeHigh, found.nFileSizeLow,
                                 found.ftLastWriteTime)))
            break;
    } while (::FindNextFileW(search, &found));
    ::FindClose(search);
    return true;
}

bool localTime(std::time_t time, std::tm& local) {
    return ::localtime_s(&local, &time) == 0;
}

} // namespace files
