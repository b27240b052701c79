// Correction of points and point lists, and a coordinate file corrected and restored.
#include <om/photo/camera.h>

#include <cmath>

#include <gtest/gtest.h>
#include <om/points/point.h>
#include <om/points/point_list.h>

namespace om {
namespace {

// A list is corrected point by point; a point outside the inverse table keeps its coordinates and
// does not make the list fail.
TEST(CameraPoints, ListRoundTripThroughACoordinateFile) {
    OmCamera::DeleteInvAdjustTables();
    OmCamera cam(3, 35.0, 0.05, -0.03, 5e-5, -2e-8, 12.0);
    OmPointList list;
    for (int k = 1; k <= 40; ++k) list.Add(new OmPoint(k, -19.5 + k, 14.0 - 0.7 * k, 0.5, 0));
    list.Add(new OmPoint(99, 45.0, 0.0, 0.0, 0));  // outside the 30 mm table once corrected
    OmPoint single(*list.First());
    ASSERT_TRUE(cam.Adjust(&single));
    EXPECT_EQ(single.GetZ(), 0.5);  // only x and y are corrected
    EXPECT_FALSE(cam.Adjust(static_cast<OmPoint*>(nullptr)));
    EXPECT_FALSE(cam.InvAdjust(static_cast<OmPointList*>(nullptr)));
    ASSERT_TRUE(cam.Adjust(&list));
    EXPECT_TRUE(single.GetX() == list.First()->GetX() && single.GetY() == list.First()->GetY());
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
