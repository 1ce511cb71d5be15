// ACHSIZ, ACHSE0 and ACHSE, checked through the plotter calls they make.
#include <gtest/gtest.h>

#include <chrono>
#include <cmath>
#include <limits>
#include <string>
#include <vector>

#include "axis_scale.h"
#include "diagr.h"
#include "recorder.h"
#include "support/trace_lines.h"

namespace {

using support::Call;
using support::named;
using support::recorded_calls;

// A tick: the PLOT move to the axis point and the MPLOT stroke that follows it.
struct Tick {
    float x;
    float y;
    float end_x;
    float end_y;
};

// The ticks of one axis call: every PLOT/MPLOT pair after the axis line (the first pair).
std::vector<Tick> ticks(const std::vector<Call>& all) {
    std::vector<Tick> result;
    bool line_seen = false;
    for (std::size_t i = 0; i + 1 < all.size(); ++i) {
        if (all[i].name == "PLOT" && all[i + 1].name == "MPLOT") {
            if (line_seen) {
                result.push_back({all[i].numbers[0], all[i].numbers[1], all[i + 1].numbers[0], all[i + 1].numbers[1]});
            }
            line_seen = true;
        }
    }
    return result;
}

std::vector<std::string> label_texts(const std::vector<Call>& all) {
    std::vector<std::string> result;
    for (const Call& call : named(all, "SYMBOL")) {
        result.push_back(call.text.substr(0, static_cast<std::size_t>(call.numbers[4])));
    }
    return result;
}

constexpr float TOL = 1e-4F;

class AchseTest : public ::testing::Test {
protected:
    void SetUp() override {
        ACHSIZ(0.4F);
        plotter::recorder_start();
    }
    void TearDown() override {
        plotter::recorder_stop();
        ACHSIZ(0.4F);
    }

