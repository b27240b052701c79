// Splitting and building file names. The separators are "\", "/" and ":", where
// ":" counts only as the separator of a drive letter (position 1, as in
// "c:file"); "/" and "\" count everywhere. A separator or dot at position 0 is
// never looked at: "/x" has no directory part and ".bashrc" has no extension.
#pragma once

#include <om/core/string.h>

namespace om {

// The text after the last separator; the whole path when there is none.
String OmGetFilename(String const& path);

// The file name cut before its last dot; empty when the file name holds no dot
// after its first character ("readme" and ".bashrc" give "").
String OmGetFilenameNoExt(String const& path);

// The text before the last separator, without it; empty when there is none.
String OmGetPath(String const& path);

// The text after the last dot of the file name; the whole path when the file
// name holds no dot after its first character ("b.tar.gz" gives "gz", "readme"
// gives "readme"). A dot in a directory name is no extension: "a.b/c" gives
// "a.b/c".
String OmGetExtension(String const& path);

// The extension as above, but empty when there is none.
String OmGetExtensionOrEmpty(String const& path);

// Joins path and name: name alone when path is empty; else path, a separator
// unless path ends with one or name begins with one, then name. The separator
// added is "\" when path is already written with "\" (so "c:\dir" and "file"
// give "c:\dir\file"), and "/" otherwise, so that the result can be opened on
// this system.
String OmMakeFilename(String const& path, String const& name);

// Replaces the extension of the file name in path (the last dot after the file
// name's first character and everything after it) by a dot and ext, which is
// given without its dot; adds it when there is none.
void OmChangeFileExtension(String& path, String const& ext);

// True when the file system reports a file or a directory at path (UTF-8).
bool OmExistFile(String const& path);

}  // namespace om
