// The curves of the diagr command: which columns of a table make a curve (-u X:Y, X:Y:DY,
// X:Y:YLO:YHI), and the points read for them.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

#include "table.h"

namespace cli {

// A column by number (1-based; 0 the data line's number) or by its header name.
struct ColumnRef {
    long number = -1;  // -1: by name
    std::string name;
};

// One -u: X and Y, optionally the error column DY or the bar ends YLO and YHI.
struct Using {
    std::vector<ColumnRef> columns;
    bool error_bars() const { return columns.size() > 2; }
};

// The points of one file read by one -u. Missing values and single blank lines are NaN points,
// which break the line; two or more blank lines start a data set.
struct Curve {
    std::string file;    // as named in messages
    std::size_t argument = 0;  // the file's place among the command's files (set by the caller)
    std::string x_name;  // the header names of the X and Y columns, or empty
    std::string y_name;
    std::vector<float> x;
    std::vector<float> y;
    bool bars = false;         // with error bars: the offsets down from y, and up where they differ
    std::vector<float> below;  // (X:Y:YLO:YHI); X:Y:DY keeps DY once
    std::vector<float> above;

    const std::vector<float>& up() const { return above.empty() ? below : above; }
    std::vector<std::size_t> sets;  // where each data set starts in x and y; the first at 0
};

struct ReadOptions {
    table::Separator sep = table::Separator::automatic;
    long header_lines = -1;  // below 0: recognised
};

// Reads PATH ("-" for standard input) into one curve per entry of USES (the default 1:2, or 0:1
// for a file of one column, when USES is empty), appended to CURVES. On failure writes the one line
// that says why and returns false.
bool read_curves(const std::string& path, const ReadOptions& options, const std::vector<Using>& uses,
                 std::vector<Curve>& curves);

}  // namespace cli