    static void axis(float xa, float ya, const std::string& text, int nc, float alen, float angle, float vfirst,
                     float vstep, float vlast) {
        ACHSE(xa, ya, text.data(), nc, alen, angle, vfirst, vstep, vlast, static_cast<int>(text.size()));
    }
};

TEST_F(AchseTest, ZeroToTenOnFifteenCentimetresNumbersEveryOtherTick) {
    axis(0.0F, 0.0F, "x", -1, 15.0F, 0.0F, 0.0F, 0.0F, 10.0F);
    const std::vector<Call> all = recorded_calls();
    ASSERT_GE(all.size(), 4U);
    EXPECT_EQ(plotter::recorder_lines().front(), "PLTSYN 1");
    EXPECT_EQ(plotter::recorder_lines().back(), "PLTSYN 0");
    EXPECT_EQ(plotter::recorder_lines()[1], "PLOT 15 0 3");
    EXPECT_EQ(plotter::recorder_lines()[2], "MPLOT 0 0 2 3");

    const std::vector<Tick> marks = ticks(all);
    ASSERT_EQ(marks.size(), 11U);
    for (std::size_t i = 0; i < marks.size(); ++i) {
        EXPECT_NEAR(marks[i].x, 1.5F * static_cast<float>(i), TOL);
        EXPECT_NEAR(marks[i].y, 0.0F, TOL);
        // NC < 0: ticks 0.2 cm upwards, away from the numbers below the axis.
        EXPECT_NEAR(marks[i].end_x, marks[i].x, TOL);
        EXPECT_NEAR(marks[i].end_y, 0.2F, TOL);
    }

    EXPECT_EQ(label_texts(all), (std::vector<std::string>{"0", "2", "4", "6", "8", "10"}));
    const std::vector<Call> labels = named(all, "SYMBOL");
    for (std::size_t i = 0; i < labels.size(); ++i) {
        const float count = labels[i].numbers[4];
        // Centred under its tick, 1.5 SIZE below the axis to the box centre.
        EXPECT_NEAR(labels[i].numbers[0], 3.0F * static_cast<float>(i) - count * 0.4F / 2.0F, TOL);
        EXPECT_NEAR(labels[i].numbers[1], -0.8F, TOL);
        EXPECT_NEAR(labels[i].numbers[2], 0.4F, TOL);
        EXPECT_EQ(labels[i].text.size(), 8U);
    }
    // No factor: the only SYMBLK is the axis text.
    EXPECT_EQ(named(all, "SYMBLK").size(), 1U);
}

TEST_F(AchseTest, AutomaticStepFollowsRangeAndLabelHeight) {
    const struct {
        float vlast;
        float size;
        float step_cm;  // tick spacing on a 15 cm axis
    } cases[] = {
        {100.0F, 0.4F, 1.5F},  // step 10
        {1.0F, 0.4F, 1.5F},    // step 0.1
        {20.0F, 0.4F, 1.5F},   // R 2.67: step 2
        {50.0F, 0.4F, 1.5F},   // R 6.67: step 5
        {10.0F, 0.2F, 3.0F},   // R 2.67 with the smaller height: step 2
        {10.0F, 0.8F, 0.75F},  // R 0.67: step 0.5
    };
    for (const auto& c : cases) {
        plotter::recorder_clear();
        ACHSIZ(c.size);
        ACHSE0(0.0F, 0.0F, 1, 15.0F, 0.0F, 0.0F, 0.0F, c.vlast);
        const std::vector<Tick> marks = ticks(recorded_calls());
        ASSERT_GE(marks.size(), 2U) << c.vlast;
        EXPECT_NEAR(marks[1].x - marks[0].x, c.step_cm, TOL) << c.vlast << " at " << c.size;
        EXPECT_NEAR(marks.back().x, 15.0F, TOL) << c.vlast << " at " << c.size;
    }
}

TEST_F(AchseTest, LargeRangeGetsTheFactorTenToTheSix) {
    axis(0.0F, 0.0F, "abc", -3, 15.0F, 0.0F, 0.0F, 0.0F, 5000000.0F);
    const std::vector<Call> all = recorded_calls();
    EXPECT_EQ(label_texts(all), (std::vector<std::string>{"0", "1", "2", "3", "4", "5"}));
    EXPECT_EQ(ticks(all).size(), 11U);  // step 0.5 in scaled units

    const std::vector<Call> texts = named(all, "SYMBLK");
    ASSERT_EQ(texts.size(), 2U);
    EXPECT_EQ(texts[0].text, "* 10&H6");
    EXPECT_EQ(texts[0].numbers[4], 7.0F);
    // Half-way along less 0.8 cm; 2 DMAX + SIZE + SIZE / 2 below the axis.
    EXPECT_NEAR(texts[0].numbers[0], 7.5F - 0.8F, TOL);
    EXPECT_NEAR(texts[0].numbers[1], -(1.2F + 0.4F + 0.2F), TOL);

    // The axis text two label heights further out, centred on its measured length.
    const std::vector<Call> measured = named(all, "TEXTLK");
    ASSERT_EQ(measured.size(), 1U);
    EXPECT_EQ(measured[0].text, "abc");
    const float length = measured[0].numbers.back();
    EXPECT_EQ(texts[1].text, "abc");
    EXPECT_NEAR(texts[1].numbers[0], (15.0F - length) / 2.0F, TOL);
    EXPECT_NEAR(texts[1].numbers[1], -(1.8F + 0.8F), TOL);
}

TEST_F(AchseTest, SmallRangeGetsTheFactorTenToTheMinusTwoAndKeepsBothEndTicks) {
    axis(0.0F, 0.0F, "t", 1, 15.0F, 0.0F, 0.001F, 0.0F, 0.005F);
    const std::vector<Call> all = recorded_calls();
    EXPECT_EQ(label_texts(all), (std::vector<std::string>{"0.1", "0.2", "0.3", "0.4", "0.5"}));
    const std::vector<Tick> marks = ticks(all);
    ASSERT_EQ(marks.size(), 9U);  // step 0.05 in scaled units
    EXPECT_NEAR(marks.front().x, 0.0F, TOL);
    EXPECT_NEAR(marks.back().x, 15.0F, TOL);
    const std::vector<Call> texts = named(all, "SYMBLK");
    ASSERT_EQ(texts.size(), 2U);
    EXPECT_EQ(texts[0].text, "* 10&H-2");
    // NC > 0: above the axis, at 2 DMAX; the text a further 2 SIZE + SIZE / 3 out.
    EXPECT_NEAR(texts[0].numbers[1], 1.2F, TOL);
    EXPECT_NEAR(texts[1].numbers[1], 1.2F + 0.8F + 0.4F / 3.0F, TOL);
}

// From 0 the numbers stay unscaled in fixed form where five decimals can write the ticks; below
// a step of 0.00001 the power of ten comes from the other end. Regression: 0 to 5E-6 numbered every
// tick "0", and 0 to 3E-5 gave 0, 0, 0.00001, 0.00001, ...
TEST_F(AchseTest, ZeroToSmallValueKeepsNumbersThatShowTheTicks) {
    const struct {
        float vfirst;
        float vstep;
        float vlast;
        std::size_t tick_count;
        std::vector<std::string> labels;
        const char* factor;  // nullptr: none
    } cases[] = {
        // The fixed form shows every tick; the widest estimate counts "0.0045" in fixed form.
        {0.0F, 0.0F, 0.005F, 11, {"0", "0.0015", "0.003", "0.0045"}, nullptr},
        {0.0F, 0.0F, 5.0e-6F, 11, {"0", "0.1", "0.2", "0.3", "0.4", "0.5"}, "* 10&H-5"},
        {0.0F, 0.0F, 3.0e-5F, 7, {"0", "0.05", "0.1", "0.15", "0.2", "0.25", "0.3"}, "* 10&H-4"},
        {-5.0e-6F, 0.0F, 0.0F, 11, {"-0.5", "-0.4", "-0.3", "-0.2", "-0.1", "0"}, "* 10&H-5"},
        // A given step that five decimals would round (0.000025 as 0.00003).
        {0.0F, 0.000025F, 0.0001F, 5, {"0", "0.025", "0.05", "0.075", "0.1"}, "* 10&H-3"},
    };
    for (const auto& c : cases) {
        plotter::recorder_clear();
        axis(0.0F, 0.0F, "t", 1, 15.0F, 0.0F, c.vfirst, c.vstep, c.vlast);
        const std::vector<Call> all = recorded_calls();
        EXPECT_EQ(label_texts(all), c.labels) << c.vfirst << " to " << c.vlast;
        const std::vector<Tick> marks = ticks(all);
        ASSERT_EQ(marks.size(), c.tick_count) << c.vfirst << " to " << c.vlast;
        EXPECT_NEAR(marks.back().x, 15.0F, TOL);
        const std::vector<Call> texts = named(all, "SYMBLK");
        ASSERT_EQ(texts.size(), c.factor != nullptr ? 2U : 1U) << c.vfirst << " to " << c.vlast;
        if (c.factor != nullptr) {
            EXPECT_EQ(texts[0].text, c.factor);
        }
    }
}

TEST_F(AchseTest, ReversedAxisNumbersRunDownwardsFromTheOrigin) {
    axis(1.0F, 2.0F, "", -1, 15.0F, 0.0F, 10.0F, 0.0F, 0.0F);
    const std::vector<Call> all = recorded_calls();
    // Drawn in the order of their values, from the far end back to the origin.
    EXPECT_EQ(label_texts(all), (std::vector<std::string>{"0", "2", "4", "6", "8", "10"}));
    const std::vector<Tick> marks = ticks(all);
    ASSERT_EQ(marks.size(), 11U);
    // Tick values run 0, 1, ... 10 from the far end back to the origin.
    for (std::size_t i = 0; i < marks.size(); ++i) {
        EXPECT_NEAR(marks[i].x, 16.0F - 1.5F * static_cast<float>(i), TOL);
    }
    const std::vector<Call> labels = named(all, "SYMBOL");
    EXPECT_NEAR(labels.front().numbers[0], 16.0F - 0.2F, TOL);  // "0" at the far end
    EXPECT_NEAR(labels.back().numbers[0], 1.0F - 0.4F, TOL);    // "10" centred on the origin
}

// Regression: a zero tick that the scaled arithmetic left at -1.5E-8 was numbered "-0".
TEST_F(AchseTest, ZeroTickIsNumberedWithoutSign) {
    const struct {
        float vfirst;
        float vstep;
        float vlast;
        std::vector<std::string> labels;
    } cases[] = {
        {0.00612095F, 0.0025F, -0.00578205F, {"-0.5", "-0.25", "0", "0.25", "0.5"}},
        {0.5F, 0.0025F, -0.16F, {"-0.16", "0", "0.16", "0.32", "0.48"}},
    };
    for (const auto& c : cases) {
        plotter::recorder_clear();
        axis(0.0F, 0.0F, "", 1, 15.0F, 0.0F, c.vfirst, c.vstep, c.vlast);
        EXPECT_EQ(label_texts(recorded_calls()), c.labels) << c.vfirst << " to " << c.vlast;
    }
}

TEST_F(AchseTest, VerticalAxisSidesAndLabelEdges) {
    // NC > 0 (left side of a frame): ticks towards +x, numbers left with their right edge SIZE away.
    axis(2.0F, 1.0F, "y", 1, 10.0F, 90.0F, 0.0F, 0.0F, 10.0F);
    std::vector<Call> all = recorded_calls();
    std::vector<Tick> marks = ticks(all);
    ASSERT_EQ(marks.size(), 6U);  // R 2: step 2
    for (const Tick& mark : marks) {
        EXPECT_NEAR(mark.x, 2.0F, TOL);
        EXPECT_NEAR(mark.end_x, 2.2F, TOL);
        EXPECT_NEAR(mark.end_y, mark.y, TOL);
    }
    for (const Call& label : named(all, "SYMBOL")) {
        EXPECT_NEAR(label.numbers[0] + label.numbers[4] * 0.4F, 2.0F - 0.4F, TOL) << label.text;
    }
    EXPECT_EQ(named(all, "SYMBLK").back().numbers[3], 90.0F);

    // NC < 0 (right side): ticks towards -x, numbers right with their left edge SIZE away.
    plotter::recorder_clear();
    axis(2.0F, 1.0F, "y", -1, 10.0F, 90.0F, 0.0F, 0.0F, 10.0F);
    all = recorded_calls();
    marks = ticks(all);
    ASSERT_EQ(marks.size(), 6U);
    for (const Tick& mark : marks) {
        EXPECT_NEAR(mark.end_x, 1.8F, TOL);
    }
    for (const Call& label : named(all, "SYMBOL")) {
        EXPECT_NEAR(label.numbers[0], 2.0F + 0.4F, TOL) << label.text;
    }
}

TEST_F(AchseTest, NegativeStepActsAsItsMagnitude) {
    axis(0.0F, 0.0F, "s", 1, 15.0F, 0.0F, 0.0F, -2.0F, 10.0F);
    const std::vector<std::string> negative = plotter::recorder_lines();
    plotter::recorder_clear();
    axis(0.0F, 0.0F, "s", 1, 15.0F, 0.0F, 0.0F, 2.0F, 10.0F);
    EXPECT_EQ(plotter::recorder_lines(), negative);
    EXPECT_EQ(ticks(recorded_calls()).size(), 6U);
}

TEST_F(AchseTest, NcZeroStillMeasuresAndWritesAnEmptyText) {
    axis(0.0F, 0.0F, "ignored", 0, 15.0F, 0.0F, 0.0F, 0.0F, 10.0F);
    const std::vector<Call> all = recorded_calls();
    const std::vector<Call> measured = named(all, "TEXTLK");
    ASSERT_EQ(measured.size(), 1U);
    EXPECT_EQ(measured[0].text, "");
    const std::vector<Call> written = named(all, "SYMBLK");
    ASSERT_EQ(written.size(), 1U);
    EXPECT_EQ(written[0].text, "");
    EXPECT_EQ(written[0].numbers[4], 0.0F);
    // Side factor +1: numbers above, ticks below.
    EXPECT_NEAR(ticks(all)[0].end_y, -0.2F, TOL);
    EXPECT_GT(named(all, "SYMBOL")[0].numbers[1], 0.0F);
}

TEST_F(AchseTest, TextLongerThanTheWorkingCopyIsCutTo255) {
    const std::string long_text(300, 'a');
    axis(0.0F, 0.0F, long_text, -400, 15.0F, 0.0F, 0.0F, 0.0F, 10.0F);
    const std::vector<Call> written = named(recorded_calls(), "SYMBLK");
    ASSERT_EQ(written.size(), 1U);
    EXPECT_EQ(written[0].text, std::string(255, 'a'));
    EXPECT_EQ(written[0].numbers[4], 255.0F);

    // A cut inside a character goes before it: 254 bytes, not 254 and half a micro sign.
    plotter::recorder_clear();
    axis(0.0F, 0.0F, std::string(254, 'a') + "\xC2\xB5m", -400, 15.0F, 0.0F, 0.0F, 0.0F, 10.0F);
    EXPECT_EQ(named(recorded_calls(), "SYMBLK")[0].text, std::string(254, 'a'));

    // Fewer characters than NC asks for are padded with blanks.
    plotter::recorder_clear();
    axis(0.0F, 0.0F, "ab", 4, 15.0F, 0.0F, 0.0F, 0.0F, 10.0F);
    EXPECT_EQ(named(recorded_calls(), "TEXTLK")[0].text, "ab  ");
}

// Horizontally the boxes are as wide as the widest number plus 2 characters, vertically they are
// 2 SIZE high: a number is left out while its box overlaps the last drawn one, and drawn numbers
// never overlap.
TEST_F(AchseTest, DenseNumbersAreThinnedWhileEveryTickStays) {
    const struct {
        float angle;
        float alen;
        float vstep;
        float vlast;
        float size;
        std::size_t tick_count;
        float box;  // extent of a spacing box along the axis, cm
        std::vector<std::string> labels;
    } cases[] = {
        // Widest number "9.75" (4) + 2 characters: 2.4 cm; ticks 0.375 cm apart, every 7th drawn.
        {0.0F, 15.0F, 0.25F, 10.0F, 0.4F, 41, 2.4F, {"0", "1.75", "3.5", "5.25", "7", "8.75"}},
        // Ticks 0.5 cm apart against boxes 0.8 cm high: every other one.
        {90.0F, 10.0F, 0.5F, 10.0F, 0.4F, 21, 0.8F, {"0", "1", "2", "3", "4", "5", "6", "7", "8", "9", "10"}},
        // Widest "0.0009" in fixed form (6) + 2: 1.6 cm. Regression: the general form "0.9" gave
        // 1 cm boxes, so numbers 1.2 cm wide were drawn 1.1 cm apart, overlapping.
        {0.0F, 11.0F, 0.0001F, 0.001F, 0.2F, 11, 1.6F, {"0", "0.0002", "0.0004", "0.0006", "0.0008", "0.001"}},
    };
    for (const auto& c : cases) {
        plotter::recorder_clear();
        ACHSIZ(c.size);
        axis(0.0F, 0.0F, "", -1, c.alen, c.angle, 0.0F, c.vstep, c.vlast);
        const std::vector<Call> all = recorded_calls();
        EXPECT_EQ(ticks(all).size(), c.tick_count) << c.angle;
        EXPECT_EQ(label_texts(all), c.labels) << c.angle;
        const std::vector<Call> labels = named(all, "SYMBOL");
        const bool vertical = c.angle != 0.0F;
        for (std::size_t i = 1; i < labels.size(); ++i) {
            const float previous_width = labels[i - 1].numbers[4] * c.size;
            const float width = labels[i].numbers[4] * c.size;
            const float previous =
                vertical ? labels[i - 1].numbers[1] : labels[i - 1].numbers[0] + previous_width / 2.0F;
            const float here = vertical ? labels[i].numbers[1] : labels[i].numbers[0] + width / 2.0F;
            EXPECT_GE(here - previous, c.box - TOL) << c.angle << ", " << labels[i].text;
            if (!vertical) {
                EXPECT_GE(here - previous, (previous_width + width) / 2.0F) << labels[i].text;
            }
        }
    }
}

TEST_F(AchseTest, LineOnlyAxisDrawsNoNumbersOrTexts) {
    ACHSE0(0.0F, 0.0F, -5, 15.0F, 0.0F, 0.0F, 0.0F, 5000000.0F);
    const std::vector<Call> all = recorded_calls();
    EXPECT_EQ(ticks(all).size(), 11U);
    EXPECT_TRUE(named(all, "SYMBOL").empty());
    EXPECT_TRUE(named(all, "SYMBLK").empty());
    EXPECT_TRUE(named(all, "TEXTLK").empty());
    EXPECT_EQ(plotter::recorder_lines().front(), "PLTSYN 1");
    EXPECT_EQ(plotter::recorder_lines().back(), "PLTSYN 0");
}

// Axes without a usable scale, or with absurdly many ticks, draw their line and (ACHSE) the axis
// text alone and return. Regression: the text was left out too.
TEST_F(AchseTest, DegenerateAxesFinishWithTheLineAndTheTextAlone) {
    const float inf = std::numeric_limits<float>::infinity();
    const float nan = std::numeric_limits<float>::quiet_NaN();
    const struct {
        const char* what;
        float alen;
        float vfirst;
        float vstep;
        float vlast;
        float size;
    } cases[] = {
        {"equal ends", 15.0F, 3.0F, 0.0F, 3.0F, 0.4F},
        {"zero length", 0.0F, 0.0F, 0.0F, 10.0F, 0.4F},
        {"NaN end", 15.0F, nan, 0.0F, 10.0F, 0.4F},
        {"infinite end", 15.0F, 0.0F, 0.0F, inf, 0.4F},
        {"NaN step", 15.0F, 0.0F, nan, 10.0F, 0.4F},
        {"infinite length", inf, 0.0F, 0.0F, 10.0F, 0.4F},
        {"tiny step", 15.0F, 0.0F, 1.0e-6F, 10.0F, 0.4F},
        {"100 001 steps", 15.0F, 0.0F, 0.0001F, 10.0001F, 0.4F},
        {"zero label height", 15.0F, 0.0F, 0.0F, 10.0F, 0.0F},
        {"infinite label height", 15.0F, 0.0F, 0.0F, 10.0F, inf},
        {"step below float resolution", 15.0F, 500000.0F, 1.0e-4F, 500000.03125F, 0.4F},
    };
    for (const auto& c : cases) {
        ACHSIZ(c.size);
        plotter::recorder_clear();
        const auto start = std::chrono::steady_clock::now();
        axis(1.0F, 1.0F, "text", -4, c.alen, 0.0F, c.vfirst, c.vstep, c.vlast);
        EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::milliseconds(100)) << c.what;
        const std::vector<Call> all = recorded_calls();
        ASSERT_EQ(all.size(), 6U) << c.what;
        EXPECT_EQ(plotter::recorder_lines()[0], "PLTSYN 1") << c.what;
        EXPECT_EQ(all[1].name, "PLOT") << c.what;
        EXPECT_EQ(plotter::recorder_lines()[2], "MPLOT 1 1 2 3") << c.what;
        EXPECT_EQ(all[3].name, "TEXTLK") << c.what;
        EXPECT_EQ(all[4].name, "SYMBLK") << c.what;
        EXPECT_EQ(all[4].text, "text") << c.what;
        EXPECT_EQ(plotter::recorder_lines()[5], "PLTSYN 0") << c.what;
    }

