// Ranges over several curves and the frame's place on the plot for the diagr command.
#include "layout.h"

#include <algorithm>

#include "diagr.h"

namespace cli {

namespace {

// Room kept free along the plot's edges, cm.
constexpr float kEdge = 0.2F;
// Extent of a line of text beyond its base line, in capital heights: up past superscripts,
// and down past descenders and subscripts.
constexpr float kRise = 1.5F;
constexpr float kFall = 0.5F;
// Smallest frame side worth drawing, cm.
constexpr float kSmallestSide = 2.0F;

// What a numbered axis from VFIRST to VLAST, ALEN cm long, writes at label height SIZE with the
// automatic step, as the axis routine numbers it: the cells its numbers reach out from the axis (the
// cells it keeps for every number, or a longer number's own), the characters of its first and last
// numbers, and whether a power-of-ten factor is written.
struct AxisNumbers {
    int widest = 0;
    int first_chars = 0;
    int last_chars = 0;
    bool factor = false;
};

AxisNumbers axis_numbers(float vfirst, float vlast, float alen, float size) {
    const diagr::scale::AxisNumbering numbering = diagr::scale::number_axis(vfirst, 0.0F, vlast, alen, size);
    AxisNumbers numbers;
    numbers.factor = numbering.usable && numbering.exponent != 0;
    numbers.widest = numbering.widest;
    bool first = true;
    diagr::scale::for_each_tick(numbering, [&](float value, float) {
        char label[8];
        int fixed_chars = 0;
        int unused = 0;
        FSTELLE(value, label, fixed_chars, unused, 8);
        numbers.widest = std::max(numbers.widest, fixed_chars);
        if (first) {
            numbers.first_chars = fixed_chars;
            first = false;
        }
        numbers.last_chars = fixed_chars;
    });
    return numbers;
}

}  // namespace

bool complete_range(const Extremes& extremes, const Bounds& given, float& low, float& high) {
    if (given.low && given.high) {
        low = *given.low;
        high = *given.high;
        return true;
    }
    if (!extremes.any) {
        return false;
    }
    float vmin = 0.0F;
    float vmax = 0.0F;
    diagr::scale::range_with_margin(extremes, vmin, vmax);
    low = given.low.value_or(vmin);
    high = given.high.value_or(vmax);
    return true;
}

std::optional<FramePlace> place_frame(float width, float height, float xmin, float xmax, float ymin, float ymax,
                                      const Surroundings& around) {
    const float xs = PLTPAR.IXLAB != 0 ? PLTPAR.XLSIZE : 0.0F;
    const float ys = PLTPAR.IYLAB != 0 ? PLTPAR.YLSIZE : 0.0F;
    const float ts = PLTPAR.TSIZE;

    // Below the frame: numbers 1.5 to 2 heights down, then the factor and the text under them.
    float below = 0.5F * ys;
    const AxisNumbers x_first_guess = axis_numbers(xmin, xmax, width / 2.0F, xs);
    if (xs > 0.0F) {
        below = 2.0F * xs;
        float off = 4.0F * xs;
        if (x_first_guess.factor) {
            off += xs / 2.0F;
            below = off + kFall * xs;
            off += 2.0F * xs;
        }
        if (around.x_text) {
            below = off + kFall * xs;
        }
    }
    // Above it: the title, its height above the frame, or half a number of the left axis.
    const float above = around.title ? ts + kRise * ts : 0.5F * ys;

    FramePlace place;
    place.y0 = kEdge + below;
    place.ylen = height - place.y0 - above - kEdge;

    // Left of it: the numbers, then the factor and the text, each a text height further out.
    float left = 0.0F;
    if (ys > 0.0F) {
        const AxisNumbers y = axis_numbers(ymin, ymax, place.ylen, ys);
        left = ys + static_cast<float>(y.widest) * ys;
        float off = 2.0F * ys + static_cast<float>(y.widest) * ys;
        if (y.factor) {
            left = off + kRise * ys;
            off += 2.0F * ys + ys / 3.0F;
        }
        if (around.y_text) {
            left = off + kRise * ys;
        }
    }
    // Left and right of it, the first and last numbers of the bottom axis, centred on their ticks;
    // their width depends on the frame's, so the width is settled in two rounds.
    place.x0 = kEdge + left;
    place.xlen = width - place.x0 - kEdge;
    for (int round = 0; round < 2 && xs > 0.0F; ++round) {
        const AxisNumbers x = axis_numbers(xmin, xmax, place.xlen, xs);
        place.x0 = kEdge + std::max(left, 0.5F * static_cast<float>(x.first_chars) * xs);
        place.xlen = width - place.x0 - 0.5F * static_cast<float>(x.last_chars) * xs - kEdge;
    }
    if (!(place.xlen >= kSmallestSide) || !(place.ylen >= kSmallestSide)) {
        return std::nullopt;
    }
    return place;
}

}  // namespace cli
