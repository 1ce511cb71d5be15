// diatest1, readpairs and the signal handlers as real processes: fatal reports byte for byte,
// refusals, signal messages and ends, and a normal run.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "support/subprocess.h"

namespace {

const std::string kDemo = DIAGR_BINARY_DIR "/demo/diatest1";
const std::string kReadPairs = DIAGR_BINARY_DIR "/demo/readpairs";
const std::string kSignalProbe = DIAGR_BINARY_DIR "/tests/signal_probe";

using support::exists;
using support::lines_of;
using support::ProcessResult;
using support::slurp;
using support::write_file;

class DriverTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_NO_FATAL_FAILURE(support::make_temp_directory("driver_test", top_));
        work_ = top_ + "/work";
        ASSERT_EQ(mkdir(work_.c_str(), 0755), 0);
    }
    void TearDown() override { support::remove_tree(top_); }

    // Runs PROGRAM in the work directory with the given environment additions; stdout and
    // stderr go to files outside it. IGNORED signals start out ignored.
    ProcessResult run(const std::string& program, const std::vector<std::string>& args,
                      const support::Environment& environment = {}, const std::vector<int>& ignored = {}) {
        return support::run_process(program, args, work_, top_, environment, ignored);
    }

    std::string top_;
    std::string work_;
};

std::string read_report(const char* place_and_reason, const std::string& name, bool in_record) {
    return std::string(place_and_reason) + "\napparent state: unit 1 named " + name + "\n" +
           (in_record ? "last format: list io\n" : "") + "lately reading sequential formatted external IO\n";
}

// What the file holds: nullptr for no file, "/" for a directory in its place.
struct FatalCase {
    const char* label;
    const char* content;
    // The report's first line; nullptr for the failure to open.
    const char* place_and_reason;
};

const char kOpenReport[] =
    "open: No such file or directory\n"
    "apparent state: unit 1 (unnamed)\n"
    "lately writing direct unformatted external IO\n";

TEST_F(DriverTest, FatalReportsByteForByteThenAbort) {
    const FatalCase cases[] = {
        {"missing file", nullptr, nullptr},
        {"letter among the numbers", "x y\n1 2\n3 a\n", "invalid number: incomprehensible list input"},
        {"bad exponent", "x y\n1 2\n3 4e+\n", "exponent field: incomprehensible list input"},
        {"exponent too large", "x y\n1 1e100000000\n", "exponent field: incomprehensible list input"},
        {"zero repeat count", "x y\n0*1\n", "bad repetition count: incomprehensible list input"},
        {"directory", "/", "list in: Is a directory"},
    };
    for (const FatalCase& fatal : cases) {
        const std::string data = work_ + "/plot.out";
        ASSERT_EQ(std::system(("rm -rf '" + data + "' '" + work_ + "/data'").c_str()), 0);
        const bool directory = fatal.content != nullptr && std::string(fatal.content) == "/";
        if (directory) {
            ASSERT_EQ(mkdir(data.c_str(), 0755), 0);
        } else if (fatal.content != nullptr) {
            write_file(data, fatal.content);
        }
        // Bad input is found inside a record; the directory fails on its header line.
        const auto expected = [&](const std::string& name) {
            return fatal.place_and_reason == nullptr ? std::string(kOpenReport)
                                                     : read_report(fatal.place_and_reason, name, !directory);
        };

        const std::string trace = top_ + "/trace";
        const ProcessResult demo = run(kDemo, {}, {{"PLOTTER_TRACE", trace}});
        EXPECT_EQ(demo.err, expected("plot.out")) << fatal.label;
        EXPECT_EQ(demo.out, "") << fatal.label;
        EXPECT_TRUE(demo.aborted()) << fatal.label << ": status " << demo.status;
        // No plot was opened: no plotter call at all, no output file.
        EXPECT_FALSE(exists(trace)) << fatal.label;
        EXPECT_FALSE(exists(work_ + "/plot.pdf")) << fatal.label;

        // readpairs names the file it was given.
        ASSERT_EQ(mkdir((work_ + "/data").c_str(), 0755), 0);
        if (fatal.content != nullptr) {
            ASSERT_EQ(rename(data.c_str(), (work_ + "/data/in.dat").c_str()), 0);
        }
        const ProcessResult check = run(kReadPairs, {"data/in.dat"});
        EXPECT_EQ(check.err, expected("data/in.dat")) << fatal.label;
        EXPECT_EQ(check.out, "") << fatal.label;
        EXPECT_TRUE(check.aborted()) << fatal.label << ": status " << check.status;
    }
}

