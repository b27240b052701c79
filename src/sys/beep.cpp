#include <om/sys/beep.h>

#include <utility>

namespace om::sys {
namespace {

BeepHandler& Handler() {
    static BeepHandler handler;
    return handler;
}

}  // namespace

void SetBeepHandler(BeepHandler handler) {
    Handler() = std::move(handler);
}

bool Beep(unsigned int frequency, unsigned int duration) {
    auto const& handler = Handler();
    return handler ? handler(frequency, duration) : false;
}

}  // namespace om::sys
