// Time fields of data tables: dates and times read as seconds since 1970-01-01T00:00:00 UTC (POSIX
// time, without leap seconds) in a double, which holds today's dates to well below a microsecond.
//
// - A column is a time column when the field of its first data line has one of the forms that
//   time_form() knows; every field of the column is then read with read_time() in that form.
// - A format of strptime fields (TimeFormat) reads other forms; it is compiled once and then reads
//   any number of fields.
// - Everything is read exactly as written, whatever the locale. A time without an offset is taken as
//   if it were UTC, so that it is shown as written; an offset is applied (12:00+01:00 is 11:00 UTC).
// - Second 60 (a leap second) is read as the next second: 23:59:60 is 00:00:00 of the next day.
// - Impossible dates and times (month 13, 30 February, hour 24, minute 60) are errors, never moved
//   into the next month or day.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace table {

// A time read from a field: seconds since 1970-01-01T00:00:00 UTC, or why the field holds none.
struct TimeValue {
    double seconds = 0.0;
    // Null when the field was read; else a short reason for a message such as
    // "data.csv:12: column 1: '2023-02-29' is no time: no such day in that month".
    const char* error = nullptr;

    bool ok() const { return error == nullptr; }
};

enum class TimeForm {
    none,
    // ISO 8601: YYYY-MM-DD, optionally followed by 'T' or one blank and hh:mm, hh:mm:ss or
    // hh:mm:ss.fraction (any number of digits), then optionally Z, ±hh:mm or ±hhmm. Each number
    // has exactly its two (four) digits; 't' and 'z' may be lower case.
    iso,
    // YYYY/MM/DD, optionally followed by one blank and hh:mm or hh:mm:ss. Month, day and hour may
    // have one digit.
    slashed,
};

// The form of time FIELD (a column's field in the first data line) is written in: iso or slashed,
// or none when it is no time. Only the form counts: "2023-02-30" is iso (read_time then tells that
// there is no such day), "2024-03-01x" and "2/27/2003" are none.
TimeForm time_form(std::string_view field);

// Reads FIELD written in FORM. The whole field must be the time: nothing may follow it.
TimeValue read_time(std::string_view field, TimeForm form);

// For a field that looks like a date with day and month in an order it does not tell ("2/27/2003",
// "27/02/03", "3/4/2003 12:00"): a format that would read it, to be suggested as in
// "(a date? give --timefmt, e.g. '%m/%d/%Y')". The day comes first when the first number is above 12,
// else the month. Empty when FIELD is not of that shape (numbers up to 31, at least one up to 12,
// a year of 2 or 4 digits, optionally a blank and hh:mm or hh:mm:ss).
std::string date_order_format(std::string_view field);

// A time format of strptime fields, compiled once to read many fields:
//   %Y year (up to 4 digits)          %y year 69-99 as 1969-1999, 00-68 as 2000-2068
//   %m month 1-12                     %b %B English month name, full or in 3 letters, any case
//   %d day of the month               %j day of the year 1-366
//   %H hour 0-23  %M minute 0-59      %S second 0-60, optionally with a fraction: 05.25
//   %s seconds since 1970, with an optional sign and fraction (alone: no other date or time field)
//   %z offset from UTC: ±hh:mm, ±hhmm or Z
//   %% a percent sign; a blank matches any run of blanks and tabs, none too; any other character
//   matches itself.
// Numbers have one digit up to their full width (4 for %Y, 3 for %j, else 2), so "%Y%m%d" reads
// 20240301. Fields the format lacks are taken from 1970-01-01T00:00:00 UTC: "%H:%M" reads a time of
// day as seconds after midnight.
class TimeFormat {
public:
    // The compiled FORMAT, or nullopt with ERROR set to the reason ("unknown field %Q", "the year
    // given twice", ...).
    static std::optional<TimeFormat> compile(std::string_view format, std::string& error);

    // Reads FIELD; the whole field must match the format.
    TimeValue read(std::string_view field) const;

private:
    enum class Kind : unsigned char {
        literal,
        blanks,
        year,
        year2,
        month,
        month_name,
        day,
        year_day,
        hour,
        minute,
        second,
        epoch,
        offset,
    };
    // One step of reading: a field, a run of blanks or a character to match.
    struct Token {
        Kind kind = Kind::literal;
        char literal = 0;       // the character a literal stands for
        bool fraction = false;  // a second that may carry a fraction
    };

    TimeFormat() = default;

    std::vector<Token> tokens_;
};

}  // namespace table
