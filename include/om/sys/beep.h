// The system beeper. The library cannot reach a sound device itself; a host that can sound a beep
// installs a handler, and without one every beep reports failure.
#pragma once

#include <functional>

namespace om::sys {

// Sounds a beep of frequency (Hz) for duration (ms); true when the beep was sounded.
using BeepHandler = std::function<bool(unsigned int frequency, unsigned int duration)>;

// Installs the host's beeper; an empty function uninstalls it.
void SetBeepHandler(BeepHandler handler);

// Sounds a beep through the installed handler; false when none is installed.
bool Beep(unsigned int frequency, unsigned int duration);

}  // namespace om::sys
