#include <om/numerics/matrix.h>
#include <om/sys/debug_output.h>

#include <random>
#include <sstream>
#include <string>
#include <utility>

#include <gtest/gtest.h>

namespace om {
namespace {

OmMatrix Sequential(int rows, int cols) {
    OmMatrix m(rows, cols);
    for (int i = 1; i <= rows; ++i) {
        for (int j = 1; j <= cols; ++j) m[i][j] = 10.0 * i + j;
    }
    return m;
}

// Row-major expected values of the leading rows x cols block.
void ExpectEntries(const OmMatrix& m, const double* expected, int rows, int cols) {
    for (int i = 1; i <= rows; ++i)
        for (int j = 1; j <= cols; ++j)
            EXPECT_EQ(m[i][j], expected[(i - 1) * cols + j - 1]) << i << "," << j;
}

TEST(OmMatrix, IndexingIsOneBasedRowMajor) {
    const double values[] = {1, 2, 3, 4, 5, 6};
    OmMatrix m(values, 2, 3);
    EXPECT_TRUE(m.GetZeilen() == 2 && m.GetSpalten() == 3);
    EXPECT_TRUE(m[1][3] == 3.0 && m[2][1] == 4.0 && m.GetElem(2, 3) == 6.0);
    EXPECT_EQ(m.GetElemZeroIndex(1, 0), 4.0);
    OmMatrix zeros(3, 7);
    for (int i = 1; i <= 3; ++i)
        for (int j = 1; j <= 7; ++j) EXPECT_EQ(zeros[i][j], 0.0);
}

TEST(OmMatrix, LinesAreRowsAndRowsAreColumns) {
    OmMatrix m = Sequential(3, 4);
    OmVector line(4);
    m.GetLine(2, line);
    EXPECT_EQ(line, OmVector(21.0, 22.0, 23.0, 24.0));
    OmVector column(3);
    m.GetRow(4, column);
    EXPECT_EQ(column, OmVector(14.0, 24.0, 34.0));

    m.SetLine(3, OmVector(-1.0, -2.0, -3.0, -4.0));
    m.SetRow(1, OmVector(7.0, 8.0, 9.0));
    EXPECT_TRUE(m[1][1] == 7.0 && m[3][1] == 9.0 && m[3][2] == -2.0 && m[3][4] == -4.0);

    // The vector decides how much moves, bounded by the matrix.
    OmVector two(2);
    m.GetLine(1, two);
    EXPECT_EQ(two[2], 12.0);
    OmVector six(6);
    m.GetRow(2, six);
    EXPECT_TRUE(six[3] == -2.0 && six[4] == 0.0);
}

TEST(OmMatrix, RowOperations) {
    OmMatrix m = Sequential(3, 3);
    m.SwapLines(1, 3);
    m.SwapLines(2, 2);
    m.MultLine(2, 2, 2.0);  // -1: to the last column
    m.MultLine(2, 1, 0.5, 1);
    m.AddLines(1, 3, 2, -1.0);  // row1 -= row3 from column 2 on
    m.AddLines(3, 1, 1, 1.0, 2);
    const double expected[] = {31, 20, 20, 10.5, 44, 46, 42, 32, 13};
    ExpectEntries(m, expected, 3, 3);
}

// Products against a plain triple loop over GetElem.
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
            ASSERT_EQ(ab.GetZeilen(), rows);
            ASSERT_EQ(ab.GetSpalten(), cols);
            ASSERT_EQ(av.GetSize(), rows);
            for (int i = 1; i <= rows; ++i) {
                double dot = 0.0;
                for (int k = 1; k <= inner; ++k) dot += a.GetElem(i, k) * v[k];
                EXPECT_NEAR(av[i], dot, 1e-12);
                for (int j = 1; j <= cols; ++j) {
                    double sum = 0.0;
                    for (int k = 1; k <= inner; ++k) sum += a.GetElem(i, k) * b.GetElem(k, j);
                    EXPECT_NEAR(ab[i][j], sum, 1e-12);
                }
            }
            const OmMatrix t = a.Transpose();
            ASSERT_EQ(t.GetZeilen(), inner);
            for (int i = 1; i <= rows; ++i)
                for (int k = 1; k <= inner; ++k) EXPECT_EQ(t[k][i], a[i][k]);
            // (AB)^T = B^T A^T
            const OmMatrix lhs = ab.Transpose();
            const OmMatrix rhs = b.Transpose() * a.Transpose();
            for (int i = 1; i <= cols; ++i)
                for (int j = 1; j <= rows; ++j) EXPECT_NEAR(lhs[i][j], rhs[i][j], 1e-12);
        }
    }
}

