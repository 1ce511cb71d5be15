// The reading step of the diagr command: the columns of every file chosen, missing values and blank
// lines turned into breaks and data sets, the values beyond the float range counted, and the points
// an axis cannot show left out.
#include "read.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <cerrno>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <limits>
#include <optional>
#include <span>
#include <string_view>
#include <tuple>
#include <unordered_map>

#include "table.h"
#include "time_field.h"

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
        if (curve.x_time) {
            curve.x_seconds.push_back(kBreak);
        }
        if (curve.y_time) {
            curve.y_seconds.push_back(kBreak);
        }
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

// The number of column REF among the NAMES of FILE's header; -1 after the line that says it has
// none such.
long column_number(const ColumnRef& ref, const std::vector<std::string>& names, const std::string& file) {
    if (ref.number >= 0) {
        return ref.number;
    }
    const auto found = std::find(names.begin(), names.end(), ref.name);
    if (found == names.end()) {
        std::fprintf(stderr, "diagr: %s: no column named '%s' (%s)\n", file.c_str(), table::printable(ref.name).c_str(),
                     names.empty() ? "the file names no columns" : ("the columns are " + column_list(names)).c_str());
        return -1;
    }
    return static_cast<long>(found - names.begin()) + 1;
}

// The rows of every file drawn, and how they are grouped: --where and --by as typed and parsed.
struct RowChoice {
    std::optional<ColumnRef> by;
    std::string by_typed;
    std::vector<Filter> filters;
    std::vector<std::string> filters_typed;

    bool any() const { return by.has_value() || !filters.empty(); }
};

// TEXT without the blanks and tabs around it.
std::string_view trimmed(std::string_view text) {
    const std::size_t begin = text.find_first_not_of(" \t");
    if (begin == std::string_view::npos) {
        return {};
    }
    return text.substr(begin, text.find_last_not_of(" \t") - begin + 1);
}

// TEXT, which the table reader reads as a number, in double precision (so that 16777217 is not
// 16777216).
double wide_number(std::string_view text, bool decimal_comma) {
    std::string copy(text);
    for (char& c : copy) {
        if (c == 'd' || c == 'D') {
            c = 'e';
        } else if (c == ',' && decimal_comma) {
            c = '.';
        }
    }
    return std::strtod(copy.c_str(), nullptr);
}

// A finite number in TEXT, or empty.
std::optional<double> number_in(std::string_view text, bool decimal_comma) {
    if (table::read_value(text, decimal_comma).kind != table::Kind::number) {
        return std::nullopt;
    }
    const double value = wide_number(text, decimal_comma);
    return std::isfinite(value) ? std::optional<double>(value) : std::nullopt;
}

// The rows of one file the filters keep, grouped by the key column (all in one group without it),
// and each group's curve per -u. A group's curve takes the blank lines that came before its rows
// since its last one: one blank line breaks every group's line, two start a data set in each.
class RowGroups {
public:
    enum class Row { kept, left_out, failed };

    // Finds the columns of CHOICE among NAMES, those of the file FILE; on failure writes why and
    // returns false.
    bool start(const RowChoice& choice, const std::vector<std::string>& names, const std::string& file,
               bool decimal_comma) {
        choice_ = &choice;
        file_ = file;
        decimal_comma_ = decimal_comma;
        for (const Filter& filter : choice.filters) {
            filter_columns_.push_back(column_number(filter.column, names, file));
            if (filter_columns_.back() < 0) {
                return false;
            }
            filter_numbers_.push_back(number_in(trimmed(filter.value), decimal_comma));
        }
        by_ = choice.by ? column_number(*choice.by, names, file) : 0;
        active_ = by_ >= 0;
        return active_;
    }

    bool active() const { return active_; }

    // The columns drawn without -u: the first two of the COLUMNS of the first data line besides
    // the key and the filters' (0 and the one left, when one is left); empty when none is left.
    std::optional<Using> default_using(std::size_t columns) const {
        std::vector<long> free;
        for (long column = 1; column <= static_cast<long>(columns) && free.size() < 2; ++column) {
            if (column != by_ &&
                std::find(filter_columns_.begin(), filter_columns_.end(), column) == filter_columns_.end()) {
                free.push_back(column);
            }
        }
        if (free.empty()) {
            return std::nullopt;
        }
        if (free.size() == 1) {
            free.insert(free.begin(), 0);
        }
        return Using{{{free[0], {}}, {free[1], {}}}};
    }

