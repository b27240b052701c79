#include <om/sys/named_locale.h>

#include <map>
#include <stdexcept>
#include <string>

namespace om::sys {
namespace {

std::locale MakeLocale(std::string_view tag) {
    std::string base(tag);
    for (char& c : base)
        if (c == '-') c = '_';
    for (char const* suffix : {".UTF-8", ".utf8", ""}) {
        try {
            return std::locale(base + suffix);
        } catch (std::runtime_error const&) {
            // not installed under this name; try the next one
        }
    }
    return std::locale::classic();
}

}  // namespace

std::locale const& LocaleForTag(std::string_view tag) {
    static std::map<std::string, std::locale, std::less<>> cache;
    auto it = cache.find(tag);
    if (it == cache.end()) it = cache.emplace(std::string(tag), MakeLocale(tag)).first;
    return it->second;
}

bool IsDigitInLocale(wchar_t c, std::string_view tag) {
    return std::isdigit(c, LocaleForTag(tag));
}

}  // namespace om::sys
