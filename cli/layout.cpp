// Ranges, ticks and the frame's place on the plot for the diagr command.
#include "layout.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <string>
#include <utility>

#include "diagr.h"

namespace cli {

namespace {

// Room kept free along the plot's edges, cm.
constexpr float kEdge = 0.2F;
// Extent of a line of text beyond its base line, in capital heights: up past superscripts,
// and down past descenders and subscripts.
constexpr float kRise = 1.5F;
constexpr float kFall = 0.5F;
// Rounds of choosing ticks and placing the frame; two or three settle it.
constexpr int kLayoutRounds = 8;
// Smallest frame side worth drawing, cm.
constexpr float kSmallestSide = 2.0F;
// Numbers need their room and a little more: the axis measures the same distances in single
// precision, and numbers that just touch may count as overlapping there, cm.
constexpr float kRoomSlack = 1.0e-3F;
// Steps tried, in powers of ten below and above the range's own.
constexpr int kFinestPower = -3;
constexpr int kCoarsestPower = 6;
// A logarithmic axis's decades beyond 0.001 .. 10000 are written as powers of ten: "10" and a
// raised exponent, about as wide as five characters.
constexpr int kPowerLabelChars = 5;

// VALUE in the fixed form the axes write: the label (its first 8 characters) and its length.
struct FixedLabel {
    std::string text;
    int chars = 0;
};

FixedLabel fixed_label(float value) {
    char label[8];
    int chars = 0;
    int unused = 0;
    FSTELLE(value, label, chars, unused, 8);
    return {std::string(label, static_cast<std::size_t>(std::clamp(chars, 0, 8))), chars};
}

// What an axis writes: the cells its numbers reach out from the axis, the characters of its first
// and last numbers, and whether a power-of-ten factor is written.
struct AxisNumbers {
    int widest = 0;
    int first_chars = 0;
    int last_chars = 0;
    bool factor = false;
};

int log_label_chars(float value) {
    return value >= 1.0e-3F && value <= 1.0e4F ? fixed_label(value).chars : kPowerLabelChars;
}

AxisNumbers axis_numbers(const AxisPlan& plan, float alen, float size) {
    AxisNumbers numbers;
    if (plan.log) {
        numbers.first_chars = log_label_chars(plan.low);
        numbers.last_chars = log_label_chars(plan.high);
        numbers.widest = 2 + std::max(numbers.first_chars, numbers.last_chars);
        return numbers;
    }
    const diagr::scale::AxisNumbering numbering = diagr::scale::number_axis(plan.low, plan.step, plan.high, alen, size);
    numbers.factor = numbering.usable && numbering.exponent != 0;
    numbers.widest = numbering.widest;
    bool first = true;
    diagr::scale::for_each_tick(numbering, [&](float value, float) {
        const int chars = fixed_label(value).chars;
        numbers.widest = std::max(numbers.widest, chars);
        if (first) {
            numbers.first_chars = chars;
            first = false;
        }
        numbers.last_chars = chars;
    });
    return numbers;
}

// Whether the step STEP numbers the axis from LOW to HIGH with every number in its room and no two
// neighbours alike.
bool numbers_fit(float low, float high, float step, float alen, float size, bool horizontal) {
    const diagr::scale::AxisNumbering numbering = diagr::scale::number_axis(low, step, high, alen, size);
    if (!numbering.usable) {
        return false;
    }
    const float room = horizontal ? static_cast<float>(numbering.widest) * size : 2.0F * size;
    if (std::fabs(numbering.step_cm) < room + kRoomSlack) {
        return false;
    }
    int ticks = 0;
    std::string last;
    bool apart = true;
    diagr::scale::for_each_tick(numbering, [&](float value, float) {
        std::string text = fixed_label(value).text;
        apart = apart && (ticks == 0 || text != last);
        last = std::move(text);
        ++ticks;
    });
    return apart && ticks >= 2;
}

std::optional<FramePlace> place_frame(float width, float height, const AxisPlan& x, const AxisPlan& y,
                                      const Surroundings& around, float xlen_guess) {
    const float xs = PLTPAR.IXLAB != 0 ? PLTPAR.XLSIZE : 0.0F;
    const float ys = PLTPAR.IYLAB != 0 ? PLTPAR.YLSIZE : 0.0F;
    const float ts = PLTPAR.TSIZE;

    // Below the frame: numbers 1.5 to 2 heights down, then the factor and the text under them.
    float below = 0.5F * ys;
    const AxisNumbers x_numbers = axis_numbers(x, xlen_guess, xs);
    if (xs > 0.0F) {
        below = 2.0F * xs;
        float off = 4.0F * xs;
        if (x_numbers.factor) {
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
        const AxisNumbers y_numbers = axis_numbers(y, place.ylen, ys);
        left = ys + static_cast<float>(y_numbers.widest) * ys;
        float off = 2.0F * ys + static_cast<float>(y_numbers.widest) * ys;
        if (y_numbers.factor) {
            left = off + kRise * ys;
            off += 2.0F * ys + ys / 3.0F;
        }
        if (around.y_text) {
            left = off + kRise * ys;
        }
    }
    // Left and right of it, the first and last numbers of the bottom axis, centred on their ticks.
    place.x0 = kEdge + std::max(left, 0.5F * static_cast<float>(x_numbers.first_chars) * xs);
    const float right = std::max(around.right, 0.5F * static_cast<float>(x_numbers.last_chars) * xs);
    place.xlen = width - place.x0 - right - kEdge;
    if (!(place.xlen >= kSmallestSide) || !(place.ylen >= kSmallestSide)) {
        return std::nullopt;
    }
    return place;
}

}  // namespace

std::string cover(const Extremes& extremes, const Bounds& given, bool log, char axis, AxisPlan& plan) {
    plan.log = log;
    plan.fixed_low = given.low.has_value();
    plan.fixed_high = given.high.has_value();
    if (given.low && given.high) {
        plan.need_low = *given.low;
        plan.need_high = *given.high;
        return {};
    }
    if (!extremes.any) {
        return "no finite value to take a range from";
    }
    plan.need_low = given.low.value_or(extremes.low);
    plan.need_high = given.high.value_or(extremes.high);
    if (given.low || given.high) {
        if (!(plan.need_low < plan.need_high)) {
            char reason[160];
            std::snprintf(reason, sizeof reason, "the %c range is empty (--range gives %g, the data %g)", axis,
                          static_cast<double>(given.low ? *given.low : *given.high),
                          static_cast<double>(given.low ? plan.need_high : plan.need_low));
            return reason;
        }
        return {};
    }
    if (plan.need_low == plan.need_high && !log) {
        // One value: a tenth of it on each side, or -1 to 1 around 0.
        const float v = plan.need_low;
        const float margin = v == 0.0F ? 1.0F : std::fabs(v) / 10.0F;
        plan.need_low = v - margin;
        plan.need_high = v + margin;
    }
    return {};
}

void choose_ticks(AxisPlan& plan, float alen, float size, bool horizontal) {
    plan.low = plan.need_low;
    plan.high = plan.need_high;
    plan.step = 0.0F;
    plan.numbered = true;
    if (plan.log) {
        float low = 0.0F;
        float high = 0.0F;
        diagr::scale::log_range(plan.need_low, plan.need_high, low, high, false);
        plan.low = plan.fixed_low ? plan.need_low : low;
        plan.high = plan.fixed_high ? plan.need_high : high;
        return;
    }
    const double span = std::fabs(static_cast<double>(plan.need_high) - plan.need_low);
    if (!(span > 0.0) || !std::isfinite(span)) {
        plan.numbered = false;
        return;
    }
    const int power = static_cast<int>(std::floor(std::log10(span)));
    for (int k = power + kFinestPower; k <= power + kCoarsestPower; ++k) {
        for (const double multiple : {1.0, 2.0, 5.0}) {
            const double step = multiple * std::pow(10.0, k);
            const auto low =
                static_cast<float>(plan.fixed_low ? plan.need_low : std::floor(plan.need_low / step) * step);
            const auto high =
                static_cast<float>(plan.fixed_high ? plan.need_high : std::ceil(plan.need_high / step) * step);
            const auto fstep = static_cast<float>(step);
            if (std::isfinite(low) && std::isfinite(high) && std::isfinite(fstep) && fstep > 0.0F &&
                numbers_fit(low, high, fstep, alen, size, horizontal)) {
                plan.low = low;
                plan.high = high;
                plan.step = fstep;
                return;
            }
        }
    }
    plan.numbered = false;
}

std::optional<FramePlace> lay_out(float width, float height, AxisPlan& x, AxisPlan& y, const Surroundings& around) {
    const float xs = PLTPAR.IXLAB != 0 ? PLTPAR.XLSIZE : PLTPAR.YLSIZE;
    const float ys = PLTPAR.IYLAB != 0 ? PLTPAR.YLSIZE : PLTPAR.XLSIZE;
    // The frame's size depends on the numbers, which depend on its size: the ticks are chosen for
    // a length no longer than the frame's, starting from the whole plot and shrinking to the frame
    // the last choice leaves (numbers that fit an axis fit a longer one).
    float xlen = width;
    float ylen = height;
    std::optional<FramePlace> placed;
    for (int round = 0; round < kLayoutRounds; ++round) {
        choose_ticks(x, xlen, xs, true);
        choose_ticks(y, ylen, ys, false);
        placed = place_frame(width, height, x, y, around, xlen);
        if (!placed || (placed->xlen >= xlen && placed->ylen >= ylen)) {
            break;
        }
        xlen = std::min(xlen, placed->xlen);
        ylen = std::min(ylen, placed->ylen);
    }
    return placed;
}

}  // namespace cli
