#include <om/platform/beep.h>
#include <om/platform/progress_bar_router.h>
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
    auto expect = [&host, &window](std::size_t i, unsigned int message, std::intptr_t wp,
                                   std::intptr_t lp) {
        EXPECT_EQ(host.posted[i].window, &window) << i;
        EXPECT_EQ(host.posted[i].message, message) << i;
        EXPECT_EQ(static_cast<std::intptr_t>(host.posted[i].wparam), wp) << i;
        EXPECT_EQ(host.posted[i].lparam, lp) << i;
    };
    expect(0, OmProgressBarRouter::GetMsgShowProgressBar(), -10, 200);
    expect(1, OmProgressBarRouter::GetMsgSetProgressBarPos(), 42, 0);
    expect(2, OmProgressBarRouter::GetMsgHideProgresBar(), 0, 0);
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

}  // namespace
}  // namespace om
