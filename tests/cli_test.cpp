// The diagr command as a real process: what two files make it draw, its error lines and statuses,
// and standard input.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <map>
#include <string>
#include <utility>
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
    const ProcessResult result = run({"a.dat", "b.dat", "-s", "solid,dash=0.3", "-t", "T&Hi (°C)", "-x", "t (µs)", "-y",
                                      "Δh", "--text", "0.1:0.9:a: b", "-o", "/null"},
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
    // The x range covers both files and ends on numbered ticks (0 to 20), y those of both too.
    const std::vector<std::string> numbers = texts_of(calls, "SYMBOL");
    EXPECT_EQ(numbers.front(), "0");
    EXPECT_NE(std::find(numbers.begin(), numbers.end(), "20"), numbers.end());
    EXPECT_EQ(numbers.back(), "10");
    // Axis texts, title, the free text with its colon, and the legend naming both files' y column.
    EXPECT_EQ(texts_of(calls, "SYMBLK"),
              (std::vector<std::string>{"t (µs)", "Δh", "T&Hi (°C)", "a: b", "a.dat: y", "b.dat: y"}));
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
    EXPECT_EQ(numbers[0].back(), "10");
    EXPECT_EQ(numbers[1].back(), "5.4");  // all y 5: a tenth either side, numbered every 0.2
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
        {"letter", {"good.dat", "bad.dat"}, "x y\n1 2\n3 a\n", "diagr: bad.dat:3: column 2: 'a' is no number\n", 1},
        {"decimal comma between blanks", {"bad.dat"}, "x y\n1 2\n2 1,5\n",
         "diagr: bad.dat:3: column 2: '1,5' is no number\n", 1},
        {"comma in a quoted CSV field", {"bad.dat"}, "x,y\n1,\"1,000\"\n",
         "diagr: bad.dat:2: column 2: '1,000' is no number\n", 1},
        {"control bytes shown as ?", {"bad.dat"}, "x y\n1 a\x1b[31m\n", "diagr: bad.dat:2: column 2: 'a?[31m' is no number\n",
         1},
        {"date, no header", {"bad.dat"}, "2/27/2003,5\n",
         "diagr: bad.dat:1: column 1: '2/27/2003' is no number (a date? give --timefmt, e.g. '%m/%d/%Y')\n", 1},
        {"day first", {"bad.dat"}, "27/2/2003 10:00,5\n",
         "diagr: bad.dat:1: column 1: '27/2/2003 10:00' is no number (a date? give --timefmt, e.g. '%d/%m/%Y %H:%M')\n", 1},
        {"impossible date", {"bad.dat"}, "d,v\n2024-02-29,1\n2023-02-29,2\n",
         "diagr: bad.dat:3: column 1: '2023-02-29' is no time: no such day in that month\n", 1},
        {"log of times", {"bad.dat", "--logx"}, "2024-03-01 1\n2024-03-02 2\n",
         "diagr: the x axis shows times: --logx is left out, the axis stays linear\n", 0},
        {"times and numbers", {"bad.dat", "good.dat"}, "2024-03-01 5\n",
         "diagr: the x values of bad.dat are times, those of good.dat numbers: one axis shows one kind\n", 1},
        {"short line", {"bad.dat"}, "x y\n1 2\n\n3\n", "diagr: bad.dat:4: no column 2 (the line has 1)\n", 1},
        {"no such name", {"-u", "x:volt", "bad.dat"}, "x \xB5V\n1 2\n",
         "diagr: bad.dat: no column named 'volt' (the columns are x, µV)\n", 1},
        {"no such --by column", {"--by", "sym", "bad.dat"}, "x,y\n1,2\n",
         "diagr: bad.dat: no column named 'sym' (the columns are x, y)\n", 1},
        {"--where matches no row", {"--where", "x=1.5", "--where", "y=2", "bad.dat"}, "x,y\n1,2\n",
         "diagr: bad.dat: no row matches --where x=1.5 --where y=2\n", 1},
        {"empty keys", {"--by", "k", "bad.dat"}, "k,x,y\n,1,2\nA,1,2\n\"\",2,3\n",
         "diagr: bad.dat: 2 rows with an empty key are left out\n", 0},
        {"open quote", {"bad.dat"}, "x y\n1 \"2\n", "diagr: bad.dat:2: a quote is not closed\n", 1},
        {"no pairs", {"bad.dat"}, "x y\n", "diagr: bad.dat: no pairs to plot\n", 1},
        {"beyond float", {"bad.dat"}, "x y\n1 2\n3 1e99\n-1d40 4\n5 6\n",
         "diagr: bad.dat: 2 pairs with values beyond the float range are not drawn\n", 0},
        {"log leaves out", {"--logy", "bad.dat"}, "1 2\n2 0\n3 -1\n4 5\n",
         "diagr: 2 points with y <= 0 are left out of the logarithmic axis\n", 0},
        {"range beyond the data", {"--range", "20:::", "good.dat"}, nullptr,
         "diagr: good.dat: the x range is empty (--range gives 20, the data 3)\n", 1},
        {"too narrow to number", {"--range", "10000000:10000001:0:1", "good.dat"}, nullptr,
         "diagr: the x range 10000000 to 10000001 is too narrow for single precision to number its ticks\n", 0},
        {"nothing in the x range", {"--range", "5:6::", "good.dat"}, nullptr,
         "diagr: good.dat: no point lies in the x range given, to take the y range from\n", 1},
        {"log bound", {"--logx", "--range", "0:5::", "good.dat"}, nullptr,
         "diagr: --logx needs x bounds above 0, not 0\n" + usage, 2},
        {"bars without columns", {"-s", "errorbars", "good.dat"}, nullptr,
         "diagr: --style errorbars needs -u X:Y:DY or -u X:Y:YLO:YHI\n" + usage, 2},
        {"band without bars", {"-s", "band", "good.dat"}, nullptr,
         "diagr: --style band needs -u X:Y:DY or -u X:Y:YLO:YHI\n" + usage, 2},
        {"bad steps", {"-s", "steps=both", "good.dat"}, nullptr,
         "diagr: --style: steps=WHERE needs pre, post or mid\n" + usage, 2},
        {"two columns to count", {"--hist", "-u", "x:y", "good.dat"}, nullptr,
         "diagr: --hist counts one column per -u, not 'x:y'\n" + usage, 2},
        {"one column to draw", {"-u", "y", "good.dat"}, nullptr,
         "diagr: --using: expected X:Y, X:Y:DY or X:Y:YLO:YHI (column numbers or names)\n" + usage, 2},
        {"bins and width", {"--hist", "--bins", "4", "--binwidth", "1", "good.dat"}, nullptr,
         "diagr: --bins and --binwidth exclude each other: give one\n" + usage, 2},
        {"bins without --hist", {"--bins", "4", "good.dat"}, nullptr, "diagr: --bins needs --hist\n" + usage, 2},
        {"no bins", {"--hist", "--bins", "0", "good.dat"}, nullptr,
         "diagr: --bins: '0' is not a count of bins from 1 to 1000\n" + usage, 2},
        {"no width", {"--hist", "--binwidth", "0", "good.dat"}, nullptr,
         "diagr: --binwidth: '0' is not a width above 0\n" + usage, 2},
        {"too fine a width", {"--hist", "--binwidth", "0.0001220703125", "good.dat"}, nullptr,
         "diagr: --binwidth 0.00012207 makes 16384 bins, more than 1000\n" + usage, 2},
        {"times counted", {"--hist", "bad.dat"}, "2024-03-01 5\n",
         "diagr: bad.dat: column 1 holds times: --hist counts numbers\n", 1},
        {"values beyond the bins", {"--hist", "--range", "2:5::", "-u", "2", "good.dat", "bad.dat"}, "0 1\n0 7\n0 6\n",
         "diagr: 3 values outside the bins from 2 to 5 are left out\n", 0},
        {"title of no curve", {"good.dat", "-k", "a", "-k", "b"}, nullptr,
         "diagr: -k 'b' names no curve: there is 1\n" + usage, 2},
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

// The pieces of line drawn in each curve pen, as "pen:points+points ...": a move starts a piece.
std::string pieces(const std::vector<Call>& calls) {
    std::vector<std::vector<int>> by_pen(20);
    int pen = 0;
    for (const Call& call : calls) {
        if (call.name == "NEWPEN") {
            pen = static_cast<int>(call.numbers.at(0));
        } else if (call.name == "CPLOT" && pen >= 3 && pen < 20) {
            const float code = call.numbers.at(2);
            if (code == 3.0F) {
                by_pen[pen].push_back(1);
            } else if (code == 2.0F && !by_pen[pen].empty()) {
                ++by_pen[pen].back();
            }
        }
    }
    std::string text;
    for (std::size_t p = 0; p < by_pen.size(); ++p) {
        for (std::size_t i = 0; i < by_pen[p].size(); ++i) {
            text += (i == 0 ? (text.empty() ? "" : " ") + std::to_string(p) + ":" : "+") + std::to_string(by_pen[p][i]);
        }
    }
    return text;
}

struct TableCase {
    const char* label;
    const char* content;  // of t.dat
    std::vector<std::string> args;
    const char* pieces;
    std::vector<std::string> axis_texts;   // drawn when the header names the columns
    std::vector<std::string> legend = {};  // its texts, when a legend is asked for (else --key none)
    std::string err = "";
};

// Files as other programs write them: the points and pieces drawn, and the axis texts the header gives.
TEST_F(CliTest, ReadsTablesAsWritten) {
    const std::vector<std::string> none = {"&M", "&M"};
    const TableCase cases[] = {
        {"no header: the first line is data", "0 100\n1 50\n2 25\n", {}, "3:3", none},
        {"a title line is a header", "Demonstration data: x, y\n0 1\n1 2\n2 3\n", {}, "3:3", none},
        {"names", "time volt\n0 1\n1 2\n", {}, "3:2", {"time", "volt"}},
        {"comments", "# made by hand\n0 1 # first\n1 2\n# between\n2 3\n", {}, "3:3", none},
        {"a comment names the columns", "# x y\n1 2\n2 3\n", {}, "3:2", {"x", "y"}},
        {"one blank line breaks, two start a set", "0 1\n1 2\n\n2 3\n3 4\n\n\n0 5\n1 6\n", {}, "3:2+2 4:2", none},
        {"missing tokens break", "0 1\n1 NaN\n2 3\n3 ?\n4 -\n5 6\n6 7\n", {}, "3:1+1+2", none},
        {"CSV by name", "time,volt,current\n0,1,2\n1,,3\n2,4,5\n", {"-u", "time:current"}, "3:3", {"time", "current"}},
        {"an empty CSV field is missing", "x,y\n1,2\n3,\n4,30\n", {}, "3:1+1", {"x", "y"}},
        {"quoted fields", "\"a, b\",\"c\"\n1,2\n2,3\n", {}, "3:2", {"a, b", "c"}},
        {"semicolons and decimal commas", "t;u\n0,5;1\n1,5;2\n", {}, "3:2", {"t", "u"}},
        {"tabs", "1\t2\n2\t\n3\t4\n", {"--sep", "tab"}, "3:1+1", none},
        {"one column against the line number", "5\n6\n7\n", {}, "3:3", none},
        {"spreadsheet BOM and CRLF", "\xEF\xBB\xBFx,y\r\n1,2\r\n2,3\r\n", {}, "3:2", {"x", "y"}},
        {"--header N skips N lines", "junk\n1 2\n3 4\n5 6\n", {"--header", "2"}, "3:2", none},
        {"names drawn as they are", "\"a&b\" \"c#d\"\n1 2\n2 3\n", {}, "3:2", {"a&&b", "c##d"}},
        {"UTF-8 names", "T (°C),λ (µm)\n20,1\n30,2\n", {}, "3:2", {"T (°C)", "λ (µm)"}},
        {"Latin-1 names as UTF-8", "T (\xB0""C);\xB5m\n20;1\n30;2\n", {"-u", "T (°C):µm"}, "3:2", {"T (°C)", "µm"}},
        {"two curves from one file", "a b c\n1 2 3\n2 3 4\n", {"-u", "1:2", "-u", "1:3"}, "3:2 4:2", {"a", "&M"}},
        {"--by: interleaved keys, a missing price breaks its own line",
         "symbol,date,price\nB,1,10\nA,1,20\nB,2,11\nA,2,\nB,3,12\nA,3,22\nA,4,23\n",
         {"--by", "symbol", "-u", "date:price"},
         "3:3 4:1+2",
         {"date", "price"},
         {"B", "A"}},
        {"--by: a blank line breaks every key's line",
         "k x y\nA 0 1\nB 0 2\nA 1 1\n\nB 1 2\nA 2 1\nB 2 2\n",
         {"--by", "1", "-u", "x:y"},
         "3:2+1 4:1+2",
         {"x", "y"}},
        {"--by: a blank key is left out",
         "k,x,y\nA,0,1\n\" \",1,5\nA,2,3\nB,0,2\nB,1,2\n",
         {"--by", "k"},
         "3:2 4:2",
         {"x", "y"},
         {"A", "B"},
         "diagr: t.dat: 1 row with an empty key is left out\n"},
        {"--by: keys drawn as they are, x and y the columns besides",
         "k x y\nR&D 0 1\nR&D 1 2\n\"#1\" 0 2\n\"#1\" 1 3\n",
         {"--by", "k"},
         "3:2 4:2",
         {"x", "y"},
         {"R&&D", "##1"}},
        {"--where: a text and a number",
         "year,country,x,y\n2020.0,FR,0,1\n2021,FR,1,2\n2020,DE,2,3\n2020,\" FR \",3,4\n",
         {"--where", "year=2020", "--where", "country=FR", "-u", "x:y"},
         "3:2",
         {"x", "y"}},
    };
    for (const TableCase& table : cases) {
        write_file(work_ + "/t.dat", table.content);
        std::vector<std::string> args = {"-o", "/null", "--key", table.legend.empty() ? "none" : "best", "t.dat"};
        args.insert(args.end(), table.args.begin(), table.args.end());
        std::vector<Call> calls;
        const ProcessResult result = run(args, &calls);
        EXPECT_EQ(result.err, table.err) << table.label;
        EXPECT_TRUE(result.exited_with(0)) << table.label << ": status " << result.status;
        EXPECT_EQ(pieces(calls), table.pieces) << table.label;
        const std::vector<std::string> texts = texts_of(calls, "SYMBLK");
        EXPECT_EQ(std::vector<std::string>(texts.begin(), texts.begin() + std::min<std::size_t>(texts.size(), 2)),
                  table.axis_texts)
            << table.label;
        // After the axis texts and the (empty) title: the legend's texts.
        EXPECT_EQ(std::vector<std::string>(texts.begin() + std::min<std::size_t>(texts.size(), 3), texts.end()),
                  table.legend)
            << table.label;
    }
}

struct AxisCase {
    const char* label;
    std::vector<std::string> args;
    std::vector<std::string> numbers;     // the numbers on the axes, bottom then left (SYMBOL)
    std::vector<double> log_y_ends = {};  // of a logarithmic left axis, when given
};

// The ends of a logarithmic left axis: the frame's bottom and top (the clipping window, CPLOT 997
// and 998) read against the decades numbered beside it, each number centred on its tick.
std::vector<double> log_y_ends(const std::vector<Call>& calls) {
    float x0 = 0.0F;
    float y0 = 0.0F;
    float y1 = 0.0F;
    for (const Call& call : support::named(calls, "CPLOT")) {
        if (call.numbers.at(2) == 997.0F) {
            x0 = call.numbers.at(0);
            y0 = call.numbers.at(1);
        } else if (call.numbers.at(2) == 998.0F) {
            y1 = call.numbers.at(1);
        }
    }
    std::vector<std::pair<double, double>> decades;  // (cm, log10 of the number)
    for (const Call& call : support::named(calls, "SYMBLK")) {
        char* end = nullptr;
        const double value = std::strtod(call.text.c_str(), &end);
        if (call.numbers.at(0) < x0 && call.numbers.at(3) == 0.0F && end != call.text.c_str() && *end == '\0') {
            decades.emplace_back(call.numbers.at(1) + call.numbers.at(2) / 2.0F, std::log10(value));
        }
    }
    if (decades.size() < 2) {
        return {};
    }
    const auto [c0, v0] = decades.front();
    const auto [c1, v1] = decades.back();
    const double per_cm = (v1 - v0) / (c1 - c0);
    return {std::pow(10.0, v0 - (c0 - y0) * per_cm), std::pow(10.0, v1 + (y1 - c1) * per_cm)};
}

// The axes end on numbered ticks at 1, 2 or 5 times a power of ten, with 0 among them; a range
// given at one end takes the other from the data, y from the points inside the x range. A
// logarithmic axis ends at 1, 2 or 5 times a power of ten around the data, or at a bound given.
TEST_F(CliTest, AxesEndOnNumberedTicks) {
    write_file(work_ + "/r.dat", "0 0\n5 10\n10 3\n");
    write_file(work_ + "/l.dat", "0 3\n5 50\n10 700\n");
    write_file(work_ + "/s.dat", "-20 -3\n20 7\n");
    using Numbers = std::vector<std::string>;
    const Numbers to_ten = {"0", "1", "2", "3", "4", "5", "6", "7", "8", "9", "10"};
    const Numbers to_five = {"0", "1", "2", "3", "4", "5"};
    const Numbers two_to_ten = {"2", "3", "4", "5", "6", "7", "8", "9", "10"};
    const Numbers three_to_ten = {"3", "4", "5", "6", "7", "8", "9", "10"};
    const auto both = [](Numbers bottom, const Numbers& left) {
        bottom.insert(bottom.end(), left.begin(), left.end());
        return bottom;
    };
    const AxisCase cases[] = {
        {"data from 0 to 10", {"r.dat"}, both(to_ten, to_ten)},
        {"up to x 5: y of the points shown", {"r.dat", "--range", ":5::"}, both(to_five, to_ten)},
        {"from x 2", {"r.dat", "--range", "2:::"}, both(two_to_ten, three_to_ten)},
        {"-20 to 20",
         {"s.dat", "--size", "12:10"},
         both({"-20", "-10", "0", "10", "20"}, {"-3", "-2", "-1", "0", "1", "2", "3", "4", "5", "6", "7"})},
        {"log y from 3 to 700", {"l.dat", "--logy"}, to_ten, {2.0, 1000.0}},
        {"log y up to 800", {"l.dat", "--logy", "--range", ":::800"}, to_ten, {2.0, 800.0}},
        {"log y from 2", {"l.dat", "--logy", "--range", "::2:"}, to_ten, {2.0, 1000.0}},
    };
    for (const AxisCase& axis : cases) {
        std::vector<std::string> args = {"-o", "/null"};
        args.insert(args.end(), axis.args.begin(), axis.args.end());
        std::vector<Call> calls;
        const ProcessResult result = run(args, &calls);
        EXPECT_EQ(result.err, "") << axis.label;
        EXPECT_EQ(texts_of(calls, "SYMBOL"), axis.numbers) << axis.label;
        if (!axis.log_y_ends.empty()) {
            const std::vector<double> ends = log_y_ends(calls);
            ASSERT_EQ(ends.size(), 2U) << axis.label;
            for (std::size_t i = 0; i < 2; ++i) {
                EXPECT_NEAR(ends[i] / axis.log_y_ends[i], 1.0, 1.0e-3) << axis.label << ": end " << i;
            }
        }
    }
}

// The share of the frame (CPLOT 997 and 998) the curve in PEN reaches across, along x and y.
std::pair<double, double> curve_fill(const std::vector<Call>& calls, int pen) {
    float frame[4] = {};
    float lo[2] = {1e30F, 1e30F};
    float hi[2] = {-1e30F, -1e30F};
    bool in_pen = false;
    for (const Call& call : calls) {
        const float code = call.name == "CPLOT" ? call.numbers.at(2) : 0.0F;
        if (call.name == "NEWPEN") {
            in_pen = call.numbers.at(0) == static_cast<float>(pen);
        } else if (code == 997.0F || code == 998.0F) {
            frame[code == 997.0F ? 0 : 2] = call.numbers.at(0);
            frame[code == 997.0F ? 1 : 3] = call.numbers.at(1);
        } else if (in_pen && (code == 2.0F || code == 3.0F)) {
            for (int a = 0; a < 2; ++a) {
                lo[a] = std::min(lo[a], call.numbers.at(a));
                hi[a] = std::max(hi[a], call.numbers.at(a));
            }
        }
    }
    return {(hi[0] - lo[0]) / (frame[2] - frame[0]), (hi[1] - lo[1]) / (frame[3] - frame[1])};
}

// Each axis ends on a tick close to the data, numbered or not: the data fill at least 85 % of
// the frame both ways, and the ticks between the numbers are the short ones (0.1 cm).
TEST_F(CliTest, DataFillTheirAxes) {
    std::string yearly = "year,anomaly\n";
    for (int year = 1880; year <= 2023; ++year) {
        yearly += std::to_string(year) + "," + std::to_string((year - 1880) % 7 * 0.1 - 0.38) + "\n";
    }
    std::string monthly = "date co2\n";
    for (int month = 2; month < 12 * 66; ++month) {
        char line[40];
        std::snprintf(line, sizeof line, "%d-%02d-01 %d\n", 1958 + month / 12, month % 12 + 1, 315 + month / 8);
        monthly += line;
    }
    struct Case {
        const char* file;
        std::string content;
        std::vector<std::string> args;
        std::vector<std::string> numbers;  // of the bottom axis (SYMBOL), where it is linear
        int short_ticks;                   // 0.1 cm long, on both sides
    };
    const Case cases[] = {
        {"yearly.csv", yearly, {"--size", "20:10"}, {"1900", "1950", "2000"}, 2 * 4},
        {"yearly.csv", yearly, {"--size", "10:20"}, {"1900", "2000"}, 2 * 7},
        {"fraction.dat", "0.53 3.52\n0.9 5\n1.37 7.4\n", {}, {"0.6", "0.8", "1", "1.2", "1.4"}, 2 * 5},
        {"monthly.dat", monthly, {}, {}, 34},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.file) + (c.args.empty() ? "" : " --size " + c.args.back()));
        write_file(work_ + "/" + c.file, c.content);
        std::vector<std::string> args = {c.file, "-o", "/null"};
        args.insert(args.end(), c.args.begin(), c.args.end());
        std::vector<Call> calls;
        const ProcessResult result = run(args, &calls);
        EXPECT_EQ(result.err, "");
        const auto [x_fill, y_fill] = curve_fill(calls, 3);
        EXPECT_GE(x_fill, 0.85);
        EXPECT_LE(x_fill, 1.0);
        EXPECT_GE(y_fill, 0.85);
        EXPECT_LE(y_fill, 1.0);
        if (!c.numbers.empty()) {
            std::vector<std::string> bottom = texts_of(calls, "SYMBOL");
            bottom.resize(std::min(bottom.size(), c.numbers.size()));
            EXPECT_EQ(bottom, c.numbers);
        }
        // Short ticks, each inside the frame (the clipping window's corners, CPLOT 997 and 998).
        float frame[4] = {};
        for (const Call& call : support::named(calls, "CPLOT")) {
            const int corner = call.numbers.at(2) == 997.0F ? 0 : call.numbers.at(2) == 998.0F ? 2 : -1;
            if (corner >= 0) {
                frame[corner] = call.numbers.at(0);
                frame[corner + 1] = call.numbers.at(1);
            }
        }
        const auto inside = [&](float x, float y) {
            return x >= frame[0] - 1e-4F && x <= frame[2] + 1e-4F && y >= frame[1] - 1e-4F && y <= frame[3] + 1e-4F;
        };
        int short_ticks = 0;
        float from[2] = {};
        for (const Call& call : calls) {
            if (call.name != "PLOT" && call.name != "MPLOT") {
                continue;
            }
            const float x = call.numbers.at(0);
            const float y = call.numbers.at(1);
            if (call.numbers.at(2) == 2.0F && std::fabs(std::hypot(x - from[0], y - from[1]) - 0.1F) < 1e-4F) {
                ++short_ticks;
                EXPECT_TRUE(inside(from[0], from[1]) && inside(x, y)) << x << " " << y;
            }
            from[0] = x;
            from[1] = y;
        }
        EXPECT_EQ(short_ticks, c.short_ticks);
    }
}

