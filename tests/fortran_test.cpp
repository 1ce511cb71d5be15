// The Fortran entry points as gfortran programs call them: the Fortran demonstration draws the same
// page as diatest1, the common block /PLTPAR/ is the plot state, and every entry point reaches its
// C++ routine with the same arguments (traces and results compared with direct C++ calls).
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <bit>
#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

#include "diagr.h"
#include "plotter.h"
#include "recorder.h"
#include "support/subprocess.h"

namespace {

const std::string kDemo = DIAGR_BINARY_DIR "/demo/diatest1";
const std::string kFortranDemo = DIAGR_BINARY_DIR "/examples/diatest1f";
const std::string kPltparProbe = DIAGR_BINARY_DIR "/tests/fortran_pltpar_probe";
const std::string kEntriesProbe = DIAGR_BINARY_DIR "/tests/fortran_entries_probe";
// The same program compiled with "use diagr_api": every call checked against the module's interfaces.
const std::string kEntriesApiProbe = DIAGR_BINARY_DIR "/tests/fortran_entries_api_probe";

using support::exists;
using support::lines_of;
using support::ProcessResult;
using support::slurp;
using support::write_file;

std::string hex(float value) {
    char buffer[16];
    std::snprintf(buffer, sizeof buffer, "%08X", static_cast<unsigned>(std::bit_cast<std::uint32_t>(value)));
    return buffer;
}

std::string hex(int value) {
    char buffer[16];
    std::snprintf(buffer, sizeof buffer, "%08X", static_cast<unsigned>(value));
    return buffer;
}

// The line the probes print for the plot state: the stage, then the fourteen words as bit patterns.
std::string state_line(const std::string& stage, const PltPar& p) {
    std::string line = stage;
    for (const std::string& word :
         {hex(p.XSCAL), hex(p.YSCAL), hex(p.XOFFS), hex(p.YOFFS), hex(p.XLEFT), hex(p.YBOTM), hex(p.XRIGHT),
          hex(p.YTOP), hex(p.IXLAB), hex(p.IYLAB), hex(p.XLSIZE), hex(p.YLSIZE), hex(p.TSIZE), hex(p.SYMSIZ)}) {
        line += " " + word;
    }
    return line;
}

class FortranTest : public ::testing::Test {
protected:
    void SetUp() override {
        if (!exists(kFortranDemo)) {
            GTEST_SKIP() << "built without a Fortran compiler";
        }
        ASSERT_NO_FATAL_FAILURE(support::make_temp_directory("fortran_test", top_));
        work_ = top_ + "/work";
        ASSERT_EQ(mkdir(work_.c_str(), 0755), 0);
        PLTPAR = LABINI_VALUES;
    }
    void TearDown() override {
        plotter::recorder_stop();
        if (!top_.empty()) {
            support::remove_tree(top_);
        }
    }

    // Runs PROGRAM in the work directory on the null device, its plotter calls traced to TRACE.
    ProcessResult run(const std::string& program, const std::string& trace) {
        return support::run_process(program, {}, work_, top_, {{"PGPLOT_DEV", "/null"}, {"PLOTTER_TRACE", trace}});
    }

