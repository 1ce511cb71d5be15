// The rules that choose an axis's range and numbering: DIAGR's range from the data, and an axis's
// power of ten, step, ticks and number width.
//
// The end values are divided by the common power of ten in double and rounded once to single, as
// the labels are, so the scaled ends keep every digit of the floats.
//
// Choices where the written steps alone would mislabel or fail:
// - An axis with one end 0 takes its power of ten from the other end when five decimals cannot
//   write its ticks (a step below 0.00001, or not a whole number of 0.00001): 0 to 5E-6 is numbered
//   0 to 0.5 with the factor 10**-5, where fixed-form numbers would all read 0. Where five decimals
//   show every tick (0 to 0.005), the power stays 0 and the numbers are fixed-form.
// - The width estimate of the numbers counts the longer of the general and the fixed form of the
//   last two ticks: the numbers are drawn in fixed form, which is the longer one below 0.01.
// - There is no usable scale when VFIRST equals VLAST (after taking out the common power of ten),
//   ALEN is 0, an argument or the label height is not finite, or the step is zero or not finite.
// - The tick count is bounded far beyond any visible axis: a step so small that the range holds
//   more than 100 000 of them (MAX_STEPS), or finer than 1/2**24 of the end values (a float no
//   longer tells neighbouring ticks apart), is no usable scale either. Indices below the range are
//   skipped arithmetically, so the tick loop never runs more than MAX_STEPS + 3 times.
// - A step above half the float range would make the extra step below the first multiple
//   overflow to -Inf; the first multiple at or below VMIN is kept instead.
// - When floor(VMIN) is more than 2**24 steps from VMIN (a tiny range below zero), the first tick is
//   the multiple of the step at or below VMIN, taken directly.
// - A tick value within a thousandth of a step outside the range counts as inside it, so rounding of
//   the scaled values (0.005 / 0.01, 10 x 0.0005) never drops the tick at an end of the axis.
#include "axis_scale.h"

#include <algorithm>
#include <cfloat>
#include <cmath>
#include <cstring>

#include "diagr.h"
#include "power_of_ten.h"

