// The one-call diagram: open ranges taken from the data, the mapping, the curve, then the frame.
//
// On a logarithmic axis an open range runs from the smallest positive to the largest value, out to
// whole decades, or, for data within one decade, out to the nearest 1, 2 or 5 times a power of ten
// (held to the float range); with no positive value the range is the linear one, which the set-up
// then reports and draws linear. On a time axis it runs from the first to the last value out to
// the calendar ticks its frame will draw.
#include "diagr.h"

#include <cfloat>
#include <cmath>
#include <cstddef>
#include <span>

#include "axis_scale.h"
#include "diagram_state.h"
#include "plotter.h"
#include "time_scale.h"

namespace {

// Completes an open range (LOW == HIGH on entry) from the values: their extremes with a tenth of
// their spread added on each side, as range_with_margin describes (non-finite values left out,
// no values giving a reversed but finite range).
void complete_range(const float* values, int n, float& low, float& high) {
    if (low != high) {
        return;
    }
    diagr::scale::Extremes extremes;
    if (n > 0) {
        extremes.take(std::span<const float>(values, static_cast<std::size_t>(n)));
    }
    diagr::scale::range_with_margin(extremes, low, high);
}

// Completes an open range on a logarithmic axis; false (range untouched) without a positive value.
bool complete_log_range(const float* values, int n, float& low, float& high) {
    if (low != high) {
        return true;
    }
    double smallest = HUGE_VAL;
    double largest = 0.0;
    for (int i = 0; i < n; ++i) {
        const double v = values[i];
        if (std::isfinite(v) && v > 0.0) {
            smallest = std::fmin(smallest, v);
            largest = std::fmax(largest, v);
        }
    }
    if (!(largest > 0.0)) {
        return false;
    }
    diagr::scale::log_range(smallest, largest, low, high);
    return true;
}

// Completes an open range on a time axis AXIS_CM long, labels LABEL_HEIGHT high: from the first to
// the last finite value out to calendar ticks; false (range untouched) without a finite value or a
// usable time axis.
bool complete_time_range(const float* values, int n, float axis_cm, float label_height, bool vertical, float& low,
                         float& high) {
    if (low != high) {
        return true;
    }
    diagr::scale::Extremes extremes;
    if (n > 0) {
        extremes.take(std::span<const float>(values, static_cast<std::size_t>(n)));
    }
    if (!extremes.any) {
        return false;
    }
    return diagr::scale::time_range(diagr::diagram::time_origin_requested(), extremes.low, extremes.high, axis_cm,
                                    label_height, vertical, low, high);
}

}  // namespace

void DIAGR(const float& X0, const float& Y0, const float& XLEN, const float& YLEN, float& XMIN, float& XMAX,
           float& YMIN, float& YMAX, const float& DX, const float& DY, const char* XTEXT, const char* YTEXT,
           const char* TITLE, const int& IPENF, const int& IPENC, const float* X, const float* Y, const int& N,
           const float& ISYM, int XTEXT_len, int YTEXT_len, int TITLE_len) {
    const int n = (X != nullptr && Y != nullptr) ? N : 0;
    float xmin = XMIN;
    float xmax = XMAX;
    float ymin = YMIN;
    float ymax = YMAX;
    if (diagr::diagram::time_requested_x()) {
        if (!complete_time_range(X, n, XLEN, PLTPAR.XLSIZE, false, xmin, xmax)) {
            complete_range(X, n, xmin, xmax);
        }
    } else if (!diagr::diagram::log_requested_x() || !complete_log_range(X, n, xmin, xmax)) {
        complete_range(X, n, xmin, xmax);
    }
    if (diagr::diagram::time_requested_y()) {
        if (!complete_time_range(Y, n, YLEN, PLTPAR.YLSIZE, true, ymin, ymax)) {
            complete_range(Y, n, ymin, ymax);
        }
    } else if (!diagr::diagram::log_requested_y() || !complete_log_range(Y, n, ymin, ymax)) {
        complete_range(Y, n, ymin, ymax);
    }
    XMIN = xmin;
    XMAX = xmax;
    YMIN = ymin;
    YMAX = ymax;

    diagr::diagram::set_up("DIAGR", false, X0, Y0, XLEN, YLEN, xmin, xmax, ymin, ymax);
    NEWPEN(IPENC);
    diagr::diagram::draw_diagr_curve(X, Y, n, ISYM);
    // The frame's own set-up is the same diagram again: its grid and legend entries stay.
    diagr::diagram::set_up("DIAGR", true, X0, Y0, XLEN, YLEN, xmin, xmax, ymin, ymax);
    diagr::diagram::draw_frame(X0, Y0, XLEN, YLEN, xmin, xmax, ymin, ymax, DX, DY, XTEXT, YTEXT, TITLE, IPENF,
                               XTEXT_len, YTEXT_len, TITLE_len);
}
