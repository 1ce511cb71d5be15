// The plot state PLTPAR, the user-to-centimetre mapping (linear or logarithmic) and its guard.
#include <algorithm>
#include <bit>
#include <cfloat>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <limits>

#include "diagr.h"
#include "diagram_state.h"
#include "legend.h"
#include "occupancy.h"
#include "plotter.h"
#include "session.h"

// The bytes "Erro" in memory, read as a float on a little-endian machine.
const float PLTPAR_SENTINEL = std::bit_cast<float>(std::uint32_t{0x6F727245});

const PltPar LABINI_VALUES = {PLTPAR_SENTINEL, 0.0F, 0.0F, 0.0F, 0.0F, 0.0F, 0.0F, 0.0F, 1, 1, 0.4F, 0.4F, 0.4F, 0.3F};

// The plot state under gfortran's name of the common block /PLTPAR/, so Fortran code that declares
// it shares the plot state word for word, and PLTPAR a weak alias of it: a program linked against
// the shared library gets its own copy of the block, and the linker then moves both names there.
extern "C" {
PltPar pltpar_ = LABINI_VALUES;
}
extern PltPar PLTPAR __attribute__((weak, alias("pltpar_")));

void LABINI() {}

namespace {

bool all_finite(float a, float b, float c, float d) {
    return std::isfinite(a) && std::isfinite(b) && std::isfinite(c) && std::isfinite(d);
}

bool fits_float(double value) { return std::fabs(value) <= static_cast<double>(FLT_MAX); }

float saturate_to_float(double value) {
    return static_cast<float>(std::clamp(value, -static_cast<double>(FLT_MAX), static_cast<double>(FLT_MAX)));
}

// One axis of the mapping: ORIGIN cm shows user value LOW, ORIGIN + LENGTH cm shows HIGH.
// Finite arguments always give a finite scale and offset:
// - an empty range (LOW == HIGH), or one so narrow that the scale overflows, is mapped as
//   LOW - d to LOW + d with d the larger of 1 and |LOW| / 10, so the value lies mid-frame;
// - a range too wide for a float (HIGH - LOW overflows, leaving a scale of 0) is divided out in
//   double precision.
// Non-finite arguments give no usable mapping and are left to the plain arithmetic; the
// curve and text routines skip the non-finite positions that result.
void map_axis(float origin, float length, float low, float high, float& scale, float& offset) {
    scale = length / (high - low);
    offset = origin - low * scale;
    const bool usable = std::isfinite(scale) && std::isfinite(offset) && (scale != 0.0F || length == 0.0F);
    if (usable || !all_finite(origin, length, low, high)) {
        return;
    }
    const double range = static_cast<double>(high) - static_cast<double>(low);
    if (range != 0.0) {
        const double wide_scale = static_cast<double>(length) / range;
        const double wide_offset = static_cast<double>(origin) - static_cast<double>(low) * wide_scale;
        if (fits_float(wide_scale) && fits_float(wide_offset)) {
            scale = static_cast<float>(wide_scale);
            offset = static_cast<float>(wide_offset);
            return;
        }
    }
    const double margin = std::max(1.0, std::fabs(static_cast<double>(low)) / 10.0);
    const double empty_scale = static_cast<double>(length) / (2.0 * margin);
    scale = saturate_to_float(empty_scale);
    offset = saturate_to_float(static_cast<double>(origin) - (static_cast<double>(low) - margin) * empty_scale);
}

// The axes LOGAX asked for, and the page they were asked for on: PLOTS starts every plot linear.
struct LogRequest {
    bool x = false;
    bool y = false;
    long page = -1;
};
LogRequest log_request;

// The time axes TIMAX asked for, their origin, and the page they were asked for on: PLOTS starts
// every plot without.
struct TimeRequest {
    bool x = false;
    bool y = false;
    double t0 = 0.0;
    long page = -1;
};
TimeRequest time_request;

// The axes of the diagram in force, fixed when it was set up, and the page it was set up on.
bool log_x_in_force = false;
bool log_y_in_force = false;
bool time_x_in_force = false;
bool time_y_in_force = false;
double time_origin_in_force = 0.0;
long set_up_page = -1;

bool positive_finite(float value) { return std::isfinite(value) && value > 0.0F; }

// Whether an axis asked to be logarithmic can be: both bounds positive and finite. Otherwise
// ROUTINE says so, unless QUIET, and the axis is drawn linear.
bool logarithmic_axis(bool requested, float low, float high, char name, const char* routine, bool quiet) {
    if (!requested) {
        return false;
    }
    if (positive_finite(low) && positive_finite(high)) {
        return true;
    }
    if (!quiet) {
        std::fprintf(stderr, "%s: the logarithmic %c axis needs bounds above 0, not %g to %g; it is drawn linear\n",
                     routine, name, static_cast<double>(low), static_cast<double>(high));
        std::fflush(stderr);
    }
    return false;
}

// A time axis is linear in seconds: a logarithmic request on it is reported (unless QUIET) and
// dropped.
bool drop_log_on_time_axis(bool log_requested, bool time_axis, char name, const char* routine, bool quiet) {
    if (log_requested && time_axis && !quiet) {
        std::fprintf(stderr, "%s: the %c axis is a time axis and cannot be logarithmic; it is drawn linear\n", routine,
                     name);
        std::fflush(stderr);
    }
    return log_requested && !time_axis;
}

float log_or_value(bool logarithmic, float value) {
    if (!logarithmic) {
        return value;
    }
    return value > 0.0F ? std::log10(value) : std::numeric_limits<float>::quiet_NaN();
}

}  // namespace

