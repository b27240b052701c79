// Vector and matrix algebra against component formulas, and the size rules of copies and
// mixed-size operands.
#include <om/numerics/matrix.h>
#include <om/numerics/vector.h>

#include <limits>
#include <random>
#include <utility>

#include <gtest/gtest.h>

namespace om {
namespace {

OmMatrix Sequential(int rows, int cols) {
    OmMatrix m(rows, cols);
    for (int i = 1; i <= rows; ++i)
        for (int j = 1; j <= cols; ++j) m[i][j] = 10.0 * i + j;
    return m;
}

TEST(OmVector, CopiesAndAssignmentsTakeTheSourceSize) {
    OmVector big(9);
    for (int i = 1; i <= 9; ++i) big[i] = i * 1.5;
    OmVector small(1.0, 2.0, 3.0);
    small = big;  // inline storage receiving a heap-sized vector must resize, not overrun
    EXPECT_EQ(small, big);
    small = OmVector(2);
    EXPECT_EQ(small, OmVector(2));
    OmVector copy(big);
    big[1] = 100.0;  // the copy owns its elements
    OmVector target(1.0, 1.0, 1.0);
    target = std::move(copy);
    EXPECT_TRUE(target.GetSize() == 9 && target[1] == 1.5 && target[9] == 13.5);
    OmVector inline_dst(OmVector(1.0, 2.0, 3.0, 4.0));
    const OmVector& alias = inline_dst;
    inline_dst = alias;
    EXPECT_EQ(inline_dst, OmVector(1.0, 2.0, 3.0, 4.0));

    // Equality is exact, needs equal sizes, and NaN is never equal.
    EXPECT_NE(OmVector(1.0, 2.0, 3.0), OmVector(1.0, 2.0, 3.0 + 1e-15));
    EXPECT_NE(OmVector(1.0, 2.0, 3.0), OmVector(1.0, 2.0, 3.0, 0.0));
    const OmVector nan(1.0, std::numeric_limits<double>::quiet_NaN(), 3.0);
    EXPECT_TRUE(!(nan == nan) && nan != nan);
}

TEST(OmVector, ArithmeticMatchesComponentFormulas) {
    const OmVector a(1.0, -2.0, 3.0);
    const OmVector b(4.0, 5.0, -6.0);
    EXPECT_EQ(a - b * 2.0 + a / 2.0, OmVector(-6.5, -13.0, 16.5));
    EXPECT_DOUBLE_EQ(a * b, 4.0 - 10.0 - 18.0);
    OmVector c = a;
    c += b;
    c -= a;
    c *= 3.0;
    c /= 3.0;
    EXPECT_EQ(c, b);
    const OmVector x = a % b;
    EXPECT_NEAR(x * a, 0.0, 1e-12);
    EXPECT_NEAR(x * b, 0.0, 1e-12);
    // Only the first three elements take part in a cross product, and a shorter operand is
    // never read past its end.
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
    OmVector v(3.0, 4.0, 12.0);
    EXPECT_DOUBLE_EQ(v.Abs(), 13.0);
    // Squares beyond the double range do not make the norm infinite.
    EXPECT_DOUBLE_EQ(OmVector(3e200, 4e200, 0.0).Abs(), 5e200);
    EXPECT_TRUE(OmVector(3e200, 4e200, 0.0).Normalize().IsNormalized(1e-15));
    v.Normalize();
    EXPECT_DOUBLE_EQ(v[3], 12.0 / 13.0);
    EXPECT_TRUE(OmVector(1.05, 0.0, 0.0).IsNormalized(0.05 + 1e-12));
    EXPECT_FALSE(OmVector(1.06, 0.0, 0.0).IsNormalized(0.05));
    OmVector zero(3);  // stays zero instead of becoming NaN
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
    OmMatrix m = Sequential(3, 4);
    OmVector line(4), column(3);
    m.GetLine(2, line);
    m.GetRow(4, column);
    EXPECT_EQ(line, OmVector(21.0, 22.0, 23.0, 24.0));
    EXPECT_EQ(column, OmVector(14.0, 24.0, 34.0));
    m.SetLine(3, OmVector(-1.0, -2.0, -3.0, -4.0));
    m.SetRow(1, OmVector(7.0, 8.0, 9.0));
    EXPECT_TRUE(m[1][1] == 7.0 && m[3][1] == 9.0 && m[3][2] == -2.0 && m[3][4] == -4.0);
    // The vector decides how much moves, bounded by the matrix.
    OmVector two(2), six(6);
    m.GetLine(1, two);
    m.GetRow(2, six);
    EXPECT_TRUE(two[2] == 12.0 && six[3] == -2.0 && six[4] == 0.0);

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

// Products and transposes against a plain triple loop over GetElem.
TEST(OmMatrix, ProductsMatchTheDefinition) {
    std::mt19937 rng(7);
    std::uniform_real_distribution<double> u(-3.0, 3.0);
    for (int rows = 1; rows <= 6; ++rows) {
        for (int inner = 1; inner <= 6; inner += 2) {
            const int cols = 7 - rows;
            OmMatrix a(rows, inner), b(inner, cols);
            OmVector v(inner);
            for (int i = 1; i <= rows; ++i)
                for (int k = 1; k <= inner; ++k) a[i][k] = u(rng);
            for (int k = 1; k <= inner; ++k) {
                v[k] = u(rng);
                for (int j = 1; j <= cols; ++j) b[k][j] = u(rng);
            }
            const OmMatrix ab = a * b;
            const OmVector av = a * v;
            const OmMatrix abt = b.Transpose() * a.Transpose();
            ASSERT_TRUE(ab.GetZeilen() == rows && ab.GetSpalten() == cols);
            ASSERT_TRUE(av.GetSize() == rows && abt.GetZeilen() == cols);
            for (int i = 1; i <= rows; ++i) {
                double dot = 0.0;
                for (int k = 1; k <= inner; ++k) dot += a.GetElem(i, k) * v[k];
                EXPECT_NEAR(av[i], dot, 1e-12);
                for (int j = 1; j <= cols; ++j) {
                    double sum = 0.0;
                    for (int k = 1; k <= inner; ++k) sum += a.GetElem(i, k) * b.GetElem(k, j);
                    EXPECT_NEAR(ab[i][j], sum, 1e-12);
                    EXPECT_NEAR(abt[j][i], sum, 1e-12);
                }
            }
        }
    }
}

// Assigning a larger matrix to a smaller one resizes the target instead of writing past it.
TEST(OmMatrix, AssignmentAndSetResizeToTheSource) {
    OmMatrix small(3, 3);
    small.SetIdent();
    small = Sequential(5, 6);
    ASSERT_TRUE(small.GetZeilen() == 5 && small.GetSpalten() == 6);
    EXPECT_EQ(small[5][6], 56.0);
    small = Sequential(2, 2);
    ASSERT_EQ(small.GetZeilen(), 2);
    OmMatrix target(1, 1);
    target = Sequential(7, 7);
    OmMatrix copy(target);
    target[1][1] = -1.0;
    EXPECT_TRUE(copy.GetZeilen() == 7 && copy[1][1] == 11.0 && copy[7][7] == 77.0);

    const double values[] = {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16, 17, 18};
    OmMatrix s(2, 2);
    s.Set(values, 3, 6);
    EXPECT_TRUE(s.GetZeilen() == 3 && s[3][6] == 18.0);
    s.Set(values, 3, 2);  // same count, new shape
    EXPECT_EQ(s[3][1], 5.0);

    // A smaller operand combines only where it has elements.
    OmMatrix four = Sequential(4, 4);
    OmMatrix id(2, 2);
    id.SetIdent();
    four += id;
    EXPECT_TRUE(four[2][2] == 23.0 && four[3][3] == 33.0);
    OmMatrix negative(-2, 5);
    EXPECT_EQ(negative.GetZeilen(), 0);
}

}  // namespace
}  // namespace om
