// Homogeneous transformation of whole point lists.
#pragma once

namespace om {

class OmMatrix;
class OmPointList;

// Applies the 3x3 homogeneous matrix m to X and Y of every point of the list, in list order (as
// OmMatrix::PTrans2D). A point whose weight |w| is below 1e-10 keeps its coordinates. Returns the
// number of points visited, skipped ones included; 0 for a null or empty list.
int Transform2D(OmPointList* list, const OmMatrix& m);
// The same with the 4x4 matrix on X, Y and Z (as OmMatrix::PTrans3D).
int Transform3D(OmPointList* list, const OmMatrix& m);

}  // namespace om
