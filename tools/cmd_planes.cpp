// omtool planes: reads a plane file and reports each plane and how the planes meet.
#include <cmath>
#include <cstdio>

#include <om/points/plane.h>

#include "omtool.h"

namespace {

constexpr double kDegPerRad = 57.29577951308232;

int RunPlanes(omtool::Args const& args) {
    if (args.size() != 1) return omtool::UsageError("planes", "expects one plane file");
    om::OmPlaneList list;
    const int ok = list.ReadFile(om::String(args[0].c_str()));
    if (list.IsEmpty() && !ok) {
        std::fprintf(stderr, "omtool planes: cannot read %s\n", args[0].c_str());
        return 1;
    }
    std::printf("%d plane(s)%s\n", list.Count(),
                ok ? "" : " (the file has errors; read up to the first)");
    for (const om::OmPlane* p = list.First(); p != nullptr; p = p->Next()) {
        const double n = p->GetNorm().Abs();
        std::printf("%5u %-24s", p->GetId(), p->GetName().chars());
        if (!p->IsValid()) {
            std::printf(" invalid (zero normal)\n");
            continue;
        }
        std::printf(" n = (%8.5f %8.5f %8.5f)  distance from origin %.4f\n", p->A() / n + 0.0,
                    p->B() / n + 0.0, p->C() / n + 0.0, std::fabs(p->D()) / n);
    }
    for (const om::OmPlane* a = list.First(); a != nullptr; a = a->Next()) {
        for (const om::OmPlane* b = a->Next(); b != nullptr; b = b->Next()) {
            if (!a->IsValid() || !b->IsValid()) continue;
            om::OmVector point(3), dir(3);
            std::printf("%5u x %-5u angle %8.3f deg", a->GetId(), b->GetId(),
                        a->CalcAngle(*b) * kDegPerRad);
            if (a->CalcIntersection(point, dir, *b))
                std::printf("  line through (%.4f %.4f %.4f) along (%.5f %.5f %.5f)\n",
                            point[1] + 0.0, point[2] + 0.0, point[3] + 0.0, dir[1] + 0.0,
                            dir[2] + 0.0, dir[3] + 0.0);
            else
                std::printf("  parallel\n");
        }
    }
    return ok ? 0 : 1;
}

const omtool::Register reg{{"planes", "list the planes of a plane file and their intersections",
                            "usage: omtool planes FILE\n"
                            "Reads a plane file (groups { id \"name\" A B C D }) and prints each\n"
                            "plane's unit normal and distance from the origin, then the angle and\n"
                            "the intersection line of every pair of planes.\n"
                            "Exit status 1 when the file cannot be read or has errors.",
                            RunPlanes}};

}  // namespace
