// One-call diagram: the automatic ranges, the order curve-then-frame, the bounds written back.
#include "diagr.h"

#include <gtest/gtest.h>

#include <cfloat>
#include <cmath>
#include <limits>
#include <sstream>
#include <string>
#include <vector>

#include "recorder.h"

namespace {

constexpr float NAN_VALUE = std::numeric_limits<float>::quiet_NaN();
constexpr float INF_VALUE = std::numeric_limits<float>::infinity();

// Every number in the trace is finite (no "nan" or "inf" outside quoted texts).
bool trace_is_finite(const std::vector<std::string>& lines) {
    for (const std::string& line : lines) {
        bool quoted = false;
        std::string word;
        std::istringstream in(line);
        while (in >> word) {
            if (word.front() == '"') {
                quoted = true;
            }
            if (!quoted && (word.find("nan") != std::string::npos || word.find("inf") != std::string::npos)) {
                return false;
            }
            if (quoted && word.back() == '"') {
                quoted = false;
            }
        }
    }
    return true;
}

struct Bounds {
    float low;
    float high;
};

class DiagrTest : public ::testing::Test {
protected:
    void SetUp() override {
        PLTPAR = LABINI_VALUES;
        plotter::recorder_start();
    }
    void TearDown() override { plotter::recorder_stop(); }

