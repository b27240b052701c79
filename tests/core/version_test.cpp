#include <om/omcore.h>

#include <gtest/gtest.h>

TEST(Version, IsSemantic) {
    EXPECT_STREQ(om::OmcoreVersion(), "0.1.0");
}
