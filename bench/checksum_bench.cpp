// Throughput of the CRC-32 and MD5 checksums on a 256 MB buffer, next to zlib's crc32 and
// OpenSSL's MD5 on the same buffer in the same run.
#include <om/platform/crc32.h>
#include <om/platform/md5.h>

#include <benchmark/benchmark.h>

#include <cstdint>
#include <random>
#include <vector>

#ifdef OMCORE_HAVE_ZLIB
#include <zlib.h>
#endif
#ifdef OMCORE_HAVE_OPENSSL
#include <openssl/evp.h>
#endif

namespace {

constexpr std::size_t kBufferSize = std::size_t{256} << 20;

std::vector<unsigned char> const& Buffer() {
    static std::vector<unsigned char> const buffer = [] {
        std::vector<unsigned char> b(kBufferSize);
        std::mt19937_64 rng(42);
        for (std::size_t i = 0; i < b.size(); i += 8) {
            std::uint64_t v = rng();
            for (std::size_t k = 0; k < 8 && i + k < b.size(); ++k) {
                b[i + k] = static_cast<unsigned char>(v >> (8 * k));
            }
        }
        return b;
    }();
    return buffer;
}

void BM_OmCrc32(benchmark::State& state) {
    auto const& buffer = Buffer();
    for (auto _ : state) {
        om::OmCalcCRC32 crc;
        benchmark::DoNotOptimize(crc.Crc(buffer.data(), buffer.size()));
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * buffer.size()));
}
BENCHMARK(BM_OmCrc32)->Unit(benchmark::kMillisecond)->MinTime(2.0);

void BM_OmMd5(benchmark::State& state) {
    auto const& buffer = Buffer();
    for (auto _ : state) {
        om::CMD5 md5;
        md5.Update(buffer.data(), buffer.size());
        md5.Finalize();
        benchmark::DoNotOptimize(md5.GetDigest());
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * buffer.size()));
}
BENCHMARK(BM_OmMd5)->Unit(benchmark::kMillisecond)->MinTime(2.0);

#ifdef OMCORE_HAVE_ZLIB
void BM_ZlibCrc32(benchmark::State& state) {
    auto const& buffer = Buffer();
    for (auto _ : state) {
        // zlib takes at most 4 GB per call as uInt; the buffer is far below.
        benchmark::DoNotOptimize(crc32(0L, buffer.data(), static_cast<uInt>(buffer.size())));
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * buffer.size()));
}
BENCHMARK(BM_ZlibCrc32)->Unit(benchmark::kMillisecond)->MinTime(2.0);
#endif

#ifdef OMCORE_HAVE_OPENSSL
void BM_OpensslMd5(benchmark::State& state) {
    auto const& buffer = Buffer();
    for (auto _ : state) {
        unsigned char out[EVP_MAX_MD_SIZE];
        unsigned int len = 0;
        EVP_Digest(buffer.data(), buffer.size(), out, &len, EVP_md5(), nullptr);
        benchmark::DoNotOptimize(out);
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * buffer.size()));
}
BENCHMARK(BM_OpensslMd5)->Unit(benchmark::kMillisecond)->MinTime(2.0);
#endif

}  // namespace

BENCHMARK_MAIN();
