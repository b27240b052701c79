#include <om/platform/md5.h>

#include <gtest/gtest.h>

#include <cstring>
#include <random>
#include <string>
#include <vector>

#ifdef OMCORE_HAVE_OPENSSL
#include <openssl/evp.h>
#endif

namespace om {
namespace {

std::string Md5Hex(std::string const& text) {
    CMD5 md5;
    md5.Update(text.c_str());
    md5.Finalize();
    return md5.GetDigest().GetHexDigest();
}

TEST(CMD5, Rfc1321TestSuite) {
    char const* const cases[][2] = {
        {"", "d41d8cd98f00b204e9800998ecf8427e"},
        {"a", "0cc175b9c0f1b6a831c399e269772661"},
        {"abc", "900150983cd24fb0d6963f7d28e17f72"},
        {"message digest", "f96b697d7cb7938d525a2f31aaf161d0"},
        {"abcdefghijklmnopqrstuvwxyz", "c3fcd3d76192e4007dfb496cca67e13b"},
        {"ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789",
         "d174ab98d277d9f5a5611c2c9f419d9f"},
        {"12345678901234567890123456789012345678901234567890123456789012345678901234567890",
         "57edf4a22be3c955ac49da2e2107b67a"},
    };
    for (auto const& c : cases) EXPECT_EQ(Md5Hex(c[0]), c[1]) << c[0];
}

std::vector<unsigned char> RandomBytes(std::size_t n, std::uint32_t seed) {
    std::mt19937 rng(seed);
    std::vector<unsigned char> bytes(n);
    for (auto& b : bytes) b = static_cast<unsigned char>(rng());
    return bytes;
}

// Lengths at and around the padding boundaries (55, 56, 64 bytes) and several blocks.
std::vector<std::size_t> TestSizes() {
    std::vector<std::size_t> sizes;
    for (std::size_t n = 0; n <= 130; ++n) sizes.push_back(n);
    for (std::size_t n : {1000u, 4096u, 65535u, 1000003u}) sizes.push_back(n);
    return sizes;
}

TEST(CMD5, UpdateInPiecesEqualsOneUpdate) {
    auto const bytes = RandomBytes(20000, 21);
    CMD5 whole;
    whole.Update(bytes.data(), bytes.size());
    whole.Finalize();
    std::mt19937 rng(22);
    for (int trial = 0; trial < 40; ++trial) {
        CMD5 pieces;
        std::size_t pos = 0;
        while (pos < bytes.size()) {
            std::size_t const n = std::min<std::size_t>(rng() % 150, bytes.size() - pos);
            pieces.Update(bytes.data() + pos, n);
            pos += n;
        }
        pieces.Finalize();
        ASSERT_TRUE(pieces.GetDigest() == whole.GetDigest()) << "trial " << trial;
    }
}

TEST(CMD5, FinalizeAndInitStartANewMessage) {
    CMD5 md5;
    md5.Update("garbage that must not leak into the next message");
    md5.Finalize();
    md5.Update("abc");
    md5.Finalize();
    EXPECT_STREQ(md5.GetDigest().GetHexDigest(), "900150983cd24fb0d6963f7d28e17f72");
    // Init drops a partial message.
    md5.Update("partial");
    md5.Init();
    md5.Update("abc");
    md5.Finalize();
    CMD5Digest out;
    md5.GetDigest(&out);
    EXPECT_STREQ(out.GetHexDigest(), "900150983cd24fb0d6963f7d28e17f72");
    md5.GetDigest(nullptr);  // tolerated
}

TEST(CMD5Digest, BytesHexTextAndEquality) {
    CMD5Digest empty;
    EXPECT_STREQ(empty.GetHexDigest(), "00000000000000000000000000000000");
    unsigned char bytes[16];
    for (int i = 0; i < 16; ++i) bytes[i] = static_cast<unsigned char>(i * 17);
    CMD5Digest digest(bytes);
    EXPECT_STREQ(digest.GetHexDigest(), "00112233445566778899aabbccddeeff");
    unsigned char const* raw = digest;
    EXPECT_EQ(std::memcmp(raw, bytes, 16), 0);
    EXPECT_TRUE(digest == CMD5Digest(bytes));
    bytes[15] ^= 1;
    EXPECT_FALSE(digest == CMD5Digest(bytes));
    EXPECT_FALSE(digest == empty);
}

#ifdef OMCORE_HAVE_OPENSSL
std::string OpensslMd5Hex(unsigned char const* p, std::size_t n) {
    unsigned char out[EVP_MAX_MD_SIZE];
    unsigned int len = 0;
    EVP_Digest(p, n, out, &len, EVP_md5(), nullptr);
    static constexpr char kDigits[] = "0123456789abcdef";
    std::string hex;
    for (unsigned int i = 0; i < len; ++i) {
        hex += kDigits[out[i] >> 4];
        hex += kDigits[out[i] & 15];
    }
    return hex;
}

TEST(CMD5, MatchesOpensslOnRandomBuffers) {
    auto const bytes = RandomBytes(1000003, 23);
    CMD5 md5;
    for (std::size_t n : TestSizes()) {
        md5.Update(bytes.data(), n);
        md5.Finalize();
        ASSERT_EQ(std::string(md5.GetDigest().GetHexDigest()), OpensslMd5Hex(bytes.data(), n))
            << "n=" << n;
    }
}
#endif

}  // namespace
}  // namespace om