// A column of dates and times makes a calendar axis, labelled with what changes and the context
// once: an offset applied, a semicolon file, a --timefmt date over three blank-separated fields.
TEST_F(CliTest, TimeColumnsMakeCalendarAxes) {
    struct Case {
        const char* content;
        std::vector<std::string> args;
        std::vector<std::string> texts;  // SYMBLK: the bottom axis's labels and context, the axis texts, the title
    };
    const Case cases[] = {
        {"date,v\n2024-03-01T01:00:00+01:00,1\n2024-03-01T06:00:00,2\n2024-03-01 12:00,3\n2024-03-01T18:00:00Z,2\n",
         {},
         {"Mar 01", "06:00", "12:00", "18:00", "2024 Mar 01", "date", "v", ""}},
        {"month;value\n2005-02-01;1\n2005-03-01;3\n2005-04-01;2\n", {}, {"Feb", "Mar", "Apr", "2005", "month", "value", ""}},
        {"Jan 1 2000 5\nJan 9 2000 6\nJan 17 2000 4\n",
         {"-u", "1:4", "--timefmt", "%b %d %Y", "-x", "day"},
         {"2000", "Jan 08", "Jan 15", "2000", "day", "&M", ""}},
    };
    for (const Case& c : cases) {
        write_file(work_ + "/t.dat", c.content);
        std::vector<std::string> args = {"t.dat", "-o", "/null"};
        args.insert(args.end(), c.args.begin(), c.args.end());
        std::vector<Call> calls;
        const ProcessResult result = run(args, &calls);
        EXPECT_EQ(result.err, "") << c.content;
        EXPECT_EQ(texts_of(calls, "SYMBLK"), c.texts) << c.content;
    }
}

