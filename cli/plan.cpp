// The plan step of the diagr command: the curves as drawn with their pens, styles and legend texts;
// the bins of each diagram's histograms, its ranges and ticks, and the frame placed on the plot so
// that the axis numbers, the axis texts, the title and the legend fit beside it.
#include "plan.h"

#include <algorithm>
#include <climits>
#include <cmath>
#include <cstdio>
#include <iterator>
#include <map>
#include <string>
#include <tuple>
#include <utility>

#include "axis_scale.h"
#include "diagr.h"
#include "diagr.hpp"
#include "time_scale.h"
#include "utf8.h"

namespace cli {

namespace {

// Room kept free along the plot's edges, cm.
constexpr float kEdge = 0.2F;
// Extent of a line of text beyond its base line, in capital heights: up past superscripts,
// and down past descenders and subscripts.
constexpr float kRise = 1.5F;
constexpr float kFall = 0.5F;
// Rounds of choosing ticks and placing the frame; two or three settle it.
constexpr int kLayoutRounds = 8;
// Smallest frame side worth drawing, cm.
constexpr float kSmallestSide = 2.0F;
// A logarithmic axis's decades beyond 0.001 .. 10000 are written as powers of ten: "10" and a
// raised exponent, about as wide as five characters.
constexpr int kPowerLabelChars = 5;
// The legend's width beside its texts, in text heights: inset, padding, sample, gap, padding.
constexpr float kLegendFrame = 0.5F + 0.5F + 3.5F + 0.6F + 0.5F;

// Extremes of the values of one coordinate over any number of curves.
using Extremes = diagr::scale::Extremes;

// What stands around the frame, for its placement.
struct Surroundings {
    bool x_text = false;
    bool y_text = false;
    bool title = false;
    float right = 0.0F;  // room for a legend right of the frame, cm
};

// VALUE in the fixed form the axes write: the label (its first 8 characters) and its length.
struct FixedLabel {
    std::string text;
    int chars = 0;
};

FixedLabel fixed_label(float value) {
    char label[8];
    int chars = 0;
    int unused = 0;
    FSTELLE(value, label, chars, unused, 8);
    return {std::string(label, static_cast<std::size_t>(std::clamp(chars, 0, 8))), chars};
}

// What an axis writes: the cells its numbers reach out from the axis, the characters of its first
// and last numbers, and whether a power-of-ten factor is written.
struct AxisNumbers {
    int widest = 0;
    int first_chars = 0;
    int last_chars = 0;
    bool factor = false;
};

int log_label_chars(float value) {
    return value >= 1.0e-3F && value <= 1.0e4F ? fixed_label(value).chars : kPowerLabelChars;
}

AxisNumbers axis_numbers(const AxisPlan& plan, float alen, float size, bool vertical) {
    AxisNumbers numbers;
    if (plan.time) {
        // The calendar's labels, and the context text on a row of its own as a factor's.
        diagr::scale::TimeTicks ticks;
        diagr::scale::time_ticks(plan.origin, plan.low, plan.high, alen, size, vertical, ticks);
        for (int i = 0; i < ticks.count; ++i) {
            numbers.widest = std::max(numbers.widest, ticks.labels[i].length);
        }
        numbers.first_chars = ticks.count > 0 ? ticks.labels[0].length : 0;
        numbers.last_chars = ticks.count > 0 ? ticks.labels[ticks.count - 1].length : 0;
        numbers.factor = ticks.context_length > 0;
        if (ticks.usable) {
            return numbers;
        }
    }
    if (plan.log) {
        numbers.first_chars = log_label_chars(plan.low);
        numbers.last_chars = log_label_chars(plan.high);
        numbers.widest = 2 + std::max(numbers.first_chars, numbers.last_chars);
        return numbers;
    }
    const diagr::scale::AxisNumbering numbering = diagr::scale::number_axis(plan.low, plan.step, plan.high, alen, size);
    numbers.factor = numbering.usable && numbering.exponent != 0;
    numbers.widest = numbering.widest;
    bool first = true;
    diagr::scale::for_each_tick(numbering, [&](float value, float) {
        const int chars = fixed_label(value).chars;
        numbers.widest = std::max(numbers.widest, chars);
        if (first) {
            numbers.first_chars = chars;
            first = false;
        }
        numbers.last_chars = chars;
    });
    return numbers;
}

std::optional<FramePlace> place_frame(float width, float height, const AxisPlan& x, const AxisPlan& y,
                                      const Surroundings& around, float xlen_guess) {
    const float xs = PLTPAR.IXLAB != 0 ? PLTPAR.XLSIZE : 0.0F;
    const float ys = PLTPAR.IYLAB != 0 ? PLTPAR.YLSIZE : 0.0F;
    const float ts = PLTPAR.TSIZE;

    // Below the frame: numbers 1.5 to 2 heights down, then the factor and the text under them.
    float below = 0.5F * ys;
    const AxisNumbers x_numbers = axis_numbers(x, xlen_guess, xs, false);
    if (xs > 0.0F) {
        below = 2.0F * xs;
        float off = 4.0F * xs;
        if (x_numbers.factor) {
            off += xs / 2.0F;
            below = off + kFall * xs;
            off += 2.0F * xs;
        }
        if (around.x_text) {
            below = off + kFall * xs;
        }
    }
    // Above it: the title, its height above the frame, or half a number of the left axis.
    const float above = around.title ? ts + kRise * ts : 0.5F * ys;

    FramePlace place;
    place.y0 = kEdge + below;
    place.ylen = height - place.y0 - above - kEdge;

    // Left of it: the numbers, then the factor and the text, each a text height further out.
    float left = 0.0F;
    if (ys > 0.0F) {
        const AxisNumbers y_numbers = axis_numbers(y, place.ylen, ys, true);
        left = ys + static_cast<float>(y_numbers.widest) * ys;
        float off = 2.0F * ys + static_cast<float>(y_numbers.widest) * ys;
        if (y_numbers.factor) {
            left = off + kRise * ys;
            off += 2.0F * ys + ys / 3.0F;
        }
        if (around.y_text) {
            left = off + kRise * ys;
        }
    }
    // Left and right of it, the first and last numbers of the bottom axis, centred on their ticks.
    place.x0 = kEdge + std::max(left, 0.5F * static_cast<float>(x_numbers.first_chars) * xs);
    const float right = std::max(around.right, 0.5F * static_cast<float>(x_numbers.last_chars) * xs);
    place.xlen = width - place.x0 - right - kEdge;
    if (!(place.xlen >= kSmallestSide) || !(place.ylen >= kSmallestSide)) {
        return std::nullopt;
    }
    return place;
}

// What the axis must cover, from the data's EXTREMES (for a logarithmic axis the positive ones)
// and the bounds GIVEN. Returns the reason when there is nothing to cover: "no finite value to take
// a range from", or "the x range is empty (--range gives 20, the data 10)".
std::string cover(const Extremes& extremes, const Bounds& given, bool log, char axis, AxisPlan& plan) {
    plan.log = log;
    plan.fixed_low = given.low.has_value();
    plan.fixed_high = given.high.has_value();
    if (given.low && given.high) {
        plan.need_low = *given.low;
        plan.need_high = *given.high;
        return {};
    }
    if (!extremes.any) {
        return "no finite value to take a range from";
    }
    plan.need_low = given.low.value_or(extremes.low);
    plan.need_high = given.high.value_or(extremes.high);
    if (given.low || given.high) {
        if (!(plan.need_low < plan.need_high)) {
            char reason[160];
            std::snprintf(reason, sizeof reason, "the %c range is empty (--range gives %g, the data %g)", axis,
                          static_cast<double>(given.low ? *given.low : *given.high),
                          static_cast<double>(given.low ? plan.need_high : plan.need_low));
            return reason;
        }
        return {};
    }
    if (plan.need_low == plan.need_high && !log && !plan.time) {
        // One value: a tenth of it on each side, or -1 to 1 around 0.
        const float v = plan.need_low;
        const float margin = v == 0.0F ? 1.0F : std::fabs(v) / 10.0F;
        plan.need_low = v - margin;
        plan.need_high = v + margin;
    }
    return {};
}

// Chooses the range and the steps of an axis ALEN cm long with numbers SIZE high, by the library's
// rules: a linear axis by linear_range, a calendar axis by time_range. A logarithmic axis ends at
// the nearest 1, 2 or 5 times a power of ten (where it has short ticks) and takes no step: a bar
// reaching just past 1000 adds up to 2000, not another decade.
void choose_ticks(AxisPlan& plan, float alen, float size, bool horizontal) {
    plan.low = plan.need_low;
    plan.high = plan.need_high;
    plan.step = 0.0F;
    plan.minor = 0.0F;
    plan.numbered = true;
    if (plan.time) {
        // On the calendar; FRAME chooses the step (0) by the same rule.
        float low = 0.0F;
        float high = 0.0F;
        if (diagr::scale::time_range(plan.origin, plan.need_low, plan.need_high, alen, size, !horizontal, low, high)) {
            plan.low = plan.fixed_low ? plan.need_low : low;
            plan.high = plan.fixed_high ? plan.need_high : high;
            return;
        }
    }
    if (plan.log) {
        float low = 0.0F;
        float high = 0.0F;
        diagr::scale::log_range(plan.need_low, plan.need_high, low, high, false);
        plan.low = plan.fixed_low ? plan.need_low : low;
        plan.high = plan.fixed_high ? plan.need_high : high;
        return;
    }
    const diagr::scale::LinearRange range = diagr::scale::linear_range(
        plan.need_low, plan.need_high, plan.fixed_low, plan.fixed_high, alen, size, horizontal, plan.numbered_ends);
    plan.low = range.low;
    plan.high = range.high;
    plan.step = range.step;
    plan.minor = range.minor;
    plan.numbered = range.numbered;
}

// Places the frame on a WIDTH x HEIGHT cm plot and chooses both axes' ticks for it, leaving room
// for what the axes will write at the label heights of the plot state. Empty when the plot is too
// small for a frame of at least 2 x 2 cm.
std::optional<FramePlace> lay_out(float width, float height, AxisPlan& x, AxisPlan& y, const Surroundings& around) {
    const float xs = PLTPAR.IXLAB != 0 ? PLTPAR.XLSIZE : PLTPAR.YLSIZE;
    const float ys = PLTPAR.IYLAB != 0 ? PLTPAR.YLSIZE : PLTPAR.XLSIZE;
    // The frame's size depends on the numbers, which depend on its size: the ticks are chosen for
    // a length no longer than the frame's, starting from the whole plot and shrinking to the frame
    // the last choice leaves (numbers that fit an axis fit a longer one).
    float xlen = width;
    float ylen = height;
    std::optional<FramePlace> placed;
    for (int round = 0; round < kLayoutRounds; ++round) {
        choose_ticks(x, xlen, xs, true);
        choose_ticks(y, ylen, ys, false);
        placed = place_frame(width, height, x, y, around, xlen);
        if (!placed || (placed->xlen >= xlen && placed->ylen >= ylen)) {
            break;
        }
        xlen = std::min(xlen, placed->xlen);
        ylen = std::min(ylen, placed->ylen);
    }
    return placed;
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

// The name a curve takes within its file: its key (--by), else its y column's header name.
const std::string& own_name(const Curve& curve) { return curve.key ? *curve.key : curve.y_name; }

// The default legend texts: the key, else the y column's header name, else the file's name; with the
// y column's name in front of a key that several of a file's curves share (-u 1:2,1:3), the file's
// name in front where several files give the same name, and the data set's number where there are
// several.
void name_items(std::vector<Item>& items) {
    // For every name: the first file and curve that give it, whether another file does too, and
    // whether another curve of the first file does.
    struct Givers {
        std::size_t file;
        const Curve* curve;
        bool files = false;
        bool curves = false;
    };
    std::map<std::string, Givers> givers;
    for (const Item& item : items) {
        const auto [at, added] = givers.try_emplace(own_name(*item.curve), Givers{item.file, item.curve});
        at->second.files = at->second.files || at->second.file != item.file;
        at->second.curves = at->second.curves || (at->second.file == item.file && at->second.curve != item.curve);
    }
    for (Item& item : items) {
        if (item.title) {
            continue;
        }
        const Curve& curve = *item.curve;
        const Givers& given = givers[own_name(curve)];
        std::string name = own_name(curve);
        if (curve.key && given.curves && !curve.y_name.empty()) {
            name = curve.y_name + ": " + name;
        }
        const bool shared = given.files;
        std::string text = name.empty() ? curve.file : shared ? curve.file + ": " + name : name;
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

bool within(float value, const Bounds& bounds) {
    const float low = bounds.low.value_or(-HUGE_VALF);
    const float high = bounds.high.value_or(HUGE_VALF);
    return value >= std::min(low, high) && value <= std::max(low, high);
}

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

// The bins of the diagram's histograms, with --binwidth W: from the multiple of W at or below LOW to
// the one at or above HIGH. False, after the line that says why, when they are too many or beyond
// the float range.
bool bins_of_width(float width, float low, float high, Diagram& diagram) {
    const double w = width;
    const double first = std::floor(low / w) * w;
    const double count = std::max(std::ceil(high / w) - std::floor(low / w), 1.0);
    const double last = first + count * w;
    if (count > kMostBins) {
        std::fprintf(stderr, "diagr: --binwidth %g makes %.0f bins, more than %d\n%s\n", w, count, kMostBins, kUsage);
        return false;
    }
    if (!std::isfinite(static_cast<float>(first)) || !std::isfinite(static_cast<float>(last))) {
        std::fprintf(stderr, "diagr: --binwidth %g puts the bins' edges beyond the float range\n%s\n", w, kUsage);
        return false;
    }
    diagram.bins = static_cast<int>(count);
    diagram.bins_low = static_cast<float>(first);
    diagram.bins_high = static_cast<float>(last);
    return true;
}

// Chooses the bins all the diagram's histograms count into (BINS over all their values, or
// --bins, --binwidth and the x range given), keeps each histogram's values within them, and
// writes the extremes its axes must cover into XS (the outer edges) and YS (0 and the largest
// count). On failure writes the reason.
PlanFailure bin_histograms(const Options& options, Diagram& diagram, const Range& range, Extremes& xs, Extremes& ys) {
    const std::string& name = diagram.items.front()->curve->file;
    std::vector<float> all;
    for (const Item* item : diagram.items) {
        for (const float v : item->of(item->curve->y)) {
            if (std::isfinite(v)) {
                all.push_back(v);
            }
        }
    }
    if (all.size() > static_cast<std::size_t>(INT_MAX)) {
        std::fprintf(stderr, "diagr: %s: more values than can be counted\n", name.c_str());
        return PlanFailure::data;
    }
    Extremes data;
    data.take(all);
    if (range.x.low && range.x.high && !(*range.x.low < *range.x.high)) {
        std::fprintf(stderr, "diagr: --hist needs XMIN below XMAX in --range\n%s\n", kUsage);
        return PlanFailure::option;
    }
    if (!data.any && !(range.x.low && range.x.high)) {
        std::fprintf(stderr, "diagr: %s: no finite value to count\n", name.c_str());
        return PlanFailure::data;
    }
    float low = range.x.low.value_or(data.low);
    float high = range.x.high.value_or(data.high);
    if ((range.x.low || range.x.high) && !(low < high)) {
        std::fprintf(stderr, "diagr: %s: the x range is empty (--range gives %g, the data %g)\n", name.c_str(),
                     static_cast<double>(range.x.low ? low : high), static_cast<double>(range.x.low ? high : low));
        return PlanFailure::data;
    }
    std::vector<float> counts(kMostBins);
    if (options.binwidth > 0.0F) {
        if (!bins_of_width(options.binwidth, low, high, diagram)) {
            return PlanFailure::option;
        }
    } else {
        // Equal bounds ask BINS for edges around the data; within given ones, only the values inside
        // them choose the count.
        if (!range.x.low && !range.x.high) {
            low = high = 0.0F;
        } else {
            std::erase_if(all, [&](float v) { return !(v >= low && v <= high); });
        }
        int count = options.bins;
        diagr::BINS(all, count, low, high, counts);
        if (!(count >= 1 && count <= kMostBins && low < high)) {
            std::fprintf(stderr, "diagr: %s: no bins to count the values into\n", name.c_str());
            return PlanFailure::data;
        }
        diagram.bins = count;
        diagram.bins_low = low;
        diagram.bins_high = high;
    }
    std::vector<float>().swap(all);

    // The values beyond the edges are left out here, once, not by every call that counts them.
    std::size_t outside = 0;
    float most = 0.0F;
    for (Item* item : diagram.items) {
        for (const float v : item->of(item->curve->y)) {
            if (v >= diagram.bins_low && v <= diagram.bins_high) {
                item->counted.push_back(v);
            } else {
                outside += std::isfinite(v) ? 1 : 0;
            }
        }
        int count = diagram.bins;
        float bins_low = diagram.bins_low;
        float bins_high = diagram.bins_high;
        diagr::BINS(item->counted, count, bins_low, bins_high, counts);
        for (int b = 0; b < count && b < kMostBins; ++b) {
            most = std::max(most, counts[static_cast<std::size_t>(b)]);
        }
    }
    if (!(most > 0.0F)) {
        std::fprintf(stderr, "diagr: %s: no value lies in the x range given, to count\n", name.c_str());
        return PlanFailure::data;
    }
    if (outside > 0) {
        std::fprintf(stderr, "diagr: %zu value%s outside the bins from %g to %g %s left out\n", outside,
                     outside == 1 ? "" : "s", static_cast<double>(diagram.bins_low),
                     static_cast<double>(diagram.bins_high), outside == 1 ? "is" : "are");
    }
    const float edges[] = {diagram.bins_low, diagram.bins_high};
    xs.take(edges);
    // On a logarithmic axis the bars stand on the frame's bottom, below a count of 1, so that a
    // bin of one value shows.
    const float heights[] = {options.logy ? 0.5F : 0.0F, most};
    ys.take(heights);
    return PlanFailure::none;
}

// Ranges, ticks and the frame's place; on failure writes the reason.
PlanFailure prepare(const Options& options, Diagram& diagram, const Range& range, float width, float height) {
    const Curve& first = *diagram.items.front()->curve;
    diagram.x.time = first.x_time;
    diagram.y.time = first.y_time;
    diagram.x.origin = first.x_origin;
    diagram.y.origin = first.y_origin;
    const bool logx = options.logx && !first.x_time;
    const bool logy = options.logy && !first.y_time;
    Extremes xs;
    Extremes ys;
    const auto take = [](Extremes& extremes, float v, bool log) {
        if (std::isfinite(v) && (!log || v > 0.0F)) {
            extremes.take(std::span<const float>(&v, 1));
        }
    };
    // A histogram's axes cover its bins' edges and its counts from 0; given x bounds are its edges.
    Bounds x_given = range.x;
    if (options.hist) {
        if (const PlanFailure failure = bin_histograms(options, diagram, range, xs, ys); failure != PlanFailure::none) {
            return failure;
        }
        x_given = Bounds{range.x.low ? std::optional(diagram.bins_low) : std::nullopt,
                         range.x.high ? std::optional(diagram.bins_high) : std::nullopt};
    } else {
        for (const Item* item : diagram.items) {
            const Curve& c = *item->curve;
            if (item->shape == Shape::fill) {
                take(ys, 0.0F, logy);
            }
            for (std::size_t i = item->begin; i < item->end; ++i) {
                if (!std::isfinite(c.x[i]) || !std::isfinite(c.y[i])) {
                    continue;
                }
                // Zoomed in x, the y range covers what is shown.
                take(xs, c.x[i], logx);
                if (within(c.x[i], range.x)) {
                    take(ys, c.y[i], logy);
                    if (item->bars()) {
                        take(ys, c.y[i] - c.below[i], logy);
                        take(ys, c.y[i] + c.up()[i], logy);
                    }
                }
            }
        }
    }
    const std::string& name = diagram.items.front()->curve->file;
    for (const auto& [extremes, bounds, log, axis, plan] :
         {std::tuple{xs, x_given, logx, 'x', &diagram.x}, std::tuple{ys, range.y, logy, 'y', &diagram.y}}) {
        std::string reason = cover(extremes, bounds, log, axis, *plan);
        if (axis == 'y' && !extremes.any && xs.any && (range.x.low || range.x.high) && !reason.empty()) {
            reason = "no point lies in the x range given, to take the y range from";
        }
        if (!reason.empty()) {
            std::fprintf(stderr, "diagr: %s: %s\n", name.c_str(), reason.c_str());
            return PlanFailure::data;
        }
    }
    if (options.hist && !diagram.y.log) {
        // Counts run up from 0 to a numbered tick.
        diagram.y.fixed_low = true;
        diagram.y.numbered_ends = true;
    }
    Surroundings around;
    around.x_text = !options.xlabel->empty();
    around.y_text = !options.ylabel->empty();
    around.title = !options.title->empty();
    around.right = diagram.key == 10 ? legend_width(diagram) : 0.0F;
    const std::optional<FramePlace> frame = lay_out(width, height, diagram.x, diagram.y, around);
    if (!frame) {
        std::fprintf(stderr, "diagr: --size %s leaves no room for a frame of 2 x 2 cm\n%s\n", options.size.c_str(),
                     kUsage);
        return PlanFailure::option;
    }
    diagram.frame = *frame;
    for (const auto& [plan, axis] : {std::pair{&diagram.x, 'x'}, std::pair{&diagram.y, 'y'}}) {
        if (!plan->numbered) {
            std::fprintf(stderr,
                         "diagr: the %c range %.9g to %.9g is too narrow for single precision to number its ticks\n",
                         axis, static_cast<double>(plan->low), static_cast<double>(plan->high));
        }
    }
    return PlanFailure::none;
}

// The look of a curve in the default look MODE whose pen the diagram's curves have taken ROUND
// times before: solid lines dashed (0.3 cm, then 0.1 cm, then 0.6 cm dashes, over again), the error
// bars' circles other markers.
float repeated_look(float mode, std::size_t round) {
    static constexpr float kDashes[] = {0.3F, 0.1F, 0.6F};
    if (mode == kErrorBarMode) {
        const std::size_t marker = (1 + round) % 11;
        return -(static_cast<float>(marker) + 0.5F);
    }
    return kDashes[(round - 1) % std::size(kDashes)];
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

}  // namespace

// The part of a legend text LEGADD keeps: its first 80 bytes, cut before a character that would
// not fit whole.
std::string_view legend_text(const std::string& text) {
    const int length = static_cast<int>(std::min<std::size_t>(text.size(), INT_MAX));
    return std::string_view(text).substr(0, static_cast<std::size_t>(plotter::char_boundary(text.data(), length, 80)));
}

PlanFailure make_plan(Options& options, const std::vector<Curve>& curves, Plan& plan) {
    parse_size(options.size, &plan.width, &plan.height);
    Range range;
    if (!options.range.empty()) {
        parse_range(options.range, &range);
    }

    // The curves as drawn: every data set of every curve, in the style given for it.
    std::vector<Item>& items = plan.items;
    for (std::size_t c = 0; c < curves.size(); ++c) {
        const Curve& curve = curves[c];
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
        return PlanFailure::option;
    }
    for (std::size_t i = 0; i < options.styles.size(); ++i) {
        Style style;
        parse_style(options.styles[i], &style);
        if ((options.styles[i] == "errorbars" || style.shape == Shape::band) && !items[i].bars()) {
            std::fprintf(stderr, "diagr: --style %s needs -u X:Y:DY or -u X:Y:YLO:YHI\n%s\n", options.styles[i].c_str(),
                         kUsage);
            return PlanFailure::option;
        }
        items[i].mode = style.mode;
        items[i].shape = style.shape;
        items[i].where = style.where;
    }
    if (const std::string reason = assign_titles(options, items); !reason.empty()) {
        std::fprintf(stderr, "diagr: %s\n%s\n", reason.c_str(), kUsage);
        return PlanFailure::option;
    }
    name_items(items);
    // A histogram's values stand in y: their name goes below the x axis.
    if (!options.xlabel) {
        options.xlabel = common_name(items, !options.hist);
    }
    if (!options.ylabel) {
        options.ylabel = options.hist ? "count" : common_name(items, false);
    }
    if (!options.title) {
        options.title = "";
    }

    // The diagrams: one, or one per file with --pages; then each one's axes and frame.
    std::vector<Diagram>& diagrams = plan.diagrams;
    for (std::size_t i = 0; i < items.size(); ++i) {
        Item& item = items[i];
        if (diagrams.empty() || (options.pages && item.file != diagrams.back().items.front()->file)) {
            diagrams.emplace_back();
        }
        const std::size_t place = diagrams.back().items.size();
        item.pen = kFirstCurvePen + static_cast<int>(place % kCurvePens);
        if (place >= kCurvePens && i >= options.styles.size()) {
            item.mode = repeated_look(item.mode, place / kCurvePens);
        }
        diagrams.back().items.push_back(&item);
    }
    for (Diagram& diagram : diagrams) {
        diagram.key = options.key.empty() ? (diagram.items.size() >= 2 ? 0 : -1) : key_position(options.key);
        if (const PlanFailure failure = prepare(options, diagram, range, plan.width, plan.height);
            failure != PlanFailure::none) {
            return failure;
        }
    }
    return PlanFailure::none;
}

}  // namespace cli
