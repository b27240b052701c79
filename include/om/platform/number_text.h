// Unsigned numbers as decimal text with thousands grouping, for display.
#pragma once

#include <cstdint>

namespace om {

// Decimal digits of value grouped by threes with the current locale's thousands separator (its
// first character), or "," when the locale has none: 1234567 gives "1,234,567" in the "C" locale.
// The text lies in a static buffer that the next call overwrites.
char const* om_itoa10_A(std::uint32_t value);
wchar_t const* om_itoa10_W(std::uint32_t value);

}  // namespace om
