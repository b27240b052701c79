// The process locale: query, set and restore it.
//
// The C runtime keeps one locale per process; number conversions (strtod, printf) and character
// classes follow it. The text readers need the "C" locale while they run, and a few tests and
// services try a locale that may not be installed (for instance a Swiss German one), so both a
// scoped attempt and a shared, reference-counted pin to "C" are offered here.
#pragma once

#include <initializer_list>
#include <string>

namespace om::sys {

// The category that stands for every category of the locale (LC_ALL), so that callers need not
// include <clocale> themselves.
int LocaleCategoryAll();

// The name of the whole process locale, as the runtime reports it for all categories at once.
// When the categories differ this is the runtime's composite name, which SetProcessLocale accepts
// again to restore every category.
std::string ProcessLocaleName();

// Sets one category (or all, with LocaleCategoryAll()) to the named locale. False when the runtime
// does not know the name; the locale is then unchanged.
bool SetProcessLocale(int category, char const* name);

// Tries each candidate name in turn for the category and keeps the first one the runtime accepts;
// the destructor puts the whole locale back as it was. Active() tells whether any candidate could
// be set; when none could, the locale stays unchanged.
class ScopedLocale {
  public:
    ScopedLocale(int category, std::initializer_list<char const*> candidates);
    ~ScopedLocale();
    ScopedLocale(ScopedLocale const&) = delete;
    ScopedLocale& operator=(ScopedLocale const&) = delete;

    bool Active() const { return !name_.empty(); }
    // The candidate that was set, empty when none.
    std::string const& Name() const { return name_; }
    // The whole locale in force before.
    std::string const& Previous() const { return previous_; }

  private:
    std::string previous_;
    std::string name_;
};

// strtod as under the "C" locale, whatever the process locale is: the decimal point is '.'.
// Used where from_chars gives no value (overflow to +-HUGE_VAL, underflow to a subnormal or 0),
// so that those results match atof's.
double StrtodClassic(char const* text, char** end = nullptr);

// A shared pin of the whole process locale to "C". The first live pin saves the locale in force;
// every pin switches to "C"; when the last pin goes, the saved locale comes back.
// Pins may be created, copied and destroyed in any order (one thread).
class ClassicLocalePin {
  public:
    ClassicLocalePin();
    ClassicLocalePin(ClassicLocalePin const&);
    ClassicLocalePin& operator=(ClassicLocalePin const&) = default;  // both hold one pin already
    ~ClassicLocalePin();

    // Number of live pins in the process.
    static int Count();
};

}  // namespace om::sys
