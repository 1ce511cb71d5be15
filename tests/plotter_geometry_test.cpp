// The segment clipper: a table of segments against one window, and window corner handling.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "geometry.h"

namespace {

using plotter::clip_segment;
using plotter::ClipWindow;

struct ClipCase {
    const char* name;
    float x1, y1, x2, y2;
    bool visible;
    float cx1, cy1, cx2, cy2;  // expected visible part
};

constexpr ClipWindow kWindow{2.0F, 1.0F, 6.0F, 5.0F};

const ClipCase kCases[] = {
    {"inside", 3, 2, 5, 4, true, 3, 2, 5, 4},
    {"outside left", 0, 0, 1, 6, false, 0, 0, 0, 0},
    {"outside above", 3, 6, 5, 7, false, 0, 0, 0, 0},
    {"crosses left edge", 0, 3, 4, 3, true, 2, 3, 4, 3},
    {"crosses right edge backwards", 8, 2, 4, 2, true, 6, 2, 4, 2},
    {"crosses bottom edge", 3, -1, 3, 3, true, 3, 1, 3, 3},
    {"crosses two edges", 0, 3, 8, 3, true, 2, 3, 6, 3},
    {"crosses two edges diagonally", 0, -1, 8, 7, true, 2, 1, 6, 5},
    {"passes a corner outside", 0, 4, 3, 7, false, 0, 0, 0, 0},
    {"touches a corner only", 0, 3, 4, 7, true, 2, 5, 2, 5},
    {"ends on a corner", 1, 0, 2, 1, true, 2, 1, 2, 1},
    {"runs along the top edge", 0, 5, 8, 5, true, 2, 5, 6, 5},
    {"runs along the left edge, inside", 2, 2, 2, 4, true, 2, 2, 2, 4},
    {"endpoints on opposite edges", 2, 3, 6, 3, true, 2, 3, 6, 3},
    {"zero length inside", 4, 4, 4, 4, true, 4, 4, 4, 4},
    {"zero length on an edge", 6, 3, 6, 3, true, 6, 3, 6, 3},
    {"zero length outside", 7, 3, 7, 3, false, 0, 0, 0, 0},
    {"parallel outside, just beyond an edge", 0, 5.5F, 8, 5.5F, false, 0, 0, 0, 0},
};

class ClipTable : public ::testing::TestWithParam<ClipCase> {};

TEST_P(ClipTable, GivesTheVisiblePart) {
    const ClipCase& c = GetParam();
    float x1 = c.x1;
    float y1 = c.y1;
    float x2 = c.x2;
    float y2 = c.y2;
    ASSERT_EQ(clip_segment(x1, y1, x2, y2, kWindow), c.visible) << c.name;
    if (c.visible) {
        EXPECT_FLOAT_EQ(x1, c.cx1) << c.name;
        EXPECT_FLOAT_EQ(y1, c.cy1) << c.name;
        EXPECT_FLOAT_EQ(x2, c.cx2) << c.name;
        EXPECT_FLOAT_EQ(y2, c.cy2) << c.name;
    }
}

INSTANTIATE_TEST_SUITE_P(Segments, ClipTable, ::testing::ValuesIn(kCases));

TEST(Clip, ReversedWindowCornersClipAlike) {
    const ClipWindow reversed{6.0F, 5.0F, 2.0F, 1.0F};
    for (const ClipCase& c : kCases) {
        float a[4] = {c.x1, c.y1, c.x2, c.y2};
        float b[4] = {c.x1, c.y1, c.x2, c.y2};
        const bool va = clip_segment(a[0], a[1], a[2], a[3], kWindow);
        const bool vb = clip_segment(b[0], b[1], b[2], b[3], reversed);
        ASSERT_EQ(va, vb) << c.name;
        for (int i = 0; i < 4 && va; ++i) {
            EXPECT_EQ(a[i], b[i]) << c.name;
        }
    }
}

TEST(Clip, InsideEndpointsComeBackBitForBit) {
    float x1 = 2.1F;
    float y1 = 1.3F;
    float x2 = 100.0F;
    float y2 = 1.7F;
    ASSERT_TRUE(clip_segment(x1, y1, x2, y2, kWindow));
    EXPECT_EQ(x1, 2.1F);
    EXPECT_EQ(y1, 1.3F);
    EXPECT_EQ(x2, 6.0F);
}

TEST(Clip, ComputedEndpointsNeverLeaveTheWindow) {
    // Awkward slopes: rounding must not put a cut point a hair outside the window.
    for (int i = 1; i < 200; ++i) {
        float x1 = -3.3F * static_cast<float>(i);
        float y1 = 0.7F;
        float x2 = 9.1F;
        float y2 = 4.9F + 0.013F * static_cast<float>(i);
        if (clip_segment(x1, y1, x2, y2, kWindow)) {
            EXPECT_GE(x1, 2.0F);
            EXPECT_LE(x2, 6.0F);
            EXPECT_GE(y1, 1.0F);
            EXPECT_LE(y2, 5.0F);
        }
    }
}

TEST(Clip, NonFiniteAndHugeCoordinates) {
    const float nan = std::numeric_limits<float>::quiet_NaN();
    const float inf = std::numeric_limits<float>::infinity();
    float x1 = nan, y1 = 2, x2 = 4, y2 = 3;
    EXPECT_FALSE(clip_segment(x1, y1, x2, y2, kWindow));
    x1 = 3, y1 = 2, x2 = inf, y2 = 3;
    EXPECT_FALSE(clip_segment(x1, y1, x2, y2, kWindow));
    // A finite but huge segment still gives the exact visible part.
    x1 = -3.0e38F, y1 = 3, x2 = 3.0e38F, y2 = 3;
    ASSERT_TRUE(clip_segment(x1, y1, x2, y2, kWindow));
    EXPECT_EQ(x1, 2.0F);
    EXPECT_EQ(x2, 6.0F);
    EXPECT_EQ(y1, 3.0F);
}

TEST(Clip, SegmentsFarLongerThanTheWindowStayInIt) {
    // Regression: a segment 1E34 long rounded its crossing parameter to 1 and kept an endpoint
    // 2E9 outside the window (an axis of any length at any angle reached the device so).
    const struct {
        float x1, y1, x2, y2;
    } cases[] = {
        {-1.86350221e34F, -7.66972312e33F, 2.13909504e9F, 16777216.0F},
        {2.13909504e9F, 16777216.0F, -1.86350221e34F, -7.66972312e33F},
        {3.0e38F, 1.0e38F, -5.0e8F, 4.0F},
    };
    const ClipWindow safe{-1.0e4F, -1.0e4F, 1.0e4F, 1.0e4F};
    for (const auto& c : cases) {
        float x1 = c.x1, y1 = c.y1, x2 = c.x2, y2 = c.y2;
        if (clip_segment(x1, y1, x2, y2, safe)) {
            for (const float v : {x1, y1, x2, y2}) {
                EXPECT_LE(std::fabs(v), 1.0e4F) << c.x1 << " " << c.y1 << " " << c.x2 << " " << c.y2;
            }
        }
    }
}

}  // namespace
