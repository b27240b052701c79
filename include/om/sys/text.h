// Conversion between UTF-8 and wide text (wchar_t: UTF-32 where it is 32 bits, UTF-16 where it is
// 16).
#pragma once

#include <string>
#include <string_view>

namespace om::sys {

// The replacement character that stands for every byte sequence or code unit that cannot be
// converted.
inline constexpr char32_t kReplacementChar = 0xFFFD;

// Decodes UTF-8. Each byte that does not start a well-formed sequence (stray continuation bytes,
// truncated sequences, overlong forms, surrogates, values above U+10FFFF) becomes one U+FFFD, and
// decoding resumes at the next byte, so no input is ever skipped silently or read past its end.
// The result never has more code units than the input has bytes.
std::wstring Utf8ToWide(std::string_view utf8);

// Encodes wide text as UTF-8. Code units that are no Unicode scalar value (lone surrogates,
// values above U+10FFFF) become U+FFFD. At most four bytes are produced per code unit.
std::string WideToUtf8(std::wstring_view wide);

}  // namespace om::sys
