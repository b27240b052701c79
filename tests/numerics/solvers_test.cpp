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

TEST(GaussLoeserRelMax, SwapsOnZeroPivotAndRejectsZeroRow) {
    const double swap[] = {0, 1, 1, 0};
    OmMatrix a(swap, 2, 2);
    const double rhs[] = {3, 5};
    OmMatrix b(rhs, 2, 1);
    ASSERT_EQ(GaussLoeserRelMax(a, b), 0);
    EXPECT_EQ(b[1][1], 5.0);
    EXPECT_EQ(b[2][1], 3.0);

    const double zero_row[] = {1, 2, 3, 0, 0, 0, 4, 5, 6};
    OmMatrix z(zero_row, 3, 3);
    OmMatrix zb(3, 1);
    EXPECT_EQ(GaussLoeserRelMax(z, zb), 1);
}

TEST(GaussLoeserRelMax, SingularAndNearSingularSystemsFail) {
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
    OmMatrix zero(1, 1), b(1, 1);
    EXPECT_EQ(GaussLoeserRelMax(zero, b), 1);
}

TEST(GaussLoeserRelMax, NonFiniteAndMismatchedInputsFail) {
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
    OmMatrix r(2, 3);
    r.Invert(&status);
    EXPECT_EQ(status, 1);
}

TEST(DreieckLoeserOben, SolvesUpperTriangleAndRefusesZeroDiagonal) {
    const double upper[] = {2, 1, -1, 0, 4, 2, 0, 0, 5};
    OmMatrix a(upper, 3, 3);
    const double rhs[] = {1, 2, 3, 4, 5, 10};
    OmMatrix b(rhs, 3, 2);
    ASSERT_EQ(DreieckLoeserOben(a, b), 0);
    // Substitute back into the original system.
    const OmMatrix original(upper, 3, 3);
    const OmMatrix check = original * b;
    for (int i = 1; i <= 3; ++i)
        for (int j = 1; j <= 2; ++j) EXPECT_NEAR(check[i][j], rhs[(i - 1) * 2 + j - 1], 1e-14);

    const double singular[] = {1, 1, 0, 0};
    OmMatrix s(singular, 2, 2);
    OmMatrix sb(rhs, 2, 1);
    EXPECT_EQ(s.DreieckLoeserOben(sb), 1);
    EXPECT_EQ(sb[1][1], 1.0);  // untouched
}

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
        for (int i = 1; i <= n; ++i) {
            d[i][i] = i + 1.0;
            product *= i + 1.0;
        }
        EXPECT_DOUBLE_EQ(Det(d), product) << "n=" << n;
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

TEST(GaussLoeserRelMax, MatchesEigenOnRandomSystems) {
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
        }
    }
}

TEST(Invert, MatchesEigenAndRoundTrips) {
    std::mt19937 rng(43);
    for (int n = 1; n <= 12; ++n) {
        for (int trial = 0; trial < 10; ++trial) {
            const OmMatrix a = RandomSystem(rng, n);
            OmMatrix inv = a;
            int status = -1;
            OmMatrix& same = inv.Invert(&status);
            EXPECT_EQ(&same, &inv);
            ASSERT_EQ(status, 0) << "n=" << n;
            EXPECT_LE(RelativeError(inv, ToEigen(a).inverse()), 1e-9) << "n=" << n;
            const OmMatrix product = a * inv;
            for (int i = 1; i <= n; ++i)
                for (int j = 1; j <= n; ++j) EXPECT_NEAR(product[i][j], i == j, 1e-12);
            inv.Invert();
            EXPECT_LE(RelativeError(inv, ToEigen(a)), 1e-12);
        }
    }
}

TEST(Det, MatchesEigenOnRandomMatrices) {
    std::mt19937 rng(44);
    for (int n = 1; n <= 12; ++n) {
        for (int trial = 0; trial < 10; ++trial) {
            // Both kinds: diagonally dominant and plain random (sign changes through swaps).
            const OmMatrix a = trial % 2 ? RandomSystem(rng, n) : RandomMatrix(rng, n, n);
            const double expected = ToEigen(a).determinant();
            EXPECT_LE(std::fabs(Det(a) - expected), 1e-9 * std::fabs(expected)) << "n=" << n;
        }
    }
}

#endif  // OMCORE_HAVE_EIGEN

}  // namespace
}  // namespace om
