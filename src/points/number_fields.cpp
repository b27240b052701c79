#include "number_fields.h"

#include <om/sys/locale.h>

#include <charconv>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <limits>

namespace om::points_detail {
namespace {

bool IsSpace(char c) {
    return c == ' ' || (c >= '\t' && c <= '\r');
}
bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

}  // namespace

double FieldToDouble(char const* text) {
    if (text == nullptr) return 0.0;
    char const* p = text;
    while (IsSpace(*p)) ++p;
    char const* const end = p + std::strlen(p);
    bool negative = false;
    char const* q = p;
    if (*q == '+' || *q == '-') negative = *q++ == '-';
    if (*q == '+' || *q == '-') return 0.0;  // "+-1" is no number
    double v = 0.0;
    std::from_chars_result r{};
    if (q[0] == '0' && (q[1] == 'x' || q[1] == 'X') &&
        (IsDigit(q[2]) || (q[2] != '\0' && std::strchr("abcdefABCDEF.", q[2]) != nullptr))) {
        r = std::from_chars(q + 2, end, v, std::chars_format::hex);
    } else {
        r = std::from_chars(q, end, v, std::chars_format::general);
    }
    // Coordinate files are read without pinning the process locale: strtod must not see it.
    if (r.ec == std::errc::result_out_of_range) return sys::StrtodClassic(p);
    if (r.ec != std::errc()) return 0.0;
    return negative ? -v : v;
}

bool IsDigitsOnly(char const* text) {
    if (text == nullptr) return true;
    for (; *text != '\0'; ++text)
        if (!IsDigit(*text)) return false;
    return true;
}

}  // namespace om::points_detail
