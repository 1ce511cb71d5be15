// Internal: how OVR's ISYM names a curve's marker, shared by the curves and the legend's samples.
#pragma once

#include <cmath>

namespace diagr {

// The marker number of a marker curve (ISYM < 0): the integer part of |ISYM|, held to the int range.
inline int marker_number(float isym) {
    const float magnitude = std::fabs(isym);
    if (magnitude >= 2147483648.0F) {
        return 2147483647;
    }
    return static_cast<int>(magnitude);
}

}  // namespace diagr
