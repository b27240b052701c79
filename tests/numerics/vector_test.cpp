#include <om/numerics/vector.h>
#include <om/sys/debug_output.h>

#include <cmath>
#include <limits>
#include <locale>
#include <sstream>
#include <string>
#include <utility>

#include <gtest/gtest.h>

namespace om {
namespace {

TEST(OmVector, CopyMoveAndAssignmentTakeTheSourceSize) {
    OmVector big(9);
    for (int i = 1; i <= 9; ++i) big[i] = i * 1.5;
    OmVector small(1.0, 2.0, 3.0);

    // Assigning a heap-sized vector to an inline one (and back) must resize, not overrun.
    small = big;
    ASSERT_EQ(small.GetSize(), 9);
    EXPECT_EQ(small, big);
    OmVector other(2);
    other[1] = 4.0;
    small = other;
    ASSERT_EQ(small.GetSize(), 2);
    EXPECT_EQ(small[1], 4.0);

    OmVector copy(big);
    big[1] = 100.0;  // the copy owns its elements
    EXPECT_EQ(copy[1], 1.5);
    OmVector moved(std::move(copy));
    OmVector target(1.0, 1.0, 1.0);
    target = std::move(moved);
    EXPECT_TRUE(target.GetSize() == 9 && target[9] == 13.5);

    OmVector inline_src(1.0, 2.0, 3.0, 4.0);
    OmVector inline_dst(std::move(inline_src));
    EXPECT_EQ(inline_dst, OmVector(1.0, 2.0, 3.0, 4.0));

    OmVector self(1.0, 2.0, 3.0);
    const OmVector& alias = self;
    self = alias;
    EXPECT_EQ(self, OmVector(1.0, 2.0, 3.0));
}

TEST(OmVector, EqualityIsExactAndNaNNeverEqual) {
    EXPECT_EQ(OmVector(1.0, 2.0, 3.0), OmVector(1.0, 2.0, 3.0));
    EXPECT_NE(OmVector(1.0, 2.0, 3.0), OmVector(1.0, 2.0, 3.0 + 1e-15));
    EXPECT_NE(OmVector(1.0, 2.0, 3.0), OmVector(1.0, 2.0, 3.0, 0.0));
    const double nan = std::numeric_limits<double>::quiet_NaN();
    OmVector a(1.0, nan, 3.0);
    EXPECT_FALSE(a == a);
    EXPECT_TRUE(a != a);
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

    // Cross product: perpendicular to both, right-handed on the axes.
    const OmVector x = a % b;
    EXPECT_NEAR(x * a, 0.0, 1e-12);
    EXPECT_NEAR(x * b, 0.0, 1e-12);
    EXPECT_EQ(OmVector(1.0, 0.0, 0.0) % OmVector(0.0, 1.0, 0.0), OmVector(0.0, 0.0, 1.0));
    // Only the first three elements take part.
    EXPECT_EQ(OmVector(1.0, 0.0, 0.0, 9.0) % OmVector(0.0, 1.0, 0.0, 9.0), OmVector(0.0, 0.0, 1.0));
}

TEST(OmVector, ShorterOperandsAreNotReadPastTheirEnd) {
    OmVector longer(6);
    for (int i = 1; i <= 6; ++i) longer[i] = i;
    const OmVector shorter(1.0, 1.0, 1.0);
    const OmVector sum = longer + shorter;
    ASSERT_EQ(sum.GetSize(), 6);
    EXPECT_EQ(sum[3], 4.0);
    EXPECT_EQ(sum[6], 6.0);
    EXPECT_EQ(longer * shorter, 6.0);
    OmVector two(2);
    two[1] = 1.0;
    two[2] = 0.0;
    EXPECT_EQ(two % OmVector(0.0, 1.0, 0.0), OmVector(0.0, 0.0, 1.0));
}

TEST(OmVector, NormAndNormalize) {
    OmVector v(3.0, 4.0, 12.0);
    EXPECT_DOUBLE_EQ(v.Abs(), 13.0);
    // Squares beyond the double range do not make the norm infinite.
    EXPECT_DOUBLE_EQ(OmVector(3e200, 4e200, 0.0).Abs(), 5e200);
    EXPECT_TRUE(OmVector(3e200, 4e200, 0.0).Normalize().IsNormalized(1e-15));
    EXPECT_FALSE(v.IsNormalized(1e-9));
    v.Normalize();
    EXPECT_DOUBLE_EQ(v[3], 12.0 / 13.0);
    EXPECT_TRUE(OmVector(1.05, 0.0, 0.0).IsNormalized(0.05 + 1e-12));
    EXPECT_FALSE(OmVector(1.06, 0.0, 0.0).IsNormalized(0.05));

    // A zero vector stays zero instead of becoming NaN.
    OmVector zero(3);
    zero.Normalize();
    EXPECT_EQ(zero, OmVector(3));
}

TEST(OmVector, ChangeTypeBetweenPlanarSpatialAndHomogeneous) {
    const auto changed = [](OmVector v, eOmVectorType type) {
        v.ChangeType(type);
        return v;
    };
    const OmVector four(2.0, 3.0, 5.0, 7.0), three(2.0, 3.0, 5.0);
    EXPECT_EQ(changed(OmVector(2.0, 3.0, 1.0), eOmVectorSpatialHomogeneous),
              OmVector(2.0, 3.0, 1.0, 1.0));
    EXPECT_EQ(changed(four, eOmVectorSpatialHomogeneous), four);  // already four elements
    EXPECT_EQ(changed(four, eOmVectorPlanar), OmVector(2.0, 3.0, 0.0));
    EXPECT_EQ(changed(four, eOmVectorPlanarHomogeneous), OmVector(2.0, 3.0, 1.0));
    EXPECT_EQ(changed(four, eOmVectorSpatial), three);
    EXPECT_EQ(changed(three, eOmVectorPlanar), three);  // same element count: unchanged
    EXPECT_EQ(changed(OmVector(5), eOmVectorSpatialHomogeneous).GetSize(), 5);
}

struct CommaDecimal : std::numpunct<char> {
    char do_decimal_point() const override { return ','; }
};

TEST(OmVector, WriteGivesCountThenExactValues) {
    OmVector v(0.1, -2.5e-300, 1e20, 3.0);
    std::ostringstream os;
    // A user locale with a decimal comma must not leak into the file format.
    os.imbue(std::locale(std::locale::classic(), new CommaDecimal));
    v.Write(os);
    EXPECT_EQ(os.str(), "4 0.1 -2.5e-300 1e+20 3");

    std::istringstream is(os.str());
    int n = 0;
    is >> n;
    ASSERT_EQ(n, 4);
    for (int i = 1; i <= n; ++i) {
        double value = 0.0;
        is >> value;
        EXPECT_EQ(value, v[i]);
    }
}

TEST(OmVector, DbgPrintfWritesOneLineWithTheNorm) {
    std::string captured;
    auto previous =
        sys::SetNarrowDebugSink([&captured](std::string_view text) { captured.append(text); });
    OmVector(3.0, -4.0, 0.0).DbgPrintf("v");
    OmVector(1).DbgPrintf(nullptr);
    OmVector big(1);
    big[1] = 1e308;  // fixed notation of the largest values must not overflow the line
    big.DbgPrintf("big");
    sys::SetNarrowDebugSink(previous);
    const std::string expected_first =
        "v 3.0000000   -4.0000000   0.0000000    (5.0000000)\n 0.0000000    (0.0000000)\n";
    ASSERT_EQ(captured.substr(0, expected_first.size()), expected_first);
    // The largest values print whole in fixed notation, the norm included.
    const std::string big_line = captured.substr(expected_first.size());
    const std::string digits = big_line.substr(4, big_line.find('.') - 4);
    EXPECT_EQ(digits.size(), 309u);
    EXPECT_EQ(big_line, "big " + digits + ".0000000    (" + digits + ".0000000)\n");
}

}  // namespace
}  // namespace om
