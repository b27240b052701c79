// Window messages to the front end: a process-local registry that gives each message name a
// number, and a post function that the front end installs. The library itself has no windows; it
// only names its messages and hands them to whatever the host has installed.
#pragma once

#include <cstdint>
#include <functional>
#include <string_view>

namespace om::sys {

// An opaque handle of a front-end window; the library never looks behind it.
using WindowHandle = void*;

// Delivers one message to a window and returns the host's result (non-zero for success).
using PostMessageHandler = std::function<int(WindowHandle window, unsigned int message,
                                             std::uintptr_t wparam, std::intptr_t lparam)>;

// First number handed out. Registered numbers stay clear of small fixed message numbers, as
// registered window messages usually do.
inline constexpr unsigned int kFirstRegisteredMessage = 0xC000;
// Last number handed out; once the range is used up, new names get 0.
inline constexpr unsigned int kLastRegisteredMessage = 0xFFFF;

// The number registered for name: the same name always gives the same number within the process;
// an empty name, or a new name after the range is used up, gives 0.
unsigned int RegisterMessage(std::string_view name);

// Installs the host's post function; an empty function uninstalls it.
void SetPostMessageHandler(PostMessageHandler handler);

// True when a post function is installed.
bool HasPostMessageHandler();

// Hands the message to the installed post function; 0 when none is installed.
int PostMessage(WindowHandle window, unsigned int message, std::uintptr_t wparam,
                std::intptr_t lparam);

}  // namespace om::sys
