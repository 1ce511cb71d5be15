// The reading step of the diagr command: the columns of every file chosen, missing values and blank
// lines turned into breaks and data sets, the values beyond the float range counted, and the points
// an axis cannot show left out.
#include "read.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <limits>
#include <span>
#include <string_view>
#include <tuple>

#include "table.h"

namespace cli {

namespace {

// Points reserved at most ahead of reading, per array.
constexpr std::size_t kMaxReserve = std::size_t{1} << 26;
constexpr float kBreak = std::numeric_limits<float>::quiet_NaN();

// Closes the file it was given, unless that is standard input.
struct FileCloser {
    int fd;
    ~FileCloser() {
        if (fd != STDIN_FILENO) {
            ::close(fd);
        }
    }
};

// Ends the current piece of CURVE's line, once.
void add_break(Curve& curve) {
    if (curve.x.size() > curve.sets.back() && !std::isnan(curve.x.back())) {
        curve.x.push_back(kBreak);
        curve.y.push_back(kBreak);
        if (curve.bars) {
            curve.below.push_back(kBreak);
        }
        if (!curve.above.empty()) {
            curve.above.push_back(kBreak);
        }
    }
}

std::string column_list(const std::vector<std::string>& names) {
    std::string list;
    for (const std::string& name : names) {
        list += (list.empty() ? "" : ", ") + table::printable(name);
    }
    return list;
}

// How every file is read.
struct ReadOptions {
    table::Separator sep = table::Separator::automatic;
    long header_lines = -1;  // below 0: recognised
};

// Reads PATH ("-" for standard input) into one curve per entry of USES (the default 1:2, or 0:1
// for a file of one column, when USES is empty), appended to CURVES. On failure writes the one line
// that says why and returns false.
bool read_curves(const std::string& path, const ReadOptions& options, const std::vector<Using>& uses,
                 std::vector<Curve>& curves) {
    const bool standard_input = path == "-";
    const std::string name = standard_input ? "standard input" : path;
    const int fd = standard_input ? STDIN_FILENO : ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) {
        std::fprintf(stderr, "diagr: %s: %s\n", name.c_str(), std::strerror(errno));
        return false;
    }
    const FileCloser closer{fd};
    table::Reader reader(fd, name);
    const auto fail = [](const std::string& why) {
        std::fprintf(stderr, "diagr: %s\n", why.c_str());
        return false;
    };
    if (!reader.start(options.sep, options.header_lines)) {
        return fail(reader.failure());
    }
    bool have_row = reader.next();
    if (reader.failed()) {
        return fail(reader.failure());
    }
    if (!have_row) {
        return fail(name + ": no pairs to plot");
    }

    // The columns: the default takes y from the second column, or from the only one.
    std::vector<Using> chosen = uses;
    if (chosen.empty()) {
        chosen.push_back(reader.fields().size() == 1 ? Using{{{0, {}}, {1, {}}}} : Using{{{1, {}}, {2, {}}}});
    }
    const std::vector<std::string>& names = reader.names();
    std::vector<std::vector<long>> columns(chosen.size());
    for (std::size_t u = 0; u < chosen.size(); ++u) {
        for (const ColumnRef& ref : chosen[u].columns) {
            long number = ref.number;
            if (number < 0) {
                const auto found = std::find(names.begin(), names.end(), ref.name);
                if (found == names.end()) {
                    return fail(name + ": no column named '" + table::printable(ref.name) + "' (" +
                                (names.empty() ? std::string("the file names no columns")
                                               : "the columns are " + column_list(names)) +
                                ")");
                }
                number = static_cast<long>(found - names.begin()) + 1;
            }
            columns[u].push_back(number);
        }
    }

    const std::size_t first = curves.size();
    std::size_t room = 0;
    struct stat info {};
    if (!standard_input && ::fstat(fd, &info) == 0 && S_ISREG(info.st_mode)) {
        // A line of a table takes at least two bytes per column.
        const std::size_t per_line = 2 * std::max<std::size_t>(reader.fields().size(), 1);
        room = std::min<std::size_t>(static_cast<std::size_t>(info.st_size) / per_line + 1, kMaxReserve);
    }
    for (std::size_t u = 0; u < chosen.size(); ++u) {
        Curve curve;
        curve.file = name;
        const auto name_of = [&names](long column) {
            return column >= 1 && static_cast<std::size_t>(column) <= names.size() ? names[column - 1] : std::string();
        };
        curve.x_name = name_of(columns[u][0]);
        curve.y_name = name_of(columns[u][1]);
        curve.sets.push_back(0);
        curve.x.reserve(room);
        curve.y.reserve(room);
        curve.bars = chosen[u].error_bars();
        if (curve.bars) {
            curve.below.reserve(room);
        }
        if (chosen[u].columns.size() == 4) {
            curve.above.reserve(room);
        }
        curves.push_back(std::move(curve));
    }

