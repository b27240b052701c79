// The debugger output channel: a process-wide sink for diagnostic text.
//
// The host may install its own sinks (a console window, an IDE pane). Without them, text goes
// to standard error when the environment variable OMCORE_DEBUG is "1", and nowhere otherwise,
// so that a library used in a product stays silent by default.
#pragma once

#include <functional>
#include <string_view>

namespace om::sys {

using NarrowDebugSink = std::function<void(std::string_view)>;
using WideDebugSink = std::function<void(std::wstring_view)>;

// Installs a sink for 8-bit text (UTF-8) and returns the one it replaces (empty for the
// default). An empty sink restores the default behaviour.
NarrowDebugSink SetNarrowDebugSink(NarrowDebugSink sink);

// Installs a sink for wide text and returns the one it replaces (empty for the default).
// An empty sink restores the default, which writes the text as UTF-8.
WideDebugSink SetWideDebugSink(WideDebugSink sink);

// Sends text to the debugger output unchanged (no end of line is added).
void OutputDebugText(std::string_view text);
void OutputDebugText(std::wstring_view text);

// True when OMCORE_DEBUG is set to "1" (the default sinks then write to standard error).
bool DebugOutputEnabledByEnvironment();

}  // namespace om::sys
