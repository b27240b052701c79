#include <om/sys/locale.h>

<<<<<<< HEAD
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
=======
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
>>>>>>> main
        }

        }  // namespace

<<<<<<< HEAD
        std::locale const& LocaleForTag(std::string_view tag) {
            static std::map<std::string, std::locale, std::less<>> cache;
            auto it = cache.find(tag);
            if (it == cache.end()) it = cache.emplace(std::string(tag), MakeLocale(tag)).first;
            return it->second;
        }

        bool IsDigitInLocale(wchar_t c, std::string_view tag) {
            return std::isdigit(c, LocaleForTag(tag));
=======
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
>>>>>>> main
        }

        }  // namespace om::sys
