// Distortion correction applied to points and point lists (their X and Y).
#include <om/photo/camera.h>

#include <om/points/point.h>
#include <om/points/point_list.h>

namespace om {

bool OmCamera::Adjust(OmPoint* p) const {
    if (!p) return false;
    double x = p->GetX(), y = p->GetY();
    if (!Adjust(&x, &y)) return false;
    p->SetX(x);
    p->SetY(y);
    return true;
}

bool OmCamera::InvAdjust(OmPoint* p) {
    if (!p) return false;
    double x = p->GetX(), y = p->GetY();
    if (!InvAdjust(&x, &y)) return false;
    p->SetX(x);
    p->SetY(y);
    return true;
}

// The single results are not collected: a point that cannot be corrected keeps its coordinates.
bool OmCamera::Adjust(OmPointList* list) const {
    if (!list) return false;
    for (OmPoint* p = list->First(); p; p = p->Next()) Adjust(p);
    return true;
}

bool OmCamera::InvAdjust(OmPointList* list) {
    if (!list) return false;
    for (OmPoint* p = list->First(); p; p = p->Next()) InvAdjust(p);
    return true;
}

}  // namespace om
