// The process's current directory as the place where the application writes its
// files.
#pragma once

namespace om {

// True when a test file ("OmritestWrite.txt") can be written in the current
// directory and read back; the file is deleted again.
bool IsCurrentPathWriteable();

// When the current directory is not writable, makes the system's
// temporary-files directory the current one. Returns the writability of the
// directory that is current afterwards.
bool SetCurrentPathToWriteAblePath();

// Makes path (UTF-8) the current directory, then calls
// SetCurrentPathToWriteAblePath. A path that cannot be entered leaves the
// current directory as it was before that call.
bool SetCurrentPathTo(char const* path);
bool SetCurrentPathTo(wchar_t const* path);

}  // namespace om
