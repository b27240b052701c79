// Reading and writing coordinate files of a million points (format 1, 10, 11, 12), next to a plain
// fscanf loop over the same file as the baseline.
#include <om/points/point_list.h>

#include <benchmark/benchmark.h>

#include <cstdio>
#include <filesystem>
#include <random>
#include <string>

namespace {

constexpr int kPoints = 1'000'000;

om::TOmFormatTable<om::eOmPointRWMask> const& Format() {
    static om::eOmPointRWMask const codes[] = {om::OmPointRWId, om::OmPointRWX, om::OmPointRWY,
                                               om::OmPointRWZ, om::OmPointRWEnd};
    static om::TOmFormatTable<om::eOmPointRWMask> const format(codes);
    return format;
}

om::OmPointList& Points() {
    static om::OmPointList list = [] {
        om::OmPointList l(Format());
        std::mt19937_64 rng(1);
        std::uniform_real_distribution<double> coord(-5000.0, 5000.0);
        for (int i = 1; i <= kPoints; ++i)
            l.Add(new om::OmPoint(static_cast<unsigned>(i), coord(rng), coord(rng), coord(rng), 0));
        return l;
    }();
    return list;
}

// The file the read benchmarks share, written once.
std::string const& SampleFile() {
    static std::string const name = [] {
        std::string n = (std::filesystem::temp_directory_path() / "omcore_coo_bench.coo").string();
        Points().WriteFile(n.c_str());
        return n;
    }();
    return name;
}

void SetRates(benchmark::State& state, std::string const& file) {
    auto const bytes = static_cast<double>(std::filesystem::file_size(file));
    state.counters["MB/s"] = benchmark::Counter(
        bytes * static_cast<double>(state.iterations()) / 1e6, benchmark::Counter::kIsRate);
    state.counters["points/s"] =
        benchmark::Counter(static_cast<double>(kPoints) * static_cast<double>(state.iterations()),
                           benchmark::Counter::kIsRate);
}

void BM_ReadFile(benchmark::State& state) {
    std::string const& file = SampleFile();
    for (auto _ : state) {
        auto* list = new om::OmPointList;
        int const n = list->ReadFile(file.c_str(), Format());
        if (n != kPoints) state.SkipWithError("wrong point count");
        benchmark::DoNotOptimize(n);
        state.PauseTiming();  // freeing the list is not part of reading
        delete list;
        state.ResumeTiming();
    }
    SetRates(state, file);
}
BENCHMARK(BM_ReadFile)->Unit(benchmark::kMillisecond)->Iterations(3);

// Baseline: the plain C loop a program would write for the same columns.
void BM_FscanfBaseline(benchmark::State& state) {
    std::string const& file = SampleFile();
    for (auto _ : state) {
        std::FILE* f = std::fopen(file.c_str(), "r");
        unsigned id = 0;
        double x = 0, y = 0, z = 0, sum = 0;
        int n = 0;
        while (std::fscanf(f, "%u %lf %lf %lf", &id, &x, &y, &z) == 4) {
            sum += x + y + z;
            ++n;
        }
        std::fclose(f);
        if (n != kPoints) state.SkipWithError("wrong point count");
        benchmark::DoNotOptimize(sum);
    }
    SetRates(state, file);
}
BENCHMARK(BM_FscanfBaseline)->Unit(benchmark::kMillisecond)->Iterations(3);

void BM_WriteFile(benchmark::State& state) {
    om::OmPointList& list = Points();
    std::string const file =
        (std::filesystem::temp_directory_path() / "omcore_coo_bench_out.coo").string();
    for (auto _ : state) {
        if (list.WriteFile(file.c_str()) != 1) state.SkipWithError("write failed");
    }
    SetRates(state, file);
    std::filesystem::remove(file);
}
BENCHMARK(BM_WriteFile)->Unit(benchmark::kMillisecond)->Iterations(3);

// Baseline for writing: fprintf with the same widths and precision.
void BM_FprintfBaseline(benchmark::State& state) {
    om::OmPointList& list = Points();
    std::string const file =
        (std::filesystem::temp_directory_path() / "omcore_coo_bench_printf.coo").string();
    for (auto _ : state) {
        std::FILE* f = std::fopen(file.c_str(), "w");
        for (om::OmPoint* p = list.First(); p != nullptr; p = p->Next())
            std::fprintf(f, " %10u %21.16g %21.16g %21.16g\n", p->GetId(), p->x, p->y, p->z);
        std::fclose(f);
    }
    SetRates(state, file);
    std::filesystem::remove(file);
}
BENCHMARK(BM_FprintfBaseline)->Unit(benchmark::kMillisecond)->Iterations(3);

}  // namespace

BENCHMARK_MAIN();
