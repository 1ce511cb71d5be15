// Internal: the powers of ten that the label and axis routines scale values by.
#pragma once

// 10 to the power IEXP by repeated single-precision multiplication, of 10 or of 0.1.
inline float repeated_power_of_ten(int iexp) {
    float power = 1.0F;
    if (iexp > 0) {
        for (int i = 0; i < iexp; ++i) {
            power *= 10.0F;
        }
    } else {
        for (int i = 0; i < -iexp; ++i) {
            power *= 0.1F;
        }
    }
    return power;
}

// VALUE divided by 10 to the power IEXP, in double: the power is formed in double (exact up to
// 10**22, within a few units of 1E-16 beyond) and a negative exponent multiplies by its positive
// power. Rounded to single precision by the caller, the quotient keeps every digit of the float; a
// single-precision power loses the sixth digit of a label below 1E-19 and misses decades like 1E25.
inline double divide_by_power_of_ten(float value, int iexp) {
    double power = 1.0;
    for (int i = 0; i < (iexp < 0 ? -iexp : iexp); ++i) {
        power *= 10.0;
    }
    const double wide = static_cast<double>(value);
    return iexp < 0 ? wide * power : wide / power;
}
