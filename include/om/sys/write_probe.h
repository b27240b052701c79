// Finds out whether files can really be written at a place, by writing one and reading it back.
// Asking for permission bits is not enough: a read-only mount, a full disk or a quota stop writes
// that the bits allow.
#pragma once

namespace om::sys {

// Creates file_name (text mode), writes the current local time in the "%c" form and a line end,
// reads the line back and deletes the file. True when the file could be created and the text
// read back matches what was written. An existing file of that name is overwritten and removed.
bool ProbeWrite(char const* file_name);

}  // namespace om::sys
