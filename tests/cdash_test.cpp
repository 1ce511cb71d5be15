// Dashed-line pen: the pattern across vertices, exact dash lengths, clamps, the step bound.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <limits>
#include <string>
#include <vector>

#include "diagr.h"
#include "recorder.h"

namespace {

std::string pen_line(const char* name, float x, float y, int code) {
    char buffer[96];
    std::snprintf(buffer, sizeof buffer, "%s %.9g %.9g %d", name, static_cast<double>(x), static_cast<double>(y), code);
    return buffer;
}

std::string move(float x, float y) { return pen_line("PLOT", x, y, 3); }
std::string dash(float x, float y) { return pen_line("CPLOT", x, y, 2); }
std::string gap(float x, float y) { return pen_line("CPLOT", x, y, 3); }

struct PenCall {
    std::string name;
    float x = 0.0F;
    float y = 0.0F;
    int code = 0;
};

PenCall parse(const std::string& line) {
    PenCall call;
    char name[16] = {};
    double x = 0.0;
    double y = 0.0;
    if (std::sscanf(line.c_str(), "%15s %lf %lf %d", name, &x, &y, &call.code) == 4) {
        call.name = name;
        call.x = static_cast<float>(x);
        call.y = static_cast<float>(y);
    }
    return call;
}

class CdashTest : public ::testing::Test {
protected:
    void SetUp() override { plotter::recorder_start(); }
    void TearDown() override { plotter::recorder_stop(); }

