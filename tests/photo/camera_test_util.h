// Helpers shared by the camera file tests.
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
    std::ifstream in(file, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

inline void Spit(const std::string& file, const std::string& text) {
    std::ofstream out(file, std::ios::binary | std::ios::trunc);
    out << text;
}

inline std::vector<const OmCamera*> Cameras(const OmCameraList& list) {
    std::vector<const OmCamera*> cams;
    for (const OmCamera* c = list.First(); c; c = static_cast<const OmCamera*>(c->Next()))
        cams.push_back(c);
    return cams;
}

// Values that need all 17 digits, so a writer that rounds is caught.
inline OmCamera FullCamera(unsigned id, unsigned mode, const char* name) {
    OmCamera cam(id, 35.123456789012345 + id, 0.1 / 3, -0.2 / 7, 1.0e-4 / 3, -2.0e-8 / 7,
                 9.87654321, name);
    cam.SetMode(mode);
    cam.SetCViva(28.000000000000004);
    cam.SetXhViva(0.011);
    cam.SetYhViva(-0.013);
    cam.SetA3(-3e-10 / 9);
    cam.SetC1(1.5e-5 / 7);
    cam.SetC2(-2e-5 / 3);
    cam.SetB1(1e-4 / 11);
    cam.SetB2(-6e-5 / 13);
    cam.SetRm(17.25);
    return cam;
}

inline void ExpectSameParameters(const OmCamera& a, const OmCamera& b) {
    EXPECT_EQ(a.GetId(), b.GetId());
    EXPECT_STREQ(a.GetName().chars(), b.GetName().chars());
    EXPECT_EQ(a.GetMode(), b.GetMode());
    EXPECT_EQ(a.GetC(), b.GetC());
    EXPECT_EQ(a.GetXh(), b.GetXh());
    EXPECT_EQ(a.GetYh(), b.GetYh());
    EXPECT_EQ(a.GetA1(), b.GetA1());
    EXPECT_EQ(a.GetA2(), b.GetA2());
    EXPECT_EQ(a.GetA3(), b.GetA3());
    EXPECT_EQ(a.GetR0(), b.GetR0());
    EXPECT_EQ(a.GetRm(), b.GetRm());
    EXPECT_EQ(a.GetCViva(), b.GetCViva());
    EXPECT_EQ(a.GetXhViva(), b.GetXhViva());
    EXPECT_EQ(a.GetYhViva(), b.GetYhViva());
    EXPECT_EQ(a.GetC1(), b.GetC1());
    EXPECT_EQ(a.GetC2(), b.GetC2());
    EXPECT_EQ(a.GetB1(), b.GetB1());
    EXPECT_EQ(a.GetB2(), b.GetB2());
}

// A keyword file that holds no camera block is read again as a simple file.
// Records beeps and debug lines instead of sending them to the host.
class CameraWarnings : public ::testing::Test {
  protected:
    void SetUp() override {
        sys::SetBeepHandler([this](unsigned f, unsigned d) {
            beeps.push_back({f, d});
            return true;
        });
        previous = sys::SetNarrowDebugSink([this](std::string_view t) { lines.emplace_back(t); });
    }
    void TearDown() override {
        sys::SetBeepHandler({});
        sys::SetNarrowDebugSink(previous);
    }
    std::vector<std::pair<unsigned, unsigned>> beeps;
    std::vector<std::string> lines;
    sys::NarrowDebugSink previous;
};

}  // namespace om::testing_camera
