// MD5 message digests (RFC 1321).
#pragma once

#include <cstddef>
#include <cstdint>

namespace om {

// The 16 bytes of an MD5 digest and their text as 32 lower-case hexadecimal digits.
class CMD5Digest {
  public:
    static constexpr std::size_t kSize = 16;

    // All bytes zero.
    CMD5Digest();
    // Copies kSize bytes.
    explicit CMD5Digest(unsigned char const* bytes);

    // 32 lower-case hexadecimal digits, NUL-terminated.
    char const* GetHexDigest() const { return hex_; }
    // The kSize raw bytes.
    operator unsigned char const*() const { return bytes_; }

    bool operator==(CMD5Digest const& other) const;

  private:
    unsigned char bytes_[kSize];
    char hex_[2 * kSize + 1];
};

// Computes the MD5 digest of the bytes fed through Update since Init. Finalize stores the digest,
// which GetDigest then returns, and starts a new message, so that the object can be reused.
class CMD5 {
  public:
    CMD5() { Init(); }

    // Starts a new message (the digest of the last Finalize is kept).
    void Init();
    // Appends count bytes; a null data pointer with a count of 0 is allowed.
    void Update(void const* data, std::size_t count);
    // Appends the characters of a NUL-terminated text, without the terminator.
    void Update(char const* text);
    // Pads the message, stores its digest and starts a new message.
    void Finalize();

    // The digest of the last Finalize (all zero before the first).
    CMD5Digest GetDigest() const { return digest_; }
    void GetDigest(CMD5Digest* out) const;

  private:
    void Transform(unsigned char const* block);

    std::uint32_t state_[4];
    std::uint64_t byte_count_;  // message length so far; the padding records it in bits
    unsigned char buffer_[64];  // a partial block waiting for more input
    CMD5Digest digest_;
};

}  // namespace om
