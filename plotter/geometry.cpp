// The segment clipper (Liang-Barsky) used by PLOT, CPLOT and MPLOT.
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

// One Liang-Barsky edge test: p is the direction component towards the edge, q the distance
// inside it. Narrows [t0, t1]; false when the segment lies wholly outside this edge.
bool narrow(double p, double q, double& t0, double& t1) {
    if (p == 0.0) {
        return q >= 0.0;
    }
    const double t = q / p;
    if (p < 0.0) {
        if (t > t1) {
            return false;
        }
        t0 = std::max(t0, t);
    } else {
        if (t < t0) {
            return false;
        }
        t1 = std::min(t1, t);
    }
    return true;
}

float clamp_to(double v, double lo, double hi) { return static_cast<float>(std::clamp(v, lo, hi)); }

}  // namespace

bool clip_segment(float& x1, float& y1, float& x2, float& y2, const ClipWindow& window) {
    if (!std::isfinite(x1) || !std::isfinite(y1) || !std::isfinite(x2) || !std::isfinite(y2)) {
        return false;
    }
    const Sorted w = sorted(window);
    if (!(w.left <= w.right) || !(w.bottom <= w.top)) {
        return false;
    }
    const double dx = static_cast<double>(x2) - x1;
    const double dy = static_cast<double>(y2) - y1;
    double t0 = 0.0;
    double t1 = 1.0;
    if (!narrow(-dx, x1 - w.left, t0, t1) || !narrow(dx, w.right - x1, t0, t1) || !narrow(-dy, y1 - w.bottom, t0, t1) ||
        !narrow(dy, w.top - y1, t0, t1)) {
        return false;
    }
    if (t0 > t1) {
        return false;
    }
    const double ox = x1;
    const double oy = y1;
    // Computed endpoints are clamped into the window so rounding never leaves them a hair outside.
    if (t1 < 1.0) {
        x2 = clamp_to(ox + t1 * dx, w.left, w.right);
        y2 = clamp_to(oy + t1 * dy, w.bottom, w.top);
    }
    if (t0 > 0.0) {
        x1 = clamp_to(ox + t0 * dx, w.left, w.right);
        y1 = clamp_to(oy + t0 * dy, w.bottom, w.top);
    }
    return true;
}

}  // namespace plotter
