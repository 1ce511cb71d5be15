// The plotter as a real process: the PLOTTER_TRACE file, the output files giza writes (a valid
// PDF, a PNG of the page's aspect), silence in a normal run, and devices that cannot be opened.
#include <gtest/gtest.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "support/subprocess.h"
#include "text.h"

namespace {

namespace fs = std::filesystem;

const std::string kProbes = DIAGR_BINARY_DIR "/tests/";

using support::capture_output;
using support::slurp;

struct Outcome {
    int status = -1;
    std::string err;
};

class Output : public ::testing::Test {
protected:
    void SetUp() override {
        dir_ = fs::temp_directory_path() / ("plotter_output_" + std::to_string(::getpid()) + "_" +
                                            ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(dir_);
        fs::create_directories(dir_);
    }
    void TearDown() override { fs::remove_all(dir_); }

    // Runs PROBE in the test's directory with ENV settings; collects exit status and stderr.
    Outcome run(const std::string& probe, const std::string& env) {
        const fs::path err = dir_ / "stderr.txt";
        const std::string command = "cd '" + dir_.string() + "' && env " + env + " timeout 60 '" + kProbes + probe +
                                    "' </dev/null >stdout.txt 2>'" + err.string() + "'";
        Outcome r;
        r.status = support::run_shell(command);
        r.err = slurp(err);
        return r;
    }

    fs::path dir_;
};

TEST_F(Output, TraceFileHoldsEveryCallInOrder) {
    const Outcome r = run("plotter_trace_probe", "PGPLOT_DEV=/null PLOTTER_TRACE=trace.txt");
    ASSERT_EQ(r.status, 0) << r.err;
    // W of "x&H2" at 0.5 cm: a full-size x and a script-size 2.
    const float w = plotter::glyph_advance('x') * 0.5F + plotter::glyph_advance('2') * (0.5F * plotter::kScriptScale);
    char w_text[32];
    std::snprintf(w_text, sizeof w_text, "%.9g", static_cast<double>(w));
    char x_width[32];
    std::snprintf(x_width, sizeof x_width, "%.9g", static_cast<double>(plotter::glyph_advance('x') * 0.5F));
    EXPECT_EQ(slurp(dir_ / "trace.txt"), "TEXTLK 0 0 0.5 \"x\" 0 1 -> " + std::string(x_width) +
                                             "\n"
                                             "CENSYM 1 1 2 0.5 0.5 0\n"
                                             "PLOT 1 1 3\n"
                                             "PLOTS 1 0 20 10\n"
                                             "PLOT 0 0 3\n"
                                             "PLOT 20 0 2\n"
                                             "PLOT 20 10 2\n"
                                             "PLOT 0 10 2\n"
                                             "PLOT 0 0 2\n"
                                             "NEWPEN 2\n"
                                             "TEXTLK 0 0 0.5 \"x&H2\" 0 3 -> " +
                                             std::string(w_text) +
                                             "\n"
                                             "SYMBLK 2 2 0.5 \"x&H2\" 0 3\n"
                                             "PGTEXT 3 3 \"\\\\ga\\\\gb \\\"q\\\"\"\n"
                                             "WAITHT\n"
                                             "HITPOS 1 1 -> 0 0\n"
                                             "PLTEND\n"
                                             "PLTEND\n"
                                             "SYMBOL 1 1 0.5 \"x\" 0 1\n"
                                             "WAITHT\n");
    // Without a page the first call says so, once until the next PLOTS; TEXTLK only measures.
    EXPECT_EQ(r.err,
              "plotter: CENSYM called with no page open; PLOTS opens the page\n"
              "plotter: SYMBOL called with no page open; PLOTS opens the page\n");
}

TEST_F(Output, DefaultDeviceWritesAOnePageTrueSizePdf) {
    const Outcome r = run("plotter_page_probe", "-u PGPLOT_DEV");
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.err, "") << "a normal run writes nothing to stderr";
    ASSERT_TRUE(fs::exists(dir_ / "plot.pdf"));
    const std::string info = capture_output("pdfinfo '" + (dir_ / "plot.pdf").string() + "' 2>&1");
    EXPECT_NE(info.find("Pages:           1"), std::string::npos) << info;
    // 20 x 10 cm plus a 1 cm margin all round: 22 x 12 cm = 623.6 x 340.2 pt.
    EXPECT_NE(info.find("Page size:       624 x 340 pts"), std::string::npos) << info;
    // poppler can render it.
    const std::string render = capture_output("pdftoppm -r 20 -png '" + (dir_ / "plot.pdf").string() + "' '" +
                                              (dir_ / "render").string() + "' 2>&1; echo status=$?");
    EXPECT_NE(render.find("status=0"), std::string::npos) << render;
}

TEST_F(Output, PngHasThePagesAspect) {
    const Outcome r = run("plotter_page_probe", "PGPLOT_DEV=page.png/png");
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.err, "");
    std::ifstream in(dir_ / "page.png", std::ios::binary);
    unsigned char header[24] = {};
    in.read(reinterpret_cast<char*>(header), sizeof header);
    ASSERT_EQ(std::string(reinterpret_cast<char*>(header) + 12, 4), "IHDR");
    const auto be32 = [&](int at) {
        return (header[at] << 24) | (header[at + 1] << 16) | (header[at + 2] << 8) | header[at + 3];
    };
    const double width = be32(16);
    const double height = be32(20);
    ASSERT_GT(height, 100.0);
    EXPECT_NEAR(width / height, 22.0 / 12.0, 2.0 / height);
}

