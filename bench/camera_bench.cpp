// Camera distortion: the inverse-table fill serially and over all processors, table lookups
// (InvAdjust) and the CAP model's iterative Adjust.
#include <om/photo/camera.h>
#include <om/photo/inv_adjust_table.h>

#include <random>
#include <vector>

#include <benchmark/benchmark.h>
#include <omp.h>

namespace {

om::OmCamera CapCamera() {
    om::OmCamera cam(7, 35.0, 0.12, -0.08, -2e-4, 4e-7, 9.0, "cap");
    cam.SetMode(om::OmCamera::kModeCap);
    cam.SetA3(-3e-10);
    cam.SetC1(1.5e-5);
    cam.SetC2(-2e-5);
    cam.SetB1(1e-4);
    cam.SetB2(-6e-5);
    cam.SetRm(18.0);
    return cam;
}

om::OmCamera OmriCamera() {
    return om::OmCamera(1, 50.0, 0.3, -0.2, 8e-5, -4e-8, 12.0, "omri");
}

// Table fill with a given thread count (0 = all processors); the CAP camera costs one
// iteration per node, the Omri camera one closed-form evaluation.
void FillTable(benchmark::State& state, const om::OmCamera& cam, double r) {
    const int threads = static_cast<int>(state.range(0));
    for (auto _ : state) {
        om::OmInvAdjustTable table(om::OmInvAdjustKey{}, r);
        table.Fill([&cam](double* x, double* y) { return cam.Adjust(x, y); }, threads);
        benchmark::DoNotOptimize(table.NodeX(780, 780));
    }
    state.counters["threads"] = threads > 0 ? threads : omp_get_num_procs();
}

void BM_FillCap(benchmark::State& state) {
    FillTable(state, CapCamera(), 18.0);
}
void BM_FillOmri(benchmark::State& state) {
    FillTable(state, OmriCamera(), 30.0);
}
BENCHMARK(BM_FillCap)->Arg(1)->Arg(0)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_FillOmri)->Arg(1)->Arg(0)->Unit(benchmark::kMillisecond)->UseRealTime();

std::vector<std::pair<double, double>> RandomPoints(double range, unsigned seed) {
    std::mt19937 rng(seed);
    std::uniform_real_distribution<double> u(-range, range);
    std::vector<std::pair<double, double>> pts(1 << 16);
    for (auto& p : pts) p = {u(rng), u(rng)};
    return pts;
}

// The points of a 256 x 256 raster over the range, row after row: neighbouring requests fall
// into neighbouring table cells, as when the points of one photo are projected in turn.
std::vector<std::pair<double, double>> RasterPoints(double range) {
    std::vector<std::pair<double, double>> pts;
    pts.reserve(1 << 16);
    const double step = 2.0 * range / 256.0;
    for (int r = 0; r < 256; ++r)
        for (int c = 0; c < 256; ++c) pts.emplace_back(-range + c * step, -range + r * step);
    return pts;
}

// InvAdjust through the shared table (built before timing) on the given corrected points.
void InvAdjustLookups(benchmark::State& state, om::OmCamera cam,
                      const std::vector<std::pair<double, double>>& pts) {
    om::OmCamera::DeleteInvAdjustTables();
    double wx = 0.0, wy = 0.0;
    cam.InvAdjust(&wx, &wy);
    std::size_t k = 0;
    for (auto _ : state) {
        double x = pts[k].first, y = pts[k].second;
        benchmark::DoNotOptimize(cam.InvAdjust(&x, &y));
        benchmark::DoNotOptimize(x);
        k = (k + 1) & (pts.size() - 1);
    }
    state.SetItemsProcessed(state.iterations());
    om::OmCamera::DeleteInvAdjustTables();
}

void BM_InvAdjustOmri(benchmark::State& state) {
    InvAdjustLookups(state, OmriCamera(), RandomPoints(25.0, 5));
}
void BM_InvAdjustCap(benchmark::State& state) {
    InvAdjustLookups(state, CapCamera(), RandomPoints(16.0, 5));
}
void BM_InvAdjustOmriRaster(benchmark::State& state) {
    InvAdjustLookups(state, OmriCamera(), RasterPoints(25.0));
}
BENCHMARK(BM_InvAdjustOmri);
BENCHMARK(BM_InvAdjustCap);
BENCHMARK(BM_InvAdjustOmriRaster);

// Adjust on random measured points.
void AdjustPoints(benchmark::State& state, const om::OmCamera& cam, double range) {
    const auto pts = RandomPoints(range, 6);
    std::size_t k = 0;
    for (auto _ : state) {
        double x = pts[k].first, y = pts[k].second;
        benchmark::DoNotOptimize(cam.Adjust(&x, &y));
        benchmark::DoNotOptimize(x);
        k = (k + 1) & (pts.size() - 1);
    }
    state.SetItemsProcessed(state.iterations());
}

void BM_AdjustCap(benchmark::State& state) {
    AdjustPoints(state, CapCamera(), 17.0);
}
// Baseline: the closed-form mode-0 Adjust.
void BM_AdjustOmri(benchmark::State& state) {
    AdjustPoints(state, OmriCamera(), 25.0);
}
BENCHMARK(BM_AdjustCap);
BENCHMARK(BM_AdjustOmri);

}  // namespace

namespace {
void BM_TableLookupOnly(benchmark::State& state) {
    const om::OmCamera cam = OmriCamera();
    om::OmInvAdjustTable table(om::OmInvAdjustKey{}, 30.0);
    table.Fill([&cam](double* x, double* y) { return cam.Adjust(x, y); });
    const auto pts = RandomPoints(25.0, 5);
    std::size_t k = 0;
    for (auto _ : state) {
        double x = pts[k].first, y = pts[k].second;
        benchmark::DoNotOptimize(table.Lookup(&x, &y));
        benchmark::DoNotOptimize(x);
        k = (k + 1) & (pts.size() - 1);
    }
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_TableLookupOnly);
}  // namespace
BENCHMARK_MAIN();
