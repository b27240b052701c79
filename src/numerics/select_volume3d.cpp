#include <om/numerics/select_volume3d.h>

#include <cmath>

namespace om {

namespace {

OmPoint ToPoint(double x, double y, double z) {
    OmPoint p;
    p.Set(x, y, z);
    return p;
}

}  // namespace

bool Om3dSelectVolume::SetPyramid(const OmPoint3d& apex, const OmPoint3d corners[4]) {
    OmVector3d edge[4];
    OmVector3d axis;
    for (int i = 0; i < 4; ++i) {
        edge[i] = corners[i] - apex;
        if (edge[i].Norm() == 0.0) return false;
        axis += Normalized(edge[i]);
    }
    if (axis.Norm() == 0.0) return false;
    axis.Normalize();

    // Side normals (e_i x e_{i+1}) face the inside for a counter-clockwise order seen from the
    // apex; flip all four for the other sense, judged by the axis.
    OmVector3d normal[4];
    for (int i = 0; i < 4; ++i) {
        normal[i] = edge[i] % edge[(i + 1) & 3];
        if (normal[i].Norm() < 1e-12 * edge[i].Norm() * edge[(i + 1) & 3].Norm()) return false;
        normal[i].Normalize();
    }
    const double sense = normal[0] * axis < 0.0 ? -1.0 : 1.0;
    for (int i = 0; i < 4; ++i) {
        normal[i] *= sense;
        // The axis must lie strictly inside, else the "pyramid" is flat (collinear corners).
        if (normal[i] * axis < 1e-9) return false;
        // Convexity: every edge lies on the inner side of every plane.
        for (int k = 0; k < 4; ++k)
            if (normal[i] * Normalized(edge[k]) < -1e-12) return false;
    }

    for (int i = 0; i < 4; ++i) {
        planes_[i] = OmPlane(static_cast<unsigned>(i + 1), String(), normal[i].x(), normal[i].y(),
                             normal[i].z(), 0.0);
        points_[i] = ToPoint(corners[i].x(), corners[i].y(), corners[i].z());
        const OmVector3d u = Normalized(edge[i]);
        directions_[i] = ToPoint(u.x(), u.y(), u.z());
    }
    const OmPoint3d centre = AffinCombination(corners[0].MiddlePoint(corners[1]),
                                              corners[2].MiddlePoint(corners[3]), 1.0, 1.0);
    points_[4] = ToPoint(centre.x(), centre.y(), centre.z());
    points_[5] = ToPoint(apex.x(), apex.y(), apex.z());
    directions_[4] = ToPoint(axis.x(), axis.y(), axis.z());
    directions_[5] = ToPoint(0.0, 0.0, 0.0);
    apex_ = apex;
    defined_ = true;
    return true;
}

bool Om3dSelectVolume::IsInSelectRange(double x, double y, double z) const {
    if (mode_ != kPyramid || !defined_) return false;
    const double rx = x - apex_.x(), ry = y - apex_.y(), rz = z - apex_.z();
    for (const OmPlane& plane : planes_)
        if (plane.FastDist(rx, ry, rz) < 0.0) return false;
    return true;
}

bool Om3dSelectVolume::IsInSelectRange(const OmPoint& p) const {
    return IsInSelectRange(p.GetX(), p.GetY(), p.GetZ());
}

}  // namespace om
