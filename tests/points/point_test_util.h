// Helpers shared by the point tests: column formats built from codes, a sample point, its
// written text and small text files in the scratch directory.
#pragma once

#include <om/points/point.h>
#include <om/points/point_format.h>

#include <fstream>
#include <iterator>
#include <sstream>
#include <string>
#include <vector>

namespace om::test {

using Mask = TOmFormatTable<eOmPointRWMask>;

inline Mask Format(std::vector<int> const& codes) {
    std::vector<eOmPointRWMask> c;
    for (int k : codes) c.push_back(static_cast<eOmPointRWMask>(k));
    c.push_back(OmPointRWEnd);
    return Mask(c.data());
}

inline void WriteText(std::string const& name, std::string const& text) {
    std::ofstream(name, std::ios::binary) << text;
}

inline std::string ReadText(std::string const& name) {
    std::ifstream in(name, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

// A point with every member set: a large id, a negative colour and a third in dz.
inline OmPoint Sample() {
    OmPoint p(4000000000u, 1.0, 2.0, 3.0, 5);
    p.SetName("Corner A");
    p.SetFlag(0x40);
    p.photo = 12;
    p.camera = 3;
    p.dx = 0.25, p.dy = -0.5, p.dz = 1.0 / 3.0;
    p.r1 = 1e-7, p.r2 = -2.5, p.r3 = 123456.789;
    p.vx = 0.1f, p.vy = -0.5f, p.vz = 2.0f;
    p.imageCount = 4;
    p.color = -16711936;
    return p;
}

// Every column that reads back what it wrote (7 and 16 are written only).
inline Mask AllColumns() {
    return Format(
        {1, 2, 4, 5, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16, 17, 18, 19, 20, 24, 25, 26, 27, 28});
}

// Every member; code 16 is left out, as it is recomputed from rounded deviations.
inline std::string Written(OmPoint const& p,
                           Mask const& m = Format({1,  2,  4,  5,  8,  9,  10, 11, 12, 13,
                                                   14, 15, 17, 18, 19, 20, 24, 25, 26, 27})) {
    std::ostringstream out;
    p.Write(out, m);
    return out.str();
}

}  // namespace om::test
