// Pyramid selection volume: definition, mode handling and the inside test.
#include <cmath>
#include <random>

#include <gtest/gtest.h>

#include <om/numerics/select_volume3d.h>

namespace om {
namespace {

// A square pyramid looking down the -z axis from (1, 2, 10): edges through the corners of the
// square |x - 1| <= 1, |y - 2| <= 1 at z = 9 (a 45 degree half-angle).
class SelectVolume : public ::testing::Test {
  protected:
    void SetUp() override {
        const OmPoint3d corners[4] = {OmPoint3d(0, 1, 9), OmPoint3d(2, 1, 9), OmPoint3d(2, 3, 9),
                                      OmPoint3d(0, 3, 9)};
        ASSERT_TRUE(vol.SetPyramid(apex, corners));
    }

    // Independent test: at depth h below the apex the cross-section is |x - 1|, |y - 2| <= h.
    bool Expected(double x, double y, double z) const {
        const double h = apex.z() - z;
        return h >= 0 && std::fabs(x - 1) <= h && std::fabs(y - 2) <= h;
    }

    OmPoint3d apex{1, 2, 10};
    Om3dSelectVolume vol;
};

TEST_F(SelectVolume, SelectsOnlyWhileRunning) {
    OmPoint p;
    p.Set(1, 2, -100);
    EXPECT_FALSE(vol.IsInSelectRange(1, 2, 0));
    vol.StartPyramid();
    EXPECT_TRUE(vol.IsRunning() && vol.IsModePyramid());
    EXPECT_TRUE(vol.IsInSelectRange(p));
    vol.Stop();
    EXPECT_FALSE(vol.IsInSelectRange(p));
}

TEST_F(SelectVolume, MatchesTheConeOfTheSquare) {
    vol.StartPyramid();
    std::mt19937 rng(73);
    std::uniform_real_distribution<double> u(-20, 20);
    int inside = 0;
    for (int i = 0; i < 5000; ++i) {
        const double x = u(rng), y = u(rng), z = u(rng);
        const double h = apex.z() - z;
        // Skip points within rounding of a side plane.
        if (std::fabs(std::fabs(x - 1) - h) < 1e-9 || std::fabs(std::fabs(y - 2) - h) < 1e-9)
            continue;
        EXPECT_EQ(vol.IsInSelectRange(x, y, z), Expected(x, y, z)) << x << " " << y << " " << z;
        inside += Expected(x, y, z);
    }
    EXPECT_GT(inside, 100);
    EXPECT_TRUE(vol.IsInSelectRange(2, 3, 9));   // on an edge
    EXPECT_TRUE(vol.IsInSelectRange(1, 2, 10));  // the apex
}

TEST_F(SelectVolume, EitherCornerOrderDefinesTheSameVolume) {
    const OmPoint3d reversed[4] = {OmPoint3d(0, 3, 9), OmPoint3d(2, 3, 9), OmPoint3d(2, 1, 9),
                                   OmPoint3d(0, 1, 9)};
    Om3dSelectVolume other;
    ASSERT_TRUE(other.SetPyramid(apex, reversed));
    other.StartPyramid();
    vol.StartPyramid();
    std::mt19937 rng(79);
    std::uniform_real_distribution<double> u(-5, 12);
    for (int i = 0; i < 2000; ++i) {
        const double x = u(rng), y = u(rng), z = u(rng);
        EXPECT_EQ(other.IsInSelectRange(x, y, z), vol.IsInSelectRange(x, y, z));
    }
}

TEST_F(SelectVolume, DerivedCentreAndDirections) {
    EXPECT_EQ(vol.GetPoint(4).GetY(), 2.0);                   // centre of the corners
    EXPECT_NEAR(vol.GetFurtherPoint(4).GetZ(), -1.0, 1e-15);  // axis
    EXPECT_NEAR(vol.GetFurtherPoint(0).GetX(), -1 / std::sqrt(3.0), 1e-15);
}

TEST_F(SelectVolume, DegenerateDefinitionsAreRefused) {
    vol.StartPyramid();
    const OmPoint3d flat[4] = {OmPoint3d(0, 0, 9), OmPoint3d(1, 1, 9), OmPoint3d(2, 2, 9),
                               OmPoint3d(3, 3, 9)};
    EXPECT_FALSE(vol.SetPyramid(apex, flat));
    const OmPoint3d atApex[4] = {apex, OmPoint3d(2, 1, 9), OmPoint3d(2, 3, 9), OmPoint3d(0, 3, 9)};
    EXPECT_FALSE(vol.SetPyramid(apex, atApex));
    const OmPoint3d bowTie[4] = {OmPoint3d(0, 1, 9), OmPoint3d(2, 3, 9), OmPoint3d(2, 1, 9),
                                 OmPoint3d(0, 3, 9)};
    EXPECT_FALSE(vol.SetPyramid(apex, bowTie));
    // The earlier pyramid is still in force.
    EXPECT_TRUE(vol.IsInSelectRange(1, 2, 0));
    EXPECT_FALSE(vol.IsInSelectRange(30, 2, 0));

    Om3dSelectVolume undefined;
    undefined.StartPyramid();
    EXPECT_FALSE(undefined.IsInSelectRange(0, 0, 0));
}

}  // namespace
}  // namespace om
