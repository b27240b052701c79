// What the file system reports about a path, without opening it.
#pragma once

#include <cstdint>

namespace om::sys {

struct FileAttributes {
    bool exists = false;     // the path names something (after following symbolic links)
    bool directory = false;  // ... and it is a directory
    bool regular = false;    // ... and it is a regular file
    std::uint64_t size = 0;  // byte size of a regular file, 0 otherwise
};

// Attributes of path (UTF-8, as the file system takes it); all false for a null or empty path.
FileAttributes GetFileAttributes(char const* path);

// True when path names a file or a directory.
bool PathExists(char const* path);

// True when path names a directory.
bool IsDirectory(char const* path);

}  // namespace om::sys
