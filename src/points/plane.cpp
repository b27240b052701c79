#include <om/points/plane.h>

#include <algorithm>
#include <cmath>
#include <fstream>
#include <ostream>

#include <om/numerics/plane3d.h>
#include <om/points/point.h>
#include <om/textio/parser.h>
#include <om/textio/reader.h>
#include <om/textio/writer.h>

#include "points/plane_text.h"

namespace om {

OmPlane::OmPlane() : normal_(3) {}

OmPlane::OmPlane(unsigned id, const String& name, double a, double b, double c, double d)
    : OmListnode(id, name), normal_(a, b, c), d_(d) {}

OmPlane::OmPlane(OmReaderObject* reader) : OmPlane() {
    Read(reader);
}

OmPlane::OmPlane(const OmPlane& other)
    : OmListnode(other), OmFlag(other), normal_(other.normal_), d_(other.d_) {}

OmPlane& OmPlane::operator=(const OmPlane& other) {
    OmListnode::operator=(other);
    OmFlag::operator=(other);
    normal_ = other.normal_;
    d_ = other.d_;
    return *this;
}

OmPlane::~OmPlane() = default;

void OmPlane::Get(OmVector* normal, double* d) const {
    if (normal != nullptr) {
        const int n = std::min(normal->GetSize(), 3);
        for (int i = 1; i <= n; ++i) (*normal)[i] = normal_[i];
    }
    if (d != nullptr) *d = d_;
}

void OmPlane::Get(double* a, double* b, double* c, double* d) const {
    if (a != nullptr) *a = A();
    if (b != nullptr) *b = B();
    if (c != nullptr) *c = C();
    if (d != nullptr) *d = D();
}

void OmPlane::SetActive(bool on) {
    if (on)
        SetFlag(kOmPlaneFlagActive);
    else
        ClearFlag(kOmPlaneFlagActive);
}

double OmPlane::Dist(double x, double y, double z) const {
    return FastDist(x, y, z) / normal_.Abs();
}

void OmPlane::MirrorNormal() {
    normal_.DbgPrintf("Mirror");
    normal_ *= -1.0;
    d_ = -d_;
}

double OmPlane::Dist(const OmPoint& p) const {
    return Dist(p.GetX(), p.GetY(), p.GetZ());
}

double OmPlane::FastDist(const OmPoint& p) const {
    return FastDist(p.GetX(), p.GetY(), p.GetZ());
}

bool OmPlane::ProjectPoint(OmPoint* out, const OmPoint& p) const {
    if (!IsValid() || out == nullptr) return false;
    const double dist = Dist(p);
    out->Set(p.GetX() - dist * A(), p.GetY() - dist * B(), p.GetZ() - dist * C());
    return true;
}

OmVector OmPlane::CalcPlaneVectorForSip() const {
    OmVector v(3);
    if (!IsValid()) return v;
    const double mag[3] = {std::fabs(A()), std::fabs(B()), std::fabs(C())};
    int axis = 2;
    if (mag[0] > mag[1] && mag[0] > mag[2])
        axis = 0;
    else if (mag[1] > mag[0] && mag[1] > mag[2])
        axis = 1;
    // Ties can leave z chosen with C = 0 (the plane x + y = 2): take the largest component.
    if (mag[axis] == 0.0) axis = static_cast<int>(std::max_element(mag, mag + 3) - mag);
    v[axis + 1] = -D() / normal_[axis + 1];
    return v;
}

double OmPlane::CalcAngle(const OmPlane& other) const {
    const double dot = (normal_ * other.normal_) / (normal_.Abs() * other.normal_.Abs());
    if (dot >= 1.0) return 0.0;
    return std::acos(std::max(dot, -1.0));
}

bool OmPlane::IsParallel(const OmPlane& other) const {
    return CalcAngle(other) <= kOmPlaneAngleTolerance;
}

bool OmPlane::IsNormal(const OmPlane& other) const {
    constexpr double kQuarterPi = 0.78539816339744830962;
    return CalcAngle(other) >= kQuarterPi - kOmPlaneAngleTolerance;
}

double OmPlane::Dist(const OmPlane& other) const {
    return IsParallel(other) ? D() - other.D() : 0.0;
}

bool OmPlane::CalcIntersection(OmVector& point, OmVector& direction, const OmPlane& other) const {
    if (IsParallel(other)) return false;
    const double n1[3] = {A(), B(), C()};
    const double n2[3] = {other.A(), other.B(), other.C()};
    double p[3];
    if (!OmIntersectPlanes(n1, D(), n2, other.D(), p)) return false;
    direction = normal_ % other.normal_;
    direction.Normalize();
    point = OmVector(p[0], p[1], p[2]);
    return true;
}

unsigned IsPlaneFlagGuiSelect(const OmObject* object) {
    const auto* plane = dynamic_cast<const OmPlane*>(object);
    return plane != nullptr ? plane->IsFlagSet(kOmPlaneFlagGuiSelect) : 0u;
}

unsigned IsPlaneFlagGuiCheckActive(const OmObject* object) {
    const auto* plane = dynamic_cast<const OmPlane*>(object);
    return plane != nullptr ? plane->IsFlagSet(kOmPlaneFlagActive) : 0u;
}

OmPlane* OmPlane::First(int mask) {
    return IsFlagSet(mask) != 0 ? this : Next(mask);
}

OmPlane* OmPlane::Next(int mask) const {
    OmPlane* p = Next();
    while (p != nullptr && p->IsFlagSet(mask) == 0) p = p->Next();
    return p;
}

OmPlane* OmPlane::Previous(int mask) const {
    OmPlane* p = Previous();
    while (p != nullptr && p->IsFlagSet(mask) == 0) p = p->Previous();
    return p;
}

int OmPlane::Read(OmReaderObject* reader) {
    OmParser& parser = reader->GetParser();
    const auto advance = [reader] { reader->NextToken(); };
    SetId(OmTakePlaneId(parser));
    advance();
    SetName(String(parser.GetTokenString()));
    advance();
    A() = OmTakePlaneNumber(parser, advance);
    B() = OmTakePlaneNumber(parser, advance);
    C() = OmTakePlaneNumber(parser, advance);
    D() = OmTakePlaneNumber(parser, advance);
    return 1;
}

std::ostream& OmPlane::Write(std::ostream& out) const {
    OmObject::Write(out);
    return out << p16 << w16 << A() << w16 << B() << w16 << C() << w16 << D();
}

}  // namespace om
