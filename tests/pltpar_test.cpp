// Plot state: CLIP's mapping, the sentinel, FRALAB.
#include <gtest/gtest.h>

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

}  // namespace
