// The diagr command as a real process: what two files make it draw, its error lines and statuses,
// and standard input.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

#include "support/subprocess.h"
#include "support/trace_lines.h"

namespace {

const std::string kCommand = DIAGR_BINARY_DIR "/cli/diagr";
const char kUsage[] = "usage: diagr [OPTIONS] FILE...   (diagr --help lists the options)\n";

using support::Call;
using support::exists;
using support::lines_of;
using support::parse_call;
using support::ProcessResult;
using support::slurp;
using support::write_file;

class CliTest : public ::testing::Test {
protected:
    void SetUp() override {
        if (!exists(kCommand)) {
            GTEST_SKIP() << "diagr was not built (CLI11 missing)";
        }
        ASSERT_NO_FATAL_FAILURE(support::make_temp_directory("cli_test", top_));
        work_ = top_ + "/work";
        ASSERT_EQ(mkdir(work_.c_str(), 0755), 0);
    }
    void TearDown() override {
        if (!top_.empty()) {
            support::remove_tree(top_);
        }
    }

    // Runs diagr with ARGS in the work directory, its plotter calls traced; the calls go to CALLS.
    ProcessResult run(const std::vector<std::string>& args, std::vector<Call>* calls = nullptr) {
        const std::string trace = top_ + "/trace";
        std::remove(trace.c_str());
        ProcessResult result = support::run_process(kCommand, args, work_, top_, {{"PLOTTER_TRACE", trace}});
        if (calls != nullptr) {
            calls->clear();
            for (const std::string& line : lines_of(slurp(trace))) {
                calls->push_back(parse_call(line));
            }
        }
        return result;
    }

