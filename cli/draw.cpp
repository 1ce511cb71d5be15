// The drawing step of the diagr command: the frame, the curves (lines, steps, filled areas and bands),
// their error bars, the histograms, the free texts and the legend of each planned diagram, by the
// library's calls.
#include "draw.h"

#include <cmath>
#include <cstdio>
#include <span>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "diagr.hpp"
#include "diagram_state.h"

namespace cli {

namespace {

// Height of the free texts, cm.
constexpr float kTextHeight = 0.4F;
// Pens of the frame and of the free texts: black.
constexpr int kFramePen = 1;
constexpr int kTextPen = 1;
// The curves' mapping reaches this part of the range beyond the axes' ends, far below what shows,
// so that a marker or bar at an end value maps inside the frame however the mapping rounds.
constexpr double kEndSlack = 1.0E-5;
// Width of the error bars' caps, cm.
constexpr float kCap = 0.2F;

// A text for the library: an empty axis text would move the numbers into the frame, so it is
// replaced by mark-up that draws nothing.
std::string_view axis_text(const std::string& text) {
    return text.find_first_not_of(' ') == std::string::npos ? "&M" : std::string_view(text);
}

// The error bars of ITEM, in runs of bars that can be drawn; returns how many have a negative length.
std::size_t draw_bars(const Item& item) {
    const Curve& c = *item.curve;
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

// The filled area of ITEM in its pen: down to y = 0 (style fill), or between the ends of its bars
// (style band).
void draw_band(const Item& item) {
    const Curve& c = *item.curve;
    const std::span<const float> y = item.of(c.y);
    std::vector<float> low(y.size(), 0.0F);
    std::vector<float> high(y.begin(), y.end());
    if (item.shape == Shape::band) {
        const std::span<const float> below = item.of(c.below);
        const std::span<const float> above = item.of(c.up());
        for (std::size_t i = 0; i < y.size(); ++i) {
            low[i] = y[i] - below[i];
            high[i] = y[i] + above[i];
        }
    }
    diagr::BAND(item.of(c.x), low, high);
}

// LEGADD's IBAR for ITEM: a filled box for a histogram or a filled area, a band for a band, an
// error bar for a curve with bars.
int legend_sample(const Diagram& diagram, const Item& item) {
    if (diagram.bins > 0 || item.shape == Shape::fill) {
        return 2;
    }
    if (item.shape == Shape::band) {
        return 3;
    }
    return item.bars() ? 1 : 0;
}

// The range the curves are mapped on: the axis's, a hair wider at both ends (in ratio on a
// logarithmic axis).
std::pair<float, float> frame_range(const AxisPlan& plan) {
    if (plan.log) {
        return {static_cast<float>(plan.low / (1.0 + kEndSlack)), static_cast<float>(plan.high * (1.0 + kEndSlack))};
    }
    const double slack = kEndSlack * (static_cast<double>(plan.high) - plan.low);
    return {static_cast<float>(plan.low - slack), static_cast<float>(plan.high + slack)};
}

// Draws the diagram on the open page.
void draw(const Options& options, const Diagram& diagram) {
    const FramePlace& f = diagram.frame;
    diagr::LOGAX(diagram.x.log ? 1 : 0, diagram.y.log ? 1 : 0);
    diagr::TIMAX(diagram.x.time ? 1 : 0, diagram.y.time ? 1 : 0, diagram.x.time ? diagram.x.origin : diagram.y.origin);
    // The frame first, on the axes' ranges; the curves then on the frame's slightly wider mapping.
    diagr::FRAME(f.x0, f.y0, f.xlen, f.ylen, diagram.x.low, diagram.x.high, diagram.y.low, diagram.y.high,
                 diagram.x.step, diagram.y.step, axis_text(*options.xlabel), axis_text(*options.ylabel),
                 options.title->empty() ? " " : *options.title, kFramePen);
    diagr::diagram::draw_minor_ticks(f.x0, f.y0, f.xlen, f.ylen, diagram.x.low, diagram.x.high, diagram.y.low,
                                     diagram.y.high, diagram.x.step, diagram.y.step, diagram.x.minor, diagram.y.minor);
    const auto [x_low, x_high] = frame_range(diagram.x);
    const auto [y_low, y_high] = frame_range(diagram.y);
    diagr::CLIP(f.x0, f.y0, f.xlen, f.ylen, x_low, x_high, y_low, y_high);
    std::size_t negative = 0;
    for (const Item* item : diagram.items) {
        const Curve& c = *item->curve;
        if (diagram.bins > 0 || item->bars() || item->shape != Shape::line) {
            diagr::NEWPEN(item->pen);
        }
        if (diagram.bins > 0) {
            diagr::HIST(item->counted, diagram.bins, diagram.bins_low, diagram.bins_high, 1);
            continue;
        }
        if (item->shape == Shape::fill || item->shape == Shape::band) {
            draw_band(*item);
        } else if (item->bars()) {
            negative += draw_bars(*item);
        }
        if (item->shape == Shape::steps) {
            diagr::STEPS(item->of(c.x), item->of(c.y), item->where);
        } else {
            diagr::OVR(item->of(c.x), item->of(c.y), item->mode, item->pen);
        }
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
            diagr::LEGADD(legend_text(*item.title), item.pen, item.mode, legend_sample(diagram, item));
        }
        diagr::LEGEND(diagram.key, kLegendHeight);
        if (diagram.items.size() > kLegendEntries) {
            std::fprintf(stderr, "diagr: the legend names the first %zu of %zu curves\n", kLegendEntries,
                         diagram.items.size());
        }
    }
}

}  // namespace

void draw_plan(const Options& options, const Plan& plan) {
    diagr::PLTDEV(options.output);
    for (const Diagram& diagram : plan.diagrams) {
        diagr::PLOTS(1, 0, plan.width, plan.height);
        draw(options, diagram);
    }
    diagr::PLTEND();
}

}  // namespace cli