    static void pen(float x, float y, int code, float length) { CDASH(x, y, code, length); }
    static std::vector<std::string> take() {
        std::vector<std::string> lines = plotter::recorder_lines();
        plotter::recorder_clear();
        return lines;
    }
};

TEST_F(CdashTest, StartOnlyMoves) {
    pen(1.0F, 2.0F, 3, 1.0F);
    EXPECT_EQ(take(), (std::vector<std::string>{move(1, 2)}));
}

TEST_F(CdashTest, PatternRunsOnAcrossAVertex) {
    pen(1.0F, 1.0F, 3, 1.0F);
    pen(3.5F, 1.0F, 2, 1.0F);  // 2.5 dash lengths: dash, gap, half a dash
    pen(3.5F, 4.0F, 2, 1.0F);  // finishes that half dash first
    EXPECT_EQ(take(),
              (std::vector<std::string>{move(1, 1), move(1, 1), dash(2, 1), gap(3, 1), dash(3.5F, 1), move(3.5F, 1),
                                        dash(3.5F, 1.5F), gap(3.5F, 2.5F), dash(3.5F, 3.5F), gap(3.5F, 4)}));
}

TEST_F(CdashTest, DashEndingOnAVertexIsCompleteThere) {
    pen(0.0F, 0.0F, 3, 1.0F);
    pen(2.0F, 0.0F, 2, 1.0F);  // dash, gap: the gap ends exactly on the vertex
    pen(2.0F, 1.5F, 2, 1.0F);  // so the next segment opens with a full dash
    EXPECT_EQ(take(), (std::vector<std::string>{move(0, 0), move(0, 0), dash(1, 0), gap(2, 0), move(2, 0), dash(2, 1),
                                                gap(2, 1.5F)}));
}

TEST_F(CdashTest, RepeatedVertexMakesNoCall) {
    pen(1.0F, 1.0F, 3, 0.5F);
    pen(2.25F, 1.0F, 2, 0.5F);  // ends a quarter into a dash
    take();
    pen(2.25F, 1.0F, 2, 0.5F);
    EXPECT_TRUE(take().empty());
    // The pattern is untouched: the next segment first finishes the quarter-done dash.
    pen(2.25F, 2.0F, 2, 0.5F);
    EXPECT_EQ(take(),
              (std::vector<std::string>{move(2.25F, 1), dash(2.25F, 1.25F), gap(2.25F, 1.75F), dash(2.25F, 2)}));
}

TEST_F(CdashTest, DiagonalStepsAreClampedOntoTheVertex) {
    pen(0.0F, 0.0F, 3, 2.0F);
    pen(3.0F, 4.0F, 2, 2.0F);  // steps of (1.2, 1.6); the third overshoots to (3.6, 4.8)
    const std::vector<std::string> lines = take();
    ASSERT_EQ(lines.size(), 5U);
    const PenCall first = parse(lines[2]);
    EXPECT_EQ(first.code, 2);
    EXPECT_NEAR(first.x, 1.2F, 1e-6F);
    EXPECT_NEAR(first.y, 1.6F, 1e-6F);
    EXPECT_EQ(parse(lines[3]).code, 3);
    EXPECT_EQ(lines[4], dash(3, 4));
}

// Segments parallel to an axis at coordinate 0: rounding of cos/sin of ALPHA used to push the
// 0 coordinate off the vertex, so the end test never held and all 9999 steps were taken.
TEST_F(CdashTest, AxisParallelSegmentsAtZeroEndOnTheirVertex) {
    struct Case {
        const char* what;
        float x0, y0, x1, y1;
        std::vector<std::string> expected;
    };
    const std::vector<Case> cases = {
        {"+x at y 0", 0, 0, 2.5F, 0, {move(0, 0), move(0, 0), dash(1, 0), gap(2, 0), dash(2.5F, 0)}},
        {"-x at y 0", 3, 0, 0.5F, 0, {move(3, 0), move(3, 0), dash(2, 0), gap(1, 0), dash(0.5F, 0)}},
        {"+y at x 0", 0, 0, 0, 2.5F, {move(0, 0), move(0, 0), dash(0, 1), gap(0, 2), dash(0, 2.5F)}},
        {"-y at x 0", 0, 3, 0, 0.5F, {move(0, 3), move(0, 3), dash(0, 2), gap(0, 1), dash(0, 0.5F)}},
    };
    for (const Case& c : cases) {
        pen(c.x0, c.y0, 3, 1.0F);
        pen(c.x1, c.y1, 2, 1.0F);
        EXPECT_EQ(take(), c.expected) << c.what;
    }
}

TEST_F(CdashTest, StepWithinToleranceEndsTheSegmentAndNextStartsAtTheTrueVertex) {
    pen(0.0F, 5.0F, 3, 1.0F);
    pen(10.0005F, 5.0F, 2, 1.0F);  // step 10 lands 0.0005 short: within 0.0001 * 10.0005
    std::vector<std::string> lines = take();
    ASSERT_EQ(lines.size(), 12U);
    EXPECT_EQ(lines.back(), gap(10, 5));
    pen(10.0005F, 8.0F, 2, 1.0F);
    lines = take();
    ASSERT_FALSE(lines.empty());
    EXPECT_EQ(lines.front(), move(10.0005F, 5));
    // The first step also counts the 0.0005 cm left open before the vertex: 1 cm and a bit.
    EXPECT_EQ(lines,
              (std::vector<std::string>{move(10.0005F, 5), dash(10.0005F, 6), gap(10.0005F, 7), dash(10.0005F, 8)}));
}

TEST_F(CdashTest, StepBoundCutsALongSegmentAndTheNextStartsAtItsVertex) {
    pen(0.0F, 1.0F, 3, 0.001F);
    pen(20.0F, 1.0F, 2, 0.001F);  // 20000 steps wanted, 9999 taken
    std::vector<std::string> lines = take();
    ASSERT_EQ(lines.size(), 2U + 9999U);
    const PenCall last = parse(lines.back());
    EXPECT_EQ(last.name, "CPLOT");
    EXPECT_NEAR(last.x, 9.999F, 1e-3F);
    EXPECT_LT(last.x, 19.0F);
    pen(20.0F, 1.5F, 2, 0.001F);
    lines = take();
    ASSERT_FALSE(lines.empty());
    EXPECT_EQ(lines.front(), move(20, 1));
}

TEST_F(CdashTest, UnusableDashLengthDrawsTheSegmentSolid) {
    const float nan = std::numeric_limits<float>::quiet_NaN();
    const float inf = std::numeric_limits<float>::infinity();
    for (const float length : {0.0F, -1.0F, nan, inf}) {
        pen(1.0F, 1.0F, 3, length);
        pen(4.0F, 5.0F, 2, length);
        EXPECT_EQ(take(), (std::vector<std::string>{move(1, 1), move(1, 1), dash(4, 5)})) << length;
    }
}

TEST_F(CdashTest, TinyDashStopsAtTheStepBound) {
    pen(0.0F, 0.0F, 3, 1e-30F);
    pen(1.0F, 1.0F, 2, 1e-30F);
    EXPECT_EQ(take().size(), 2U + 9999U);
}

TEST_F(CdashTest, NonFiniteVertexBreaksTheLine) {
    const float nan = std::numeric_limits<float>::quiet_NaN();
    pen(0.0F, 0.0F, 3, 1.0F);
    take();
    pen(nan, 1.0F, 2, 1.0F);
    EXPECT_TRUE(take().empty());
    // The next vertex starts a new line instead of joining across the hole.
    pen(2.0F, 2.0F, 2, 1.0F);
    EXPECT_EQ(take(), (std::vector<std::string>{move(2, 2)}));
    pen(2.0F, 3.0F, 2, 1.0F);
    EXPECT_EQ(take(), (std::vector<std::string>{move(2, 2), dash(2, 3)}));
}

// The saved state is zero at program start; a fresh process shows a continuing call there.
TEST(CdashFreshProcess, ContinuingBeforeAnyStartStartsALine) {
    const std::string dir = DIAGR_BINARY_DIR "/tests/cdash_fresh";
    const std::string trace = dir + "/trace";
    const std::string command = "mkdir -p '" + dir + "' && rm -f '" + trace + "' && cd '" + dir +
                                "' && PGPLOT_DEV=/null PLOTTER_TRACE='" + trace +
                                "' '" DIAGR_BINARY_DIR "/tests/guard_probe' cdash-unstarted >out 2>err";
    ASSERT_EQ(std::system(command.c_str()), 0);
    std::FILE* file = std::fopen(trace.c_str(), "r");
    ASSERT_NE(file, nullptr);
    std::vector<std::string> lines;
    char buffer[256];
    while (std::fgets(buffer, sizeof buffer, file) != nullptr) {
        std::string line = buffer;
        if (!line.empty() && line.back() == '\n') {
            line.pop_back();
        }
        if (line.rfind("PLOT ", 0) == 0 || line.rfind("CPLOT ", 0) == 0) {
            lines.push_back(line);
        }
    }
    std::fclose(file);
    // The probe continues to (3, 4) and then to (5, 4), dash 1.
    EXPECT_EQ(lines, (std::vector<std::string>{move(3, 4), move(3, 4), dash(4, 4), gap(5, 4)}));
}

}  // namespace