namespace diagr::diagram {

bool log_requested_x() { return log_request.page == plotter::pages_begun() && log_request.x; }
bool log_requested_y() { return log_request.page == plotter::pages_begun() && log_request.y; }

bool time_requested_x() { return time_request.page == plotter::pages_begun() && time_request.x; }
bool time_requested_y() { return time_request.page == plotter::pages_begun() && time_request.y; }
double time_origin_requested() { return time_request.t0; }

bool time_x() { return time_x_in_force; }
bool time_y() { return time_y_in_force; }
double time_origin() { return time_origin_in_force; }

bool log_x() { return log_x_in_force; }
bool log_y() { return log_y_in_force; }

float mapped_x(float value) { return log_or_value(log_x_in_force, value); }
float mapped_y(float value) { return log_or_value(log_y_in_force, value); }

float unmapped_x(float c) { return log_x_in_force ? std::pow(10.0F, c) : c; }
float unmapped_y(float c) { return log_y_in_force ? std::pow(10.0F, c) : c; }

void set_up(const char* routine, bool quiet, float x0, float y0, float xlen, float ylen, float xmin, float xmax,
            float ymin, float ymax) {
    const PltPar before = PLTPAR;
    const bool log_x_before = log_x_in_force;
    const bool log_y_before = log_y_in_force;
    const bool time_x_before = time_x_in_force;
    const bool time_y_before = time_y_in_force;
    const double time_origin_before = time_origin_in_force;
    time_x_in_force = time_requested_x();
    time_y_in_force = time_requested_y();
    time_origin_in_force = time_x_in_force || time_y_in_force ? time_request.t0 : 0.0;
    const bool log_x_wanted = drop_log_on_time_axis(log_requested_x(), time_x_in_force, 'x', routine, quiet);
    const bool log_y_wanted = drop_log_on_time_axis(log_requested_y(), time_y_in_force, 'y', routine, quiet);
    log_x_in_force = logarithmic_axis(log_x_wanted, xmin, xmax, 'x', routine, quiet);
    log_y_in_force = logarithmic_axis(log_y_wanted, ymin, ymax, 'y', routine, quiet);
    map_axis(x0, xlen, log_or_value(log_x_in_force, xmin), log_or_value(log_x_in_force, xmax), PLTPAR.XSCAL,
             PLTPAR.XOFFS);
    map_axis(y0, ylen, log_or_value(log_y_in_force, ymin), log_or_value(log_y_in_force, ymax), PLTPAR.YSCAL,
             PLTPAR.YOFFS);
    PLTPAR.XLEFT = x0;
    PLTPAR.YBOTM = y0;
    PLTPAR.XRIGHT = x0 + xlen;
    PLTPAR.YTOP = y0 + ylen;
    const bool same = before.XSCAL == PLTPAR.XSCAL && before.YSCAL == PLTPAR.YSCAL && before.XOFFS == PLTPAR.XOFFS &&
                      before.YOFFS == PLTPAR.YOFFS && before.XLEFT == PLTPAR.XLEFT && before.YBOTM == PLTPAR.YBOTM &&
                      before.XRIGHT == PLTPAR.XRIGHT && before.YTOP == PLTPAR.YTOP && log_x_before == log_x_in_force &&
                      log_y_before == log_y_in_force && time_x_before == time_x_in_force &&
                      time_y_before == time_y_in_force && time_origin_before == time_origin_in_force &&
                      set_up_page == plotter::pages_begun();
    set_up_page = plotter::pages_begun();
    if (!same) {
        occupancy::clear(PLTPAR.XLEFT, PLTPAR.YBOTM, PLTPAR.XRIGHT, PLTPAR.YTOP);
        legend::clear();
    }
}

void report_non_positive(const char* routine, const float* values, int n, bool on_log_axis, char axis_name) {
    if (!on_log_axis || values == nullptr) {
        return;
    }
    long count = 0;
    for (int i = 0; i < n; ++i) {
        // NaN is left out as any curve leaves it out, without a word.
        count += values[i] <= 0.0F ? 1 : 0;
    }
    if (count > 0) {
        std::fprintf(stderr, "%s: %ld point%s with %c <= 0 %s not drawn on the logarithmic axis\n", routine, count,
                     count == 1 ? "" : "s", axis_name, count == 1 ? "is" : "are");
        std::fflush(stderr);
    }
}

void clip_to_frame() {
    CPLOT(PLTPAR.XLEFT, PLTPAR.YBOTM, 997);
    CPLOT(PLTPAR.XRIGHT, PLTPAR.YTOP, 998);
}

}  // namespace diagr::diagram

