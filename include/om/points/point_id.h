// Numeric ids for alphanumeric point names.
#pragma once

namespace om {

// The id of a point name such as A12: the number made of the name's digits plus the base of its
// letter group (the other characters in order, compared exactly). The first group met in the
// process gets base 1000, the next 2000, and so on, so the same text always yields the same id,
// A12 and 12A share one, and B12 gets another. A text of digits only yields its number; null or
// empty text yields 0. The numeric part saturates at 2147483647 instead of overflowing. Ids of
// different groups collide once a numeric part reaches 1000.
//
// The group tables (one for each form) are process-wide and used from one thread. The wide form
// tests digits under the "de-CH" locale, or the classic one where that is not installed.
unsigned int GetIdFromAlphaNumericString(char const* text);
unsigned int GetIdFromAlphaNumericString(wchar_t const* text);

}  // namespace om
