// Internal: the power of ten that the label and axis routines divide values by.
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
