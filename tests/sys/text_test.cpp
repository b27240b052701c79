#include <om/sys/debug_output.h>
#include <om/sys/locale.h>
#include <om/sys/named_locale.h>
#include <om/sys/text.h>

#include <gtest/gtest.h>

#include <clocale>
#include <memory>
#include <random>
#include <string>
#include <utility>

#include "om_test_time.h"

namespace om::sys {
namespace {

TEST(Utf8, EveryScalarValueRoundTrips) {
    std::wstring const wide = L"A\u00E9\u20AC\U0001F600\U0010FFFF";  // every encoding length
    EXPECT_EQ(WideToUtf8(wide), "A\xC3\xA9\xE2\x82\xAC\xF0\x9F\x98\x80\xF4\x8F\xBF\xBF");
    for (char32_t cp = 0; cp <= 0x10FFFF; cp += (cp < 0x800 ? 1 : 97)) {
        if (cp >= 0xD800 && cp <= 0xDFFF) continue;
        std::wstring const one(1, static_cast<wchar_t>(cp));
        ASSERT_EQ(Utf8ToWide(WideToUtf8(one)), one)
            << "U+" << std::hex << static_cast<unsigned>(cp);
    }
}

TEST(Utf8, InvalidBytesBecomeReplacementCharacters) {
    std::pair<std::string, std::wstring> const cases[] = {
        {"\x80", L"\uFFFD"},                                // stray continuation byte
        {"\xC0\x80", L"\uFFFD\uFFFD"},                      // overlong NUL
        {"\xED\xA0\x80", L"\uFFFD\uFFFD\uFFFD"},            // encoded surrogate
        {"\xF4\x90\x80\x80", L"\uFFFD\uFFFD\uFFFD\uFFFD"},  // above U+10FFFF
        {"a\xE2\x82", L"a\uFFFD\uFFFD"},                    // truncated at the end of the input
        {"\xE2\x82z", L"\uFFFD\uFFFDz"},  // truncated by an ASCII byte, which survives
        {std::string("\0b", 2), std::wstring(L"\0b", 2)},
    };
    for (auto const& [in, out] : cases) EXPECT_EQ(Utf8ToWide(in), out) << in;

    // A lone surrogate and a value beyond Unicode become U+FFFD.
    std::wstring const bad = {L'x', static_cast<wchar_t>(0xD800), static_cast<wchar_t>(0x110000)};
    EXPECT_EQ(WideToUtf8(bad), "x\xEF\xBF\xBD\xEF\xBF\xBD");

    // Random bytes decode to text that is valid UTF-8 and so converts back unchanged.
    std::mt19937 rng(7);
    std::uniform_int_distribution<int> byte(0, 255);
    for (int iter = 0; iter < 2000; ++iter) {
        std::string in(static_cast<std::size_t>(byte(rng) % 40), '\0');
        for (char& c : in) c = static_cast<char>(byte(rng));
        std::wstring const wide = Utf8ToWide(in);
        ASSERT_LE(wide.size(), in.size());
        std::string const clean = WideToUtf8(wide);
        ASSERT_LE(clean.size(), 4 * wide.size());
        ASSERT_EQ(Utf8ToWide(clean), wide);
    }
}

std::string StderrOf(std::string_view narrow, std::wstring_view wide) {
    testing::internal::CaptureStderr();
    OutputDebugText(narrow);
    OutputDebugText(wide);
    return testing::internal::GetCapturedStderr();
}

TEST(DebugOutput, StandardErrorOnlyWhenSwitchedOnUnlessASinkIsInstalled) {
    for (char const* off : {static_cast<char const*>(nullptr), "0", "", "yes", "1 "}) {
        omtest::ScopedEnv env("OMCORE_DEBUG", off);
        EXPECT_EQ(StderrOf("narrow|", L"wide"), "") << "OMCORE_DEBUG=" << (off ? off : "unset");
    }
    omtest::ScopedEnv env("OMCORE_DEBUG", "1");
    EXPECT_EQ(StderrOf("narrow|", L"\u00e9\U0001F600"), "narrow|\xC3\xA9\xF0\x9F\x98\x80");
    {
        omtest::DebugRecorder recorder;
        EXPECT_EQ(StderrOf("a\nb", L"\u00fc"), "");
        EXPECT_EQ(recorder.narrow, "a\nb");
        EXPECT_EQ(recorder.wide, L"\u00fc");
    }
    // The recorder put back the defaults (empty sinks).
    EXPECT_FALSE(SetNarrowDebugSink(nullptr) || SetWideDebugSink(nullptr));
    EXPECT_EQ(StderrOf("back", L""), "back");
}

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
    auto a = std::make_unique<ClassicLocalePin>();
    auto b = std::make_unique<ClassicLocalePin>(*a);
    EXPECT_STREQ(std::setlocale(LC_ALL, nullptr), "C");
    ASSERT_TRUE(SetProcessLocale(LC_NUMERIC, numeric.Name().c_str()));
    {
        ClassicLocalePin again;
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
