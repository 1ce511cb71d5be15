// Reading data tables: splitting lines, telling numbers from missing values and text, the header.
#include "table.h"

#include <algorithm>
#include <cerrno>
#include <charconv>
#include <cmath>
#include <cstdlib>
#include <cstring>

#include "utf8.h"

namespace table {

namespace {

// Bytes read at a time; the buffer grows beyond this only for a longer line.
constexpr std::size_t kBlock = std::size_t{1} << 18;
// A longer line is refused rather than held: it is no table.
constexpr std::size_t kLongestLine = std::size_t{64} << 20;
// Longest number text converted in place; longer ones (hundreds of digits) take a heap copy.
constexpr std::size_t kShortNumber = 64;
// Characters of a field shown in a message.
constexpr std::size_t kShownChars = 40;

bool is_blank(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\v' || c == '\f'; }

bool equals_ignoring_case(std::string_view text, std::string_view lower) {
    if (text.size() != lower.size()) {
        return false;
    }
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if ((c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c) != lower[i]) {
            return false;
        }
    }
    return true;
}

bool is_digit(char c) { return c >= '0' && c <= '9'; }

// A quoted field from LINE[AT] (the opening quote): its text up to the closing quote, AT moved past
// that quote. False when no quote closes it: the text then runs to the line's end.
bool quoted_field(std::string_view line, std::size_t& at, std::string_view& text) {
    std::size_t from = at + 1;
    for (;;) {
        const std::size_t quote = line.find('"', from);
        if (quote == std::string_view::npos) {
            text = line.substr(at + 1);
            at = line.size();
            return false;
        }
        if (quote + 1 < line.size() && line[quote + 1] == '"') {
            from = quote + 2;
            continue;
        }
        text = line.substr(at + 1, quote - at - 1);
        at = quote + 1;
        return true;
    }
}

// The largest double that still rounds to a finite float: FLT_MAX plus half its last place.
constexpr double kFloatLimit = 3.4028235677973366e38;

float to_float(double value) {
    if (std::fabs(value) >= kFloatLimit) {
        return value < 0.0 ? -HUGE_VALF : HUGE_VALF;
    }
    return static_cast<float>(value);
}

// The length of the valid UTF-8 sequence at TEXT[I] (2 to 4), 0 where none starts there.
std::size_t utf8_length(std::string_view text, std::size_t i) {
    // Fields and lines are far below 2 GiB (the reader refuses longer lines).
    return static_cast<std::size_t>(
        plotter::utf8_sequence_length(text.data(), static_cast<int>(text.size()), static_cast<int>(i)));
}

// TEXT as UTF-8: as it is when it is valid UTF-8, else each byte read as its ISO 8859-1 character
// (a spreadsheet export writing "T (°C)" with the one byte 0xB0).
std::string as_utf8(std::string text) {
    std::size_t i = 0;
    while (i < text.size()) {
        const std::size_t length = static_cast<unsigned char>(text[i]) < 0x80U ? 1 : utf8_length(text, i);
        if (length == 0) {
            break;
        }
        i += length;
    }
    if (i == text.size()) {
        return text;
    }
    std::string converted;
    for (const char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte < 0x80U) {
            converted += c;
        } else {
            converted += static_cast<char>(0xC0U | (byte >> 6U));
            converted += static_cast<char>(0x80U | (byte & 0x3FU));
        }
    }
    return converted;
}

}  // namespace

Value read_value(std::string_view text, bool decimal_comma) {
    while (!text.empty() && is_blank(text.front())) {
        text.remove_prefix(1);
    }
    while (!text.empty() && is_blank(text.back())) {
        text.remove_suffix(1);
    }
    if (text.empty() || text == "?" || text == "-") {
        return {Kind::missing, 0.0F};
    }
    std::string_view body = text;
    const bool negative = body.front() == '-';
    if (body.front() == '-' || body.front() == '+') {
        body.remove_prefix(1);
    }
    if (equals_ignoring_case(body, "nan")) {
        return {Kind::missing, 0.0F};
    }
    if (equals_ignoring_case(body, "inf") || equals_ignoring_case(body, "infinity")) {
        return {Kind::number, negative ? -HUGE_VALF : HUGE_VALF};
    }

    // Digits with at most one decimal point (at least one digit), then an optional exponent.
    std::size_t i = 0;
    std::size_t digits = 0;
    bool point = false;
    for (; i < body.size(); ++i) {
        const char c = body[i];
        if (is_digit(c)) {
            ++digits;
        } else if (!point && (c == '.' || (decimal_comma && c == ','))) {
            point = true;
        } else {
            break;
        }
    }
    if (digits == 0) {
        return {Kind::text, 0.0F};
    }
    if (i < body.size()) {
        const char c = body[i];
        if (c != 'e' && c != 'E' && c != 'd' && c != 'D') {
            return {Kind::text, 0.0F};
        }
        ++i;
        if (i < body.size() && (body[i] == '+' || body[i] == '-')) {
            ++i;
        }
        const std::size_t exponent_start = i;
        while (i < body.size() && is_digit(body[i])) {
            ++i;
        }
        if (i == exponent_start || i != body.size()) {
            return {Kind::text, 0.0F};
        }
    }

    // The number in the form from_chars takes: sign, '.', 'e'.
    char short_copy[kShortNumber];
    std::string long_copy;
    char* copy = short_copy;
    if (text.size() + 1 > kShortNumber) {
        long_copy.resize(text.size() + 1);
        copy = long_copy.data();
    }
    std::size_t n = 0;
    if (negative) {
        copy[n++] = '-';
    }
    for (const char c : body) {
        copy[n++] = c == ',' ? '.' : (c == 'd' || c == 'D' || c == 'E') ? 'e' : c;
    }
    copy[n] = '\0';
    double value = 0.0;
    const std::from_chars_result result = std::from_chars(copy, copy + n, value);
    if (result.ec == std::errc::result_out_of_range) {
        // Beyond the double range: strtod gives the infinity or the zero it rounds to.
        value = std::strtod(copy, nullptr);
    }
    return {Kind::number, to_float(value)};
}

