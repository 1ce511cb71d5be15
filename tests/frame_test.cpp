// FRAME: plot state, the four axes with their sides and label heights, and the title in pieces.
#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "diagr.h"
#include "plotter.h"
#include "recorder.h"
#include "support/trace_lines.h"

namespace {

using support::Call;
using support::named;
using support::parse_call;

// The recorded calls, cut into what comes before the first axis, the axes (each from PLTSYN 1 to
// PLTSYN 0) and what comes after the last.
struct FrameTrace {
    std::vector<Call> before;
    std::vector<std::vector<Call>> axes;
    std::vector<Call> after;
};

FrameTrace split() {
    FrameTrace trace;
    bool inside = false;
    for (const std::string& line : plotter::recorder_lines()) {
        const Call call = parse_call(line);
        if (line == "PLTSYN 1") {
            inside = true;
            trace.axes.emplace_back();
        }
        if (inside) {
            trace.axes.back().push_back(call);
        } else if (trace.axes.empty()) {
            trace.before.push_back(call);
        } else {
            trace.after.push_back(call);
        }
        if (line == "PLTSYN 0") {
            inside = false;
        }
    }
    return trace;
}

struct Stroke {
    float x0;
    float y0;
    float x1;
    float y1;
};

// PLOT moves followed by MPLOT strokes: the axis line first, then the ticks.
std::vector<Stroke> strokes(const std::vector<Call>& axis) {
    std::vector<Stroke> result;
    for (std::size_t i = 0; i + 1 < axis.size(); ++i) {
        if (axis[i].name == "PLOT" && axis[i + 1].name == "MPLOT") {
            result.push_back({axis[i].numbers[0], axis[i].numbers[1], axis[i + 1].numbers[0], axis[i + 1].numbers[1]});
        }
    }
    return result;
}

constexpr float TOL = 1e-4F;

class FrameTest : public ::testing::Test {
protected:
    void SetUp() override {
        PLTPAR = LABINI_VALUES;
        ACHSIZ(0.4F);
        plotter::recorder_start();
    }
    void TearDown() override {
        plotter::recorder_stop();
        PLTPAR = LABINI_VALUES;
        ACHSIZ(0.4F);
    }

