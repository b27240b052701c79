#include <om/platform/number_text.h>

#include <gtest/gtest.h>

#include <clocale>
#include <cstdint>
#include <random>
#include <string>

namespace om {
namespace {

// Sets a locale for one test and restores the previous one.
class LocaleGuard {
  public:
    explicit LocaleGuard(char const* name) : saved_(std::setlocale(LC_ALL, nullptr)) {
        ok_ = std::setlocale(LC_ALL, name) != nullptr;
    }
    ~LocaleGuard() { std::setlocale(LC_ALL, saved_.c_str()); }
    bool ok() const { return ok_; }

  private:
    std::string saved_;
    bool ok_ = false;
};

// Independent grouping: insert the separator every three digits from the right.
std::string Grouped(std::uint32_t v, std::string const& sep) {
    std::string digits = std::to_string(v);
    for (int i = static_cast<int>(digits.size()) - 3; i > 0; i -= 3) digits.insert(i, sep);
    return digits;
}

TEST(NumberText, CLocaleGroupsWithCommaInBothWidths) {
    LocaleGuard locale("C");
    EXPECT_STREQ(om_itoa10_A(4294967295u), "4,294,967,295");  // the oracle itself, once by hand
    std::mt19937 rng(31);
    for (int i = 0; i < 1000; ++i) {
        std::uint32_t const v = i < 2 ? i * 999u : rng() >> (rng() % 32);
        std::string const narrow = Grouped(v, ",");
        ASSERT_EQ(std::string(om_itoa10_A(v)), narrow) << v;
        ASSERT_EQ(std::wstring(om_itoa10_W(v)), std::wstring(narrow.begin(), narrow.end())) << v;
    }
    // The result buffer is reused by the next call.
    char const* first = om_itoa10_A(1);
    om_itoa10_A(22);
    EXPECT_STREQ(first, "22");
}

// A multibyte separator stays one whole character (never a cut UTF-8 sequence).
TEST(NumberText, LocaleSeparatorIsUsedWhole) {
    LocaleGuard locale("de_CH.UTF-8");
    if (!locale.ok()) GTEST_SKIP() << "locale de_CH.UTF-8 not installed";
    std::string const sep = std::localeconv()->thousands_sep;
    if (sep.empty()) GTEST_SKIP() << "locale has no thousands separator";
    EXPECT_EQ(std::string(om_itoa10_A(1234567)), Grouped(1234567, sep));
    std::wstring const wide = om_itoa10_W(1234567);
    ASSERT_EQ(wide.size(), 9u);
    EXPECT_TRUE(wide[1] == wide[5] && wide[1] != L',');
}

}  // namespace
}  // namespace om