// Options before, between and after the files draw the same; -k names the next curve, its text
// as typed, cut to the legend's 80 bytes before the character that would not fit whole.
TEST_F(CliTest, OptionsInAnyOrder) {
    write_file(work_ + "/a.dat", "0 0\n5 10\n10 0\n");
    write_file(work_ + "/b.dat", "0 5\n20 5\n");
    std::string second = "second ";
    while (second.size() < 81) {
        second += "λ";
    }
    const std::vector<std::vector<std::string>> orders = {
        {"-s", "solid,dash=0.3", "--text", "0.1:0.9:note", "-k", "α₁", "a.dat", "-k", second, "b.dat"},
        {"a.dat", "-s", "solid", "b.dat", "-s", "dash=0.3", "-k", "α₁", "-k", second, "--text", "0.1:0.9:note"},
        {"-k", "α₁", "-k", second, "--text=0.1:0.9:note", "-s", "solid", "-s", "dash=0.3", "--", "a.dat", "b.dat"},
    };
    std::vector<std::string> first_trace;
    for (const std::vector<std::string>& order : orders) {
        std::vector<std::string> args = {"-o", "/null"};
        args.insert(args.end(), order.begin(), order.end());
        const ProcessResult result = run(args);
        EXPECT_EQ(result.err, "") << order.front();
        ASSERT_TRUE(result.exited_with(0)) << order.front() << ": status " << result.status;
        const std::vector<std::string> trace = lines_of(slurp(top_ + "/trace"));
        if (first_trace.empty()) {
            first_trace = trace;
            std::vector<Call> calls;
            for (const std::string& line : trace) {
                calls.push_back(parse_call(line));
            }
            EXPECT_EQ(texts_of(calls, "SYMBLK"),
                      (std::vector<std::string>{"&M", "&M", "", "note", "α₁", second.substr(0, 79)}));
        } else {
            EXPECT_EQ(trace, first_trace) << order.front();
        }
    }
}