// The PGPLOT device gathers connected strokes into one line and thins it: a curve of 20000 points
// given one segment at a time becomes one path of far fewer points, a straight line its two ends.
TEST_F(Output, DenseLinesReachTheFileAsOneThinnedPathEach) {
    const Outcome r = run("plotter_dense_probe", "PGPLOT_DEV=dense.svg/svg");
    ASSERT_EQ(r.status, 0) << r.err;
    const std::string svg = slurp(dir_ / "dense.svg");
    std::vector<std::string> paths;
    for (std::size_t at = svg.find(" d=\""); at != std::string::npos; at = svg.find(" d=\"", at + 1)) {
        const std::size_t end = svg.find('"', at + 4);
        ASSERT_NE(end, std::string::npos);
        const std::string d = svg.substr(at + 4, end - at - 4);
        if (d.find(" L ") != std::string::npos) {
            paths.push_back(d);
        }
    }
    // The background's rectangle aside, the two lines.
    ASSERT_GE(paths.size(), 2U);
    const std::string& curve = paths[paths.size() - 2];
    const std::string& straight = paths.back();
    const auto count = [](const std::string& d, const char* what) {
        std::size_t n = 0;
        for (std::size_t at = d.find(what); at != std::string::npos; at = d.find(what, at + 1)) {
            ++n;
        }
        return n;
    };
    EXPECT_EQ(count(curve, "M "), 1U) << "the curve is one path, also across the plotter's pieces";
    EXPECT_GT(count(curve, " L "), 50U) << "the curve keeps its shape";
    EXPECT_LT(count(curve, " L "), 2000U) << "the curve of 20000 points is thinned";
    EXPECT_EQ(count(straight, " L "), 1U) << "a straight line is its two ends";
}

TEST_F(Output, OtherFileDevicesAndTheNullDevice) {
    EXPECT_EQ(run("plotter_page_probe", "PGPLOT_DEV=page.svg/svg").status, 0);
    EXPECT_NE(slurp(dir_ / "page.svg").find("width=\"624pt\""), std::string::npos);
    EXPECT_EQ(run("plotter_page_probe", "PGPLOT_DEV=page.ps/ps").status, 0);
    EXPECT_NE(slurp(dir_ / "page.ps").find("%%BoundingBox: 0 0 624 340"), std::string::npos);
    const Outcome null = run("plotter_page_probe", "PGPLOT_DEV=/null");
    EXPECT_EQ(null.status, 0);
    EXPECT_EQ(null.err, "");
}

TEST_F(Output, DeviceThatCannotBeOpenedEndsWithOneMessage) {
    const char* devices[] = {"PGPLOT_DEV=no/such/dir/plot.pdf/pdf", "PGPLOT_DEV=plot.gif/gif",
                             "PGPLOT_DEV=/xw DISPLAY="};
    for (const char* env : devices) {
        const Outcome r = run("plotter_page_probe", env);
        EXPECT_EQ(r.status, 1) << env;
        // One line, ours, naming the device; nothing from giza.
        EXPECT_EQ(r.err.rfind("plotter: cannot open the plot device", 0), 0U) << r.err;
        EXPECT_EQ(std::count(r.err.begin(), r.err.end(), '\n'), 1) << r.err;
        EXPECT_EQ(r.err.find("giza"), std::string::npos) << r.err;
    }
}

TEST_F(Output, UnwritableDirectoryIsReportedBeforeDrawing) {
    // A path through a regular file cannot be written even by root.
    std::ofstream(dir_ / "file") << "x";
    const Outcome r = run("plotter_page_probe", "PGPLOT_DEV=file/plot.png/png");
    EXPECT_EQ(r.status, 1);
    EXPECT_NE(r.err.find("cannot write file/plot.png"), std::string::npos) << r.err;
    EXPECT_FALSE(fs::exists(dir_ / "file.png"));
}

}  // namespace
