// The data-file reader in-process: reading rules, number conversion, failures and their report.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cfloat>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <utility>
#include <vector>

#include "fatal.h"
#include "pairfile.h"
#include "support/subprocess.h"

namespace {

using driver::PairFile;

std::uint32_t bits_of(float value) {
    std::uint32_t bits = 0;
    std::memcpy(&bits, &value, sizeof bits);
    return bits;
}

struct Pair {
    double x;
    double y;
};

struct Outcome {
    std::vector<std::pair<float, float>> pairs;
    bool failed = false;
    driver::ReadFailure failure;
};

class ReaderTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_NO_FATAL_FAILURE(support::make_temp_directory("reader_test", directory_));
        path_ = directory_ + "/plot.out";
    }
    void TearDown() override {
        unlink(path_.c_str());
        rmdir(directory_.c_str());
    }

    void write_file(const std::string& content) {
        std::FILE* file = std::fopen(path_.c_str(), "wb");
        ASSERT_NE(file, nullptr);
        ASSERT_EQ(std::fwrite(content.data(), 1, content.size(), file), content.size());
        ASSERT_EQ(std::fclose(file), 0);
    }

    Outcome read(const std::string& content, PairFile::ReadFunction read_function = ::read) {
        write_file(content);
        return read_path(path_.c_str(), read_function);
    }

    static Outcome read_path(const char* path, PairFile::ReadFunction read_function = ::read) {
        Outcome outcome;
        PairFile file(path, read_function);
        if (!file.open()) {
            outcome.failed = true;
            outcome.failure = file.failure();
            return outcome;
        }
        float x = -1.0F;
        float y = -1.0F;
        for (;;) {
            const PairFile::Next next = file.next(x, y);
            if (next == PairFile::Next::end) {
                break;
            }
            if (next == PairFile::Next::failed) {
                outcome.failed = true;
                outcome.failure = file.failure();
                break;
            }
            outcome.pairs.emplace_back(x, y);
        }
        return outcome;
    }

    std::string directory_;
    std::string path_;
};

void expect_pairs(const Outcome& outcome, const std::vector<Pair>& expected, const std::string& label) {
    ASSERT_FALSE(outcome.failed) << label << ": failed at " << outcome.failure.place;
    ASSERT_EQ(outcome.pairs.size(), expected.size()) << label;
    for (size_t i = 0; i < expected.size(); ++i) {
        // Bits, not values: -0.0 and 0.0 differ, and every value must be exact.
        EXPECT_EQ(bits_of(outcome.pairs[i].first), bits_of(static_cast<float>(expected[i].x)))
            << label << ", pair " << i + 1 << " x = " << outcome.pairs[i].first;
        EXPECT_EQ(bits_of(outcome.pairs[i].second), bits_of(static_cast<float>(expected[i].y)))
            << label << ", pair " << i + 1 << " y = " << outcome.pairs[i].second;
    }
}

struct RuleCase {
    const char* label;
    std::string content;
    std::vector<Pair> expected;
};

