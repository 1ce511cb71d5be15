// The options step of the diagr command: the command line parsed into Options, every value checked
// as it is parsed, and the --help text.
#include "options.h"

#include <CLI/CLI.hpp>
#include <algorithm>
#include <cerrno>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <iterator>
#include <sstream>
#include <tuple>
#include <utility>

#include "device_name.h"

namespace cli {

namespace {

// Fields of TEXT between the separator SEP; a text without it is one field.
std::vector<std::string> split(const std::string& text, char sep, std::size_t max_fields) {
    std::vector<std::string> fields;
    std::size_t start = 0;
    while (fields.size() + 1 < max_fields) {
        const std::size_t at = text.find(sep, start);
        if (at == std::string::npos) {
            break;
        }
        fields.push_back(text.substr(start, at - start));
        start = at + 1;
    }
    fields.push_back(text.substr(start));
    return fields;
}

// A finite number filling TEXT whole.
std::optional<float> parse_number(const std::string& text) {
    if (text.empty()) {
        return std::nullopt;
    }
    errno = 0;
    char* end = nullptr;
    const double wide = std::strtod(text.c_str(), &end);
    const float value = static_cast<float>(wide);
    if (*end != '\0' || errno == ERANGE || !std::isfinite(wide) || !std::isfinite(value)) {
        return std::nullopt;
    }
    return value;
}

std::string check_device(const std::string& text) {
    const plotter::DeviceName device = plotter::parse_device_name(text);
    return device.valid ? std::string() : device.error;
}

// A CLI11 check from a parse function that returns its error text.
template <typename Parse>
CLI::Validator checked_by(const char* name, Parse parse) {
    return CLI::Validator([parse](std::string& value) { return parse(value); }, "", name);
}

// The check of the logarithmic axes against --range; the error text, or empty.
std::string check_log_bounds(const Options& options, const Range& range) {
    for (const auto& [log, bounds, axis] :
         {std::tuple{options.logx, range.x, 'x'}, std::tuple{options.logy, range.y, 'y'}}) {
        for (const std::optional<float>& bound : {bounds.low, bounds.high}) {
            if (log && bound && !(*bound > 0.0F)) {
                char text[120];
                std::snprintf(text, sizeof text, "--log%c needs %c bounds above 0, not %g", axis, axis,
                              static_cast<double>(*bound));
                return text;
            }
        }
    }
    return {};
}

// The checks of -u, -s, --bins, --binwidth and the logarithmic axes against --hist; the error text,
// or empty.
std::string check_histogram(const Options& options) {
    for (const std::string& text : options.usings) {
        Using use;
        parse_using(text, &use);
        if (!options.hist && use.columns.size() == 1) {
            return "--using: expected X:Y, X:Y:DY or X:Y:YLO:YHI (column numbers or names)";
        }
        if (options.hist && use.columns.size() > 1) {
            return "--hist counts one column per -u, not '" + text + "'";
        }
    }
    if (!options.hist) {
        return options.bins > 0 ? "--bins needs --hist" : options.binwidth > 0.0F ? "--binwidth needs --hist" : "";
    }
    if (options.bins > 0 && options.binwidth > 0.0F) {
        return "--bins and --binwidth exclude each other: give one";
    }
    if (!options.styles.empty()) {
        return "--style does not apply to --hist";
    }
    if (options.logx) {
        return "--logx does not apply to --hist";
    }
    return {};
}

// Writes TEXT (the help or the version) to standard output: STATUS, or 1 when it could not all be
// written, a full disk say.
int write_output(const std::string& text, int status) {
    errno = 0;
    const std::size_t written = std::fwrite(text.data(), 1, text.size(), stdout);
    if (written != text.size() || std::fflush(stdout) != 0 || std::ferror(stdout) != 0) {
        std::fprintf(stderr, "diagr: standard output: %s\n", std::strerror(errno != 0 ? errno : EIO));
        return 1;
    }
    return status;
}

}  // namespace

// XMIN:XMAX:YMIN:YMAX, an empty field taken from the data. The error text, or empty.
std::string parse_range(const std::string& text, Range* range) {
    const std::vector<std::string> fields = split(text, ':', 5);
    if (fields.size() != 4) {
        return "expected XMIN:XMAX:YMIN:YMAX (an empty field is taken from the data)";
    }
    std::optional<float> values[4];
    for (int i = 0; i < 4; ++i) {
        if (fields[i].empty()) {
            continue;
        }
        values[i] = parse_number(fields[i]);
        if (!values[i]) {
            return "'" + fields[i] + "' is not a finite number";
        }
    }
    if (values[0] && values[1] && *values[0] == *values[1]) {
        return "the x range is empty (XMIN = XMAX)";
    }
    if (values[2] && values[3] && *values[2] == *values[3]) {
        return "the y range is empty (YMIN = YMAX)";
    }
    if (range != nullptr) {
        *range = Range{{values[0], values[1]}, {values[2], values[3]}};
    }
    return {};
}

// W:H, the plot's size in cm.
std::string parse_size(const std::string& text, float* width, float* height) {
    const std::vector<std::string> fields = split(text, ':', 3);
    if (fields.size() != 2) {
        return "expected W:H in cm";
    }
    const std::optional<float> w = parse_number(fields[0]);
    const std::optional<float> h = parse_number(fields[1]);
    if (!w || !h || !(*w > 0.0F) || !(*h > 0.0F) || *w > 300.0F || *h > 300.0F) {
        return "W and H are sizes in cm, above 0 and at most 300";
    }
    if (width != nullptr) {
        *width = *w;
        *height = *h;
    }
    return {};
}

// solid, dash=LENGTH (cm), marker=N (0 to 10), errorbars (bars and a circle at each point),
// steps[=pre|post|mid], fill or band.
std::string parse_style(const std::string& text, Style* style) {
    Style parsed;
    if (text == "errorbars") {
        parsed.mode = kErrorBarMode;
    } else if (text == "solid") {
        parsed.mode = 0.0F;
    } else if (text.rfind("dash=", 0) == 0) {
        const std::optional<float> length = parse_number(text.substr(5));
        if (!length || !(*length > 0.0F) || *length > 100.0F) {
            return "dash=LENGTH needs a length in cm above 0 and at most 100";
        }
        parsed.mode = *length;
    } else if (text.rfind("marker=", 0) == 0) {
        const std::string number = text.substr(7);
        if (number.empty() || number.size() > 2 || number.find_first_not_of("0123456789") != std::string::npos ||
            std::atoi(number.c_str()) > 10) {
            return "marker=N needs a marker number from 0 to 10";
        }
        // A negative mode draws the marker of its integer part; -0.5 is marker 0.
        parsed.mode = -(static_cast<float>(std::atoi(number.c_str())) + 0.5F);
    } else if (text == "steps" || text.rfind("steps=", 0) == 0) {
        static const std::pair<const char*, int> kWheres[] = {{"pre", 1}, {"post", 2}, {"mid", 0}};
        parsed.shape = Shape::steps;
        if (text != "steps") {
            const auto found = std::find_if(std::begin(kWheres), std::end(kWheres),
                                            [&](const auto& where) { return text.substr(6) == where.first; });
            if (found == std::end(kWheres)) {
                return "steps=WHERE needs pre, post or mid";
            }
            parsed.where = found->second;
        }
    } else if (text == "fill") {
        parsed.shape = Shape::fill;
    } else if (text == "band") {
        parsed.shape = Shape::band;
    } else {
        return "'" + text + "' is no style: use solid, dash=LENGTH, marker=N, errorbars, steps, fill or band";
    }
    if (style != nullptr) {
        *style = parsed;
    }
    return {};
}

// COL, X:Y, X:Y:DY or X:Y:YLO:YHI, by column number or header name; whether one column suits the
// command is checked once all options are known.
std::string parse_using(const std::string& text, Using* use) {
    const std::vector<std::string> parts = split(text, ':', 5);
    if (parts.size() > 4 || text.empty()) {
        return "expected X:Y, X:Y:DY or X:Y:YLO:YHI (column numbers or names)";
    }
    Using parsed;
    for (const std::string& part : parts) {
        if (part.empty()) {
            return "'" + text + "' leaves a column out";
        }
        ColumnRef column;
        if (part.find_first_not_of("0123456789") == std::string::npos) {
            if (part.size() > 9) {
                return "no file has column " + part;
            }
            column.number = std::stol(part);
        } else {
            column.name = part;
        }
        parsed.columns.push_back(column);
    }
    if (use != nullptr) {
        *use = parsed;
    }
    return {};
}

// A column by number (1 or more) or by header name.
std::string parse_column(const std::string& text, ColumnRef* column) {
    if (text.empty()) {
        return "expected a column number or name";
    }
    ColumnRef parsed;
    if (text.find_first_not_of("0123456789") == std::string::npos) {
        if (text.size() > 9) {
            return "no file has column " + text;
        }
        parsed.number = std::stol(text);
        if (parsed.number == 0) {
            return "columns count from 1 (0 is the data line's number, no column)";
        }
    } else {
        parsed.name = text;
    }
    if (column != nullptr) {
        *column = parsed;
    }
    return {};
}

// COL=VALUE: the column up to the first '='.
std::string parse_filter(const std::string& text, Filter* filter) {
    const std::size_t at = text.find('=');
    if (at == std::string::npos) {
        return "expected COL=VALUE";
    }
    Filter parsed;
    parsed.value = text.substr(at + 1);
    if (std::string reason = parse_column(text.substr(0, at), &parsed.column); !reason.empty()) {
        return reason;
    }
    if (filter != nullptr) {
        *filter = parsed;
    }
    return {};
}

// FX:FY:TEXT, the position in fractions of the frame; TEXT may hold colons.
std::string parse_text(const std::string& text, FreeText* free_text) {
    const std::vector<std::string> fields = split(text, ':', 3);
    if (fields.size() != 3) {
        return "expected FX:FY:TEXT";
    }
    const std::optional<float> fx = parse_number(fields[0]);
    const std::optional<float> fy = parse_number(fields[1]);
    if (!fx || !fy) {
        return "FX and FY are finite numbers, fractions of the frame";
    }
    if (free_text != nullptr) {
        *free_text = FreeText{*fx, *fy, fields[2]};
    }
    return {};
}

// The library's legend positions of --key: 0 the best place, 1..9 the keypad, 10 outside.
int key_position(const std::string& key) {
    static const std::pair<const char*, int> kKeys[] = {{"best", 0}, {"ul", 7},       {"ur", 9},   {"ll", 1},
                                                        {"lr", 3},   {"outside", 10}, {"none", -1}};
    for (const auto& [name, position] : kKeys) {
        if (key == name) {
            return position;
        }
    }
    return -2;
}

table::Separator separator_of(const std::string& sep) {
    if (sep == ",") {
        return table::Separator::comma;
    }
    if (sep == ";") {
        return table::Separator::semicolon;
    }
    if (sep == "tab") {
        return table::Separator::tab;
    }
    if (sep == "space") {
        return table::Separator::blanks;
    }
    return table::Separator::automatic;
}

std::optional<int> parse_options(int argc, char** argv, Options& options) {
    CLI::App app(
        "Draws data tables as one diagram: every FILE gives one curve (or one per -u), each in the next\n"
        "pen (blue, green, orange, ...), the ranges covering all their data, a frame whose axes end on\n"
        "ticks close to the data, the axis texts, a title and, for two or more curves, a legend.",
        "diagr");
    app.get_formatter()->column_width(30);
    app.set_version_flag("--version", "diagr " DIAGR_VERSION);
    CLI::Option* files =
        app.add_option("FILE", options.files, "Data files; - reads standard input")->required()->type_name("");
    const auto last = CLI::MultiOptionPolicy::TakeLast;
    app.add_option("-o,--output", options.output, "Output file or device (see below)")
        ->multi_option_policy(last)
        ->type_name("OUT")
        ->capture_default_str()
        ->check(checked_by("OUT", check_device));
    app.add_option("-t,--title", options.title, "Title above the frame")->multi_option_policy(last);
    app.add_option("-x,--xlabel", options.xlabel, "Text of the x axis (default: the x column's name)")
        ->multi_option_policy(last);
    app.add_option("-y,--ylabel", options.ylabel, "Text of the y axis (default: the y column's name)")
        ->multi_option_policy(last);
    app.add_option("-u,--using", options.usings,
                   "Columns of a curve: X:Y, X:Y:DY or X:Y:YLO:YHI (default 1:2); of --hist one")
        ->delimiter(',')
        ->allow_extra_args(false)
        ->type_name("COLS")
        ->check(checked_by("COLS", [](const std::string& v) { return parse_using(v, nullptr); }));
    app.add_option("-s,--style", options.styles, "Curve style, one per curve in order (default solid)")
        ->delimiter(',')
        ->allow_extra_args(false)
        ->type_name("STYLE")
        ->check(checked_by("STYLE", [](const std::string& v) { return parse_style(v, nullptr); }));
    CLI::Option* titles = app.add_option("-k,--title-of", options.titles, "Legend text of the next curve")
                              ->allow_extra_args(false)
                              ->type_name("TEXT");
    app.add_option("--key", options.key, "Legend: best, ul, ur, ll, lr, outside or none")
        ->multi_option_policy(last)
        ->type_name("POS")
        ->check(checked_by("POS", [](const std::string& v) {
            return key_position(v) >= -1 ? std::string()
                                         : "'" + v + "' is no place: use best, ul, ur, ll, lr, outside or none";
        }));
    app.add_flag("--logx", options.logx, "Logarithmic x axis");
    app.add_flag("--logy", options.logy, "Logarithmic y axis");
    app.add_option("--text", options.texts, "Free text, lower left at fractions of the frame; repeatable")
        ->allow_extra_args(false)
        ->type_name("FX:FY:TEXT")
        ->check(checked_by("FX:FY:TEXT", [](const std::string& v) { return parse_text(v, nullptr); }));
    app.add_option("--range", options.range, "Axis ranges; an empty field is taken from the data")
        ->multi_option_policy(last)
        ->type_name("XMIN:XMAX:YMIN:YMAX")
        ->check(checked_by("XMIN:XMAX:YMIN:YMAX", [](const std::string& v) { return parse_range(v, nullptr); }));
    app.add_option("--size", options.size, "Size of the plot in cm")
        ->multi_option_policy(last)
        ->type_name("W:H")
        ->capture_default_str()
        ->check(checked_by("W:H", [](const std::string& v) { return parse_size(v, nullptr, nullptr); }));
    app.add_option("--sep", options.sep, "Column separator: , ; tab or space (default: from the first data line)")
        ->multi_option_policy(last)
        ->type_name("SEP")
        ->check(checked_by("SEP", [](const std::string& v) {
            return v == "," || v == ";" || v == "tab" || v == "space"
                       ? std::string()
                       : "'" + v + "' is no separator: use , ; tab or space";
        }));
    app.add_option("--header", options.header, "Skip exactly N lines at the start of every file")
        ->multi_option_policy(last)
        ->type_name("N")
        ->check(checked_by("N", [](const std::string& v) {
            return !v.empty() && v.find_first_not_of("0123456789") == std::string::npos && v.size() <= 9
                       ? std::string()
                       : "'" + v + "' is not a count of lines";
        }));
    app.add_option("--timefmt", options.timefmt, "Form of time fields that are no ISO 8601 dates, e.g. '%d.%m.%Y'")
        ->multi_option_policy(last)
        ->type_name("FMT")
        ->check(checked_by("FMT", [](const std::string& v) {
            std::string error;
            return table::TimeFormat::compile(v, error) ? std::string() : "'" + v + "': " + error;
        }));
    app.add_flag("--pages", options.pages, "One page per file instead of one diagram");
    app.add_flag("--hist", options.hist, "Histograms: each -u one column, all on the same bins");
    app.add_option("--bins", options.bins, "Count of bins of --hist (default: chosen from the data)")
        ->multi_option_policy(last)
        ->type_name("N")
        ->check(checked_by("N", [](const std::string& v) {
            const bool digits = !v.empty() && v.size() <= 5 && v.find_first_not_of("0123456789") == std::string::npos;
            return digits && std::atoi(v.c_str()) >= 1 && std::atoi(v.c_str()) <= kMostBins
                       ? std::string()
                       : "'" + v + "' is not a count of bins from 1 to " + std::to_string(kMostBins);
        }));
    app.add_option("--binwidth", options.binwidth, "Width of the bins of --hist, their edges multiples of it")
        ->multi_option_policy(last)
        ->type_name("W")
        ->check(checked_by("W", [](const std::string& v) {
            const std::optional<float> width = parse_number(v);
            return width && *width > 0.0F ? std::string() : "'" + v + "' is not a width above 0";
        }));
    app.add_option("--by", options.by, "One curve per value of column COL, named by the value")
        ->multi_option_policy(last)
        ->type_name("COL")
        ->check(checked_by("COL", [](const std::string& v) { return parse_column(v, nullptr); }));
    app.add_option("--where", options.wheres, "Only the rows whose column COL holds VALUE; repeatable")
        ->allow_extra_args(false)
        ->type_name("COL=VALUE")
        ->check(checked_by("COL=VALUE", [](const std::string& v) { return parse_filter(v, nullptr); }));
    app.footer(
        "Output: a file whose extension names the type (fig.pdf, fig.png, fig.svg, fig.ps, fig.eps),\n"
        "  the file/type form (fig/png), /xw for a window or /null. With --pages, PDF and PostScript\n"
        "  hold all pages in one file; PNG and SVG write fig.png, fig_2.png, ...\n"
        "Data: columns are separated by blanks and tabs, or by commas (a file whose first data line\n"
        "  has commas) or semicolons (then 1,5 is 1.5). # starts a comment; a field in double quotes is\n"
        "  one column. Leading lines without a number are the header: the last names the columns.\n"
        "  Numbers may carry E or D exponents (1.5D-3). An empty field, NaN, ? and - are missing: the\n"
        "  point is left out and the line breaks. One blank line breaks the line; two or more start a\n"
        "  new data set, drawn as its own curve in the next pen.\n"
        "Times: a column whose first field is an ISO 8601 date (2024-03-01, 2024-03-01T12:00:00,\n"
        "  2024-03-01 12:00:00.5+01:00) or YYYY/MM/DD[ hh:mm[:ss]] holds times, read as written (an\n"
        "  offset applied), and makes its axis a calendar axis. --timefmt reads other forms with %Y %y\n"
        "  %m %b %B %d %j %H %M %S %s %z: --timefmt '%b %d %Y' reads Jan 1 2000; a blank matches any\n"
        "  run of blanks, so a date and a time in two columns read as one.\n"
        "Columns: -u 1:2 (the default; 0:1 for a file of one column) takes x from column 1 and y\n"
        "  from column 2; 0 is the data line's number (1, 2, ...), a name is a header's column.\n"
        "  -u 1:2,1:3 draws two curves from every file. -u X:Y:DY draws error bars of +-DY, and\n"
        "  X:Y:YLO:YHI bars from YLO to YHI, with a circle at each point (style errorbars).\n"
        "Long tables: --by COL draws one curve per value of column COL (a number or a name), in the\n"
        "  order the values first appear, each named by its value as it is; a value's rows make one\n"
        "  line whatever rows lie between them. A missing x or y breaks only its value's line, a blank\n"
        "  line all of them. Rows whose COL is empty are left out (one line says how many).\n"
        "  --where COL=VALUE keeps only the rows whose COL holds VALUE, as text or as a number (2020\n"
        "  matches 2020.0); several must all hold, and they choose the rows before --by. These columns\n"
        "  are read as text; without -u, x and y are the first two columns besides them.\n"
        "Styles: solid, dash=LENGTH (dashes and gaps LENGTH cm long), marker=N, a marker at every\n"
        "  point: 0 square, 1 circle, 2 triangle, 3 plus, 4 cross, 5 diamond, 6 inverted triangle,\n"
        "  7 asterisk, 8 crossed square, 9 star, 10 hourglass; or errorbars. steps draws a step\n"
        "  curve, each value held up to the next point (steps=post, the default), from the point before\n"
        "  (steps=pre) or changing halfway between them (steps=mid); fill fills the area down to y = 0\n"
        "  (the frame's bottom on a logarithmic axis) and draws the line on it; band fills between the\n"
        "  bars' ends of -u X:Y:DY or X:Y:YLO:YHI instead of drawing bars. Give -s once per curve, or\n"
        "  separate the styles by commas: -s solid,marker=1.\n"
        "Histograms: --hist counts the values of one column per -u (-u 2, -u temp; default the first\n"
        "  column), a histogram per file, -u and --by key, all on the same bins: equal widths of 1, 2,\n"
        "  2.5 or 5 times a power of ten chosen over all the values, or --bins N of them, or --binwidth\n"
        "  W with edges on multiples of W; --range XMIN:XMAX fixes the outer edges. Each is drawn\n"
        "  filled, see-through, with its outline in its pen; y counts from 0 (with --logy from 0.5),\n"
        "  the axis text 'count'.\n"
        "  Times are not counted.\n"
        "Legend: an entry per curve, named by -k (in order) or by its column's name or its file's;\n"
        "  it names the first 16 curves. From the 16th curve on the 15 pens repeat, dashed (from the\n"
        "  31st in short dashes, from the 46th in long ones; curves with error bars in other markers).\n"
        "Texts are UTF-8 (°C, µm, λ typed as they are) and may carry mark-up: &H superscript,\n"
        "  &T subscript, &M back to the base line, # switches Greek letters on and off (#a is alpha),\n"
        "  && and ## a literal & and #. Names taken from files are drawn as they are; a header that is\n"
        "  no UTF-8 is read as Latin-1.\n"
        "Layout: the axes end on ticks, numbered or between the numbers, so that the data fill at\n"
        "  least 85 % of each where they can; the frame fills the plot but for room for its\n"
        "  numbers, axis texts and title; --text 0.05:0.9:note puts a note at 5 % of the frame's\n"
        "  width and 90 % of its height.\n"
        "Repeated options: -u, -s, -k and --text add up; of the others the last one counts. Options\n"
        "  and files may come in any order; -- ends the options.\n"
        "Exit status: 0 drawn; 1 a file could not be read (\"diagr: FILE:LINE: column 2: 'abc' is no\n"
        "  number\") or drawn; 2 a bad option or option value (the reason and a usage line).");

    try {
        app.parse(argc, argv);
    } catch (const CLI::ParseError& error) {
        if (error.get_exit_code() == 0) {
            std::ostringstream text;
            const int status = app.exit(error, text, text);
            return write_output(text.str(), status);
        }
        std::fprintf(stderr, "diagr: %s\n%s\n", error.what(), kUsage);
        return 2;
    }
    // Where each -k stands among the files.
    std::size_t files_seen = 0;
    for (const CLI::Option* option : app.parse_order()) {
        if (option == files) {
            ++files_seen;
        } else if (option == titles) {
            options.titles_files_before.push_back(files_seen);
        }
    }
    Range range;
    if (!options.range.empty()) {
        parse_range(options.range, &range);
    }
    std::string reason = check_histogram(options);
    if (reason.empty()) {
        reason = check_log_bounds(options, range);
    }
    if (!reason.empty()) {
        std::fprintf(stderr, "diagr: %s\n%s\n", reason.c_str(), kUsage);
        return 2;
    }
    return std::nullopt;
}

}  // namespace cli
