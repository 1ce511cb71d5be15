// The plot state PLTPAR, the user-to-centimetre mapping and its guard.
#include <algorithm>
#include <bit>
#include <cfloat>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>

#include "diagr.h"
#include "plotter.h"

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

}  // namespace

void CLIP(const float& X0, const float& Y0, const float& XLEN, const float& YLEN, const float& XMIN, const float& XMAX,
          const float& YMIN, const float& YMAX) {
    // Copied first: a caller may pass words of the plot state itself.
    const float x0 = X0;
    const float y0 = Y0;
    const float xlen = XLEN;
    const float ylen = YLEN;
    const float xmin = XMIN;
    const float xmax = XMAX;
    const float ymin = YMIN;
    const float ymax = YMAX;
    map_axis(x0, xlen, xmin, xmax, PLTPAR.XSCAL, PLTPAR.XOFFS);
    map_axis(y0, ylen, ymin, ymax, PLTPAR.YSCAL, PLTPAR.YOFFS);
    PLTPAR.XLEFT = x0;
    PLTPAR.YBOTM = y0;
    PLTPAR.XRIGHT = x0 + xlen;
    PLTPAR.YTOP = y0 + ylen;
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
    return X * PLTPAR.XSCAL + PLTPAR.XOFFS;
}

float YCM(const float& Y) {
    DERR("Ycm", 3);
    return Y * PLTPAR.YSCAL + PLTPAR.YOFFS;
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