std::string pairs_file(int count) {
    std::string content = "generated pairs\n";
    for (int i = 0; i < count; ++i) {
        content += std::to_string(i) + ".5 " + std::to_string(i * i) + "\n";
    }
    return content;
}

TEST_F(DriverTest, RefusesFilesItCannotPlotBeforeOpeningAPlot) {
    const struct {
        int pairs;
        const char* message;
    } cases[] = {
        {1001, "diatest1: plot.out has 1001 pairs; at most 1000 can be plotted\n"},
        {5000, "diatest1: plot.out has 5000 pairs; at most 1000 can be plotted\n"},
        {1, "diatest1: plot.out has 1 pair; at least 2 are needed for the curve\n"},
        {0, "diatest1: plot.out has 0 pairs; at least 2 are needed for the curve\n"},
    };
    for (const auto& refused : cases) {
        write_file(work_ + "/plot.out", pairs_file(refused.pairs));
        const std::string trace = top_ + "/trace";
        const ProcessResult demo = run(kDemo, {}, {{"PLOTTER_TRACE", trace}});
        EXPECT_EQ(demo.err, refused.message);
        EXPECT_EQ(demo.out, "");
        EXPECT_TRUE(demo.exited_with(1)) << refused.pairs << " pairs: status " << demo.status;
        EXPECT_FALSE(exists(trace)) << refused.pairs << " pairs";
    }
}

TEST_F(DriverTest, NormalRunPrintsNothingAndEndsWithStatusZero) {
    write_file(work_ + "/plot.out", slurp(DIAGR_SOURCE_DIR "/examples/plot.out"));
    const ProcessResult demo = run(kDemo, {}, {{"PGPLOT_DEV", "/null"}});
    EXPECT_EQ(demo.out, "");
    EXPECT_EQ(demo.err, "");
    EXPECT_TRUE(demo.exited_with(0)) << "status " << demo.status;
}

int solid_curve_points(const std::vector<std::string>& trace) {
    int points = 0;
    for (const std::string& line : trace) {
        if (line.rfind("CPLOT ", 0) == 0 && (line.ends_with(" 2") || line.ends_with(" 3"))) {
            ++points;
        }
    }
    return points;
}

TEST_F(DriverTest, PageIsFramedByPlotsBorderAndPltend) {
    // Exactly 1000 pairs are taken whole: the curve goes through every one of them.
    write_file(work_ + "/plot.out", pairs_file(1000));
    const std::string trace_path = top_ + "/trace";
    const ProcessResult demo = run(kDemo, {}, {{"PGPLOT_DEV", "/null"}, {"PLOTTER_TRACE", trace_path}});
    EXPECT_EQ(demo.err, "");
    ASSERT_TRUE(demo.exited_with(0)) << "status " << demo.status;
    const std::vector<std::string> trace = lines_of(slurp(trace_path));
    ASSERT_GE(trace.size(), 9U);
    const std::vector<std::string> opening(trace.begin(), trace.begin() + 6);
    EXPECT_EQ(opening, (std::vector<std::string>{"PLOTS 1 0 20 10", "PLOT 0 0 3", "PLOT 20 0 2", "PLOT 20 10 2",
                                                 "PLOT 0 10 2", "PLOT 0 0 2"}));
    EXPECT_EQ(trace.back(), "PLTEND");
    EXPECT_EQ(
        trace[trace.size() - 3],
        R"(PGTEXT 3 3 "\\ga\\gb\\gc\\gd\\ge\\gf\\gg\\gh\\gi\\gj\\gk\\gl\\gm\\gn\\go\\gp\\gq\\gr\\gs\\gt\\gu\\gv\\gw\\gx\\gy\\gz")");
    EXPECT_EQ(
        trace[trace.size() - 2],
        R"(PGTEXT 3 4 "\\GA\\GB\\GC\\GD\\GE\\GF\\GG\\GH\\GI\\GJ\\GK\\GL\\GM\\GN\\GO\\GP\\GQ\\GR\\GS\\GT\\GU\\GV\\GW\\GX\\GY\\GZ")");
    EXPECT_EQ(solid_curve_points(trace), 1000);
}

