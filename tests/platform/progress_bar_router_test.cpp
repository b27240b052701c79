#include <om/platform/beep.h>
#include <om/platform/progress_bar_router.h>
#include <om/platform/system_environment.h>
#include <om/platform/valid_pointer.h>
#include <om/sys/beep.h>
#include <om/sys/messages.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace om {
namespace {

struct Posted {
    sys::WindowHandle window;
    unsigned int message;
    std::uintptr_t wparam;
    std::intptr_t lparam;
};

// Records every post while alive; uninstalls itself afterwards.
class RecordingHost {
  public:
    RecordingHost() {
        sys::SetPostMessageHandler(
            [this](sys::WindowHandle w, unsigned int m, std::uintptr_t wp, std::intptr_t lp) {
                posted.push_back({w, m, wp, lp});
                return 1;
            });
    }
    ~RecordingHost() {
        sys::SetPostMessageHandler(nullptr);
        OmProgressBarRouter::SetMsgHWND(nullptr);
    }
    std::vector<Posted> posted;
};

// Runs first in this file's order: the initial state before any call.
TEST(OmProgressBarRouter, StartsWithDefaultsAndStoresValuesWithoutWindow) {
    EXPECT_EQ(OmProgressBarRouter::GetProgressBarUpper(), 100);
    EXPECT_EQ(OmProgressBarRouter::GetProgressBarLower(), 0);
    EXPECT_EQ(OmProgressBarRouter::GetProgressBarPos(), 0);
    EXPECT_STREQ(OmProgressBarRouter::GetProgressBarText(), L"");

    OmProgressBarRouter::SetMsgHWND(nullptr);
    EXPECT_EQ(OmProgressBarRouter::ShowProgressBar(L"Reading", 5, 50), 0);
    EXPECT_STREQ(OmProgressBarRouter::GetProgressBarText(), L"Reading");
    EXPECT_EQ(OmProgressBarRouter::GetProgressBarLower(), 5);
    EXPECT_EQ(OmProgressBarRouter::GetProgressBarUpper(), 50);
    EXPECT_EQ(OmProgressBarRouter::SetProgressBarPos(17), 0);
    EXPECT_EQ(OmProgressBarRouter::GetProgressBarPos(), 17);
    EXPECT_EQ(OmProgressBarRouter::HideProgressBar(), 0);
}

TEST(OmProgressBarRouter, MessageNumbersAreRegisteredByName) {
    unsigned int const show = OmProgressBarRouter::GetMsgShowProgressBar();
    unsigned int const hide = OmProgressBarRouter::GetMsgHideProgresBar();
    unsigned int const pos = OmProgressBarRouter::GetMsgSetProgressBarPos();
    EXPECT_NE(show, 0u);
    EXPECT_NE(show, hide);
    EXPECT_NE(hide, pos);
    EXPECT_NE(show, pos);
    // The front end finds the same numbers by the names.
    EXPECT_EQ(sys::RegisterMessage("MsgOmShowProgressbar"), show);
    EXPECT_EQ(sys::RegisterMessage("MsgOmHideProgresBar"), hide);
    EXPECT_EQ(sys::RegisterMessage("MsgOmSetProgressBarPos"), pos);
}

TEST(OmProgressBarRouter, PostsToTheWindowWithTheirParameters) {
    RecordingHost host;
    // A post function without a window posts nothing.
    OmProgressBarRouter::SetMsgHWND(nullptr);
    EXPECT_EQ(OmProgressBarRouter::SetProgressBarPos(3), 0);
    EXPECT_TRUE(host.posted.empty());

    int window = 0;
    OmProgressBarRouter::SetMsgHWND(&window);
    EXPECT_EQ(OmProgressBarRouter::ShowProgressBar(L"Bundle", -10, 200), 1);
    EXPECT_EQ(OmProgressBarRouter::SetProgressBarPos(42), 1);
    EXPECT_EQ(OmProgressBarRouter::HideProgressBar(), 1);
    ASSERT_EQ(host.posted.size(), 3u);
    EXPECT_EQ(host.posted[0].window, &window);
    EXPECT_EQ(host.posted[0].message, OmProgressBarRouter::GetMsgShowProgressBar());
    EXPECT_EQ(static_cast<std::intptr_t>(host.posted[0].wparam), -10);
    EXPECT_EQ(host.posted[0].lparam, 200);
    EXPECT_EQ(host.posted[1].message, OmProgressBarRouter::GetMsgSetProgressBarPos());
    EXPECT_EQ(host.posted[1].wparam, 42u);
    EXPECT_EQ(host.posted[1].lparam, 0);
    EXPECT_EQ(host.posted[2].message, OmProgressBarRouter::GetMsgHideProgresBar());
    EXPECT_EQ(host.posted[2].wparam, 0u);
    EXPECT_EQ(host.posted[2].lparam, 0);
    EXPECT_STREQ(OmProgressBarRouter::GetProgressBarText(), L"Bundle");
}

TEST(OmProgressBarRouter, LongTextIsCutAndNullTextIsEmpty) {
    std::wstring const long_text(5000, L'x');
    OmProgressBarRouter::ShowProgressBar(long_text.c_str(), 0, 1);
    std::wstring const stored = OmProgressBarRouter::GetProgressBarText();
    EXPECT_EQ(stored.size(), OmProgressBarRouter::kTextSize - 1);
    EXPECT_EQ(stored, long_text.substr(0, OmProgressBarRouter::kTextSize - 1));

    std::wstring const fits(OmProgressBarRouter::kTextSize - 1, L'y');
    OmProgressBarRouter::ShowProgressBar(fits.c_str(), 0, 1);
    EXPECT_EQ(std::wstring(OmProgressBarRouter::GetProgressBarText()), fits);

    OmProgressBarRouter::ShowProgressBar(nullptr, 0, 1);
    EXPECT_STREQ(OmProgressBarRouter::GetProgressBarText(), L"");
}

TEST(OmriBeep, DependsOnTheHostsBeeper) {
    sys::SetBeepHandler(nullptr);
    EXPECT_FALSE(OmriBeep(800, 50));
    sys::SetBeepHandler([](unsigned int f, unsigned int d) { return f == 800 && d == 50; });
    EXPECT_TRUE(OmriBeep(800, 50));
    EXPECT_FALSE(OmriBeep(1, 1));
    sys::SetBeepHandler(nullptr);
}

TEST(IsValidPointer, TestsForNullOnly) {
    EXPECT_FALSE(IsValidPointer(nullptr));
    int x = 0;
    EXPECT_TRUE(IsValidPointer(&x));
    // Never read through: a dangling but non-null address is only reported as non-null.
    EXPECT_TRUE(IsValidPointer(reinterpret_cast<void const*>(std::uintptr_t{16})));
}

TEST(OmSystemEnviroment, StartsAtZeroAndKeepsSettings) {
    EXPECT_EQ(OmSystemEnviroment::GetOperatingSystem(), 0);
    EXPECT_EQ(OmSystemEnviroment::GetRunningMode(), 0);
    OmSystemEnviroment::SetOperatingSystem(eOperatingSystemLinux);
    OmSystemEnviroment::SetRunningMode(eOmriRunningModeBatch);
    EXPECT_EQ(OmSystemEnviroment::GetOperatingSystem(), eOperatingSystemLinux);
    EXPECT_EQ(OmSystemEnviroment::GetRunningMode(), eOmriRunningModeBatch);
    OmSystemEnviroment::SetOperatingSystem(eOperatingSystemUnknown);
    OmSystemEnviroment::SetRunningMode(eOmriRunningModeDefault);
}

}  // namespace
}  // namespace om
