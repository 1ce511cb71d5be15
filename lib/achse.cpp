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
#include <cstdio>
#include <cstring>
#include <limits>

#include "axis_scale.h"
#include "diagr.h"
#include "log_axis.h"
#include "plotter.h"
#include "power_of_ten.h"
#include "text_pieces.h"
#include "time_scale.h"

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

// The axis text working copy, cut or padded to 255 characters, and how many of them are written.
struct AxisText {
    char chars[TEXT_WORK_LEN];
    int count;
};

AxisText copy_axis_text(bool numbered, const char* ATEXT, int ATEXT_len, int NC) {
    AxisText text;
    std::memset(text.chars, ' ', sizeof text.chars);
    if (numbered && ATEXT != nullptr && ATEXT_len > 0) {
        std::memcpy(text.chars, ATEXT, static_cast<std::size_t>(ATEXT_len < TEXT_WORK_LEN ? ATEXT_len : TEXT_WORK_LEN));
    }
    text.count = NC < -TEXT_WORK_LEN || NC > TEXT_WORK_LEN ? TEXT_WORK_LEN : (NC < 0 ? -NC : NC);
    // A count that ends inside a character ends before it.
    if (numbered && ATEXT != nullptr && ATEXT_len > 0) {
        text.count = diagr::text::cut_length(ATEXT, ATEXT_len, text.count);
    }
    return text;
}

