// Ranges over several curves and the frame's place on the plot for the diagr command.
#include "layout.h"

#include <algorithm>
#include <cfloat>
#include <cmath>

#include "diagr.h"

namespace cli {

namespace {

float finite_or_largest(float value) {
    if (std::isfinite(value)) {
        return value;
    }
    return value < 0.0F ? -FLT_MAX : FLT_MAX;
}

// Room kept free along the plot's edges, cm.
constexpr float kEdge = 0.2F;
// Extent of a line of text beyond its base line, in capital heights: up past superscripts,
// and down past descenders and subscripts.
constexpr float kRise = 1.5F;
constexpr float kFall = 0.5F;
// Smallest frame side worth drawing, cm.
constexpr float kSmallestSide = 2.0F;

float power_of_ten(int exponent) {
    float power = 1.0F;
    for (int i = 0; i < std::abs(exponent); ++i) {
        power *= exponent > 0 ? 10.0F : 0.1F;
    }
    return power;
}

// The automatic step of an axis from F1 to F2, ALEN cm long, at label height SIZE: ticks about
// 0.8 / SIZE cm apart, rounded to 1, 2 or 5 times a power of ten. 0 when there is none.
float automatic_step(float f1, float f2, float alen, float size) {
    const float raw = std::fabs((f2 - f1) * 0.8F / alen / size);
    if (!std::isfinite(raw) || raw <= 0.0F) {
        return 0.0F;
    }
    const float logarithm = std::log10(raw);
    const int k = logarithm < 0.0F ? static_cast<int>(logarithm - 0.9F) : static_cast<int>(logarithm + 0.1F);
    const float step_power = power_of_ten(k);
    const float quotient = raw / step_power;
    return (quotient > 3.5F ? 5.0F : quotient > 1.5F ? 2.0F : 1.0F) * step_power;
}

// Whether five decimals write every multiple of STEP: a whole number of 0.00001.
bool fixed_form_writes(float step) {
    const double units = static_cast<double>(step) * 100000.0;
    return units >= 0.5 && std::fabs(units - std::round(units)) <= 1.0e-4 * units;
}

// What a numbered axis from VFIRST to VLAST, ALEN cm long, writes at label height SIZE: the widest
// number in character cells as the axis reserves them (two more than the longer of its general and
// fixed forms), the characters of its first and last numbers, and whether a power-of-ten factor is
// written. An axis from 0 takes the power of its other end where five decimals cannot write its
// step, as the axis does.
struct AxisNumbers {
    int widest = 0;
    int first_chars = 0;
    int last_chars = 0;
    bool factor = false;
};

AxisNumbers axis_numbers(float vfirst, float vlast, float alen, float size) {
    AxisNumbers numbers;
    char label[8];
    int chars = 0;
    int exponent_first = 0;
    int exponent_last = 0;
    STELLE(vfirst, label, chars, exponent_first, 8);
    STELLE(vlast, label, chars, exponent_last, 8);
    int exponent = std::max(exponent_first, exponent_last);
    const int other_exponent = vfirst == 0.0F ? exponent_last : exponent_first;
    if ((vfirst == 0.0F) != (vlast == 0.0F) && other_exponent < 0 &&
        !fixed_form_writes(automatic_step(vfirst, vlast, alen, size))) {
        exponent = other_exponent;
    }
    numbers.factor = exponent != 0;
    const float power = power_of_ten(exponent);
    const float f1 = vfirst / power;
    const float f2 = vlast / power;
    const float step = automatic_step(f1, f2, alen, size);
    if (step == 0.0F) {
        return numbers;
    }
    const float low = std::min(f1, f2);
    const float high = std::max(f1, f2);
    const float first_tick = std::ceil(low / step - 1.0E-3F);
    const float last_tick = std::floor(high / step + 1.0E-3F);
    if (!(last_tick - first_tick < 1000.0F)) {
        return numbers;
    }
    for (float i = first_tick; i <= last_tick; i += 1.0F) {
        const float value = i * step;
        int unused = 0;
        STELLE(value, label, chars, unused, 8);
        int fixed_chars = 0;
        FSTELLE(value, label, fixed_chars, unused, 8);
        numbers.widest = std::max({numbers.widest, chars + 2, fixed_chars + 2});
        if (i == first_tick) {
            numbers.first_chars = fixed_chars;
        }
        numbers.last_chars = fixed_chars;
    }
    return numbers;
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

bool complete_range(const Extremes& extremes, const Bounds& given, float& low, float& high) {
    if (given.low && given.high) {
        low = *given.low;
        high = *given.high;
        return true;
    }
    if (!extremes.any) {
        return false;
    }
    // DIAGR's rule, in single precision as DIAGR computes it, so one curve gets DIAGR's own range.
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
