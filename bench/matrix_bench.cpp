// Throughput of the small-matrix kernels of per-point loops and of a 12x12 dense solve, with
// Eigen's fixed- and dynamic-size equivalents as the reference when it is available.
#include <om/numerics/matrix.h>

#include <random>

#include <benchmark/benchmark.h>

#ifdef OMCORE_HAVE_EIGEN
#include <Eigen/Dense>
#endif

namespace {

om::OmMatrix RandomMatrix(int n, unsigned seed, double diagonal) {
    std::mt19937 rng(seed);
    std::uniform_real_distribution<double> u(-1.0, 1.0);
    om::OmMatrix m(n, n);
    for (int i = 1; i <= n; ++i) {
        for (int j = 1; j <= n; ++j) m[i][j] = u(rng);
        m[i][i] += diagonal;
    }
    return m;
}

void BM_PTrans2D(benchmark::State& state) {
    const om::OmMatrix m = RandomMatrix(3, 1, 3.0);
    double x = 0.25, y = -0.5;
    for (auto _ : state) {
        double px = x, py = y;
        benchmark::DoNotOptimize(m.PTrans2D(&px, &py));
        benchmark::DoNotOptimize(px);
        benchmark::DoNotOptimize(py);
        x += 1e-9;
    }
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_PTrans2D);

void BM_PTrans3D(benchmark::State& state) {
    const om::OmMatrix m = RandomMatrix(4, 2, 4.0);
    double x = 0.25, y = -0.5, z = 1.5;
    for (auto _ : state) {
        double px = x, py = y, pz = z;
        benchmark::DoNotOptimize(m.PTrans3D(&px, &py, &pz));
        benchmark::DoNotOptimize(px);
        benchmark::DoNotOptimize(pz);
        x += 1e-9;
    }
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_PTrans3D);

void BM_Rotate3x3(benchmark::State& state) {
    om::OmMatrix r(3, 3);
    r.MakeRotMatrix(0.1, 0.2, 0.3);
    om::OmVector v(1.0, 2.0, 3.0);
    for (auto _ : state) {
        om::OmVector w = r * v;
        benchmark::DoNotOptimize(w[1]);
        v[1] += 1e-9;
    }
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_Rotate3x3);

void BM_Solve12(benchmark::State& state) {
    const om::OmMatrix a = RandomMatrix(12, 3, 12.0);
    const om::OmMatrix b = RandomMatrix(12, 4, 0.0);
    for (auto _ : state) {
        om::OmMatrix work = a, x = b;
        benchmark::DoNotOptimize(om::GaussLoeserRelMax(work, x));
        benchmark::DoNotOptimize(x[1][1]);
    }
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_Solve12);

void BM_Invert4(benchmark::State& state) {
    const om::OmMatrix a = RandomMatrix(4, 5, 4.0);
    for (auto _ : state) {
        om::OmMatrix inv = a;
        int status = 0;
        inv.Invert(&status);
        benchmark::DoNotOptimize(inv[1][1]);
    }
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_Invert4);

#ifdef OMCORE_HAVE_EIGEN

template <int N>
Eigen::Matrix<double, N, N> ToEigen(const om::OmMatrix& m) {
    Eigen::Matrix<double, N, N> e;
    for (int i = 0; i < N; ++i)
        for (int j = 0; j < N; ++j) e(i, j) = m.GetElemZeroIndex(i, j);
    return e;
}

void BM_Eigen_PTrans2D(benchmark::State& state) {
    const Eigen::Matrix3d m = ToEigen<3>(RandomMatrix(3, 1, 3.0));
    double x = 0.25, y = -0.5;
    for (auto _ : state) {
        const Eigen::Vector3d h = m * Eigen::Vector3d(x, y, 1.0);
        const Eigen::Vector2d p = h.head<2>() / h.z();
        benchmark::DoNotOptimize(p);
        x += 1e-9;
    }
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_Eigen_PTrans2D);

void BM_Eigen_PTrans3D(benchmark::State& state) {
    const Eigen::Matrix4d m = ToEigen<4>(RandomMatrix(4, 2, 4.0));
    double x = 0.25, y = -0.5, z = 1.5;
    for (auto _ : state) {
        const Eigen::Vector4d h = m * Eigen::Vector4d(x, y, z, 1.0);
        const Eigen::Vector3d p = h.head<3>() / h.w();
        benchmark::DoNotOptimize(p);
        x += 1e-9;
    }
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_Eigen_PTrans3D);

void BM_Eigen_Solve12(benchmark::State& state) {
    const Eigen::MatrixXd a = ToEigen<12>(RandomMatrix(12, 3, 12.0));
    const Eigen::MatrixXd b = ToEigen<12>(RandomMatrix(12, 4, 0.0));
    for (auto _ : state) {
        Eigen::MatrixXd x = a.partialPivLu().solve(b);
        benchmark::DoNotOptimize(x.data());
    }
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_Eigen_Solve12);

void BM_Eigen_Invert4(benchmark::State& state) {
    const Eigen::Matrix4d a = ToEigen<4>(RandomMatrix(4, 5, 4.0));
    for (auto _ : state) {
        Eigen::Matrix4d inv = a.inverse();
        benchmark::DoNotOptimize(inv.data());
    }
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_Eigen_Invert4);

#endif  // OMCORE_HAVE_EIGEN

}  // namespace

BENCHMARK_MAIN();
