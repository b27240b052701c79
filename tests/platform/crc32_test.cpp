#include <om/platform/crc32.h>

#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <random>
#include <vector>

#ifdef OMCORE_HAVE_ZLIB
#include <zlib.h>
#endif

namespace om {
namespace {

// A plain bit-at-a-time CRC-32, written from the definition: an oracle independent of the
// table-driven code.
std::uint32_t BitwiseCrc32(unsigned char const* p, std::size_t n, std::uint32_t crc = 0) {
    std::uint32_t reg = ~crc;
    for (std::size_t i = 0; i < n; ++i) {
        reg ^= p[i];
        for (int bit = 0; bit < 8; ++bit) reg = (reg >> 1) ^ (0xEDB88320u & (0u - (reg & 1u)));
    }
    return ~reg;
}

std::vector<unsigned char> RandomBytes(std::size_t n, std::uint32_t seed) {
    std::mt19937 rng(seed);
    std::vector<unsigned char> bytes(n);
    for (auto& b : bytes) b = static_cast<unsigned char>(rng());
    return bytes;
}

// Sizes around every multiple of the 16-byte stride and the byte tail, plus larger ones.
std::vector<std::size_t> TestSizes() {
    std::vector<std::size_t> sizes;
    for (std::size_t n = 0; n <= 70; ++n) sizes.push_back(n);
    for (std::size_t n : {127u, 128u, 129u, 255u, 1000u, 4095u, 4096u, 65537u, 1000003u}) {
        sizes.push_back(n);
    }
    return sizes;
}

TEST(OmCalcCRC32, KnownCheckValues) {
    OmCalcCRC32 crc;
    EXPECT_EQ(crc.GetCrc(), 0u);
    EXPECT_EQ(crc.Crc("123456789", 9), 0xCBF43926u);  // the catalogued check value
    EXPECT_EQ(crc.Reset(), 0u);
    char const* fox = "The quick brown fox jumps over the lazy dog";
    EXPECT_EQ(crc.Crc(fox, std::strlen(fox)), 0x414FA339u);
    crc.Reset();
    EXPECT_EQ(crc.Crc("", 0), 0u);
    EXPECT_EQ(crc.Crc(nullptr, 0), 0u);
}

// Checked against a bitwise definition (unaligned starts exercise the word loads) and zlib.
TEST(OmCalcCRC32, MatchesBitwiseDefinitionAndZlibOnRandomBuffers) {
    auto const bytes = RandomBytes(1000003, 11);
    OmCalcCRC32 crc;
    for (std::size_t n : TestSizes()) {
        for (std::size_t offset : {0u, 1u, 3u}) {
            std::size_t const len = n - std::min(n, offset);
            crc.Reset();
            ASSERT_EQ(crc.Crc(bytes.data() + offset, len), BitwiseCrc32(bytes.data() + offset, len))
                << "n=" << n << " offset=" << offset;
#ifdef OMCORE_HAVE_ZLIB
            ASSERT_EQ(crc.GetCrc(), crc32(0L, bytes.data() + offset, static_cast<uInt>(len)))
                << "n=" << n;
#endif
        }
    }
}

TEST(OmCalcCRC32, CallsInPiecesEqualOneCall) {
    auto const bytes = RandomBytes(100000, 13);
    OmCalcCRC32 whole;
    std::uint32_t const expected = whole.Crc(bytes.data(), bytes.size());
    std::mt19937 rng(14);
    for (int trial = 0; trial < 50; ++trial) {
        OmCalcCRC32 pieces;
        std::size_t pos = 0;
        while (pos < bytes.size()) {
            std::size_t const n = std::min<std::size_t>(rng() % 97, bytes.size() - pos);
            pieces.Crc(bytes.data() + pos, n);
            pos += n;
        }
        ASSERT_EQ(pieces.GetCrc(), expected) << "trial " << trial;
    }
}

TEST(OmCalcCRC32, SingleValueSequenceEqualsCrcOfLittleEndianBytes) {
    std::mt19937 rng(15);
    std::vector<std::uint32_t> values(257);
    for (auto& v : values) v = rng();
    std::vector<unsigned char> bytes;
    for (std::uint32_t v : values) {
        for (int i = 0; i < 4; ++i) bytes.push_back(static_cast<unsigned char>(v >> (8 * i)));
    }

    OmCalcCRC32 crc;
    crc.StartSingleCrc();
    for (std::uint32_t v : values) crc.AddSingleCrc(v);
    crc.StopSingleCrc();
    EXPECT_EQ(crc.GetCrc(), BitwiseCrc32(bytes.data(), bytes.size()));

    // A sequence continues a checksum of bytes, and bytes continue a sequence.
    OmCalcCRC32 mixed;
    mixed.Crc(bytes.data(), 400);
    mixed.StartSingleCrc();
    for (std::size_t i = 100; i < values.size(); ++i) mixed.AddSingleCrc(values[i]);
    mixed.StopSingleCrc();
    EXPECT_EQ(mixed.GetCrc(), BitwiseCrc32(bytes.data(), bytes.size()));

    // An empty sequence leaves the checksum unchanged.
    OmCalcCRC32 empty;
    empty.Crc(bytes.data(), 10);
    empty.StartSingleCrc();
    empty.StopSingleCrc();
    EXPECT_EQ(empty.GetCrc(), BitwiseCrc32(bytes.data(), 10));
}

}  // namespace
}  // namespace om
