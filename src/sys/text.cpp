#include <om/sys/text.h>

#include <cstdint>
#include <type_traits>

namespace om::sys {
namespace {

constexpr bool kWide16 = sizeof(wchar_t) == 2;

bool IsContinuation(unsigned char b) {
    return (b & 0xC0) == 0x80;
}

// Decodes the sequence at utf8[i]. On success returns the code point and sets `used`; on
// failure returns kReplacementChar with used = 1.
char32_t DecodeOne(std::string_view utf8, std::size_t i, std::size_t& used) {
    used = 1;
    auto const b0 = static_cast<unsigned char>(utf8[i]);
    if (b0 < 0x80) return b0;
    std::size_t need = 0;
    char32_t cp = 0;
    char32_t min = 0;
    if (b0 >= 0xC2 && b0 <= 0xDF) {
        need = 1, cp = b0 & 0x1F, min = 0x80;
    } else if (b0 >= 0xE0 && b0 <= 0xEF) {
        need = 2, cp = b0 & 0x0F, min = 0x800;
    } else if (b0 >= 0xF0 && b0 <= 0xF4) {
        need = 3, cp = b0 & 0x07, min = 0x10000;
    } else {
        return kReplacementChar;  // continuation byte, C0/C1 (always overlong) or F5..FF
    }
    if (utf8.size() - i <= need) return kReplacementChar;
    for (std::size_t k = 1; k <= need; ++k) {
        auto const b = static_cast<unsigned char>(utf8[i + k]);
        if (!IsContinuation(b)) return kReplacementChar;
        cp = (cp << 6) | (b & 0x3F);
    }
    bool const surrogate = cp >= 0xD800 && cp <= 0xDFFF;
    if (cp < min || cp > 0x10FFFF || surrogate) return kReplacementChar;
    used = need + 1;
    return cp;
}

void AppendUtf8(std::string& out, char32_t cp) {
    if (cp < 0x80) {
        out += static_cast<char>(cp);
    } else if (cp < 0x800) {
        out += static_cast<char>(0xC0 | (cp >> 6));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else if (cp < 0x10000) {
        out += static_cast<char>(0xE0 | (cp >> 12));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (cp >> 18));
        out += static_cast<char>(0x80 | ((cp >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    }
}

bool IsScalarValue(char32_t cp) {
    return cp <= 0x10FFFF && !(cp >= 0xD800 && cp <= 0xDFFF);
}

}  // namespace

std::wstring Utf8ToWide(std::string_view utf8) {
    std::wstring out;
    out.reserve(utf8.size());
    std::size_t i = 0;
    while (i < utf8.size()) {
        std::size_t used = 0;
        char32_t const cp = DecodeOne(utf8, i, used);
        i += used;
        if (kWide16 && cp >= 0x10000) {
            // A supplementary character needs a surrogate pair (two units for four bytes).
            char32_t const v = cp - 0x10000;
            out += static_cast<wchar_t>(0xD800 + (v >> 10));
            out += static_cast<wchar_t>(0xDC00 + (v & 0x3FF));
        } else {
            out += static_cast<wchar_t>(cp);
        }
    }
    return out;
}

std::string WideToUtf8(std::wstring_view wide) {
    std::string out;
    out.reserve(wide.size() * 2);
    for (std::size_t i = 0; i < wide.size(); ++i) {
        auto cp = static_cast<char32_t>(static_cast<std::make_unsigned_t<wchar_t>>(wide[i]));
        if (kWide16 && cp >= 0xD800 && cp <= 0xDBFF && i + 1 < wide.size()) {
            auto const lo = static_cast<char32_t>(static_cast<std::uint16_t>(wide[i + 1]));
            if (lo >= 0xDC00 && lo <= 0xDFFF) {
                cp = 0x10000 + ((cp - 0xD800) << 10) + (lo - 0xDC00);
                ++i;
            }
        }
        AppendUtf8(out, IsScalarValue(cp) ? cp : kReplacementChar);
    }
    return out;
}

}  // namespace om::sys