    // Takes in the current row of READER: kept when every filter holds and its key is not empty;
    // failed (after writing why) when it lacks one of the columns.
    Row take(const table::Reader& reader) {
        const int blanks = reader.blank_lines_before();
        sets_ += blanks >= 2 ? 1 : 0;
        breaks_ += blanks == 1 ? 1 : 0;
        const std::span<const table::Field> fields = reader.fields();
        const auto field = [&](long column, std::string_view& text) {
            if (static_cast<std::size_t>(column) > fields.size()) {
                std::fprintf(stderr, "diagr: %s:%ld: no column %ld (the line has %zu)\n", file_.c_str(), reader.line(),
                             column, fields.size());
                return false;
            }
            text = trimmed(fields[static_cast<std::size_t>(column) - 1].text);
            return true;
        };
        for (std::size_t i = 0; i < filter_columns_.size(); ++i) {
            std::string_view text;
            if (!field(filter_columns_[i], text)) {
                return Row::failed;
            }
            if (text != trimmed(choice_->filters[i].value) &&
                (!filter_numbers_[i] || number_in(text, decimal_comma_) != filter_numbers_[i])) {
                return Row::left_out;
            }
        }
        ++matched_;
        std::string_view key;
        if (by_ > 0) {
            if (!field(by_, key)) {
                return Row::failed;
            }
            if (key.empty()) {
                ++unkeyed_;
                return Row::left_out;
            }
        }
        auto at = index_.find(key);
        if (at == index_.end()) {
            at = index_.emplace(std::string(key), keys_.size()).first;
            keys_.emplace_back(key);
        }
        group_ = at->second;
        return Row::kept;
    }

    // The curve of -u U for the row taken last; a new group's is a copy of MODEL, the curve made for
    // the -u, which takes no points.
    Curve& curve(std::size_t u, const Curve& model) {
        if (members_.size() <= u) {
            members_.resize(u + 1);
        }
        std::vector<Member>& members = members_[u];
        while (members.size() <= group_) {
            // The model holds no points: every row went to the groups.
            Member member{model, breaks_, sets_};
            if (by_ > 0) {
                member.curve.key = keys_[members.size()];
            }
            members.push_back(std::move(member));
        }
        Member& member = members[group_];
        Curve& curve = member.curve;
        if (member.sets != sets_) {
            if (curve.x.size() > curve.sets.back()) {
                curve.sets.push_back(curve.x.size());
            }
        } else if (member.breaks != breaks_) {
            add_break(curve);
        }
        member.sets = sets_;
        member.breaks = breaks_;
        return curve;
    }

    // Replaces the curves from FIRST on (the models) by the groups' curves, -u by -u, the groups in
    // order of first appearance, and says how many rows had an empty key. False after writing why
    // when no row is kept.
    bool finish(std::vector<Curve>& curves, std::size_t first) {
        if (matched_ == 0) {
            std::string filters;
            for (const std::string& typed : choice_->filters_typed) {
                filters += " --where " + table::printable(typed);
            }
            std::fprintf(stderr, "diagr: %s: no row matches%s\n", file_.c_str(), filters.c_str());
            return false;
        }
        if (keys_.empty()) {
            std::fprintf(stderr, "diagr: %s: every row's key (--by %s) is empty\n", file_.c_str(),
                         table::printable(choice_->by_typed).c_str());
            return false;
        }
        curves.erase(curves.begin() + static_cast<std::ptrdiff_t>(first), curves.end());
        for (std::vector<Member>& members : members_) {
            for (Member& member : members) {
                curves.push_back(std::move(member.curve));
            }
        }
        if (unkeyed_ > 0) {
            std::fprintf(stderr, "diagr: %s: %zu row%s with an empty key %s left out\n", file_.c_str(), unkeyed_,
                         unkeyed_ == 1 ? "" : "s", unkeyed_ == 1 ? "is" : "are");
        }
        return true;
    }

private:
    // Keys looked up by the views of the fields that hold them.
    struct KeyHash {
        using is_transparent = void;
        std::size_t operator()(std::string_view key) const { return std::hash<std::string_view>{}(key); }
    };

    // A group's curve, and the blank lines counted when it last took a row.
    struct Member {
        Curve curve;
        long breaks = 0;
        long sets = 0;
    };

