// Internal: one side of a frame on a logarithmic axis, drawn by the axis family (achse.cpp).
#pragma once

namespace diagr::axis {

// As ACHSE (NUMBERED) or ACHSE0 draw a linear axis from (XA, YA) cm, ALEN cm at ANGLE degrees with
// the label side by the sign of NC and the first |NC| characters of ATEXT as its text, but for a
// logarithmic axis from VFIRST to VLAST (both > 0) in the label height of ACHSIZ: ticks at the
// decades, numbered every s-th, minor ticks between, and under 0.4 of a decade the ticks of a
// linear axis at their logarithmic places.
void draw_logarithmic(float xa, float ya, const char* atext, int atext_len, int nc, float alen, float angle,
                      float vfirst, float vlast, bool numbered);

}  // namespace diagr::axis
