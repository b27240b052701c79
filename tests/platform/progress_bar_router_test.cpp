#include <om/platform/beep.h>
#include <om/platform/progress_bar_router.h>
#include <om/sys/beep.h>
#include <om/sys/messages.h>

#include <gtest/gtest.h>

#include <string>
#include <tuple>
#include <vector>

namespace om {
namespace {

using Post = std::tuple<sys::WindowHandle, unsigned int, std::intptr_t, std::intptr_t>;

// Records every post while alive; uninstalls itself afterwards.
class RecordingHost {
  public:
    RecordingHost() {
        sys::SetPostMessageHandler(
            [this](sys::WindowHandle w, unsigned int m, std::uintptr_t wp, std::intptr_t lp) {
                posted.emplace_back(w, m, static_cast<std::intptr_t>(wp), lp);
                return 1;
            });
    }
    ~RecordingHost() {
        sys::SetPostMessageHandler(nullptr);
        OmProgressBarRouter::SetMsgHWND(nullptr);
    }
    std::vector<Post> posted;
};

// Runs first in this file's order: the initial state, and values stored without a window.
TEST(OmProgressBarRouter, StartsWithDefaultsAndStoresValuesWithoutWindow) {
    EXPECT_EQ(OmProgressBarRouter::GetProgressBarUpper(), 100);
    EXPECT_EQ(OmProgressBarRouter::GetProgressBarLower(), 0);
    EXPECT_STREQ(OmProgressBarRouter::GetProgressBarText(), L"");
    OmProgressBarRouter::SetMsgHWND(nullptr);
    EXPECT_EQ(OmProgressBarRouter::ShowProgressBar(L"Reading", 5, 50), 0);
    EXPECT_EQ(OmProgressBarRouter::SetProgressBarPos(17), 0);
    EXPECT_STREQ(OmProgressBarRouter::GetProgressBarText(), L"Reading");
    EXPECT_EQ(OmProgressBarRouter::GetProgressBarLower(), 5);
    EXPECT_EQ(OmProgressBarRouter::GetProgressBarUpper(), 50);
    EXPECT_EQ(OmProgressBarRouter::GetProgressBarPos(), 17);
}

// The front end finds the message numbers by name and gets the parameters with them.
TEST(OmProgressBarRouter, PostsRegisteredMessagesToTheWindow) {
    unsigned int const show = OmProgressBarRouter::GetMsgShowProgressBar();
    unsigned int const hide = OmProgressBarRouter::GetMsgHideProgresBar();
    unsigned int const pos = OmProgressBarRouter::GetMsgSetProgressBarPos();
    EXPECT_TRUE(show != 0 && show != hide && hide != pos && show != pos);
    EXPECT_EQ(sys::RegisterMessage("MsgOmShowProgressbar"), show);
    EXPECT_EQ(sys::RegisterMessage("MsgOmHideProgresBar"), hide);
    EXPECT_EQ(sys::RegisterMessage("MsgOmSetProgressBarPos"), pos);

    RecordingHost host;
    OmProgressBarRouter::SetMsgHWND(nullptr);
    EXPECT_EQ(OmProgressBarRouter::SetProgressBarPos(3), 0);  // no window: nothing posted
    int window = 0;
    OmProgressBarRouter::SetMsgHWND(&window);
    EXPECT_EQ(OmProgressBarRouter::ShowProgressBar(L"Bundle", -10, 200), 1);
    EXPECT_EQ(OmProgressBarRouter::SetProgressBarPos(42), 1);
    EXPECT_EQ(OmProgressBarRouter::HideProgressBar(), 1);
    EXPECT_EQ(host.posted,
              (std::vector<Post>{
                  {&window, show, -10, 200}, {&window, pos, 42, 0}, {&window, hide, 0, 0}}));
}

TEST(OmProgressBarRouter, LongTextIsCutAndNullTextIsEmpty) {
    std::wstring const long_text(5000, L'x');
    OmProgressBarRouter::ShowProgressBar(long_text.c_str(), 0, 1);
    EXPECT_EQ(std::wstring(OmProgressBarRouter::GetProgressBarText()),
              long_text.substr(0, OmProgressBarRouter::kTextSize - 1));
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
