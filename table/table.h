// Data tables as instruments, spreadsheets and other programs write them: text lines split into
// columns, a header recognised, numbers told apart from missing values and from text.
//
// - Columns are separated by runs of blanks and tabs, or by each comma, semicolon or tab. The
//   automatic choice looks at the first data line: semicolons make it a semicolon file, else commas
//   a comma file, else blanks.
// - '#' starts a comment anywhere outside quotes. A field in double quotes is one column, separators
//   and '#' included ("" inside stands for one quote).
// - A line with nothing but blanks is blank; one with nothing but a comment counts as no line.
// - Header: the leading lines in which no field is a number (or exactly the first N lines, when the
//   caller says so). The last of them names the columns when it has as many fields as the first
//   data line; without such a line, a comment line just before the data may name them the same way.
// - A UTF-8 byte order mark at the start and carriage returns at line ends are dropped.
//
// The file is read in blocks: memory holds the longest line, never the whole file.
#pragma once

#include <sys/types.h>
#include <unistd.h>

#include <cstddef>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace table {

enum class Separator { automatic, blanks, comma, semicolon, tab };

// One field of a line: its text without the surrounding blanks and quotes.
struct Field {
    std::string_view text;
    bool quoted = false;
};

enum class Kind { number, missing, text };

// What a field holds.
// - number: optional sign, digits with an optional decimal point, an optional exponent with E or D
//   (either case); "inf" and "infinity" too. A value beyond the float range is infinite.
// - missing: an empty field, NaN (any case, with or without a sign), "?" or "-" standing alone.
// - text: anything else ("2/27/2003", "abc", "1.2.3", "1,5").
// With DECIMAL_COMMA (semicolon files) one comma may stand for the decimal point: 1,5 is 1.5.
struct Value {
    Kind kind = Kind::missing;
    float number = 0.0F;
};
Value read_value(std::string_view text, bool decimal_comma = false);

// What a line is, once split.
enum class LineKind { data, blank, comment };

// Splits LINE into FIELDS (views into LINE) at SEP, which is not automatic. OPEN_QUOTE tells
// whether a quote was left open at the line's end (the field then runs to the end).
LineKind split(std::string_view line, Separator sep, std::vector<Field>& fields, bool& open_quote);

// The separator the automatic choice takes for a first data line.
Separator separator_of(std::string_view line);

class Reader {
public:
    using ReadFunction = ssize_t (*)(int fd, void* buffer, size_t count);

    // Reads the open descriptor FD (not closed here), named NAME in the failure texts.
    Reader(int fd, std::string name, ReadFunction read_function = ::read);

    // Reads the header and the first data line. SEP automatic chooses the separator; HEADER_LINES
    // below 0 recognises the header, else exactly that many lines are skipped. False on failure.
    bool start(Separator sep, long header_lines);

    // The column names (empty when the header names none), and the separator in use. Names are
    // UTF-8: one that is not valid UTF-8 is read byte by byte as ISO 8859-1.
    const std::vector<std::string>& names() const { return names_; }
    Separator separator() const { return sep_; }

    // Moves to the next data line: false at the end of the file or on failure (see failed()).
    bool next();
    // The fields of the current data line, its line number in the file and its number among the
    // data lines (1, 2, ...).
    std::span<const Field> fields() const { return fields_; }
    long line() const { return line_; }
    long row() const { return row_; }
    // Blank lines before the current data line (after the first one): 0, 1, or 2 for two or more.
    int blank_lines_before() const { return blanks_before_; }

    bool failed() const { return !failure_.empty(); }
    // "NAME: reason" or "NAME:LINE: reason".
    const std::string& failure() const { return failure_; }

private:
    // The next physical line, false at the end or on failure.
    bool read_line(std::string_view& line);
    void fail(long line, const std::string& reason);
    // Splits LINE at SEP into fields_, failing on an open quote.
    bool split_line(std::string_view line, Separator sep, LineKind& kind);

    int fd_;
    std::string name_;
    ReadFunction read_;
    Separator sep_ = Separator::automatic;
    std::vector<char> buffer_;
    std::size_t begin_ = 0;
    std::size_t end_ = 0;
    bool at_end_ = false;
    bool first_line_ = true;
    long lines_read_ = 0;
    std::vector<Field> fields_;
    std::vector<std::string> names_;
    std::string pending_;  // the first data line, kept while the header is read
    bool has_pending_ = false;
    long pending_line_ = 0;
    long line_ = 0;
    long row_ = 0;
    int blanks_ = 0;
    int blanks_before_ = 0;
    std::string failure_;
};

// A field's text made printable for a message: control characters and bytes that are no UTF-8
// become '?', and a long text is cut to its first 40 characters followed by "...".
std::string printable(std::string_view text);

}  // namespace table
