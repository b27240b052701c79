// What a front end hooks into or shows: progress-bar messages, runtime links between modules,
// beeps, numbers grouped for display.
#include <om/platform/beep.h>
#include <om/platform/number_text.h>
#include <om/platform/progress_bar_router.h>
#include <om/platform/runtime_linker.h>
#include <om/sys/beep.h>
#include <om/sys/messages.h>

#include <gtest/gtest.h>

#include <clocale>
#include <cstdint>
#include <random>
#include <string>
#include <tuple>
#include <vector>

namespace om {
namespace {

using Post = std::tuple<sys::WindowHandle, unsigned int, std::intptr_t, std::intptr_t>;
using Router = OmProgressBarRouter;

// Without a window the values are only stored (the text cut to the buffer) and nothing is posted.
// The front end finds the message numbers by name and gets the parameters with them.
TEST(OmProgressBarRouter, StoresValuesAndPostsRegisteredMessages) {
    std::vector<Post> posted;
    sys::SetPostMessageHandler(
        [&posted](sys::WindowHandle w, unsigned int m, std::uintptr_t wp, std::intptr_t lp) {
            posted.emplace_back(w, m, static_cast<std::intptr_t>(wp), lp);
            return 1;
        });
    Router::SetMsgHWND(nullptr);
    EXPECT_EQ(Router::ShowProgressBar(L"Reading", 5, 50), 0);
    EXPECT_EQ(Router::SetProgressBarPos(17), 0);
    EXPECT_STREQ(Router::GetProgressBarText(), L"Reading");
    EXPECT_TRUE(Router::GetProgressBarLower() == 5 && Router::GetProgressBarUpper() == 50 &&
                Router::GetProgressBarPos() == 17);
    std::wstring const long_text(5000, L'x');
    Router::ShowProgressBar(long_text.c_str(), 0, 1);
    EXPECT_EQ(Router::GetProgressBarText(), long_text.substr(0, Router::kTextSize - 1));
    Router::ShowProgressBar(nullptr, 0, 1);
    EXPECT_STREQ(Router::GetProgressBarText(), L"");

    unsigned int const show = sys::RegisterMessage("MsgOmShowProgressbar");
    unsigned int const hide = sys::RegisterMessage("MsgOmHideProgresBar");
    unsigned int const pos = sys::RegisterMessage("MsgOmSetProgressBarPos");
    EXPECT_TRUE(show != 0 && show != hide && hide != pos && show != pos);
    EXPECT_TRUE(Router::GetMsgShowProgressBar() == show && Router::GetMsgHideProgresBar() == hide &&
                Router::GetMsgSetProgressBarPos() == pos);
    int window = 0;
    Router::SetMsgHWND(&window);
    EXPECT_EQ(Router::ShowProgressBar(L"Bundle", -10, 200), 1);
    EXPECT_EQ(Router::SetProgressBarPos(42), 1);
    EXPECT_EQ(Router::HideProgressBar(), 1);
    sys::SetPostMessageHandler(nullptr);
    EXPECT_EQ(Router::SetProgressBarPos(3), 0);  // no host
    Router::SetMsgHWND(nullptr);
    EXPECT_EQ(posted,
              (std::vector<Post>{
                  {&window, show, -10, 200}, {&window, pos, 42, 0}, {&window, hide, 0, 0}}));
    sys::SetBeepHandler(nullptr);
    EXPECT_FALSE(OmriBeep(800, 50));
}

// A callee that records its calls and answers through the parameter record.
class Counter : public LinkHdl {
  public:
    long Increment(void* arg) {
        auto* parameter = static_cast<OmRuntimeParameter*>(arg);
        value += *static_cast<int*>(parameter->GetParameter());
        parameter->SetReturnvalue(&value);
        return value;
    }
    long RemoveItself(void*) { return OmRuntimeLinker::Instance()->Remove("linker_test.self"); }
    int value = 0;
};

TEST(OmRuntimeLinker, RegisterCallAndRemove) {
    auto* linker = OmRuntimeLinker::Instance();
    Counter counter;
    Link const link(&counter, &Counter::Increment);
    EXPECT_TRUE(linker->Register("linker_test.add", link));
    EXPECT_FALSE(linker->Register("linker_test.add", link));  // name already taken
    int step = 5;
    OmRuntimeParameter parameter;
    parameter.SetParameter(&step);
    EXPECT_TRUE(linker->Call("linker_test.add", parameter) &&
                linker->Call("linker_test.add", parameter));
    EXPECT_EQ(counter.value, 10);
    // The callee answers through the caller's record itself.
    EXPECT_EQ(parameter.GetReturnvalue(), &counter.value);
    EXPECT_FALSE(linker->Call("", parameter));
    EXPECT_TRUE(linker->Remove("linker_test.add"));
    EXPECT_FALSE(linker->Remove("linker_test.add") || linker->Call("linker_test.add", parameter));
    // A callee may remove its own entry while it is being called.
    ASSERT_TRUE(linker->Register("linker_test.self", Link(&counter, &Counter::RemoveItself)));
    EXPECT_TRUE(linker->Call("linker_test.self", parameter));
    EXPECT_FALSE(linker->Call("linker_test.self", parameter));
}

// Independent grouping: insert the separator every three digits from the right.
std::string Grouped(std::uint32_t v, std::string const& sep) {
    std::string digits = std::to_string(v);
    for (int i = static_cast<int>(digits.size()) - 3; i > 0; i -= 3) digits.insert(i, sep);
    return digits;
}

// Grouped by the locale's separator in both widths; a multibyte separator stays one whole
// character (never a cut UTF-8 sequence).
TEST(NumberText, GroupsWithTheLocaleSeparator) {
    std::string const saved = std::setlocale(LC_ALL, nullptr);
    std::setlocale(LC_ALL, "C");
    EXPECT_STREQ(om_itoa10_A(4294967295u), "4,294,967,295");  // the oracle itself, once by hand
    std::mt19937 rng(31);
    for (int i = 0; i < 1000; ++i) {
        std::uint32_t const v = i < 2 ? i * 999u : rng() >> (rng() % 32);
        std::string const narrow = Grouped(v, ",");
        ASSERT_EQ(std::string(om_itoa10_A(v)), narrow) << v;
        ASSERT_EQ(std::wstring(om_itoa10_W(v)), std::wstring(narrow.begin(), narrow.end())) << v;
    }
    // The result buffer is reused by the next call.
    char const* first = om_itoa10_A(1);
    om_itoa10_A(22);
    EXPECT_STREQ(first, "22");
    // The locale may be missing, or without a separator.
    if (std::setlocale(LC_ALL, "de_CH.UTF-8") != nullptr && *std::localeconv()->thousands_sep) {
        std::string const sep = std::localeconv()->thousands_sep;
        EXPECT_EQ(om_itoa10_A(1234567), Grouped(1234567, sep));
        std::wstring const wide = om_itoa10_W(1234567);
        EXPECT_TRUE(wide.size() == 9 && wide[1] == wide[5] && wide[1] != L',') << sep;
    }
    std::setlocale(LC_ALL, saved.c_str());
}

}  // namespace
}  // namespace om