namespace diagr::scale {

namespace {

constexpr int LABEL_LEN = 8;
constexpr float MAX_STEPS = 100000.0F;
// 2**24: beyond this many steps per end value a float cannot separate neighbouring ticks.
constexpr float MAX_STEPS_IN_VALUE = 16777216.0F;
constexpr float STEP_TOLERANCE = 1.0e-3F;
// The fixed form of the numbers writes five decimals.
constexpr double FIXED_FORM_UNITS = 100000.0;

float finite_or_largest(float value) {
    if (std::isfinite(value)) {
        return value;
    }
    return value < 0.0F ? -FLT_MAX : FLT_MAX;
}

// 10 to the power |K|, by repeated multiplication (exact up to 10**10).
float positive_power_of_ten(int k) { return repeated_power_of_ten(k < 0 ? -k : k); }

// The automatic step for a range in scaled units: the raw step that divides the axis into parts of
// SIZE / 0.8 cm, replaced by 1, 2 or 5 times a power of ten. Returns 0 when there is none.
float automatic_step(float f1, float f2, float alen, float size) {
    const float raw = std::fabs((f2 - f1) * 0.8F / alen / size);
    if (!std::isfinite(raw) || raw <= 0.0F) {
        return 0.0F;
    }
    const float logarithm = std::log10(raw);
    const int k = logarithm < 0.0F ? static_cast<int>(logarithm - 0.9F) : static_cast<int>(logarithm + 0.1F);
    const float power = positive_power_of_ten(k);
    // Negative powers are applied as divisions by the positive power, so steps like 0.02 are the
    // floats nearest to their decimal values.
    const float quotient = k < 0 ? raw * power : raw / power;
    float multiple = 1.0F;
    if (quotient > 3.5F) {
        multiple = 5.0F;
    } else if (quotient > 1.5F) {
        multiple = 2.0F;
    }
    return k < 0 ? multiple / power : multiple * power;
}

// Whether the fixed form (five decimals) writes every multiple of STEP as it is: the step is a
// whole number of 0.00001, to within the rounding of a float.
bool fixed_form_shows_step(float step) {
    const double units = static_cast<double>(step) * FIXED_FORM_UNITS;
    return units >= 0.5 && std::fabs(units - std::round(units)) <= 1.0e-4 * units;
}

// Two more than the longer of the general (STELLE) and the fixed (FSTELLE) form of VALUE: the cells
// an axis keeps for a number.
int label_cells(float value) {
    char label[LABEL_LEN];
    int general_count = 0;
    int fixed_count = 0;
    int unused_exponent = 0;
    STELLE(value, label, general_count, unused_exponent, LABEL_LEN);
    FSTELLE(value, label, fixed_count, unused_exponent, LABEL_LEN);
    return 2 + std::max(general_count, fixed_count);
}

// Relative slack of the float nearest a decade or a 1, 2, 5 value (1E-20F lies below 10**-20).
constexpr double FLOAT_SLACK = 1.0E-6;

// The nearest of 1, 2 and 5 times a power of ten at or below VALUE (> 0), or above it when ABOVE;
// a float that is such a value within its rounding counts as it.
double one_two_five(double value, bool above) {
    const double decade = std::pow(10.0, std::floor(std::log10(value) + FLOAT_SLACK));
    const double steps[] = {1.0, 2.0, 5.0, 10.0};
    if (above) {
        for (const double m : steps) {
            if (m * decade >= value * (1.0 - FLOAT_SLACK)) {
                return m * decade;
            }
        }
        return 10.0 * decade;
    }
    for (int i = 3; i >= 0; --i) {
        if (steps[i] * decade <= value * (1.0 + FLOAT_SLACK)) {
            return steps[i] * decade;
        }
    }
    return decade / 2.0;
}

float to_float_range(double value) {
    return static_cast<float>(std::fmin(std::fmax(value, static_cast<double>(FLT_TRUE_MIN)), FLT_MAX));
}

}  // namespace

void Extremes::take(std::span<const float> values) {
    for (const float v : values) {
        if (!std::isfinite(v)) {
            continue;
        }
        any = true;
        if (v < low) {
            low = v;
        }
        if (v > high) {
            high = v;
        }
    }
}

void range_with_margin(const Extremes& extremes, float& low, float& high) {
    float vmin = extremes.low;
    float vmax = extremes.high;
    float D = 0.1F * (vmax - vmin);
    if (!std::isfinite(D)) {
        D = 0.1F * vmax - 0.1F * vmin;
    }
    vmin = finite_or_largest(vmin - D);
    vmax = finite_or_largest(vmax + D);
    if (vmin == vmax) {
        vmin = vmin - 0.1F * vmin;
        vmax = vmax + 0.1F * vmin;
    }
    if (vmin == vmax) {
        const float v = vmin;
        vmin = v - 1.0F;
        vmax = v + 1.0F;
    }
    low = vmin;
    high = vmax;
}

void log_range(double smallest, double largest, float& low, float& high, bool decades) {
    double lo = std::pow(10.0, std::floor(std::log10(smallest) + FLOAT_SLACK));
    double hi = std::pow(10.0, std::ceil(std::log10(largest) - FLOAT_SLACK));
    if (!decades || largest < 10.0 * smallest) {
        lo = one_two_five(smallest, false);
        hi = one_two_five(largest, true);
    }
    if (lo == hi) {
        lo = one_two_five(lo * 0.99, false);
        hi = one_two_five(hi * 1.01, true);
    }
    low = to_float_range(lo);
    high = to_float_range(hi);
    if (low == high) {
        high = to_float_range(hi * 10.0);
    }
}

AxisNumbering number_axis(float vfirst, float vstep, float vlast, float alen, float size) {
    AxisNumbering axis;

    // Common power of ten of the two end values.
    char label[LABEL_LEN];
    int nch = 0;
    int exponent_first = 0;
    int exponent_last = 0;
    STELLE(vfirst, label, nch, exponent_first, LABEL_LEN);
    STELLE(vlast, label, nch, exponent_last, LABEL_LEN);
    int exponent = exponent_first > exponent_last ? exponent_first : exponent_last;
    // From 0 to a small value the power stays 0 only where five decimals can write the ticks.
    const bool one_end_zero = (vfirst == 0.0F) != (vlast == 0.0F);
    const int other_exponent = vfirst == 0.0F ? exponent_last : exponent_first;
    if (one_end_zero && other_exponent < 0) {
        const float unscaled_step = vstep != 0.0F ? std::fabs(vstep) : automatic_step(vfirst, vlast, alen, size);
        if (!fixed_form_shows_step(unscaled_step)) {
            exponent = other_exponent;
        }
    }
    axis.exponent = exponent;
    const float f1 = static_cast<float>(divide_by_power_of_ten(vfirst, exponent));
    const float f2 = static_cast<float>(divide_by_power_of_ten(vlast, exponent));

    const bool arguments_finite = std::isfinite(alen) && std::isfinite(vfirst) && std::isfinite(vstep) &&
                                  std::isfinite(vlast) && std::isfinite(size);
    if (!arguments_finite || !std::isfinite(f1) || !std::isfinite(f2) || f1 == f2 || alen == 0.0F) {
        return axis;
    }

    const bool reversed = f2 < f1;
    const float vmin = reversed ? f2 : f1;
    const float vmax = reversed ? f1 : f2;

    // A given step far above the scaled range may leave the float range: it is then infinite.
    const double given_step = divide_by_power_of_ten(std::fabs(vstep), exponent);
    const float dv = vstep == 0.0F           ? automatic_step(f1, f2, alen, size)
                     : given_step <= FLT_MAX ? static_cast<float>(given_step)
                                             : HUGE_VALF;
    const float u = (f2 - f1) / alen;
    const float dc = dv / u;
    const float steps = std::fabs(f2 - f1) / dv;
    const float largest_end = std::fabs(f1) > std::fabs(f2) ? std::fabs(f1) : std::fabs(f2);
    if (!std::isfinite(dv) || !(dv > 0.0F) || !std::isfinite(u) || u == 0.0F || !std::isfinite(dc) || dc == 0.0F ||
        !(steps <= MAX_STEPS) || !(largest_end / dv < MAX_STEPS_IN_VALUE)) {
        return axis;
    }

    // First tick: a multiple of the step at or below the smaller end value.
    const float li = static_cast<float>(LINT(vmin));
    float v0;
    if (std::fabs(li / dv) < MAX_STEPS_IN_VALUE) {
        v0 = dv * static_cast<float>(LINT(li / dv));
        // One step lower still, unless that overflows (a step above half the float range): V0 is
        // already a multiple at or below VMIN, and -Inf would lose every tick.
        if (li <= 0.0F && vmin < 0.0F && std::isfinite(v0 - dv)) {
            v0 = v0 - dv;
        }
    } else {
        // A tiny negative range (0 to -1E-20, say): floor(VMIN) = -1 is too many steps away to
        // count in; take the multiple of the step at or below VMIN directly.
        v0 = dv * std::floor(vmin / dv);
    }
    float t0 = (v0 - vmin) / u;
    if (reversed) {
        t0 = t0 + alen;
    }

    // A tick within a thousandth of a step of an end value belongs to the axis: single-precision
    // scaling and step products (0.005 / 0.01, 10 x 0.0005) miss the end by an ulp or so.
    const float tolerance = dv * STEP_TOLERANCE;

    // Widest number, from the last tick and the one before it, in the longer of the two forms.
    const float whole_steps = std::trunc(steps + STEP_TOLERANCE);
    const float v_end = v0 + whole_steps * dv;
    const float v_before = v_end - dv;
    axis.widest = std::max(label_cells(v_end), label_cells(v_before));

    // Indices whose value lies below the range draw nothing; start just before the first that counts.
    // V0 + i * DV grows with i, so everything before a value still below VMIN is below it too.
    const int first_index = (v0 == f1 || v0 == f2) ? 0 : 1;
    int start_index = first_index;
    // The count is converted only when it is a sensible index (it is neither NaN nor beyond int).
    const float skip = std::floor((vmin - v0) / dv) - 2.0F;
    if (skip > static_cast<float>(first_index) && skip < MAX_STEPS_IN_VALUE && v0 + skip * dv < vmin - tolerance) {
        start_index = static_cast<int>(skip);
    }

    axis.usable = true;
    axis.vmin = vmin;
    axis.vmax = vmax;
    axis.step = dv;
    axis.step_cm = dc;
    axis.v0 = v0;
    axis.t0 = t0;
    axis.tolerance = tolerance;
    axis.start_index = start_index;
    return axis;
}

namespace {

// Numbers need their room and a little more: the axis measures the same distances in single
// precision, and numbers that just touch may count as overlapping there, cm.
constexpr float ROOM_SLACK = 1.0e-3F;
// Data filling less of an axis ending on numbered ticks move its ends in to unnumbered ones.
constexpr double LEAST_FILL = 0.85;
// Closer than this (cm) unnumbered ticks would blur into a comb.
constexpr double CLOSEST_MINOR_TICKS = 0.15;
// Steps tried, in powers of ten below and above the range's own.
constexpr int FINEST_POWER = -3;
constexpr int COARSEST_POWER = 6;

// Whether the step STEP numbers the axis from LOW to HIGH with every number in its room and no
// two neighbours alike, and at least two of them.
bool numbers_fit(float low, float high, float step, float alen, float size, bool horizontal) {
    const AxisNumbering numbering = number_axis(low, step, high, alen, size);
    if (!numbering.usable) {
        return false;
    }
    const float room = horizontal ? static_cast<float>(numbering.widest) * size : 2.0F * size;
    if (std::fabs(numbering.step_cm) < room + ROOM_SLACK) {
        return false;
    }
    int ticks = 0;
    char last[LABEL_LEN];
    int last_count = 0;
    bool apart = true;
    for_each_tick(numbering, [&](float value, float) {
        char text[LABEL_LEN];
        int count = 0;
        int unused = 0;
        FSTELLE(value, text, count, unused, LABEL_LEN);
        count = std::clamp(count, 0, LABEL_LEN);
        apart = apart &&
                (ticks == 0 || count != last_count || std::memcmp(text, last, static_cast<std::size_t>(count)) != 0);
        std::memcpy(last, text, static_cast<std::size_t>(count));
        last_count = count;
        ++ticks;
    });
    return apart && ticks >= 2;
}

struct Need {
    double low;
    double high;
    bool fixed_low;
    bool fixed_high;
    bool numbered_ends;

