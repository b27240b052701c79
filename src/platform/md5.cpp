#include <om/platform/md5.h>

#include <algorithm>
#include <bit>
#include <cstring>

namespace om {
namespace {

constexpr std::size_t kBlock = 64;

// The four auxiliary functions of the rounds, written in forms that need one operation fewer
// than the textbook ones (same truth tables).
constexpr std::uint32_t F(std::uint32_t x, std::uint32_t y, std::uint32_t z) {
    return z ^ (x & (y ^ z));
}
constexpr std::uint32_t G(std::uint32_t x, std::uint32_t y, std::uint32_t z) {
    return y ^ (z & (x ^ y));
}
constexpr std::uint32_t H(std::uint32_t x, std::uint32_t y, std::uint32_t z) {
    return x ^ y ^ z;
}
constexpr std::uint32_t I(std::uint32_t x, std::uint32_t y, std::uint32_t z) {
    return y ^ (x | ~z);
}

// One step: a = b + ((a + f(b, c, d) + x + k) <<< s); the constant k is floor(|sin(i)| * 2^32).
template <std::uint32_t (*Fn)(std::uint32_t, std::uint32_t, std::uint32_t)>
inline void Step(std::uint32_t& a, std::uint32_t b, std::uint32_t c, std::uint32_t d,
                 std::uint32_t x, std::uint32_t k, int s) {
    a = b + std::rotl(a + Fn(b, c, d) + x + k, s);
}

std::uint32_t LoadLittle32(unsigned char const* p) {
    return std::uint32_t{p[0]} | (std::uint32_t{p[1]} << 8) | (std::uint32_t{p[2]} << 16) |
           (std::uint32_t{p[3]} << 24);
}

void StoreLittle32(std::uint32_t v, unsigned char* p) {
    p[0] = static_cast<unsigned char>(v);
    p[1] = static_cast<unsigned char>(v >> 8);
    p[2] = static_cast<unsigned char>(v >> 16);
    p[3] = static_cast<unsigned char>(v >> 24);
}

}  // namespace

CMD5Digest::CMD5Digest() : CMD5Digest(nullptr) {}

CMD5Digest::CMD5Digest(unsigned char const* bytes) {
    if (bytes != nullptr) {
        std::memcpy(bytes_, bytes, kSize);
    } else {
        std::memset(bytes_, 0, kSize);
    }
    static constexpr char kDigits[] = "0123456789abcdef";
    for (std::size_t i = 0; i < kSize; ++i) {
        hex_[2 * i] = kDigits[bytes_[i] >> 4];
        hex_[2 * i + 1] = kDigits[bytes_[i] & 0x0F];
    }
    hex_[2 * kSize] = '\0';
}

bool CMD5Digest::operator==(CMD5Digest const& other) const {
    return std::memcmp(bytes_, other.bytes_, kSize) == 0;
}

void CMD5::Init() {
    state_[0] = 0x67452301u;
    state_[1] = 0xefcdab89u;
    state_[2] = 0x98badcfeu;
    state_[3] = 0x10325476u;
    byte_count_ = 0;
}

void CMD5::Update(void const* data, std::size_t count) {
    if (data == nullptr || count == 0) return;
    auto const* p = static_cast<unsigned char const*>(data);
    std::size_t const used = static_cast<std::size_t>(byte_count_ % kBlock);
    byte_count_ += count;
    if (used != 0) {
        std::size_t const take = std::min(count, kBlock - used);
        std::memcpy(buffer_ + used, p, take);
        p += take;
        count -= take;
        if (used + take < kBlock) return;
        Transform(buffer_);
    }
    for (; count >= kBlock; p += kBlock, count -= kBlock) Transform(p);
    if (count != 0) std::memcpy(buffer_, p, count);
}

void CMD5::Update(char const* text) {
    if (text != nullptr) Update(text, std::strlen(text));
}

void CMD5::Finalize() {
    // Padding: a single 1 bit, zeros up to 56 bytes modulo 64, then the length in bits as a
    // 64-bit little-endian number (modulo 2^64, as RFC 1321 asks).
    std::uint64_t const bits = byte_count_ * 8u;
    unsigned char padding[kBlock + 8] = {0x80};
    std::size_t const used = static_cast<std::size_t>(byte_count_ % kBlock);
    std::size_t const pad = (used < 56) ? (56 - used) : (120 - used);
    Update(padding, pad);
    unsigned char length[8];
    StoreLittle32(static_cast<std::uint32_t>(bits), length);
    StoreLittle32(static_cast<std::uint32_t>(bits >> 32), length + 4);
    Update(length, sizeof length);

    unsigned char out[CMD5Digest::kSize];
    for (int i = 0; i < 4; ++i) StoreLittle32(state_[i], out + 4 * i);
    digest_ = CMD5Digest(out);
    Init();
}

void CMD5::GetDigest(CMD5Digest* out) const {
    if (out != nullptr) *out = digest_;
}

void CMD5::Transform(unsigned char const* block) {
    std::uint32_t x[16];
    for (int i = 0; i < 16; ++i) x[i] = LoadLittle32(block + 4 * i);
    std::uint32_t a = state_[0], b = state_[1], c = state_[2], d = state_[3];

    // Round 1.
    Step<F>(a, b, c, d, x[0], 0xd76aa478u, 7);
    Step<F>(d, a, b, c, x[1], 0xe8c7b756u, 12);
    Step<F>(c, d, a, b, x[2], 0x242070dbu, 17);
    Step<F>(b, c, d, a, x[3], 0xc1bdceeeu, 22);
    Step<F>(a, b, c, d, x[4], 0xf57c0fafu, 7);
    Step<F>(d, a, b, c, x[5], 0x4787c62au, 12);
    Step<F>(c, d, a, b, x[6], 0xa8304613u, 17);
    Step<F>(b, c, d, a, x[7], 0xfd469501u, 22);
    Step<F>(a, b, c, d, x[8], 0x698098d8u, 7);
    Step<F>(d, a, b, c, x[9], 0x8b44f7afu, 12);
    Step<F>(c, d, a, b, x[10], 0xffff5bb1u, 17);
    Step<F>(b, c, d, a, x[11], 0x895cd7beu, 22);
    Step<F>(a, b, c, d, x[12], 0x6b901122u, 7);
    Step<F>(d, a, b, c, x[13], 0xfd987193u, 12);
    Step<F>(c, d, a, b, x[14], 0xa679438eu, 17);
    Step<F>(b, c, d, a, x[15], 0x49b40821u, 22);
    // Round 2.
    Step<G>(a, b, c, d, x[1], 0xf61e2562u, 5);
    Step<G>(d, a, b, c, x[6], 0xc040b340u, 9);
    Step<G>(c, d, a, b, x[11], 0x265e5a51u, 14);
    Step<G>(b, c, d, a, x[0], 0xe9b6c7aau, 20);
    Step<G>(a, b, c, d, x[5], 0xd62f105du, 5);
    Step<G>(d, a, b, c, x[10], 0x02441453u, 9);
    Step<G>(c, d, a, b, x[15], 0xd8a1e681u, 14);
    Step<G>(b, c, d, a, x[4], 0xe7d3fbc8u, 20);
    Step<G>(a, b, c, d, x[9], 0x21e1cde6u, 5);
    Step<G>(d, a, b, c, x[14], 0xc33707d6u, 9);
    Step<G>(c, d, a, b, x[3], 0xf4d50d87u, 14);
    Step<G>(b, c, d, a, x[8], 0x455a14edu, 20);
    Step<G>(a, b, c, d, x[13], 0xa9e3e905u, 5);
    Step<G>(d, a, b, c, x[2], 0xfcefa3f8u, 9);
    Step<G>(c, d, a, b, x[7], 0x676f02d9u, 14);
    Step<G>(b, c, d, a, x[12], 0x8d2a4c8au, 20);
    // Round 3.
    Step<H>(a, b, c, d, x[5], 0xfffa3942u, 4);
    Step<H>(d, a, b, c, x[8], 0x8771f681u, 11);
    Step<H>(c, d, a, b, x[11], 0x6d9d6122u, 16);
    Step<H>(b, c, d, a, x[14], 0xfde5380cu, 23);
    Step<H>(a, b, c, d, x[1], 0xa4beea44u, 4);
    Step<H>(d, a, b, c, x[4], 0x4bdecfa9u, 11);
    Step<H>(c, d, a, b, x[7], 0xf6bb4b60u, 16);
    Step<H>(b, c, d, a, x[10], 0xbebfbc70u, 23);
    Step<H>(a, b, c, d, x[13], 0x289b7ec6u, 4);
    Step<H>(d, a, b, c, x[0], 0xeaa127fau, 11);
    Step<H>(c, d, a, b, x[3], 0xd4ef3085u, 16);
    Step<H>(b, c, d, a, x[6], 0x04881d05u, 23);
    Step<H>(a, b, c, d, x[9], 0xd9d4d039u, 4);
    Step<H>(d, a, b, c, x[12], 0xe6db99e5u, 11);
    Step<H>(c, d, a, b, x[15], 0x1fa27cf8u, 16);
    Step<H>(b, c, d, a, x[2], 0xc4ac5665u, 23);
    // Round 4.
    Step<I>(a, b, c, d, x[0], 0xf4292244u, 6);
    Step<I>(d, a, b, c, x[7], 0x432aff97u, 10);
    Step<I>(c, d, a, b, x[14], 0xab9423a7u, 15);
    Step<I>(b, c, d, a, x[5], 0xfc93a039u, 21);
    Step<I>(a, b, c, d, x[12], 0x655b59c3u, 6);
    Step<I>(d, a, b, c, x[3], 0x8f0ccc92u, 10);
    Step<I>(c, d, a, b, x[10], 0xffeff47du, 15);
    Step<I>(b, c, d, a, x[1], 0x85845dd1u, 21);
    Step<I>(a, b, c, d, x[8], 0x6fa87e4fu, 6);
    Step<I>(d, a, b, c, x[15], 0xfe2ce6e0u, 10);
    Step<I>(c, d, a, b, x[6], 0xa3014314u, 15);
    Step<I>(b, c, d, a, x[13], 0x4e0811a1u, 21);
    Step<I>(a, b, c, d, x[4], 0xf7537e82u, 6);
    Step<I>(d, a, b, c, x[11], 0xbd3af235u, 10);
    Step<I>(c, d, a, b, x[2], 0x2ad7d2bbu, 15);
    Step<I>(b, c, d, a, x[9], 0xeb86d391u, 21);

    state_[0] += a;
    state_[1] += b;
    state_[2] += c;
    state_[3] += d;
}

}  // namespace om
