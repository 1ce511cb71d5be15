// STELLE and FSTELLE: the short label text of a real, at most six significant digits, with a power of
// ten taken out of very large and very small values.
//
// Both entries share one body. The value is first rounded to six significant digits through the
// 13-character exponent form " 0.ddddddE+xx" and read back; the label is then cut out of a
// 13-character work field holding the fixed form (FSTELLE, magnitudes below 10) or the general
// form. Decimal rounding is the C library's correctly rounded conversion of the float. The
// logarithm is single precision, because the chosen exponent depends on it; the value is divided
// by the power of ten in double and the quotient rounded to six digits from there, so the label
// times 10**IEXP is the value to six significant digits (five in the band 0.01 to 0.1) for every
// finite float, denormals included.
//
// Values the formatting was never meant for are answered soundly:
// - NaN gives "NaN", +Inf "Inf", -Inf "-Inf"; NCH is the length of that text and IEXP is set to 0
//   by both entries.
// - When the single-precision logarithm rounds up to a whole negative number for a mantissa just
//   below 10 (for example 9.99999E-9), the documented exponent rule would take out one power of ten
//   too many and the label would be ten times too large. The exponent is lowered by one instead, so
//   the label always shows the value.
// - The quotient is rounded to six significant digits before it is formatted: a decade whose
//   nearest float lies just below it (1E23 is 9.99999978E22) would otherwise give a quotient just
//   below 1, written with six decimals as "1.000000" and cut to an empty label; and a denormal,
//   whose float holds fewer than six digits, keeps the rounding of its own digits.
// - A label whose digits are all zero (FSTELLE of -1.5E-8 is "0.00000" in fixed form) carries no
//   sign: "0", not "-0".
// The label never runs outside the declared field, whatever its length (0 included).
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "diagr.h"
#include "power_of_ten.h"

