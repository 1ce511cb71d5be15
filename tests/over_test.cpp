// Curves: the window, the three modes, PLTSYN placement, marker bounds, non-finite points; the
// occupancy grid they feed and the legend placed by it.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <limits>
#include <string>
#include <vector>

#include "diagr.h"
#include "occupancy.h"
#include "plotter.h"
#include "recorder.h"
#include "support/trace_lines.h"

namespace {

std::string fmt(const char* name, float x, float y, int code) {
    char buffer[96];
    std::snprintf(buffer, sizeof buffer, "%s %.9g %.9g %d", name, static_cast<double>(x), static_cast<double>(y), code);
    return buffer;
}

std::string cplot(float x, float y, int code) { return fmt("CPLOT", x, y, code); }
std::string plot(float x, float y, int code) { return fmt("PLOT", x, y, code); }

std::string censym(float x, float y, int marker, float size) {
    char buffer[128];
    std::snprintf(buffer, sizeof buffer, "CENSYM %.9g %.9g %d %.9g %.9g 0", static_cast<double>(x),
                  static_cast<double>(y), marker, static_cast<double>(size), static_cast<double>(size));
    return buffer;
}

const std::string SYNC_ON = "PLTSYN 1";
const std::string SYNC_OFF = "PLTSYN 0";

// Frame from (2, 2) to (10, 10) cm for user 0..8: one user unit is one cm, so positions are exact.
class OverTest : public ::testing::Test {
protected:
    void SetUp() override {
        PLTPAR = LABINI_VALUES;
        plotter::recorder_start();
        CLIP(2.0F, 2.0F, 8.0F, 8.0F, 0.0F, 8.0F, 0.0F, 8.0F);
    }
    void TearDown() override { plotter::recorder_stop(); }

