// CRC-32 checksums (the reflected CRC of IEEE 802.3, as used by zip, gzip and PNG).
#pragma once

#include <cstddef>
#include <cstdint>

namespace om {

// Keeps one running checksum. The running value is always a finished CRC-32: consecutive calls of
// Crc give the checksum of the concatenated data, and after Reset a call gives the plain CRC-32 of
// its bytes. A sequence of 32-bit values is checksummed with StartSingleCrc, AddSingleCrc per value
// and StopSingleCrc.
class OmCalcCRC32 {
  public:
    OmCalcCRC32() = default;
    virtual ~OmCalcCRC32() = default;

    // Sets the running value to 0 and returns it.
    std::uint32_t Reset();

    // Continues the checksum over count bytes at data and returns the new running value.
    // A null data pointer with a count of 0 is allowed.
    std::uint32_t Crc(void const* data, std::size_t count);

    // Prepares the register for AddSingleCrc (the running value must be a finished checksum).
    void StartSingleCrc();
    // Feeds the four bytes of value, least significant first.
    void AddSingleCrc(std::uint32_t value);
    // Finishes the checksum: GetCrc then returns the CRC-32 of all bytes fed since Reset.
    void StopSingleCrc();

    std::uint32_t GetCrc() const { return crc_; }

  private:
    std::uint32_t crc_ = 0;
};

}  // namespace om