    static void frame(const std::string& xtext, const std::string& ytext, const std::string& title, float x0 = 2.0F,
                      float y0 = 2.0F, float len = 7.0F, float range = 10.0F, int pen = 2) {
        FRAME(x0, y0, len, len, 0.0F, range, 0.0F, range, 0.0F, 0.0F, xtext.data(), ytext.data(), title.data(), pen,
              static_cast<int>(xtext.size()), static_cast<int>(ytext.size()), static_cast<int>(title.size()));
    }
};

TEST_F(FrameTest, DriverDiagramSidesSignsAndTitle) {
    frame("bla&tbla&Hbl&ma", "bla", "bla#gre&Tek#or w&Mhat   ");
    EXPECT_FLOAT_EQ(PLTPAR.XSCAL, 0.7F);
    EXPECT_FLOAT_EQ(PLTPAR.YOFFS, 2.0F);
    EXPECT_FLOAT_EQ(PLTPAR.XRIGHT, 9.0F);

    const FrameTrace trace = split();
    ASSERT_EQ(trace.before.size(), 1U);
    EXPECT_EQ(plotter::recorder_lines().front(), "NEWPEN 2");
    ASSERT_EQ(trace.axes.size(), 4U);

    // Bottom: (2, 2) to (9, 2), ticks up into the frame, numbers and the 15-character text below.
    const std::vector<Stroke> bottom = strokes(trace.axes[0]);
    EXPECT_NEAR(bottom[0].x0, 9.0F, TOL);
    EXPECT_NEAR(bottom[0].y0, 2.0F, TOL);
    EXPECT_NEAR(bottom[1].y1, 2.2F, TOL);
    const std::vector<Call> bottom_text = named(trace.axes[0], "SYMBLK");
    ASSERT_EQ(bottom_text.size(), 1U);
    EXPECT_EQ(bottom_text[0].text, "bla&tbla&Hbl&ma");
    EXPECT_EQ(bottom_text[0].numbers[4], 15.0F);
    EXPECT_LT(bottom_text[0].numbers[1], 2.0F);
    for (const Call& label : named(trace.axes[0], "SYMBOL")) {
        EXPECT_LT(label.numbers[1], 2.0F);
    }

    // Right: (9, 2) up to (9, 9), ticks towards -x, into the frame; no numbers.
    const std::vector<Stroke> right = strokes(trace.axes[1]);
    EXPECT_NEAR(right[0].x0, 9.0F, TOL);
    EXPECT_NEAR(right[0].y0, 9.0F, TOL);
    EXPECT_NEAR(right[0].x1, 9.0F, TOL);
    EXPECT_NEAR(right[0].y1, 2.0F, TOL);
    EXPECT_NEAR(right[1].x1, 8.8F, TOL);
    EXPECT_TRUE(named(trace.axes[1], "SYMBOL").empty());

    // Top: (2, 9) to (9, 9), ticks down into the frame.
    const std::vector<Stroke> top = strokes(trace.axes[2]);
    EXPECT_NEAR(top[0].x1, 2.0F, TOL);
    EXPECT_NEAR(top[0].y1, 9.0F, TOL);
    EXPECT_NEAR(top[1].y1, 8.8F, TOL);
    EXPECT_TRUE(named(trace.axes[2], "SYMBLK").empty());

    // Left: ticks towards +x, numbers and the 3-character text to the left, text upwards.
    const std::vector<Stroke> left = strokes(trace.axes[3]);
    EXPECT_NEAR(left[0].x1, 2.0F, TOL);
    EXPECT_NEAR(left[1].x1, 2.2F, TOL);
    const std::vector<Call> left_text = named(trace.axes[3], "SYMBLK");
    ASSERT_EQ(left_text.size(), 1U);
    EXPECT_EQ(left_text[0].text, "bla");
    EXPECT_EQ(left_text[0].numbers[3], 90.0F);
    EXPECT_LT(left_text[0].numbers[0], 2.0F);

    // Title: its 21 used characters measured and drawn with the count 20, centred, TSIZE above.
    ASSERT_EQ(trace.after.size(), 2U);
    const Call& measured = trace.after[0];
    const Call& drawn = trace.after[1];
    EXPECT_EQ(measured.name, "TEXTLK");
    EXPECT_EQ(measured.text, "bla#gre&Tek#or w&Mhat");
    EXPECT_EQ(measured.numbers[2], 0.4F);
    EXPECT_EQ(measured.numbers[4], 20.0F);
    const float width = measured.numbers.back();
    EXPECT_EQ(drawn.name, "SYMBLK");
    EXPECT_EQ(drawn.text, "bla#gre&Tek#or w&Mhat");
    EXPECT_NEAR(drawn.numbers[0], 2.0F + (7.0F - width) / 2.0F, TOL);
    EXPECT_NEAR(drawn.numbers[1], 9.4F, TOL);
    EXPECT_EQ(drawn.numbers[3], 0.0F);
    EXPECT_EQ(drawn.numbers[4], 20.0F);
}

TEST_F(FrameTest, BottomHeightServesRightAndTopLeftHeightOnlyTheLeft) {
    const float xlsize = 0.3F;
    const float ylsize = 0.5F;
    FRALAB(1, 1, xlsize, ylsize, 0.4F, 0.3F);
    frame("x", "y", "t");
    const FrameTrace trace = split();
    ASSERT_EQ(trace.axes.size(), 4U);
    for (const Call& label : named(trace.axes[0], "SYMBOL")) {
        EXPECT_EQ(label.numbers[2], xlsize);
    }
    for (const Call& label : named(trace.axes[3], "SYMBOL")) {
        EXPECT_EQ(label.numbers[2], ylsize);
    }
    // The automatic step follows the height: 10 units on 7 cm give step 5 at 0.3 (3 ticks) and
    // step 2 at 0.5 (6 ticks). The line is the first stroke.
    EXPECT_EQ(strokes(trace.axes[0]).size(), 1U + 3U);
    EXPECT_EQ(strokes(trace.axes[1]).size(), 1U + 3U);
    EXPECT_EQ(strokes(trace.axes[2]).size(), 1U + 3U);
    EXPECT_EQ(strokes(trace.axes[3]).size(), 1U + 6U);
}

TEST_F(FrameTest, SwitchesOffLeaveNumbersAndTextsOutAndKeepTheLastHeight) {
    FRALAB(0, 1, 0.5F, 0.3F, 0.4F, 0.3F);
    frame("x", "y", "t");
    FrameTrace trace = split();
    ASSERT_EQ(trace.axes.size(), 4U);
    EXPECT_TRUE(named(trace.axes[0], "SYMBOL").empty());
    EXPECT_TRUE(named(trace.axes[0], "TEXTLK").empty());
    // No ACHSIZ before the bottom side: the sides before the left one keep the height 0.4 in force
    // (step 2, 6 ticks), not XLSIZE; the left side sets 0.3 (step 5, 3 ticks).
    EXPECT_EQ(strokes(trace.axes[0]).size(), 1U + 6U);
    EXPECT_EQ(strokes(trace.axes[1]).size(), 1U + 6U);
    EXPECT_EQ(strokes(trace.axes[3]).size(), 1U + 3U);
    EXPECT_FALSE(named(trace.axes[3], "SYMBOL").empty());

    // A second frame without numbers on either side: every side keeps the left height 0.3 of the
    // first frame, and nothing is numbered.
    plotter::recorder_clear();
    FRALAB(0, 0, 0.3F, 0.3F, 0.4F, 0.3F);
    frame("x", "y", "t");
    trace = split();
    ASSERT_EQ(trace.axes.size(), 4U);
    for (const std::vector<Call>& axis : trace.axes) {
        EXPECT_TRUE(named(axis, "SYMBOL").empty());
        EXPECT_TRUE(named(axis, "SYMBLK").empty());
        EXPECT_EQ(strokes(axis).size(), 1U + 3U);
    }
}

TEST_F(FrameTest, BlankAxisTextsGiveNcZero) {
    frame("   ", "", "t");
    const FrameTrace trace = split();
    ASSERT_EQ(trace.axes.size(), 4U);
    // Bottom with NC 0: ticks below the edge, outside; numbers above it, inside; empty text.
    EXPECT_NEAR(strokes(trace.axes[0])[1].y1, 1.8F, TOL);
    for (const Call& label : named(trace.axes[0], "SYMBOL")) {
        EXPECT_GT(label.numbers[1], 2.0F);
    }
    const std::vector<Call> text = named(trace.axes[0], "SYMBLK");
    ASSERT_EQ(text.size(), 1U);
    EXPECT_EQ(text[0].text, "");
    // Right with NC 0: ticks to the right, outward.
    EXPECT_NEAR(strokes(trace.axes[1])[1].x1, 9.2F, TOL);
}

TEST_F(FrameTest, LongTitleIsMeasuredAndDrawnInPiecesOfEighty) {
    std::string title;
    for (int i = 0; i < 200; ++i) {
        title += static_cast<char>('a' + i / 80);
    }
    title += "      ";
    frame("x", "y", title, 0.0F, 0.0F, 7.0F);
    const FrameTrace trace = split();
    const std::vector<Call> measured = named(trace.after, "TEXTLK");
    const std::vector<Call> drawn = named(trace.after, "SYMBLK");
    ASSERT_EQ(measured.size(), 3U);
    ASSERT_EQ(drawn.size(), 3U);
    EXPECT_EQ(trace.after[0].name, "TEXTLK");
    EXPECT_EQ(trace.after[2].name, "TEXTLK");
    const std::string pieces[] = {std::string(80, 'a'), std::string(80, 'b'), std::string(40, 'c')};
    const float counts[] = {79.0F, 79.0F, 39.0F};
    float width = 0.0F;
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(measured[i].text, pieces[i]);
        EXPECT_EQ(measured[i].numbers[4], counts[i]);
        EXPECT_EQ(drawn[i].text, pieces[i]);
        EXPECT_EQ(drawn[i].numbers[4], counts[i]);
        width += measured[i].numbers.back();
    }
    ASSERT_GE(width, 7.0F);  // 200 characters are wider than the frame: the title starts at X0
    EXPECT_EQ(drawn[0].numbers[0], 0.0F);
    EXPECT_NEAR(drawn[0].numbers[1], 7.4F, TOL);
    for (int i = 1; i < 3; ++i) {
        EXPECT_EQ(drawn[i].numbers[0], 999.0F);
        EXPECT_EQ(drawn[i].numbers[1], 999.0F);
    }
}

