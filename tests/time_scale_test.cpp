// The calendar rules of time axes: steps, tick instants, labels, context texts and ranges.
#include "time_scale.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <string>
#include <vector>

#include "diagr.hpp"
#include "recorder.h"

namespace {

using diagr::scale::TimeTicks;

// Seconds since 1970-01-01 UTC of a civil instant, from <chrono> alone.
double instant(int y, unsigned m, unsigned d, int hour = 0, int minute = 0, double second = 0.0) {
    using namespace std::chrono;
    const double day = static_cast<double>(sys_days{year{y} / m / d}.time_since_epoch().count());
    return day * 86400.0 + hour * 3600.0 + minute * 60.0 + second;
}

// An instant as "YYYY-MM-DD hh:mm:ss" (seconds to 3 decimals when not whole), for messages and
// comparisons.
std::string civil(double seconds) {
    using namespace std::chrono;
    const double day = std::floor(seconds / 86400.0);
    const double rest = seconds - day * 86400.0;
    const year_month_day ymd{sys_days{days{static_cast<long>(day)}}};
    const long whole = static_cast<long>(std::floor(rest + 5.0E-4));
    const double fraction = rest - static_cast<double>(whole);
    char text[64];
    std::snprintf(text, sizeof text, "%04d-%02u-%02u %02ld:%02ld:%02ld", static_cast<int>(ymd.year()),
                  static_cast<unsigned>(ymd.month()), static_cast<unsigned>(ymd.day()), whole / 3600, whole / 60 % 60,
                  whole % 60);
    std::string out = text;
    if (std::fabs(fraction) > 5.0E-4) {
        std::snprintf(text, sizeof text, "%.3f", fraction);
        out += text + 1;
    }
    return out;
}

std::vector<std::string> labels(const TimeTicks& ticks) {
    std::vector<std::string> out;
    for (int i = 0; i < ticks.count; ++i) {
        out.emplace_back(ticks.labels[i].text, static_cast<std::size_t>(ticks.labels[i].length));
    }
    return out;
}

std::vector<std::string> instants(const TimeTicks& ticks, double t0) {
    std::vector<std::string> out;
    for (int i = 0; i < ticks.count; ++i) {
        out.push_back(civil(t0 + ticks.ticks[i]));
    }
    return out;
}

struct TickCase {
    const char* name;
    double t0;
    double first;  // seconds after t0
    double last;
    float axis_cm;
    float label_height;
    std::vector<std::string> labels;
    std::string context;
    std::string first_tick;
    std::string second_tick;
};

TEST(TimeTicks, StepsLabelsAndContextFollowTheCalendar) {
    const double feb05 = instant(2005, 2, 1);
    const double mar24 = instant(2024, 3, 1);
    const double noon = instant(2024, 3, 1, 12);
    const std::vector<TickCase> cases = {
        {"two months, weekly",
         feb05,
         0.0,
         instant(2005, 4, 1) - feb05,
         20.0F,
         0.25F,
         {"Feb", "Feb 08", "Feb 15", "Feb 22", "Mar", "Mar 08", "Mar 15", "Mar 22", "Apr"},
         "2005",
         "2005-02-01 00:00:00",
         "2005-02-08 00:00:00"},
        {"two months, short axis: months",
         feb05,
         0.0,
         instant(2005, 4, 1) - feb05,
         10.0F,
         0.3F,
         {"Feb", "Mar", "Apr"},
         "2005",
         "2005-02-01 00:00:00",
         "2005-03-01 00:00:00"},
        {"three days, 12 hours",
         mar24,
         0.0,
         3 * 86400.0,
         20.0F,
         0.25F,
         {"Mar 01", "12:00", "Mar 02", "12:00", "Mar 03", "12:00", "Mar 04"},
         "2024 Mar 04",
         "2024-03-01 00:00:00",
         "2024-03-01 12:00:00"},
        {"six hours",
         instant(2024, 3, 1, 3),
         0.0,
         6 * 3600.0,
         15.0F,
         0.3F,
         {"03:00", "04:00", "05:00", "06:00", "07:00", "08:00", "09:00"},
         "2024 Mar 01",
         "2024-03-01 03:00:00",
         "2024-03-01 04:00:00"},
        {"hours across midnight name the date",
         noon,
         0.0,
         86400.0,
         15.0F,
         0.3F,
         {"12:00", "18:00", "Mar 02", "06:00", "12:00"},
         "2024 Mar 02",
         "2024-03-01 12:00:00",
         "2024-03-01 18:00:00"},
        {"1990 to 2024",
         instant(1990, 1, 1),
         0.0,
         instant(2024, 1, 1) - instant(1990, 1, 1),
         15.0F,
         0.3F,
         {"1990", "1995", "2000", "2005", "2010", "2015", "2020"},
         "",
         "1990-01-01 00:00:00",
         "1995-01-01 00:00:00"},
        {"ten minutes",
         noon,
         0.0,
         600.0,
         15.0F,
         0.3F,
         {"12:00", "12:02", "12:04", "12:06", "12:08", "12:10"},
         "2024 Mar 01",
         "2024-03-01 12:00:00",
         "2024-03-01 12:02:00"},
        {"fifty seconds",
         noon,
         0.0,
         50.0,
         15.0F,
         0.3F,
         {"12:00:00", "12:00:10", "12:00:20", "12:00:30", "12:00:40", "12:00:50"},
         "2024 Mar 01",
         "2024-03-01 12:00:00",
         "2024-03-01 12:00:10"},
        {"half a second",
         noon,
         30.0,
         30.5,
         15.0F,
         0.3F,
         {"30.0", "30.1", "30.2", "30.3", "30.4", "30.5"},
         "2024 Mar 01 12:00",
         "2024-03-01 12:00:30",
         "2024-03-01 12:00:30.100"},
        {"tenths across a minute name the minute",
         noon,
         59.8,
         60.2,
         15.0F,
         0.3F,
         {"59.8", "59.9", "12:01", "00.1", "00.2"},
         "2024 Mar 01 12:01",
         "2024-03-01 12:00:59.800",
         "2024-03-01 12:00:59.900"},
        {"milliseconds stay exact far from 1970",
         1.7E9 + 0.25,
         0.0,
         0.004,
         15.0F,
         0.3F,
         {"20.250", "20.251", "20.252", "20.253", "20.254"},
         "2023 Nov 14 22:13",
         "2023-11-14 22:13:20.250",
         "2023-11-14 22:13:20.251"},
        {"days over 29 February",
         instant(2024, 2, 26),
         0.0,
         7 * 86400.0,
         15.0F,
         0.25F,
         {"Feb 26", "Feb 27", "Feb 28", "Feb 29", "Mar", "Mar 02", "Mar 03", "Mar 04"},
         "2024",
         "2024-02-26 00:00:00",
         "2024-02-27 00:00:00"},
        {"days over a year's end name the year",
         instant(2023, 12, 29),
         0.0,
         5 * 86400.0,
         15.0F,
         0.25F,
         {"Dec 29", "Dec 30", "Dec 31", "2024", "Jan 02", "Jan 03"},
         "2024",
         "2023-12-29 00:00:00",
         "2023-12-30 00:00:00"},
        {"months over a year's end",
         instant(2012, 10, 15),
         0.0,
         instant(2013, 3, 1) - instant(2012, 10, 15),
         10.0F,
         0.3F,
         {"Nov", "Dec", "2013", "Feb", "Mar"},
         "2013",
         "2012-11-01 00:00:00",
         "2012-12-01 00:00:00"},
        {"a year of months: the last label names the year, no context repeats it",
         instant(2023, 1, 1),
         0.0,
         instant(2024, 1, 1) - instant(2023, 1, 1),
         15.0F,
         0.35F,
         {"2023", "Mar", "May", "Jul", "Sep", "Nov", "2024"},
         "",
         "2023-01-01 00:00:00",
         "2023-03-01 00:00:00"},
        {"a leap year's February, every other day",
         instant(2024, 2, 20),
         0.0,
         20 * 86400.0,
         10.0F,
         0.3F,
         {"Feb 21", "Feb 23", "Feb 25", "Feb 27", "Mar", "Mar 03", "Mar 05", "Mar 07", "Mar 09", "Mar 11"},
         "2024",
         "2024-02-21 00:00:00",
         "2024-02-23 00:00:00"},
        {"before 1970",
         instant(1899, 12, 29),
         0.0,
         4 * 86400.0,
         15.0F,
         0.3F,
         {"Dec 29", "Dec 30", "Dec 31", "1900", "Jan 02"},
         "1900",
         "1899-12-29 00:00:00",
         "1899-12-30 00:00:00"},
    };
    for (const TickCase& c : cases) {
        SCOPED_TRACE(c.name);
        // The 2-day case stands on a vertical axis, where labels need two heights each.
        const bool vertical = std::string(c.name).find("every other day") != std::string::npos;
        TimeTicks ticks;
        diagr::scale::time_ticks(c.t0, c.first, c.last, c.axis_cm, c.label_height, vertical, ticks);
        ASSERT_TRUE(ticks.usable);
        EXPECT_EQ(labels(ticks), c.labels);
        EXPECT_EQ(std::string(ticks.context, static_cast<std::size_t>(ticks.context_length)), c.context);
        const std::vector<std::string> at = instants(ticks, c.t0);
        ASSERT_GE(at.size(), 2U);
        EXPECT_EQ(at[0], c.first_tick);
        EXPECT_EQ(at[1], c.second_tick);
        // Either order of the bounds gives the same axis.
        TimeTicks reversed;
        diagr::scale::time_ticks(c.t0, c.last, c.first, -c.axis_cm, c.label_height, vertical, reversed);
        EXPECT_EQ(labels(reversed), c.labels);
    }
}

// The step is the finest whose labels keep their room: two cells more than the widest label.
TEST(TimeTicks, AStepIsTakenOnlyWhereItsLabelsHaveRoom) {
    const double t0 = instant(2024, 3, 1);
    TimeTicks ticks;
    for (float cm = 4.0F; cm <= 40.0F; cm += 2.0F) {
        SCOPED_TRACE(cm);
        diagr::scale::time_ticks(t0, 0.0, 3 * 86400.0, cm, 0.3F, false, ticks);
        ASSERT_TRUE(ticks.usable);
        int widest = 0;
        for (int i = 0; i < ticks.count; ++i) {
            widest = std::max(widest, ticks.labels[i].length);
        }
        const double cm_per_second = cm / (3 * 86400.0);
        for (int i = 1; i < ticks.count; ++i) {
            EXPECT_GE((ticks.ticks[i] - ticks.ticks[i - 1]) * cm_per_second, (widest + 2) * 0.3 - 1.0E-6);
        }
    }
    // 40 cm gives 0.56 cm an hour; the dates at midnight ("Mar 02") need 8 cells of 0.3 cm: 6 hours.
    diagr::scale::time_ticks(t0, 0.0, 3 * 86400.0, 40.0F, 0.3F, false, ticks);
    EXPECT_EQ(ticks.step.unit, diagr::scale::TimeUnit::Hour);
    EXPECT_EQ(ticks.step.count, 6);
}

// Minor ticks lie between the major ones on a finer calendar step, never on a major tick.
TEST(TimeTicks, MinorTicksSubdivideOnTheCalendar) {
    const double t0 = instant(2005, 2, 1);
    TimeTicks ticks;
    diagr::scale::time_ticks(t0, 0.0, instant(2005, 4, 1) - t0, 20.0F, 0.25F, false, ticks);
    ASSERT_TRUE(ticks.usable);
    // Weekly majors, daily minors: 59 days and one more midnight, less the 9 majors.
    EXPECT_EQ(ticks.minor_count, 60 - 9);
    for (int i = 0; i < ticks.minor_count; ++i) {
        const std::string at = civil(t0 + ticks.minor[i]);
        EXPECT_EQ(at.substr(10), " 00:00:00");
        for (int j = 0; j < ticks.count; ++j) {
            EXPECT_NE(ticks.minor[i], ticks.ticks[j]);
        }
    }
    // Five-year majors over 34 years: every other year is a minor tick.
    const double y1990 = instant(1990, 1, 1);
    diagr::scale::time_ticks(y1990, 0.0, instant(2024, 1, 1) - y1990, 15.0F, 0.3F, false, ticks);
    ASSERT_GT(ticks.minor_count, 2);
    EXPECT_EQ(civil(y1990 + ticks.minor[0]), "1991-01-01 00:00:00");
    EXPECT_EQ(civil(y1990 + ticks.minor[ticks.minor_count - 1]), "2024-01-01 00:00:00");
}

TEST(TimeTicks, WithoutACalendarRangeTheAxisIsNotATimeAxis) {
    struct Case {
        const char* name;
        double t0;
        double first;
        double last;
        float cm;
        float height;
    };
    const double nan = std::nan("");
    for (const Case& c :
         {Case{"one instant", 0.0, 5.0, 5.0, 10.0F, 0.3F}, Case{"not finite", 0.0, 0.0, nan, 10.0F, 0.3F},
          Case{"beyond the years of the calendar", 0.0, 1.0E30, 2.0E30, 10.0F, 0.3F},
          Case{"an origin not finite", nan, 0.0, 10.0, 10.0F, 0.3F}, Case{"no length", 0.0, 0.0, 10.0, 0.0F, 0.3F},
          Case{"no label height", 0.0, 0.0, 10.0, 10.0F, 0.0F}}) {
        SCOPED_TRACE(c.name);
        TimeTicks ticks;
        diagr::scale::time_ticks(c.t0, c.first, c.last, c.cm, c.height, false, ticks);
        EXPECT_FALSE(ticks.usable);
    }
}

struct RangeCase {
    const char* name;
    double t0;
    double first;  // instants, seconds since 1970
    double last;
    float axis_cm;
    std::string low;
    std::string high;
    float label_height = 0.3F;
    bool vertical = false;
};

TEST(TimeRange, EndsOnTheTicksTheAxisWillDraw) {
    const double t0 = instant(2005, 2, 1);
    const std::vector<RangeCase> cases = {
        {"days inside two months, by months", t0, instant(2005, 2, 3, 7), instant(2005, 3, 27), 10.0F,
         "2005-02-01 00:00:00", "2005-04-01 00:00:00"},
        {"decades", instant(1991, 6, 1), instant(1991, 6, 1), instant(2023, 3, 5), 15.0F, "1990-01-01 00:00:00",
         "2025-01-01 00:00:00"},
        {"hours", instant(2024, 3, 1), instant(2024, 3, 1, 5, 17), instant(2024, 3, 1, 10, 2), 15.0F,
         "2024-03-01 05:15:00", "2024-03-01 10:15:00"},
        {"ends already on ticks stay", instant(2024, 3, 1), instant(2024, 3, 1, 6), instant(2024, 3, 1, 12), 15.0F,
         "2024-03-01 06:00:00", "2024-03-01 12:00:00"},
        {"one instant: a day on each side, out to ticks", instant(2024, 3, 1, 12), instant(2024, 3, 1, 12, 1, 40),
         instant(2024, 3, 1, 12, 1, 40), 15.0F, "2024-02-29 12:00:00", "2024-03-02 15:00:00"},
        {"a year's end and 29 February", instant(2023, 12, 20), instant(2023, 12, 20), instant(2024, 3, 10), 15.0F,
         "2023-12-15 00:00:00", "2024-03-15 00:00:00"},
        {"a vertical axis numbers every hour", instant(2024, 3, 1, 4), instant(2024, 3, 1, 4), instant(2024, 3, 1, 13),
         8.0F, "2024-03-01 04:00:00", "2024-03-01 13:00:00", 0.4F, true},
        {"the same horizontal: numbers every 12 hours, ends on hourly ticks", instant(2024, 3, 1, 4),
         instant(2024, 3, 1, 4), instant(2024, 3, 1, 13), 8.0F, "2024-03-01 04:00:00", "2024-03-01 13:00:00", 0.4F,
         false},
        {"monthly values over 65 years: ends on yearly ticks", instant(1958, 3, 1), instant(1958, 3, 1),
         instant(2023, 12, 1), 15.0F, "1958-01-01 00:00:00", "2024-01-01 00:00:00"},
    };
    for (const RangeCase& c : cases) {
        SCOPED_TRACE(c.name);
        float low = 0.0F;
        float high = 0.0F;
        ASSERT_TRUE(diagr::scale::time_range(c.t0, c.first - c.t0, c.last - c.t0, c.axis_cm, c.label_height, c.vertical,
                                             low, high));
        EXPECT_EQ(civil(c.t0 + low), c.low);
        EXPECT_EQ(civil(c.t0 + high), c.high);
        // The axis drawn on that range has ticks (labelled or minor) at both ends, and two labels.
        TimeTicks ticks;
        diagr::scale::time_ticks(c.t0, low, high, c.axis_cm, c.label_height, c.vertical, ticks);
        ASSERT_TRUE(ticks.usable);
        ASSERT_GE(ticks.count, 2);
        std::vector<double> all(ticks.ticks, ticks.ticks + ticks.count);
        all.insert(all.end(), ticks.minor, ticks.minor + ticks.minor_count);
        std::sort(all.begin(), all.end());
        EXPECT_EQ(civil(c.t0 + all.front()), c.low);
        EXPECT_EQ(civil(c.t0 + all.back()), c.high);
        // The data fill at least 85 % of it.
        EXPECT_TRUE(c.last == c.first || c.last - c.first >= 0.85 * (static_cast<double>(high) - low) - 1.0);
    }
}

// Where no step keeps its labels' room on a range out to its ticks (at most 8 times the data's),
// the range does not grow on: 40 seconds on 5 cm end on minor ticks.
TEST(TimeRange, AShortAxisDoesNotWidenTheRangeWithoutBound) {
    const double midnight = instant(2024, 3, 1);
    float low = 0.0F;
    float high = 0.0F;
    ASSERT_TRUE(diagr::scale::time_range(midnight, -20.0, 20.0, 5.0F, 0.4F, false, low, high));
    EXPECT_EQ(low, -20.0F);
    EXPECT_EQ(high, 20.0F);
}

TEST(TimeRange, WithoutATimeAxisWritesBackTheData) {
    float low = 1.0F;
    float high = 2.0F;
    EXPECT_FALSE(diagr::scale::time_range(0.0, 3.0, std::nan(""), 10.0F, 0.3F, false, low, high));
    EXPECT_EQ(low, 3.0F);
    EXPECT_TRUE(std::isnan(high));
}

// diagr.hpp: TIMAX with a sys_time origin is TIMAX with its seconds; seconds_after gives the reals.
TEST(TimeAxisForms, ChronoOriginAndTimePointsGiveTheSecondsOfTheLegacyForm) {
    using namespace std::chrono;
    const sys_seconds t0 = sys_days{year{2005} / February / 1};
    std::vector<std::string> traces[2];
    for (int form = 0; form < 2; ++form) {
        PLTPAR = LABINI_VALUES;
        plotter::recorder_start();
        if (form == 0) {
            TIMAX(1, 0, 1107216000.0);
        } else {
            diagr::TIMAX(1, 0, time_point_cast<milliseconds>(t0));
        }
        FRAME(2.0F, 2.0F, 18.0F, 7.0F, 0.0F, 5097600.0F, 0.0F, 1.0F, 0.0F, 0.0F, "x", "y", "t", 1, 1, 1, 1);
        TIMAX(0, 0, 0.0);
        traces[form] = plotter::recorder_lines();
        plotter::recorder_stop();
    }
    EXPECT_EQ(traces[1], traces[0]);
    // The origin reached the axis: its context names the year.
    EXPECT_TRUE(std::any_of(traces[0].begin(), traces[0].end(), [](const std::string& line) {
        return line.rfind("SYMBLK ", 0) == 0 && line.find(" \"2005\" ") != std::string::npos;
    }));

    const std::vector<sys_time<milliseconds>> times = {t0 - 1500ms, t0, t0 + days{59}, t0 + hours{1} + 250ms};
    std::vector<float> seconds(times.size());
    diagr::seconds_after(t0, times, seconds);
    EXPECT_EQ(seconds, (std::vector<float>{-1.5F, 0.0F, 5097600.0F, 3600.25F}));
    std::vector<float> short_of_room(3);
    EXPECT_THROW(diagr::seconds_after(t0, times, short_of_room), std::invalid_argument);
}

}  // namespace
