#include <om/sys/debug_output.h>
#include <om/sys/text.h>

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <utility>

#include "om_test_time.h"

namespace {

using om::sys::Utf8ToWide;
using om::sys::WideToUtf8;

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
    om::sys::OutputDebugText(narrow);
    om::sys::OutputDebugText(wide);
    return testing::internal::GetCapturedStderr();
}

TEST(DebugOutput, StandardErrorOnlyWhenSwitchedOnUnlessASinkIsInstalled) {
    for (char const* off : {static_cast<char const*>(nullptr), "0", "", "yes", "1 "}) {
        omtest::ScopedEnv env("OMCORE_DEBUG", off);
        EXPECT_FALSE(om::sys::DebugOutputEnabledByEnvironment());
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
    EXPECT_FALSE(om::sys::SetNarrowDebugSink(nullptr) || om::sys::SetWideDebugSink(nullptr));
    EXPECT_EQ(StderrOf("back", L""), "back");
}

}  // namespace
