// The segment clipper (Liang-Barsky) used by PLOT, CPLOT and MPLOT, the polygon clipper
// (Sutherland-Hodgman) used by FILPOL, polyline thinning, and the direction of a text.
#include "geometry.h"

#include <algorithm>
#include <cmath>

namespace plotter {

namespace {

struct Sorted {
    double left;
    double bottom;
    double right;
    double top;
};

Sorted sorted(const ClipWindow& w) {
    return {std::min<double>(w.x1, w.x2), std::min<double>(w.y1, w.y2), std::max<double>(w.x1, w.x2),
            std::max<double>(w.y1, w.y2)};
}

enum Edge { kNone, kLeft, kRight, kBottom, kTop };

// One Liang-Barsky edge test: p is the direction component towards the edge, q the distance
// inside it. Narrows [t0, t1] and notes the edge that set each end; false when the segment lies
// wholly outside this edge.
bool narrow(double p, double q, Edge edge, double& t0, Edge& enter, double& t1, Edge& leave) {
    if (p == 0.0) {
        return q >= 0.0;
    }
    const double t = q / p;
    if (p < 0.0) {
        if (t > t1) {
            return false;
        }
        if (t > t0) {
            t0 = t;
            enter = edge;
        }
    } else {
        if (t < t0) {
            return false;
        }
        if (t < t1) {
            t1 = t;
            leave = edge;
        }
    }
    return true;
}

// The point where the segment from (x1, y1) with direction (dx, dy) meets EDGE. It is computed
// from the edge itself rather than from the line parameter, so that it stays exact on the edge
// and accurate for segments far longer than the window.
void on_edge(Edge edge, const Sorted& w, double x1, double y1, double dx, double dy, float& x, float& y) {
    double px = 0.0;
    double py = 0.0;
    if (edge == kLeft || edge == kRight) {
        px = edge == kLeft ? w.left : w.right;
        py = y1 + (px - x1) * (dy / dx);
    } else {
        py = edge == kBottom ? w.bottom : w.top;
        px = x1 + (py - y1) * (dx / dy);
    }
    x = static_cast<float>(std::clamp(px, w.left, w.right));
    y = static_cast<float>(std::clamp(py, w.bottom, w.top));
}

// One Sutherland-Hodgman pass: keeps what lies on the inner side of the line where coordinate
// AXIS (0: x, 1: y) equals BOUND (the side of larger values when KEEP_ABOVE), from the polygon
// IN_X, IN_Y into OUT_X, OUT_Y.
void clip_to_edge(const std::vector<float>& in_x, const std::vector<float>& in_y, int axis, double bound,
                  bool keep_above, std::vector<float>& out_x, std::vector<float>& out_y) {
    out_x.clear();
    out_y.clear();
    const std::vector<float>& along = axis == 0 ? in_x : in_y;  // the coordinate the edge bounds
    const std::vector<float>& other = axis == 0 ? in_y : in_x;
    const auto inside = [&](std::size_t i) { return keep_above ? along[i] >= bound : along[i] <= bound; };
    const auto put = [&](float a, float o) {
        out_x.push_back(axis == 0 ? a : o);
        out_y.push_back(axis == 0 ? o : a);
    };
    const std::size_t n = along.size();
    for (std::size_t i = 0; i < n; ++i) {
        const std::size_t prev = i == 0 ? n - 1 : i - 1;
        const bool now_in = inside(i);
        if (now_in != inside(prev)) {
            // The cut point: on the edge exactly, and between the two points in the other
            // coordinate however long the side (its direction may be known to less than the
            // window's size); a cut at a point on the edge is that point, not a second copy.
            const double a0 = along[prev];
            const double o0 = other[prev];
            const double t = (bound - a0) / (static_cast<double>(along[i]) - a0);
            const double o =
                std::clamp(o0 + t * (static_cast<double>(other[i]) - o0), std::min<double>(other[prev], other[i]),
                           std::max<double>(other[prev], other[i]));
            const auto cut_a = static_cast<float>(bound);
            const auto cut_o = static_cast<float>(o);
            const bool at_prev = cut_a == along[prev] && cut_o == other[prev];
            const bool at_now = cut_a == along[i] && cut_o == other[i];
            if (!(at_prev && inside(prev)) && !(at_now && now_in)) {
                put(cut_a, cut_o);
            }
        }
        if (now_in) {
            put(along[i], other[i]);
        }
    }
}

}  // namespace

void clip_polygon(const float* x, const float* y, int n, const ClipWindow& window, std::vector<float>& out_x,
                  std::vector<float>& out_y) {
    out_x.assign(x, x + (n > 0 ? n : 0));
    out_y.assign(y, y + (n > 0 ? n : 0));
    const Sorted w = sorted(window);
    // Most fills (a legend's box) lie wholly inside: nothing to cut.
    const bool all_inside =
        std::all_of(out_x.begin(), out_x.end(), [&](float v) { return w.left <= v && v <= w.right; }) &&
        std::all_of(out_y.begin(), out_y.end(), [&](float v) { return w.bottom <= v && v <= w.top; });
    if (!all_inside) {
        std::vector<float> work_x;
        std::vector<float> work_y;
        const struct {
            int axis;
            double bound;
            bool keep_above;
        } edges[] = {{0, w.left, true}, {0, w.right, false}, {1, w.bottom, true}, {1, w.top, false}};
        for (const auto& e : edges) {
            if (out_x.empty()) {
                break;
            }
            work_x.swap(out_x);
            work_y.swap(out_y);
            clip_to_edge(work_x, work_y, e.axis, e.bound, e.keep_above, out_x, out_y);
        }
    }
    if (out_x.size() < 3) {
        out_x.clear();
        out_y.clear();
    }
}

bool clip_segment(float& x1, float& y1, float& x2, float& y2, const ClipWindow& window) {
    if (!std::isfinite(x1) || !std::isfinite(y1) || !std::isfinite(x2) || !std::isfinite(y2)) {
        return false;
    }
    const Sorted w = sorted(window);
    // Most segments of a curve lie wholly inside: nothing to cut.
    if (w.left <= x1 && x1 <= w.right && w.bottom <= y1 && y1 <= w.top && w.left <= x2 && x2 <= w.right &&
        w.bottom <= y2 && y2 <= w.top) {
        return true;
    }
    const double ox = x1;
    const double oy = y1;
    const double dx = static_cast<double>(x2) - ox;
    const double dy = static_cast<double>(y2) - oy;
    double t0 = 0.0;
    double t1 = 1.0;
    Edge enter = kNone;
    Edge leave = kNone;
    if (!narrow(-dx, ox - w.left, kLeft, t0, enter, t1, leave) ||
        !narrow(dx, w.right - ox, kRight, t0, enter, t1, leave) ||
        !narrow(-dy, oy - w.bottom, kBottom, t0, enter, t1, leave) ||
        !narrow(dy, w.top - oy, kTop, t0, enter, t1, leave) || t0 > t1) {
        return false;
    }
    if (leave != kNone) {
        on_edge(leave, w, ox, oy, dx, dy, x2, y2);
    }
    if (enter != kNone) {
        on_edge(enter, w, ox, oy, dx, dy, x1, y1);
    }
    // A segment far longer than the window (1E34 cm against 2E4) has its direction known to less
    // than the window's size: the crossing parameter can round to 0 or 1 and leave an outside
    // endpoint where it was. Such an endpoint is held to the window, so the visible part never
    // leaves it; inside endpoints are unchanged, bit for bit.
    x1 = static_cast<float>(std::clamp<double>(x1, w.left, w.right));
    y1 = static_cast<float>(std::clamp<double>(y1, w.bottom, w.top));
    x2 = static_cast<float>(std::clamp<double>(x2, w.left, w.right));
    y2 = static_cast<float>(std::clamp<double>(y2, w.bottom, w.top));
    return true;
}

PolylineThinner::PolylineThinner(float tolerance) : tolerance_(tolerance) {}

void PolylineThinner::start(float x, float y) {
    kept_x_.clear();
    kept_y_.clear();
    keep(x, y);
    last_x_ = x;
    last_y_ = y;
    pending_ = false;
}

void PolylineThinner::keep(float x, float y) {
    kept_x_.push_back(x);
    kept_y_.push_back(y);
    anchor_x_ = x;
    anchor_y_ = y;
    has_cone_ = false;
    farthest_ = 0.0;
}

void PolylineThinner::add(float x, float y) {
    if (!std::isfinite(x) || !std::isfinite(y) || !std::isfinite(anchor_x_) || !std::isfinite(anchor_y_)) {
        if (pending_) {
            keep(last_x_, last_y_);
        }
        keep(x, y);
        last_x_ = x;
        last_y_ = y;
        pending_ = false;
        return;
    }
    double vx = static_cast<double>(x) - anchor_x_;
    double vy = static_cast<double>(y) - anchor_y_;
    double d = std::sqrt(vx * vx + vy * vy);
    double angle = 0.0;
    if (has_cone_) {
        angle = std::atan2(ref_x_ * vy - ref_y_ * vx, ref_x_ * vx + ref_y_ * vy);
    }
    if (pending_ && (d < farthest_ || (has_cone_ && !(low_ <= angle && angle <= high_)))) {
        // (x, y) cannot end the segment: the last point does, and starts the next one.
        keep(last_x_, last_y_);
        vx = static_cast<double>(x) - anchor_x_;
        vy = static_cast<double>(y) - anchor_y_;
        d = std::sqrt(vx * vx + vy * vy);
    }
    // (x, y) may be passed over later: directions from the anchor within asin(tolerance / d) of
    // its own pass within the tolerance of it; tolerance / d is the smaller, safe half-width.
    const double tol = tolerance_;
    if (d > tol) {
        const double half = tol / d;
        if (!has_cone_) {
            ref_x_ = vx / d;
            ref_y_ = vy / d;
            low_ = -half;
            high_ = half;
            has_cone_ = true;
        } else {
            low_ = std::max(low_, angle - half);
            high_ = std::min(high_, angle + half);
        }
    }
    farthest_ = std::max(farthest_, d);
    last_x_ = x;
    last_y_ = y;
    pending_ = true;
}

void PolylineThinner::finish() {
    if (pending_) {
        keep(last_x_, last_y_);
        pending_ = false;
    }
}

void PolylineThinner::drop_all_but_last() {
    const float x = kept_x_.back();
    const float y = kept_y_.back();
    kept_x_.assign(1, x);
    kept_y_.assign(1, y);
}

// The angle is reduced to one turn first (fmod is exact): beyond some 1E15 degrees the product with
// pi / 180 would carry more rounding than a whole turn and point the text anywhere.
void direction(float angle, float& c, float& sn) {
    const float turn = std::fmod(angle, 360.0F);
    const float quarter = turn / 90.0F;
    if (quarter == std::floor(quarter)) {
        static constexpr float kCos[] = {1.0F, 0.0F, -1.0F, 0.0F};
        const int q = (static_cast<int>(quarter) % 4 + 4) % 4;
        c = kCos[q];
        sn = kCos[(q + 3) % 4];
        return;
    }
    const double radians = static_cast<double>(turn) * (std::acos(-1.0) / 180.0);
    c = static_cast<float>(std::cos(radians));
    sn = static_cast<float>(std::sin(radians));
}

}  // namespace plotter