    // The text stands one label height clear of the line, centred along it.
    ACHSIZ(0.4F);
    for (const int nc : {-4, 4}) {
        plotter::recorder_clear();
        axis(1.0F, 1.0F, "text", nc, 15.0F, 0.0F, 3.0F, 0.0F, 3.0F);
        const std::vector<Call> texts = named(recorded_calls(), "SYMBLK");
        ASSERT_EQ(texts.size(), 1U);
        const float length = named(recorded_calls(), "TEXTLK")[0].numbers.back();
        EXPECT_NEAR(texts[0].numbers[0], 1.0F + (15.0F - length) / 2.0F, TOL);
        // Below the axis the base line is a further text height down.
        EXPECT_NEAR(texts[0].numbers[1], nc < 0 ? 1.0F - 0.8F : 1.0F + 0.4F, TOL) << nc;
    }
    plotter::recorder_clear();
    ACHSE0(1.0F, 1.0F, -4, 15.0F, 0.0F, 3.0F, 0.0F, 3.0F);
    EXPECT_EQ(plotter::recorder_lines().size(), 4U);
}

// Regression: more than 1000 steps gave a bare line without ticks, numbers or text.
TEST_F(AchseTest, ManyStepsAreStillDrawn) {
    const struct {
        float vstep;
        std::size_t tick_count;
    } cases[] = {{0.01F, 1001}, {0.0099F, 1011}, {0.002F, 5001}, {0.001F, 10001}};
    for (const auto& c : cases) {
        plotter::recorder_clear();
        axis(0.0F, 0.0F, "many", 4, 15.0F, 0.0F, 0.0F, c.vstep, 10.0F);
        const std::vector<Call> all = recorded_calls();
        const std::vector<Tick> marks = ticks(all);
        ASSERT_EQ(marks.size(), c.tick_count) << c.vstep;
        EXPECT_NEAR(marks.back().x, 15.0F * (static_cast<float>(c.tick_count - 1) * c.vstep) / 10.0F, 1e-3F);
        EXPECT_FALSE(named(all, "SYMBOL").empty()) << c.vstep;
        ASSERT_EQ(named(all, "SYMBLK").size(), 1U) << c.vstep;
        EXPECT_EQ(named(all, "SYMBLK")[0].text, "many");
    }
}

