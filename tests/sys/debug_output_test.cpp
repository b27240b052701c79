#include <om/sys/debug_output.h>

#include <gtest/gtest.h>

#include <string>

#include "om_test_time.h"

namespace {

using om::sys::OutputDebugText;

using DebugEnvironment = omtest::ScopedEnv;

std::string StderrOf(void (*write)()) {
    testing::internal::CaptureStderr();
    write();
    return testing::internal::GetCapturedStderr();
}

TEST(DebugOutput, DefaultIsSilentUnlessSwitchedOn) {
    auto const write = [] {
        OutputDebugText(std::string_view("narrow|"));
        OutputDebugText(std::wstring_view(L"wide"));
    };
    {
        DebugEnvironment env("OMCORE_DEBUG", nullptr);
        EXPECT_FALSE(om::sys::DebugOutputEnabledByEnvironment());
        EXPECT_EQ(StderrOf(write), "");
    }
    for (char const* off : {"0", "", "yes", "1 "}) {
        DebugEnvironment env("OMCORE_DEBUG", off);
        EXPECT_EQ(StderrOf(write), "") << "OMCORE_DEBUG=" << off;
    }
    DebugEnvironment env("OMCORE_DEBUG", "1");
    EXPECT_EQ(StderrOf(write), "narrow|wide");
}

TEST(DebugOutput, WideTextReachesStandardErrorAsUtf8) {
    DebugEnvironment env("OMCORE_DEBUG", "1");
    std::string const out = StderrOf([] {
        // e acute, a character outside the basic plane, a lone surrogate and a value beyond
        // Unicode (possible in a 32-bit wchar_t): the last two become U+FFFD.
        wchar_t const text[] = {L'\u00e9',
                                static_cast<wchar_t>(0x1F600),
                                static_cast<wchar_t>(0xD800),
                                static_cast<wchar_t>(0x110000),
                                L'.',
                                0};
        OutputDebugText(std::wstring_view(text));
    });
    EXPECT_EQ(out, "\xC3\xA9\xF0\x9F\x98\x80\xEF\xBF\xBD\xEF\xBF\xBD.");
}

TEST(DebugOutput, InstalledSinksReceiveTextAndRestore) {
    DebugEnvironment env("OMCORE_DEBUG", "1");
    {
        omtest::DebugRecorder recorder;
        std::string const out = StderrOf([] {
            OutputDebugText(std::string_view("a\nb"));
            OutputDebugText(std::wstring_view(L"\u00fc"));
        });
        EXPECT_EQ(out, "");  // a host sink replaces the default
        EXPECT_EQ(recorder.narrow, "a\nb");
        EXPECT_EQ(recorder.wide, L"\u00fc");
    }
    // The recorder put back the defaults (empty sinks).
    EXPECT_FALSE(om::sys::SetNarrowDebugSink(nullptr));
    EXPECT_FALSE(om::sys::SetWideDebugSink(nullptr));
    EXPECT_EQ(StderrOf([] { OutputDebugText(std::string_view("back")); }), "back");
}

}  // namespace
