// IDX (used length of a text field) and LINT (floor of a real).
#include <gtest/gtest.h>

#include <climits>
#include <cmath>
#include <limits>
#include <string>

#include "diagr.h"

namespace {

struct IdxCase {
    std::string text;
    int expected;
};

TEST(Idx, UsedLengthEndsAtLastNonBlank) {
    const IdxCase cases[] = {
        {"AB  ", 2},    {" A", 2}, {"    ", 0}, {"", 0}, {std::string("A\t"), 2}, {std::string("A\0 ", 3), 2},
        {"  x y  ", 5}, {"Z", 1},
    };
    for (const IdxCase& c : cases) {
        EXPECT_EQ(IDX(c.text.data(), static_cast<int>(c.text.size())), c.expected) << '"' << c.text << '"';
    }
}

TEST(Idx, ReadsNothingBeyondTheDeclaredLength) {
    // Only the first 2 characters belong to the field; the rest must not be looked at.
    const char field[] = "ab  cd";
    EXPECT_EQ(IDX(field, 2), 2);
    EXPECT_EQ(IDX(field + 2, 2), 0);
    EXPECT_EQ(IDX(nullptr, 0), 0);
}

TEST(Lint, FloorOfOrdinaryValues) {
    const struct {
        float x;
        int expected;
    } cases[] = {
        {2.7F, 2},
        {-2.7F, -3},
        {-2.0F, -2},
        {-0.5F, -1},
        {0.0F, 0},
        {-0.0F, 0},
        {1.0e6F, 1000000},
        {0.999999F, 0},
        {-1.0e-30F, -1},
        {-16777216.0F, -16777216},
        {8388607.5F, 8388607},
        {-8388607.5F, -8388608},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(LINT(c.x), c.expected) << c.x;
    }
}

TEST(Lint, SaturatesOutsideTheIntegerRangeAndGivesZeroForNaN) {
    EXPECT_EQ(LINT(2147483648.0F), INT_MAX);
    EXPECT_EQ(LINT(1.0e30F), INT_MAX);
    EXPECT_EQ(LINT(std::numeric_limits<float>::infinity()), INT_MAX);
    EXPECT_EQ(LINT(-2147483648.0F), INT_MIN);
    EXPECT_EQ(LINT(-1.0e30F), INT_MIN);
    EXPECT_EQ(LINT(-std::numeric_limits<float>::infinity()), INT_MIN);
    EXPECT_EQ(LINT(std::nanf("")), 0);
    // The largest float below 2**31 is still converted exactly.
    EXPECT_EQ(LINT(2147483520.0F), 2147483520);
}

}  // namespace
