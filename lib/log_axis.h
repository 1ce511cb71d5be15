// Internal: one side of a frame on a logarithmic or a time axis, and the unnumbered ticks of a
// linear one, drawn by the axis family (achse.cpp).
#pragma once

namespace diagr::axis {

// As ACHSE (NUMBERED) or ACHSE0 draw a linear axis from (XA, YA) cm, ALEN cm at ANGLE degrees with
// the label side by the sign of NC and the first |NC| characters of ATEXT as its text, but for a
// logarithmic axis from VFIRST to VLAST (both > 0) in the label height of ACHSIZ: ticks at the
// decades, numbered every s-th, minor ticks between, and under 0.4 of a decade the ticks of a
// linear axis at their logarithmic places.
void draw_logarithmic(float xa, float ya, const char* atext, int atext_len, int nc, float alen, float angle,
                      float vfirst, float vlast, bool numbered);

// As draw_logarithmic, but a time axis from VFIRST to VLAST, in seconds after T0 (seconds since
// 1970-01-01 UTC): ticks on the calendar and their labels as time_ticks (time_scale.h) chooses
// them, minor ticks, the context text under the axis's end and the axis text beyond it. Without a
// usable time axis, the linear axis of ACHSE (NUMBERED) or ACHSE0.
void draw_time(float xa, float ya, const char* atext, int atext_len, int nc, float alen, float angle, float vfirst,
               float vlast, double t0, bool numbered);

// Short ticks on a linear axis placed as ACHSE0 places one (from (XA, YA) cm, ALEN cm at ANGLE
// degrees, pointing away from the label side by the sign of NC, VFIRST to VLAST): at the multiples
// of MINOR that are not multiples of STEP, the numbered ticks ACHSE draws there. Nothing when an
// argument is not finite, MINOR is not positive or there would be more than 10 000 of them.
void draw_minor_linear(float xa, float ya, int nc, float alen, float angle, float vfirst, float vlast, float step,
                       float minor);

}  // namespace diagr::axis
