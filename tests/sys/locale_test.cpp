#include <om/sys/locale.h>
#include <om/sys/named_locale.h>

#include <gtest/gtest.h>

#include <clocale>
#include <memory>
#include <string>

namespace om::sys {
namespace {

std::string DecimalPoint() {
    return std::localeconv()->decimal_point;
}

// A locale set while pins live does not reach the next parser; the last pin to go, in any order,
// brings back the whole locale, also a composite one.
TEST(ProcessLocale, PinsRestoreAfterTheLastOneInAnyOrder) {
    ScopedLocale numeric(LC_NUMERIC, {"de_DE.UTF-8", "de_DE.utf8"});
    if (!numeric.Active()) GTEST_SKIP() << "no German locale installed";
    ScopedLocale rest(LC_CTYPE, {"C"});
    std::string const mixed = ProcessLocaleName();
    int const base = ClassicLocalePin::Count();
    auto a = std::make_unique<ClassicLocalePin>();
    auto b = std::make_unique<ClassicLocalePin>(*a);
    EXPECT_STREQ(std::setlocale(LC_ALL, nullptr), "C");
    ASSERT_TRUE(SetProcessLocale(LC_NUMERIC, numeric.Name().c_str()));
    {
        ClassicLocalePin again;
        EXPECT_EQ(ClassicLocalePin::Count(), base + 3);
        EXPECT_EQ(DecimalPoint(), ".");
    }
    a.reset();
    EXPECT_EQ(DecimalPoint(), ".");
    b.reset();
    EXPECT_EQ(ProcessLocaleName(), mixed);
    EXPECT_EQ(DecimalPoint(), ",");
}

// A missing locale falls back to the classic one instead of throwing; "de-CH" may be missing.
TEST(NamedLocale, MissingLocalesFallBack) {
    std::string const before = ProcessLocaleName();
    EXPECT_FALSE(SetProcessLocale(LocaleCategoryAll(), "xx_NOWHERE.none"));
    {
        ScopedLocale swiss(LC_ALL, {"de-CH", "de_CH.UTF-8", "de_CH.utf8", "C"});
        ASSERT_TRUE(swiss.Active());     // "C" is always there
        EXPECT_EQ(DecimalPoint(), ".");  // Swiss German uses a point too
    }
    for (char const* tag : {"de-CH", "xx-NOWHERE"}) {
        for (wchar_t c = L'0'; c <= L'9'; ++c) EXPECT_TRUE(IsDigitInLocale(c, tag));
        for (wchar_t c : {L'A', L'\u00E9', L'.'}) EXPECT_FALSE(IsDigitInLocale(c, tag));
    }
    EXPECT_EQ(LocaleForTag("xx-NOWHERE"), std::locale::classic());
    EXPECT_EQ(ProcessLocaleName(), before);
}

}  // namespace
}  // namespace om::sys
