// ACHSIZ, ACHSE0 and ACHSE: one scaled axis at any angle, with ticks at multiples of 1, 2 or 5 times
// a power of ten, thinned-out numbers, a common power-of-ten factor and a centred axis text.
//
// The three entries share one body and the saved label height SIZE (0.4 until the first ACHSIZ).
// Geometry: the axis runs from (XA, YA) in direction (cos a, sin a); a point at distance t along it
// and d off it on the label side is (XA + t cos a - S d sin a, YA + t sin a + S d cos a), with the
// side factor S = +1 for NC >= 0 and -1 for NC < 0. Ticks point away from the label side.
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
// - Calls without a usable scale draw the axis line alone, between PLTSYN 1 and 0: VFIRST equal to
//   VLAST (after taking out the common power of ten), ALEN 0, any argument or the label height not
//   finite, or a step that is zero or not finite. ACHSE still writes its axis text there, one label
//   height clear of the line on the label side; there are no numbers and no factor.
// - The tick count is bounded far beyond any visible axis: a step so small that the range holds
//   more than 100 000 of them (MAX_STEPS), or finer than 1/2**24 of the end values (a float no
//   longer tells neighbouring ticks apart), is treated as having no usable scale. Indices below the
//   range are skipped arithmetically and the tick loop never runs more than MAX_STEPS + 3 times, so
//   every call finishes: at most 3 + 3 x 100 003 + 4 plotter calls (line, ticks with their numbers,
//   factor, text, end of batch).
// - A step above half the float range would make the extra step below the first multiple
//   overflow to -Inf; the first multiple at or below VMIN is kept instead.
// - When floor(VMIN) is more than 2**24 steps from VMIN (a tiny range below zero), the first tick is
//   the multiple of the step at or below VMIN, taken directly.
// - A tick value within a thousandth of a step outside the range counts as inside it, so rounding of
//   the scaled values (0.005 / 0.01, 10 x 0.0005) never drops the tick at an end of the axis.
// - |NC| above 255 is cut to 255, the length of the axis text working copy.
#include <algorithm>
#include <cfloat>
#include <cmath>
#include <cstring>

#include "diagr.h"
#include "power_of_ten.h"
#include "plotter.h"

