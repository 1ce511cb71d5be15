// LINT: the floor of a real as a 32-bit integer.
//
// Outside the integer range the result saturates: values at or above 2**31 give the largest
// integer, values below -2**31 the smallest; NaN gives 0.
#include <climits>
#include <cmath>

#include "diagr.h"

int LINT(const float& X) {
    if (std::isnan(X)) {
        return 0;
    }
    // 2**31 is exact as a float; every float below it converts without overflow.
    if (X >= 2147483648.0F) {
        return INT_MAX;
    }
    if (X < -2147483648.0F) {
        return INT_MIN;
    }
    const int truncated = static_cast<int>(X);
    if (X < 0.0F && static_cast<float>(truncated) != X) {
        // X is at least -2**31 here and has a fraction, so truncated - 1 cannot overflow.
        return truncated - 1;
    }
    return truncated;
}
