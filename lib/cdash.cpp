// The dashed-line pen: polylines in plotter cm as dashes and gaps of one length, the pattern
// running on across vertices.
#include <cmath>

#include "diagr.h"
#include "occupancy.h"
#include "plotter.h"

namespace {

// The pattern, saved between calls; one dashed line at a time for the whole program.
int IIPEN = 0;      // 2 while in a dash (pen down), 3 while in a gap (pen up)
float BLEN = 0.0F;  // length already covered of the current dash or gap, cm
float XOLD = 0.0F;  // last vertex given: the start of the next segment
float YOLD = 0.0F;
float XLP = 0.0F;  // last point handed to CPLOT
float YLP = 0.0F;
// False until a line has been started at a finite vertex, and again after a non-finite one.
bool line_open = false;

constexpr int MAX_STEPS = 9999;

void start_line(float x, float y) {
    BLEN = 0.0F;
    IIPEN = 2;
    XOLD = x;
    YOLD = y;
    XLP = x;
    YLP = y;
    line_open = true;
    PLOT(x, y, 3);
}

// Holds a step coordinate on the vertex once it reaches or passes it. A step component that
// points away from the vertex only comes from rounding ALPHA (a segment parallel to an axis,
// e.g. cos of pi/2 is -4.4E-8): that coordinate stays on the vertex too, or a vertex coordinate
// of 0 would never be met and every such segment would run through all 9999 steps.
float clamp_to_vertex(float p, float step, float sign, float vertex) {
    if (sign * step < 0.0F) {
        return vertex;
    }
    return sign * (vertex - p) > 0.0F ? p : vertex;
}

}  // namespace

// A call with a non-finite vertex draws nothing and breaks the line: the next call, whatever its
// IPEN, starts a new line there. A continuing call before any line was started likewise starts
// one. A DASH that is not a positive finite length has no pattern to follow: the segment is
// drawn solid (as one dash would draw it) and the pattern state is left as it was.
void CDASH(const float& X, const float& Y, const int& IPEN, const float& DASH) {
    const float x = X;
    const float y = Y;
    if (!std::isfinite(x) || !std::isfinite(y)) {
        line_open = false;
        return;
    }
    if (IPEN == 3 || !line_open) {
        start_line(x, y);
        return;
    }
    if (x == XOLD && y == YOLD) {
        return;
    }

    if (!(DASH > 0.0F) || !std::isfinite(DASH)) {
        PLOT(XOLD, YOLD, 3);
        diagr::occupancy::mark_segment(XOLD, YOLD, x, y);
        XOLD = x;
        YOLD = y;
        CPLOT(x, y, 2);
        XLP = x;
        YLP = y;
        return;
    }
    const float dash = DASH;

    const float sx = (x - XOLD >= 0.0F) ? 1.0F : -1.0F;
    const float sy = (y - YOLD >= 0.0F) ? 1.0F : -1.0F;
    const float ALPHA = std::atan2(y - YOLD, x - XOLD);
    const float cos_alpha = std::cos(ALPHA);
    const float sin_alpha = std::sin(ALPHA);
    const float step_x = cos_alpha * dash;
    const float step_y = sin_alpha * dash;
    // The point BLEN before the segment's start: the first step ends where the interrupted
    // dash or gap ends.
    const float origin_x = XOLD - cos_alpha * BLEN;
    const float origin_y = YOLD - sin_alpha * BLEN;

    PLOT(XOLD, YOLD, 3);
    // Set before the steps, so the next segment starts at the true vertex even if the step
    // bound cuts this one short.
    XOLD = x;
    YOLD = y;

    for (int I = 1; I <= MAX_STEPS; ++I) {
        const float step_count = static_cast<float>(I);
        float px = origin_x + step_count * step_x;
        float py = origin_y + step_count * step_y;
        px = clamp_to_vertex(px, step_x, sx, x);
        py = clamp_to_vertex(py, step_y, sy, y);

        CPLOT(px, py, IIPEN);
        if (IIPEN == 2) {
            diagr::occupancy::mark_segment(XLP, YLP, px, py);
        }

        const float dx = px - XLP;
        const float dy = py - YLP;
        BLEN += std::sqrt(dx * dx + dy * dy);
        // The toggle comes before the end test: a dash ending exactly on the vertex is complete.
        if ((BLEN - dash) / dash >= -0.0001F) {
            IIPEN = (IIPEN == 2) ? 3 : 2;
            BLEN = 0.0F;
        }
        XLP = px;
        YLP = py;

        if (std::fabs(XLP - x) <= 0.0001F * std::fabs(x) && std::fabs(YLP - y) <= 0.0001F * std::fabs(y)) {
            return;
        }
    }
}
