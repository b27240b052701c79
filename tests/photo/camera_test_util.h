// Helpers shared by the camera tests.
#pragma once

#include <fstream>
#include <sstream>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include <gtest/gtest.h>
#include <om/photo/camera_list.h>
#include <om/sys/beep.h>
#include <om/sys/debug_output.h>

namespace om::testing_camera {

inline std::string Slurp(const std::string& file) {
    std::ostringstream text;
    text << std::ifstream(file, std::ios::binary).rdbuf();
    return text.str();
}

inline void Spit(const std::string& file, const std::string& text) {
    std::ofstream(file, std::ios::binary | std::ios::trunc) << text;
}

inline std::vector<const OmCamera*> Cameras(const OmCameraList& list) {
    std::vector<const OmCamera*> cams;
    for (const OmCamera* c = list.First(); c; c = static_cast<const OmCamera*>(c->Next()))
        cams.push_back(c);
    return cams;
}

// Every floating-point parameter of a camera, as getter and setter; the first six are the ones
// the simple camera layout carries.
struct Parameter {
    const char* name;
    double (OmCamera::*get)() const;
    void (OmCamera::*set)(double);
};
// clang-format off
inline constexpr Parameter kParameters[] = {
    {"c", &OmCamera::GetC, &OmCamera::SetC},             {"xh", &OmCamera::GetXh, &OmCamera::SetXh},
    {"yh", &OmCamera::GetYh, &OmCamera::SetYh},          {"a1", &OmCamera::GetA1, &OmCamera::SetA1},
    {"a2", &OmCamera::GetA2, &OmCamera::SetA2},          {"r0", &OmCamera::GetR0, &OmCamera::SetR0},
    {"a3", &OmCamera::GetA3, &OmCamera::SetA3},          {"rm", &OmCamera::GetRm, &OmCamera::SetRm},
    {"cViva", &OmCamera::GetCViva, &OmCamera::SetCViva}, {"c1", &OmCamera::GetC1, &OmCamera::SetC1},
    {"xhViva", &OmCamera::GetXhViva, &OmCamera::SetXhViva},
    {"yhViva", &OmCamera::GetYhViva, &OmCamera::SetYhViva},
    {"c2", &OmCamera::GetC2, &OmCamera::SetC2},          {"b1", &OmCamera::GetB1, &OmCamera::SetB1},
    {"b2", &OmCamera::GetB2, &OmCamera::SetB2},
};
// clang-format on

// Values that need all 17 digits, so a writer that rounds is caught.
inline OmCamera FullCamera(unsigned id, unsigned mode, const char* name) {
    OmCamera cam(id, 0.0, 0.0, 0.0, 0.0, 0.0, 0.0, name);
    cam.SetMode(mode);
    double v = 350.123456789012345 + id;
    for (const Parameter& p : kParameters) (cam.*p.set)(v /= 7.0);
    return cam;
}

}  // namespace om::testing_camera
