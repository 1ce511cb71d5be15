// Time fields: the ISO 8601 and slashed forms, their recognition, formats of strptime fields,
// impossible dates, and the format suggested for a date whose order the field does not tell.
#include "time_field.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <string_view>

namespace {

using table::TimeForm;
using table::TimeFormat;
using table::TimeValue;

// Expected seconds come from an independent calendar (a POSIX timegm), not from the code under test.
constexpr double k20240301 = 1709251200.0;  // 2024-03-01T00:00:00Z

// The reasons the reader gives, as a message would show them.
constexpr std::string_view kMonth = "no such month";
constexpr std::string_view kDay = "no such day in that month";
constexpr std::string_view kYearDay = "no such day of the year";
constexpr std::string_view kHour = "no such hour";
constexpr std::string_view kMinute = "no such minute";
constexpr std::string_view kSecond = "no such second";
constexpr std::string_view kOffset = "no such offset from UTC";
constexpr std::string_view kAfter = "characters after the time";
constexpr std::string_view kNotIso = "not of the form YYYY-MM-DD[Thh:mm[:ss[.fraction]]][Z|+hh:mm]";
constexpr std::string_view kNotSlashed = "not of the form YYYY/MM/DD[ hh:mm[:ss]]";

std::string_view error_of(const TimeValue& value) { return value.ok() ? "(read)" : value.error; }

struct Read {
    std::string_view field;
    double seconds;
    double tolerance;  // 0: the double itself
};

void expect_read(const TimeValue& value, const Read& c) {
    ASSERT_TRUE(value.ok()) << value.error;
    EXPECT_NEAR(value.seconds, c.seconds, c.tolerance);
}

TEST(TimeField, ReadsIsoForms) {
    const Read cases[] = {
        {"2024-03-01", k20240301, 0},
        {"2024-03-01T11:00", k20240301 + 39600, 0},
        {"2024-03-01 11:00:00", k20240301 + 39600, 0},
        {"2024-03-01T12:00:00+01:00", k20240301 + 39600, 0},
        {"2024-03-01T11:00:00Z", k20240301 + 39600, 0},
        {"2024-03-01t11:00z", k20240301 + 39600, 0},
        {"2024-03-01T12:00:00-0530", 1709314200, 0},
        {"2024-03-01T23:30+01:00", 1709332200, 0},  // the offset applied across midnight
        {"2024-03-01T00:30-01:00", k20240301 + 5400, 0},
        {"2024-02-29", 1709164800, 0},
        {"2000-02-29", 951782400, 0},
        {"1969-12-31T23:59:59", -1, 0},
        {"1969-12-31T23:59:59.75", -0.25, 0},
        {"2016-12-31T23:59:60Z", 1483228800, 0},
        {"2016-12-31T23:59:60.5Z", 1483228800.5, 0},
        // Fractions of every length, where a double shows each digit.
        {"1970-01-01T00:00:01.5", 1.5, 0},
        {"1970-01-01T00:00:00.1", 0.1, 0},
        {"1970-01-01T00:00:00.12", 0.12, 0},
        {"1970-01-01T00:00:00.123", 0.123, 0},
        {"1970-01-01T00:00:00.1234", 0.1234, 0},
        {"1970-01-01T00:00:00.12345", 0.12345, 0},
        {"1970-01-01T00:00:00.123456", 0.123456, 0},
        {"1970-01-01T00:00:00.1234567", 0.1234567, 0},
        {"1970-01-01T00:00:00.12345678", 0.12345678, 0},
        {"1970-01-01T00:00:00.123456789", 0.123456789, 0},
        {"1970-01-01T00:00:00.987654321987", 0.987654321987, 1e-9},
        {"1970-01-01T00:00:00.000000001Z", 1e-9, 0},
        // Today's dates to the microsecond.
        {"2024-03-01T12:00:00.000001Z", 1709294400.000001, 5e-7},
        {"2024-03-01T13:00:00.999999+01:00", 1709294400.999999, 5e-7},
    };
    for (const Read& c : cases) {
        SCOPED_TRACE(c.field);
        EXPECT_EQ(table::time_form(c.field), TimeForm::iso);
        expect_read(table::read_time(c.field, TimeForm::iso), c);
    }
}

TEST(TimeField, ReadsSlashedForms) {
    const Read cases[] = {
        {"2024/03/01", k20240301, 0},
        {"2024/3/1 11:00", k20240301 + 39600, 0},
        {"2024/03/01 11:00:00", k20240301 + 39600, 0},
        {"2024/03/01 9:05:07", 1709283907, 0},
        {"2016/12/31 23:59:60", 1483228800, 0},
    };
    for (const Read& c : cases) {
        SCOPED_TRACE(c.field);
        EXPECT_EQ(table::time_form(c.field), TimeForm::slashed);
        expect_read(table::read_time(c.field, TimeForm::slashed), c);
    }
}

TEST(TimeField, RecognisesOnlyWholeIsoAndSlashedForms) {
    const struct {
        std::string_view field;
        TimeForm form;
    } cases[] = {
        {"2023-02-30", TimeForm::iso},  // the form is right; reading tells the day is not
        {"2024-13-01T25:61", TimeForm::iso},
        {"2024/2/30", TimeForm::slashed},
        {"2/27/2003", TimeForm::none},  // either order possible
        {"27/02/2003", TimeForm::none},
        {"2024-03-01x", TimeForm::none},
        {"2024-03-01Z", TimeForm::none},  // an offset needs a time
        {"2024-03-01T12", TimeForm::none},
        {"2024-03-01T12:00:00+01", TimeForm::none},
        {"2024-03-01T12:00:00.", TimeForm::none},
        {"2024-03-01  12:00", TimeForm::none},
        {"2024-3-1", TimeForm::none},
        {"20240301", TimeForm::none},
        {"2024/03/01T11:00", TimeForm::none},
        {"2024/03/01 11:00:00.5", TimeForm::none},
        {"2024/03/01 11", TimeForm::none},
        {"1.5", TimeForm::none},
        {"", TimeForm::none},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.field);
        EXPECT_EQ(table::time_form(c.field), c.form);
    }
}

