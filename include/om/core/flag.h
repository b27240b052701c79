// A word of flag bits whose meaning belongs to the class that carries it.
#pragma once

#include <cstdint>

namespace om {

// One unsigned 32-bit flag word, 0 after construction. Masks are passed as `int` (callers use
// enumerations of bit values); they are reinterpreted as unsigned bit patterns.
class OmFlag {
  public:
    OmFlag() = default;

    // ORs the mask in; returns the new word.
    std::uint32_t SetFlag(int mask) { return flag_ |= Bits(mask); }
    // Clears the mask's bits; returns the new word.
    std::uint32_t ClearFlag(int mask) { return flag_ &= ~Bits(mask); }
    // Flips the mask's bits; returns the new word.
    std::uint32_t ToggleFlag(int mask) { return flag_ ^= Bits(mask); }
    std::uint32_t GetFlag() const { return flag_; }
    // Word AND mask: non-zero when any bit of the mask is set.
    std::uint32_t IsFlagSet(int mask) const { return flag_ & Bits(mask); }

  private:
    static std::uint32_t Bits(int mask) { return static_cast<std::uint32_t>(mask); }

    std::uint32_t flag_ = 0;
};

}  // namespace om
