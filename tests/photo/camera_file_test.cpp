// Camera files read back: every layout field by field, the fall-back from the keyword layout
// to the simple one, the warning for repeated identifiers on reading, and hostile files.
#include <om/photo/camera_list.h>

#include <cmath>
#include <random>
#include <string>

#include <gtest/gtest.h>

#include "camera_test_util.h"

namespace om {
namespace {

using namespace testing_camera;

TEST(CameraFiles, KeywordFileRoundTripsEveryField) {
    OmCameraList list;
    list.Add(new OmCamera(FullCamera(1, 0, "Omri 35")));
    list.Add(new OmCamera(FullCamera(2, 1, "Viva")));
    list.Add(new OmCamera(FullCamera(3, 2, "CAP model")));
    list.Add(new OmCamera(FullCamera(4, 3, "")));
    ASSERT_EQ(list.WriteFile(String("keyword.cam"), false), 1);  // not all mode 0: keywords
    OmCameraList back("keyword.cam");
    const auto written = Cameras(list), read = Cameras(back);
    ASSERT_EQ(read.size(), 4u);
    for (std::size_t k = 0; k < read.size(); ++k) ExpectSameParameters(*written[k], *read[k]);
}

TEST(CameraFiles, KeywordBlockWithoutRmTakesItFromR0AndKeepsTheSignOfC) {
    Spit("partial.cam",
         "CAMERA { ID 9 NAME \"partial\" C -42.5 R0 10 X0 0.5 Y0 -0.25 MD 1 UNKNOWN 3 }\n");
    OmCameraList list("partial.cam");
    ASSERT_EQ(list.Count(), 1);
    const OmCamera* cam = list.First();
    EXPECT_EQ(cam->GetId(), 9u);
    EXPECT_EQ(cam->GetC(), -42.5);
    EXPECT_EQ(cam->GetRm(), 21.0);
    EXPECT_EQ(cam->GetXh(), 0.5);  // aliases of XH and YH
    EXPECT_EQ(cam->GetYh(), -0.25);
    EXPECT_TRUE(cam->IsTs15());
}

TEST(CameraFiles, SimpleFileRoundTrip) {
    OmCameraList list;
    list.Add(new OmCamera(1, 50.123456789012345, 0.1 / 3, -0.2 / 7, 1e-4 / 3, 2e-8 / 7, 12.5,
                          "first \"quoted\" camera"));
    list.Add(new OmCamera(2, 28.0, 0.0, 0.0, 0.0, 0.0, 0.0, "plain"));
    ASSERT_TRUE(list.ContainsOnlyKavroCams());
    ASSERT_EQ(list.WriteFile(String("simple.cam"), false), 1);
    OmCameraList back("simple.cam");
    const auto read = Cameras(back);
    ASSERT_EQ(read.size(), 2u);
    const OmCamera& a = *read[0];
    EXPECT_EQ(a.GetId(), 1u);
    EXPECT_EQ(a.GetC(), 50.123456789012345);
    EXPECT_EQ(a.GetXh(), 0.1 / 3);
    EXPECT_EQ(a.GetYh(), -0.2 / 7);
    EXPECT_EQ(a.GetA1(), 1e-4 / 3);
    EXPECT_EQ(a.GetA2(), 2e-8 / 7);
    EXPECT_EQ(a.GetR0(), 12.5);
    EXPECT_EQ(a.GetRm(), 2.1 * 12.5);
    EXPECT_EQ(a.GetMode(), 0u);
    // A double quote cannot stand inside a quoted token; it is written as an apostrophe.
    EXPECT_STREQ(a.GetName().chars(), "first 'quoted' camera");
    EXPECT_STREQ(read[1]->GetName().chars(), "plain");
}

// A simple line stores the magnitude of C; integer tokens are numbers too. A file without camera
// blocks falls back to the simple layout.
TEST(CameraFiles, SimpleLinesAndFallBackFromKeywordLayout) {
    Spit("negative.cam", "{ 5 -35.5 0.1 0.2 0 0 8 \"neg\"}\n{ 6 24 0 0 0 0 0 \"int\"}\n");
    OmCameraList list("negative.cam");
    const auto cams = Cameras(list);
    ASSERT_EQ(cams.size(), 2u);
    EXPECT_EQ(cams[0]->GetC(), 35.5);
    EXPECT_EQ(cams[0]->GetRm(), 2.1 * 8);
    EXPECT_EQ(cams[1]->GetC(), 24.0);

    Spit("fallback.cam",
         "; a simple file\nOTHER { 1 2 3 }\n{ 11 50 0.01 -0.02 0.0001 0 10 \"fallback\"}\n");
    OmCameraList fallback;
    EXPECT_EQ(fallback.Read("fallback.cam"), 1);
    ASSERT_EQ(fallback.Count(), 1);
    EXPECT_EQ(fallback.First()->GetId(), 11u);
    EXPECT_STREQ(fallback.First()->GetName().chars(), "fallback");
}

TEST(CameraFiles, MissingFileLeavesTheListEmpty) {
    OmCameraList list;
    EXPECT_EQ(list.ReadFileFormatFull(nullptr), 0);
    EXPECT_EQ(list.ReadFileFormatFull("no_such_file.cam"), 0);
    EXPECT_EQ(list.Read("no_such_file.cam"), 1);
    EXPECT_EQ(list.Count(), 0);
}

TEST_F(CameraWarnings, ReadingAFileWithThreeEqualIdsWarnsOnce) {
    Spit("three.cam",
         "{ 3 50 0 0 0 0 0 \"a\"}\n{ 3 50 0 0 0 0 0 \"b\"}\n{ 3 50 0 0 0 0 0 \"c\"}\n");
    OmCameraList list("three.cam");
    EXPECT_EQ(list.Count(), 3);
    EXPECT_EQ(beeps.size(), 1u);
}

TEST(CameraFiles, ShortAndMalformedSimpleLinesDoNotSwallowTheNextLine) {
    Spit("short.cam",
         "{ 1 50 }\n"
         "{ 2 abc 0.1 0.2 0 0 5 \"words count as zero\"}\n"
         "{ 3 35 = 0 0 0 0 \"other token\"}\n"
         "{ 4 24 0 0 0 0 0 \"fine\"}\n");
    OmCameraList list("short.cam");
    const auto cams = Cameras(list);
    // The first line lacks its name: it is dropped (the reader records the error) and reading
    // goes on. Words and other stray tokens in number fields count as 0.
    ASSERT_EQ(cams.size(), 3u);
    EXPECT_EQ(cams[0]->GetId(), 2u);
    EXPECT_EQ(cams[0]->GetC(), 0.0);
    EXPECT_EQ(cams[0]->GetXh(), 0.1);
    EXPECT_EQ(cams[0]->GetR0(), 5.0);
    EXPECT_STREQ(cams[0]->GetName().chars(), "words count as zero");
    EXPECT_EQ(cams[1]->GetId(), 3u);
    EXPECT_EQ(cams[1]->GetC(), 35.0);
    EXPECT_EQ(cams[1]->GetXh(), 0.0);
    EXPECT_STREQ(cams[1]->GetName().chars(), "other token");
    EXPECT_EQ(cams[2]->GetId(), 4u);
    EXPECT_STREQ(cams[2]->GetName().chars(), "fine");
}

TEST(CameraFiles, RandomBytesAndOverlongLinesAreSurvived) {
    std::mt19937 rng(99);
    for (int round = 0; round < 20; ++round) {
        std::string text;
        const int n = 200 + round * 300;
        for (int k = 0; k < n; ++k) text += static_cast<char>(rng() & 0xFF);
        if (round % 4 == 0) text += "\n{ 1 50 0 0 0 0 0 \"after\"}\n";
        if (round % 5 == 0) text += std::string(9000, 'x') + "\n";
        Spit("random.cam", text);
        OmCameraList list("random.cam");
        EXPECT_LE(list.Count(), n);
    }
    Spit("truncated.cam", "CAMERA { ID 1 NAME \"cut");
    OmCameraList truncated("truncated.cam");
    EXPECT_LE(truncated.Count(), 1);
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

}  // namespace
}  // namespace om
