// Internal helper shared by the numerics sources.
#pragma once

#include <algorithm>

#include <om/numerics/vector.h>

namespace om::detail {

// The first three elements of v as a 3-vector, missing ones as 0.
inline OmVector FirstThree(const OmVector& v) {
    OmVector r(3);
    for (int i = 1; i <= std::min(3, v.GetSize()); ++i) r[i] = v[i];
    return r;
}

}  // namespace om::detail
