#include <om/core/wide_text.h>

#include <om/sys/text.h>

#include <cstring>
#include <cwchar>

namespace om {

AnsiToUni::AnsiToUni(char const* text) {
    if (text) Convert(text, std::strlen(text));
}
AnsiToUni::AnsiToUni(std::string const& text) {
    Convert(text.data(), text.size());
}
AnsiToUni::~AnsiToUni() = default;

void AnsiToUni::Convert(char const* text, std::size_t n) {
    if (n == 0) return;
    std::wstring const wide = sys::Utf8ToWide(std::string_view(text, n));
    // The decoder yields at most one unit per byte, so n + 1 units always suffice.
    buffer_ = std::make_unique<wchar_t[]>(n + 1);
    std::wmemcpy(buffer_.get(), wide.data(), wide.size());
    buffer_[wide.size()] = L'\0';
}

UniToAnsi::UniToAnsi(wchar_t const* text) {
    if (text) Convert(text, std::wcslen(text));
}
UniToAnsi::UniToAnsi(std::wstring const& text) {
    Convert(text.data(), text.size());
}
UniToAnsi::~UniToAnsi() = default;

void UniToAnsi::Convert(wchar_t const* text, std::size_t n) {
    if (n == 0) return;
    std::string const utf8 = sys::WideToUtf8(std::wstring_view(text, n));
    buffer_ = std::make_unique<char[]>(4 * n + 1);
    std::memcpy(buffer_.get(), utf8.data(), utf8.size());
    buffer_[utf8.size()] = '\0';
}

}  // namespace om
