#include "shell/window_scale.h"

#include <gtest/gtest.h>

namespace {

TEST(ComputeScaleTest, FitsTheDesktopInEighths) {
    EXPECT_FLOAT_EQ(computeScale(1920, 1080, 924), 1.0f);
    EXPECT_FLOAT_EQ(computeScale(1024, 768, 924), 0.75f);
    EXPECT_EQ(static_cast<int>(924 * computeScale(1024, 768, 924)), 693);
    EXPECT_FLOAT_EQ(computeScale(800, 600, 924), 0.5f);
    // A portrait desktop is limited by its width.
    EXPECT_FLOAT_EQ(computeScale(768, 1366, 924), 0.75f);
}

TEST(ComputeScaleTest, TinyDesktopsCountAsSixHundredPixels) {
    EXPECT_FLOAT_EQ(computeScale(640, 480, 924), 0.5f);
    EXPECT_FLOAT_EQ(computeScale(0, 0, 924), 0.5f);
}

TEST(ComputeScaleTest, NeverAboveOne) {
    EXPECT_FLOAT_EQ(computeScale(3840, 2160, 924), 1.0f);
    EXPECT_FLOAT_EQ(computeScale(984, 984, 924), 1.0f);
    EXPECT_FLOAT_EQ(computeScale(983, 983, 924), 0.875f);
}

} // namespace