    // The ends out to multiples of STEP, the fixed ones kept.
    void ends_on(double step, float& out_low, float& out_high) const {
        out_low = static_cast<float>(fixed_low ? low : std::floor(low / step) * step);
        out_high = static_cast<float>(fixed_high ? high : std::ceil(high / step) * step);
    }
    double fill(double from, double to) const { return (high - low) / (to - from); }
};

// Tries the numbered step STEP: numbered ends where the data fill enough of them, else ends on the
// finer ticks between the numbers, else numbered ends again. True with RANGE set when the numbers
// fit on the range taken.
bool try_step(const Need& need, double step, float alen, float size, bool horizontal, LinearRange& range) {
    const auto fstep = static_cast<float>(step);
    float low = 0.0F;
    float high = 0.0F;
    need.ends_on(step, low, high);
    if (!std::isfinite(low) || !std::isfinite(high) || !std::isfinite(fstep) || !(fstep > 0.0F)) {
        return false;
    }
    const bool numbered_fit = numbers_fit(low, high, fstep, alen, size, horizontal);
    double best = need.fill(low, high);
    if (numbered_fit && (best >= LEAST_FILL || need.numbered_ends)) {
        range = {low, high, fstep, 0.0F, true};
        return true;
    }
    bool found = false;
    if (!(need.fixed_low && need.fixed_high) && !need.numbered_ends) {
        const double mantissa = std::round(step / std::pow(10.0, std::floor(std::log10(step))));
        // Finer steps, coarser first: fewer ticks, and the data kept off the frame where they can.
        const double parts[2] = {2.0, mantissa == 2.0 ? 4.0 : 5.0};
        for (const double part : parts) {
            const double minor = step / part;
            float minor_low = 0.0F;
            float minor_high = 0.0F;
            need.ends_on(minor, minor_low, minor_high);
            const double share = need.fill(minor_low, minor_high);
            const double minor_cm = minor * std::fabs(alen) / (static_cast<double>(minor_high) - minor_low);
            if ((found && best >= LEAST_FILL) || ((found || numbered_fit) && !(share > best))) {
                continue;
            }
            if (minor_cm >= CLOSEST_MINOR_TICKS && numbers_fit(minor_low, minor_high, fstep, alen, size, horizontal)) {
                found = true;
                best = share;
                range = {minor_low, minor_high, fstep, static_cast<float>(minor), true};
            }
        }
    }
    if (!found && numbered_fit) {
        range = {low, high, fstep, 0.0F, true};
        return true;
    }
    return found;
}

}  // namespace

LinearRange linear_range(float need_low, float need_high, bool fixed_low, bool fixed_high, float alen, float size,
                         bool horizontal, bool numbered_ends) {
    LinearRange range{need_low, need_high, 0.0F, 0.0F, false};
    const Need need{need_low, need_high, fixed_low, fixed_high, numbered_ends};
    const double span = std::fabs(need.high - need.low);
    if (!(span > 0.0) || !std::isfinite(span)) {
        return range;
    }
    const int power = static_cast<int>(std::floor(std::log10(span)));
    for (int k = power + FINEST_POWER; k <= power + COARSEST_POWER; ++k) {
        for (const double multiple : {1.0, 2.0, 5.0}) {
            if (try_step(need, multiple * std::pow(10.0, k), alen, size, horizontal, range)) {
                return range;
            }
        }
    }
    return LinearRange{need_low, need_high, 0.0F, 0.0F, false};
}

}  // namespace diagr::scale
