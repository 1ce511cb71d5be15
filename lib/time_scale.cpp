// The calendar rules of a time axis: tick steps on the calendar, the step that fits, its minor
// ticks, the labels and the context text, and the range that ends on ticks.
//
// Instants are handled as seconds after T0 (doubles); an instant is split into its UTC day and
// the seconds into that day as (T0 - day * 86400) + value, so that a value near T0 keeps its
// fractions of a second even when T0 is some 1.7E9 s. Civil dates come from <chrono>.
#include "time_scale.h"

#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstring>

namespace diagr::scale {
namespace {

using std::chrono::day;
using std::chrono::days;
using std::chrono::month;
using std::chrono::months;
using std::chrono::sys_days;
using std::chrono::year;
using std::chrono::year_month_day;
using std::chrono::years;

constexpr double DAY = 86400.0;
// Outside the years -30000..30000 <chrono>'s civil dates do not reach.
constexpr double LATEST_INSTANT = 9.0E11;
// Closer than this (cm) minor ticks would blur into a comb.
constexpr float CLOSEST_MINOR_TICKS = 0.15F;
// A range out to ticks may be at most this many times as long as the data's.
constexpr double MOST_WIDENING = 8.0;
// Data filling less than this part of a range out to labelled ticks end on minor ticks instead.
constexpr double LEAST_FILL = 0.85;
constexpr int MINOR_END_ROUNDS = 4;
// A minor step divides its major step into at most this many parts.
constexpr double MOST_MINOR_PARTS = 12.5;

constexpr const char* MONTH_NAMES[12] = {"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                                         "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};

// The candidate steps, finest first.
constexpr int MAX_CANDIDATES = 64;
struct Candidates {
    TimeStep steps[MAX_CANDIDATES];
    int count = 0;
};

constexpr Candidates make_candidates() {
    Candidates c;
    for (int e = -6; e <= -1; ++e) {
        for (const int m : {1, 2, 5}) {
            c.steps[c.count++] = TimeStep{TimeUnit::SubSecond, m, e};
        }
    }
    for (const int m : {1, 2, 5, 10, 15, 30}) {
        c.steps[c.count++] = TimeStep{TimeUnit::Second, m, 0};
    }
    for (const int m : {1, 2, 5, 10, 15, 30}) {
        c.steps[c.count++] = TimeStep{TimeUnit::Minute, m, 0};
    }
    for (const int m : {1, 2, 3, 6, 12}) {
        c.steps[c.count++] = TimeStep{TimeUnit::Hour, m, 0};
    }
    c.steps[c.count++] = TimeStep{TimeUnit::Day, 1, 0};
    c.steps[c.count++] = TimeStep{TimeUnit::Day, 2, 0};
    c.steps[c.count++] = TimeStep{TimeUnit::Week, 1, 0};
    for (const int m : {1, 2, 3, 6}) {
        c.steps[c.count++] = TimeStep{TimeUnit::Month, m, 0};
    }
    for (int factor = 1; factor <= 10000; factor *= 10) {
        for (const int m : {1, 2, 5}) {
            if (m * factor <= 10000) {
                c.steps[c.count++] = TimeStep{TimeUnit::Year, m * factor, 0};
            }
        }
    }
    return c;
}

constexpr Candidates CANDIDATES = make_candidates();

double power_of_ten(int exponent) { return std::pow(10.0, static_cast<double>(exponent)); }

// Seconds a step takes, on average for months and years (used only to judge density).
bool same_step(const TimeStep& a, const TimeStep& b) {
    return a.unit == b.unit && a.count == b.count && a.exponent == b.exponent;
}

double nominal_seconds(const TimeStep& step) {
    const double count = static_cast<double>(step.count);
    switch (step.unit) {
        case TimeUnit::SubSecond:
            return count * power_of_ten(step.exponent);
        case TimeUnit::Second:
            return count;
        case TimeUnit::Minute:
            return 60.0 * count;
        case TimeUnit::Hour:
            return 3600.0 * count;
        case TimeUnit::Day:
            return DAY * count;
        case TimeUnit::Week:
            return 7.0 * DAY;
        case TimeUnit::Month:
            return 30.436875 * DAY * count;
        case TimeUnit::Year:
            return 365.2425 * DAY * count;
    }
    return 0.0;
}

bool fixed_length(TimeUnit unit) { return unit <= TimeUnit::Hour; }

// An instant as its UTC day (days since 1970-01-01) and the seconds into it.
struct Split {
    long day;
    double seconds;
};

Split split(double t0, double value) {
    long d = static_cast<long>(std::floor((t0 + value) / DAY));
    double s = (t0 - static_cast<double>(d) * DAY) + value;
    if (s < 0.0) {
        --d;
        s += DAY;
    } else if (s >= DAY) {
        ++d;
        s -= DAY;
    }
    return Split{d, s};
}

// Seconds after T0 of midnight starting day D.
double midnight(double t0, long d) { return static_cast<double>(d) * DAY - t0; }

year_month_day date_of(long d) { return year_month_day{sys_days{days{d}}}; }
long day_number(const year_month_day& ymd) { return sys_days{ymd}.time_since_epoch().count(); }

long floor_div(long a, long b) { return a >= 0 ? a / b : -((-a + b - 1) / b); }

// Whether midnight of day D is a tick of a Day, Week, Month or Year step.
bool on_calendar_step(const TimeStep& step, long d) {
    const year_month_day ymd = date_of(d);
    const unsigned dom = static_cast<unsigned>(ymd.day());
    switch (step.unit) {
        case TimeUnit::Day: {
            if (step.count == 1) {
                return true;
            }
            const unsigned last = static_cast<unsigned>(
                std::chrono::year_month_day_last{ymd.year(), std::chrono::month_day_last{ymd.month()}}.day());
            return dom % 2 == 1 && dom + 1 <= last;
        }
        case TimeUnit::Week:
            return dom == 1 || dom == 8 || dom == 15 || dom == 22;
        case TimeUnit::Month: {
            const long index = static_cast<long>(static_cast<int>(ymd.year())) * 12 +
                               static_cast<long>(static_cast<unsigned>(ymd.month())) - 1;
            return dom == 1 && floor_div(index, step.count) * step.count == index;
        }
        case TimeUnit::Year: {
            const long y = static_cast<int>(ymd.year());
            return dom == 1 && ymd.month() == std::chrono::January && floor_div(y, step.count) * step.count == y;
        }
        default:
            return false;
    }
}

// The first day at or after D whose midnight is a tick of the calendar step.
long next_calendar_day(const TimeStep& step, long d) {
    if (step.unit == TimeUnit::Month || step.unit == TimeUnit::Year) {
        year_month_day ymd = date_of(d);
        if (ymd.day() != day{1}) {
            ymd = year_month_day{ymd.year(), ymd.month(), day{1}} + months{1};
        }
        if (step.unit == TimeUnit::Year && ymd.month() != std::chrono::January) {
            ymd = year_month_day{ymd.year() + years{1}, std::chrono::January, day{1}};
        }
        // At most 5 more months or 9999 more years, stepped by the unit.
        while (!on_calendar_step(step, day_number(ymd))) {
            ymd = step.unit == TimeUnit::Month ? ymd + months{1} : ymd + years{1};
        }
        return day_number(ymd);
    }
    while (!on_calendar_step(step, d)) {
        ++d;
    }
    return d;
}

// The last day at or before D whose midnight is a tick of the calendar step.
long previous_calendar_day(const TimeStep& step, long d) {
    if (step.unit == TimeUnit::Month || step.unit == TimeUnit::Year) {
        const year_month_day ymd = date_of(d);
        const long y = static_cast<int>(ymd.year());
        if (step.unit == TimeUnit::Year) {
            const long first = floor_div(y, step.count) * step.count;
            return day_number(year{static_cast<int>(first)} / std::chrono::January / 1);
        }
        const long index = y * 12 + static_cast<long>(static_cast<unsigned>(ymd.month())) - 1;
        const long first = floor_div(index, step.count) * step.count;
        const long fy = floor_div(first, 12);
        const unsigned fm = static_cast<unsigned>(first - fy * 12) + 1U;
        return day_number(year{static_cast<int>(fy)} / month{fm} / 1);
    }
    while (!on_calendar_step(step, d)) {
        --d;
    }
    return d;
}

// How far outside FIRST..LAST a tick still counts: a thousandth of the step, and the rounding of
// a float bound.
double tolerance(const TimeStep& step, double first, double last) {
    return 1.0E-3 * nominal_seconds(step) + 1.2E-7 * std::fmax(std::fabs(first), std::fabs(last));
}

// The ticks of STEP from LO - TOL to HI + TOL (seconds after T0), at most MAX; -1 when there are
// more.
int generate(const TimeStep& step, double t0, double lo, double hi, double tol, double* out, int max) {
    int n = 0;
    if (fixed_length(step.unit)) {
        const double s = nominal_seconds(step);
        const Split start = split(t0, lo - tol);
        const double base = midnight(t0, start.day);
        for (double k = std::ceil(start.seconds / s);; k += 1.0) {
            const double t = base + k * s;
            if (t > hi + tol) {
                break;
            }
            if (n == max) {
                return -1;
            }
            out[n++] = t;
        }
        return n;
    }
    const Split start = split(t0, lo - tol);
    long d = next_calendar_day(step, start.seconds > 0.0 ? start.day + 1 : start.day);
    while (midnight(t0, d) <= hi + tol) {
        if (n == max) {
            return -1;
        }
        out[n++] = midnight(t0, d);
        d = next_calendar_day(step, d + 1);
    }
    return n;
}

// The last tick of STEP at or before VALUE (within the tolerance).
double tick_at_or_before(const TimeStep& step, double t0, double value) {
    const double tol = tolerance(step, value, value);
    const Split at = split(t0, value + tol);
    if (fixed_length(step.unit)) {
        const double s = nominal_seconds(step);
        return midnight(t0, at.day) + std::floor(at.seconds / s) * s;
    }
    return midnight(t0, previous_calendar_day(step, at.day));
}

// The first tick of STEP at or after VALUE (within the tolerance).
double tick_at_or_after(const TimeStep& step, double t0, double value) {
    // The next tick is at most one step away, or for days of the month ten days.
    const double window = 2.0 * nominal_seconds(step) + (fixed_length(step.unit) ? 0.0 : 10.0 * DAY);
    double tick = 0.0;
    const int n = generate(step, t0, value, value + window, tolerance(step, value, value), &tick, 1);
    return n == 1 || n == -1 ? tick : value;
}

void put_text(char* out, int size, int& length, const char* text) {
    const int n = static_cast<int>(std::strlen(text));
    const int kept = n < size ? n : size;
    std::memcpy(out, text, static_cast<std::size_t>(kept));
    length = kept;
}

// The label of the tick at VALUE (seconds after T0) for STEP.
void label_of(const TimeStep& step, double t0, double value, TimeLabel& label) {
    Split at = split(t0, value);
    const double resolution = step.unit == TimeUnit::SubSecond ? power_of_ten(step.exponent) : 1.0;
    at.seconds = std::round(at.seconds / resolution) * resolution;
    if (at.seconds >= DAY) {
        ++at.day;
        at.seconds = 0.0;
    }
    const year_month_day ymd = date_of(at.day);
    const int y = static_cast<int>(ymd.year());
    const unsigned m = static_cast<unsigned>(ymd.month());
    const unsigned dom = static_cast<unsigned>(ymd.day());
    const char* month_name = MONTH_NAMES[m - 1];
    const long whole = static_cast<long>(std::floor(at.seconds + 0.5 * resolution));
    const long hours = whole / 3600;
    const long minutes = whole / 60 % 60;
    const double second_of_minute = at.seconds - static_cast<double>(hours * 3600 + minutes * 60);
    const bool new_year = m == 1 && dom == 1;
    const bool midnight_tick = at.seconds == 0.0;
    char text[32];
    switch (step.unit) {
        case TimeUnit::Year:
            std::snprintf(text, sizeof text, "%d", y);
            break;
        case TimeUnit::Month:
            if (new_year) {
                std::snprintf(text, sizeof text, "%d", y);
            } else {
                std::snprintf(text, sizeof text, "%s", month_name);
            }
            break;
        case TimeUnit::Day:
        case TimeUnit::Week:
            if (new_year) {
                std::snprintf(text, sizeof text, "%d", y);
            } else if (dom == 1) {
                std::snprintf(text, sizeof text, "%s", month_name);
            } else {
                std::snprintf(text, sizeof text, "%s %02u", month_name, dom);
            }
            break;
        default:
            if (midnight_tick) {
                std::snprintf(text, sizeof text, "%s %02u", month_name, dom);
            } else if (step.unit == TimeUnit::Second) {
                std::snprintf(text, sizeof text, "%02ld:%02ld:%02ld", hours, minutes, whole % 60);
            } else if (step.unit == TimeUnit::SubSecond && second_of_minute != 0.0) {
                const int decimals = -step.exponent;
                std::snprintf(text, sizeof text, "%0*.*f", decimals + 3, decimals, second_of_minute);
            } else {
                std::snprintf(text, sizeof text, "%02ld:%02ld", hours, minutes);
            }
            break;
    }
    put_text(label.text, TIME_LABEL_LEN, label.length, text);
}

// What the labels of STEP leave out, for the instant VALUE.
// Whether the last label reads TEXT.
bool last_label_is(const TimeTicks& ticks, const char* text) {
    if (ticks.count == 0) {
        return false;
    }
    const TimeLabel& last = ticks.labels[ticks.count - 1];
    return std::strlen(text) == static_cast<std::size_t>(last.length) &&
           std::memcmp(text, last.text, static_cast<std::size_t>(last.length)) == 0;
}

void context_of(const TimeStep& step, double t0, double value, TimeTicks& ticks) {
    const Split at = split(t0, value);
    const year_month_day ymd = date_of(at.day);
    const int y = static_cast<int>(ymd.year());
    const char* month_name = MONTH_NAMES[static_cast<unsigned>(ymd.month()) - 1];
    const unsigned dom = static_cast<unsigned>(ymd.day());
    const long minute = static_cast<long>(std::floor(at.seconds / 60.0));
    char text[48];
    text[0] = '\0';
    switch (step.unit) {
        case TimeUnit::Year:
            break;
        case TimeUnit::Month:
        case TimeUnit::Week:
        case TimeUnit::Day:
            // Not again under a last label that is that year ("2024" on 1 January).
            std::snprintf(text, sizeof text, "%d", y);
            if (last_label_is(ticks, text)) {
                text[0] = '\0';
            }
            break;
        case TimeUnit::SubSecond:
            std::snprintf(text, sizeof text, "%d %s %02u %02ld:%02ld", y, month_name, dom, minute / 60, minute % 60);
            break;
        default:
            std::snprintf(text, sizeof text, "%d %s %02u", y, month_name, dom);
            break;
    }
    put_text(ticks.context, TIME_CONTEXT_LEN, ticks.context_length, text);
}

// Whether the ticks of STEP from LO to HI have their labels' room; fills TICKS if so.
bool try_step(const TimeStep& step, double t0, double lo, double hi, float alen, float label_height, bool vertical,
              TimeTicks& ticks) {
    const double span = hi - lo;
    if (span / nominal_seconds(step) > MAX_TIME_TICKS + 1) {
        return false;
    }
    const int n = generate(step, t0, lo, hi, tolerance(step, lo, hi), ticks.ticks, MAX_TIME_TICKS);
    if (n < 0) {
        return false;
    }
    int widest = 0;
    for (int i = 0; i < n; ++i) {
        label_of(step, t0, ticks.ticks[i], ticks.labels[i]);
        widest = ticks.labels[i].length > widest ? ticks.labels[i].length : widest;
    }
    const double room = vertical ? 2.0 * label_height : static_cast<double>(widest + 2) * label_height;
    const double cm_per_second = std::fabs(static_cast<double>(alen)) / span;
    for (int i = 1; i < n; ++i) {
        if ((ticks.ticks[i] - ticks.ticks[i - 1]) * cm_per_second < room * (1.0 - 1.0E-6)) {
            return false;
        }
    }
    ticks.step = step;
    ticks.count = n;
    return true;
}

// The minor ticks of a finer step that holds every major tick, leaves 0.15 cm between its ticks and
// divides the major step into at most 12 parts: the coarsest of those that make 4 parts or more,
// else the finest.
void add_minor_ticks(int major_index, double t0, double lo, double hi, float alen, TimeTicks& ticks) {
    ticks.minor_count = 0;
    ticks.has_minor_step = false;
    const double cm_per_second = std::fabs(static_cast<double>(alen)) / (hi - lo);
    const double major_seconds = nominal_seconds(ticks.step);
    int chosen = -1;
    for (int i = 0; i < major_index; ++i) {
        const TimeStep& step = CANDIDATES.steps[i];
        const double seconds = nominal_seconds(step);
        if (major_seconds / seconds > MOST_MINOR_PARTS || seconds * cm_per_second < CLOSEST_MINOR_TICKS ||
            (hi - lo) / seconds > MAX_MINOR_TIME_TICKS) {
            continue;
        }
        double minor[MAX_MINOR_TIME_TICKS];
        const double tol = tolerance(step, lo, hi);
        const int n = generate(step, t0, lo, hi, tol, minor, MAX_MINOR_TIME_TICKS);
        if (n < 0) {
            continue;
        }
        bool fits = true;
        for (int k = 1; k < n && fits; ++k) {
            fits = (minor[k] - minor[k - 1]) * cm_per_second >= CLOSEST_MINOR_TICKS;
        }
        // Both lists ascend: every major tick must meet a minor one.
        int k = 0;
        for (int j = 0; j < ticks.count && fits; ++j) {
            while (k < n && minor[k] < ticks.ticks[j] - tol) {
                ++k;
            }
            fits = k < n && std::fabs(minor[k] - ticks.ticks[j]) <= tol;
        }
        if (!fits) {
            continue;
        }
        const bool enough_parts = major_seconds / seconds >= 3.5;
        if (chosen < 0 || enough_parts) {
            chosen = i;
            ticks.has_minor_step = true;
            ticks.minor_step = step;
            int kept = 0;
            int j = 0;
            for (k = 0; k < n; ++k) {
                while (j < ticks.count && ticks.ticks[j] < minor[k] - tol) {
                    ++j;
                }
                if (j < ticks.count && std::fabs(minor[k] - ticks.ticks[j]) <= tol) {
                    continue;
                }
                ticks.minor[kept++] = minor[k];
            }
            ticks.minor_count = kept;
        }
    }
}

}  // namespace

void time_ticks(double t0, double first, double last, float alen, float label_height, bool vertical, TimeTicks& ticks) {
    ticks.usable = false;
    ticks.count = 0;
    ticks.minor_count = 0;
    ticks.has_minor_step = false;
    ticks.context_length = 0;
    const double lo = std::fmin(first, last);
    const double hi = std::fmax(first, last);
    const bool finite = std::isfinite(t0) && std::isfinite(lo) && std::isfinite(hi) && std::isfinite(alen) &&
                        alen != 0.0F && std::isfinite(label_height) && label_height > 0.0F;
    if (!finite || !(hi > lo) || std::fabs(t0 + lo) > LATEST_INSTANT || std::fabs(t0 + hi) > LATEST_INSTANT) {
        return;
    }
    for (int i = 0; i < CANDIDATES.count; ++i) {
        if (try_step(CANDIDATES.steps[i], t0, lo, hi, alen, label_height, vertical, ticks)) {
            add_minor_ticks(i, t0, lo, hi, alen, ticks);
            context_of(ticks.step, t0, ticks.count > 0 ? ticks.ticks[ticks.count - 1] : hi, ticks);
            ticks.usable = true;
            return;
        }
    }
}

bool time_range(double t0, double first, double last, float alen, float label_height, bool vertical, float& low,
                float& high) {
    low = static_cast<float>(first);
    high = static_cast<float>(last);
    if (!std::isfinite(first) || !std::isfinite(last)) {
        return false;
    }
    double lo = std::fmin(first, last);
    double hi = std::fmax(first, last);
    if (lo == hi) {
        lo -= DAY;
        hi += DAY;
    }
    TimeTicks ticks;
    time_ticks(t0, lo, hi, alen, label_height, vertical, ticks);
    if (!ticks.usable) {
        return false;
    }
    // The finest step whose labels keep their room on the range out to its own ticks, as long as
    // that range is at most MOST_WIDENING times the data's; if none, out to the next ticks of the
    // step the data's own range takes.
    const double span = hi - lo;
    double out_lo = tick_at_or_before(ticks.step, t0, lo);
    double out_hi = tick_at_or_after(ticks.step, t0, hi);
    for (int i = 0; i < CANDIDATES.count; ++i) {
        const TimeStep& step = CANDIDATES.steps[i];
        if (span / nominal_seconds(step) > MAX_TIME_TICKS + 1) {
            continue;
        }
        const double step_lo = tick_at_or_before(step, t0, lo);
        const double step_hi = tick_at_or_after(step, t0, hi);
        if (step_hi - step_lo > MOST_WIDENING * span) {
            break;
        }
        TimeTicks fitted;
        if (try_step(step, t0, step_lo, step_hi, alen, label_height, vertical, fitted)) {
            out_lo = step_lo;
            out_hi = step_hi;
            break;
        }
    }
    // Too wide: out to the minor ticks of the axis the data's range takes, while the axis on that
    // range keeps the steps (moving the ends can change the steps that fit, so a few rounds).
    for (int round = 0; round < MINOR_END_ROUNDS && span < LEAST_FILL * (out_hi - out_lo); ++round) {
        if (!ticks.has_minor_step) {
            break;
        }
        const double minor_lo = tick_at_or_before(ticks.minor_step, t0, lo);
        const double minor_hi = tick_at_or_after(ticks.minor_step, t0, hi);
        TimeTicks narrower;
        time_ticks(t0, minor_lo, minor_hi, alen, label_height, vertical, narrower);
        if (narrower.usable && narrower.has_minor_step && same_step(narrower.step, ticks.step) &&
            same_step(narrower.minor_step, ticks.minor_step)) {
            if (minor_hi - minor_lo < out_hi - out_lo) {
                out_lo = minor_lo;
                out_hi = minor_hi;
            }
            break;
        }
        ticks = narrower;
        if (!ticks.usable) {
            break;
        }
    }
    low = static_cast<float>(out_lo);
    high = static_cast<float>(out_hi);
    return true;
}

}  // namespace diagr::scale
