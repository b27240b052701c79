// Writing camera files: the layouts as text, the repeated-identifier warning, debug lines and
// failed writes.
#include <om/photo/camera_list.h>

#include <filesystem>
#include <sstream>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "camera_test_util.h"

namespace om {
namespace {

using namespace testing_camera;

TEST(CameraFiles, BundleProgramLineLayout) {
    OmCameraList list;
    list.Add(new OmCamera(7, -50.5, 0.125, -0.25, 0.0001, 1e-05, 12, "x"));
    OmCamera cap(8, 35.0, 0.1, 0.2, 0.3, 0.4, 0.5);
    cap.SetMode(OmCamera::kModeCap);
    list.Add(new OmCamera(cap));
    ASSERT_EQ(list.WriteFile(String("bundle.txt"), true), 1);
    const std::string expected =
        "    7             50.5            0.125            -0.25           0.0001"
        "            1e-05               12\n"
        "    8               35                0                0                0"
        "                0                0\n";
    EXPECT_EQ(Slurp("bundle.txt"), expected);
}

TEST(CameraFiles, SimpleFileLayout) {
    OmCameraList list;
    list.Add(new OmCamera(1, 50.5, 0.25, -0.125, 0.0001, 0, 12, "first"));
    list.Add(new OmCamera(12, 24, 0, 0, 0, 0, 0, "say \"cheese\"\n"));
    ASSERT_EQ(list.WriteFile(String("layout.cam"), false), 1);
    EXPECT_EQ(Slurp("layout.cam"),
              "; \n"
              "; OMRIGRAPHY 10 Version 8.205 Simple Camera File\n"
              "; \n"
              "; File Format: { Id  C  Xh  Yh  A1  A2  R0 \"Infotext\"}\n"
              "; \n"
              "\n"
              "{    1 50.5 0.25 -0.125 1e-04 0 12 \"first\"}\n"
              "{   12 24 0 0 0 0 0 \"say 'cheese' \"}\n");
}

TEST(CameraFiles, KeywordFileLayout) {
    OmCameraList list;
    OmCamera cap(3, 24.5, 0.125, -0.0625, -0.0002, 0, 9, "cap");
    cap.SetMode(OmCamera::kModeCap);
    cap.SetRm(18);
    list.Add(new OmCamera(cap));
    ASSERT_FALSE(list.ContainsOnlyKavroCams());
    ASSERT_EQ(list.WriteFile(String("layout_full.cam"), false), 1);
    const std::string text = Slurp("layout_full.cam");
    EXPECT_EQ(text.substr(0, 2 * 60),
              std::string("; \n"
                          "; OMRIGRAPHY 10 Version 8.205 General Purpose Camera File\n"
                          "; \n"
                          "; Ident: ID         Camera Id\n"
                          ";        NAME       Camera Name\n")
                  .substr(0, 2 * 60));
    EXPECT_NE(text.find(";        A1 A2 A3   Radial Symmetric Distortion\n;        B1 B2      "
                        "Affine Distortion\n;        C1 C2      Tangential Distortion\n; \n\n"),
              std::string::npos);
    EXPECT_NE(
        text.find("\nCAMERA    { ID 3 NAME \"cap\" MD 2 C 24.5 CV 0 XH 0.125 YH -0.0625 XHV 0 "
                  "YHV 0 A1 -2e-04 A2 0 A3 0 R0 9 RM 18 B1 0 B2 0 C1 0 C2 "
                  "0}\n"),
        std::string::npos)
        << text;
}

TEST(CameraFiles, WriterRestoresTheStreamFormat) {
    std::ostringstream out;
    out.precision(3);
    FullCamera(1, 2, "n").WriteFullData(out, true);
    FullCamera(1, 2, "n").WriteKavroFormat(out);
    EXPECT_EQ(out.precision(), 3);
}

// --- repeated identifiers ---

TEST_F(CameraWarnings, TwoCamerasOfOneIdAreAllowedThreeWarnOnce) {
    OmCameraList list;
    list.Add(new OmCamera(5, 50.0));
    list.Add(new OmCamera(5, 51.0));
    list.Add(new OmCamera(6, 35.0));
    EXPECT_EQ(list.TestForMultipleCameras(), 0);
    EXPECT_TRUE(beeps.empty());
    list.Add(new OmCamera(5, 52.0));
    for (int k = 0; k < 4; ++k) list.Add(new OmCamera(2, 20.0));
    lines.clear();
    EXPECT_EQ(list.TestForMultipleCameras(), 2);
    ASSERT_EQ(beeps.size(), 2u);
    EXPECT_EQ(beeps[0], (std::pair<unsigned, unsigned>{1000, 100}));
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_EQ(lines[0], "** OmCameraList::TestForMultipleCameras Id 2 4 Entries");
    EXPECT_EQ(lines[1], "** OmCameraList::TestForMultipleCameras Id 5 3 Entries");
    EXPECT_EQ(list.Count(), 8);  // reported, not removed
}

TEST_F(CameraWarnings, DebugLinesDescribeEachModel) {
    OmCamera cam(1, 50.0, 0.1, 0.2, 0.0001, 0.0, 10.0);
    cam.DbgPrintf("T");
    cam.SetMode(OmCamera::kModeCap);
    cam.DbgPrintf(nullptr);
    cam.SetPinholeCamera();
    cam.DbgPrintf("P");
    ASSERT_EQ(lines.size(), 3u);
    EXPECT_EQ(lines[0], "T Omri c 50.0000, xh 0.1000, yh 0.2000, a1 0.0001, a2 0.0000, r0 10.0000");
    EXPECT_EQ(lines[1],
              " CAP c 50.0000, xh 0.1000, yh 0.2000, a1 0.0001, a2 0.0000 a3 0.0000, r0 10.0, c1 "
              "0.0000, c2 0.0000, b1 0.0000, b2 0.0000");
    EXPECT_EQ(lines[2], "P Pinhole c 50.0000");
}

// --- failed writes ---

TEST(CameraFiles, FailedWritesReportFailure) {
    OmCameraList list;
    list.Add(new OmCamera(1, 50.0));
    EXPECT_EQ(list.WriteFile(String("no_such_dir/cams.cam"), false), 0);
    EXPECT_EQ(list.WriteFileFormatFull(String("no_such_dir/cams.cam")), 0);
    EXPECT_EQ(list.WriteFile(String("no_such_dir/cams.txt"), true), 0);
    // A device that is always full: the data is lost at the flush, which must be reported.
    if (std::filesystem::exists("/dev/full")) {
        EXPECT_EQ(list.WriteFile(String("/dev/full"), false), 0);
        EXPECT_EQ(list.WriteFileFormatFull(String("/dev/full")), 0);
    }
}

}  // namespace
}  // namespace om
