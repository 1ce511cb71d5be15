// Curves in user units inside the current diagram: solid, dashed or as markers (OVER, OVR).
#include <cmath>

#include "curve_mode.h"
#include "diagr.h"
#include "diagram_state.h"
#include "occupancy.h"
#include "plotter.h"

namespace {

// DIAGR draws its curve as OVER does, but the reports name the routine its caller called.
enum class CurveEntry { Over, Ovr, Diagr };

// Maps each of the N points and hands the finite ones to pen(x, y, code) with code 3 (start of a
// run) or 2 (continuing it). A point whose mapped position is not finite is skipped and breaks the
// line: the next finite point starts a new run.
template <typename Pen>
void trace_polyline(const float* X, const float* Y, int n, Pen pen) {
    bool pen_down = false;
    for (int i = 0; i < n; ++i) {
        const float x = XCM(X[i]);
        const float y = YCM(Y[i]);
        if (!std::isfinite(x) || !std::isfinite(y)) {
            pen_down = false;
            continue;
        }
        pen(x, y, pen_down ? 2 : 3);
        pen_down = true;
    }
}

// Solid polyline. Only the N points given are read: one point is just the move. PLTSYN(1)
// follows the first line drawn.
void draw_solid(const float* X, const float* Y, int n) {
    bool synced = false;
    float last_x = 0.0F;
    float last_y = 0.0F;
    trace_polyline(X, Y, n, [&](float x, float y, int code) {
        CPLOT(x, y, code);
        if (code == 2) {
            diagr::occupancy::mark_segment(last_x, last_y, x, y);
            if (!synced) {
                PLTSYN(1);
                synced = true;
            }
        }
        last_x = x;
        last_y = y;
    });
}

// Dashed polyline through CDASH, a fresh pattern for each run of finite points; CDASH marks the
// occupancy grid with the dashes it draws.
void draw_dashed(const float* X, const float* Y, int n, float dash) {
    trace_polyline(X, Y, n, [dash](float x, float y, int code) { CDASH(x, y, code, dash); });
}

// A marker at every point inside the frame, all four bounds inclusive; NaN is never inside.
void draw_markers(const float* X, const float* Y, int n, int number) {
    const float size = PLTPAR.SYMSIZ;
    const float angle = 0.0F;
    for (int i = 0; i < n; ++i) {
        const float x = XCM(X[i]);
        const float y = YCM(Y[i]);
        if (PLTPAR.XLEFT <= x && x <= PLTPAR.XRIGHT && PLTPAR.YBOTM <= y && y <= PLTPAR.YTOP) {
            CENSYM(x, y, number, size, size, angle);
            diagr::occupancy::mark_box(x - size / 2.0F, y - size / 2.0F, x + size / 2.0F, y + size / 2.0F);
        }
    }
}

void draw_curve(CurveEntry entry, const float* X, const float* Y, const int& N, const float& ISYM, int IPEN) {
    const char* routine = entry == CurveEntry::Ovr ? "OVR" : (entry == CurveEntry::Diagr ? "DIAGR" : "OVER");
    // The pen is selected before the guard, so it is in force even if the guard stops the program.
    if (entry == CurveEntry::Ovr) {
        NEWPEN(IPEN);
        DERR("Ovr ", 4);
    } else {
        DERR("Over", 4);
    }

    diagr::diagram::clip_to_frame();

    const int n = N;
    const float mode = ISYM;
    if (n > 0 && X != nullptr && Y != nullptr) {
        // A logarithmic axis maps values <= 0 to NaN: those points are skipped like any non-finite one.
        diagr::diagram::report_non_positive(routine, X, n, diagr::diagram::log_x(), 'x');
        diagr::diagram::report_non_positive(routine, Y, n, diagr::diagram::log_y(), 'y');
        if (mode > 0.0F) {
            draw_dashed(X, Y, n, mode);
        } else if (mode < 0.0F) {
            draw_markers(X, Y, n, diagr::marker_number(mode));
        } else {
            // 0, and a NaN mode, which names no dash length or marker: the solid line.
            draw_solid(X, Y, n);
        }
    }
    PLTSYN(0);
}

}  // namespace

void diagr::diagram::draw_diagr_curve(const float* X, const float* Y, int n, float isym) {
    draw_curve(CurveEntry::Diagr, X, Y, n, isym, 0);
}

void OVER(const float* X, const float* Y, const int& N, const float& ISYM) {
    draw_curve(CurveEntry::Over, X, Y, N, ISYM, 0);
}

void OVR(const float* X, const float* Y, const int& N, const float& ISYM, const int& IPEN) {
    draw_curve(CurveEntry::Ovr, X, Y, N, ISYM, IPEN);
}
