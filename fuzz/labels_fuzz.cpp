// Fuzz target: any float bit pattern and any field length (0 to 16) into STELLE and FSTELLE.
//
// Input: 4 bytes of the value's bits (little-endian), then one byte whose low bits pick the field
// length; shorter inputs are padded with zeros. Invariants checked for both entries:
// - nothing is written outside the field (guard bytes on both sides);
// - NCH is 1 to 9 and the field holds the label's first min(NCH, length) characters, then blanks;
// - the label is digits, at most one point and a leading minus, or NaN, Inf, -Inf for the
//   non-finite values (IEXP 0 then);
// - IEXP is 0 for magnitudes from 0.01 below 1,000,000, at least 6 above, at most -2 below, and
//   within the float range of decimal exponents; FSTELLE leaves it alone for non-zero magnitudes
//   below 10 (after rounding to six digits);
// - the label times 10**IEXP is the value rounded to six significant digits (the sixth cut off in
//   the band 0.01 to 0.1), FSTELLE's fixed form the value to five decimals; no label reads "-0".
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "diagr.h"

namespace {

constexpr int kGuard = 16;
constexpr int kMaxField = 16;
constexpr int kUntouched = 0x5A5A5A5A;
constexpr char kGuardByte = '\x7f';

[[noreturn]] void finding(const char* entry, float value, int length, const char* what) {
    std::fprintf(stderr, "labels fuzz: %s(%.9g) with a %d-character field: %s\n", entry, static_cast<double>(value),
                 length, what);
    std::abort();
}

// The significant digits of a decimal TEXT times 10**POWER ("d.ddddde+xx", a label, or bare
// digits) without leading and trailing zeros into DIGITS, and into DIGITS_POWER the power of ten
// of the first digit, as 0.DIGITS x 10**DIGITS_POWER.
void decimal_digits(const char* text, int power, char* digits, int& digits_power) {
    char kept[16];
    int count = 0;
    int point = -1;
    int exponent = 0;
    for (const char* c = text; *c != '\0'; ++c) {
        if (*c == '.') {
            point = count;
        } else if (*c >= '0' && *c <= '9') {
            if (count < 15) {
                kept[count++] = *c;
            }
        } else if (*c == 'e') {
            exponent = std::atoi(c + 1);
            break;
        }
    }
    if (point < 0) {
        point = count;
    }
    int lead = 0;
    while (lead < count && kept[lead] == '0') {
        ++lead;
    }
    while (count > lead && kept[count - 1] == '0') {
        --count;
    }
    std::memcpy(digits, kept + lead, static_cast<std::size_t>(count - lead));
    digits[count - lead] = '\0';
    digits_power = count > lead ? point - lead + exponent + power : 0;
}

void check(bool fixed_entry, float value, int length) {
    const char* entry = fixed_entry ? "FSTELLE" : "STELLE";
    char buffer[kGuard + kMaxField + kGuard];
    std::memset(buffer, kGuardByte, sizeof buffer);
    char* field = buffer + kGuard;
    int nch = -1;
    int iexp = kUntouched;
    if (fixed_entry) {
        FSTELLE(value, field, nch, iexp, length);
    } else {
        STELLE(value, field, nch, iexp, length);
    }
    for (int i = 0; i < kGuard; ++i) {
        if (buffer[i] != kGuardByte || buffer[kGuard + length + i] != kGuardByte) {
            finding(entry, value, length, "wrote outside the field");
        }
    }
    if (nch < 1 || nch > 9) {
        finding(entry, value, length, "NCH out of 1..9");
    }
    // The full label, taken from a 16-character run of the same entry (9 always fit).
    char whole[kMaxField];
    int whole_nch = -1;
    int whole_iexp = kUntouched;
    if (fixed_entry) {
        FSTELLE(value, whole, whole_nch, whole_iexp, kMaxField);
    } else {
        STELLE(value, whole, whole_nch, whole_iexp, kMaxField);
    }
    if (whole_nch != nch || whole_iexp != iexp) {
        finding(entry, value, length, "NCH or IEXP depends on the field length");
    }
    for (int i = 0; i < kMaxField; ++i) {
        if (i >= nch && whole[i] != ' ') {
            finding(entry, value, length, "not blank after the label");
        }
        if (i < length && field[i] != whole[i]) {
            finding(entry, value, length, "field is not the label's first characters");
        }
    }

    if (!std::isfinite(value)) {
        const char* expected = std::isnan(value) ? "NaN" : (value < 0.0F ? "-Inf" : "Inf");
        if (nch != static_cast<int>(std::strlen(expected)) || std::memcmp(whole, expected, std::strlen(expected)) != 0 ||
            iexp != 0) {
            finding(entry, value, length, "wrong non-finite label");
        }
        return;
    }

    int points = 0;
    for (int i = 0; i < nch; ++i) {
        const char c = whole[i];
        if (c == '-' && i == 0) {
            continue;
        }
        if (c == '.') {
            ++points;
            continue;
        }
        if (c < '0' || c > '9') {
            finding(entry, value, length, "character other than digit, point, minus");
        }
    }
    if (points > 1 || (whole[0] == '-' && nch == 1) || whole[nch - 1] == '.') {
        finding(entry, value, length, "malformed number");
    }

    // The value rounded to six significant digits, as the routines round it.
    char rounded_text[32];
    std::snprintf(rounded_text, sizeof rounded_text, "%.5e", static_cast<double>(value));
    // Compared as floats, as the routines compare: 0.01F lies below the decimal 0.01.
    const float magnitude = std::fabs(std::strtof(rounded_text, nullptr));
    const bool fixed_path = fixed_entry && magnitude < 10.0F && magnitude != 0.0F;
    if (fixed_path) {
        if (iexp != kUntouched) {
            finding(entry, value, length, "FSTELLE changed IEXP below 10");
        }
    } else if (magnitude == 0.0F) {
        if (iexp != 0) {
            finding(entry, value, length, "IEXP not 0 for zero");
        }
    } else {
        if (iexp < -46 || iexp > 39) {
            finding(entry, value, length, "IEXP outside the float range");
        }
        if (magnitude >= 1.0e6F && iexp < 6) {
            finding(entry, value, length, "IEXP below 6 for a magnitude of a million or more");
        }
        if (magnitude < 0.01F && iexp > -2) {
            finding(entry, value, length, "IEXP above -2 for a magnitude below 0.01");
        }
        if (magnitude >= 0.01F && magnitude < 1.0e6F && iexp != 0) {
            finding(entry, value, length, "IEXP not 0 between 0.01 and a million");
        }
    }

    // The label must show the value: in the general form it is, times 10**IEXP, the six-digit
    // rounding exactly (the sixth digit cut off in the band 0.01 to 0.1), compared as decimal
    // digits; the fixed form is the value to five decimals. An all-zero label has no sign.
    char label_text[kMaxField + 1];
    std::memcpy(label_text, whole, static_cast<std::size_t>(nch));
    label_text[nch] = '\0';
    if (whole[0] == '-' && std::strspn(label_text + 1, "0.") == static_cast<std::size_t>(nch - 1)) {
        finding(entry, value, length, "signed zero label");
    }
    if (fixed_path) {
        const double error = std::fabs(std::strtod(label_text, nullptr) - static_cast<double>(value));
        if (!(error <= 6.0e-6)) {
            finding(entry, value, length, "label does not show the value");
        }
    } else if (magnitude != 0.0F) {
        char expected[16];
        int expected_power = 0;
        decimal_digits(rounded_text, 0, expected, expected_power);
        if (expected_power == -1) {
            // Five digits kept: cut the sixth and the zeros that end up last.
            for (std::size_t end = std::strlen(expected) < 5 ? std::strlen(expected) : 5;; --end) {
                expected[end] = '\0';
                if (end == 0 || expected[end - 1] != '0') {
                    break;
                }
            }
        }
        char shown[16];
        int shown_power = 0;
        decimal_digits(label_text, iexp, shown, shown_power);
        if (std::strcmp(shown, expected) != 0 || shown_power != expected_power) {
            finding(entry, value, length, "label does not show the value to six digits");
        }
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::uint8_t bytes[5] = {0, 0, 0, 0, 0};
    std::memcpy(bytes, data, size < sizeof bytes ? size : sizeof bytes);
    const std::uint32_t bits = static_cast<std::uint32_t>(bytes[0]) | static_cast<std::uint32_t>(bytes[1]) << 8 |
                               static_cast<std::uint32_t>(bytes[2]) << 16 | static_cast<std::uint32_t>(bytes[3]) << 24;
    float value = 0.0F;
    std::memcpy(&value, &bits, sizeof value);
    const int length = bytes[4] % (kMaxField + 1);
    check(false, value, length);
    check(true, value, length);
    return 0;
}
