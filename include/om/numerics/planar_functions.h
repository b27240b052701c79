// Free functions of planar geometry: angle normalisation and the orientation test.
#pragma once

namespace om {

class OmPoint3d;

// 2 pi, the upper end of the normalised angle range.
inline constexpr double kOmTwoPi = 6.283185307179586;

// `a` brought into [0, 2 pi] by adding 2 pi while negative or subtracting it while above 2 pi;
// exactly 2 pi stays 2 pi. The argument is not modified. A non-finite angle is returned as it
// is, and a huge magnitude is first reduced by fmod so the loop stays short.
double NormAngle(double& a);
double NormAngle(const double& a);

// Orientation of p0, p1, p2 from their x and y: 1 for a left turn, -1 for a right turn. For
// collinear points: -1 when p0 lies between p1 and p2, 1 when p1 lies between p0 and p2, else 0
// (p2 between p0 and p1, or coincident points).
int CounterClockwise(const OmPoint3d& p0, const OmPoint3d& p1, const OmPoint3d& p2);

// Exercises the planar containment and intersection code on fixed data; reports nothing.
void Om2d_DbgPrintfSelftest();

}  // namespace om
