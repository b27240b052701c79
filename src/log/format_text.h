// printf-style formatting into strings of bounded length (internal to the logging code).
#pragma once

#include <cstdarg>
#include <cstddef>
#include <string>

namespace om::detail {

// Formats like vsnprintf / vswprintf and cuts the result to at most maxLength characters.
// A format the runtime rejects (for example an 8-bit argument that is not valid in the current
// locale) yields the text formatted before the error, possibly empty. `args` is not consumed.
std::string FormatNarrow(std::size_t maxLength, char const* format, va_list args);
std::wstring FormatWide(std::size_t maxLength, wchar_t const* format, va_list args);

}  // namespace om::detail