    const RowChoice* choice_ = nullptr;
    std::string file_;
    bool decimal_comma_ = false;
    bool active_ = false;
    long by_ = 0;  // the key column, 0 none
    std::vector<long> filter_columns_;
    std::vector<std::optional<double>> filter_numbers_;  // the filters' values as numbers
    std::unordered_map<std::string, std::size_t, KeyHash, std::equal_to<>> index_;
    std::vector<std::string> keys_;             // in order of first appearance
    std::vector<std::vector<Member>> members_;  // per -u, per group
    std::size_t group_ = 0;
    long breaks_ = 0;  // single blank lines, and runs of two or more, seen so far
    long sets_ = 0;
    std::size_t matched_ = 0;  // rows every filter holds for
    std::size_t unkeyed_ = 0;  // of them, those with an empty key
};

// The rows --where keeps and the column --by groups them by.
RowChoice row_choice(const Options& options) {
    RowChoice choice;
    if (!options.by.empty()) {
        choice.by.emplace();
        parse_column(options.by, &*choice.by);
        choice.by_typed = options.by;
    }
    for (const std::string& where : options.wheres) {
        parse_filter(where, &choice.filters.emplace_back());
        choice.filters_typed.push_back(where);
    }
    return choice;
}

// How every file is read.
struct ReadOptions {
    RowChoice rows;
    table::Separator sep = table::Separator::automatic;
    long header_lines = -1;                      // below 0: recognised
    const table::TimeFormat* timefmt = nullptr;  // --timefmt, if given
    bool hist = false;                           // the values counted are y, x the line's number
};

// How the fields of an x or y column are read: as numbers, or as times in an ISO form or by
// --timefmt, a time then taking EXTRA more fields where blanks separate its date and its time.
struct ColumnKind {
    bool time = false;
    table::TimeForm form = table::TimeForm::none;  // none with time: by --timefmt
    std::size_t extra = 0;
};

// The text of the time that starts at field COLUMN (1-based) and takes EXTRA more fields, in
// SCRATCH when it spans several; empty when the line lacks them.
std::string_view time_text(std::span<const table::Field> fields, long column, std::size_t extra, std::string& scratch) {
    const auto first = static_cast<std::size_t>(column) - 1;
    if (first + extra >= fields.size()) {
        return {};
    }
    if (extra == 0) {
        return fields[first].text;
    }
    scratch.assign(fields[first].text);
    for (std::size_t k = 1; k <= extra; ++k) {
        scratch += ' ';
        scratch += fields[first + k].text;
    }
    return scratch;
}

