#include <om/points/point_id.h>

#include <om/sys/named_locale.h>

#include <climits>
#include <map>
#include <string>

namespace om {
namespace {

// Digits are accumulated as atoi would, but saturating at INT_MAX.
class DigitValue {
  public:
    void Add(int digit) {
        value_ = value_ > (INT_MAX - digit) / 10 ? INT_MAX : value_ * 10 + digit;
    }
    unsigned int Get() const { return static_cast<unsigned int>(value_); }

  private:
    int value_ = 0;
};

// Letter group -> base, and the next free base, for one character type.
template <class Char>
struct GroupTable {
    std::map<std::basic_string<Char>, unsigned int> bases;
    unsigned int next = 1000;

    unsigned int BaseOf(std::basic_string<Char> const& group) {
        auto [it, added] = bases.try_emplace(group, next);
        if (added) next += 1000;
        return it->second;
    }
};

template <class Char, class IsDigit>
unsigned int IdFromText(Char const* text, GroupTable<Char>& table, IsDigit is_digit) {
    if (text == nullptr) return 0;
    DigitValue n;
    std::basic_string<Char> group;
    for (; *text != Char{}; ++text) {
        if (is_digit(*text)) {
            n.Add(static_cast<int>(*text - Char('0')));
        } else {
            group += *text;
        }
    }
    if (group.empty()) return n.Get();
    return n.Get() + table.BaseOf(group);
}

}  // namespace

unsigned int GetIdFromAlphaNumericString(char const* text) {
    static GroupTable<char> table;
    return IdFromText(text, table, [](char c) { return c >= '0' && c <= '9'; });
}

unsigned int GetIdFromAlphaNumericString(wchar_t const* text) {
    static GroupTable<wchar_t> table;
    // Only 0-9 carry a value; a locale that classed other characters as digits would otherwise
    // add nonsense to the number.
    return IdFromText(text, table, [](wchar_t c) {
        return c >= L'0' && c <= L'9' && sys::IsDigitInLocale(c, "de-CH");
    });
}

}  // namespace om
