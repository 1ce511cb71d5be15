// Internal: the rules that choose an axis's range and numbering, in one place for DIAGR, the axis
// routines and the diagr command's frame layout (which must foresee what the axes will write).
// Not installed: it is no part of the routines' calling convention.
#pragma once

#include <span>

namespace diagr::scale {

// Extremes of the finite values taken so far; 1.0E37 and -1.0E37 (a reversed range) before any.
struct Extremes {
    float low = 1.0E37F;
    float high = -1.0E37F;
    bool any = false;

    // Takes the finite values among VALUES; NaN and infinities are left out, as curves leave them out.
    void take(std::span<const float> values);
};

// The range DIAGR takes from data with these extremes, in single precision: a tenth of the spread
// added on each side.
// - No values leave the start values 1.0E37 and -1.0E37, which the margin turns into about 1.2E37
//   and -1.2E37: a reversed but finite range whose scale (about 3E-37 cm per unit) is still a
//   normal float, so mapping and its inverse stay finite.
// - All values v equal: 0.9 v to 1.09 v (the second margin is taken from the lowered bound).
// - All values 0 (or so small that the margins vanish): v - 1 to v + 1, i.e. -1 to 1.
// - A spread or margin too wide for a float is held to the largest float instead of becoming
//   infinite.
void range_with_margin(const Extremes& extremes, float& low, float& high);

// The range of a logarithmic axis for positive data from SMALLEST to LARGEST: out to whole decades
// (3..700 gives 1..1000), or for data within one decade, or everywhere unless DECADES, out to the
// nearest 1, 2 or 5 times a power of ten (0.45..0.46 gives 0.2..0.5; a single value 2 gives 1..5;
// 18..1020 without DECADES 10..2000). Held to the float range; a float within rounding of such a
// value counts as it.
void log_range(double smallest, double largest, float& low, float& high, bool decades = true);

// How an axis from VFIRST to VLAST, ALEN cm long, is numbered at label height SIZE with the step
// VSTEP (0: automatic). Values marked "scaled" are divided by 10**EXPONENT, as the numbers are.
struct AxisNumbering {
    // False when there is no usable scale: the axis is then its line alone (no ticks, numbers or
    // factor), and none of the other fields counts.
    bool usable = false;
    // The common power of ten; a factor "* 10**EXPONENT" is written when it is not 0.
    int exponent = 0;
    float vmin = 0.0F;       // smaller scaled end value
    float vmax = 0.0F;       // larger scaled end value
    float step = 0.0F;       // scaled step between ticks, > 0
    float step_cm = 0.0F;    // the step along the axis, cm (negative on a reversed axis)
    float v0 = 0.0F;         // scaled value of tick index 0: a multiple of the step at or below VMIN
    float t0 = 0.0F;         // its distance from the axis's start, cm
    float tolerance = 0.0F;  // how far outside VMIN..VMAX a tick may fall and still count
    int start_index = 0;     // the first tick index worth trying
    // Character cells kept for every number: two more than the longer of the general and the fixed
    // form of the last tick and the one before it.
    int widest = 0;
};

AxisNumbering number_axis(float vfirst, float vstep, float vlast, float alen, float size);

// The range and steps of a linear axis ALEN cm long, numbers SIZE high, for values from NEED_LOW
// to NEED_HIGH (either end kept as it is when FIXED): the smallest step of 1, 2 or 5 times a power
// of ten whose numbers all keep their room (across, on a HORIZONTAL axis, the numbers' width;
// along a vertical one, two heights) and tell their ticks apart, the free ends moved out to
// numbered ticks (0 to 10 gives 0 to 10). Where the data would fill less than 85 % of that, the
// ends move in to ticks of a finer step between the numbers (every second or fifth tick
// numbered, 1, 2, 2.5 or 5 times a power of ten apart, at least 0.15 cm apart), the coarser where
// the data fill enough of it: years 1880 to 2023 numbered every 50 years give 1875 to 2025.
// NUMBERED_ENDS keeps the ends on numbered ticks (a histogram's counts up to a numbered tick).
struct LinearRange {
    float low = 0.0F;
    float high = 0.0F;
    float step = 0.0F;      // between numbered ticks; 0 when not NUMBERED
    float minor = 0.0F;     // between the unnumbered ticks, 0 for none
    bool numbered = false;  // false: no step numbers the range apart in single precision
};

LinearRange linear_range(float need_low, float need_high, bool fixed_low, bool fixed_high, float alen, float size,
                         bool horizontal, bool numbered_ends = false);

// Upper bound of the tick loop: the usable scales have at most 100 000 steps (plus the ends).
inline constexpr int MAX_TICK_ITERATIONS = 100003;

// Calls VISIT(value, along) for every tick of a usable numbering in order: its scaled value and its
// distance from the axis's start in cm. Ticks within the tolerance outside the range count. An
// axis without a usable scale has no ticks.
template <typename Visit>
void for_each_tick(const AxisNumbering& axis, Visit&& visit) {
    if (!axis.usable) {
        return;
    }
    for (int i = axis.start_index; i < axis.start_index + MAX_TICK_ITERATIONS; ++i) {
        const float fi = static_cast<float>(i);
        const float v = axis.v0 + fi * axis.step;
        const float t = axis.t0 + fi * axis.step_cm;
        if (v < axis.vmin - axis.tolerance) {
            continue;
        }
        if (v > axis.vmax + axis.tolerance) {
            break;
        }
        visit(v, t);
    }
}

}  // namespace diagr::scale
