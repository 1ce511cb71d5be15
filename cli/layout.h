// The diagram of the diagr command laid out: each axis's range and tick step, and the frame placed
// on the plot so that the axis numbers, the axis texts, the title and the legend fit beside it.
#pragma once

#include <optional>
#include <string>

#include "axis_scale.h"

namespace cli {

// One coordinate's bounds. A bound left unset is taken from the data.
struct Bounds {
    std::optional<float> low;
    std::optional<float> high;
};

// Extremes of the values of one coordinate over any number of curves.
using Extremes = diagr::scale::Extremes;

// One axis: the range the data (and the bounds given) ask for, then the range and step chosen.
struct AxisPlan {
    bool log = false;
    float need_low = 0.0F;  // the range to cover: a given bound, or the data's extreme
    float need_high = 0.0F;
    bool fixed_low = false;
    bool fixed_high = false;
    float low = 0.0F;  // the axis: its ends and tick step (0 on a logarithmic or unnumbered axis)
    float high = 0.0F;
    float step = 0.0F;
    bool numbered = true;  // false: no step of 1, 2 or 5 numbers its ticks apart in single precision
};

// What the axis must cover, from the data's EXTREMES (for a logarithmic axis the positive ones)
// and the bounds GIVEN. Returns the reason when there is nothing to cover: "no finite value to take
// a range from", or "the x range is empty (--range gives 20, the data 10)".
std::string cover(const Extremes& extremes, const Bounds& given, bool log, char axis, AxisPlan& plan);

// Chooses the range and the step of a linear axis ALEN cm long with numbers SIZE high: the
// smallest step of 1, 2 or 5 times a power of ten whose numbers all keep their room (across, on
// a HORIZONTAL axis, the numbers' width; along a vertical one, two heights) and tell their ticks
// apart, the free ends moved out to ticks of it (data from 0 to 10 give 0 to 10). A logarithmic axis ends at the
// nearest 1, 2 or 5 times a power of ten (where it has short ticks) and takes no step: a bar reaching just past 1000
// adds up to 2000, not another decade.
void choose_ticks(AxisPlan& plan, float alen, float size, bool horizontal);

// What stands around the frame, for its placement.
struct Surroundings {
    bool x_text = false;
    bool y_text = false;
    bool title = false;
    float right = 0.0F;  // room for a legend right of the frame, cm
};

// The frame on the plot: lower-left corner and size, cm.
struct FramePlace {
    float x0 = 0.0F;
    float y0 = 0.0F;
    float xlen = 0.0F;
    float ylen = 0.0F;
};

// Places the frame on a WIDTH x HEIGHT cm plot and chooses both axes' ticks for it, leaving room
// for what the axes will write at the label heights of the plot state. Empty when the plot is too
// small for a frame of at least 2 x 2 cm.
std::optional<FramePlace> lay_out(float width, float height, AxisPlan& x, AxisPlan& y, const Surroundings& around);

}  // namespace cli
