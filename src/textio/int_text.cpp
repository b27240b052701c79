#include "textio/int_text.h"

#include <cstdint>
#include <limits>

namespace om::textio_detail {

int IntTextBits(char const* text) {
    if (text == nullptr) return 0;
    char const* p = text;
    while (*p == ' ' || (*p >= '\t' && *p <= '\r')) ++p;
    bool negative = false;
    if (*p == '+' || *p == '-') negative = *p++ == '-';
    std::int64_t const limit = std::numeric_limits<std::int64_t>::max();
    std::int64_t v = 0;
    for (; *p >= '0' && *p <= '9'; ++p) {
        int const d = *p - '0';
        v = v > (limit - d) / 10 ? limit : v * 10 + d;
    }
    if (negative) v = -v;
    return static_cast<int>(static_cast<std::uint32_t>(static_cast<std::uint64_t>(v)));
}

}  // namespace om::textio_detail