// What each NEWPEN of a curve pen draws through the clipping window: its pen, moves and draws.
struct PenRun {
    int pen = 0;
    int moves = 0;
    int draws = 0;
};

std::vector<PenRun> pen_runs(const std::vector<Call>& calls) {
    std::vector<PenRun> runs;
    PenRun run;
    const auto flush = [&] {
        if (run.moves + run.draws > 0) {
            runs.push_back(run);
        }
    };
    for (const Call& call : calls) {
        if (call.name == "NEWPEN") {
            flush();
            run = PenRun{static_cast<int>(call.numbers.at(0)), 0, 0};
        } else if (call.name == "CPLOT" && run.pen >= 3) {
            run.moves += call.numbers.at(2) == 3.0F ? 1 : 0;
            run.draws += call.numbers.at(2) == 2.0F ? 1 : 0;
        }
    }
    flush();
    return runs;
}

// Seventeen keys: the first 15 curves solid in the 15 pens from the first curve's on, the 16th and
// 17th in the first two curves' pens again, dashed; the legend names the first 16 and says so.
TEST_F(CliTest, CurvesBeyondTheFifteenPensAreDashed) {
    std::string table = "key x y\n";
    for (int x = 0; x < 2; ++x) {
        for (int k = 0; k < 17; ++k) {
            table += "K" + std::to_string(k) + " " + std::to_string(x) + " " + std::to_string(k) + "\n";
        }
    }
    write_file(work_ + "/k.dat", table);
    std::vector<Call> calls;
    const ProcessResult result = run({"-o", "/null", "--by", "key", "k.dat"}, &calls);
    EXPECT_EQ(result.err, "diagr: the legend names the first 16 of 17 curves\n");
    ASSERT_TRUE(result.exited_with(0)) << "status " << result.status;
    const std::vector<PenRun> runs = pen_runs(calls);
    ASSERT_EQ(runs.size(), 17U);
    for (int i = 0; i < 17; ++i) {
        EXPECT_EQ(runs[i].pen, 3 + i % 15) << "curve " << i + 1;
        if (i < 15) {
            EXPECT_EQ(runs[i].moves, 1) << "curve " << i + 1;
            EXPECT_EQ(runs[i].draws, 1) << "curve " << i + 1;
        } else {
            EXPECT_GT(runs[i].moves, 10) << "curve " << i + 1;
            EXPECT_GT(runs[i].draws, 10) << "curve " << i + 1;
        }
    }
    const std::vector<std::string> texts = texts_of(calls, "SYMBLK");
    ASSERT_EQ(texts.size(), 3U + 16U);
    EXPECT_EQ(texts[3], "K0");
    EXPECT_EQ(texts.back(), "K15");
}