// The axis from (XA, YA) at ANGLE_RAD with its label side by the sign of NC.
Axis axis_at(float XA, float YA, float angle_rad, int NC) {
    Axis axis;
    axis.xa = XA;
    axis.ya = YA;
    axis.sina = std::sin(angle_rad);
    axis.cosa = std::cos(angle_rad);
    axis.side = NC >= 0 ? 1.0F : -1.0F;
    return axis;
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

// Where a logarithmic axis puts a value: log10 of the values at its start and its end.
struct LogWarp {
    double first;
    double last;
};

// Distance in cm from the axis's start of the tick for scaled value V (x 10**EXPONENT) on the
// logarithmic axis WARP; NaN for a value the axis cannot show.
float warped_position(const LogWarp& warp, float v, int exponent, float alen) {
    const double value = static_cast<double>(v) / divide_by_power_of_ten(1.0F, exponent);
    if (!(value > 0.0)) {
        return std::numeric_limits<float>::quiet_NaN();
    }
    return static_cast<float>(static_cast<double>(alen) * (std::log10(value) - warp.first) / (warp.last - warp.first));
}

// WARP null: the linear axis. Otherwise the ticks of a linear axis from VFIRST to VLAST placed where
// a logarithmic axis has their values: the numbering of a logarithmic axis under half a decade.
void axis_body(AxisEntry entry, float hlab, float XA, float YA, const char* ATEXT, int ATEXT_len, int NC, float ALEN,
               float ANGLE, float VFIRST, float VSTEP, float VLAST, const LogWarp* warp = nullptr) {
    if (entry == AxisEntry::SetSize) {
        SIZE = hlab;
        return;
    }
    const bool numbered = entry == AxisEntry::Numbered;

    const AxisText axis_text = copy_axis_text(numbered, ATEXT, ATEXT_len, NC);
    const char* text = axis_text.chars;
    const int text_count = axis_text.count;
    const float angle_rad = ANGLE * DEGREES_TO_RADIANS;
    const Axis axis = axis_at(XA, YA, angle_rad, NC);
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
        if (warp != nullptr) {
            t = warped_position(*warp, v, numbering.exponent, ALEN);
            if (!std::isfinite(t)) {
                return;
            }
        }
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

// ---- Logarithmic axes ----

constexpr double DECADE_SLACK = 1.0e-5;    // decades: how far outside the axis a decade still counts
constexpr double SHORTEST_LOG_SPAN = 0.4;  // decades: below this the ticks are a linear axis's
constexpr int MAX_LOG_LABELS = 100;        // numbered decades of the float range, with room to spare
constexpr int LOG_LABEL_LEN = 16;
constexpr float MINOR_TICK_LENGTH = 0.5F * TICK_LENGTH;
// Least room between numbers along the axis, in label heights: beside one another on a horizontal
// axis, above one another on a vertical one.
constexpr float GAP_BESIDE = 1.0F;
constexpr float GAP_ABOVE = 2.0F;
// Closer than this (cm), unnumbered decades get no tick of their own: they would blur into a comb.
constexpr float CLOSEST_DECADE_TICKS = 0.15F;

// A number of a logarithmic axis: MANTISSA x 10**EXPONENT at log10 position C.
struct LogLabel {
    double c;
    int exponent;
    int mantissa;
    char text[LOG_LABEL_LEN];
    int length;
    float width;
};

// Writes the number's text: plain ("0.01", "200") or the decade as 10 with a superscript
// exponent ("10&H-3"), where a 2 or a 5 stands for 2 or 5 times the decade below it.
void format_log_label(LogLabel& label, bool plain) {
    char* out = label.text;
    int n = 0;
    auto put = [&](char c) {
        if (n < LOG_LABEL_LEN) {
            out[n++] = c;
        }
    };
    const char digit = static_cast<char>('0' + label.mantissa);
    if (plain) {
        if (label.exponent >= 0) {
            put(digit);
            for (int i = 0; i < label.exponent; ++i) {
                put('0');
            }
        } else {
            put('0');
            put('.');
            for (int i = 1; i < -label.exponent; ++i) {
                put('0');
            }
            put(digit);
        }
    } else if (label.mantissa != 1) {
        put(digit);
    } else {
        char exponent[8];
        const int count = std::snprintf(exponent, sizeof exponent, "%d", label.exponent);
        for (const char c : {'1', '0', '&', 'H'}) {
            put(c);
        }
        for (int i = 0; i < count; ++i) {
            put(exponent[i]);
        }
    }
    label.length = n;
    const float scratch = 0.0F;
    TEXTLK(scratch, label.width, SIZE, label.text, scratch, n, n);
}

// Room the numbers need between them along the axis, cm, for numbers WIDTH cm wide.
float label_room(const Axis& axis, float width) {
    return std::fabs(axis.cosa) * (width + GAP_BESIDE * SIZE) + std::fabs(axis.sina) * GAP_ABOVE * SIZE;
}

// Distance from the axis to the centre of a number WIDTH cm wide: one label height clear of it.
float label_distance(const Axis& axis, float width) {
    return SIZE + 0.5F * (std::fabs(axis.sina) * width + std::fabs(axis.cosa) * SIZE);
}

void log_tick(const Axis& axis, float along, float length) {
    const float px = axis.x_at(along, 0.0F);
    const float py = axis.y_at(along, 0.0F);
    PLOT(px, py, 3);
    MPLOT(px + length * axis.side * axis.sina, py - length * axis.side * axis.cosa, 2, 3);
}

// Collects the decades of LO..HI numbered at stride STRIDE; false when there are more than fit.
bool collect_decades(int nlo, int nhi, int stride, LogLabel* labels, int& count) {
    count = 0;
    for (int n = nlo; n <= nhi; ++n) {
        if (n % stride != 0) {
            continue;
        }
        if (count == MAX_LOG_LABELS) {
            return false;
        }
        labels[count++] = LogLabel{static_cast<double>(n), n, 1, {}, 0, 0.0F};
    }
    return true;
}

bool all_plain(const LogLabel* labels, int count) {
    for (int i = 0; i < count; ++i) {
        if (labels[i].exponent < -3 || labels[i].exponent > 4) {
            return false;
        }
    }
    return true;
}

void log_axis_body(float XA, float YA, const char* ATEXT, int ATEXT_len, int NC, float ALEN, float ANGLE, float VFIRST,
                   float VLAST, bool numbered) {
    const AxisText axis_text = copy_axis_text(numbered, ATEXT, ATEXT_len, NC);
    const char* text = axis_text.chars;
    const int text_count = axis_text.count;
    const float angle_rad = ANGLE * DEGREES_TO_RADIANS;
    const Axis axis = axis_at(XA, YA, angle_rad, NC);

    const double first = std::log10(static_cast<double>(VFIRST));
    const double last = std::log10(static_cast<double>(VLAST));
    const double lo = std::fmin(first, last);
    const double hi = std::fmax(first, last);
    const bool usable = std::isfinite(XA) && std::isfinite(YA) && std::isfinite(ANGLE) && std::isfinite(ALEN) &&
                        ALEN != 0.0F && std::isfinite(SIZE) && std::isfinite(first) && std::isfinite(last) &&
                        first != last;
    if (!usable) {
        draw_line_only(axis, XA + ALEN * axis.cosa, YA + ALEN * axis.sina, numbered, text, text_count, ALEN, ANGLE);
        return;
    }
    const LogWarp warp{first, last};
    const AxisEntry linear_entry = numbered ? AxisEntry::Numbered : AxisEntry::LineAndTicks;
    if (hi - lo < SHORTEST_LOG_SPAN) {
        axis_body(linear_entry, 0.0F, XA, YA, ATEXT, ATEXT_len, NC, ALEN, ANGLE, VFIRST, 0.0F, VLAST, &warp);
        return;
    }
    auto along_of = [&](double c) {
        return static_cast<float>(static_cast<double>(ALEN) * (c - first) / (last - first));
    };
    const int nlo = static_cast<int>(std::ceil(lo - DECADE_SLACK));
    const int nhi = static_cast<int>(std::floor(hi + DECADE_SLACK));
    const float decade_cm = std::fabs(ALEN) / static_cast<float>(hi - lo);

    // The stride: the smallest of 1, 2, 5, 10, 20, ... whose numbers keep their room.
    LogLabel labels[MAX_LOG_LABELS + 6];
    int count = 0;
    bool plain = true;
    int stride = 1;
    for (int factor = 1;; factor *= 10) {
        bool found = false;
        for (const int m : {1, 2, 5}) {
            stride = m * factor;
            if (!collect_decades(nlo, nhi, stride, labels, count)) {
                continue;
            }
            plain = all_plain(labels, count);
            float widest = 0.0F;
            for (int i = 0; i < count; ++i) {
                format_log_label(labels[i], plain);
                widest = std::fmax(widest, labels[i].width);
            }
            if (static_cast<float>(stride) * decade_cm >= label_room(axis, widest) || stride >= 1000) {
                found = true;
                break;
            }
        }
        if (found) {
            break;
        }
    }

    // Under two numbered decades 2 and 5 times the decades are numbered as well; with no decade on
    // the axis, in the superscript style, they would have nothing to be read against.
    if (count < 2 && stride == 1) {
        int extra = count;
        for (int n = nlo - 1; n <= nhi; ++n) {
            for (const int m : {2, 5}) {
                const double c = static_cast<double>(n) + std::log10(static_cast<double>(m));
                if (c >= lo - DECADE_SLACK && c <= hi + DECADE_SLACK && extra < MAX_LOG_LABELS + 6) {
                    labels[extra++] = LogLabel{c, n, m, {}, 0, 0.0F};
                }
            }
        }
        plain = all_plain(labels, extra);
        if (count == 0 && !plain) {
            axis_body(linear_entry, 0.0F, XA, YA, ATEXT, ATEXT_len, NC, ALEN, ANGLE, VFIRST, 0.0F, VLAST, &warp);
            return;
        }
        count = extra;
        for (int i = 0; i < count; ++i) {
            format_log_label(labels[i], plain);
        }
    }

    PLTSYN(1);
    PLOT(XA + ALEN * axis.cosa, YA + ALEN * axis.sina, 3);
    MPLOT(XA, YA, 2, 3);

    // Ticks: numbered decades long; the others (unless they crowd), and 2..9 times the decades
    // while every decade is numbered on an axis of at most ten decades, short.
    const bool minor_decades = stride == 1 && hi - lo <= 10.0;
    const bool decade_ticks = decade_cm >= CLOSEST_DECADE_TICKS;
    for (int n = nlo - 1; n <= nhi; ++n) {
        const double decade = static_cast<double>(n);
        if (decade >= lo - DECADE_SLACK && (n % stride == 0 || decade_ticks)) {
            log_tick(axis, along_of(decade), n % stride == 0 ? TICK_LENGTH : MINOR_TICK_LENGTH);
        }
        for (int m = 2; minor_decades && m <= 9; ++m) {
            const double c = decade + std::log10(static_cast<double>(m));
            if (c >= lo - DECADE_SLACK && c <= hi + DECADE_SLACK) {
                log_tick(axis, along_of(c), MINOR_TICK_LENGTH);
            }
        }
    }

    if (!numbered) {
        PLTSYN(0);
        return;
    }

    // Numbers, the decades first; a 2 or a 5 only where it keeps its room from those drawn.
    float drawn_along[MAX_LOG_LABELS + 6];
    float drawn_width[MAX_LOG_LABELS + 6];
    int drawn = 0;
    float dmax = 0.0F;
    for (int pass = 0; pass < 2; ++pass) {
        for (int i = 0; i < count; ++i) {
            const LogLabel& label = labels[i];
            if ((label.mantissa == 1) != (pass == 0)) {
                continue;
            }
            const float along = along_of(label.c);
            bool clear = true;
            for (int j = 0; j < drawn && clear; ++j) {
                const float room = label_room(axis, 0.5F * (label.width + drawn_width[j]));
                clear = std::fabs(along - drawn_along[j]) >= room;
            }
            if (!clear) {
                continue;
            }
            drawn_along[drawn] = along;
            drawn_width[drawn] = label.width;
            ++drawn;
            const float d = label_distance(axis, label.width);
            dmax = std::fmax(dmax, d);
            const float x = axis.x_at(along, d) - 0.5F * label.width;
            const float y = axis.y_at(along, d) - 0.5F * SIZE;
            SYMBLK(x, y, SIZE, label.text, 0.0F, label.length, label.length);
        }
    }

    float off = 2.0F * dmax;
    if (axis.side < 0.0F) {
        off += SIZE;
    }
    write_axis_text(axis, text, text_count, ALEN, ANGLE, off);
    PLTSYN(0);
}

// ---- Time axes ----

// The context text of a time axis, written along it so that it ends at the axis's end, at
// distance OFF on the label side.
void write_context(const Axis& axis, const char* text, int length, float alen, float off, float angle) {
    const float scratch = 0.0F;
    float width = 0.0F;
    TEXTLK(scratch, width, SIZE, text, scratch, length, length);
    const float along = alen - width;
    SYMBLK(axis.x_at(along, off), axis.y_at(along, off), SIZE, text, angle, length, length);
}

void time_axis_body(float XA, float YA, const char* ATEXT, int ATEXT_len, int NC, float ALEN, float ANGLE, float VFIRST,
                    float VLAST, double T0, bool numbered) {
    const float angle_rad = ANGLE * DEGREES_TO_RADIANS;
    const Axis axis = axis_at(XA, YA, angle_rad, NC);
    const bool vertical = std::fabs(axis.sina) > std::fabs(axis.cosa);
    scale::TimeTicks ticks;
    scale::time_ticks(T0, VFIRST, VLAST, ALEN, SIZE, vertical, ticks);
    const bool usable = ticks.usable && std::isfinite(XA) && std::isfinite(YA) && std::isfinite(ANGLE);
    if (!usable) {
        // Seconds after T0 on a linear axis, as ACHSE numbers them.
        axis_body(numbered ? AxisEntry::Numbered : AxisEntry::LineAndTicks, 0.0F, XA, YA, ATEXT, ATEXT_len, NC, ALEN,
                  ANGLE, VFIRST, 0.0F, VLAST);
        return;
    }
    const AxisText axis_text = copy_axis_text(numbered, ATEXT, ATEXT_len, NC);
    const double first = VFIRST;
    const double span = static_cast<double>(VLAST) - first;
    auto along_of = [&](double value) {
        return static_cast<float>(static_cast<double>(ALEN) * (value - first) / span);
    };

    PLTSYN(1);
    PLOT(XA + ALEN * axis.cosa, YA + ALEN * axis.sina, 3);
    MPLOT(XA, YA, 2, 3);
    for (int i = 0; i < ticks.count; ++i) {
        log_tick(axis, along_of(ticks.ticks[i]), TICK_LENGTH);
    }
    for (int i = 0; i < ticks.minor_count; ++i) {
        log_tick(axis, along_of(ticks.minor[i]), MINOR_TICK_LENGTH);
    }
    if (!numbered) {
        PLTSYN(0);
        return;
    }
    float dmax = SIZE;
    for (int i = 0; i < ticks.count; ++i) {
        const scale::TimeLabel& label = ticks.labels[i];
        const float scratch = 0.0F;
        float width = 0.0F;
        TEXTLK(scratch, width, SIZE, label.text, scratch, label.length, label.length);
        const float d = label_distance(axis, width);
        dmax = std::fmax(dmax, d);
        const float along = along_of(ticks.ticks[i]);
        SYMBLK(axis.x_at(along, d) - 0.5F * width, axis.y_at(along, d) - 0.5F * SIZE, SIZE, label.text, 0.0F,
               label.length, label.length);
    }
    float off = 2.0F * dmax;
    if (axis.side < 0.0F) {
        off += SIZE;
    }
    // The context text under the axis's end, then the axis text beyond it.
    if (ticks.context_length > 0) {
        write_context(axis, ticks.context, ticks.context_length, ALEN, off, ANGLE);
        off += 2.0F * SIZE;
    }
    write_axis_text(axis, axis_text.chars, axis_text.count, ALEN, ANGLE, off);
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

void diagr::axis::draw_logarithmic(float xa, float ya, const char* atext, int atext_len, int nc, float alen,
                                   float angle, float vfirst, float vlast, bool numbered) {
    log_axis_body(xa, ya, atext, atext_len, nc, alen, angle, vfirst, vlast, numbered);
}

void diagr::axis::draw_time(float xa, float ya, const char* atext, int atext_len, int nc, float alen, float angle,
                            float vfirst, float vlast, double t0, bool numbered) {
    time_axis_body(xa, ya, atext, atext_len, nc, alen, angle, vfirst, vlast, t0, numbered);
}

void diagr::axis::draw_minor_linear(float xa, float ya, int nc, float alen, float angle, float vfirst, float vlast,
                                    float step, float minor) {
    constexpr double MOST_MINOR_TICKS = 10000.0;
    constexpr double ON_A_STEP = 1.0e-3;  // steps: how close a multiple of STEP counts as one
    const double lo = std::fmin(vfirst, vlast);
    const double hi = std::fmax(vfirst, vlast);
    const double span = static_cast<double>(vlast) - vfirst;
    const bool finite = std::isfinite(xa) && std::isfinite(ya) && std::isfinite(alen) && std::isfinite(angle) &&
                        std::isfinite(span) && std::isfinite(step) && std::isfinite(minor);
    if (!finite || !(minor > 0.0F) || span == 0.0 || (hi - lo) / minor > MOST_MINOR_TICKS) {
        return;
    }
    const Axis axis = axis_at(xa, ya, angle * DEGREES_TO_RADIANS, nc);
    const double first = std::ceil(lo / minor - ON_A_STEP);
    const double last = std::floor(hi / minor + ON_A_STEP);
    PLTSYN(1);
    for (double k = first; k <= last; ++k) {
        const double value = k * minor;
        const double steps = value / step;
        if (step > 0.0F && std::fabs(steps - std::round(steps)) < ON_A_STEP) {
            continue;
        }
        log_tick(axis, static_cast<float>(alen * (value - vfirst) / span), MINOR_TICK_LENGTH);
    }
    PLTSYN(0);
}
