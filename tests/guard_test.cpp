// The plot-state guard on a real process: each routine used before any diagram ends the plot,
// writes the two-line message naming it and exits with status 1.
#include <gtest/gtest.h>

#include <string>

#include "support/subprocess.h"

namespace {

struct ProbeRun {
    int status = -1;
    std::string out;
    std::string err;
    std::string trace;
};

ProbeRun run_probe(const std::string& routine) {
    const std::string dir = DIAGR_BINARY_DIR "/tests/guard_" + routine;
    const std::string command = "mkdir -p '" + dir + "' && cd '" + dir +
                                "' && rm -f trace out err && PGPLOT_DEV=/null PLOTTER_TRACE=trace '" DIAGR_BINARY_DIR
                                "/tests/guard_probe' " +
                                routine + " >out 2>err";
    ProbeRun run;
    run.status = support::run_shell(command);
    run.out = support::slurp(dir + "/out");
    run.err = support::slurp(dir + "/err");
    run.trace = support::slurp(dir + "/trace");
    return run;
}

struct GuardCase {
    const char* routine;
    const char* message_name;    // exactly as written, trailing blank included
    const char* before_message;  // plotter calls made before the first byte of the message
};

class GuardTest : public ::testing::TestWithParam<GuardCase> {};

// Regression: the stop used to exit with status 0, reporting a failed run as a success.
TEST_P(GuardTest, EndsPlotThenWritesTwoLinesAndExitsOne) {
    const GuardCase& c = GetParam();
    const ProbeRun run = run_probe(c.routine);
    EXPECT_EQ(run.status, 1) << run.err;
    EXPECT_EQ(run.out, std::string(" ?DGRDNC: Illegal call of ") + c.message_name +
                           "\n ?DGRDNC: DIAGR or FRAME must be called first.\n");
    EXPECT_EQ(run.err, c.before_message);
    // The trace file of the whole run holds nothing after PLTEND: no drawing, no waiting.
    EXPECT_EQ(run.trace, c.before_message);
}

INSTANTIATE_TEST_SUITE_P(Routines, GuardTest,
                         ::testing::Values(GuardCase{"OVER", "Over", "PLOTS 1 0 20 10\nPLTEND\n"},
                                           GuardCase{"OVR", "Ovr ", "PLOTS 1 0 20 10\nNEWPEN 4\nPLTEND\n"},
                                           GuardCase{"PTEXT", "Ptext", "PLOTS 1 0 20 10\nPLTEND\n"},
                                           GuardCase{"PTXT", "Ptxt ", "PLOTS 1 0 20 10\nNEWPEN 4\nPLTEND\n"},
                                           GuardCase{"GPOSU", "Gposu", "PLOTS 1 0 20 10\nPLTEND\n"},
                                           GuardCase{"XCM", "Xcm", "PLOTS 1 0 20 10\nPLTEND\n"},
                                           GuardCase{"YCM", "Ycm", "PLOTS 1 0 20 10\nPLTEND\n"}),
                         [](const ::testing::TestParamInfo<GuardCase>& info) {
                             return std::string(info.param.routine);
                         });

}  // namespace
