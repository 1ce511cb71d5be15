// The plotter as a real process: the PLOTTER_TRACE file, the output files (a valid PDF, a PNG at
// the chosen resolution, sheets that hold all ink, fills, several pages, the same bytes every run),
// silence in a normal run, devices that cannot be opened and output that cannot be written.
#include <gtest/gtest.h>
#include <unistd.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <utility>
#include <vector>

#include "plotter.h"
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

    // Runs PROBE with ARGS in the test's directory with ENV settings, after the shell commands
    // BEFORE; collects exit status and stderr.
    Outcome run(const std::string& probe, const std::string& env, const std::string& args = "",
                const std::string& before = "") {
        const fs::path err = dir_ / "stderr.txt";
        const std::string command = "cd '" + dir_.string() + "' && " + before + " env " + env + " timeout 60 '" +
                                    kProbes + probe + "' " + args + " </dev/null >stdout.txt 2>'" + err.string() + "'";
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
                                             "FILPOL [0 1 1] [0 0 1] 3 1\n"
                                             "SYMBOL 1 1 0.5 \"x\" 0 1\n"
                                             "WAITHT\n");
    // Without a page the first call says so, once until the next PLOTS; TEXTLK only measures.
    EXPECT_EQ(r.err,
              "plotter: CENSYM called with no page open; PLOTS opens the page\n"
              "plotter: FILPOL called with no page open; PLOTS opens the page\n");
}

TEST_F(Output, DefaultDeviceWritesAOnePageTrueSizePdf) {
    const Outcome r = run("plotter_pages_probe", "-u PGPLOT_DEV");
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.err, "") << "a normal run writes nothing to stderr";
    ASSERT_TRUE(fs::exists(dir_ / "plot.pdf"));
    const std::string info = capture_output("pdfinfo '" + (dir_ / "plot.pdf").string() + "' 2>&1");
    EXPECT_NE(info.find("Pages:           1"), std::string::npos) << info;
    // 20 x 10 cm plus a 1 cm margin all round: 22 x 12 cm = 623.6 x 340.2 pt.
    EXPECT_NE(info.find("Page size:       623.622 x 340.157 pts"), std::string::npos) << info;
    // The file names its maker and no date: the same calls give the same bytes.
    EXPECT_NE(info.find("Producer:        diagr "), std::string::npos) << info;
    EXPECT_EQ(info.find("CreationDate"), std::string::npos) << info;
    // poppler can render it.
    const std::string render = capture_output("pdftoppm -r 20 -png '" + (dir_ / "plot.pdf").string() + "' '" +
                                              (dir_ / "render").string() + "' 2>&1; echo status=$?");
    EXPECT_NE(render.find("status=0"), std::string::npos) << render;
}

// Width and height of the PNG image at PATH, from its header (0 x 0 when it is none).
std::pair<int, int> png_size(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    unsigned char header[24] = {};
    in.read(reinterpret_cast<char*>(header), sizeof header);
    if (std::string(reinterpret_cast<char*>(header) + 12, 4) != "IHDR") {
        return {0, 0};
    }
    const auto be32 = [&](int at) {
        return (header[at] << 24) | (header[at + 1] << 16) | (header[at + 2] << 8) | header[at + 3];
    };
    return {be32(16), be32(20)};
}

