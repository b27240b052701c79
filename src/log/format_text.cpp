#include "log/format_text.h"

#include <cerrno>
#include <cstdio>
#include <cwchar>
#include <vector>

namespace om::detail {
namespace {

// vswprintf reports -1 both for output that does not fit and for an encoding error, and the
// contents of the buffer after a truncation are left open by the C library. So the buffer grows
// until the whole output fits (up to a bound that keeps memory small) and the result is cut
// afterwards.
constexpr std::size_t kWideBufferLimit = std::size_t{1} << 16;

}  // namespace

std::string FormatNarrow(std::size_t maxLength, char const* format, va_list args) {
    if (format == nullptr) return {};
    std::vector<char> buffer(maxLength + 1, '\0');
    va_list copy;
    va_copy(copy, args);
    int const n = std::vsnprintf(buffer.data(), buffer.size(), format, copy);
    va_end(copy);
    if (n < 0) return {};
    return std::string(buffer.data());  // vsnprintf cuts and terminates by itself
}

std::wstring FormatWide(std::size_t maxLength, wchar_t const* format, va_list args) {
    if (format == nullptr) return {};
    std::size_t size = maxLength + 1;
    std::vector<wchar_t> buffer;
    for (;;) {
        buffer.assign(size, L'\0');
        va_list copy;
        va_copy(copy, args);
        errno = 0;
        int const n = std::vswprintf(buffer.data(), buffer.size(), format, copy);
        va_end(copy);
        if (n >= 0) break;
        bool const encodingError = errno == EILSEQ;
        if (encodingError || size >= kWideBufferLimit) {
            buffer.back() = L'\0';  // keep whatever was formatted, terminated
            break;
        }
        size = size * 2 < kWideBufferLimit ? size * 2 : kWideBufferLimit;
    }
    std::wstring text(buffer.data());
    if (text.size() > maxLength) text.resize(maxLength);
    return text;
}

}  // namespace om::detail