struct Refused {
    std::string_view field;
    TimeForm form;
    std::string_view error;
};

TEST(TimeField, RefusesImpossibleDatesAndTimes) {
    const Refused cases[] = {
        {"2024-13-01", TimeForm::iso, kMonth},
        {"2024-00-10", TimeForm::iso, kMonth},
        {"2024-02-30", TimeForm::iso, kDay},
        {"2023-02-29", TimeForm::iso, kDay},
        {"1900-02-29", TimeForm::iso, kDay},
        {"2024-04-31", TimeForm::iso, kDay},
        {"2024-03-00", TimeForm::iso, kDay},
        {"2024-03-01T24:00", TimeForm::iso, kHour},
        {"2024-03-01T12:60", TimeForm::iso, kMinute},
        {"2024-03-01T12:00:61", TimeForm::iso, kSecond},
        {"2024-03-01T12:00+24:00", TimeForm::iso, kOffset},
        {"2024-03-01T12:00-01:60", TimeForm::iso, kOffset},
        {"2024/13/01", TimeForm::slashed, kMonth},
        {"2023/2/29", TimeForm::slashed, kDay},
        {"2024/03/01 24:00", TimeForm::slashed, kHour},
        {"2024/03/01 23:60", TimeForm::slashed, kMinute},
    };
    for (const Refused& c : cases) {
        SCOPED_TRACE(c.field);
        EXPECT_EQ(error_of(table::read_time(c.field, c.form)), c.error);
    }
}

TEST(TimeField, RefusesOtherForms) {
    const Refused cases[] = {
        {"2024-03-01T12:00:00Zx", TimeForm::iso, kAfter},  {"2024-03-01T12:00:00+01:00:00", TimeForm::iso, kAfter},
        {"2024-03-01 ", TimeForm::iso, kNotIso},           {"2024-03-01T12:00:00.", TimeForm::iso, kNotIso},
        {"2024-03-01T12:00:00+1", TimeForm::iso, kNotIso}, {"2024/03/01", TimeForm::iso, kNotIso},
        {"2024/03/01 11:00x", TimeForm::slashed, kAfter},  {"2024/03/01 11:0", TimeForm::slashed, kNotSlashed},
        {"2024-03-01", TimeForm::slashed, kNotSlashed},    {"2024-03-01", TimeForm::none, "no time form chosen"},
    };
    for (const Refused& c : cases) {
        SCOPED_TRACE(c.field);
        EXPECT_EQ(error_of(table::read_time(c.field, c.form)), c.error);
    }
}

TimeFormat compiled(std::string_view format) {
    std::string error;
    std::optional<TimeFormat> compiled = TimeFormat::compile(format, error);
    EXPECT_TRUE(compiled.has_value()) << format << ": " << error;
    return compiled.value_or(*TimeFormat::compile("%s", error));
}

