#include <om/sys/locale.h>

#include <locale.h>
#include <clocale>
#include <cstdlib>

namespace om::sys {

int LocaleCategoryAll() {
    return LC_ALL;
}

std::string ProcessLocaleName() {
    // The runtime's buffer is overwritten by the next call: copy it at once.
    char const* name = std::setlocale(LC_ALL, nullptr);
    return name ? std::string(name) : std::string();
}

bool SetProcessLocale(int category, char const* name) {
    return name != nullptr && std::setlocale(category, name) != nullptr;
}

double StrtodClassic(char const* text, char** end) {
    // Built once and never freed: the runtime keeps locale objects for the life of the process.
    static locale_t const classic = newlocale(LC_ALL_MASK, "C", static_cast<locale_t>(nullptr));
    if (classic == static_cast<locale_t>(nullptr)) return std::strtod(text, end);
    return strtod_l(text, end, classic);
}

ScopedLocale::ScopedLocale(int category, std::initializer_list<char const*> candidates)
    : previous_(ProcessLocaleName()) {
    for (char const* candidate : candidates) {
        if (SetProcessLocale(category, candidate)) {
            name_ = candidate;
            break;
        }
    }
}

ScopedLocale::~ScopedLocale() {
    if (Active() && !previous_.empty()) SetProcessLocale(LC_ALL, previous_.c_str());
}

namespace {

struct PinState {
    int count = 0;
    std::string saved;
};

PinState& Pins() {
    static PinState state;
    return state;
}

void Acquire() {
    PinState& pins = Pins();
    if (pins.count++ == 0) pins.saved = ProcessLocaleName();
    // Again for every pin: a locale set while an earlier pin lives must not reach a new parser.
    std::setlocale(LC_ALL, "C");
}

}  // namespace

ClassicLocalePin::ClassicLocalePin() {
    Acquire();
}

ClassicLocalePin::ClassicLocalePin(ClassicLocalePin const&) {
    Acquire();
}

ClassicLocalePin::~ClassicLocalePin() {
    PinState& pins = Pins();
    if (--pins.count == 0 && !pins.saved.empty()) {
        std::setlocale(LC_ALL, pins.saved.c_str());
        pins.saved.clear();
    }
}

int ClassicLocalePin::Count() {
    return Pins().count;
}

}  // namespace om::sys
