// Vectors built from point records.
#include <om/numerics/vector.h>

#include <om/points/point.h>

namespace om {

OmVector::OmVector(const OmPoint& p, eOmVectorType type) {
    switch (type) {
        case eOmVectorPlanar:
            *this = OmVector(p.x, p.y, 0.0);
            break;
        case eOmVectorPlanarHomogeneous:
            *this = OmVector(p.x, p.y, 1.0);
            break;
        case eOmVectorSpatial:
            *this = OmVector(p.x, p.y, p.z);
            break;
        case eOmVectorSpatialHomogeneous:
            *this = OmVector(p.x, p.y, p.z, 0.0);
            break;
        default:  // a spatial vector with a fourth element, left 0
            *this = OmVector(p.x, p.y, p.z, 0.0);
            break;
    }
}

}  // namespace om