TEST_F(FrameTest, BlankTitleIsOneBlankCentred) {
    for (const std::string& title : {std::string("     "), std::string()}) {
        plotter::recorder_clear();
        frame("x", "y", title);
        const FrameTrace trace = split();
        ASSERT_EQ(trace.after.size(), 2U);
        EXPECT_EQ(trace.after[0].text, " ");
        EXPECT_EQ(trace.after[0].numbers[4], 0.0F);
        const float width = trace.after[0].numbers.back();
        EXPECT_EQ(trace.after[1].text, " ");
        EXPECT_NEAR(trace.after[1].numbers[0], 2.0F + (7.0F - width) / 2.0F, TOL);
    }
}

TEST_F(FrameTest, TitleAsWideAsTheFrameStartsAtItsLeftEdge) {
    frame("x", "y", "A", 3.0F, 1.0F, 7.0F);
    const float width = split().after[0].numbers.back();
    ASSERT_GT(width, 0.0F);
    // A frame exactly as wide as the title: W < XLEN fails, the title starts at X0.
    plotter::recorder_clear();
    FRAME(3.0F, 1.0F, width, 7.0F, 0.0F, 10.0F, 0.0F, 10.0F, 0.0F, 0.0F, "x", "y", "A", 1, 1, 1, 1);
    const FrameTrace trace = split();
    ASSERT_EQ(trace.after.size(), 2U);
    EXPECT_EQ(trace.after[1].numbers[0], 3.0F);
    EXPECT_NEAR(trace.after[1].numbers[1], 8.4F, TOL);
}

