// Conversions of coordinate-line fields to numbers, with the results of the C library's atoi and
// atof but independent of the process locale and without undefined behaviour on overflow.
#pragma once

#include <cstddef>

namespace om::points_detail {

// Leading blanks, an optional sign and decimal digits; the rest is ignored; no digits give 0.
// The value is accumulated in 64 bits (saturating) and then taken modulo 2^32 as an int, as
// glibc's atoi does, so that unsigned 32-bit ids written as numbers read back unchanged.
int FieldToInt(char const* text);

// Leading blanks, then the longest prefix that is a decimal or hexadecimal floating-point
// number, "inf" or "nan"; no number gives 0. The decimal point is always '.'.
double FieldToDouble(char const* text);

// True when every character is a decimal digit (an empty
// text counts as digits only).
bool IsDigitsOnly(char const* text);

}  // namespace om::points_detail
