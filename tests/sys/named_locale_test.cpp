#include <om/sys/named_locale.h>

#include <gtest/gtest.h>

#include <clocale>
#include <string>

namespace {

TEST(SysNamedLocale, DigitsUnderAnInstalledOrMissingLocale) {
    std::string const before = std::setlocale(LC_ALL, nullptr);
    for (char const* tag : {"de-CH", "xx-NOWHERE"}) {
        for (wchar_t c = L'0'; c <= L'9'; ++c) EXPECT_TRUE(om::sys::IsDigitInLocale(c, tag));
        EXPECT_FALSE(om::sys::IsDigitInLocale(L'A', tag));
        EXPECT_FALSE(om::sys::IsDigitInLocale(L'\u00E9', tag));
        EXPECT_FALSE(om::sys::IsDigitInLocale(L'.', tag));
    }
    // A missing locale falls back to the classic one instead of throwing.
    EXPECT_EQ(om::sys::LocaleForTag("xx-NOWHERE"), std::locale::classic());
    // The process locale is left alone.
    EXPECT_EQ(std::string(std::setlocale(LC_ALL, nullptr)), before);
}

}  // namespace
