// Vector and matrix algebra against component formulas, the size rules of copies and mixed-size
// operands, linear solvers, inversion, determinants and the normal-equation Cholesky solver.
#include <om/numerics/matrix.h>
#include <om/numerics/vector.h>

#include <cmath>
#include <limits>
#include <random>
#include <utility>
#include <vector>

#include <gtest/gtest.h>

#ifdef OMCORE_HAVE_EIGEN
#include <Eigen/Dense>
#endif

namespace om {
namespace {

OmMatrix Sequential(int rows, int cols) {
    OmMatrix m(rows, cols);
    for (int i = 1; i <= rows; ++i)
        for (int j = 1; j <= cols; ++j) m[i][j] = 10.0 * i + j;
    return m;
}

OmMatrix RandomMatrix(std::mt19937& rng, int rows, int cols) {
    std::uniform_real_distribution<double> u(-10.0, 10.0);
    OmMatrix m(rows, cols);
    for (int i = 1; i <= rows; ++i)
        for (int j = 1; j <= cols; ++j) m[i][j] = u(rng);
    return m;
}

TEST(OmVector, CopiesTakeTheSourceSizeAndMixedSizesStayInBounds) {
    OmVector big(9);
    for (int i = 1; i <= 9; ++i) big[i] = i * 1.5;
    OmVector small(1.0, 2.0, 3.0);
    small = big;  // inline storage receiving a heap-sized vector must resize, not overrun
    EXPECT_EQ(small, big);
    OmVector target(1.0, 1.0, 1.0);
    target = std::move(small);
    EXPECT_TRUE(target.GetSize() == 9 && target[9] == 13.5);
    const OmVector nan(1.0, std::numeric_limits<double>::quiet_NaN(), 3.0);
    EXPECT_TRUE(!(nan == nan) && OmVector(3) != OmVector(4));

    const OmVector a(1.0, -2.0, 3.0), b(4.0, 5.0, -6.0);
    EXPECT_EQ(a - b * 2.0 + a / 2.0, OmVector(-6.5, -13.0, 16.5));
    EXPECT_DOUBLE_EQ(a * b, -24.0);
    EXPECT_NEAR((a % b) * a + (a % b) * b, 0.0, 1e-12);
    // A cross product takes three elements and never reads a shorter operand past its end.
    EXPECT_EQ(OmVector(1.0, 0.0, 0.0, 9.0) % OmVector(0.0, 1.0, 0.0, 9.0), OmVector(0.0, 0.0, 1.0));
    OmVector two(2), longer(6);
    two[1] = 1.0;
    EXPECT_EQ(two % OmVector(0.0, 1.0, 0.0), OmVector(0.0, 0.0, 1.0));
    for (int i = 1; i <= 6; ++i) longer[i] = i;
    const OmVector sum = longer + OmVector(1.0, 1.0, 1.0);
    EXPECT_TRUE(sum.GetSize() == 6 && sum[3] == 4.0 && sum[6] == 6.0);
    EXPECT_EQ(longer * OmVector(1.0, 1.0, 1.0), 6.0);
}

TEST(OmVector, NormNormalizeAndChangeType) {
    // Squares beyond the double range do not make the norm infinite; zero stays zero, not NaN.
    EXPECT_DOUBLE_EQ(OmVector(3e200, 4e200, 0.0).Abs(), 5e200);
    EXPECT_TRUE(OmVector(3e200, 4e200, 0.0).Normalize().IsNormalized(1e-15));
    EXPECT_DOUBLE_EQ(OmVector(3.0, 4.0, 12.0).Normalize()[3], 12.0 / 13.0);
    OmVector zero(3);
    EXPECT_EQ(zero.Normalize(), OmVector(3));

    const OmVector four(2.0, 3.0, 5.0, 7.0), three(2.0, 3.0, 5.0);
    const struct {
        OmVector in;
        eOmVectorType type;
        OmVector out;
    } cases[] = {
        {OmVector(2.0, 3.0, 1.0), eOmVectorSpatialHomogeneous, OmVector(2.0, 3.0, 1.0, 1.0)},
        {four, eOmVectorSpatialHomogeneous, four},
        {four, eOmVectorPlanar, OmVector(2.0, 3.0, 0.0)},
        {four, eOmVectorPlanarHomogeneous, OmVector(2.0, 3.0, 1.0)},
        {four, eOmVectorSpatial, three},
        {three, eOmVectorPlanar, three},  // same element count: unchanged
        {OmVector(5), eOmVectorSpatialHomogeneous, OmVector(5)}};
    for (const auto& c : cases) {
        OmVector changed = c.in;
        changed.ChangeType(c.type);
        EXPECT_EQ(changed, c.out) << c.type;
    }
}

TEST(OmMatrix, LinesRowsAndRowOperations) {
    // The vector decides how much moves, bounded by the matrix.
    OmMatrix m = Sequential(3, 4);
    OmVector two(2), six(6);
    six[4] = -4.0;
    m.SetLine(3, six);
    m.SetRow(1, OmVector(7.0, 8.0, 9.0, 10.0));
    m.GetLine(1, two);
    m.GetRow(2, six);
    EXPECT_TRUE(m[2][1] == 8.0 && m[3][1] == 9.0 && m[3][4] == -4.0 && two[2] == 12.0 &&
                six[2] == 22.0 && six[4] == -4.0);

    OmMatrix r = Sequential(3, 3);
    r.SwapLines(1, 3);
    r.SwapLines(2, 2);
    r.MultLine(2, 2, 2.0);  // -1: to the last column
    r.MultLine(2, 1, 0.5, 1);
    r.AddLines(1, 3, 2, -1.0);  // row1 -= row3 from column 2 on
    r.AddLines(3, 1, 1, 1.0, 2);
    const double expected[] = {31, 20, 20, 10.5, 44, 46, 42, 32, 13};
    for (int i = 0; i < 9; ++i) EXPECT_EQ(r.GetElemZeroIndex(i / 3, i % 3), expected[i]) << i;
}

TEST(OmMatrix, ProductsMatchTheDefinition) {
    std::mt19937 rng(7);
    for (int rows = 1; rows <= 6; ++rows) {
        for (int inner = 1; inner <= 6; inner += 2) {
            const int cols = 7 - rows;
            const OmMatrix a = RandomMatrix(rng, rows, inner), b = RandomMatrix(rng, inner, cols);
            OmVector v(inner);
            RandomMatrix(rng, inner, 1).GetRow(1, v);
            const OmMatrix ab = a * b;
            const OmVector av = a * v;
            const OmMatrix abt = b.Transpose() * a.Transpose();
            ASSERT_TRUE(ab.GetZeilen() == rows && ab.GetSpalten() == cols);
            ASSERT_TRUE(av.GetSize() == rows && abt.GetZeilen() == cols);
            for (int i = 1; i <= rows; ++i) {
                double dot = 0.0;
                for (int k = 1; k <= inner; ++k) dot += a.GetElem(i, k) * v[k];
                EXPECT_NEAR(av[i], dot, 1e-10);
                for (int j = 1; j <= cols; ++j) {
                    double sum = 0.0;
                    for (int k = 1; k <= inner; ++k) sum += a.GetElem(i, k) * b.GetElem(k, j);
                    EXPECT_NEAR(ab[i][j], sum, 1e-10);
                    EXPECT_NEAR(abt[j][i], sum, 1e-10);
                }
            }
        }
    }
}

// Assigning a larger matrix to a smaller one resizes the target instead of writing past it.
TEST(OmMatrix, AssignmentAndSetResizeToTheSource) {
    OmMatrix small(3, 3);
    small = Sequential(5, 6);
    ASSERT_TRUE(small.GetZeilen() == 5 && small.GetSpalten() == 6);
    EXPECT_EQ(small[5][6], 56.0);
    OmMatrix target(1, 1);
    target = Sequential(7, 7);
    OmMatrix copy(target);
    target[1][1] = -1.0;
    EXPECT_TRUE(copy.GetZeilen() == 7 && copy[1][1] == 11.0 && copy[7][7] == 77.0);
    const double values[] = {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16, 17, 18};
    OmMatrix s(2, 2);
    s.Set(values, 3, 6);
    EXPECT_TRUE(s.GetZeilen() == 3 && s[3][6] == 18.0);

    // A smaller operand combines only where it has elements.
    OmMatrix four = Sequential(4, 4);
    OmMatrix id(2, 2);
    id.SetIdent();
    four += id;
    EXPECT_TRUE(four[2][2] == 23.0 && four[3][3] == 33.0);
    EXPECT_EQ(OmMatrix(-2, 5).GetZeilen(), 0);
}

// Well-conditioned random systems: uniform entries plus a dominant diagonal, with the rows
// shuffled so that the pivot search has to swap.
OmMatrix RandomSystem(std::mt19937& rng, int n) {
    std::uniform_real_distribution<double> u(-1.0, 1.0);
    OmMatrix a(n, n);
    for (int i = 1; i <= n; ++i) {
        for (int j = 1; j <= n; ++j) a[i][j] = u(rng);
        a[i][i] += (u(rng) < 0 ? -1.0 : 1.0) * (n + 1.0);
    }
    for (int i = n; i > 1; --i) a.SwapLines(i, 1 + static_cast<int>(rng() % i));
    return a;
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
        OmMatrix b(n, 2), copy = a;
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
    OmMatrix rect(2, 3), rb(2, 1), sq(3, 3), wrong_b(2, 1);
    sq.SetIdent();
    EXPECT_EQ(GaussLoeserRelMax(rect, rb), 1);
    EXPECT_EQ(GaussLoeserRelMax(sq, wrong_b), 1);
    int status = 0;
    rect.Invert(&status);
    EXPECT_EQ(status, 1);
}

TEST(DreieckLoeserOben, SolvesUpperTriangleAndRefusesZeroDiagonal) {
    const double upper[] = {2, 1, -1, 0, 4, 2, 0, 0, 5}, rhs[] = {1, 2, 3, 4, 5, 10};
    OmMatrix a(upper, 3, 3), b(rhs, 3, 2);
    ASSERT_EQ(DreieckLoeserOben(a, b), 0);
    const OmMatrix check = OmMatrix(upper, 3, 3) * b;  // substituted back
    for (int i = 0; i < 6; ++i) EXPECT_NEAR(check.GetElemZeroIndex(i / 2, i % 2), rhs[i], 1e-14);

    const double singular[] = {1, 1, 0, 0};
    OmMatrix s(singular, 2, 2), sb(rhs, 2, 1);
    EXPECT_EQ(s.DreieckLoeserOben(sb), 1);
    EXPECT_EQ(sb[1][1], 1.0);  // untouched
}

// The determinant's sign follows the row swaps for every size, not only 2x2; Sarrus uses the
// leading 3x3 block of a larger matrix.
TEST(Det, SwapSignsTinyPivotsAndSarrus) {
    const double cycle[] = {0, 1, 0, 0, 0, 1, 1, 0, 0}, swap[] = {0, 1, 0, 1, 0, 0, 0, 0, 1};
    const double diag[] = {2, 0, 0, 0, 3, 0, 0, 0, 4}, tiny_pivot[] = {1, 2, 1, 2 + 1e-12};
    EXPECT_EQ(Det(OmMatrix(cycle, 3, 3)), 1.0);
    EXPECT_EQ(Det(OmMatrix(swap, 3, 3)), -1.0);
    EXPECT_EQ(OmMatrix(diag, 3, 3).Det(), 24.0);
    EXPECT_EQ(Det(OmMatrix(tiny_pivot, 2, 2)), 0.0);
    EXPECT_EQ(Det(OmMatrix(2, 3)), 0.0);
    OmMatrix big(4, 5);
    for (int i = 1; i <= 4; ++i) big[i][i] = i < 4 ? i + 1.0 : 100.0;
    EXPECT_EQ(big.Sarrus(), 24.0);
    EXPECT_EQ(OmMatrix(2, 2).Sarrus(), 0.0);
}

// x1 + x2 = 3, x1 - x2 = 1; then redundant but consistent observations of large values, where
// rounding in l^T l - q must not show up as a residual either.
TEST(Cholesky, ExactSystemsHaveNoResidualAndTheSolutionIsResized) {
    const struct {
        std::vector<Observation> obs;
        double x1, x2;
    } cases[] = {{{{{1.0, 1.0}, 3.0}, {{1.0, -1.0}, 1.0}}, 2.0, 1.0},
                 {{{{1.0, 1000.0}, 5000.25},
                   {{1.0, 2000.0}, 9000.25},
                   {{1.0, -3000.0}, -10999.75},
                   {{1.0, 0.5}, 1002.25}},
                  1000.25,
                  4.0}};
    for (const auto& c : cases) {
        OmMatrix m = NormalEquations(c.obs, 2);
        OmVector x(7);
        int status = -1;
        EXPECT_EQ(m.Cholesky(x, &status), 0.0);
        ASSERT_TRUE(status == 0 && x.GetSize() == 2);
        EXPECT_NEAR(x[1], c.x1, 1e-9);
        EXPECT_NEAR(x[2], c.x2, 1e-12);
    }
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

TEST(EigenOracle, GaussCramerInvertAndDetOnRandomSystems) {
    std::mt19937 rng(42);
    for (int n = 1; n <= 12; ++n) {
        for (int trial = 0; trial < 10; ++trial) {
            const OmMatrix a = RandomSystem(rng, n);
            const OmMatrix b = RandomMatrix(rng, n, 1 + trial % 3);
            const Eigen::MatrixXd expected = ToEigen(a).fullPivLu().solve(ToEigen(b));
            OmMatrix work = a, x = b;
            ASSERT_EQ(GaussLoeserRelMax(work, x), 0) << "n=" << n;
            EXPECT_LE(RelativeError(x, expected), 1e-9) << "n=" << n;
            if (n == 3) {
                OmVector rhs(3);
                b.GetRow(1, rhs);
                const OmVector cramer = a.Cramer(rhs);
                for (int i = 1; i <= 3; ++i) EXPECT_NEAR(cramer[i], expected(i - 1, 0), 1e-10);
                EXPECT_NEAR(a.Sarrus(), Det(a), 1e-10 * std::fabs(Det(a)));
            }

            OmMatrix inv = a;
            int status = -1;
            EXPECT_EQ(&inv.Invert(&status), &inv);
            ASSERT_EQ(status, 0) << "n=" << n;
            EXPECT_LE(RelativeError(inv, ToEigen(a).inverse()), 1e-9) << "n=" << n;
            inv.Invert();
            EXPECT_LE(RelativeError(inv, ToEigen(a)), 1e-12);

            const OmMatrix c = trial % 2 ? a : RandomMatrix(rng, n, n);  // swaps flip the sign
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
            const double ltl = m[n + 1][n + 1];
            OmVector x(1);
            int status = -1;
            const double vv = m.Cholesky(x, &status);
            ASSERT_EQ(status, 0);
            // The corner becomes q / vv with q = l^Tl - vv.
            EXPECT_NEAR(m[n + 1][n + 1], (ltl - vv) / vv, 1e-9 * std::fabs(m[n + 1][n + 1]));
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