// Regression: the bare sides left out their axis texts as well.
TEST_F(FrameTest, EqualBoundsDrawLinesAndAxisTexts) {
    FRAME(2.0F, 2.0F, 7.0F, 7.0F, 5.0F, 5.0F, 0.0F, 0.0F, 0.0F, 0.0F, "x", "y", "t", 1, 1, 1, 1);
    const FrameTrace trace = split();
    ASSERT_EQ(trace.axes.size(), 4U);
    for (const std::vector<Call>& axis : trace.axes) {
        EXPECT_EQ(strokes(axis).size(), 1U);
        EXPECT_TRUE(named(axis, "SYMBOL").empty());
    }
    const char* const texts[] = {"x", nullptr, nullptr, "y"};
    for (std::size_t side = 0; side < 4; ++side) {
        const std::vector<Call> written = named(trace.axes[side], "SYMBLK");
        ASSERT_EQ(written.size(), texts[side] != nullptr ? 1U : 0U) << side;
        if (texts[side] != nullptr) {
            EXPECT_EQ(written[0].text, texts[side]);
        }
    }
    // Below the bottom side and left of the left side, outside the frame.
    EXPECT_LT(named(trace.axes[0], "SYMBLK")[0].numbers[1], 2.0F);
    EXPECT_LT(named(trace.axes[3], "SYMBLK")[0].numbers[0], 2.0F);
    EXPECT_EQ(named(trace.after, "SYMBLK").size(), 1U);
}

}  // namespace

// Logarithmic axes: the numbers of the bottom side (its SYMBLK texts but the axis text, or the
// SYMBOL numbers of a linear axis under 0.4 decade), the long ticks and the short ones.
TEST_F(FrameTest, LogarithmicAxisNumbersAndTicks) {
    struct Case {
        float low;
        float high;
        float length;
        std::vector<std::string> numbers;
        std::size_t long_ticks;
        std::size_t short_ticks;
    };
    const Case cases[] = {
        {1.0F, 1000.0F, 7.0F, {"1", "10", "100", "1000"}, 4, 3 * 8},
        // Plain numbers up to 10^4; from 10^5 on, every decade as a power of ten.
        {1.0F, 1.0E4F, 10.0F, {"1", "10", "100", "1000", "10000"}, 5, 4 * 8},
        {1.0F, 1.0E5F, 10.0F, {"10&H0", "10&H1", "10&H2", "10&H3", "10&H4", "10&H5"}, 6, 5 * 8},
        {3.0F, 700.0F, 7.0F, {"10", "100"}, 2, 7 + 8 + 6},
        {1.0E-20F, 1.0E20F, 10.0F, {"10&H-20", "10&H-10", "10&H0", "10&H10", "10&H20"}, 5, 36},
        {1.0E-6F, 3.0E-5F, 10.0F, {"10&H-6", "10&H-5"}, 2, 8 + 2},
        {2.0E-6F, 3.0E-5F, 10.0F, {"10&H-5", "2", "5", "2"}, 1, 8 + 2},
        {0.15F, 0.6F, 7.0F, {"0.2", "0.5"}, 0, 5},
        // Under 0.4 decade, the numbers and thinning of a linear axis.
        {0.2F, 0.5F, 7.0F, {"0.2", "0.3", "0.4"}, 4, 0},
        {0.45F, 0.46F, 7.0F, {"0.45", "0.454", "0.46"}, 6, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.low);
        plotter::recorder_clear();
        LOGAX(1, 0);
        FRAME(2.0F, 2.0F, c.length, 7.0F, c.low, c.high, 0.0F, 1.0F, 0.0F, 0.0F, "f", "y", "t", 1, 1, 1, 1);
        LOGAX(0, 0);
        const FrameTrace trace = split();
        ASSERT_EQ(trace.axes.size(), 4U);
        std::vector<std::string> numbers;
        for (const char* name : {"SYMBLK", "SYMBOL"}) {
            for (const Call& call : named(trace.axes[0], name)) {
                if (call.text != "f") {
                    numbers.push_back(call.text.substr(0, call.text.find(' ')));
                }
            }
        }
        EXPECT_EQ(numbers, c.numbers);
        std::size_t long_ticks = 0;
        std::size_t short_ticks = 0;
        const std::vector<Stroke> bottom = strokes(trace.axes[0]);
        for (std::size_t i = 1; i < bottom.size(); ++i) {
            const float length = bottom[i].y1 - bottom[i].y0;
            long_ticks += std::fabs(length - 0.2F) < TOL ? 1 : 0;
            short_ticks += std::fabs(length - 0.1F) < TOL ? 1 : 0;
        }
        EXPECT_EQ(long_ticks, c.long_ticks);
        EXPECT_EQ(short_ticks, c.short_ticks);
        // The top side has the bottom side's ticks.
        EXPECT_EQ(strokes(trace.axes[2]).size(), bottom.size());
    }
}

