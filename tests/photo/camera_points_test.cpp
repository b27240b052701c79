// Correction of points and point lists, and a coordinate file corrected and restored.
#include <om/photo/camera.h>

#include <cmath>

#include <gtest/gtest.h>
#include <om/points/point.h>
#include <om/points/point_list.h>

namespace om {
namespace {

TEST(CameraPoints, PointsAreCorrectedLikeCoordinatesAndZStays) {
    OmCamera::DeleteInvAdjustTables();
    OmCamera cam(1, 50.0, 1.0, 2.0, 1e-3, 1e-6, 10.0);
    OmPoint p(7, 4.0, 6.0, 3.5, 0);
    ASSERT_TRUE(cam.Adjust(&p));
    EXPECT_NEAR(p.GetX(), 3.253125, 1e-14);  // see OmriAndVivaModelsMatchHandComputation
    EXPECT_NEAR(p.GetY(), 4.3375, 1e-14);
    EXPECT_EQ(p.GetZ(), 3.5);
    ASSERT_TRUE(cam.InvAdjust(&p));
    EXPECT_NEAR(p.GetX(), 4.0, 5e-3);
    EXPECT_NEAR(p.GetY(), 6.0, 5e-3);
    EXPECT_FALSE(cam.Adjust(static_cast<OmPoint*>(nullptr)));
    EXPECT_FALSE(cam.InvAdjust(static_cast<OmPointList*>(nullptr)));
    OmCamera::DeleteInvAdjustTables();
}

// A list is corrected point by point; a point outside the inverse table keeps its coordinates and
// does not make the list fail.
TEST(CameraPoints, ListRoundTripThroughACoordinateFile) {
    OmCamera::DeleteInvAdjustTables();
    OmCamera cam(3, 35.0, 0.05, -0.03, 5e-5, -2e-8, 12.0);
    OmPointList list;
    for (int k = 1; k <= 40; ++k) list.Add(new OmPoint(k, -19.5 + k, 14.0 - 0.7 * k, 0.0, 0));
    list.Add(new OmPoint(99, 45.0, 0.0, 0.0, 0));  // outside the 30 mm table once corrected
    ASSERT_TRUE(cam.Adjust(&list));
    const eOmPointRWMask codes[] = {OmPointRWId, OmPointRWX, OmPointRWY, OmPointRWEnd};
    const OmPointList::Mask mask(codes);
    ASSERT_EQ(list.WriteFile("corrected.coo", mask), 1);
    OmPointList back;
    ASSERT_EQ(back.ReadFile("corrected.coo", mask), 41);
    const double far = back.Last()->GetX();
    ASSERT_TRUE(cam.InvAdjust(&back));
    EXPECT_EQ(back.Last()->GetX(), far);  // not found: unchanged
    int k = 1;
    for (OmPoint* p = back.First(); p && p->GetId() != 99; p = p->Next(), ++k) {
        EXPECT_NEAR(p->GetX(), -19.5 + k, 5e-3) << k;
        EXPECT_NEAR(p->GetY(), 14.0 - 0.7 * k, 5e-3) << k;
    }
    OmCamera::DeleteInvAdjustTables();
}

}  // namespace
}  // namespace om
