// Tokenizer throughput on a generated project-like text of about 50 MB, next to a plain
// std::getline + strtod loop over the same file.
#include <om/textio/parser.h>

#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <random>
#include <string>

namespace {

namespace fs = std::filesystem;

// Photo blocks with keywords, strings, nested blocks and long runs of coordinate lines, the
// mix of a real project file.
fs::path g_generated;  // removed at exit

fs::path const& SampleFile() {
    static fs::path const path = [] {
        fs::path p = fs::temp_directory_path() /
                     ("omcore_tokenizer_bench_" + std::to_string(std::random_device{}()) + ".pro");
        std::ofstream out(p);
        std::mt19937 rng(42);
        std::uniform_real_distribution<double> coord(-5000.0, 5000.0);
        char line[256];
        int id = 1;
        while (out.tellp() < 50 * 1000 * 1000) {
            out << "; photo block\nPHOTO\n{\n    PHOTOID { " << id << " \"photo_" << id
                << "\" }\n    COMMENT \"generated; block " << id << "\"\n    SCALE 1.25\n"
                << "    AORV { 3 12.500 -8.250 1.625 }\n    REGOI\n    {\n";
            for (int i = 0; i < 200; ++i, ++id) {
                std::snprintf(line, sizeof line, "    %6d %12.4f %12.4f %10.4f %7.4f %7.4f\n", id,
                              coord(rng), coord(rng), coord(rng) / 100, 0.005, 0.005);
                out << line;
            }
            out << "    }\n}\n";
        }
        g_generated = p;
        return p;
    }();
    return path;
}

struct Cleanup {
    ~Cleanup() {
        std::error_code ec;
        if (!g_generated.empty()) fs::remove(g_generated, ec);
    }
};

void BM_OmParser(benchmark::State& state) {
    fs::path const& path = SampleFile();
    double sum = 0.0;
    long tokens = 0;
    for (auto _ : state) {
        std::ifstream in(path);
        om::OmStreamTokenizer tokenizer(in);
        for (;;) {
            om::OmParserToken const& t = tokenizer.Next();
            if (t.GetType() == om::OmTokenEOF) break;
            sum += t.GetNumber();
            ++tokens;
        }
    }
    benchmark::DoNotOptimize(sum);
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) *
                            static_cast<int64_t>(fs::file_size(path)));
    state.counters["tokens"] = static_cast<double>(tokens) / state.iterations();
}

// The baseline: read lines with std::getline and convert every number with strtod, skipping
// whatever is not a number. It does less than the tokenizer (no classes, strings or comments).
void BM_GetlineStrtod(benchmark::State& state) {
    fs::path const& path = SampleFile();
    double sum = 0.0;
    for (auto _ : state) {
        std::ifstream in(path);
        std::string line;
        while (std::getline(in, line)) {
            char const* p = line.c_str();
            while (*p) {
                while (*p == ' ' || *p == '\t') ++p;
                if (!*p) break;
                char* end = nullptr;
                double const v = std::strtod(p, &end);
                if (end == p) {
                    while (*p && *p != ' ' && *p != '\t') ++p;
                } else {
                    sum += v;
                    p = end;
                }
            }
        }
    }
    benchmark::DoNotOptimize(sum);
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) *
                            static_cast<int64_t>(fs::file_size(path)));
}

BENCHMARK(BM_OmParser)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(BM_GetlineStrtod)->Unit(benchmark::kMillisecond)->Iterations(3);

}  // namespace

int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    Cleanup cleanup;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