TEST_F(ReaderTest, ReadsRecordsByTheRules) {
    const RuleCase cases[] = {
        {"empty file", "", {}},
        {"header line only", "x y\n", {}},
        {"header without line end", "1.0 2.0", {}},
        {"pair on the header line is skipped", "1.0 2.0\n3.0 4.0\n", {{3.0, 4.0}}},
        {"blanks and tabs", "h\n \t1.5\t \t-2.5  \n", {{1.5, -2.5}}},
        {"comma with blanks", "h\n1 , 2\n3,4\n5\t,\t6\n", {{1, 2}, {3, 4}, {5, 6}}},
        {"pair split over lines", "h\n1.0\n2.0\n3.0 4.0\n", {{1.0, 2.0}, {3.0, 4.0}}},
        {"blank lines between records", "h\n\n1 2\n\n\n \t\n3 4\n", {{1, 2}, {3, 4}}},
        {"third number dropped", "h\n1.0 2.0 3.0\n4 5\n", {{1.0, 2.0}, {4, 5}}},
        {"rest of line ignored, even junk", "h\n1 2 junk ! *\n3 4\n", {{1, 2}, {3, 4}}},
        {"last line without line end", "h\n1 2\n3 4", {{1, 2}, {3, 4}}},
        {"record cut off after x", "h\n1 2\n3", {{1, 2}}},
        {"record cut off after x and blanks", "h\n1 2\n3 \n\n", {{1, 2}}},
        {"record cut off after x and a comma", "h\n1 2\n3,", {{1, 2}}},
        {"two commas keep y", "h\n1 2\n3,,\n", {{1, 2}, {3, 2}}},
        {"leading comma keeps x", "h\n1 2\n,5\n", {{1, 2}, {1, 5}}},
        {"blanks between the commas", "h\n1 2\n3 , , 9\n", {{1, 2}, {3, 2}}},
        {"slash after x keeps y", "h\n1 2\n3/ 7\n", {{1, 2}, {3, 2}}},
        {"slash alone keeps both", "h\n1 2\n / 7 8\n", {{1, 2}, {1, 2}}},
        {"slash as the last line without line end", "h\n1 2\n/", {{1, 2}, {1, 2}}},
        {"empty values in the first record are 0", "h\n,,\n/\n", {{0, 0}, {0, 0}}},
        {"repeat count copies", "h\n2*5.0\n", {{5.0, 5.0}}},
        {"repeat count with sign and exponent", "h\n2*-1.5e2\n", {{-150.0, -150.0}}},
        {"repeat of one then y", "h\n1*3 4\n", {{3, 4}}},
        {"repeat beyond the record", "h\n3*7 8\n9 10\n", {{7, 7}, {9, 10}}},
        {"r* empty values", "h\n1 2\n2* 9\n", {{1, 2}, {1, 2}}},
        {"1* empty then y", "h\n1 2\n1* 9\n", {{1, 2}, {1, 9}}},
        {"r* before a comma", "h\n1 2\n1*,9\n", {{1, 2}, {1, 9}}},
        {"r* at the end of the file", "h\n1 2\n2*", {{1, 2}, {1, 2}}},
        {"r* empty x, then y on the next line", "h\n1 2\n1*\n6\n", {{1, 2}, {1, 6}}},
        {"long repeat count", "h\n99999999999999999999*4\n", {{4, 4}}},
        {"E and D exponents of either case", "h\n1E2 1e-2\n1D2 1d+2\n", {{100, 0.01}, {100, 100}}},
        {"sign after the digits is the exponent", "h\n1.0-2 5.0\n1.5+3 2-1\n", {{0.01, 5.0}, {1500, 0.2}}},
        {"number forms", "h\n+7. -.5\n.25 00012.50\n", {{7, -0.5}, {0.25, 12.5}}},
        {"zeros keep their sign", "h\n-0.0 0\n-0e5 +000\n", {{-0.0, 0.0}, {-0.0, 0.0}}},
        {"slash right after y", "h\n1 2/3\n", {{1, 2}}},
        {"comma right after y", "h\n1 2,junk\n", {{1, 2}}},
        {"carriage returns end with the line", "h\r\n1 2\r\n", {{1, 2}}},
        {"pair split over CR LF lines", "h\r\n1\r\n2\r\n", {{1, 2}}},
        {"largest exponent field", "h\n1e99999999 1e-99999999\n", {{HUGE_VAL, 0.0}}},
        {"overflow to infinity", "h\n3.5e38 -1e39\n", {{HUGE_VAL, -HUGE_VAL}}},
        {"just below the float overflow", "h\n3.4028235e38 3.40282356e38\n", {{3.4028235e38, 3.40282356e38}}},
        {"underflow to zero", "h\n1e-50 -1e-50\n", {{0.0, -0.0}}},
    };
    for (const RuleCase& rule : cases) {
        expect_pairs(read(rule.content), rule.expected, rule.label);
    }
}

