// The reading step of the diagr command: the files read into curves, the columns of each -u
// (X:Y, X:Y:DY, X:Y:YLO:YHI, or with --hist the one column counted, as y) taken from every file,
// and the points an axis cannot show left out.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

#include "options.h"

namespace cli {

// The points of one file read by one -u; with --where, of the rows it keeps, and with --by, one
// curve per -u and key (the keys in order of first appearance) of the rows that hold the key.
// Missing values and single blank lines are NaN points, which break the line; two or more blank
// lines start a data set.
struct Curve {
    std::string file;          // as named in messages
    std::size_t argument = 0;  // the file's place among the command's files (set by read_files)
    std::string x_name;        // the header names of the X and Y columns, or empty
    std::string y_name;
    std::optional<std::string> key;  // with --by: the key column's value its rows hold
    std::vector<float> x;
    std::vector<float> y;
    bool bars = false;         // with error bars: the offsets down from y, and up where they differ
    std::vector<float> below;  // (X:Y:YLO:YHI); X:Y:DY keeps DY once
    std::vector<float> above;

    const std::vector<float>& up() const { return above.empty() ? below : above; }
    std::vector<std::size_t> sets;  // where each data set starts in x and y; the first at 0

    // A column of times: its values are seconds after the origin, seconds since 1970-01-01 UTC,
    // the same for every curve of the command (its earliest time).
    bool x_time = false;
    bool y_time = false;
    double x_origin = 0.0;
    double y_origin = 0.0;
    std::vector<double> x_seconds;  // while reading: the times, seconds since 1970, where x_time
    std::vector<double> y_seconds;
};

// Reads every file of OPTIONS, in order, into CURVES: one curve per -u and file (the file's place
// among them in Curve::argument), times as seconds after the earliest of them, then leaves out the
// points a logarithmic axis cannot show. On failure writes the one line that says why and returns
// false.
bool read_files(const Options& options, std::vector<Curve>& curves);

}  // namespace cli