TEST_F(AchseTest, TinyRangesFinishQuicklyAndTickTheirEnds) {
    const struct {
        float vfirst;
        float vlast;
    } cases[] = {{0.0F, -1.0e-20F}, {-1.0e-20F, 0.0F}, {0.0F, 1.0e-20F}, {0.99999F, 0.999999F}, {-3.0e-38F, 1.0e-38F}};
    for (const auto& c : cases) {
        plotter::recorder_clear();
        const auto start = std::chrono::steady_clock::now();
        axis(0.0F, 0.0F, "", 1, 15.0F, 0.0F, c.vfirst, 0.0F, c.vlast);
        EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::milliseconds(100)) << c.vfirst;
        const std::vector<Tick> marks = ticks(recorded_calls());
        ASSERT_GE(marks.size(), 2U) << c.vfirst << " " << c.vlast;
        EXPECT_LE(marks.size(), 1001U);
        for (const Tick& mark : marks) {
            EXPECT_GE(mark.x, -1e-3F) << c.vfirst << " " << c.vlast;
            EXPECT_LE(mark.x, 15.0F + 1e-3F) << c.vfirst << " " << c.vlast;
        }
    }
}

TEST_F(AchseTest, StepOfHalfTheFloatRangeStillTicksZero) {
    // Regression: the extra step below the first multiple overflowed to -Inf, the index count of
    // the ticks to skip became Inf (converted to int: undefined) and the tick at 0 was lost.
    ACHSE0(2.0F, 2.0F, -1, 12.0F, 0.0F, -9.0F, -1.7014118e38F, 99.0F);
    const std::vector<Tick> marks = ticks(recorded_calls());
    ASSERT_EQ(marks.size(), 1U);
    EXPECT_GE(marks[0].x, 2.0F);
    EXPECT_LE(marks[0].x, 14.0F);
    EXPECT_EQ(marks[0].y, 2.0F);
}