TEST_F(ReaderTest, ConvertsThroughDoubleWithFortySignificantDigits) {
    const std::string forty_five = "123456789012345678901234567890123456789012345";
    const std::string zeros(60, '0');
    const RuleCase cases[] = {
        {"0.1 correctly rounded", "h\n0.1 3.14159265358979\n", {{0.1, 3.14159265358979}}},
        // Half-way between two floats plus 1e-29: double rounds to the tie, float to even below.
        {"through double", "h\n1.00000005960464477539062500001 1\n", {{1.0, 1}}},
        {"leading zeros are not significant", "h\n" + zeros + "1.5 0." + zeros.substr(30) + "25\n", {{1.5, 0.25e-30}}},
        {"digits past 40 before the point count for the magnitude",
         "h\n" + forty_five + "e-20 1\n",
         {{1.234567890123456789012345678901234567890e24, 1}}},
        {"digits past 40 after the point are dropped",
         "h\n0." + forty_five + " 1\n",
         {{0.1234567890123456789012345678901234567890, 1}}},
    };
    for (const RuleCase& rule : cases) {
        expect_pairs(read(rule.content), rule.expected, rule.label);
    }
    // The tie really is one: read directly as a float it would round up.
    EXPECT_NE(bits_of(std::strtof("1.00000005960464477539062500001", nullptr)), bits_of(1.0F));
}

TEST_F(ReaderTest, DecimalToFloatRoundsAtEachStep) {
    EXPECT_EQ(bits_of(driver::decimal_to_float(false, "1", 1, 0)), bits_of(1.0F));
    EXPECT_EQ(bits_of(driver::decimal_to_float(true, "25", 2, -2)), bits_of(-0.25F));
    EXPECT_EQ(bits_of(driver::decimal_to_float(false, "1500", 4, -3)), bits_of(1.5F));
    EXPECT_EQ(bits_of(driver::decimal_to_float(true, "", 0, 7)), bits_of(-0.0F));
    EXPECT_EQ(driver::decimal_to_float(false, "34028236", 8, 31), HUGE_VALF);
    EXPECT_EQ(driver::decimal_to_float(false, "34028235", 8, 31), FLT_MAX);
    EXPECT_EQ(driver::decimal_to_float(true, "9", 1, 99999999LL + 40), -HUGE_VALF);
    EXPECT_EQ(driver::decimal_to_float(false, "9", 1, -99999999LL - 40), 0.0F);
}

// Short numbers take a path without strtod; it must give strtod's double, then float, bit for bit.
TEST_F(ReaderTest, DecimalToFloatMatchesStrtodOnShortNumbers) {
    std::uint64_t seed = 12345;
    auto next = [&seed] {
        seed = seed * 6364136223846793005ULL + 1442695040888963407ULL;
        return seed >> 33;
    };
    for (int trial = 0; trial < 20000; ++trial) {
        char digits[16];
        const int count = 1 + static_cast<int>(next() % 15);
        for (int i = 0; i < count; ++i) {
            digits[i] = static_cast<char>((i == 0 ? '1' : '0') + next() % (i == 0 ? 9 : 10));
        }
        const long long exponent = static_cast<long long>(next() % 61) - 30;
        const bool negative = next() % 2 == 0;
        char text[64];
        std::snprintf(text, sizeof text, "%s%.*se%lld", negative ? "-" : "", count, digits, exponent);
        const float expected = static_cast<float>(std::strtod(text, nullptr));
        ASSERT_EQ(bits_of(driver::decimal_to_float(negative, digits, count, exponent)), bits_of(expected)) << text;
    }
}

TEST_F(ReaderTest, LongLinesAndNumbersOverflowNothing) {
    const std::string long_header(200000, 'h');
    const std::string long_digits(100000, '7');
    const std::string long_fraction = "0." + std::string(100000, '0') + "5";
    Outcome outcome = read(long_header + "\n1 2\n" + long_digits + "e-99990 " + long_fraction + "e100000 junk " +
                           long_header + "\n3 4\n");
    // 7.77...e9 from a hundred thousand sevens scaled down by 99990.
    expect_pairs(outcome, {{1, 2}, {7.777777777777777777777777777777777777777e9, 0.5}, {3, 4}}, "long lines");
}