    std::string top_;
    std::string work_;
};

// The CPLOT points of the solid curve drawn in PEN: the moves and draws after NEWPEN PEN, up to the
// next pen.
int curve_points(const std::vector<Call>& calls, int pen) {
    int points = 0;
    bool in_pen = false;
    for (const Call& call : calls) {
        if (call.name == "NEWPEN") {
            in_pen = call.numbers.at(0) == static_cast<float>(pen);
        } else if (in_pen && call.name == "CPLOT" && (call.numbers.at(2) == 2.0F || call.numbers.at(2) == 3.0F)) {
            ++points;
        }
    }
    return points;
}

std::vector<std::string> texts_of(const std::vector<Call>& calls, const std::string& name) {
    std::vector<std::string> texts;
    for (const Call& call : support::named(calls, name)) {
        texts.push_back(call.text.substr(0, call.text.find_last_not_of(' ') + 1));
    }
    return texts;
}

TEST_F(CliTest, TwoFilesMakeOneDiagramWithTheSecondCurveInTheNextPen) {
    write_file(work_ + "/a.dat", "x y\n0 0\n5 10\n10 0\n");
    write_file(work_ + "/b.dat", "x y\n0 5\n20 5\n");
    std::vector<Call> calls;
    const ProcessResult result = run({"a.dat", "b.dat", "-s", "solid,dash=0.3", "-t", "T&Hi", "-x", "time", "-y",
                                      "height", "--text", "0.1:0.9:a: b", "-o", "/null"},
                                     &calls);
    EXPECT_EQ(result.err, "");
    ASSERT_TRUE(result.exited_with(0)) << "status " << result.status;
    ASSERT_GE(calls.size(), 2U);
    // The device chosen in code, whatever PGPLOT_DEV says.
    EXPECT_EQ(calls[0].name, "PLTDEV");
    EXPECT_EQ(calls[0].text, "/null");
    EXPECT_EQ(calls[1].name, "PLOTS");
    EXPECT_EQ(calls[1].numbers, (std::vector<float>{1, 0, 20, 10}));
    EXPECT_EQ(calls.back().name, "PLTEND");

    // The first file solid in pen 3, every point; the second dashed in pen 4: many dashes.
    EXPECT_EQ(curve_points(calls, 3), 3);
    EXPECT_GT(curve_points(calls, 4), 20);
    // The x range covers both files (0 to 20 plus a tenth on each side), y those of both too.
    const std::vector<std::string> numbers = texts_of(calls, "SYMBOL");
    EXPECT_EQ(numbers.front(), "-2");
    EXPECT_EQ(numbers.at(numbers.size() - 4), "22");
    EXPECT_EQ(numbers.back(), "10");
    // Axis texts, title and the free text with its colon, in black after the second curve.
    EXPECT_EQ(texts_of(calls, "SYMBLK"), (std::vector<std::string>{"time", "height", "T&Hi", "a: b"}));
    const std::vector<Call> pens = support::named(calls, "NEWPEN");
    EXPECT_EQ(pens.back().numbers, (std::vector<float>{1}));
    // Everything fits on the 20 x 10 cm plot.
    for (const Call& call : calls) {
        if (call.name == "SYMBOL" || call.name == "SYMBLK") {
            EXPECT_GE(call.numbers.at(0), 0.0F) << call.text;
            EXPECT_GE(call.numbers.at(1), 0.0F) << call.text;
            EXPECT_LE(call.numbers.at(0), 20.0F) << call.text;
            EXPECT_LE(call.numbers.at(1) + call.numbers.at(2), 10.0F) << call.text;
        }
    }
}

TEST_F(CliTest, PagesDrawOneDiagramPerFileWithItsOwnRanges) {
    write_file(work_ + "/a.dat", "x y\n0 0\n5 10\n10 0\n");
    write_file(work_ + "/b.dat", "x y\n0 5\n20 5\n");
    std::vector<Call> calls;
    const ProcessResult result = run({"--pages", "a.dat", "b.dat", "-o", "/null"}, &calls);
    EXPECT_EQ(result.err, "");
    ASSERT_TRUE(result.exited_with(0)) << "status " << result.status;
    // Per page: its PLOTS, then its curve in the first curve pen and its x numbers.
    std::vector<std::vector<std::string>> numbers;
    for (const Call& call : calls) {
        if (call.name == "PLOTS") {
            numbers.emplace_back();
        } else if (call.name == "NEWPEN") {
            EXPECT_NE(call.numbers.at(0), 4.0F);
        } else if (call.name == "SYMBOL" && !numbers.empty()) {
            numbers.back().push_back(call.text.substr(0, call.text.find(' ')));
        }
    }
    ASSERT_EQ(numbers.size(), 2U);
    EXPECT_EQ(numbers[0].front(), "-1");
    EXPECT_EQ(numbers[1].front(), "-2");
    EXPECT_EQ(curve_points(calls, 3), 5);
}

// Ranges whose numbers, power-of-ten factors and axis texts the frame must leave room for: every
// text stays on the sheet, by the extents the layout allows a line of text (1.5 heights above its
// base line, 0.5 below), and a range too fine for a float to number ends.
TEST_F(CliTest, FrameLeavesRoomForWhatTheAxesWrite) {
    const std::vector<std::vector<std::string>> cases = {
        {"--range", "-1000:0:-1000:0", "-y", "height"},
        {"--range", "-123:456:-123:456", "-x", "X", "-y", "Y", "--size", "8:6"},
        {"--range", "0:5e-6:-1e6:1e6", "-x", "X", "--size", "8:6"},
        {"--range", "0.1:0.7:-0.03:0.02", "-x", "X", "-y", "Y", "-t", "T"},
        {"--range", "10000000:10000001:0:1", "-x", "X", "-y", "Y"},
    };
    write_file(work_ + "/a.dat", "x y\n0 0\n5 10\n10 0\n");
    for (std::vector<std::string> args : cases) {
        const std::string label = args.at(1);
        args.insert(args.end(), {"-o", "/null", "a.dat"});
        std::vector<Call> calls;
        const ProcessResult result = run(args, &calls);
        ASSERT_TRUE(result.exited_with(0)) << label << ": status " << result.status << " " << result.err;
        ASSERT_EQ(calls.at(1).name, "PLOTS") << label;
        const float width = calls[1].numbers.at(2);
        const float height = calls[1].numbers.at(3);
        int texts = 0;
        for (const Call& call : calls) {
            if ((call.name != "SYMBOL" && call.name != "SYMBLK") || call.text.find_first_not_of(' ') == std::string::npos ||
                call.text == "&M" || call.numbers.at(0) == 999.0F) {
                continue;
            }
            ++texts;
            const float x = call.numbers.at(0);
            const float y = call.numbers.at(1);
            const float h = call.numbers.at(2);
            const bool vertical = call.numbers.at(3) == 90.0F;
            const float slack = 1.0e-3F;  // single-precision rounding of the places, cm
            EXPECT_GE(vertical ? x - 1.5F * h : x, -slack) << label << ": " << call.text;
            EXPECT_GE(vertical ? y : y - 0.5F * h, -slack) << label << ": " << call.text;
            EXPECT_LE(x, width + slack) << label << ": " << call.text;
            EXPECT_LE(y + h, height + slack) << label << ": " << call.text;
        }
        EXPECT_GE(texts, 3) << label;
    }
}

struct ErrorCase {
    const char* label;
    std::vector<std::string> args;
    const char* content;  // of bad.dat
    std::string err;
    int status;
};

// Errors leave no output; a warning (status 0) leaves the drawing.
TEST_F(CliTest, ErrorsAndWarningsGiveOneLineAndAStatus) {
    const std::string usage = kUsage;
    const ErrorCase cases[] = {
        {"letter", {"good.dat", "bad.dat"}, "x y\n1 2\n3 a\n", "diagr: bad.dat:3: invalid number\n", 1},
        {"exponent on a later line", {"bad.dat"}, "x y\n1 2\n\n3\n 4e+\n", "diagr: bad.dat:5: exponent field\n", 1},
        {"repeat count", {"bad.dat", "--header", "0"}, "0*1 2\n", "diagr: bad.dat:1: bad repetition count\n", 1},
        {"no pairs", {"bad.dat"}, "x y\n", "diagr: bad.dat: no pairs to plot\n", 1},
        {"beyond float", {"bad.dat"}, "x y\n1 2\n3 1e99\n-1d40 4\n5 6\n",
         "diagr: bad.dat: 2 pairs with values beyond the float range are not drawn\n", 0},
        {"missing file", {"good.dat", "none.dat"}, nullptr, "diagr: none.dat: No such file or directory\n", 1},
        {"directory", {"."}, nullptr, "diagr: .: Is a directory\n", 1},
        {"unknown option", {"--colour", "good.dat"}, nullptr,
         "diagr: The following argument was not expected: --colour\n" + usage, 2},
        {"no file", {}, nullptr, "diagr: FILE is required\n" + usage, 2},
        {"bad size", {"--size", "20x10", "good.dat"}, nullptr, "diagr: --size: expected W:H in cm\n" + usage, 2},
        {"bad style", {"-s", "dash=0", "good.dat"}, nullptr,
         "diagr: --style: dash=LENGTH needs a length in cm above 0 and at most 100\n" + usage, 2},
        {"too many styles", {"-s", "solid,solid", "good.dat"}, nullptr, "diagr: 2 styles for 1 file\n" + usage, 2},
        {"empty range", {"--range", "1:1::", "good.dat"}, nullptr,
         "diagr: --range: the x range is empty (XMIN = XMAX)\n" + usage, 2},
        {"last output counts", {"-o", "/null", "-o", "out.pdf", "good.dat"}, nullptr, "", 0},
        {"unknown device", {"-o", "out.gif", "good.dat"}, nullptr,
         "diagr: --output: unknown device; use file/type with type pdf, png, svg, ps, eps, xw or null\n" + usage, 2},
    };
    write_file(work_ + "/good.dat", "x y\n1 2\n3 4\n");
    for (const ErrorCase& error : cases) {
        std::remove((work_ + "/bad.dat").c_str());
        if (error.content != nullptr) {
            write_file(work_ + "/bad.dat", error.content);
        }
        std::vector<std::string> args = error.args;
        if (std::find(args.begin(), args.end(), "-o") == args.end()) {
            args.insert(args.begin(), {"-o", "out.pdf"});
        }
        std::vector<Call> calls;
        const ProcessResult result = run(args, &calls);
        EXPECT_EQ(result.err, error.err) << error.label;
        EXPECT_EQ(result.out, "") << error.label;
        EXPECT_TRUE(result.exited_with(error.status)) << error.label << ": status " << result.status;
        EXPECT_EQ(calls.empty(), error.status != 0) << error.label;
        EXPECT_EQ(exists(work_ + "/out.pdf"), error.status == 0) << error.label;
        std::remove((work_ + "/out.pdf").c_str());
    }
}

TEST_F(CliTest, ReadsStandardInput) {
    // Through a shell, so that standard input is a file, then a pipe; --header 0 takes the first
    // line as data.
    write_file(work_ + "/in.dat", "0 1\n1 2\n2 3\n3 x\n");
    const std::string trace = top_ + "/trace";
    const ProcessResult bad = support::run_process("/bin/sh", {"-c", kCommand + " --header 0 - <in.dat"}, work_, top_,
                                                   {{"PLOTTER_TRACE", trace}});
    EXPECT_EQ(bad.err, "diagr: standard input:4: invalid number\n");
    EXPECT_TRUE(bad.exited_with(1)) << "status " << bad.status;

    write_file(work_ + "/in.dat", "0 1\n1 2\n2 3\n");
    const ProcessResult good = support::run_process(
        "/bin/sh", {"-c", "cat in.dat | " + kCommand + " --header 0 -o /null -"}, work_, top_, {{"PLOTTER_TRACE", trace}});
    EXPECT_EQ(good.err, "");
    EXPECT_TRUE(good.exited_with(0)) << "status " << good.status;
    std::vector<Call> calls;
    for (const std::string& line : lines_of(slurp(trace))) {
        calls.push_back(parse_call(line));
    }
    EXPECT_EQ(curve_points(calls, 3), 3);
}

TEST_F(CliTest, UnwrittenHelpIsAnError) {
    for (const char* option : {"--help", "--version"}) {
        const ProcessResult full =
            support::run_process("/bin/sh", {"-c", kCommand + " " + option + " >/dev/full"}, work_, top_, {});
        EXPECT_EQ(full.err, "diagr: standard output: No space left on device\n") << option;
        EXPECT_TRUE(full.exited_with(1)) << option << ": status " << full.status;
    }
}

}  // namespace
