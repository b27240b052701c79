#include <om/platform/number_text.h>

#include <algorithm>
#include <climits>
#include <clocale>
#include <cstring>
#include <cwchar>
#include <string>

namespace om {
namespace {

// The locale's thousands separator as one character, decoded from its multibyte form; ','
// when the locale has none or it cannot be decoded.
wchar_t ThousandsSeparator() {
    char const* sep = std::localeconv()->thousands_sep;
    if (sep == nullptr || *sep == '\0') return L',';
    std::mbstate_t state{};
    wchar_t wide = 0;
    std::size_t const used = std::mbrtowc(&wide, sep, std::strlen(sep), &state);
    if (used == 0 || used == static_cast<std::size_t>(-1) || used == static_cast<std::size_t>(-2)) {
        return static_cast<wchar_t>(static_cast<unsigned char>(*sep));
    }
    return wide;
}

// The grouped digits as wide text.
std::wstring GroupedDigits(std::uint32_t value) {
    std::wstring digits = std::to_wstring(value);
    wchar_t const separator = ThousandsSeparator();
    std::wstring grouped;
    for (std::size_t i = 0; i < digits.size(); ++i) {
        if (i != 0 && (digits.size() - i) % 3 == 0) grouped += separator;
        grouped += digits[i];
    }
    return grouped;
}

}  // namespace

char const* om_itoa10_A(std::uint32_t value) {
    // Ten digits, three separators of at most MB_LEN_MAX bytes each, the terminator.
    static char text[64];
    std::wstring const grouped = GroupedDigits(value);
    std::mbstate_t state{};
    std::size_t out = 0;
    for (wchar_t c : grouped) {
        char bytes[MB_LEN_MAX];
        std::size_t n = std::wcrtomb(bytes, c, &state);
        if (n == static_cast<std::size_t>(-1)) {  // not representable in this locale
            bytes[0] = ',';
            n = 1;
        }
        if (out + n >= sizeof text) break;
        std::memcpy(text + out, bytes, n);
        out += n;
    }
    text[out] = '\0';
    return text;
}

wchar_t const* om_itoa10_W(std::uint32_t value) {
    static wchar_t text[32];
    std::wstring const grouped = GroupedDigits(value);
    std::size_t const n = std::min(grouped.size(), std::size(text) - 1);
    std::wmemcpy(text, grouped.data(), n);
    text[n] = L'\0';
    return text;
}

}  // namespace om
