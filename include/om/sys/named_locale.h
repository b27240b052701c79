// Named locales without touching the process locale.
#pragma once

#include <locale>
#include <string_view>

namespace om::sys {

// The locale of a language tag such as "de-CH" (tried as de_CH.UTF-8, de_CH.utf8 and de_CH),
// built once per tag and kept for the life of the process. When none of the names is installed
// the classic "C" locale stands in for it. Nothing here changes the process locale, so the
// result may be used while parsers have pinned that to "C".
std::locale const& LocaleForTag(std::string_view tag);

// True when c is a digit under the locale of the tag (see LocaleForTag).
bool IsDigitInLocale(wchar_t c, std::string_view tag);

}  // namespace om::sys
