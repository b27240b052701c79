// The process's current directory and the system's temporary-files directory.
#pragma once

#include <string>

namespace om::sys {

// The current directory as an absolute path; empty when it cannot be determined (for instance
// when it has been removed).
std::string GetCurrentDirectory();

// Makes path the current directory; false (and no change) when that fails.
bool SetCurrentDirectory(char const* path);

// True for a root of the file system ("/", "//"), where nothing of the library belongs.
bool IsRootDirectory(char const* path);

// The directory for temporary files: $TMPDIR when it names a directory other than a root,
// else /tmp.
std::string GetTempDirectory();

}  // namespace om::sys
