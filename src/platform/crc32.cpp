#include <om/platform/crc32.h>

#include <array>
#include <bit>
#include <cstring>

namespace om {
namespace {

// Reflected form of the IEEE 802.3 generator polynomial x^32 + x^26 + ... + x + 1.
constexpr std::uint32_t kPolynomial = 0xEDB88320u;

// Slicing-by-16: table k maps a byte to the register change it causes when followed by k zero
// bytes, so sixteen input bytes are folded in with sixteen independent look-ups instead of a
// chain of sixteen dependent ones.
constexpr int kSlices = 16;
using CrcTables = std::array<std::array<std::uint32_t, 256>, kSlices>;

constexpr CrcTables MakeTables() {
    CrcTables tables{};
    for (std::uint32_t byte = 0; byte < 256; ++byte) {
        std::uint32_t reg = byte;
        for (int bit = 0; bit < 8; ++bit) reg = (reg >> 1) ^ ((reg & 1u) ? kPolynomial : 0u);
        tables[0][byte] = reg;
    }
    for (int k = 1; k < kSlices; ++k) {
        for (std::uint32_t byte = 0; byte < 256; ++byte) {
            std::uint32_t const prev = tables[k - 1][byte];
            tables[k][byte] = (prev >> 8) ^ tables[0][prev & 0xFFu];
        }
    }
    return tables;
}

constexpr CrcTables kTables = MakeTables();

std::uint32_t UpdateBytewise(std::uint32_t reg, unsigned char const* p, std::size_t n) {
    for (std::size_t i = 0; i < n; ++i) reg = (reg >> 8) ^ kTables[0][(reg ^ p[i]) & 0xFFu];
    return reg;
}

std::uint32_t LoadLittle32(unsigned char const* p) {
    std::uint32_t v;
    std::memcpy(&v, p, sizeof v);
    return v;
}

// Sixteen bytes by slicing (little-endian loads).
std::uint32_t Step16(std::uint32_t reg, unsigned char const* p) {
    auto const& t = kTables;
    std::uint32_t const a = LoadLittle32(p) ^ reg;
    std::uint32_t const b = LoadLittle32(p + 4);
    std::uint32_t const c = LoadLittle32(p + 8);
    std::uint32_t const d = LoadLittle32(p + 12);
    // Only the first word depends on the register: the other twelve look-ups can run ahead.
    std::uint32_t const rest = t[11][b & 0xFF] ^ t[10][(b >> 8) & 0xFF] ^ t[9][(b >> 16) & 0xFF] ^
                               t[8][b >> 24] ^ t[7][c & 0xFF] ^ t[6][(c >> 8) & 0xFF] ^
                               t[5][(c >> 16) & 0xFF] ^ t[4][c >> 24] ^ t[3][d & 0xFF] ^
                               t[2][(d >> 8) & 0xFF] ^ t[1][(d >> 16) & 0xFF] ^ t[0][d >> 24];
    return rest ^ t[15][a & 0xFF] ^ t[14][(a >> 8) & 0xFF] ^ t[13][(a >> 16) & 0xFF] ^
           t[12][a >> 24];
}

// Advances the (un-complemented) register over n bytes.
std::uint32_t UpdateRegister(std::uint32_t reg, unsigned char const* p, std::size_t n) {
    if constexpr (std::endian::native == std::endian::little) {
        for (; n >= kSlices; p += kSlices, n -= kSlices) reg = Step16(reg, p);
    }
    return UpdateBytewise(reg, p, n);
}

}  // namespace

std::uint32_t OmCalcCRC32::Reset() {
    crc_ = 0;
    return crc_;
}

std::uint32_t OmCalcCRC32::Crc(void const* data, std::size_t count) {
    if (data == nullptr || count == 0) return crc_;
    // The register runs complemented: preset to all ones for a fresh checksum (crc_ == 0), and
    // the finished value is complemented again.
    crc_ = ~UpdateRegister(~crc_, static_cast<unsigned char const*>(data), count);
    return crc_;
}

void OmCalcCRC32::StartSingleCrc() {
    crc_ = ~crc_;
}

void OmCalcCRC32::AddSingleCrc(std::uint32_t value) {
    unsigned char const bytes[4] = {
        static_cast<unsigned char>(value), static_cast<unsigned char>(value >> 8),
        static_cast<unsigned char>(value >> 16), static_cast<unsigned char>(value >> 24)};
    crc_ = UpdateBytewise(crc_, bytes, sizeof bytes);
}

void OmCalcCRC32::StopSingleCrc() {
    crc_ = ~crc_;
}

}  // namespace om
