#include <om/sys/file_attributes.h>

#include <sys/stat.h>

namespace om::sys {

FileAttributes GetFileAttributes(char const* path) {
    FileAttributes attributes;
    if (path == nullptr || *path == '\0') return attributes;
    struct stat info {};
    if (::stat(path, &info) != 0) return attributes;
    attributes.exists = true;
    attributes.directory = S_ISDIR(info.st_mode);
    attributes.regular = S_ISREG(info.st_mode);
    if (attributes.regular) attributes.size = static_cast<std::uint64_t>(info.st_size);
    return attributes;
}

bool PathExists(char const* path) {
    return GetFileAttributes(path).exists;
}

bool IsDirectory(char const* path) {
    return GetFileAttributes(path).directory;
}

}  // namespace om::sys
