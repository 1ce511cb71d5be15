// Error bars in user units inside the current diagram: vertical (ERRY) and horizontal (ERRX).
//
// A bar is drawn through CPLOT with the window set to the frame, so it is cut at the frame also
// when its point lies outside. Its caps are drawn only at ends inside the frame: a cut bar visibly
// runs on. On a logarithmic axis an end <= 0 has no place; the bar runs from the frame's edge on
// that side, without a cap.
#include <cmath>
#include <cstdio>
#include <initializer_list>

#include "diagr.h"
#include "diagram_state.h"
#include "occupancy.h"
#include "plotter.h"

namespace {

enum class Direction { Vertical, Horizontal };

// An end of a bar on the axis along it: its position in cm and whether it may carry a cap.
struct BarEnd {
    float cm;
    bool cap;
};

// The plotter position of user value VALUE on the axis the bars run along; an end the logarithmic
// axis cannot show lies at the frame's edge on the side of the small values.
BarEnd bar_end(Direction direction, float value) {
    const bool vertical = direction == Direction::Vertical;
    const float cm = vertical ? YCM(value) : XCM(value);
    if (std::isfinite(cm)) {
        return {cm, true};
    }
    const float scale = vertical ? PLTPAR.YSCAL : PLTPAR.XSCAL;
    const float low_edge = vertical ? PLTPAR.YBOTM : PLTPAR.XLEFT;
    const float high_edge = vertical ? PLTPAR.YTOP : PLTPAR.XRIGHT;
    return {scale >= 0.0F ? low_edge : high_edge, false};
}

bool inside_frame(float x, float y) {
    return PLTPAR.XLEFT <= x && x <= PLTPAR.XRIGHT && PLTPAR.YBOTM <= y && y <= PLTPAR.YTOP;
}

// A line from (X1, Y1) to (X2, Y2) cm, clipped to the frame, and marked in the occupancy grid.
void frame_line(float x1, float y1, float x2, float y2) {
    CPLOT(x1, y1, 3);
    CPLOT(x2, y2, 2);
    diagr::occupancy::mark_segment(x1, y1, x2, y2);
}

void draw_bars(Direction direction, const char* routine, const float* X, const float* Y, const float* ELO,
               const float* EHI, int n, float cap) {
    const bool vertical = direction == Direction::Vertical;
    diagr::diagram::clip_to_frame();
    if (n <= 0 || X == nullptr || Y == nullptr || ELO == nullptr || EHI == nullptr) {
        return;
    }
    const bool log_across = vertical ? diagr::diagram::log_x() : diagr::diagram::log_y();
    const bool log_along = vertical ? diagr::diagram::log_y() : diagr::diagram::log_x();
    const float half_cap = std::isfinite(cap) && cap > 0.0F ? cap / 2.0F : 0.0F;
    long refused = 0;
    long off_axis = 0;
    PLTSYN(1);
    for (int i = 0; i < n; ++i) {
        const float x = X[i];
        const float y = Y[i];
        const float low = ELO[i];
        const float high = EHI[i];
        if (!std::isfinite(x) || !std::isfinite(y) || !std::isfinite(low) || !std::isfinite(high) || low < 0.0F ||
            high < 0.0F) {
            ++refused;
            continue;
        }
        const float across = vertical ? XCM(x) : YCM(y);
        const float centre = vertical ? y : x;
        const float from = centre - low;
        const float to = centre + high;
        // Where the bar's own axis cannot show either end, nor the point across it, there is no bar.
        if (!std::isfinite(across) || (log_along && !(to > 0.0F))) {
            off_axis += log_across || log_along ? 1 : 0;
            continue;
        }
        const BarEnd a = bar_end(direction, from);
        const BarEnd b = bar_end(direction, to);
        if (vertical) {
            frame_line(across, a.cm, across, b.cm);
        } else {
            frame_line(a.cm, across, b.cm, across);
        }
        for (const BarEnd& end : {a, b}) {
            const float ex = vertical ? across : end.cm;
            const float ey = vertical ? end.cm : across;
            if (half_cap > 0.0F && end.cap && inside_frame(ex, ey)) {
                if (vertical) {
                    frame_line(ex - half_cap, ey, ex + half_cap, ey);
                } else {
                    frame_line(ex, ey - half_cap, ex, ey + half_cap);
                }
            }
        }
    }
    PLTSYN(0);
    if (refused > 0) {
        std::fprintf(stderr, "%s: %ld bar%s with a negative offset or a value that is not finite %s not drawn\n",
                     routine, refused, refused == 1 ? "" : "s", refused == 1 ? "is" : "are");
    }
    if (off_axis > 0) {
        std::fprintf(stderr, "%s: %ld bar%s at values <= 0 %s not drawn on the logarithmic axis\n", routine, off_axis,
                     off_axis == 1 ? "" : "s", off_axis == 1 ? "is" : "are");
    }
    std::fflush(stderr);
}

}  // namespace

void ERRY(const float* X, const float* Y, const float* ELO, const float* EHI, const int& N, const float& CAP) {
    DERR("Erry", 4);
    draw_bars(Direction::Vertical, "ERRY", X, Y, ELO, EHI, N, CAP);
}

void ERRX(const float* X, const float* Y, const float* ELO, const float* EHI, const int& N, const float& CAP) {
    DERR("Errx", 4);
    draw_bars(Direction::Horizontal, "ERRX", X, Y, ELO, EHI, N, CAP);
}
