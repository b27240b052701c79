// The system beeper, as the front end offers it.
#pragma once

namespace om {

// Sounds a beep of frequency (Hz) for duration (ms) through the host's beeper (see
// om/sys/beep.h); true on success, false when no beeper is installed.
bool OmriBeep(unsigned int frequency, unsigned int duration);

}  // namespace om
