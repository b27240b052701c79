#include <om/sys/locale.h>

#include <clocale>

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
    if (pins.count++ == 0) {
        pins.saved = ProcessLocaleName();
        std::setlocale(LC_ALL, "C");
    }
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
