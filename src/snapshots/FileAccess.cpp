#include "FileAccess.h"

#include "document/FileSystem.h"

FileAccess fileAccess(const std::string& path) {
    // A read allowed no bytes opens the file and tells what it is without reading any of it: a
    // regular file with content is only "too large".
    std::string none;
    std::error_code error;
    switch (files::readFile(path, none, 0, error)) {
    case files::ReadStatus::Missing:
        return FileAccess::Missing;
    case files::ReadStatus::NotAFile:
        return FileAccess::NotRegular;
    case files::ReadStatus::Failed:
        return FileAccess::Unreadable;
    case files::ReadStatus::Read:
    case files::ReadStatus::TooLarge:
        break;
    }
    return FileAccess::Readable;
}