TEST(OmMatrix, AssignmentAndSetResizeToTheSource) {
    OmMatrix small(3, 3);
    small.SetIdent();
    const OmMatrix big = Sequential(5, 6);  // heap storage
    small = big;                            // a fixed-size copy would write past the 3x3 storage
    ASSERT_EQ(small.GetZeilen(), 5);
    ASSERT_EQ(small.GetSpalten(), 6);
    EXPECT_EQ(small[5][6], 56.0);
    small = Sequential(2, 2);
    ASSERT_EQ(small.GetZeilen(), 2);

    OmMatrix moved(std::move(small));
    EXPECT_EQ(moved[2][1], 21.0);
    OmMatrix heap = Sequential(7, 7);
    OmMatrix target(1, 1);
    target = std::move(heap);
    EXPECT_TRUE(target.GetZeilen() == 7 && target[7][7] == 77.0);
    OmMatrix copy(target);
    target[1][1] = -1.0;
    EXPECT_EQ(copy[1][1], 11.0);

    const double values[] = {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16, 17, 18};
    OmMatrix s(2, 2);
    s.Set(values, 3, 6);
    ASSERT_EQ(s.GetZeilen(), 3);
    EXPECT_EQ(s[3][6], 18.0);
    s.Set(values, 2, 3);
    EXPECT_EQ(s[2][3], 6.0);
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
    EXPECT_TRUE(negative.IsIdent());
}

TEST(OmMatrix, CalcNGLANAccumulatesNormalEquations) {
    // Two observations of (a1, a2, l): the leading 3x3 block gathers sum a a^T including the
    // right-hand side and l^T l.
    OmMatrix m(3, 5);
    m.CalcNGLAN(OmVector(1.0, 2.0, 3.0));
    m.CalcNGLAN(OmVector(-1.0, 0.5, 2.0));
    const double expected[] = {2, 1.5, 1, 0, 1.5, 4.25, 7, 0};
    ExpectEntries(m, expected, 2, 4);
    EXPECT_EQ(m[3][3], 13.0);
    // A vector longer than the matrix is cut to it.
    OmMatrix tiny(2, 2);
    tiny.CalcNGLAN(OmVector(1.0, 1.0, 1.0, 1.0));
    EXPECT_EQ(tiny[2][2], 1.0);
}

TEST(OmMatrix, WriteListsDimensionsThenRows) {
    const double values[] = {0.5, -1.0, 1e-7, 2.0, 3.0, 4.25};
    const OmMatrix m(values, 2, 3);
    std::ostringstream os;
    m.Write(os);
    EXPECT_EQ(os.str(), "2 3 0.5 -1 1e-07 2 3 4.25");
}

TEST(OmMatrix, DbgPrintfWritesTitleThenOneLinePerRow) {
    std::string captured;
    auto previous =
        sys::SetNarrowDebugSink([&captured](std::string_view text) { captured.append(text); });
    const double values[] = {1.0, -0.5, 123.25, 0.0};
    const OmMatrix m(values, 2, 2);
    m.DbgPrintf("matrix %d of %s", 7, "set");
    sys::SetNarrowDebugSink(previous);
    EXPECT_EQ(captured,
              "matrix 7 of set\n"
              "  1.0000000  -0.5000000 \n"
              "123.2500000   0.0000000 \n");
}

}  // namespace
}  // namespace om
