// The segment clipper: a table of segments against one window, and window corner handling; the
// polygon clipper: a table of polygons against the same window; the polyline thinner: what it
// keeps and how far what it leaves out may lie.
#include <gtest/gtest.h>

#include <cmath>
#include <cstddef>
#include <limits>
#include <vector>

#include "geometry.h"

namespace {

using plotter::clip_segment;
using plotter::ClipWindow;
using plotter::PolylineThinner;

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

struct PolygonCase {
    const char* name;
    std::vector<float> x, y;
    std::vector<float> cx, cy;  // expected clipped polygon, empty when nothing is left
};

TEST(ClipPolygon, GivesThePartInsideTheWindow) {
    const PolygonCase cases[] = {
        {"inside, kept bit for bit", {3, 5, 4.1F}, {2, 2, 4.3F}, {3, 5, 4.1F}, {2, 2, 4.3F}},
        {"crosses the right edge", {4, 8, 8, 4}, {2, 2, 4, 4}, {4, 6, 6, 4}, {2, 2, 4, 4}},
        {"wholly outside", {7, 9, 8}, {1, 1, 3}, {}, {}},
        {"encloses the window", {0, 10, 10, 0}, {0, 0, 10, 10}, {2, 2, 6, 6}, {5, 1, 1, 5}},
        {"touches an edge in one point", {6, 8, 8}, {2, 2, 4}, {}, {}},
        {"cut by two edges", {0, 4, 4}, {3, 3, 7}, {2, 2, 4, 4}, {5, 3, 3, 5}},
        {"two points", {3, 4}, {2, 3}, {}, {}},
    };
    std::vector<float> x;
    std::vector<float> y;
    for (const PolygonCase& c : cases) {
        plotter::clip_polygon(c.x.data(), c.y.data(), static_cast<int>(c.x.size()), kWindow, x, y);
        EXPECT_EQ(x, c.cx) << c.name;
        EXPECT_EQ(y, c.cy) << c.name;
    }
    // A polygon far larger than the safe window is cut to it, never beyond.
    const float huge_x[] = {-3.0e38F, 3.0e38F, 1.0e30F};
    const float huge_y[] = {-1.0e34F, 2.0F, 3.0e38F};
    plotter::clip_polygon(huge_x, huge_y, 3, plotter::kSafeWindow, x, y);
    ASSERT_GE(x.size(), 3U);
    for (std::size_t i = 0; i < x.size(); ++i) {
        EXPECT_LE(std::fabs(x[i]), plotter::kSafeExtent) << i;
        EXPECT_LE(std::fabs(y[i]), plotter::kSafeExtent) << i;
    }
}

struct Line {
    const char* name;
    std::vector<float> x;
    std::vector<float> y;
};

double distance_to_segment(double px, double py, double ax, double ay, double bx, double by) {
    const double dx = bx - ax;
    const double dy = by - ay;
    const double length2 = dx * dx + dy * dy;
    double t = length2 > 0.0 ? ((px - ax) * dx + (py - ay) * dy) / length2 : 0.0;
    t = std::fmax(0.0, std::fmin(1.0, t));
    return std::hypot(px - (ax + t * dx), py - (ay + t * dy));
}

std::vector<Line> thinning_lines() {
    std::vector<Line> lines;
    Line sine{"dense sine", {}, {}};
    Line walk{"random walk", {}, {}};
    Line spiral{"spiral turning many times", {}, {}};
    Line zigzag{"zigzag ten tolerances high", {}, {}};
    Line back{"out and back along a line", {}, {}};
    unsigned seed = 7;
    float wx = 5.0F;
    float wy = 5.0F;
    for (int i = 0; i < 20000; ++i) {
        const double t = 10.0 * i / 19999.0;
        sine.x.push_back(static_cast<float>(2.0 + 1.5 * t));
        sine.y.push_back(static_cast<float>(5.5 + 3.5 * std::sin(1.3 * t)));
        seed = seed * 1103515245U + 12345U;
        wx += 0.0004F * (static_cast<float>((seed >> 16) & 0xFF) / 255.0F - 0.5F);
        seed = seed * 1103515245U + 12345U;
        wy += 0.0004F * (static_cast<float>((seed >> 16) & 0xFF) / 255.0F - 0.5F);
        walk.x.push_back(wx);
        walk.y.push_back(wy);
        const double a = 0.01 * i;
        spiral.x.push_back(static_cast<float>(5.0 + (0.01 + 1e-4 * i) * std::cos(a)));
        spiral.y.push_back(static_cast<float>(5.0 + (0.01 + 1e-4 * i) * std::sin(a)));
    }
    for (int i = 0; i < 200; ++i) {
        zigzag.x.push_back(0.001F * static_cast<float>(i));
        zigzag.y.push_back(i % 2 == 0 ? 0.0F : 0.005F);
    }
    for (int i = 0; i <= 100; ++i) {
        back.x.push_back(0.01F * static_cast<float>(i));
        back.y.push_back(1.0F);
    }
    for (int i = 99; i >= 50; --i) {
        back.x.push_back(0.01F * static_cast<float>(i));
        back.y.push_back(1.0F);
    }
    lines = {sine, walk, spiral, zigzag, back};
    return lines;
}

constexpr float kTolerance = 0.0005F;

std::vector<std::size_t> thin(const Line& line, PolylineThinner& thinner) {
    thinner.start(line.x[0], line.y[0]);
    for (std::size_t i = 1; i < line.x.size(); ++i) {
        thinner.add(line.x[i], line.y[i]);
    }
    thinner.finish();
    // The kept points as indices into the line, matched in order, bit for bit.
    std::vector<std::size_t> kept;
    std::size_t next = 0;
    for (std::size_t k = 0; k < thinner.kept_x().size(); ++k) {
        while (next < line.x.size() && !(line.x[next] == thinner.kept_x()[k] && line.y[next] == thinner.kept_y()[k])) {
            ++next;
        }
        kept.push_back(next);
        if (next < line.x.size()) {
            ++next;
        }
    }
    return kept;
}

TEST(Thinner, KeepsInputPointsAndLeavesOutOnlyPointsWithinTheTolerance) {
    PolylineThinner thinner(kTolerance);
    for (const Line& line : thinning_lines()) {
        const std::vector<std::size_t> kept = thin(line, thinner);
        ASSERT_GE(kept.size(), 2U) << line.name;
        EXPECT_EQ(kept.front(), 0U) << line.name;
        EXPECT_EQ(kept.back(), line.x.size() - 1) << line.name << ": a kept point is no input point, or out of order";
        for (std::size_t k = 0; k + 1 < kept.size(); ++k) {
            const std::size_t a = kept[k];
            const std::size_t b = kept[k + 1];
            for (std::size_t i = a + 1; i < b; ++i) {
                ASSERT_LE(distance_to_segment(line.x[i], line.y[i], line.x[a], line.y[a], line.x[b], line.y[b]),
                          kTolerance * 1.0001)
                    << line.name << ": point " << i << " left out between " << a << " and " << b;
            }
        }
    }
}

TEST(Thinner, ThinsWhatIsFlatAndKeepsWhatIsNot) {
    PolylineThinner thinner(kTolerance);
    const std::vector<Line> lines = thinning_lines();
    // The line's index, and at most / at least this many kept points.
    const struct {
        std::size_t index;
        std::size_t most;
        std::size_t least;
    } expectations[] = {
        {0, 2000, 3},   // the dense sine: a small part of 20000
        {3, 200, 200},  // the zigzag is ten tolerances high: every corner stays
        {4, 3, 3},      // out and back: start, turning point, end
    };
    for (const auto& e : expectations) {
        const std::size_t kept = thin(lines[e.index], thinner).size();
        EXPECT_LE(kept, e.most) << lines[e.index].name;
        EXPECT_GE(kept, e.least) << lines[e.index].name;
    }
    thinner.start(0.0F, 0.0F);
    for (int i = 1; i <= 1000; ++i) {
        thinner.add(0.01F * static_cast<float>(i), 0.005F * static_cast<float>(i));
    }
    thinner.finish();
    EXPECT_EQ(thinner.kept_x().size(), 2U) << "a straight line is its two ends";
}

TEST(Thinner, NonFinitePointsStayWithTheirNeighbours) {
    const float nan = std::numeric_limits<float>::quiet_NaN();
    const float inf = std::numeric_limits<float>::infinity();
    PolylineThinner thinner(kTolerance);
    thinner.start(0.0F, 0.0F);
    const float xs[] = {1.0F, 2.0F, nan, 4.0F, 5.0F, inf, 7.0F, 8.0F};
    for (int i = 0; i < 8; ++i) {
        thinner.add(xs[i], 0.0F);
    }
    thinner.finish();
    // 0, then 2 before the NaN, the NaN, 4 after it, 5 before inf, inf, 7 after it, 8 the end.
    const std::vector<float>& kept = thinner.kept_x();
    ASSERT_EQ(kept.size(), 8U);
    EXPECT_EQ(kept[1], 2.0F);
    EXPECT_TRUE(std::isnan(kept[2]));
    EXPECT_EQ(kept[3], 4.0F);
    EXPECT_EQ(kept[5], inf);
    EXPECT_EQ(kept[7], 8.0F);
}

TEST(Thinner, GoesOnFromTheLastKeptPointAfterHandingPointsOn) {
    PolylineThinner thinner(kTolerance);
    thinner.start(0.0F, 0.0F);
    thinner.add(1.0F, 0.0F);
    thinner.add(1.0F, 1.0F);
    thinner.drop_all_but_last();
    ASSERT_EQ(thinner.kept_x().size(), 1U);
    EXPECT_EQ(thinner.kept_x()[0], 1.0F);
    EXPECT_EQ(thinner.kept_y()[0], 0.0F);
    thinner.add(1.0F, 2.0F);
    thinner.finish();
    ASSERT_EQ(thinner.kept_x().size(), 2U) << "(1, 1) lies on the way from (1, 0) to (1, 2)";
    EXPECT_EQ(thinner.kept_y()[1], 2.0F);
    EXPECT_EQ(thinner.last_x(), 1.0F);
    EXPECT_EQ(thinner.last_y(), 2.0F);
}

}  // namespace
