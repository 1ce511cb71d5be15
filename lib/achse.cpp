// ACHSIZ, ACHSE0 and ACHSE: one scaled axis at any angle, with ticks at multiples of 1, 2 or 5 times
// a power of ten, thinned-out numbers, a common power-of-ten factor and a centred axis text.
//
// The three entries share one body and the saved label height SIZE (0.4 until the first ACHSIZ).
// Geometry: the axis runs from (XA, YA) in direction (cos a, sin a); a point at distance t along it
// and d off it on the label side is (XA + t cos a - S d sin a, YA + t sin a + S d cos a), with the
// side factor S = +1 for NC >= 0 and -1 for NC < 0. Ticks point away from the label side.
//
// The power of ten, step, ticks and number width come from number_axis (axis_scale.cpp, which
// lists the choices made there), shared with the frame layout of the diagr command. Here:
// - Calls without a usable scale draw the axis line alone, between PLTSYN 1 and 0: VFIRST equal to
//   VLAST (after taking out the common power of ten), ALEN 0, any argument or the label height not
//   finite, or a step that is zero or not finite, too fine or too many. ACHSE still writes its axis
//   text there, one label height clear of the line on the label side; there are no numbers and no
//   factor.
// - The tick loop never runs more than 100 003 times, so every call finishes: at most
//   3 + 3 x 100 003 + 4 plotter calls (line, ticks with their numbers, factor, text, end of batch).
// - |NC| above 255 is cut to 255, the length of the axis text working copy.
#include <cmath>
#include <cstring>

#include "axis_scale.h"
#include "diagr.h"
#include "plotter.h"

namespace {

namespace scale = diagr::scale;

enum class AxisEntry { SetSize, LineAndTicks, Numbered };

constexpr int TEXT_WORK_LEN = 255;
constexpr int LABEL_LEN = 8;
constexpr int FACTOR_LEN = 14;
constexpr float DEGREES_TO_RADIANS = 0.0174533F;
constexpr float TICK_LENGTH = 0.2F;

// The label height of all axis calls; only ACHSIZ changes it.
float SIZE = 0.4F;

struct Axis {
    float xa;
    float ya;
    float cosa;
    float sina;
    float side;  // S: +1 labels to the left of the direction of travel, -1 to the right

    float x_at(float along, float off) const { return xa + along * cosa - side * off * sina; }
    float y_at(float along, float off) const { return ya + along * sina + side * off * cosa; }
};

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

    const scale::AxisNumbering numbering = scale::number_axis(VFIRST, VSTEP, VLAST, ALEN, SIZE);
    const bool position_finite = std::isfinite(XA) && std::isfinite(YA) && std::isfinite(ANGLE);
    if (!position_finite || !numbering.usable) {
        draw_line_only(axis, xend, yend, numbered, text, text_count, ALEN, ANGLE);
        return;
    }
    const int widest = numbering.widest;
    const float box_width = static_cast<float>(widest) * SIZE;

    PLTSYN(1);
    PLOT(xend, yend, 3);
    MPLOT(XA, YA, 2, 3);

    char label[LABEL_LEN];
    int unused_exponent = 0;
    float dmax = 0.0F;
    bool first_number = true;
    float previous_x = 0.0F;
    float previous_y = 0.0F;
    scale::for_each_tick(numbering, [&](float v, float t) {
        const float px = XA + t * axis.cosa;
        const float py = YA + t * axis.sina;
        PLOT(px, py, 3);
        MPLOT(px + TICK_LENGTH * axis.side * axis.sina, py - TICK_LENGTH * axis.side * axis.cosa, 2, 3);
        if (!numbered) {
            return;
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
    });

    if (!numbered) {
        PLTSYN(0);
        return;
    }

    float off = 2.0F * dmax;
    if (axis.side < 0.0F) {
        off += SIZE;
    }

    const int exponent = numbering.exponent;
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