TEST_F(AchseTest, AxisAtAnAngleKeepsItsGeometry) {
    axis(1.0F, 1.0F, "d", 1, 10.0F, 30.0F, 0.0F, 0.0F, 10.0F);
    const std::vector<Call> all = recorded_calls();
    const float a = 30.0F * 0.0174533F;
    const std::vector<Tick> marks = ticks(all);
    ASSERT_EQ(marks.size(), 6U);
    for (std::size_t i = 0; i < marks.size(); ++i) {
        const float t = 2.0F * static_cast<float>(i);
        EXPECT_NEAR(marks[i].x, 1.0F + t * std::cos(a), TOL);
        EXPECT_NEAR(marks[i].y, 1.0F + t * std::sin(a), TOL);
        EXPECT_NEAR(marks[i].end_x - marks[i].x, 0.2F * std::sin(a), TOL);
        EXPECT_NEAR(marks[i].end_y - marks[i].y, -0.2F * std::cos(a), TOL);
    }
    const Call text = named(all, "SYMBLK").back();
    EXPECT_NEAR(text.numbers[3], 30.0F, TOL);
}

// The range and steps the frame layout takes for data: numbered ends where the data fill 85 % of
// them, else ends on the ticks between the numbers, the coarser first; a fixed end stays.
TEST(LinearRange, EndsCloseToTheData) {
    struct Case {
        const char* what;
        float need_low, need_high;
        bool fixed_low, fixed_high;
        float alen;
        bool horizontal;
        float low, high, step, minor;
        bool numbered_ends = false;
    };
    const Case cases[] = {
        {"0 to 10 on numbered ticks", 0.0F, 10.0F, false, false, 15.0F, true, 0.0F, 10.0F, 2.0F, 0.0F},
        {"years numbered by 50 end on 25s", 1880.0F, 2023.0F, false, false, 15.0F, true, 1875.0F, 2025.0F, 50.0F,
         25.0F},
        {"a short axis numbers by 100", 1880.0F, 2023.0F, false, false, 7.0F, true, 1880.0F, 2040.0F, 100.0F, 20.0F},
        {"17 to 83 by tens ends on fives", 17.0F, 83.0F, false, false, 16.0F, true, 15.0F, 85.0F, 10.0F, 5.0F},
        {"twos: every second tick numbered", 0.53F, 1.37F, false, false, 16.0F, true, 0.5F, 1.4F, 0.2F, 0.1F},
        {"vertical: numbered ends filled 87 %", -0.38F, 0.92F, false, false, 5.0F, false, -0.5F, 1.0F, 0.5F, 0.0F},
        {"counts from 0 end on a tick between the numbers", 0.0F, 41.0F, true, false, 6.0F, false, 0.0F, 45.0F, 10.0F,
         5.0F},
        {"or on a numbered one when asked", 0.0F, 41.0F, true, false, 6.0F, false, 0.0F, 50.0F, 10.0F, 0.0F, true},
        {"a fixed low end stays", 1880.0F, 2023.0F, true, false, 15.0F, true, 1880.0F, 2025.0F, 50.0F, 25.0F},
    };
    for (const Case& c : cases) {
        const diagr::scale::LinearRange r = diagr::scale::linear_range(
            c.need_low, c.need_high, c.fixed_low, c.fixed_high, c.alen, 0.4F, c.horizontal, c.numbered_ends);
        EXPECT_TRUE(r.numbered) << c.what;
        EXPECT_EQ(r.low, c.low) << c.what;
        EXPECT_EQ(r.high, c.high) << c.what;
        EXPECT_EQ(r.step, c.step) << c.what;
        EXPECT_EQ(r.minor, c.minor) << c.what;
    }
}

}  // namespace