TEST_F(ReaderTest, ReadsAnyNumberOfPairs) {
    for (int count : {1000, 5000}) {
        std::string content = "header\n";
        std::vector<Pair> expected;
        for (int i = 0; i < count; ++i) {
            content += std::to_string(i) + " -" + std::to_string(i) + ".5\n";
            expected.push_back({static_cast<double>(i), -i - 0.5});
        }
        expect_pairs(read(content), expected, std::to_string(count) + " pairs");
    }
}

struct FailureCase {
    const char* content;
    const char* place;
};

TEST_F(ReaderTest, BadInputFailsWithItsPlace) {
    const FailureCase cases[] = {
        {"h\n1 a\n", "invalid number"},
        // A value ends only at a separator; regression: these were read as (1, 2), (1, 0),
        // (1, 200000), (1.2, 0.3) and (100000, 0.25).
        {"h\n1.0 2.0abc\n", "invalid number"},
        {"h\n1.0 0x10\n", "invalid number"},
        {"h\n1.0 2e5x\n", "invalid number"},
        {"h\n1.2.3 4\n", "invalid number"},
        {"h\n1.0e5.25\n", "invalid number"},
        {"h\n2abc 1\n", "invalid number"},
        {"h\n1.5-3x 1\n", "invalid number"},
        {"h\n1 2*5x\n", "invalid number"},
        {"h\n2*3*4\n", "bad repetition count"},
        {"h\nx 1\n", "invalid number"},
        {"h\n1 2\n3 4\n5 .\n", "invalid number"},
        {"h\n1 -\n", "invalid number"},
        {"h\n1 + 2\n", "invalid number"},
        {"h\n1 E5\n", "invalid number"},
        {"h\n2.5*3\n", "bad repetition count"},
        {"h\n2*x\n", "invalid number"},
        {"h\n1 2e\n", "exponent field"},
        {"h\n1 2E+ 3\n", "exponent field"},
        {"h\n1 2d-\n", "exponent field"},
        {"h\n1 2.0-x\n", "exponent field"},
        {"h\n1 2e", "exponent field"},
        {"h\n1 1e100000000\n", "exponent field"},
        {"h\n1 1e1234567890123\n", "exponent field"},
        {"h\n0*5\n", "bad repetition count"},
        {"h\n000*5\n", "bad repetition count"},
        {"h\n-2*5\n", "bad repetition count"},
        {"h\n*5\n", "bad repetition count"},
        {"h\n12345678901234567890123456789012345678901*5\n", "bad repetition count"},
    };
    for (const FailureCase& bad : cases) {
        const Outcome outcome = read(bad.content);
        ASSERT_TRUE(outcome.failed) << bad.content;
        EXPECT_STREQ(outcome.failure.place, bad.place) << bad.content;
        EXPECT_EQ(outcome.failure.system_error, 0) << bad.content;
        EXPECT_TRUE(outcome.failure.unit_named) << bad.content;
        EXPECT_TRUE(outcome.failure.in_record) << bad.content;
        EXPECT_TRUE(outcome.failure.state.reading && outcome.failure.state.sequential &&
                    outcome.failure.state.formatted && outcome.failure.state.external)
            << bad.content;
    }
    // A repeat count of exactly 40 digits is still a count.
    expect_pairs(read("h\n1234567890123456789012345678901234567890*5\n"), {{5, 5}}, "40-digit count");
}

TEST_F(ReaderTest, MissingFileFailsToOpenUnnamed) {
    const Outcome outcome = read_path((directory_ + "/missing").c_str());
    ASSERT_TRUE(outcome.failed);
    EXPECT_STREQ(outcome.failure.place, "open");
    EXPECT_EQ(outcome.failure.system_error, ENOENT);
    EXPECT_FALSE(outcome.failure.unit_named);
    EXPECT_FALSE(outcome.failure.in_record);
    EXPECT_FALSE(outcome.failure.state.reading);
    EXPECT_TRUE(outcome.failure.state.external);
}