    // Runs DIAGR on a 7 x 7 cm frame at (2, 2) with the x values given and y = 1, 2, ...;
    // returns the x bounds written back.
    static Bounds x_range(const std::vector<float>& x, Bounds given, int n = -1) {
        std::vector<float> y(x.size() + 1);
        for (size_t i = 0; i < y.size(); ++i) {
            y[i] = static_cast<float>(i + 1);
        }
        const int count = n < 0 ? static_cast<int>(x.size()) : n;
        float xmin = given.low;
        float xmax = given.high;
        float ymin = 0.0F;
        float ymax = 100.0F;
        const float* data = x.empty() ? y.data() : x.data();
        DIAGR(2.0F, 2.0F, 7.0F, 7.0F, xmin, xmax, ymin, ymax, 0.0F, 0.0F, "x", "y", "t", 2, 3, data, y.data(), count,
              0.0F, 1, 1, 1);
        return {xmin, xmax};
    }
};

TEST_F(DiagrTest, AutomaticRanges) {
    struct Case {
        const char* what;
        std::vector<float> x;
        Bounds given;
        Bounds expected;
        bool logarithmic = false;
    };
    const std::vector<Case> cases = {
        {"0 to 10", {0, 5, 10}, {0, 0}, {-1, 11}},
        {"given 5 = 5 is discarded", {0, 10}, {5, 5}, {-1, 11}},
        {"all 10", {10, 10, 10}, {0, 0}, {9.0F, 10.9F}},
        {"one point 10", {10}, {0, 0}, {9.0F, 10.9F}},
        {"all -10, reversed", {-10, -10}, {0, 0}, {-9.0F, -10.9F}},
        {"all 0 gives -1 to 1", {0, 0, 0}, {0, 0}, {-1, 1}},
        {"search starts at 1E37", {2e37F, 3e37F}, {0, 0}, {0.8e37F, 3.2e37F}},
        {"non-finite values left out", {NAN_VALUE, 0, 10, INF_VALUE, -INF_VALUE}, {0, 0}, {-1, 11}},
        {"spread beyond the float range held finite", {-3e38F, 3e38F}, {0, 0}, {-FLT_MAX, FLT_MAX}},
        {"given 0 to 100", {5}, {0, 100}, {0, 100}},
        {"given reversed", {5}, {100, 0}, {100, 0}},
        {"given negative", {5}, {-5, 3}, {-5, 3}},
        {"log: out to whole decades", {3, 700}, {0, 0}, {1, 1000}, true},
        {"log: decades stay", {1000, 1}, {0, 0}, {1, 1000}, true},
        {"log: within a decade, out to 1, 2 or 5 times one", {0.45F, 0.46F}, {0, 0}, {0.2F, 0.5F}, true},
        {"log: one value", {2}, {0, 0}, {1, 5}, true},
        {"log: values <= 0 left out", {0, -4, 5, 50, NAN_VALUE}, {0, 0}, {1, 100}, true},
        {"log: the float range", {1e-20F, 1e20F, FLT_MAX}, {0, 0}, {1e-20F, FLT_MAX}, true},
        {"log: no value above 0, the linear range", {0, -10}, {0, 0}, {-11, 1}, true},
    };
    for (const Case& c : cases) {
        LOGAX(c.logarithmic ? 1 : 0, 0);
        const Bounds got = x_range(c.x, c.given);
        LOGAX(0, 0);
        EXPECT_FLOAT_EQ(got.low, c.expected.low) << c.what;
        EXPECT_FLOAT_EQ(got.high, c.expected.high) << c.what;
        // The mapping in force is the one of the bounds written back.
        EXPECT_NEAR(XCM(got.low), 2.0F, 1e-4F) << c.what;
        EXPECT_NEAR(XCM(got.high), 9.0F, 1e-4F) << c.what;
        EXPECT_TRUE(trace_is_finite(plotter::recorder_lines())) << c.what;
        plotter::recorder_clear();
    }
}

// On a time axis an open range runs out to the calendar ticks the frame draws.
TEST_F(DiagrTest, TimeAxisRangesEndOnCalendarTicks) {
    constexpr double FEB_2005 = 1107216000.0;  // 2005-02-01T00:00:00 UTC
    constexpr double MAR_2024 = 1709251200.0;  // 2024-03-01T00:00:00 UTC
    constexpr float DAY = 86400.0F;
    struct Case {
        const char* what;
        double t0;
        std::vector<float> x;
        Bounds given;
        Bounds expected;
    };
    const std::vector<Case> cases = {
        {"days 2 to 55 of February 2005: 1 February to 1 April",
         FEB_2005,
         {2 * DAY, 30 * DAY, 55 * DAY},
         {0, 0},
         {0, 59 * DAY}},
        {"non-finite values left out", FEB_2005, {NAN_VALUE, 2 * DAY, 55 * DAY, INF_VALUE}, {0, 0}, {0, 59 * DAY}},
        {"one instant, 1 March 2024 05:00: a day on each side, then 12-hour minor ticks",
         MAR_2024,
         {5 * 3600.0F},
         {0, 0},
         {-DAY, 1.5F * DAY}},
        {"a given range is kept", FEB_2005, {2 * DAY}, {-5, 3}, {-5, 3}},
    };
    for (const Case& c : cases) {
        TIMAX(1, 0, c.t0);
        const Bounds got = x_range(c.x, c.given);
        TIMAX(0, 0, 0.0);
        EXPECT_FLOAT_EQ(got.low, c.expected.low) << c.what;
        EXPECT_FLOAT_EQ(got.high, c.expected.high) << c.what;
        EXPECT_NEAR(XCM(got.low), 2.0F, 1e-4F) << c.what;
        EXPECT_NEAR(XCM(got.high), 9.0F, 1e-4F) << c.what;
        plotter::recorder_clear();
    }
}

TEST_F(DiagrTest, NoPointsGiveTheFiniteReversedStartRange) {
    for (const int n : {0, -3}) {
        const Bounds got = x_range({}, {0, 0}, n);
        EXPECT_NEAR(got.low, 1.2e37F, 1e31F) << n;
        EXPECT_NEAR(got.high, -1.2e37F, 1e31F) << n;
        EXPECT_TRUE(std::isnormal(PLTPAR.XSCAL));
        EXPECT_LT(PLTPAR.XSCAL, 0.0F);
        EXPECT_NEAR(XCM(0.0F), 5.5F, 1e-4F);
        EXPECT_TRUE(trace_is_finite(plotter::recorder_lines()));
        plotter::recorder_clear();
    }
}

TEST_F(DiagrTest, YRangeIsCompletedIndependently) {
    const float x[] = {1, 2, 3};
    const float y[] = {0, 5, 10};
    float xmin = 0.0F;
    float xmax = 100.0F;
    float ymin = 3.0F;
    float ymax = 3.0F;
    DIAGR(2.0F, 2.0F, 7.0F, 7.0F, xmin, xmax, ymin, ymax, 0.0F, 0.0F, "x", "y", "t", 2, 3, x, y, 3, 0.0F, 1, 1, 1);
    EXPECT_EQ(xmin, 0.0F);
    EXPECT_EQ(xmax, 100.0F);
    EXPECT_FLOAT_EQ(ymin, -1.0F);
    EXPECT_FLOAT_EQ(ymax, 11.0F);
}

TEST_F(DiagrTest, CurveWithItsPenThenFrameWithItsPen) {
    const float x[] = {0, 10};
    const float y[] = {0, 10};
    float xmin = 0.0F;
    float xmax = 0.0F;
    float ymin = 0.0F;
    float ymax = 0.0F;
    DIAGR(2.0F, 2.0F, 7.0F, 7.0F, xmin, xmax, ymin, ymax, 0.0F, 0.0F, "x", "y", "title", 2, 3, x, y, 2, 0.0F, 1, 1, 5);
    const std::vector<std::string>& lines = plotter::recorder_lines();
    ASSERT_GE(lines.size(), 8U);
    // -1..11 on 7 cm: 0 maps to 2 + 7/12 cm, 10 to 2 + 77/12 cm.
    EXPECT_EQ(lines[0], "NEWPEN 3");
    EXPECT_EQ(lines[1], "CPLOT 2 2 997");
    EXPECT_EQ(lines[2], "CPLOT 9 9 998");
    EXPECT_EQ(lines[3].rfind("CPLOT 2.58333", 0), 0U) << lines[3];
    EXPECT_EQ(lines[4].rfind("CPLOT 8.41666", 0), 0U) << lines[4];
    EXPECT_EQ(lines[5], "PLTSYN 1");
    EXPECT_EQ(lines[6], "PLTSYN 0");
    EXPECT_EQ(lines[7], "NEWPEN 2");
    // The title is the last thing drawn, after every axis.
    EXPECT_EQ(lines.back().rfind("SYMBLK", 0), 0U) << lines.back();
    EXPECT_NE(lines.back().find("\"title\""), std::string::npos) << lines.back();
    EXPECT_EQ(xmin, -1.0F);
    EXPECT_EQ(ymax, 11.0F);
    EXPECT_EQ(PLTPAR.XLEFT, 2.0F);
    EXPECT_EQ(PLTPAR.YTOP, 9.0F);
}

}  // namespace
