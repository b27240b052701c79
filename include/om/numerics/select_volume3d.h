// Pyramid-shaped selection volume (picking object points inside a screen rectangle).
#pragma once

#include <om/numerics/point3d.h>
#include <om/points/plane.h>
#include <om/points/point.h>

namespace om {

// A pyramid with its apex at the viewer and four side planes through the apex. A point is
// selected while the volume runs in pyramid mode and the point lies on the inner side of all
// four planes. The planes are kept relative to the apex (D = 0), so the test is four dot
// products.
class Om3dSelectVolume {
  public:
    enum eMode : int { kStopped = 0, kPyramid = 1 };

    Om3dSelectVolume() = default;

    // Defines the pyramid by its apex and four points on its edges, in order around the axis
    // (either sense). Side plane i passes through the apex, corner i and corner i + 1 and faces
    // the inside. Returns false, keeping the previous definition, when a side is degenerate
    // (two edges parallel) or the corners do not surround a convex pyramid. Does not change the
    // mode.
    bool SetPyramid(const OmPoint3d& apex, const OmPoint3d corners[4]);

    void StartPyramid() { mode_ = kPyramid; }
    void Stop() { mode_ = kStopped; }
    bool IsRunning() const { return mode_ != kStopped; }
    bool IsModePyramid() const { return mode_ == kPyramid; }

    // False unless in pyramid mode with a pyramid defined; else true when p - apex has a
    // non-negative FastDist from each of the four planes.
    bool IsInSelectRange(double x, double y, double z) const;
    bool IsInSelectRange(const OmPoint& p) const;

    const OmPoint3d& GetApex() const { return apex_; }
    // Side plane i (0..3), in apex-relative coordinates.
    const OmPlane& GetPlane(int i) const { return planes_[i & 3]; }
    // The definition points: the four corners, their centre and the apex (i = 0..5).
    const OmPoint& GetPoint(int i) const { return points_[Clamp6(i)]; }
    // The same six points relative to the apex: the four edge directions and the axis as unit
    // vectors, and (0, 0, 0) for the apex; for drawing the pyramid to any depth.
    const OmPoint& GetFurtherPoint(int i) const { return directions_[Clamp6(i)]; }

  private:
    static int Clamp6(int i) { return i < 0 ? 0 : (i > 5 ? 5 : i); }

    int mode_ = kStopped;
    bool defined_ = false;  // without a pyramid nothing is selected
    OmPlane planes_[4];
    OmPoint points_[6];
    OmPoint directions_[6];
    OmPoint3d apex_;
};

}  // namespace om