Separator separator_of(std::string_view line) {
    bool comma = false;
    bool quoted = false;
    for (const char c : line) {
        if (c == '"') {
            quoted = !quoted;
        } else if (!quoted && c == '#') {
            break;
        } else if (!quoted && c == ';') {
            return Separator::semicolon;
        } else if (!quoted && c == ',') {
            comma = true;
        }
    }
    return comma ? Separator::comma : Separator::blanks;
}

LineKind split(std::string_view line, Separator sep, std::vector<Field>& fields, bool& open_quote) {
    fields.clear();
    open_quote = false;
    const std::size_t n = line.size();
    std::size_t i = 0;
    while (i < n && is_blank(line[i])) {
        ++i;
    }
    if (i == n) {
        return LineKind::blank;
    }
    if (line[i] == '#') {
        return LineKind::comment;
    }

    if (sep == Separator::blanks || sep == Separator::automatic) {
        while (i < n && line[i] != '#') {
            Field field;
            if (line[i] == '"') {
                field.quoted = true;
                open_quote = !quoted_field(line, i, field.text);
            } else {
                const std::size_t start = i;
                while (i < n && !is_blank(line[i]) && line[i] != '#') {
                    ++i;
                }
                field.text = line.substr(start, i - start);
            }
            fields.push_back(field);
            while (i < n && is_blank(line[i])) {
                ++i;
            }
        }
        return LineKind::data;
    }

    const char separator = sep == Separator::comma ? ',' : sep == Separator::semicolon ? ';' : '\t';
    const auto skip_blanks = [&] {
        while (i < n && line[i] != separator && is_blank(line[i])) {
            ++i;
        }
    };
    for (;;) {
        skip_blanks();
        Field field;
        if (i < n && line[i] == '"') {
            field.quoted = true;
            open_quote = !quoted_field(line, i, field.text);
            // Whatever stands between the closing quote and the separator is dropped.
            while (i < n && line[i] != separator && line[i] != '#') {
                ++i;
            }
        } else {
            const std::size_t start = i;
            while (i < n && line[i] != separator && line[i] != '#') {
                ++i;
            }
            std::size_t stop = i;
            while (stop > start && is_blank(line[stop - 1])) {
                --stop;
            }
            field.text = line.substr(start, stop - start);
        }
        fields.push_back(field);
        if (i >= n || line[i] == '#') {
            return LineKind::data;
        }
        ++i;  // past the separator: a field follows, empty at the line's end
    }
}

std::string printable(std::string_view text) {
    std::string shown;
    std::size_t i = 0;
    std::size_t characters = 0;
    while (i < text.size() && characters < kShownChars) {
        const auto byte = static_cast<unsigned char>(text[i]);
        // A character of LENGTH bytes; 0 for a byte that starts no valid UTF-8 sequence.
        const std::size_t length = byte < 0x80U ? 1 : utf8_length(text, i);
        const bool whole = length > 0;
        // Control characters, C1 ones (U+0080..U+009F) included, and broken sequences show as '?'.
        const bool control = byte < 0x20U || byte == 0x7FU ||
                             (byte == 0xC2U && whole && static_cast<unsigned char>(text[i + 1]) < 0xA0U);
        if (whole && !control) {
            shown.append(text.substr(i, length));
            i += length;
        } else {
            shown += '?';
            i += whole ? length : 1;
        }
        ++characters;
    }
    if (i < text.size()) {
        shown += "...";
    }
    return shown;
}

namespace {

// Whether a field of a line split at SEP is a number.
bool has_number(const std::vector<Field>& fields, Separator sep) {
    return std::any_of(fields.begin(), fields.end(), [sep](const Field& field) {
        return read_value(field.text, sep == Separator::semicolon).kind == Kind::number;
    });
}

}  // namespace

Reader::Reader(int fd, std::string name, ReadFunction read_function)
    : fd_(fd), name_(std::move(name)), read_(read_function) {}

void Reader::fail(long line, const std::string& reason) {
    if (failure_.empty()) {
        failure_ = line > 0 ? name_ + ":" + std::to_string(line) + ": " + reason : name_ + ": " + reason;
    }
}

