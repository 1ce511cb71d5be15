// diagr [OPTIONS] FILE...: draws data files of x/y pairs as one diagram (or one page per file).
//
// Every file is read whole before the plot is opened, so a file that cannot be read leaves no
// output behind. Statuses: 0 drawn, 1 a file could not be read or drawn (or the help not written),
// 2 a bad option.
#include <CLI/CLI.hpp>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <limits>
#include <new>
#include <optional>
#include <sstream>
#include <string>
#include <string_view>
#include <vector>

#include "device_name.h"
#include "diagr.hpp"
#include "layout.h"
#include "pairfile.h"

namespace {

constexpr const char* kUsage = "usage: diagr [OPTIONS] FILE...   (diagr --help lists the options)";

// Height of the free texts, cm.
constexpr float kTextHeight = 0.4F;
// Pens: the frame in black, the curves in blue, green, orange, ... (the palette wraps after 15).
constexpr int kFramePen = 1;
constexpr int kFirstCurvePen = 3;
constexpr int kTextPen = 1;
// Pairs reserved at most ahead of reading, per array.
constexpr std::size_t kMaxReserve = std::size_t{1} << 26;

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

struct Range {
    cli::Bounds x;
    cli::Bounds y;
};

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

// solid, dash=LENGTH (cm) or marker=N (0 to 10): the curve mode ISYM of the library.
std::string parse_style(const std::string& text, float* isym) {
    float mode = 0.0F;
    if (text == "solid") {
        mode = 0.0F;
    } else if (text.rfind("dash=", 0) == 0) {
        const std::optional<float> length = parse_number(text.substr(5));
        if (!length || !(*length > 0.0F) || *length > 100.0F) {
            return "dash=LENGTH needs a length in cm above 0 and at most 100";
        }
        mode = *length;
    } else if (text.rfind("marker=", 0) == 0) {
        const std::string number = text.substr(7);
        if (number.empty() || number.size() > 2 || number.find_first_not_of("0123456789") != std::string::npos ||
            std::atoi(number.c_str()) > 10) {
            return "marker=N needs a marker number from 0 to 10";
        }
        // A negative mode draws the marker of its integer part; -0.5 is marker 0.
        mode = -(static_cast<float>(std::atoi(number.c_str())) + 0.5F);
    } else {
        return "'" + text + "' is no style: use solid, dash=LENGTH or marker=N";
    }
    if (isym != nullptr) {
        *isym = mode;
    }
    return {};
}

struct FreeText {
    float fx = 0.0F;
    float fy = 0.0F;
    std::string text;
};

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

std::string check_device(const std::string& text) {
    const plotter::DeviceName device = plotter::parse_device_name(text);
    return device.valid ? std::string() : device.error;
}

// A CLI11 check from a parse function that returns its error text.
template <typename Parse>
CLI::Validator checked_by(const char* name, Parse parse) {
    return CLI::Validator([parse](std::string& value) { return parse(value); }, "", name);
}

// One data file read whole.
struct Series {
    std::string name;
    std::vector<float> x;
    std::vector<float> y;
};

// Reads PATH (standard input for "-") into SERIES, after HEADER_LINES lines. On failure writes the
// one-line reason and returns false.
bool read_series(const std::string& path, long header_lines, Series& series) {
    const bool standard_input = path == "-";
    series.name = standard_input ? "standard input" : path;
    driver::PairFile file = standard_input ? driver::PairFile(STDIN_FILENO) : driver::PairFile(path.c_str());
    const auto report = [&series](const driver::ReadFailure& failure) {
        if (failure.system_error != 0) {
            std::fprintf(stderr, "diagr: %s: %s\n", series.name.c_str(), std::strerror(failure.system_error));
        } else {
            std::fprintf(stderr, "diagr: %s:%ld: %s\n", series.name.c_str(), failure.line, failure.place);
        }
    };
    if (!file.open(header_lines)) {
        report(file.failure());
        return false;
    }
    // A pair takes at least four bytes ("1 2\n"): room for all pairs of a file at once, so that
    // the arrays are never copied while they grow. Untouched room costs no memory.
    struct stat info {};
    if (!standard_input && ::stat(path.c_str(), &info) == 0 && S_ISREG(info.st_mode)) {
        const auto most_pairs = static_cast<std::size_t>(info.st_size / 4 + 1);
        series.x.reserve(std::min<std::size_t>(most_pairs, kMaxReserve));
        series.y.reserve(std::min<std::size_t>(most_pairs, kMaxReserve));
    }
    // A number beyond the float range reads as an infinity, and the library leaves such a pair
    // out of the curve: count them, to say so rather than lose them silently.
    std::size_t unfit = 0;
    const bool complete = file.for_each_pair([&](float x, float y) {
        series.x.push_back(x);
        series.y.push_back(y);
        unfit += std::isfinite(x) && std::isfinite(y) ? 0 : 1;
    });
    if (!complete) {
        report(file.failure());
        return false;
    }
    if (series.x.empty()) {
        std::fprintf(stderr, "diagr: %s: no pairs to plot\n", series.name.c_str());
        return false;
    }
    if (series.x.size() > static_cast<std::size_t>(std::numeric_limits<int>::max())) {
        std::fprintf(stderr, "diagr: %s: more pairs than can be plotted\n", series.name.c_str());
        return false;
    }
    if (unfit == 1) {
        std::fprintf(stderr, "diagr: %s: 1 pair with a value beyond the float range is not drawn\n",
                     series.name.c_str());
    } else if (unfit > 1) {
        std::fprintf(stderr, "diagr: %s: %zu pairs with values beyond the float range are not drawn\n",
                     series.name.c_str(), unfit);
    }
    return true;
}

// A text for the library: an empty axis text would move the numbers into the frame, so it is
// replaced by mark-up that draws nothing.
std::string_view axis_text(const std::string& text) {
    return text.find_first_not_of(' ') == std::string::npos ? "&M" : std::string_view(text);
}

struct Options {
    std::vector<std::string> files;
    std::string output = "plot.pdf";
    std::string title;
    std::string xlabel;
    std::string ylabel;
    std::vector<std::string> styles;
    std::vector<std::string> texts;
    std::string range;
    std::string size = "20:10";
    long header = 1;
    bool pages = false;
};

// One diagram ready to draw: its curves, their modes, the ranges and the frame.
struct Diagram {
    std::vector<const Series*> series;
    std::vector<float> modes;
    float xmin = 0.0F;
    float xmax = 0.0F;
    float ymin = 0.0F;
    float ymax = 0.0F;
    cli::FramePlace frame;
};

// Ranges over all of the diagram's curves and the frame's place; on failure writes the reason and
// returns the exit status, else 0.
int prepare(const Options& options, Diagram& diagram, const Range& range, float width, float height) {
    cli::Extremes xs;
    cli::Extremes ys;
    for (const Series* s : diagram.series) {
        xs.take(s->x);
        ys.take(s->y);
    }
    const char* name = diagram.series.front()->name.c_str();
    if (!cli::complete_range(xs, range.x, diagram.xmin, diagram.xmax) ||
        !cli::complete_range(ys, range.y, diagram.ymin, diagram.ymax)) {
        std::fprintf(stderr, "diagr: %s: no finite value to take a range from\n", name);
        return 1;
    }
    const bool x_empty = diagram.xmin == diagram.xmax;
    if (x_empty || diagram.ymin == diagram.ymax) {
        std::fprintf(stderr, "diagr: %s: the %s range is empty (--range gives %g, the data %g)\n", name,
                     x_empty ? "x" : "y", static_cast<double>(x_empty ? diagram.xmin : diagram.ymin),
                     static_cast<double>(x_empty ? diagram.xmax : diagram.ymax));
        return 1;
    }
    const std::optional<cli::FramePlace> frame =
        cli::place_frame(width, height, diagram.xmin, diagram.xmax, diagram.ymin, diagram.ymax,
                         {!options.xlabel.empty(), !options.ylabel.empty(), !options.title.empty()});
    if (!frame) {
        std::fprintf(stderr, "diagr: --size %s leaves no room for a frame of 2 x 2 cm\n%s\n", options.size.c_str(),
                     kUsage);
        return 2;
    }
    diagram.frame = *frame;
    return 0;
}

// Draws the diagram on the open page.
void draw(const Options& options, Diagram& diagram) {
    const cli::FramePlace& frame = diagram.frame;
    const Series& first = *diagram.series.front();
    diagr::DIAGR(frame.x0, frame.y0, frame.xlen, frame.ylen, diagram.xmin, diagram.xmax, diagram.ymin, diagram.ymax,
                 0.0F, 0.0F, axis_text(options.xlabel), axis_text(options.ylabel),
                 options.title.empty() ? " " : options.title, kFramePen, kFirstCurvePen, first.x, first.y,
                 diagram.modes.front());
    for (std::size_t i = 1; i < diagram.series.size(); ++i) {
        const Series& s = *diagram.series[i];
        diagr::OVR(s.x, s.y, diagram.modes[i], kFirstCurvePen + static_cast<int>(i));
    }
    // Position and height in fractions of the frame (option 111), lower left on the point.
    const float height_fraction = kTextHeight / frame.ylen;
    for (const std::string& text_option : options.texts) {
        FreeText text;
        parse_text(text_option, &text);
        diagr::PTXT(text.fx, text.fy, text.text, height_fraction, 1, kTextPen, 111);
    }
}

int run(const Options& options) {
    float width = 0.0F;
    float height = 0.0F;
    parse_size(options.size, &width, &height);
    Range range;
    if (!options.range.empty()) {
        parse_range(options.range, &range);
    }
    std::vector<float> modes(options.files.size(), 0.0F);
    for (std::size_t i = 0; i < options.styles.size(); ++i) {
        parse_style(options.styles[i], &modes[i]);
    }

    std::vector<Series> all(options.files.size());
    for (std::size_t i = 0; i < options.files.size(); ++i) {
        if (!read_series(options.files[i], options.header, all[i])) {
            return 1;
        }
    }

    // Everything is checked before the plot is opened: a failure leaves no output file.
    std::vector<Diagram> diagrams;
    if (options.pages) {
        for (std::size_t i = 0; i < all.size(); ++i) {
            Diagram page;
            page.series = {&all[i]};
            page.modes = {modes[i]};
            diagrams.push_back(page);
        }
    } else {
        Diagram diagram;
        for (const Series& s : all) {
            diagram.series.push_back(&s);
        }
        diagram.modes = modes;
        diagrams.push_back(diagram);
    }
    for (Diagram& diagram : diagrams) {
        if (const int status = prepare(options, diagram, range, width, height); status != 0) {
            return status;
        }
    }

    diagr::PLTDEV(options.output);
    for (Diagram& diagram : diagrams) {
        diagr::PLOTS(1, 0, width, height);
        draw(options, diagram);
    }
    diagr::PLTEND();
    return 0;
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

int main(int argc, char** argv) {
    Options options;
    CLI::App app(
        "Draws data files of x/y pairs as one diagram: the first FILE as its curve, each further FILE as\n"
        "one more curve in the next pen (blue, green, orange, ...), the ranges covering all their data,\n"
        "a frame with numbered axes, the axis texts and a title.",
        "diagr");
    app.get_formatter()->column_width(30);
    app.set_version_flag("--version", "diagr " DIAGR_VERSION);
    app.add_option("FILE", options.files, "Data files; - reads standard input")->required()->type_name("");
    app.add_option("-o,--output", options.output, "Output file or device (see below)")
        ->multi_option_policy(CLI::MultiOptionPolicy::TakeLast)
        ->type_name("OUT")
        ->capture_default_str()
        ->check(checked_by("OUT", check_device));
    app.add_option("-t,--title", options.title, "Title above the frame")
        ->multi_option_policy(CLI::MultiOptionPolicy::TakeLast);
    app.add_option("-x,--xlabel", options.xlabel, "Text of the x axis")
        ->multi_option_policy(CLI::MultiOptionPolicy::TakeLast);
    app.add_option("-y,--ylabel", options.ylabel, "Text of the y axis")
        ->multi_option_policy(CLI::MultiOptionPolicy::TakeLast);
    app.add_option("-s,--style", options.styles, "Curve style, one per file in order (default solid)")
        ->delimiter(',')
        ->type_name("STYLE")
        ->check(checked_by("STYLE", [](const std::string& v) { return parse_style(v, nullptr); }));
    app.add_option("--text", options.texts, "Free text, lower left at fractions of the frame; repeatable")
        ->type_name("FX:FY:TEXT")
        ->check(checked_by("FX:FY:TEXT", [](const std::string& v) { return parse_text(v, nullptr); }));
    app.add_option("--range", options.range, "Axis ranges; an empty field is taken from the data")
        ->multi_option_policy(CLI::MultiOptionPolicy::TakeLast)
        ->type_name("XMIN:XMAX:YMIN:YMAX")
        ->check(checked_by("XMIN:XMAX:YMIN:YMAX", [](const std::string& v) { return parse_range(v, nullptr); }));
    app.add_option("--size", options.size, "Size of the plot in cm")
        ->multi_option_policy(CLI::MultiOptionPolicy::TakeLast)
        ->type_name("W:H")
        ->capture_default_str()
        ->check(checked_by("W:H", [](const std::string& v) { return parse_size(v, nullptr, nullptr); }));
    app.add_option("--header", options.header, "Lines skipped at the start of every file")
        ->multi_option_policy(CLI::MultiOptionPolicy::TakeLast)
        ->type_name("N")
        ->capture_default_str()
        ->check(checked_by("N", [](const std::string& v) {
            return !v.empty() && v.find_first_not_of("0123456789") == std::string::npos && v.size() <= 9
                       ? std::string()
                       : "'" + v + "' is not a count of lines";
        }));
    app.add_flag("--pages", options.pages, "One page per file instead of one diagram");
    app.footer(
        "Output: a file whose extension names the type (fig.pdf, fig.png, fig.svg, fig.ps, fig.eps),\n"
        "  the file/type form (fig/png), /xw for a window or /null. With --pages, PDF and PostScript\n"
        "  hold all pages in one file; PNG and SVG write fig.png, fig_2.png, ...\n"
        "Styles: solid, dash=LENGTH (dashes and gaps LENGTH cm long) or marker=N, a marker at every\n"
        "  point: 0 square, 1 circle, 2 triangle, 3 plus, 4 cross, 5 diamond, 6 inverted triangle,\n"
        "  7 asterisk, 8 crossed square, 9 star, 10 hourglass. Give -s once per file, or separate\n"
        "  the styles by commas: -s solid,marker=1.\n"
        "Texts may carry mark-up: &H superscript, &T subscript, &M back to the base line, # switches\n"
        "  Greek letters on and off (#a is alpha), && and ## a literal & and #.\n"
        "Layout: the frame fills the plot but for room for its numbers, axis texts and title;\n"
        "  --text 0.05:0.9:note puts a note at 5 % of the frame's width and 90 % of its height.\n"
        "Repeated options: -s and --text add up; of the others the last one counts.\n"
        "Data: --header lines, then pairs x y separated by blanks, tabs, commas or line ends; the\n"
        "  rest of a pair's line is ignored. Numbers may carry E or D exponents (1.5-3 is 0.0015);\n"
        "  r*v repeats v; an empty value (two commas) or a slash keeps the previous pair's value.\n"
        "Exit status: 0 drawn; 1 a file could not be read (\"diagr: FILE:LINE: invalid number\") or\n"
        "  drawn; 2 a bad option or option value (the reason and a usage line).");

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
    if (options.styles.size() > options.files.size()) {
        std::fprintf(stderr, "diagr: %zu styles for %zu file%s\n%s\n", options.styles.size(), options.files.size(),
                     options.files.size() == 1 ? "" : "s", kUsage);
        return 2;
    }
    try {
        return run(options);
    } catch (const std::bad_alloc&) {
        std::fprintf(stderr, "diagr: out of memory\n");
        return 1;
    }
}
