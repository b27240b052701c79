#include <om/sys/directory.h>

#include <om/sys/file_attributes.h>

#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <filesystem>
#include <vector>

namespace om::sys {

std::string GetCurrentDirectory() {
    // Paths have no fixed upper bound; grow the buffer until getcwd fits (bounded, so that a
    // misbehaving system cannot make us allocate without end).
    for (std::size_t size = 256; size <= (1u << 20); size *= 2) {
        std::vector<char> buffer(size);
        if (::getcwd(buffer.data(), buffer.size()) != nullptr) return std::string(buffer.data());
        if (errno != ERANGE) break;
    }
    return {};
}

bool SetCurrentDirectory(char const* path) {
    if (path == nullptr || *path == '\0') return false;
    return ::chdir(path) == 0;
}

bool IsRootDirectory(char const* path) {
    return path != nullptr && *path != '\0' && !std::filesystem::path(path).has_relative_path();
}

std::string GetTempDirectory() {
    // A root given as TMPDIR would put every temporary file of the library at the top of the file
    // system: the system's own temporary directory is used instead.
    if (char const* tmpdir = std::getenv("TMPDIR");
        tmpdir != nullptr && IsDirectory(tmpdir) && !IsRootDirectory(tmpdir)) {
        return tmpdir;
    }
    return "/tmp";
}

}  // namespace om::sys
