// Library version.
#pragma once

namespace om {

// The library's version as "major.minor.patch".
char const* OmcoreVersion();

}  // namespace om
