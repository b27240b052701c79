// printf-style output to the debugger output channel (see om/sys/debug_output.h).
#pragma once

// Lets the compiler check printf-style arguments against a literal format.
#ifndef OMCORE_PRINTF_FORMAT
#if defined(__GNUC__)
#define OMCORE_PRINTF_FORMAT(fmt, args) __attribute__((format(printf, fmt, args)))
#else
#define OMCORE_PRINTF_FORMAT(fmt, args)
#endif
#endif

namespace om {

// Longest output of one call in characters; longer output is cut.
inline constexpr int kDbgprintfMaxLength = 2499;

// Formats printf-style and sends the text to the debugger output without adding an end of
// line. Returns the number of characters sent. In the wide form, %ls prints a wide string and
// %s an 8-bit one (as with every wide printf on this platform). Pass ready text as an argument
// ("%s", text), never as the format.
int dbgprintf(char const* format, ...) OMCORE_PRINTF_FORMAT(1, 2);
int dbgprintf(wchar_t const* format, ...);

}  // namespace om
