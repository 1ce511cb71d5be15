// Histograms, steps and bands: the bins BINS chooses and counts, and what STEPS, BAND and HIST
// ask the plotter to draw.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <limits>
#include <string>
#include <vector>

#include "diagr.h"
#include "plotter.h"
#include "recorder.h"
#include "support/trace_lines.h"

namespace {

const float NaN = std::numeric_limits<float>::quiet_NaN();

TEST(Bins, ChoosesCountsAndReports) {
    std::vector<float> hundred;
    for (int i = 0; i < 100; ++i) {
        hundred.push_back(static_cast<float>(i));
    }
    std::vector<float> spread;
    for (int i = 0; i < 98; ++i) {
        spread.push_back(static_cast<float>(i) / 98.0F);
    }
    // Crowded in the middle: the quartiles 437.5 and 562.5 set the width, 25.
    std::vector<float> cubic;
    for (int i = 0; i <= 1000; ++i) {
        const float u = (static_cast<float>(i) - 500.0F) / 500.0F;
        cubic.push_back(u * u * u * 500.0F + 500.0F);
    }
    spread.push_back(-1000.0F);
    spread.push_back(1000.0F);
    struct Case {
        const char* what;
        std::vector<float> data;
        int nbin, maxbin;
        float xmin, xmax;
        int want_nbin;
        float want_xmin, want_xmax;
        std::vector<float> counts;  // the first ones
        const char* said;
    };
    const std::vector<Case> cases = {
        {"automatic width 10", hundred, 0, 100, 0, 0, 10, 0, 100, {10, 10, 10}, ""},
        {"width from the quartiles", cubic, 0, 100, 0, 0, 40, 0, 1000, {9}, ""},
        {"last bin holds its right edge", {0, 1, 2, 3}, 3, 10, 0, 3, 3, 0, 3, {1, 1, 2}, ""},
        {"just below the range is outside",
         {std::nextafter(0.0F, -1.0F), 0.5F, 10.0F, NaN, 11.0F},
         2,
         10,
         0,
         10,
         2,
         0,
         10,
         {1, 1},
         "BINS: 2 values outside 0 to 10 and 1 value that is not finite are not counted\n"},
        {"one outside, singular",
         {5, 20},
         1,
         10,
         0,
         10,
         1,
         0,
         10,
         {1},
         "BINS: 1 value outside 0 to 10 is not counted\n"},
        {"one distinct value",
         {4, 4, 4, NaN},
         0,
         10,
         0,
         0,
         1,
         3.5F,
         4.5F,
         {3},
         "BINS: 1 value that is not finite is not counted\n"},
        {"outliers in 20 bins", spread, 0, 100, 0, 0, 20, -1000, 1000, {1, 0, 0}, ""},
        {"outliers held to 10 bins",
         spread,
         0,
         10,
         0,
         0,
         10,
         -1000,
         1000,
         {1, 0, 0},
         "BINS: there is room for 10 bins; bins 200 wide instead of 100\n"},
        {"count given, range from the data", {2, 3, 4, 6}, 2, 10, 0, 0, 2, 2, 6, {2, 2}, ""},
        {"no finite value", {NaN, NaN}, 0, 10, 0, 0, 0, 0, 0, {}, "BINS: no finite value to count; no bins\n"},
        {"more bins than room",
         {0.5F, 9.5F},
         20,
         5,
         0,
         10,
         5,
         0,
         10,
         {1, 0, 0, 0, 1},
         "BINS: 20 bins asked for but there is room for 5; 5 bins counted\n"},
    };
    for (const Case& c : cases) {
        std::vector<float> counts(static_cast<std::size_t>(c.maxbin) + 1, -7.0F);
        int nbin = c.nbin;
        float xmin = c.xmin;
        float xmax = c.xmax;
        testing::internal::CaptureStderr();
        BINS(c.data.data(), static_cast<int>(c.data.size()), nbin, xmin, xmax, counts.data(), c.maxbin);
        EXPECT_EQ(testing::internal::GetCapturedStderr(), c.said) << c.what;
        EXPECT_EQ(nbin, c.want_nbin) << c.what;
        if (c.want_nbin > 0) {
            EXPECT_FLOAT_EQ(xmin, c.want_xmin) << c.what;
            EXPECT_FLOAT_EQ(xmax, c.want_xmax) << c.what;
        }
        for (std::size_t k = 0; k < c.counts.size(); ++k) {
            EXPECT_EQ(counts[k], c.counts[k]) << c.what << " bin " << k + 1;
        }
        EXPECT_EQ(counts[static_cast<std::size_t>(c.maxbin)], -7.0F) << c.what << ": written beyond MAXBIN";
    }
}

std::vector<float> numbers_of(const std::string& name) {
    std::vector<float> all;
    for (const support::Call& call : support::named(support::recorded_calls(), name)) {
        all.insert(all.end(), call.numbers.begin(), call.numbers.end());
    }
    return all;
}

// Frame from (2, 2) to (10, 10) cm for user 0..8: one user unit is one cm.
class AreaTest : public ::testing::Test {
protected:
    void SetUp() override {
        PLTPAR = LABINI_VALUES;
        plotter::recorder_start();
        PLOTS(1, 0, 20.0F, 15.0F);
        CLIP(2.0F, 2.0F, 8.0F, 8.0F, 0.0F, 8.0F, 0.0F, 8.0F);
        plotter::recorder_clear();
    }
    void TearDown() override { plotter::recorder_stop(); }
    // The CPLOT vertices after the window's two corners, as x, y, code triples.
    static std::vector<float> strokes() {
        const std::vector<float> all = numbers_of("CPLOT");
        return std::vector<float>(all.begin() + 6, all.end());
    }
};

TEST_F(AreaTest, StepsGoThroughTheVerticesOfEachMode) {
    const float x[] = {1, 3, 4};
    const float y[] = {1, 2, 5};
    struct Case {
        int iwhere;
        std::vector<float> vertices;
    };
    const std::vector<Case> cases = {
        {1, {3, 3, 3, 3, 4, 2, 5, 4, 2, 5, 7, 2, 6, 7, 2}},
        {2, {3, 3, 3, 5, 3, 2, 5, 4, 2, 6, 4, 2, 6, 7, 2}},
        {0, {3, 3, 3, 4, 3, 2, 4, 4, 2, 5, 4, 2, 5.5F, 4, 2, 5.5F, 7, 2, 6, 7, 2}},
    };
    for (const Case& c : cases) {
        plotter::recorder_clear();
        STEPS(x, y, 3, c.iwhere);
        EXPECT_EQ(strokes(), c.vertices) << "IWHERE " << c.iwhere;
    }
    plotter::recorder_clear();
    const float broken_y[] = {1, NaN, 5};
    STEPS(x, broken_y, 3, 2);
    EXPECT_EQ(strokes(), (std::vector<float>{3, 3, 3, 6, 7, 3})) << "a NaN breaks the curve";
}

TEST_F(AreaTest, BandIsTranslucentSplitByNaNAndCutToTheFrame) {
    const float x[] = {1, 2, NaN, 4, 5};
    const float low[] = {0, 0, 0, 1, 1};
    const float high[] = {2, 12, 2, 3, 3};
    FILALP(0.8F);
    plotter::recorder_clear();
    BAND(x, low, high, 5);
    std::vector<std::string> names;
    for (const support::Call& call : support::recorded_calls()) {
        if (call.name == "FILALP" || call.name == "FILPOL") {
            names.push_back(call.name + (call.name == "FILALP" ? " " + std::to_string(call.numbers.at(0)) : ""));
        }
    }
    EXPECT_EQ(names, (std::vector<std::string>{"FILALP 0.250000", "FILPOL", "FILPOL", "FILALP 0.800000"}));
    const std::vector<support::Call> fills = support::named(support::recorded_calls(), "FILPOL");
    ASSERT_EQ(fills.size(), 2U);
    // The first piece climbs out of the frame at x 1.6 user: its top runs along the frame's top.
    const std::vector<float>& first = fills[0].numbers;
    const int n = static_cast<int>(first.at(first.size() - 2));
    float top = 0.0F;
    for (int k = 0; k < n; ++k) {
        top = std::fmax(top, first[static_cast<std::size_t>(n + k)]);
    }
    EXPECT_FLOAT_EQ(top, 10.0F);
    EXPECT_EQ(fills[1].numbers, (std::vector<float>{6, 7, 7, 6, 5, 5, 3, 3, 4, 0}))
        << "the second piece: along the upper curve and back along the lower one";
}

TEST_F(AreaTest, HistogramOutlineIsClosedToTheAxis) {
    const float data[] = {0.5F, 1.5F, 1.6F, 2.5F, 2.6F, 2.7F};
    HIST(data, 6, 3, 0.0F, 3.0F, 0);
    // Up the bars of 1, 2 and 3, down to y = 0 and back along the axis.
    EXPECT_EQ(strokes(),
              (std::vector<float>{2, 2, 3, 2, 3, 2, 3, 3, 2, 3, 4, 2, 4, 4, 2, 4, 5, 2, 5, 5, 2, 5, 2, 2, 2, 2, 2}));
    EXPECT_TRUE(numbers_of("FILPOL").empty());
    plotter::recorder_clear();
    HIST(data, 6, 3, 0.0F, 3.0F, 1);
    const std::vector<float> fill = numbers_of("FILPOL");
    EXPECT_EQ(fill, (std::vector<float>{2, 2, 3, 3, 4, 4, 5, 5, 2, 3, 3, 4, 4, 5, 5, 2, 8, 0}));
    EXPECT_EQ(numbers_of("FILALP"), (std::vector<float>{0.25F, 1.0F}));
}

}  // namespace