TEST(TimeField, ReadsThroughAFormat) {
    const struct {
        std::string_view format;
        std::string_view field;
        double seconds;
    } cases[] = {
        {"%b %d %Y", "Jan 1 2000", 946684800},
        {"%b %d %Y", "jan 01   2000", 946684800},
        {"%b %d %Y", "Jul 4 1976", 205286400},
        {"%B %d %Y", "SEPTEMBER 30 2001", 1001808000},
        {"%b %d %Y", "Sep 30 2001", 1001808000},
        {"%d.%m.%Y %H:%M", "27.02.2003 14:05", 1046354700},
        {"%d.%m.%Y %H:%M", "1.2.2003 4:05", 1044072300},
        {"%d.%m.%Y", "29.02.2024", 1709164800},
        {"%Y%m%d", "20240301", k20240301},
        {"%Y-%m-%d %H:%M", "2024-03-01\t 11:00", k20240301 + 39600},
        {"%Y-%m-%d %H:%M", "2024-03-0111:00", k20240301 + 39600},
        {"%Y %j", "2024 061", k20240301},
        {"%Y %j", "2024 366", 1735603200},
        {"%Y %j", "2023 365", 1703980800},
        {"%y-%m-%d", "69-01-01", -31536000},
        {"%y-%m-%d", "99-12-31", 946598400},
        {"%y-%m-%d", "00-01-01", 946684800},
        {"%y-%m-%d", "68-12-31", 3124137600},
        {"%s", "1709294400.5", 1709294400.5},
        {"%s", "-1.25", -1.25},
        {"%s", "+86400", 86400},
        {"t=%s", "t=60", 60},
        {"%Y-%m-%dT%H:%M:%S%z", "2024-03-01T12:00:00+01:00", k20240301 + 39600},
        {"%Y-%m-%dT%H:%M:%S%z", "2024-03-01T12:00:00+0100", k20240301 + 39600},
        {"%Y-%m-%dT%H:%M:%S%z", "2024-03-01T12:00:00-0530", 1709314200},
        {"%Y-%m-%dT%H:%M:%S%z", "2024-03-01T11:00:00Z", k20240301 + 39600},
        {"%Y-%m-%d %H:%M:%S", "2016-12-31 23:59:60", 1483228800},
        {"%H:%M:%S", "12:00:00.25", 43200.25},
        {"%H:%M:%S", "00:00:00.123456789", 0.123456789},
        {"%H.%M.%S.000", "01.02.03.000", 3723},  // the point after %S belongs to the format
        {"%% %Y", "% 2024", 1704067200},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.format) + " | " + std::string(c.field));
        const TimeValue value = compiled(c.format).read(c.field);
        ASSERT_TRUE(value.ok()) << value.error;
        EXPECT_EQ(value.seconds, c.seconds);
    }
}

TEST(TimeField, FormatRefusesWhatItCannotRead) {
    const struct {
        std::string_view format;
        std::string_view field;
        std::string_view error;
    } cases[] = {
        {"%d.%m.%Y", "30.02.2024", kDay},
        {"%d.%m.%Y", "29.02.2023", kDay},
        {"%m/%d/%Y", "13/01/2024", kMonth},
        {"%H:%M", "24:00", kHour},
        {"%H:%M", "12:60", kMinute},
        {"%H:%M:%S", "12:00:61", kSecond},
        {"%Y %j", "2023 366", kYearDay},
        {"%Y %j", "2024 000", kYearDay},
        {"%b %d %Y", "Foo 1 2000", "no month name for %b"},
        {"%Y-%m-%d", "-03-01", "no year for %Y"},
        {"%d.%m.%Y", "01-02-2003", "a character differs from the format"},
        {"%d.%m.%Y", "01.02", "the time ends before the format"},
        {"%Y-%m-%d", "2024-03-01x", kAfter},
        {"%Y-%m-%d", "2024-03-01 ", kAfter},
        {"%H:%M:%S", "12:00:00.", kAfter},
        {"%s", "12abc", kAfter},
        {"%s", "abc", "no seconds since 1970 for %s"},
        {"%s", "1e5", kAfter},
        {"%H:%M%z", "12:00+1", "no offset for %z"},
        {"%H:%M%z", "12:00+25:00", kOffset},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.format) + " | " + std::string(c.field));
        EXPECT_EQ(error_of(compiled(c.format).read(c.field)), c.error);
    }
}

TEST(TimeField, FormatThatCannotBeCompiled) {
    const struct {
        std::string_view format;
        std::string_view error;
    } cases[] = {
        {"%Y-%Q", "unknown field %Q"},
        {"%Y-%", "a lone % at the end of the format"},
        {"%Y %y", "the year given twice"},
        {"%b %m", "the month given twice"},
        {"%d %d", "the day given twice"},
        {"%Y %j %d", "%j together with a month or a day of the month"},
        {"%s %H", "%s together with another date or time field"},
        {"at %%", "no date or time field in the format"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.format);
        std::string error;
        EXPECT_FALSE(TimeFormat::compile(c.format, error).has_value());
        EXPECT_EQ(error, c.error);
    }
}

TEST(TimeField, SuggestsAFormatForADateOfUnknownOrder) {
    const struct {
        std::string_view field;
        std::string_view format;
    } cases[] = {
        {"2/27/2003", "%m/%d/%Y"},
        {"27/2/2003", "%d/%m/%Y"},
        {"2/3/2003", "%m/%d/%Y"},
        {"12/12/2003", "%m/%d/%Y"},
        {"13/12/03", "%d/%m/%y"},
        {"3/4/2003 12:00", "%m/%d/%Y %H:%M"},
        {"30/4/2003 9:00:30", "%d/%m/%Y %H:%M:%S"},
        {"13/14/2003", ""},
        {"0/5/2003", ""},
        {"5/32/2003", ""},
        {"2003/02/27", ""},
        {"1/2/3", ""},
        {"1/2/200", ""},
        {"2/27/20031", ""},
        {"2/27/2003x", ""},
        {"2/27/2003 12", ""},
        {"1.5", ""},
        {"", ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.field);
        const std::string format = table::date_order_format(c.field);
        EXPECT_EQ(format, c.format);
        if (!format.empty()) {
            // The suggestion reads the field.
            EXPECT_EQ(error_of(compiled(format).read(c.field)), "(read)");
        }
    }
}

}  // namespace
