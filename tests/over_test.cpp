// Curves: the window, the three modes, PLTSYN placement, marker bounds, non-finite points.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <limits>
#include <string>
#include <vector>

#include "diagr.h"
#include "recorder.h"

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

}  // namespace
