#include <om/platform/progress_bar_router.h>

#include <cwchar>

namespace om {
namespace {

struct ProgressState {
    OmProgressBarRouter::HWND window = nullptr;
    unsigned int show_message = 0;
    unsigned int hide_message = 0;
    unsigned int pos_message = 0;
    wchar_t text[OmProgressBarRouter::kTextSize] = {};
    int lower = 0;
    int upper = 100;
    int pos = 0;
};

ProgressState& State() {
    static ProgressState state;
    return state;
}

unsigned int CachedMessage(unsigned int& cache, char const* name) {
    if (cache == 0) cache = sys::RegisterMessage(name);
    return cache;
}

}  // namespace

void OmProgressBarRouter::SetMsgHWND(HWND window) {
    State().window = window;
}

unsigned int OmProgressBarRouter::GetMsgShowProgressBar() {
    return CachedMessage(State().show_message, "MsgOmShowProgressbar");
}

unsigned int OmProgressBarRouter::GetMsgHideProgresBar() {
    return CachedMessage(State().hide_message, "MsgOmHideProgresBar");
}

unsigned int OmProgressBarRouter::GetMsgSetProgressBarPos() {
    return CachedMessage(State().pos_message, "MsgOmSetProgressBarPos");
}

int OmProgressBarRouter::ShowProgressBar(wchar_t const* text, int lower, int upper) {
    auto& state = State();
    std::size_t const length = (text == nullptr) ? 0 : std::wcslen(text);
    std::size_t const kept = (length < kTextSize) ? length : kTextSize - 1;
    if (kept != 0) std::wmemcpy(state.text, text, kept);
    state.text[kept] = L'\0';
    state.lower = lower;
    state.upper = upper;
    return Post(GetMsgShowProgressBar(), lower, upper);
}

int OmProgressBarRouter::HideProgressBar() {
    return Post(GetMsgHideProgresBar(), 0, 0);
}

int OmProgressBarRouter::SetProgressBarPos(int pos) {
    State().pos = pos;
    return Post(GetMsgSetProgressBarPos(), pos, 0);
}

wchar_t const* OmProgressBarRouter::GetProgressBarText() {
    return State().text;
}
int OmProgressBarRouter::GetProgressBarLower() {
    return State().lower;
}
int OmProgressBarRouter::GetProgressBarUpper() {
    return State().upper;
}
int OmProgressBarRouter::GetProgressBarPos() {
    return State().pos;
}

int OmProgressBarRouter::Post(unsigned int message, int wparam, int lparam) {
    HWND const window = State().window;
    if (window == nullptr) return 0;
    // The first parameter travels as an unsigned word: a negative value keeps its bit pattern,
    // as a window message's first parameter would.
    return sys::PostMessage(window, message,
                            static_cast<std::uintptr_t>(static_cast<std::intptr_t>(wparam)),
                            static_cast<std::intptr_t>(lparam));
}

}  // namespace om
