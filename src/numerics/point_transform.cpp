// Homogeneous transformation of point records and point lists.
#include <om/numerics/point_transform.h>

#include <om/numerics/matrix.h>
#include <om/points/point.h>
#include <om/points/point_list.h>

namespace om {

bool OmMatrix::PTrans2D(OmPoint* p) const {
    return p && PTrans2D(&p->x, &p->y);
}

bool OmMatrix::PTrans3D(OmPoint* p) const {
    return p && PTrans3D(&p->x, &p->y, &p->z);
}

namespace {

template <typename Apply>
int TransformEach(OmPointList* list, Apply apply) {
    if (!list) return 0;
    int visited = 0;
    for (OmPoint* p = list->First(); p; p = p->Next()) {
        apply(p);
        ++visited;
    }
    return visited;
}

}  // namespace

int Transform2D(OmPointList* list, const OmMatrix& m) {
    return TransformEach(list, [&m](OmPoint* p) { m.PTrans2D(p); });
}

int Transform3D(OmPointList* list, const OmMatrix& m) {
    return TransformEach(list, [&m](OmPoint* p) { m.PTrans3D(p); });
}

}  // namespace om