// A logarithmic axis and error bars: the points drawn, the bars with their caps and markers.
TEST_F(CliTest, LogarithmicAxisAndErrorBars) {
    write_file(work_ + "/l.dat", "x y\n1 1\n2 10\n3 100\n");
    std::vector<Call> calls;
    ProcessResult result = run({"-o", "/null", "--logy", "l.dat"}, &calls);
    EXPECT_EQ(result.err, "");
    EXPECT_EQ(pieces(calls), "3:3");
    const std::vector<std::string> texts = texts_of(calls, "SYMBLK");
    EXPECT_EQ(std::vector<std::string>(texts.begin() + 1, texts.begin() + 4),
              (std::vector<std::string>{"1", "10", "100"}));

    write_file(work_ + "/e.dat", "x y dy\n1 10 1\n2 20 3\n");
    result = run({"-o", "/null", "-u", "1:2:3", "e.dat", "-u", "1:2:3:3", "-s", "errorbars,marker=3"}, &calls);
    EXPECT_EQ(result.err, "diagr: 2 error bars with a negative length are not drawn\n");
    // Pen 3: each bar and its two caps; pen 4 (from y to column 3, below y): none.
    EXPECT_EQ(pieces(calls), "3:2+2+2+2+2+2");
    EXPECT_EQ(support::named(calls, "CENSYM").size(), 4U + 2U);  // markers, and the legend's samples
}

