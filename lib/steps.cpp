// Step curves (STEPS) and translucent bands between two curves (BAND) in the current diagram.
#include <cmath>

#include "area.h"
#include "diagr.h"
#include "diagram_state.h"
#include "occupancy.h"
#include "plotter.h"

namespace {

// Points of a band filled as one polygon; a longer run is filled in pieces that share their end points.
constexpr int BAND_CHUNK = diagr::area::MAX_POLYGON / 2;

// Draws on to (X, Y) cm from the last vertex, or starts there, marking the occupancy grid.
struct StepPen {
    bool down = false;
    float last_x = 0.0F;
    float last_y = 0.0F;
    void to(float x, float y) {
        CPLOT(x, y, down ? 2 : 3);
        if (down) {
            diagr::occupancy::mark_segment(last_x, last_y, x, y);
        }
        down = true;
        last_x = x;
        last_y = y;
    }
};

}  // namespace

void STEPS(const float* X, const float* Y, const int& N, const int& IWHERE) {
    DERR("Steps", 5);
    diagr::diagram::clip_to_frame();
    if (N <= 0 || X == nullptr || Y == nullptr) {
        return;
    }
    PLTSYN(1);
    StepPen pen;
    float px = 0.0F;
    float py = 0.0F;
    for (int i = 0; i < N; ++i) {
        const float x = XCM(X[i]);
        const float y = YCM(Y[i]);
        if (!std::isfinite(x) || !std::isfinite(y)) {
            pen.down = false;
            continue;
        }
        if (pen.down) {
            if (IWHERE == 1) {
                pen.to(px, y);
            } else if (IWHERE == 2) {
                pen.to(x, py);
            } else {
                const float middle = (px + x) / 2.0F;
                pen.to(middle, py);
                pen.to(middle, y);
            }
        }
        pen.to(x, y);
        px = x;
        py = y;
    }
    PLTSYN(0);
}

void BAND(const float* X, const float* YLO, const float* YHI, const int& N) {
    DERR("Band", 4);
    diagr::diagram::clip_to_frame();
    if (N <= 0 || X == nullptr || YLO == nullptr || YHI == nullptr) {
        return;
    }
    float xs[BAND_CHUNK];
    float highs[BAND_CHUNK];
    float lows[BAND_CHUNK];
    diagr::area::FillScope scope;
    int used = 0;
    // Fills the points gathered so far, along the upper curve and back along the lower one; the
    // last point starts the next piece when the run goes on.
    const auto flush = [&](bool run_goes_on) {
        if (used >= 2) {
            float x[2 * BAND_CHUNK];
            float y[2 * BAND_CHUNK];
            for (int k = 0; k < used; ++k) {
                x[k] = xs[k];
                y[k] = highs[k];
                x[2 * used - 1 - k] = xs[k];
                y[2 * used - 1 - k] = lows[k];
            }
            scope.fill(x, y, 2 * used);
        }
        if (run_goes_on && used > 0) {
            xs[0] = xs[used - 1];
            highs[0] = highs[used - 1];
            lows[0] = lows[used - 1];
            used = 1;
        } else {
            used = 0;
        }
    };
    for (int i = 0; i < N; ++i) {
        const float x = diagr::area::x_cm(X[i]);
        const float low = diagr::area::y_cm(YLO[i]);
        const float high = diagr::area::y_cm(YHI[i]);
        if (!std::isfinite(x) || !std::isfinite(low) || !std::isfinite(high)) {
            flush(false);
            continue;
        }
        if (used == BAND_CHUNK) {
            flush(true);
        }
        if (used > 0) {
            diagr::occupancy::mark_segment(xs[used - 1], highs[used - 1], x, high);
            diagr::occupancy::mark_segment(xs[used - 1], lows[used - 1], x, low);
        }
        xs[used] = x;
        highs[used] = high;
        lows[used] = low;
        ++used;
    }
    flush(false);
}