namespace {

constexpr int WORK_LEN = 13;

enum class Entry { General, FixedBelowTen };

// The 13-character exponent form " 0.ddddddE+xx" of a positive finite value, into work[0..12].
void exponent_form(float y, char* work) {
    char buffer[32];
    // "d.dddddE+xx": the same six significant digits, one decade lower than the 0.dddddd form.
    std::snprintf(buffer, sizeof buffer, "%.5e", static_cast<double>(y));
    const char* e = std::strchr(buffer, 'e');
    const int decade = (e != nullptr) ? std::atoi(e + 1) + 1 : 0;
    const int magnitude = decade < 0 ? -decade : decade;
    work[0] = ' ';
    work[1] = '0';
    work[2] = '.';
    work[3] = buffer[0];
    std::memcpy(work + 4, buffer + 2, 5);
    work[9] = 'E';
    work[10] = decade < 0 ? '-' : '+';
    work[11] = static_cast<char>('0' + (magnitude / 10) % 10);
    work[12] = static_cast<char>('0' + magnitude % 10);
}

// Copies at most 13 characters of a formatted text into work and pads it with blanks.
void fill_work(const char* text, char* work) {
    const std::size_t length = std::strlen(text);
    const std::size_t used = length < WORK_LEN ? length : WORK_LEN;
    std::memset(work, ' ', WORK_LEN);
    std::memcpy(work, text, used);
}

// The fixed form: five decimals right-aligned in 9 characters, then 4 blanks.
void fixed_form(float y, char* work) {
    char buffer[48];
    std::snprintf(buffer, sizeof buffer, "%9.5f", static_cast<double>(y));
    fill_work(buffer, work);
}

// The general form of a positive value: six significant digits in fixed notation right-aligned in
// 9 characters (the number of decimals chosen from y before rounding), else the exponent form.
void general_form(float y, char* work) {
    if (!(y >= 0.1F && y < 1000000.0F)) {
        exponent_form(y, work);
        return;
    }
    int decimals = 6;
    for (float bound = 1.0F; decimals > 0 && y >= bound; bound *= 10.0F) {
        --decimals;
    }
    char buffer[48];
    std::snprintf(buffer, sizeof buffer, "%#9.*f", decimals, static_cast<double>(y));
    fill_work(buffer, work);
}

// Writes TEXT (LENGTH characters) into the field, blank-padded or cut to its declared length.
void write_label(const char* text, int length, char* label, int label_len) {
    for (int i = 0; i < label_len; ++i) {
        label[i] = i < length ? text[i] : ' ';
    }
}

// Six significant digits: the exponent form written and read back as a float.
float round_to_six_digits(double value) {
    char buffer[32];
    std::snprintf(buffer, sizeof buffer, "%.5e", value);
    return std::strtof(buffer, nullptr);
}

void stelle_body(Entry entry, float value, char* label, int& nch, int& iexp, int label_len) {
    if (std::isnan(value)) {
        write_label("NaN", 3, label, label_len);
        nch = 3;
        iexp = 0;
        return;
    }
    if (std::isinf(value)) {
        const char* text = value < 0.0F ? "-Inf" : "Inf";
        const int length = value < 0.0F ? 4 : 3;
        write_label(text, length, label, label_len);
        nch = length;
        iexp = 0;
        return;
    }

    float y = round_to_six_digits(value);
    if (y == 0.0F) {
        write_label("0", 1, label, label_len);
        nch = 1;
        iexp = 0;
        return;
    }

    const bool fixed = entry == Entry::FixedBelowTen && std::fabs(y) < 10.0F;
    const float sign = y < 0.0F ? -1.0F : 1.0F;
    y = std::fabs(y);

    bool shift = false;
    if (!fixed) {
        const float logarithm = std::log10(y);
        iexp = static_cast<int>(logarithm);
        if (logarithm == static_cast<float>(iexp) && logarithm < 0.0F) {
            iexp += 1;
        }
        if (iexp == -1) {
            iexp = 0;
            shift = true;
        }
        if (iexp >= 0 && iexp <= 5) {
            iexp = 0;
        }
        float scaled = round_to_six_digits(divide_by_power_of_ten(y, iexp));
        if (iexp <= -2 && scaled < 0.1F) {
            // The logarithm rounded up to a whole number: one decade too many was taken out.
            iexp -= 1;
            scaled = round_to_six_digits(divide_by_power_of_ten(y, iexp));
        }
        y = scaled;
    }

    char work[WORK_LEN];
    if (fixed) {
        fixed_form(y, work);
    } else {
        general_form(y, work);
    }

    if (shift) {
        // " 0.ddddddE-01" becomes " 0.0ddddd": the band 0.01 to 0.1 keeps five digits.
        for (int position = 8; position >= 4; --position) {
            work[position] = work[position - 1];
        }
        work[3] = '0';
        std::memset(work + 9, ' ', 4);
    }

    // Trim trailing zeros from position 9 down to 3 (1-based).
    int stop = 3;
    bool point = false;
    for (int position = 9; position >= 3; --position) {
        if (work[position - 1] != '0') {
            stop = position;
            point = work[position - 1] == '.';
            break;
        }
    }

    int first;
    int last;
    if (point) {
        first = 3;
        last = stop - 1;
    } else {
        first = (fixed || y >= 1.0F) ? 3 : 2;
        last = stop;
    }

    bool all_zero = true;
    for (int position = first; position <= last; ++position) {
        all_zero = all_zero && (work[position - 1] == '0' || work[position - 1] == '.');
    }

    char text[WORK_LEN + 1];
    int length = 0;
    if (sign < 0.0F && !all_zero) {
        text[length++] = '-';
    }
    for (int position = first; position <= last; ++position) {
        text[length++] = work[position - 1];
    }
    write_label(text, length, label, label_len);
    nch = length;
}

}  // namespace

void STELLE(const float& VALUE, char* LABEL, int& NCH, int& IEXP, int LABEL_len) {
    stelle_body(Entry::General, VALUE, LABEL, NCH, IEXP, LABEL_len);
}

void FSTELLE(const float& VALUE, char* LABEL, int& NCH, int& IEXP, int LABEL_len) {
    stelle_body(Entry::FixedBelowTen, VALUE, LABEL, NCH, IEXP, LABEL_len);
}