TEST_F(DriverTest, ReadPairsShowsBitsAndValues) {
    write_file(work_ + "/plot.out", "header\n1.0-2 5.0\n-0.0, 1e39\n0.1 3*2\n");
    const ProcessResult check = run(kReadPairs, {});
    EXPECT_EQ(check.err, "");
    EXPECT_TRUE(check.exited_with(0)) << "status " << check.status;
    EXPECT_EQ(check.out,
              "3\n"
              "3C23D70A 40A00000 0.00999999978 5\n"
              "80000000 7F800000 -0 inf\n"
              "3DCCCCCD 40000000 0.100000001 2\n");

    const ProcessResult sample = run(kReadPairs, {DIAGR_SOURCE_DIR "/examples/plot.out"});
    const std::vector<std::string> lines = lines_of(sample.out);
    ASSERT_EQ(lines.size(), 42U);
    EXPECT_EQ(lines[0], "41");
    EXPECT_EQ(lines[1], "00000000 42480000 0 50");

    const ProcessResult usage = run(kReadPairs, {"a", "b"});
    EXPECT_TRUE(usage.exited_with(2));
    EXPECT_EQ(usage.err, "usage: readpairs [FILE]\n");
}

struct SignalCase {
    const char* argument;
    const char* message;
    bool aborts;
};

TEST_F(DriverTest, EachSignalWritesItsMessageAndEnds) {
    const SignalCase cases[] = {
        {"FPE", "Floating Exception\n", true},
        {"ABRT", "IOT Trap\n", true},
        {"TRAP", "Trace trap\n", true},
        {"QUIT", "Quit signal\n", true},
        {"INT", "Interrupt\n", false},
        {"TERM", "Killed\n", false},
        // abort() enters the SIGABRT handler, whose own end must not enter it again.
        {"abort", "IOT Trap\n", true},
    };
    for (const SignalCase& caught : cases) {
        const ProcessResult probe = run(kSignalProbe, {caught.argument});
        EXPECT_EQ(probe.err, caught.message) << caught.argument;
        // Either end flushes the output still buffered.
        EXPECT_EQ(probe.out, "pending") << caught.argument;
        if (caught.aborts) {
            EXPECT_TRUE(probe.aborted()) << caught.argument << ": status " << probe.status;
        } else {
            EXPECT_TRUE(probe.exited_with(1)) << caught.argument << ": status " << probe.status;
        }
    }
}

TEST_F(DriverTest, IgnoredInterruptAndQuitStayIgnored) {
    for (const char* name : {"INT", "QUIT"}) {
        const ProcessResult probe = run(kSignalProbe, {name}, {}, {SIGINT, SIGQUIT});
        EXPECT_EQ(probe.err, "") << name;
        EXPECT_EQ(probe.out, "pending survived") << name;
        EXPECT_TRUE(probe.exited_with(0)) << name << ": status " << probe.status;
    }
    // Only those two: an ignored SIGTERM is caught all the same.
    const ProcessResult probe = run(kSignalProbe, {"TERM"}, {}, {SIGTERM});
    EXPECT_EQ(probe.err, "Killed\n");
    EXPECT_TRUE(probe.exited_with(1)) << "status " << probe.status;
}

}  // namespace
