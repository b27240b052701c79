#include <om/numerics/matrix.h>
#include <om/numerics/point_transform.h>
#include <om/numerics/vector.h>
#include <om/points/point.h>
#include <om/points/point_list.h>

#include <random>
#include <vector>

#include <gtest/gtest.h>

namespace om {
namespace {

TEST(PointVector, ElementsByVectorType) {
    const OmPoint p(7, 1.5, -2.0, 3.25, 0);
    EXPECT_EQ(OmVector(p, eOmVectorPlanar), OmVector(1.5, -2.0, 0.0));
    EXPECT_EQ(OmVector(p, eOmVectorPlanarHomogeneous), OmVector(1.5, -2.0, 1.0));
    EXPECT_EQ(OmVector(p, eOmVectorSpatialHomogeneous), OmVector(1.5, -2.0, 3.25, 0.0));
    EXPECT_EQ(OmVector(p, static_cast<eOmVectorType>(9)), OmVector(1.5, -2.0, 3.25, 0.0));
    EXPECT_EQ(p.GetAsVector(), OmVector(1.5, -2.0, 3.25));
}

TEST(PointTransform, PointOverloadsMoveOnlyTheirCoordinates) {
    OmMatrix shift(3, 3);
    shift.SetIdent();
    shift[1][3] = 10.0;
    shift[2][3] = -1.0;
    OmPoint p(1, 1.0, 2.0, 3.0, 0);
    p.dx = 0.5;
    ASSERT_TRUE(shift.PTrans2D(&p));
    EXPECT_TRUE(p.x == 11.0 && p.y == 1.0 && p.z == 3.0 && p.dx == 0.5);

    OmMatrix scale(4, 4);
    scale.SetIdent();
    scale[4][4] = 0.5;  // homogeneous scale by 2
    ASSERT_TRUE(scale.PTrans3D(&p));
    EXPECT_TRUE(p.x == 22.0 && p.z == 6.0);

    EXPECT_FALSE(shift.PTrans2D(static_cast<OmPoint*>(nullptr)));
    EXPECT_FALSE(scale.PTrans3D(nullptr));
}

// Every point of the list, in order, against the single-point transformation.
TEST(PointTransform, ListsVisitEveryPointAndKeepThoseAtInfinity) {
    std::mt19937 rng(17);
    std::uniform_real_distribution<double> u(-5.0, 5.0);
    OmMatrix m2(3, 3), m3(4, 4);
    for (int i = 1; i <= 4; ++i) {
        for (int j = 1; j <= 4; ++j) {
            if (i <= 3 && j <= 3) m2[i][j] = u(rng);
            m3[i][j] = u(rng);
        }
    }
    // One point on the planar vanishing line (w = 0): it must keep its coordinates.
    m2[3][1] = 1.0;
    m2[3][2] = 0.0;
    m2[3][3] = -2.0;

    OmPointList list2, list3;
    std::vector<OmPoint> expected2, expected3;
    for (unsigned id = 1; id <= 20; ++id) {
        OmPoint p(id, id == 5 ? 2.0 : u(rng), u(rng), u(rng), 0);
        list2.Add(p);
        list3.Add(p);
        OmPoint e2 = p, e3 = p;
        m2.PTrans2D(&e2);
        m3.PTrans3D(&e3);
        expected2.push_back(e2);
        expected3.push_back(e3);
    }
    EXPECT_EQ(Transform2D(&list2, m2), 20);
    EXPECT_EQ(Transform3D(&list3, m3), 20);
    int k = 0;
    for (OmPoint* p = list2.First(); p; p = p->Next(), ++k) {
        EXPECT_EQ(p->GetId(), expected2[k].GetId());
        EXPECT_TRUE(p->x == expected2[k].x && p->y == expected2[k].y && p->z == expected2[k].z);
    }
    EXPECT_EQ(expected2[4].x, 2.0);  // the point at infinity kept its place
    k = 0;
    for (OmPoint* p = list3.First(); p; p = p->Next(), ++k) {
        EXPECT_EQ(p->x, expected3[k].x);
        EXPECT_EQ(p->z, expected3[k].z);
    }

    OmPointList empty;
    EXPECT_EQ(Transform2D(&empty, m2), 0);
    EXPECT_EQ(Transform3D(nullptr, m3), 0);
}

}  // namespace
}  // namespace om
