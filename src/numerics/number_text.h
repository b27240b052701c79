// Internal helper shared by the numerics writers.
#pragma once

#include <charconv>
#include <ostream>

namespace om::detail {

// Room for any double in fixed notation with 7 decimals ("%.7f" of 1.8e308 has 317 characters).
inline constexpr int kFixedTextSize = 330;

// Writes v in the shortest form that reads back to the same double, independent of the stream's
// locale (a decimal comma would split the number into two tokens).
inline void WriteNumber(std::ostream& os, double v) {
    char buffer[32];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, v);
    os.write(buffer, result.ptr - buffer);
}

}  // namespace om::detail
