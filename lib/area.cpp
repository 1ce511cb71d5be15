// Filled areas of the library: edge positions for logarithmic axes and translucent fills cut to the frame.
#include "area.h"

#include <algorithm>
#include <cmath>

#include "diagr.h"
#include "diagram_state.h"
#include "plotter.h"
#include "session.h"

namespace {

// A clipped polygon gains at most one vertex per crossing, so each of the four sides at most
// doubles it.
constexpr int CLIPPED_ROOM = diagr::area::MAX_POLYGON * 16;

float work_x[2][CLIPPED_ROOM];
float work_y[2][CLIPPED_ROOM];

float on_edge(float cm, float value, float scale, float low_edge, float high_edge) {
    if (std::isfinite(cm) || !std::isfinite(value)) {
        return cm;
    }
    return scale >= 0.0F ? low_edge : high_edge;
}

// Keeps the part of the polygon IN (N vertices) on the inner side of one frame side: coordinate
// AXIS (0 x, 1 y) at least (KEEP_ABOVE) or at most LIMIT.
int clip_side(const float* in_x, const float* in_y, int n, int axis, float limit, bool keep_above, float* out_x,
              float* out_y) {
    const auto inside = [&](float x, float y) {
        const float c = axis == 0 ? x : y;
        return keep_above ? c >= limit : c <= limit;
    };
    int count = 0;
    for (int i = 0; i < n; ++i) {
        const int j = (i + n - 1) % n;
        const float x1 = in_x[j];
        const float y1 = in_y[j];
        const float x2 = in_x[i];
        const float y2 = in_y[i];
        const bool in1 = inside(x1, y1);
        const bool in2 = inside(x2, y2);
        if (in1 != in2) {
            const float c1 = axis == 0 ? x1 : y1;
            const float c2 = axis == 0 ? x2 : y2;
            const float t = (limit - c1) / (c2 - c1);
            out_x[count] = axis == 0 ? limit : x1 + t * (x2 - x1);
            out_y[count] = axis == 0 ? y1 + t * (y2 - y1) : limit;
            ++count;
        }
        if (in2) {
            out_x[count] = x2;
            out_y[count] = y2;
            ++count;
        }
    }
    return count;
}

}  // namespace

namespace diagr::area {

float x_cm(float value) { return on_edge(XCM(value), value, PLTPAR.XSCAL, PLTPAR.XLEFT, PLTPAR.XRIGHT); }

float y_cm(float value) { return on_edge(YCM(value), value, PLTPAR.YSCAL, PLTPAR.YBOTM, PLTPAR.YTOP); }

void FillScope::fill(const float* x, const float* y, int n, bool to_frame) {
    if (n < 3 || n > MAX_POLYGON) {
        return;
    }
    const float left = std::fmin(PLTPAR.XLEFT, PLTPAR.XRIGHT);
    const float right = std::fmax(PLTPAR.XLEFT, PLTPAR.XRIGHT);
    const float bottom = std::fmin(PLTPAR.YBOTM, PLTPAR.YTOP);
    const float top = std::fmax(PLTPAR.YBOTM, PLTPAR.YTOP);
    int count = clip_side(x, y, n, 0, left, true, work_x[0], work_y[0]);
    count = clip_side(work_x[0], work_y[0], count, 0, right, false, work_x[1], work_y[1]);
    count = clip_side(work_x[1], work_y[1], count, 1, bottom, true, work_x[0], work_y[0]);
    count = clip_side(work_x[0], work_y[0], count, 1, top, false, work_x[1], work_y[1]);
    if (!to_frame) {
        std::copy(x, x + n, work_x[1]);
        std::copy(y, y + n, work_y[1]);
        count = n;
    }
    if (count < 3) {
        return;
    }
    if (!set_) {
        before_ = plotter::fill_opacity();
        FILALP(OPACITY);
        set_ = true;
    }
    const int paper = 0;
    FILPOL(work_x[1], work_y[1], count, paper);
}

FillScope::~FillScope() {
    if (set_) {
        FILALP(before_);
    }
}

}  // namespace diagr::area