// The numbers of the left axis, as SYMBOL calls: those after the bottom axis's, which share a line.
std::vector<Call> left_numbers(const std::vector<Call>& calls) {
    std::vector<Call> numbers = support::named(calls, "SYMBOL");
    const auto left = std::find_if(numbers.begin(), numbers.end(),
                                   [&](const Call& call) {
                                       return std::fabs(call.numbers.at(1) - numbers.front().numbers.at(1)) > 1e-3F;
                                   });
    numbers.erase(numbers.begin(), left);
    for (Call& call : numbers) {
        call.text.erase(call.text.find_last_not_of(' ') + 1);
    }
    return numbers;
}

// The extent of the fills (FILPOL in the pen) each pen makes before the legend's box: x from, x to,
// y from, y to, in cm; none for a pen that fills nothing.
std::map<int, std::array<float, 4>> fills(const std::vector<Call>& calls) {
    std::map<int, std::array<float, 4>> extent;
    int pen = 0;
    for (const Call& call : calls) {
        if (call.name == "NEWPEN") {
            pen = static_cast<int>(call.numbers.at(0));
        } else if (call.name == "FILPOL" && call.numbers.back() != 0.0F) {
            break;
        } else if (call.name == "FILPOL") {
            const std::size_t n = static_cast<std::size_t>(call.numbers.at(call.numbers.size() - 2));
            auto [at, added] = extent.try_emplace(pen, std::array<float, 4>{1e30F, -1e30F, 1e30F, -1e30F});
            for (std::size_t i = 0; i < n; ++i) {
                at->second[0] = std::min(at->second[0], call.numbers.at(i));
                at->second[1] = std::max(at->second[1], call.numbers.at(i));
                at->second[2] = std::min(at->second[2], call.numbers.at(n + i));
                at->second[3] = std::max(at->second[3], call.numbers.at(n + i));
            }
        }
    }
    return extent;
}