// The kind of column COLUMN, told from its field in the first data line FIELDS: a field that is a
// number or missing makes a number column; an ISO 8601 date, or what --timefmt reads, a time column.
ColumnKind kind_of(std::span<const table::Field> fields, long column, const ReadOptions& options, bool blanks) {
    ColumnKind kind;
    if (column < 1 || static_cast<std::size_t>(column) > fields.size()) {
        return kind;
    }
    const std::string_view text = fields[static_cast<std::size_t>(column) - 1].text;
    if (table::read_value(text, false).kind != table::Kind::text) {
        return kind;
    }
    std::string scratch;
    // Where blanks separate the fields, a date and its time stand in two of them.
    const std::size_t most_extra = blanks ? 2 : 0;
    // The most fields that still read as one time win: a date, then the date with its time.
    for (std::size_t extra = 0; extra <= most_extra; ++extra) {
        const std::string_view joined = time_text(fields, column, extra, scratch);
        if (joined.empty()) {
            break;
        }
        const table::TimeForm form = options.timefmt != nullptr ? table::TimeForm::none : table::time_form(joined);
        if (options.timefmt != nullptr ? options.timefmt->read(joined).ok() : form != table::TimeForm::none) {
            kind = ColumnKind{true, form, extra};
        }
    }
    return kind;
}

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

    RowGroups groups;
    if (options.rows.any() &&
        !groups.start(options.rows, reader.names(), name, reader.separator() == table::Separator::semicolon)) {
        return false;
    }
    // The columns: the default takes y from the second column, or from the only one.
    std::vector<Using> chosen = uses;
    if (const std::optional<Using> free = groups.active() ? groups.default_using(reader.fields().size()) : std::nullopt;
        chosen.empty() && free) {
        chosen.push_back(*free);
    }
    if (options.hist && !chosen.empty() && uses.empty()) {
        // A histogram counts the first column the default would draw.
        const ColumnRef counted = chosen[0].columns[chosen[0].columns[0].number == 0 ? 1 : 0];
        chosen[0] = Using{{{0, {}}, counted}};
    }
    if (chosen.empty()) {
        chosen.push_back(reader.fields().size() == 1 || options.hist ? Using{{{0, {}}, {1, {}}}}
                                                                     : Using{{{1, {}}, {2, {}}}});
    }
    const std::vector<std::string>& names = reader.names();
    std::vector<std::vector<long>> columns(chosen.size());
    for (std::size_t u = 0; u < chosen.size(); ++u) {
        for (const ColumnRef& ref : chosen[u].columns) {
            columns[u].push_back(column_number(ref, names, name));
            if (columns[u].back() < 0) {
                return false;
            }
        }
    }

    // The kinds of the x and y columns, from the first data line.
    const bool blanks = reader.separator() == table::Separator::blanks;
    std::vector<std::array<ColumnKind, 2>> kinds(chosen.size());
    for (std::size_t u = 0; u < chosen.size(); ++u) {
        for (std::size_t j = 0; j < 2; ++j) {
            kinds[u][j] = kind_of(reader.fields(), columns[u][j], options, blanks);
        }
        if (options.hist && kinds[u][1].time) {
            return fail(name + ": column " + std::to_string(columns[u][1]) + " holds times: --hist counts numbers");
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
        curve.x_time = kinds[u][0].time;
        curve.y_time = kinds[u][1].time;
        curve.x_seconds.reserve(curve.x_time ? room : 0);
        curve.y_seconds.reserve(curve.y_time ? room : 0);
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
    std::string scratch;
    while (have_row) {
        const std::span<const table::Field> fields = reader.fields();
        const int blanks = reader.blank_lines_before();
        if (const RowGroups::Row row = groups.active() ? groups.take(reader) : RowGroups::Row::kept;
            row != RowGroups::Row::kept) {
            if (row == RowGroups::Row::failed) {
                return false;
            }
            have_row = reader.next();
            continue;
        }
        bool row_unfit = false;
        for (std::size_t u = 0; u < chosen.size(); ++u) {
            // Grouped curves take the blank lines since their last row from the groups.
            Curve& curve = groups.active() ? groups.curve(u, curves[first + u]) : curves[first + u];
            if (!groups.active() && blanks >= 2 && curve.x.size() > curve.sets.back()) {
                curve.sets.push_back(curve.x.size());
            } else if (!groups.active() && blanks == 1) {
                add_break(curve);
            }
            double v[4] = {kBreak, kBreak, kBreak, kBreak};
            for (std::size_t j = 0; j < columns[u].size(); ++j) {
                const long column = columns[u][j];
                if (column == 0) {
                    v[j] = static_cast<double>(reader.row());
                    continue;
                }
                const ColumnKind kind = j < 2 ? kinds[u][j] : ColumnKind{};
                if (static_cast<std::size_t>(column) + kind.extra > fields.size()) {
                    return fail(name + ":" + std::to_string(reader.line()) + ": no column " +
                                std::to_string(column + static_cast<long>(kind.extra)) + " (the line has " +
                                std::to_string(fields.size()) + ")");
                }
                const std::string_view text = time_text(fields, column, kind.extra, scratch);
                // Where the field is, for a message; made only when one is written.
                const auto place = [&] {
                    return name + ":" + std::to_string(reader.line()) + ": column " + std::to_string(column) + ": '" +
                           table::printable(text) + "'";
                };
                if (kind.time) {
                    const table::TimeValue time =
                        options.timefmt != nullptr ? options.timefmt->read(text) : table::read_time(text, kind.form);
                    if (time.ok()) {
                        v[j] = time.seconds;
                    } else if (table::read_value(text, decimal_comma).kind != table::Kind::missing) {
                        return fail(place() + " is no time: " + time.error);
                    }
                    continue;
                }
                const table::Value value = table::read_value(text, decimal_comma);
                if (value.kind == table::Kind::text) {
                    const std::string order = table::date_order_format(text);
                    return fail(place() + " is no number" +
                                (order.empty() ? std::string() : " (a date? give --timefmt, e.g. '" + order + "')"));
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
            curve.x.push_back(curve.x_time ? 0.0F : static_cast<float>(v[0]));
            curve.y.push_back(curve.y_time ? 0.0F : static_cast<float>(v[1]));
            if (curve.x_time) {
                curve.x_seconds.push_back(v[0]);
            }
            if (curve.y_time) {
                curve.y_seconds.push_back(v[1]);
            }
            if (columns[u].size() == 3) {
                curve.below.push_back(static_cast<float>(v[2]));
            } else if (columns[u].size() == 4) {
                // In float, as the values were read.
                const auto y = static_cast<float>(v[1]);
                curve.below.push_back(y - static_cast<float>(v[2]));
                curve.above.push_back(static_cast<float>(v[3]) - y);
            }
        }
        unfit += row_unfit ? 1 : 0;
        have_row = reader.next();
    }
    if (reader.failed()) {
        return fail(reader.failure());
    }
    if (groups.active() && !groups.finish(curves, first)) {
        return false;
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

// Turns the times of CURVES into seconds after the earliest of them, the origin of the time axis.
// False, after the line that says why, when some curves have times where others have numbers.
bool to_seconds_after_origin(std::vector<Curve>& curves) {
    for (const bool in_x : {true, false}) {
        const auto is_time = [in_x](const Curve& c) { return in_x ? c.x_time : c.y_time; };
        const auto timed = std::find_if(curves.begin(), curves.end(), is_time);
        if (timed == curves.end()) {
            continue;
        }
        const auto untimed = std::find_if_not(curves.begin(), curves.end(), is_time);
        if (untimed != curves.end()) {
            std::fprintf(stderr, "diagr: the %c values of %s are times, those of %s numbers: one axis shows one kind\n",
                         in_x ? 'x' : 'y', timed->file.c_str(), untimed->file.c_str());
            return false;
        }
        double origin = std::numeric_limits<double>::infinity();
        for (const Curve& c : curves) {
            for (const double t : in_x ? c.x_seconds : c.y_seconds) {
                origin = std::isnan(t) ? origin : std::min(origin, t);
            }
        }
        if (!std::isfinite(origin)) {
            origin = 0.0;
        }
        for (Curve& c : curves) {
            std::vector<double>& seconds = in_x ? c.x_seconds : c.y_seconds;
            std::vector<float>& values = in_x ? c.x : c.y;
            for (std::size_t i = 0; i < values.size() && i < seconds.size(); ++i) {
                values[i] = static_cast<float>(seconds[i] - origin);
            }
            (in_x ? c.x_origin : c.y_origin) = origin;
            std::vector<double>().swap(seconds);
        }
    }
    return true;
}

}  // namespace

bool read_files(const Options& options, std::vector<Curve>& curves) {
    std::vector<Using> uses(options.usings.size());
    for (std::size_t i = 0; i < uses.size(); ++i) {
        parse_using(options.usings[i], &uses[i]);
        if (options.hist) {
            // The values counted take the place of y.
            uses[i].columns.insert(uses[i].columns.begin(), ColumnRef{0, {}});
        }
    }
    const std::size_t per_file = std::max<std::size_t>(uses.size(), 1);
    ReadOptions read_options;
    read_options.rows = row_choice(options);
    read_options.sep = separator_of(options.sep);
    read_options.header_lines = options.header;
    read_options.hist = options.hist;
    std::string format_error;
    const std::optional<table::TimeFormat> timefmt =
        options.timefmt.empty() ? std::nullopt : table::TimeFormat::compile(options.timefmt, format_error);
    read_options.timefmt = timefmt ? &*timefmt : nullptr;
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

    if (!to_seconds_after_origin(curves)) {
        return false;
    }

    // The points read, filtered: what the axes cannot show is left out.
    for (auto [log, in_x, axis] : {std::tuple{options.logx, true, 'x'}, std::tuple{options.logy, false, 'y'}}) {
        if (log && !curves.empty() && (in_x ? curves.front().x_time : curves.front().y_time)) {
            std::fprintf(stderr, "diagr: the %c axis shows times: --log%c is left out, the axis stays linear\n", axis,
                         axis);
            log = false;
        }
        // A histogram's values are counted, not shown on the logarithmic axis of counts.
        const std::size_t left_out = log && !options.hist ? leave_out_non_positive(curves, in_x) : 0;
        if (left_out > 0) {
            std::fprintf(stderr, "diagr: %zu point%s with %c <= 0 %s left out of the logarithmic axis\n", left_out,
                         left_out == 1 ? "" : "s", axis, left_out == 1 ? "is" : "are");
        }
    }
    return true;
}

}  // namespace cli
