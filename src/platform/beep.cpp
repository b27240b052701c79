#include <om/platform/beep.h>

#include <om/sys/beep.h>

namespace om {

bool OmriBeep(unsigned int frequency, unsigned int duration) {
    return sys::Beep(frequency, duration);
}

}  // namespace om