    const bool decimal_comma = reader.separator() == table::Separator::semicolon;
    std::size_t unfit = 0;
    while (have_row) {
        const std::span<const table::Field> fields = reader.fields();
        const int blanks = reader.blank_lines_before();
        bool row_unfit = false;
        for (std::size_t u = 0; u < chosen.size(); ++u) {
            Curve& curve = curves[first + u];
            if (blanks >= 2 && curve.x.size() > curve.sets.back()) {
                curve.sets.push_back(curve.x.size());
            } else if (blanks == 1) {
                add_break(curve);
            }
            float v[4] = {kBreak, kBreak, kBreak, kBreak};
            for (std::size_t j = 0; j < columns[u].size(); ++j) {
                const long column = columns[u][j];
                if (column == 0) {
                    v[j] = static_cast<float>(reader.row());
                    continue;
                }
                if (static_cast<std::size_t>(column) > fields.size()) {
                    return fail(name + ":" + std::to_string(reader.line()) + ": no column " + std::to_string(column) +
                                " (the line has " + std::to_string(fields.size()) + ")");
                }
                const std::string_view text = fields[static_cast<std::size_t>(column) - 1].text;
                const table::Value value = table::read_value(text, decimal_comma);
                if (value.kind == table::Kind::text) {
                    return fail(name + ":" + std::to_string(reader.line()) + ": column " + std::to_string(column) +
                                ": '" + table::printable(text) + "' is no number");
                }
                if (value.kind == table::Kind::number) {
                    v[j] = value.number;
                    row_unfit = row_unfit || !std::isfinite(value.number);
                }
            }
            if (std::isnan(v[0]) || std::isnan(v[1])) {
                add_break(curve);
                continue;
            }
            curve.x.push_back(v[0]);
            curve.y.push_back(v[1]);
            if (columns[u].size() == 3) {
                curve.below.push_back(v[2]);
            } else if (columns[u].size() == 4) {
                curve.below.push_back(v[1] - v[2]);
                curve.above.push_back(v[3] - v[1]);
            }
        }
        unfit += row_unfit ? 1 : 0;
        have_row = reader.next();
    }
    if (reader.failed()) {
        return fail(reader.failure());
    }
    for (std::size_t u = first; u < curves.size(); ++u) {
        if (curves[u].x.size() > static_cast<std::size_t>(std::numeric_limits<int>::max())) {
            return fail(name + ": more pairs than can be plotted");
        }
    }
    if (unfit == 1) {
        std::fprintf(stderr, "diagr: %s: 1 pair with a value beyond the float range is not drawn\n", name.c_str());
    } else if (unfit > 1) {
        std::fprintf(stderr, "diagr: %s: %zu pairs with values beyond the float range are not drawn\n", name.c_str(),
                     unfit);
    }
    return true;
}

// Leaves out the points at or below 0 on a logarithmic axis (they become breaks); their count.
std::size_t leave_out_non_positive(std::vector<Curve>& curves, bool in_x) {
    std::size_t count = 0;
    for (Curve& curve : curves) {
        std::vector<float>& values = in_x ? curve.x : curve.y;
        for (std::size_t i = 0; i < values.size(); ++i) {
            if (values[i] <= 0.0F) {
                ++count;
                curve.x[i] = std::numeric_limits<float>::quiet_NaN();
                curve.y[i] = std::numeric_limits<float>::quiet_NaN();
            }
        }
    }
    return count;
}

}  // namespace

bool read_files(const Options& options, std::vector<Curve>& curves) {
    std::vector<Using> uses(options.usings.size());
    for (std::size_t i = 0; i < uses.size(); ++i) {
        parse_using(options.usings[i], &uses[i]);
    }
    const std::size_t per_file = std::max<std::size_t>(uses.size(), 1);
    ReadOptions read_options;
    read_options.sep = separator_of(options.sep);
    read_options.header_lines = options.header;
    curves.reserve(options.files.size() * per_file);
    for (std::size_t f = 0; f < options.files.size(); ++f) {
        const std::size_t first = curves.size();
        if (!read_curves(options.files[f], read_options, uses, curves)) {
            return false;
        }
        for (std::size_t c = first; c < curves.size(); ++c) {
            curves[c].argument = f;
        }
    }

    // The points read, filtered: what the axes cannot show is left out.
    for (const auto& [log, in_x, axis] : {std::tuple{options.logx, true, 'x'}, std::tuple{options.logy, false, 'y'}}) {
        const std::size_t left_out = log ? leave_out_non_positive(curves, in_x) : 0;
        if (left_out > 0) {
            std::fprintf(stderr, "diagr: %zu point%s with %c <= 0 %s left out of the logarithmic axis\n", left_out,
                         left_out == 1 ? "" : "s", axis, left_out == 1 ? "is" : "are");
        }
    }
    return true;
}

}  // namespace cli
