#include <om/geodesy/units.h>

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>
#include <utility>

namespace {

using namespace om;

TEST(Units, FactorsInMetres) {
    // Unknown values, 0 among them, count as metre.
    // clang-format off
    std::pair<int, double> const factors[] = {{OmUnitMillimetre, 0.001}, {OmUnitCentimetre, 0.01},
        {OmUnitMetre, 1.0}, {OmUnitMicrometre, 1e-6}, {OmUnitFoot, 0.3048}, {OmUnitInch, 0.0254},
        {0, 1.0}, {99, 1.0}};
    // clang-format on
    for (auto [unit, factor] : factors)
        EXPECT_EQ(GetUnitFactor(static_cast<eOmUnit>(unit)), factor) << unit;
}

TEST(Units, LengthConversions) {
    double v = 1500;
    ConvertUnit(&v, OmUnitMillimetre, OmUnitMetre);
    EXPECT_DOUBLE_EQ(v, 1.5);
    v = 12;  // inches
    ConvertUnit(&v, OmUnitInch, OmUnitFoot);
    EXPECT_DOUBLE_EQ(v, 1.0);
    ConvertUnit(nullptr, OmUnitInch, OmUnitFoot);  // no crash

    // A file unit / display unit round trip returns the value for every pair of units.
    eOmUnit const all[] = {OmUnitMillimetre, OmUnitCentimetre, OmUnitMetre,
                           OmUnitMicrometre, OmUnitFoot,       OmUnitInch};
    for (eOmUnit from : all) {
        for (eOmUnit to : all) {
            double x = 1234.5678;
            ConvertUnit(&x, from, to);
            EXPECT_NEAR(x * GetUnitFactor(to), 1234.5678 * GetUnitFactor(from), 1e-12);
            ConvertUnit(&x, to, from);
            EXPECT_NEAR(x, 1234.5678, 1e-9) << from << " " << to;
        }
    }
}

TEST(Units, AngleConversions) {
    using std::numbers::pi;
    EXPECT_DOUBLE_EQ(ConvertAngle(100.0, OmAngleUnitGon, OmAngleUnitDegree), 90.0);
    EXPECT_DOUBLE_EQ(ConvertAngle(180.0, OmAngleUnitDegree, OmAngleUnitRadian), pi);
    EXPECT_DOUBLE_EQ(ConvertAngle(pi, OmAngleUnitRadian, OmAngleUnitGon), 200.0);
    EXPECT_DOUBLE_EQ(ConvertAngle(1.25, static_cast<eOmAngleUnit>(7), OmAngleUnitRadian), 1.25);
    double const a = 37.5;
    double const gon = ConvertAngle(a, OmAngleUnitDegree, OmAngleUnitGon);
    EXPECT_DOUBLE_EQ(ConvertAngle(gon, OmAngleUnitGon, OmAngleUnitDegree), a);
}

}  // namespace
