#include <om/sys/debug_output.h>

#include <gtest/gtest.h>

#include <string>

#include "om_test_time.h"

namespace {

using om::sys::OutputDebugText;

std::string StderrOf(std::string_view narrow, std::wstring_view wide) {
    testing::internal::CaptureStderr();
    OutputDebugText(narrow);
    OutputDebugText(wide);
    return testing::internal::GetCapturedStderr();
}

TEST(DebugOutput, StandardErrorOnlyWhenSwitchedOn) {
    for (char const* off : {static_cast<char const*>(nullptr), "0", "", "yes", "1 "}) {
        omtest::ScopedEnv env("OMCORE_DEBUG", off);
        EXPECT_FALSE(om::sys::DebugOutputEnabledByEnvironment());
        EXPECT_EQ(StderrOf("narrow|", L"wide"), "") << "OMCORE_DEBUG=" << (off ? off : "unset");
    }
    omtest::ScopedEnv env("OMCORE_DEBUG", "1");
    EXPECT_EQ(StderrOf("narrow|", L"wide"), "narrow|wide");
    // Wide text as UTF-8; a lone surrogate and a value beyond Unicode become U+FFFD.
    wchar_t const text[] = {L'\u00e9',
                            static_cast<wchar_t>(0x1F600),
                            static_cast<wchar_t>(0xD800),
                            static_cast<wchar_t>(0x110000),
                            L'.',
                            0};
    EXPECT_EQ(StderrOf("", text), "\xC3\xA9\xF0\x9F\x98\x80\xEF\xBF\xBD\xEF\xBF\xBD.");
}

TEST(DebugOutput, InstalledSinksReplaceTheDefaultAndRestore) {
    omtest::ScopedEnv env("OMCORE_DEBUG", "1");
    {
        omtest::DebugRecorder recorder;
        EXPECT_EQ(StderrOf("a\nb", L"\u00fc"), "");
        EXPECT_EQ(recorder.narrow, "a\nb");
        EXPECT_EQ(recorder.wide, L"\u00fc");
    }
    // The recorder put back the defaults (empty sinks).
    EXPECT_FALSE(om::sys::SetNarrowDebugSink(nullptr));
    EXPECT_FALSE(om::sys::SetWideDebugSink(nullptr));
    EXPECT_EQ(StderrOf("back", L""), "back");
}

}  // namespace