// Histograms of one column per key on bins they share: each filled in its pen, the y axis from 0
// to a numbered tick at the largest count of one histogram (not of all), each top at its count.
TEST_F(CliTest, HistogramsShareTheirBins) {
    write_file(work_ + "/h.csv", "k,v\nA,0.5\nA,1.5\nA,1.7\nA,2.2\nB,1.1\nB,1.2\nB,1.3\nB,3.9\n");
    struct Case {
        std::vector<std::string> args;
        std::string x_first, x_last, y_last;
        std::vector<float> tops;  // of pens 3 and 4, in fractions of the frame's height; empty: unchecked
        std::string err = "";
    };
    const Case cases[] = {
        {{"--binwidth", "1"}, "0", "4", "3", {2.0F / 3.0F, 1.0F}},
        {{"--bins", "3", "--range", "1:4::"}, "1", "4", "3", {2.0F / 3.0F, 1.0F},
         "diagr: 1 value outside the bins from 1 to 4 is left out\n"},
        {{}, "", "", "", {}},
    };
    for (const Case& c : cases) {
        std::vector<std::string> args = {"-o", "/null", "--hist", "--by", "k", "h.csv"};
        args.insert(args.end(), c.args.begin(), c.args.end());
        SCOPED_TRACE(c.args.empty() ? "bins chosen" : c.args.front());
        std::vector<Call> calls;
        const ProcessResult result = run(args, &calls);
        EXPECT_EQ(result.err, c.err);
        ASSERT_TRUE(result.exited_with(0)) << "status " << result.status;
        EXPECT_EQ(texts_of(calls, "SYMBLK"), (std::vector<std::string>{"v", "count", "", "A", "B"}));
        const std::vector<Call> left = left_numbers(calls);
        ASSERT_FALSE(left.empty());
        EXPECT_EQ(left.front().text, "0");
        const std::vector<std::string> numbers = texts_of(calls, "SYMBOL");
        if (!c.y_last.empty()) {
            EXPECT_EQ(left.back().text, c.y_last);
            EXPECT_EQ(numbers.front(), c.x_first);
            EXPECT_EQ(numbers.at(numbers.size() - left.size() - 1), c.x_last);
        }
        const std::map<int, std::array<float, 4>> filled = fills(calls);
        ASSERT_EQ(filled.size(), 2U);
        ASSERT_EQ(filled.count(3), 1U);
        ASSERT_EQ(filled.count(4), 1U);
        EXPECT_NEAR(filled.at(3)[0], filled.at(4)[0], 1e-3F);
        EXPECT_NEAR(filled.at(3)[1], filled.at(4)[1], 1e-3F);
        // The axis's top, where its last number is centred, is the largest count.
        const float bottom = filled.at(3)[2];
        const float top = left.back().numbers.at(1) + left.back().numbers.at(2) / 2.0F;
        for (std::size_t i = 0; i < c.tops.size(); ++i) {
            EXPECT_NEAR((filled.at(3 + static_cast<int>(i))[3] - bottom) / (top - bottom), c.tops[i], 1e-3F)
                << "pen " << 3 + i;
        }
    }
    // Counts on a logarithmic axis: values below 0 are counted too, and the axis starts at 0.5, so
    // that a bin of one value shows.
    write_file(work_ + "/n.csv", "k,v\nA,-0.5\nA,1.5\nB,1.2\nB,1.3\n");
    std::vector<Call> calls;
    const ProcessResult result = run({"-o", "/null", "--hist", "--by", "k", "n.csv", "--binwidth", "1", "--logy"}, &calls);
    EXPECT_EQ(result.err, "");
    EXPECT_TRUE(result.exited_with(0)) << "status " << result.status;
    EXPECT_EQ(texts_of(calls, "SYMBLK"), (std::vector<std::string>{"v", "1", "0.5", "2", "count", "", "A", "B"}));
    EXPECT_EQ(texts_of(calls, "SYMBOL").front(), "-1");
}

