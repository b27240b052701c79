// The process-wide set of inverse-distortion tables shared by all cameras.
//
// Tables are created on first use of a key and live until Clear() or the end of the process (the
// set is a function-local static that owns its tables, so nothing leaks at exit). Like the rest of
// the library's process-wide state it is not locked: use it from one thread at a time.
#pragma once

#include <cstddef>

#include <om/photo/inv_adjust_table.h>

namespace om {

class OmInvAdjustRegistry {
  public:
    // The table for key, created and filled with adjust over [-halfWidth, halfWidth] when absent.
    // The reference stays valid until Clear().
    static const OmInvAdjustTable& Acquire(const OmInvAdjustKey& key, double halfWidth,
                                           const OmInvAdjustTable::AdjustFunction& adjust);

    // The table for key, or null when none was made yet.
    static const OmInvAdjustTable* Find(const OmInvAdjustKey& key);

    // Destroys every table.
    static void Clear();

    static std::size_t Count();
};

}  // namespace om
