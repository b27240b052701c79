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

TEST(ProcessLocale, ScopedLocaleTakesTheFirstKnownCandidate) {
    std::string const before = ProcessLocaleName();
    EXPECT_FALSE(SetProcessLocale(LocaleCategoryAll(), "xx_NOWHERE.none"));
    EXPECT_FALSE(SetProcessLocale(LocaleCategoryAll(), nullptr));
    {
        ScopedLocale none(LC_ALL, {"xx_NOWHERE.none", "yy_NOWHERE"});
        EXPECT_FALSE(none.Active());
        EXPECT_TRUE(none.Name().empty());
        EXPECT_EQ(ProcessLocaleName(), before);
    }
    {
        ScopedLocale swiss(LC_ALL, {"de-CH", "de_CH.UTF-8", "de_CH.utf8", "C"});
        ASSERT_TRUE(swiss.Active());  // "C" is always there
        EXPECT_EQ(swiss.Previous(), before);
        EXPECT_EQ(DecimalPoint(), ".");  // Swiss German uses a point too
    }
    EXPECT_EQ(ProcessLocaleName(), before);
}

TEST(ProcessLocale, PinsRestoreAfterTheLastOneInAnyOrder) {
    ScopedLocale german(LC_ALL, {"de_DE.UTF-8", "de_DE.utf8"});
    if (!german.Active()) GTEST_SKIP() << "no German locale installed";
    std::string const before = ProcessLocaleName();
    int const base = ClassicLocalePin::Count();
    auto a = std::make_unique<ClassicLocalePin>();
    auto b = std::make_unique<ClassicLocalePin>(*a);
    auto c = std::make_unique<ClassicLocalePin>();
    EXPECT_EQ(ClassicLocalePin::Count(), base + 3);
    // A locale set while pins live does not reach the next parser: every pin switches to "C".
    ASSERT_TRUE(SetProcessLocale(LC_ALL, german.Name().c_str()));
    {
        ClassicLocalePin again;
        EXPECT_EQ(DecimalPoint(), ".");
    }
    a.reset();
    c.reset();
    EXPECT_EQ(DecimalPoint(), ".");
    b.reset();
    EXPECT_EQ(ClassicLocalePin::Count(), base);
    EXPECT_EQ(ProcessLocaleName(), before);
    EXPECT_EQ(DecimalPoint(), ",");

    // A composite locale (numeric differs from the rest) comes back whole.
    ScopedLocale numeric(LC_NUMERIC, {"de_DE.UTF-8", "de_DE.utf8"});
    ScopedLocale rest(LC_CTYPE, {"C"});
    std::string const mixed = ProcessLocaleName();
    {
        ClassicLocalePin pin;
        EXPECT_STREQ(std::setlocale(LC_ALL, nullptr), "C");
    }
    EXPECT_EQ(ProcessLocaleName(), mixed);
    EXPECT_EQ(DecimalPoint(), ",");
}

TEST(NamedLocale, DigitsUnderAnInstalledOrMissingLocale) {
    std::string const before = std::setlocale(LC_ALL, nullptr);
    for (char const* tag : {"de-CH", "xx-NOWHERE"}) {
        for (wchar_t c = L'0'; c <= L'9'; ++c) EXPECT_TRUE(IsDigitInLocale(c, tag));
        for (wchar_t c : {L'A', L'\u00E9', L'.'}) EXPECT_FALSE(IsDigitInLocale(c, tag));
    }
    // A missing locale falls back to the classic one instead of throwing.
    EXPECT_EQ(LocaleForTag("xx-NOWHERE"), std::locale::classic());
    EXPECT_EQ(std::string(std::setlocale(LC_ALL, nullptr)), before);
}

}  // namespace
}  // namespace om::sys