// The 22 x 12 cm sheet of a 20 x 10 cm page: 150 dpi unless PGPLOT_PNG_DPI says otherwise.
TEST_F(Output, PngIsDrawnAtTheChosenResolution) {
    const struct {
        const char* env;
        int width;
        int height;
    } cases[] = {
        {"-u PGPLOT_PNG_DPI", 1299, 709},
        {"PGPLOT_PNG_DPI=300", 2598, 1417},
        {"PGPLOT_PNG_DPI=72.5", 628, 343},
        {"PGPLOT_PNG_DPI=10", 87, 47},
    };
    for (const auto& c : cases) {
        const Outcome r = run("plotter_pages_probe", std::string(c.env) + " PGPLOT_DEV=page.png/png");
        ASSERT_EQ(r.status, 0) << c.env << r.err;
        EXPECT_EQ(r.err, "");
        EXPECT_EQ(png_size(dir_ / "page.png"), std::make_pair(c.width, c.height)) << c.env;
    }
    for (const char* bad : {"PGPLOT_PNG_DPI=150dpi", "PGPLOT_PNG_DPI=5", "PGPLOT_PNG_DPI=nan"}) {
        const Outcome r = run("plotter_pages_probe", std::string("PGPLOT_DEV=page.png/png ") + bad);
        EXPECT_EQ(r.status, 1) << bad;
        EXPECT_EQ(r.err.rfind("plotter: PGPLOT_PNG_DPI must be a resolution from 10 to 1200 dots per inch", 0), 0U)
            << r.err;
        EXPECT_EQ(std::count(r.err.begin(), r.err.end(), '\n'), 1) << r.err;
    }
}

// The word boxes pdftotext finds in PDF: the page's width and height, and per word its text and
// box in points from the top left.
struct PdfWord {
    std::string text;
    double x1, y1, x2, y2;
};

double attribute(const std::string& line, const std::string& name) {
    const std::size_t at = line.find(name + "=\"");
    return at == std::string::npos ? -1.0 : std::stod(line.substr(at + name.size() + 2));
}

std::vector<PdfWord> pdf_words(const fs::path& pdf, double& width, double& height) {
    const std::string html = capture_output("pdftotext -bbox '" + pdf.string() + "' - 2>&1");
    std::vector<PdfWord> words;
    for (const std::string& line : support::lines_of(html)) {
        if (line.find("<page ") != std::string::npos) {
            width = attribute(line, "width");
            height = attribute(line, "height");
        } else if (line.find("<word ") != std::string::npos) {
            const std::size_t open = line.find('>');
            const std::size_t close = line.find("</word>");
            words.push_back(PdfWord{line.substr(open + 1, close - open - 1), attribute(line, "xMin"),
                                    attribute(line, "yMin"), attribute(line, "xMax"), attribute(line, "yMax")});
        }
    }
    return words;
}

