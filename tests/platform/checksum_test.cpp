// CRC-32 and MD5 against catalogued values, a bitwise CRC written from the definition, zlib and
// OpenSSL, over lengths around every block and padding boundary.
#include <om/platform/crc32.h>
#include <om/platform/md5.h>

#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <numeric>
#include <random>
#include <string>
#include <vector>

#ifdef OMCORE_HAVE_ZLIB
#include <zlib.h>
#endif
#ifdef OMCORE_HAVE_OPENSSL
#include <openssl/evp.h>
#endif

namespace om {
namespace {

std::uint32_t BitwiseCrc32(unsigned char const* p, std::size_t n) {
    std::uint32_t reg = ~0u;
    for (std::size_t i = 0; i < n; ++i) {
        reg ^= p[i];
        for (int bit = 0; bit < 8; ++bit) reg = (reg >> 1) ^ (0xEDB88320u & (0u - (reg & 1u)));
    }
    return ~reg;
}

std::vector<unsigned char> RandomBytes() {
    std::mt19937 rng(11);
    std::vector<unsigned char> b(1000003);
    for (auto& c : b) c = static_cast<unsigned char>(rng());
    return b;
}

std::string Md5Hex(void const* p, std::size_t n) {
    CMD5 md5;
    md5.Update(p, n);
    md5.Finalize();
    return md5.GetDigest().GetHexDigest();
}

// The catalogued check values, then every length up to 130 (the CRC's 16-byte stride, MD5's
// 55/56/64-byte padding) and larger ones; unaligned starts exercise the CRC's word loads.
TEST(Checksums, MatchCataloguedValuesBitwiseDefinitionZlibAndOpenssl) {
    OmCalcCRC32 crc;
    EXPECT_EQ(crc.Crc("123456789", 9), 0xCBF43926u);
    EXPECT_TRUE(crc.Reset() == 0 && crc.Crc(nullptr, 0) == 0);
    char const* const md5[][2] = {
        {"", "d41d8cd98f00b204e9800998ecf8427e"},
        {"12345678901234567890123456789012345678901234567890123456789012345678901234567890",
         "57edf4a22be3c955ac49da2e2107b67a"},
    };
    for (auto const& c : md5) EXPECT_EQ(Md5Hex(c[0], std::strlen(c[0])), c[1]) << c[0];
    auto const bytes = RandomBytes();
    std::vector<std::size_t> sizes(131);
    std::iota(sizes.begin(), sizes.end(), 0);
    sizes.insert(sizes.end(), {255, 1000, 4095, 4096, 65537, 1000003});
    for (std::size_t n : sizes) {
        for (std::size_t offset : {0u, 1u, 3u}) {
            std::size_t const len = n - std::min(n, offset);
            crc.Reset();
            ASSERT_EQ(crc.Crc(bytes.data() + offset, len), BitwiseCrc32(bytes.data() + offset, len))
                << "n=" << n << " offset=" << offset;
#ifdef OMCORE_HAVE_ZLIB
            ASSERT_EQ(crc.GetCrc(), crc32(0L, bytes.data() + offset, static_cast<uInt>(len)));
#endif
        }
#ifdef OMCORE_HAVE_OPENSSL
        unsigned char out[EVP_MAX_MD_SIZE];
        unsigned int len = 0;
        EVP_Digest(bytes.data(), n, out, &len, EVP_md5(), nullptr);
        std::string hex;
        for (unsigned int i = 0; i < 2 * len; ++i)
            hex += "0123456789abcdef"[(out[i / 2] >> (i % 2 == 0 ? 4 : 0)) & 15];
        ASSERT_EQ(Md5Hex(bytes.data(), n), hex) << "n=" << n;
#endif
    }
}

// Calls in pieces equal one call; MD5 starts a new message after Finalize or Init.
TEST(Checksums, IncrementalUse) {
    auto const b = RandomBytes();
    std::size_t const total = 100000;
    std::uint32_t const expected = BitwiseCrc32(b.data(), total);
    std::string const hex = Md5Hex(b.data(), total);
    std::mt19937 rng(14);
    CMD5 md5;
    md5.Update("garbage that must not leak into the next message");
    md5.Finalize();
    for (int trial = 0; trial < 40; ++trial) {
        OmCalcCRC32 crc;
        md5.Update("partial");
        md5.Init();  // drops a partial message
        for (std::size_t pos = 0, n = 0; pos < total; pos += n) {
            n = std::min<std::size_t>(rng() % 150, total - pos);
            crc.Crc(b.data() + pos, n);
            md5.Update(b.data() + pos, n);
        }
        md5.Finalize();
        CMD5Digest out;
        md5.GetDigest(&out);
        ASSERT_EQ(crc.GetCrc(), expected) << "trial " << trial;
        ASSERT_EQ(out.GetHexDigest(), hex) << "trial " << trial;
    }
    md5.GetDigest(nullptr);  // tolerated
    // A sequence of 32-bit values is checksummed as their little-endian b, and mixes with
    // b.
    OmCalcCRC32 mixed;
    mixed.Crc(b.data(), 401);
    mixed.StartSingleCrc();
    for (std::size_t i = 401; i < 1429; i += 4)
        mixed.AddSingleCrc(b[i] | b[i + 1] << 8 | b[i + 2] << 16 | std::uint32_t{b[i + 3]} << 24);
    mixed.StopSingleCrc();
    EXPECT_EQ(mixed.GetCrc(), BitwiseCrc32(b.data(), 1429));
}

}  // namespace
}  // namespace om