void LOGAX(const int& LOGX, const int& LOGY) {
    log_request.x = LOGX != 0;
    log_request.y = LOGY != 0;
    log_request.page = plotter::pages_begun();
}

void TIMAX(const int& ITX, const int& ITY, const double& T0) {
    time_request.x = ITX != 0;
    time_request.y = ITY != 0;
    time_request.t0 = T0;
    time_request.page = plotter::pages_begun();
}

void CLIP(const float& X0, const float& Y0, const float& XLEN, const float& YLEN, const float& XMIN, const float& XMAX,
          const float& YMIN, const float& YMAX) {
    // set_up takes copies: a caller may pass words of the plot state itself.
    diagr::diagram::set_up("CLIP", false, X0, Y0, XLEN, YLEN, XMIN, XMAX, YMIN, YMAX);
}

void DERR(const char* NAME, int NAME_len) {
    if (PLTPAR.XSCAL != PLTPAR_SENTINEL) {
        return;
    }
    PLTEND();
    std::fputs(" ?DGRDNC: Illegal call of ", stdout);
    if (NAME_len > 0) {
        std::fwrite(NAME, 1, static_cast<std::size_t>(NAME_len), stdout);
    }
    std::fputc('\n', stdout);
    std::fflush(stdout);
    std::fputs(" ?DGRDNC: DIAGR or FRAME must be called first.\n", stdout);
    std::fflush(stdout);
    // A program stopped for an illegal call has failed: the script that ran it must see so.
    std::exit(1);
}

float XCM(const float& X) {
    DERR("Xcm", 3);
    return diagr::diagram::mapped_x(X) * PLTPAR.XSCAL + PLTPAR.XOFFS;
}

float YCM(const float& Y) {
    DERR("Ycm", 3);
    return diagr::diagram::mapped_y(Y) * PLTPAR.YSCAL + PLTPAR.YOFFS;
}

void FRALAB(const int& IXLAB, const int& IYLAB, const float& XLSIZE, const float& YLSIZE, const float& TSIZE,
            const float& SYMSIZ) {
    PLTPAR.IXLAB = IXLAB;
    PLTPAR.IYLAB = IYLAB;
    PLTPAR.XLSIZE = XLSIZE;
    PLTPAR.YLSIZE = YLSIZE;
    PLTPAR.TSIZE = TSIZE;
    PLTPAR.SYMSIZ = SYMSIZ;
}
