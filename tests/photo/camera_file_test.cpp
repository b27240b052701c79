// Camera files: every layout as exact text and read back field by field, the fall-back from the
// keyword layout to the simple one, repeated identifiers, hostile files and failed writes.
#include <om/photo/camera_list.h>

#include <cmath>
#include <filesystem>
#include <random>
#include <sstream>
#include <string>

#include <gtest/gtest.h>

#include "camera_test_util.h"

namespace om {
namespace {

using namespace testing_camera;

// Not all cameras of mode 0: the keyword layout, which carries every parameter.
TEST(CameraFiles, KeywordFileRoundTripsEveryField) {
    OmCameraList list;
    list.Add(new OmCamera(FullCamera(1, 0, "Omri 35")));
    list.Add(new OmCamera(FullCamera(2, 1, "Viva")));
    list.Add(new OmCamera(FullCamera(3, 2, "CAP model")));
    list.Add(new OmCamera(FullCamera(4, 3, "")));
    ASSERT_EQ(list.WriteFile(String("keyword.cam"), false), 1);
    OmCameraList back("keyword.cam");
    const auto written = Cameras(list), read = Cameras(back);
    ASSERT_EQ(read.size(), 4u);
    for (std::size_t k = 0; k < read.size(); ++k) ExpectSameParameters(*written[k], *read[k]);
}

TEST(CameraFiles, KeywordFileLayout) {
    OmCameraList list;
    OmCamera cap(3, 24.5, 0.125, -0.0625, -0.0002, 0, 9, "cap");
    cap.SetMode(OmCamera::kModeCap);
    cap.SetRm(18);
    list.Add(new OmCamera(cap));
    ASSERT_EQ(list.WriteFile(String("layout_full.cam"), false), 1);
    const std::string text = Slurp("layout_full.cam");
    EXPECT_EQ(text.rfind("; \n; OMRIGRAPHY 10 Version 8.205 General Purpose Camera File\n; \n"
                         "; Ident: ID         Camera Id\n",
                         0),
              0u);
    EXPECT_NE(text.find(";        A1 A2 A3   Radial Symmetric Distortion\n;        B1 B2      "
                        "Affine Distortion\n;        C1 C2      Tangential Distortion\n; \n\n"),
              std::string::npos);
    EXPECT_NE(
        text.find("\nCAMERA    { ID 3 NAME \"cap\" MD 2 C 24.5 CV 0 XH 0.125 YH -0.0625 XHV 0 "
                  "YHV 0 A1 -2e-04 A2 0 A3 0 R0 9 RM 18 B1 0 B2 0 C1 0 C2 0}\n"),
        std::string::npos)
        << text;
}

TEST(CameraFiles, KeywordBlockWithoutRmTakesItFromR0AndKeepsTheSignOfC) {
    Spit("partial.cam",
         "CAMERA { ID 9 NAME \"partial\" C -42.5 R0 10 X0 0.5 Y0 -0.25 MD 1 UNKNOWN 3 }\n");
    OmCameraList list("partial.cam");
    ASSERT_EQ(list.Count(), 1);
    const OmCamera* cam = list.First();
    EXPECT_EQ(cam->GetC(), -42.5);
    EXPECT_EQ(cam->GetRm(), 21.0);
    EXPECT_EQ(cam->GetXh(), 0.5);  // aliases of XH and YH
    EXPECT_EQ(cam->GetYh(), -0.25);
    EXPECT_TRUE(cam->IsTs15());
}

// Only mode-0 cameras: the simple layout. A double quote cannot stand inside a quoted token and
// is written as an apostrophe; a line end in a name becomes a blank.
TEST(CameraFiles, SimpleFileLayoutAndRoundTrip) {
    OmCameraList list;
    list.Add(new OmCamera(1, 50.5, 0.25, -0.125, 0.0001, 0, 12, "first"));
    list.Add(new OmCamera(12, 24, 0, 0, 0, 0, 0, "say \"cheese\"\n"));
    ASSERT_TRUE(list.ContainsOnlyKavroCams());
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
    EXPECT_STREQ(OmCameraList("layout.cam").Last()->GetName().chars(), "say 'cheese' ");

    OmCameraList full;
    full.Add(new OmCamera(FullCamera(1, 0, "full")));
    ASSERT_EQ(full.WriteFile(String("simple.cam"), false), 1);
    OmCameraList back("simple.cam");
    ASSERT_EQ(back.Count(), 1);
    const OmCamera& a = *full.First();
    const OmCamera& b = *back.First();
    for (int i : {0, 1, 2, 3, 4, 6}) {  // c, xh, yh, a1, a2, r0
        const Parameter& p = kParameters[i];
        EXPECT_EQ((a.*p.get)(), (b.*p.get)()) << p.name;
    }
    EXPECT_EQ(b.GetRm(), 2.1 * a.GetR0());
}

// A simple line stores the magnitude of C; integer tokens are numbers too. A file without camera
// blocks falls back to the simple layout.
TEST(CameraFiles, SimpleLinesAndFallBackFromKeywordLayout) {
    Spit("negative.cam", "{ 5 -35.5 0.1 0.2 0 0 8 \"neg\"}\n{ 6 24 0 0 0 0 0 \"int\"}\n");
    OmCameraList list("negative.cam");
    const auto cams = Cameras(list);
    ASSERT_EQ(cams.size(), 2u);
    EXPECT_EQ(cams[0]->GetC(), 35.5);
    EXPECT_EQ(cams[1]->GetC(), 24.0);

    Spit("fallback.cam",
         "; a simple file\nOTHER { 1 2 3 }\n{ 11 50 0.01 -0.02 0.0001 0 10 \"fallback\"}\n");
    OmCameraList fallback;
    EXPECT_EQ(fallback.Read("fallback.cam"), 1);
    ASSERT_EQ(fallback.Count(), 1);
    EXPECT_STREQ(fallback.First()->GetName().chars(), "fallback");

    OmCameraList missing;
    EXPECT_EQ(missing.ReadFileFormatFull(nullptr), 0);
    EXPECT_EQ(missing.ReadFileFormatFull("no_such_file.cam"), 0);
    EXPECT_EQ(missing.Read("no_such_file.cam"), 1);
    EXPECT_EQ(missing.Count(), 0);
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

// The first line lacks its name: it is dropped (the reader records the error) and reading goes
// on. Words and other stray tokens in number fields count as 0.
TEST(CameraFiles, ShortAndMalformedSimpleLinesDoNotSwallowTheNextLine) {
    Spit("short.cam",
         "{ 1 50 }\n"
         "{ 2 abc 0.1 0.2 0 0 5 \"words count as zero\"}\n"
         "{ 3 35 = 0 0 0 0 \"other token\"}\n"
         "{ 4 24 0 0 0 0 0 \"fine\"}\n");
    OmCameraList list("short.cam");
    const auto cams = Cameras(list);
    ASSERT_EQ(cams.size(), 3u);
    EXPECT_EQ(cams[0]->GetId(), 2u);
    EXPECT_EQ(cams[0]->GetC(), 0.0);
    EXPECT_EQ(cams[0]->GetXh(), 0.1);
    EXPECT_EQ(cams[0]->GetR0(), 5.0);
    EXPECT_EQ(cams[1]->GetC(), 35.0);
    EXPECT_EQ(cams[1]->GetXh(), 0.0);
    EXPECT_STREQ(cams[1]->GetName().chars(), "other token");
    EXPECT_STREQ(cams[2]->GetName().chars(), "fine");
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
    if (copy.InvAdjust(&x, &y)) {
        EXPECT_TRUE(std::isfinite(x) && std::isfinite(y));
    }
    OmCamera::DeleteInvAdjustTables();
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

// Two cameras of one identifier are allowed; three or more are reported once per identifier,
// on reading too, and kept.
TEST_F(CameraWarnings, ThreeOrMoreCamerasOfOneIdWarnOncePerId) {
    Spit("three.cam",
         "{ 3 50 0 0 0 0 0 \"a\"}\n{ 3 50 0 0 0 0 0 \"b\"}\n{ 3 50 0 0 0 0 0 \"c\"}\n");
    EXPECT_EQ(OmCameraList("three.cam").Count(), 3);
    EXPECT_EQ(beeps.size(), 1u);
    beeps.clear();
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
    EXPECT_EQ(lines,
              (std::vector<std::string>{"** OmCameraList::TestForMultipleCameras Id 2 4 Entries",
                                        "** OmCameraList::TestForMultipleCameras Id 5 3 Entries"}));
    EXPECT_EQ(list.Count(), 8);
}

}  // namespace
}  // namespace om