namespace {

enum class AxisEntry { SetSize, LineAndTicks, Numbered };

constexpr int TEXT_WORK_LEN = 255;
constexpr int LABEL_LEN = 8;
constexpr int FACTOR_LEN = 14;
constexpr float MAX_STEPS = 100000.0F;
constexpr int MAX_TICK_ITERATIONS = 100003;
// 2**24: beyond this many steps per end value a float cannot separate neighbouring ticks.
constexpr float MAX_STEPS_IN_VALUE = 16777216.0F;
constexpr float DEGREES_TO_RADIANS = 0.0174533F;
constexpr float TICK_LENGTH = 0.2F;
constexpr float STEP_TOLERANCE = 1.0e-3F;
// The fixed form of the numbers writes five decimals.
constexpr double FIXED_FORM_UNITS = 100000.0;

// The label height of all axis calls; only ACHSIZ changes it.
float SIZE = 0.4F;

// 10 to the power |K|, by repeated multiplication (exact up to 10**10).
float positive_power_of_ten(int k) { return repeated_power_of_ten(k < 0 ? -k : k); }

// The automatic step for a range in scaled units: the raw step that divides the axis into parts of
// SIZE / 0.8 cm, replaced by 1, 2 or 5 times a power of ten. Returns 0 when there is none.
float automatic_step(float f1, float f2, float alen) {
    const float raw = std::fabs((f2 - f1) * 0.8F / alen / SIZE);
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

struct Axis {
    float xa;
    float ya;
    float cosa;
    float sina;
    float side;  // S: +1 labels to the left of the direction of travel, -1 to the right

    float x_at(float along, float off) const { return xa + along * cosa - side * off * sina; }
    float y_at(float along, float off) const { return ya + along * sina + side * off * cosa; }
};

// Whether the fixed form (five decimals) writes every multiple of STEP as it is: the step is a
// whole number of 0.00001, to within the rounding of a float.
bool fixed_form_shows_step(float step) {
    const double units = static_cast<double>(step) * FIXED_FORM_UNITS;
    return units >= 0.5 && std::fabs(units - std::round(units)) <= 1.0e-4 * units;
}

// The axis text: the first COUNT characters of TEXT measured, then written centred along the axis
// at distance OFF on the label side.
void write_axis_text(const Axis& axis, const char* text, int count, float alen, float angle, float off) {
    const float measure_start = 0.0F;
    float text_length = 0.0F;
    TEXTLK(measure_start, text_length, SIZE, text, angle, count, count);
    const float along = (alen - text_length) / 2.0F;
    SYMBLK(axis.x_at(along, off), axis.y_at(along, off), SIZE, text, angle, count, count);
}

// An axis without a usable scale: the line alone, and for ACHSE the axis text one label height
// clear of it (plus the text's own height on the side where it hangs below its base line).
void draw_line_only(const Axis& axis, float xend, float yend, bool numbered, const char* text, int count, float alen,
                    float angle) {
    PLTSYN(1);
    PLOT(xend, yend, 3);
    MPLOT(axis.xa, axis.ya, 2, 3);
    if (numbered) {
        write_axis_text(axis, text, count, alen, angle, axis.side < 0.0F ? 2.0F * SIZE : SIZE);
    }
    PLTSYN(0);
}

// Distance from the axis to the centre of an n-character label box, and the box's lower-left corner.
struct LabelBox {
    float distance;
    float x;
    float y;
};

LabelBox label_box(const Axis& axis, float angle_rad, float px, float py, int count) {
    const float n = static_cast<float>(count);
    const float hypotenuse = std::sqrt(1.0F + n * n);
    const float h = 0.5F * SIZE * hypotenuse;
    const float theta = std::acos(n / hypotenuse);
    const float d = SIZE + h * std::sin(theta + angle_rad);
    LabelBox box;
    box.distance = d;
    box.x = px - axis.side * d * axis.sina - n * SIZE / 2.0F;
    box.y = py + axis.side * d * axis.cosa - SIZE / 2.0F;
    return box;
}

void axis_body(AxisEntry entry, float hlab, float XA, float YA, const char* ATEXT, int ATEXT_len, int NC, float ALEN,
               float ANGLE, float VFIRST, float VSTEP, float VLAST) {
    if (entry == AxisEntry::SetSize) {
        SIZE = hlab;
        return;
    }
    const bool numbered = entry == AxisEntry::Numbered;

    // Axis text working copy, cut or padded to 255 characters.
    char text[TEXT_WORK_LEN];
    std::memset(text, ' ', sizeof text);
    if (numbered && ATEXT != nullptr && ATEXT_len > 0) {
        std::memcpy(text, ATEXT, static_cast<std::size_t>(ATEXT_len < TEXT_WORK_LEN ? ATEXT_len : TEXT_WORK_LEN));
    }
    const int text_count = NC < -TEXT_WORK_LEN || NC > TEXT_WORK_LEN ? TEXT_WORK_LEN : (NC < 0 ? -NC : NC);

    const float angle_rad = ANGLE * DEGREES_TO_RADIANS;
    Axis axis;
    axis.xa = XA;
    axis.ya = YA;
    axis.sina = std::sin(angle_rad);
    axis.cosa = std::cos(angle_rad);
    axis.side = NC >= 0 ? 1.0F : -1.0F;
    const float xend = XA + ALEN * axis.cosa;
    const float yend = YA + ALEN * axis.sina;

    // Common power of ten of the two end values.
    char label[LABEL_LEN];
    int nch = 0;
    int exponent_first = 0;
    int exponent_last = 0;
    STELLE(VFIRST, label, nch, exponent_first, LABEL_LEN);
    STELLE(VLAST, label, nch, exponent_last, LABEL_LEN);
    int exponent = exponent_first > exponent_last ? exponent_first : exponent_last;
    // From 0 to a small value the power stays 0 only where five decimals can write the ticks.
    const bool one_end_zero = (VFIRST == 0.0F) != (VLAST == 0.0F);
    const int other_exponent = VFIRST == 0.0F ? exponent_last : exponent_first;
    if (one_end_zero && other_exponent < 0) {
        const float unscaled_step = VSTEP != 0.0F ? std::fabs(VSTEP) : automatic_step(VFIRST, VLAST, ALEN);
        if (!fixed_form_shows_step(unscaled_step)) {
            exponent = other_exponent;
        }
    }
    const float f1 = static_cast<float>(divide_by_power_of_ten(VFIRST, exponent));
    const float f2 = static_cast<float>(divide_by_power_of_ten(VLAST, exponent));

    const bool arguments_finite = std::isfinite(XA) && std::isfinite(YA) && std::isfinite(ALEN) &&
                                  std::isfinite(ANGLE) && std::isfinite(VFIRST) && std::isfinite(VSTEP) &&
                                  std::isfinite(VLAST) && std::isfinite(SIZE);
    if (!arguments_finite || !std::isfinite(f1) || !std::isfinite(f2) || f1 == f2 || ALEN == 0.0F) {
        draw_line_only(axis, xend, yend, numbered, text, text_count, ALEN, ANGLE);
        return;
    }

    const bool reversed = f2 < f1;
    const float vmin = reversed ? f2 : f1;
    const float vmax = reversed ? f1 : f2;

    // A given step far above the scaled range may leave the float range: it is then infinite.
    const double given_step = divide_by_power_of_ten(std::fabs(VSTEP), exponent);
    const float dv = VSTEP == 0.0F           ? automatic_step(f1, f2, ALEN)
                     : given_step <= FLT_MAX ? static_cast<float>(given_step)
                                             : HUGE_VALF;
    const float u = (f2 - f1) / ALEN;
    const float dc = dv / u;
    const float steps = std::fabs(f2 - f1) / dv;
    const float largest_end = std::fabs(f1) > std::fabs(f2) ? std::fabs(f1) : std::fabs(f2);
    if (!std::isfinite(dv) || !(dv > 0.0F) || !std::isfinite(u) || u == 0.0F || !std::isfinite(dc) || dc == 0.0F ||
        !(steps <= MAX_STEPS) || !(largest_end / dv < MAX_STEPS_IN_VALUE)) {
        draw_line_only(axis, xend, yend, numbered, text, text_count, ALEN, ANGLE);
        return;
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
        t0 = t0 + ALEN;
    }

    // A tick within a thousandth of a step of an end value belongs to the axis: single-precision
    // scaling and step products (0.005 / 0.01, 10 x 0.0005) miss the end by an ulp or so.
    const float tolerance = dv * STEP_TOLERANCE;

    // Widest number, from the last tick and the one before it, in the longer of the two forms.
    const float whole_steps = std::trunc(steps + STEP_TOLERANCE);
    const float v_end = v0 + whole_steps * dv;
    const float v_before = v_end - dv;
    int widest = 0;
    int unused_exponent = 0;
    for (const float v : {v_end, v_before}) {
        int general_count = 0;
        int fixed_count = 0;
        STELLE(v, label, general_count, unused_exponent, LABEL_LEN);
        FSTELLE(v, label, fixed_count, unused_exponent, LABEL_LEN);
        widest = std::max({widest, general_count, fixed_count});
    }
    widest += 2;
    const float box_width = static_cast<float>(widest) * SIZE;

    PLTSYN(1);
    PLOT(xend, yend, 3);
    MPLOT(XA, YA, 2, 3);

    // Indices whose value lies below the range draw nothing; start just before the first that counts.
    // V0 + i * DV grows with i, so everything before a value still below VMIN is below it too.
    const int first_index = (v0 == f1 || v0 == f2) ? 0 : 1;
    int start_index = first_index;
    // The count is converted only when it is a sensible index (it is neither NaN nor beyond int).
    const float skip = std::floor((vmin - v0) / dv) - 2.0F;
    if (skip > static_cast<float>(first_index) && skip < MAX_STEPS_IN_VALUE && v0 + skip * dv < vmin - tolerance) {
        start_index = static_cast<int>(skip);
    }

    float dmax = 0.0F;
    bool first_number = true;
    float previous_x = 0.0F;
    float previous_y = 0.0F;
    for (int i = start_index; i < start_index + MAX_TICK_ITERATIONS; ++i) {
        const float fi = static_cast<float>(i);
        const float v = v0 + fi * dv;
        const float t = t0 + fi * dc;
        if (v < vmin - tolerance) {
            continue;
        }
        if (v > vmax + tolerance) {
            break;
        }
        const float px = XA + t * axis.cosa;
        const float py = YA + t * axis.sina;
        PLOT(px, py, 3);
        MPLOT(px + TICK_LENGTH * axis.side * axis.sina, py - TICK_LENGTH * axis.side * axis.cosa, 2, 3);
        if (!numbered) {
            continue;
        }

        int label_count = 0;
        FSTELLE(v, label, label_count, unused_exponent, LABEL_LEN);
        const LabelBox widest_box = label_box(axis, angle_rad, px, py, widest);
        const LabelBox this_box = label_box(axis, angle_rad, px, py, label_count);
        dmax = std::fmax(dmax, widest_box.distance);
        dmax = std::fmax(dmax, this_box.distance);

        const float xw = widest_box.x;
        const float yw = widest_box.y;
        const bool overlaps = xw < previous_x + box_width && yw < previous_y + 2.0F * SIZE &&
                              xw + box_width > previous_x && yw + 2.0F * SIZE > previous_y;
        if (first_number || !overlaps) {
            const int drawn_count = label_count < LABEL_LEN ? label_count : LABEL_LEN;
            SYMBOL(this_box.x, this_box.y, SIZE, label, 0.0F, drawn_count, LABEL_LEN);
            previous_x = xw;
            previous_y = yw;
            first_number = false;
        }
    }

    if (!numbered) {
        PLTSYN(0);
        return;
    }

    float off = 2.0F * dmax;
    if (axis.side < 0.0F) {
        off += SIZE;
    }

    if (exponent != 0) {
        if (axis.side < 0.0F) {
            off += SIZE / 2.0F;
        }
        int exponent_count = 0;
        const float exponent_value = static_cast<float>(exponent);
        STELLE(exponent_value, label, exponent_count, unused_exponent, LABEL_LEN);
        char factor[FACTOR_LEN];
        std::memset(factor, ' ', sizeof factor);
        std::memcpy(factor, "* 10&H", 6);
        const int copied = exponent_count < LABEL_LEN ? exponent_count : LABEL_LEN;
        std::memcpy(factor + 6, label, static_cast<std::size_t>(copied));
        const int factor_count = copied + 6;
        const float along = ALEN / 2.0F - 0.8F;
        SYMBLK(axis.x_at(along, off), axis.y_at(along, off), SIZE, factor, ANGLE, factor_count, factor_count);
        off += 2.0F * SIZE;
        if (axis.side > 0.0F) {
            off += SIZE / 3.0F;
        }
    }

    // Axis text, centred along the axis; made even when it has no characters.
    write_axis_text(axis, text, text_count, ALEN, ANGLE, off);

    PLTSYN(0);
}

}  // namespace

void ACHSIZ(const float& HLAB) {
    axis_body(AxisEntry::SetSize, HLAB, 0.0F, 0.0F, nullptr, 0, 0, 0.0F, 0.0F, 0.0F, 0.0F, 0.0F);
}

void ACHSE0(const float& XA, const float& YA, const int& NC, const float& ALEN, const float& ANGLE, const float& VFIRST,
            const float& VSTEP, const float& VLAST) {
    axis_body(AxisEntry::LineAndTicks, 0.0F, XA, YA, nullptr, 0, NC, ALEN, ANGLE, VFIRST, VSTEP, VLAST);
}

void ACHSE(const float& XA, const float& YA, const char* ATEXT, const int& NC, const float& ALEN, const float& ANGLE,
           const float& VFIRST, const float& VSTEP, const float& VLAST, int ATEXT_len) {
    axis_body(AxisEntry::Numbered, 0.0F, XA, YA, ATEXT, ATEXT_len, NC, ALEN, ANGLE, VFIRST, VSTEP, VLAST);
}
