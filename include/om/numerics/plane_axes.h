// Normals and in-plane axes of planes given by a homogeneous map or by their normal.
#pragma once

#include <om/numerics/matrix.h>
#include <om/numerics/vector.h>

namespace om {

// Unit normal of the image of the plane z = 0 under the 4x4 homogeneous matrix m: the images of
// (0,0,0), (1,0,0) and (0,1,0) span it. Returns false and leaves n untouched when an image lies at
// infinity (fourth component 0), the images are collinear or m is not 4x4. n gets 3 elements.
bool CalcNormVect(OmVector* n, const OmMatrix& m);

// Arbitrary-axis algorithm of the DXF format: two unit axes ax, ay completing the normal N to a
// right-handed frame. The world y axis is used as the reference when N is within 1/64 of the
// world z axis, the world z axis otherwise: ax = ref x N, ay = N x ax, both normalised. Always
// returns true; ax and ay get 3 elements.
bool CalcArbitaryAlg(OmVector* ax, OmVector* ay, const OmVector& N);

}  // namespace om
