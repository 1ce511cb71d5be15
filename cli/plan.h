// The plan step of the diagr command: the curves as drawn with their pens, styles and names, the
// bins of histograms, and for each diagram its axes' ranges and ticks, the legend's place and the
// frame's place on the plot.
#pragma once

#include <cstddef>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "options.h"
#include "read.h"

namespace cli {

// Height of the legend's texts, cm.
inline constexpr float kLegendHeight = 0.35F;
// Entries the legend holds.
inline constexpr std::size_t kLegendEntries = 16;
// The pen of a diagram's first curve; the next curves take the pens after it (blue, green, orange,
// ...; the palette wraps after 15).
inline constexpr int kFirstCurvePen = 3;
// Pens of the palette: the 16th curve of a diagram takes the first curve's pen again, in a look of
// its own (dashed, where the first is solid).
inline constexpr std::size_t kCurvePens = 15;

// One axis: the range the data (and the bounds given) ask for, then the range and step chosen.
struct AxisPlan {
    bool log = false;
    bool time = false;      // a calendar axis: values are seconds after ORIGIN
    double origin = 0.0;    // seconds since 1970-01-01 UTC
    float need_low = 0.0F;  // the range to cover: a given bound, or the data's extreme
    float need_high = 0.0F;
    bool fixed_low = false;
    bool fixed_high = false;
    float low = 0.0F;  // the axis: its ends and tick step (0 on a logarithmic or unnumbered axis)
    float high = 0.0F;
    float step = 0.0F;
    float minor = 0.0F;          // the step of unnumbered ticks between the numbered ones (0 none)
    bool numbered = true;        // false: no step of 1, 2 or 5 numbers its ticks apart in single precision
    bool numbered_ends = false;  // the ends on numbered ticks only, however little the data fill
};

// The frame on the plot: lower-left corner and size, cm.
struct FramePlace {
    float x0 = 0.0F;
    float y0 = 0.0F;
    float xlen = 0.0F;
    float ylen = 0.0F;
};

// One curve as drawn: a data set of one file's columns, with its pen, look and legend text.
struct Item {
    const Curve* curve = nullptr;
    std::size_t file = 0;
    std::size_t begin = 0;
    std::size_t end = 0;
    int set = 0;               // 1, 2, ... where the curve has several data sets, else 0
    int pen = kFirstCurvePen;  // the next pen for every curve of its diagram
    float mode = 0.0F;
    Shape shape = Shape::line;
    int where = 2;  // of a step curve: STEPS's IWHERE
    std::optional<std::string> title;
    std::vector<float> counted;  // of a histogram: its finite values within the bins

    bool bars() const { return curve->bars; }

    std::span<const float> of(const std::vector<float>& values) const {
        return std::span<const float>(values).subspan(begin, end - begin);
    }
};

// One diagram ready to draw: its curves and axes, and the frame.
struct Diagram {
    std::vector<Item*> items;
    AxisPlan x;
    AxisPlan y;
    FramePlace frame;
    int key = -1;  // the legend's place (key_position), -1 none
    int bins = 0;  // with --hist: the bins every histogram counts into, from BINS_LOW to BINS_HIGH
    float bins_low = 0.0F;
    float bins_high = 0.0F;
};

// Every diagram to draw, one per page, on plots of WIDTH x HEIGHT cm.
struct Plan {
    std::vector<Item> items;  // the diagrams' curves point here
    std::vector<Diagram> diagrams;
    float width = 0.0F;
    float height = 0.0F;
};

// Why no plan was made: the data give an axis nothing to cover, or the options ask for what cannot
// be drawn.
enum class PlanFailure { none, data, option };

// Plans the diagrams of CURVES (which must outlive PLAN) as OPTIONS ask, and fills in the axis texts
// and the title the options leave open. On failure writes the reason (and the usage line after a
// bad option).
PlanFailure make_plan(Options& options, const std::vector<Curve>& curves, Plan& plan);

// The part of a legend text LEGADD keeps: its first 80 bytes, cut before a character that would
// not fit whole.
std::string_view legend_text(const std::string& text);

}  // namespace cli
