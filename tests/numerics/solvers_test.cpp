// Linear solvers, inversion, determinants and the normal-equation Cholesky solver.
#include <om/numerics/matrix.h>

#include <algorithm>
#include <cmath>
#include <numeric>
#include <random>
#include <vector>

#include <gtest/gtest.h>

#ifdef OMCORE_HAVE_EIGEN
#include <Eigen/Dense>
#endif

namespace om {
namespace {

// Well-conditioned random systems: uniform entries plus a dominant diagonal, with the rows
// shuffled so that the pivot search has to swap.
OmMatrix RandomSystem(std::mt19937& rng, int n) {
    std::uniform_real_distribution<double> u(-1.0, 1.0);
    OmMatrix a(n, n);
    for (int i = 1; i <= n; ++i) {
        for (int j = 1; j <= n; ++j) a[i][j] = u(rng);
        a[i][i] += (u(rng) < 0 ? -1.0 : 1.0) * (n + 1.0);
    }
    std::vector<int> order(n);
    std::iota(order.begin(), order.end(), 1);
    std::shuffle(order.begin(), order.end(), rng);
    OmMatrix shuffled(n, n);
    OmVector line(n);
    for (int i = 1; i <= n; ++i) {
        a.GetLine(order[i - 1], line);
        shuffled.SetLine(i, line);
    }
    return shuffled;
}

OmMatrix RandomMatrix(std::mt19937& rng, int rows, int cols) {
    std::uniform_real_distribution<double> u(-10.0, 10.0);
    OmMatrix m(rows, cols);
    for (int i = 1; i <= rows; ++i)
        for (int j = 1; j <= cols; ++j) m[i][j] = u(rng);
    return m;
}

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

TEST(GaussLoeserRelMax, SingularNonFiniteAndMismatchedInputsFail) {
    std::mt19937 rng(11);
    for (int n = 2; n <= 12; ++n) {
        // Last row a combination of two others: exactly rank-deficient.
        OmMatrix a = RandomSystem(rng, n);
        const int other = n > 2 ? 2 : 1;
        for (int j = 1; j <= n; ++j) a[n][j] = 2.0 * a[1][j] - 0.5 * a[other][j];
        OmMatrix b(n, 2);
        OmMatrix copy = a;
        EXPECT_EQ(GaussLoeserRelMax(copy, b), 1) << "n=" << n;
        EXPECT_EQ(Det(a), 0.0) << "n=" << n;
        int status = 0;
        a.Invert(&status);
        EXPECT_EQ(status, 1) << "n=" << n;

        // Perturbed far below the pivot tolerance: still singular.
        OmMatrix near = RandomSystem(rng, n);
        for (int j = 1; j <= n; ++j) near[n][j] = near[1][j] * (1.0 + 1e-14);
        OmMatrix nb(n, 1);
        EXPECT_EQ(GaussLoeserRelMax(near, nb), 1) << "n=" << n;
    }
    OmMatrix zero(1, 1), zb(1, 1);
    EXPECT_EQ(GaussLoeserRelMax(zero, zb), 1);
    for (const double bad : {std::nan(""), double(INFINITY)}) {
        const double values[] = {1, 0, 0, bad};
        OmMatrix a(values, 2, 2), b(2, 1);
        b[2][1] = 1.0;
        EXPECT_EQ(GaussLoeserRelMax(a, b), 1) << bad;
    }
    OmMatrix rect(2, 3), rb(2, 1);
    EXPECT_EQ(GaussLoeserRelMax(rect, rb), 1);
    OmMatrix sq(3, 3), wrong_b(2, 1);
    sq.SetIdent();
    EXPECT_EQ(GaussLoeserRelMax(sq, wrong_b), 1);
    int status = 0;
    rect.Invert(&status);
    EXPECT_EQ(status, 1);
}

TEST(DreieckLoeserOben, SolvesUpperTriangleAndRefusesZeroDiagonal) {
    const double upper[] = {2, 1, -1, 0, 4, 2, 0, 0, 5};
    OmMatrix a(upper, 3, 3);
    const double rhs[] = {1, 2, 3, 4, 5, 10};
    OmMatrix b(rhs, 3, 2);
    ASSERT_EQ(DreieckLoeserOben(a, b), 0);
    const OmMatrix check = OmMatrix(upper, 3, 3) * b;  // substituted back
    for (int i = 0; i < 6; ++i) EXPECT_NEAR(check.GetElemZeroIndex(i / 2, i % 2), rhs[i], 1e-14);

    const double singular[] = {1, 1, 0, 0};
    OmMatrix s(singular, 2, 2);
    OmMatrix sb(rhs, 2, 1);
    EXPECT_EQ(s.DreieckLoeserOben(sb), 1);
    EXPECT_EQ(sb[1][1], 1.0);  // untouched
}

// The sign of the determinant follows the row swaps for every size, not only 2x2.
TEST(Det, PermutationsAndDiagonalsForEverySize) {
    std::mt19937 rng(3);
    for (int n = 1; n <= 12; ++n) {
        std::vector<int> perm(n);
        std::iota(perm.begin(), perm.end(), 0);
        for (int trial = 0; trial < 5; ++trial) {
            std::shuffle(perm.begin(), perm.end(), rng);
            int inversions = 0;
            for (int i = 0; i < n; ++i)
                for (int j = i + 1; j < n; ++j) inversions += perm[i] > perm[j];
            OmMatrix p(n, n);
            for (int i = 0; i < n; ++i) p[i + 1][perm[i] + 1] = 1.0;
            EXPECT_EQ(Det(p), inversions % 2 ? -1.0 : 1.0) << "n=" << n;
            EXPECT_EQ(p.Det(), Det(p));
        }
        OmMatrix d(n, n);
        double product = 1.0;
        for (int i = 1; i <= n; ++i) product *= d[i][i] = i + 1.0;
        d[n][n] = -d[n][n];
        EXPECT_DOUBLE_EQ(Det(d), -product) << "n=" << n;
    }
    const double tiny_pivot[] = {1, 2, 1, 2 + 1e-12};
    EXPECT_EQ(Det(OmMatrix(tiny_pivot, 2, 2)), 0.0);
    EXPECT_EQ(Det(OmMatrix(2, 3)), 0.0);
}

TEST(Cramer, AgreesWithGaussAndSarrusWithDet) {
    std::mt19937 rng(5);
    for (int trial = 0; trial < 50; ++trial) {
        const OmMatrix a = RandomSystem(rng, 3);
        const OmMatrix rhs = RandomMatrix(rng, 3, 1);
        OmVector b(3);
        rhs.GetRow(1, b);
        const OmVector x = a.Cramer(b);
        OmMatrix lu = a, gauss = rhs;
        ASSERT_EQ(GaussLoeserRelMax(lu, gauss), 0);
        for (int i = 1; i <= 3; ++i) EXPECT_NEAR(x[i], gauss[i][1], 1e-12);
        EXPECT_NEAR(a.Sarrus(), Det(a), 1e-10 * std::fabs(Det(a)));
    }
    // Sarrus uses the leading 3x3 block of a larger matrix.
    OmMatrix big(4, 5);
    for (int i = 1; i <= 4; ++i) big[i][i] = i < 4 ? i + 1.0 : 100.0;
    EXPECT_EQ(big.Sarrus(), 24.0);
    EXPECT_EQ(OmMatrix(2, 2).Sarrus(), 0.0);
}

TEST(Cholesky, ExactSystemsHaveNoResidualAndTheSolutionIsResized) {
    // Two unknowns, two observations: x1 + x2 = 3, x1 - x2 = 1.
    OmMatrix m = NormalEquations({{{1.0, 1.0}, 3.0}, {{1.0, -1.0}, 1.0}}, 2);
    OmVector x(7);
    int status = -1;
    EXPECT_EQ(m.Cholesky(x, &status), 0.0);
    EXPECT_EQ(status, 0);
    ASSERT_EQ(x.GetSize(), 2);
    EXPECT_NEAR(x[1], 2.0, 1e-14);
    EXPECT_NEAR(x[2], 1.0, 1e-14);

    // Redundant but consistent observations of large values: rounding in l^T l - q is no
    // residual either.
    OmMatrix e = NormalEquations({{{1.0, 1000.0}, 5000.25},
                                  {{1.0, 2000.0}, 9000.25},
                                  {{1.0, -3000.0}, -10999.75},
                                  {{1.0, 0.5}, 1002.25}},
                                 2);
    EXPECT_EQ(e.Cholesky(x, &status), 0.0);
    EXPECT_EQ(status, 0);
    EXPECT_NEAR(x[1], 1000.25, 1e-9);
    EXPECT_NEAR(x[2], 4.0, 1e-12);

    // m[n+1][n+1] becomes q / vv with q = l^Tl - vv.
    std::mt19937 rng(8);
    OmMatrix r = NormalEquations(RandomObservations(rng, 2, 10), 2);
    const double ltl = r[3][3];
    const double vv = r.Cholesky(x);
    ASSERT_GT(vv, 0.0);
    EXPECT_NEAR(r[3][3], (ltl - vv) / vv, 1e-12 * std::fabs(r[3][3]));
}

// A zero, negative or NaN pivot is a failure with status 1 and an untouched solution, never a
// division by zero passed off as a result.
TEST(Cholesky, DegeneratePivotsFailAndKeepTheSolution) {
    std::mt19937 rng(1);
    OmMatrix repeated =
        NormalEquations({{{1.0, 2.0}, 1.0}, {{1.0, 2.0}, 1.0}, {{1.0, 2.0}, 1.0}}, 2);
    OmMatrix negative(2, 3);
    negative[1][1] = -4.0;
    negative[1][3] = 1.0;
    OmMatrix nan_m = NormalEquations(RandomObservations(rng, 3, 6), 3);
    nan_m[2][2] = std::nan("");
    OmMatrix narrow(2, 2);  // too few columns for even one unknown
    for (OmMatrix* m : {&repeated, &negative, &nan_m, &narrow}) {
        OmVector x(2.5, 2.5, 2.5);
        int status = 0;
        OmMatrix copy = *m;
        EXPECT_EQ(copy.Cholesky(x), 0.0);
        EXPECT_EQ(m->Cholesky(x, &status), 0.0);
        EXPECT_EQ(status, 1);
        EXPECT_EQ(x, OmVector(2.5, 2.5, 2.5));
    }
}

#ifdef OMCORE_HAVE_EIGEN

Eigen::MatrixXd ToEigen(const OmMatrix& m) {
    Eigen::MatrixXd e(m.GetZeilen(), m.GetSpalten());
    for (int i = 0; i < m.GetZeilen(); ++i)
        for (int j = 0; j < m.GetSpalten(); ++j) e(i, j) = m.GetElemZeroIndex(i, j);
    return e;
}

double RelativeError(const OmMatrix& ours, const Eigen::MatrixXd& reference) {
    return (ToEigen(ours) - reference).norm() / reference.norm();
}

TEST(EigenOracle, GaussInvertAndDetOnRandomSystems) {
    std::mt19937 rng(42);
    for (int n = 1; n <= 12; ++n) {
        for (int trial = 0; trial < 10; ++trial) {
            const OmMatrix a = RandomSystem(rng, n);
            const OmMatrix b = RandomMatrix(rng, n, 1 + trial % 3);
            const Eigen::MatrixXd expected = ToEigen(a).fullPivLu().solve(ToEigen(b));
            OmMatrix work = a, x = b;
            ASSERT_EQ(GaussLoeserRelMax(work, x), 0) << "n=" << n;
            EXPECT_LE(RelativeError(x, expected), 1e-9) << "n=" << n;
            OmMatrix member = a, y = b;
            ASSERT_EQ(member.GaussLoeserRelMax(y), 0);
            EXPECT_LE(RelativeError(y, expected), 1e-9);

            OmMatrix inv = a;
            int status = -1;
            EXPECT_EQ(&inv.Invert(&status), &inv);
            ASSERT_EQ(status, 0) << "n=" << n;
            EXPECT_LE(RelativeError(inv, ToEigen(a).inverse()), 1e-9) << "n=" << n;
            inv.Invert();
            EXPECT_LE(RelativeError(inv, ToEigen(a)), 1e-12);

            // Plain random matrices too: their swaps change the sign.
            const OmMatrix c = trial % 2 ? a : RandomMatrix(rng, n, n);
            const double det = ToEigen(c).determinant();
            EXPECT_LE(std::fabs(Det(c) - det), 1e-9 * std::fabs(det)) << "n=" << n;
        }
    }
}

TEST(EigenOracle, CholeskyMatchesLeastSquares) {
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
