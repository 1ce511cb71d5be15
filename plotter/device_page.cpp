// One page's drawing kept by the cairo devices, the box its ink covers, and the sheet that holds it.
#include "device_page.h"

#include <cmath>

#include "text.h"

namespace plotter {

namespace {

// A glyph's ink, in cap heights from its base-line start: the font's descenders reach a third of
// a cap height below the base line, its ascenders and accents a twentieth above the capitals,
// and no ink lies more than a twentieth beyond the advance.
constexpr float kInkBelow = 0.34F;
constexpr float kInkAbove = 1.05F;
constexpr float kInkBeside = 0.05F;
// Beyond ASCII and Greek, accented capitals and the faces' tallest glyphs reach half a cap height
// higher, and some reach lower and further beside (a fallback face's too).
constexpr float kWideInkBelow = 0.65F;
constexpr float kWideInkAbove = 1.7F;
constexpr float kWideInkBeside = 0.3F;

// Adds the box of a text run ADVANCE cm long, CAP cm high, from (X, Y) along ANGLE degrees; WIDE
// for characters beyond ASCII and Greek.
void add_run(InkBox& box, float x, float y, float angle, float advance, float cap, bool wide) {
    const float below = wide ? kWideInkBelow : kInkBelow;
    const float above = wide ? kWideInkAbove : kInkAbove;
    const float beside = wide ? kWideInkBeside : kInkBeside;
    const double radians = static_cast<double>(angle) * (std::acos(-1.0) / 180.0);
    const auto c = static_cast<float>(std::cos(radians));
    const auto s = static_cast<float>(std::sin(radians));
    const float along[2] = {-beside * cap, advance + beside * cap};
    const float across[2] = {-below * cap, above * cap};
    for (const float a : along) {
        for (const float b : across) {
            box.add(x + a * c - b * s, y + a * s + b * c);
        }
    }
}

// A grown sheet leaves this much room around the ink, and grows by at most kMaxGrowth (cm) on
// any side.
constexpr float kInkPadding = 0.5F;
constexpr float kMaxGrowth = 100.0F;

}  // namespace

void InkBox::add(float x, float y) {
    if (!std::isfinite(x) || !std::isfinite(y)) {
        return;
    }
    if (empty) {
        x1 = x2 = x;
        y1 = y2 = y;
        empty = false;
        return;
    }
    x1 = std::fmin(x1, x);
    x2 = std::fmax(x2, x);
    y1 = std::fmin(y1, y);
    y2 = std::fmax(y2, y);
}

Sheet grown(Sheet s, const InkBox& ink) {
    if (ink.empty) {
        return s;
    }
    if (ink.x1 < s.x1) {
        s.x1 = std::fmax(ink.x1 - kInkPadding, s.x1 - kMaxGrowth);
    }
    if (ink.y1 < s.y1) {
        s.y1 = std::fmax(ink.y1 - kInkPadding, s.y1 - kMaxGrowth);
    }
    if (ink.x2 > s.x2) {
        s.x2 = std::fmin(ink.x2 + kInkPadding, s.x2 + kMaxGrowth);
    }
    if (ink.y2 > s.y2) {
        s.y2 = std::fmin(ink.y2 + kInkPadding, s.y2 + kMaxGrowth);
    }
    return s;
}

bool covers(const Sheet& s, const InkBox& ink) {
    return ink.empty || (ink.x1 >= s.x1 && ink.x2 <= s.x2 && ink.y1 >= s.y1 && ink.y2 <= s.y2);
}

void PageRecord::clear() {
    entries_.clear();
    numbers_.clear();
    lines_ = InkBox{};
    exact_ink_ = InkBox{};
}

void PageRecord::add(Kind kind, int value, std::size_t count) {
    entries_.push_back(
        Entry{kind, value, static_cast<std::uint32_t>(numbers_.size()), static_cast<std::uint32_t>(count)});
}

void PageRecord::pen(int pen) { add(Kind::Pen, pen, 0); }

void PageRecord::line(const float* x, const float* y, std::size_t n) {
    add(Kind::Line, 0, n);
    numbers_.insert(numbers_.end(), x, x + n);
    numbers_.insert(numbers_.end(), y, y + n);
    for (std::size_t i = 0; i < n; ++i) {
        lines_.add(x[i], y[i]);
    }
}

void PageRecord::glyph(float x, float y, float angle, float size, int code) {
    add(Kind::Glyph, code, 0);
    numbers_.insert(numbers_.end(), {x, y, angle, size});
    add_run(exact_ink_, x, y, angle, glyph_advance(code) * size, size, code > 126 && (code < 0x391 || code > 0x3C9));
}

void PageRecord::fill(const float* x, const float* y, std::size_t n, bool paper, float opacity) {
    add(Kind::Fill, paper ? 1 : 0, n);
    numbers_.insert(numbers_.end(), x, x + n);
    numbers_.insert(numbers_.end(), y, y + n);
    numbers_.push_back(opacity);
    for (std::size_t i = 0; i < n; ++i) {
        exact_ink_.add(x[i], y[i]);
    }
}

InkBox PageRecord::ink(float line_width) const {
    // A white fill counts too, so the sheet is the same whatever the colour.
    InkBox box = exact_ink_;
    if (!lines_.empty) {
        const float half = 0.5F * line_width;
        box.add(lines_.x1 - half, lines_.y1 - half);
        box.add(lines_.x2 + half, lines_.y2 + half);
    }
    return box;
}

}  // namespace plotter
