// Integer text as a 32-bit pattern, shared by every reader of identifiers and flag words.
#pragma once

namespace om::textio_detail {

// Leading blanks, an optional sign and decimal digits; the rest is ignored; no digits give 0.
// The value is accumulated in 64 bits (saturating) and then taken modulo 2^32 as an int, as
// glibc's atoi does, so that unsigned 32-bit values written as numbers (ids up to 4294967295)
// read back unchanged where a saturating int conversion would stop at 2147483647.
int IntTextBits(char const* text);

}  // namespace om::textio_detail
