#include <om/log/dbgprintf.h>

#include <om/sys/debug_output.h>

#include <cstdarg>

#include "log/format_text.h"

namespace om {

int dbgprintf(char const* format, ...) {
    va_list args;
    va_start(args, format);
    std::string const text = detail::FormatNarrow(kDbgprintfMaxLength, format, args);
    va_end(args);
    sys::OutputDebugText(std::string_view(text));
    return static_cast<int>(text.size());
}

int dbgprintf(wchar_t const* format, ...) {
    va_list args;
    va_start(args, format);
    std::wstring const text = detail::FormatWide(kDbgprintfMaxLength, format, args);
    va_end(args);
    sys::OutputDebugText(std::wstring_view(text));
    return static_cast<int>(text.size());
}

}  // namespace om
