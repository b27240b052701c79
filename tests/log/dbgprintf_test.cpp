#include <om/log/dbgprintf.h>

#include <gtest/gtest.h>

#include <string>

#include "om_test_time.h"

namespace {

using om::dbgprintf;
using omtest::DebugRecorder;

TEST(Dbgprintf, FormatsWithoutAddingALineEnd) {
    DebugRecorder debug;
    EXPECT_EQ(dbgprintf("%d-%s", 42, "x"), 4);
    EXPECT_EQ(dbgprintf("%s", ""), 0);
    EXPECT_EQ(debug.narrow, "42-x");
    EXPECT_EQ(dbgprintf(L"%ls|%s|%.2f", L"\u00e4\u00f6", "ab", 1.5), 10);
    EXPECT_EQ(debug.wide, L"\u00e4\u00f6|ab|1.50");
    // Ready text as an argument stays verbatim.
    char const* text = "50% %s %n";
    dbgprintf("%s", text);
    dbgprintf(L"%s", text);
    EXPECT_EQ(debug.narrow, std::string("42-x") + text);
    EXPECT_EQ(debug.wide,
              L"\u00e4\u00f6|ab|1.50"
              L"50% %s %n");
}

TEST(Dbgprintf, OutputIsCutAt2499Characters) {
    DebugRecorder debug;
    std::string const narrow(3000, 'n');
    EXPECT_EQ(dbgprintf("%s!", narrow.c_str()), 2499);
    EXPECT_EQ(debug.narrow, std::string(2499, 'n'));
    std::wstring const wide(3000, L'w');
    EXPECT_EQ(dbgprintf(L"%ls!", wide.c_str()), 2499);
    EXPECT_EQ(debug.wide, std::wstring(2499, L'w'));
    EXPECT_EQ(dbgprintf(L"%2498d!", 1), 2499);  // exactly fits
    EXPECT_EQ(debug.wide.back(), L'!');
}

}  // namespace
