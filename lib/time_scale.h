// Internal: the calendar rules of a time axis (ticks, labels, range), beside the linear and
// logarithmic ones in axis_scale.h and shared the same way by FRAME, DIAGR and the diagr command.
// Not installed. Pure functions: no plotter calls, no heap.
//
// Times are seconds: an origin T0 in seconds since 1970-01-01T00:00:00 UTC (POSIX, no leap
// seconds) as a double, and values on the axis in seconds after T0. All calendar arithmetic is
// done in double from T0, on UTC, in the proleptic Gregorian calendar.
#pragma once

namespace diagr::scale {

// The kinds of tick step, finest first.
enum class TimeUnit { SubSecond, Second, Minute, Hour, Day, Week, Month, Year };

// One tick step: COUNT units (for SubSecond: COUNT x 10**EXPONENT seconds, COUNT 1, 2 or 5). A
// Week step ticks days 1, 8, 15 and 22 of every month; a 2-day step the odd days of the month,
// skipping the last one of a month whose next 1st would follow it after one day.
struct TimeStep {
    TimeUnit unit = TimeUnit::Year;
    int count = 1;
    int exponent = 0;
};

inline constexpr int MAX_TIME_TICKS = 64;
inline constexpr int MAX_MINOR_TIME_TICKS = 400;
inline constexpr int TIME_LABEL_LEN = 16;
inline constexpr int TIME_CONTEXT_LEN = 24;

struct TimeLabel {
    char text[TIME_LABEL_LEN];
    int length;
};

// The ticks and labels of a time axis. Tick values are seconds after T0.
struct TimeTicks {
    // False when the axis cannot be a time axis (a bound not finite, equal bounds, a date outside
    // the years -30000..30000, a length or label height that is not finite and positive, or no
    // step that fits); it is then numbered as a linear axis of seconds.
    bool usable = false;
    TimeStep step;
    int count = 0;
    double ticks[MAX_TIME_TICKS];
    TimeLabel labels[MAX_TIME_TICKS];
    int minor_count = 0;
    double minor[MAX_MINOR_TIME_TICKS];  // the minor ticks that are not major ones
    bool has_minor_step = false;         // whether a minor step was chosen, and which
    TimeStep minor_step;
    // What the labels leave out (the year; the date; the date and minute), taken from the last
    // tick, written once under the axis's end; length 0 for years, and for months and days when
    // the last label is that year.
    char context[TIME_CONTEXT_LEN];
    int context_length = 0;
};

// The ticks of a time axis from FIRST to LAST (seconds after T0, either order), ALEN cm long
// (its absolute value counts), labels LABEL_HEIGHT cm high: the finest step whose labels keep
// their room (VERTICAL false: two label heights more than the widest label, counted in
// character cells of LABEL_HEIGHT, as the numbers of a linear axis; VERTICAL true: two label
// heights), with minor ticks at the next finer step that leaves 0.15 cm between them. Labels:
//   years      "2012"
//   months     "Feb", the January tick "2013"                     context "2005" (none under a last "2006")
//   days/weeks "Mar 08", a 1st "Mar", a 1 January "2013"          context "2005" (the same)
//   hours and minutes "06:00", a midnight "Mar 02"                context "2024 Mar 04"
//   seconds    "12:00:30", a midnight "Mar 02"                    context "2024 Mar 04"
//   below 1 s  "30.25" (seconds of the minute, as many decimals as the step needs), a whole
//              minute "12:01", a midnight "Mar 02"                context "2024 Mar 04 12:00"
void time_ticks(double t0, double first, double last, float alen, float label_height, bool vertical, TimeTicks& ticks);

// The range a time axis takes for data from FIRST to LAST (seconds after T0, either order), ALEN
// cm long with labels LABEL_HEIGHT cm high (VERTICAL as for time_ticks), so that both ends are
// ticks of the axis time_ticks then draws: out to the labelled ticks of the finest step whose
// labels keep their room on that wider range (a range at most 8 times the data's; when no step
// fits so, out to the next ticks of the step time_ticks takes for the data). Where the data would
// fill less than 85 % of that range, the ends move in to minor ticks instead, when the axis on
// the narrower range keeps the same steps (1958-03 to 2023-12 by decades: 1958 to 2024, not 1940
// to 2040). A single instant is widened to a day on each side first. Writes back LOW and HIGH in
// seconds after T0 (floats) and returns true; without a usable time axis (see TimeTicks::usable)
// returns false with FIRST and LAST written back.
bool time_range(double t0, double first, double last, float alen, float label_height, bool vertical, float& low,
                float& high);

}  // namespace diagr::scale
