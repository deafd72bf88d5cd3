#pragma once
// Whether a path names a file the program can read: there, a regular file, and open for reading.
// Opened without waiting, so asking about a FIFO never blocks.

#include <string>

enum class FileAccess { Missing, NotRegular, Unreadable, Readable };

FileAccess fileAccess(const std::string& path);
