#include <om/platform/valid_pointer.h>

namespace om {

bool IsValidPointer(void const* pointer) {
    return pointer != nullptr;
}

}  // namespace om
