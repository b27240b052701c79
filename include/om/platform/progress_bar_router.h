// Routes progress-bar updates to a front-end window as window messages. The library stores the
// text and the numbers here and posts only the message; the front end's handler of the message
// reads the stored values back.
#pragma once

#include <om/sys/messages.h>

#include <cstddef>

namespace om {

class OmProgressBarRouter {
  public:
    using HWND = sys::WindowHandle;

    // Room of the progress text, terminator included.
    static constexpr std::size_t kTextSize = 1200;

    // The window that receives the messages; null means none (nothing is posted).
    static void SetMsgHWND(HWND window);

    // Message numbers registered under "MsgOmShowProgressbar", "MsgOmHideProgresBar" and
    // "MsgOmSetProgressBarPos" on first use.
    static unsigned int GetMsgShowProgressBar();
    static unsigned int GetMsgHideProgresBar();
    static unsigned int GetMsgSetProgressBarPos();

    // Stores text (cut to kTextSize - 1 characters; null counts as empty), lower and upper, then
    // posts the show message with (lower, upper). The result of the post, or 0 without a window.
    static int ShowProgressBar(wchar_t const* text, int lower, int upper);
    // Posts the hide message with (0, 0); 0 without a window.
    static int HideProgressBar();
    // Stores pos and posts the position message with (pos, 0); 0 without a window.
    static int SetProgressBarPos(int pos);

    static wchar_t const* GetProgressBarText();
    static int GetProgressBarLower();
    static int GetProgressBarUpper();
    static int GetProgressBarPos();

  private:
    static int Post(unsigned int message, int wparam, int lparam);
};

}  // namespace om
