// Plot state: CLIP's mapping, the sentinel, FRALAB.
#include <gtest/gtest.h>

#include <cfloat>
#include <cmath>

#include "diagr.h"
#include "recorder.h"

namespace {

class PltparTest : public ::testing::Test {
protected:
    void SetUp() override {
        PLTPAR = LABINI_VALUES;
        plotter::recorder_start();
    }
    void TearDown() override { plotter::recorder_stop(); }
};

TEST_F(PltparTest, ClipMapsFrameCorners) {
    CLIP(2.0F, 2.0F, 7.0F, 7.0F, 0.0F, 10.0F, 0.0F, 10.0F);
    EXPECT_FLOAT_EQ(PLTPAR.XSCAL, 0.7F);
    EXPECT_FLOAT_EQ(PLTPAR.YSCAL, 0.7F);
    EXPECT_FLOAT_EQ(PLTPAR.XOFFS, 2.0F);
    EXPECT_FLOAT_EQ(PLTPAR.XRIGHT, 9.0F);
    EXPECT_FLOAT_EQ(PLTPAR.YTOP, 9.0F);
    EXPECT_FLOAT_EQ(XCM(5.0F), 5.5F);
    EXPECT_FLOAT_EQ(YCM(10.0F), 9.0F);
}

TEST_F(PltparTest, ClipWithReversedRangeRunsRightToLeft) {
    CLIP(2.0F, 2.0F, 7.0F, 7.0F, 10.0F, 0.0F, 0.0F, 10.0F);
    EXPECT_FLOAT_EQ(PLTPAR.XSCAL, -0.7F);
    EXPECT_FLOAT_EQ(PLTPAR.XOFFS, 9.0F);
    EXPECT_FLOAT_EQ(XCM(10.0F), 2.0F);
    EXPECT_FLOAT_EQ(XCM(0.0F), 9.0F);
    EXPECT_EQ(PLTPAR.XLEFT, 2.0F);
    EXPECT_EQ(PLTPAR.XRIGHT, 9.0F);
}

TEST_F(PltparTest, FralabBeforeClipLeavesTheStateNotSet) {
    FRALAB(0, 0, 0.5F, 0.6F, 0.7F, 0.2F);
    EXPECT_EQ(PLTPAR.XSCAL, PLTPAR_SENTINEL);
    EXPECT_EQ(PLTPAR.IXLAB, 0);
    EXPECT_EQ(PLTPAR.YLSIZE, 0.6F);
    EXPECT_EQ(PLTPAR.SYMSIZ, 0.2F);
}

// Equal bounds used to divide by a zero range: infinite scale, NaN positions everywhere after.
TEST_F(PltparTest, ClipWithEqualBoundsPutsTheValueMidFrame) {
    struct Case {
        float value;
        float half_range;  // the empty range is widened to value -/+ this
    };
    for (const Case c : {Case{0.0F, 1.0F}, Case{5.0F, 1.0F}, Case{-200.0F, 20.0F}, Case{1e30F, 1e29F},
                         Case{FLT_MAX, FLT_MAX / 10.0F}, Case{1e-44F, 1.0F}}) {
        CLIP(2.0F, 3.0F, 7.0F, 4.0F, c.value, c.value, c.value, c.value);
        EXPECT_TRUE(std::isfinite(PLTPAR.XSCAL) && std::isfinite(PLTPAR.XOFFS)) << c.value;
        EXPECT_TRUE(std::isfinite(PLTPAR.YSCAL) && std::isfinite(PLTPAR.YOFFS)) << c.value;
        EXPECT_FLOAT_EQ(PLTPAR.XSCAL, static_cast<float>(7.0 / (2.0 * c.half_range))) << c.value;
        EXPECT_NEAR(XCM(c.value), 5.5F, 1e-5F) << c.value;
        EXPECT_NEAR(YCM(c.value), 5.0F, 1e-5F) << c.value;
        EXPECT_EQ(PLTPAR.XRIGHT, 9.0F);
    }
}

TEST_F(PltparTest, ClipKeepsTheDocumentedArithmeticForOrdinaryRanges) {
    CLIP(1.0F, 1.0F, 3.0F, 3.0F, 0.1F, 0.7F, -3.0F, 1e-3F);
    EXPECT_EQ(PLTPAR.XSCAL, 3.0F / (0.7F - 0.1F));
    EXPECT_EQ(PLTPAR.XOFFS, 1.0F - 0.1F * PLTPAR.XSCAL);
    EXPECT_EQ(PLTPAR.YSCAL, 3.0F / (1e-3F - -3.0F));
}

TEST_F(PltparTest, ClipWithARangeWiderThanAFloatStaysFinite) {
    CLIP(2.0F, 2.0F, 7.0F, 7.0F, -FLT_MAX, FLT_MAX, 3e38F, -3e38F);
    EXPECT_GT(PLTPAR.XSCAL, 0.0F);
    EXPECT_NEAR(XCM(-FLT_MAX), 2.0F, 1e-4F);
    EXPECT_NEAR(XCM(FLT_MAX), 9.0F, 1e-4F);
    EXPECT_NEAR(YCM(3e38F), 2.0F, 1e-4F);
    EXPECT_NEAR(YCM(0.0F), 5.5F, 1e-4F);
}

TEST_F(PltparTest, ClipWithARangeTooNarrowForTheScaleIsWidened) {
    // 7 cm over 1E-44 user units would need 7E44 cm per unit, beyond a float.
    CLIP(2.0F, 2.0F, 7.0F, 7.0F, 0.0F, 1e-44F, 0.0F, 10.0F);
    EXPECT_TRUE(std::isfinite(PLTPAR.XSCAL));
    EXPECT_NEAR(XCM(0.0F), 5.5F, 1e-5F);
}

}  // namespace