    std::string top_;
    std::string work_;
};

std::string pairs_file(int count) {
    std::string content = "generated pairs\n";
    for (int i = 0; i < count; ++i) {
        content += std::to_string(i) + ".25 " + std::to_string(i * (i - 7)) + "\n";
    }
    return content;
}

TEST_F(FortranTest, FortranDemonstrationDrawsTheSamePageAsDiatest1) {
    const struct {
        const char* label;
        std::string data;
    } cases[] = {
        {"the sample data", slurp(DIAGR_SOURCE_DIR "/examples/plot.out")},
        // List-directed input: commas, a pair split over lines, a third value dropped, empty values
        // and a slash keeping the previous value, a repeat count, D and sign-only exponents, and a
        // last line with x alone.
        {"list-directed forms",
         "header 1 2\n1.0, 2.0\n\n3.0\t4.0 99\n5.0\n6.0\n7.0,,\n8.0/\n2*9.5\n"
         "1.0D1 -2.5e-1\n1.5-1 3\n12\n"},
        {"exactly 1000 pairs", pairs_file(1000)},
    };
    for (const auto& page : cases) {
        write_file(work_ + "/plot.out", page.data);
        const std::string cpp_trace = top_ + "/cpp.trace";
        const std::string fortran_trace = top_ + "/fortran.trace";
        const ProcessResult cpp = run(kDemo, cpp_trace);
        const ProcessResult fortran = run(kFortranDemo, fortran_trace);
        ASSERT_TRUE(cpp.exited_with(0)) << page.label << ": status " << cpp.status << "\n" << cpp.err;
        ASSERT_TRUE(fortran.exited_with(0)) << page.label << ": status " << fortran.status << "\n" << fortran.err;
        EXPECT_EQ(fortran.out, "") << page.label;
        EXPECT_EQ(fortran.err, "") << page.label;
        const std::vector<std::string> expected = lines_of(slurp(cpp_trace));
        ASSERT_GT(expected.size(), 100U) << page.label;
        EXPECT_EQ(lines_of(slurp(fortran_trace)), expected) << page.label;
        ASSERT_EQ(std::remove(cpp_trace.c_str()), 0);
        ASSERT_EQ(std::remove(fortran_trace.c_str()), 0);
    }
}

TEST_F(FortranTest, FortranDemonstrationRefusesWhatDiatest1RefusesBeforeOpeningAPlot) {
    for (const int pairs : {1001, 1, 0}) {
        write_file(work_ + "/plot.out", pairs_file(pairs));
        const std::string trace = top_ + "/trace";
        const ProcessResult cpp = run(kDemo, trace);
        const ProcessResult fortran = run(kFortranDemo, trace);
        EXPECT_TRUE(fortran.exited_with(1)) << pairs << " pairs: status " << fortran.status;
        EXPECT_EQ(fortran.out, "");
        // The same message, under the program's own name.
        ASSERT_EQ(cpp.err.rfind("diatest1: ", 0), 0U) << cpp.err;
        EXPECT_EQ(fortran.err, "diatest1f: " + cpp.err.substr(10)) << pairs << " pairs";
        EXPECT_FALSE(exists(trace)) << pairs << " pairs";
    }
}

TEST_F(FortranTest, CommonBlockPltparIsThePlotStateBothWays) {
    const ProcessResult probe = run(kPltparProbe, top_ + "/trace");
    ASSERT_TRUE(probe.exited_with(0)) << probe.status << "\n" << probe.err;

    // The same calls in C++: what the Fortran program saw through /PLTPAR/ must be these words.
    std::vector<std::string> expected;
    expected.push_back(state_line("START", LABINI_VALUES));
    FRALAB(0, 7, 0.3F, 0.35F, 0.5F, 0.2F);
    expected.push_back(state_line("FRALAB", PLTPAR));
    CLIP(2.0F, 1.5F, 7.0F, 6.0F, -1.0F, 11.0F, 100.0F, 40.0F);
    expected.push_back(state_line("CLIP", PLTPAR));
    // The Fortran program then wrote the mapping words itself; XCM and YCM computed with them.
    expected.push_back("XCM/YCM " + hex(2.0F * 3.0F + 1.0F) + " " + hex(-0.5F * 6.0F + 4.0F));
    PLTPAR.XSCAL = 2.0F;
    PLTPAR.XOFFS = 1.0F;
    PLTPAR.YSCAL = -0.5F;
    PLTPAR.YOFFS = 4.0F;
    PLTPAR.IXLAB = 43;
    expected.push_back(state_line("WRITTEN", PLTPAR));

    EXPECT_EQ(lines_of(probe.out), expected);
}

// The C++ side of tests/fortran/entries_probe.f90: the same calls with the same values, printing
// what the probe prints.
std::vector<std::string> entries_in_cpp() {
    std::vector<std::string> out;
    const float x[5] = {0.0F, 2.5F, 5.0F, 7.5F, 10.0F};
    const float y[5] = {1.0F, -0.5F, 0.25F, 0.75F, -1.0F};

    LABINI();
    PLTDEV("/null", 5);
    PLOTS(1, 0, 20.0F, 10.0F);
    NEWPEN(2);
    PLOT(1.0F, 1.0F, 3);
    PLOT(2.5F, 1.5F, 2);
    CPLOT(3.0F, 3.0F, 997);
    CPLOT(6.0F, 6.0F, 998);
    CPLOT(2.0F, 4.0F, 3);
    CPLOT(7.0F, 4.5F, 2);
    MPLOT(4.0F, 2.0F, 2, 3);
    SYMBOL(1.0F, 8.0F, 0.4F, "SYMBOL", 0.0F, 6, 6);
    SYMBLK(999.0F, 999.0F, 0.4F, "x&H2&M + #a", 0.0F, 10, 11);
    float w = -1.0F;
    TEXTLK(0.0F, w, 0.4F, "x&H2&M + #a", 0.0F, 10, 11);
    out.push_back("TEXTLK " + hex(w));
    CENSYM(5.0F, 8.0F, 3, 0.3F, 0.3F, 0.0F);
    PLTSYN(1);
    PLTSYN(0);
    WAITHT();
    float hx = -1.0F;
    float hy = -1.0F;
    int key = -1;
    HITPOS(hx, hy);
    HITCHR(key);
    out.push_back("HIT " + hex(hx) + " " + hex(hy) + " " + std::to_string(key));
    PGTEXT(3.0F, 3.0F, R"(\ga\gb)", 6);

    FRALAB(1, 1, 0.3F, 0.3F, 0.4F, 0.25F);
    float xmin = 0.0F;
    float xmax = 0.0F;
    float ymin = 0.0F;
    float ymax = 0.0F;
    DIAGR(2.0F, 2.0F, 7.0F, 7.0F, xmin, xmax, ymin, ymax, 0.0F, 0.0F, "T (°C)", "λ (µm)", "title", 2, 3, x, y, 5, 0.0F,
          7, 8, 5);
    out.push_back("DIAGR " + hex(xmin) + " " + hex(xmax) + " " + hex(ymin) + " " + hex(ymax));
    FRAME(11.0F, 2.0F, 7.0F, 7.0F, 0.0F, 10.0F, -1.0F, 1.0F, 2.0F, 0.5F, "time", "value", "frame", 4, 4, 5, 5);
    OVER(x, y, 5, 0.4F);
    OVR(x, y, 5, -2.0F, 5);
    const float quarter[5] = {0.25F, 0.25F, 0.25F, 0.25F, 0.25F};
    const float half[5] = {0.5F, 0.5F, 0.5F, 0.5F, 0.5F};
    const float one[5] = {1.0F, 1.0F, 1.0F, 1.0F, 1.0F};
    ERRY(x, y, quarter, half, 5, 0.2F);
    ERRX(x, y, one, half, 5, 0.0F);
    LEGADD("curve", 3, -2.0F, 1, 5);
    LEGEND(0, 0.3F);
    float counts[4] = {};
    int nbin = 0;
    float bmin = 0.0F;
    float bmax = 0.0F;
    BINS(y, 5, nbin, bmin, bmax, counts, 4);
    out.push_back("BINS " + std::to_string(nbin) + " " + hex(bmin) + " " + hex(bmax) + " " + hex(counts[0]));
    HIST(x, 5, 2, 0.0F, 10.0F, 1);
    STEPS(x, y, 5, 0);
    float below[5];
    float above[5];
    for (int i = 0; i < 5; ++i) {
        below[i] = y[i] - 0.25F;
        above[i] = y[i] + 0.5F;
    }
    BAND(x, below, above, 5);
    HISTD(2.0F, 2.0F, 7.0F, 7.0F, y, 5, 0, "y", "count", "histd", 1, 2, 0, 1, 5, 5);
    FILPOL(x, y, 5, 1);
    LOGAX(0, 1);
    FRAME(11.0F, 2.0F, 7.0F, 7.0F, 0.0F, 10.0F, 0.01F, 100.0F, 0.0F, 0.0F, "t", "v", "log", 1, 1, 1, 3);
    LOGAX(0, 0);
    TIMAX(1, 0, 1107216000.0);
    FRAME(11.0F, 2.0F, 7.0F, 7.0F, 0.0F, 5097600.0F, 0.0F, 1.0F, 0.0F, 0.0F, "t", "v", "time", 1, 1, 1, 4);
    TIMAX(0, 0, 0.0);
    CDASH(1.0F, 1.0F, 3, 0.2F);
    CDASH(4.0F, 1.5F, 2, 0.2F);
    PTEXT(1.0F, 0.5F, 0.3F, "ptext", 5);
    PTXT(0.5F, 0.5F, "Δt = 5 µs", 0.06F, 5, 6, 111, 11);
    ACHSIZ(0.3F);
    ACHSE0(1.0F, 0.5F, 5, 6.0F, 0.0F, 0.0F, 0.0F, 100.0F);
    ACHSE(1.0F, 0.5F, "axis text", 4, 6.0F, 30.0F, 0.0F, 0.0F, 100.0F, 9);

    char label[9] = "xxxxxxxx";
    int nch = 0;
    int iexp = 0;
    STELLE(1234567.0F, label, nch, iexp, 8);
    out.push_back("STELLE \"" + std::string(label, 8) + "\" " + std::to_string(nch) + " " + std::to_string(iexp));
    std::string("xxxxxxxx").copy(label, 8);
    iexp = 99;
    FSTELLE(0.005F, label, nch, iexp, 8);
    out.push_back("FSTELLE \"" + std::string(label, 8) + "\" " + std::to_string(nch) + " " + std::to_string(iexp));
    out.push_back("IDX/LINT " + std::to_string(IDX("abc   ", 6)) + " " + std::to_string(LINT(-1.5F)) + " " +
                  std::to_string(LINT(2.5F)));
    out.push_back("XCM/YCM " + hex(XCM(5.0F)) + " " + hex(YCM(0.0F)));

    char ch[3] = {'a', 'b', 'c'};
    float gx = -1.0F;
    float gy = -1.0F;
    GETPOS(gx, gy, ch, 3);
    out.push_back("GETPOS " + hex(gx) + " " + hex(gy) + " \"" + std::string(ch, 3) + "\"");
    float ux = 0.0F;
    float uy = 0.0F;
    GPOSU(ux, uy, ch, 3);
    out.push_back("GPOSU " + hex(ux) + " " + hex(uy) + " \"" + std::string(ch, 3) + "\"");
    DERR("probe", 5);
    PLTEND();
    return out;
}

TEST_F(FortranTest, EveryEntryPointPassesItsArgumentsAndResultsLikeTheCppCall) {
    plotter::recorder_start();
    const std::vector<std::string> printed = entries_in_cpp();
    const std::vector<std::string> calls = plotter::recorder_lines();

    for (const std::string& program : {kEntriesProbe, kEntriesApiProbe}) {
        SCOPED_TRACE(program);
        const std::string trace = top_ + "/trace";
        std::remove(trace.c_str());
        const ProcessResult probe = run(program, trace);
        ASSERT_TRUE(probe.exited_with(0)) << probe.status << "\n" << probe.err;
        EXPECT_EQ(probe.err, "");
        EXPECT_EQ(lines_of(probe.out), printed);
        const std::vector<std::string> traced = lines_of(slurp(trace));
        ASSERT_GT(calls.size(), 100U);
        EXPECT_EQ(traced, calls);
        // The UTF-8 literals of the Fortran source reach the plotter as the same bytes.
        for (const char* text : {"\"T (°C)\"", "\"λ (µm)\"", "\"Δt = 5 µs\""}) {
            EXPECT_NE(slurp(trace).find(text), std::string::npos) << text;
        }
        // Every pen-plotter routine was reached through its Fortran entry point.
        for (const char* name :
             {"PLOTS ", "PLOT ", "CPLOT ", "MPLOT ", "NEWPEN ", "SYMBOL ", "SYMBLK ", "TEXTLK ", "CENSYM ", "PLTSYN ",
              "WAITHT", "HITPOS ", "HITCHR ", "PGTEXT ", "FILPOL ", "PLTEND"}) {
            bool seen = false;
            for (const std::string& line : traced) {
                seen = seen || line.rfind(name, 0) == 0;
            }
            EXPECT_TRUE(seen) << name;
        }
    }
}

}  // namespace
