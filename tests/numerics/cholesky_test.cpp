#include <om/numerics/matrix.h>

#include <cmath>
#include <random>
#include <vector>

#include <gtest/gtest.h>

#ifdef OMCORE_HAVE_EIGEN
#include <Eigen/Dense>
#endif

namespace om {
namespace {

// One observation: coefficients a_1..a_n and the observed value l.
struct Observation {
    std::vector<double> a;
    double l;
};

// The augmented normal-equation matrix [N b I; b^T l^Tl] accumulated as a caller does it.
OmMatrix NormalEquations(const std::vector<Observation>& obs, int n) {
    OmMatrix m(n + 1, 2 * n + 1);
    OmVector row(n + 1);
    for (const Observation& o : obs) {
        for (int i = 1; i <= n; ++i) row[i] = o.a[i - 1];
        row[n + 1] = o.l;
        m.CalcNGLAN(row);
    }
    for (int i = 1; i <= n; ++i) m[i][n + 1 + i] = 1.0;
    return m;
}

std::vector<Observation> RandomObservations(std::mt19937& rng, int n, int count) {
    std::uniform_real_distribution<double> u(-1.0, 1.0);
    std::normal_distribution<double> noise(0.0, 0.5);
    std::vector<double> truth(n);
    for (double& t : truth) t = 5.0 * u(rng);
    std::vector<Observation> obs(count);
    for (Observation& o : obs) {
        o.a.resize(n);
        o.l = noise(rng);
        for (int i = 0; i < n; ++i) {
            o.a[i] = u(rng);
            o.l += o.a[i] * truth[i];
        }
    }
    return obs;
}

TEST(Cholesky, ExactlyDeterminedSystemHasNoResidualButASolution) {
    // Two unknowns, two observations: x1 + x2 = 3, x1 - x2 = 1.
    const std::vector<Observation> obs = {{{1.0, 1.0}, 3.0}, {{1.0, -1.0}, 1.0}};
    OmMatrix m = NormalEquations(obs, 2);
    OmVector x(7);  // resized to the number of unknowns
    int status = -1;
    EXPECT_EQ(m.Cholesky(x, &status), 0.0);
    EXPECT_EQ(status, 0);
    ASSERT_EQ(x.GetSize(), 2);
    EXPECT_NEAR(x[1], 2.0, 1e-14);
    EXPECT_NEAR(x[2], 1.0, 1e-14);

    // Redundant but consistent observations of large values: rounding in l^T l - q is no
    // residual either.
    const std::vector<Observation> exact = {{{1.0, 1000.0}, 5000.25},
                                            {{1.0, 2000.0}, 9000.25},
                                            {{1.0, -3000.0}, -10999.75},
                                            {{1.0, 0.5}, 1002.25}};
    OmMatrix e = NormalEquations(exact, 2);
    EXPECT_EQ(e.Cholesky(x, &status), 0.0);
    EXPECT_EQ(status, 0);
    EXPECT_NEAR(x[1], 1000.25, 1e-9);
    EXPECT_NEAR(x[2], 4.0, 1e-12);
}

TEST(Cholesky, RepeatedObservationsAreAFailureNotAZeroDivision) {
    // Three identical observation rows for two unknowns: N is singular, the second pivot is 0.
    const std::vector<Observation> obs = {{{1.0, 2.0}, 1.0}, {{1.0, 2.0}, 1.0}, {{1.0, 2.0}, 1.0}};
    OmMatrix m = NormalEquations(obs, 2);
    OmVector x(2.5, 2.5, 2.5);
    int status = 0;
    EXPECT_EQ(m.Cholesky(x, &status), 0.0);
    EXPECT_EQ(status, 1);
    EXPECT_EQ(x, OmVector(2.5, 2.5, 2.5));  // untouched

    // Not positive definite: a negative diagonal.
    OmMatrix neg(2, 3);
    neg[1][1] = -4.0;
    neg[1][3] = 1.0;
    OmVector y(1);
    EXPECT_EQ(neg.Cholesky(y, &status), 0.0);
    EXPECT_EQ(status, 1);

    // NaN in the normal matrix passes a plain "d < 0" test; it must fail too.
    std::mt19937 rng(1);
    OmMatrix nan_m = NormalEquations(RandomObservations(rng, 3, 6), 3);
    nan_m[2][2] = std::nan("");
    OmVector z(3);
    EXPECT_EQ(nan_m.Cholesky(z), 0.0);
    EXPECT_EQ(nan_m.Cholesky(z, &status), 0.0);
    EXPECT_EQ(status, 1);
    EXPECT_EQ(z, OmVector(3));

    // Too few columns for even one unknown.
    OmMatrix narrow(2, 2);
    EXPECT_EQ(narrow.Cholesky(z, &status), 0.0);
    EXPECT_EQ(status, 1);
}

TEST(Cholesky, StoresTheVarianceRatio) {
    std::mt19937 rng(8);
    OmMatrix m = NormalEquations(RandomObservations(rng, 2, 10), 2);
    const double ltl = m[3][3];
    OmVector x(2);
    const double vv = m.Cholesky(x);
    ASSERT_GT(vv, 0.0);
    // m[n+1][n+1] becomes q / vv with q = l^Tl - vv.
    EXPECT_NEAR(m[3][3], (ltl - vv) / vv, 1e-12 * std::fabs(m[3][3]));
}

#ifdef OMCORE_HAVE_EIGEN

TEST(Cholesky, MatchesEigenLeastSquares) {
    std::mt19937 rng(99);
    for (int n = 1; n <= 12; ++n) {
        for (int trial = 0; trial < 5; ++trial) {
            const int count = n + 3 + trial * 4;
            const std::vector<Observation> obs = RandomObservations(rng, n, count);
            Eigen::MatrixXd a(count, n);
            Eigen::VectorXd l(count);
            for (int r = 0; r < count; ++r) {
                for (int c = 0; c < n; ++c) a(r, c) = obs[r].a[c];
                l(r) = obs[r].l;
            }
            const Eigen::VectorXd expected = a.colPivHouseholderQr().solve(l);
            const double expected_vv = (a * expected - l).squaredNorm();

            OmMatrix m = NormalEquations(obs, n);
            OmVector x(1);
            int status = -1;
            const double vv = m.Cholesky(x, &status);
            ASSERT_EQ(status, 0);
            ASSERT_EQ(x.GetSize(), n);
            double err = 0.0;
            for (int i = 0; i < n; ++i) err += std::pow(x[i + 1] - expected(i), 2);
            EXPECT_LE(std::sqrt(err) / expected.norm(), 1e-9) << "n=" << n;
            EXPECT_LE(std::fabs(vv - expected_vv) / expected_vv, 1e-9) << "n=" << n;
        }
    }
}

#endif  // OMCORE_HAVE_EIGEN

}  // namespace
}  // namespace om
