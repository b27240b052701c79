#include <om/core/version.h>

namespace om {

char const* OmcoreVersion() {
    return "0.1.0";
}

}  // namespace om