// A logarithmic axis needs bounds above 0: FRAME says so and draws that axis linear.
TEST_F(FrameTest, LogarithmicAxisWithABoundAtZeroIsDrawnLinear) {
    PLOTS(1, 0, 20.0F, 10.0F);
    LOGAX(1, 1);
    testing::internal::CaptureStderr();
    FRAME(2.0F, 2.0F, 7.0F, 7.0F, 0.0F, 10.0F, 1.0F, 100.0F, 0.0F, 0.0F, "x", "y", "t", 1, 1, 1, 1);
    EXPECT_EQ(testing::internal::GetCapturedStderr(),
              "FRAME: the logarithmic x axis needs bounds above 0, not 0 to 10; it is drawn linear\n");
    LOGAX(0, 0);
    EXPECT_FLOAT_EQ(XCM(5.0F), 5.5F);
    EXPECT_FLOAT_EQ(YCM(10.0F), 5.5F);
    EXPECT_TRUE(std::isnan(YCM(0.0F)));
    EXPECT_EQ(named(split().axes[0], "SYMBOL").size(), 3U);
}

namespace {

// 2005-02-01T00:00:00 UTC and 2024-03-01T00:00:00 UTC, seconds since 1970.
constexpr double FEB_2005 = 1107216000.0;
constexpr double MAR_2024 = 1709251200.0;

// The texts written on one axis (SYMBLK), and the centres along x of all but the last two (the
// context and the axis text), from the width TEXTLK measured just before each.
struct AxisTexts {
    std::vector<std::string> texts;
    std::vector<float> centres;
};

AxisTexts texts_of(const std::vector<Call>& axis) {
    AxisTexts result;
    float width = 0.0F;
    for (const Call& call : axis) {
        if (call.name == "TEXTLK") {
            width = call.numbers.back();
        } else if (call.name == "SYMBLK") {
            result.texts.push_back(call.text);
            result.centres.push_back(call.numbers[0] + 0.5F * width);
        }
    }
    return result;
}

}  // namespace