// Texts some 4 cm left of and below the plot and 2 cm past its right edge: the sheet grows to
// hold every word, and stays true to size. Broke: the sheet was the page with a 1 cm margin and
// cut them off.
TEST_F(Output, SheetHoldsTextsFarOutsideThePlot) {
    const Outcome r = run("plotter_page_probe", "PGPLOT_DEV=page.pdf/pdf");
    ASSERT_EQ(r.status, 0) << r.err;
    double width = 0.0;
    double height = 0.0;
    const std::vector<PdfWord> words = pdf_words(dir_ / "page.pdf", width, height);
    ASSERT_GT(words.size(), 20U);
    constexpr double kPointsPerCm = 72.0 / 2.54;
    EXPECT_GT(width, 26.0 * kPointsPerCm) << "from 4 cm left of the plot to 2 cm past it";
    EXPECT_GT(height, 15.0 * kPointsPerCm) << "from 2 cm below the plot to 1.5 cm above it";
    const PdfWord* below_left = nullptr;
    const PdfWord* hello = nullptr;
    for (const PdfWord& w : words) {
        EXPECT_TRUE(w.x1 >= 0.0 && w.y1 >= 0.0 && w.x2 <= width && w.y2 <= height)
            << w.text << " at " << w.x1 << " " << w.y1 << " " << w.x2 << " " << w.y2 << " off the " << width << " x "
            << height << " pt sheet";
        below_left = w.text == "below-left" ? &w : below_left;
        hello = w.text == "HELLO" ? &w : hello;
    }
    ASSERT_NE(below_left, nullptr);
    ASSERT_NE(hello, nullptr);
    // "below-left" starts at (-4, -2) cm, "HELLO" at (6, 8.5) cm: 10 cm and 10.5 cm apart.
    EXPECT_NEAR(hello->x1 - below_left->x1, 10.0 * kPointsPerCm, 1.5);
    EXPECT_NEAR(below_left->y2 - hello->y2, 10.5 * kPointsPerCm, 1.5);
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

// Every file type, twice: the same bytes each run (no date unless SOURCE_DATE_EPOCH gives one).
TEST_F(Output, OtherFileDevicesTheNullDeviceAndTheSameBytesEveryRun) {
    for (const char* type : {"pdf", "ps", "eps", "svg", "png"}) {
        const std::string file = std::string("page.") + type;
        EXPECT_EQ(run("plotter_page_probe", "PGPLOT_DEV=" + file + "/" + type).status, 0) << type;
        const std::string first = slurp(dir_ / file);
        EXPECT_EQ(run("plotter_page_probe", "PGPLOT_DEV=" + file + "/" + type).status, 0) << type;
        EXPECT_GT(first.size(), 1000U) << type;
        EXPECT_EQ(slurp(dir_ / file), first) << type;
    }
    EXPECT_NE(slurp(dir_ / "page.ps").find("%%Creator: diagr "), std::string::npos);
    EXPECT_EQ(slurp(dir_ / "page.ps").find("%%CreationDate"), std::string::npos);
    EXPECT_EQ(run("plotter_page_probe", "PGPLOT_DEV=dated.pdf/pdf SOURCE_DATE_EPOCH=1000000000").status, 0);
    EXPECT_NE(capture_output("pdfinfo '" + (dir_ / "dated.pdf").string() + "'").find("Sep  9 01:46:40 2001 UTC"),
              std::string::npos);
    const Outcome null = run("plotter_page_probe", "PGPLOT_DEV=/null");
    EXPECT_EQ(null.status, 0);
    EXPECT_EQ(null.err, "");
}

TEST_F(Output, DeviceThatCannotBeOpenedEndsWithOneMessage) {
    const struct {
        const char* probe;
        const char* env;
        const char* args;
    } devices[] = {
        {"plotter_page_probe", "PGPLOT_DEV=no/such/dir/plot.pdf/pdf", ""},
        {"plotter_page_probe", "PGPLOT_DEV=plot.gif/gif", ""},
        {"plotter_page_probe", "PGPLOT_DEV=/xw DISPLAY=", ""},
        {"plotter_pages_probe", "PGPLOT_DEV=/null", "three plot.gif/gif"},
    };
    for (const auto& [probe, env, args] : devices) {
        const Outcome r = run(probe, env, args);
        EXPECT_EQ(r.status, 1) << env;
        // One line, ours, naming the device.
        EXPECT_EQ(r.err.rfind("plotter: cannot open the plot device", 0), 0U) << r.err;
        EXPECT_EQ(std::count(r.err.begin(), r.err.end(), '\n'), 1) << r.err;
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

// A full disk while the page is written, at PLTEND or when a program ends without it. Broke:
// status 0 and nothing said for PDF; another library's message and status 0 for PNG. A file cut
// short (under a file-size limit) is removed, and no page is begun after one that failed. Broke:
// both were left on disk, the second empty. With "dense" the first page is too large for the
// limit, so a document fails at the next PLOTS already.
TEST_F(Output, OutputThatCannotBeWrittenEndsWithOneMessage) {
    for (const char* args : {"", "three", "open", "dense"}) {
        for (const char* type : {"pdf", "ps", "png", "svg"}) {
            fs::remove_all(dir_);
            fs::create_directories(dir_);
            const std::string file = std::string("cut.") + type;
            const Outcome r =
                run("plotter_pages_probe", "PGPLOT_DEV=" + file + "/" + type, args, "trap '' XFSZ; ulimit -f 2;");
            EXPECT_EQ(r.status, 1) << file << " " << args;
            // cairo keeps PostScript pages in a temporary file of its own until the end; writing
            // that fails with cairo's reason.
            const bool temporary = std::string(args) == "dense" && std::string(type) == "ps";
            EXPECT_EQ(r.err.rfind("plotter: cannot write " + file + ": " + (temporary ? "" : "File too large\n"), 0),
                      0U)
                << args << " " << r.err;
            EXPECT_EQ(std::count(r.err.begin(), r.err.end(), '\n'), 1) << args << " " << r.err;
            EXPECT_EQ(std::distance(fs::directory_iterator(dir_), fs::directory_iterator()), 2)
                << file << " " << args << ": only the probe's stdout and stderr are left";
        }
    }
    const struct {
        const char* file;
        const char* probe;
        const char* args;
    } cases[] = {
        {"full.pdf", "plotter_page_probe", ""},
        {"full.png", "plotter_page_probe", ""},
        {"full.svg", "plotter_pages_probe", ""},
        {"full.pdf", "plotter_pages_probe", "three"},
        {"full.png", "plotter_pages_probe", "open"},
        {"full.pdf", "plotter_pages_probe", "open"},
        // A failed page ends the run: said once, not again at the program's end.
        {"full.png", "plotter_pages_probe", "three"},
        {"pq_2.png", "plotter_pages_probe", "three pq.png/png"},
    };
    for (const auto& c : cases) {
        fs::remove(dir_ / c.file);
        fs::create_symlink("/dev/full", dir_ / c.file);
        const std::string type = fs::path(c.file).extension().string().substr(1);
        const Outcome r = run(c.probe, std::string("PGPLOT_DEV=") + c.file + "/" + type, c.args);
        EXPECT_EQ(r.status, 1) << c.file << " " << c.probe << " " << c.args;
        EXPECT_EQ(r.err, std::string("plotter: cannot write ") + c.file + ": No space left on device\n")
            << c.probe << " " << c.args;
        // The link is left, not what it leads to.
        EXPECT_TRUE(fs::is_symlink(dir_ / c.file)) << c.file;
        EXPECT_TRUE(fs::exists("/dev/full"));
    }
}

// A PDF page rendered by poppler at 50 pixels per cm: its size and its RGB pixels, row by row.
struct Raster {
    int width = 0;
    int height = 0;
    std::string pixels;

    const unsigned char* at(int column, int row) const {
        return reinterpret_cast<const unsigned char*>(pixels.data()) + 3 * (row * width + column);
    }
};

// Renders STEM.pdf's first page into PAGE.
void render(const fs::path& stem, Raster& page) {
    ASSERT_EQ(support::run_shell("pdftoppm -r 127 -singlefile '" + stem.string() + ".pdf' '" + stem.string() + "'"), 0);
    const std::string ppm = slurp(stem.string() + ".ppm");
    int header = 0;
    ASSERT_EQ(std::sscanf(ppm.c_str(), "P6 %d %d 255%n", &page.width, &page.height, &header), 2) << ppm.substr(0, 20);
    ++header;  // the one white-space byte before the pixels
    ASSERT_EQ(ppm.size(), static_cast<std::size_t>(header + 3 * page.width * page.height));
    page.pixels = ppm.substr(static_cast<std::size_t>(header));
}

// FILPOL on a real PDF, rendered by poppler at 50 pixels per cm: a red square is red, a white box
// hides the black line drawn before it, and a fill beyond the page grows the sheet to hold it.
TEST_F(Output, FillsCoverWhatWasDrawnBeforeInThePenOrWhite) {
    const std::string device = (dir_ / "fill.pdf").string() + "/pdf";
    PLTDEV(device.c_str(), static_cast<int>(device.size()));
    PLOTS(1, 0, 10.0F, 10.0F);
    PLOT(1.0F, 5.0F, 3);
    PLOT(9.0F, 5.0F, 2);
    const float box_x[] = {5.0F, 8.0F, 8.0F, 5.0F};
    const float box_y[] = {4.0F, 4.0F, 6.0F, 6.0F};
    FILPOL(box_x, box_y, 4, 1);
    NEWPEN(2);
    const float square_x[] = {1.0F, 3.0F, 3.0F, 1.0F, 12.0F, 14.0F, 14.0F, 12.0F};
    const float square_y[] = {1.0F, 1.0F, 3.0F, 3.0F, 4.0F, 4.0F, 6.0F, 6.0F};
    FILPOL(square_x, square_y, 4, 0);
    FILPOL(square_x + 4, square_y + 4, 4, 0);
    PLTEND();
    Raster page;
    ASSERT_NO_FATAL_FAILURE(render(dir_ / "fill", page));
    // The sheet runs from -1 cm to 0.5 cm past the far fill (14.5 cm) across, -1 to 11 cm up.
    EXPECT_NEAR(page.width, 775, 1);
    EXPECT_NEAR(page.height, 600, 1);
    const struct {
        const char* what;
        float x, y;  // cm
        int red, green, blue;
    } samples[] = {
        {"the line where nothing covers it", 3.0F, 5.0F, 0, 0, 0},
        {"the line under the white box", 6.5F, 5.0F, 255, 255, 255},
        {"the red square", 2.0F, 2.0F, 204, 0, 0},
        {"the red square beyond the page", 13.0F, 5.0F, 204, 0, 0},
        {"the paper", 4.0F, 2.0F, 255, 255, 255},
    };
    for (const auto& p : samples) {
        const int column = static_cast<int>((p.x + 1.0F) * 50.0F);
        const int row = static_cast<int>((11.0F - p.y) * 50.0F);
        const unsigned char* pixel = page.at(column, row);
        EXPECT_NEAR(pixel[0], p.red, 8) << p.what;
        EXPECT_NEAR(pixel[1], p.green, 8) << p.what;
        EXPECT_NEAR(pixel[2], p.blue, 8) << p.what;
    }
}

// FILALP 0.25 on real files: a red square over a black line lets the line show through on PDF
// (an ExtGState of opacity 0.25, rendered by poppler at 50 pixels per cm) and on SVG; PostScript
// fills it opaquely in the red mixed with white, vector, no image; a paper fill stays opaque white.
TEST_F(Output, TranslucentFillsLetWhatLiesUnderShowOrAreMixedWithWhiteInPostScript) {
    for (const char* file : {"alpha.pdf", "alpha.ps", "alpha.svg"}) {
        const std::string device = (dir_ / file).string();
        PLTDEV(device.c_str(), static_cast<int>(device.size()));
        PLOTS(1, 0, 10.0F, 10.0F);
        PLOT(1.0F, 5.0F, 3);
        PLOT(9.0F, 5.0F, 2);
        NEWPEN(2);
        FILALP(0.25F);
        const float square_x[] = {1.0F, 4.0F, 4.0F, 1.0F};
        const float square_y[] = {3.0F, 3.0F, 7.0F, 7.0F};
        FILPOL(square_x, square_y, 4, 0);
        const float box_x[] = {6.0F, 8.0F, 8.0F, 6.0F};
        const float box_y[] = {4.0F, 4.0F, 6.0F, 6.0F};
        FILPOL(box_x, box_y, 4, 1);
        PLTEND();
    }
    const std::string pdf = slurp(dir_ / "alpha.pdf");
    EXPECT_NE(pdf.find("/ca 0.25"), std::string::npos) << "an ExtGState of fill opacity 0.25";
    Raster page;
    ASSERT_NO_FATAL_FAILURE(render(dir_ / "alpha", page));
    // Pen 2 is (204, 0, 0): a quarter of it over white, and over black.
    const struct {
        const char* what;
        float x, y;  // cm
        int red, green, blue;
    } samples[] = {
        {"the square over the paper", 2.5F, 4.0F, 242, 191, 191},
        {"the line under the square", 2.5F, 5.0F, 51, 0, 0},
        {"the line where nothing covers it", 5.0F, 5.0F, 0, 0, 0},
        {"the line under the white box", 7.0F, 5.0F, 255, 255, 255},
    };
    for (const auto& p : samples) {
        const unsigned char* pixel =
            page.at(static_cast<int>((p.x + 1.0F) * 50.0F), static_cast<int>((11.0F - p.y) * 50.0F));
        EXPECT_NEAR(pixel[0], p.red, 8) << p.what;
        EXPECT_NEAR(pixel[1], p.green, 8) << p.what;
        EXPECT_NEAR(pixel[2], p.blue, 8) << p.what;
    }
    // 0.8 x 0.25 + 0.75 = 0.95 red, 0.75 green and blue; no transparency, so no fallback image
    // (cairo's would be "% Fallback Image: ..." with an "/ImageType 1" dictionary).
    const std::string ps = slurp(dir_ / "alpha.ps");
    EXPECT_NE(ps.find("0.95 0.75 0.75 rg"), std::string::npos);
    EXPECT_EQ(ps.find("/ImageType"), std::string::npos);
    EXPECT_EQ(ps.find("Fallback"), std::string::npos);
    EXPECT_NE(slurp(dir_ / "alpha.svg").find("fill-opacity:0.25"), std::string::npos);
}

// The same text upright and turned a quarter to the left, at the same height, rendered at 50
// pixels per cm: the ink of the turned one is the upright one's box turned, a column as wide as
// the upright text is tall. Had the turned text kept the font of the text before, as its size is
// the same, its letters would stand upright, stacked up the page.
TEST_F(Output, TextTurnedAtTheSameSizeIsTurnedWhole) {
    const std::string device = (dir_ / "turn.pdf").string() + "/pdf";
    PLTDEV(device.c_str(), static_cast<int>(device.size()));
    PLOTS(1, 0, 20.0F, 10.0F);
    SYMBLK(1.0F, 4.0F, 1.0F, "IIIIII", 0.0F, 0, 6);
    SYMBLK(18.0F, 1.0F, 1.0F, "IIIIII", 90.0F, 0, 6);
    PLTEND();
    Raster page;
    ASSERT_NO_FATAL_FAILURE(render(dir_ / "turn", page));
    // The ink boxes (first and last column, first and last row) left and right of x = 10 cm.
    int boxes[2][4] = {{page.width, -1, page.height, -1}, {page.width, -1, page.height, -1}};
    for (int row = 0; row < page.height; ++row) {
        for (int column = 0; column < page.width; ++column) {
            if (page.at(column, row)[0] < 128) {
                int* box = boxes[column < 550 ? 0 : 1];
                box[0] = std::min(box[0], column);
                box[1] = std::max(box[1], column);
                box[2] = std::min(box[2], row);
                box[3] = std::max(box[3], row);
            }
        }
    }
    const int upright_width = boxes[0][1] - boxes[0][0];
    const int upright_height = boxes[0][3] - boxes[0][2];
    EXPECT_GT(upright_width, 2 * upright_height);
    EXPECT_NEAR(boxes[1][1] - boxes[1][0], upright_height, 2) << "the turned text's width";
    EXPECT_NEAR(boxes[1][3] - boxes[1][2], upright_width, 2) << "the turned text's height";
}

// Pages of one plot, and plots one after the other, to files; PLTDEV's choice beats PGPLOT_DEV.
TEST_F(Output, PagesGoIntoOneDocumentOrNumberedFilesAndNoFileIsWrittenTwice) {
    constexpr double kPointsPerCm = 72.0 / 2.54;
    const struct {
        const char* env;
        const char* args;
        std::vector<std::string> files;  // each with the sheet sizes of its pages, cm
        std::vector<std::vector<std::pair<double, double>>> sheets;
    } cases[] = {
        {"PGPLOT_DEV=/null", "three book.pdf/pdf", {"book.pdf"}, {{{22, 12}, {12, 12}, {17, 22}}}},
        {"PGPLOT_DEV=fig.png/png",
         "three",
         {"fig.png", "fig_2.png", "fig_3.png"},
         {{{22, 12}}, {{12, 12}}, {{17, 22}}}},
        // Pages with nothing drawn are blank pages too. Broke: empty files.
        {"PGPLOT_DEV=blank.png/png", "blank", {"blank.png"}, {{{22, 12}}}},
        {"PGPLOT_DEV=fig.png/png",
         "lastblank",
         {"fig.png", "fig_2.png", "fig_3.png"},
         {{{22, 12}}, {{12, 12}}, {{17, 22}}}},
        {"PGPLOT_DEV=fig/svg", "three", {"fig.svg", "fig_2.svg", "fig_3.svg"}, {{{22, 12}}, {{12, 12}}, {{17, 22}}}},
        // PostScript pages stay in one file. Broke: split into numbered files.
        {"PGPLOT_DEV=book.ps/ps", "three", {"book.ps"}, {{{22, 12}, {12, 12}, {17, 22}}}},
        {"PGPLOT_DEV=/null", "twice same.pdf/pdf", {"same.pdf", "same_2.pdf"}, {{{22, 12}}, {{22, 12}}}},
    };
    for (const auto& c : cases) {
        fs::remove_all(dir_);
        fs::create_directories(dir_);
        const Outcome r = run("plotter_pages_probe", c.env, c.args);
        ASSERT_EQ(r.status, 0) << c.args << r.err;
        EXPECT_EQ(r.err, "");
        std::size_t entries = 0;
        for ([[maybe_unused]] const auto& entry : fs::directory_iterator(dir_)) {
            ++entries;
        }
        EXPECT_EQ(entries, c.files.size() + 2) << c.args << ": the files and the probe's stdout and stderr";
        int page = 0;
        for (std::size_t f = 0; f < c.files.size(); ++f) {
            const fs::path file = dir_ / c.files[f];
            ASSERT_TRUE(fs::exists(file)) << c.files[f];
            for (std::size_t p = 0; p < c.sheets[f].size(); ++p) {
                ++page;
                const auto [w, h] = c.sheets[f][p];
                if (file.extension() == ".png") {
                    EXPECT_EQ(png_size(file), std::make_pair(static_cast<int>(std::lround(w / 2.54 * 150)),
                                                             static_cast<int>(std::lround(h / 2.54 * 150))));
                    continue;
                }
                if (file.extension() == ".svg") {
                    EXPECT_NEAR(attribute(slurp(file), "width"), w * kPointsPerCm, 0.001) << c.files[f];
                    continue;
                }
                if (file.extension() == ".ps") {
                    const std::string media = "%%PageMedia: " + std::to_string(std::lround(w * 10)) + "x" +
                                              std::to_string(std::lround(h * 10)) + "mm";
                    EXPECT_NE(slurp(file).find(media), std::string::npos) << media;
                    continue;
                }
                const std::string page_number = std::to_string(p + 1);
                const std::string pdf = capture_output("pdfinfo -f " + page_number + " -l " + page_number + " '" +
                                                       file.string() + "' 2>&1");
                double pdf_width = 0.0;
                double pdf_height = 0.0;
                const std::size_t at = pdf.find("size:");
                ASSERT_NE(at, std::string::npos) << pdf;
                ASSERT_EQ(std::sscanf(pdf.c_str() + at, "size: %lf x %lf", &pdf_width, &pdf_height), 2) << pdf;
                EXPECT_NEAR(pdf_width, w * kPointsPerCm, 0.5) << c.files[f] << " page " << page_number;
                EXPECT_NEAR(pdf_height, h * kPointsPerCm, 0.5) << c.files[f] << " page " << page_number;
                EXPECT_NE(pdf.find("Pages:           " + std::to_string(c.sheets[f].size())), std::string::npos);
                // Each page holds its own text.
                const std::string text = capture_output("pdftotext -f " + std::to_string(p + 1) + " -l " +
                                                        std::to_string(p + 1) + " '" + file.string() + "' - 2>&1");
                EXPECT_NE(text.find("page " + std::to_string(page)), std::string::npos) << text;
            }
        }
    }
}

// A PostScript document's box, in whole points (72 to 2.54 cm) rounded up, is as wide as its widest
// sheet and as tall as its tallest: each sheet is the page with 1 cm of margin all round.
TEST_F(Output, PostScriptBoundingBoxHoldsTheWidestAndTallestSheet) {
    const struct {
        const char* args;
        const char* box;
    } cases[] = {
        // One 20 x 10 cm page: (20 + 2) x 72 / 2.54 = 623.6 by (10 + 2) x 72 / 2.54 = 340.2 pt.
        {"one", "\n%%BoundingBox: 0 0 624 341\n"},
        // Sheets of 22 x 12, 12 x 12 and 17 x 22 cm: 22 cm both ways. Broke: cairo's box held only
        // some pages.
        {"three", "\n%%BoundingBox: 0 0 624 624\n"},
    };
    for (const auto& c : cases) {
        const Outcome r = run("plotter_pages_probe", "PGPLOT_DEV=box.ps/ps", c.args);
        ASSERT_EQ(r.status, 0) << c.args << r.err;
        const std::string ps = slurp(dir_ / "box.ps");
        EXPECT_NE(ps.find(c.box), std::string::npos) << c.args << "\n" << ps.substr(0, 300);
        EXPECT_EQ(ps.find("%%BoundingBox:"), ps.rfind("%%BoundingBox:")) << c.args << ": one box";
    }
}

// The lines of text pdftotext finds in PDF, the empty ones and the page break left out.
std::vector<std::string> pdf_lines(const fs::path& pdf) {
    std::vector<std::string> lines;
    for (const std::string& line : support::lines_of(capture_output("pdftotext '" + pdf.string() + "' - 2>&1"))) {
        if (!line.empty() && line != "\f") {
            lines.push_back(line);
        }
    }
    return lines;
}

// A PDF keeps a text's characters: UTF-8 as typed, Latin-1 bytes as the characters they stand for
// (° and ä), kerned pairs as they are, a character from a fallback face and the box of one that no
// face has; PostScript names its glyphs after them. A run with a missing character says so once.
TEST_F(Output, TextsKeepTheirCharacters) {
    const std::string latin1 = "\"$(printf 'T (\\260C) \\344')\"";
    Outcome r = run("plotter_text_probe", "PGPLOT_DEV=t.pdf/pdf",
                    "'T (°C)' 'λ (µm)' 'Δ = 5 µm ± 0.1 Å' " + latin1 + " 'AVATAR To' '温度 (°C)'");
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.err, "") << "a CJK face (Debian: fonts-wqy-microhei) draws 温度";
    const std::vector<std::string> expected = {"T (°C)",   "λ (µm)",    "Δ = 5 µm ± 0.1 Å",
                                               "T (°C) ä", "AVATAR To", "温度 (°C)"};
    EXPECT_EQ(pdf_lines(dir_ / "t.pdf"), expected);
    EXPECT_EQ(
        capture_output("pdffonts '" + (dir_ / "t.pdf").string() + "' | grep -c -v -e DejaVuSans -e '^name' -e '^---'"),
        "1\n")
        << "the ideographs come from one fallback face";

    ASSERT_EQ(run("plotter_text_probe", "PGPLOT_DEV=t.ps/ps", "'λ (µm)'").status, 0);
    const std::string ps = slurp(dir_ / "t.ps");
    EXPECT_NE(ps.find("/uni03BB"), std::string::npos);
    EXPECT_NE(ps.find("/mu "), std::string::npos);

    // U+10FFFD and U+10FFFC, private characters that no face has.
    r = run("plotter_text_probe", "PGPLOT_DEV=box.pdf/pdf",
            "\"$(printf 'a\\364\\217\\277\\275b')\" \"$(printf '\\364\\217\\277\\274')\"");
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.err, "plotter: no installed font has U+10FFFD; drawn as a box\n");
    EXPECT_EQ(pdf_lines(dir_ / "box.pdf"), (std::vector<std::string>{"a\xF4\x8F\xBF\xBD"
                                                                     "b",
                                                                     "\xF4\x8F\xBF\xBC"}));
}

}  // namespace