// The turns of the line drawn in pen 3: H along x, V along y, D slanting, vertex to vertex.
std::string turns(const std::vector<Call>& calls) {
    std::string text;
    int pen = 0;
    float from[2] = {};
    for (const Call& call : calls) {
        if (call.name == "NEWPEN") {
            pen = static_cast<int>(call.numbers.at(0));
        } else if (call.name == "CPLOT" && pen == 3 && call.numbers.at(2) <= 3.0F) {
            const float dx = call.numbers.at(0) - from[0];
            const float dy = call.numbers.at(1) - from[1];
            if (call.numbers.at(2) == 2.0F) {
                text += std::fabs(dy) < 1e-4F ? 'H' : std::fabs(dx) < 1e-4F ? 'V' : 'D';
            }
            from[0] = call.numbers.at(0);
            from[1] = call.numbers.at(1);
        }
    }
    return text;
}

// Step curves turn where their form says; fill and band fill (down to 0, or between the bars' ends)
// and draw the line through the points on it, without bars.
TEST_F(CliTest, StepsFillsAndBands) {
    write_file(work_ + "/e.dat", "x y dy\n0 2 1\n1 4 0.5\n2 3 1\n");
    struct Case {
        std::vector<std::string> args;
        std::string turns;
        bool filled;
        std::string y_first;
    };
    const Case cases[] = {
        {{"-s", "steps"}, "HVHV", false, "2"},
        {{"-s", "steps=pre"}, "VHVH", false, "2"},
        {{"-s", "steps=mid"}, "HVHHVH", false, "2"},
        {{"-s", "fill"}, "DD", true, "0"},
        {{"-u", "1:2:3", "-s", "band"}, "DD", true, "1"},
    };
    for (const Case& c : cases) {
        std::vector<std::string> args = {"-o", "/null", "e.dat"};
        args.insert(args.end(), c.args.begin(), c.args.end());
        SCOPED_TRACE(c.args.back());
        std::vector<Call> calls;
        const ProcessResult result = run(args, &calls);
        EXPECT_EQ(result.err, "");
        EXPECT_EQ(turns(calls), c.turns);
        EXPECT_EQ(fills(calls).count(3), c.filled ? 1U : 0U);
        ASSERT_FALSE(left_numbers(calls).empty());
        EXPECT_EQ(left_numbers(calls).front().text, c.y_first);
    }
}

TEST_F(CliTest, ReadsStandardInput) {
    // Through a shell, so that standard input is a file, then a pipe; --header 0 takes the first
    // line as data.
    write_file(work_ + "/in.dat", "0 1\n1 2\n2 3\n3 x\n");
    const std::string trace = top_ + "/trace";
    const ProcessResult bad = support::run_process("/bin/sh", {"-c", kCommand + " --header 0 - <in.dat"}, work_, top_,
                                                   {{"PLOTTER_TRACE", trace}});
    EXPECT_EQ(bad.err, "diagr: standard input:4: column 2: 'x' is no number\n");
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
