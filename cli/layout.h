// The diagram of the diagr command laid out: data ranges over several curves, and the frame placed
// on the plot so that the axis numbers, the axis texts and the title fit beside it.
#pragma once

#include <optional>

#include "axis_scale.h"

namespace cli {

// One coordinate's bounds. A bound left unset is taken from the data.
struct Bounds {
    std::optional<float> low;
    std::optional<float> high;
};

// Extremes of the finite values of one coordinate over any number of curves, as DIAGR takes them.
using Extremes = diagr::scale::Extremes;

// The range DIAGR takes from data with these extremes (a tenth of the spread added on each side;
// all values v alike give 0.9 v to 1.09 v, all zero -1 to 1), with the bounds the caller fixed put
// in place of the computed ones. False when no bound can be had: an open bound and no finite value.
bool complete_range(const Extremes& extremes, const Bounds& given, float& low, float& high);

// What stands around the frame, for its placement.
struct Surroundings {
    bool x_text = false;
    bool y_text = false;
    bool title = false;
};

// The frame on the plot: lower-left corner and size, cm.
struct FramePlace {
    float x0 = 0.0F;
    float y0 = 0.0F;
    float xlen = 0.0F;
    float ylen = 0.0F;
};

// Places the frame on a WIDTH x HEIGHT cm plot for the ranges XMIN..XMAX and YMIN..YMAX, leaving
// room for what the axes will write (numbers as wide as the automatic steps make them, the
// power-of-ten factors, the texts) at the label heights of the plot state. Empty when the plot is
// too small for a frame of at least 2 x 2 cm.
std::optional<FramePlace> place_frame(float width, float height, float xmin, float xmax, float ymin, float ymax,
                                      const Surroundings& around);

}  // namespace cli
