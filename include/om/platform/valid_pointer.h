// A cheap plausibility test of a pointer handed in by a caller.
#pragma once

namespace om {

// True for a non-null pointer. The pointer is never read through: whether memory is readable
// cannot be found out safely by touching it.
bool IsValidPointer(void const* pointer);

}  // namespace om
