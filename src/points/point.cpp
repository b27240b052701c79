#include <om/points/point.h>

#include <om/numerics/vector.h>
#include <om/sys/debug_output.h>

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <string>

namespace om {

OmPoint::OmPoint() = default;

OmPoint::OmPoint(unsigned int id, double xv, double yv, double zv, short flags)
    : OmListnode(id), control(flags), x(xv), y(yv), z(zv) {}

OmPoint::OmPoint(OmPoint const& other) : OmListnode(other), OmFlag(other) {
    CopyFields(other);
}

OmPoint::~OmPoint() = default;

OmPoint& OmPoint::operator=(OmPoint const& other) {
    if (this == &other) return *this;
    OmListnode::operator=(other);
    OmFlag::operator=(other);
    CopyFields(other);
    return *this;
}

void OmPoint::CopyFields(OmPoint const& o) {
    photo = o.photo;
    camera = o.camera;
    control = o.control;
    reserved64 = o.reserved64;
    x = o.x, y = o.y, z = o.z;
    dx = o.dx, dy = o.dy, dz = o.dz;
    r1 = o.r1, r2 = o.r2, r3 = o.r3;
    vx = o.vx, vy = o.vy, vz = o.vz;
    reserved16 = o.reserved16;
    imageCount = o.imageCount;
    color = o.color;
}

void OmPoint::init() {
    OmPoint blank;
    blank.SetId(GetId());
    blank.SetName(GetName());
    CopyFields(blank);
}

int OmPoint::Compare(OmListnode* other) const {
    auto const* p = dynamic_cast<OmPoint const*>(other);
    if (p == nullptr) return OmListnode::Compare(static_cast<OmListnode const*>(other));
    // photo + id in unsigned arithmetic, as the key is defined; the difference is taken as int.
    unsigned const own = photo + GetId();
    unsigned const theirs = p->photo + p->GetId();
    return static_cast<int>(own - theirs);
}

bool OmPoint::operator==(OmPoint const& o) const {
    return x == o.x && y == o.y && z == o.z;
}

OmPoint OmPoint::operator+(OmPoint const& o) const {
    OmPoint r(*this);
    r.x += o.x, r.y += o.y, r.z += o.z;
    r.dx += o.dx, r.dy += o.dy, r.dz += o.dz;
    return r;
}

OmPoint OmPoint::operator-(OmPoint const& o) const {
    OmPoint r(*this);
    r.x -= o.x, r.y -= o.y, r.z -= o.z;
    r.dx -= o.dx, r.dy -= o.dy, r.dz -= o.dz;
    return r;
}

OmPoint OmPoint::operator%(OmPoint const& o) const {
    OmPoint r(*this);
    r.x = (x + o.x) / 2, r.y = (y + o.y) / 2, r.z = (z + o.z) / 2;
    r.dx = (dx + o.dx) / 2, r.dy = (dy + o.dy) / 2, r.dz = (dz + o.dz) / 2;
    return r;
}

OmPoint OmPoint::operator*(double f) const {
    OmPoint r(*this);
    r.x *= f, r.y *= f, r.z *= f;
    return r;
}

OmPoint OmPoint::operator/(double f) const {
    OmPoint r(*this);
    r.x /= f, r.y /= f, r.z /= f;
    return r;
}

double OmPoint::DistanceSq(OmPoint const& o) const {
    double const ex = x - o.x, ey = y - o.y, ez = z - o.z;
    return ex * ex + ey * ey + ez * ez;
}

OmVector OmPoint::GetAsVector() const {
    return OmVector(x, y, z);
}

double OmPoint::Distance(OmPoint const& o) const {
    return std::sqrt(DistanceSq(o));
}
double OmPoint::Distance(OmPoint const* o) const {
    return o ? Distance(*o) : 0.0;
}
double OmPoint::DistanceSq(OmPoint const* o) const {
    return o ? DistanceSq(*o) : 0.0;
}

char const* OmPoint::GetControlCodeAsXYZ(int flags) {
    static char const* const codes[8] = {" N ", "X  ", " Y ", "XY ", "  Z", "X Z", " YZ", "XYZ"};
    return codes[flags & 7];
}

char const* OmPoint::GetControlCodeAs123(int flags) {
    static char const* const codes[8] = {"  0", "  1", "  2", " 12", "  3", " 13", " 23", "123"};
    return codes[flags & 7];
}

short OmPoint::SetAsControlFlag(int digits) {
    short flags = 0;
    // Digits of the magnitude; computed in 64 bits so that INT_MIN has one.
    for (long long v = std::llabs(static_cast<long long>(digits)); v > 0; v /= 10) {
        switch (v % 10) {
            case 1:
                flags |= OmControlX;
                break;
            case 2:
                flags |= OmControlY;
                break;
            case 3:
                flags |= OmControlZ;
                break;
            default:
                break;
        }
    }
    return control = flags;
}

short OmPoint::SetAsControlFlag(char const* text) {
    short flags = 0;
    for (; text != nullptr && *text != '\0'; ++text) {
        switch (*text) {
            case '1':
            case 'X':
            case 'x':
                flags |= OmControlX;
                break;
            case '2':
            case 'Y':
            case 'y':
                flags |= OmControlY;
                break;
            case '3':
            case 'Z':
            case 'z':
                flags |= OmControlZ;
                break;
            default:
                break;
        }
    }
    return control = flags;
}

OmPoint* OmPoint::First(int mask) {
    return IsFlagSet(mask) ? this : Next(mask);
}

OmPoint* OmPoint::Next(int mask) const {
    for (OmPoint* p = Next(); p != nullptr; p = p->Next())
        if (p->IsFlagSet(mask)) return p;
    return nullptr;
}

OmPoint* OmPoint::Previous(int mask) const {
    for (OmPoint* p = Previous(); p != nullptr; p = p->Previous())
        if (p->IsFlagSet(mask)) return p;
    return nullptr;
}

void OmPoint::DbgPrintf(char const* prefix) const {
    char const* const fmt = "%d-%s %s %.4f %.4f %.4f  %.4f %.4f %.4f ";
    std::string head = prefix ? std::string(prefix) + ": " : std::string();
    int const id = static_cast<int>(GetId());
    char const* const name = GetName().chars();
    char const* const code = GetControlFlagsAsXYZ();
    char small[512];
    int const n = std::snprintf(small, sizeof small, fmt, id, name, code, x, y, z, dx, dy, dz);
    if (n < 0) return;
    std::string body(small);
    if (static_cast<std::size_t>(n) >= sizeof small) {  // a long name
        body.assign(static_cast<std::size_t>(n) + 1, '\0');
        std::snprintf(body.data(), body.size(), fmt, id, name, code, x, y, z, dx, dy, dz);
        body.resize(static_cast<std::size_t>(n));
    }
    sys::OutputDebugText(head + body);
}

OmPosition::OmPosition(double xv, double yv) {
    Set(xv, yv, 0.0);
}

TOmFormatTable<eOmPointRWMask> const& OmPosition::Format() {
    static eOmPointRWMask const codes[] = {OmPointRWX, OmPointRWY, OmPointRWEnd};
    static TOmFormatTable<eOmPointRWMask> const format(codes);
    return format;
}

std::ostream& OmPosition::Write(std::ostream& out) const {
    return OmPoint::Write(out, Format());
}

}  // namespace om