// A time axis: ticks on the calendar, labels centred on them, the year once under the right end,
// then the axis text; the other axis stays linear.
TEST_F(FrameTest, TimeAxisTicksAndLabelsTheCalendar) {
    struct Case {
        const char* name;
        double t0;
        float xmax;  // seconds after t0
        float xlen;
        std::vector<std::string> texts;
        std::vector<float> labelled;  // seconds after t0 of the labels
    };
    const std::vector<Case> cases = {
        {"two months by months",
         FEB_2005,
         59.0F * 86400.0F,
         18.0F,
         {"Feb", "Mar", "Apr", "2005", "x"},
         {0.0F, 28.0F * 86400.0F, 59.0F * 86400.0F}},
        {"a day by 6 hours, the date at midnight",
         MAR_2024 + 6.0 * 3600.0,
         86400.0F,
         18.0F,
         {"06:00", "12:00", "18:00", "Mar 02", "06:00", "2024 Mar 02", "x"},
         {0.0F, 21600.0F, 43200.0F, 64800.0F, 86400.0F}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        plotter::recorder_clear();
        TIMAX(1, 0, c.t0);
        FRAME(2.0F, 2.0F, c.xlen, 7.0F, 0.0F, c.xmax, 0.0F, 10.0F, 0.0F, 0.0F, "x", "y", "t", 1, 1, 1, 1);
        TIMAX(0, 0, 0.0);
        const FrameTrace trace = split();
        ASSERT_EQ(trace.axes.size(), 4U);
        const AxisTexts bottom = texts_of(trace.axes[0]);
        EXPECT_EQ(bottom.texts, c.texts);
        ASSERT_EQ(bottom.centres.size(), c.labelled.size() + 2);
        for (std::size_t i = 0; i < c.labelled.size(); ++i) {
            EXPECT_NEAR(bottom.centres[i], 2.0F + c.xlen * c.labelled[i] / c.xmax, 1e-3F) << i;
        }
        // The context ends at the axis's right end.
        const std::vector<Call> measured = named(trace.axes[0], "TEXTLK");
        const std::vector<Call> written = named(trace.axes[0], "SYMBLK");
        const std::size_t context = written.size() - 2;
        EXPECT_NEAR(written[context].numbers[0] + measured[context].numbers.back(), 2.0F + c.xlen, 1e-4F);
        // Every long tick of the bottom has its label; the top side has the bottom's ticks.
        std::size_t long_ticks = 0;
        const std::vector<Stroke> ticks = strokes(trace.axes[0]);
        for (std::size_t i = 1; i < ticks.size(); ++i) {
            long_ticks += std::fabs(ticks[i].y1 - ticks[i].y0 - 0.2F) < TOL ? 1 : 0;
        }
        EXPECT_EQ(long_ticks, c.labelled.size());
        EXPECT_EQ(strokes(trace.axes[2]).size(), ticks.size());
        // The left side is numbered as a linear axis.
        EXPECT_FALSE(named(trace.axes[3], "SYMBOL").empty());
    }
}

// TIMAX is forgotten at PLOTS, as LOGAX is; its x axis refuses a logarithmic request.
TEST_F(FrameTest, TimeAxisEndsAtPlotsAndStaysLinearUnderLogax) {
    PLOTS(1, 0, 20.0F, 10.0F);
    TIMAX(1, 0, FEB_2005);
    LOGAX(1, 1);
    testing::internal::CaptureStderr();
    FRAME(2.0F, 2.0F, 18.0F, 7.0F, 0.0F, 59.0F * 86400.0F, 1.0F, 100.0F, 0.0F, 0.0F, "x", "y", "t", 1, 1, 1, 1);
    EXPECT_EQ(testing::internal::GetCapturedStderr(),
              "FRAME: the x axis is a time axis and cannot be logarithmic; it is drawn linear\n");
    EXPECT_FLOAT_EQ(XCM(29.5F * 86400.0F), 11.0F);
    EXPECT_FLOAT_EQ(YCM(10.0F), 5.5F);  // y is still logarithmic
    EXPECT_EQ(texts_of(split().axes[0]).texts.front(), "Feb");
    LOGAX(0, 0);

    PLOTS(1, 0, 20.0F, 10.0F);
    plotter::recorder_clear();
    FRAME(2.0F, 2.0F, 18.0F, 7.0F, 0.0F, 59.0F * 86400.0F, 0.0F, 10.0F, 0.0F, 0.0F, "x", "y", "t", 1, 1, 1, 1);
    const FrameTrace trace = split();
    EXPECT_EQ(texts_of(trace.axes[0]).texts, (std::vector<std::string>{"* 10&H6", "x"}));
    EXPECT_FALSE(named(trace.axes[0], "SYMBOL").empty());
}

// A range the calendar cannot number (here beyond its years) is numbered as seconds.
TEST_F(FrameTest, TimeAxisWithoutACalendarRangeIsNumberedLinear) {
    TIMAX(1, 0, 0.0);
    FRAME(2.0F, 2.0F, 7.0F, 7.0F, 0.0F, 1.0E20F, 0.0F, 10.0F, 0.0F, 0.0F, "x", "y", "t", 1, 1, 1, 1);
    TIMAX(0, 0, 0.0);
    const FrameTrace trace = split();
    EXPECT_FALSE(named(trace.axes[0], "SYMBOL").empty());
    EXPECT_EQ(texts_of(trace.axes[0]).texts.size(), 2U);  // the factor and the axis text
}
