// STELLE and FSTELLE: label texts of reals, their lengths and powers of ten.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <limits>
#include <random>
#include <string>

#include "diagr.h"

namespace {

constexpr int UNTOUCHED = 12345;

struct Label {
    std::string text;  // the whole field, blank padding included
    int nch;
    int iexp;
};

// Runs one entry on a field of FIELD_LEN characters guarded on both sides; fails the test when a
// guard byte was written.
Label run(bool fixed_entry, float value, int field_len = 8) {
    char buffer[64];
    std::memset(buffer, '#', sizeof buffer);
    char* field = buffer + 16;
    int nch = -1;
    int iexp = UNTOUCHED;
    if (fixed_entry) {
        FSTELLE(value, field, nch, iexp, field_len);
    } else {
        STELLE(value, field, nch, iexp, field_len);
    }
    for (int i = 0; i < 16; ++i) {
        EXPECT_EQ(buffer[i], '#') << "wrote before the field, value " << value;
    }
    for (int i = 16 + field_len; i < 64; ++i) {
        EXPECT_EQ(buffer[i], '#') << "wrote after the field, value " << value;
    }
    return {std::string(field, static_cast<std::size_t>(field_len)), nch, iexp};
}

std::string padded(const std::string& text, int length = 8) {
    std::string field = text.substr(0, static_cast<std::size_t>(length));
    field.resize(static_cast<std::size_t>(length), ' ');
    return field;
}

struct Row {
    float value;
    const char* label;
    int nch;
    int iexp;
    const char* fixed_label;  // FSTELLE
    int fixed_nch;
    int fixed_iexp;  // UNTOUCHED where FSTELLE leaves IEXP alone
};

// The results table, plus the documented edge cases.
const Row ROWS[] = {
    {0.0F, "0", 1, 0, "0", 1, 0},
    {3.0F, "3", 1, 0, "3", 1, UNTOUCHED},
    {3.5F, "3.5", 3, 0, "3.5", 3, UNTOUCHED},
    {3.14159265F, "3.14159", 7, 0, "3.14159", 7, UNTOUCHED},
    {12.5F, "12.5", 4, 0, "12.5", 4, 0},
    {123456.0F, "123456", 6, 0, "123456", 6, 0},
    {1234567.0F, "1.23457", 7, 6, "1.23457", 7, 6},
    {-5000000.0F, "-5", 2, 6, "-5", 2, 6},
    {0.5F, "0.5", 3, 0, "0.5", 3, UNTOUCHED},
    {0.05F, "0.05", 4, 0, "0.05", 4, UNTOUCHED},
    {0.0123456F, "0.012345", 8, 0, "0.01235", 7, UNTOUCHED},
    {0.005F, "0.5", 3, -2, "0.005", 5, UNTOUCHED},
    {0.00123F, "0.123", 5, -2, "0.00123", 7, UNTOUCHED},
    {0.00001F, "0.1", 3, -4, "0.00001", 7, UNTOUCHED},
    {1.0e-20F, "0.1", 3, -19, "0", 1, UNTOUCHED},
    {-0.5F, "-0.5", 4, 0, "-0.5", 4, UNTOUCHED},
    {-12.5F, "-12.5", 5, 0, "-12.5", 5, 0},
    // Edge cases.
    {-0.0F, "0", 1, 0, "0", 1, 0},
    {999999.0F, "999999", 6, 0, "999999", 6, 0},
    {1000000.0F, "1", 1, 6, "1", 1, 6},
    {999999.7F, "1", 1, 6, "1", 1, 6},
    {0.1F, "0.1", 3, 0, "0.1", 3, UNTOUCHED},
    {0.01F, "0.01", 4, 0, "0.01", 4, UNTOUCHED},
    {0.001F, "0.1", 3, -2, "0.001", 5, UNTOUCHED},
    {-0.0123456F, "-0.01234", 9, 0, "-0.01235", 8, UNTOUCHED},
    {9.99999F, "9.99999", 7, 0, "9.99999", 7, UNTOUCHED},
    {10.0F, "10", 2, 0, "10", 2, 0},
    {123456.0F * 10.0F, "1.23456", 7, 6, "1.23456", 7, 6},
    // Round half to even on the exact binary value: 1234565 and 1234575 are exact floats.
    {1234565.0F, "1.23456", 7, 6, "1.23456", 7, 6},
    {1234575.0F, "1.23458", 7, 6, "1.23458", 7, 6},
    // Band chosen before rounding: 99999.95 is written with one decimal and rounds up to 100000.
    {99999.95F, "100000", 6, 0, "100000", 6, 0},
    // The float 1.0000005 lies just below the half: six digits give 1, not 1.00001.
    {1.0000005F, "1", 1, 0, "1", 1, UNTOUCHED},
    {3.4028235e38F, "3.40282", 7, 38, "3.40282", 7, 38},
    // The single-precision logarithm of 9.99999E20 rounds to 21: the label is 0.999999 times 10**21.
    {9.99999e20F, "0.999999", 8, 21, "0.999999", 8, 21},
    // Regression: a label whose digits are all zero kept its sign ("-0", NCH 2).
    {-1.5e-8F, "-0.15", 5, -7, "0", 1, UNTOUCHED},
    {-0.000004F, "-0.4", 4, -5, "0", 1, UNTOUCHED},
};

TEST(Stelle, ResultsTableAndEdgeCases) {
    for (const Row& row : ROWS) {
        const Label general = run(false, row.value);
        EXPECT_EQ(general.text, padded(row.label)) << "STELLE " << row.value;
        EXPECT_EQ(general.nch, row.nch) << "STELLE " << row.value;
        EXPECT_EQ(general.iexp, row.iexp) << "STELLE " << row.value;

        const Label fixed = run(true, row.value);
        EXPECT_EQ(fixed.text, padded(row.fixed_label)) << "FSTELLE " << row.value;
        EXPECT_EQ(fixed.nch, row.fixed_nch) << "FSTELLE " << row.value;
        EXPECT_EQ(fixed.iexp, row.fixed_iexp) << "FSTELLE " << row.value;
    }
}

TEST(Stelle, NchCountsTheLabelBeforeCuttingToTheField) {
    const Label nine = run(false, -0.0123456F, 12);
    EXPECT_EQ(nine.text, padded("-0.012345", 12));
    EXPECT_EQ(nine.nch, 9);

    const Label three = run(false, 3.14159265F, 3);
    EXPECT_EQ(three.text, "3.1");
    EXPECT_EQ(three.nch, 7);

    const Label none = run(false, -1234567.0F, 0);
    EXPECT_EQ(none.text, "");
    EXPECT_EQ(none.nch, 8);
    EXPECT_EQ(none.iexp, 6);

    const Label one = run(true, 0.5F, 1);
    EXPECT_EQ(one.text, "0");
    EXPECT_EQ(one.nch, 3);
}

TEST(Stelle, NonFiniteValuesGiveShortLabelsWithExponentZero) {
    const struct {
        float value;
        const char* label;
    } cases[] = {
        {std::numeric_limits<float>::quiet_NaN(), "NaN"},
        {std::numeric_limits<float>::infinity(), "Inf"},
        {-std::numeric_limits<float>::infinity(), "-Inf"},
    };
    for (const auto& c : cases) {
        for (const bool fixed_entry : {false, true}) {
            const Label label = run(fixed_entry, c.value);
            EXPECT_EQ(label.text, padded(c.label));
            EXPECT_EQ(label.nch, static_cast<int>(std::strlen(c.label)));
            EXPECT_EQ(label.iexp, 0);
            EXPECT_EQ(run(fixed_entry, c.value, 2).text, std::string(c.label, 2));
        }
    }
}

// Regression: the power of ten, formed by repeated single-precision multiplication, pushed the
// quotient out of its band, giving an empty label for 1E25 and a tenfold label for 1E-26 and
// 9.99999E-9, and lost the sixth digit of many values below 1E-19 (9.99990035E-31 gave 0.999989).
TEST(Stelle, PowersOfTenAndTinyValuesKeepTheirDigits) {
    const struct {
        float value;
        const char* label;
        int nch;
        int iexp;
    } cases[] = {
        {1.0e25F, "1", 1, 25},
        {1.0e38F, "1", 1, 38},
        {1.0e-26F, "0.1", 3, -25},
        {1.0e-37F, "0.1", 3, -36},
        {9.99999e-9F, "0.999999", 8, -8},
        {-9.99999e-30F, "-0.999999", 9, -29},
        {1.0e-44F, "0.980909", 8, -44},  // a denormal: 7 times the smallest float
        {1.0e23F, "1", 1, 23},           // the float lies below the decade: 9.99999978E22
        {9.99990035e-31F, "0.99999", 7, -30},
        {9.12226693e-33F, "0.912227", 8, -32},
        {-6.62715209e-32F, "-0.662715", 9, -31},
        {5.56329503e-41F, "0.55633", 7, -40},  // a denormal whose seventh digit decides the sixth
    };
    for (const auto& c : cases) {
        const Label label = run(false, c.value, 9);
        EXPECT_EQ(label.text, padded(c.label, 9)) << c.value;
        EXPECT_EQ(label.nch, c.nch) << c.value;
        EXPECT_EQ(label.iexp, c.iexp) << c.value;
    }
}

// The decimal number a label shows, times 10**IEXP: its digits without leading and trailing zeros
// and the power of ten of its first digit (value = 0.DIGITS x 10**power); "" for zero.
struct Decimal {
    std::string digits;
    int power;
    bool operator==(const Decimal&) const = default;
};

Decimal decimal_of(const std::string& text, int iexp) {
    std::string digits;
    int point = -1;
    for (const char c : text) {
        if (c == '.') {
            point = static_cast<int>(digits.size());
        } else if (c >= '0' && c <= '9') {
            digits += c;
        }
    }
    if (point < 0) {
        point = static_cast<int>(digits.size());
    }
    const std::size_t lead = digits.find_first_not_of('0');
    if (lead == std::string::npos) {
        return {"", 0};
    }
    digits = digits.substr(lead);
    digits.erase(digits.find_last_not_of('0') + 1);
    return {digits, point - static_cast<int>(lead) + iexp};
}

// Every label, read back and multiplied by its power of ten, is exactly the value rounded to six
// significant digits (in the band 0.01 to 0.1 with the sixth digit cut off); FSTELLE's fixed form
// is the value to five decimals, within the two roundings.
TEST(Stelle, LabelsShowTheValueAcrossTheWholeRange) {
    std::mt19937 random(20240607);
    std::uniform_int_distribution<std::uint32_t> bits;
    int checked = 0;
    while (checked < 200000) {
        std::uint32_t word = bits(random);
        float value;
        std::memcpy(&value, &word, sizeof value);
        if (!std::isfinite(value) || value == 0.0F) {
            continue;
        }
        ++checked;
        const double exact = static_cast<double>(value);
        const double magnitude = std::fabs(exact);

        // Six significant digits, from "d.ddddde+xx": 0.dddddd x 10**(xx + 1).
        char rounded[32];
        std::snprintf(rounded, sizeof rounded, "%.5e", magnitude);
        const int power = std::atoi(std::strchr(rounded, 'e') + 1) + 1;
        std::string digits = std::string(1, rounded[0]) + std::string(rounded + 2, 5);
        if (power == -1) {
            digits.resize(5);
        }
        const Decimal expected = decimal_of("0." + digits, power);

        const Label general = run(false, value, 9);
        ASSERT_GE(general.nch, 1) << value;
        ASSERT_LE(general.nch, 9) << value;
        const std::string text = general.text.substr(0, static_cast<std::size_t>(general.nch));
        ASSERT_EQ(text[0] == '-', value < 0.0F) << value << " -> " << text;
        ASSERT_EQ(decimal_of(text, general.iexp), expected) << value << " -> " << text << " E" << general.iexp;

        const Label fixed = run(true, value, 9);
        if (magnitude < 9.99999) {
            const double fixed_shown = std::strtod(fixed.text.c_str(), nullptr);
            // Six significant digits first, then five decimals: two roundings below 1.
            ASSERT_LE(std::fabs(fixed_shown - exact), 5.6e-6) << value << " -> " << fixed.text;
            ASSERT_EQ(fixed.iexp, UNTOUCHED);
            ASSERT_NE(fixed.text, padded("-0", 9)) << value;
        } else {
            ASSERT_EQ(fixed.text, general.text) << value;
            ASSERT_EQ(fixed.iexp, general.iexp) << value;
        }
    }
}

}  // namespace
