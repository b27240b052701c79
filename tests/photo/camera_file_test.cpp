// Camera files: every layout as exact text and read back field by field, the reading rules of
// both layouts, repeated identifiers, hostile files and failed writes.
#include <om/photo/camera_list.h>

#include <cmath>
#include <filesystem>
#include <random>
#include <span>
#include <sstream>
#include <string>

#include <gtest/gtest.h>

#include "camera_test_util.h"

namespace om {
namespace {

using namespace testing_camera;

// Not all cameras of mode 0: the keyword layout, which carries every parameter.
TEST(CameraFiles, KeywordFileLayoutAndRoundTrip) {
    OmCameraList list;
    for (unsigned mode = 0; mode < 4; ++mode)
        list.Add(new OmCamera(FullCamera(mode + 1, mode, mode == 3 ? "" : "Omri 35")));
    ASSERT_EQ(list.WriteFile(String("keyword.cam"), false), 1);
    OmCameraList back("keyword.cam");
    const auto written = Cameras(list), read = Cameras(back);
    ASSERT_EQ(read.size(), 4u);
    for (std::size_t k = 0; k < read.size(); ++k) {
        EXPECT_TRUE(written[k]->GetId() == read[k]->GetId() &&
                    written[k]->GetName() == read[k]->GetName() &&
                    written[k]->GetMode() == read[k]->GetMode());
        for (const Parameter& p : kParameters)
            EXPECT_EQ((written[k]->*p.get)(), (read[k]->*p.get)()) << p.name;
    }

    OmCameraList one;
    OmCamera cap(3, 24.5, 0.125, -0.0625, -0.0002, 0, 9, "cap");
    cap.SetMode(OmCamera::kModeCap);
    cap.SetRm(18);
    one.Add(new OmCamera(cap));
    ASSERT_EQ(one.WriteFile(String("layout_full.cam"), false), 1);
    const std::string text = Slurp("layout_full.cam");
    EXPECT_EQ(text.rfind("; \n; OMRIGRAPHY 10 Version 8.205 General Purpose Camera File\n; \n"
                         "; Ident: ID         Camera Id\n",
                         0),
              0u);
    EXPECT_NE(text.find(";        A1 A2 A3   Radial Symmetric Distortion\n;        B1 B2      "
                        "Affine Distortion\n;        C1 C2      Tangential Distortion\n; \n\n"
                        "CAMERA    { ID 3 NAME \"cap\" MD 2 C 24.5 CV 0 XH 0.125 YH -0.0625 XHV 0 "
                        "YHV 0 A1 -2e-04 A2 0 A3 0 R0 9 RM 18 B1 0 B2 0 C1 0 C2 0}\n"),
              std::string::npos)
        << text;
}

// Only mode-0 cameras: the simple layout. A double quote cannot stand inside a quoted token and
// is written as an apostrophe; a line end in a name becomes a blank. The layout carries c, xh,
// yh, a1, a2 and r0; rm is taken as 2.1 r0.
TEST(CameraFiles, SimpleFileLayoutAndRoundTrip) {
    OmCameraList list;
    list.Add(new OmCamera(1, 50.5, 0.25, -0.125, 0.0001, 0, 12, "first"));
    list.Add(new OmCamera(12, 24, 0, 0, 0, 0, 0, "say \"cheese\"\n"));
    ASSERT_EQ(list.WriteFile(String("layout.cam"), false), 1);
    EXPECT_EQ(Slurp("layout.cam"),
              "; \n; OMRIGRAPHY 10 Version 8.205 Simple Camera File\n; \n"
              "; File Format: { Id  C  Xh  Yh  A1  A2  R0 \"Infotext\"}\n; \n\n"
              "{    1 50.5 0.25 -0.125 1e-04 0 12 \"first\"}\n"
              "{   12 24 0 0 0 0 0 \"say 'cheese' \"}\n");
    EXPECT_STREQ(OmCameraList("layout.cam").Last()->GetName().chars(), "say 'cheese' ");

    OmCameraList full;
    full.Add(new OmCamera(FullCamera(1, 0, "full")));
    ASSERT_EQ(full.WriteFile(String("simple.cam"), false), 1);
    OmCameraList back("simple.cam");
    ASSERT_EQ(back.Count(), 1);
    const OmCamera &a = *full.First(), &b = *back.First();
    for (const Parameter& p : std::span(kParameters).first(6))
        EXPECT_EQ((a.*p.get)(), (b.*p.get)()) << p.name;
    EXPECT_EQ(b.GetRm(), 2.1 * a.GetR0());
}

TEST(CameraFiles, BundleProgramLineLayout) {
    OmCameraList list;
    list.Add(new OmCamera(7, -50.5, 0.125, -0.25, 0.0001, 1e-05, 12, "x"));
    OmCamera cap(8, 35.0, 0.1, 0.2, 0.3, 0.4, 0.5);
    cap.SetMode(OmCamera::kModeCap);
    list.Add(new OmCamera(cap));
    ASSERT_EQ(list.WriteFile(String("bundle.txt"), true), 1);
    EXPECT_EQ(Slurp("bundle.txt"),
              "    7             50.5            0.125            -0.25           0.0001"
              "            1e-05               12\n"
              "    8               35                0                0                0"
              "                0                0\n");
    std::ostringstream out;  // the writers restore the stream's format
    out.precision(3);
    FullCamera(1, 2, "n").WriteFullData(out, true);
    FullCamera(1, 2, "n").WriteKavroFormat(out);
    EXPECT_EQ(out.precision(), 3);
}

// A keyword block without RM takes 2.1 R0 and keeps the sign of C; X0 and Y0 are aliases of XH
// and YH. A simple line stores the magnitude of C. A line without its name is dropped (the reader
// records the error) and reading goes on; words and stray tokens in number fields count as 0. A
// file without camera blocks falls back to the simple layout.
TEST(CameraFiles, ReadingRulesOfBothLayouts) {
    Spit("partial.cam",
         "CAMERA { ID 9 NAME \"partial\" C -42.5 R0 10 X0 0.5 Y0 -0.25 MD 1 UNKNOWN 3 }\n");
    const OmCameraList partial("partial.cam");
    const OmCamera* cam = partial.First();
    ASSERT_NE(cam, nullptr);
    EXPECT_TRUE(cam->GetC() == -42.5 && cam->GetRm() == 21.0 && cam->IsTs15());
    EXPECT_TRUE(cam->GetXh() == 0.5 && cam->GetYh() == -0.25);

    Spit("short.cam",
         "; a simple file\nOTHER { 1 2 3 }\n"
         "{ 1 50 }\n"
         "{ 2 abc 0.1 0.2 0 0 5 \"words count as zero\"}\n"
         "{ 3 -35 = 0 0 0 0 \"other token\"}\n"
         "{ 4 24 0 0 0 0 0 \"fine\"}\n");
    OmCameraList list;
    EXPECT_EQ(list.Read("short.cam"), 1);
    const auto cams = Cameras(list);
    ASSERT_EQ(cams.size(), 3u);
    EXPECT_TRUE(cams[0]->GetId() == 2u && cams[0]->GetC() == 0.0 && cams[0]->GetXh() == 0.1 &&
                cams[0]->GetR0() == 5.0);
    EXPECT_TRUE(cams[1]->GetC() == 35.0 && cams[1]->GetXh() == 0.0 &&
                cams[1]->GetName() == "other token" && cams[2]->GetName() == "fine");

    EXPECT_EQ(list.ReadFileFormatFull("no_such_file.cam"), 0);
    EXPECT_EQ(list.Read("no_such_file.cam"), 0);
}

TEST(CameraFiles, RandomBytesOverlongLinesAndHugeValuesAreSurvived) {
    std::mt19937 rng(99);
    for (int round = 0; round < 20; ++round) {
        std::string text;
        const int n = 200 + round * 300;
        for (int k = 0; k < n; ++k) text += static_cast<char>(rng() & 0xFF);
        if (round % 4 == 0) text += "\n{ 1 50 0 0 0 0 0 \"after\"}\n";
        if (round % 5 == 0) text += std::string(9000, 'x') + "\n";
        Spit("random.cam", text);
        EXPECT_LE(OmCameraList("random.cam").Count(), n);
    }
    Spit("truncated.cam", "CAMERA { ID 1 NAME \"cut");
    EXPECT_LE(OmCameraList("truncated.cam").Count(), 1);
    Spit("huge.cam", "CAMERA { ID 4294967295 C 1e308 R0 1e300 MD 4000000000 }\n");
    OmCameraList huge("huge.cam");
    ASSERT_EQ(huge.Count(), 1);
    double x = 1.0, y = 1.0;
    OmCamera copy(*huge.First());
    EXPECT_FALSE(copy.Adjust(&x, &y));  // not a known mode
    EXPECT_TRUE(!copy.InvAdjust(&x, &y) || (std::isfinite(x) && std::isfinite(y)));
}

// A failed open, and a device that is always full (the data is lost at the flush), must be
// reported.
TEST(CameraFiles, FailedWritesReportFailure) {
    OmCameraList list;
    list.Add(new OmCamera(1, 50.0));
    EXPECT_EQ(list.WriteFile(String("no_such_dir/cams.cam"), false), 0);
    EXPECT_EQ(list.WriteFileFormatFull(String("no_such_dir/cams.cam")), 0);
    EXPECT_EQ(list.WriteFile(String("no_such_dir/cams.txt"), true), 0);
    if (std::filesystem::exists("/dev/full")) {
        EXPECT_EQ(list.WriteFile(String("/dev/full"), false), 0);
        EXPECT_EQ(list.WriteFileFormatFull(String("/dev/full")), 0);
    }
}

// Two cameras of one identifier are allowed; three or more are reported once per identifier, with
// a beep and a debug line, on reading too, and kept.
TEST(CameraFiles, ThreeOrMoreCamerasOfOneIdWarnOncePerId) {
    std::vector<std::pair<unsigned, unsigned>> beeps;
    std::vector<std::string> lines;
    sys::SetBeepHandler([&beeps](unsigned f, unsigned d) { return beeps.push_back({f, d}), true; });
    auto const previous =
        sys::SetNarrowDebugSink([&lines](std::string_view t) { lines.emplace_back(t); });
    Spit("three.cam",
         "{ 3 50 0 0 0 0 0 \"a\"}\n{ 3 50 0 0 0 0 0 \"b\"}\n{ 3 50 0 0 0 0 0 \"c\"}\n");
    EXPECT_EQ(OmCameraList("three.cam").Count(), 3);
    EXPECT_EQ(beeps.size(), 1u);
    OmCameraList list;
    for (double c : {50.0, 51.0}) list.Add(new OmCamera(5, c));
    EXPECT_EQ(list.TestForMultipleCameras(), 0);
    list.Add(new OmCamera(5, 52.0));
    for (int k = 0; k < 4; ++k) list.Add(new OmCamera(2, 20.0));
    beeps.clear();
    lines.clear();
    EXPECT_EQ(list.TestForMultipleCameras(), 2);
    sys::SetBeepHandler({});
    sys::SetNarrowDebugSink(previous);
    EXPECT_EQ(beeps, (std::vector<std::pair<unsigned, unsigned>>(2, {1000, 100})));
    EXPECT_EQ(lines,
              (std::vector<std::string>{"** OmCameraList::TestForMultipleCameras Id 2 4 Entries",
                                        "** OmCameraList::TestForMultipleCameras Id 5 3 Entries"}));
    EXPECT_EQ(list.Count(), 7);
}

}  // namespace
}  // namespace om
