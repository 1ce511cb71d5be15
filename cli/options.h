// The options step of the diagr command: the command line parsed into Options, and the --help text.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

#include "table.h"
#include "time_field.h"

namespace cli {

// The line that follows every message about a bad option.
inline constexpr const char* kUsage = "usage: diagr [OPTIONS] FILE...   (diagr --help lists the options)";

// The curve mode of the errorbars style: a circle at each point (a negative mode draws the marker
// of its integer part).
inline constexpr float kErrorBarMode = -1.5F;

// The command line as given: every value checked, most kept as typed.
struct Options {
    std::vector<std::string> files;
    std::string output = "plot.pdf";
    std::optional<std::string> title;
    std::optional<std::string> xlabel;
    std::optional<std::string> ylabel;
    std::vector<std::string> styles;
    std::vector<std::string> texts;
    std::vector<std::string> usings;
    std::vector<std::string> titles;
    std::vector<std::size_t> titles_files_before;  // of each -k: the files named before it
    std::string range;
    std::string size = "20:10";
    std::string sep = "auto";
    std::string key;
    std::string timefmt;  // the strptime form of time fields that are no ISO 8601 dates, or empty
    long header = -1;
    bool logx = false;
    bool logy = false;
    bool pages = false;
    std::string by;                   // --by: the key column, or empty
    std::vector<std::string> wheres;  // --where: COL=VALUE each, as typed
    bool hist = false;                // --hist: each -u one column, counted into bins
    int bins = 0;                     // --bins: the count of bins, 0 chosen
    float binwidth = 0.0F;            // --binwidth: the bins' width, 0 chosen
};

// Bins a histogram has at most: as many as HIST draws.
inline constexpr int kMostBins = 1000;

// Parses the command line into OPTIONS. Returns the exit status when the command ends here: the
// help or the version written (0, or 1 when standard output took not all of it), or a bad option
// (2, after the reason and the usage line); empty when the run goes on.
std::optional<int> parse_options(int argc, char** argv, Options& options);

// A column by number (1-based; 0 the data line's number) or by its header name.
struct ColumnRef {
    long number = -1;  // -1: by name
    std::string name;
};

// One -u: X and Y, optionally the error column DY or the bar ends YLO and YHI; with --hist the one
// column counted.
struct Using {
    std::vector<ColumnRef> columns;
    bool error_bars() const { return columns.size() > 2; }
};

// COL (for --hist), X:Y, X:Y:DY or X:Y:YLO:YHI, by column number or header name, into USE; the error
// text, or empty.
std::string parse_using(const std::string& text, Using* use);

// A column of --by or --where, by number (1 or more) or header name, into COLUMN; the error text,
// or empty.
std::string parse_column(const std::string& text, ColumnRef* column);

// One --where: the column and the value its rows hold.
struct Filter {
    ColumnRef column;
    std::string value;
};

// COL=VALUE into FILTER; VALUE may hold '=' and may be empty. The error text, or empty.
std::string parse_filter(const std::string& text, Filter* filter);

// The table reader's separator that --sep names (auto: the reader's own choice).
table::Separator separator_of(const std::string& sep);

// One coordinate's bounds. A bound left unset is taken from the data.
struct Bounds {
    std::optional<float> low;
    std::optional<float> high;
};

// The bounds of --range.
struct Range {
    Bounds x;
    Bounds y;
};

// XMIN:XMAX:YMIN:YMAX into RANGE, an empty field taken from the data; the error text, or empty.
std::string parse_range(const std::string& text, Range* range);

// W:H, the plot's size in cm, into WIDTH and HEIGHT; the error text, or empty.
std::string parse_size(const std::string& text, float* width, float* height);

// How a curve is drawn: as a line through its points, a step curve, an area filled down to y = 0,
// or a band between its bars' ends.
enum class Shape { line, steps, fill, band };

// One --style.
struct Style {
    float mode = 0.0F;  // the library's curve mode ISYM of the line
    Shape shape = Shape::line;
    int where = 2;  // of steps, STEPS's IWHERE: 1 pre, 2 post, 0 mid
};

// A --style into STYLE; the error text, or empty.
std::string parse_style(const std::string& text, Style* style);

// The library's legend position of --key: 0 the best place, 1..9 the keypad, 10 outside, -1 none;
// -2 for no place.
int key_position(const std::string& key);

// One --text: where its lower left lies, in fractions of the frame, and the text.
struct FreeText {
    float fx = 0.0F;
    float fy = 0.0F;
    std::string text;
};

// FX:FY:TEXT into FREE_TEXT; TEXT may hold colons. The error text, or empty.
std::string parse_text(const std::string& text, FreeText* free_text);

}  // namespace cli