TEST_F(ReaderTest, DirectoryFailsOnReadingTheHeader) {
    const Outcome outcome = read_path(directory_.c_str());
    ASSERT_TRUE(outcome.failed);
    EXPECT_STREQ(outcome.failure.place, "list in");
    EXPECT_EQ(outcome.failure.system_error, EISDIR);
    EXPECT_TRUE(outcome.failure.unit_named);
    EXPECT_FALSE(outcome.failure.in_record);
}

// read(2) that delivers one buffer, then fails with EIO.
ssize_t read_then_fail(int fd, void* buffer, size_t count) {
    static int calls = 0;
    if (fd < 0) {  // resets the call count
        calls = 0;
        return 0;
    }
    if (calls++ == 0) {
        return ::read(fd, buffer, count);
    }
    errno = EIO;
    return -1;
}

// read(2) that is interrupted once before every successful call.
ssize_t read_interrupted(int fd, void* buffer, size_t count) {
    static bool interrupt = true;
    interrupt = !interrupt;
    if (!interrupt) {
        errno = EINTR;
        return -1;
    }
    return ::read(fd, buffer, 7 < count ? 7 : count);
}

TEST_F(ReaderTest, ReadErrorInsideARecordIsListIn) {
    // The first buffer ends inside the pairs, so the second read is inside a record.
    std::string content = "header\n";
    while (content.size() < 10000) {
        content += "1.25 2.5\n";
    }
    read_then_fail(-1, nullptr, 0);
    const Outcome outcome = read(content, read_then_fail);
    ASSERT_TRUE(outcome.failed);
    EXPECT_STREQ(outcome.failure.place, "list in");
    EXPECT_EQ(outcome.failure.system_error, EIO);
    EXPECT_TRUE(outcome.failure.unit_named);
    EXPECT_TRUE(outcome.failure.in_record);
    EXPECT_GT(outcome.pairs.size(), 400U);
    EXPECT_LT(outcome.pairs.size(), 1000U);
}

TEST_F(ReaderTest, InterruptedReadsAreRetried) {
    expect_pairs(read("header line\n1.5 2.5\n3,4\n", read_interrupted), {{1.5, 2.5}, {3, 4}}, "EINTR");
}

TEST_F(ReaderTest, EndIsStickyAndCloseIsHarmless) {
    write_file("h\n1 2\n");
    PairFile file(path_.c_str());
    float x = 0.0F;
    float y = 0.0F;
    EXPECT_EQ(file.next(x, y), PairFile::Next::end);  // not open yet
    ASSERT_TRUE(file.open());
    EXPECT_EQ(file.next(x, y), PairFile::Next::pair);
    EXPECT_EQ(file.next(x, y), PairFile::Next::end);
    EXPECT_EQ(file.next(x, y), PairFile::Next::end);
    file.close();
    file.close();
    EXPECT_EQ(x, 1.0F);
    EXPECT_EQ(y, 2.0F);
}

std::string report_of(const driver::ReadFailure& failure, const char* name) {
    char* text = nullptr;
    size_t size = 0;
    std::FILE* out = open_memstream(&text, &size);
    driver::write_read_report(out, failure, name);
    std::fclose(out);
    std::string report(text, size);
    std::free(text);
    return report;
}

TEST_F(ReaderTest, ReportOfAReadErrorInsideARecord) {
    std::string content = "header\n";
    while (content.size() < 10000) {
        content += "1 2\n";
    }
    read_then_fail(-1, nullptr, 0);
    const Outcome outcome = read(content, read_then_fail);
    ASSERT_TRUE(outcome.failed);
    EXPECT_EQ(report_of(outcome.failure, "data/plot.out"),
              "list in: Input/output error\n"
              "apparent state: unit 1 named data/plot.out\n"
              "last format: list io\n"
              "lately reading sequential formatted external IO\n");
}

}  // namespace
