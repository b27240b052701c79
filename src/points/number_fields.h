// Conversions of coordinate-line fields to numbers, with the results of the C library's atoi and
// atof but independent of the process locale and without undefined behaviour on overflow.
#pragma once

#include <cstddef>

#include "textio/int_text.h"

namespace om::points_detail {

// atoi of a field as a 32-bit pattern (see IntTextBits).
inline int FieldToInt(char const* text) {
    return textio_detail::IntTextBits(text);
}

// Leading blanks, then the longest prefix that is a decimal or hexadecimal floating-point
// number, "inf" or "nan"; no number gives 0. The decimal point is always '.'.
double FieldToDouble(char const* text);

// True when every character is a decimal digit (an empty
// text counts as digits only).
bool IsDigitsOnly(char const* text);

}  // namespace om::points_detail
