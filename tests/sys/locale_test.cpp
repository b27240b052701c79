#include <om/sys/locale.h>

#include <gtest/gtest.h>

#include <clocale>
#include <memory>

namespace om::sys {
namespace {

TEST(ProcessLocale, UnknownNamesLeaveTheLocaleAlone) {
    std::string const before = ProcessLocaleName();
    EXPECT_FALSE(SetProcessLocale(LocaleCategoryAll(), "xx_NOWHERE.none"));
    EXPECT_FALSE(SetProcessLocale(LocaleCategoryAll(), nullptr));
    {
        ScopedLocale none(LC_ALL, {"xx_NOWHERE.none", "yy_NOWHERE"});
        EXPECT_FALSE(none.Active());
        EXPECT_TRUE(none.Name().empty());
        EXPECT_EQ(ProcessLocaleName(), before);
    }
    EXPECT_EQ(ProcessLocaleName(), before);
}

TEST(ProcessLocale, ScopedLocaleTakesTheFirstKnownCandidate) {
    std::string const before = ProcessLocaleName();
    {
        ScopedLocale swiss(LC_ALL, {"de-CH", "de_CH.UTF-8", "de_CH.utf8", "C"});
        ASSERT_TRUE(swiss.Active());  // "C" is always there
        EXPECT_EQ(swiss.Previous(), before);
        if (swiss.Name() != "C") {
            // Swiss German groups thousands with an apostrophe-like mark and uses a point.
            EXPECT_STREQ(std::localeconv()->decimal_point, ".");
        }
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
    EXPECT_STREQ(std::localeconv()->decimal_point, ".");
    a.reset();
    c.reset();
    EXPECT_STREQ(std::localeconv()->decimal_point, ".");
    b.reset();
    EXPECT_EQ(ClassicLocalePin::Count(), base);
    EXPECT_EQ(ProcessLocaleName(), before);
    EXPECT_STREQ(std::localeconv()->decimal_point, ",");
}

TEST(ProcessLocale, MixedCategoriesComeBackWhole) {
    ScopedLocale german(LC_NUMERIC, {"de_DE.UTF-8", "de_DE.utf8"});
    if (!german.Active()) GTEST_SKIP() << "no German locale installed";
    std::string const mixed = ProcessLocaleName();  // composite: numeric differs from the rest
    {
        ClassicLocalePin pin;
        EXPECT_STREQ(std::setlocale(LC_ALL, nullptr), "C");
    }
    EXPECT_EQ(ProcessLocaleName(), mixed);
    EXPECT_STREQ(std::localeconv()->decimal_point, ",");
}

}  // namespace
}  // namespace om::sys