    static std::vector<std::string> window() { return {cplot(2, 2, 997), cplot(10, 10, 998)}; }
    static std::vector<std::string> with_window(std::vector<std::string> body) {
        std::vector<std::string> lines = window();
        lines.insert(lines.end(), body.begin(), body.end());
        return lines;
    }
    static const std::vector<std::string>& lines() { return plotter::recorder_lines(); }
};

TEST_F(OverTest, SolidPolylineSyncsAfterTheFirstLine) {
    const float x[] = {1, 2, 3};
    const float y[] = {1, 4, 2};
    OVER(x, y, 3, 0.0F);
    EXPECT_EQ(lines(), with_window({cplot(3, 3, 3), cplot(4, 6, 2), SYNC_ON, cplot(5, 4, 2), SYNC_OFF}));
}

TEST_F(OverTest, SolidWithFewPointsReadsNoFurther) {
    // Sentinel values after the N points: reading them would show up in the trace.
    const float x[] = {1, 2, 99};
    const float y[] = {1, 2, 99};
    struct Case {
        int n;
        std::vector<std::string> body;
    };
    const std::vector<Case> cases = {
        {2, {cplot(3, 3, 3), cplot(4, 4, 2), SYNC_ON, SYNC_OFF}},
        {1, {cplot(3, 3, 3), SYNC_OFF}},
        {0, {SYNC_OFF}},
        {-5, {SYNC_OFF}},
    };
    for (const Case& c : cases) {
        plotter::recorder_clear();
        OVER(x, y, c.n, 0.0F);
        EXPECT_EQ(lines(), with_window(c.body)) << "N = " << c.n;
    }
}

TEST_F(OverTest, NonFinitePointBreaksTheSolidLine) {
    const float nan = std::numeric_limits<float>::quiet_NaN();
    const float inf = std::numeric_limits<float>::infinity();
    const float x[] = {1, nan, 3, 4, 5, 6};
    const float y[] = {1, 2, 3, 4, -inf, 6};
    OVER(x, y, 6, 0.0F);
    EXPECT_EQ(lines(),
              with_window({cplot(3, 3, 3), cplot(5, 5, 3), cplot(6, 6, 2), SYNC_ON, cplot(8, 8, 3), SYNC_OFF}));
}

TEST_F(OverTest, DashedStartsAFreshPatternForEachCurve) {
    const float x[] = {0, 2.5F};
    const float y[] = {1, 1};
    const std::vector<std::string> expected =
        with_window({plot(2, 3, 3), plot(2, 3, 3), cplot(3, 3, 2), cplot(4, 3, 3), cplot(4.5F, 3, 2), SYNC_OFF});
    OVER(x, y, 2, 1.0F);
    EXPECT_EQ(lines(), expected);
    // The first curve ended half into a dash; the second begins with a whole one all the same.
    plotter::recorder_clear();
    OVER(x, y, 2, 1.0F);
    EXPECT_EQ(lines(), expected);
}

TEST_F(OverTest, DashedWithOnePointOnlyMoves) {
    const float x[] = {1, 99};
    const float y[] = {1, 99};
    OVER(x, y, 1, 0.5F);
    EXPECT_EQ(lines(), with_window({plot(3, 3, 3), SYNC_OFF}));
    plotter::recorder_clear();
    OVER(x, y, 0, 0.5F);
    EXPECT_EQ(lines(), with_window({SYNC_OFF}));
}

TEST_F(OverTest, MarkerNumberIsTheTruncatedMagnitude) {
    const float x[] = {4};
    const float y[] = {4};
    struct Case {
        float isym;
        int marker;
    };
    for (const Case c : {Case{-2.7F, 2}, Case{-0.5F, 0}, Case{-3.0F, 3}, Case{-1.0E10F, 2147483647},
                         Case{-std::numeric_limits<float>::infinity(), 2147483647}}) {
        plotter::recorder_clear();
        OVER(x, y, 1, c.isym);
        EXPECT_EQ(lines(), with_window({censym(6, 6, c.marker, 0.3F), SYNC_OFF})) << c.isym;
    }
}

TEST_F(OverTest, MarkersOnEdgesAndCornersAreDrawnAHairOutsideIsNot) {
    // User -1.1920929E-7 maps to the float just below 2 cm; 8.000001 to the one just above 10.
    const float below = std::nextafter(2.0F, 0.0F) - 2.0F;
    const float above = std::nextafter(10.0F, 20.0F) - 2.0F;
    const float nan = std::numeric_limits<float>::quiet_NaN();
    const float x[] = {0, 8, 0, 8, 4, 4, below, above, 4, 4, nan};
    const float y[] = {0, 8, 8, 0, 0, 8, 4, 4, below, above, 4};
    FRALAB(1, 1, 0.4F, 0.4F, 0.4F, 0.25F);
    OVER(x, y, 11, -1.0F);
    EXPECT_EQ(lines(),
              with_window({censym(2, 2, 1, 0.25F), censym(10, 10, 1, 0.25F), censym(2, 10, 1, 0.25F),
                           censym(10, 2, 1, 0.25F), censym(6, 2, 1, 0.25F), censym(6, 10, 1, 0.25F), SYNC_OFF}));
}

TEST_F(OverTest, OvrSelectsThePenFirstAndKeepsIt) {
    const float x[] = {1, 2};
    const float y[] = {1, 2};
    OVR(x, y, 2, 0.0F, 5);
    std::vector<std::string> expected = {"NEWPEN 5"};
    for (const std::string& line : with_window({cplot(3, 3, 3), cplot(4, 4, 2), SYNC_ON, SYNC_OFF})) {
        expected.push_back(line);
    }
    EXPECT_EQ(lines(), expected);
}

TEST_F(OverTest, WindowFollowsTheFrameOfTheLatestClip) {
    CLIP(1.0F, 1.5F, 3.0F, 4.0F, 0.0F, 1.0F, 0.0F, 1.0F);
    const float x[] = {0};
    const float y[] = {0};
    OVER(x, y, 0, 0.0F);
    EXPECT_EQ(lines(), (std::vector<std::string>{cplot(1, 1.5F, 997), cplot(4, 5.5F, 998), SYNC_OFF}));
}

TEST_F(OverTest, LogarithmicAxisLeavesOutValuesUpToZeroAndSaysSo) {
    PLOTS(1, 0, 20.0F, 15.0F);
    LOGAX(0, 1);
    CLIP(2.0F, 2.0F, 8.0F, 8.0F, 0.0F, 8.0F, 1.0F, 100.0F);
    const float x[] = {1, 2, 3, 4, 5, 6};
    const float y[] = {10, 100, 0, -1, 50, 20};
    plotter::recorder_clear();
    testing::internal::CaptureStderr();
    OVR(x, y, 6, 0.0F, 1);
    EXPECT_EQ(testing::internal::GetCapturedStderr(),
              "OVR: 2 points with y <= 0 are not drawn on the logarithmic axis\n");
    const std::vector<support::Call> moves = support::named(support::recorded_calls(), "CPLOT");
    EXPECT_EQ(moves.size(), 2U + 4U) << "the window and the four positive points";
    LOGAX(0, 0);
}

// Error bars: a bar and its caps as CPLOT pairs, each cap only where its end lies in the frame.
TEST_F(OverTest, ErrorBarsAreClippedWithCapsOnlyAtEndsInsideTheFrame) {
    struct Case {
        const char* what;
        bool vertical;
        bool log_y;
        float x, y, low, high, cap;
        std::vector<std::string> body;
        const char* said;
    };
    const float left = 6.0F - 0.2F;
    const float right = 6.0F + 0.2F;
    const std::vector<Case> cases = {
        {"inside",
         true,
         false,
         4,
         4,
         1,
         2,
         0.4F,
         {cplot(6, 5, 3), cplot(6, 8, 2), cplot(left, 5, 3), cplot(right, 5, 2), cplot(left, 8, 3), cplot(right, 8, 2)},
         ""},
        {"cut by the top edge: no cap there",
         true,
         false,
         4,
         7,
         1,
         3,
         0.4F,
         {cplot(6, 8, 3), cplot(6, 12, 2), cplot(left, 8, 3), cplot(right, 8, 2)},
         ""},
        {"point outside, bar into the frame",
         true,
         false,
         4,
         -1,
         0.5F,
         2,
         0.4F,
         {cplot(6, 0.5F, 3), cplot(6, 3, 2), cplot(left, 3, 3), cplot(right, 3, 2)},
         ""},
        {"horizontal, no caps", false, false, 4, 4, 1, 1, 0.0F, {cplot(5, 6, 3), cplot(7, 6, 2)}, ""},
        {"negative offset",
         true,
         false,
         4,
         4,
         -1,
         1,
         0.4F,
         {},
         "ERRY: 1 bar with a negative offset or a value that is not finite is not drawn\n"},
        // The upper offset checked on its own: taken for the lower one, these bars would be drawn.
        {"negative upper offset",
         true,
         false,
         4,
         4,
         1,
         -1,
         0.4F,
         {},
         "ERRY: 1 bar with a negative offset or a value that is not finite is not drawn\n"},
        {"negative lower offset, horizontal",
         false,
         false,
         4,
         4,
         -1,
         1,
         0.4F,
         {},
         "ERRX: 1 bar with a negative offset or a value that is not finite is not drawn\n"},
        {"negative upper offset, horizontal",
         false,
         false,
         4,
         4,
         1,
         -1,
         0.4F,
         {},
         "ERRX: 1 bar with a negative offset or a value that is not finite is not drawn\n"},
        {"not finite",
         false,
         false,
         4,
         std::numeric_limits<float>::infinity(),
         1,
         1,
         0.4F,
         {},
         "ERRX: 1 bar with a negative offset or a value that is not finite is not drawn\n"},
        // y from 1 to 100 on 8 cm: 10 lies at 6 cm; the end at -3 runs to the bottom edge, capless.
        {"log axis, end <= 0",
         true,
         true,
         4,
         2,
         5,
         8,
         0.4F,
         {cplot(6, 2, 3), cplot(6, 6, 2), cplot(left, 6, 3), cplot(right, 6, 2)},
         ""},
        {"log axis, bar wholly <= 0",
         true,
         true,
         4,
         -2,
         1,
         1,
         0.4F,
         {},
         "ERRY: 1 bar at values <= 0 is not drawn on the logarithmic axis\n"},
    };
    PLOTS(1, 0, 20.0F, 15.0F);
    for (const Case& c : cases) {
        LOGAX(0, c.log_y ? 1 : 0);
        CLIP(2.0F, 2.0F, 8.0F, 8.0F, 0.0F, 8.0F, c.log_y ? 1.0F : 0.0F, c.log_y ? 100.0F : 8.0F);
        LOGAX(0, 0);
        plotter::recorder_clear();
        testing::internal::CaptureStderr();
        if (c.vertical) {
            ERRY(&c.x, &c.y, &c.low, &c.high, 1, c.cap);
        } else {
            ERRX(&c.x, &c.y, &c.low, &c.high, 1, c.cap);
        }
        EXPECT_EQ(testing::internal::GetCapturedStderr(), c.said) << c.what;
        std::vector<std::string> expected = c.body;
        expected.insert(expected.begin(), SYNC_ON);
        expected.push_back(SYNC_OFF);
        EXPECT_EQ(lines(), with_window(expected)) << c.what;
    }
}

TEST(Occupancy, CountsTheCellsSegmentsAndBoxesCross) {
    namespace grid = diagr::occupancy;
    const float nan = std::numeric_limits<float>::quiet_NaN();
    grid::clear(0.0F, 0.0F, 50.0F, 50.0F);            // cells of 1 cm
    grid::mark_segment(0.0F, 0.0F, 50.0F, 50.0F);     // through cell corners: the diagonal only
    grid::mark_segment(-10.0F, 45.5F, 60.0F, 45.5F);  // cut to the frame: row 45
    grid::mark_box(20.2F, 2.2F, 22.0F, 3.5F);         // columns 20, 21 and rows 2, 3
    grid::mark_segment(nan, 1.0F, 2.0F, 3.0F);
    grid::mark_box(1.0F, 1.0F, std::numeric_limits<float>::infinity(), 2.0F);
    struct Case {
        float xlo, ylo, xhi, yhi;
        int count;
    };
    for (const Case& c :
         {Case{0, 0, 50, 50, 50 + 50 + 4}, Case{10.2F, 10.2F, 10.8F, 10.8F, 1}, Case{10.2F, 11.2F, 10.8F, 11.8F, 0},
          Case{45.1F, 45.1F, 45.2F, 45.2F, 2}, Case{21.5F, 3.5F, 21.6F, 3.6F, 1}, Case{22.0F, 2.0F, 23.0F, 3.0F, 0},
          Case{60, 60, 70, 70, 0}, Case{nan, 0, 50, 50, 0}}) {
        EXPECT_EQ(grid::covered(c.xlo, c.ylo, c.xhi, c.yhi), c.count) << c.xlo << " " << c.ylo;
    }
    grid::clear(0.0F, 0.0F, 50.0F, 50.0F);
    EXPECT_EQ(grid::covered(0, 0, 50, 50), 0);
}

// A page, the frame of OverTest and one legend entry.
class LegendTest : public OverTest {
protected:
    void SetUp() override {
        OverTest::SetUp();
        PLOTS(1, 0, 20.0F, 15.0F);
        CLIP(2.0F, 2.0F, 8.0F, 8.0F, 0.0F, 8.0F, 0.0F, 8.0F);
        LEGADD("one", 2, 0.0F, 0, 3);
    }
    // The filled box of the legend drawn last: left, right, bottom, top cm.
    static std::vector<float> box() {
        const std::vector<support::Call> fills = support::named(support::recorded_calls(), "FILPOL");
        if (fills.empty()) {
            return {};
        }
        const std::vector<float>& n = fills.back().numbers;  // [l r r l] [b b t t] 4 1
        return {n[0], n[1], n[4], n[6]};
    }
    // Its keypad position for texts 0.4 cm high, set in by 0.2 cm from the frame.
    static int keypad() {
        const std::vector<float> b = box();
        const auto place = [](float lo, float hi) {
            return std::fabs(lo - 2.2F) < 1e-4F   ? 0
                   : std::fabs(hi - 9.8F) < 1e-4F ? 2
                                                  : (std::fabs(lo + hi - 12.0F) < 1e-4F ? 1 : 99);
        };
        return b.empty() ? -1 : 1 + place(b[0], b[1]) + 3 * place(b[2], b[3]);
    }
};

TEST_F(LegendTest, PlacesTheBoxWhereNothingWasDrawn) {
    const auto expect_at = [](int ipos, int expected) {
        plotter::recorder_clear();
        LEGEND(ipos, 0.4F);
        EXPECT_EQ(keypad(), expected) << "IPOS " << ipos;
    };
    // Each step draws into one more of the places best takes in turn.
    const float x[] = {4, 8, 1, 5, 8};
    const float y[] = {7.5F, 7.5F, 1, 0.5F, 0.5F};
    expect_at(0, 9);
    OVR(x, y, 2, 0.0F, 3);  // a line across the upper right
    expect_at(0, 7);
    PTXT(0.5F, 7.2F, "text", 0.4F, 1, 1, 0, 4);
    expect_at(0, 1);
    OVR(x + 2, y + 2, 1, -2.0F, 4);  // a marker
    expect_at(0, 3);
    OVR(x + 3, y + 3, 2, 0.2F, 4);  // dashes
    expect_at(0, 6);
    expect_at(3, 3);
    expect_at(42, 6);
    LEGEND(10, 0.4F);
    EXPECT_NEAR(box().at(0), 10.2F, 1e-4F) << "outside: half the height right of the frame";
    EXPECT_NEAR(box().at(3), 10.0F, 1e-4F);
    LEGEND(1, std::numeric_limits<float>::quiet_NaN());
    EXPECT_NEAR(box().at(0), 2.175F, 1e-4F) << "the default height 0.35";
}

TEST_F(LegendTest, AmongEquallyCoveredPlacesTheFirstIsBest) {
    LEGEND(9, 0.4F);
    const std::vector<float> b = box();
    ASSERT_EQ(b.size(), 4U);
    const float w = b[1] - b[0];
    const float h = b[3] - b[2];
    // A tiny marker in the middle of one grid cell (0.16 cm) at the centre of each keypad box.
    PLTPAR.SYMSIZ = 0.02F;
    const float cell = 8.0F / 50.0F;
    const auto in_cell = [cell](float cm) { return (std::floor((cm - 2.0F) / cell) + 0.5F) * cell; };
    for (const float cx : {2.2F + w / 2.0F, 6.0F, 9.8F - w / 2.0F}) {
        for (const float cy : {2.2F + h / 2.0F, 6.0F, 9.8F - h / 2.0F}) {
            const float x = in_cell(cx);
            const float y = in_cell(cy);
            OVR(&x, &y, 1, -1.0F, 3);
        }
    }
    plotter::recorder_clear();
    LEGEND(0, 0.4F);
    EXPECT_EQ(keypad(), 9);
}

TEST_F(LegendTest, SamplesShowBarsBoxesAndBands) {
    struct Case {
        int ibar;
        std::size_t translucent_fills;
        std::size_t plots;  // the box's outline takes 5
    };
    for (const Case& c : {Case{0, 0, 5 + 2}, Case{1, 0, 5 + 6 + 2}, Case{2, 1, 5 + 5}, Case{3, 1, 5 + 2}}) {
        CLIP(2.0F, 2.0F, 8.0F, 8.0F, 0.0F, 9.0F, 0.0F, 8.0F);
        CLIP(2.0F, 2.0F, 8.0F, 8.0F, 0.0F, 8.0F, 0.0F, 8.0F);
        LEGADD("sample", 3, 0.0F, c.ibar, 6);
        plotter::recorder_clear();
        LEGEND(9, 0.4F);
        const std::vector<support::Call> calls = support::recorded_calls();
        const std::vector<support::Call> fills = support::named(calls, "FILPOL");
        EXPECT_EQ(
            std::count_if(fills.begin(), fills.end(), [](const support::Call& f) { return f.numbers.back() == 0; }),
            static_cast<long>(c.translucent_fills))
            << "IBAR " << c.ibar;
        EXPECT_EQ(support::named(calls, "FILALP").size(), 2 * c.translucent_fills) << "IBAR " << c.ibar;
        EXPECT_EQ(support::named(calls, "PLOT").size(), c.plots) << "IBAR " << c.ibar;
    }
}

TEST_F(LegendTest, SeventeenthEntryIsLeftOutAndReported) {
    for (int i = 2; i <= 16; ++i) {
        LEGADD("entry", i, -1.0F, 1, 5);
    }
    testing::internal::CaptureStderr();
    LEGADD("seventeen  ", 1, 0.0F, 0, 11);
    EXPECT_EQ(testing::internal::GetCapturedStderr(),
              "LEGADD: the legend holds 16 entries; \"seventeen\" is left out\n");
    plotter::recorder_clear();
    LEGEND(0, 0.4F);
    std::vector<support::Call> calls = support::recorded_calls();
    EXPECT_EQ(support::named(calls, "SYMBLK").size(), 16U);
    std::erase_if(calls, [](const support::Call& call) { return call.name == "TEXTLK"; });
    ASSERT_FALSE(calls.empty());
    EXPECT_EQ(calls.front().name, "FILPOL") << "the white box goes under everything else";
    EXPECT_EQ(support::named(calls, "NEWPEN").back().numbers, std::vector<float>{1.0F});
}

}  // namespace
