// Reading time fields: the ISO 8601 and slashed forms by hand, other forms through a compiled
// format. Calendar checks and day counts come from <chrono>'s civil calendar.
#include "time_field.h"

#include <array>
#include <charconv>
#include <chrono>
#include <cstddef>
#include <cstdint>
#include <system_error>

namespace table {

namespace {

// Reasons a field's form is wrong.
constexpr const char* kNotIso = "not of the form YYYY-MM-DD[Thh:mm[:ss[.fraction]]][Z|+hh:mm]";
constexpr const char* kNotSlashed = "not of the form YYYY/MM/DD[ hh:mm[:ss]]";
constexpr const char* kAfter = "characters after the time";
// Reasons its numbers are no date or time.
constexpr const char* kMonth = "no such month";
constexpr const char* kDay = "no such day in that month";
constexpr const char* kYearDay = "no such day of the year";
constexpr const char* kHour = "no such hour";
constexpr const char* kMinute = "no such minute";
constexpr const char* kSecond = "no such second";
constexpr const char* kOffset = "no such offset from UTC";

constexpr std::int64_t kDaySeconds = 86400;

bool is_digit(char c) { return static_cast<unsigned char>(c - '0') < 10U; }

// Whether the N characters at P are all digits.
bool digits_at(const char* p, int n) {
    for (int k = 0; k < n; ++k) {
        if (!is_digit(p[k])) {
            return false;
        }
    }
    return true;
}

// The number the N digits at P write.
int number_at(const char* p, int n) {
    int value = 0;
    for (int k = 0; k < n; ++k) {
        value = value * 10 + (p[k] - '0');
    }
    return value;
}

// Reads 1 to WIDTH digits of TEXT from I on into VALUE and moves I past them; false when there is
// no digit there.
bool read_number(std::string_view text, std::size_t& i, int width, int& value) {
    const std::size_t start = i;
    value = 0;
    while (i < text.size() && i - start < static_cast<std::size_t>(width) && is_digit(text[i])) {
        value = value * 10 + (text[i] - '0');
        ++i;
    }
    return i > start;
}

// Reads the digits of a fraction from I on (at least one) as nanoseconds, moving I past all of them;
// digits beyond the ninth only have to be digits.
bool read_fraction(std::string_view text, std::size_t& i, std::int32_t& nanoseconds) {
    const std::size_t start = i;
    std::int32_t value = 0;
    int taken = 0;
    for (; i < text.size() && is_digit(text[i]); ++i) {
        if (taken < 9) {
            value = value * 10 + (text[i] - '0');
            ++taken;
        }
    }
    for (; taken < 9; ++taken) {
        value *= 10;
    }
    nanoseconds = value;
    return i > start;
}

// Reads an offset from UTC at I: Z (either case), or a sign, two digits for the hours, an optional
// colon and two digits for the minutes. Seconds to subtract from the time as written go to OFFSET.
// Null when read, else the reason.
const char* read_offset(std::string_view text, std::size_t& i, std::int64_t& offset, const char* wrong_form) {
    const char* p = text.data();
    const std::size_t n = text.size();
    if (i < n && (p[i] == 'Z' || p[i] == 'z')) {
        ++i;
        offset = 0;
        return nullptr;
    }
    if (i >= n || (p[i] != '+' && p[i] != '-') || n - i < 3 || !digits_at(p + i + 1, 2)) {
        return wrong_form;
    }
    const bool west = p[i] == '-';
    const int hours = number_at(p + i + 1, 2);
    std::size_t j = i + 3;
    if (j < n && p[j] == ':') {
        ++j;
    }
    if (n - j < 2 || !digits_at(p + j, 2)) {
        return wrong_form;
    }
    const int minutes = number_at(p + j, 2);
    i = j + 2;
    if (hours > 23 || minutes > 59) {
        return kOffset;
    }
    offset = (west ? -1 : 1) * (hours * 3600 + minutes * 60);
    return nullptr;
}

// A date and time as written, with the fields a form lacks at their values of 1970-01-01T00:00:00.
struct Broken {
    int year = 1970;
    int month = 1;
    int day = 1;
    int year_day = 0;  // day of the year from 1 on, when given instead of month and day
    int hour = 0;
    int minute = 0;
    int second = 0;
    std::int32_t nanoseconds = 0;
    std::int64_t offset = 0;  // seconds east of UTC
};

// Days from 1970-01-01 to the date in TIME, or the reason there is no such date.
const char* days_of(const Broken& time, std::int64_t& days) {
    using namespace std::chrono;
    const year y{time.year};
    if (time.year_day > 0) {
        if (time.year_day > (y.is_leap() ? 366 : 365)) {
            return kYearDay;
        }
        days = sys_days{y / January / 1}.time_since_epoch().count() + time.year_day - 1;
        return nullptr;
    }
    if (time.month < 1 || time.month > 12) {
        return kMonth;
    }
    const year_month_day date{y, month{static_cast<unsigned>(time.month)}, day{static_cast<unsigned>(time.day)}};
    if (!date.ok()) {
        return kDay;
    }
    days = sys_days{date}.time_since_epoch().count();
    return nullptr;
}

// The seconds since 1970 of TIME, or the reason it is no time. Second 60 counts as the next second.
TimeValue seconds_of(const Broken& time) {
    std::int64_t days = 0;
    if (const char* error = days_of(time, days)) {
        return {0.0, error};
    }
    if (time.hour > 23) {
        return {0.0, kHour};
    }
    if (time.minute > 59) {
        return {0.0, kMinute};
    }
    if (time.second > 60) {
        return {0.0, kSecond};
    }
    const std::int64_t whole = days * kDaySeconds + time.hour * 3600 + time.minute * 60 + time.second - time.offset;
    return {static_cast<double>(whole) + static_cast<double>(time.nanoseconds) / 1e9, nullptr};
}

// YYYY-MM-DD[(T| )hh:mm[:ss[.f...]][Z|±hh:mm|±hhmm]]: the whole form is checked before the numbers,
// so that a field of another form is told apart from an impossible date.
TimeValue read_iso(std::string_view text) {
    const char* p = text.data();
    const std::size_t n = text.size();
    if (n < 10 || !digits_at(p, 4) || p[4] != '-' || !digits_at(p + 5, 2) || p[7] != '-' || !digits_at(p + 8, 2)) {
        return {0.0, kNotIso};
    }
    Broken time;
    time.year = number_at(p, 4);
    time.month = number_at(p + 5, 2);
    time.day = number_at(p + 8, 2);
    std::size_t i = 10;
    if (i < n && (p[i] == 'T' || p[i] == 't' || p[i] == ' ')) {
        if (n - i < 6 || !digits_at(p + i + 1, 2) || p[i + 3] != ':' || !digits_at(p + i + 4, 2)) {
            return {0.0, kNotIso};
        }
        time.hour = number_at(p + i + 1, 2);
        time.minute = number_at(p + i + 4, 2);
        i += 6;
        if (i < n && p[i] == ':') {
            if (n - i < 3 || !digits_at(p + i + 1, 2)) {
                return {0.0, kNotIso};
            }
            time.second = number_at(p + i + 1, 2);
            i += 3;
            if (i < n && p[i] == '.' && !read_fraction(text, ++i, time.nanoseconds)) {
                return {0.0, kNotIso};
            }
        }
        if (i < n && (p[i] == 'Z' || p[i] == 'z' || p[i] == '+' || p[i] == '-')) {
            if (const char* error = read_offset(text, i, time.offset, kNotIso)) {
                return {0.0, error};
            }
        }
    }
    if (i != n) {
        return {0.0, kAfter};
    }
    return seconds_of(time);
}

// YYYY/M[M]/D[D][ h[h]:mm[:ss]].
TimeValue read_slashed(std::string_view text) {
    const char* p = text.data();
    const std::size_t n = text.size();
    Broken time;
    std::size_t i = 5;
    if (n < 8 || !digits_at(p, 4) || p[4] != '/' || !read_number(text, i, 2, time.month) || i >= n || p[i] != '/' ||
        !read_number(text, ++i, 2, time.day)) {
        return {0.0, kNotSlashed};
    }
    time.year = number_at(p, 4);
    if (i < n && p[i] == ' ') {
        if (!read_number(text, ++i, 2, time.hour) || n - i < 3 || p[i] != ':' || !digits_at(p + i + 1, 2)) {
            return {0.0, kNotSlashed};
        }
        time.minute = number_at(p + i + 1, 2);
        i += 3;
        if (i < n && p[i] == ':') {
            if (n - i < 3 || !digits_at(p + i + 1, 2)) {
                return {0.0, kNotSlashed};
            }
            time.second = number_at(p + i + 1, 2);
            i += 3;
        }
    }
    if (i != n) {
        return {0.0, kAfter};
    }
    return seconds_of(time);
}

// Whether ERROR says that a field is not of a form at all, rather than an impossible date in it.
bool wrong_form(const char* error) { return error == kNotIso || error == kNotSlashed || error == kAfter; }

constexpr std::array<std::string_view, 12> kMonthNames = {"january",   "february", "march",    "april",
                                                          "may",       "june",     "july",     "august",
                                                          "september", "october",  "november", "december"};

char lower(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

// Whether TEXT from I on starts with NAME (lower case), in any case.
bool starts_with_name(std::string_view text, std::size_t i, std::string_view name) {
    if (text.size() - i < name.size()) {
        return false;
    }
    for (std::size_t k = 0; k < name.size(); ++k) {
        if (lower(text[i + k]) != name[k]) {
            return false;
        }
    }
    return true;
}

// Reads an English month name, full or its first three letters, in any case.
bool read_month_name(std::string_view text, std::size_t& i, int& month) {
    for (std::size_t m = 0; m < kMonthNames.size(); ++m) {
        const std::string_view name = kMonthNames[m];
        for (const std::string_view form : {name, name.substr(0, 3)}) {
            if (starts_with_name(text, i, form)) {
                i += form.size();
                month = static_cast<int>(m) + 1;
                return true;
            }
        }
    }
    return false;
}

// Reads a number of seconds since 1970: an optional sign, digits, optionally a point and digits.
bool read_epoch(std::string_view text, std::size_t& i, double& seconds) {
    std::size_t start = i;
    std::size_t j = i;
    if (j < text.size() && (text[j] == '+' || text[j] == '-')) {
        start += text[j] == '+' ? 1 : 0;
        ++j;
    }
    const std::size_t first_digit = j;
    while (j < text.size() && is_digit(text[j])) {
        ++j;
    }
    if (j == first_digit) {
        return false;
    }
    if (j + 1 < text.size() && text[j] == '.' && is_digit(text[j + 1])) {
        for (++j; j < text.size() && is_digit(text[j]); ++j) {
        }
    }
    const std::from_chars_result result = std::from_chars(text.data() + start, text.data() + j, seconds);
    if (result.ec != std::errc{} || result.ptr != text.data() + j) {
        return false;
    }
    i = j;
    return true;
}

}  // namespace

TimeForm time_form(std::string_view field) {
    if (!wrong_form(read_iso(field).error)) {
        return TimeForm::iso;
    }
    if (!wrong_form(read_slashed(field).error)) {
        return TimeForm::slashed;
    }
    return TimeForm::none;
}

TimeValue read_time(std::string_view field, TimeForm form) {
    switch (form) {
        case TimeForm::iso:
            return read_iso(field);
        case TimeForm::slashed:
            return read_slashed(field);
        case TimeForm::none:
            break;
    }
    return {0.0, "no time form chosen"};
}

std::string date_order_format(std::string_view field) {
    std::size_t i = 0;
    int first = 0;
    int second = 0;
    int year = 0;
    if (!read_number(field, i, 2, first) || i >= field.size() || field[i] != '/' ||
        !read_number(field, ++i, 2, second) || i >= field.size() || field[i] != '/') {
        return "";
    }
    const std::size_t year_start = ++i;
    const bool long_year = read_number(field, i, 4, year) && i - year_start == 4;
    if (!long_year && i - year_start != 2) {
        return "";
    }
    std::string time;
    if (i < field.size() && field[i] == ' ') {
        int hour = 0;
        if (!read_number(field, ++i, 2, hour) || field.size() - i < 3 || field[i] != ':' ||
            !digits_at(field.data() + i + 1, 2)) {
            return "";
        }
        i += 3;
        time = " %H:%M";
        if (i < field.size() && field[i] == ':') {
            if (field.size() - i < 3 || !digits_at(field.data() + i + 1, 2)) {
                return "";
            }
            i += 3;
            time += ":%S";
        }
    }
    if (i != field.size() || first < 1 || second < 1 || first > 31 || second > 31 || (first > 12 && second > 12)) {
        return "";
    }
    std::string format = first > 12 ? "%d/%m/" : "%m/%d/";
    format += long_year ? "%Y" : "%y";
    return format + time;
}

std::optional<TimeFormat> TimeFormat::compile(std::string_view format, std::string& error) {
    // What each field gives, so that nothing is given twice or in two ways.
    enum Gives : unsigned {
        kYear = 1U << 0U,
        kMonthOfYear = 1U << 1U,
        kDayOfMonth = 1U << 2U,
        kDayOfYear = 1U << 3U,
        kHourOfDay = 1U << 4U,
        kMinuteOfHour = 1U << 5U,
        kSecondOfMinute = 1U << 6U,
        kEpoch = 1U << 7U,
        kOffsetFromUtc = 1U << 8U,
    };
    struct Field {
        char letter;
        Kind kind;
        unsigned gives;
        const char* twice;
    };
    static constexpr std::array<Field, 12> kFields = {{
        {'Y', Kind::year, kYear, "the year given twice"},
        {'y', Kind::year2, kYear, "the year given twice"},
        {'m', Kind::month, kMonthOfYear, "the month given twice"},
        {'b', Kind::month_name, kMonthOfYear, "the month given twice"},
        {'B', Kind::month_name, kMonthOfYear, "the month given twice"},
        {'d', Kind::day, kDayOfMonth, "the day given twice"},
        {'j', Kind::year_day, kDayOfYear, "the day of the year given twice"},
        {'H', Kind::hour, kHourOfDay, "the hour given twice"},
        {'M', Kind::minute, kMinuteOfHour, "the minute given twice"},
        {'S', Kind::second, kSecondOfMinute, "the second given twice"},
        {'s', Kind::epoch, kEpoch, "%s given twice"},
        {'z', Kind::offset, kOffsetFromUtc, "the offset given twice"},
    }};

    TimeFormat compiled;
    unsigned given = 0;
    for (std::size_t i = 0; i < format.size(); ++i) {
        const char c = format[i];
        if (c == ' ' || c == '\t') {
            if (compiled.tokens_.empty() || compiled.tokens_.back().kind != Kind::blanks) {
                compiled.tokens_.push_back({Kind::blanks});
            }
            continue;
        }
        if (c != '%') {
            compiled.tokens_.push_back({Kind::literal, c});
            continue;
        }
        if (++i == format.size()) {
            error = "a lone % at the end of the format";
            return std::nullopt;
        }
        if (format[i] == '%') {
            compiled.tokens_.push_back({Kind::literal, '%'});
            continue;
        }
        const Field* field = nullptr;
        for (const Field& known : kFields) {
            if (known.letter == format[i]) {
                field = &known;
            }
        }
        if (field == nullptr) {
            const unsigned char letter = static_cast<unsigned char>(format[i]);
            error = letter > ' ' && letter < 127 ? std::string("unknown field %") + format[i] : "unknown field after %";
            return std::nullopt;
        }
        if ((given & field->gives) != 0) {
            error = field->twice;
            return std::nullopt;
        }
        given |= field->gives;
        compiled.tokens_.push_back({field->kind});
    }
    if ((given & kDayOfYear) != 0 && (given & (kMonthOfYear | kDayOfMonth)) != 0) {
        error = "%j together with a month or a day of the month";
        return std::nullopt;
    }
    if ((given & kEpoch) != 0 && given != kEpoch) {
        error = "%s together with another date or time field";
        return std::nullopt;
    }
    if (given == 0) {
        error = "no date or time field in the format";
        return std::nullopt;
    }
    // A second takes a fraction unless the format itself goes on with a point.
    for (std::size_t k = 0; k < compiled.tokens_.size(); ++k) {
        Token& token = compiled.tokens_[k];
        token.fraction = token.kind == Kind::second &&
                         (k + 1 == compiled.tokens_.size() || compiled.tokens_[k + 1].kind != Kind::literal ||
                          compiled.tokens_[k + 1].literal != '.');
    }
    return compiled;
}

TimeValue TimeFormat::read(std::string_view field) const {
    Broken time;
    std::size_t i = 0;
    int two_digits = 0;
    double epoch = 0.0;
    bool has_epoch = false;  // then the format has no other field (compile() sees to it)
    for (const Token& token : tokens_) {
        switch (token.kind) {
            case Kind::literal:
                if (i == field.size() || field[i] != token.literal) {
                    return {0.0, i == field.size() ? "the time ends before the format"
                                                   : "a character differs from the format"};
                }
                ++i;
                break;
            case Kind::blanks:
                while (i < field.size() && (field[i] == ' ' || field[i] == '\t')) {
                    ++i;
                }
                break;
            case Kind::year:
                if (!read_number(field, i, 4, time.year)) {
                    return {0.0, "no year for %Y"};
                }
                break;
            case Kind::year2:
                if (!read_number(field, i, 2, two_digits)) {
                    return {0.0, "no year for %y"};
                }
                time.year = two_digits + (two_digits < 69 ? 2000 : 1900);
                break;
            case Kind::month:
                if (!read_number(field, i, 2, time.month)) {
                    return {0.0, "no month for %m"};
                }
                break;
            case Kind::month_name:
                if (!read_month_name(field, i, time.month)) {
                    return {0.0, "no month name for %b"};
                }
                break;
            case Kind::day:
                if (!read_number(field, i, 2, time.day)) {
                    return {0.0, "no day for %d"};
                }
                break;
            case Kind::year_day:
                if (!read_number(field, i, 3, time.year_day)) {
                    return {0.0, "no day of the year for %j"};
                }
                if (time.year_day == 0) {
                    return {0.0, kYearDay};
                }
                break;
            case Kind::hour:
                if (!read_number(field, i, 2, time.hour)) {
                    return {0.0, "no hour for %H"};
                }
                break;
            case Kind::minute:
                if (!read_number(field, i, 2, time.minute)) {
                    return {0.0, "no minute for %M"};
                }
                break;
            case Kind::second:
                if (!read_number(field, i, 2, time.second)) {
                    return {0.0, "no second for %S"};
                }
                if (token.fraction && i + 1 < field.size() && field[i] == '.' && is_digit(field[i + 1])) {
                    read_fraction(field, ++i, time.nanoseconds);
                }
                break;
            case Kind::epoch:
                if (!read_epoch(field, i, epoch)) {
                    return {0.0, "no seconds since 1970 for %s"};
                }
                has_epoch = true;
                break;
            case Kind::offset:
                if (const char* error = read_offset(field, i, time.offset, "no offset for %z")) {
                    return {0.0, error};
                }
                break;
        }
    }
    if (i != field.size()) {
        return {0.0, kAfter};
    }
    return has_epoch ? TimeValue{epoch, nullptr} : seconds_of(time);
}

}  // namespace table
