// diagr [OPTIONS] FILE...: draws data tables as one diagram (or one page per file).
//
// Every file is read whole before the plot is opened, so a file that cannot be read leaves no
// output behind. Statuses: 0 drawn, 1 a file could not be read or drawn (or the help not written),
// 2 a bad option.
#include <CLI/CLI.hpp>

#include <algorithm>
#include <cerrno>
#include <climits>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <limits>
#include <map>
#include <new>
#include <optional>
#include <span>
#include <sstream>
#include <string>
#include <string_view>
#include <tuple>
#include <utility>
#include <vector>

#include "curves.h"
#include "device_name.h"
#include "diagr.hpp"
#include "layout.h"
#include "utf8.h"

namespace {

constexpr const char* kUsage = "usage: diagr [OPTIONS] FILE...   (diagr --help lists the options)";

// Height of the free texts and of the legend's texts, cm.
constexpr float kTextHeight = 0.4F;
constexpr float kLegendHeight = 0.35F;
// The legend's width beside its texts, in text heights: inset, padding, sample, gap, padding.
constexpr float kLegendFrame = 0.5F + 0.5F + 3.5F + 0.6F + 0.5F;
// Entries the legend holds.
constexpr std::size_t kLegendEntries = 16;
// Pens: the frame in black, the curves in blue, green, orange, ... (the palette wraps after 15).
constexpr int kFramePen = 1;
constexpr int kFirstCurvePen = 3;
constexpr int kTextPen = 1;
// The errorbars style: a circle at each point (a negative mode draws the marker of its integer part).
constexpr float kErrorBarMode = -1.5F;
// The curves' mapping reaches this part of the range beyond the axes' ends, far below what shows,
// so that a marker or bar at an end value maps inside the frame however the mapping rounds.
constexpr double kEndSlack = 1.0E-5;
// Width of the error bars' caps, cm.
constexpr float kCap = 0.2F;

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

// solid, dash=LENGTH (cm), marker=N (0 to 10) or errorbars (bars and a circle at each point): the
// curve mode ISYM of the library.
std::string parse_style(const std::string& text, float* isym) {
    float mode = 0.0F;
    if (text == "errorbars") {
        mode = kErrorBarMode;
    } else if (text == "solid") {
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
        return "'" + text + "' is no style: use solid, dash=LENGTH, marker=N or errorbars";
    }
    if (isym != nullptr) {
        *isym = mode;
    }
    return {};
}

// X:Y, X:Y:DY or X:Y:YLO:YHI, by column number or header name; the error text, or empty.
std::string parse_using(const std::string& text, cli::Using* use) {
    const std::vector<std::string> parts = split(text, ':', 5);
    if (parts.size() < 2 || parts.size() > 4) {
        return "expected X:Y, X:Y:DY or X:Y:YLO:YHI (column numbers or names)";
    }
    cli::Using parsed;
    for (const std::string& part : parts) {
        if (part.empty()) {
            return "'" + text + "' leaves a column out";
        }
        cli::ColumnRef column;
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
    long header = -1;
    bool logx = false;
    bool logy = false;
    bool pages = false;
};

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

// A file or column name as literal text: the mark-up characters doubled.
std::string literal(std::string_view text) {
    std::string out;
    for (const char c : text) {
        out += c;
        if (c == '&' || c == '#') {
            out += c;
        }
    }
    return out;
}

// The part of a legend text LEGADD keeps: its first 80 bytes, cut before a character that would
// not fit whole.
std::string_view legend_text(const std::string& text) {
    const int length = static_cast<int>(std::min<std::size_t>(text.size(), INT_MAX));
    return std::string_view(text).substr(0, static_cast<std::size_t>(plotter::char_boundary(text.data(), length, 80)));
}

// One curve as drawn: a data set of one file's columns, with its pen, look and legend text.
struct Item {
    const cli::Curve* curve = nullptr;
    std::size_t file = 0;
    std::size_t begin = 0;
    std::size_t end = 0;
    int set = 0;               // 1, 2, ... where the curve has several data sets, else 0
    int pen = kFirstCurvePen;  // the next pen for every curve of its diagram
    float mode = 0.0F;
    std::optional<std::string> title;

    bool bars() const { return curve->bars; }

    std::span<const float> of(const std::vector<float>& values) const {
        return std::span<const float>(values).subspan(begin, end - begin);
    }
};

// The default legend texts: the y column's header name, else the file's name; with the file's name
// in front where several files give the same name, and the data set's number where there are several.
void name_items(std::vector<Item>& items) {
    // For every column name: the first file that gives it, and whether another does too.
    std::map<std::string, std::pair<std::size_t, bool>> files_of_name;
    for (const Item& item : items) {
        const auto [at, added] = files_of_name.try_emplace(item.curve->y_name, item.file, false);
        at->second.second = at->second.second || at->second.first != item.file;
    }
    for (Item& item : items) {
        if (item.title) {
            continue;
        }
        const cli::Curve& curve = *item.curve;
        const bool shared = files_of_name[curve.y_name].second;
        std::string text = curve.y_name.empty() ? curve.file : shared ? curve.file + ": " + curve.y_name : curve.y_name;
        if (item.set > 0) {
            text += ", set " + std::to_string(item.set);
        }
        item.title = literal(text);
    }
}

// The -k texts: each names the next curve after the one the previous named, and not one of a file
// named before it on the command line.
std::string assign_titles(const Options& options, std::vector<Item>& items) {
    std::size_t next = 0;
    for (std::size_t t = 0; t < options.titles.size(); ++t) {
        const std::size_t files_before = options.titles_files_before[t];
        if (files_before < options.files.size()) {
            while (next < items.size() && items[next].file < files_before) {
                ++next;
            }
        }
        if (next >= items.size()) {
            return "-k '" + options.titles[t] + "' names no curve: there " +
                   (items.size() == 1 ? std::string("is 1") : "are " + std::to_string(items.size()));
        }
        items[next++].title = options.titles[t];
    }
    return {};
}

// Leaves out the points at or below 0 on a logarithmic axis (they become breaks); their count.
std::size_t leave_out_non_positive(std::vector<cli::Curve>& curves, bool in_x) {
    std::size_t count = 0;
    for (cli::Curve& curve : curves) {
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

bool within(float value, const cli::Bounds& bounds) {
    const float low = bounds.low.value_or(-HUGE_VALF);
    const float high = bounds.high.value_or(HUGE_VALF);
    return value >= std::min(low, high) && value <= std::max(low, high);
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

// One diagram ready to draw: its curves and axes, and the frame.
struct Diagram {
    std::vector<const Item*> items;
    cli::AxisPlan x;
    cli::AxisPlan y;
    cli::FramePlace frame;
    int key = -1;  // the legend's place (key_position), -1 none
};

// The width a legend of the diagram's entries takes right of the frame, cm.
float legend_width(const Diagram& diagram) {
    float widest = 0.0F;
    for (std::size_t i = 0; i < diagram.items.size() && i < kLegendEntries; ++i) {
        float width = 0.0F;
        const std::string& text = *diagram.items[i]->title;
        diagr::TEXTLK(0.0F, width, kLegendHeight, legend_text(text), 0.0F, 0);
        widest = std::max(widest, width);
    }
    return widest + kLegendFrame * kLegendHeight;
}

// Ranges, ticks and the frame's place; on failure writes the reason and returns the exit status.
int prepare(const Options& options, Diagram& diagram, const Range& range, float width, float height) {
    cli::Extremes xs;
    cli::Extremes ys;
    const auto take = [](cli::Extremes& extremes, float v, bool log) {
        if (std::isfinite(v) && (!log || v > 0.0F)) {
            extremes.take(std::span<const float>(&v, 1));
        }
    };
    for (const Item* item : diagram.items) {
        const cli::Curve& c = *item->curve;
        for (std::size_t i = item->begin; i < item->end; ++i) {
            if (!std::isfinite(c.x[i]) || !std::isfinite(c.y[i])) {
                continue;
            }
            // Zoomed in x, the y range covers what is shown.
            take(xs, c.x[i], options.logx);
            if (within(c.x[i], range.x)) {
                take(ys, c.y[i], options.logy);
                if (item->bars()) {
                    take(ys, c.y[i] - c.below[i], options.logy);
                    take(ys, c.y[i] + c.up()[i], options.logy);
                }
            }
        }
    }
    const std::string& name = diagram.items.front()->curve->file;
    for (const auto& [extremes, bounds, log, axis, plan] : {std::tuple{xs, range.x, options.logx, 'x', &diagram.x},
                                                            std::tuple{ys, range.y, options.logy, 'y', &diagram.y}}) {
        std::string reason = cli::cover(extremes, bounds, log, axis, *plan);
        if (axis == 'y' && !extremes.any && xs.any && (range.x.low || range.x.high) && !reason.empty()) {
            reason = "no point lies in the x range given, to take the y range from";
        }
        if (!reason.empty()) {
            std::fprintf(stderr, "diagr: %s: %s\n", name.c_str(), reason.c_str());
            return 1;
        }
    }
    cli::Surroundings around;
    around.x_text = !options.xlabel->empty();
    around.y_text = !options.ylabel->empty();
    around.title = !options.title->empty();
    around.right = diagram.key == 10 ? legend_width(diagram) : 0.0F;
    const std::optional<cli::FramePlace> frame = cli::lay_out(width, height, diagram.x, diagram.y, around);
    if (!frame) {
        std::fprintf(stderr, "diagr: --size %s leaves no room for a frame of 2 x 2 cm\n%s\n", options.size.c_str(),
                     kUsage);
        return 2;
    }
    diagram.frame = *frame;
    for (const auto& [plan, axis] : {std::pair{&diagram.x, 'x'}, std::pair{&diagram.y, 'y'}}) {
        if (!plan->numbered) {
            std::fprintf(stderr,
                         "diagr: the %c range %.9g to %.9g is too narrow for single precision to number its ticks\n",
                         axis, static_cast<double>(plan->low), static_cast<double>(plan->high));
        }
    }
    return 0;
}

// A text for the library: an empty axis text would move the numbers into the frame, so it is
// replaced by mark-up that draws nothing.
std::string_view axis_text(const std::string& text) {
    return text.find_first_not_of(' ') == std::string::npos ? "&M" : std::string_view(text);
}

// The error bars of ITEM, in runs of bars that can be drawn; returns how many have a negative length.
std::size_t draw_bars(const Item& item) {
    const cli::Curve& c = *item.curve;
    std::size_t negative = 0;
    std::size_t run = item.begin;
    const auto flush = [&](std::size_t stop) {
        if (stop > run) {
            const auto part = [&](const std::vector<float>& v) {
                return std::span<const float>(v).subspan(run, stop - run);
            };
            diagr::ERRY(part(c.x), part(c.y), part(c.below), part(c.up()), kCap);
        }
    };
    for (std::size_t i = item.begin; i < item.end; ++i) {
        const float below = c.below[i];
        const float above = c.up()[i];
        const bool drawable = std::isfinite(c.x[i]) && std::isfinite(c.y[i]) && std::isfinite(below) &&
                              std::isfinite(above) && below >= 0.0F && above >= 0.0F;
        if (!drawable) {
            negative += std::isfinite(c.x[i]) && std::isfinite(c.y[i]) && (below < 0.0F || above < 0.0F);
            flush(i);
            run = i + 1;
        }
    }
    flush(item.end);
    return negative;
}

// The range the curves are mapped on: the axis's, a hair wider at both ends (in ratio on a
// logarithmic axis).
std::pair<float, float> frame_range(const cli::AxisPlan& plan) {
    if (plan.log) {
        return {static_cast<float>(plan.low / (1.0 + kEndSlack)), static_cast<float>(plan.high * (1.0 + kEndSlack))};
    }
    const double slack = kEndSlack * (static_cast<double>(plan.high) - plan.low);
    return {static_cast<float>(plan.low - slack), static_cast<float>(plan.high + slack)};
}

// Draws the diagram on the open page.
void draw(const Options& options, const Diagram& diagram) {
    const cli::FramePlace& f = diagram.frame;
    diagr::LOGAX(options.logx ? 1 : 0, options.logy ? 1 : 0);
    // The frame first, on the axes' ranges; the curves then on the frame's slightly wider mapping.
    diagr::FRAME(f.x0, f.y0, f.xlen, f.ylen, diagram.x.low, diagram.x.high, diagram.y.low, diagram.y.high,
                 diagram.x.step, diagram.y.step, axis_text(*options.xlabel), axis_text(*options.ylabel),
                 options.title->empty() ? " " : *options.title, kFramePen);
    const auto [x_low, x_high] = frame_range(diagram.x);
    const auto [y_low, y_high] = frame_range(diagram.y);
    diagr::CLIP(f.x0, f.y0, f.xlen, f.ylen, x_low, x_high, y_low, y_high);
    std::size_t negative = 0;
    for (const Item* item : diagram.items) {
        if (item->bars()) {
            diagr::NEWPEN(item->pen);
            negative += draw_bars(*item);
        }
        diagr::OVR(item->of(item->curve->x), item->of(item->curve->y), item->mode, item->pen);
    }
    if (negative > 0) {
        std::fprintf(stderr, "diagr: %zu error bar%s with a negative length %s not drawn\n", negative,
                     negative == 1 ? "" : "s", negative == 1 ? "is" : "are");
    }
    // Position and height in fractions of the frame (option 111), lower left on the point.
    const float height_fraction = kTextHeight / f.ylen;
    for (const std::string& text_option : options.texts) {
        FreeText text;
        parse_text(text_option, &text);
        diagr::PTXT(text.fx, text.fy, text.text, height_fraction, 1, kTextPen, 111);
    }
    if (diagram.key >= 0) {
        for (std::size_t i = 0; i < diagram.items.size() && i < kLegendEntries; ++i) {
            const Item& item = *diagram.items[i];
            diagr::LEGADD(legend_text(*item.title), item.pen, item.mode, item.bars() ? 1 : 0);
        }
        diagr::LEGEND(diagram.key, kLegendHeight);
        if (diagram.items.size() > kLegendEntries) {
            std::fprintf(stderr, "diagr: the legend names the first %zu of %zu curves\n", kLegendEntries,
                         diagram.items.size());
        }
    }
}

// The axis text a column's header name gives, when every curve's column has that name.
std::string common_name(const std::vector<Item>& items, bool of_x) {
    const std::string& first = of_x ? items.front().curve->x_name : items.front().curve->y_name;
    for (const Item& item : items) {
        if ((of_x ? item.curve->x_name : item.curve->y_name) != first) {
            return {};
        }
    }
    return literal(first);
}

int run(Options options) {
    float width = 0.0F;
    float height = 0.0F;
    parse_size(options.size, &width, &height);
    Range range;
    if (!options.range.empty()) {
        parse_range(options.range, &range);
    }
    if (const std::string reason = check_log_bounds(options, range); !reason.empty()) {
        std::fprintf(stderr, "diagr: %s\n%s\n", reason.c_str(), kUsage);
        return 2;
    }
    std::vector<cli::Using> uses(options.usings.size());
    for (std::size_t i = 0; i < uses.size(); ++i) {
        parse_using(options.usings[i], &uses[i]);
    }
    const std::size_t per_file = std::max<std::size_t>(uses.size(), 1);
    cli::ReadOptions read_options;
    read_options.sep = separator_of(options.sep);
    read_options.header_lines = options.header;
    std::vector<cli::Curve> curves;
    curves.reserve(options.files.size() * per_file);
    for (std::size_t f = 0; f < options.files.size(); ++f) {
        const std::size_t first = curves.size();
        if (!cli::read_curves(options.files[f], read_options, uses, curves)) {
            return 1;
        }
        for (std::size_t c = first; c < curves.size(); ++c) {
            curves[c].argument = f;
        }
    }
    for (const auto& [log, in_x, axis] : {std::tuple{options.logx, true, 'x'}, std::tuple{options.logy, false, 'y'}}) {
        const std::size_t left_out = log ? leave_out_non_positive(curves, in_x) : 0;
        if (left_out > 0) {
            std::fprintf(stderr, "diagr: %zu point%s with %c <= 0 %s left out of the logarithmic axis\n", left_out,
                         left_out == 1 ? "" : "s", axis, left_out == 1 ? "is" : "are");
        }
    }

    // The curves as drawn: every data set of every curve, in the style given for it.
    std::vector<Item> items;
    for (std::size_t c = 0; c < curves.size(); ++c) {
        const cli::Curve& curve = curves[c];
        for (std::size_t s = 0; s < curve.sets.size(); ++s) {
            Item item;
            item.curve = &curve;
            item.file = curve.argument;
            item.begin = curve.sets[s];
            item.end = s + 1 < curve.sets.size() ? curve.sets[s + 1] : curve.x.size();
            item.set = curve.sets.size() > 1 ? static_cast<int>(s) + 1 : 0;
            item.mode = curve.bars ? kErrorBarMode : 0.0F;
            items.push_back(item);
        }
    }
    if (options.styles.size() > items.size()) {
        const bool per_file_curve = items.size() == options.files.size();
        std::fprintf(stderr, "diagr: %zu styles for %zu %s\n%s\n", options.styles.size(), items.size(),
                     per_file_curve ? (items.size() == 1 ? "file" : "files") : "curves", kUsage);
        return 2;
    }
    for (std::size_t i = 0; i < options.styles.size(); ++i) {
        if (options.styles[i] == "errorbars" && !items[i].bars()) {
            std::fprintf(stderr, "diagr: --style errorbars needs -u X:Y:DY or -u X:Y:YLO:YHI\n%s\n", kUsage);
            return 2;
        }
        parse_style(options.styles[i], &items[i].mode);
    }
    if (const std::string reason = assign_titles(options, items); !reason.empty()) {
        std::fprintf(stderr, "diagr: %s\n%s\n", reason.c_str(), kUsage);
        return 2;
    }
    name_items(items);
    if (!options.xlabel) {
        options.xlabel = common_name(items, true);
    }
    if (!options.ylabel) {
        options.ylabel = common_name(items, false);
    }
    if (!options.title) {
        options.title = "";
    }

    // Everything is checked before the plot is opened: a failure leaves no output file.
    std::vector<Diagram> diagrams;
    for (Item& item : items) {
        if (diagrams.empty() || (options.pages && item.file != diagrams.back().items.front()->file)) {
            diagrams.emplace_back();
        }
        item.pen = kFirstCurvePen + static_cast<int>(diagrams.back().items.size());
        diagrams.back().items.push_back(&item);
    }
    for (Diagram& diagram : diagrams) {
        diagram.key = options.key.empty() ? (diagram.items.size() >= 2 ? 0 : -1) : key_position(options.key);
        if (const int status = prepare(options, diagram, range, width, height); status != 0) {
            return status;
        }
    }

    diagr::PLTDEV(options.output);
    for (const Diagram& diagram : diagrams) {
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
        "Draws data tables as one diagram: every FILE gives one curve (or one per -u), each in the next\n"
        "pen (blue, green, orange, ...), the ranges covering all their data, a frame whose axes end on\n"
        "numbered ticks, the axis texts, a title and, for two or more curves, a legend.",
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
    app.add_option("-u,--using", options.usings, "Columns of a curve: X:Y, X:Y:DY or X:Y:YLO:YHI (default 1:2)")
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
    app.add_flag("--pages", options.pages, "One page per file instead of one diagram");
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
        "Columns: -u 1:2 (the default; 0:1 for a file of one column) takes x from column 1 and y\n"
        "  from column 2; 0 is the data line's number (1, 2, ...), a name is a header's column.\n"
        "  -u 1:2,1:3 draws two curves from every file. -u X:Y:DY draws error bars of +-DY, and\n"
        "  X:Y:YLO:YHI bars from YLO to YHI, with a circle at each point (style errorbars).\n"
        "Styles: solid, dash=LENGTH (dashes and gaps LENGTH cm long), marker=N, a marker at every\n"
        "  point: 0 square, 1 circle, 2 triangle, 3 plus, 4 cross, 5 diamond, 6 inverted triangle,\n"
        "  7 asterisk, 8 crossed square, 9 star, 10 hourglass; or errorbars. Give -s once per curve,\n"
        "  or separate the styles by commas: -s solid,marker=1.\n"
        "Legend: an entry per curve, named by -k (in order) or by its column's name or its file's.\n"
        "Texts are UTF-8 (°C, µm, λ typed as they are) and may carry mark-up: &H superscript,\n"
        "  &T subscript, &M back to the base line, # switches Greek letters on and off (#a is alpha),\n"
        "  && and ## a literal & and #. Names taken from files are drawn as they are; a header that is\n"
        "  no UTF-8 is read as Latin-1.\n"
        "Layout: the axes end on numbered ticks; the frame fills the plot but for room for its\n"
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
    try {
        return run(std::move(options));
    } catch (const std::bad_alloc&) {
        std::fprintf(stderr, "diagr: out of memory\n");
        return 1;
    }
}