bool Reader::read_line(std::string_view& line) {
    std::size_t scanned = begin_;
    for (;;) {
        const char* base = buffer_.data();
        if (scanned < end_) {
            const void* newline = std::memchr(base + scanned, '\n', end_ - scanned);
            if (newline != nullptr || at_end_) {
                const std::size_t stop =
                    newline != nullptr ? static_cast<std::size_t>(static_cast<const char*>(newline) - base) : end_;
                line = std::string_view(base + begin_, stop - begin_);
                begin_ = newline != nullptr ? stop + 1 : end_;
                break;
            }
            scanned = end_;
        }
        if (at_end_) {
            return false;
        }
        // Keep the started line at the buffer's front and read on behind it.
        if (begin_ > 0) {
            std::memmove(buffer_.data(), base + begin_, end_ - begin_);
            scanned -= begin_;
            end_ -= begin_;
            begin_ = 0;
        }
        if (end_ == buffer_.size()) {
            if (buffer_.size() >= kLongestLine) {
                fail(lines_read_ + 1, "a line longer than 64 MiB");
                return false;
            }
            buffer_.resize(buffer_.size() * 2);
        }
        ssize_t got = 0;
        do {
            got = read_(fd_, buffer_.data() + end_, buffer_.size() - end_);
        } while (got < 0 && errno == EINTR);
        if (got < 0) {
            fail(0, std::strerror(errno));
            return false;
        }
        if (got == 0) {
            at_end_ = true;
        }
        end_ += static_cast<std::size_t>(got);
    }
    ++lines_read_;
    if (!line.empty() && line.back() == '\r') {
        line.remove_suffix(1);
    }
    if (first_line_ && line.starts_with("\xEF\xBB\xBF")) {
        line.remove_prefix(3);
    }
    first_line_ = false;
    return true;
}

bool Reader::split_line(std::string_view line, Separator sep, LineKind& kind) {
    bool open_quote = false;
    kind = split(line, sep, fields_, open_quote);
    if (open_quote) {
        fail(lines_read_, "a quote is not closed");
        return false;
    }
    return true;
}

bool Reader::start(Separator sep, long header_lines) {
    sep_ = sep;
    buffer_.resize(kBlock);
    std::string header;
    std::string comment;
    std::string_view line;
    for (long i = 0; i < header_lines && read_line(line); ++i) {
        header.assign(line);
    }
    const bool automatic_header = header_lines < 0;
    std::size_t columns = 0;
    while (!failed() && read_line(line)) {
        const Separator chosen = sep == Separator::automatic ? separator_of(line) : sep;
        LineKind kind = LineKind::data;
        if (!split_line(line, chosen, kind)) {
            return false;
        }
        if (kind == LineKind::blank) {
            continue;
        }
        if (kind == LineKind::comment) {
            const std::size_t text = line.find_first_not_of("# \t", line.find('#'));
            comment.assign(text == std::string_view::npos ? std::string_view() : line.substr(text));
            continue;
        }
        if (automatic_header && !has_number(fields_, chosen)) {
            header.assign(line);
            comment.clear();
            continue;
        }
        sep_ = chosen;
        columns = fields_.size();
        pending_.assign(line);
        pending_line_ = lines_read_;
        has_pending_ = true;
        break;
    }
    if (failed()) {
        return false;
    }
    if (!has_pending_) {
        return true;
    }

    // Names: the header's fields, or a comment's, when they match the data's columns.
    for (const std::string* candidate : {&header, &comment}) {
        if (candidate->empty()) {
            continue;
        }
        bool open_quote = false;
        std::vector<Field> fields;
        // A header that does not fit names nothing; a comment is no fallback for it.
        if (split(*candidate, sep_, fields, open_quote) != LineKind::data || open_quote || fields.size() != columns ||
            has_number(fields, sep_)) {
            break;
        }
        for (const Field& field : fields) {
            std::string name;
            for (std::size_t i = 0; i < field.text.size(); ++i) {
                name += field.text[i];
                // "" inside a quoted field is one quote.
                i += field.quoted && field.text[i] == '"' ? 1 : 0;
            }
            names_.push_back(as_utf8(std::move(name)));
        }
        break;
    }
    return true;
}

bool Reader::next() {
    if (failed()) {
        return false;
    }
    LineKind kind = LineKind::data;
    if (has_pending_) {
        has_pending_ = false;
        line_ = pending_line_;
        row_ = 1;
        blanks_before_ = 0;
        return split_line(pending_, sep_, kind);
    }
    std::string_view line;
    while (read_line(line)) {
        if (!split_line(line, sep_, kind)) {
            return false;
        }
        if (kind == LineKind::blank) {
            blanks_ = blanks_ < 2 ? blanks_ + 1 : 2;
            continue;
        }
        if (kind == LineKind::comment) {
            continue;
        }
        line_ = lines_read_;
        ++row_;
        blanks_before_ = blanks_;
        blanks_ = 0;
        return true;
    }
    return false;
}

}  // namespace table
