#include <om/numerics/aligned_bounding_box3d.h>

namespace om {

bool OmAlignedBoundingBox3d::SetMap(const OmAffinMap3d& worldToBox) {
    map_ = worldToBox;
    inverse_ = worldToBox;
    const bool ok = inverse_.Invert() == 0;
    if (!ok) inverse_ = OmAffinMap3d();
    box_.Reset();
    return ok;
}

OmPoint3d OmAlignedBoundingBox3d::GetPoint(int i) const {
    OmPoint3d corner;
    if (i >= 0 && i < 8) {
        const int k = i & 3;
        const double x = (k == 1 || k == 2) ? box_.Xmax() : box_.Xmin();
        const double y = (k >= 2) ? box_.Ymax() : box_.Ymin();
        const double z = i < 4 ? box_.Zmin() : box_.Zmax();
        corner = OmPoint3d(x, y, z);
    }
    return inverse_ * corner;
}

}  // namespace om
